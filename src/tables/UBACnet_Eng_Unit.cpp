#include "UBACnet_Eng_Unit.h"

#include "UComon.h"

TFBACnet_Eng_Unit* FBACnet_Eng_Unit = nullptr;

namespace {

TComboBox* EngUnitChoiceList(TWinControl* parent, int left, int top, int width)
{
    auto* c = new TComboBox(parent);
    c->SetParent(parent);
    c->SetBounds(left, top, width, 21);
    c->SetStyle(csDropDownList);
    return c;
}

TShape* EngUnitLine(TWinControl* parent, int top)
{
    auto* s = new TShape(parent);
    s->SetParent(parent);
    s->SetBounds(8, top, 532, 1);
    s->Pen()->SetColor(clGray);
    return s;
}

}  // namespace

TFBACnet_Eng_Unit::TFBACnet_Eng_Unit(TComponent* AOwner) : TFramedDialog(AOwner, bsSingle, 548, 306, 306, 426)
{
    Btn_OK->SetModalResult(mrOk);

    Label1 = NewLabel(this, 16, 82);
    E_Selected_EU = new TEdit(this);
    E_Selected_EU->SetParent(this);
    E_Selected_EU->SetBounds(250, 78, 49, 21);
    Label5 = NewLabel(this, 308, 82);

    Shape1 = EngUnitLine(this, 108);
    Label2 = NewLabel(this, 16, 116);
    SetVerdana(Label2->Font(), 11, {fsBold});

    Label3 = NewLabel(this, 16, 144);
    CB_Select_Type = EngUnitChoiceList(this, 140, 140, 392);
    for (const TBACnetUnitCategory& category : BACnetUnitCategories())
        CB_Select_Type->Items()->Add(category.Name);
    CB_Select_Type->SetItemIndex(0);
    CB_Select_Type->OnSelect = [this](TObject*) { CB_Select_TypeSelect(); };

    Label4 = NewLabel(this, 16, 174);
    CB_Select_Unit = EngUnitChoiceList(this, 140, 170, 392);

    Btn_Select_Eng_Unit = NewButton(this, 8, 204, 532, 28, bsEncarta);
    Btn_Select_Eng_Unit->OnClick = [this](TObject*) { Btn_Select_Eng_UnitClick(); };
    Shape2 = EngUnitLine(this, 244);

    OnCreate = [this](TObject*) { FormCreate(); };
    OnShow = [this](TObject*) { FormShow(); };
}

void TFBACnet_Eng_Unit::FormCreate()
{
    L_SW_Code->SetCaption(Software_Code);
    SetClientWidth(548);
    SetClientHeight(306);
    Set_Lang();
}

void TFBACnet_Eng_Unit::FormShow()
{
    // The category chosen last stays: only the unit list follows it.
    CB_Select_TypeSelect();
}

void TFBACnet_Eng_Unit::Set_Lang()
{
    SetCaption(LangText(2600));
    L_SW_Desc->SetCaption(LangText(2601));
    Btn_OK->SetCaption(LangText(2602));
    Btn_Cancel->SetCaption(LangText(2603));
    Label1->SetCaption(LangText(2604));
    Label2->SetCaption(LangText(2605));
    Label3->SetCaption(LangText(2606));
    Label4->SetCaption(LangText(2607));
    Btn_Select_Eng_Unit->SetCaption(LangText(2608));
}

void TFBACnet_Eng_Unit::CB_Select_TypeSelect()
{
    CB_Select_Unit->Items()->Clear();
    const int category = CB_Select_Type->ItemIndex();
    const auto& categories = BACnetUnitCategories();
    if (category < 0 || category >= int(categories.size()))
        return;
    for (const TBACnetUnitItem& unit : categories[size_t(category)].Units)
        CB_Select_Unit->Items()->Add(unit.Text);
    CB_Select_Unit->SetItemIndex(0);
}

void TFBACnet_Eng_Unit::Btn_Select_Eng_UnitClick()
{
    const int category = CB_Select_Type->ItemIndex();
    const int unit = CB_Select_Unit->ItemIndex();
    const auto& categories = BACnetUnitCategories();
    if (category < 0 || category >= int(categories.size()))
        return;
    const auto& units = categories[size_t(category)].Units;
    if (unit < 0 || unit >= int(units.size()))
        return;
    const int code = units[size_t(unit)].Code;
    E_Selected_EU->SetText(QString::number(code));
    Label5->SetCaption(QStringLiteral("-> ") + Desc_Unit(code));
}
