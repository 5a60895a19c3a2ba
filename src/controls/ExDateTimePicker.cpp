#include "controls/ExDateTimePicker.h"

#include <cmath>

#include "controls/ExXPVS.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/StdControls.h"
#include "platform/Text.h"
#include "platform/Timer.h"

const Cardinal DTPShiftFocus = RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));

namespace {

// The value's date with its time of day to the second.
TDateTime WithoutMilliseconds(TDateTime v)
{
    Word h, n, s, ms;
    DecodeTime(v, h, n, s, ms);
    const double date = std::trunc(v);
    const double time = EncodeTime(h, n, s, 0);
    return date < 0 ? date - time : date + time;
}

} // namespace

// ------------------------------------------------------------ TCustomDateTimePicker

TCustomDateTimePicker::TCustomDateTimePicker(TComponent* AOwner) : TFlatDateTimePicker(AOwner, clBlack, false)
{
}

void TCustomDateTimePicker::SetAutoTab(bool v)
{
    FAutoTab = v;
}

bool TCustomDateTimePicker::MetroActive() const
{
    return MetroStyle() && !IsTimePart();
}

TRect TCustomDateTimePicker::MetroCover(bool VisualStyles) const
{
    const Integer cw = ClientWidth();
    if (VisualStyles)
        return TRect(cw - ButtonWidth() - 4, 1, cw, Height());
    return TRect(cw - ButtonWidth() - 2, 4, cw - 2, Height() - 4);
}

bool TCustomDateTimePicker::PlainBorderWanted() const
{
    return !Ctl3D();
}

bool TCustomDateTimePicker::DrawsOutline() const
{
    return !Ctl3D();
}

void TCustomDateTimePicker::RememberParts()
{
    if (TDateTimePicker::Kind() == dtkTime)
        DecodeTime(TDateTimePicker::DateTime(), Fh, Fm, Fs, Fms);
}

void TCustomDateTimePicker::PostRight()
{
    PostMessage(this, WM_KEYDOWN, VK_RIGHT);
}

void TCustomDateTimePicker::ShiftFocusCheck()
{
    if (TDateTimePicker::Kind() != dtkTime)
        return;
    Word h, n, s, ms;
    DecodeTime(TDateTimePicker::DateTime(), h, n, s, ms);
    if (h != Fh || n != Fm || s != Fs)
        PostRight();
}

void TCustomDateTimePicker::WndProc(TMessage& Message)
{
    if (Message.Msg == DTPShiftFocus) {
        ShiftFocusCheck();
        TFlatDateTimePicker::WndProc(Message);
        return;
    }
    const QChar ch(char16_t(Message.WParam));
    if (Message.Msg == WM_CHAR && FAutoTab && ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) {
        RememberParts();
        TFlatDateTimePicker::WndProc(Message);
        PostMessage(this, DTPShiftFocus);
        return;
    }
    TFlatDateTimePicker::WndProc(Message);
}

// ------------------------------------------------------------ TExDateTimePicker

TExDateTimePicker::TExDateTimePicker(TComponent* AOwner) : TCustomDateTimePicker(AOwner), TLabelledControl(this)
{
    FFocusTimer = new TTimer(this);
    FFocusTimer->SetEnabled(false);
    FFocusTimer->SetInterval(20);
    FFocusTimer->OnTimer = [this](TObject*) { FFocusTimer->SetEnabled(false); };
    FLabel.OnCreated = [this](TLabel* label) {
        label->OnClick = [this](TObject*) {
            if (OnLabelClick)
                OnLabelClick(this);
        };
        label->OnDblClick = [this](TObject*) {
            if (OnLabelDblClick)
                OnLabelDblClick(this);
        };
    };
    TCustomDateTimePicker::SetBorderStyle(bsSingle);
    SetCtl3D(true);
}

TExDateTimePicker::~TExDateTimePicker()
{
    FLabel.Free();
}

QString TExDateTimePicker::Version() const
{
    return VersionText(GetVersionNr());
}

Integer TExDateTimePicker::GetVersionNr() const
{
    return Integer(0x01020000);
}

// ---- kind and value

void TExDateTimePicker::ApplyKind()
{
    TDateTimePicker::SetKind(FKind == dkTime ? dtkTime : dtkDate);
    if (FKind == dkTime && !FTimeFormat.isEmpty())
        SetFormat(FTimeFormat);
    MakeTimePicker();
    UpdateTimePicker();
}

void TExDateTimePicker::SetKind(TExDateTimeKind v)
{
    if (v == FKind)
        return;
    FKind = v;
    ApplyKind();
}

