// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/MosquittoBroker.h"

#include <QFile>
#include <QStandardPaths>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A port nothing listens on now; the broker takes it at once.
int FreePort()
{
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(socket, reinterpret_cast<sockaddr*>(&address), length) == 0
        && ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(socket);
    return port;
}

} // namespace

MosquittoBroker::MosquittoBroker()
{
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

MosquittoBroker::~MosquittoBroker() { Stop(); }

QString MosquittoBroker::Program()
{
    const QString found = QStandardPaths::findExecutable(QStringLiteral("mosquitto"));
    return found.isEmpty() ? QStandardPaths::findExecutable(
               QStringLiteral("mosquitto"), {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin")})
                           : found;
}

// The same port again on a restart: the clients come back to it.
bool MosquittoBroker::Start()
{
    if (!folder_.isValid() || Program().isEmpty())
        return false;
    if (port_ == 0)
        port_ = FreePort();
    QFile config(folder_.filePath(QStringLiteral("mosquitto.conf")));
    if (port_ == 0 || !config.open(QIODevice::WriteOnly))
        return false;
    config.write(
        QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\npersistence false\nlog_type error\n")
            .arg(port_)
            .toUtf8());
    config.close();
    process_.start(Program(), {QStringLiteral("-c"), config.fileName()});
    return process_.waitForStarted();
}

bool MosquittoBroker::Stop()
{
    if (process_.state() == QProcess::NotRunning)
        return true;
    process_.terminate();
    return process_.waitForFinished(5000);
}
