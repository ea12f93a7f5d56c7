#pragma once
// The main window: its creation sets up the whole system (program folders,
// settings, language table, last project, table paths, shared lists) before
// any other window exists; afterwards it leads the user through the numbered
// steps, refuses the project steps while no project is open, re-labels every
// window on a language change, checks for a newer version on its timer and
// starts the device update.

#include "Dialogs.h"
#include "ExtCtrls.h"
#include "UFormLook.h"
#include "UMakerSite.h"
#include "XmlDoc.h"

#include <QString>
#include <cstdint>
#include <memory>

// A link-label caption: an anchor to the download page around the language
// entry given, escaped for the markup.
QString Download_Link_Caption(int entry);
// The version query's address (Version_Query_Base + its path and query).
QString Version_Query_Url();

// Settings that tests shorten or redirect; production never changes them.
struct TMainWindowTuning {
    unsigned FirstCheckMs = 60000;       // the update timer's first wait
    unsigned RepeatCheckMs = 7200000;    // every later wait
    uint32_t StartProgramLimitMs = 150000;
    QString VersionQueryBase = QStringLiteral("http://") + Maker_Host;
};
TMainWindowTuning& MainWindowTuning();

// The outcome of Start_Program: whether the program was started, and why not.
struct TStartResult {
    bool Started = false;
    QString Reason;
};

class TFCalyptoreFirmWare : public TForm {
public:
    DECLARE_CLASSNAME(TFCalyptoreFirmWare)
    explicit TFCalyptoreFirmWare(TComponent* AOwner);
    ~TFCalyptoreFirmWare() override;

    // ---- components
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TLabel* L_Begin;
    TShape* Shape2;
    TLabel* L_Name_Conf;
    TLabel* L_Name_Conf_L2;
    TLabel* L_Step[8];  // L_Step_1 .. L_Step_8
    TShape* Shape1;
    TLabel* L_Kestro;
    TLinkLabel* LL_Update;
    TTimer* Timer_Update;
    std::unique_ptr<TXmlDocument> XML1;
    TSaveDialog* SD1;
    TSaveDialog* SaveEDS;
    TSaveDialog* SaveMIB;

    // The shown steps and the three round buttons.
    TLbButton* Btn_New;
    TLbButton* Btn_Open;
    TLbButton* Btn_Prm_Gen;
    TLbButton* Btn_S7_Protocol_Access;
    TLbButton* Btn_CreateBin;
    TLbButton* Btn_Info;
    TLbButton* Btn_Opz;
    TLbButton* Btn_Close;
    // The steps of the sibling models, always hidden.
    TLbButton* Btn_PROFIBUS_GSD;
    TLbButton* Btn_KNX_Access;
    TLbButton* Btn_IEC61850_Access;
    TLbButton* Btn_TLS_List_Certificates;
    TLbButton* Btn_CAN_Rec_Frame;
    TLbButton* Btn_CAN_Send_Frame;
    TLbButton* Btn_SDO_Server_CANopen;
    TLbButton* Btn_SDO_Client_CANopen;
    TLbButton* Btn_PDO_CANopen;
    TLbButton* Btn_CANopen_EDS;
    TLbButton* Btn_SNMP_Trap;
    TLbButton* Btn_SNMP_MIB;
    TLbButton* Btn_MQTT_Set_Topic;
    TLbButton* Btn_BACnet_SetAccess;
    TLbButton* Btn_BACnet_EDE_File;
    TLbButton* Btn_OPC_UA_Server_Access;
    TLbButton* Btn_PROFINET_XML;

    // ---- handlers and methods
    void FormCreate();
    void FormClose(TCloseAction& Action);
    void Btn_Click(TObject* Sender);
    void Set_Lang();
    void Change_Language();
    void Update_Device();
    void Create_New_Project();
    void Open_Project();
    // Writes the settings file; a failure is shown as an error dialog.
    void Save_Setting();
    void Set_Files();
    void Timer_UpdateTimer();
    void L_KestroClick();
    void LL_UpdateLinkClick(const QString& Link);
    // Enables Timer_Update exactly when both internet options are on.
    void Arm_Update_Timer();
    // The description files the main window names itself: the EDS file to
    // the name chosen in SaveEDS, the EDE list to SD1's name with ".csv",
    // the GSDML file to the name the file-name dialog composes.
    void Build_EDS_File();
    void BACnet_EDE_File();
    void PROFINET_XML();

    // Starts the program file NomeSW with the argument text Parameter and
    // waits, without processing window events, until it has ended or the
    // limit has passed; a program still running is left running. tipo (a
    // hidden window) has no meaning on this system. Shows nothing.
    TStartResult Start_Program(const QString& NomeSW, const QString& Parameter, bool tipo);

private:
    TLbButton* StepButton(int left, int top, TGlyphKind glyph, TLbButtonStyle style,
                          TColor hotTrack = HotTrackYellow);
    // The project labels: entry 11 and the name, or entries 9 and 10.
    void Show_Project_Labels();
    void ShowModalWindow(TForm* form);
};

extern TFCalyptoreFirmWare* FCalyptoreFirmWare;

// The messages of this window that no language entry words.
namespace MainWindowMessages {
QString SettingsNotWritten(const QString& path, const QString& reason);
QString BanksNotBuilt(const QString& path, const QString& reason);
QString BanksNotSaved(const QString& path, const QString& reason);
QString BankFolderNotCreated(const QString& path, const QString& reason);
}
