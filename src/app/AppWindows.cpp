#include "AppWindows.h"

#include "ATXPVS.h"
#include "AdvGridUnit.h"
#include "AdvXPVS.h"
#include "Forms.h"
#include "UAbout.h"
#include "UBACnetSlaveSetAccess.h"
#include "UBACnet_Eng_Unit.h"
#include "UBoot.h"
#include "UCalyptoreFirmWare.h"
#include "UIEC61850_Variables.h"
#include "UKNXAccess.h"
#include "UMQTT_Set_Topic.h"
#include "UNew_Project.h"
#include "UOPC_UA_Server_Access.h"
#include "UOpenConf.h"
#include "UParGen.h"
#include "UProfinetFileName.h"
#include "UReceiveCAN.h"
#include "US7_Protocol_Set_Access.h"
#include "USNMP_Trap_Access.h"
#include "USet_PDO_Access.h"
#include "USet_SDO_Client_Access.h"
#include "USet_SDO_Server_Access.h"
#include "USoftOptions.h"
#include "UTLS_Server_Known_Cert.h"
#include "UTopicTemplate.h"
#include "UTransmitCAN.h"

#include <functional>
#include <vector>

namespace {

// The globals in creation order, so the teardown can walk them backwards.
std::vector<std::function<void()>>& Clearers()
{
    static std::vector<std::function<void()>> list;
    return list;
}
std::vector<TCustomForm*>& Created()
{
    static std::vector<TCustomForm*> list;
    return list;
}

template <class T>
void CreateWindow(T*& global)
{
    // The global is assigned before the creation event, so that event (and
    // whatever it calls) may already reach the window through it.
    global = new T(Application);
    // The first window is the main form; every later one belongs to it, so
    // only the main window has a taskbar entry.
    if (!Application->MainForm())
        Application->SetMainForm(global);
    else
        global->SetOwnerWindow(Application->MainForm());
    Created().push_back(global);
    Clearers().push_back([&global] { global = nullptr; });
    global->AfterConstruction();
}

}  // namespace

void CreateAppWindows()
{
    // The visual style's drawing entries of the grid and of the drop-down
    // controls, ready before the first window paints.
    AdvXPVS::InitThemeLibrary();
    ATXPVS::InitThemeLibrary();
    // The string grid's unit: focus frame, class table, registered names.
    AdvGridUnitInit();
    CreateWindow(FCalyptoreFirmWare);
    CreateWindow(FAbout);
    CreateWindow(FNew_Project);
    CreateWindow(FOpenConf);
    CreateWindow(FSoftOptions);
    CreateWindow(FParGen);
    CreateWindow(FBoot);
    CreateWindow(FS7_Protocol_Set_Access);
    CreateWindow(FKNXAccess);
    CreateWindow(FIEC61850_Variables);
    CreateWindow(FTLS_Server_Known_Cert);
    CreateWindow(FReceiveCAN);
    CreateWindow(FTransmitCAN);
    CreateWindow(FSet_PDO_Access);
    CreateWindow(FSet_SDO_Client_Access);
    CreateWindow(FSet_SDO_Server_Access);
    CreateWindow(FSNMP_Trap_Access);
    CreateWindow(FMQTT_Set_Topic);
    CreateWindow(FTopicTemplate);
    CreateWindow(FBACnet_Eng_Unit);
    CreateWindow(FBACnetSlaveSetAccess);
    CreateWindow(FOPC_UA_Server_Access);
    CreateWindow(FProfinetFileName);
}

void DestroyAppWindows()
{
    while (!Created().empty()) {
        TCustomForm* f = Created().back();
        Created().pop_back();
        Clearers().back()();
        Clearers().pop_back();
        if (Application->MainForm() == f) Application->SetMainForm(nullptr);
        Free(f);
    }
    AdvXPVS::FreeThemeLibrary();
    ATXPVS::FreeThemeLibrary();
    AdvGridUnitDone();
}