TDateTime TExDateTimePicker::DateTime()
{
    if (FTimePicker != nullptr)
        TDateTimePicker::SetTime(FTimePicker->TDateTimePicker::Time());
    return TDateTimePicker::DateTime();
}

void TExDateTimePicker::SetDateTime(TDateTime v)
{
    v = WithoutMilliseconds(v);
    TDateTimePicker::SetDateTime(v);
    if (FKind == dkDateTime) {
        MakeTimePicker();
        if (FTimePicker != nullptr)
            FTimePicker->TDateTimePicker::SetDateTime(v);
    }
}

void TExDateTimePicker::SetDate(TDateTime v)
{
    const TDateTime current = WithoutMilliseconds(DateTime());
    const double time = std::fabs(current - std::trunc(current));
    const double date = std::trunc(v);
    SetDateTime(date < 0 ? date - time : date + time);
}

TDateTime TExDateTimePicker::Time() const
{
    if (FKind == dkDateTime && FTimePicker != nullptr)
        return FTimePicker->TDateTimePicker::Time();
    return TDateTimePicker::Time();
}

void TExDateTimePicker::SetTime(TDateTime v)
{
    TDateTimePicker::SetTime(v);
    UpdateTimePicker();
}

void TExDateTimePicker::SetTimeFormat(const QString& v)
{
    if (FTimePicker != nullptr)
        FTimePicker->SetFormat(v);
    if (FKind == dkTime)
        SetFormat(v);
    FTimeFormat = v;
    UpdateTimePicker();
}

void TExDateTimePicker::SetAutoTab(bool v)
{
    TCustomDateTimePicker::SetAutoTab(v);
    if (FTimePicker != nullptr)
        FTimePicker->SetAutoTab(v);
}

void TExDateTimePicker::SetBorderStyle(TBorderStyle v)
{
    TCustomDateTimePicker::SetBorderStyle(v);
    UpdateTimePicker();
}

// ---- the time part

void TExDateTimePicker::MakeTimePicker()
{
    if (FKind != dkDateTime || FTimePicker != nullptr)
        return;
    FTimePicker = new TCustomDateTimePicker(this);
    if (!HasState(csDesigning))
        FTimePicker->SetParent(this);
    FTimePicker->SetBounds(0, 0, 90, 17);
    FTimePicker->SetVisible(false);
    FTimePicker->SetEnabled(Enabled());
    FTimePicker->TDateTimePicker::SetKind(dtkTime);
    FTimePicker->SetAutoTab(AutoTab());
    FTimePicker->OnChange = [this](TObject*) { TimeChanged(); };
    FTimePicker->OnClick = [this](TObject*) { DoClick(); };
    FTimePicker->OnKeyDown = [this](TObject*, Word& key, TShiftState shift) { KeyDown(key, shift); };
    FTimePicker->OnKeyPress = [this](TObject*, QChar& key) { TimeKeyPress(key); };
}

void TExDateTimePicker::TimeChanged()
{
    // The picker holds the combined value at every moment, so that a later
    // placement of the time part cannot put back an older time.
    if (FTimePicker != nullptr)
        TDateTimePicker::SetTime(FTimePicker->TDateTimePicker::Time());
    DoChange();
    if (OnTimeChange)
        OnTimeChange(this);
}

void TExDateTimePicker::UpdateTimePicker()
{
    if (FTimePicker == nullptr)
        return;
    if (!HasState(csDesigning))
        FTimePicker->SetParent(this);
    FTimePicker->SetColor(Color());
    FTimePicker->SetEnabled(Enabled() && Checked());
    const bool visible = FKind == dkDateTime;
    FTimePicker->SetVisible(visible);
    FTimePicker->TDateTimePicker::SetDateTime(TDateTimePicker::DateTime());
    FTimePicker->SetFormat(FTimeFormat);
    FTimePicker->SetFont(Font());
    if (!visible && !HasState(csLoading)) {
        TCustomDateTimePicker* part = FTimePicker;
        FTimePicker = nullptr;
        delete part;
        return;
    }
    // At the right end, as wide as its text.
    TBitmap bmp(1, 1);
    bmp.Canvas()->Font()->Assign(Font());
    const Integer w = bmp.Canvas()->TextWidth(FTimePicker->Text()) + 31;
    const Integer W = Width(), H = Height(), b = 0;
    if (ThemeActive(ExXPVS()))
        FTimePicker->SetBounds(W - w - (MetroStyle() ? 21 : 34) - b, 1, w, H - 2 - b);
    else
        FTimePicker->SetBounds(W - w - 21 - b, 2, w, H - b - 4);
}

