#pragma once
// The serial-port component: a terminal device with its line settings,
// bounded reads and writes, purges, modem lines, and a thread that watches
// the port and hands its events to the user-interface thread.

#include "platform/Component.h"
#include "platform/Types.h"

#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>

class TSimpleEvent;
class TCriticalSection;
class TCustomComm;

class ECommError : public std::runtime_error {
public:
    ECommError(const QString& message, Integer errorCode)
        : std::runtime_error(message.toStdString()), ErrorCode(errorCode) {}
    Integer ErrorCode;
};

// Raises ECommError with Msg + " (Error: <ErrorCode>) ".
[[noreturn]] void RaiseCommError(const QString& Msg, Integer ErrorCode);

enum TBaudrate {
    br110, br300, br600, br1200, br2400, br4800, br9600, br14400, br19200, br38400, br56000, br57600, br115200,
    br128000, br256000, br1500000, br3000000,
};
enum TParity { paNone, paOdd, paEven, paMark, paSpace };
enum TStopbits { sb10, sb15, sb20 };
enum TDatabits { da4, da5, da6, da7, da8 };
enum TFlowControl { fcNone, fcCTS, fcDTR, fcSoftware, fcDefault };

enum TCommOption { coParityCheck, coDsrSensitivity, coIgnoreXOff, coErrorChar, coNullStrip };
using TCommOptions = unsigned; // bit (1 << TCommOption)

enum TCommEventType { evBreak, evCts, evDsr, evError, evRing, evRlsd, evRxChar, evRxFlag, evTxEmpty };
using TCommEventTypes = unsigned; // bit (1 << TCommEventType)
constexpr TCommEventTypes AllCommEvents = 0x1FF;
constexpr unsigned CommSet(unsigned member) { return 1u << member; }

// Device event bits as the event thread reports them.
enum : LongWord {
    EV_RXCHAR = 0x1, EV_RXFLAG = 0x2, EV_TXEMPTY = 0x4, EV_CTS = 0x8, EV_DSR = 0x10, EV_RLSD = 0x20,
    EV_BREAK = 0x40, EV_ERR = 0x80, EV_RING = 0x100,
};
// Line errors passed to OnError.
enum : LongWord { CE_RXOVER = 0x1, CE_OVERRUN = 0x2, CE_RXPARITY = 0x4, CE_FRAME = 0x8, CE_BREAK = 0x10 };

// The device control block: the port's line settings as one record. The
// flags are those of the Flags word below.
struct TDCB {
    LongWord BaudRate = 0;
    LongWord Flags = 0;
    Word XonLim = 0;
    Word XoffLim = 0;
    Byte ByteSize = 8;
    Byte Parity = 0;
    Byte StopBits = 0;
    Byte XonChar = 0, XoffChar = 0, ErrorChar = 0, EofChar = 0, EvtChar = 0;
};
enum : LongWord {
    dcb_Binary = 0x1,
    dcb_Parity = 0x2,
    dcb_OutxCtsFlow = 0x4,
    dcb_OutxDsrFlow = 0x8,
    dcb_DtrControlMask = 0x30,
    dcb_DtrControlEnable = 0x10,
    dcb_DtrControlHandshake = 0x20,
    dcb_DsrSensitivity = 0x40,
    dcb_TXContinueOnXoff = 0x80,
    dcb_OutX = 0x100,
    dcb_InX = 0x200,
    dcb_ErrorChar = 0x400,
    dcb_Null = 0x800,
    dcb_RtsControlMask = 0x3000,
    dcb_RtsControlEnable = 0x1000,
    dcb_RtsControlHandshake = 0x2000,
};

// The five special characters of the port.
class TCommEventChars : public TPersistent {
public:
    explicit TCommEventChars(TCustomComm* Owner) : FOwner(Owner) {}
    QString ClassName() const override { return QStringLiteral("TCommEventChars"); }
    void Assign(const TPersistent* Source) override;

    Byte XonChar() const { return FXonChar; }
    Byte XoffChar() const { return FXoffChar; }
    Byte ErrorChar() const { return FErrorChar; }
    Byte EofChar() const { return FEofChar; }
    Byte EvtChar() const { return FEvtChar; }
    void SetXonChar(Byte Value) { Set(FXonChar, Value); }
    void SetXoffChar(Byte Value) { Set(FXoffChar, Value); }
    void SetErrorChar(Byte Value) { Set(FErrorChar, Value); }
    void SetEofChar(Byte Value) { Set(FEofChar, Value); }
    void SetEvtChar(Byte Value) { Set(FEvtChar, Value); }

private:
    void Set(Byte& Field, Byte Value);
    TCustomComm* FOwner;
    Byte FXonChar = 17, FXoffChar = 19, FErrorChar = 0, FEofChar = 0, FEvtChar = 0;
};

