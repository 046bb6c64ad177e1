// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/ComPortDriver.h"
#include "link/ComPortSettings.h"
#include "link/CustomComPort.h"
#include "link/PortLock.h"

#include <QStringList>
#include <QThread>

#include <memory>
#include <vector>
#include <termios.h>

class IniFile;
class QDeadlineTimer;
class QSocketNotifier;
class TComLineWatch;

// Whatever holds on to a port (a settings control bound to it) and must let
// go when the port is destroyed.
class TComPortLink {
public:
    virtual void PortDestroyed() = 0;

protected:
    ~TComPortLink() = default;
};

// The serial port over POSIX termios. The device is held exclusively in raw
// mode; setting changes reach an open device at once. Received bytes are
// announced through OnRxChar from a socket notifier, modem line changes from
// a thread sleeping in the driver; every event runs on the window thread and
// no exception leaves an event: those go to OnException.
class TComPort : public TCustomComPort {
public:
    TComPort();
    ~TComPort() override;
    TComPort(const TComPort&) = delete;
    TComPort& operator=(const TComPort&) = delete;

    void Open() override;
    void Close() override;
    bool Connected() const override { return fd_ >= 0; }
    int ReadText(QByteArray& text, int count) override;
    int WriteText(const QByteArray& text) override;

    QString Port() const override { return port_; }
    void SetPort(const QString& port) override;
    TBaudRate BaudRate() const { return baudRate_; }
    void SetBaudRate(TBaudRate rate);
    // The line speed used while BaudRate is brCustom.
    int CustomBaudRate() const { return customBaudRate_; }
    void SetCustomBaudRate(int rate);
    TDataBits DataBits() const { return dataBits_; }
    void SetDataBits(TDataBits bits);
    TStopBits StopBits() const { return stopBits_; }
    void SetStopBits(TStopBits bits);
    char EventChar() const { return eventChar_; }
    void SetEventChar(char eventChar);
    bool DiscardNull() const { return discardNull_; }
    void SetDiscardNull(bool discard);

    TComParity& Parity() { return parity_; }
    const TComParity& Parity() const { return parity_; }
    void SetParity(const TComParity& parity) { parity_ = parity; }
    TComFlowControl& FlowControl() { return flowControl_; }
    const TComFlowControl& FlowControl() const { return flowControl_; }
    void SetFlowControl(const TComFlowControl& flow) { flowControl_ = flow; }
    TComTimeouts& Timeouts() { return timeouts_; }
    const TComTimeouts& Timeouts() const { return timeouts_; }
    void SetTimeouts(const TComTimeouts& timeouts) { timeouts_ = timeouts; }
    TComBuffer& Buffer() { return buffer_; }
    const TComBuffer& Buffer() const { return buffer_; }
    void SetBuffer(const TComBuffer& buffer) { buffer_ = buffer; }

    // The selection takes effect at the next Open.
    TComEvents Events() const { return events_; }
    void SetEvents(TComEvents events) { events_ = events; }
    // Every method delivers on the window thread; changing it while open
    // raises code 14.
    TSyncMethod SyncMethod() const { return syncMethod_; }
    void SetSyncMethod(TSyncMethod method);
    QThread::Priority EventThreadPriority() const { return eventThreadPriority_; }
    void SetEventThreadPriority(QThread::Priority priority) { eventThreadPriority_ = priority; }

    // Nestable; the outermost EndSettingsUpdate applies all settings at once.
    void BeginSettingsUpdate();
    void EndSettingsUpdate();
    // Runs change inside one settings update, which ends also when change
    // throws; a port left inside an update would keep every later change
    // from its device. The change's own failure is the one passed on.
    void InSettingsUpdate(const std::function<void()>& change);

    // The settings file: an ini file whose section is named after the port
    // (Name), with the line settings as texts. Reading starts from the
    // current settings, so what the file lacks stays as it is; a failure is
    // code 17 and keeps what was read before it. Writing replaces the
    // section's keys and keeps the rest of the file; a failure is code 16
    // and leaves the old file whole.
    void ReadSettings(TSettingsStore kind, const QString& name) override;
    void WriteSettings(TSettingsStore kind, const QString& name) override;

    // The name the settings file knows the port by.
    QString Name() const { return name_; }
    void SetName(const QString& name) { name_ = name; }

