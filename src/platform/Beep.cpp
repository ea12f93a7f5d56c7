#include "Beep.h"

#include "Services.h"

#include <QApplication>

void MessageBeep(unsigned type)
{
    if (const auto& hook = Services().BeepHook)
        hook(type);
}

void ApplicationBeep(unsigned)
{
    QApplication::beep();
}
