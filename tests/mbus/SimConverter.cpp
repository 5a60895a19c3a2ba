#include "SimConverter.h"

#include <QElapsedTimer>

#include <chrono>
#include <thread>

QByteArray Rsp_Ud(int A, const QString& Id, const QByteArray& Records, int Manufacturer, int Version, int Medium)
{
    QByteArray t("\x68\x00\x00\x68\x08", 5);
    t += char(A);
    t += char(0x72);
    const QByteArray id = QByteArray::fromHex(Id.toLatin1());
    for (int i = 3; i >= 0; --i)
        t += id[i]; // least significant byte first
    t += char(Manufacturer & 0xFF);
    t += char(Manufacturer >> 8);
    t += char(Version);
    t += char(Medium);
    t += QByteArray("\x2A\x00\x00\x00", 4); // access number, status, signature
    t += Records;
    t[1] = t[2] = char(t.size() - 4);
    unsigned char cs = 0;
    for (int i = 4; i < t.size(); ++i)
        cs = static_cast<unsigned char>(cs + static_cast<unsigned char>(t[i]));
    t += char(cs);
    t += char(0x16);
    return t;
}

TSimConverter::TSimConverter()
{
    socket_.OnRead = [this](const QByteArray& data, const QString&, Word port) { On_Datagram(data, port); };
    socket_.Open(0, QStringLiteral("127.0.0.1"));
}

TSimConverter::~TSimConverter() { socket_.Close(); }

void TSimConverter::Set_Silent(bool Value)
{
    std::lock_guard<std::mutex> g(lock_);
    Silent = Value;
}

void TSimConverter::Send_To_Engine(const QByteArray& Data)
{
    Word port;
    {
        std::lock_guard<std::mutex> g(lock_);
        port = peerPort_;
    }
    socket_.SendTo(QStringLiteral("127.0.0.1"), port, Data);
}

QByteArray TSimConverter::Bus_Answer(const QByteArray& Frame)
{
    QByteArray answer;
    {
        std::lock_guard<std::mutex> g(lock_);
        log_.push_back(Frame);
        answer = MBus_Answer(Frame);
    }
    cv_.notify_all();
    return answer;
}

std::vector<QByteArray> TSimConverter::Received() const
{
    std::lock_guard<std::mutex> g(lock_);
    return log_;
}

bool TSimConverter::Wait_Until(const std::function<bool(const std::vector<QByteArray>&)>& Done, int Milliseconds)
{
    std::unique_lock<std::mutex> g(lock_);
    return cv_.wait_for(g, std::chrono::milliseconds(Milliseconds), [&] { return Done(log_); });
}

void TSimConverter::On_Datagram(const QByteArray& Data, Word Port)
{
    QByteArray answer;
    {
        std::lock_guard<std::mutex> g(lock_);
        log_.push_back(Data);
        peerPort_ = Port;
        if (!Silent)
            answer = Answer(Data);
    }
    cv_.notify_all();
    if (!answer.isEmpty())
        socket_.SendTo(QStringLiteral("127.0.0.1"), Port, answer);
}

QByteArray TSimConverter::Answer(const QByteArray& Data)
{
    if (Data == "Velmora_Enable_Analyzer_Mode")
        return Ignore_Enable ? QByteArray() : Analyzer_Answer;
    if (Data == "Velmora_Disable_Analyzer_Mode")
        return QByteArray("\n\rAnalyzer_Mode Disabled!\n\r");
    if (Data.startsWith("Velmora_S_M:") && Data.size() == 18)
        return QByteArray("\n\rDone!");
    if (Data == "Velmora_Enable_Configuration_Mode")
        return Ignore_Enable ? QByteArray() : QByteArray("\n\rConfiguration_Mode Enabled!\n\r");
    if (Data == "Velmora_Type_Radio_Module")
        return Radio_Type;
    if (Data == "Velmora_Disable_Configuration_Mode")
        return QByteArray("\n\rConfiguration_Mode Disabled!\n\r");
    if (Radio_Type.contains("RADIOCRAFTS")) {
        bool answered = false;
        const QByteArray a = Radio_Crafts_Answer(Data, answered);
        if (answered)
            return a;
    } else if (Data == "+++" || (Data.startsWith("AT") && Data.endsWith('\r'))) {
        return QByteArray("OK\r");
    }
    return MBus_Answer(Data);
}

