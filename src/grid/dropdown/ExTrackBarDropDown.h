#pragma once
// TExTrackBarDropDown: an integer edit whose popup holds a track bar. The
// edit shows the position as decimal text and is not typed into; Up and
// Down step the value by Frequency, and a drag over the closed edit moves
// it by one per PageSize pixels.

#include "grid/dropdown/ExDropDown.h"

class TTrackBar;

class TExTrackBarDropDown : public TExCustomDropDown {
public:
    explicit TExTrackBarDropDown(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TExTrackBarDropDown"); }

    Integer Min() const { return FMin; }
    void SetMin(Integer Value);
    Integer Max() const { return FMax; }
    void SetMax(Integer Value);
    Integer Position() const { return FPosition; }
    void SetPosition(Integer Value);
    Integer PageSize() const { return FPageSize; }
    void SetPageSize(Integer Value);
    Integer Frequency() const { return FFrequency; }
    void SetFrequency(Integer Value);
    TTrackBar* TrackBar() const { return FTrackBar; }

    TNotifyEvent OnTrackChange;

    // The edit's text changed: the position follows it.
    void Change() override;

protected:
    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void Dispatch(TMessage& Message) override;
    void ControlKeyDown(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    void TrackBarChange();

    TTrackBar* FTrackBar = nullptr;  // owned through the component owner list
    Integer FMin = 0;
    Integer FFrequency = 1;
    Integer FPageSize = 2;
    Integer FMax = 10;
    Integer FPosition = 0;
    bool FMouseDraging = false;
    Integer FMouseX = 0;
};
