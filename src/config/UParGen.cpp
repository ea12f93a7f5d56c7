#include "UParGen.h"

#include "Dialogs.h"
#include "OsProfile.h"
#include "UComon.h"

TFParGen* FParGen = nullptr;

namespace {

// The window's own error texts; the check messages are language entries.
const char* const CannotReadText =
    "Error! The file %1 cannot be read: %2. The default values are shown; OK replaces the file with them.";
const char* const CannotWriteText = "Error! The file %1 cannot be written: %2";

constexpr int FormClientWidth = 460;
constexpr int FormClientHeight = 700;
constexpr int ButtonWidth = 110;
constexpr int ButtonHeight = 28;
constexpr int ButtonPitch = ButtonWidth + 8;

// Inside a panel: the label column, the control column, and the rows.
constexpr int LabelLeft = 12;
constexpr int FieldLeft = 170;
constexpr int RowTop = 8;
constexpr int RowPitch = 28;
constexpr int EditHeight = 21;
constexpr int OctetWidth = 44;
constexpr int OctetPitch = 50;
constexpr int ListWidth = 150;
// Below the last control of a panel.
constexpr int PanelBottomMargin = 12;

constexpr int Row(int n) { return RowTop + n * RowPitch; }

// The octet edits a period walks through: first and last field of each
// chain, whose fields are consecutive in the file's order.
const std::pair<int, int> OctetChains[] = {{pgPriDns1, pgSecDns4}, {pgS7_IP1, pgS7_GAT4}};

const TParGenPanelInfo Panels[ParGenPanelCount] = {
    {"CP_Ethernet_Connection", 929}, {"CP_S7_Protocol", 406}, {"CP_Serial", 479},
    {"CP_Modbus_TCP_Slave", 423}, {"CP_PROFIBUS", 442}, {"CP_IEC61850_Server", 872},
    {"CP_TLS_Server", 906}, {"CP_NTP", 720}, {"CP_Modbus_Slave", 489}, {"CP_CAN", 504},
    {"CP_CANopen", 507}, {"CP_DeviceNet_Slave", 522}, {"CP_SNMP_Agent", 534},
    {"CP_EtherNetIP", 585}, {"CP_KNX", 627}, {"CP_MQTT", 633}, {"CP_Ethernet", 660},
    {"CP_TLS", 705}, {"CP_BACnet_Slave", 726}, {"CP_OPC_UA_Server", 790}, {"CP_PROFINET", 828},
};

struct TModelPanels {
    int Model;
    std::vector<int> Panels;
};

// Every model begins with the Ethernet Connection and the R7arir panel.
const std::vector<TModelPanels>& ModelTable()
{
    static const std::vector<TModelPanels> table = {
        {52101, {ppEthernet_Connection, ppS7_Protocol, ppModbus_TCP_Slave}},
        {52102, {ppEthernet_Connection, ppS7_Protocol, ppPROFIBUS}},
        {52103, {ppEthernet_Connection, ppS7_Protocol, ppIEC61850_Server, ppTLS_Server, ppNTP}},
        {52104, {ppEthernet_Connection, ppS7_Protocol, ppSerial}},
        {52105, {ppEthernet_Connection, ppS7_Protocol, ppModbus_Slave}},
        {52106, {ppEthernet_Connection, ppS7_Protocol, ppCAN}},
        {52107, {ppEthernet_Connection, ppS7_Protocol, ppCANopen}},
        {52108, {ppEthernet_Connection, ppS7_Protocol, ppDeviceNet_Slave}},
        {52109, {ppEthernet_Connection, ppS7_Protocol, ppSNMP_Agent}},
        {52110, {ppEthernet_Connection, ppS7_Protocol, ppEtherNetIP}},
        {52111, {ppEthernet_Connection, ppS7_Protocol, ppKNX}},
        {52112, {ppEthernet_Connection, ppS7_Protocol, ppMQTT, ppEthernet, ppTLS, ppNTP}},
        {52113, {ppEthernet_Connection, ppS7_Protocol, ppBACnet_Slave}},
        {52114, {ppEthernet_Connection, ppS7_Protocol, ppEthernet}},
        {52115, {ppEthernet_Connection, ppS7_Protocol, ppOPC_UA_Server, ppNTP}},
        {52116, {ppEthernet_Connection, ppS7_Protocol, ppPROFINET}},
    };
    return table;
}

void SetHintText(TControl* c, int entry)
{
    c->SetHint(LangText(entry));
}

}  // namespace

