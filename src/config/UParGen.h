#pragma once
// The editor of the gateway's general parameters (step 2, "Set
// Communication"): one scrolling group of collapsible panels, loaded from
// ParGen.xml on every show, checked on OK and written whole; Cancel writes
// nothing.
//
// The window is shared by the sixteen models of the gateway family: it holds
// the 21 panels of all of them, and each model shows its own in a fixed
// order. This program is model 52104 (Ethernet Connection, R7arir, Serial);
// the other models' panels exist only as empty, hidden placeholders.

#include "CategoryPanels.h"
#include "UFormLook.h"
#include "UParGenValues.h"
#include "XmlDoc.h"

#include <array>
#include <vector>

// The model this program is built for.
constexpr int ParGenModel = 52104;

// The panels of the group, in the order of their declaration.
enum TParGenPanel {
    ppEthernet_Connection, ppS7_Protocol, ppSerial, ppModbus_TCP_Slave, ppPROFIBUS,
    ppIEC61850_Server, ppTLS_Server, ppNTP, ppModbus_Slave, ppCAN, ppCANopen, ppDeviceNet_Slave,
    ppSNMP_Agent, ppEtherNetIP, ppKNX, ppMQTT, ppEthernet, ppTLS, ppBACnet_Slave, ppOPC_UA_Server,
    ppPROFINET,
    ParGenPanelCount
};

struct TParGenPanelInfo {
    const char* Name;  // the component name
    int Entry;         // the language entry of its caption
};
const TParGenPanelInfo& ParGenPanelInfo(int panel);

// The panels a model shows, in their order; empty for an unknown model.
std::vector<int> ParGenModelPanels(int model);

class TFParGen : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFParGen)
    explicit TFParGen(TComponent* AOwner);

    void FormCreate() override;
    void Set_Lang() override;

    // The values the controls hold, and the controls set from values.
    TParGenValues Values() const;
    void ShowValues(const TParGenValues& v);

    // Runs the checks in order; the first failure shows its message and
    // gives false.
    bool Controllo_Dati();

    // Lays out the panels of the model again (heights, stacking, the
    // controls other controls enable).
    void Move_GroupBoxs();

    // The control of a field.
    TWinControl* FieldControl(int field) const { return FFieldControls[size_t(field)]; }
    TCategoryPanel* Panel(int panel) const { return FPanels[size_t(panel)]; }

    TPanel* P_Buttons;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    TCategoryPanelGroup* CPG;

    TCategoryPanel* CP_Ethernet_Connection;
    TCategoryPanel* CP_S7_Protocol;
    TCategoryPanel* CP_Serial;

    // Ethernet Connection
    TLabel* L_EthConn_Device_Name;
    TEdit* E_EthConn_Device_Name;
    TCheckBox* CB_EthConn_En_DHCP_Cable;
    TCheckBox* CB_EthConn_En_DHCP_WiFi;
    TCheckBox* CB_EthConn_Enable_DNS;
    TLabel* L_EthConn_Primary_DNS;
    TEdit* E_EthConn_Pri_DNS_IP1;
    TEdit* E_EthConn_Pri_DNS_IP2;
    TEdit* E_EthConn_Pri_DNS_IP3;
    TEdit* E_EthConn_Pri_DNS_IP4;
    TLabel* L_EthConn_Secondary_DNS;
    TEdit* E_EthConn_Sec_DNS_IP1;
    TEdit* E_EthConn_Sec_DNS_IP2;
    TEdit* E_EthConn_Sec_DNS_IP3;
    TEdit* E_EthConn_Sec_DNS_IP4;

    // R7arir
    TLabel* L_S7_Protocol_IP;
    TEdit* E_S7_Protocol_IP1;
    TEdit* E_S7_Protocol_IP2;
    TEdit* E_S7_Protocol_IP3;
    TEdit* E_S7_Protocol_IP4;
    TLabel* L_S7_Protocol_SM;
    TEdit* E_S7_Protocol_SM1;
    TEdit* E_S7_Protocol_SM2;
    TEdit* E_S7_Protocol_SM3;
    TEdit* E_S7_Protocol_SM4;
    TCheckBox* CB_S7_Protocol_En_GAT;
    TEdit* E_S7_Protocol_GAT1;
    TEdit* E_S7_Protocol_GAT2;
    TEdit* E_S7_Protocol_GAT3;
    TEdit* E_S7_Protocol_GAT4;
    TLabel* L_S7_Protocol_TimeOut;
    TEdit* E_S7_Protocol_TimeOut;
    TCheckBox* CB_S7_Protocol_Reset_TimeOut;
    TEdit* E_S7_Protocol_Reset_TimeOut;

    // Serial
    TLabel* L_Serial_Serial;
    TComboBox* CB_Serial_Serial;
    TLabel* L_Serial_Baudrate;
    TComboBox* CB_Serial_Baudrate;
    TLabel* L_Serial_Parity;
    TComboBox* Cb_Serial_Parity;
    TLabel* L_Serial_StopBits;
    TComboBox* CB_Serial_StopBits;

    // Handlers (public so the tests can drive them as the platform does).
    void FormShow(TObject* Sender);
    void FormResize(TObject* Sender);
    void Btn_OKClick(TObject* Sender);
    void KeyPress(TObject* Sender, QChar& Key);
    void FormMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled);
    void On_Change(TObject* Sender);
    void On_Click(TObject* Sender);

private:
    void BuildPanels();
    void BuildEthernetConnection();
    void BuildS7Protocol();
    void BuildSerial();
    TEdit* NewEdit(TWinControl* parent, const char* name, int field, int left, int top, int width);
    TCheckBox* NewCheckBox(TWinControl* parent, const char* name, int field, int left, int top);
    TComboBox* NewList(TWinControl* parent, const char* name, int field, int top);
    TLabel* NewRowLabel(TWinControl* parent, const char* name, int top);
    void NewOctetRow(TWinControl* parent, const char* prefix, int firstField, int top, std::array<TEdit**, 4> edits);

    void Order_TAB_Panels();
    void Order_TAB_Panels_52104();
    void OrderModelPanels(int model);
    void RePosition_Objects_52104();
    // Height := bottom of `last` + header height + 12; then the visible
    // panels are stacked again.
    void FitPanel(TCategoryPanel* panel, TControl* last);
    void StackPanels();
    void ShowError(const QString& text);

    std::array<TCategoryPanel*, ParGenPanelCount> FPanels{};
    std::array<TWinControl*, ParGenFieldCount> FFieldControls{};
    // Wheel deltas not yet a whole step.
    int FWheelRest = 0;
    TXmlDocument XML1;
};

extern TFParGen* FParGen;
