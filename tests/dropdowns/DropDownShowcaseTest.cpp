// The drop-downs grabbed to PNG files to look at: a showcase form, the
// track-bar and memo pop-ups open under their edits, the pop-up background
// in every style, and an edit near the bottom of the screen opening upward.
// CALYPTOR_KEEP_GRABS names a folder that keeps a copy of each.
#include "AdvDropDownBars.h"
#include "AdvMemoDropDown.h"
#include "AdvTrackBarDropDown.h"
#include "ClassesLists.h"
#include "ComCtrls.h"
#include "DropDownFixture.h"
#include "TestHarness.h"

#include <QFile>
#include <QImage>
#include <QPainter>

namespace {

using DropDownShowcase = DropDownTest;

// Saves a picture to the test's folder (and to CALYPTOR_KEEP_GRABS).
QString Save(const QImage& shot, const QString& name)
{
    const QString path = TestHarness::ProgramDir() + QLatin1Char('/') + name;
    EXPECT_TRUE(shot.save(path)) << name.toStdString();
    if (!qEnvironmentVariableIsEmpty("CALYPTOR_KEEP_GRABS")) {
        const QString keep = qEnvironmentVariable("CALYPTOR_KEEP_GRABS") + QLatin1Char('/') + name;
        QFile::remove(keep);
        QFile::copy(path, keep);
    }
    return path;
}

// The owner form and the open pop-up in one picture, placed as on the
// screen (Origin: the screen point at the picture's top-left).
QImage Composite(TCustomForm* owner, TAdvCustomDropDown* d, TPoint Origin, QSize size)
{
    QImage shot(size, QImage::Format_RGB32);
    shot.fill(Qt::darkGray);
    QPainter p(&shot);
    p.drawPixmap(owner->Left() - Origin.X, owner->Top() - Origin.Y, owner->Widget()->grab());
    TDropDownForm* f = d->DropDownForm();
    p.drawPixmap(f->Left() - Origin.X, f->Top() - Origin.Y, f->Widget()->grab());
    return shot;
}

QImage OpenBelow(TCustomForm* owner, TAdvCustomDropDown* d)
{
    return Composite(owner, d, TPoint(owner->Left(), owner->Top()),
                     QSize(owner->Width() + 40, owner->Height() + 160));
}

TEST_F(DropDownShowcase, EveryKindOnOneForm)
{
    Form->SetBounds(100, 100, 560, 380);
    auto* track = Add<TAdvTrackBarDropDown>(130, 20);
    track->SetPosition(4);
    auto* memoOn = Add<TAdvMemoDropDown>(130, 50);
    memoOn->SetEditorEnabled(true);
    memoOn->MemoText()->SetText(QStringLiteral("Gateway 1"));
    auto* memoOff = Add<TAdvMemoDropDown>(130, 80);
    memoOff->SetEditorEnabled(false);
    memoOff->MemoText()->SetText(QStringLiteral("First line of the notes\r\nSecond line"));
    auto* real = Add<TTestListDropDown>(130, 110);
    real->SetEditType(etFloat);
    real->SetPrecision(2);
    real->SetFloatValue(3.14159);
    auto* money = Add<TTestListDropDown>(130, 140);
    money->SetEditType(etMoney);
    money->SetPrecision(2);
    money->SetFloatValue(1234567.5);
    auto* numeric = Add<TTestListDropDown>(130, 170);
    numeric->SetEditType(etNumeric);
    numeric->SetSigned(true);
    numeric->SetIntValue(-42);
    auto* flat = Add<TTestListDropDown>(130, 200);
    flat->SetFlat(true);
    flat->SetText(QStringLiteral("Flat"));
    auto* disabled = Add<TTestListDropDown>(130, 230);
    disabled->SetText(QStringLiteral("Disabled"));
    disabled->SetEnabled(false);
    auto* coloured = Add<TTestListDropDown>(130, 260);
    coloured->SetText(QStringLiteral("Border colours"));
    coloured->SetBorderColor(clNavy);
    coloured->SetFocusBorderColor(clRed);
    auto* focusBox = Add<TTestListDropDown>(130, 290);
    focusBox->SetEditorEnabled(false);
    focusBox->SetText(QStringLiteral("Focus box"));
    const char* labels[] = {"Track bar", "Memo (typing)", "Memo", "Float", "Money", "Signed", "Flat",
                            "Disabled", "Colours", "Focus box"};
    TAdvCustomDropDown* all[] = {track, memoOn, memoOff, real, money, numeric, flat, disabled, coloured, focusBox};
    for (int i = 0; i < 10; ++i) {
        all[i]->SetLabelMargin(6);
        all[i]->SetLabelCaption(QString::fromLatin1(labels[i]));
        all[i]->SetLabelPosition(lpLeftCenter);
    }
    ShowForm();
    focusBox->SetFocus();
    QApplication::processEvents();
    const QImage img = Form->Widget()->grab().toImage();
    EXPECT_FALSE(img.isNull());
    Save(img, QStringLiteral("dropdowns.png"));
    EXPECT_EQ(real->Text(), QStringLiteral("3.14"));
    EXPECT_EQ(money->Text(), QStringLiteral("1,234,567.50"));
    EXPECT_EQ(memoOff->Text(), QStringLiteral("First line of the notes..."));
}

TEST_F(DropDownShowcase, LabelsInAllFifteenPositions)
{
    Form->SetBounds(100, 100, 640, 420);
    const char* names[] = {"LeftTop", "LeftCenter", "LeftBottom", "TopLeft", "BottomLeft",
                           "LeftTopLeft", "LeftCenterLeft", "LeftBottomLeft", "TopCenter", "BottomCenter",
                           "RightTop", "RightCenter", "RighBottom", "TopRight", "BottomRight"};
    for (int i = 0; i < 15; ++i) {
        auto* d = Add<TTestListDropDown>(110 + (i % 3) * 200, 30 + (i / 3) * 78, 80, 24);
        d->SetLabelMargin(2);
        d->SetLabelCaption(QString::fromLatin1(names[i]));
        d->SetLabelPosition(TLabelPosition(i));
    }
    ShowForm();
    Save(Form->Widget()->grab().toImage(), QStringLiteral("dropdown-labels.png"));
}

TEST_F(DropDownShowcase, TrackBarAndMemoPopupsOpen)
{
    Form->SetBounds(100, 100, 360, 220);
    auto* track = Add<TAdvTrackBarDropDown>(20, 20, 180);
    track->SetPosition(6);
    auto* memo = Add<TAdvMemoDropDown>(20, 60, 200);
    memo->MemoText()->SetText(QStringLiteral("Device 1: PLC hall A\r\nDevice 2: PLC hall B\r\nSpare"));
    ShowForm();
    track->SetFocus();
    track->ShowDropDown();
    Save(OpenBelow(Form, track), QStringLiteral("dropdown-trackbar-open.png"));
    track->HideDropDown(false);

    memo->SetFocus();
    memo->ShowDropDown();
    Save(OpenBelow(Form, memo), QStringLiteral("dropdown-memo-open.png"));
    memo->HideDropDown(false);

    // With header and footer.
    memo->DropDownHeader()->SetVisible(true);
    memo->DropDownFooter()->SetVisible(true);
    track->DropDownHeader()->SetVisible(true);
    track->DropDownFooter()->SetVisible(true);
    track->ShowDropDown();
    ASSERT_TRUE(track->DropDownForm()->Header());
    Save(OpenBelow(Form, track), QStringLiteral("dropdown-trackbar-bars.png"));
    track->HideDropDown(false);
    memo->ShowDropDown();
    Save(OpenBelow(Form, memo), QStringLiteral("dropdown-memo-bars.png"));
    memo->HideDropDown(false);
}

TEST_F(DropDownShowcase, PopupBackgroundInEveryStyle)
{
    ShowForm();
    auto* d = Add<TTestListDropDown>(20, 20);
    d->List->SetVisible(false);
    d->SetDropDownWidth(120);
    d->SetDropDownHeight(70);
    QImage sheet(4 * 130, 4 * 80, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    for (int s = 0; s < 16; ++s) {
        d->SetComponentStyle(TVisualStyle(s));
        d->ShowDropDown();
        p.drawPixmap((s % 4) * 130, (s / 4) * 80, d->DropDownForm()->Widget()->grab());
        d->HideDropDown(false);
    }
    p.end();
    Save(sheet, QStringLiteral("dropdown-styles.png"));
}

TEST_F(DropDownShowcase, NearTheBottomItOpensUpward)
{
    Form->SetBounds(100, 660, 360, 100);
    auto* memo = Add<TAdvMemoDropDown>(20, 40, 200);
    memo->MemoText()->SetText(QStringLiteral("Upward"));
    ShowForm();
    memo->SetFocus();
    memo->ShowDropDown();
    TDropDownForm* f = memo->DropDownForm();
    const TPoint edit = Form->ClientToScreen(TPoint(memo->Left(), memo->Top()));
    EXPECT_EQ(f->Top() + f->Height(), edit.Y);
    Save(Composite(Form, memo, TPoint(Form->Left(), f->Top()), QSize(Form->Width() + 20, Form->Height() + 140)),
         QStringLiteral("dropdown-upward.png"));
    memo->HideDropDown(false);
}

}  // namespace
