#include "grid/dropdown/ExWatch.h"

#include <cmath>
#include <numbers>

#include "grid/dropdown/ExDropDownDraw.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Text.h"
#include "platform/Timer.h"

namespace {

Integer RoundEven(double v)
{
    return Integer(std::nearbyint(v));
}

double Rad(double Degrees)
{
    return Degrees * std::numbers::pi / 180.0;
}

struct TDial {
    TRect Square;
    Integer Cx = 0, Cy = 0, R = 0;
};

TPoint AtAngle(const TDial& D, double Degrees, double Distance)
{
    return {D.Cx + RoundEven(Distance * std::sin(Rad(Degrees))), D.Cy - RoundEven(Distance * std::cos(Rad(Degrees)))};
}

void Line(TCanvas* C, TPoint A, TPoint B)
{
    C->MoveTo(A.X, A.Y);
    C->LineTo(B.X, B.Y);
}

} // namespace

// ------------------------------------------------------------ appearance

TWatchAppearance::TWatchAppearance()
    : FHourFont(std::make_unique<TFont>()), FAMPMFont(std::make_unique<TFont>()), FPicture(std::make_unique<TPicture>())
{
    FPicture->OnChange = [this](TObject*) { Changed(); };
    SetDefaults();
}

TWatchAppearance::~TWatchAppearance()
{
    FPicture->OnChange = nullptr;
}

void TWatchAppearance::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TWatchAppearance::SetDefaults()
{
    FSize = 0;
    FShape = wsCircle;
    FBackgroundColor = clWhite;
    FBackgroundColorTo = clNone;
    FBackgroundGradient = wgVertical;
    FBorderColor = clBlack;
    FBorderWidth = 4;
    FHourColor = clBlack;
    FHourMarkLength = 0;
    FHourMarkWidth = 1;
    FHourMarkStyle = hmsLine;
    FMinuteColor = RGB(128, 128, 128);
    FMinuteMarkLength = 0;
    FMinuteMarkWidth = 1;
    FTickMarks = tmAll;
    FHourPointer = clBlack;
    FHourPointerShadow = clBtnShadow;
    FHourPointerSize = 4;
    FMinutePointer = clBlack;
    FMinutePointerShadow = clBtnShadow;
    FMinutePointerSize = 3;
    FSecondPointer = RGB(255, 0, 0);
    FSecondPointerSize = 1;
    FPointerStyle = psLine;
    FCenterPointSize = 4;
    FCenterPointColor = clBlack;
    FCenterPointBorderColor = clNone;
    FCenterPointOuterBorderColor = clNone;
    FAMPMColor = clWhite;
    FAMPMBorderColor = clBlack;
    FAMPMFrame = apRect;
    const TFont plain;
    FHourFont->Assign(&plain);
    FHourFont->SetName(QStringLiteral("Tahoma"));
    FHourFont->SetSize(8);
    FAMPMFont->Assign(&plain);
    FAMPMFont->SetName(QStringLiteral("Tahoma"));
    FAMPMFont->SetSize(10);
    FPicture->Assign(nullptr);
    Changed();
}

void TWatchAppearance::SetHourFont(const TFont* Value)
{
    FHourFont->Assign(Value);
    Changed();
}

void TWatchAppearance::SetAMPMFont(const TFont* Value)
{
    FAMPMFont->Assign(Value);
    Changed();
}

void TWatchAppearance::SetPicture(const TPicture* Value)
{
    FPicture->Assign(Value);
    Changed();
}

void TWatchAppearance::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TWatchAppearance*>(Source);
    if (s == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    const TNotifyEvent saved = OnChange;
    OnChange = nullptr;
    const TColor outer = FCenterPointOuterBorderColor;
    const TTickMarks marks = FTickMarks;
    const THourMarkStyle style = FHourMarkStyle;
    FSize = s->FSize;
    FShape = s->FShape;
    FBackgroundColor = s->FBackgroundColor;
    FBackgroundColorTo = s->FBackgroundColorTo;
    FBackgroundGradient = s->FBackgroundGradient;
    FBorderColor = s->FBorderColor;
    FBorderWidth = s->FBorderWidth;
    FHourColor = s->FHourColor;
    FHourMarkLength = s->FHourMarkLength;
    FHourMarkWidth = s->FHourMarkWidth;
    FMinuteColor = s->FMinuteColor;
    FMinuteMarkLength = s->FMinuteMarkLength;
    FMinuteMarkWidth = s->FMinuteMarkWidth;
    FHourPointer = s->FHourPointer;
    FHourPointerShadow = s->FHourPointerShadow;
    FHourPointerSize = s->FHourPointerSize;
    FMinutePointer = s->FMinutePointer;
    FMinutePointerShadow = s->FMinutePointerShadow;
    FMinutePointerSize = s->FMinutePointerSize;
    FSecondPointer = s->FSecondPointer;
    FSecondPointerSize = s->FSecondPointerSize;
    FPointerStyle = s->FPointerStyle;
    FCenterPointSize = s->FCenterPointSize;
    FCenterPointColor = s->FCenterPointColor;
    FCenterPointBorderColor = s->FCenterPointBorderColor;
    FAMPMColor = s->FAMPMColor;
    FAMPMBorderColor = s->FAMPMBorderColor;
    FAMPMFrame = s->FAMPMFrame;
    FHourFont->Assign(s->FHourFont.get());
    FAMPMFont->Assign(s->FAMPMFont.get());
    FPicture->Assign(s->FPicture.get());
    OnChange = saved;
    // Only these three announce the copy.
    FCenterPointOuterBorderColor = outer;
    FTickMarks = marks;
    FHourMarkStyle = style;
    SetCenterPointOuterBorderColor(s->FCenterPointOuterBorderColor);
    SetTickMarks(s->FTickMarks);
    SetHourMarkStyle(s->FHourMarkStyle);
}

void TWatchSettings::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TWatchSettings*>(Source);
    if (s == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FSecond = s->FSecond;
    FTimeOffset = s->FTimeOffset;
    SetAuto(s->FAuto);
}

void TWatchSettings::SetAuto(bool Value)
{
    if (Value == FAuto)
        return;
    FAuto = Value;
    Changed();
}

void TWatchSettings::SetTimeOffset(Integer Value)
{
    if (Value == FTimeOffset)
        return;
    FTimeOffset = Value;
    Changed();
}

void TWatchSettings::SetSecond(bool Value)
{
    if (Value == FSecond)
        return;
    FSecond = Value;
    Changed();
}

// ------------------------------------------------------------ the clock

