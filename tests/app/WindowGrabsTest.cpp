// Pictures of the windows for a look by eye: written only when the
// environment names a folder (CALYPTOR_GRAB_DIR), so the suite leaves nothing
// behind otherwise.
#include "AppTestKit.h"
#include "Fakes.h"
#include "Services.h"
#include "UAbout.h"
#include "UNew_Project.h"
#include "UOpenConf.h"
#include "USoftOptions.h"

#include <QFileInfo>
#include <QImage>

TEST_F(AppWindowsFixture, GrabTheWindows)
{
    if (TestHarness::GrabDir().isEmpty()) GTEST_SKIP() << "set CALYPTOR_GRAB_DIR to a folder to get the pictures";
    for (const char* p : {"Plant A", "Plant B", "Test bench", "Line 3"}) MakeProject(QLatin1String(p));
    for (const char* l : {"Deutsch", "English", "Espanol", "Francais", "Italiano", "Nederlands", "Polski"})
        WriteFile(QStringLiteral("LANGUAGE/") + QLatin1String(l) + QStringLiteral(".lng"), "");
    // Three bands on a see-through ground (the bottom-left pixel's colour).
    QImage flag(48, 48, QImage::Format_RGB32);
    flag.fill(QColor(255, 0, 255));
    const QColor bands[] = {QColor(0, 140, 70), Qt::white, QColor(205, 33, 42)};
    for (int y = 8; y < 40; ++y)
        for (int x = 0; x < 48; ++x) flag.setPixelColor(x, y, bands[x / 16]);
    flag.save(Dir() + QStringLiteral("/LANGUAGE/Italiano.bmp"), "BMP");
    QFile::copy(TestHarness::SourcePath(QStringLiteral("resources/LANGUAGE/DefaultFlag.bmp")),
                Dir() + QStringLiteral("/LANGUAGE/DefaultFlag.bmp"));
    Start();
    auto grab = [&](TControl* c, const char* name) {
        EXPECT_TRUE(TestHarness::GrabToPng(c, TestHarness::GrabPath(QLatin1String(name) + QStringLiteral(".png")))) << name;
    };
    grab(FCalyptoreFirmWare, "main-no-project");
    Project_Name = QStringLiteral("Plant A");
    Project_Path = Projects_Dir + QStringLiteral("/Plant A");
    FCalyptoreFirmWare->Set_Lang();
    grab(FCalyptoreFirmWare, "main-project");
    FCalyptoreFirmWare->LL_Update->SetCaption(Download_Link_Caption(19));
    FCalyptoreFirmWare->LL_Update->SetVisible(true);
    grab(FCalyptoreFirmWare, "main-update-link");

    DialogResponder r;
    r.ExpectModal(QStringLiteral("TFNew_Project"), [&](TCustomForm* f) {
        FNew_Project->E_New_Proj->SetText(QStringLiteral("Plant C"));
        grab(f, "new-project");
        f->SetModalResult(mrCancel);
    });
    r.ExpectModal(QStringLiteral("TFOpenConf"), [&](TCustomForm* f) {
        grab(f, "open-project");
        f->SetModalResult(mrCancel);
    });
    r.ExpectModal(QStringLiteral("TFSoftOptions"), [&](TCustomForm* f) {
        auto* o = static_cast<TFSoftOptions*>(f);
        grab(f, "options-language-1");
        o->Btn_Next->Click();
        grab(f, "options-language-2");
        o->PC_Options->SetActivePage(o->TS_Con_Options);
        o->LL_Check_Update->SetCaption(Download_Link_Caption(314));
        o->LL_Check_Update->SetVisible(true);
        grab(f, "options-connection");
        o->PC_Options->SetActivePage(o->TS_Soft_Settings);
        grab(f, "options-tables");
        f->SetModalResult(mrCancel);
    });
    r.ExpectModal(QStringLiteral("TFAbout"), [&](TCustomForm* f) {
        grab(f, "about");
        f->SetModalResult(mrCancel);
    });
    for (TLbButton* b : {FCalyptoreFirmWare->Btn_New, FCalyptoreFirmWare->Btn_Open, FCalyptoreFirmWare->Btn_Opz,
                         FCalyptoreFirmWare->Btn_Info})
        FCalyptoreFirmWare->Btn_Click(b);
    grab(FKNXAccess, "table-skeleton");
    EXPECT_EQ(r.Pending(), 0);
}
