// Creating and opening projects through the two dialogs, driven from the
// main window's step 1.
#include "AppTestKit.h"
#include "UNew_Project.h"
#include "UOpenConf.h"

#include <QApplication>
#include <QDirIterator>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// Every file and folder below root, relative.
QStringList Tree(const QString& root)
{
    QStringList all;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) all << QDir(root).relativeFilePath(it.next());
    all.sort();
    return all;
}

}  // namespace

TEST_F(AppWindowsFixture, NewProjectNames)
{
    MakeProject(QStringLiteral("p2"));
    Start();
    const QStringList before = Tree(Dir());
    struct Case {
        QString Name;
        int Message;  // 0: created
    };
    const Case cases[] = {
        {QString(), 107},
        {QStringLiteral("."), 105},
        {QStringLiteral(".."), 105},
        {QStringLiteral("../x"), 105},
        {QStringLiteral("a/b"), 105},
        {QStringLiteral("a\\b"), 105},
        {QStringLiteral("x:y"), 105},
        {QStringLiteral("abc "), 105},
        {QStringLiteral("abc."), 105},
        {QStringLiteral("a\tb"), 105},
        {QString(300, u'n'), 105},
        {QStringLiteral("P2"), 106},
    };
    for (bool byEnter : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE((c.Name + (byEnter ? " (Enter)" : " (OK)")).toStdString());
            DialogResponder r;
            r.ExpectModal(QStringLiteral("TFNew_Project"), [&](TCustomForm*) {
                FNew_Project->E_New_Proj->SetText(c.Name);
                DialogResponder inner;
                inner.ExpectMessage(LangText(c.Message), mrOk, mtError);
                if (byEnter) {
                    QChar key(13);
                    FNew_Project->E_New_Proj->OnKeyPress(FNew_Project->E_New_Proj, key);
                    EXPECT_EQ(key, QChar(13));  // passed on unchanged
                } else {
                    FNew_Project->Btn_OK->Click();
                }
                EXPECT_EQ(inner.Pending(), 0);
                EXPECT_EQ(FNew_Project->ModalResult(), mrNone);  // the dialog stays
                FNew_Project->Btn_Cancel->Click();
            });
            FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_New);
            EXPECT_EQ(r.Pending(), 0);
            EXPECT_TRUE(Project_Path.isEmpty());
        }
    }
    EXPECT_EQ(Tree(Dir()), before);  // nothing was created anywhere

    DialogResponder r;
    r.ExpectModal(QStringLiteral("TFNew_Project"), [](TCustomForm*) {
        EXPECT_TRUE(FNew_Project->E_New_Proj->Text().isEmpty());
        FNew_Project->E_New_Proj->SetText(QStringLiteral("Neu 1"));
        FNew_Project->Btn_OK->Click();
    });
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_New);
    EXPECT_EQ(r.Pending(), 0);
    EXPECT_TRUE(DirectoryExists(Dir() + QStringLiteral("/PROJECTS/Neu 1/bin")));
    EXPECT_EQ(Project_Name, QStringLiteral("Neu 1"));
    EXPECT_EQ(Project_Path, Dir() + QStringLiteral("/PROJECTS/Neu 1"));
    EXPECT_EQ(ParGen_File, Project_Path + QStringLiteral("/ParGen.xml"));
    EXPECT_EQ(FCalyptoreFirmWare->L_Name_Conf->Caption(), LangText(11));
    EXPECT_EQ(FCalyptoreFirmWare->L_Name_Conf_L2->Caption(), QStringLiteral("Neu 1"));
}

