#include "UTopicTemplate.h"

#include "AdvGrid.h"
#include "ClassesLists.h"
#include "UComon.h"

TFTopicTemplate* FTopicTemplate = nullptr;

namespace {

constexpr int TopicTemplateWidth = 635;
constexpr int TopicTemplateHeight = 396;

TPanel* TopicTemplatePanel(TWinControl* parent, TAlign align, int top, int height)
{
    auto* p = new TPanel(parent);
    p->SetParent(parent);
    p->SetBevelOuter(bvNone);
    p->SetColor(WindowColor);
    p->SetBounds(0, top, TopicTemplateWidth, height);
    p->SetAlign(align);
    return p;
}

}  // namespace

TFTopicTemplate::TFTopicTemplate(TComponent* AOwner)
    : TFramedDialog(AOwner, bsSizeable, TopicTemplateWidth, TopicTemplateHeight, 393, 513)
{
    Btn_OK->SetModalResult(mrOk);
    // Above the button panel: the legend, then the splitter above it.
    P_Legend = TopicTemplatePanel(this, alBottom, TopicTemplateHeight - 40 - 108, 108);
    L_List_Keywords = NewLabel(P_Legend, 8, 4);
    ASG_Keywords = new TAdvStringGrid(this);
    ASG_Keywords->SetParent(P_Legend);
    ASG_Keywords->SetBounds(8, 22, TopicTemplateWidth - 16, 108 - 26);
    ASG_Keywords->SetAnchors({akLeft, akTop, akRight, akBottom});
    ASG_Keywords->SetColCount(2);
    ASG_Keywords->SetFixedCols(0);
    ASG_Keywords->SetRowCount(2);
    ASG_Keywords->SetFixedRows(1);
    ASG_Keywords->SetColWidths(0, 200);
    ASG_Keywords->SetColWidths(1, 380);
    ASG_Keywords->SetOptions(ASG_Keywords->Options() + goEditing);
    ASG_Keywords->SetLeftCol(0);
    ASG_Keywords->SetCol(0);

    Splitter1 = new TSplitter(this);
    Splitter1->SetParent(this);
    Splitter1->SetAlign(alBottom);
    Splitter1->SetBounds(0, P_Legend->Top() - 3, TopicTemplateWidth, 3);
    Splitter1->SetCursor(crVSplit);

    Panel1 = TopicTemplatePanel(this, alClient, 69, P_Legend->Top() - 3 - 69);
    RE_TopicTemplate = new TRichEdit(this);
    RE_TopicTemplate->SetParent(Panel1);
    RE_TopicTemplate->SetBounds(8, 8, Panel1->Width() - 16, Panel1->Height() - 12);
    RE_TopicTemplate->SetAnchors({akLeft, akTop, akRight, akBottom});
    RE_TopicTemplate->SetScrollBars(ssBoth);

    OnCreate = [this](TObject*) { FormCreate(); };
    OnShow = [this](TObject*) { FormShow(); };
}

void TFTopicTemplate::FormCreate()
{
    L_SW_Code->SetCaption(Software_Code);
    SetClientWidth(TopicTemplateWidth);
    SetClientHeight(TopicTemplateHeight);
    Set_Lang();
}

void TFTopicTemplate::FormShow()
{
    const bool isTemplate = TopicTemplate != 0;
    SetCaption(LangText(isTemplate ? 2401 : 2400));
    L_SW_Desc->SetCaption(LangText(isTemplate ? 2403 : 2402));
    Laod_Keywords();
    if (RE_TopicTemplate->CanFocus()) RE_TopicTemplate->SetFocus();
}

void TFTopicTemplate::Set_Lang()
{
    SetCaption(LangText(2400));
    L_SW_Desc->SetCaption(LangText(2402));
    L_List_Keywords->SetCaption(LangText(2404));
    ASG_Keywords->SetCells(0, 0, LangText(2405));
    ASG_Keywords->SetCells(1, 0, LangText(2406));
    Btn_OK->SetCaption(LangText(2407));
    Btn_Cancel->SetCaption(LangText(2408));
}

void TFTopicTemplate::Laod_Keywords()
{
    // The keywords a template may hold, with their descriptions. None is
    // offered yet, so the grid shows the header and one empty row.
    TStringList keywords;
    TStringList descriptions;
    const int rows = std::max(1, keywords.Count());
    ASG_Keywords->SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        const bool listed = r - 1 < keywords.Count();
        ASG_Keywords->SetCells(0, r, listed ? keywords.Strings(r - 1) : QString());
        ASG_Keywords->SetCells(1, r, listed ? descriptions.Strings(r - 1) : QString());
        ASG_Keywords->SetReadOnly(0, r, false);
        ASG_Keywords->SetReadOnly(1, r, true);
    }
}
