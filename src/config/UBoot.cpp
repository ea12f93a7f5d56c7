#include "UBoot.h"

#include "AdvCGrid.h"
#include "Dialogs.h"
#include "Services.h"
#include "UCalyptoreFirmWare.h"
#include "UComon.h"

TFBoot* FBoot = nullptr;

namespace BootMessages {

QString IcmpNotPermitted()
{
    return QStringLiteral(
        "Error! This system does not allow the program to send ICMP echo requests, so the device "
        "was not checked and the update was not performed. Allow ping sockets for the user's "
        "group (sysctl net.ipv4.ping_group_range) or give the program the capability "
        "cap_net_raw.");
}

QString JobNotWritten(const QString& path, const QString& reason)
{
    return QStringLiteral("Error! The update job file ") + path + QStringLiteral(" cannot be written: ") +
           reason + QStringLiteral(". The update was not performed.");
}

QString UpdaterNotStarted(const QString& path, const QString& reason)
{
    return QStringLiteral("Error! The updater ") + path + QStringLiteral(" cannot be started: ") + reason +
           QStringLiteral(". The update was not performed.");
}

}  // namespace BootMessages

namespace {

// Heights of the panels that the dialog stacks when shown.
constexpr int IpPanelHeight = 64;
constexpr int OptionsPanelHeight = 64;
constexpr int SerialPanelHeight = 64;
constexpr int SearchPanelHeight = 160;
constexpr int DialogWidth = 449;

TPanel* NewPanel(TForm* form, int height)
{
    auto* p = new TPanel(form);
    p->SetParent(form);
    p->SetBounds(0, 0, DialogWidth, height);
    p->SetBevelOuter(bvNone);
    p->SetColor(WindowColor);
    return p;
}

// An input control on a panel of the dialog (owned by the dialog).
template <class T>
T* NewInput(TWinControl* parent, int left, int top, int width, int height = 22)
{
    auto* c = new T(parent->Owner());
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    c->SetShowHint(true);
    c->SetTabStop(true);
    return c;
}

TComboBox* NewList(TWinControl* parent, int left, int top, int width)
{
    auto* c = NewInput<TComboBox>(parent, left, top, width);
    c->SetStyle(csDropDownList);
    return c;
}

void Message(const QString& text, TMsgDlgType type)
{
    MessageDlg(text, type, {mbOK});
}

}  // namespace

TFBoot::TFBoot(TComponent* AOwner)
    : TTitledForm(AOwner, DialogWidth, 69 + IpPanelHeight + OptionsPanelHeight + 40, 1000, 1001),
      XML1(std::make_unique<TXmlDocument>())
{
    SetPosition(poScreenCenter);
    BuildControls();
    ProcessEvents = [] { Application->ProcessMessages(); };
    OnShow = [this](TObject*) { FormShow(); };
    // The close box during the echo loop cancels it like the Cancel button.
    OnCloseQuery = [this](TObject*, bool&) {
        if (FBusy) FAbort = true;
    };
}

