#include "UProfinetFileName.h"

#include "Clock.h"
#include "DateUtils.h"
#include "UComon.h"
#include "UDescriptionFiles.h"

TFProfinetFileName* FProfinetFileName = nullptr;

const QString Gsdml_Name_Front = QStringLiteral("GSDML-V2.31-Kestro-GW52116");

namespace {

void SetTahoma(TFont* font)
{
    font->SetName(QStringLiteral("Tahoma"));
    font->SetHeight(-11);  // 8 points
}

TLabel* NamePartLabel(TWinControl* parent, int left, int top)
{
    TLabel* l = NewLabel(parent, left, top);
    l->SetParentFont(false);
    SetTahoma(l->Font());
    return l;
}

}  // namespace

QString ComposeGsdmlName(const QString& userPart, const QString& endPart)
{
    if (userPart.trimmed().isEmpty()) return Gsdml_Name_Front + endPart;
    if (userPart.startsWith(u'_')) return Gsdml_Name_Front + userPart + endPart;
    return Gsdml_Name_Front + u'_' + userPart + endPart;
}

bool IsValidGsdmlUserPart(const QString& userPart)
{
    for (const QChar c : userPart)
        if (c < QChar(0x20) || QStringLiteral("/\\:*?\"<>|").contains(c)) return false;
    return true;
}

TFProfinetFileName::TFProfinetFileName(TComponent* AOwner)
    : TTitledForm(AOwner, 540, 205, 2800, 2801)
{
    SetBorderIcons(TBorderIcons{biSystemMenu});
    L_SW_Desc->SetTop(42);
    P_Button = NewButtonPanel(this);
    Btn_OK = NewButton(P_Button, 16, 6, 110, 28, bsEncarta);
    SetButtonGlyph(Btn_OK, TGlyphKind::Ok, 16);
    Btn_Cancel = NewButton(P_Button, 134, 6, 110, 28, bsEncarta);
    SetButtonGlyph(Btn_Cancel, TGlyphKind::Cancel, 16);
    Btn_Cancel->SetModalResult(mrCancel);

    Label1 = NamePartLabel(this, 16, 70);
    Label2 = NamePartLabel(this, 16, 107);
    L_XML_Fix1 = NamePartLabel(this, 16, 126);
    Label4 = NamePartLabel(this, 179, 107);
    E_XML_User = new TEdit(this);
    E_XML_User->SetParent(this);
    E_XML_User->SetParentFont(false);
    SetTahoma(E_XML_User->Font());
    E_XML_User->SetBounds(179, 123, 267, 21);
    E_XML_User->SetShowHint(true);
    E_XML_User->SetTabStop(true);
    Label5 = NamePartLabel(this, 447, 107);
    L_XML_Fix2 = NamePartLabel(this, 447, 126);

    Btn_OK->OnClick = [this](TObject*) { Btn_OKClick(); };
}

void TFProfinetFileName::FormCreate()
{
    L_SW_Code->SetCaption(Software_Code);
    SetClientWidth(540);
    SetClientHeight(205);
    L_XML_Fix1->SetCaption(Gsdml_Name_Front);
    // The front part ends before the edit whatever font stands in for Tahoma.
    const int room = E_XML_User->Left() - L_XML_Fix1->Left() - 2;
    for (int px = 11; L_XML_Fix1->Width() > room && px > 8; --px) L_XML_Fix1->Font()->SetHeight(-(px - 1));
    // The date of the window's creation, kept for the whole run.
    int y, m, d;
    DecodeDate(Now(), y, m, d);
    L_XML_Fix2->SetCaption(QStringLiteral("-%1%2%3.xml")
                               .arg(y, 4, 10, QChar(u'0'))
                               .arg(m, 2, 10, QChar(u'0'))
                               .arg(d, 2, 10, QChar(u'0')));
    Set_Lang();
}

void TFProfinetFileName::Set_Lang()
{
    TTitledForm::Set_Lang();  // caption 2800, description 2801
    Label1->SetCaption(LangText(2804));
    Label2->SetCaption(LangText(2805));
    Label4->SetCaption(LangText(2806));
    Label5->SetCaption(LangText(2807));
    E_XML_User->SetHint(LangText(2808));
    SetButtonTexts(Btn_OK, 2802, 2809);
    SetButtonTexts(Btn_Cancel, 2803, 2810);
}

void TFProfinetFileName::Btn_OKClick()
{
    const QString user = E_XML_User->Text();
    if (!IsValidGsdmlUserPart(user)) {
        ShowDescriptionError(DescriptionMessages::GsdmlUserPartRefused());
        return;
    }
    Name_File_XML = ComposeGsdmlName(user, L_XML_Fix2->Caption());
    SetModalResult(mrOk);
}