struct TCommShared;
class TCommEventThread;

using TCommErrorEvent = std::function<void(TObject* Sender, LongWord Errors)>;
using TCommRxCharEvent = std::function<void(TObject* Sender, Integer Count)>;

class TCustomComm : public TComponent {
public:
    explicit TCustomComm(TComponent* AOwner);
    ~TCustomComm() override;
    QString ClassName() const override { return QStringLiteral("TCustomComm"); }

    void Open();
    void Close();
    bool Enabled() const { return FHandle >= 0; }
    // Bytes moved, or -1 when the transfer did not end within its time-out.
    Integer Write(const void* Buf, Integer Count);
    Integer Read(void* Buf, Integer Count);
    // Bytes waiting in the input / output queue; -1 while closed.
    Integer InQueCount();
    Integer OutQueCount();
    void PurgeIn();
    void PurgeOut();
    void SetDTRState(bool State);
    void SetRTSState(bool State);
    void SetBREAKState(bool State);
    void SetXONState(bool State);

    int Handle() const { return FHandle; }
    // Modem lines and hold states; all false while closed.
    bool CTS();
    bool DSR();
    bool RING();
    bool RLSD();
    bool CtsHold();
    bool DsrHold();
    bool RlsdHold();
    bool XoffHold();
    // The control block last read from and written to the device.
    const TDCB& DCB() const { return FDCB; }

    const QString& DeviceName() const { return FDeviceName; }
    void SetDeviceName(const QString& Value);
    Integer ReadTimeout() const { return FReadTimeout; }
    void SetReadTimeout(Integer Value) { FReadTimeout = Value; }
    Integer WriteTimeout() const { return FWriteTimeout; }
    void SetWriteTimeout(Integer Value) { FWriteTimeout = Value; }
    Integer ReadBufSize() const { return FReadBufSize; }
    void SetReadBufSize(Integer Value);
    Integer WriteBufSize() const { return FWriteBufSize; }
    void SetWriteBufSize(Integer Value);
    TCommEventTypes MonitorEvents() const { return FMonitorEvents; }
    void SetMonitorEvents(TCommEventTypes Value);
    TBaudrate BaudRate() const { return FBaudRate; }
    void SetBaudRate(TBaudrate Value);
    TParity Parity() const { return FParity; }
    void SetParity(TParity Value);
    TStopbits Stopbits() const { return FStopbits; }
    void SetStopbits(TStopbits Value);
    TDatabits Databits() const { return FDatabits; }
    void SetDatabits(TDatabits Value);
    TCommEventChars* EventChars() const { return FEventChars.get(); }
    TCommOptions Options() const { return FOptions; }
    void SetOptions(TCommOptions Value);
    TFlowControl FlowControl() const { return FFlowControl; }
    void SetFlowControl(TFlowControl Value);

    TNotifyEvent OnBreak, OnCts, OnDsr;
    TCommErrorEvent OnError;
    TNotifyEvent OnRing, OnRlsd;
    TCommRxCharEvent OnRxChar;
    TNotifyEvent OnRxFlag, OnTxEmpty;

    // Puts the settings on the device (nothing while closed).
    void UpdateCommState();

protected:
    virtual void OpenDeviceHandle();
    void ApplyFlowControl();
    void SetNonBlockingTimeouts();
    // Raises the events of Mask on the user-interface thread.
    void HandleCommEvent(LongWord Mask);
    void CheckPortClosed();

private:
    friend class TCommEventThread;
    LongWord ClearCommError(); // takes the pending line errors
    void CheckOpen();
    template <class T> void SetWhileClosed(T& Field, const T& Value);
    template <class T> void SetLine(T& Field, const T& Value);

    int FHandle = -1;
    TDCB FDCB;
    bool FDcbWritten = false;
    bool FXoffHeld = false;
    QString FDeviceName;
    std::unique_ptr<TSimpleEvent> FEvent;
    std::unique_ptr<TCriticalSection> FCriticalSection;
    Integer FReadTimeout, FWriteTimeout;
    Integer FReadBufSize, FWriteBufSize;
    TCommEventTypes FMonitorEvents;
    TBaudrate FBaudRate;
    TParity FParity;
    TStopbits FStopbits;
    TDatabits FDatabits;
    std::unique_ptr<TCommEventThread> FEventThread;
    std::unique_ptr<TCommEventChars> FEventChars;
    TCommOptions FOptions;
    TFlowControl FFlowControl;
    std::shared_ptr<TCommShared> FShared;
};

class TComm : public TCustomComm {
public:
    using TCustomComm::TCustomComm;
    QString ClassName() const override { return QStringLiteral("TComm"); }
};
