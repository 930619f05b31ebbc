// The application's resources, found by name: the status images, the string
// tables and the files handed to other programs (the help page).
//
// Images and string tables are compiled into the program. Files that another
// program opens must exist on disk: they are looked up in the resource folder,
// which is "../Resources" beside the program inside a macOS bundle and
// "../share/atnlingo" elsewhere (the build tree has the same layout).
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

class QLocale;
class QSize;

namespace bundle {

// The image of that name drawn at `size` (in device-independent pixels); a
// null pixmap when the application has no such image.
[[nodiscard]] QPixmap imageNamed(const QString &name, const QSize &size, qreal devicePixelRatio = 1.0);
[[nodiscard]] bool hasImageNamed(const QString &name);
[[nodiscard]] QIcon applicationIcon();

// The text behind a key of the application's string table; the key itself
// when the table has no entry.
[[nodiscard]] QString localizedString(const char *key);

// Loads the string tables (ours and the toolkit's) for the first of the
// locale's languages that we ship, English when none. Replaces tables loaded
// by an earlier call. Returns the language loaded, e.g. "de".
QString installTranslations(const QLocale &locale);

[[nodiscard]] QString resourcePath();
void setResourcePath(const QString &path);

// The path of the file `name`.`type` under the resource folder ("help/help",
// "html"); empty when there is no such file.
[[nodiscard]] QString pathForResource(const QString &name, const QString &type);

} // namespace bundle
