#include "localizedstringtable.h"

#include <QCoreApplication>

#include "resources/bundle.h"

// The driver looks these keys up at run time; listed here so that lupdate
// keeps them in the string tables.
[[maybe_unused]] static const char *const kDriverKeys[] = {
    QT_TRANSLATE_NOOP("Localizable", "Fewargs"),
    QT_TRANSLATE_NOOP("Localizable", "llestring"),
    QT_TRANSLATE_NOOP("Localizable", "replstring"),
    QT_TRANSLATE_NOOP("Localizable", "OpenInputFile"),
    QT_TRANSLATE_NOOP("Localizable", "ReadInputFile %@"),
    QT_TRANSLATE_NOOP("Localizable", "BeginReplacementOf %@ %@"),
    QT_TRANSLATE_NOOP("Localizable", "OpenOutputFile"),
    QT_TRANSLATE_NOOP("Localizable", "WriteOutputFile %@"),
    QT_TRANSLATE_NOOP("Localizable", "Done"),
};

std::string LocalizedStringTable::text(std::string_view key) const
{
    const std::string terminated(key);
    return bundle::localizedString(terminated.c_str()).toStdString();
}
