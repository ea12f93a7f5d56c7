#include "Dialogs.h"
#include "Forms.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

struct ButtonText {
    TMsgDlgBtn Button;
    const char* Caption;
};

// The captions of the message-dialog buttons and titles.
const ButtonText ButtonCaptions[] = {
    {mbYes, "&Yes"},     {mbNo, "&No"},          {mbOK, "OK"},             {mbCancel, "Cancel"},
    {mbAbort, "&Abort"}, {mbRetry, "&Retry"},    {mbIgnore, "&Ignore"},    {mbAll, "&All"},
    {mbNoToAll, "N&o to All"}, {mbYesToAll, "Yes to &All"}, {mbHelp, "&Help"}, {mbClose, "&Close"},
};

QString TitleOf(TMsgDlgType t)
{
    switch (t) {
    case mtWarning: return QStringLiteral("Warning");
    case mtError: return QStringLiteral("Error");
    case mtInformation: return QStringLiteral("Information");
    case mtConfirmation: return QStringLiteral("Confirm");
    default: return Application->Title().isEmpty() ? QCoreApplication::applicationName() : Application->Title();
    }
}

TDialogReply RealMessageDialog(const TDialogRequest& r)
{
    QMessageBox box;
    box.setWindowTitle(r.Caption);
    box.setText(r.Text);
    switch (r.DlgType) {
    case mtWarning: box.setIcon(QMessageBox::Warning); break;
    case mtError: box.setIcon(QMessageBox::Critical); break;
    case mtInformation: box.setIcon(QMessageBox::Information); break;
    case mtConfirmation: box.setIcon(QMessageBox::Question); break;
    default: break;
    }
    std::vector<std::pair<QAbstractButton*, TMsgDlgBtn>> buttons;
    QAbstractButton* escape = nullptr;
    for (const ButtonText& b : ButtonCaptions) {
        if (!r.Buttons.Contains(b.Button)) continue;
        QMessageBox::ButtonRole role = QMessageBox::ActionRole;
        if (b.Button == mbYes || b.Button == mbOK || b.Button == mbYesToAll || b.Button == mbAll)
            role = QMessageBox::AcceptRole;
        else if (b.Button == mbNo || b.Button == mbNoToAll)
            role = QMessageBox::RejectRole;
        else if (b.Button == mbCancel || b.Button == mbAbort || b.Button == mbClose)
            role = QMessageBox::RejectRole;
        QPushButton* pb = box.addButton(QString::fromUtf8(b.Caption), role);
        buttons.emplace_back(pb, b.Button);
        if (b.Button == mbCancel || (!escape && (b.Button == mbNo || b.Button == mbOK))) escape = pb;
    }
    if (!buttons.empty()) box.setDefaultButton(static_cast<QPushButton*>(buttons.front().first));
    if (escape) box.setEscapeButton(escape);
    box.exec();
    TDialogReply reply;
    for (auto& [pb, b] : buttons)
        if (box.clickedButton() == pb) reply.ModalResult = ModalResultOf(b);
    return reply;
}

TDialogReply RealSaveDialog(const TDialogRequest& r)
{
    QString filters = QtFileDialogFilter(r.Filter);
    QStringList list = filters.split(QStringLiteral(";;"));
    QString selected = (r.FilterIndex >= 1 && r.FilterIndex <= list.size()) ? list[r.FilterIndex - 1] : QString();
    QString start = r.InitialDir;
    if (!r.FileName.isEmpty()) start = start.isEmpty() ? r.FileName : start + QLatin1Char('/') + r.FileName;
    const QFileDialog::Options options =
        r.OverwritePrompt ? QFileDialog::Options() : QFileDialog::Options(QFileDialog::DontConfirmOverwrite);
    QString chosen = QFileDialog::getSaveFileName(nullptr, r.Caption, start, filters, &selected, options);
    TDialogReply reply;
    if (chosen.isEmpty()) return reply;
    reply.ModalResult = mrOk;
    reply.FileName = chosen;
    reply.FilterIndex = std::max(1, int(list.indexOf(selected)) + 1);
    return reply;
}

TDialogReply RunDialog(const TDialogRequest& r)
{
    // A dialog takes the mouse from whoever held it.
    CancelCapture();
    if (TDialogHook& hook = DialogHook()) return hook(r);
    return r.Kind == TDialogRequest::dkSave ? RealSaveDialog(r) : RealMessageDialog(r);
}

}  // namespace

QString QtFileDialogFilter(const QString& filter)
{
    QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString desc = parts[i];
        const QString raw = QStringLiteral("(") + parts[i + 1] + QLatin1Char(')');
        QString shown = raw;
        shown.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt takes the patterns from the description's last parentheses.
        if (desc.endsWith(raw))
            desc = desc.chopped(raw.size()) + shown;
        else
            desc += QLatin1Char(' ') + shown;
        out << desc;
    }
    return out.join(QStringLiteral(";;"));
}

TDialogHook& DialogHook()
{
    static TDialogHook hook;
    return hook;
}

TModalResult ModalResultOf(TMsgDlgBtn b)
{
    switch (b) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    case mbNoToAll: return mrNoToAll;
    case mbYesToAll: return mrYesToAll;
    case mbHelp: return mrHelp;
    case mbClose: return mrClose;
    }
    return mrNone;
}

int MessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int)
{
    TDialogRequest r;
    r.Kind = TDialogRequest::dkMessage;
    r.Caption = TitleOf(DlgType);
    r.Text = Msg;
    r.DlgType = DlgType;
    r.Buttons = Buttons.Empty() ? TMsgDlgButtons{mbOK} : Buttons;
    return RunDialog(r).ModalResult;
}

void ShowMessage(const QString& Msg)
{
    MessageDlg(Msg, mtCustom, TMsgDlgButtons{mbOK});
}

QString NormalizedDefaultExt(const QString& DefaultExt)
{
    QString e = DefaultExt.trimmed();
    while (e.startsWith(QLatin1Char('*')) || e.startsWith(QLatin1Char('.'))) e.remove(0, 1);
    return e;
}

QString ApplyDefaultExt(const QString& Name, const QString& DefaultExt)
{
    QString ext = NormalizedDefaultExt(DefaultExt);
    if (Name.isEmpty() || ext.isEmpty()) return Name;
    if (!QFileInfo(Name).suffix().isEmpty()) return Name;
    return Name.endsWith(QLatin1Char('.')) ? Name + ext : Name + QLatin1Char('.') + ext;
}

bool TSaveDialog::Execute()
{
    TDialogRequest r;
    r.Kind = TDialogRequest::dkSave;
    r.Caption = FTitle.isEmpty() ? QStringLiteral("Save As") : FTitle;
    r.Filter = FFilter;
    r.FilterIndex = FFilterIndex;
    r.DefaultExt = FDefaultExt;
    r.InitialDir = FInitialDir;
    r.FileName = FFileName;
    r.OverwritePrompt = FOverwritePrompt;
    TDialogReply reply = RunDialog(r);
    if (reply.ModalResult != mrOk || reply.FileName.isEmpty()) return false;
    FFileName = ApplyDefaultExt(reply.FileName, FDefaultExt);
    FFilterIndex = reply.FilterIndex;
    return true;
}