const TParGenPanelInfo& ParGenPanelInfo(int panel)
{
    return Panels[panel];
}

std::vector<int> ParGenModelPanels(int model)
{
    for (const TModelPanels& m : ModelTable())
        if (m.Model == model)
            return m.Panels;
    return {};
}

// ---------------------------------------------------------------------------
// Building the window

TFParGen::TFParGen(TComponent* AOwner) : TTitledForm(AOwner, FormClientWidth, FormClientHeight, 400, 401)
{
    SetName(QStringLiteral("FParGen"));
    SetShowHint(true);

    // The user may make the window lower or taller, never wider.
    SetBorderStyle(bsSizeable);
    P_Buttons = NewButtonPanel(this);
    Btn_OK = NewButton(P_Buttons, FormClientWidth - 2 * ButtonPitch, 6, ButtonWidth, ButtonHeight, bsEncarta);
    Btn_OK->SetName(QStringLiteral("Btn_OK"));
    SetButtonGlyph(Btn_OK, TGlyphKind::Ok, 16);
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    Btn_Cancel = NewButton(P_Buttons, FormClientWidth - ButtonPitch, 6, ButtonWidth, ButtonHeight, bsEncarta);
    Btn_Cancel->SetName(QStringLiteral("Btn_Cancel"));
    SetButtonGlyph(Btn_Cancel, TGlyphKind::Cancel, 16);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_OK->SetDefault(true);
    Btn_Cancel->SetCancel(true);

    CPG = new TCategoryPanelGroup(this);
    CPG->SetName(QStringLiteral("CPG"));
    CPG->SetParent(this);
    CPG->SetAlign(alClient);
    CPG->SetColor(WindowColor);

    BuildPanels();

    OnShow = [this](TObject* s) { FormShow(s); };
    OnResize = [this](TObject* s) { FormResize(s); };
    OnMouseWheel = [this](TObject* s, TShiftState sh, int d, TPoint p, bool& h) { FormMouseWheel(s, sh, d, p, h); };
}

void TFParGen::BuildPanels()
{
    for (int p = 0; p < ParGenPanelCount; ++p) {
        auto* panel = new TCategoryPanel(this);
        panel->SetName(QLatin1String(Panels[p].Name));
        panel->SetPanelGroup(CPG);
        FPanels[size_t(p)] = panel;
    }
    CP_Ethernet_Connection = FPanels[ppEthernet_Connection];
    CP_S7_Protocol = FPanels[ppS7_Protocol];
    CP_Serial = FPanels[ppSerial];
    BuildEthernetConnection();
    BuildS7Protocol();
    BuildSerial();
}

TLabel* TFParGen::NewRowLabel(TWinControl* parent, const char* name, int top)
{
    TLabel* l = NewLabel(parent, LabelLeft, top + 3);
    l->SetName(QLatin1String(name));
    return l;
}

TEdit* TFParGen::NewEdit(TWinControl* parent, const char* name, int field, int left, int top, int width)
{
    auto* e = new TEdit(this);
    e->SetName(QLatin1String(name));
    e->SetParent(parent);
    e->SetBounds(left, top, width, EditHeight);
    e->OnChange = [this](TObject* s) { On_Change(s); };
    FFieldControls[size_t(field)] = e;
    return e;
}

TCheckBox* TFParGen::NewCheckBox(TWinControl* parent, const char* name, int field, int left, int top)
{
    auto* c = new TCheckBox(this);
    c->SetName(QLatin1String(name));
    c->SetParent(parent);
    c->SetBounds(left, top + 2, FieldLeft - LabelLeft - 4, 17);
    c->OnClick = [this](TObject* s) { On_Click(s); };
    FFieldControls[size_t(field)] = c;
    return c;
}

