#pragma once
// A vertical group of collapsible category panels: each panel has a header
// (caption and chevron) over a body that holds its controls; the group stacks
// the visible panels top-down in the order of their Top, without gaps, and
// scrolls by lines. A hidden panel keeps its place in the order: it is moved
// along to where it would stand, so that showing it again puts it there.

#include <memory>
#include "platform/ExtCtrls.h"

class TCategoryPanelGroup;
class TFont;

class TCategoryPanel : public TCustomControl {
    friend class TCategoryPanelGroup;
public:
    explicit TCategoryPanel(TComponent* AOwner);
    ~TCategoryPanel() override;
    QString ClassName() const override { return QStringLiteral("TCategoryPanel"); }

    TCategoryPanelGroup* PanelGroup() const;
    void SetPanelGroup(TCategoryPanelGroup* group);
    bool Collapsed() const { return FCollapsed; }
    void SetCollapsed(bool v);
    // The height the panel has when expanded (Height while expanded).
    Integer ExpandedHeight() const { return FExpandedHeight; }
    // Below the header: where the panel's controls lie.
    TRect ClientRect() const override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    Integer HeaderHeight() const;

    TNotifyEvent OnExpand;
    TNotifyEvent OnCollapse;

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void UpdateView() override;
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    bool FCollapsed = false;
    Integer FExpandedHeight = 200;
};

class TCategoryPanelGroup : public TScrollingWinControl {
public:
    explicit TCategoryPanelGroup(TComponent* AOwner);
    ~TCategoryPanelGroup() override;
    QString ClassName() const override { return QStringLiteral("TCategoryPanelGroup"); }

    Integer HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(Integer v);
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    // The panels in the order they are stacked (hidden ones included): by
    // their Top, and where two share a Top, in the order of the last stacking.
    std::vector<TCategoryPanel*> Panels() const;
    void CollapseAll();
    void ExpandAll();

protected:
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void ChildBoundsChanged(TControl* Child) override;

private:
    Integer FHeaderHeight = 24;
    std::unique_ptr<TFont> FHeaderFont;
    bool FStacking = false;
    // The order of the last stacking.
    std::vector<TCategoryPanel*> FOrder;
};
