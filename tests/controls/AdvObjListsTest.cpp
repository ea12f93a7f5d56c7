#include "AdvObj.h"
#include "Forms.h"
#include "GraphicsRecording.h"
#include "TestHarness.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace {

struct ChangeLog {
    int Count = 0;
    int Col = -99;
    int Row = -99;
    void Hook(TIntList& l)
    {
        l.OnChange = [this](TObject*, int c, int r) {
            ++Count;
            Col = c;
            Row = r;
        };
    }
};

}  // namespace

TEST(IntList, OperationsFireOnChangeAsDocumented)
{
    struct Case {
        const char* Name;
        std::function<void(TIntList&)> Op;
        int Fired;
        std::vector<int> After;
    };
    const std::vector<Case> cases = {
        {"Add", [](TIntList& l) { l.Add(9); }, 1, {1, 2, 3, 9}},
        {"Delete", [](TIntList& l) { l.Delete(0); }, 1, {2, 3}},
        {"Items write", [](TIntList& l) { l.SetItems(1, 7); }, 1, {1, 7, 3}},
        {"DeleteValue present", [](TIntList& l) { l.DeleteValue(3); }, 1, {1, 2}},
        {"DeleteValue absent", [](TIntList& l) { l.DeleteValue(42); }, 0, {1, 2, 3}},
        {"Insert", [](TIntList& l) { l.Insert(0, 5); }, 0, {5, 1, 2, 3}},
        {"Clear", [](TIntList& l) { l.Clear(); }, 0, {}},
        {"Sort", [](TIntList& l) { l.Sort([](int a, int b) { return b - a; }); }, 0, {3, 2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TIntList l(4, 7);
        l.Insert(0, 1);
        l.Insert(1, 2);
        l.Insert(2, 3);
        ChangeLog log;
        log.Hook(l);
        c.Op(l);
        EXPECT_EQ(log.Count, c.Fired);
        if (c.Fired) {
            EXPECT_EQ(log.Col, 4);
            EXPECT_EQ(log.Row, 7);
        }
        std::vector<int> got;
        for (int i = 0; i < l.Count(); ++i) got.push_back(l[i]);
        EXPECT_EQ(got, c.After);
    }
}

TEST(IntList, IndexOutsideTheListRaisesTheListIndexError)
{
    TIntList l(0, 0);
    l.Add(1);
    l.Add(2);
    for (int i : {-1, 2}) {
        SCOPED_TRACE(i);
        EXPECT_THROW(l.GetInteger(i), EListError);
        EXPECT_THROW(l.Delete(i), EListError);
        EXPECT_THROW(l.SetInteger(i, 0), EListError);
    }
    EXPECT_EQ(l.Count(), 2);
    EXPECT_TRUE(l.HasValue(2));
    EXPECT_FALSE(l.HasValue(3));
}

TEST(IntList, StrValueReadsAndWritesCommaText)
{
    TIntList l(0, 0);
    l.Add(3);
    l.Add(-1);
    l.Add(20);
    EXPECT_EQ(l.StrValue(), "3,-1,20");
    l.Clear();
    EXPECT_EQ(l.StrValue(), "");

    struct Case {
        QString Text;
        std::vector<int> Values;
        bool Raises;
    };
    const std::vector<Case> cases = {
        {"", {}, false},
        {"4, 5,6", {4, 5, 6}, false},
        {"4,x", {4}, true},
        {"$1F,0x10", {31, 16}, false},
        {"7 8", {7, 8}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text.toStdString());
        TIntList t(0, 0);
        t.Add(99);
        if (c.Raises)
            EXPECT_THROW(t.SetStrValue(c.Text), EConvertError);
        else
            t.SetStrValue(c.Text);
        std::vector<int> got;
        for (int i = 0; i < t.Count(); ++i) got.push_back(t[i]);
        EXPECT_EQ(got, c.Values);
    }
}

TEST(SortIndexList, SaveLoadAndToggle)
{
    TSortIndexList l(0, 0);
    ChangeLog log;
    log.Hook(l);
    l.AddIndex(3, false);
    EXPECT_EQ(l.SaveToString(), "d3");
    log.Count = 0;
    l.ToggleIndex(3);
    EXPECT_EQ(log.Count, 1);
    EXPECT_EQ(l.SaveToString(), "u3");
    l.ToggleIndex(9);  // absent: nothing
    EXPECT_EQ(log.Count, 1);
    EXPECT_EQ(l.FindIndex(9), -1);
    EXPECT_EQ(l.FindIndex(3), 0);

    struct Case {
        QString Text;
        QString Saved;
    };
    const std::vector<Case> cases = {
        {"u;d7;u12;d4z", "d7;u12;d4"},
        {"U5", "d5"},
        {"u-3;u2", "u2"},
        {"u$10", "u16"},
        {"u 0x1f;dz", "u31;d0"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text.toStdString());
        l.LoadFromString(c.Text);
        EXPECT_EQ(l.SaveToString(), c.Saved);
    }

    l.Clear();
    l.AddIndex(70000, true);
    EXPECT_EQ(l.SaveToString(), "u4464");
}

TEST(SortIndexList, ColumnsAndDirectionsKeepTheOtherHalf)
{
    TSortIndexList l(0, 0);
    l.AddIndex(5, false);
    l.AddIndex(6, true);
    EXPECT_EQ(l.SortColumns(0), 5);
    EXPECT_EQ(l.GetSortColumns(1), 6);
    EXPECT_FALSE(l.SortDirections(0));
    EXPECT_TRUE(l.SortDirections(1));

    l.SetSortColumns(0, 11);
    EXPECT_EQ(l.SortColumns(0), 11);
    EXPECT_FALSE(l.SortDirections(0));
    EXPECT_EQ(uint32_t(l[0]), 0x8000000Bu);

    l.SetSortDirections(0, true);
    EXPECT_EQ(l[0], 11);
    l.SetSortDirections(1, false);
    EXPECT_EQ(uint32_t(l[1]), 0x80000006u);
    EXPECT_EQ(l.SaveToString(), "u11;d6");
}

TEST(ControlList, ItemsAreOwnedControlsAreNot)
{
    auto* form = Create<TForm>(nullptr);
    auto* a = new TWinControl(form);
    auto* b = new TWinControl(form);
    auto* g = new TGraphicControl(form);
    {
        TControlList list;
        list.AddControl(1, 2, a);
        list.AddControl(1, 2, b);
        list.AddControl(3, 4, g);
        EXPECT_EQ(list.ControlIndex(1, 2), 0);
        EXPECT_EQ(list.ControlIndex(3, 4), 2);
        EXPECT_EQ(list.ControlIndex(9, 9), -1);
        EXPECT_TRUE(list.HasHandle(b->Widget()));
        EXPECT_FALSE(list.HasHandle(g->Widget()));  // not a windowed control
        list.RemoveControl(0);
        EXPECT_EQ(list.Count(), 2);
        EXPECT_EQ(list.GetControl(0)->Control(), b);
        EXPECT_EQ(list.ControlIndex(1, 2), 0);
        EXPECT_THROW(list.RemoveControl(5), EListError);
    }
    // The list is gone, the controls are not.
    EXPECT_EQ(a->Owner(), form);
    EXPECT_EQ(b->Owner(), form);
    Free(form);
}

TEST(ControlList, ControlDestroyedWhileListedReadsAsNil)
{
    auto* form = Create<TForm>(nullptr);
    auto* a = new TWinControl(form);
    const QWidget* w = a->Widget();
    TControlList list;
    list.AddControl(0, 0, a);
    EXPECT_TRUE(list.HasHandle(w));
    Free(a);
    EXPECT_EQ(list.GetControl(0)->Control(), nullptr);
    EXPECT_FALSE(list.HasHandle(w));
    Free(form);
}

TEST(FileStringList, WritesAndReadsLineByLine)
{
    TFileStringList l;
    l.Write("a");
    l.Write("b");
    l.WriteLn("c");
    l.WriteLn("d");
    EXPECT_EQ(l.Count(), 2);
    EXPECT_EQ(l[0], "abc");
    l.Reset();
    QString s;
    EXPECT_FALSE(l.Eof());
    l.ReadLn(s);
    EXPECT_EQ(s, "abc");
    l.ReadLn(s);
    EXPECT_EQ(s, "d");
    EXPECT_TRUE(l.Eof());
    EXPECT_THROW(l.ReadLn(s), Exception);
}

TEST(FileStringList, LoadsByByteOrderMarkAndSavesCrLfSafely)
{
    const QString dir = TestHarness::ProgramDir();
    struct Case {
        const char* Name;
        QByteArray Bytes;
    };
    const QString text = QString::fromUtf8("zwölf\r\nzwei");
    const std::vector<Case> cases = {
        {"utf8 bom", QByteArray("\xEF\xBB\xBF") + text.toUtf8()},
        {"utf16le bom",
         QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2)},
        {"none", text.toLatin1()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString path = dir + "/in.txt";
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.Bytes);
        f.close();
        TFileStringList l;
        l.LoadFromFile(path);
        ASSERT_EQ(l.Count(), 2);
        l.Reset();
        QString s;
        l.ReadLn(s);
        EXPECT_EQ(s, QString::fromUtf8("zwölf"));
    }

    TFileStringList out;
    out.WriteLn("one");
    out.WriteLn("two");
    const QString target = dir + "/out.txt";
    out.SaveToFile(target);
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("one\r\ntwo\r\n"));
    f.close();

    // A target that cannot be written raises and leaves what was there.
    ASSERT_TRUE(QDir(dir).mkdir("folder"));
    EXPECT_THROW(out.SaveToFile(dir + "/folder"), Exception);
    EXPECT_TRUE(QFileInfo(dir + "/folder").isDir());
}

