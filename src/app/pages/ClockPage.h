// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class ClockModel;

// One page class of the window: it owns its panel's controls and button
// handlers, and shows the records of the clock model that belong to it.
class ClockPage : public QObject {
public:
    using QObject::QObject;

    // Connects the page's reply handlers to the model's change signals of
    // the kinds it shows.
    virtual void Observe(ClockModel& model) { Q_UNUSED(model); }
};
