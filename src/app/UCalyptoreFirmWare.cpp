#include "UCalyptoreFirmWare.h"

#include "Files.h"
#include "Process.h"
#include "Services.h"
#include "Shell.h"
#include "UAbout.h"
#include "UBACnet_EDE_File.h"
#include "UBACnetSlaveSetAccess.h"
#include "UBACnet_Eng_Unit.h"
#include "UBoot.h"
#include "UComon.h"
#include "UDescriptionFiles.h"
#include "UEds.h"
#include "UIEC61850_Variables.h"
#include "UKNXAccess.h"
#include "ULanguage.h"
#include "UMQTT_Set_Topic.h"
#include "UNew_Project.h"
#include "UOPC_UA_Server_Access.h"
#include "UOpenConf.h"
#include "UParGen.h"
#include "UProfibus_GSD.h"
#include "UProfinetFileName.h"
#include "UProfinetXML.h"
#include "UReceiveCAN.h"
#include "US7_Protocol_Set_Access.h"
#include "USNMP_MIB.h"
#include "USNMP_Trap_Access.h"
#include "USaveBincc.h"
#include "USet_PDO_Access.h"
#include "USet_SDO_Client_Access.h"
#include "USet_SDO_Server_Access.h"
#include "USoftOptions.h"
#include "UTLS_Server_Known_Cert.h"
#include "UTopicTemplate.h"
#include "UTransmitCAN.h"

TFCalyptoreFirmWare* FCalyptoreFirmWare = nullptr;

QString Download_Link_Caption(int entry)
{
    return QStringLiteral("<a href=\"") + Maker_Download_Page() + QStringLiteral("\">") +
           LangText(entry).toHtmlEscaped() + QStringLiteral("</a>");
}

QString Version_Query_Url()
{
    return MainWindowTuning().VersionQueryBase +
           QStringLiteral("/home/download/GetversionSW.asp?nomesw=CF52104");
}

TMainWindowTuning& MainWindowTuning()
{
    static TMainWindowTuning tuning;
    return tuning;
}

namespace MainWindowMessages {

QString SettingsNotWritten(const QString& path, const QString& reason)
{
    return QStringLiteral("Error! The settings file ") + path + QStringLiteral(" cannot be written: ") + reason;
}

QString BanksNotBuilt(const QString& path, const QString& reason)
{
    return QStringLiteral("Error! The configuration cannot be built from ") + path + QStringLiteral(": ") +
           reason;
}

QString BanksNotSaved(const QString& path, const QString& reason)
{
    return QStringLiteral("Error! The bank file ") + path + QStringLiteral(" cannot be written: ") + reason;
}

QString BankFolderNotCreated(const QString& path, const QString& reason)
{
    return QStringLiteral("Error! The folder ") + path + QStringLiteral(" cannot be created: ") + reason;
}

}  // namespace MainWindowMessages

namespace {

const QString Main_Caption_Text = QStringLiteral("Kestro - Configurator CF52104 - R7arir / Serial ");
const QString Software_Code_Text = QStringLiteral("CF52104");
const QString Software_Desc_Text = QStringLiteral("R7arir / Serial - Converter");

constexpr int StepLeft = 80;
constexpr int StepTop = 112;  // the first step row
constexpr int StepPitch = 44;
constexpr int StepWidth = 170;
constexpr int StepHeight = 36;

void ShowError(const QString& text)
{
    MessageDlg(text, mtError, {mbOK});
}

}  // namespace

// ---------------------------------------------------------------------------
// Creation

TLbButton* TFCalyptoreFirmWare::StepButton(int left, int top, TGlyphKind glyph, TLbButtonStyle style,
                                           TColor hotTrack)
{
    TLbButton* b = NewButton(this, left, top, StepWidth, StepHeight, style, hotTrack);
    b->SetAlignment(taLeftJustify);
    SetButtonGlyph(b, glyph);
    b->OnClick = [this](TObject* Sender) { Btn_Click(Sender); };
    return b;
}

