#pragma once
// The M-Bus scan engine: one worker thread that runs the wired or the
// wireless scan state machine one step at a time, talks to the converter
// over UDP, collects its answers on the socket's listener thread, keeps the
// meters it finds in Wired_Slave_List / Wireless_Slave_List and writes them
// into M_Bus.xml or a scan report.
//
// Threads: the user-interface thread starts, stops and aborts scans, sets the
// run event and reads the results; the worker runs the steps and calls the
// progress procedure; the listener thread copies each datagram into the
// answer buffer (and, while a wireless scan listens, files the telegram and
// calls the wireless row procedure). One lock, taken by each of them around
// its work (the worker releases it while it sleeps), keeps the answer buffer,
// the scan state and the slave lists consistent; the window takes it with
// Lock_Lists while it reads or frees meters during a scan. The two
// procedures must not wait for the user-interface thread. A second lock,
// taken after the first where both are held, keeps the socket and the port
// whole: a start opens them on the user-interface thread, the worker sends
// and closes. Every start is a new scan; a step that slept through the end
// of its scan stops where it wakes.

#include "mbus/MBusRecords.h"
#include "mbus/MBusSlaves.h"
#include "platform/Text.h"
#include "platform/Types.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

enum TScanType { saPrimaryAddress, saSecondaryAddress };
enum TSelectHard { shEthernet, shSerial };
enum TRadioModule { rmTelit, rmRadioCrafts };

// A wireless meter heard by a scan, with the records of its last readable
// telegram.
class TSlave_wMBus : public TObject {
public:
    TSlave_wMBus() = default;
    ~TSlave_wMBus() override;
    QString ClassName() const override { return QStringLiteral("TSlave_wMBus"); }
    // Frees every record, the last first.
    void Cancel_Var();

    Byte Message_Type = 0;
    Word LLA_Manufacturer = 0;
    QString LLA_Manu_str;
    LongWord LLA_Address = 0;
    Byte LLA_Version = 0;
    Byte LLA_DeviceType = 0;
    Word ALA_Manufacturer = 0;
    QString ALA_Manu_str;
    LongWord ALA_Address = 0;
    Byte ALA_Version = 0;
    Byte ALA_DeviceType = 0;
    ShortInt RSSI = 0;
    TDateTime DateTime = 0;
    bool Cripted = false;
    bool Enable = true;
    bool Enable_Key = false;
    std::array<Byte, 16> Key {};
    Integer RadioCrafts_Ind_Tab_Decript = -1;
    TVariable_MBus_List List_Var;
    void* Node = nullptr; // the meter's item in the wireless tree
};

// Options of the writers of M_Bus.xml.
struct TSaveConfXML {
    Integer Append = 0;        // 1: add to the existing file
    Integer XML_Code_Dev = 0;  // converter model code
    Integer Mod_Start = 0;     // first position
    Integer Index_Baud = 0;    // "300" .. "38400"
    Integer Index_Par = 0;     // 0 none, 1 even, 2 odd
    Integer Node_ID_Type = 0;  // 0 primary, 1 secondary address
    Integer SND_NKE = 0;
    Integer Reset_App = 0;
    Integer Cut_After = 0;
    Integer StartModnode = 0;  // 1: SMN_Array holds each meter's start position
    std::vector<Integer> SMN_Array;
    bool En_NodeState = false;
    bool En_IdeNum = false;
    QString File_Name;
};

