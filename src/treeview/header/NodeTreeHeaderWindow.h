#pragma once
// The window of the header strip: it lies above the tree's client window,
// paints the columns and hands the mouse to the header as the tree's frame
// (non-client) messages, or as the tree's client messages while the header
// tracks a gesture.

#include "platform/Control.h"

class TNtHeader;

class TNtHeaderWindow : public TCustomControl {
public:
    explicit TNtHeaderWindow(TNtHeader* Header);
    ~TNtHeaderWindow() override;
    QString ClassName() const override { return QStringLiteral("TNtHeaderWindow"); }

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;

private:
    TNtHeader* FHeader;
};