TEST(FilePicture, SizeFromFileDrawNeverRaises)
{
    const QString dir = TestHarness::ProgramDir();
    const QString path = dir + "/pic.png";
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(path));

    TFilePicture p;
    p.SetFilename(path);
    EXPECT_EQ(p.Width(), 20);
    EXPECT_EQ(p.Height(), 10);

    TRecordingCanvas c;
    p.DrawPicture(&c, TRect(0, 0, 40, 20));
    ASSERT_EQ(c.Ops().size(), 1u);
    EXPECT_EQ(c.Ops()[0].Kind, "StretchDraw");

    TFilePicture copy;
    copy.Assign(&p);
    EXPECT_EQ(copy.Filename(), path);
    EXPECT_EQ(copy.Width(), 20);
    EXPECT_EQ(copy.Height(), 10);

    // Junk, then gone: nothing drawn, nothing raised.
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
    }
    c.ClearLog();
    EXPECT_NO_THROW(p.DrawPicture(&c, TRect(0, 0, 40, 20)));
    QFile::remove(path);
    EXPECT_NO_THROW(p.DrawPicture(&c, TRect(0, 0, 40, 20)));
    EXPECT_TRUE(c.Ops().empty());

    TFilePicture missing;
    EXPECT_THROW(missing.SetFilename(dir + "/nothing.png"), Exception);

    // The published properties, in stream order.
    const TPropertyList* props = p.PropertyList();
    ASSERT_EQ(props->Count(), 3);
    EXPECT_EQ(props->Items(0).Name, "Filename");
    EXPECT_EQ(props->Items(1).Name, "Width");
    EXPECT_EQ(props->Items(2).Name, "Height");
    EXPECT_EQ(std::get<int>(props->Read(&copy, "Width")), 20);
}
