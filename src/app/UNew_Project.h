#pragma once
// The new-project dialog: a name typed by the user becomes a folder below
// Projects_Dir with its bin folder, and the open project.

#include "UFormLook.h"

class TFNew_Project : public TForm {
public:
    DECLARE_CLASSNAME(TFNew_Project)
    explicit TFNew_Project(TComponent* AOwner);

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TLabel* Label1;
    TEdit* E_New_Proj;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;

    void FormCreate();
    void FormShow();
    void Set_Lang();
    void Btn_OKClick();
    void E_New_ProjKeyPress(QChar& Key);
};

extern TFNew_Project* FNew_Project;
