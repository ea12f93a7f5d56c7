// The grid's drop-down cell editors: opening over the cell, picking, Enter
// storing the choice, Esc restoring the cell, validation and the relays.
#include "AdvGridDropDownEditors.h"
#include "AdvGridEditTestKit.h"
#include "AdvDropDownForm.h"
#include "AdvObj.h"
#include "ImgList.h"
#include "TestHarness.h"

#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

void OpenDropDownEditor(EditFixture& f, TEditorType t, const QString& text)
{
    f.Grid->SetCells(1, 1, text);
    f.Grid->OnGetEditorType = [t](TObject*, int, int, TEditorType& e) { e = t; };
    f.Start(1, 1);
    f.Key(Qt::Key_F2);
    f.Pump();
}

TAdvCustomDropDown* EditorOf(EditFixture& f, TEditorType t)
{
    switch (t) {
    case edTrackbarDropDown: return f.Grid->TrackbarDropDown();
    case edMemoDropDown: return f.Grid->MemoDropDown();
    case edCalculatorDropDown: return f.Grid->CalculatorDropDown();
    case edTimePickerDropDown: return f.Grid->TimePickerDropDown();
    case edDetailDropDown: return f.Grid->DetailPickerDropDown();
    case edColorPickerDropDown: return f.Grid->ColorPickerDropDown();
    case edImagePickerDropDown: return f.Grid->ImagePickerDropDown();
    case edGridDropDown: return f.Grid->GridDropDown();
    case edAdvGridDropDown: return f.Grid->AdvGridDropDown();
    default: return nullptr;
    }
}

const TEditorType GridDropDownTypes[] = {edTrackbarDropDown, edMemoDropDown, edCalculatorDropDown,
                                         edTimePickerDropDown, edDetailDropDown, edColorPickerDropDown,
                                         edImagePickerDropDown, edGridDropDown, edAdvGridDropDown};

TEST(GridDropDownEditors, GettersMakeHiddenStyledChildren)
{
    EditFixture f;
    for (TEditorType t : GridDropDownTypes) {
        TAdvCustomDropDown* d = EditorOf(f, t);
        ASSERT_TRUE(d) << t;
        EXPECT_EQ(d, EditorOf(f, t)) << "made once";
        EXPECT_EQ(d->Parent(), f.Grid);
        EXPECT_FALSE(d->Visible());
        EXPECT_FALSE(d->Enabled());
        EXPECT_EQ(d->GetComponentStyle(), f.Grid->Style());
    }
    EXPECT_TRUE(f.Grid->TrackbarDropDown()->EditorEnabled());
    EXPECT_TRUE(f.Grid->CalculatorDropDown()->EditorEnabled());
    EXPECT_FALSE(f.Grid->TimePickerDropDown()->FocusDraw());
    EXPECT_EQ(f.Grid->ColorPickerDropDown()->Colors()->Count(), 16);
    EXPECT_EQ(f.Grid->TrackbarDropDown()->FGrid, f.Grid);
    EXPECT_TRUE(f.Grid->TrackbarDropDown()->WorkMode);
}

TEST(GridDropDownEditors, EscRestoresTheCellAndLeaves)
{
    for (TEditorType t : GridDropDownTypes) {
        EditFixture f;
        f.Grid->DetailPickerDropDown()->Items()->Add()->SetCaption(QStringLiteral("Other"));
        OpenDropDownEditor(f, t, QStringLiteral("7"));
        TAdvCustomDropDown* d = EditorOf(f, t);
        ASSERT_TRUE(d->Visible()) << t;
        EXPECT_EQ(d->BoundsRect().Left, f.Grid->CellRect(1, 1).Left) << t;
        if (d->EditorEnabled()) f.Type(QStringLiteral("9"));
        f.Key(Qt::Key_Escape);
        f.Pump();
        EXPECT_FALSE(d->Visible()) << t;
        EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("7")) << t;
        EXPECT_FALSE(f.Grid->EditMode) << t;
    }
}

TEST(GridDropDownEditors, TrackbarStoresItsNumber)
{
    EditFixture f;
    f.Grid->TrackbarDropDown()->SetMax(20);
    OpenDropDownEditor(f, edTrackbarDropDown, QStringLiteral("4"));
    EXPECT_EQ(f.Grid->TrackbarDropDown()->Position(), 4);
    f.Grid->TrackbarDropDown()->SetPosition(6);
    f.Key(Qt::Key_Return);
    f.Pump();
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("6"));
    // A cell that is no number opens at the minimum.
    f.Grid->TrackbarDropDown()->SetMin(2);
    OpenDropDownEditor(f, edTrackbarDropDown, QStringLiteral("abc"));
    EXPECT_EQ(f.Grid->TrackbarDropDown()->Position(), 2);
    f.Key(Qt::Key_Escape);
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("abc"));
}

