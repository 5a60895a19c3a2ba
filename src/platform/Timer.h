#pragma once
// TTimer: fires OnTimer every Interval milliseconds while Enabled and while
// the message loop runs.

#include <memory>
#include "platform/Component.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    QString ClassName() const override { return QStringLiteral("TTimer"); }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    Cardinal Interval() const { return FInterval; }
    void SetInterval(Cardinal value);
    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
    bool FEnabled = true;
    Cardinal FInterval = 1000;
};
