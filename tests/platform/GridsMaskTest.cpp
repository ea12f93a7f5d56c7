#include "GridsMask.h"

#include <gtest/gtest.h>

namespace {

TEST(EditMask, TypingFillsPositionsAndRefusesMisfits)
{
    struct Case {
        const char* mask;
        const char* keys;
        const char* editText;
        const char* text;
        const char* accepted;  // one flag per key
        bool complete;
    };
    const Case cases[] = {
        {"!90:00:00;1; ", "1234", "12:34:  ", "12:34:  ", "1111", false},
        {"!90:00:00;1; ", "123456", "12:34:56", "12:34:56", "111111", true},
        {"00000;0;_", "12a3", "123__", "123  ", "1101", false},
        {">LL", "ab", "AB", "AB", "11", true},
        {"<LL", "AB", "ab", "ab", "11", true},
        {"\\A00", "12", "A12", "A12", "11", true},
        {"\\A00;0", "1x2", "A12", "12", "101", true},
        {"#99", "-7", "-7_", "-7 ", "11", true},
        {"!99", "5", "5_", " 5", "1", true},
        {"LL", "1a", "a_", "a ", "01", false},
    };
    for (const auto& k : cases) {
        TEditMaskModel m(k.mask);
        QString accepted;
        for (const char* p = k.keys; *p; ++p) accepted += m.TypeChar(QChar(*p)) ? u'1' : u'0';
        EXPECT_EQ(m.EditText(), k.editText) << k.mask << " " << k.keys;
        EXPECT_EQ(m.Text(), k.text) << k.mask << " " << k.keys;
        EXPECT_EQ(accepted, k.accepted) << k.mask << " " << k.keys;
        EXPECT_EQ(m.FirstMissing() < 0, k.complete) << k.mask << " " << k.keys;
    }
}

TEST(EditMask, BackspaceAndDeleteBlankWithoutShifting)
{
    TEditMaskModel m("00:00;1;_");
    m.SetText("12:34");
    EXPECT_EQ(m.EditText(), "12:34");
    m.SetSel(3, 0);
    m.Backspace();  // over the literal to the 2
    EXPECT_EQ(m.EditText(), "1_:34");
    EXPECT_EQ(m.SelStart(), 1);
    EXPECT_EQ(m.FirstMissing(), 1);
    m.SetSel(3, 0);
    m.Delete();
    EXPECT_EQ(m.EditText(), "1_:_4");
    m.SetSel(0, 5);
    EXPECT_TRUE(m.TypeChar(u'9'));  // the selection is blanked first
    EXPECT_EQ(m.EditText(), "9_:__");
}

TEST(EditMask, LoadingTextWithoutLiteralsAndBadCharacters)
{
    TEditMaskModel m("00/00;0; ");
    m.SetText("1231");
    EXPECT_EQ(m.EditText(), "12/31");
    m.SetText("1x");
    EXPECT_EQ(m.EditText(), "1 /  ");
    EXPECT_FALSE(TEditMaskModel("").Active());
}

} // namespace
