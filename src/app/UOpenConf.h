#pragma once
// The open-project dialog: lists the project folders below Projects_Dir and
// hands the chosen name to the main window.

#include "ClassesLists.h"
#include "UFormLook.h"

#include <memory>

class TFOpenConf : public TFramedDialog {
public:
    DECLARE_CLASSNAME(TFOpenConf)
    explicit TFOpenConf(TComponent* AOwner);
    ~TFOpenConf() override;

    TLabel* Label1;
    TListBox* ListBox1;

    // The project names found, and the one chosen (empty: none).
    std::unique_ptr<TStringList> SL;
    QString Name_Conf;

    void FormCreate();
    void FormShow();
    void Set_Lang();
    void ListBox1Click();
    // SL := the project folders: no dot folders, no name the name rule
    // refuses, sorted without case.
    void Load_Existing_Configuration();
    // The index of the first entry of SL equal to name ignoring the case of
    // a to z; -1 when there is none.
    int Search_Open_Conf(const QString& name) const;
};

extern TFOpenConf* FOpenConf;
