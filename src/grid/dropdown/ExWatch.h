#pragma once
// TExWatch: an analogue clock that shows a time of day and lets the user set
// it: a click inside the dial picks the hour, outside it the minute, the
// AM/PM box switches the half of the day, and keys step hours and minutes.
// Hand moves can be animated; live mode shows the running local time. The
// time picker dropdown carries one in its popup.

#include <memory>

#include "grid/ExStyleIF.h"
#include "platform/Control.h"

class TBitmap;
class TFont;
class TPicture;
class TTimer;

enum TWatchShape { wsCircle, wsRect, wsRoundRect };
enum TPointerStyle { psLine, psShortLine, psPointer, psLineArrow };
enum TWatchGradient { wgRadial, wgVertical, wgDiagonalForward, wgDiagonalBackward };
enum TTickMarks { tmAll, tmHours, tmQuartHours, tmNone };
enum THourMarkStyle { hmsLine, hmsQuartDblLine };
enum TAMPMFrame { apRect, apRoundRect };
enum TWatchStyle {
    wsClassic, wsTower, wsFluorescent, wsEmerald, wsBlueStar, wsFuchsia, wsBlack, wsBlackWhite, wsGray, wsSuperNova,
    wsSports, wsSmooth
};

// The look of the clock; every setter fires OnChange on a change.
class TWatchAppearance : public TPersistent {
public:
    TWatchAppearance();
    ~TWatchAppearance() override;
    QString ClassName() const override { return QStringLiteral("TWatchAppearance"); }
    void Assign(const TPersistent* Source) override;
    // Back to the defaults (fonts and picture reset in place).
    void SetDefaults();

#define WATCH_PROP(Type, Name)                                                                                         \
    Type Name() const { return F##Name; }                                                                            \
    void Set##Name(Type Value)                                                                                         \
    {                                                                                                                  \
        if (F##Name == Value)                                                                                          \
            return;                                                                                                    \
        F##Name = Value;                                                                                               \
        Changed();                                                                                                     \
    }
    WATCH_PROP(Integer, Size)
    WATCH_PROP(TWatchShape, Shape)
    WATCH_PROP(TColor, BackgroundColor)
    WATCH_PROP(TColor, BackgroundColorTo)
    WATCH_PROP(TWatchGradient, BackgroundGradient)
    WATCH_PROP(TColor, BorderColor)
    WATCH_PROP(Integer, BorderWidth)
    WATCH_PROP(TColor, HourColor)
    WATCH_PROP(Byte, HourMarkLength)
    WATCH_PROP(Byte, HourMarkWidth)
    WATCH_PROP(THourMarkStyle, HourMarkStyle)
    WATCH_PROP(TColor, MinuteColor)
    WATCH_PROP(Byte, MinuteMarkLength)
    WATCH_PROP(Byte, MinuteMarkWidth)
    WATCH_PROP(TTickMarks, TickMarks)
    WATCH_PROP(TColor, HourPointer)
    WATCH_PROP(TColor, HourPointerShadow)
    WATCH_PROP(Byte, HourPointerSize)
    WATCH_PROP(TColor, MinutePointer)
    WATCH_PROP(TColor, MinutePointerShadow)
    WATCH_PROP(Byte, MinutePointerSize)
    WATCH_PROP(TColor, SecondPointer)
    WATCH_PROP(Byte, SecondPointerSize)
    WATCH_PROP(TPointerStyle, PointerStyle)
    WATCH_PROP(Byte, CenterPointSize)
    WATCH_PROP(TColor, CenterPointColor)
    WATCH_PROP(TColor, CenterPointBorderColor)
    WATCH_PROP(TColor, CenterPointOuterBorderColor)
    WATCH_PROP(TAMPMFrame, AMPMFrame)
#undef WATCH_PROP
    // Plain fields: no change notification.
    TColor AMPMColor() const { return FAMPMColor; }
    void SetAMPMColor(TColor Value) { FAMPMColor = Value; }
    TColor AMPMBorderColor() const { return FAMPMBorderColor; }
    void SetAMPMBorderColor(TColor Value) { FAMPMBorderColor = Value; }
    TFont* HourFont() const { return FHourFont.get(); }
    void SetHourFont(const TFont* Value);
    TFont* AMPMFont() const { return FAMPMFont.get(); }
    void SetAMPMFont(const TFont* Value);
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(const TPicture* Value);

    TNotifyEvent OnChange;

private:
    void Changed();
    Integer FSize = 0;
    TWatchShape FShape = wsCircle;
    TColor FBackgroundColor = clWhite, FBackgroundColorTo = clNone;
    TWatchGradient FBackgroundGradient = wgVertical;
    TColor FBorderColor = clBlack;
    Integer FBorderWidth = 4;
    TColor FHourColor = clBlack;
    Byte FHourMarkLength = 0, FHourMarkWidth = 1;
    THourMarkStyle FHourMarkStyle = hmsLine;
    TColor FMinuteColor = RGB(128, 128, 128);
    Byte FMinuteMarkLength = 0, FMinuteMarkWidth = 1;
    TTickMarks FTickMarks = tmAll;
    TColor FHourPointer = clBlack, FHourPointerShadow = clBtnShadow;
    Byte FHourPointerSize = 4;
    TColor FMinutePointer = clBlack, FMinutePointerShadow = clBtnShadow;
    Byte FMinutePointerSize = 3;
    TColor FSecondPointer = RGB(255, 0, 0);
    Byte FSecondPointerSize = 1;
    TPointerStyle FPointerStyle = psLine;
    Byte FCenterPointSize = 4;
    TColor FCenterPointColor = clBlack, FCenterPointBorderColor = clNone, FCenterPointOuterBorderColor = clNone;
    TColor FAMPMColor = clWhite, FAMPMBorderColor = clBlack;
    TAMPMFrame FAMPMFrame = apRect;
    std::unique_ptr<TFont> FHourFont, FAMPMFont;
    std::unique_ptr<TPicture> FPicture;
};

// Live mode and its options.
class TWatchSettings : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TWatchSettings"); }
    void Assign(const TPersistent* Source) override;
    bool Auto() const { return FAuto; }
    void SetAuto(bool Value);
    Integer TimeOffset() const { return FTimeOffset; }
    void SetTimeOffset(Integer Value);
    bool Second() const { return FSecond; }
    void SetSecond(bool Value);
    TNotifyEvent OnChange;

private:
    void Changed() { if (OnChange) OnChange(this); }
    bool FAuto = false;
    Integer FTimeOffset = 0;
    bool FSecond = true;
};

// Recolours a clock's look for a component style (tsCustom leaves it).
void SetWatchAppearanceStyle(TWatchAppearance* Appearance, TKavroStyle AStyle);

class TExWatch : public TCustomControl, public IKavroStyle {
public:
    explicit TExWatch(TComponent* AOwner);
    ~TExWatch() override;
    QString ClassName() const override { return QStringLiteral("TExWatch"); }

