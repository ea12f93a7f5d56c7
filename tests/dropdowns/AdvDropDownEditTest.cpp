// The text rules of the drop-down edit as pure functions: number texts,
// typed characters per edit type, values written and read, pastes and the
// key-down rules around Prefix and Suffix.
#include "AdvDropDownEdit.h"
#include "FormatSettings.h"
#include "Messages.h"

#include <gtest/gtest.h>

namespace {

TDropDownEditRules Rules(TDropDownEditType t, int precision = 0, bool isSigned = false)
{
    TDropDownEditRules r;
    r.EditType = t;
    r.Precision = precision;
    r.Signed = isSigned;
    return r;
}

// "1.5|0": the text with the caret at "|", a selection between "[" and "]".
TDropDownEditState State(const QString& marked)
{
    TDropDownEditState s;
    QString text = marked;
    const qsizetype caret = text.indexOf(u'|');
    if (caret >= 0) {
        text.remove(caret, 1);
        s.SelStart = int(caret);
    }
    const qsizetype open = text.indexOf(u'[');
    if (open >= 0) {
        text.remove(open, 1);
        const qsizetype close = text.indexOf(u']');
        text.remove(close, 1);
        s.SelStart = int(open);
        s.SelLength = int(close - open);
    }
    s.Text = text;
    return s;
}

QString Marked(const TDropDownEditState& s)
{
    QString t = s.Text;
    if (s.SelLength > 0) {
        t.insert(s.SelStart + s.SelLength, u']');
        t.insert(s.SelStart, u'[');
    } else {
        t.insert(s.SelStart, u'|');
    }
    return t;
}

// What the edit shows after one typed character ("dropped" when nothing
// happened at all).
QString TypeOne(const TDropDownEditRules& r, const QString& before, QChar ch, TTypedCharContext c = {})
{
    const TTypedSimulation sim = DropDownSimulateChar(r, State(before), ch, c);
    if (sim.Dropped && sim.Writes.empty()) return QStringLiteral("dropped");
    return Marked(sim.State);
}

TEST(DropDownEditText, ClassifyNumberText)
{
    const struct {
        const char* Text;
        int Kind;
    } cases[] = {
        {"", 2},    {"12", 0},   {"-12", 0},  {"1.5", 1},   {"1,234.5", 1}, {",12", 2}, {"1,23", 1},
        {"1A", 5},  {"FF", 5},   {"1--2", 2}, {"1.2.3", 2}, {"1,,2", 2},     {"abc", 5}, {"xyz", 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyNumberText(QString::fromLatin1(c.Text), u'.', u','), c.Kind) << c.Text;
}

TEST(DropDownEditText, HexDigitsAndTheirSum)
{
    EXPECT_EQ(HexToInt(QStringLiteral("1F")), 31u);
    EXPECT_EQ(HexToInt(QStringLiteral("ff")), 255u);
    EXPECT_EQ(HexToInt(QStringLiteral("-1")), 1u) << "a minus weighs as the digit 0";
    // Nine digits wrap around 32 bits instead of overflowing.
    EXPECT_EQ(HexToInt(QStringLiteral("123456789")), 0x23456789u);
    EXPECT_EQ(HexDigitValue(u'g'), 0);
}

TEST(DropDownEditText, ThousandSeparatorAcceptedOnlyThreeDigitsFromTheNearest)
{
    const TDropDownEditRules r = Rules(etMoney, 2);
    const struct {
        const char* State;
        bool Misplaced;
    } cases[] = {
        {"1234|", false},     // no separator yet
        {"1,234|", false},    // three after the one there
        {"1,23|4", true},     // two away
        {"1,2345|", true},    // four away
        {"12|,345", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ThousandSeparatorMisplaced(r, State(QString::fromLatin1(c.State))), c.Misplaced) << c.State;
}

TEST(DropDownEditTyping, CharactersPerType)
{
    const struct {
        TDropDownEditRules R;
        const char* Before;
        char16_t Ch;
        const char* After;
    } cases[] = {
        {Rules(etString), "ab|", u'c', "abc|"},
        {Rules(etNumeric), "1|", u'x', "dropped"},
        {Rules(etNumeric), "1|", u'2', "12|"},
        {Rules(etNumeric), "1|", u'-', "dropped"},                 // unsigned
        {Rules(etNumeric, 0, true), "[12]", u'-', "-|"},           // whole value selected: alone
        {Rules(etNumeric, 0, true), "12|", u'-', "-12|"},          // sign toggle
        {Rules(etNumeric, 0, true), "-12|", u'-', "12|"},
        {Rules(etFloat, 2), "1.5|0", u'7', "1.57|"},               // the last decimal overwritten
        {Rules(etFloat, 2), "1.50|", u'7', "dropped"},             // decimals full at the end
        {Rules(etFloat, 2), "|", u'.', "0.|"},                     // separator first: "0."
        {Rules(etFloat, 2), "1|2.50", u'.', "12.|50"},             // the separator there: caret behind it
        {Rules(etFloat, 2), "12|", u'a', "dropped"},
        {Rules(etUppercase), "a|", u'b', "aB|"},
        {Rules(etLowerCase), "A|", u'B', "Ab|"},
        {Rules(etMixedCase), "john|", u' ', "John |"},
        {Rules(etRange), "1|", u'-', "1-|"},
        {Rules(etRange), "1-|", u',', "dropped"},                  // separator after a separator
        {Rules(etRange), "|1", u'-', "dropped"},                   // at the start
        {Rules(etHex), "a|", u'G', "dropped"},
        {Rules(etHex), "a|", u'F', "aF|"},
        {Rules(etAlphaNumeric), "a|", u'-', "dropped"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Before) + " + " + char(c.Ch));
        EXPECT_EQ(TypeOne(c.R, QString::fromLatin1(c.Before), QChar(c.Ch)), QString::fromLatin1(c.After));
    }
}

TEST(DropDownEditTyping, MoneyRegroupsAndKeepsTheCaretFromTheEnd)
{
    const TDropDownEditRules r = Rules(etMoney, 2);
    EXPECT_EQ(TypeOne(r, QStringLiteral("123|.00"), u'4'), QStringLiteral("1,234|.00"));
    EXPECT_EQ(TypeOne(r, QStringLiteral("1,2|34.00"), u'5'), QStringLiteral("12,5|34.00"));
    // Whole value selected, separator typed: zero with its decimals, caret behind.
    const TTypedSimulation zero = DropDownSimulateChar(r, State(QStringLiteral("[1,234.00]")), u'.', {});
    EXPECT_TRUE(zero.SetTextZero);
    EXPECT_EQ(Marked(zero.State), QStringLiteral("0.|00"));
}

TEST(DropDownEditTyping, ChangeNotificationsOfAWholeSelectedValue)
{
    // Typing over it: the one change is swallowed.
    const TTypedSimulation over = DropDownSimulateChar(Rules(etString), State(QStringLiteral("[abc]")), u'x', {});
    ASSERT_EQ(over.Writes.size(), 1u);
    EXPECT_TRUE(over.Writes[0].BlockChange);
    EXPECT_FALSE(over.CallChange);
    // Backspace deleting it all: swallowed, then called once.
    const TTypedSimulation erase = DropDownSimulateChar(Rules(etString), State(QStringLiteral("[abc]")), u'\b', {});
    ASSERT_EQ(erase.Writes.size(), 1u);
    EXPECT_TRUE(erase.Writes[0].BlockChange);
    EXPECT_TRUE(erase.CallChange);
    // A refused character blocks nothing.
    const TTypedSimulation refused = DropDownSimulateChar(Rules(etNumeric), State(QStringLiteral("[12]")), u'x', {});
    EXPECT_TRUE(refused.Writes.empty());
}

TEST(DropDownEditTyping, PrefixAndSuffixStayInPlace)
{
    TDropDownEditRules r = Rules(etNumeric, 0, true);
    r.Prefix = QStringLiteral("$");
    r.Suffix = QStringLiteral(" kg");
    EXPECT_EQ(TypeOne(r, QStringLiteral("$12| kg"), u'-'), QStringLiteral("$-12| kg"));
    EXPECT_EQ(TypeOne(r, QStringLiteral("$[12] kg"), u'-'), QStringLiteral("$-| kg"));
    EXPECT_EQ(TypeOne(r, QStringLiteral("$|12 kg"), u'\b'), QStringLiteral("dropped"));
    r.EditType = etFloat;
    r.Precision = 2;
    EXPECT_EQ(TypeOne(r, QStringLiteral("$| kg"), u'.'), QStringLiteral("$0.| kg"));
}

TEST(DropDownEditTyping, KeypadSeparatorAndLengthLimit)
{
    TDropDownEditRules r = Rules(etFloat, 2);
    r.DS = u',';
    r.TS = u'.';
    r.ExcelStyleDecimalSeparator = true;
    TTypedCharContext keypad;
    keypad.KeypadKey = true;
    EXPECT_EQ(TypeOne(r, QStringLiteral("12|"), u'.', keypad), QStringLiteral("12,|"));
    TDropDownEditRules limited = Rules(etNumeric);
    limited.LengthLimit = 3;
    EXPECT_EQ(TypeOne(limited, QStringLiteral("123|"), u'4'), QStringLiteral("dropped"));
    EXPECT_EQ(TypeOne(limited, QStringLiteral("12|"), u'3'), QStringLiteral("123|"));
}

TEST(DropDownEditValue, ComposedTexts)
{
    EXPECT_EQ(DropDownComposeText(Rules(etNumeric), QString()), QStringLiteral("0"));
    EXPECT_EQ(DropDownComposeText(Rules(etString), QString()), QString());
    EXPECT_EQ(DropDownComposeText(Rules(etFloat, 2), QStringLiteral("3.14159")), QStringLiteral("3.14"));
    EXPECT_EQ(DropDownComposeText(Rules(etMoney, 2), QStringLiteral("1234567.5")), QStringLiteral("1,234,567.50"));
    EXPECT_EQ(DropDownComposeText(Rules(etFloat, 2), QStringLiteral("Error")), QStringLiteral("Error"));
    EXPECT_EQ(DropDownComposeText(Rules(etHex), QStringLiteral("ff")), QStringLiteral("FF"));
}

TEST(DropDownEditValue, NumbersWrittenAndRead)
{
    EXPECT_EQ(DropDownFloatText(Rules(etString, 2), 3.14159), QStringLiteral("3.14"));
    EXPECT_EQ(DropDownFloatText(Rules(etString, -1), 3.14159), QStringLiteral("3.14159"));
    EXPECT_EQ(DropDownFloatText(Rules(etHex), 255.9), QStringLiteral("FF"));
    EXPECT_EQ(DropDownFloatText(Rules(etUppercase), 1.0), std::nullopt);
    EXPECT_EQ(DropDownFloatValue(Rules(etFloat, 2), QStringLiteral("Error")), 0);
    EXPECT_EQ(DropDownFloatValue(Rules(etNumeric), QStringLiteral("-")), 0);
    EXPECT_EQ(DropDownFloatValue(Rules(etMoney, 2), QStringLiteral("1,234.")), 1234);
    EXPECT_EQ(DropDownFloatValue(Rules(etString), QStringLiteral("12abc")), 12);
    EXPECT_EQ(DropDownFloatValue(Rules(etString), QStringLiteral("abc")), 0);
    EXPECT_EQ(DropDownFloatValue(Rules(etString), QStringLiteral("2.5e2x")), 250);
}

TEST(DropDownEditValue, TwentyFiveDigitMoneyKeepsEveryDigit)
{
    TDropDownEditState s;
    s.Text = QStringLiteral("1234567890123456789012345.67");
    s.SelStart = int(s.Text.size());
    const auto t = ApplyThousandSeparatorsTo(Rules(etMoney, 2), s);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->State.Text, QStringLiteral("1,234,567,890,123,456,789,012,345.67"));
    EXPECT_EQ(t->State.SelStart, int(t->State.Text.size()));
    EXPECT_TRUE(t->Changed);
}

TEST(DropDownEditKeys, PrefixAndSuffixOutOfTheCaretsReach)
{
    TDropDownEditRules r = Rules(etString);
    r.Prefix = QStringLiteral("<");
    r.Suffix = QStringLiteral(">");
    // "<abc>": P 1, V 3.
    EXPECT_TRUE(DropDownKeyDown(r, State(QStringLiteral("<abc|>")), VK_RIGHT, false).Swallowed);
    EXPECT_TRUE(DropDownKeyDown(r, State(QStringLiteral("<|abc>")), VK_LEFT, false).Swallowed);
    EXPECT_FALSE(DropDownKeyDown(r, State(QStringLiteral("<a|bc>")), VK_LEFT, false).Swallowed);
    const TKeyDownOutcome end = DropDownKeyDown(r, State(QStringLiteral("<|abc>")), VK_END, false);
    ASSERT_TRUE(end.Selection);
    EXPECT_EQ(end.Selection->SelStart, 3) << "End goes to V, which counts no Prefix";
    const TKeyDownOutcome home = DropDownKeyDown(r, State(QStringLiteral("<ab|c>")), VK_HOME, true);
    ASSERT_TRUE(home.Selection);
    EXPECT_EQ(home.Anchor, 4);
    EXPECT_EQ(home.Selection->SelStart, 1);
    EXPECT_TRUE(DropDownKeyDown(r, State(QStringLiteral("<a|bc>")), VK_BACK, false).Swallowed);
    EXPECT_TRUE(DropDownKeyDown(r, State(QStringLiteral("<abc|>")), VK_DELETE, false).Swallowed);
}

TEST(DropDownEditPaste, PerTypeWithLimitAndCaret)
{
    // Shown: the edit text after the paste (the control writes the value).
    const struct {
        TDropDownEditRules R;
        const char* Before;
        const char* Clip;
        TPasteAction Action;
        const char* Value;
        const char* Shown;
        const char* Caret;
    } cases[] = {
        {Rules(etString), "ab|", "cd", TPasteAction::SetText, "abcd", "abcd", "abcd|"},
        {Rules(etString), "a[b]c", "XY", TPasteAction::SetText, "aXYc", "aXYc", "a[XY]c"},
        {Rules(etNumeric), "1|", "23", TPasteAction::SetText, "123", "123", "123|"},
        {Rules(etNumeric), "1|", "2x", TPasteAction::Nothing, "12x", "1", "1|"},
        {Rules(etNumeric), "1|", "-2", TPasteAction::Nothing, "1-2", "1", "1|"},
        {Rules(etFloat, 2), "[1]", "2.5", TPasteAction::SetTextAndReformat, "2.5", "2.50", "[2.5]0"},
        {Rules(etFloat, 0), "1|", ".5", TPasteAction::Nothing, "1.5", "1", "1|"},
        {Rules(etUppercase), "a|", "bc", TPasteAction::SetText, "abc", "ABC", "ABC|"},
        {Rules(etRange), "1|", "-2", TPasteAction::Nothing, "1-2", "1", "1|"},
        {Rules(etHex), "1|", "F", TPasteAction::Nothing, "1F", "1", "1|"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Before) + " + " + c.Clip);
        const TPastePlan plan =
            DropDownPastePlan(c.R, State(QString::fromLatin1(c.Before)), QString::fromLatin1(c.Clip));
        EXPECT_EQ(plan.Action, c.Action);
        EXPECT_EQ(plan.NewValue, QString::fromLatin1(c.Value));
        // The caret is set even when the type refused the text, inside the
        // text that stayed.
        EXPECT_EQ(Marked(DropDownPasteSelection(c.R, plan, QString::fromLatin1(c.Shown))),
                  QString::fromLatin1(c.Caret));
    }
    TDropDownEditRules limited = Rules(etString);
    limited.MaxLength = 4;
    EXPECT_TRUE(DropDownPastePlan(limited, State(QStringLiteral("abc|")), QStringLiteral("de")).TooLong);
    EXPECT_FALSE(DropDownPastePlan(limited, State(QStringLiteral("a[bc]")), QStringLiteral("de")).TooLong);
    // Money longer than three characters is selected whole.
    TPastePlan money = DropDownPastePlan(Rules(etMoney, 2), State(QStringLiteral("|")), QStringLiteral("1234"));
    EXPECT_EQ(Marked(DropDownPasteSelection(Rules(etMoney, 2), money, QStringLiteral("1,234.00"))),
              QStringLiteral("[1,234.00]"));
}

TEST(DropDownEditLeave, NumbersAreNormalised)
{
    TDropDownEditRules nullable = Rules(etNumeric);
    nullable.AllowNumericNullValue = true;
    EXPECT_EQ(DropDownLeaveAction(Rules(etNumeric), QString()), TLeaveAction::SetZeroText);
    EXPECT_EQ(DropDownLeaveAction(nullable, QString()), TLeaveAction::Nothing);
    EXPECT_EQ(DropDownLeaveAction(Rules(etFloat, 2), QStringLiteral("1.5")), TLeaveAction::Reformat);
    EXPECT_EQ(DropDownLeaveAction(Rules(etMoney), QString()), TLeaveAction::SetZeroFloat);
    EXPECT_EQ(DropDownLeaveAction(Rules(etString, 2), QString()), TLeaveAction::Nothing);
}

}  // namespace