TEST(GridDropDownEditors, CalculatorComputesBeforeStoring)
{
    EditFixture f;
    OpenDropDownEditor(f, edCalculatorDropDown, QStringLiteral("2"));
    TGridCalculatorDropDown* d = f.Grid->CalculatorDropDown();
    f.Key(Qt::Key_Plus, Qt::NoModifier, QStringLiteral("+"));
    f.Key(Qt::Key_3, Qt::NoModifier, QStringLiteral("3"));
    f.Key(Qt::Key_Return);
    f.Pump();
    EXPECT_FALSE(d->Visible());
    EXPECT_EQ(f.Grid->Cells(1, 1).toDouble(), 5.0) << f.Grid->Cells(1, 1).toStdString();
}

TEST(GridDropDownEditors, DetailPicksWithKeysAndMouse)
{
    EditFixture f;
    TGridDetailPickerDropDown* d = f.Grid->DetailPickerDropDown();
    for (const char* c : {"Ethernet", "Serial", "Profibus"}) d->Items()->Add()->SetCaption(QString::fromLatin1(c));
    OpenDropDownEditor(f, edDetailDropDown, QStringLiteral("Serial"));
    EXPECT_EQ(d->ItemIndex(), 1);
    f.Key(Qt::Key_Down, Qt::AltModifier);
    f.Pump();
    ASSERT_TRUE(d->DroppedDown());
    TestHarness::GrabToPng(f.Form, TestHarness::GrabPath(QStringLiteral("grid-detail-editor.png")));
    TestHarness::GrabToPng(d->DropDownForm(), TestHarness::GrabPath(QStringLiteral("grid-detail-editor-popup.png")));
    f.Key(Qt::Key_Down);
    EXPECT_EQ(d->ItemIndex(), 2);
    f.Key(Qt::Key_Return);
    f.Pump();
    EXPECT_FALSE(d->Visible());
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("Profibus"));

    // Opened at once with DirectComboDrop, a click takes the item.
    f.Grid->MouseActions()->SetDirectComboDrop(true);
    OpenDropDownEditor(f, edDetailDropDown, QString());
    ASSERT_TRUE(d->DroppedDown());
    TCustomItemSelector* p = d->ItemSelector()->SelectorPanel();
    const TRect r = p->GetItemRect(0);
    QWidget* w = p->Widget();
    const QPointF at(r.Left + 5, r.Top + 5);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
    f.Pump();
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->Text(), QStringLiteral("Ethernet"));
    f.Key(Qt::Key_Return);
    f.Pump();
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("Ethernet"));
}

TEST(GridDropDownEditors, ColourThroughTheGridsEvent)
{
    EditFixture f;
    QString seen;
    f.Grid->OnColorSelected = [&](TObject*, int c, int r, TColor& col, QString& v) {
        seen = QStringLiteral("%1,%2 %3").arg(c).arg(r).arg(v);
        (void)col;
    };
    f.Grid->SetColors(1, 1, RgbHex(0x808000));  // Olive, entry 3
    OpenDropDownEditor(f, edColorPickerDropDown, QString());
    TGridColorDropDown* d = f.Grid->ColorPickerDropDown();
    EXPECT_EQ(d->ItemIndex(), 3);
    f.Key(Qt::Key_Down, Qt::AltModifier);
    f.Pump();
    ASSERT_TRUE(d->DroppedDown());
    // Open, Down moves in the list.
    f.Key(Qt::Key_Down);
    EXPECT_TRUE(d->DroppedDown());
    EXPECT_EQ(d->ItemIndex(), 4);
    TestHarness::GrabToPng(f.Form, TestHarness::GrabPath(QStringLiteral("grid-colour-editor.png")));
    TestHarness::GrabToPng(d->DropDownForm(), TestHarness::GrabPath(QStringLiteral("grid-colour-editor-popup.png")));
    f.Key(Qt::Key_Return);
    f.Pump();
    EXPECT_FALSE(d->Visible());
    EXPECT_EQ(seen, QStringLiteral("1,1 Navy"));
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("Navy"));
    EXPECT_EQ(f.Grid->Colors(1, 1), RgbHex(0x000080));

    // Closed, Down ends the edit and moves the current row.
    OpenDropDownEditor(f, edColorPickerDropDown, QString());
    ASSERT_TRUE(d->Visible());
    f.Key(Qt::Key_Down);
    f.Pump();
    EXPECT_FALSE(d->Visible());
    EXPECT_EQ(f.Grid->Row(), 2);
}