TFCalyptoreFirmWare::TFCalyptoreFirmWare(TComponent* AOwner) : TForm(AOwner)
{
    StyleForm(this, bsSingle, 694, StepTop + 3 * StepPitch + 152);
    SetBorderIcons({biSystemMenu});

    L_SW_Code = NewLabel(this, 16, 8);
    L_SW_Code->SetParentFont(false);
    SetVerdana(L_SW_Code->Font(), 32, {}, TitleTextColor);
    L_SW_Desc = NewLabel(this, 16, 42);
    L_SW_Desc->SetParentFont(false);
    SetVerdana(L_SW_Desc->Font(), 11, {fsBold}, TitleTextColor);
    L_Begin = NewLabel(this, 16, 84);
    L_Begin->SetParentFont(false);
    SetVerdana(L_Begin->Font(), 11, {fsBold});

    Shape2 = new TShape(this);
    Shape2->SetParent(this);
    Shape2->SetBounds(80, 70, 348, 36);
    Shape2->Pen()->SetColor(clSilver);
    Shape2->Brush()->SetStyle(bsClear);
    L_Name_Conf = NewLabel(this, 87, 75);
    L_Name_Conf_L2 = NewLabel(this, 87, 88);

    for (int i = 0; i < 8; ++i) {
        L_Step[i] = NewLabel(this, 16, 128 + i * StepPitch);
        L_Step[i]->SetParentFont(false);
        SetVerdana(L_Step[i]->Font(), 11, {fsBold});
    }

    Btn_New = StepButton(StepLeft, StepTop, TGlyphKind::New, bsEncarta, HotTrackSkyBlue);
    Btn_Open = StepButton(258, StepTop, TGlyphKind::Open, bsEncarta, HotTrackSkyBlue);
    Btn_Prm_Gen = StepButton(StepLeft, StepTop + StepPitch, TGlyphKind::Parameters, bsNormal);
    Btn_S7_Protocol_Access = StepButton(StepLeft, StepTop + 2 * StepPitch, TGlyphKind::Table, bsEncarta);
    Btn_CreateBin =
        StepButton(StepLeft, StepTop + 3 * StepPitch, TGlyphKind::Update, bsEncarta, HotTrackSkyBlue);

    // The steps of the sibling models keep their design rows below step 4.
    auto hidden = [this](int row, int column, TGlyphKind glyph) {
        TLbButton* b = StepButton(StepLeft + column * 178, StepTop + row * StepPitch, glyph, bsEncarta);
        b->SetVisible(false);
        return b;
    };
    Btn_PROFIBUS_GSD = hidden(4, 0, TGlyphKind::Document);
    Btn_KNX_Access = hidden(4, 1, TGlyphKind::Table);
    Btn_IEC61850_Access = hidden(4, 2, TGlyphKind::Table);
    Btn_TLS_List_Certificates = hidden(5, 0, TGlyphKind::Table);
    Btn_CAN_Rec_Frame = hidden(5, 1, TGlyphKind::Table);
    Btn_CAN_Send_Frame = hidden(5, 2, TGlyphKind::Table);
    Btn_SDO_Server_CANopen = hidden(6, 0, TGlyphKind::Table);
    Btn_SDO_Client_CANopen = hidden(6, 1, TGlyphKind::Table);
    Btn_PDO_CANopen = hidden(6, 2, TGlyphKind::Table);
    Btn_CANopen_EDS = hidden(7, 0, TGlyphKind::Document);
    Btn_SNMP_Trap = hidden(7, 1, TGlyphKind::Table);
    Btn_SNMP_MIB = hidden(7, 2, TGlyphKind::Document);
    Btn_MQTT_Set_Topic = hidden(4, 3, TGlyphKind::Table);
    Btn_BACnet_SetAccess = hidden(5, 3, TGlyphKind::Table);
    Btn_BACnet_EDE_File = hidden(6, 3, TGlyphKind::Document);
    Btn_OPC_UA_Server_Access = hidden(7, 3, TGlyphKind::Table);
    Btn_PROFINET_XML = hidden(8, 0, TGlyphKind::Document);
    Btn_BACnet_SetAccess->SetCaption(QStringLiteral("Set BACnet Access"));
    Btn_BACnet_EDE_File->SetCaption(QStringLiteral("BACnet EDE File"));

    auto round = [this](int left, TGlyphKind glyph) {
        TLbButton* b = NewButton(this, left, 8, 50, 50, bsNormal);
        SetButtonGlyph(b, glyph, 32);
        b->OnClick = [this](TObject* Sender) { Btn_Click(Sender); };
        return b;
    };
    Btn_Info = round(516, TGlyphKind::Info);
    Btn_Opz = round(574, TGlyphKind::Options);
    Btn_Close = round(632, TGlyphKind::Close);

    Shape1 = new TShape(this);
    Shape1->SetParent(this);
    Shape1->SetBounds(10, StepTop + 3 * StepPitch + 51, 674, 1);
    Shape1->Pen()->SetColor(clSilver);

    L_Kestro = NewLabel(this, 565, 128 + 3 * StepPitch, Maker_Host);
    L_Kestro->SetParentFont(false);
    SetVerdana(L_Kestro->Font(), 11, {fsBold}, TitleTextColor);
    L_Kestro->SetCursor(crHandPoint);
    // The address ends inside the window whatever font stands in for Verdana.
    L_Kestro->SetLeft(std::min(565, 694 - 8 - L_Kestro->Width()));
    L_Kestro->OnClick = [this](TObject*) { L_KestroClick(); };

    LL_Update =
        NewLinkLabel(this, 208, 19, 294, 17, [this](const QString& Link) { LL_UpdateLinkClick(Link); });

    Timer_Update = new TTimer(this);
    Timer_Update->SetEnabled(false);
    Timer_Update->SetInterval(MainWindowTuning().FirstCheckMs);
    Timer_Update->SetOnTimer([this](TObject*) { Timer_UpdateTimer(); });

    XML1 = std::make_unique<TXmlDocument>();
    SD1 = new TSaveDialog(this);
    SD1->SetFilter(QStringLiteral("CSV (MS-DOS) (*.csv)|*.csv"));
    SaveEDS = new TSaveDialog(this);
    SaveEDS->SetFilter(QStringLiteral("Electronic Data Sheet (*.eds)|*.eds"));
    SaveEDS->SetDefaultExt(QStringLiteral("eds"));
    SaveMIB = new TSaveDialog(this);
    SaveMIB->SetFilter(QStringLiteral("Management Information Base (*.mib)|*.mib"));
    SaveMIB->SetDefaultExt(QStringLiteral("mib"));

    OnCreate = [this](TObject*) { FormCreate(); };
    OnClose = [this](TObject*, TCloseAction& Action) { FormClose(Action); };
}

