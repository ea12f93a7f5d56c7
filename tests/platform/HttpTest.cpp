// The HTTP client against a small server on 127.0.0.1 that the test runs.
#include "Http.h"
#include "LoopbackServer.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QTimer>
#include <arpa/inet.h>
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

QByteArray Reply(const char* statusLine, const QByteArray& body, const char* extra = "")
{
    return HttpReply(statusLine, body, extra);
}

const THttpHeaders VersionHeaders = {
    {"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
    {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"},
};

}  // namespace

TEST(Http, StatusOkGivesTheBodyAndTheRequestIsSentAsGiven)
{
    LoopbackServer server(Reply("HTTP/1.1 200 OK", "VER. 1.001"));
    TQtHttpClient client;
    const THttpResult r =
        client.Get(server.Url("/home/download/GetversionSW.asp?nomesw=CF52104"), VersionHeaders);
    EXPECT_TRUE(r.Ok) << r.Error.toStdString();
    EXPECT_EQ(r.Status, 200);
    EXPECT_EQ(r.Body, QStringLiteral("VER. 1.001"));

    ASSERT_EQ(server.Requests(), 1);
    const QByteArray head = server.Head(0);
    EXPECT_TRUE(head.startsWith("GET /home/download/GetversionSW.asp?nomesw=CF52104 HTTP/1.1\r\n"))
        << head.toStdString();
    EXPECT_TRUE(head.contains(
        "\r\nAccept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"))
        << head.toStdString();
    EXPECT_TRUE(head.contains("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"))
        << head.toStdString();
}

TEST(Http, BodyThatIsNotUtf8IsReadAsLatin1)
{
    LoopbackServer server(Reply("HTTP/1.1 200 OK", "caf\xe9"));
    TQtHttpClient client;
    const THttpResult r = client.Get(server.Url("/"), {});
    ASSERT_TRUE(r.Ok) << r.Error.toStdString();
    EXPECT_EQ(r.Body, QString::fromUtf8("caf\u00e9"));
}

TEST(Http, EveryOtherOutcomeFailsWithAReason)
{
    struct Case {
        const char* Name;
        QByteArray Reply;
        int Status;
    };
    const Case cases[] = {
        {"not found", Reply("HTTP/1.1 404 Not Found", "<html>missing</html>"), 404},
        {"redirect", Reply("HTTP/1.1 302 Found", "", "Location: /elsewhere\r\n"), 302},
        {"too large", Reply("HTTP/1.1 200 OK", QByteArray(64 * 1024 + 1, 'x')), 200},
        {"server error", Reply("HTTP/1.1 500 Internal Server Error", "oops"), 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        LoopbackServer server(c.Reply);
        TQtHttpClient client;
        const THttpResult r = client.Get(server.Url("/page"), VersionHeaders);
        EXPECT_FALSE(r.Ok);
        EXPECT_TRUE(r.Body.isEmpty());
        EXPECT_FALSE(r.Error.isEmpty());
        EXPECT_EQ(r.Status, c.Status);
        // A redirect is not followed: the server sees the one request only.
        EXPECT_EQ(server.Requests(), 1);
    }
}

TEST(Http, ExactlyTheSizeLimitIsAnAnswer)
{
    LoopbackServer server(Reply("HTTP/1.1 200 OK", QByteArray(64 * 1024, 'x')));
    TQtHttpClient client;
    const THttpResult r = client.Get(server.Url("/"), {});
    EXPECT_TRUE(r.Ok) << r.Error.toStdString();
    EXPECT_EQ(r.Body.size(), 64 * 1024);
}

TEST(Http, ConnectionRefusedFails)
{
    int port = 0;
    {
        LoopbackServer gone(Reply("HTTP/1.1 200 OK", "x"));
        port = gone.Port();
    }
    TQtHttpClient client;
    const THttpResult r = client.Get(QStringLiteral("http://127.0.0.1:%1/").arg(port), {});
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Status, 0);
    EXPECT_FALSE(r.Error.isEmpty());
}

TEST(Http, SilentServerTimesOutAndASecondCallMeanwhileFailsAtOnce)
{
    LoopbackServer server{QByteArray()};
    TQtHttpClient client;
    client.SetTimeoutMs(300);
    THttpResult nested;
    bool nestedRan = false;
    QTimer::singleShot(50, [&] {
        nested = client.Get(server.Url("/again"), {});
        nestedRan = true;
    });
    const THttpResult r = client.Get(server.Url("/slow"), {});
    EXPECT_FALSE(r.Ok);
    EXPECT_TRUE(r.Error.contains(QLatin1String("300"))) << r.Error.toStdString();

    ASSERT_TRUE(nestedRan);
    EXPECT_FALSE(nested.Ok);
    EXPECT_FALSE(nested.Error.isEmpty());
    EXPECT_EQ(server.Requests(), 1);

    // The client is usable again afterwards.
    LoopbackServer ok(Reply("HTTP/1.1 200 OK", "VER. 1.000"));
    EXPECT_TRUE(client.Get(ok.Url("/"), {}).Ok);
}

TEST(Http, AddressesThatAreNotWebAddressesFail)
{
    TQtHttpClient client;
    for (const char* url : {"", "ftp://127.0.0.1/x", "127.0.0.1/x", "http:///x"}) {
        SCOPED_TRACE(url);
        const THttpResult r = client.Get(QLatin1String(url), {});
        EXPECT_FALSE(r.Ok);
        EXPECT_FALSE(r.Error.isEmpty());
    }
}