TEST(GridDropDownEditors, MemoRoundTripIsStable)
{
    EditFixture f;
    OpenDropDownEditor(f, edMemoDropDown, QStringLiteral("one"));
    TGridMemoDropDown* d = f.Grid->MemoDropDown();
    EXPECT_EQ(d->SelStart(), 0);
    f.Key(Qt::Key_Return);
    f.Pump();
    const QString first = f.Grid->Cells(1, 1);
    EXPECT_TRUE(first.startsWith(QStringLiteral("one"))) << first.toStdString();
    // The trailing line break of the first store stays as it is.
    OpenDropDownEditor(f, edMemoDropDown, first);
    f.Key(Qt::Key_Return);
    f.Pump();
    EXPECT_EQ(f.Grid->Cells(1, 1), first);
}

TEST(GridDropDownEditors, RefusedValueKeepsTheEditorOpen)
{
    EditFixture f;
    f.Grid->SetAlwaysValidate(true);
    f.Grid->OnCellValidate = [](TObject*, int, int, QString& v, bool& valid) {
        if (v == QStringLiteral("12:00:00")) return;
        v = QStringLiteral("12:00:00");
        valid = false;
    };
    OpenDropDownEditor(f, edTimePickerDropDown, QStringLiteral("10:30:00"));
    TGridTimepickerDropDown* d = f.Grid->TimePickerDropDown();
    EXPECT_TRUE(d->EditorEnabled());
    f.Key(Qt::Key_Return);
    f.Pump();
    EXPECT_TRUE(d->Visible());
    EXPECT_EQ(d->Text(), QStringLiteral("12:00:00"));
    EXPECT_EQ(d->SelLength(), 8);
    f.Key(Qt::Key_Return);
    f.Pump();
    EXPECT_FALSE(d->Visible());
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("12:00:00"));
}

TEST(GridDropDownEditors, ImageIndexThroughTheGridsEvent)
{
    EditFixture f;
    TImageList images;
    images.SetSize(16, 16);
    TBitmap strip;
    strip.SetSize(48, 16);
    for (int i = 0; i < 3; ++i) {
        strip.Canvas()->Brush()->SetColor(TColor(0x3050A0 + i * 0x304000));
        strip.Canvas()->FillRect(TRect(i * 16, 0, i * 16 + 16, 16));
    }
    images.Add(&strip);
    f.Grid->SetGridImages(&images);
    f.Grid->AddImageIdx(1, 1, 0, haBeforeText, vaCenter);
    QString seen;
    f.Grid->OnImageSelected = [&](TObject*, int c, int r, int& i) { seen = QStringLiteral("%1,%2 #%3").arg(c).arg(r).arg(i); };
    OpenDropDownEditor(f, edImagePickerDropDown, QString());
    TGridImageDropDown* d = f.Grid->ImagePickerDropDown();
    ASSERT_EQ(d->Items()->Count(), 3);
    EXPECT_EQ(d->ImageIndex(), 0);
    f.Key(Qt::Key_Down, Qt::AltModifier);
    f.Pump();
    ASSERT_TRUE(d->DroppedDown());
    f.Key(Qt::Key_Down);
    f.Key(Qt::Key_Down);
    TestHarness::GrabToPng(d->DropDownForm(), TestHarness::GrabPath(QStringLiteral("grid-image-editor-popup.png")));
    EXPECT_EQ(d->ImageIndex(), 2);
    // Enter in the list closes it and ends the edit (the picker has no typing).
    f.Key(Qt::Key_Return);
    f.Pump();
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_FALSE(d->Visible());
    EXPECT_EQ(seen, QStringLiteral("1,1 #2"));
    EXPECT_EQ(f.Grid->CellGraphics(1, 1)->CellIndex(), 2);
    f.Grid->SetGridImages(nullptr);
}

TEST(GridDropDownEditors, HeaderButtonRelay)
{
    EditFixture f;
    QString seen;
    f.Grid->OnDropDownHeaderButtonClick = [&](TObject*, int c, int r, int b) {
        seen = QStringLiteral("%1,%2 #%3").arg(c).arg(r).arg(b);
    };
    OpenDropDownEditor(f, edCalculatorDropDown, QStringLiteral("1"));
    TGridCalculatorDropDown* d = f.Grid->CalculatorDropDown();
    ASSERT_TRUE(d->OnDropDownHeaderButtonClick);
    d->OnDropDownHeaderButtonClick(d, 2);
    EXPECT_EQ(seen, QStringLiteral("1,1 #2"));
    f.Key(Qt::Key_Escape);
}

}  // namespace
