#include "desktop.h"

#include "systemdesktop.h"

namespace {
Desktop *g_current = nullptr;
}

Desktop::~Desktop() = default;

Desktop &Desktop::current()
{
    static SystemDesktop system;
    return g_current ? *g_current : system;
}

void Desktop::setCurrent(Desktop *desktop)
{
    g_current = desktop;
}