void TFBoot::BuildControls()
{
    P_IP_Address = NewPanel(this, IpPanelHeight);
    L_IP_Address = NewLabel(P_IP_Address, 16, 10);
    TEdit** octets[] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
    for (int i = 0; i < 4; ++i) {
        TEdit* e = NewInput<TEdit>(P_IP_Address, 16 + i * 62, 30, 48);
        e->SetText(QStringLiteral("0"));
        e->OnKeyPress = [this](TObject* Sender, QChar& Key) { KeyPress(Sender, Key); };
        *octets[i] = e;
        if (i < 3) {
            TLabel* dot = NewLabel(P_IP_Address, 16 + i * 62 + 52, 33, QStringLiteral("."));
            dot->SetParentFont(false);
            SetVerdana(dot->Font(), 13, {fsBold});
        }
    }

    P_Eth_Search = NewPanel(this, SearchPanelHeight);
    L_Devices_Found = NewLabel(P_Eth_Search, 16, 8);
    // Two columns (address and MAC), a header row and one empty row.
    BeginLoading();
    ACG_List_Devices = Create<TAdvColumnGrid>(this);
    ACG_List_Devices->SetName(QStringLiteral("ACG_List_Devices"));
    ACG_List_Devices->SetParent(P_Eth_Search);
    ACG_List_Devices->SetBounds(16, 28, 417, 90);
    ACG_List_Devices->SetColCount(2);
    ACG_List_Devices->SetFixedCols(0);
    ACG_List_Devices->SetRowCount(2);
    ACG_List_Devices->SetFixedRows(1);
    // Without a fixed column the list starts at its first column.
    ACG_List_Devices->SetLeftCol(0);
    ACG_List_Devices->SetCol(0);
    for (int c = 0; c < 2; ++c)
        ACG_List_Devices->Columns()->Items(c)->SetWidth(200);
    ACG_List_Devices->SetShowHint(true);
    EndLoading();
    Btn_Search_Devices = NewButton(P_Eth_Search, 16, 124, 150, 28, bsEncarta);
    CB_Show_All_Devices = NewInput<TCheckBox>(P_Eth_Search, 190, 128, 200, 20);

    P_Options = NewPanel(this, OptionsPanelHeight);
    L_Update_Option = NewLabel(P_Options, 16, 10);
    CB_Update_Options = NewList(P_Options, 16, 30, 230);
    CB_Update_Option_Read_Back = NewInput<TCheckBox>(P_Options, 268, 31, 165, 20);
    CB_Update_Option_Read_Back->SetChecked(true);

    P_Serial = NewPanel(this, SerialPanelHeight);
    L_COM_Port = NewLabel(P_Serial, 16, 10, QStringLiteral("COM Port"));
    CB_COM_Port = NewList(P_Serial, 16, 30, 130);
    Btn_COM_List = NewButton(P_Serial, 164, 28, 110, 26, bsEncarta);
    Btn_COM_List->SetCaption(QStringLiteral("..."));
    Btn_COM_List->OnClick = [this](TObject*) { Btn_COM_ListClick(); };

    for (TPanel* p : {P_IP_Address, P_Eth_Search, P_Options, P_Serial})
        p->SetVisible(false);

    P_Button = NewButtonPanel(this);
    Btn_Cancel = NewButton(P_Button, 16, 6, 140, 28, bsEncarta);
    SetButtonGlyph(Btn_Cancel, TGlyphKind::Cancel, 16);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Cancel->SetCancel(true);
    Btn_Cancel->OnClick = [this](TObject*) { Btn_CancelClick(); };
    Btn_Update = NewButton(P_Button, DialogWidth - 16 - 240, 6, 240, 28, bsEncarta);
    SetButtonGlyph(Btn_Update, TGlyphKind::Update, 16);
    Btn_Update->OnClick = [this](TObject*) { Btn_UpdateClick(); };
}

// ---------------------------------------------------------------------------
// Showing and texts