// A file the writers could not load or save; the old file stays as it was.
class EScanFileError : public std::runtime_error {
public:
    explicit EScanFileError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// Progress of a wired scan: (event, value, found, mode), on the worker thread.
using TUpdateSlaveList = std::function<void(Integer Event, Integer Value, Integer Found, Integer Mode)>;
// A wireless meter took in a telegram: its index and the meter (nullptr in
// the index-only form), on the listener thread.
using TUpdateListWirelessSlave = std::function<void(Integer Index, TSlave_wMBus* Slave)>;
// Whether a meter's or record's tree node is ticked (the scan window's tree).
using TNodeTicked = std::function<bool(void* Node)>;

// Pauses and time-outs in milliseconds; tests shorten them. Each may be set
// at any time: the worker reads them while it runs.
struct TScanTiming {
    std::atomic<Integer> Step_Interval {40};      // between two steps of a running scan
    std::atomic<Integer> Idle_Interval {10};      // between two turns without a scan
    std::atomic<Integer> Pause_Primary {500};     // before each frame of the primary search
    std::atomic<Integer> Pause_Secondary {800};   // before each frame of the secondary search
    std::atomic<Integer> TimeOut_Base {400};      // added to every M-Bus wait
    std::atomic<Integer> TimeOut_Margin {50};     // added to every M-Bus wait
    std::atomic<Integer> Text_TimeOut {1000};     // converter text commands
    std::atomic<Integer> Radio_TimeOut {1000};    // wireless commands
    std::atomic<Integer> Radio_Config_TimeOut {500};
    std::atomic<Integer> Radio_Slot_TimeOut {100};
    std::atomic<Integer> Serial_Quiet {100};      // a serial answer that is no M-Bus frame ends after this silence
};

class TMBusScanDecode : public TMBusRecordDecoder {
public:
    static constexpr Word Default_Converter_Port = 10000;
    static constexpr Integer First_Primary_Address = 0;
    static constexpr Integer Last_Primary_Address = 250;
    // The converter dialogue (see Scan_Texts).
    static const std::array<QByteArray, 13> Scan_Texts;

    // Creates the worker thread, blocked until Set_Event_Run.
    TMBusScanDecode();
    // Ends the thread and closes the link.
    ~TMBusScanDecode() override;
    TMBusScanDecode(const TMBusScanDecode&) = delete;
    TMBusScanDecode& operator=(const TMBusScanDecode&) = delete;

    // Wired scan. False, changing nothing, while a scan runs. False as well
    // when the link cannot be opened (LastError says why); no scan starts.
    // A new scan always begins at its first state: a step of an earlier scan
    // that was still pausing is dropped.
    bool Start_Scan(TScanType ScanT, TSelectHard SelHard, const QString& IP_COM, Integer Baud, Integer Par, bool AppReset,
                    bool SNDNKE, Integer CutAfter, bool FixCField, Byte FixCFieldValue, bool RemoteTimeout,
                    TUpdateSlaveList Proc_Slave_List);
    // Wireless scan over UDP on Port (local and converter port).
    bool Start_Scan_Wireless(TSelectHard SelHard, const QString& IP_COM, Word Port, Integer wMBus_Mode,
                             Integer wMBus_Radio_Channel, bool RemoteTimeout, TUpdateListWirelessSlave Proc_Wireless,
                             bool FromDLL);
    void Stop_Scan() { FStopScan = true; }
    void Abort_Scan() { FAbortScan = true; }
    // Ends a running scan in order: the abort takes the converter out of
    // analyzer or configuration mode and closes the link. Idle runs every
    // few milliseconds while it waits. When the scan has not ended after
    // LimitMs it is cancelled (Cancel_Scan) and the result is false.
    bool End_Scan(Integer LimitMs, const std::function<void()>& Idle = {});
    // How long an orderly end may take at most with the current timings:
    // a pause, then three attempts to leave the converter's mode.
    Integer End_Scan_Limit() const;
    // Stops a scan at once, without a word to the converter: the scan is
    // over, whatever step it was in, and the link is closed.
    void Cancel_Scan();
    // Registers a key for meter Index of Wireless_Slave_List while listening.
    bool Insert_Wireless_Key(Integer Index, const std::array<Byte, 16>& Key);

    // The run event: the loop turns only while it is set.
    void Set_Event_Run();
    void Reset_Event_Run();