TEST_F(AppWindowsFixture, OpenDialogListsSortedProjectsAndPreselectsTheOpenOne)
{
    for (const char* p : {"beta", "Alpha", "gamma", ".hidden", "P2"}) MakeProject(QLatin1String(p));
    WriteFile(QStringLiteral("PROJECTS/file.txt"), "not a project");
    WriteSettings(QStringLiteral("P2"));
    Start();
    // The open project, written in other letter case in the list.
    Project_Path = Dir() + QStringLiteral("/PROJECTS/p2");
    DialogResponder r;
    r.ExpectModal(QStringLiteral("TFOpenConf"), [](TCustomForm* f) {
        auto* o = static_cast<TFOpenConf*>(f);
        QStringList listed;
        for (int i = 0; i < o->ListBox1->Items()->Count(); ++i) listed << o->ListBox1->Items()->Strings(i);
        EXPECT_EQ(listed, QStringList({"Alpha", "beta", "gamma", "P2"}));
        EXPECT_EQ(o->ListBox1->ItemIndex(), 3);
        EXPECT_EQ(o->Name_Conf, QStringLiteral("P2"));
        o->ListBox1->SetItemIndex(1);
        o->ListBox1Click();
        o->Btn_OK->Click();
    });
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_Open);
    EXPECT_EQ(r.Pending(), 0);
    EXPECT_EQ(Project_Name, QStringLiteral("beta"));
    EXPECT_EQ(Project_Path, Dir() + QStringLiteral("/PROJECTS/beta"));
    EXPECT_EQ(S7_Protocol_File, Project_Path + QStringLiteral("/S7_Protocol.xml"));
    EXPECT_EQ(FCalyptoreFirmWare->L_Name_Conf_L2->Caption(), QStringLiteral("beta"));

    // Cancel changes nothing, in either dialog.
    r.ExpectModal(QStringLiteral("TFOpenConf"), [](TCustomForm* f) {
        static_cast<TFOpenConf*>(f)->ListBox1->SetItemIndex(0);
        static_cast<TFOpenConf*>(f)->ListBox1Click();
        static_cast<TFOpenConf*>(f)->Btn_Cancel->Click();
    });
    r.ExpectModal(QStringLiteral("TFNew_Project"), [](TCustomForm*) {
        FNew_Project->E_New_Proj->SetText(QStringLiteral("other"));
        FNew_Project->Btn_Cancel->Click();
    });
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_Open);
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_New);
    EXPECT_EQ(r.Pending(), 0);
    EXPECT_EQ(Project_Name, QStringLiteral("beta"));
    EXPECT_FALSE(DirectoryExists(Dir() + QStringLiteral("/PROJECTS/other")));

    // A deleted open project: the first line is chosen.
    QDir(Dir() + QStringLiteral("/PROJECTS/beta")).removeRecursively();
    r.ExpectModal(QStringLiteral("TFOpenConf"), [](TCustomForm* f) {
        auto* o = static_cast<TFOpenConf*>(f);
        EXPECT_EQ(o->ListBox1->ItemIndex(), 0);
        EXPECT_EQ(o->Name_Conf, QStringLiteral("Alpha"));
        o->Btn_Cancel->Click();
    });
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_Open);
    EXPECT_EQ(r.Pending(), 0);
}

TEST_F(AppWindowsFixture, OpenWithNoProjectsLeavesNoneOpen)
{
    MakeProject(QStringLiteral("P1"));
    WriteSettings(QStringLiteral("P1"));
    Start();
    QDir(Dir() + QStringLiteral("/PROJECTS/P1")).removeRecursively();
    DialogResponder r;
    r.ExpectModal(QStringLiteral("TFOpenConf"), [](TCustomForm* f) {
        auto* o = static_cast<TFOpenConf*>(f);
        EXPECT_EQ(o->ListBox1->Items()->Count(), 0);
        EXPECT_TRUE(o->Name_Conf.isEmpty());
        o->Btn_OK->Click();
    });
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_Open);
    EXPECT_EQ(r.Pending(), 0);
    EXPECT_TRUE(Project_Name.isEmpty());
    EXPECT_TRUE(Project_Path.isEmpty());
    EXPECT_TRUE(ParGen_File.isEmpty());
    EXPECT_EQ(FCalyptoreFirmWare->L_Name_Conf->Caption(), LangText(9));
    EXPECT_EQ(FCalyptoreFirmWare->L_Name_Conf_L2->Caption(), LangText(10));
}

