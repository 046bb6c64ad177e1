// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class ReplyRouter;

// One page class of the window: it owns its panel's controls and button
// handlers, and shows the reply kinds that belong to it.
class ClockPage : public QObject {
public:
    using QObject::QObject;

    // Registers a handler for each reply kind the page shows. initialLoad is
    // the window's InitialLoad: true until the first read of the clock has
    // ended, while some read-back values are also copied into the entries.
    virtual void ConnectReplies(ReplyRouter& router, const bool& initialLoad)
    {
        Q_UNUSED(router);
        Q_UNUSED(initialLoad);
    }
};