void TFBoot::FormShow()
{
    Set_Lang();
    L_SW_Code->SetCaption(Software_Code);
    for (TPanel* p : {P_IP_Address, P_Eth_Search, P_Options, P_Serial}) {
        p->SetVisible(false);
        p->SetAlign(alNone);
    }
    // Stacks the panels under the title in the order given.
    auto stack = [this](std::initializer_list<TPanel*> panels) {
        int top = P_Title->Top() + P_Title->Height();
        for (TPanel* p : panels) {
            p->SetTop(top);
            p->SetAlign(alTop);
            top += p->Height();
        }
    };
    auto restoreChoices = [this] {
        CB_Update_Options->SetItemIndex(Update_Option);
        CB_Update_Option_Read_Back->SetChecked(Update_Read_Back);
    };

    if (Form_Type == 1) {
        P_IP_Address->SetVisible(true);
        P_Options->SetVisible(true);
        SetClientWidth(DialogWidth);
        stack({P_IP_Address, P_Eth_Search, P_Options});
        SetClientHeight(P_Title->Height() + P_IP_Address->Height() + P_Options->Height() +
                        P_Button->Height());
        P_Title->SetTabOrder(0);
        P_IP_Address->SetTabOrder(1);
        P_Eth_Search->SetTabOrder(2);
        P_Options->SetTabOrder(3);
        P_Button->SetTabOrder(4);
        P_Serial->SetTabOrder(5);
        QString o1, o2, o3, o4;
        if (!Last_IP_Address.isEmpty() && SplitIpText(Last_IP_Address, o1, o2, o3, o4)) {
            E_IP1->SetText(o1);
            E_IP2->SetText(o2);
            E_IP3->SetText(o3);
            E_IP4->SetText(o4);
        }
        restoreChoices();
        if (E_IP1->CanFocus()) E_IP1->SetFocus();
    } else if (Form_Type == 0) {
        P_Options->SetVisible(true);
        P_Serial->SetVisible(true);
        SetClientWidth(DialogWidth);
        stack({P_Serial, P_Options});
        SetClientHeight(P_Title->Height() + P_Serial->Height() + P_Options->Height() +
                        P_Button->Height());
        P_Serial->SetTabOrder(1);
        P_Options->SetTabOrder(2);
        P_Button->SetTabOrder(3);
        P_IP_Address->SetTabOrder(4);
        P_Eth_Search->SetTabOrder(5);
        restoreChoices();
        update_ComPort();
        if (CB_COM_Port->CanFocus()) CB_COM_Port->SetFocus();
    }
}

void TFBoot::Set_Lang()
{
    switch (Form_Type) {
    case 0: ShowTitleTexts(1000, 1001); break;
    case 1: ShowTitleTexts(1002, 1003); break;
    default: break;  // other values leave the texts as they are
    }
    L_IP_Address->SetCaption(LangText(1006));
    L_Devices_Found->SetCaption(LangText(1009));
    Btn_Search_Devices->SetCaption(LangText(1010));
    CB_Show_All_Devices->SetCaption(LangText(1013));
    ACG_List_Devices->Columns()->Items(0)->SetHeader(LangText(1011));
    ACG_List_Devices->Columns()->Items(1)->SetHeader(LangText(1012));
    L_Update_Option->SetCaption(LangText(1014));
    TStrings* items = CB_Update_Options->Items();
    items->Clear();
    for (int n : {1015, 1016, 1017})
        items->Add(LangText(n));
    CB_Update_Options->SetItemIndex(0);
    CB_Update_Option_Read_Back->SetCaption(LangText(1018));
    Btn_Cancel->SetCaption(LangText(1019));
    Btn_Update->SetCaption(LangText(1020));
    E_IP1->SetHint(LangText(1021));
    E_IP2->SetHint(LangText(1022));
    E_IP3->SetHint(LangText(1023));
    E_IP4->SetHint(LangText(1024));
    Btn_Search_Devices->SetHint(LangText(1029));
    ACG_List_Devices->SetHint(LangText(1030));
    CB_Show_All_Devices->SetHint(LangText(1031));
    CB_Update_Options->SetHint(LangText(1032));
    CB_Update_Option_Read_Back->SetHint(LangText(1033));
    Btn_Cancel->SetHint(LangText(1034));
    Btn_Update->SetHint(LangText(1035));
}

// ---------------------------------------------------------------------------
// Ports and keys

void TFBoot::update_ComPort()
{
    std::unique_ptr<TStringList> ports(ListComPorts());
    TStrings* items = CB_COM_Port->Items();
    items->Clear();
    for (int i = 0; i < ports->Count(); ++i)
        items->Add(QStringLiteral("COM") + ports->Strings(i));
    if (items->Count() > 0) CB_COM_Port->SetItemIndex(0);
}

void TFBoot::Btn_COM_ListClick()
{
    update_ComPort();
}

