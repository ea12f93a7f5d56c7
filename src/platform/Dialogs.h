#pragma once
// Message dialogs and the save dialog. Every dialog passes through one hook
// (DialogHook) that tests replace with a responder; empty, the real dialogs
// are shown.

#include "Classes.h"
#include "Controls.h"
#include "Sets.h"

#include <functional>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline constexpr TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// The modal result a button gives (mbOK -> mrOk, mbYes -> mrYes, ...).
TModalResult ModalResultOf(TMsgDlgBtn b);

// Shows a message dialog and returns the modal result of the pressed button.
int MessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
// An information-less dialog with one OK button, titled with the application's title.
void ShowMessage(const QString& Msg);

// What a dialog asks.
struct TDialogRequest {
    enum TKind { dkMessage, dkSave } Kind = dkMessage;
    QString Caption;
    // Message dialogs.
    QString Text;
    TMsgDlgType DlgType = mtInformation;
    TMsgDlgButtons Buttons;
    // The save dialog.
    QString Filter;
    int FilterIndex = 1;
    QString DefaultExt;
    QString InitialDir;
    QString FileName;
    // Whether the dialog itself asks before an existing file is chosen.
    bool OverwritePrompt = false;
};

// What the user answered: the button's modal result (mrOk for a save dialog
// whose file was accepted, mrCancel when cancelled) and the chosen file.
struct TDialogReply {
    TModalResult ModalResult = mrCancel;
    QString FileName;
    int FilterIndex = 1;
};

using TDialogHook = std::function<TDialogReply(const TDialogRequest& Request)>;
TDialogHook& DialogHook();

class TSaveDialog : public TComponent {
public:
    DECLARE_CLASSNAME(TSaveDialog)
    explicit TSaveDialog(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

    // "Description|pattern|Description|pattern...".
    QString Filter() const { return FFilter; }
    void SetFilter(const QString& v) { FFilter = v; }
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int v) { FFilterIndex = v; }
    // Appended to a chosen name that has no extension ("csv", ".csv" and
    // "*.csv" all mean the extension csv).
    QString DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const QString& v) { FDefaultExt = v; }
    QString InitialDir() const { return FInitialDir; }
    void SetInitialDir(const QString& v) { FInitialDir = v; }
    QString FileName() const { return FFileName; }
    void SetFileName(const QString& v) { FFileName = v; }
    QString Title() const { return FTitle; }
    void SetTitle(const QString& v) { FTitle = v; }
    // Off: the caller asks its own question before replacing a file.
    bool OverwritePrompt() const { return FOverwritePrompt; }
    void SetOverwritePrompt(bool v) { FOverwritePrompt = v; }

    // Asks for a file name; true (and FileName set) when the user accepted.
    virtual bool Execute();

private:
    QString FFilter;
    int FFilterIndex = 1;
    QString FDefaultExt;
    QString FInitialDir;
    QString FFileName;
    QString FTitle;
    bool FOverwritePrompt = false;
};

// "Text (*.csv)|*.csv|..." as Qt's file-dialog filter "Text (*.csv);;...":
// a description whose parentheses already hold exactly its pattern stands
// as it is; any other gets the pattern appended in parentheses, so the
// dialog lists only what the pattern names.
QString QtFileDialogFilter(const QString& filter);

// The extension DefaultExt means, without "*" and "." ("" for none).
QString NormalizedDefaultExt(const QString& DefaultExt);
// Name with the default extension appended when its file part has none.
QString ApplyDefaultExt(const QString& Name, const QString& DefaultExt);
