#include "USoftOptions.h"

#include "Files.h"
#include "Http.h"
#include "Services.h"
#include "Shell.h"
#include "SysFormat.h"
#include "UCalyptoreFirmWare.h"
#include "UComon.h"
#include "ULanguage.h"

TFSoftOptions* FSoftOptions = nullptr;

namespace {

const QString Own_Version = QStringLiteral("1.000");

// Characters up to U+0020 off both ends.
QString TrimBlanks(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s[b].unicode() <= 0x20) ++b;
    while (e > b && s[e - 1].unicode() <= 0x20) --e;
    return s.mid(b, e - b);
}

TCheckBox* NewCheckBox(TWinControl* parent, int left, int top, int width)
{
    auto* c = new TCheckBox(parent);
    c->SetParent(parent);
    c->SetBounds(left, top, width, 17);
    c->SetTabStop(true);
    return c;
}

TTabSheet* NewPage(TPageControl* pc)
{
    auto* page = new TTabSheet(pc->Owner());
    page->SetPageControl(pc);
    page->SetColor(WindowColor);
    return page;
}

}  // namespace

int Conv_Version(const QString& Ver_str)
{
    const qsizetype blank = Ver_str.indexOf(u' ');
    const QString v = TrimBlanks(blank >= 0 ? Ver_str.mid(blank + 1) : Ver_str);
    if (v.size() < 5) return -1;
    const QString digits = QString(v[0]) + v[2] + v[3] + v[4];
    return StrToIntDef(digits, -1);
}

bool Answer_Is_Newer(const QString& answer)
{
    const QString s = TrimBlanks(answer.toUpper());
    if (s.isEmpty() || s == QStringLiteral("VER. 0.000")) return false;
    const int own = Conv_Version(Own_Version);
    const int offered = Conv_Version(TrimBlanks(answer));
    return own != -1 && offered != -1 && own < offered;
}

// ---------------------------------------------------------------------------

