#pragma once
// Notifications from a control to the control it works for: WM_NOTIFY
// carries in LParam a pointer to a record that starts with TNMHdr; Code
// tells what happened, From which control sent it.

inline constexpr unsigned WM_NOTIFY = 0x004E;

class TControl;

struct TNMHdr {
    int Code = 0;
    TControl* From = nullptr;
};

// Balloon tooltips (ToolTips.h).
inline constexpr int TTN_GETDISPINFO = -530;
inline constexpr int TTN_SHOW = -521;
inline constexpr int TTN_POP = -522;

// Date-time pickers (ComCtrlsPicker.h): the value changed.
inline constexpr int DTN_DATETIMECHANGE = -759;