void TFBoot::KeyPress(TObject* Sender, QChar& Key)
{
    if (Key != u'.') return;
    Key = QChar(0);  // the octets are separated by the fields, never typed
    TWinControl* next = nullptr;
    if (Sender == E_IP1) next = E_IP2;
    else if (Sender == E_IP2) next = E_IP3;
    else if (Sender == E_IP3) next = E_IP4;
    if (next && next->CanFocus()) next->SetFocus();
}

// ---------------------------------------------------------------------------
// The update

TOctetTexts TFBoot::OctetTexts() const
{
    return {E_IP1->Text(), E_IP2->Text(), E_IP3->Text(), E_IP4->Text()};
}

bool TFBoot::CheckAborted() const
{
    // Cancel, Escape and the close box all give the modal result Cancel.
    return FAbort || ModalResult() != mrNone;
}

bool TFBoot::Send_Ping()
{
    TEchoHooks hooks;
    hooks.Pump = ProcessEvents;
    hooks.Aborted = [this] { return CheckAborted(); };
    IIcmpClient* client = Services().Icmp.get();
    if (!client) {
        ping_res = 0;
        FLastCheck = TEchoOutcome();
        FLastCheck.Stop = TEchoStop::ClientError;
        return false;
    }
    FLastCheck = CheckDevice(*client, OctetTexts(), ping_res, hooks);
    return FLastCheck.Answered;
}

TWriteResult TFBoot::Compile_XML_Parameter_New_Boot()
{
    TUpdateJob job;
    job.DeviceAddress = JoinOctetTexts(OctetTexts());
    job.Choice = CB_Update_Options->ItemIndex();
    job.ReadBack = CB_Update_Option_Read_Back->Checked();
    job.MasterDir = Master_Dir;
    job.ProjectPath = Project_Path;
    BuildUpdateJob(*XML1, job);
    return XML1->SaveToFile(UpdateJobFileName());
}

void TFBoot::UpdateEthernet()
{
    if (!Send_Ping()) {
        switch (CheckMessage(FLastCheck, ping_res)) {
        case TCheckMessage::None: break;  // cancelled: the dialog is closing
        case TCheckMessage::NotFound: Message(LangText(1036), mtWarning); break;
        case TCheckMessage::CheckAddress: Message(LangText(1037), mtError); break;
        case TCheckMessage::NotPermitted: Message(BootMessages::IcmpNotPermitted(), mtError); break;
        }
        return;
    }
    Last_IP_Address = JoinOctetTexts(OctetTexts());
    Update_Option = CB_Update_Options->ItemIndex();
    Update_Read_Back = CB_Update_Option_Read_Back->Checked();
    const TWriteResult written = Compile_XML_Parameter_New_Boot();
    if (!written) {
        Message(BootMessages::JobNotWritten(UpdateJobFileName(), written.Error), mtError);
        return;
    }
    const QString updater = Exe_Dir + QStringLiteral("/Ethernet_Update.exe");
    const TStartResult started = FCalyptoreFirmWare->Start_Program(updater, QString(), false);
    if (!started.Started)
        Message(BootMessages::UpdaterNotStarted(updater, started.Reason), mtError);
}

void TFBoot::Btn_UpdateClick()
{
    if (FBusy) return;  // a click let through by the echo loop's event pump
    FBusy = true;
    FAbort = false;
    Btn_Update->SetEnabled(false);
    struct Release {
        TFBoot* Self;
        ~Release()
        {
            // Clicks made while the updater blocked the window land on the
            // disabled button and start nothing.
            if (Self->ProcessEvents) Self->ProcessEvents();
            Self->Btn_Update->SetEnabled(true);
            Self->FBusy = false;
        }
    } release{this};

    if (Form_Type == 1) {
        UpdateEthernet();
    } else if (Form_Type == 0) {
        Update_Option = CB_Update_Options->ItemIndex();
        Update_Read_Back = CB_Update_Option_Read_Back->Checked();
    }
}

void TFBoot::Btn_CancelClick()
{
    if (FBusy) FAbort = true;
}
