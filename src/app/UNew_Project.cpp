#include "UNew_Project.h"

#include "Files.h"
#include "UCalyptoreFirmWare.h"
#include "UComon.h"

TFNew_Project* FNew_Project = nullptr;

TFNew_Project::TFNew_Project(TComponent* AOwner)
    : TFramedDialog(AOwner, bsSingle, 331, 162, 40, 180)
{

    Label1 = NewLabel(this, 16, 80);
    E_New_Proj = new TEdit(this);
    E_New_Proj->SetParent(this);
    E_New_Proj->SetBounds(16, 98, 299, 22);
    E_New_Proj->SetShowHint(true);
    E_New_Proj->SetTabStop(true);
    E_New_Proj->OnKeyPress = [this](TObject*, QChar& Key) { E_New_ProjKeyPress(Key); };

    Btn_OK->OnClick = [this](TObject*) { Btn_OKClick(); };
    Btn_OK->SetDefault(true);
    Btn_Cancel->SetCancel(true);

    OnCreate = [this](TObject*) { FormCreate(); };
    OnShow = [this](TObject*) { FormShow(); };
}

void TFNew_Project::FormCreate()
{
    L_SW_Code->SetCaption(Software_Code);
    SetClientWidth(331);
    SetClientHeight(162);
    Set_Lang();
}

void TFNew_Project::Set_Lang()
{
    SetCaption(LangText(100));
    L_SW_Desc->SetCaption(LangText(101));
    Label1->SetCaption(LangText(102));
    E_New_Proj->SetHint(LangText(108));
    SetButtonTexts(Btn_OK, 103, 109);
    SetButtonTexts(Btn_Cancel, 104, 110);
}

void TFNew_Project::FormShow()
{
    E_New_Proj->Clear();
    if (E_New_Proj->CanFocus()) E_New_Proj->SetFocus();
}

void TFNew_Project::E_New_ProjKeyPress(QChar& Key)
{
    if (Key == QChar(13)) Btn_OKClick();
}

void TFNew_Project::Btn_OKClick()
{
    const QString name = E_New_Proj->Text();
    auto refuse = [](int entry) { MessageDlg(LangText(entry), mtError, {mbOK}); };
    if (name.isEmpty()) return refuse(107);
    // Checked before anything is created, so nothing outside PROJECTS is
    // ever made and the settings file can always hold the name.
    if (!IsValidProjectName(name)) return refuse(105);
    // Two projects that differ only in letter case would be one project on
    // the maker's system.
    const QString existing = FindFileNoCase(Projects_Dir, name);
    if (!existing.isEmpty() && DirectoryExists(existing)) return refuse(106);
    const QString folder = Projects_Dir + u'/' + name;
    if (!CreateDir(folder)) return refuse(105);
    ForceDirectories(folder + QStringLiteral("/bin"));  // a failure shows later, when banks are written

    Project_Name = name;
    Project_Path = folder;
    FCalyptoreFirmWare->Set_Files();
    SetModalResult(mrOk);
}