    TWatchAppearance* Appearance() const { return FAppearance.get(); }
    void SetAppearance(const TWatchAppearance* Value) { FAppearance->Assign(Value); }
    TWatchSettings* Settings() const { return FSettings.get(); }
    void SetSettings(const TWatchSettings* Value) { FSettings->Assign(Value); }
    double Time() const { return FTime; }
    void SetTime(double Value);
    bool Animation() const { return FAnimation; }
    void SetAnimation(bool Value) { FAnimation = Value; }
    Integer AnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(Integer Value) { FAnimationFactor = Value; }
    bool ShowAMPM() const { return FShowAMPM; }
    void SetShowAMPM(bool Value);
    bool ShowNumbers() const { return FShowNumbers; }
    void SetShowNumbers(bool Value);
    TWatchStyle Style() const { return FStyle; }
    void SetStyle(TWatchStyle Value);
    bool AM() const { return FAM; }
    bool Animating() const;
    // The AM/PM box rolls to its new label, one pixel per timer step.
    bool RollingAMPM() const;

    void SetHour(Integer Value);
    void SetMinute(Integer Value);
    // The time shown: local time plus the offset in live mode, else Time.
    double GetCurrentTime() const;
    void SetComponentStyle(TKavroStyle AStyle) override;
    // A key of the clock (ignored in live mode).
    void HandleKey(Word Key);

    // Geometry of the dial: its square, centre and radius.
    TRect GetWatchRect() const;
    TRect GetAMPMRect() const;
    Integer AngleToMinute(Integer X, Integer Y) const;
    Integer AngleToHour(Integer X, Integer Y) const;

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void Dispatch(TMessage& Message) override;
    void Resize() override;

private:
    void SetTimeInternal(double Value);
    void SetAM(bool Value);
    void PaintWatch();
    void RepaintHands();
    void DrawBackground(TCanvas* Canvas);
    void DrawTickMarks(TCanvas* Canvas);
    void DrawNumbers(TCanvas* Canvas);
    void DrawAMPM(TCanvas* Canvas);
    void DrawHands(TCanvas* Canvas);
    void AnimationStep();
    void WatchSettingsChanged();
    void StartAnimation();
    void StopAnimation();
    Integer CurrentHour() const;
    Integer CurrentMinute() const;

    std::unique_ptr<TWatchAppearance> FAppearance;
    std::unique_ptr<TWatchSettings> FSettings;
    double FTime = 0;
    std::unique_ptr<TBitmap> FBKGCache;
    std::unique_ptr<TTimer> FWatchTimer;
    bool FAnimation = true;
    Integer FAnimationFactor = 10;
    std::unique_ptr<TTimer> FAnimationTimer;
    Byte FCurrentHourTo = 0, FCurrentMinuteTo = 0;
    Byte FMinuteFrom = 0;
    bool FHourAnimating = false;
    bool FInternalCall = false;
    bool FAM = true;
    bool FShowAMPM = true, FShowNumbers = true;
    bool FInternalSet = false;
    TWatchStyle FStyle = wsClassic;
    // The cached face matches the look and the size.
    bool FFaceValid = false;
    void FaceChanged();
    std::unique_ptr<TTimer> FRollTimer;
    Integer FRollStep = 0, FRollSteps = 0;
    void RollStep();
    void DrawAMPMRoll(TCanvas* Canvas);
};