// As a user does it: click "New Configuration", type a name, press Enter.
// The key press in the name field confirms and closes the dialog; its release
// comes after the modal loop has returned and goes to the main window's
// focused button, which never saw the key go down and must not click.
TEST_F(AppWindowsFixture, EnterInTheNewProjectDialogConfirmsItOnce)
{
    Start();
    FCalyptoreFirmWare->Show();
    TLbButton* button = FCalyptoreFirmWare->Btn_New;
    auto send = [](QWidget* w, QEvent& e) { QApplication::sendEvent(w, &e); };
    DialogResponder r;
    r.ExpectModal(QStringLiteral("TFNew_Project"), [&](TCustomForm*) {
        TEdit* edit = FNew_Project->E_New_Proj;
        EXPECT_TRUE(edit->Focused());
        edit->SetText(QStringLiteral("Neu 1"));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        send(edit->Widget(), press);
        EXPECT_EQ(FNew_Project->ModalResult(), mrOk);
    });
    const QPoint centre(button->Width() / 2, button->Height() / 2);
    const QPoint global = button->Widget()->mapToGlobal(centre);
    QMouseEvent down(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent up(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    send(button->Widget(), down);
    send(button->Widget(), up);  // the dialog runs and closes in here
    EXPECT_EQ(r.Pending(), 0);
    ASSERT_FALSE(FNew_Project->Visible());
    ASSERT_TRUE(button->Focused());

    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    send(button->Widget(), release);
    QApplication::processEvents();
    EXPECT_EQ(r.Seen().join(u',').toStdString(), "TFNew_Project");  // no second dialog
    EXPECT_FALSE(FNew_Project->Visible());
    EXPECT_EQ(Project_Name, QStringLiteral("Neu 1"));
}

namespace {

// A key typed at the control that has the focus in form.
void ProjectsKey(TCustomForm* form, int qtKey, const QString& text = QString())
{
    TWinControl* c = form->FocusedControl();
    ASSERT_NE(c, nullptr);
    QKeyEvent down(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(c->Widget(), &down);
    QKeyEvent up(QEvent::KeyRelease, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(c->Widget(), &up);
}

}  // namespace

TEST_F(AppWindowsFixture, EnterOpensTheListedProjectAndEscapeCancelsEitherDialog)
{
    for (const char* p : {"Alpha", "beta"}) MakeProject(QLatin1String(p));
    WriteSettings(QStringLiteral("Alpha"));
    Start();
    DialogResponder r;
    r.ExpectModal(QStringLiteral("TFOpenConf"), [](TCustomForm* f) {
        auto* o = static_cast<TFOpenConf*>(f);
        o->ListBox1->SetFocus();
        ProjectsKey(f, Qt::Key_Down);
        ProjectsKey(f, Qt::Key_Return, QStringLiteral("\r"));
        EXPECT_EQ(f->ModalResult(), mrOk);
    });
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_Open);
    EXPECT_EQ(r.Pending(), 0);
    EXPECT_EQ(Project_Name, QStringLiteral("beta"));

    r.ExpectModal(QStringLiteral("TFOpenConf"), [](TCustomForm* f) {
        static_cast<TFOpenConf*>(f)->ListBox1->SetFocus();
        ProjectsKey(f, Qt::Key_Up);
        ProjectsKey(f, Qt::Key_Escape);
        EXPECT_EQ(f->ModalResult(), mrCancel);
    });
    r.ExpectModal(QStringLiteral("TFNew_Project"), [](TCustomForm* f) {
        FNew_Project->E_New_Proj->SetText(QStringLiteral("gamma"));
        ProjectsKey(f, Qt::Key_Escape);
        EXPECT_EQ(f->ModalResult(), mrCancel);
    });
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_Open);
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_New);
    EXPECT_EQ(r.Pending(), 0);
    EXPECT_EQ(Project_Name, QStringLiteral("beta"));
    EXPECT_FALSE(DirectoryExists(Dir() + QStringLiteral("/PROJECTS/gamma")));
}
