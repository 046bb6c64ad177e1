// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/LocalBroker.h"

#include <QStandardPaths>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

int FreeLoopbackPort()
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

QString BrokerProgram()
{
    const QString found = QStandardPaths::findExecutable(QStringLiteral("mosquitto"));
    return found.isEmpty() ? QStandardPaths::findExecutable(
               QStringLiteral("mosquitto"), {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin")})
                           : found;
}