TFCalyptoreFirmWare::~TFCalyptoreFirmWare() = default;

void TFCalyptoreFirmWare::FormCreate()
{
    // 1. No text may be read before the table exists.
    Language_Table->Clear();
    // 2. The layout is the constructor's: steps 1 to 4 shown, 5 to 8 hidden.
    for (int i = 0; i < 8; ++i) L_Step[i]->SetVisible(i < 4);
    // 3. Program folders.
    SetProgramFolders();
    // 4.-5. The remembered project and choices.
    Project_Name.clear();
    Update_Read_Back = true;
    ReadSettingsFile();
    // 6.
    Arm_Update_Timer();
    // 7. Identity texts (not translated).
    Main_Caption = Main_Caption_Text;
    Software_Code = Software_Code_Text;
    Software_Desc = Software_Desc_Text;
    SetCaption(Main_Caption);
    L_SW_Code->SetCaption(Software_Code);
    L_SW_Desc->SetCaption(Software_Desc);
    // 8.
    SetupLanguage();
    // 9. The last project, when its folder is still there.
    if (!Project_Name.isEmpty() && DirectoryExists(Projects_Dir + u'/' + Project_Name)) {
        Project_Path = Projects_Dir + u'/' + Project_Name;
    } else {
        Project_Path.clear();
        Project_Name.clear();
    }
    Show_Project_Labels();
    // 10.-12.
    Set_Lang();
    Set_Files();
    Row_Clipboard->Clear();
    Row_Clipboard_Checks.clear();
    SNMP_Read_Desc_List->Clear();
    SNMP_Write_Desc_List->Clear();
}

