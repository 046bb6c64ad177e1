// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The options of a config file (--config FILE), one a line: "key = value"
// or "key value", or the key alone for an option that takes no value; the
// key is the option's long name without "--"; "#" begins a comment at the
// start of a line or after a blank.
struct ConfigOptions {
    QStringList arguments; // "--key=value" or "--key", in the file's order
    QString error; // "line N: ..." for the first bad line; empty when all are good
};

// Files longer than this are refused unread: a config is a few lines.
constexpr qint64 kMaxConfigBytes = 64 * 1024;

ConfigOptions ReadConfigText(const QByteArray& text);

// The config's arguments that the command line does not give, then the
// command line: the command line wins. A link given on the command line
// (--serial, --usb, --simulate) drops every link of the config.
QStringList MergeConfig(const QStringList& config, const QStringList& commandLine);
