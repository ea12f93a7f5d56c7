// The table window pattern on a page whose grid is a string grid with
// check-box cells, built by its window: clearing the boxes, saving them as
// "Y"/"N", the validation walk reading the Enable box, and the row
// buttons taking the check-box forms of the row operations.

#include "../app/AppTestKit.h"
#include "AdvGrid.h"
#include "ClassesLists.h"
#include "UTableWindow.h"
#include "XmlDoc.h"

namespace {

// One page: column 1 an Enable box, column 2 the key, column 3 a number
// that must be 0 to 9.
class TBoxTableForm : public TTableForm {
public:
    DECLARE_CLASSNAME(TBoxTableForm)
    explicit TBoxTableForm(TComponent* AOwner) : TTableForm(AOwner, 800, {1200, 1270, 1460})
    {
        ASG = Create<TAdvStringGrid>(this);
        ASG->SetParent(this);
        ASG->SetAlign(alClient);
        ASG->SetColCount(4);
        ASG->SetRowCount(5);
        for (int r = 1; r < ASG->RowCount(); ++r)
            ASG->AddCheckBox(1, r, false, false);
        TTableGridSpec spec;
        spec.Name = QStringLiteral("ASG");
        spec.DataRows = 4;
        spec.FixedHeader = 1216;
        spec.Columns = {{1217, edDataCheckBox, {}, 50, clWindow, taCenter, QStringLiteral("Enable"), QStringLiteral("Y")},
                        {1218, edNormal, {}, 100, clWindow, taLeftJustify, QStringLiteral("Name"), std::nullopt},
                        {1219, edNormal, {}, 60, clWindow, taLeftJustify, QStringLiteral("Value"), QString()}};
        spec.Hints = {1244, 1245, 1246};
        AddStringGridPage(spec, ASG);
    }
    ~TBoxTableForm() override { delete Hints; }

    TAdvStringGrid* ASG = nullptr;
    bool Do_Copy = false;
    TStringList* Hints = new TStringList;
    QString Path;

    bool Controllo_dati() override
    {
        return ValidationWalk([this](int, int row) {
            int v = -1;
            return TryStrToInt(ASG->Cells(3, row), v) && v >= 0 && v <= 9 ? QString() : QStringLiteral("!! bad");
        });
    }

protected:
    QString TablePath() const override { return Path; }
    QString TableRoot() const override { return QStringLiteral("Boxes"); }
    QString TableVersion() const override { return QStringLiteral("1.000"); }
    bool& CopyFlag(int) override { return Do_Copy; }
    TStringList* HintList(int) override { return Hints; }
};

class TableWindowBoxes : public AppWindowsFixture {};

bool Box(TAdvStringGrid* g, int row)
{
    bool state = false;
    EXPECT_TRUE(g->GetCheckBoxState(1, row, state));
    return state;
}

}  // namespace

TEST_F(TableWindowBoxes, AStringGridPageKeepsItsBoxesThroughShowValidateAndSave)
{
    Start();
    auto* w = new TBoxTableForm(Application);
    w->AfterConstruction();
    w->Path = Dir() + QStringLiteral("/Boxes.xml");
    WriteFile(QStringLiteral("Boxes.xml"),
              "<Boxes><row Enable=\"Y\" Name=\"a\" Value=\"42\"/><row Enable=\"Y\" Name=\"b\" Value=\"3\"/>"
              "<row Name=\"c\" Value=\"4\"/></Boxes>");
    w->FormShow();
    EXPECT_EQ(w->ASG->Cells(2, 0), LangText(1218));
    EXPECT_EQ(w->ASG->Cells(3, 1), "42");
    // (How a stored "N" reads into a box belongs to the windows that keep
    // such files; here the user clears the box.)
    w->ASG->SetCheckBoxState(1, 1, false);
    EXPECT_FALSE(Box(w->ASG, 1));
    EXPECT_TRUE(Box(w->ASG, 2));
    EXPECT_TRUE(Box(w->ASG, 3));  // the Enable default
    EXPECT_TRUE(Box(w->ASG, 4));  // a cleared row's box is checked
    EXPECT_EQ(w->ASG->Cells(0, 4), "4");
    // Row 1 is disabled, so its bad value passes.
    EXPECT_TRUE(w->Controllo_dati());

    // Insert at row 1 moves the boxes down and checks the new row's box.
    w->ASG->SetRow(1);
    w->Btn_InsRow->Click();
    EXPECT_TRUE(Box(w->ASG, 1));
    EXPECT_EQ(w->ASG->Cells(2, 1), "");
    EXPECT_FALSE(Box(w->ASG, 2));
    EXPECT_EQ(w->ASG->Cells(2, 2), "a");
    // Delete it again: row 1 is the disabled "a" once more.
    {
        DialogResponder r;
        r.ExpectMessage(LangText(1460) + "1", mrYes);
        w->Btn_DelRow->Click();
    }
    EXPECT_FALSE(Box(w->ASG, 1));
    EXPECT_EQ(w->ASG->Cells(2, 1), "a");

    // Copy the disabled row and paste it into the empty row 4.
    w->ASG->SetRow(1);
    w->Btn_CopyRow->Click();
    w->ASG->SetRow(4);
    w->Btn_PasteRow->Click();
    EXPECT_FALSE(Box(w->ASG, 4));
    EXPECT_EQ(w->ASG->Cells(3, 4), "42");

    // Enabling it makes the walk report it; OK keeps the window open.
    w->ASG->SetCheckBoxState(1, 4, true);
    {
        DialogResponder r;
        r.ExpectMessage(LangText(1270) + "4!! bad", mrOk, mtError);
        w->Btn_OK->Click();
        EXPECT_EQ(r.Pending(), 0);
    }
    w->ASG->SetCells(3, 4, "5");
    w->Btn_OK->Click();
    EXPECT_EQ(w->ModalResult(), mrOk);

    TXmlDocument doc;
    ASSERT_TRUE(doc.LoadFromFile(w->Path));
    const TXmlNode root = doc.DocumentElement();
    ASSERT_EQ(root.ChildElementCount(), 4);
    const char* enables[] = {"N", "Y", "Y", "Y"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(root.ChildElementAt(i).AttributeOr(QStringLiteral("Enable"), "?"), enables[i]) << i;
    EXPECT_EQ(root.ChildElementAt(3).AttributeOr(QStringLiteral("Value"), "?"), "5");
}
