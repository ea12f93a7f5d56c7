// The image picker: items from a folder, choosing with keys and the mouse,
// the picture in the edit and cancel.
#include "AdvImagePickerDropDown.h"
#include "DropDownFixture.h"
#include "HostileFiles.h"
#include "TestHarness.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QSet>

namespace {

using ImagePicker = DropDownTest;

QString PickerFolder()
{
    const QString dir = TestHarness::ProgramDir() + QStringLiteral("/picker");
    QDir(dir).removeRecursively();
    QDir().mkpath(dir + QStringLiteral("/sub.png"));
    const unsigned colours[] = {0xFFC03030, 0xFF30A030};
    const char* names[] = {"red.png", "GREEN.PNG"};
    for (int i = 0; i < 2; ++i) {
        QImage img(20, 20, QImage::Format_ARGB32);
        img.fill(colours[i]);
        img.save(dir + QLatin1Char('/') + QLatin1String(names[i]), "PNG");
    }
    QFile broken(dir + QStringLiteral("/broken.png"));
    broken.open(QIODevice::WriteOnly);
    broken.write("not a picture");
    broken.close();
    QFile other(dir + QStringLiteral("/notes.txt"));
    other.open(QIODevice::WriteOnly);
    other.write("x");
    return dir;
}

TEST_F(ImagePicker, ItemsFromAFolder)
{
    auto* d = Add<TAdvImagePickerDropDown>(20, 20);
    EXPECT_FALSE(d->EditorEnabled());
    d->AddImagesFromFolder(PickerFolder() + QStringLiteral("/*.png"), true);
    ASSERT_EQ(d->Items()->Count(), 3);
    QSet<QString> names, loaded;
    for (int i = 0; i < 3; ++i) {
        TImageItem* item = d->Items()->Items(i);
        names << item->Caption();
        if (item->Image()->Graphic() && !item->Image()->Graphic()->Empty()) loaded << item->Caption();
    }
    EXPECT_EQ(names, (QSet<QString>{"red.png", "GREEN.PNG", "broken.png"}));
    EXPECT_EQ(loaded, (QSet<QString>{"red.png", "GREEN.PNG"}));

    // Choosing: OnChange before OnSelect; no such image index gives -1.
    QStringList log;
    d->OnChange = [&](TObject*) { log << QStringLiteral("change"); };
    d->OnSelect = [&](TObject*) { log << QStringLiteral("select"); };
    d->SetItemIndex(1);
    EXPECT_EQ(log, (QStringList{"change", "select"}));
    d->SetItemIndex(3);
    EXPECT_EQ(d->ItemIndex(), 1);
    d->SetImageIndex(5);
    EXPECT_EQ(d->ItemIndex(), -1);
}

// A FIFO or a link to a device under a picture's name is no picture: it is
// left out, at once, like a folder.
TEST_F(ImagePicker, SpecialFilesInTheFolderAreLeftOut)
{
    const QString dir = PickerFolder();
    TFifo fifo(dir + QStringLiteral("/fifo.png"));
    ASSERT_TRUE(fifo.Made());
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir + QStringLiteral("/zero.png")));
    auto* d = Add<TAdvImagePickerDropDown>(20, 20);
    QElapsedTimer clock;
    clock.start();
    d->AddImagesFromFolder(dir + QStringLiteral("/*.png"), true);
    EXPECT_LT(clock.elapsed(), 1000);
    QSet<QString> names;
    for (int i = 0; i < d->Items()->Count(); ++i) names << d->Items()->Items(i)->Caption();
    EXPECT_EQ(names, (QSet<QString>{"red.png", "GREEN.PNG", "broken.png"}));
}

TEST_F(ImagePicker, ThreeColumnsWithKeysAndMouse)
{
    auto* d = Focused<TAdvImagePickerDropDown>(20, 20, 60);
    const QString dir = PickerFolder();
    for (int i = 0; i < 7; ++i) {
        TImageItem* item = d->Items()->Add();
        QImage img(24, 24, QImage::Format_ARGB32);
        img.fill(QColor::fromHsv(i * 50, 200, 220));
        const QString f = dir + QStringLiteral("/p%1.png").arg(i);
        img.save(f, "PNG");
        item->Image()->LoadFromFile(f);
    }
    d->SetColumns(3);
    d->SetItemIndex(1);
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    // Down moves by a row, and nothing on the last row.
    Key(d->DropDownForm(), Qt::Key_Down);
    EXPECT_EQ(d->ItemIndex(), 4);
    Key(d->DropDownForm(), Qt::Key_Down);
    EXPECT_EQ(d->ItemIndex(), 4);
    TCustomItemSelector* p = d->ItemSelector()->SelectorPanel();
    p->SetItemHot(6);
    QApplication::processEvents();
    TestHarness::GrabToPng(d->DropDownForm(), TestHarness::GrabPath(QStringLiteral("image-picker-list.png")));
    // Esc restores the index from the opening.
    Key(d->DropDownForm(), Qt::Key_Escape);
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->ItemIndex(), 1);

    // Enter over the hovered item chooses it and closes.
    ClickButton(d);
    d->ItemSelector()->SelectorPanel()->SetItemHot(2);
    Key(d->DropDownForm(), Qt::Key_Return);
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->ItemIndex(), 2);

    // A click on an item chooses it and closes.
    ClickButton(d);
    const TRect r = p->GetItemRect(5);
    Click(p, TPoint(r.Left + 4, r.Top + 4));
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->ItemIndex(), 5);
    QApplication::processEvents();
    TestHarness::GrabToPng(d, TestHarness::GrabPath(QStringLiteral("image-picker-edit.png")));
}

}  // namespace
