#include "LoopbackServer.h"

QByteArray HttpReply(const char* statusLine, const QByteArray& body, const char* extra)
{
    return QByteArray(statusLine) + "\r\nContent-Length: " + QByteArray::number(body.size())
           + "\r\nConnection: close\r\n" + extra + "\r\n" + body;
}
