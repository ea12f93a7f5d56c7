// Drag and drop: acceptance, dispatch of drops (also through Qt's events),
// the data object's blocks and format list, malformed foreign blocks and
// the start of a drag with a fake drag loop.
#include "Controls.h"
#include "asgdd.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class RecordingTarget : public TASGDropTarget {
public:
    QStringList Calls;
    QString Text, Url, Rtf;
    QStringList Files;
    QByteArray StreamBytes;
    int Column = -2;
    bool RefuseMove = false;

    void DropText(TPoint, const QString& t) override { Calls << QStringLiteral("DropText"); Text = t; }
    void DropStream(TPoint, std::unique_ptr<QBuffer> s) override
    {
        Calls << QStringLiteral("DropStream");
        StreamBytes = s ? s->data() : QByteArray("missing");
    }
    void DropCol(TPoint, int c) override { Calls << QStringLiteral("DropCol"); Column = c; }
    void DropRTF(TPoint, const QString& r) override { Calls << QStringLiteral("DropRTF"); Rtf = r; }
    void DropFiles(TPoint, const QStringList& f) override { Calls << QStringLiteral("DropFiles"); Files = f; }
    void DropURL(TPoint, const QString& u) override { Calls << QStringLiteral("DropURL"); Url = u; }
    void DragMouseMove(TPoint, bool& allow, TDropFormats) override
    {
        Calls << QStringLiteral("DragMouseMove");
        if (RefuseMove)
            allow = false;
    }
    void DragMouseEnter() override { Calls << QStringLiteral("DragMouseEnter"); }
    void DragMouseLeave() override { Calls << QStringLiteral("DragMouseLeave"); }
};

QString Mime(unsigned format) { return ClipboardFormatMime(format); }

std::unique_ptr<QMimeData> Offer(bool text, bool rtf, bool col, bool cells, bool files = false, bool url = false)
{
    auto m = std::make_unique<QMimeData>();
    if (text)
        m->setText(QStringLiteral("hello"));
    if (rtf)
        m->setData(Mime(CF_RTF()), QByteArray("{\\rtf1 x}"));
    if (col)
        m->setData(Mime(CF_GRIDCOLUMN()), QByteArray("\x03\x00\x00\x00", 4));
    if (cells)
        m->setData(Mime(CF_GRIDCELLS()), QByteArray("\x02\x00\x00\x00\x00\x00\x00\x00" "ab", 10));
    QList<QUrl> urls;
    if (files)
        urls << QUrl::fromLocalFile(QStringLiteral("/tmp/a.txt")) << QUrl::fromLocalFile(QStringLiteral("/tmp/b.txt"));
    if (url)
        urls << QUrl(QStringLiteral("http://127.0.0.1/page"));
    if (!urls.isEmpty())
        m->setUrls(urls);
    return m;
}

class DragDrop : public ::testing::Test {
protected:
    void TearDown() override { SetOleRTFEnabled(false); }
};

TEST_F(DragDrop, FormatsAreRegisteredAtStart)
{
    for (unsigned f : {CF_RTF(), CF_GRIDCOLUMN(), CF_GRIDCELLS(), CF_URL()})
        EXPECT_GE(f, 0xC000u);
    EXPECT_EQ(Mime(CF_GRIDCOLUMN()), QStringLiteral("application/x-grid-column"));
    EXPECT_EQ(Mime(CF_GRIDCELLS()), QStringLiteral("application/x-tadvstringgrid-cells"));
    EXPECT_FALSE(OleRTFEnabled());
}

