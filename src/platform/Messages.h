#pragma once
// Window message numbers, the control library's own notifications and the
// virtual-key codes. Controls talk to each other with these numbers through
// TControl::Perform / PostMessage; a control that overrides WndProc sees every
// one of them before the default handling.

#include <cstdint>

using Word = uint16_t;

// ---- window messages (the numbers the rest of the system compares with)
inline constexpr unsigned WM_NULL = 0x0000;
inline constexpr unsigned WM_CREATE = 0x0001;
inline constexpr unsigned WM_DESTROY = 0x0002;
inline constexpr unsigned WM_MOVE = 0x0003;
inline constexpr unsigned WM_SIZE = 0x0005;
inline constexpr unsigned WM_ACTIVATE = 0x0006;
inline constexpr unsigned WM_SETFOCUS = 0x0007;
inline constexpr unsigned WM_KILLFOCUS = 0x0008;
inline constexpr unsigned WM_ENABLE = 0x000A;
inline constexpr unsigned WM_SETREDRAW = 0x000B;
inline constexpr unsigned WM_SETTEXT = 0x000C;
inline constexpr unsigned WM_GETTEXT = 0x000D;
inline constexpr unsigned WM_PAINT = 0x000F;
inline constexpr unsigned WM_CLOSE = 0x0010;
inline constexpr unsigned WM_ERASEBKGND = 0x0014;
inline constexpr unsigned WM_SHOWWINDOW = 0x0018;
inline constexpr unsigned WM_CANCELMODE = 0x001F;
inline constexpr unsigned WM_SETCURSOR = 0x0020;
inline constexpr unsigned WM_NCHITTEST = 0x0084;
inline constexpr unsigned WM_NCPAINT = 0x0085;
inline constexpr unsigned WM_GETDLGCODE = 0x0087;
inline constexpr unsigned WM_KEYDOWN = 0x0100;
inline constexpr unsigned WM_KEYUP = 0x0101;
inline constexpr unsigned WM_CHAR = 0x0102;
inline constexpr unsigned WM_SYSKEYDOWN = 0x0104;
inline constexpr unsigned WM_SYSKEYUP = 0x0105;
inline constexpr unsigned WM_SYSCHAR = 0x0106;
inline constexpr unsigned WM_COMMAND = 0x0111;
inline constexpr unsigned WM_TIMER = 0x0113;
inline constexpr unsigned WM_HSCROLL = 0x0114;
inline constexpr unsigned WM_VSCROLL = 0x0115;
inline constexpr unsigned WM_MOUSEMOVE = 0x0200;
inline constexpr unsigned WM_LBUTTONDOWN = 0x0201;
inline constexpr unsigned WM_LBUTTONUP = 0x0202;
inline constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
inline constexpr unsigned WM_RBUTTONDOWN = 0x0204;
inline constexpr unsigned WM_RBUTTONUP = 0x0205;
inline constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
inline constexpr unsigned WM_MBUTTONDOWN = 0x0207;
inline constexpr unsigned WM_MBUTTONUP = 0x0208;
inline constexpr unsigned WM_MBUTTONDBLCLK = 0x0209;
inline constexpr unsigned WM_MOUSEWHEEL = 0x020A;
inline constexpr unsigned WM_MOUSEFIRST = WM_MOUSEMOVE;
inline constexpr unsigned WM_MOUSELAST = WM_MOUSEWHEEL;
inline constexpr unsigned WM_SIZING = 0x0214;
inline constexpr unsigned WM_CAPTURECHANGED = 0x0215;
inline constexpr unsigned WM_CONTEXTMENU = 0x007B;
inline constexpr unsigned WM_MOUSELEAVE = 0x02A3;
// The edit's clipboard commands: every way of cutting, copying or pasting
// (keys, context menu, program) arrives as one of these.
inline constexpr unsigned WM_CUT = 0x0300;
inline constexpr unsigned WM_COPY = 0x0301;
inline constexpr unsigned WM_PASTE = 0x0302;
inline constexpr unsigned WM_USER = 0x0400;
inline constexpr unsigned WM_APP = 0x8000;

// WM_ACTIVATE: WParam WA_INACTIVE or WA_ACTIVE; for a pop-up window losing
// the activation LParam is the TControl* under the pointer (0 for another
// application's window).
inline constexpr uintptr_t WA_INACTIVE = 0;
inline constexpr uintptr_t WA_ACTIVE = 1;

// WM_NCHITTEST answers.
inline constexpr intptr_t HTNOWHERE = 0;
inline constexpr intptr_t HTCLIENT = 1;
inline constexpr intptr_t HTBOTTOMRIGHT = 17;

