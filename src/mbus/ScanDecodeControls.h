#pragma once
// Two small controls of the scan window: the owner-drawn list of a wired
// scan's progress lines, and the bar between the wireless table and tree
// that the user drags to move their border.

#include <functional>
#include <memory>

#include "platform/Control.h"

class TCanvas;
class TStringList;

// One line to draw: its index, text and rectangle on the list's canvas.
struct TOwnerDrawItem {
    TCanvas* Canvas = nullptr;
    Integer Index = 0;
    TRect Rect;
    QString Text;
};

class TScanDeviceList : public TCustomControl {
public:
    explicit TScanDeviceList(TComponent* AOwner);
    ~TScanDeviceList() override;
    QString ClassName() const override { return QStringLiteral("TScanDeviceList"); }

    Integer Count() const;
    QString Line(Integer Index) const;
    void Add(const QString& Text);
    void Clear();
    // The first line shown; kept within the lines.
    Integer TopIndex() const { return FTopIndex; }
    void SetTopIndex(Integer Value);
    Integer ItemHeight() const { return FItemHeight; }

    // Draws one line; without it the line is drawn as plain text.
    std::function<void(const TOwnerDrawItem& Item)> OnDrawItem;

protected:
    void Paint() override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;

private:
    std::unique_ptr<TStringList> FItems;
    Integer FTopIndex = 0;
    Integer FItemHeight = 16;
};

// A horizontal bar; dragging it resizes Target (a control aligned to the
// top) by the distance moved, keeping it at least MinSize high.
class TScanSplitter : public TCustomControl {
public:
    explicit TScanSplitter(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TScanSplitter"); }

    TControl* Target = nullptr;
    Integer MinSize = 30;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    bool FDragging = false;
    Integer FStartY = 0;
    Integer FStartHeight = 0;
};
