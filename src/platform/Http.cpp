#include "Http.h"

#include "NetSandbox.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QThread>
#include <QTimer>
#include <QUrl>

namespace {

// The reasons this unit gives (the network's own texts are passed on).
struct {
    const char* Busy = "Another HTTP request is still running";
    const char* BadUrl = "Not an http or https address: %1";
    const char* NotSent = "The request could not be sent";
    const char* TimedOut = "No answer within %1 ms";
    const char* TooLarge = "The answer is larger than %1 bytes";
    const char* Status = "HTTP status %1";
} const Msg;

}  // namespace

QString DecodeHttpBody(const QByteArray& body)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(body);
}

TQtHttpClient::TQtHttpClient() = default;
TQtHttpClient::~TQtHttpClient()
{
    delete FManager.data();
}

THttpResult TQtHttpClient::Get(const QString& urlText, const THttpHeaders& headers)
{
    THttpResult result;
    if (FBusy) {
        result.Error = QLatin1String(Msg.Busy);
        return result;
    }
    const QUrl url(urlText, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        result.Error = QString::fromLatin1(Msg.BadUrl).arg(urlText);
        return result;
    }
    if (LoopbackOnly() && !IsLoopbackUrl(url)) {
        result.Error = LoopbackRefusal(urlText);
        return result;
    }

    FBusy = true;
    struct Release {
        bool& Flag;
        ~Release() { Flag = false; }
    } release{FBusy};

    if (!FManager) {
        QCoreApplication* app = QCoreApplication::instance();
        FManager = new QNetworkAccessManager(
            app && app->thread() == QThread::currentThread() ? app : nullptr);
    }
    // A proxy must never stand between us and the loopback address.
    FManager->setProxy(IsLoopbackUrl(url) ? QNetworkProxy(QNetworkProxy::NoProxy)
                                          : QNetworkProxy(QNetworkProxy::DefaultProxy));

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    for (const auto& h : headers)
        request.setRawHeader(h.first, h.second);

    QNetworkReply* reply = SocketGate().SendGet(*FManager, request);
    if (!reply) {
        result.Error = QLatin1String(Msg.NotSent);
        return result;
    }

    QByteArray body;
    bool tooLarge = false;
    bool timedOut = false;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        body += reply->readAll();
        if (body.size() > MaxBodyBytes && !tooLarge) {
            tooLarge = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(FTimeoutMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.stop();

    if (!tooLarge && reply->isOpen())
        body += reply->readAll();
    result.Status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const auto error = reply->error();
    const QString errorText = reply->errorString();
    reply->disconnect(&loop);
    reply->deleteLater();

    if (timedOut)
        result.Error = QString::fromLatin1(Msg.TimedOut).arg(FTimeoutMs);
    else if (tooLarge || body.size() > MaxBodyBytes)
        result.Error = QString::fromLatin1(Msg.TooLarge).arg(MaxBodyBytes);
    else if (result.Status != 0 && result.Status != 200)
        result.Error = QString::fromLatin1(Msg.Status).arg(result.Status);
    else if (error != QNetworkReply::NoError)
        result.Error = errorText;
    else if (result.Status != 200)
        result.Error = QString::fromLatin1(Msg.Status).arg(result.Status);
    else {
        result.Ok = true;
        result.Body = DecodeHttpBody(body);
    }
    return result;
}