TExWatch::TExWatch(TComponent* AOwner)
    : TCustomControl(AOwner), FAppearance(std::make_unique<TWatchAppearance>()),
      FSettings(std::make_unique<TWatchSettings>()), FBKGCache(std::make_unique<TBitmap>()),
      FWatchTimer(std::make_unique<TTimer>(nullptr)), FAnimationTimer(std::make_unique<TTimer>(nullptr)),
      FRollTimer(std::make_unique<TTimer>(nullptr))
{
    FRollTimer->SetInterval(10);
    FRollTimer->SetEnabled(false);
    FRollTimer->OnTimer = [this](TObject*) { RollStep(); };
    FAppearance->OnChange = [this](TObject*) { FaceChanged(); };
    FSettings->OnChange = [this](TObject*) { WatchSettingsChanged(); };
    FWatchTimer->SetInterval(100);
    FWatchTimer->SetEnabled(false);
    FWatchTimer->OnTimer = [this](TObject*) { RepaintHands(); };
    FAnimationTimer->SetInterval(1);
    FAnimationTimer->SetEnabled(false);
    FAnimationTimer->OnTimer = [this](TObject*) { AnimationStep(); };
    FControlStyle |= csOpaque;
    SetBounds(Left(), Top(), 180, 180);
    FBKGCache->SetSize(180, 180);
}

TExWatch::~TExWatch()
{
    FWatchTimer->OnTimer = nullptr;
    FAnimationTimer->OnTimer = nullptr;
    FRollTimer->OnTimer = nullptr;
    FAppearance->OnChange = nullptr;
    FSettings->OnChange = nullptr;
}

void TExWatch::FaceChanged()
{
    FFaceValid = false;
    Invalidate();
}

void TExWatch::SetShowAMPM(bool Value)
{
    if (Value == FShowAMPM)
        return;
    FShowAMPM = Value;
    FaceChanged();
}

void TExWatch::SetShowNumbers(bool Value)
{
    if (Value == FShowNumbers)
        return;
    FShowNumbers = Value;
    FaceChanged();
}

bool TExWatch::Animating() const
{
    return FAnimationTimer->Enabled();
}

void TExWatch::Resize()
{
    TCustomControl::Resize();
    FaceChanged();
}

double TExWatch::GetCurrentTime() const
{
    if (FSettings->Auto())
        return Now() + FSettings->TimeOffset() / 1440.0;
    return FTime;
}

Integer TExWatch::CurrentHour() const
{
    Word h, m, s, ms;
    DecodeTime(GetCurrentTime(), h, m, s, ms);
    return h;
}

Integer TExWatch::CurrentMinute() const
{
    Word h, m, s, ms;
    DecodeTime(GetCurrentTime(), h, m, s, ms);
    return m;
}

void TExWatch::SetTime(double Value)
{
    if (Value == FTime)
        return;
    SetTimeInternal(Value);
    RepaintHands();
}

void TExWatch::SetTimeInternal(double Value)
{
    if (Value == FTime)
        return;
    FTime = Value;
    Word h, m, s, ms;
    DecodeTime(Value, h, m, s, ms);
    FInternalSet = true;
    SetAM(h < 12);
    FInternalSet = false;
}

void TExWatch::WatchSettingsChanged()
{
    FWatchTimer->SetEnabled(FSettings->Auto());
    if (FSettings->Auto()) {
        SetTime(Now());
        Word h, m, s, ms;
        DecodeTime(GetCurrentTime(), h, m, s, ms);
        FInternalSet = true;
        SetAM(h < 12);
        FInternalSet = false;
    }
    FaceChanged();
}

void TExWatch::StartAnimation()
{
    FAnimationTimer->SetEnabled(true);
}

void TExWatch::StopAnimation()
{
    FAnimationTimer->SetEnabled(false);
}

void TExWatch::SetHour(Integer Value)
{
    if (Value == CurrentHour())
        return;
    const bool direct = !FAnimation || FInternalCall || HasState(csDesigning) || HasState(csLoading);
    if (direct) {
        // A change the user makes directly is a change to report.
        if (!FInternalCall)
            FCurrentHourTo = Byte(Value);
        Word h, m, s, ms;
        DecodeTime(FTime, h, m, s, ms);
        SetTimeInternal(std::trunc(FTime) + EncodeTime(Word(Value), m, s, ms));
        RepaintHands();
        if (Value == FCurrentHourTo && OnChange)
            OnChange(this);
        return;
    }
    FCurrentHourTo = Byte(Value);
    FHourAnimating = true;
    StartAnimation();
}

void TExWatch::SetMinute(Integer Value)
{
    if (Value >= 60)
        throw std::runtime_error("Invalid time");
    if (Value == CurrentMinute())
        return;
    if (FAnimation && !FInternalCall && !HasState(csDesigning) && !HasState(csLoading)) {
        FCurrentMinuteTo = Byte(Value);
        FHourAnimating = false;
        FMinuteFrom = Byte(CurrentMinute());
        StartAnimation();
        return;
    }
    if (!FAnimation) {
        FMinuteFrom = Byte(CurrentMinute());
        if (!FInternalCall)
            FCurrentMinuteTo = Byte(Value);
    }
    Word h, m, s, ms;
    DecodeTime(FTime, h, m, s, ms);
    if (Value == 0 && FMinuteFrom > 30) {
        h = Word((h + 1) % 24);
        FMinuteFrom = 0;
    }
    SetTimeInternal(std::trunc(FTime) + EncodeTime(h, Word(Value), s, ms));
    RepaintHands();
    if (Value == FCurrentMinuteTo && OnChange)
        OnChange(this);
}

void TExWatch::AnimationStep()
{
    if (!FAnimation || HasState(csLoading) || HasState(csDesigning)) {
        StopAnimation();
        return;
    }
    const Integer factor = std::max(1, FAnimationFactor);
    FInternalCall = true;
    if (FHourAnimating) {
        const Integer h = CurrentHour(), target = FCurrentHourTo;
        if (h == target) {
            StopAnimation();
            SetHour(target);
        } else {
            const Integer step = std::max(1, RoundEven(std::abs(target - h) / double(factor)));
            SetHour(h < target ? std::min(target, h + step) : std::max(target, h - step));
        }
    } else {
        const Integer m = CurrentMinute(), target = FCurrentMinuteTo;
        const bool wrap = target == 0 && m > 30;
        if (m == target) {
            StopAnimation();
            SetMinute(target);
        } else {
            const Integer d = wrap ? 60 - m : std::abs(target - m);
            const Integer step = std::max(1, RoundEven(d / double(factor)));
            Integer next = 0;
            if (wrap)
                next = m + step >= 60 ? 0 : m + step;
            else
                next = m < target ? std::min(target, m + step) : std::max(target, m - step);
            SetMinute(next);
        }
    }
    FInternalCall = false;
}

