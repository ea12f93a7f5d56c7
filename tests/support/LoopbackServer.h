#pragma once
// A small HTTP server on 127.0.0.1 for the tests of the network clients:
// it runs on a thread of its own, reads each request head and answers it
// with a fixed reply, or not at all when the reply is empty.

#include <QByteArray>
#include <QString>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

// Accepts connections on 127.0.0.1, reads each request head and answers it
// with a fixed reply, or not at all when the reply is empty (a silent server).
class LoopbackServer {
public:
    explicit LoopbackServer(QByteArray reply) : FReply(std::move(reply))
    {
        FListen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (::bind(FListen, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0
            && ::listen(FListen, 8) == 0
            && ::getsockname(FListen, reinterpret_cast<sockaddr*>(&a), &len) == 0)
            FPort = ntohs(a.sin_port);
        FThread = std::thread([this] { Run(); });
    }
    ~LoopbackServer()
    {
        FStop = true;
        FThread.join();
        for (int fd : FOpen)
            ::close(fd);
        ::close(FListen);
    }
    int Port() const { return FPort; }
    QString Url(const char* path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(FPort).arg(QLatin1String(path));
    }
    int Requests()
    {
        std::lock_guard<std::mutex> g(FLock);
        return int(FHeads.size());
    }
    QByteArray Head(int i)
    {
        std::lock_guard<std::mutex> g(FLock);
        return FHeads.at(size_t(i));
    }

private:
    void Run()
    {
        while (!FStop) {
            pollfd p{FListen, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0)
                continue;
            const int fd = ::accept4(FListen, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0)
                continue;
            QByteArray head;
            char buf[4096];
            while (!head.contains("\r\n\r\n") && !FStop) {
                pollfd q{fd, POLLIN, 0};
                if (::poll(&q, 1, 20) <= 0)
                    continue;
                const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
                if (n <= 0)
                    break;
                head.append(buf, int(n));
            }
            {
                std::lock_guard<std::mutex> g(FLock);
                FHeads.push_back(head);
            }
            if (FReply.isEmpty()) {
                FOpen.push_back(fd);  // stays silent until the server ends
                continue;
            }
            const char* at = FReply.constData();
            qsizetype left = FReply.size();
            while (left > 0) {
                const ssize_t n = ::send(fd, at, size_t(left), MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                at += n;
                left -= n;
            }
            ::shutdown(fd, SHUT_WR);
            ::close(fd);
        }
    }

    QByteArray FReply;
    int FListen = -1;
    int FPort = 0;
    std::atomic<bool> FStop{false};
    std::thread FThread;
    std::mutex FLock;
    std::vector<QByteArray> FHeads;
    std::vector<int> FOpen;
};

// A whole HTTP reply: status line, Content-Length, Connection: close, any
// extra header lines ("Name: value\r\n"), then the body.
QByteArray HttpReply(const char* statusLine, const QByteArray& body, const char* extra = "");