TEST_F(DragDrop, Acceptance)
{
    struct { bool text, rtf, cells, acceptText, acceptCols, rtfSwitch, accepted; } cases[] = {
        {true, false, false, false, false, false, false},  // text with AcceptText off
        {true, false, false, true, false, false, true},
        {false, false, true, false, false, false, true},   // cells: always
        {false, true, false, true, false, false, false},   // rich text, switch off
        {false, true, false, true, false, true, true},
        {false, true, false, false, false, true, false},
    };
    for (const auto& c : cases) {
        SetOleRTFEnabled(c.rtfSwitch);
        RecordingTarget t;
        t.SetAcceptText(c.acceptText);
        t.SetAcceptFiles(false);
        t.SetAcceptURLs(false);
        t.SetAcceptCols(c.acceptCols);
        auto m = Offer(c.text, c.rtf, false, c.cells);
        uint32_t effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(t.DragEnter(m.get(), 0, TPoint(), effect), S_OK);
        EXPECT_EQ(effect, c.accepted ? DROPEFFECT_MOVE : DROPEFFECT_NONE)
            << c.text << c.rtf << c.cells << c.acceptText << c.rtfSwitch;
        EXPECT_EQ(t.Calls, QStringList{QStringLiteral("DragMouseEnter")});
        // Rich text is listed whatever the switch.
        EXPECT_EQ(t.DropFormats().Contains(dfRTF), c.rtf);
    }
    RecordingTarget t;
    auto m = Offer(true, false, false, false);
    uint32_t effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    t.DragEnter(m.get(), 0, TPoint(), effect);
    t.RefuseMove = true;
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    t.DragOver(0, TPoint(), effect);
    EXPECT_EQ(effect, DROPEFFECT_NONE);  // the hook cleared Allow

    EXPECT_EQ(TASGDropTarget::DropEffectFor(MK_CONTROL, DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_COPY);
    EXPECT_EQ(TASGDropTarget::DropEffectFor(0, DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_MOVE);
    EXPECT_EQ(TASGDropTarget::DropEffectFor(0, DROPEFFECT_COPY), DROPEFFECT_COPY);
}

TEST_F(DragDrop, DropDispatch)
{
    SetOleRTFEnabled(true);
    struct { bool text, rtf, col, cells, files, url; QStringList calls; } cases[] = {
        {true, false, true, false, false, false, {"DropCol"}},
        {true, true, false, true, false, false, {"DropStream"}},
        {true, true, false, false, false, false, {"DropRTF"}},
        {true, false, false, false, true, true, {"DropText", "DropFiles", "DropURL"}},
    };
    for (const auto& c : cases) {
        RecordingTarget t;
        t.SetAcceptCols(true);
        auto m = Offer(c.text, c.rtf, c.col, c.cells, c.files, c.url);
        uint32_t effect = DROPEFFECT_COPY;
        t.DragEnter(m.get(), 0, TPoint(), effect);
        t.Calls.clear();
        effect = DROPEFFECT_COPY;
        t.Drop(m.get(), 0, TPoint(), effect);
        EXPECT_EQ(t.Calls, c.calls);
        EXPECT_EQ(effect, DROPEFFECT_COPY);
        if (c.col) {
            EXPECT_EQ(t.Column, 3);
        }
        if (c.cells) {
            EXPECT_EQ(t.StreamBytes, QByteArray("ab"));
        }
        if (c.url) {
            EXPECT_EQ(t.Url, QStringLiteral("hello"));
            EXPECT_EQ(t.Text, t.Url);
            EXPECT_EQ(t.Files, (QStringList{QStringLiteral("/tmp/a.txt"), QStringLiteral("/tmp/b.txt")}));
        }
    }
}

TEST_F(DragDrop, MalformedForeignBlocks)
{
    RecordingTarget t;
    t.SetAcceptCols(true);
    auto m = std::make_unique<QMimeData>();
    m->setText(QStringLiteral("fallback"));
    m->setData(Mime(CF_GRIDCOLUMN()), QByteArray("\x01\x02\x03", 3));                  // 3 bytes
    m->setData(Mime(CF_GRIDCELLS()), QByteArray("\xff\x00\x00\x00\x00\x00\x00\x00x", 9));  // N = 255
    m->setData(Mime(CF_RTF()), QByteArray("{\\rtf no nul"));
    const TEnumFormats f(m.get());
    EXPECT_EQ(f.Col(), -1);
    EXPECT_EQ(f.Stream(), nullptr);
    EXPECT_EQ(f.RTF(), QStringLiteral("{\\rtf no nul"));
    EXPECT_EQ(f.ReadUnicodeText(CF_GRIDCOLUMN()), QString(QChar(0x0201)));  // the odd byte dropped
    uint32_t effect = DROPEFFECT_COPY;
    t.DragEnter(m.get(), 0, TPoint(), effect);
    t.Calls.clear();
    t.Drop(m.get(), 0, TPoint(), effect);
    EXPECT_EQ(t.Calls, QStringList{QStringLiteral("DropText")});  // not a column -1, not a missing stream
    EXPECT_EQ(t.Text, QStringLiteral("fallback"));

    auto shortHead = std::make_unique<QMimeData>();
    shortHead->setData(Mime(CF_GRIDCELLS()), QByteArray("\x00\x00\x00", 3));
    EXPECT_EQ(TEnumFormats(shortHead.get()).Stream(), nullptr);
    auto withNul = std::make_unique<QMimeData>();
    withNul->setData(Mime(CF_RTF()), QByteArray("ab\0cd", 5));
    EXPECT_EQ(TEnumFormats(withNul.get()).RTF(), QStringLiteral("ab"));
}

TEST_F(DragDrop, ThroughQtEvents)
{
    TWinControl box(nullptr);
    box.SetBounds(0, 0, 100, 50);
    RecordingTarget t;
    ASSERT_TRUE(RegisterDragDrop(&box, &t));
    auto m = Offer(true, false, false, false);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, m.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box.Widget(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::MoveAction);
    QDragMoveEvent move(QPoint(6, 6), Qt::CopyAction | Qt::MoveAction, m.get(), Qt::LeftButton, Qt::ControlModifier);
    QCoreApplication::sendEvent(box.Widget(), &move);
    EXPECT_EQ(move.dropAction(), Qt::CopyAction);  // Ctrl copies
    QDropEvent drop(QPointF(6, 6), Qt::CopyAction | Qt::MoveAction, m.get(), Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box.Widget(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(t.Calls, (QStringList{QStringLiteral("DragMouseEnter"), QStringLiteral("DragMouseMove"),
                                    QStringLiteral("DropText")}));

    t.SetAcceptText(false);
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, m.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box.Widget(), &refused);
    EXPECT_FALSE(refused.isAccepted());

    RevokeDragDrop(&box);
    t.Calls.clear();
    QDragEnterEvent after(QPoint(5, 5), Qt::CopyAction, m.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box.Widget(), &after);
    EXPECT_TRUE(t.Calls.isEmpty());
}

TEST_F(DragDrop, DataObjectBlocks)
{
    TSourceDataObject empty(QString(), nullptr, -1, QString());
    for (unsigned f : {CF_TEXT, CF_UNICODETEXT, CF_RTF(), CF_GRIDCOLUMN(), CF_GRIDCELLS(), CF_HDROP}) {
        QByteArray medium;
        EXPECT_EQ(empty.QueryGetData(TFormatEtc{f}), DV_E_FORMATETC) << f;
        EXPECT_EQ(empty.GetData(TFormatEtc{f}, medium), DV_E_FORMATETC) << f;
    }

    SetOleRTFEnabled(true);
    QBuffer stream;
    stream.setData(QByteArray("0123456789"));
    TSourceDataObject full(QStringLiteral("h\u00e9"), &stream, 7, QString());
    QByteArray b;
    ASSERT_EQ(full.GetData(TFormatEtc{CF_TEXT}, b), S_OK);
    EXPECT_EQ(b, QByteArray("h\xe9\0", 3));
    ASSERT_EQ(full.GetData(TFormatEtc{CF_UNICODETEXT}, b), S_OK);
    EXPECT_EQ(b, QByteArray("h\0\xe9\0\0\0", 6));
    ASSERT_EQ(full.GetData(TFormatEtc{CF_RTF()}, b), S_OK);
    EXPECT_EQ(b, QByteArray("\0", 1));  // only the NUL when empty
    ASSERT_EQ(full.GetData(TFormatEtc{CF_GRIDCOLUMN()}, b), S_OK);
    EXPECT_EQ(b, QByteArray("\x07\0\0\0", 4));
    ASSERT_EQ(full.GetData(TFormatEtc{CF_GRIDCELLS()}, b), S_OK);
    EXPECT_EQ(b, QByteArray("\x0a\0\0\0\0\0\0\0" "0123456789", 18));
    EXPECT_EQ(full.QueryGetData(TFormatEtc{CF_TEXT, 4, -1, TYMED_HGLOBAL}), DV_E_FORMATETC);  // aspect
    EXPECT_EQ(full.QueryGetData(TFormatEtc{CF_TEXT, DVASPECT_CONTENT, -1, 2}), DV_E_FORMATETC);  // medium
    EXPECT_EQ(full.GetDataHere(TFormatEtc{CF_TEXT}, b), DV_E_FORMATETC);
    EXPECT_EQ(full.SetData(TFormatEtc{CF_TEXT}, b), DV_E_FORMATETC);
    TFormatEtc out{CF_TEXT};
    EXPECT_EQ(full.GetCanonicalFormatEtc(TFormatEtc{CF_TEXT}, out), E_NOTIMPL);
    EXPECT_EQ(full.DAdvise(), OLE_E_ADVISENOTSUPPORTED);

    // The drag offers exactly what the object answers.
    auto mime = full.MakeMimeData();
    EXPECT_EQ(mime->formats(), (QStringList{QStringLiteral("text/plain"), Mime(CF_RTF()), Mime(CF_GRIDCOLUMN()),
                                            Mime(CF_GRIDCELLS())}));
    SetOleRTFEnabled(false);
    TSourceDataObject textOnly(QStringLiteral("t"), nullptr, -1, QStringLiteral("{\\rtf}"));
    EXPECT_EQ(textOnly.MakeMimeData()->formats(), QStringList{QStringLiteral("text/plain")});
    EXPECT_EQ(textOnly.QueryGetData(TFormatEtc{CF_RTF()}), DV_E_FORMATETC);
}

TEST_F(DragDrop, FormatList)
{
    TSourceDataObject textOnly(QStringLiteral("t"), nullptr, -1, QString());
    std::unique_ptr<TSourceEnumFormatEtc> e;
    EXPECT_EQ(textOnly.EnumFormatEtc(DATADIR_SET, e), E_NOTIMPL);
    ASSERT_EQ(textOnly.EnumFormatEtc(DATADIR_GET, e), S_OK);
    TFormatEtc one[1];
    uint32_t fetched = 9;
    const unsigned expected[] = {CF_TEXT, CF_UNICODETEXT, CF_RTF()};
    for (unsigned f : expected) {
        ASSERT_EQ(e->Next(1, one, &fetched), S_OK);
        EXPECT_EQ(fetched, 1u);
        EXPECT_EQ(one[0], (TFormatEtc{f, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}));
    }
    EXPECT_EQ(e->Next(1, one, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    e->Reset();
    TFormatEtc three[3];
    EXPECT_EQ(e->Next(3, three, &fetched), S_OK);
    EXPECT_EQ(fetched, 3u);
    EXPECT_EQ(three[2].cfFormat, CF_RTF());
    e->Reset();
    EXPECT_EQ(e->Skip(1), S_OK);
    std::unique_ptr<TSourceEnumFormatEtc> clone;
    EXPECT_EQ(e->Clone(clone), S_OK);
    EXPECT_EQ(clone->Index(), 1);
    EXPECT_EQ(e->Skip(5), S_FALSE);
    EXPECT_EQ(e->Index(), 3);

    QBuffer s;
    TSourceDataObject all(QString(), &s, 2, QString());
    ASSERT_EQ(all.EnumFormatEtc(DATADIR_GET, e), S_OK);
    TFormatEtc five[6];
    EXPECT_EQ(e->Next(6, five, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 5u);
    EXPECT_EQ(five[3].cfFormat, CF_GRIDCOLUMN());
    EXPECT_EQ(five[4].cfFormat, CF_GRIDCELLS());
}

class RecordingSource : public TASGDropSource {
public:
    int Ends = 0, Queries = 0;
    std::vector<uint32_t> Effects;
    void EndDragDrop() override { ++Ends; }
    void CurrentEffect(uint32_t e) override { Effects.push_back(e); }
    void QueryDrag() override { ++Queries; }
};

TEST_F(DragDrop, StartingADrag)
{
    QStringList offered;
    TDragRunner old = SetDragRunner([&](std::unique_ptr<QMimeData> data, Qt::DropActions allowed, TASGDropSource* s) {
        offered = data->formats();
        EXPECT_EQ(allowed, Qt::CopyAction | Qt::MoveAction);
        s->GiveFeedback(DROPEFFECT_MOVE);
        return Qt::MoveAction;
    });
    RecordingSource src;
    uint32_t effect = 0;
    QBuffer cells;
    cells.setData("x");
    EXPECT_EQ(BeginTextDragDrop(&src, QStringLiteral("t"), QString(), effect, DROPEFFECT_COPY | DROPEFFECT_MOVE, &cells),
              DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    EXPECT_EQ(src.Ends, 1);
    EXPECT_EQ(offered, (QStringList{QStringLiteral("text/plain"), Mime(CF_GRIDCELLS())}));

    SetDragRunner([](std::unique_ptr<QMimeData>, Qt::DropActions, TASGDropSource* s) {
        s->GiveFeedback(DROPEFFECT_NONE);
        return Qt::IgnoreAction;
    });
    RecordingSource ignored;
    EXPECT_EQ(BeginColumnDragDrop(&ignored, 4, DROPEFFECT_COPY, effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(ignored.Ends, 1);
    EXPECT_TRUE(ignored.NoAccept());
    SetDragRunner(old);

    RecordingSource q;
    struct { bool escape; uint32_t keys; HRESULT expected; int ends; } rows[] = {
        {true, MK_LBUTTON, DRAGDROP_S_CANCEL, 1}, {false, 0, DRAGDROP_S_DROP, 2}, {false, MK_LBUTTON, S_OK, 2}};
    int queries = 0;
    for (const auto& r : rows) {
        EXPECT_EQ(q.QueryContinueDrag(r.escape, r.keys), r.expected);
        EXPECT_EQ(q.Ends, r.ends);
        EXPECT_EQ(q.Queries, ++queries);
    }
    EXPECT_EQ(q.GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_FALSE(q.NoAccept());
    EXPECT_EQ(q.Effects, std::vector<uint32_t>{DROPEFFECT_COPY});
}

}  // namespace