void TExWatch::SetAM(bool Value)
{
    if (Value == FAM)
        return;
    FAM = Value;
    const bool roll = FAnimation && FShowAMPM && FAppearance->AMPMColor() != clNone && !FInternalSet && HandleAllocated();
    if (roll) {
        // The box rolls to the new label, one pixel per 10 ms step; a roll
        // under way starts again toward the label now wanted.
        FRollStep = 0;
        FRollSteps = std::max<Integer>(GetAMPMRect().Height() - 2, 0);
        FRollTimer->SetEnabled(FRollSteps > 0);
    } else {
        FRollTimer->SetEnabled(false);
    }
    FaceChanged();
}

bool TExWatch::RollingAMPM() const
{
    return FRollTimer->Enabled();
}

void TExWatch::RollStep()
{
    if (++FRollStep >= FRollSteps)
        FRollTimer->SetEnabled(false);
    Invalidate();
}

void TExWatch::DrawAMPMRoll(TCanvas* C)
{
    // A strip twice the inner box high holds "AM" above "PM"; the inner box
    // shows a window of it moved FRollStep pixels toward the new label.
    const TWatchAppearance* a = FAppearance.get();
    const TRect box = GetAMPMRect();
    const TRect inner(box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1);
    const Integer h = inner.Height();
    if (h <= 0 || inner.Width() <= 0)
        return;
    TBitmap strip(inner.Width(), 2 * h);
    TCanvas* s = strip.Canvas();
    s->Brush()->SetStyle(bsSolid);
    s->Brush()->SetColor(a->AMPMColor());
    s->FillRect(TRect(0, 0, inner.Width(), 2 * h));
    s->Font()->Assign(a->AMPMFont());
    s->Brush()->SetStyle(bsClear);
    TRect upper(0, 0, inner.Width(), h), lower(0, h, inner.Width(), 2 * h);
    DrawText(s, QStringLiteral("AM"), upper, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    DrawText(s, QStringLiteral("PM"), lower, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const Integer step = std::min(FRollStep, h);
    const Integer top = FAM ? h - step : step;
    C->CopyRect(inner, s, TRect(0, top, inner.Width(), top + h));
    if (a->AMPMBorderColor() != clNone) {
        C->Brush()->SetStyle(bsClear);
        C->Pen()->SetStyle(psSolid);
        C->Pen()->SetColor(a->AMPMBorderColor());
        C->Pen()->SetWidth(1);
        if (a->AMPMFrame() == apRect)
            C->Rectangle(box);
        else
            C->RoundRect(box.Left, box.Top, box.Right, box.Bottom, 5, 5);
    }
}

// ------------------------------------------------------------ geometry

TRect TExWatch::GetWatchRect() const
{
    const Integer W = ClientWidth(), H = ClientHeight();
    Integer s = FAppearance->Size();
    if (s <= 0)
        s = std::min(W, H) - 20;
    s = std::min({s, W, H});
    const Integer l = (W - s) / 2, t = (H - s) / 2;
    return {l, t, l + s, t + s};
}

TRect TExWatch::GetAMPMRect() const
{
    if (!FShowAMPM)
        return {-1, -1, -1, -1};
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(FAppearance->AMPMFont());
    const TSize ext = measure.Canvas()->TextExtent(QStringLiteral("AM"));
    const TRect sq = GetWatchRect();
    const Integer cx = sq.Left + sq.Width() / 2, cy = sq.Top + sq.Width() / 2, R = sq.Width() / 2;
    const Integer w = ext.cx + 8, h = ext.cy;
    const Integer left = cx - w / 2, top = cy + RoundEven((R - h) / 3.0);
    return {left, top, left + w, top + h};
}

Integer TExWatch::AngleToMinute(Integer X, Integer Y) const
{
    const TRect sq = GetWatchRect();
    const Integer cx = sq.Left + sq.Width() / 2, cy = sq.Top + sq.Width() / 2;
    Integer dy = std::abs(cy - Y), dx = std::abs(cx - X);
    if (dy == 0) dy = 1;
    if (dx == 0) dx = 1;
    const Integer f = RoundEven(std::atan(double(dy) / dx) * 180.0 / std::numbers::pi / 6.0);
    Integer m = 0;
    if (X >= cx && Y >= cy)
        m = f + 15;
    else if (X <= cx && Y >= cy)
        m = 45 - f;
    else if (X <= cx && Y <= cy)
        m = f + 45;
    else
        m = 15 - f;
    return m < 0 || m > 59 ? 0 : m;
}

Integer TExWatch::AngleToHour(Integer X, Integer Y) const
{
    const Integer k = RoundEven(AngleToMinute(X, Y) / 5.0);
    if (k <= 0)
        return FAM ? 0 : 12;
    Integer h = k + (FAM ? 0 : 12);
    return h == 24 ? 0 : h;
}

// ------------------------------------------------------------ painting

void TExWatch::Paint()
{
    PaintWatch();
}

void TExWatch::PaintWatch()
{
    // The face is painted once into the cache; later paints (the live
    // timer, animation steps) draw only the hands over a copy of it.
    const TRect client = ClientRect();
    if (!FFaceValid || FBKGCache->Width() != std::max(1, client.Width()) || FBKGCache->Height() != std::max(1, client.Height())) {
        FBKGCache->SetSize(std::max(1, client.Width()), std::max(1, client.Height()));
        TCanvas* cache = FBKGCache->Canvas();
        cache->Brush()->SetStyle(bsSolid);
        cache->Brush()->SetColor(Color());
        cache->FillRect(client);
        DrawBackground(cache);
        DrawTickMarks(cache);
        DrawNumbers(cache);
        DrawAMPM(cache);
        FFaceValid = true;
    }
    Canvas()->Draw(0, 0, FBKGCache.get());
    if (RollingAMPM())
        DrawAMPMRoll(Canvas());
    DrawHands(Canvas());
}

void TExWatch::RepaintHands()
{
    Invalidate();
}

void TExWatch::DrawBackground(TCanvas* C)
{
    const TWatchAppearance* a = FAppearance.get();
    const TRect client = ClientRect();
    const TRect D = a->Shape() == wsCircle ? GetWatchRect() : client;
    const TRect clip(D.Left - 1, D.Top - 1, D.Right + 2, D.Bottom + 2);
    if (a->Shape() == wsCircle) {
        const TRegion r = TRegion::FromEllipse(clip);
        C->SelectClipRgn(&r);
    } else if (a->Shape() == wsRoundRect) {
        const TRegion r = TRegion::FromRoundRect(clip, 20, 20);
        C->SelectClipRgn(&r);
    }
    if (a->BackgroundColor() != clNone && a->BackgroundColorTo() != clNone) {
        DrawDropDownGradient(C, a->BackgroundColor(), a->BackgroundColorTo(), 80, D, a->BackgroundGradient() == wgRadial);
    } else if (a->BackgroundColor() != clNone) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(a->BackgroundColor());
        C->FillRect(D);
    }
    if (a->BorderColor() != clNone && a->BorderWidth() > 0) {
        C->Pen()->SetStyle(psSolid);
        C->Pen()->SetColor(a->BorderColor());
        C->Pen()->SetWidth(a->BorderWidth());
        C->Brush()->SetStyle(bsClear);
        if (a->Shape() == wsCircle)
            C->Ellipse(D);
        else if (a->Shape() == wsRect)
            C->Rectangle(client);
        else
            C->RoundRect(client.Left, client.Top, client.Right, client.Bottom, 20, 20);
        C->Pen()->SetWidth(1);
    }
    C->SelectClipRgn(nullptr);
    if (TGraphic* g = a->Picture()->Graphic(); g != nullptr && !g->Empty()) {
        g->SetTransparent(true);
        C->Draw(0, 0, g);
    }
}

void TExWatch::DrawTickMarks(TCanvas* C)
{
    const TWatchAppearance* a = FAppearance.get();
    if (a->TickMarks() == tmNone)
        return;
    const TRect sq = GetWatchRect();
    const TDial d{sq, sq.Left + sq.Width() / 2, sq.Top + sq.Width() / 2, sq.Width() / 2};
    const double R1 = d.R - a->BorderWidth() / 2;
    const double Rh = a->HourMarkLength() > 0 ? R1 - a->HourMarkLength() : 0.9 * R1;
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetColor(a->HourColor());
    C->Pen()->SetWidth(a->HourMarkWidth());
    for (Integer hour = 0; hour < 12; ++hour) {
        const bool quarter = hour % 3 == 0;
        if (!quarter && a->TickMarks() != tmAll && a->TickMarks() != tmHours)
            continue;
        const double angle = hour * 30.0;
        const TPoint from = AtAngle(d, angle, Rh), to = AtAngle(d, angle, R1);
        if (quarter && a->HourMarkStyle() == hmsQuartDblLine) {
            // Two lines 2 pixels either side of the radius.
            const bool horizontal = hour == 3 || hour == 9;
            const Integer ox = horizontal ? 0 : 2, oy = horizontal ? 2 : 0;
            Line(C, {from.X - ox, from.Y - oy}, {to.X - ox, to.Y - oy});
            Line(C, {from.X + ox, from.Y + oy}, {to.X + ox, to.Y + oy});
        } else {
            Line(C, from, to);
        }
    }
    if (a->TickMarks() == tmAll) {
        const double Rm = a->MinuteMarkLength() > 0 ? R1 - a->MinuteMarkLength() : 0.95 * R1;
        C->Pen()->SetColor(a->MinuteColor());
        C->Pen()->SetWidth(a->MinuteMarkWidth());
        for (Integer minute = 0; minute < 60; ++minute) {
            if (minute % 5 == 0)
                continue;
            Line(C, AtAngle(d, minute * 6.0, Rm), AtAngle(d, minute * 6.0, R1));
        }
    }
    C->Pen()->SetWidth(1);
}

void TExWatch::DrawNumbers(TCanvas* C)
{
    const TWatchAppearance* a = FAppearance.get();
    if (!FShowNumbers || a->TickMarks() == tmNone || a->TickMarks() == tmHours)
        return;
    const TRect sq = GetWatchRect();
    const TDial d{sq, sq.Left + sq.Width() / 2, sq.Top + sq.Width() / 2, sq.Width() / 2};
    const Integer R1 = d.R - a->BorderWidth() / 2;
    const Integer L = a->HourMarkLength() > 0 ? a->HourMarkLength() : RoundEven(R1 - 0.9 * R1) + 2;
    const Integer r = R1 - 2 * L - 2 + L / 2;
    C->Font()->Assign(a->HourFont());
    C->Brush()->SetStyle(bsClear);
    for (Integer n = 1; n <= 12; ++n) {
        if (a->TickMarks() == tmQuartHours && n % 3 != 0)
            continue;
        const QString text = QString::number(n);
        const TSize ext = C->TextExtent(text);
        double radius = r;
        if (n == 10)
            radius -= RoundEven(0.2 * ext.cy);
        else if (n == 11)
            radius -= RoundEven(0.15 * ext.cy);
        const double angle = n * 30.0;
        const Integer x = d.Cx + RoundEven(radius * std::sin(Rad(angle))) + 1;
        const Integer y = d.Cy - RoundEven(radius * std::cos(Rad(angle))) + 1;
        C->TextOut(x - 1 - ext.cx / 2, y - 1 - ext.cy / 2, text);
    }
}

void TExWatch::DrawAMPM(TCanvas* C)
{
    if (!FShowAMPM)
        return;
    const TWatchAppearance* a = FAppearance.get();
    const TRect box = GetAMPMRect();
    if (a->AMPMColor() != clNone || a->AMPMBorderColor() != clNone) {
        if (a->AMPMColor() != clNone) {
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(a->AMPMColor());
        } else {
            C->Brush()->SetStyle(bsClear);
        }
        if (a->AMPMBorderColor() != clNone) {
            C->Pen()->SetStyle(psSolid);
            C->Pen()->SetColor(a->AMPMBorderColor());
        } else {
            C->Pen()->SetStyle(psClear);
        }
        C->Pen()->SetWidth(1);
        if (a->AMPMFrame() == apRect)
            C->Rectangle(box);
        else
            C->RoundRect(box.Left, box.Top, box.Right, box.Bottom, 5, 5);
        C->Pen()->SetStyle(psSolid);
    }
    C->Font()->Assign(a->AMPMFont());
    C->Brush()->SetStyle(bsClear);
    TRect t = box;
    DrawText(C, FAM ? QStringLiteral("AM") : QStringLiteral("PM"), t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TExWatch::DrawHands(TCanvas* C)
{
    const TWatchAppearance* a = FAppearance.get();
    const double t = GetCurrentTime();
    Word h, m, s, ms;
    DecodeTime(t, h, m, s, ms);
    if (FSettings->Auto()) {
        FInternalSet = true;
        SetAM(h < 12);
        FInternalSet = false;
    }
    const TRect sq = GetWatchRect();
    const TDial d{sq, sq.Left + sq.Width() / 2, sq.Top + sq.Width() / 2, sq.Width() / 2};
    const double R = d.R;
    const double hourAngle = (h % 12) * 30.0 + m / 12.0 * 6.0, minuteAngle = m * 6.0, secondAngle = s * 6.0;
    auto lineHand = [&](TColor color, Integer width, double angle, double tail, double tip, Integer dx, Integer dy) {
        C->Pen()->SetStyle(psSolid);
        C->Pen()->SetColor(color);
        C->Pen()->SetWidth(width);
        TPoint from = AtAngle(d, angle + 180.0, tail), to = AtAngle(d, angle, tip);
        Line(C, {from.X + dx, from.Y + dy}, {to.X + dx, to.Y + dy});
    };
    auto pointerHand = [&](TColor color, double angle, double tip, Integer dx, Integer dy) {
        C->Pen()->SetStyle(psSolid);
        C->Pen()->SetWidth(1);
        C->Pen()->SetColor(color);
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(color);
        const TPoint pts[] = {AtAngle(d, angle + 180.0, 0.1 * R), AtAngle(d, angle + 90.0, 0.05 * R), AtAngle(d, angle, tip),
                              AtAngle(d, angle - 90.0, 0.05 * R)};
        std::vector<TPoint> shifted;
        for (TPoint p : pts)
            shifted.push_back({p.X + dx, p.Y + dy});
        C->Polygon(std::span<const TPoint>(shifted.data(), shifted.size()));
    };
    if (a->PointerStyle() == psLine) {
        if (a->HourPointerShadow() != clNone)
            lineHand(a->HourPointerShadow(), a->HourPointerSize(), hourAngle, 0.1 * R, 0.46 * R, -1, 3);
        if (a->MinutePointerShadow() != clNone)
            lineHand(a->MinutePointerShadow(), a->MinutePointerSize(), minuteAngle, 0.1 * R, 0.65 * R, 0, 3);
        lineHand(a->HourPointer(), a->HourPointerSize(), hourAngle, 0.1 * R, 0.5 * R, 0, 0);
        lineHand(a->MinutePointer(), a->MinutePointerSize(), minuteAngle, 0.1 * R, 0.7 * R, 0, 0);
    } else if (a->PointerStyle() == psPointer) {
        if (a->HourPointerShadow() != clNone)
            pointerHand(a->HourPointerShadow(), hourAngle, 0.5 * R, 1, 3);
        pointerHand(a->HourPointer(), hourAngle, 0.5 * R, 0, 0);
        if (a->MinutePointerShadow() != clNone)
            pointerHand(a->MinutePointerShadow(), minuteAngle, 0.7 * R, 1, 3);
        pointerHand(a->MinutePointer(), minuteAngle, 0.7 * R, 0, 0);
    }
    if ((a->PointerStyle() == psLine || a->PointerStyle() == psPointer) && FSettings->Auto() && FSettings->Second())
        lineHand(a->SecondPointer(), a->SecondPointerSize(), secondAngle, 0.2 * R, 0.9 * R, 0, 0);
    const Integer S = a->CenterPointSize();
    if (S > 0) {
        const Integer l = RoundEven(d.Cx - S / 2.0), tp = RoundEven(d.Cy - S / 2.0);
        Integer w = 0;
        if (a->CenterPointColor() != clNone) {
            C->Pen()->SetWidth(1);
            C->Pen()->SetColor(a->CenterPointColor());
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(a->CenterPointColor());
            C->Ellipse(l, tp, l + S, tp + S);
        }
        if (a->CenterPointOuterBorderColor() != clNone) {
            w = RoundEven(0.2 * S);
            C->Pen()->SetWidth(std::max(1, w));
            C->Pen()->SetColor(a->CenterPointOuterBorderColor());
            C->Brush()->SetStyle(bsClear);
            C->Ellipse(l, tp, l + S, tp + S);
        }
        if (a->CenterPointBorderColor() != clNone) {
            const Integer inner = S - w;
            const Integer il = RoundEven(d.Cx - inner / 2.0), it = RoundEven(d.Cy - inner / 2.0);
            C->Pen()->SetWidth(std::max(1, RoundEven(0.1 * S)));
            C->Pen()->SetColor(a->CenterPointBorderColor());
            C->Brush()->SetStyle(bsClear);
            C->Ellipse(il, it, il + inner, it + inner);
        }
        C->Pen()->SetWidth(1);
    }
}

// ------------------------------------------------------------ input

void TExWatch::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FSettings->Auto())
        return;
    const TRegion dial = TRegion::FromEllipse(GetWatchRect());
    if (!dial.Contains({X, Y})) {
        SetMinute(AngleToMinute(X, Y));
        return;
    }
    if (GetAMPMRect().Contains({X, Y})) {
        if (FAnimation)
            SetAM(!FAM);
        const Integer h = CurrentHour();
        const Integer target = h < 12 ? h + 12 : h - 12;
        FCurrentHourTo = Byte(target);
        FInternalCall = true;
        SetHour(target);
        FInternalCall = false;
        return;
    }
    SetHour(AngleToHour(X, Y));
}

void TExWatch::HandleKey(Word Key)
{
    if (FSettings->Auto())
        return;
    const Integer h = CurrentHour(), m = CurrentMinute();
    auto directHour = [this](Integer v) {
        const bool saved = FAnimation;
        FAnimation = false;
        SetHour(v);
        FAnimation = saved;
    };
    switch (Key) {
    case 'A':
        if (h >= 12)
            SetHour(h - 12);
        break;
    case 'P':
        if (h < 12)
            SetHour(h + 12);
        break;
    case VK_PRIOR:
        if (h + 1 > 23)
            directHour(0);
        else
            SetHour(h + 1);
        break;
    case VK_NEXT:
        if (h - 1 < 0)
            directHour(23);
        else
            SetHour(h - 1);
        break;
    case VK_HOME: directHour(12); break;
    case VK_END: SetMinute(0); break;
    case VK_LEFT:
        if (m == 0) {
            Word hh, mm, ss, ms;
            DecodeTime(FTime, hh, mm, ss, ms);
            SetTime(std::trunc(FTime) + EncodeTime(Word(h == 0 ? 23 : h - 1), 59, ss, ms));
            if (OnChange)
                OnChange(this);
        } else {
            SetMinute(m - 1);
        }
        break;
    case VK_RIGHT:
        SetMinute(m == 59 ? 0 : m + 1);
        break;
    default: break;
    }
}

void TExWatch::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = TabStop() ? DLGC_WANTARROWS | DLGC_WANTALLKEYS : 0;
        return;
    case WM_KEYDOWN:
        TCustomControl::Dispatch(Message);
        if (Message.WParam != 0)
            HandleKey(Word(Message.WParam));
        return;
    case WM_SETCURSOR:
        TCustomControl::Dispatch(Message);
        return;
    case WM_MOUSEMOVE: {
        TCustomControl::Dispatch(Message);
        if (!HasState(csDesigning))
            SetCursor(GetAMPMRect().Contains(PointFromLParam(Message.LParam)) ? crHandPoint : crDefault);
        return;
    }
    default:
        TCustomControl::Dispatch(Message);
        return;
    }
}

