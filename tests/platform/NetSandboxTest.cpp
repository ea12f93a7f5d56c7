// The loopback-only guard: the real network facilities refuse every
// destination but 127.0.0.1 before anything is opened.
#include "Fakes.h"
#include "Http.h"
#include "Icmp.h"
#include "NetSandbox.h"
#include "Services.h"
#include "Shell.h"

#include <QUrl>
#include <gtest/gtest.h>

TEST(NetSandbox, GuardRefusesEveryDestinationButLoopbackBeforeOpeningAnything)
{
    ScopedService guard(&PlatformServices::LoopbackOnly, true);
    auto gate = std::make_shared<TRecordingSocketGate>();
    ScopedService sockets(&PlatformServices::Sockets, gate);

    TIcmpClient icmp;
    try {
        icmp.Echo({192, 0, 2, 1});
        ADD_FAILURE() << "the echo to 192.0.2.1 was not refused";
    } catch (const EPingError& e) {
        EXPECT_EQ(e.Kind(), TPingErrorKind::Refused);
    }

    TQtHttpClient http;
    for (const char* url : {"http://192.0.2.1/", "http://localhost/", "http://127.0.0.2/",
                            "https://192.0.2.1:443/x?y=1"}) {
        SCOPED_TRACE(url);
        const THttpResult r = http.Get(QLatin1String(url), {});
        EXPECT_FALSE(r.Ok);
        EXPECT_TRUE(r.Error.startsWith(QLatin1String("Refused"))) << r.Error.toStdString();
    }

    TDesktopUrlOpener opener;
    EXPECT_FALSE(opener.OpenUrl(QStringLiteral("http://192.0.2.1/")));
    EXPECT_FALSE(opener.OpenUrl(QStringLiteral("mailto:someone@192.0.2.1")));

    EXPECT_EQ(gate->SocketsOpened, 0);
    EXPECT_EQ(gate->RequestsSent, 0);
    EXPECT_EQ(gate->DesktopCalls, 0);

    // 127.0.0.1 passes the guard and reaches the gate (which opens nothing).
    EXPECT_THROW(icmp.Echo({127, 0, 0, 1}), EPingError);
    EXPECT_GT(gate->SocketsOpened, 0);
    EXPECT_FALSE(http.Get(QStringLiteral("http://127.0.0.1:1/"), {}).Ok);
    EXPECT_EQ(gate->RequestsSent, 1);
    opener.OpenUrl(QStringLiteral("http://127.0.0.1/page"));
    EXPECT_EQ(gate->DesktopCalls, 1);
}

TEST(NetSandbox, LoopbackIsExactly127001)
{
    EXPECT_TRUE(IsLoopbackAddress({127, 0, 0, 1}));
    EXPECT_FALSE(IsLoopbackAddress({127, 0, 0, 2}));
    EXPECT_FALSE(IsLoopbackAddress({0, 0, 0, 0}));
    EXPECT_TRUE(IsLoopbackUrl(QUrl(QStringLiteral("http://127.0.0.1:8080/a"))));
    EXPECT_FALSE(IsLoopbackUrl(QUrl(QStringLiteral("http://localhost/"))));
    EXPECT_FALSE(IsLoopbackUrl(QUrl(QStringLiteral("http://127.0.0.1.example/"))));
    EXPECT_FALSE(IsLoopbackUrl(QUrl(QStringLiteral("http://[::1]/"))));
}

TEST(NetSandbox, TheTestRunHasTheGuardOn)
{
    EXPECT_TRUE(LoopbackOnly());
}
