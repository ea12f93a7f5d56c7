#pragma once
// The new-project dialog: a name typed by the user becomes a folder below
// Projects_Dir with its bin folder, and the open project.

#include "UFormLook.h"

class TFNew_Project : public TFramedDialog {
public:
    DECLARE_CLASSNAME(TFNew_Project)
    explicit TFNew_Project(TComponent* AOwner);

    TLabel* Label1;
    TEdit* E_New_Proj;

    void FormCreate();
    void FormShow();
    void Set_Lang();
    void Btn_OKClick();
    void E_New_ProjKeyPress(QChar& Key);
};

extern TFNew_Project* FNew_Project;
