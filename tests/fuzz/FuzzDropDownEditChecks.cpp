// The fuzz check of the drop-down edit's text rules: random rules, a
// random start text and a random run of typed characters, key-downs,
// pastes, selections and leaving, applied as the drop-down applies them.
// Every state that comes back keeps its caret and selection inside its
// text; nothing reads outside a text (the sanitizers watch).
#include "AdvDropDownEdit.h"
#include "FuzzChecks.h"
#include "Messages.h"

#include <QString>
#include <string>

namespace {

#define DROPFUZZ_CHECK(cond)               \
    do {                                   \
        if (!(cond))                       \
            FuzzFailure(#cond);            \
    } while (0)

// The characters typed and pasted: what the rules tell apart.
const char16_t DropFuzzAlphabet[] = {u'0', u'1', u'5', u'9', u'.', u',', u'-', u';', u'a', u'F', u'g', u'Z',
                                     u' ', u'$', u'\b', u'\n', u'\r', u'\t', 27, 3, 22, 24, u'\u00e9'};
const uint16_t DropFuzzKeys[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DELETE, VK_BACK, VK_UP, VK_RETURN};

QChar DropFuzzChar(uint8_t b)
{
    return QChar(DropFuzzAlphabet[b % (sizeof(DropFuzzAlphabet) / sizeof(DropFuzzAlphabet[0]))]);
}

void DropFuzzInside(const TDropDownEditState& s)
{
    DROPFUZZ_CHECK(s.SelStart >= 0 && s.SelStart <= s.Text.size());
    DROPFUZZ_CHECK(s.SelLength >= 0 && s.SelStart + s.SelLength <= s.Text.size());
}

// What the value setter writes (SetText).
TDropDownEditState DropFuzzSetText(const TDropDownEditRules& r, const QString& value)
{
    TDropDownEditState s;
    s.Text = DropDownComposeText(r, value);
    return s;
}

// What the edit does with a key-down the rules let through.
TDropDownEditState DropFuzzPlatformKey(TDropDownEditState s, uint16_t key)
{
    const int len = int(s.Text.size());
    switch (key) {
    case VK_LEFT: s.SelStart = std::max(0, s.SelStart - 1); s.SelLength = 0; break;
    case VK_RIGHT: s.SelStart = std::min(len, s.SelStart + s.SelLength + 1); s.SelLength = 0; break;
    case VK_HOME: s.SelStart = 0; s.SelLength = 0; break;
    case VK_END: s.SelStart = len; s.SelLength = 0; break;
    case VK_DELETE:
        if (s.SelLength > 0) s.Text.remove(s.SelStart, s.SelLength);
        else if (s.SelStart < len) s.Text.remove(s.SelStart, 1);
        s.SelLength = 0;
        break;
    default: break;
    }
    return s;
}

}  // namespace

void CheckDropDownEdit(const uint8_t* data, size_t size)
{
    if (size < 5) return;
    TDropDownEditRules r;
    r.EditType = TDropDownEditType(data[0] % 12);
    r.Precision = int(data[1] % 6) - 1;
    const uint8_t flags = data[2];
    r.Signed = flags & 1;
    r.AutoThousandSeparator = flags & 2;
    r.ExcelStyleDecimalSeparator = flags & 4;
    if (flags & 8) {
        r.DS = u',';
        r.TS = u'.';
    }
    r.AllowNumericNullValue = flags & 16;
    if (flags & 32) r.Prefix = QStringLiteral("$");
    if (flags & 64) r.Suffix = QStringLiteral(" kg");
    r.LengthLimit = data[3] % 8;
    r.MaxLength = data[4] % 40;
    r.ValidChars = QStringLiteral("0159a-");
    size_t i = 5;

    // The start text: bytes up to a zero, through the alphabet.
    TDropDownEditState s;
    QString value;
    while (i < size && data[i] != 0 && value.size() < 30) value += DropFuzzChar(data[i++]);
    ++i;
    s = DropFuzzSetText(r, value);
    DropFuzzInside(s);

    int steps = 0;
    while (i + 1 < size && steps++ < 200) {
        const uint8_t op = data[i], arg = data[i + 1];
        i += 2;
        DROPFUZZ_CHECK(DropDownValue(r, s.Text).size() <= s.Text.size());
        const int kind = ClassifyNumberText(DropDownValue(r, s.Text), r.DS, r.TS);
        DROPFUZZ_CHECK(kind == 0 || kind == 1 || kind == 2 || kind == 5);
        switch (op % 6) {
        case 0:
        case 1: {  // a typed character
            TTypedCharContext c;
            c.CtrlDown = op & 8;
            c.KeypadKey = op & 16;
            const TTypedSimulation sim = DropDownSimulateChar(r, s, DropFuzzChar(arg), c);
            for (const TDropDownEditWrite& w : sim.Writes) DropFuzzInside(w.State);
            s = sim.State;
            break;
        }
        case 2: {  // a key-down
            const uint16_t key = DropFuzzKeys[arg % (sizeof(DropFuzzKeys) / sizeof(DropFuzzKeys[0]))];
            const TKeyDownOutcome o = DropDownKeyDown(r, s, key, op & 8);
            if (o.Selection) {
                DropFuzzInside(*o.Selection);
                s = *o.Selection;
            }
            if (o.Anchor >= 0) DROPFUZZ_CHECK(o.Anchor <= s.Text.size());
            if (!o.Swallowed) {
                s = DropFuzzPlatformKey(s, key);
                if (key == VK_DELETE && r.EditType == etMoney)
                    if (auto t = ApplyThousandSeparatorsTo(r, s)) s = t->State;
            }
            break;
        }
        case 3: {  // a paste of up to 8 characters
            QString clip;
            for (int n = 0; n < (arg % 9) && i < size; ++n) clip += DropFuzzChar(data[i++]);
            // The planned caret counts in the new text: checked once applied.
            const TPastePlan plan = DropDownPastePlan(r, s, clip);
            if (plan.TooLong) break;
            QString text = s.Text;
            if (plan.Action != TPasteAction::Nothing) text = DropFuzzSetText(r, plan.TextToSet).Text;
            if (plan.Action == TPasteAction::SetTextAndReformat) {
                const double x = DropDownFloatValue(r, DropDownValue(r, text));
                if (auto f = DropDownFloatText(r, x)) text = DropFuzzSetText(r, *f).Text;
            }
            s = DropDownPasteSelection(r, plan, text);
            break;
        }
        case 4: {  // a selection
            const int len = int(s.Text.size());
            s.SelStart = len ? arg % (len + 1) : 0;
            s.SelLength = (op >> 3) % (len - s.SelStart + 1);
            s = SelectionAfterMouseUp(r, s);
            break;
        }
        case 5:  // leaving the edit, or a selection operation
            switch (arg % 4) {
            case 0: s = SelectAllValue(r, s); break;
            case 1: s = SelectBeforeDecimal(r, s); break;
            case 2: s = SelectAfterDecimal(r, s); break;
            default:
                if (DropDownLeaveAction(r, DropDownValue(r, s.Text)) == TLeaveAction::SetZeroText)
                    s = DropFuzzSetText(r, QStringLiteral("0"));
                break;
            }
            break;
        }
        DropFuzzInside(s);
        (void)DecimalsFull(r, s);
        (void)ThousandSeparatorMisplaced(r, s);
        (void)IntegerPartLength(r, s.Text);
        (void)DecimalSeparatorPos(r, s);
    }
}
