// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/PelkMain.h"
#include "app/ScreenCursor.h"
#include "support/FakeComPort.h"
#include "support/FakeDialogs.h"
#include "support/FakeHid.h"
#include "widgets/LED.h"

#include <QAction>
#include <QPushButton>

using Lines = QList<QByteArray>;

// The window with fakes behind every device, and quick access to its parts.
struct Panel {
    FakeComPort* port = new FakeComPort;
    FakeHidController* hid = new FakeHidController;
    FakeDialogs* dialogs = new FakeDialogs;
    TForm1 form{TForm1::Devices{std::unique_ptr<TCustomComPort>(port),
                                std::unique_ptr<TJvHidDeviceController>(hid),
                                std::unique_ptr<DialogSeam>(dialogs)}};
    Lines replies;

    Panel()
    {
        QObject::connect(&form, &TForm1::ReplyTaken, [this](const QByteArray& line) { replies << line; });
    }
    ~Panel() { ScreenCursor::SetArrow(); }

    template <typename T = QWidget> T* Get(const char* name) const
    {
        T* found = form.findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no control named %s", name);
        return found;
    }
    QAction* Action(const char* name) const { return Get<QAction>(name); }
    TLED* Led1() const { return Get<TLED>("LED1"); }
    bool Visible(const char* panel) const { return !Get(panel)->isHidden(); }
    void ChooseSerial() { Action("Serial1")->trigger(); }
    void Open() { Get<QPushButton>("OpenButton")->click(); }
    Lines Queue() const { return form.CommandMemo.Lines(); }
};

