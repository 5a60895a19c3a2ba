#include "platform/Timer.h"

#include <QTimer>

#include "platform/Form.h"
#include "platform/WidgetBridge.h"

struct TTimer::TImpl {
    QTimer timer;
};

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FImpl(std::make_unique<TImpl>())
{
    QObject::connect(&FImpl->timer, &QTimer::timeout, [this] { Timer(); });
    UpdateTimer();
}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool value)
{
    if (value == FEnabled)
        return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(Cardinal value)
{
    if (value == FInterval)
        return;
    FInterval = value;
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    FImpl->timer.stop();
    // The handler may be assigned later; Timer() checks it at each tick.
    if (FEnabled && FInterval != 0)
        FImpl->timer.start(int(FInterval));
}

void TTimer::Timer()
{
    if (!FEnabled || !OnTimer)
        return;
    TWidgetBridge::Guard(this, [this] { OnTimer(this); });
}