TFSoftOptions::TFSoftOptions(TComponent* AOwner)
    : TFramedDialog(AOwner, bsSingle, 509, 373, 266, 384), SL_Languages(std::make_unique<TStringList>())
{

    Btn_OK->OnClick = [this](TObject*) { Btn_OKClick(); };

    PC_Options = new TPageControl(this);
    PC_Options->SetParent(this);
    PC_Options->SetAlign(alClient);

    TS_Language = NewPage(PC_Options);
    L_Sel_Lang = NewLabel(TS_Language, 24, 12);
    L_Page_Lang = NewLabel(TS_Language, 360, 12);
    for (int k = 0; k < SlotCount; ++k) {
        const int left = k < 3 ? 24 : 254;
        const int top = 40 + (k % 3) * 54;
        I_L[k] = new TImage(this);
        I_L[k]->SetParent(TS_Language);
        I_L[k]->SetBounds(left, top, 48, 48);
        I_L[k]->SetTransparent(true);
        I_L[k]->SetCursor(crHandPoint);
        I_L[k]->OnClick = [this](TObject* Sender) { LangClick(Sender); };
        L_L[k] = NewLabel(TS_Language, left + 56, top + 16);
        L_L[k]->SetCursor(crHandPoint);
        L_L[k]->OnClick = [this](TObject* Sender) { LangClick(Sender); };
    }
    Btn_Prev = NewButton(TS_Language, 24, 204, 110, 28, bsEncarta);
    SetButtonGlyph(Btn_Prev, TGlyphKind::Previous, 16);
    Btn_Prev->OnClick = [this](TObject* Sender) { Btn_NextClick(Sender); };
    Btn_Next = NewButton(TS_Language, 366, 204, 110, 28, bsEncarta);
    SetButtonGlyph(Btn_Next, TGlyphKind::Next, 16);
    Btn_Next->OnClick = [this](TObject* Sender) { Btn_NextClick(Sender); };

    TS_Con_Options = NewPage(PC_Options);
    CB_En_Con = NewCheckBox(TS_Con_Options, 24, 20, 440);
    CB_Update = NewCheckBox(TS_Con_Options, 48, 46, 416);
    Btn_Check_Update = NewButton(TS_Con_Options, 24, 84, 200, 28, bsEncarta);
    SetButtonGlyph(Btn_Check_Update, TGlyphKind::Check, 16);
    Btn_Check_Update->OnClick = [this](TObject*) { Btn_Check_UpdateClick(); };
    LL_Check_Update = NewLinkLabel(TS_Con_Options, 24, 128, 440, 17,
                                   [this](const QString& Link) { LL_Check_UpdateLinkClick(Link); });

    TS_Soft_Settings = NewPage(PC_Options);
    CB_Soft_Set_Jump_Table = NewCheckBox(TS_Soft_Settings, 24, 20, 440);
    CB_DoubleClick_Auto_Size = NewCheckBox(TS_Soft_Settings, 24, 46, 440);

    for (TCheckBox* c : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        c->OnClick = [this](TObject*) { CB_En_ConClick(); };

    OnCreate = [this](TObject*) { FormCreate(); };
    OnShow = [this](TObject*) { FormShow(); };
}

TFSoftOptions::~TFSoftOptions() = default;

void TFSoftOptions::FormCreate()
{
    L_SW_Code->SetCaption(Software_Code);
    TS_Con_Options->SetVisible(true);
    Set_Lang();
}

void TFSoftOptions::Set_Lang()
{
    SetCaption(LangText(300));
    L_SW_Desc->SetCaption(LangText(301));
    TS_Language->SetCaption(LangText(302));
    TS_Con_Options->SetCaption(LangText(303));
    TS_Soft_Settings->SetCaption(LangText(319));
    L_Sel_Lang->SetCaption(LangText(304));
    L_Page_Lang->SetCaption(LangText(305) + u'1' + LangText(306) + u'1');
    Btn_Prev->SetCaption(LangText(307));
    Btn_Next->SetCaption(LangText(308));
    CB_En_Con->SetCaption(LangText(309));
    CB_Update->SetCaption(LangText(310));
    Btn_Check_Update->SetCaption(LangText(311));
    Btn_OK->SetCaption(LangText(312));
    Btn_Cancel->SetCaption(LangText(313));
    CB_Soft_Set_Jump_Table->SetCaption(LangText(320));
    CB_DoubleClick_Auto_Size->SetCaption(LangText(321));
}

void TFSoftOptions::FormShow()
{
    Language_In_Use = Language_Name;
    Create_Lang_List();
    CB_En_Con->SetChecked(Opt_Enable_Internet);
    CB_Update->SetChecked(Opt_Enable_Update);
    CB_Soft_Set_Jump_Table->SetChecked(Opt_Jump_Field_Tables);
    CB_DoubleClick_Auto_Size->SetChecked(Opt_Double_Click_Auto_Size);
    // A box already in its state fires no click; the enabled states must
    // follow the options all the same.
    Update_CheckBox();
    LL_Check_Update->SetVisible(false);
    PC_Options->SetActivePage(TS_Language);
}

// ---------------------------------------------------------------------------
// Languages

void TFSoftOptions::Create_Lang_List()
{
    SL_Languages->Clear();
    for (const QString& file : ListFiles(Language_Dir, QStringLiteral(".lng")))
        if (IsValidProjectName(file.left(file.size() - 4))) SL_Languages->Add(file);
    SL_Languages->Sort();
    Show_Page = 1;
    Update_Lang_Page(1);
}

int TFSoftOptions::PageCount() const
{
    return (SL_Languages->Count() + SlotCount - 1) / SlotCount;
}

void TFSoftOptions::Update_Lang_Page(int Num_Page)
{
    const int count = SL_Languages->Count();
    const int pages = PageCount();
    L_Sel_Lang->SetCaption(LangText(304) + Language_In_Use);
    L_Page_Lang->SetCaption(LangText(305) + QString::number(Num_Page) + LangText(306) + QString::number(pages));
    Btn_Prev->SetVisible(Num_Page != 1);
    Btn_Next->SetVisible(Num_Page != pages);
    const int shown = std::min(SlotCount, count - (Num_Page - 1) * SlotCount);
    for (int k = 0; k < SlotCount; ++k) {
        const bool used = k < shown;
        L_L[k]->SetVisible(used);
        I_L[k]->SetVisible(false);
        if (!used) continue;
        const QString file = SL_Languages->Strings((Num_Page - 1) * SlotCount + k);
        const QString name = file.left(file.size() - 4);
        L_L[k]->SetCaption(name);
        // The language's own flag, else the default flag, else no picture.
        for (const QString& picture : {name + QStringLiteral(".bmp"), QStringLiteral("DefaultFlag.bmp")}) {
            const QString path = FindFileNoCase(Language_Dir, picture);
            if (path.isEmpty() || !FileExists(path)) continue;
            try {
                I_L[k]->Picture()->LoadFromFile(path);
                I_L[k]->SetVisible(true);
                break;
            } catch (const std::exception&) {
                // An unreadable picture counts as a missing one.
            }
        }
    }
}

void TFSoftOptions::Btn_NextClick(TObject* Sender)
{
    if (Sender == Btn_Next) {
        if (PageCount() >= Show_Page + 1) ++Show_Page;
    } else if (Sender == Btn_Prev) {
        if (Show_Page - 1 > 0) --Show_Page;
    }
    Update_Lang_Page(Show_Page);
}

int TFSoftOptions::SlotOf(TObject* Sender) const
{
    for (int k = 0; k < SlotCount; ++k)
        if (Sender == I_L[k] || Sender == L_L[k]) return k;
    return -1;
}

void TFSoftOptions::LangClick(TObject* Sender)
{
    const int k = SlotOf(Sender);
    const int index = (Show_Page - 1) * SlotCount + k;
    if (k < 0 || index >= SL_Languages->Count()) return;
    const QString file = SL_Languages->Strings(index);
    const QString name = file.left(file.size() - 4);

    const QString question = LangText(316) + Language_In_Use + LangText(317) + name + LangText(318);
    if (MessageDlg(question, mtConfirmation, mbYesNo) != mrYes) return;

    Language_In_Use = name;
    // The table is reloaded in the new language; the choice itself is kept
    // only by OK.
    const QString remembered = Language_Name;
    Language_Name = name;
    SetupLanguage();
    Language_Name = remembered;
    FCalyptoreFirmWare->Change_Language();
    L_Sel_Lang->SetCaption(LangText(304) + Language_In_Use);
}

// ---------------------------------------------------------------------------
// Options

void TFSoftOptions::CB_En_ConClick()
{
    Update_CheckBox();
}

void TFSoftOptions::Update_CheckBox()
{
    CB_Update->SetEnabled(CB_En_Con->Checked());
    Btn_Check_Update->SetEnabled(CB_En_Con->Checked() && CB_Update->Checked());
}

void TFSoftOptions::Btn_OKClick()
{
    Language_Name = Language_In_Use;
    Opt_Enable_Internet = CB_En_Con->Checked();
    Opt_Enable_Update = CB_Update->Checked();
    FCalyptoreFirmWare->Arm_Update_Timer();
    Opt_Jump_Field_Tables = CB_Soft_Set_Jump_Table->Checked();
    Opt_Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->Checked();
    SetModalResult(mrOk);
}

// ---------------------------------------------------------------------------
// Version check

void TFSoftOptions::Btn_Check_UpdateClick()
{
    if (Check_Version())
        LL_Check_Update->SetCaption(Download_Link_Caption(314));
    else
        // A plain text: what a language file puts in it shows as written.
        LL_Check_Update->SetCaption(LangText(315).toHtmlEscaped());
    LL_Check_Update->SetVisible(true);
}

void TFSoftOptions::LL_Check_UpdateLinkClick(const QString& Link)
{
    OpenUrl(Link);
}

bool TFSoftOptions::Check_Version()
{
    if (FChecking) return false;
    FChecking = true;
    QString answer;
    try {
        if (IHttpClient* http = Services().Http.get()) {
            const THttpHeaders headers = {
                {"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
                {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"},
            };
            const THttpResult r = http->Get(Version_Query_Url(), headers);
            if (r.Ok) answer = r.Body;
        }
    } catch (...) {
        // No answer: no newer version is reported.
        answer.clear();
    }
    FChecking = false;
    return Answer_Is_Newer(answer);
}
