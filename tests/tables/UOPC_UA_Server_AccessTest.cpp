// The OPC UA server variables window: the length by type and the check.

#include "UComon.h"
#include "ULanguage.h"
#include "UOPC_UA_Server_Access.h"

#include <gtest/gtest.h>

namespace {

TEST(OPCUARules, EveryTypeHasItsLengthAndOtherTextsNone)
{
    const std::map<QString, std::pair<QString, bool>> expected = {
        {"Boolean", {"1", true}}, {"Signed Byte", {"1", true}}, {"Byte", {"1", true}},
        {"Int16", {"2", true}},   {"UInt16", {"2", true}},      {"Int32", {"4", true}},
        {"UInt32", {"4", true}},  {"Float", {"4", true}},       {"Int64", {"8", true}},
        {"UInt64", {"8", true}},  {"Double", {"8", true}},      {"String", {"10", false}},
        {"ByteString", {"10", false}}};
    EXPECT_EQ(OPCUAVarTypes().size(), 13);
    for (const QString& type : OPCUAVarTypes()) {
        QString length;
        bool readOnly = false;
        ASSERT_TRUE(OPCUATypeLength(type, length, readOnly)) << type.toStdString();
        EXPECT_EQ(std::make_pair(length, readOnly), expected.at(type)) << type.toStdString();
    }
    for (const char* other : {"", "int32", "Int32 "}) {
        QString length = "7";
        bool readOnly = true;
        EXPECT_FALSE(OPCUATypeLength(QString::fromUtf8(other), length, readOnly));
        EXPECT_EQ(length, "7");
    }
}

TEST(OPCUARules, OnlyAnEnabledTypedRowIsCheckedAndItsTextIsFormatted)
{
    FillEnglishTable();
    QStringList cells = {"", "Y", "Int32", "1500", "4", "n", "Read/Write", ""};
    const TRowCells cell = [&](int c) { return cells.value(c); };
    EXPECT_EQ(OPCUARowFault(cell, true, 5), "Error row 5!! Position Must be Between 0 and 1499");
    EXPECT_EQ(OPCUARowFault(cell, false, 5), QString());
    cells[opcType] = " ";
    EXPECT_EQ(OPCUARowFault(cell, true, 5), QString());
    cells[opcType] = "Int32";
    cells[opcPosition] = "1499";
    EXPECT_EQ(OPCUARowFault(cell, true, 5), QString());
    // A translation whose placeholders do not fit is shown as it stands.
    cells[opcPosition] = "x";
    Language_Table->SetStrings(2727, QStringLiteral("Zeile %s: %d %d %d"));
    EXPECT_EQ(OPCUARowFault(cell, true, 5), "Zeile %s: %d %d %d");
    ResetSharedState();
}

}  // namespace