void TExDateTimePicker::DoChange()
{
    Change();
}

void TExDateTimePicker::DoClick()
{
    Click();
}

void TExDateTimePicker::TimeKeyPress(QChar&)
{
}

// ---- auto-tab

void TExDateTimePicker::RememberParts()
{
    TCustomDateTimePicker::RememberParts();
    DecodeDate(TDateTimePicker::DateTime(), Fy, FmDate, Fd);
}

void TExDateTimePicker::ShiftFocusCheck()
{
    if (TDateTimePicker::Kind() != dtkDate) {
        TCustomDateTimePicker::ShiftFocusCheck();
        return;
    }
    Word y, m, d;
    DecodeDate(TDateTimePicker::DateTime(), y, m, d);
    const bool day = d != Fd, month = m != FmDate, year = y != Fy;
    auto toTimePart = [this] {
        if (FTimePicker != nullptr && FTimePicker->CanFocus())
            FTimePicker->SetFocus();
    };
    if (!Format().isEmpty()) {
        // The last field of the pattern completed: on to the time part.
        const QChar last = Format().back().toLower();
        if ((day && last == u'd') || (month && last == u'm') || (year && last == u'y'))
            toTimePart();
        else if (day || month || year)
            PostRight();
    } else if (day || month) {
        PostRight();
    } else if (year) {
        toTimePart();
    }
}

// ---- control

void TExDateTimePicker::SetParent(TWinControl* AParent)
{
    TCustomDateTimePicker::SetParent(AParent);
    FLabel.FollowParent();
}

void TExDateTimePicker::SetVisible(bool value)
{
    TCustomDateTimePicker::SetVisible(value);
    FLabel.FollowVisible();
}

void TExDateTimePicker::SetEnabled(bool value)
{
    TCustomDateTimePicker::SetEnabled(value);
    FLabel.FollowEnabled();
    UpdateTimePicker();
}

void TExDateTimePicker::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    TCustomDateTimePicker::SetBounds(ALeft, ATop, AWidth, AHeight);
    UpdateTimePicker();
    FLabel.Update();
}

void TExDateTimePicker::CreateWnd()
{
    TCustomDateTimePicker::CreateWnd();
    ApplyKind();
}

void TExDateTimePicker::Loaded()
{
    TCustomDateTimePicker::Loaded();
    if (HasState(csDesigning))
        return;
    MakeTimePicker();
    UpdateTimePicker();
    if (ShowCheckbox() && !Checked()) {
        SetChecked(false);
        if (FTimePicker != nullptr)
            FTimePicker->SetEnabled(false);
    }
    FLabel.FollowEnabled();
    FLabel.FollowParentFont();
    FParentFnt = ParentFont();
}

void TExDateTimePicker::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        if (FFirstRun) {
            FFirstRun = false;
            UpdateTimePicker();
        }
        break;
    case CN_NOTIFY: {
        TCustomDateTimePicker::Dispatch(Message);
        const auto* hdr = reinterpret_cast<const TNMHdr*>(Message.LParam);
        if (FTimePicker != nullptr && hdr != nullptr && hdr->code == DTN_DATETIMECHANGE) {
            const auto* change = reinterpret_cast<const TNMDateTimeChange*>(Message.LParam);
            FTimePicker->SetEnabled(Enabled() && Checked() && change->dwFlags != GDT_NONE);
        }
        return;
    }
    case DTM_SETSYSTEMTIME:
        // A value set through the picker, or the value cleared.
        TCustomDateTimePicker::Dispatch(Message);
        if (FTimePicker != nullptr)
            FTimePicker->SetEnabled(Enabled() && Checked() && Message.WParam != GDT_NONE);
        return;
    case CM_ENTER:
    case CM_EXIT:
        FLabel.Focused(Message.Msg == CM_ENTER);
        break;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
        TCustomDateTimePicker::Dispatch(Message);
        UpdateTimePicker();
        return;
    case CM_PARENTFONTCHANGED:
        TCustomDateTimePicker::Dispatch(Message);
        FLabel.FollowParentFont();
        return;
    default:
        break;
    }
    TCustomDateTimePicker::Dispatch(Message);
}

void TExDateTimePicker::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomDateTimePicker::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    FLabel.Forget(AComponent);
    if (AComponent == FTimePicker)
        FTimePicker = nullptr;
}
