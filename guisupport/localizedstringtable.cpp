#include "localizedstringtable.h"

#include <QCoreApplication>

#include "resources/bundle.h"

std::string LocalizedStringTable::text(std::string_view key) const
{
    const std::string terminated(key);
    return bundle::localizedString(terminated.c_str()).toStdString();
}

QString noEnabledRulesWarning()
{
    //: shows warn message
    return bundle::localizedString(QT_TRANSLATE_NOOP(
        "Localizable", "Your RUL-file is empty or has no enabled items inside!\nPlease setup some Rules and enable [x] these!"));
}

std::string LocalizedStringTable::translation(std::string_view english) const
{
    const std::string terminated(english);
    return QCoreApplication::translate("Messages", terminated.c_str()).toStdString();
}
