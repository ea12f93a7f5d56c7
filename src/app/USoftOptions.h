#pragma once
// The options dialog: the language (one slot per language file, six to a
// page), the internet options with a check for a newer version at once, and
// the two table options. Its Check_Version is also the version query of the
// main window's update timer.

#include "ClassesLists.h"
#include "ComCtrls.h"
#include "UFormLook.h"

#include <memory>

// The version a text such as "VER. 2.301" names (2301); -1 when it cannot
// be read: the part after the first blank, trimmed, must have at least five
// characters, of which the 1st, 3rd, 4th and 5th form an integer.
int Conv_Version(const QString& Ver_str);
// Whether a version query's answer names a newer version than ours.
bool Answer_Is_Newer(const QString& answer);

class TFSoftOptions : public TFramedDialog {
public:
    DECLARE_CLASSNAME(TFSoftOptions)
    explicit TFSoftOptions(TComponent* AOwner);
    ~TFSoftOptions() override;

    static constexpr int SlotCount = 6;

    TPageControl* PC_Options;
    TTabSheet* TS_Language;
    TLabel* L_Sel_Lang;
    TLabel* L_Page_Lang;
    TImage* I_L[SlotCount];  // I_L1 .. I_L6
    TLabel* L_L[SlotCount];  // L_L1 .. L_L6
    TLbButton* Btn_Prev;
    TLbButton* Btn_Next;
    TTabSheet* TS_Con_Options;
    TCheckBox* CB_En_Con;
    TCheckBox* CB_Update;
    TLbButton* Btn_Check_Update;
    TLinkLabel* LL_Check_Update;
    TTabSheet* TS_Soft_Settings;
    TCheckBox* CB_Soft_Set_Jump_Table;
    TCheckBox* CB_DoubleClick_Auto_Size;

    int Show_Page = 1;
    std::unique_ptr<TStringList> SL_Languages;  // language file names, sorted
    QString Language_In_Use;

    void FormCreate();
    void FormShow();
    void Set_Lang();
    void Create_Lang_List();
    void Update_Lang_Page(int Num_Page);
    void Btn_NextClick(TObject* Sender);
    void LangClick(TObject* Sender);
    void CB_En_ConClick();
    void Update_CheckBox();
    void Btn_OKClick();
    void Btn_Check_UpdateClick();
    void LL_Check_UpdateLinkClick(const QString& Link);

    // Asks the maker's server whether a newer version exists. Every failure
    // counts as "no". Never re-entered: a call while one runs answers false.
    bool Check_Version();
    bool Version_Check_Running() const { return FChecking; }

private:
    int PageCount() const;
    int SlotOf(TObject* Sender) const;
    bool FChecking = false;
};

extern TFSoftOptions* FSoftOptions;
