#include "localizedstringtable.h"

#include "resources/bundle.h"

std::string LocalizedStringTable::text(std::string_view key) const
{
    const std::string terminated(key);
    return bundle::localizedString(terminated.c_str()).toStdString();
}