    // The writers of M_Bus.xml (user-interface thread). False for an empty
    // list; EScanFileError when the file cannot be loaded or saved.
    bool Save_XML_Conf_Wired(const TSaveConfXML& DataIn, bool Check_BCD);
    bool Save_XML_Conf_Wireless(const TSaveConfXML& DataIn, bool Check_BCD);
    // The scan reports, written to SaveXMLFile.
    void Save_XML_File_DLL();
    void Save_Wireless_XML_File_DLL();

    // Holds the engine's lock: the lists are the window's while it is held.
    std::unique_lock<std::mutex> Lock_Lists();

    // Properties.
    bool Exit() const { return FExit; }
    bool InScan() const { return FInScan; }
    Integer Result() const { return FResult; }
    bool StopScan() const { return FStopScan; }
    bool AbortScan() const { return FAbortScan; }
    Integer Step() const { return Step_Scan; }
    TRadioModule Radio_Module() const { return RadioModule; }
    // What went wrong when a start failed, a send failed or a report could
    // not be written; emptied by every start.
    QString LastError() const;

    // Wait over? (tick counts as unsigned 32-bit values; the counter may wrap)
    static bool Timeout_Elapsed_At(LongWord Now, LongWord Start, LongWord TimeOut);
    bool Timeout_Elapsed() const;

    // Frame builders (into Req_Array).
    void Build_SND_NKE(Byte Address);
    void Build_REQ_UD2(Byte Address, Integer FrameCount);
    void Build_App_Reset(Byte Address);
    void Build_Select_Secondary();
    void Build_Set_MBus_Line();
    void Build_RadioCrafts_Config();
    // Bytes from pairs of hexadecimal digits.
    static QByteArray Hex_Text_To_Bytes(const QString& Text);
    Integer Find_Wireless_Slave(Word Manufacturer, LongWord Address, Byte DeviceType, Byte Version) const;
    // Files the telegram in the answer buffer (listener thread, lock held).
    void Receive_Wireless_Telegram(TRadioModule Module);

    // Settable for tests and owners: the converter's port for the wired scan,
    // the local port of a wired scan (0: any free port) and of a wireless
    // scan (-1: the scan's port), timings.
    Word Converter_Port = Default_Converter_Port;
    Word Wired_Local_Port = 0;
    Integer Wireless_Local_Port = -1;
    TScanTiming Timing;
    // Path of the scan report written at the end of a scan; empty: none.
    QString SaveXMLFile;
    // Asked by the wired writer for each meter's and record's tree node;
    // unset: every node counts as ticked.
    TNodeTicked Node_Ticked;

    // Scan settings (read-only for callers; set by the starts).
    TScanType ScanType = saPrimaryAddress;
    TSelectHard Select_Hardware = shEthernet;
    QString IP_Address;
    QString ComPort;
    Integer Baudrate = 2400;
    Integer Parity = 1;
    bool App_Reset = false;
    bool SND_NKE = false;
    Integer Cut_After = 0;
    bool Fix_C_Field = false;
    Byte Fix_C_Field_Value = 0;
    Integer wMBusMode = 0;
    Integer wMBusRadioChannel = 0;
    Word Port_Wireless = 0;
    Integer Add_TimeOut = 0;
    QByteArray Req_Array;

private:
    struct TThreadState;

    void Execute();
    void Scan_Decode();
    void Scan_Decode_Wireless();
    void UDP_Read(const QByteArray& Data);

