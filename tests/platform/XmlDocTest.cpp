#include "XmlDoc.h"

#include "Files.h"
#include "TestHarness.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {

TXmlLoadResult Load(TXmlDocument& doc, const char* text) { return doc.LoadFromBytes(QByteArray(text)); }

}  // namespace

// The shape of a table file: root, a version comment after it, sections of
// attribute-only rows whose attributes are the columns in order.
TEST(XmlDoc, TableFileRoundTripKeepsOrderAndValues)
{
    const QStringList names = {"Col_Z", "Col_A", "Mid", "b", "A2", "x", "Q", "c3", "Long_Name", "e", "d", "a"};
    const QStringList values = {
        "a&b", "<tag>", "say \"hi\"", "line1\r\nline2", "tab\there", "lf\nonly",
        "Grüße €", "日本", "", "  blanks  ", "'apos'", "$FFFF"};

    TXmlDocument doc;
    TXmlNode root = doc.AddChild("S7_Protocol");
    doc.AddComment("SW_VERSION = 1.004");
    for (const char* sec : {"Read", "Write"}) {
        TXmlNode s = root.AddChild(sec);
        for (int r = 0; r < 2; ++r) {
            TXmlNode row = s.AddChild("row");
            for (int i = 0; i < names.size(); ++i) row.SetAttribute(names[i], values[i]);
        }
    }
    const QString file = TestHarness::ProgramPath("S7_Protocol.xml");
    TWriteResult w = doc.SaveToFile(file);
    ASSERT_TRUE(w.Ok) << w.Error.toStdString();

    const QByteArray bytes = ReadFileBytes(file);
    EXPECT_TRUE(bytes.startsWith("<S7_Protocol>")) << bytes.left(40).toStdString();
    EXPECT_TRUE(bytes.contains("&#13;&#10;"));
    EXPECT_FALSE(bytes.contains('\t'));  // written as a character reference
    EXPECT_TRUE(bytes.contains("\n  <Read>"));

    TXmlDocument back;
    TXmlLoadResult r = back.LoadFromFile(file);
    ASSERT_TRUE(r.Ok) << r.Message.toStdString();
    ASSERT_EQ(back.Nodes().size(), 2);
    EXPECT_EQ(back.Nodes()[1].NodeType(), TXmlNodeType::Comment);
    EXPECT_EQ(back.Nodes()[1].Value(), "SW_VERSION = 1.004");
    TXmlNode broot = back.DocumentElement();
    EXPECT_EQ(broot.Name(), "S7_Protocol");
    ASSERT_EQ(broot.ChildElementCount(), 2);
    EXPECT_EQ(broot.ChildElementAt(1).Name(), "Write");
    TXmlNode row = broot.ChildElement("Write").ChildElementAt(1);
    const auto attrs = row.Attributes();
    ASSERT_EQ(attrs.size(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        EXPECT_EQ(attrs[i].first, names[i]);
        EXPECT_EQ(attrs[i].second, values[i]) << "attribute " << i;
    }
}

TEST(XmlDoc, ElementTextAndSetText)
{
    TXmlDocument doc;
    TXmlNode root = doc.AddChild("Par_Gen");
    root.AddChild("IP").SetText("192.0.2.7 & <x>");
    root.AddChild("Empty").SetText("");
    doc.AddComment("SW_VERSION = 1.000");
    TXmlDocument back;
    ASSERT_TRUE(back.LoadFromBytes(doc.SaveToBytes()).Ok);
    EXPECT_EQ(back.DocumentElement().ChildElement("IP").Text(), "192.0.2.7 & <x>");
    EXPECT_EQ(back.DocumentElement().ChildElement("Empty").Text(), "");

    // Text gathers every descendant text and CDATA node; SetText replaces them.
    ASSERT_TRUE(Load(doc, "<a>one<b>two<c><![CDATA[<3>]]></c></b> four</a>").Ok);
    TXmlNode a = doc.DocumentElement();
    EXPECT_EQ(a.Text(), "onetwo<3> four");
    a.SetText("new");
    EXPECT_EQ(a.ChildNodes().size(), 1);
    EXPECT_EQ(a.Text(), "new");
}

TEST(XmlDoc, AbsentAttributeIsToldFromEmpty)
{
    TXmlDocument doc;
    ASSERT_TRUE(Load(doc, "<r><row a=\"\" b=\"1\"/></r>").Ok);
    TXmlNode row = doc.DocumentElement().ChildElementAt(0);
    ASSERT_TRUE(row.Attribute("a").has_value());
    EXPECT_EQ(*row.Attribute("a"), "");
    EXPECT_EQ(*row.Attribute("b"), "1");
    EXPECT_FALSE(row.Attribute("c").has_value());
    EXPECT_EQ(row.AttributeOr("c", "dflt"), "dflt");
    EXPECT_EQ(row.AttributeOr("a", "dflt"), "");
    row.SetAttribute("a", "x");
    EXPECT_EQ(row.Attributes().first().second, "x");  // changed in place
}

TEST(XmlDoc, NullHandleAnswersAbsentAndNeverThrows)
{
    TXmlDocument doc;
    ASSERT_TRUE(Load(doc, "<r><a/></r>").Ok);
    TXmlNode missing = doc.DocumentElement().ChildElement("nope");
    EXPECT_TRUE(missing.IsNull());
    // Absent and empty are told apart.
    EXPECT_EQ(doc.DocumentElement().ChildText("a"), QString());
    EXPECT_FALSE(doc.DocumentElement().ChildText("nope").has_value());
    EXPECT_NO_THROW({
        EXPECT_EQ(missing.Name(), "");
        EXPECT_EQ(missing.Text(), "");
        EXPECT_EQ(missing.ChildElementCount(), 0);
        EXPECT_TRUE(missing.ChildElementAt(0).IsNull());
        EXPECT_TRUE(missing.ChildElement("x").ChildElement("y").IsNull());
        EXPECT_FALSE(missing.ChildText("x").has_value());
        EXPECT_FALSE(missing.Attribute("a").has_value());
        EXPECT_EQ(missing.AttributeOr("a", "d"), "d");
        EXPECT_TRUE(missing.Attributes().isEmpty());
        EXPECT_TRUE(missing.ChildNodes().isEmpty());
        missing.SetAttribute("a", "1");
        missing.SetText("t");
        EXPECT_TRUE(missing.AddChild("c").IsNull());
    });
    EXPECT_TRUE(doc.DocumentElement().ChildElementAt(1).IsNull());
    EXPECT_TRUE(doc.DocumentElement().ChildElementAt(-1).IsNull());
    TXmlDocument empty;
    EXPECT_TRUE(empty.DocumentElement().IsNull());
}

TEST(XmlDoc, RootFoundAfterDeclarationAndComment)
{
    TXmlDocument doc;
    ASSERT_TRUE(Load(doc, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- made by hand -->\n"
                          "<!DOCTYPE Conf_Settings>\n<Conf_Settings><Lang>English</Lang></Conf_Settings>\n")
                    .Ok);
    EXPECT_EQ(doc.DocumentElement().Name(), "Conf_Settings");
    const auto nodes = doc.Nodes();
    ASSERT_EQ(nodes.size(), 3);
    EXPECT_EQ(nodes[0].NodeType(), TXmlNodeType::Declaration);
    EXPECT_EQ(nodes[1].NodeType(), TXmlNodeType::Comment);
    EXPECT_EQ(doc.DocumentElement().ChildElement("Lang").Text(), "English");
    // A declaration in the file is written back.
    EXPECT_TRUE(doc.SaveToBytes().startsWith("<?xml version=\"1.0\""));
}

TEST(XmlDoc, ElementChildrenSkipCommentsAndWhitespace)
{
    TXmlDocument doc;
    ASSERT_TRUE(Load(doc, "<t>\n  <row n=\"1\"/>\n  <!-- note -->\n  <?pi x?>\n  <row n=\"2\"/>\n  text\n  <row n=\"3\"/>\n</t>").Ok);
    TXmlNode t = doc.DocumentElement();
    EXPECT_EQ(t.ChildElementCount(), 3);
    EXPECT_EQ(*t.ChildElementAt(1).Attribute("n"), "2");
    EXPECT_EQ(*t.ChildElementAt(2).Attribute("n"), "3");
    // The full walk sees the comment, the instruction and the text, but no
    // whitespace-only text.
    QList<TXmlNodeType> kinds;
    for (const TXmlNode& n : t.ChildNodes()) kinds << n.NodeType();
    EXPECT_EQ(kinds, (QList<TXmlNodeType>{TXmlNodeType::Element, TXmlNodeType::Comment,
                                          TXmlNodeType::ProcessingInstruction, TXmlNodeType::Element,
                                          TXmlNodeType::Text, TXmlNodeType::Element}));
}

TEST(XmlDoc, BrokenFileGivesLineAndColumn)
{
    struct Case {
        QByteArray bytes;
        int line;
        int column;
    } cases[] = {
        {"<r>\n  <a>\n  </b>\n</r>", 3, 5},
        {"<r>\r\n<a x=1/>\r\n</r>", 2, 6},
        {"", 1, 1},
    };
    for (const Case& c : cases) {
        TXmlDocument doc;
        TXmlLoadResult r = doc.LoadFromBytes(c.bytes);
        EXPECT_FALSE(r.Ok) << c.bytes.toStdString();
        EXPECT_FALSE(r.Message.isEmpty());
        EXPECT_EQ(r.Line, c.line) << c.bytes.toStdString();
        EXPECT_EQ(r.Column, c.column) << c.bytes.toStdString();
        EXPECT_EQ(r.Reason(), QStringLiteral("%1 (line %2, column %3)").arg(r.Message).arg(c.line).arg(c.column));
        EXPECT_TRUE(doc.Nodes().isEmpty());
    }
    // UTF-16 input: the position is counted in characters of the text.
    QStringEncoder enc(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    QByteArray u16 = enc.encode(QStringLiteral("<r>\n<é>\n</x></r>"));
    TXmlDocument doc;
    TXmlLoadResult r = doc.LoadFromBytes(u16);
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Line, 3);

    TXmlLoadResult missing = doc.LoadFromFile(TestHarness::ProgramPath("none.xml"));
    EXPECT_FALSE(missing.Ok);
    EXPECT_TRUE(missing.Message.startsWith("Cannot open file")) << missing.Message.toStdString();
}

TEST(XmlDoc, ClearDocumentThenNewRootLeavesOneNode)
{
    TXmlDocument doc;
    ASSERT_TRUE(Load(doc, "<?xml version=\"1.0\"?><!-- c --><old/><!-- d -->").Ok);
    doc.ClearDocument();
    EXPECT_TRUE(doc.Nodes().isEmpty());
    doc.AddChild("Ethernet_Update").AddChild("File").SetText("a.bin");
    ASSERT_EQ(doc.Nodes().size(), 1);
    EXPECT_EQ(doc.SaveToBytes(), QByteArray("<Ethernet_Update>\n  <File>a.bin</File>\n</Ethernet_Update>\n"));
    doc.AddDeclaration();
    EXPECT_TRUE(doc.SaveToBytes().startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Ethernet_Update>"));
}

TEST(XmlDoc, FailedSaveReportsReasonAndKeepsOldFile)
{
    TXmlDocument doc;
    doc.AddChild("r");
    TWriteResult w = doc.SaveToFile(TestHarness::ProgramPath("missing/dir/x.xml"));
    EXPECT_FALSE(w.Ok);
    EXPECT_FALSE(w.Error.isEmpty());
}

TEST(XmlDoc, EntitiesAndDoctypeAreNotExpanded)
{
    // An internal entity declaration is not expanded, an external one not fetched.
    TXmlDocument doc;
    TXmlLoadResult r = Load(doc, "<!DOCTYPE r [<!ENTITY e SYSTEM \"file:///etc/passwd\"><!ENTITY x \"xx\">]>"
                                 "<r a=\"&x;\">&e;</r>");
    ASSERT_TRUE(r.Ok) << r.Message.toStdString();
    EXPECT_EQ(doc.DocumentElement().Text(), "&e;");
    EXPECT_EQ(*doc.DocumentElement().Attribute("a"), "&x;");
}