TComboBox* TFParGen::NewList(TWinControl* parent, const char* name, int field, int top)
{
    auto* c = new TComboBox(this);
    c->SetName(QLatin1String(name));
    c->SetParent(parent);
    c->SetStyle(csDropDownList);
    c->SetBounds(FieldLeft, top, ListWidth, EditHeight);
    for (const QString& item : ParGenListItems(field))
        c->Items()->Add(item);
    c->OnChange = [this](TObject* s) { On_Change(s); };
    FFieldControls[size_t(field)] = c;
    return c;
}

// Four octet edits <prefix>1 .. <prefix>4 in one row, kept in `edits`.
void TFParGen::NewOctetRow(TWinControl* parent, const char* prefix, int firstField, int top,
                           std::array<TEdit**, 4> edits)
{
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = QByteArray(prefix) + QByteArray::number(i + 1);
        TEdit* e = NewEdit(parent, name.constData(), firstField + i, FieldLeft + i * OctetPitch, top, OctetWidth);
        e->OnKeyPress = [this](TObject* s, QChar& k) { KeyPress(s, k); };
        *edits[size_t(i)] = e;
    }
}

void TFParGen::BuildEthernetConnection()
{
    TCategoryPanel* p = CP_Ethernet_Connection;
    L_EthConn_Device_Name = NewRowLabel(p, "L_EthConn_Device_Name", Row(0));
    E_EthConn_Device_Name = NewEdit(p, "E_EthConn_Device_Name", pgDeviceName, FieldLeft, Row(0), 4 * OctetPitch + 44);
    E_EthConn_Device_Name->SetMaxLength(31);
    CB_EthConn_En_DHCP_Cable = NewCheckBox(p, "CB_EthConn_En_DHCP_Cable", pgDhcpCable, LabelLeft, Row(1));
    CB_EthConn_En_DHCP_WiFi = NewCheckBox(p, "CB_EthConn_En_DHCP_WiFi", pgDhcpWiFi, LabelLeft, Row(2));
    CB_EthConn_Enable_DNS = NewCheckBox(p, "CB_EthConn_Enable_DNS", pgEnableDns, LabelLeft, Row(3));
    L_EthConn_Primary_DNS = NewRowLabel(p, "L_EthConn_Primary_DNS", Row(4));
    NewOctetRow(p, "E_EthConn_Pri_DNS_IP", pgPriDns1, Row(4),
                {&E_EthConn_Pri_DNS_IP1, &E_EthConn_Pri_DNS_IP2, &E_EthConn_Pri_DNS_IP3, &E_EthConn_Pri_DNS_IP4});
    L_EthConn_Secondary_DNS = NewRowLabel(p, "L_EthConn_Secondary_DNS", Row(5));
    NewOctetRow(p, "E_EthConn_Sec_DNS_IP", pgSecDns1, Row(5),
                {&E_EthConn_Sec_DNS_IP1, &E_EthConn_Sec_DNS_IP2, &E_EthConn_Sec_DNS_IP3, &E_EthConn_Sec_DNS_IP4});
}

void TFParGen::BuildS7Protocol()
{
    TCategoryPanel* p = CP_S7_Protocol;
    L_S7_Protocol_IP = NewRowLabel(p, "L_S7_Protocol_IP", Row(0));
    NewOctetRow(p, "E_S7_Protocol_IP", pgS7_IP1, Row(0),
                {&E_S7_Protocol_IP1, &E_S7_Protocol_IP2, &E_S7_Protocol_IP3, &E_S7_Protocol_IP4});
    L_S7_Protocol_SM = NewRowLabel(p, "L_S7_Protocol_SM", Row(1));
    NewOctetRow(p, "E_S7_Protocol_SM", pgS7_SM1, Row(1),
                {&E_S7_Protocol_SM1, &E_S7_Protocol_SM2, &E_S7_Protocol_SM3, &E_S7_Protocol_SM4});
    CB_S7_Protocol_En_GAT = NewCheckBox(p, "CB_S7_Protocol_En_GAT", pgS7_EnGat, LabelLeft, Row(2));
    NewOctetRow(p, "E_S7_Protocol_GAT", pgS7_GAT1, Row(2),
                {&E_S7_Protocol_GAT1, &E_S7_Protocol_GAT2, &E_S7_Protocol_GAT3, &E_S7_Protocol_GAT4});
    L_S7_Protocol_TimeOut = NewRowLabel(p, "L_S7_Protocol_TimeOut", Row(3));
    E_S7_Protocol_TimeOut = NewEdit(p, "E_S7_Protocol_TimeOut", pgS7_TimeOut, FieldLeft, Row(3), 2 * OctetPitch - 6);
    CB_S7_Protocol_Reset_TimeOut =
        NewCheckBox(p, "CB_S7_Protocol_Reset_TimeOut", pgS7_EnResetTimeOut, LabelLeft, Row(4));
    E_S7_Protocol_Reset_TimeOut =
        NewEdit(p, "E_S7_Protocol_Reset_TimeOut", pgS7_ResetTimeOut, FieldLeft, Row(4), 2 * OctetPitch - 6);
}

