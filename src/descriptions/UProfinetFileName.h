#pragma once
// The file name of the PROFINET GSDML file: a fixed front part with the
// schema version, the vendor and the device, the user's optional part, and
// the date the program started. The save dialog that follows only chooses
// the folder.

#include "UFormLook.h"

class TFProfinetFileName : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFProfinetFileName)
    explicit TFProfinetFileName(TComponent* AOwner);

    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    TLabel* Label1;
    TLabel* Label2;
    TLabel* L_XML_Fix1;
    TLabel* Label4;
    TEdit* E_XML_User;
    TLabel* Label5;
    TLabel* L_XML_Fix2;

    // The composed name; set only by OK.
    QString Name_File_XML;

    void FormCreate() override;
    void Set_Lang() override;
    void Btn_OKClick();
};

// The fixed front part of every GSDML file name.
extern const QString Gsdml_Name_Front;
// Front part, user part and end part composed: a user part of blanks only
// counts as empty; one that does not start with "_" gets one.
QString ComposeGsdmlName(const QString& userPart, const QString& endPart);
// False when the user part holds a character no file name may hold.
bool IsValidGsdmlUserPart(const QString& userPart);

extern TFProfinetFileName* FProfinetFileName;