void TFCalyptoreFirmWare::Show_Project_Labels()
{
    if (!Project_Name.isEmpty()) {
        L_Name_Conf->SetCaption(LangText(11));
        L_Name_Conf_L2->SetCaption(Project_Name);
    } else {
        L_Name_Conf->SetCaption(LangText(9));
        L_Name_Conf_L2->SetCaption(LangText(10));
    }
}

void TFCalyptoreFirmWare::Arm_Update_Timer()
{
    Timer_Update->SetEnabled(Opt_Enable_Internet && Opt_Enable_Update);
}

// ---------------------------------------------------------------------------
// Texts

void TFCalyptoreFirmWare::Set_Lang()
{
    L_Begin->SetCaption(LangText(0));
    for (int i = 0; i < 8; ++i) L_Step[i]->SetCaption(LangText(1 + i));
    Btn_Info->SetHint(LangText(12));
    Btn_Opz->SetHint(LangText(13));
    Btn_Close->SetHint(LangText(14));
    Btn_New->SetCaption(LangText(15));
    Btn_Open->SetCaption(LangText(16));
    Btn_CreateBin->SetCaption(LangText(17));
    Btn_Prm_Gen->SetCaption(LangText(20));
    Btn_S7_Protocol_Access->SetCaption(LangText(21));
    Show_Project_Labels();
    Btn_New->SetHint(LangText(22));
    Btn_Open->SetHint(LangText(23));
    Btn_Prm_Gen->SetHint(LangText(24));
    Btn_S7_Protocol_Access->SetHint(LangText(25));
    Btn_CreateBin->SetHint(LangText(26));

    auto both = SetButtonTexts;
    both(Btn_PROFIBUS_GSD, 27, 28);
    both(Btn_KNX_Access, 29, 30);
    both(Btn_IEC61850_Access, 31, 32);
    both(Btn_TLS_List_Certificates, 33, 34);
    Btn_CAN_Rec_Frame->SetCaption(LangText(35));
    Btn_CAN_Send_Frame->SetCaption(LangText(36));
    Btn_CAN_Rec_Frame->SetHint(LangText(37));
    Btn_CAN_Send_Frame->SetHint(LangText(38));
    both(Btn_SDO_Server_CANopen, 43, 44);
    both(Btn_SDO_Client_CANopen, 45, 46);
    both(Btn_PDO_CANopen, 47, 48);
    both(Btn_CANopen_EDS, 49, 50);
    both(Btn_SNMP_Trap, 51, 52);
    both(Btn_SNMP_MIB, 53, 54);
    both(Btn_MQTT_Set_Topic, 55, 56);
    both(Btn_OPC_UA_Server_Access, 57, 58);
    both(Btn_PROFINET_XML, 59, 60);
}

namespace {

// Set_Lang of each window, through its own class (each window has one).
template <class... Forms>
void SetLangOf(Forms*... forms)
{
    ((forms ? forms->Set_Lang() : void()), ...);
}

}  // namespace