void TFParGen::BuildSerial()
{
    TCategoryPanel* p = CP_Serial;
    L_Serial_Serial = NewRowLabel(p, "L_Serial_Serial", Row(0));
    CB_Serial_Serial = NewList(p, "CB_Serial_Serial", pgSerial, Row(0));
    L_Serial_Baudrate = NewRowLabel(p, "L_Serial_Baudrate", Row(1));
    CB_Serial_Baudrate = NewList(p, "CB_Serial_Baudrate", pgBaudrate, Row(1));
    L_Serial_Parity = NewRowLabel(p, "L_Serial_Parity", Row(2));
    Cb_Serial_Parity = NewList(p, "Cb_Serial_Parity", pgParity, Row(2));
    L_Serial_StopBits = NewRowLabel(p, "L_Serial_StopBits", Row(3));
    CB_Serial_StopBits = NewList(p, "CB_Serial_StopBits", pgStopBits, Row(3));
}

void TFParGen::FormCreate()
{
    L_SW_Code->SetCaption(Software_Code);
    SetClientWidth(FormClientWidth);
    SetClientHeight(FormClientHeight);
    for (TCategoryPanel* p : FPanels)
        p->SetVisible(false);
    Order_TAB_Panels();
    Move_GroupBoxs();
    Set_Lang();
}

// ---------------------------------------------------------------------------
// Panels of the model

void TFParGen::Order_TAB_Panels()
{
    Order_TAB_Panels_52104();
}

void TFParGen::Order_TAB_Panels_52104()
{
    OrderModelPanels(52104);
}

// The captions are built here only, so they keep the language active when
// the window was created.
void TFParGen::OrderModelPanels(int model)
{
    const std::vector<int> shown = ParGenModelPanels(model);
    int top = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        TCategoryPanel* p = FPanels[size_t(shown[i])];
        p->SetVisible(true);
        p->SetTop(top);
        top += p->Height();
        p->SetCaption(QStringLiteral("%1. %2").arg(i + 1).arg(LangText(Panels[shown[i]].Entry)));
        p->SetTabOrder(int(i));
    }
}

void TFParGen::Move_GroupBoxs()
{
    RePosition_Objects_52104();
}

void TFParGen::RePosition_Objects_52104()
{
    FitPanel(CP_Ethernet_Connection, E_EthConn_Sec_DNS_IP4);
    // Its state is loaded and saved, but the user may not change it.
    CB_EthConn_En_DHCP_WiFi->SetEnabled(false);

    FitPanel(CP_S7_Protocol, E_S7_Protocol_Reset_TimeOut);
    // With DHCP on the cable the address comes from the network.
    const bool fixedAddress = !CB_EthConn_En_DHCP_Cable->Checked();
    for (int f = pgS7_IP1; f <= pgS7_GAT4; ++f)
        FieldControl(f)->SetEnabled(fixedAddress);
    CB_S7_Protocol_En_GAT->SetEnabled(fixedAddress);

    FitPanel(CP_Serial, CB_Serial_StopBits);
}

void TFParGen::FitPanel(TCategoryPanel* panel, TControl* last)
{
    panel->SetHeight(last->Top() + last->Height() + CPG->HeaderHeight() + PanelBottomMargin);
    StackPanels();
}

