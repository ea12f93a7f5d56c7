// The topic template editor: captions by the kind of text, the keyword grid,
// the text round trip with its line breaks, and the splitter.

#include "AdvGrid.h"
#include "DialogResponder.h"
#include "TestHarness.h"
#include "UComon.h"
#include "ULanguage.h"
#include "UTopicTemplate.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

class TopicTemplateEditor : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSharedState();
        FillEnglishTable();
        Editor = Create<TFTopicTemplate>(nullptr);
    }
    void TearDown() override
    {
        Free(Editor);
        ResetSharedState();
    }
    // Shows the editor as the MQTT window does and runs drive; answers the
    // editor's text on OK, nothing on Cancel.
    std::optional<QString> Edit(int topicTemplate, const QString& text,
                                const std::function<void(TFTopicTemplate*)>& drive)
    {
        Editor->TopicTemplate = topicTemplate;
        Editor->RE_TopicTemplate->Clear();
        Editor->RE_TopicTemplate->SetText(text);
        DialogResponder r;
        r.ExpectModal(QStringLiteral("TFTopicTemplate"), [&](TCustomForm* f) {
            drive(static_cast<TFTopicTemplate*>(f));
            if (f->ModalResult() == mrNone) f->SetModalResult(mrCancel);
        });
        const TModalResult result = Editor->ShowModal();
        EXPECT_EQ(r.Pending(), 0);
        if (result != mrOk) return std::nullopt;
        return Editor->RE_TopicTemplate->Text();
    }
    TFTopicTemplate* Editor = nullptr;
};

}  // namespace

TEST_F(TopicTemplateEditor, CaptionsByKind)
{
    const std::pair<int, const char*> cases[] = {{1, "Set Template"}, {2, "Set Template"}, {0, "Set Topic"}};
    for (auto [kind, caption] : cases)
        Edit(kind, QString(), [&](TFTopicTemplate* f) {
            EXPECT_EQ(f->Caption(), QLatin1String(caption)) << kind;
            EXPECT_EQ(f->L_SW_Desc->Caption(), QLatin1String(caption)) << kind;
        });
}

TEST_F(TopicTemplateEditor, KeywordGridIsHeaderAndOneEmptyRow)
{
    Edit(1, QString(), [](TFTopicTemplate* f) {
        TAdvStringGrid* g = f->ASG_Keywords;
        EXPECT_EQ(g->RowCount(), 2);
        EXPECT_EQ(g->ColCount(), 2);
        EXPECT_EQ(g->FixedCols(), 0);
        EXPECT_EQ(g->Cells(0, 0), QStringLiteral("Keyword"));
        EXPECT_EQ(g->Cells(1, 0), QStringLiteral("Description of Keyword"));
        EXPECT_EQ(g->Cells(0, 1), QString());
        EXPECT_EQ(g->Cells(1, 1), QString());
        EXPECT_FALSE(g->ReadOnly(0, 1));
        EXPECT_TRUE(g->ReadOnly(1, 1));
        EXPECT_EQ(g->ColWidths(0), 200);
        EXPECT_EQ(g->ColWidths(1), 380);
    });
}

TEST_F(TopicTemplateEditor, TextComesBackWithItsBreaksOnOkOnly)
{
    const auto ok = Edit(1, QStringLiteral("old"), [](TFTopicTemplate* f) {
        EXPECT_EQ(f->RE_TopicTemplate->Text(), QStringLiteral("old"));
        EXPECT_TRUE(f->RE_TopicTemplate->Focused());
        f->RE_TopicTemplate->SetText(QStringLiteral("plant/$VALUE$\r\nline two"));
        EXPECT_TRUE(TestHarness::GrabToPng(f, TestHarness::GrabPath(QStringLiteral("topic-template.png"))));
        f->Btn_OK->Click();
    });
    EXPECT_EQ(ok, std::optional<QString>(QStringLiteral("plant/$VALUE$\r\nline two")));
    const auto cancelled = Edit(0, QStringLiteral("a/b"), [](TFTopicTemplate* f) {
        f->RE_TopicTemplate->SetText(QStringLiteral("changed"));
        f->Btn_Cancel->Click();
    });
    EXPECT_EQ(cancelled, std::nullopt);
}

TEST_F(TopicTemplateEditor, SplitterMovesTheLegendBorder)
{
    Edit(1, QString(), [](TFTopicTemplate* f) {
        const int legend = f->P_Legend->Height();
        const int editor = f->Panel1->Height();
        EXPECT_EQ(legend, 108);
        EXPECT_EQ(f->Splitter1->Neighbour(), f->P_Legend);
        EXPECT_EQ(f->Splitter1->Top() + f->Splitter1->Height(), f->P_Legend->Top());
        // Dragged 40 pixels up with the mouse: the legend grows by 40.
        QWidget* w = f->Splitter1->Widget();
        const QPoint grip(50, 1);
        QMouseEvent down(QEvent::MouseButtonPress, grip, w->mapToGlobal(grip), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(w, &down);
        const QPoint to(50, -39);
        QMouseEvent move(QEvent::MouseMove, to, w->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(w, &move);
        QMouseEvent up(QEvent::MouseButtonRelease, grip, w->mapToGlobal(grip), Qt::LeftButton, Qt::NoButton, {});
        QApplication::sendEvent(w, &up);
        EXPECT_EQ(f->P_Legend->Height(), legend + 40);
        EXPECT_EQ(f->Panel1->Height(), editor - 40);
        EXPECT_EQ(f->Splitter1->Top() + f->Splitter1->Height(), f->P_Legend->Top());
        // Neither side goes below the minimum.
        f->Splitter1->MoveBorder(-1000);
        EXPECT_EQ(f->Panel1->Height(), f->Splitter1->MinSize());
        f->Splitter1->MoveBorder(1000);
        EXPECT_EQ(f->P_Legend->Height(), f->Splitter1->MinSize());
    });
}
