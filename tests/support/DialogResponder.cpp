#include "DialogResponder.h"

#include <gtest/gtest.h>

namespace {

// The answer of a dialog nobody expected: the most cautious button.
TModalResult CautiousAnswer(const TMsgDlgButtons& b)
{
    if (b.Contains(mbCancel)) return mrCancel;
    if (b.Contains(mbNo)) return mrNo;
    if (b.Contains(mbAbort)) return mrAbort;
    return mrOk;
}

const char* KindName(const TDialogRequest& r)
{
    return r.Kind == TDialogRequest::dkSave ? "save dialog" : "message dialog";
}

}  // namespace

DialogResponder::DialogResponder()
    : FOldDialogHook(DialogHook()), FOldModalHook(TCustomForm::ModalHook())
{
    DialogHook() = [this](const TDialogRequest& r) { return AnswerDialog(r); };
    TCustomForm::ModalHook() = [this](TCustomForm* f) { return AnswerModal(f); };
}

DialogResponder::~DialogResponder()
{
    DialogHook() = FOldDialogHook;
    TCustomForm::ModalHook() = FOldModalHook;
    for (const Expectation& e : FExpected)
        ADD_FAILURE() << "Expected dialog did not come: "
                      << (e.Kind == Expectation::Modal ? "modal window " : e.Kind == Expectation::Save ? "save dialog "
                                                                                                          : "message ")
                      << e.Text.toStdString();
}

DialogResponder& DialogResponder::ExpectMessage(const QString& TextPart, TModalResult Button, int DlgType)
{
    Expectation e{Expectation::Message, TextPart, Button, DlgType, {}, {}};
    FExpected.push_back(std::move(e));
    return *this;
}

DialogResponder& DialogResponder::ExpectSave(const QString& FileName)
{
    return ExpectSave([FileName](const TDialogRequest&) {
        TDialogReply r;
        r.ModalResult = FileName.isEmpty() ? mrCancel : mrOk;
        r.FileName = FileName;
        return r;
    });
}

DialogResponder& DialogResponder::ExpectSave(std::function<TDialogReply(const TDialogRequest&)> Answer)
{
    Expectation e{Expectation::Save, QString(), mrOk, -1, std::move(Answer), {}};
    FExpected.push_back(std::move(e));
    return *this;
}

DialogResponder& DialogResponder::ExpectModal(const QString& ClassName, std::function<void(TCustomForm*)> Drive)
{
    Expectation e{Expectation::Modal, ClassName, mrOk, -1, {}, std::move(Drive)};
    FExpected.push_back(std::move(e));
    return *this;
}

TDialogReply DialogResponder::AnswerDialog(const TDialogRequest& r)
{
    FSeen << (r.Kind == TDialogRequest::dkSave ? QStringLiteral("save") : r.Text);
    TDialogReply reply;
    bool isSave = r.Kind == TDialogRequest::dkSave;
    if (FExpected.empty() || FExpected.front().Kind == Expectation::Modal
        || (FExpected.front().Kind == Expectation::Save) != isSave) {
        ADD_FAILURE() << "Unexpected " << KindName(r) << ": " << r.Text.toStdString();
        reply.ModalResult = isSave ? mrCancel : CautiousAnswer(r.Buttons);
        return reply;
    }
    Expectation e = std::move(FExpected.front());
    FExpected.pop_front();
    if (isSave) return e.SaveAnswer(r);
    if (!r.Text.contains(e.Text)) {
        ADD_FAILURE() << "Message \"" << r.Text.toStdString() << "\" does not contain \"" << e.Text.toStdString()
                      << "\"";
    }
    if (e.DlgType >= 0 && e.DlgType != int(r.DlgType))
        ADD_FAILURE() << "Message \"" << r.Text.toStdString() << "\" has dialog type " << int(r.DlgType)
                      << ", expected " << e.DlgType;
    bool offered = false;
    for (int b = mbYes; b <= mbClose; ++b)
        if (r.Buttons.Contains(TMsgDlgBtn(b)) && ModalResultOf(TMsgDlgBtn(b)) == e.Button) offered = true;
    if (!offered) {
        ADD_FAILURE() << "Message \"" << r.Text.toStdString() << "\" offers no button with result " << e.Button;
        reply.ModalResult = CautiousAnswer(r.Buttons);
        return reply;
    }
    reply.ModalResult = e.Button;
    return reply;
}

bool DialogResponder::AnswerModal(TCustomForm* f)
{
    FSeen << f->ClassName();
    if (FExpected.empty() || FExpected.front().Kind != Expectation::Modal
        || (!FExpected.front().Text.isEmpty() && FExpected.front().Text != f->ClassName())) {
        ADD_FAILURE() << "Unexpected modal window " << f->ClassName().toStdString() << " \""
                      << f->Caption().toStdString() << "\"";
        f->SetModalResult(mrCancel);
        return true;
    }
    Expectation e = std::move(FExpected.front());
    FExpected.pop_front();
    if (e.Drive) e.Drive(f);
    if (f->Visible() && f->ModalResult() == mrNone)
        ADD_FAILURE() << "Modal window " << f->ClassName().toStdString() << " was left open";
    return true;
}

void DialogResponder::InstallStrictDefaults()
{
    DialogHook() = [](const TDialogRequest& r) {
        ADD_FAILURE() << "Unexpected " << KindName(r) << ": " << r.Text.toStdString();
        TDialogReply reply;
        reply.ModalResult = r.Kind == TDialogRequest::dkSave ? mrCancel : CautiousAnswer(r.Buttons);
        return reply;
    };
    TCustomForm::ModalHook() = [](TCustomForm* f) {
        ADD_FAILURE() << "Unexpected modal window " << f->ClassName().toStdString();
        f->SetModalResult(mrCancel);
        return true;
    };
}
