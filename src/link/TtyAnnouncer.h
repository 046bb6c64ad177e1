// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// Tells when serial device nodes come, change or go, as the machine's
// device manager announces them (udev, once it has set a node's rights).
// The core only listens; the machine's own announcer lives beside the HID
// backend, and tests announce by hand.
class TtyAnnouncer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Begins listening; false where nothing is announced (no udev daemon).
    virtual bool Start() = 0;
    virtual void Stop() = 0;

signals:
    // Some serial device node came, changed or went.
    void Announced();
};