// The visible panels one below the other, in their present order.
void TFParGen::StackPanels()
{
    std::vector<TCategoryPanel*> shown;
    for (TCategoryPanel* p : FPanels)
        if (p->Visible())
            shown.push_back(p);
    std::stable_sort(shown.begin(), shown.end(),
                     [](TCategoryPanel* a, TCategoryPanel* b) { return a->Top() < b->Top(); });
    int top = 0;
    for (TCategoryPanel* p : shown) {
        p->SetTop(top);
        top += p->Height();
    }
}

// ---------------------------------------------------------------------------
// Texts

void TFParGen::Set_Lang()
{
    ShowTitleTexts(400, 401);
    SetButtonTexts(Btn_OK, 402, 404);
    SetButtonTexts(Btn_Cancel, 403, 405);

    // Entries of the labels and check boxes (captions) and of the edits and
    // lists (hints).
    const std::pair<TControl*, int> captions[] = {
        {L_S7_Protocol_IP, 407}, {L_S7_Protocol_SM, 412}, {CB_S7_Protocol_En_GAT, 417},
        {L_S7_Protocol_TimeOut, 956}, {CB_S7_Protocol_Reset_TimeOut, 959},
        {L_Serial_Serial, 480}, {L_Serial_Baudrate, 482}, {L_Serial_Parity, 484}, {L_Serial_StopBits, 486},
        {L_EthConn_Device_Name, 930}, {CB_EthConn_En_DHCP_Cable, 932}, {CB_EthConn_En_DHCP_WiFi, 934},
        {CB_EthConn_Enable_DNS, 936}, {L_EthConn_Primary_DNS, 938}, {L_EthConn_Secondary_DNS, 943},
    };
    for (const auto& [control, entry] : captions)
        control->SetCaption(LangText(entry));

    const std::pair<TControl*, int> hints[] = {
        {E_S7_Protocol_IP1, 408}, {E_S7_Protocol_IP2, 409}, {E_S7_Protocol_IP3, 410}, {E_S7_Protocol_IP4, 411},
        {E_S7_Protocol_SM1, 413}, {E_S7_Protocol_SM2, 414}, {E_S7_Protocol_SM3, 415}, {E_S7_Protocol_SM4, 416},
        {CB_S7_Protocol_En_GAT, 418},
        {E_S7_Protocol_GAT1, 419}, {E_S7_Protocol_GAT2, 420}, {E_S7_Protocol_GAT3, 421}, {E_S7_Protocol_GAT4, 422},
        {E_S7_Protocol_TimeOut, 957}, {CB_S7_Protocol_Reset_TimeOut, 960}, {E_S7_Protocol_Reset_TimeOut, 961},
        {CB_Serial_Serial, 481}, {CB_Serial_Baudrate, 483}, {Cb_Serial_Parity, 485}, {CB_Serial_StopBits, 487},
        {E_EthConn_Device_Name, 931}, {CB_EthConn_En_DHCP_Cable, 933}, {CB_EthConn_En_DHCP_WiFi, 935},
        {CB_EthConn_Enable_DNS, 937},
        {E_EthConn_Pri_DNS_IP1, 939}, {E_EthConn_Pri_DNS_IP2, 940}, {E_EthConn_Pri_DNS_IP3, 941},
        {E_EthConn_Pri_DNS_IP4, 942},
        {E_EthConn_Sec_DNS_IP1, 944}, {E_EthConn_Sec_DNS_IP2, 945}, {E_EthConn_Sec_DNS_IP3, 946},
        {E_EthConn_Sec_DNS_IP4, 947},
    };
    for (const auto& [control, entry] : hints)
        SetHintText(control, entry);
}

// ---------------------------------------------------------------------------
// Values

TParGenValues TFParGen::Values() const
{
    TParGenValues v;
    for (int f = 0; f < ParGenFieldCount; ++f) {
        switch (ParGenFieldInfo(f).Kind) {
        case TParGenKind::Text:
            v[f] = static_cast<TEdit*>(FieldControl(f))->Text();
            break;
        case TParGenKind::Check:
            v.SetChecked(f, static_cast<TCheckBox*>(FieldControl(f))->Checked());
            break;
        case TParGenKind::List:
            v.SetIndex(f, static_cast<TComboBox*>(FieldControl(f))->ItemIndex());
            break;
        }
    }
    return v;
}

