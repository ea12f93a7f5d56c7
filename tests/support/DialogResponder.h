#pragma once
// Answers the dialogs and modal windows of the code under test, in order:
//
//   DialogResponder r;
//   r.ExpectMessage("Project not Valid", mrOk)          // a message dialog
//    .ExpectModal("TFSoftOptions", [](TCustomForm* f) { // a modal window
//         ... drive the form ...; f->SetModalResult(mrOk);
//     })
//    .ExpectSave("/tmp/x/out.csv");                     // the save dialog
//   ... run the code ...
//   EXPECT_EQ(r.Pending(), 0);                          // (the destructor checks too)
//
// A dialog or modal window that was not expected fails the test and is
// answered with Cancel (or No, or OK when it offers nothing else). Without a
// responder in scope every dialog counts as unexpected (InstallStrictDefaults).

#include "Dialogs.h"
#include "Forms.h"

#include <QStringList>
#include <deque>
#include <functional>

class DialogResponder {
public:
    DialogResponder();
    ~DialogResponder();
    DialogResponder(const DialogResponder&) = delete;
    DialogResponder& operator=(const DialogResponder&) = delete;

    // The next one must be a message dialog whose text contains TextPart;
    // Button (a modal result of one of its buttons) is pressed. DlgType -1:
    // any type.
    DialogResponder& ExpectMessage(const QString& TextPart, TModalResult Button = mrOk, int DlgType = -1);
    // The next one must be the save dialog; it accepts FileName (empty:
    // the user cancels).
    DialogResponder& ExpectSave(const QString& FileName);
    // The same, answered by a function that may check the request.
    DialogResponder& ExpectSave(std::function<TDialogReply(const TDialogRequest&)> Answer);
    // The next one must be a modal window of class ClassName (empty: any);
    // Drive runs with the shown form and ends it by setting its ModalResult
    // (directly or by pressing its buttons). A form Drive leaves open fails
    // the test and is cancelled.
    DialogResponder& ExpectModal(const QString& ClassName, std::function<void(TCustomForm*)> Drive);

    // Expectations not yet met.
    int Pending() const { return int(FExpected.size()); }
    // What came, in order: message texts, "save", modal class names.
    const QStringList& Seen() const { return FSeen; }

    // Installs the hooks that fail a test on any dialog while no responder
    // is in scope (called by the test main).
    static void InstallStrictDefaults();

private:
    struct Expectation {
        enum { Message, Save, Modal } Kind;
        QString Text;
        TModalResult Button = mrOk;
        int DlgType = -1;
        std::function<TDialogReply(const TDialogRequest&)> SaveAnswer;
        std::function<void(TCustomForm*)> Drive;
    };
    TDialogReply AnswerDialog(const TDialogRequest& r);
    bool AnswerModal(TCustomForm* f);

    std::deque<Expectation> FExpected;
    QStringList FSeen;
    TDialogHook FOldDialogHook;
    TCustomForm::TModalHook FOldModalHook;
};
