#pragma once
// A simulated converter on 127.0.0.1 for the scan engine's tests: it answers
// the converter's text commands, passes M-Bus frames to simulated wired
// meters in analyzer mode, plays a Telit or RadioCrafts radio module, and
// sends wireless telegrams to the engine. Everything it receives is logged.

#include <QByteArray>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/UdpSocket.h"

// An RSP_UD telegram from primary address A with identification number Id
// (eight decimal digits) around the given data records.
QByteArray Rsp_Ud(int A, const QString& Id, const QByteArray& Records, int Manufacturer = 0x4024, int Version = 1,
                  int Medium = 7);

class TSimConverter {
public:
    struct Meter {
        int Primary = 0;
        QString Id;                       // eight decimal digits
        std::vector<QByteArray> Telegrams; // answered in turn to REQ_UD2
        size_t Next = 0;
    };

    TSimConverter();
    ~TSimConverter();

    Word Port() const { return socket_.LocalPort(); }

    // Behaviour; set before the engine starts.
    std::vector<Meter> Meters;
    bool Silent = false;            // answers nothing at all
    bool Ignore_Enable = false;     // no answer to the analyzer / configuration command
    QByteArray Analyzer_Answer = QByteArray("\n\rAnalyzer_Mode Enabled!\n\r");
    bool No_Slave_For_Absent = false; // "NO_SLAVE" to REQ_UD2 of an empty address
    bool Garble_Selected_Read = false; // the selected meter's answer collides
    QByteArray Radio_Type = QByteArray("\n\rTELIT\n\r");
    int Memory_Size = 257;          // bytes of the RadioCrafts memory answer

    // Stops (or resumes) answering while an engine talks to the converter.
    void Set_Silent(bool Value);

    // Sends a datagram to the engine (the sender of the last datagram heard).
    void Send_To_Engine(const QByteArray& Data);

    // The meters' answer to one M-Bus frame that reached the bus another way
    // (a serial line); logged like a datagram.
    QByteArray Bus_Answer(const QByteArray& Frame);

    std::vector<QByteArray> Received() const;
    // Waits until Done holds for the log, at most Milliseconds.
    bool Wait_Until(const std::function<bool(const std::vector<QByteArray>&)>& Done, int Milliseconds = 10000);

private:
    void On_Datagram(const QByteArray& Data, Word Port);
    QByteArray Answer(const QByteArray& Data);
    QByteArray MBus_Answer(const QByteArray& Data);
    QByteArray Radio_Crafts_Answer(const QByteArray& Data, bool& Answered);
    Meter* Find_Primary(int A);

    TUdpSocket socket_;
    mutable std::mutex lock_;
    std::condition_variable cv_;
    std::vector<QByteArray> log_;
    Word peerPort_ = 0;
    Meter* selected_ = nullptr;
    // RadioCrafts: bytes still expected after a command ("B", "K", "A", "M").
    int expectSlot_ = 0;
    int expectPayload_ = 0;
};
