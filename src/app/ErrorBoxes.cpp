// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ErrorBoxes.h"

#include "app/Dialogs.h"
#include "files/FileProblem.h"
#include "link/ComPort.h"
#include "link/SystemErrorText.h"

#include <QFileInfo>
#include <QScopeGuard>

ErrorBoxes::ErrorBoxes(QWidget& window, DialogSeam& dialogs, const TCustomComPort& port)
    : window_(window)
    , dialogs_(dialogs)
    , port_(port)
{
}

void ErrorBoxes::Guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const EComPort& error) {
        ShowException(PortErrorText(error, TComPort::DevicePath(port_.Port())));
    } catch (const std::exception& error) {
        ShowException(QString::fromLocal8Bit(error.what()));
    }
}

// While the error box is up the ticks go on; a failure in one of them must
// not pile a second box on the first.
void ErrorBoxes::ShowException(const QString& message)
{
    if (open_)
        return;
    open_ = true;
    const auto reopen = qScopeGuard([this] { open_ = false; });
    dialogs_.ShowError(&window_, message);
}

void ErrorBoxes::ShowFileError(
    const QString& what, const QString& file, const FileProblem& problem, const QString& outcome)
{
    const QString name = QFileInfo(file).absoluteFilePath();
    QString reason = ExplainFileProblem(problem, name);
    if (!outcome.isEmpty())
        reason += QStringLiteral("; ") + outcome;
    dialogs_.ShowMessage(&window_, reason.isEmpty() ? what + name : what + name + QLatin1Char('\n') + reason);
}