// ------------------------------------------------------------ styles

void TExWatch::SetComponentStyle(TKavroStyle AStyle)
{
    if (AStyle == tsCustom)
        return;
    SetWatchAppearanceStyle(FAppearance.get(), AStyle);
    FaceChanged();
}

void SetWatchAppearanceStyle(TWatchAppearance* a, TKavroStyle AStyle)
{
    if (a == nullptr || AStyle == tsCustom)
        return;
    a->SetCenterPointOuterBorderColor(clBlack);
    a->HourFont()->SetColor(clBlack);
    a->AMPMFont()->SetColor(clBlack);
    struct TRow {
        TColor AmpmBorder, AmpmFill, Back, BackTo, Border, CenterBorder, Center, Marks, Shadow, Second;
    };
    auto rgb = [](int r, int g, int b) { return RGB(Byte(r), Byte(g), Byte(b)); };
    TRow row{};
    const TColor white = clWhite;
    switch (AStyle) {
    case tsOffice2003Blue: {
        const TColor c = rgb(89, 135, 214);
        row = {rgb(0, 45, 150), c, rgb(175, 210, 255), rgb(175, 210, 255), c, c, c, c, white, white};
        break;
    }
    case tsOffice2003Silver: {
        const TColor c = rgb(165, 164, 189);
        row = {rgb(0, 45, 150), c, rgb(216, 216, 230), rgb(216, 216, 230), c, c, c, c, white, white};
        break;
    }
    case tsOffice2003Olive: {
        const TColor c = rgb(175, 192, 130);
        row = {rgb(0, 45, 150), c, rgb(225, 234, 185), rgb(225, 234, 185), c, c, c, c, white, white};
        break;
    }
    case tsOffice2003Classic: {
        const TColor c = rgb(128, 128, 128);
        row = {rgb(0, 45, 150), c, rgb(242, 242, 242), rgb(242, 242, 242), c, c, c, c, white, c};
        break;
    }
    case tsOffice2007Luna:
        row = {rgb(208, 222, 240), rgb(208, 222, 240), rgb(227, 239, 255), rgb(227, 239, 255), rgb(208, 222, 240),
               rgb(227, 239, 255), rgb(227, 239, 255), rgb(8, 55, 114), white, rgb(8, 55, 114)};
        break;
    case tsOffice2007Obsidian:
        row = {rgb(240, 241, 242), rgb(76, 83, 92), rgb(76, 83, 92), rgb(76, 83, 92), rgb(240, 241, 242),
               rgb(227, 239, 255), rgb(227, 239, 255), rgb(240, 241, 242), white, rgb(240, 241, 242)};
        break;
    case tsWindowsXP:
        row = {clBlack, clBtnFace, clBtnFace, clBtnFace, clBlack, clBlack, clBlack, clBlack, white, clBlack};
        break;
    case tsWhidbey: {
        const TColor c = rgb(152, 152, 126);
        row = {c, rgb(250, 249, 245), rgb(250, 249, 245), rgb(250, 249, 245), c, c, c, c, white, c};
        break;
    }
    case tsOffice2007Silver:
        row = {rgb(219, 224, 232), rgb(241, 244, 248), rgb(241, 244, 248), rgb(241, 244, 248), rgb(219, 224, 232),
               rgb(219, 224, 232), rgb(111, 112, 116), rgb(111, 112, 116), white, rgb(111, 112, 116)};
        break;
    case tsWindowsVista: {
        const TColor c = rgb(154, 223, 254);
        row = {c, rgb(249, 253, 255), rgb(249, 253, 255), rgb(240, 250, 255), c, c, c, c, white, c};
        break;
    }
    case tsWindows7: {
        const TColor c = rgb(184, 214, 251);
        row = {c, rgb(250, 251, 253), rgb(250, 251, 253), rgb(235, 243, 253), c, c, c, c, white, c};
        break;
    }
    case tsTerminal: {
        const TColor c = rgb(128, 128, 128);
        row = {c, clBtnFace, clBtnFace, clBtnFace, c, c, c, c, white, c};
        break;
    }
    case tsOffice2010Blue: {
        const TColor c = rgb(159, 178, 199);
        row = {c, rgb(199, 218, 240), rgb(239, 246, 253), rgb(239, 246, 253), c, c, c, c, white, c};
        break;
    }
    case tsOffice2010Silver: {
        const TColor c = rgb(200, 205, 210);
        row = {c, rgb(224, 229, 237), white, white, c, c, c, c, rgb(192, 192, 192), c};
        break;
    }
    case tsOffice2010Black: {
        const TColor c = rgb(109, 109, 109);
        row = {c, rgb(145, 145, 145), rgb(191, 191, 191), rgb(191, 191, 191), c, c, c, c, white, c};
        break;
    }
    case tsCustom: return;
    }
    a->SetAMPMBorderColor(row.AmpmBorder);
    a->SetAMPMColor(row.AmpmFill);
    a->SetBackgroundColor(row.Back);
    a->SetBackgroundColorTo(row.BackTo);
    a->SetBorderColor(row.Border);
    a->SetCenterPointBorderColor(row.CenterBorder);
    a->SetCenterPointColor(row.Center);
    a->SetHourColor(row.Marks);
    a->SetMinuteColor(row.Marks);
    a->SetHourPointer(row.Marks);
    a->SetMinutePointer(row.Marks);
    a->SetHourPointerShadow(row.Shadow);
    a->SetMinutePointerShadow(row.Shadow);
    a->SetSecondPointer(row.Second);
    if (AStyle == tsOffice2007Obsidian) {
        a->AMPMFont()->SetColor(rgb(240, 241, 242));
        a->HourFont()->SetColor(rgb(240, 241, 242));
    }
}

