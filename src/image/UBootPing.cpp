// The converter ping of the update dialog: echo requests until two have
// been answered or the time limit has passed; the converter counts as found
// when the last request was answered.
#include "image/UBoot.h"

#include <QElapsedTimer>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/IcmpEcho.h"

namespace {

// Ten milliseconds' pause in which the window paints and takes input.
void Pause_And_Process()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    Application->ProcessMessages();
}

} // namespace

QByteArray Boot_Ping_Data()
{
    return QByteArray("1234567890").repeated(9).left(89);
}

bool TFBoot::Send_Ping()
{
    ping_res = 0;
    Ping_Error.clear();
    QElapsedTimer clock;
    clock.start();
    Ping->Host = IP_Address_Text();
    const QByteArray data = Boot_Ping_Data();
    Integer answered = 0;
    for (;;) {
        const qint64 sent = clock.elapsed();
        // The request waits for its answer on a thread of its own, so that
        // the window keeps painting and taking input meanwhile.
        TReplyStatus status;
        std::atomic<bool> done{false};
        std::thread request([&] {
            status = Ping->Ping(data, 0);
            done = true;
        });
        do
            Pause_And_Process();
        while (!done);
        request.join();

        // Nothing was sent: the address cannot be resolved, or the system
        // refused the request (which then says why).
        if (status.ReplyStatusType == rsError)
            return false;
        if (status.ReplyStatusType == rsNotSent) {
            Ping_Error = status.Msg;
            return false;
        }
        PingReply(Ping.get(), status);
        // A request that got no answer (a quick "unreachable" included) is
        // followed by the next one only once its time-out has passed.
        while (ping_res != 1 && clock.elapsed() - sent <= Ping->ReceiveTimeout)
            Pause_And_Process();

        if (ping_res == 1 && ++answered >= 2)
            break;
        if (clock.elapsed() > Ping_Time_Limit_Ms)
            break;
        // The dialog was closed meanwhile: no further request.
        if (Closing())
            break;
    }
    return ping_res == 1;
}

void TFBoot::PingReply(TObject*, const TReplyStatus& ReplyStatus)
{
    ping_res = ReplyStatus.BytesReceived > 0 ? 1 : 2;
}
