#include "UAbout.h"

#include "Shell.h"
#include "UCalyptoreFirmWare.h"

TFAbout* FAbout = nullptr;

namespace {

// The identity the box shows; its own constants, so a language file cannot
// change them.
const QString About_Description = QStringLiteral("R7arir / Serial - Converter");
const QString About_Software_Code = QStringLiteral("CF52104");
const QString About_Version = QStringLiteral("1.000");
const QString About_Document_Code = QStringLiteral("MN52104");

constexpr TColor DarkGreyText = 4210752;

}  // namespace

TFAbout::TFAbout(TComponent* AOwner) : TForm(AOwner)
{
    StyleForm(this, bsSingle, 425, 148);
    SetBorderIcons({biSystemMenu});
    SetCaption(QStringLiteral("About..."));
    Font()->SetColor(DarkGreyText);

    Image2 = new TImage(this);
    Image2->SetParent(this);
    Image2->SetBounds(32, 24, 81, 81);
    Image2->SetStretch(true);
    Image2->SetCursor(crHandPoint);
    Image2->Picture()->SetGraphic(MakeLogo(81).get());
    Image2->OnClick = [this](TObject*) { Label4Click(); };

    Label1 = NewLabel(this, 128, 24, QStringLiteral("Software Calyptor "));
    Label1->SetParentFont(false);
    SetVerdana(Label1->Font(), 13, {fsBold}, DarkGreyText);
    Label2 = NewLabel(this, 128, 39);
    Label6 = NewLabel(this, 128, 62, QStringLiteral("Software Code : "));
    Label9 = NewLabel(this, 240, 62);
    Label3 = NewLabel(this, 128, 77, QStringLiteral("Version :"));
    Label10 = NewLabel(this, 240, 77);
    Label8 = NewLabel(this, 128, 93, QStringLiteral("Document Code :"));
    Label12 = NewLabel(this, 240, 93);

    Label4 = NewLabel(this, 316, 131, Maker_Host);
    Label4->SetParentFont(false);
    SetVerdana(Label4->Font(), 11, {fsUnderline}, clBlue);
    Label4->SetCursor(crHandPoint);
    // The address ends inside the window whatever font stands in for Verdana.
    Label4->SetLeft(std::min(316, 425 - 8 - Label4->Width()));
    Label4->OnClick = [this](TObject*) { Label4Click(); };

    LbButton1 = NewButton(this, 32, 115, 81, 22, bsEncarta);
    LbButton1->SetCaption(QStringLiteral("OK"));
    SetButtonGlyph(LbButton1, TGlyphKind::Ok, 16, 2);
    LbButton1->SetModalResult(mrOk);

    OnShow = [this](TObject*) { FormShow(); };
}

void TFAbout::FormShow()
{
    Label2->SetCaption(About_Description);
    Label9->SetCaption(About_Software_Code);
    Label10->SetCaption(About_Version);
    Label12->SetCaption(About_Document_Code);
    SetClientWidth(425);
    SetClientHeight(148);
}

void TFAbout::Label4Click()
{
    OpenUrl(Maker_Home_Page());
}