void TExWatch::SetStyle(TWatchStyle Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    TWatchAppearance* a = FAppearance.get();
    auto rgb = [](int r, int g, int b) { return RGB(Byte(r), Byte(g), Byte(b)); };
    auto font = [](TFont* f, const QString& name, Integer size, TFontStyles style, TColor color) {
        if (!name.isEmpty()) f->SetName(name);
        if (size > 0) f->SetSize(size);
        f->SetStyle(style);
        if (color != clDefault) f->SetColor(color);
    };
    const QString sans = QStringLiteral("MS Sans Serif");
    // Marks, numbers' font and thin hands all in one colour on black.
    auto neon = [&](TColor c) {
        font(a->HourFont(), sans, 8, {}, clWindowText);
        a->SetHourColor(c);
        a->SetHourMarkLength(10);
        a->SetHourMarkWidth(2);
        a->SetHourMarkStyle(hmsQuartDblLine);
        a->SetHourPointer(c);
        a->SetHourPointerShadow(clBtnShadow);
        a->SetHourPointerSize(2);
        a->SetMinuteColor(c);
        a->SetMinutePointer(c);
        a->SetMinutePointerShadow(clBtnShadow);
        a->SetMinutePointerSize(2);
    };
    const Integer side = std::min(Width(), Height());
    a->SetDefaults();
    switch (Value) {
    case wsClassic:
        font(a->AMPMFont(), sans, 0, {}, clDefault);
        font(a->HourFont(), QStringLiteral("Comic Sans MS"), 10, fsBold, clDefault);
        a->SetHourMarkLength(8);
        a->SetHourPointer(clBlack);
        a->SetHourPointerShadow(clBtnShadow);
        a->SetHourPointerSize(5);
        a->SetMinutePointerShadow(clBtnShadow);
        a->SetMinuteMarkLength(4);
        FAnimation = true;
        FAnimationFactor = 10;
        FShowAMPM = true;
        FShowNumbers = true;
        break;
    case wsTower:
        font(a->AMPMFont(), sans, 0, {}, clDefault);
        a->SetAMPMFrame(apRect);
        a->SetBorderWidth(1);
        a->SetBackgroundColor(rgb(254, 240, 177));
        a->SetBackgroundColorTo(rgb(232, 204, 91));
        a->SetBackgroundGradient(wgDiagonalForward);
        a->SetCenterPointColor(rgb(213, 43, 0));
        a->SetCenterPointSize(6);
        font(a->HourFont(), QStringLiteral("Century"), 0, fsBold, clWindowText);
        a->SetHourPointer(clBlack);
        a->SetHourPointerShadow(clBtnShadow);
        a->SetHourPointerSize(5);
        a->SetMinutePointerShadow(clBtnShadow);
        a->SetSecondPointer(rgb(213, 43, 0));
        a->SetShape(wsRect);
        a->SetPointerStyle(psPointer);
        a->SetAMPMColor(a->BackgroundColor());
        FShowNumbers = false;
        a->SetTickMarks(tmHours);
        break;
    case wsFluorescent: {
        const TColor c = rgb(62, 62, 255);
        font(a->AMPMFont(), sans, 10, {}, clWindowText);
        a->SetAMPMFrame(apRoundRect);
        a->SetBorderColor(c);
        a->SetBackgroundColor(clBlack);
        a->SetBackgroundColorTo(clBlack);
        a->SetCenterPointColor(c);
        a->SetCenterPointBorderColor(clBlack);
        a->SetCenterPointOuterBorderColor(clBlack);
        a->SetCenterPointSize(20);
        neon(c);
        a->SetShape(wsRoundRect);
        a->SetTickMarks(tmHours);
        FShowAMPM = false;
        FShowNumbers = false;
        break;
    }
    case wsEmerald: {
        const TColor c = rgb(0, 232, 58);
        font(a->AMPMFont(), sans, 0, {}, rgb(0, 0, 160));
        a->SetAMPMFrame(apRoundRect);
        a->SetBorderColor(c);
        a->SetBackgroundColor(c);
        a->SetBackgroundColorTo(clBlack);
        a->SetBackgroundGradient(wgDiagonalForward);
        a->SetCenterPointBorderColor(rgb(0, 255, 64));
        a->SetCenterPointColor(rgb(0, 225, 56));
        a->SetCenterPointSize(16);
        a->SetCenterPointOuterBorderColor(clBlack);
        font(a->HourFont(), sans, 0, {}, c);
        a->SetHourColor(c);
        a->SetHourMarkStyle(hmsQuartDblLine);
        a->SetHourPointer(rgb(0, 255, 64));
        a->SetMinutePointer(rgb(0, 255, 64));
        a->SetHourPointerShadow(clBtnShadow);
        a->SetMinutePointerShadow(clBtnShadow);
        a->SetHourPointerSize(5);
        a->SetShape(wsRect);
        a->SetPointerStyle(psPointer);
        a->SetAMPMColor(clNone);
        a->SetSecondPointer(rgb(255, 255, 0));
        a->SetTickMarks(tmHours);
        FShowNumbers = false;
        FShowAMPM = false;
        break;
    }
    case wsBlueStar: {
        const TColor c = rgb(213, 213, 255);
        font(a->AMPMFont(), sans, 10, {}, rgb(0, 0, 160));
        a->SetAMPMBorderColor(clNone);
        a->SetAMPMFrame(apRoundRect);
        a->SetBorderColor(c);
        a->SetBackgroundColor(c);
        a->SetBackgroundColorTo(rgb(0, 0, 160));
        a->SetBackgroundGradient(wgRadial);
        font(a->HourFont(), sans, 8, {}, c);
        a->SetHourPointer(rgb(0, 0, 160));
        a->SetMinutePointer(rgb(0, 0, 160));
        a->SetHourPointerShadow(clBtnShadow);
        a->SetMinutePointerShadow(clBtnShadow);
        a->SetHourPointerSize(5);
        a->SetShape(wsRoundRect);
        a->SetPointerStyle(psPointer);
        a->SetAMPMColor(clNone);
        FShowAMPM = true;
        FShowNumbers = true;
        break;
    }
    case wsFuchsia: {
        const TColor c = rgb(255, 208, 255);
        font(a->AMPMFont(), sans, 10, {}, clWindowText);
        a->SetAMPMFrame(apRoundRect);
        a->SetBorderColor(c);
        a->SetBackgroundColor(clBlack);
        a->SetBackgroundColorTo(clBlack);
        a->SetCenterPointBorderColor(rgb(221, 104, 221));
        a->SetCenterPointSize(20);
        a->SetCenterPointOuterBorderColor(clBlack);
        neon(c);
        a->SetShape(wsRect);
        a->SetSecondPointer(rgb(221, 104, 221));
        a->SetTickMarks(tmQuartHours);
        FShowAMPM = false;
        FShowNumbers = false;
        break;
    }
    case wsBlack:
        font(a->AMPMFont(), sans, 0, {}, clDefault);
        a->SetBackgroundColor(rgb(32, 32, 32));
        a->SetBackgroundColorTo(clNone);
        a->SetBorderColor(clBlack);
        a->SetCenterPointBorderColor(clWhite);
        a->SetCenterPointOuterBorderColor(clWhite);
        a->SetCenterPointColor(clWhite);
        a->SetHourColor(rgb(88, 88, 88));
        font(a->HourFont(), QStringLiteral("Century Gothic"), 11, {}, clWhite);
        a->SetHourPointer(clWhite);
        a->SetHourPointerShadow(clBtnShadow);
        a->SetHourPointerSize(5);
        a->SetMinuteColor(rgb(88, 88, 88));
        a->SetMinutePointer(clWhite);
        a->SetMinutePointerShadow(clBtnShadow);
        a->SetMinuteMarkLength(4);
        FShowAMPM = false;
        FShowNumbers = true;
        break;
    case wsBlackWhite:
        a->SetBackgroundColor(clWhite);
        a->SetBackgroundColorTo(clNone);
        a->SetBorderColor(clBlack);
        a->SetBorderWidth(8);
        a->SetCenterPointBorderColor(clBlack);
        a->SetCenterPointOuterBorderColor(clBlack);
        a->SetCenterPointColor(clBlack);
        a->SetCenterPointSize(8);
        a->SetHourColor(rgb(88, 88, 88));
        font(a->HourFont(), QStringLiteral("Century Gothic"), 14, fsBold, clBlack);
        a->SetHourPointer(clBlack);
        a->SetHourPointerShadow(clBtnShadow);
        a->SetHourPointerSize(5);
        a->SetMinutePointer(clBlack);
        a->SetMinutePointerShadow(clBtnShadow);
        a->SetMinuteMarkLength(4);
        a->SetSecondPointer(rgb(128, 0, 0));
        a->SetPointerStyle(psPointer);
        a->SetTickMarks(tmQuartHours);
        FShowAMPM = false;
        FShowNumbers = true;
        break;
    case wsGray:
        font(a->AMPMFont(), sans, 10, a->AMPMFont()->Style(), clDefault);
        a->SetBackgroundColor(rgb(209, 209, 209));
        a->SetBackgroundColorTo(rgb(108, 108, 108));
        a->SetBackgroundGradient(wgRadial);
        a->SetBorderColor(rgb(69, 69, 69));
        a->SetCenterPointBorderColor(rgb(69, 69, 69));
        a->SetCenterPointColor(clBlack);
        a->SetCenterPointOuterBorderColor(clNone);
        a->SetHourColor(clBlack);
        font(a->HourFont(), QStringLiteral("Comic Sans MS"), 8, {}, clDefault);
        a->SetHourPointer(rgb(78, 78, 78));
        a->SetHourPointerShadow(clNone);
        a->SetHourPointerSize(1);
        a->SetMinuteColor(rgb(128, 128, 128));
        a->SetMinutePointer(rgb(78, 78, 78));
        a->SetMinutePointerShadow(clNone);
        a->SetMinutePointerSize(1);
        a->SetSecondPointer(rgb(255, 0, 0));
        FShowAMPM = true;
        FShowNumbers = true;
        break;
    case wsSuperNova:
        a->SetBackgroundColorTo(rgb(211, 211, 209));
        a->SetBorderColor(clNone);
        a->SetCenterPointOuterBorderColor(clBlack);
        a->SetCenterPointSize(10);
        a->SetHourMarkLength(Byte(RoundEven(side / 4.5)));
        a->SetHourPointer(clBlack);
        a->SetHourPointerShadow(clBtnShadow);
        a->SetMinuteColor(rgb(128, 128, 128));
        a->SetMinuteMarkLength(Byte(side / 3));
        a->SetMinutePointer(clBlack);
        FShowAMPM = false;
        FShowNumbers = false;
        break;
    case wsSports:
        a->SetBackgroundColor(clBlack);
        a->SetBackgroundColorTo(clNone);
        a->SetBorderColor(clBlack);
        a->SetBorderWidth(1);
        a->SetCenterPointBorderColor(rgb(0, 0, 255));
        a->SetCenterPointOuterBorderColor(clBlack);
        a->SetCenterPointColor(rgb(25, 25, 25));
        a->SetCenterPointSize(Byte(RoundEven(side / 3.6)));
        a->SetHourColor(rgb(177, 176, 171));
        font(a->HourFont(), QStringLiteral("Times New Roman"), 9, a->HourFont()->Style(), rgb(121, 121, 121));
        a->SetHourPointer(rgb(255, 0, 0));
        a->SetHourPointerShadow(clNone);
        a->SetHourPointerSize(2);
        a->SetMinuteColor(rgb(128, 128, 128));
        a->SetMinutePointer(rgb(255, 255, 0));
        a->SetMinutePointerSize(2);
        a->SetMinutePointerShadow(clNone);
        a->SetMinuteMarkLength(1);
        a->SetSecondPointer(rgb(254, 139, 24));
        a->SetTickMarks(tmQuartHours);
        FShowAMPM = false;
        FShowNumbers = true;
        break;
    case wsSmooth:
        a->SetBackgroundColor(clWhite);
        a->SetBackgroundColorTo(rgb(177, 176, 171));
        a->SetBorderColor(rgb(88, 88, 88));
        a->SetBorderWidth(1);
        a->SetCenterPointBorderColor(clBlack);
        a->SetCenterPointOuterBorderColor(rgb(74, 74, 74));
        a->SetCenterPointColor(clWhite);
        a->SetCenterPointSize(6);
        a->SetHourColor(rgb(177, 176, 171));
        font(a->HourFont(), QStringLiteral("Times New Roman"), 9, a->HourFont()->Style(), rgb(121, 121, 121));
        a->SetHourPointer(rgb(74, 74, 74));
        a->SetHourPointerShadow(rgb(178, 178, 178));
        a->SetHourPointerSize(2);
        a->SetMinuteColor(rgb(128, 128, 128));
        a->SetMinutePointer(rgb(74, 74, 74));
        a->SetMinutePointerSize(2);
        a->SetMinutePointerShadow(rgb(178, 178, 178));
        a->SetMinuteMarkLength(1);
        a->SetSecondPointer(rgb(74, 74, 74));
        a->SetTickMarks(tmQuartHours);
        FShowAMPM = false;
        FShowNumbers = true;
        break;
    }
    FaceChanged();
}
