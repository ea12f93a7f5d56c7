#include "UOpenConf.h"

#include "Files.h"
#include "UComon.h"

TFOpenConf* FOpenConf = nullptr;

TFOpenConf::TFOpenConf(TComponent* AOwner)
    : TFramedDialog(AOwner, bsSizeable, 377, 351, 136, 252), SL(std::make_unique<TStringList>())
{

    Label1 = NewLabel(this, 16, 78);
    ListBox1 = new TListBox(this);
    ListBox1->SetParent(this);
    ListBox1->SetBounds(16, 96, 345, 207);
    ListBox1->SetAnchors({akLeft, akTop, akRight, akBottom});
    ListBox1->SetShowHint(true);
    ListBox1->SetTabStop(true);
    ListBox1->OnClick = [this](TObject*) { ListBox1Click(); };

    Btn_OK->SetModalResult(mrOk);
    // Enter opens the project selected in the list; Escape cancels.
    Btn_OK->SetDefault(true);
    Btn_Cancel->SetCancel(true);
    Btn_OK->SetAnchors({akTop, akRight});
    Btn_Cancel->SetAnchors({akTop, akRight});

    OnCreate = [this](TObject*) { FormCreate(); };
    OnShow = [this](TObject*) { FormShow(); };
}

TFOpenConf::~TFOpenConf() = default;

void TFOpenConf::FormCreate()
{
    L_SW_Code->SetCaption(Software_Code);
    SetClientWidth(377);
    SetClientHeight(351);
    Set_Lang();
}

void TFOpenConf::Set_Lang()
{
    SetCaption(LangText(200));
    L_SW_Desc->SetCaption(LangText(201));
    Label1->SetCaption(LangText(202));
    ListBox1->SetHint(LangText(205));
    SetButtonTexts(Btn_OK, 203, 206);
    SetButtonTexts(Btn_Cancel, 204, 207);
}

void TFOpenConf::Load_Existing_Configuration()
{
    SL->Clear();
    // A folder whose name the rule refuses could not be restored at the
    // next start, so it is not offered.
    for (const QString& name : ListSubFolders(Projects_Dir))
        if (IsValidProjectName(name)) SL->Add(name);
}

namespace {

// Equal when only the letters A to Z differ in case.
bool SameIgnoringAsciiCase(const QString& a, const QString& b)
{
    if (a.size() != b.size()) return false;
    auto fold = [](QChar c) { return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + 32) : c; };
    for (qsizetype i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

}  // namespace

int TFOpenConf::Search_Open_Conf(const QString& name) const
{
    for (int i = 0; i < SL->Count(); ++i)
        if (SameIgnoringAsciiCase(SL->Strings(i), name)) return i;
    return -1;
}

void TFOpenConf::FormShow()
{
    Load_Existing_Configuration();
    ListBox1->Items()->Assign(SL.get());

    QString open;
    const QString prefix = Projects_Dir + u'/';
    if (!Project_Path.isEmpty() && Project_Path.startsWith(prefix)) open = Project_Path.mid(prefix.size());

    const int found = open.isEmpty() ? -1 : Search_Open_Conf(open);
    const int line = found >= 0 ? found : (SL->Count() > 0 ? 0 : -1);
    ListBox1->SetItemIndex(line);
    Name_Conf = line >= 0 ? SL->Strings(line) : QString();
}

void TFOpenConf::ListBox1Click()
{
    const int i = ListBox1->ItemIndex();
    if (i >= 0 && i < ListBox1->Items()->Count()) Name_Conf = ListBox1->Items()->Strings(i);
}