// ---- scroll bars: which bar, and the scroll codes (the low word of a
// WM_HSCROLL/WM_VSCROLL WParam; the thumb position is in the high word)
inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINELEFT = 0;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_LINERIGHT = 1;
inline constexpr int SB_PAGEUP = 2;
inline constexpr int SB_PAGELEFT = 2;
inline constexpr int SB_PAGEDOWN = 3;
inline constexpr int SB_PAGERIGHT = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_TOP = 6;
inline constexpr int SB_LEFT = 6;
inline constexpr int SB_BOTTOM = 7;
inline constexpr int SB_RIGHT = 7;
inline constexpr int SB_ENDSCROLL = 8;
inline constexpr uintptr_t ScrollWParam(int code, int pos) { return uintptr_t(uint16_t(code)) | (uintptr_t(uint16_t(pos)) << 16); }
inline constexpr int ScrollCodeOf(uintptr_t w) { return int(w & 0xFFFF); }
inline constexpr int ScrollPosOf(uintptr_t w) { return int(int16_t(uint16_t((w >> 16) & 0xFFFF))); }

// ---- the control library's own notifications
inline constexpr unsigned CM_BASE = 0xB000;
inline constexpr unsigned CM_ACTIVATE = CM_BASE + 0;
inline constexpr unsigned CM_DEACTIVATE = CM_BASE + 1;
inline constexpr unsigned CM_CANCELMODE = CM_BASE + 4;
inline constexpr unsigned CM_DIALOGKEY = CM_BASE + 5;   // WParam key, LParam shift state bits
inline constexpr unsigned CM_DIALOGCHAR = CM_BASE + 6;  // WParam character
inline constexpr unsigned CM_FOCUSCHANGED = CM_BASE + 7;
inline constexpr unsigned CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr unsigned CM_PARENTCOLORCHANGED = CM_BASE + 9;
inline constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr unsigned CM_COLORCHANGED = CM_BASE + 13;
inline constexpr unsigned CM_FONTCHANGED = CM_BASE + 14;
inline constexpr unsigned CM_CURSORCHANGED = CM_BASE + 15;
inline constexpr unsigned CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr unsigned CM_MOUSEENTER = CM_BASE + 19;
inline constexpr unsigned CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr unsigned CM_SHOWINGCHANGED = CM_BASE + 25;
inline constexpr unsigned CM_ENTER = CM_BASE + 26;
inline constexpr unsigned CM_EXIT = CM_BASE + 27;
inline constexpr unsigned CM_WANTSPECIALKEY = CM_BASE + 30;
inline constexpr unsigned CM_RELEASE = CM_BASE + 33;
inline constexpr unsigned CM_SHOWHINTCHANGED = CM_BASE + 34;
inline constexpr unsigned CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
inline constexpr unsigned CM_TABSTOPCHANGED = CM_BASE + 40;
inline constexpr unsigned CM_CHILDKEY = CM_BASE + 46;
inline constexpr unsigned CM_HINTSHOW = CM_BASE + 48;
inline constexpr unsigned CM_INVALIDATE = CM_BASE + 52;
inline constexpr unsigned CM_MOUSEWHEEL = CM_BASE + 67;

// ---- answers to WM_GETDLGCODE: which keys a control claims for itself
inline constexpr unsigned DLGC_WANTARROWS = 0x0001;
inline constexpr unsigned DLGC_WANTTAB = 0x0002;
inline constexpr unsigned DLGC_WANTALLKEYS = 0x0004;  // Enter and Escape
inline constexpr unsigned DLGC_WANTMESSAGE = 0x0004;
inline constexpr unsigned DLGC_HASSETSEL = 0x0008;
inline constexpr unsigned DLGC_DEFPUSHBUTTON = 0x0010;
inline constexpr unsigned DLGC_UNDEFPUSHBUTTON = 0x0020;
inline constexpr unsigned DLGC_RADIOBUTTON = 0x0040;
inline constexpr unsigned DLGC_WANTCHARS = 0x0080;
inline constexpr unsigned DLGC_STATIC = 0x0100;
inline constexpr unsigned DLGC_BUTTON = 0x2000;

// ---- mouse key flags in the WParam of mouse messages
inline constexpr unsigned MK_LBUTTON = 0x0001;
inline constexpr unsigned MK_RBUTTON = 0x0002;
inline constexpr unsigned MK_SHIFT = 0x0004;
inline constexpr unsigned MK_CONTROL = 0x0008;
inline constexpr unsigned MK_MBUTTON = 0x0010;

inline constexpr int WHEEL_DELTA = 120;

// Key data (the LParam of key messages): bit 22 marks a key of the numeric
// keypad (its scan code has bit 6 set), bit 24 an extended key, bit 29 Alt
// held, bit 31 a release.
inline constexpr intptr_t KF_KEYPAD_BIT = intptr_t(1) << 22;
inline constexpr intptr_t KF_EXTENDED_BIT = intptr_t(1) << 24;
inline constexpr intptr_t KF_ALTDOWN_BIT = intptr_t(1) << 29;
inline constexpr intptr_t KF_UP_BIT = intptr_t(1) << 31;