    // Link. The user-interface thread opens it at a start, the worker uses
    // and closes it; the link lock keeps them apart.
    bool Open_Link(Word LocalPort);
    bool Open_Serial();
    // Closes the link at the end of a scan; false when the scan was replaced
    // by a new one meanwhile (whose link then stays open).
    bool Close_Link();
    // Serial link: the bytes heard so far, taken as one answer once they
    // form a whole frame, or (any other bytes) once the line is quiet.
    void Serial_Gather();
    void Send_Command(const QByteArray& Cmd, Word Port);
    void Send_Command(Word Port);
    void Send_To(Integer NextStep, const QByteArray& Bytes, Word Port);
    // A wired frame state: the state's pause, then Req_Array to the converter.
    void Send_Frame(Integer NextStep, Integer PauseMs);
    // A checked wait: a matching answer moves to Next; another answer or the
    // time-out set FResult 2 and move to Fail.
    void Checked_Wait(bool Matches, Integer Next, Integer Fail);
    // The common parts of both starts: claiming a new scan (false while one
    // runs), opening its link, and letting it run.
    bool Claim_Scan();
    bool Open_Scan_Link(Word LocalPort);
    bool Begin_Scan();
    // Sleeps without the lock; the destructor cuts it short. False when the
    // scan the step belongs to was ended or replaced meanwhile: the step
    // must then stop without doing anything more.
    bool Pause(Integer Milliseconds);
    // Whether the step in progress still belongs to the current scan.
    bool Step_Current() const;
    // The closing states, where an abort has nothing more to do.
    bool Closing() const;
    void SetLastError(const QString& Text);

    // Wired scan.
    Integer Search_Start() const;
    Integer Text_Wait() const;
    Integer Short_Wait() const;
    Integer Long_Wait() const;
    Byte C_Field_Send() const;
    bool Answer_Is(const QByteArray& Text) const;
    bool Answer_Is_E5() const;
    bool Answer_Is_No_Slave() const;
    bool Answer_Is_RSP_UD() const;
    bool Read_RSP_UD();
    void Notify_Slave_List(Integer Event, Integer Value, Integer Found, Integer Mode);
    void Secondary_Next_Value(Integer Level);
    void Secondary_Wait(Integer Level);
    void Finish_Wired();

    // Wireless scan.
    bool Wireless_Send(Integer NextStep, const QByteArray& Bytes, Integer TimeOut);
    bool Wireless_Text(Integer NextStep, const QString& Command);
    void Wireless_Wait_Any(Integer NextStep);
    bool Telit_Step();
    bool RadioCrafts_Step();
    TSlave_wMBus* Key_Meter() const;
    QByteArray Meter_Identity() const;
    void Notify_Wireless_Slave(Integer Index, TSlave_wMBus* Slave);
    void Finish_Wireless();

    std::unique_ptr<TThreadState> T;

    std::atomic<bool> FExit {false};
    std::atomic<bool> FInScan {false};
    std::atomic<Integer> FResult {-1};
    std::atomic<bool> FStopScan {false};
    std::atomic<bool> FAbortScan {false};
    std::atomic<Integer> Step_Scan {0};
    std::atomic<bool> Answer_Arrived {false};
    std::atomic<bool> Wireless_Receive_Message {false};
    std::atomic<TRadioModule> RadioModule {rmTelit};
    // Counts the starts; a step remembers the one it belongs to.
    std::atomic<Cardinal> Scan_Generation {0};

    Integer TimeOut_Calc = 0;
    LongWord Start_Send = 0;
    Integer ID_Dev_Primary = -1;
    bool ID_Dev_Found = false;
    Integer Num_Frame_Read = 0;
    std::array<Integer, 8> Index_Digit {-1, -1, -1, -1, -1, -1, -1, -1}; // Index_A .. Index_H
    Integer Index_Device = 0;
    Integer Sec_Add_Next_Step = 0;
    Integer Phase_Scan_Sec_Add = 0;
    Integer Count_Disable_Analyzer = 0;
    bool Enable_Send_In_Last_Step = false;
    Cardinal Type_To_Send_In_Last_Step = 0;
    TUpdateSlaveList Update_Slave_List;

    std::array<Byte, 16> Wireless_Key {};
    Integer Wireless_Key_Index = 0;
    Integer Index_Key_Send = 0;
    bool From_DLL = false;
    Integer Index_RadioCrafts_Erase_Position = 0;
    Integer Index_RadioCrafts_Position_Used = 0;
    TUpdateListWirelessSlave UpdateListWirelessSlave;
};