QByteArray TSimConverter::Radio_Crafts_Answer(const QByteArray& Data, bool& Answered)
{
    Answered = true;
    const QByteArray prompt(">");
    if (expectSlot_ > 0 && Data.size() == 1) {
        expectSlot_ = 0;
        return QByteArray(); // the slot byte: no answer
    }
    if (expectPayload_ > 0 && Data.size() == expectPayload_) {
        const bool config = expectPayload_ == 16 && expectSlot_ < 0;
        expectPayload_ = 0;
        expectSlot_ = 0;
        return config ? QByteArray() : prompt;
    }
    if (Data.size() == 1) {
        switch (Data[0]) {
        case '\0': return prompt;
        case '0': return QByteArray(Memory_Size - 1, '\x55') + prompt;
        case 'M':
            expectSlot_ = -1; // the configuration bytes follow without a slot
            expectPayload_ = 16;
            return prompt;
        case '\xFF': return prompt;
        case 'B': expectSlot_ = 1, expectPayload_ = 8; return prompt;
        case 'K': expectSlot_ = 1, expectPayload_ = 16; return prompt;
        case 'A': expectSlot_ = 1, expectPayload_ = 2; return prompt;
        case 'X': return QByteArray();
        default: break;
        }
    }
    Answered = false;
    return QByteArray();
}

TSimConverter::Meter* TSimConverter::Find_Primary(int A)
{
    for (Meter& m : Meters)
        if (m.Primary == A)
            return &m;
    return nullptr;
}

// A meter matches a selection when each digit of its number equals the
// mask's digit or the mask has the wildcard F there.
static bool Selected_By(const QString& Id, const QByteArray& Mask)
{
    // Mask bytes I0..I3: GH, EF, CD, AB.
    const char order[8][2] = {{3, 1}, {3, 0}, {2, 1}, {2, 0}, {1, 1}, {1, 0}, {0, 1}, {0, 0}};
    for (int d = 0; d < 8; ++d) {
        const unsigned char byte = static_cast<unsigned char>(Mask[order[d][0]]);
        const int nibble = order[d][1] ? byte >> 4 : byte & 0x0F;
        if (nibble != 0x0F && nibble != Id[d].digitValue())
            return false;
    }
    return true;
}

QByteArray TSimConverter::MBus_Answer(const QByteArray& Data)
{
    const QByteArray e5(1, char(0xE5));
    const QByteArray noSlave("NO_SLAVE\x0A\x0D", 10);
    if (Data.size() == 5 && Data[0] == 0x10) {
        const int c = static_cast<unsigned char>(Data[1]);
        const int a = static_cast<unsigned char>(Data[2]);
        Meter* m = a == 253 ? selected_ : Find_Primary(a);
        if (c == 0x40) { // SND_NKE
            if (a == 255 || a == 253) {
                selected_ = nullptr;
                return QByteArray();
            }
            if (m != nullptr)
                m->Next = 0;
            return m != nullptr ? e5 : QByteArray();
        }
        if (m == nullptr)
            return No_Slave_For_Absent ? noSlave : QByteArray();
        if (a == 253 && Garble_Selected_Read)
            return QByteArray("\x68\x01\x02\x68\x00\x16", 6);
        const QByteArray t = m->Telegrams[std::min(m->Next, m->Telegrams.size() - 1)];
        ++m->Next;
        return t;
    }
    if (Data.size() == 9 && Data[0] == 0x68 && Data[6] == 0x50) { // application reset
        Meter* m = Find_Primary(static_cast<unsigned char>(Data[5]));
        return m != nullptr ? e5 : QByteArray();
    }
    if (Data.size() == 17 && Data[0] == 0x68 && Data[6] == 0x52) { // selection
        const QByteArray mask = Data.mid(7, 4);
        std::vector<Meter*> hits;
        for (Meter& m : Meters)
            if (Selected_By(m.Id, mask))
                hits.push_back(&m);
        selected_ = hits.size() == 1 ? hits[0] : nullptr;
        if (hits.empty())
            return noSlave;
        if (hits.size() == 1) {
            hits[0]->Next = 0;
            return e5;
        }
        return QByteArray("\xE5\x3C\xE5", 3); // several answers at once
    }
    return QByteArray();
}
