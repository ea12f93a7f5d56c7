// Qt keys to virtual-key codes, the characters keys produce, accelerators
// and cursor shapes.
#include "Controls.h"

#include <QKeyEvent>
#include <map>

namespace {

struct KeyPair {
    int Qt;
    Word Vk;
};

// Keys whose code does not follow from a letter or digit.
const KeyPair KeyTable[] = {
    {Qt::Key_Backspace, VK_BACK},      {Qt::Key_Tab, VK_TAB},           {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},         {Qt::Key_Return, VK_RETURN},     {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},         {Qt::Key_Control, VK_CONTROL},   {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_MENU},          {Qt::Key_Pause, VK_PAUSE},       {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},       {Qt::Key_Space, VK_SPACE},       {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},       {Qt::Key_End, VK_END},           {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},           {Qt::Key_Up, VK_UP},             {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},           {Qt::Key_Select, VK_SELECT},     {Qt::Key_Printer, VK_PRINT},
    {Qt::Key_Execute, VK_EXECUTE},     {Qt::Key_Print, VK_SNAPSHOT},    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},       {Qt::Key_Help, VK_HELP},         {Qt::Key_Meta, VK_LWIN},
    {Qt::Key_Menu, VK_APPS},           {Qt::Key_NumLock, VK_NUMLOCK},   {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Semicolon, VK_OEM_1},     {Qt::Key_Colon, VK_OEM_1},       {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},     {Qt::Key_Less, VK_OEM_COMMA},    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Underscore, VK_OEM_MINUS}, {Qt::Key_Period, VK_OEM_PERIOD}, {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},         {Qt::Key_Question, VK_OEM_2},    {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_AsciiTilde, VK_OEM_3},    {Qt::Key_BracketLeft, VK_OEM_4}, {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},     {Qt::Key_Bar, VK_OEM_5},         {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_BraceRight, VK_OEM_6},    {Qt::Key_Apostrophe, VK_OEM_7},  {Qt::Key_QuoteDbl, VK_OEM_7},
    {Qt::Key_Plus, VK_OEM_PLUS},       {Qt::Key_Asterisk, '8'},         {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},                 {Qt::Key_NumberSign, '3'},       {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},            {Qt::Key_AsciiCircum, '6'},      {Qt::Key_Ampersand, '7'},
    {Qt::Key_ParenLeft, '9'},          {Qt::Key_ParenRight, '0'},
};

// The keypad's own codes (with the keypad modifier).
const KeyPair KeypadTable[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},     {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Comma, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE},
};

}  // namespace

Word QtKeyToVirtualKey(int qtKey, bool keypad)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return keypad ? Word(VK_NUMPAD0 + (qtKey - Qt::Key_0)) : Word('0' + (qtKey - Qt::Key_0));
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return Word('A' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return Word(VK_F1 + (qtKey - Qt::Key_F1));
    if (keypad)
        for (const KeyPair& p : KeypadTable)
            if (p.Qt == qtKey) return p.Vk;
    for (const KeyPair& p : KeyTable)
        if (p.Qt == qtKey) return p.Vk;
    return 0;
}

int VirtualKeyToQtKey(Word vk)
{
    if (vk >= '0' && vk <= '9') return Qt::Key_0 + (vk - '0');
    if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + (vk - 'A');
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return Qt::Key_0 + (vk - VK_NUMPAD0);
    if (vk >= VK_F1 && vk <= VK_F24) return Qt::Key_F1 + (vk - VK_F1);
    for (const KeyPair& p : KeypadTable)
        if (p.Vk == vk) return p.Qt;
    for (const KeyPair& p : KeyTable)
        if (p.Vk == vk) return p.Qt;
    return Qt::Key_unknown;
}

QChar KeyEventChar(const QKeyEvent& e)
{
    int k = e.key();
    Qt::KeyboardModifiers m = e.modifiers();
    bool ctrl = m & Qt::ControlModifier;
    bool alt = m & Qt::AltModifier;
    if (ctrl && !alt) {
        if (k >= Qt::Key_A && k <= Qt::Key_Z) return QChar(char16_t(k - Qt::Key_A + 1));
        switch (k) {
        case Qt::Key_BracketLeft: return QChar(char16_t(27));
        case Qt::Key_Backslash: return QChar(char16_t(28));
        case Qt::Key_BracketRight: return QChar(char16_t(29));
        case Qt::Key_Return: case Qt::Key_Enter: return QChar(char16_t(10));
        case Qt::Key_Backspace: return QChar(char16_t(127));
        case Qt::Key_Tab: case Qt::Key_Backtab: return QChar();
        default: break;
        }
    }
    switch (k) {
    case Qt::Key_Return: case Qt::Key_Enter: return QChar(char16_t(13));
    case Qt::Key_Escape: return QChar(char16_t(27));
    case Qt::Key_Tab: case Qt::Key_Backtab: return QChar(char16_t(9));
    case Qt::Key_Backspace: return QChar(char16_t(8));
    default: break;
    }
    if (ctrl && !alt) return QChar();
    QString t = e.text();
    if (!t.isEmpty() && t[0].unicode() >= 32 && t[0].unicode() != 127) return t[0];
    return QChar();
}

bool IsAccel(unsigned Key, const QString& Caption)
{
    qsizetype i = 0;
    while ((i = Caption.indexOf(QLatin1Char('&'), i)) >= 0 && i + 1 < Caption.size()) {
        QChar next = Caption[i + 1];
        if (next == QLatin1Char('&')) {
            i += 2;
            continue;
        }
        return next.toUpper() == QChar(char16_t(Key)).toUpper();
    }
    return false;
}

QString StripHotkey(const QString& Caption)
{
    QString out;
    out.reserve(Caption.size());
    for (qsizetype i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == QLatin1Char('&') && i + 1 < Caption.size()) ++i;
        else if (Caption[i] == QLatin1Char('&')) continue;
        out += Caption[i];
    }
    return out;
}

namespace {
std::map<TCursor, QCursor>& RegisteredCursors()
{
    static std::map<TCursor, QCursor> cursors;
    return cursors;
}
}  // namespace

void RegisterCursor(TCursor Index, const QCursor& C)
{
    RegisteredCursors()[Index] = C;
}

QCursor CursorOf(TCursor c)
{
    const auto& cursors = RegisteredCursors();
    if (auto it = cursors.find(c); it != cursors.end()) return it->second;
    return QCursor(CursorShapeOf(c));
}

Qt::CursorShape CursorShapeOf(TCursor c)
{
    switch (c) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: case crVSplit: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: case crHSplit: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crDrag: case crMultiDrag: return Qt::DragCopyCursor;
    case crNoDrop: case crNo: return Qt::ForbiddenCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}
