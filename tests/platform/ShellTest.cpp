// Opening links and local files.
#include "Fakes.h"
#include "NetSandbox.h"
#include "Services.h"
#include "Shell.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Shell, OnlyWebAndMailLinksMayBeOpened)
{
    const struct {
        const char* Url;
        bool Allowed;
    } cases[] = {
        {"http://127.0.0.1/Home/download/download.asp#GW52104", true},
        {"HTTPS://127.0.0.1/x", true},
        {"mailto:support@example.com", true},
        {"  http://127.0.0.1/a page.html  ", true},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"ftp://127.0.0.1/file", false},
        {"download.asp", false},
        {"/etc/passwd", false},
        {"//127.0.0.1/x", false},
        {"http://", false},
        {"mailto:", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Url);
        EXPECT_EQ(IsOpenableUrl(QLatin1String(c.Url)), c.Allowed);
    }
}

TEST(Shell, RealOpenerHandsOnlyAllowedLinksAndExistingFilesToTheDesktop)
{
    auto gate = std::make_shared<TRecordingSocketGate>();
    ScopedService g(&PlatformServices::Sockets, gate);
    TDesktopUrlOpener opener;

    opener.OpenUrl(QStringLiteral("file:///etc/passwd"));
    opener.OpenUrl(QStringLiteral("javascript:alert(1)"));
    EXPECT_EQ(gate->DesktopCalls, 0);
    opener.OpenUrl(QStringLiteral("http://127.0.0.1/x"));
    EXPECT_EQ(gate->DesktopCalls, 1);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(opener.OpenLocalFile(dir.filePath(QStringLiteral("missing.html"))));
    EXPECT_FALSE(opener.OpenLocalFile(dir.path()));  // a folder is not a file
    EXPECT_FALSE(opener.OpenLocalFile(QString()));
    EXPECT_EQ(gate->DesktopCalls, 1);
    QFile f(dir.filePath(QStringLiteral("page.html")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    opener.OpenLocalFile(f.fileName());
    EXPECT_EQ(gate->DesktopCalls, 2);
}

TEST(Shell, FreeFunctionsGoThroughTheInstalledOpener)
{
    auto rec = std::make_shared<TRecordingUrlOpener>();
    ScopedService g(&PlatformServices::Opener, rec);
    EXPECT_TRUE(OpenUrl(QStringLiteral("https://127.0.0.1/")));
    EXPECT_FALSE(OpenUrl(QStringLiteral("file:///x")));
    EXPECT_FALSE(OpenLocalFile(QStringLiteral("/no/such/file.html")));
    EXPECT_EQ(rec->Urls, (QStringList{QStringLiteral("https://127.0.0.1/"),
                                      QStringLiteral("file:///x")}));
    EXPECT_EQ(rec->LocalFiles, QStringList{QStringLiteral("/no/such/file.html")});
}