void TFParGen::ShowValues(const TParGenValues& v)
{
    for (int f = 0; f < ParGenFieldCount; ++f) {
        switch (ParGenFieldInfo(f).Kind) {
        case TParGenKind::Text:
            static_cast<TEdit*>(FieldControl(f))->SetText(v[f]);
            break;
        case TParGenKind::Check:
            static_cast<TCheckBox*>(FieldControl(f))->SetChecked(v.Checked(f));
            break;
        case TParGenKind::List:
            static_cast<TComboBox*>(FieldControl(f))->SetItemIndex(v.Index(f));
            break;
        }
    }
}

// ---------------------------------------------------------------------------
// Events

// Every control first gets its default, so nothing of an earlier showing
// (perhaps of another project) survives a file that cannot be read.
void TFParGen::FormShow(TObject*)
{
    const TParGenLoad load = LoadParGenFile(XML1, ParGen_File);
    ShowValues(load.Values);
    Move_GroupBoxs();
    if (!load.Ok)
        ShowError(QString::fromLatin1(CannotReadText).arg(ParGen_File, load.Reason));
}

void TFParGen::FormResize(TObject*)
{
    if (ClientWidth() != FormClientWidth)
        SetClientWidth(FormClientWidth);
}

bool TFParGen::Controllo_Dati()
{
    const int fault = ParGenFirstFault(Values());
    if (fault == 0)
        return true;
    ShowError(LangText(fault));
    return false;
}

// A failed write keeps the window open with the user's input and the old
// file as it was.
void TFParGen::Btn_OKClick(TObject*)
{
    if (!Controllo_Dati() || !ConfirmProjectWrite(ParGen_File))
        return;
    const TWriteResult written = SaveParGenFile(XML1, ParGen_File, Values());
    if (!written) {
        ShowError(QString::fromLatin1(CannotWriteText).arg(ParGen_File, written.Error));
        return;
    }
    SetModalResult(mrOk);
}

// A period never goes into an octet edit; inside a chain it moves on to the
// next edit, when that can take the focus.
void TFParGen::KeyPress(TObject* Sender, QChar& Key)
{
    if (Key != QLatin1Char('.'))
        return;
    Key = QChar();
    for (const auto& [first, last] : OctetChains) {
        for (int f = first; f < last; ++f) {
            if (FieldControl(f) == Sender) {
                TWinControl* next = FieldControl(f + 1);
                if (next->CanFocus())
                    next->SetFocus();
                return;
            }
        }
    }
}

// Inside the group the wheel scrolls it by the system's line count per
// whole step of 120; small deltas add up to steps. A wheel without a
// vertical component moves nothing.
void TFParGen::FormMouseWheel(TObject*, TShiftState, int WheelDelta, TPoint MousePos, bool& Handled)
{
    const TPoint p = CPG->ScreenToClient(MousePos);
    if (!CPG->ClientRect().Contains(p))
        return;
    Handled = true;
    if ((FWheelRest < 0 && WheelDelta > 0) || (FWheelRest > 0 && WheelDelta < 0))
        FWheelRest = 0;  // a turn the other way starts afresh
    FWheelRest += WheelDelta;
    const int lines = GetOsProfile().WheelScrollLines;
    while (FWheelRest >= WHEEL_DELTA || FWheelRest <= -WHEEL_DELTA) {
        const bool up = FWheelRest > 0;
        FWheelRest += up ? -WHEEL_DELTA : WHEEL_DELTA;
        for (int i = 0; i < lines; ++i) {
            CPG->Perform(WM_VSCROLL, up ? SB_LINEUP : SB_LINEDOWN, 0);
            CPG->Perform(WM_VSCROLL, SB_ENDSCROLL, 0);
        }
    }
}

// No edit or list of this model shows or hides other controls.
void TFParGen::On_Change(TObject*) {}

// The DHCP boxes enable or disable the address rows.
void TFParGen::On_Click(TObject* Sender)
{
    if (Sender == CB_EthConn_En_DHCP_Cable || Sender == CB_EthConn_En_DHCP_WiFi)
        Move_GroupBoxs();
}

void TFParGen::ShowError(const QString& text)
{
    MessageDlg(text, mtError, {mbOK});
}