void TFCalyptoreFirmWare::Change_Language()
{
    Set_Lang();
    SetLangOf(FNew_Project, FOpenConf, FSoftOptions, FBoot, FParGen, FS7_Protocol_Set_Access, FKNXAccess,
              FIEC61850_Variables, FTLS_Server_Known_Cert, FReceiveCAN, FTransmitCAN, FSet_PDO_Access,
              FSet_SDO_Client_Access, FSet_SDO_Server_Access, FSNMP_Trap_Access, FMQTT_Set_Topic,
              FTopicTemplate, FBACnetSlaveSetAccess, FBACnet_Eng_Unit, FOPC_UA_Server_Access,
              FProfinetFileName);
}

// ---------------------------------------------------------------------------
// Buttons

void TFCalyptoreFirmWare::ShowModalWindow(TForm* form)
{
    if (form) form->ShowModal();  // the result is not looked at
}

void TFCalyptoreFirmWare::Btn_Click(TObject* Sender)
{
    if (Sender == Btn_New) {
        Create_New_Project();
    } else if (Sender == Btn_Open) {
        Open_Project();
    } else if (Sender == Btn_Close) {
        Close();
    } else if (Sender == Btn_Info) {
        ShowModalWindow(FAbout);
    } else if (Sender == Btn_Opz) {
        if (FSoftOptions->ShowModal() == mrOk) {
            Save_Setting();
            Arm_Update_Timer();
        }
    } else if (Project_Path.isEmpty()) {
        ShowError(LangText(18));
    } else if (Sender == Btn_Prm_Gen) {
        ShowModalWindow(FParGen);
    } else if (Sender == Btn_S7_Protocol_Access) {
        ShowModalWindow(FS7_Protocol_Set_Access);
    } else if (Sender == Btn_CreateBin) {
        Update_Device();
    } else {
        const std::pair<TLbButton*, TForm*> tables[] = {
            {Btn_KNX_Access, FKNXAccess},
            {Btn_IEC61850_Access, FIEC61850_Variables},
            {Btn_TLS_List_Certificates, FTLS_Server_Known_Cert},
            {Btn_CAN_Rec_Frame, FReceiveCAN},
            {Btn_CAN_Send_Frame, FTransmitCAN},
            {Btn_SDO_Server_CANopen, FSet_SDO_Server_Access},
            {Btn_SDO_Client_CANopen, FSet_SDO_Client_Access},
            {Btn_PDO_CANopen, FSet_PDO_Access},
            {Btn_SNMP_Trap, FSNMP_Trap_Access},
            {Btn_MQTT_Set_Topic, FMQTT_Set_Topic},
            {Btn_BACnet_SetAccess, FBACnetSlaveSetAccess},
            {Btn_OPC_UA_Server_Access, FOPC_UA_Server_Access},
        };
        for (const auto& [button, form] : tables)
            if (Sender == button) {
                ShowModalWindow(form);
                return;
            }
        if (Sender == Btn_PROFIBUS_GSD)
            CreateGsdFile();
        else if (Sender == Btn_CANopen_EDS)
            Build_EDS_File();
        else if (Sender == Btn_SNMP_MIB)
            CreateMibFile();
        else if (Sender == Btn_BACnet_EDE_File)
            BACnet_EDE_File();
        else if (Sender == Btn_PROFINET_XML)
            PROFINET_XML();
    }
}

void TFCalyptoreFirmWare::Build_EDS_File()
{
    SaveEDS->SetInitialDir(Project_Path);
    if (SaveEDS->Execute()) WriteEdsFile(SaveEDS->FileName());
}

void TFCalyptoreFirmWare::BACnet_EDE_File()
{
    SD1->SetInitialDir(Project_Path);
    if (!SD1->Execute()) return;
    const QString name = EdeFileName(SD1->FileName());
    if (MayWriteFile(name, 1105, mbYesNoCancel)) WriteEdeFile(name);
}

void TFCalyptoreFirmWare::PROFINET_XML()
{
    if (FProfinetFileName->ShowModal() == mrOk) CreateGsdmlFile(FProfinetFileName->Name_File_XML);
}

