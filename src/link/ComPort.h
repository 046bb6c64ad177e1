#pragma once

#include "link/CustomComPort.h"

#include <memory>
#include <termios.h>

class QSocketNotifier;

// The serial port over POSIX termios: raw 9600 baud, 8 data bits, no parity,
// one stop bit, no flow control, DTR and RTS low. Received bytes are
// announced through OnRxChar from a socket notifier on the descriptor, so
// nothing polls and every event runs on the window thread.
class TComPort : public TCustomComPort {
public:
    TComPort();
    ~TComPort() override;

    void Open() override;
    void Close() override;
    bool Connected() const override { return fd_ >= 0; }
    int ReadText(QByteArray& text, int count) override;
    int WriteText(const QByteArray& text) override;

    QString Port() const override { return port_; }
    void SetPort(const QString& port) override;

    void ReadSettings(TSettingsStore kind, const QString& name) override;
    void WriteSettings(TSettingsStore kind, const QString& name) override;

    // "COM3" is /dev/ttyS2, an absolute path stands as it is, any other name
    // is looked up under /dev.
    static QString DevicePath(const QString& port);

private:
    void ApplyLineSettings();
    void OnReadable();
    int BytesWaiting() const;

    QString port_ = QStringLiteral("COM1");
    int fd_ = -1;
    termios saved_{};
    std::unique_ptr<QSocketNotifier> notifier_;
};