    // A registered link is told once when the port is destroyed.
    void RegisterLink(TComPortLink* link);
    void UnregisterLink(TComPortLink* link);

    // Bits per second of a rate; brCustom has none of its own (0).
    static int LineSpeedOf(TBaudRate rate);
    // The bits per second the port runs at, the custom rate's included.
    int LineSpeed() const;
    // "COM3" is /dev/ttyS2, an absolute path stands as it is, any other name
    // is looked up under /dev.
    static QString DevicePath(const QString& port);
    // The machine's serial devices as port names, sorted ignoring case;
    // code 23 when the tty class directory cannot be read.
    static inline const QString kTtyClassDir = QStringLiteral("/sys/class/tty");
    static QStringList EnumComPorts(const QString& ttyClassDir = kTtyClassDir);

    // The terminal settings the line settings make of current, as they are
    // handed to the driver (an arbitrary rate follows through termios2).
    // Code 7 for what termios cannot express.
    termios LineTermios(termios current) const;

    // Linux tells neither when the output queue has drained nor which bytes
    // arrived before they are read, so OnTxEmpty and OnRxFlag stay silent.
    std::function<void()> OnTxEmpty;
    std::function<void()> OnBreak;
    std::function<void()> OnRing;
    std::function<void()> OnRxFlag;
    std::function<void()> OnRx80Full;
    std::function<void(bool on)> OnCTSChange;
    std::function<void(bool on)> OnDSRChange;
    std::function<void(bool on)> OnRLSDChange;
    std::function<void(TComErrors errors)> OnError;
    // Kept for handlers written against it; the port never raises it.
    std::function<void(const QByteArray& bytes)> OnRxBuf;

private:
    struct TLineChanges;

    void ReadSettingsFrom(const IniFile& ini);

    template <typename T>
    void StoreLineSetting(T& field, T value);
    void LineSettingsChanged();
    void ApplyLineSettings();
    void SetCharacterFormat(termios& settings) const;
    void SetFlowFlags(termios& settings) const;
    void ApplyModemControl();
    void ApplyRtsControl();

    void OpenDevice();
    void ReleaseDevice();
    void AbortPendingIo();
    void CloseForGood();
    [[noreturn]] void FailTransfer(int code, int error);
    QDeadlineTimer WriteDeadline(qsizetype length) const;
    bool WaitWritable(const QDeadlineTimer& deadline) const;

    void StartEventDelivery();
    void WatchReceivedBytes();
    void WatchModemLines();
    void StopEventDelivery();
    void ReadinessSignalled();
    void ModemLinesSignalled();
    void Deliver(const std::function<void()>& dispatch);
    void ReportException(const EComPort& error) const;
    void DispatchEvents(bool bytesArrived);
    TLineChanges TakeLineChanges(bool bytesArrived);
    int BytesWaiting();
    void ReportInitialModemLines();
    void RaiseModemLines(const TModemLines& lines) const;

    QString port_ = QStringLiteral("COM1");
    TBaudRate baudRate_ = br9600;
    int customBaudRate_ = 9600;
    TDataBits dataBits_ = dbEight;
    TStopBits stopBits_ = sbOneStopBit;
    char eventChar_ = 0;
    bool discardNull_ = false;
    TComParity parity_;
    TComFlowControl flowControl_;
    TComTimeouts timeouts_;
    TComBuffer buffer_;
    TComEvents events_ = kAllComEvents;
    TSyncMethod syncMethod_ = smThreadSync;
    QThread::Priority eventThreadPriority_ = QThread::NormalPriority;
    int updateDepth_ = 0;
    QString name_ = QStringLiteral("ComPort1");
    std::vector<TComPortLink*> links_;

    int fd_ = -1;
    PortLock lock_; // held while fd_ is open
    termios saved_{};
    bool closing_ = false;
    bool rtsToggleOn_ = false;
    TComEvents openEvents_;
    bool hasCounters_ = false;
    TLineCounters counters_;
    TModemLines modemLines_;
    bool inputFull_ = false;
    int readiness_ = -1; // epoll set holding the device, edge-triggered
    std::unique_ptr<QSocketNotifier> readable_;
    std::unique_ptr<QObject> handOver_;
    std::unique_ptr<TComLineWatch> lineWatch_;
};
