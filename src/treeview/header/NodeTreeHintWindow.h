#pragma once
// The tree's hint window: it sizes and paints node and header hints from
// the hint data the tree hands it, or lets the owner draw them.

#include "platform/HintWindow.h"
#include "treeview/NodeTrees.h"

// The hint window of node and header hints.
class TNodeTreeHintWindow : public THintWindow {
public:
    explicit TNodeTreeHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TNodeTreeHintWindow"); }
    TRect CalcHintRect(Integer MaxWidth, const QString& AHint, void* AData) override;
    void ActivateHintData(const TRect& Rect, const QString& AHint, void* AData) override;
    void ReleaseHandle() override;
    const TNtHintData& HintData() const { return FHintData; }

protected:
    void Paint() override;

private:
    TNtHintData FHintData;
    Integer FTextHeight = 0;
};

