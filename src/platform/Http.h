#pragma once
// HTTP GET for the version query.
//
// The call blocks its caller in a local event loop that takes no user
// input, for at most the time-out (10 s). Only status 200 with a body of at
// most 64 KiB is an answer; redirects are not followed; every other outcome
// is a failure with its reason. A call made while one runs (a timer can fire
// during the wait) fails at once.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QNetworkAccessManager>

using THttpHeaders = QList<QPair<QByteArray, QByteArray>>;

struct THttpResult {
    bool Ok = false;
    int Status = 0;   // the HTTP status, 0 when none came
    QString Body;     // the answer when Ok
    QString Error;    // the reason when not Ok
};

class IHttpClient {
public:
    virtual ~IHttpClient() = default;
    virtual THttpResult Get(const QString& url, const THttpHeaders& headers) = 0;
};

class TQtHttpClient : public IHttpClient {
public:
    static constexpr int DefaultTimeoutMs = 10000;
    static constexpr qint64 MaxBodyBytes = 64 * 1024;

    TQtHttpClient();
    ~TQtHttpClient() override;

    THttpResult Get(const QString& url, const THttpHeaders& headers) override;

    int TimeoutMs() const { return FTimeoutMs; }
    void SetTimeoutMs(int ms) { FTimeoutMs = ms; }

private:
    // Owned by the application object when there is one, so that it never
    // outlives the application (the client itself may be a static service).
    QPointer<QNetworkAccessManager> FManager;
    int FTimeoutMs = DefaultTimeoutMs;
    bool FBusy = false;
};

// A body as text: UTF-8 when it is valid UTF-8, else Latin-1.
QString DecodeHttpBody(const QByteArray& body);