void TFCalyptoreFirmWare::Create_New_Project()
{
    if (FNew_Project->ShowModal() != mrOk) return;
    Show_Project_Labels();
}

void TFCalyptoreFirmWare::Open_Project()
{
    if (FOpenConf->ShowModal() != mrOk) return;
    Project_Name = FOpenConf->Name_Conf;
    Project_Path = Project_Name.isEmpty() ? QString() : Projects_Dir + u'/' + Project_Name;
    Show_Project_Labels();
    Set_Files();
}

void TFCalyptoreFirmWare::Set_Files()
{
    ::Set_Files();
}

void TFCalyptoreFirmWare::Update_Device()
{
    const TBankResult built = BuildConfigurationBanks();
    if (!built.Ok) {
        ShowError(MainWindowMessages::BanksNotBuilt(built.Path, built.Reason));
        return;
    }
    for (int bank : {1, 2})
        if (!ConfirmProjectWrite(BankFilePath(bank)))
            return;
    const TBankResult saved = SaveConfigurationBanks();
    if (!saved.Ok) {
        ShowError(saved.Folder ? MainWindowMessages::BankFolderNotCreated(saved.Path, saved.Reason)
                               : MainWindowMessages::BanksNotSaved(saved.Path, saved.Reason));
        return;
    }
    FBoot->Form_Type = 1;
    FBoot->ShowModal();
}

// ---------------------------------------------------------------------------
// Settings, closing

void TFCalyptoreFirmWare::Save_Setting()
{
    const TWriteResult r = WriteSettingsFile();
    if (!r.Ok) ShowError(MainWindowMessages::SettingsNotWritten(SettingsFileName(), r.Error));
}

void TFCalyptoreFirmWare::FormClose(TCloseAction&)
{
    // Closing is never refused; a settings file that cannot be written is
    // reported and the run still ends.
    Save_Setting();
}

// ---------------------------------------------------------------------------
// Version check and links

void TFCalyptoreFirmWare::Timer_UpdateTimer()
{
    Timer_Update->SetEnabled(false);
    // A query already running (the options dialog's check) has the answer
    // coming; this tick only re-arms the timer.
    if (!FSoftOptions->Version_Check_Running()) {
        if (FSoftOptions->Check_Version()) {
            LL_Update->SetCaption(Download_Link_Caption(19));
            LL_Update->SetVisible(true);
        } else {
            LL_Update->SetVisible(false);
        }
    }
    Timer_Update->SetInterval(MainWindowTuning().RepeatCheckMs);
    Timer_Update->SetEnabled(true);
}

void TFCalyptoreFirmWare::L_KestroClick()
{
    OpenUrl(Maker_Home_Page());
}

void TFCalyptoreFirmWare::LL_UpdateLinkClick(const QString& Link)
{
    OpenUrl(Link);
}

// ---------------------------------------------------------------------------
// Starting a program

TStartResult TFCalyptoreFirmWare::Start_Program(const QString& NomeSW, const QString& Parameter, bool tipo)
{
    (void)tipo;  // a hidden window means nothing here
    TStartResult result;
    IProcessLauncher* launcher = Services().Launcher.get();
    if (!launcher) {
        result.Reason = QStringLiteral("no program can be started");
        return result;
    }
    try {
        const TProcessStart started = launcher->Start(NomeSW, Parameter);
        if (!started.Started) {
            result.Reason = started.Error;
            return result;
        }
        result.Started = true;
        // Blocks without processing window events, so nothing re-enters the
        // program meanwhile; a program still running is left running.
        launcher->WaitForExit(started.Handle, MainWindowTuning().StartProgramLimitMs, 10);
    } catch (const std::exception& e) {
        if (!result.Started) result.Reason = QString::fromUtf8(e.what());
    } catch (...) {
        if (!result.Started) result.Reason = QStringLiteral("the start failed");
    }
    return result;
}
