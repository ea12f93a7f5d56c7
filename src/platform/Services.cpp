#include "Services.h"

PlatformServices& Services()
{
    static PlatformServices s;
    return s;
}
