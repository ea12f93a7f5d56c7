#pragma once
// The system's default beep, for characters an editor refuses.

// Rings through the installed beep hook (Services().BeepHook); does nothing
// when none is installed. The type is the Windows sound type, passed on.
void MessageBeep(unsigned type = 0);

// The hook production installs: the application bell.
void ApplicationBeep(unsigned type);
