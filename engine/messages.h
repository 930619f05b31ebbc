// The English formats of the engine's messages (message.h): its console lines
// and the reasons its file functions and backups fail. Nothing else holds
// these texts. Each is marked for the string tables' extraction tool in the
// context "Messages", where the windows' tables translate them; without Qt
// the mark stands for the text itself.
#pragma once

#include "message.h"

// Spelled as Qt spells it, so that either definition may come first.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace engine::messages {

// Console lines of `process`.
inline constexpr Format kNoEndingNull{
    QT_TRANSLATE_NOOP("Messages", "Match found at index %@ of output file, but unable to find the ending null.\n")};
inline constexpr Format kNoStart{QT_TRANSLATE_NOOP(
    "Messages", "Unable to find the start of the string for a match at offset %@ in output file.\n")};
inline constexpr Format kLittleEndianCountWrong{
    QT_TRANSLATE_NOOP("Messages", "Possible little-endian string found at offset %@, but little-endian byte count is "
                                  "not the expected value.\n")};
inline constexpr Format kBigEndianCountWrong{
    QT_TRANSLATE_NOOP("Messages", "Possible little-endian string found at offset %@, but big-endian byte count is not "
                                  "the expected value.\n")};
inline constexpr Format kNoSignature{QT_TRANSLATE_NOOP(
    "Messages", "Possible little-endian string found at offset %@, but signature \"txtu\" not found.\n")};

// Why a file cannot be read or written: the path, then the reason.
inline constexpr Format kCannotRead{QT_TRANSLATE_NOOP("Messages", "Cannot read \"%@\": %@")};
inline constexpr Format kCannotWrite{QT_TRANSLATE_NOOP("Messages", "Cannot write \"%@\": %@")};
inline constexpr Format kIsAFolder{QT_TRANSLATE_NOOP("Messages", "it is a folder")};
inline constexpr Format kNotARegularFile{QT_TRANSLATE_NOOP("Messages", "it is not a regular file")};
inline constexpr Format kIsADevice{QT_TRANSLATE_NOOP("Messages", "it is a device")};
inline constexpr Format kIsASocket{QT_TRANSLATE_NOOP("Messages", "it is a socket")};
inline constexpr Format kPipeWithoutWriter{QT_TRANSLATE_NOOP("Messages", "it is a pipe with no writer")};
inline constexpr Format kNoFileName{QT_TRANSLATE_NOOP("Messages", "no file name given")};
inline constexpr Format kChangedWhileRead{QT_TRANSLATE_NOOP("Messages", "the file changed while it was being read")};
inline constexpr Format kTooLarge{QT_TRANSLATE_NOOP("Messages", "it holds more than %@, the most atnlingo reads")};
inline constexpr Format kGiB{QT_TRANSLATE_NOOP("Messages", "%@ GiB")};
inline constexpr Format kMiB{QT_TRANSLATE_NOOP("Messages", "%@ MiB")};
inline constexpr Format kBytes{QT_TRANSLATE_NOOP("Messages", "%@ bytes")};

// Why no backup could be made.
inline constexpr Format kBackupCannotRead{QT_TRANSLATE_NOOP("Messages", "cannot read \"%@\": %@")};
inline constexpr Format kCannotBackUp{QT_TRANSLATE_NOOP("Messages", "cannot back up \"%@\": %@")};
inline constexpr Format kCannotCreateBackup{QT_TRANSLATE_NOOP("Messages", "cannot create backup \"%@\": %@")};
inline constexpr Format kCannotWriteBackup{QT_TRANSLATE_NOOP("Messages", "cannot write backup \"%@\": %@")};
inline constexpr Format kNoFreeBackupName{QT_TRANSLATE_NOOP("Messages", "no free backup name beside \"%@\"")};

} // namespace engine::messages
