// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/MosquittoBroker.h"

#include "support/LocalBroker.h"

#include <QFile>

MosquittoBroker::MosquittoBroker()
{
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

MosquittoBroker::~MosquittoBroker() { Stop(); }

// The same port again on a restart: the clients come back to it.
bool MosquittoBroker::Start()
{
    if (!folder_.isValid() || BrokerProgram().isEmpty())
        return false;
    if (port_ == 0)
        port_ = FreeLoopbackPort();
    QFile config(folder_.filePath(QStringLiteral("mosquitto.conf")));
    if (port_ == 0 || !config.open(QIODevice::WriteOnly))
        return false;
    config.write(
        QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\npersistence false\nlog_type error\n")
            .arg(port_)
            .toUtf8());
    config.close();
    process_.start(BrokerProgram(), {QStringLiteral("-c"), config.fileName()});
    return process_.waitForStarted();
}

bool MosquittoBroker::Stop()
{
    if (process_.state() == QProcess::NotRunning)
        return true;
    process_.terminate();
    return process_.waitForFinished(5000);
}
