// Message and save dialogs through the responder.
#include "ControlsTestKit.h"
#include "DialogResponder.h"
#include "Dialogs.h"

#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

namespace {

TEST(Dialogs, MessageDialogsReturnThePressedButton)
{
    DialogResponder r;
    r.ExpectMessage("Overwrite", mrNo, mtConfirmation).ExpectMessage("failed", mrOk, mtError);
    EXPECT_EQ(MessageDlg("Overwrite the file?", mtConfirmation, mbYesNo), mrNo);
    EXPECT_EQ(MessageDlg("Saving failed", mtError, TMsgDlgButtons{mbOK}), mrOk);
    EXPECT_EQ(r.Pending(), 0);
    EXPECT_EQ(r.Seen(), (QStringList{"Overwrite the file?", "Saving failed"}));
}

TEST(Dialogs, DialogsPassTheirTitleTypeAndButtons)
{
    TDialogRequest seen;
    TDialogHook saved = DialogHook();
    DialogHook() = [&](const TDialogRequest& r) {
        seen = r;
        return TDialogReply{mrCancel, {}, 1};
    };
    EXPECT_EQ(MessageDlg("Really?", mtConfirmation, mbYesNoCancel), mrCancel);
    DialogHook() = saved;
    EXPECT_EQ(seen.Caption, QStringLiteral("Confirm"));
    EXPECT_EQ(seen.DlgType, mtConfirmation);
    EXPECT_EQ(seen.Buttons, mbYesNoCancel);
}

// The failures the responder itself raises.
void UnexpectedMessage()
{
    DialogResponder r;
    MessageDlg("Surprise", mtWarning, mbOKCancel);
}
void WrongText()
{
    DialogResponder r;
    r.ExpectMessage("other text");
    MessageDlg("Surprise", mtWarning, TMsgDlgButtons{mbOK});
}
void ButtonNotOffered()
{
    DialogResponder r;
    r.ExpectMessage("Surprise", mrYes);
    MessageDlg("Surprise", mtWarning, TMsgDlgButtons{mbOK});
}
void NeverCame()
{
    DialogResponder r;
    r.ExpectMessage("never");
}
void NoResponder()
{
    ShowMessage("nobody answers");
}

TEST(Dialogs, TheResponderFailsOnWhatWasNotExpected)
{
    EXPECT_NONFATAL_FAILURE(UnexpectedMessage(), "Unexpected message dialog: Surprise");
    EXPECT_NONFATAL_FAILURE(WrongText(), "does not contain");
    EXPECT_NONFATAL_FAILURE(ButtonNotOffered(), "offers no button");
    EXPECT_NONFATAL_FAILURE(NeverCame(), "did not come");
    EXPECT_NONFATAL_FAILURE(NoResponder(), "Unexpected message dialog: nobody answers");
}

TEST(Dialogs, SaveDialogAppliesTheDefaultExtension)
{
    struct Case {
        QString defaultExt;
        QString answered;
        QString expected;
    };
    const Case cases[] = {
        {"*.eds", "/tmp/p/device", "/tmp/p/device.eds"},
        {"mib", "/tmp/p/traps", "/tmp/p/traps.mib"},
        {".csv", "/tmp/p/table.txt", "/tmp/p/table.txt"},
        {"", "/tmp/p/plain", "/tmp/p/plain"},
    };
    for (const Case& tc : cases) {
        TSaveDialog dlg;
        dlg.SetFilter("Electronic Data Sheet (*.eds)|*.eds");
        dlg.SetDefaultExt(tc.defaultExt);
        dlg.SetInitialDir("/tmp/p");
        DialogResponder r;
        r.ExpectSave([&](const TDialogRequest& req) {
            EXPECT_EQ(req.Kind, TDialogRequest::dkSave);
            EXPECT_EQ(req.Filter, dlg.Filter());
            EXPECT_EQ(req.InitialDir, QStringLiteral("/tmp/p"));
            return TDialogReply{mrOk, tc.answered, 1};
        });
        ASSERT_TRUE(dlg.Execute());
        EXPECT_EQ(dlg.FileName(), tc.expected) << tc.defaultExt.toStdString();
    }
    // Cancelled: false, and the name stays.
    TSaveDialog dlg;
    dlg.SetFileName("keep.csv");
    DialogResponder r;
    r.ExpectSave(QString());
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.FileName(), QStringLiteral("keep.csv"));
}

TEST(Dialogs, SaveDialogAsksNoOverwriteQuestionUnlessToldTo)
{
    for (bool prompt : {false, true}) {
        TSaveDialog dlg;
        if (prompt) dlg.SetOverwritePrompt(true);
        DialogResponder r;
        r.ExpectSave([&](const TDialogRequest& req) {
            EXPECT_EQ(req.OverwritePrompt, prompt);
            return TDialogReply{mrOk, "/tmp/p/x.csv", 1};
        });
        EXPECT_TRUE(dlg.Execute());
    }
}

TEST(Dialogs, FilterConversionKeepsEveryPattern)
{
    const std::pair<QString, QString> cases[] = {
        {"CSV (MS-DOS) (*.csv)|*.csv", "CSV (MS-DOS) (*.csv)"},
        {"Text|*.txt", "Text (*.txt)"},
        {"Pictures (*.png;*.bmp)|*.png;*.bmp", "Pictures (*.png *.bmp)"},
        // A description whose parentheses hold another pattern keeps it
        // and lists only the one file.
        {"PROFINET XML (*.xml)|GSDML-x-20240305.xml", "PROFINET XML (*.xml) (GSDML-x-20240305.xml)"},
        {"A (*.a)|*.a|B|*.b", "A (*.a);;B (*.b)"},
    };
    for (const auto& [filter, qt] : cases) EXPECT_EQ(QtFileDialogFilter(filter), qt) << filter.toStdString();
}

TEST(Dialogs, ModalWindowsAndTheirDialogsComeInOrder)
{
    auto* f = Create<TForm>(nullptr);
    auto* ok = new TTestButton(f);
    ok->SetParent(f);
    ok->OnClick = [](TObject*) {
        if (MessageDlg("Save changes?", mtConfirmation, mbYesNo) == mrYes)
            if (auto* form = dynamic_cast<TCustomForm*>(Screen->ActiveForm())) form->SetModalResult(mrOk);
    };
    DialogResponder r;
    r.ExpectModal("TForm", [ok](TCustomForm*) { Input::Click(ok); }).ExpectMessage("Save changes", mrYes);
    EXPECT_EQ(f->ShowModal(), mrOk);
    EXPECT_EQ(r.Seen(), (QStringList{"TForm", "Save changes?"}));
    Free(f);
}

}  // namespace
