#include "localizedstringtable.h"

#include <QCoreApplication>

#include "resources/bundle.h"

std::string LocalizedStringTable::text(std::string_view key) const
{
    const std::string terminated(key);
    return bundle::localizedString(terminated.c_str()).toStdString();
}

std::string LocalizedStringTable::translation(std::string_view english) const
{
    const std::string terminated(english);
    return QCoreApplication::translate("Messages", terminated.c_str()).toStdString();
}
