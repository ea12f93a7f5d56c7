#pragma once
// The device update dialog: the device's address and what to load, the
// check that the device answers, the updater's job file and the start of the
// updater. Created once at start; it takes its texts and layout each time it
// is shown, for the kind of update it is shown for (Form_Type).
//
// While the echo loop runs the dialog stays live; a second press of the
// update button starts nothing, and Cancel, Escape or the close box end the
// loop at its next wait step without message, job or updater.

#include "UBootJob.h"
#include "UBootPing.h"
#include "UFormLook.h"
#include "XmlDoc.h"

class TAdvColumnGrid;

#include <functional>
#include <memory>

// The messages of the dialog that have no language entry.
namespace BootMessages {
QString IcmpNotPermitted();
QString JobNotWritten(const QString& path, const QString& reason);
QString UpdaterNotStarted(const QString& path, const QString& reason);
}  // namespace BootMessages

class TFBoot : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFBoot)
    explicit TFBoot(TComponent* AOwner);

    // 1: update through Ethernet (the one the program uses), 0: serial port.
    int Form_Type = 0;
    // The last request's status: 0 none yet, 1 answered, 2 ended without reply.
    int ping_res = 0;

    // ---- components
    TPanel* P_IP_Address;
    TLabel* L_IP_Address;
    TEdit* E_IP1;
    TEdit* E_IP2;
    TEdit* E_IP3;
    TEdit* E_IP4;
    TPanel* P_Options;
    TLabel* L_Update_Option;
    TComboBox* CB_Update_Options;
    TCheckBox* CB_Update_Option_Read_Back;
    TPanel* P_Serial;
    TLabel* L_COM_Port;
    TComboBox* CB_COM_Port;
    TLbButton* Btn_COM_List;
    // The device list: never shown, without an action.
    TPanel* P_Eth_Search;
    TLabel* L_Devices_Found;
    TAdvColumnGrid* ACG_List_Devices;
    TLbButton* Btn_Search_Devices;
    TCheckBox* CB_Show_All_Devices;
    TPanel* P_Button;
    TLbButton* Btn_Cancel;
    TLbButton* Btn_Update;
    std::unique_ptr<TXmlDocument> XML1;

    // Lets pending events through between the echo loop's sleeps
    // (production: Application->ProcessMessages).
    std::function<void()> ProcessEvents;

    void FormCreate() override {}
    void FormShow();
    void Set_Lang() override;
    void update_ComPort();
    void Btn_COM_ListClick();
    void KeyPress(TObject* Sender, QChar& Key);
    void Btn_UpdateClick();
    void Btn_CancelClick();
    // The echo loop over the address in the four fields; true when the last
    // request was answered.
    bool Send_Ping();
    // Writes the job file; the outcome of the write.
    TWriteResult Compile_XML_Parameter_New_Boot();

    // The four octet texts as typed.
    TOctetTexts OctetTexts() const;
    // How the last Send_Ping ended.
    const TEchoOutcome& LastCheck() const { return FLastCheck; }

private:
    void BuildControls();
    void UpdateEthernet();
    bool CheckAborted() const;

    TEchoOutcome FLastCheck;
    bool FBusy = false;
    bool FAbort = false;
};

extern TFBoot* FBoot;
