#include "framework/AppSite.h"

namespace zv {

namespace {
IApplicationSite* gSite = nullptr;
}

IApplicationSite* AppSite()
{
    return gSite;
}

void SetAppSite(IApplicationSite* site)
{
    gSite = site;
}

} // namespace zv