// ---- virtual-key codes
inline constexpr Word VK_LBUTTON = 0x01;
inline constexpr Word VK_RBUTTON = 0x02;
inline constexpr Word VK_CANCEL = 0x03;
inline constexpr Word VK_MBUTTON = 0x04;
inline constexpr Word VK_BACK = 0x08;
inline constexpr Word VK_TAB = 0x09;
inline constexpr Word VK_CLEAR = 0x0C;
inline constexpr Word VK_RETURN = 0x0D;
inline constexpr Word VK_SHIFT = 0x10;
inline constexpr Word VK_CONTROL = 0x11;
inline constexpr Word VK_MENU = 0x12;
inline constexpr Word VK_PAUSE = 0x13;
inline constexpr Word VK_CAPITAL = 0x14;
inline constexpr Word VK_ESCAPE = 0x1B;
inline constexpr Word VK_SPACE = 0x20;
inline constexpr Word VK_PRIOR = 0x21;
inline constexpr Word VK_NEXT = 0x22;
inline constexpr Word VK_END = 0x23;
inline constexpr Word VK_HOME = 0x24;
inline constexpr Word VK_LEFT = 0x25;
inline constexpr Word VK_UP = 0x26;
inline constexpr Word VK_RIGHT = 0x27;
inline constexpr Word VK_DOWN = 0x28;
inline constexpr Word VK_SELECT = 0x29;
inline constexpr Word VK_PRINT = 0x2A;
inline constexpr Word VK_EXECUTE = 0x2B;
inline constexpr Word VK_SNAPSHOT = 0x2C;
inline constexpr Word VK_INSERT = 0x2D;
inline constexpr Word VK_DELETE = 0x2E;
inline constexpr Word VK_HELP = 0x2F;
// '0'..'9' are 0x30..0x39 and 'A'..'Z' are 0x41..0x5A.
inline constexpr Word VK_LWIN = 0x5B;
inline constexpr Word VK_RWIN = 0x5C;
inline constexpr Word VK_APPS = 0x5D;
inline constexpr Word VK_NUMPAD0 = 0x60;
inline constexpr Word VK_NUMPAD9 = 0x69;
inline constexpr Word VK_MULTIPLY = 0x6A;
inline constexpr Word VK_ADD = 0x6B;
inline constexpr Word VK_SEPARATOR = 0x6C;
inline constexpr Word VK_SUBTRACT = 0x6D;
inline constexpr Word VK_DECIMAL = 0x6E;
inline constexpr Word VK_DIVIDE = 0x6F;
inline constexpr Word VK_F1 = 0x70;
inline constexpr Word VK_F2 = 0x71;
inline constexpr Word VK_F3 = 0x72;
inline constexpr Word VK_F4 = 0x73;
inline constexpr Word VK_F5 = 0x74;
inline constexpr Word VK_F6 = 0x75;
inline constexpr Word VK_F7 = 0x76;
inline constexpr Word VK_F8 = 0x77;
inline constexpr Word VK_F9 = 0x78;
inline constexpr Word VK_F10 = 0x79;
inline constexpr Word VK_F11 = 0x7A;
inline constexpr Word VK_F12 = 0x7B;
inline constexpr Word VK_F24 = 0x87;
inline constexpr Word VK_NUMLOCK = 0x90;
inline constexpr Word VK_SCROLL = 0x91;
inline constexpr Word VK_LSHIFT = 0xA0;
inline constexpr Word VK_RSHIFT = 0xA1;
inline constexpr Word VK_LCONTROL = 0xA2;
inline constexpr Word VK_RCONTROL = 0xA3;
inline constexpr Word VK_LMENU = 0xA4;
inline constexpr Word VK_RMENU = 0xA5;
inline constexpr Word VK_OEM_1 = 0xBA;       // ;:
inline constexpr Word VK_OEM_PLUS = 0xBB;
inline constexpr Word VK_OEM_COMMA = 0xBC;
inline constexpr Word VK_OEM_MINUS = 0xBD;
inline constexpr Word VK_OEM_PERIOD = 0xBE;
inline constexpr Word VK_OEM_2 = 0xBF;       // /?
inline constexpr Word VK_OEM_3 = 0xC0;       // `~
inline constexpr Word VK_OEM_4 = 0xDB;       // [{
inline constexpr Word VK_OEM_5 = 0xDC;       // \|
inline constexpr Word VK_OEM_6 = 0xDD;       // ]}
inline constexpr Word VK_OEM_7 = 0xDE;       // '"
inline constexpr Word VK_OEM_102 = 0xE2;

// Mouse message coordinates: client X in the low 16 bits, Y in the next 16,
// both signed.
inline constexpr intptr_t MakeLParam(int lo, int hi)
{
    return intptr_t(uint32_t((uint32_t(uint16_t(lo))) | (uint32_t(uint16_t(hi)) << 16)));
}
inline constexpr int LParamX(intptr_t l) { return int(int16_t(uint16_t(l & 0xFFFF))); }
inline constexpr int LParamY(intptr_t l) { return int(int16_t(uint16_t((l >> 16) & 0xFFFF))); }
// The wheel delta in the high word of a WM_MOUSEWHEEL WParam.
inline constexpr int WheelDeltaOf(uintptr_t w) { return int(int16_t(uint16_t((w >> 16) & 0xFFFF))); }
