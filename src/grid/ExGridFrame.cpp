// TExStringGrid: the translucent focus frame around the edited cell with
// the window hook that keeps it on the cell, the date editors' change
// notification and the quick configuration box shown while the grid is
// designed.

#include "grid/ExGrid.h"

#include "grid/ExUtil.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DateTimePicker.h"
#include "platform/DrawText.h"
#include "platform/Form.h"
#include "platform/LayeredWindow.h"
#include "platform/Menus.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "platform/WindowHook.h"
#include "platform/WindowPos.h"

namespace {

// The grid whose frame is shown (one for the program).
TExStringGrid* FocusGridNow = nullptr;

// The hook lives from the first grid to the end of the program.
struct TFocusHook {
    HHOOK Hook = nullptr;
    TFocusHook() { Hook = SetWindowsHookEx(WH_CALLWNDPROC, &TExStringGrid::FocusWindowHook); }
    ~TFocusHook()
    {
        if (Hook != nullptr)
            UnhookWindowsHookEx(Hook);
    }
};

TFocusHook& FocusHook()
{
    static TFocusHook hook;
    return hook;
}

constexpr TColor kFocusColor = TColor(0x00FDD397);
constexpr Byte kFocusOpacity = 230;
constexpr Integer kFrame = 4;

constexpr Integer kBoxWidth = 150;

} // namespace

// ------------------------------------------------------------ focus frame

TExStringGrid* TExStringGrid::FocusGrid()
{
    return FocusGridNow;
}

void TExStringGrid::ShowFocusWindow(const TRect& R)
{
    if (FFocusWindow == nullptr)
        return;
    FocusHook();
    FFocusWindow->Hide();
    const Integer W = R.Width() + 2 * kFrame + 1;
    const Integer H = R.Height() + 2 * kFrame + 1;
    FFocusWindow->HandleNeeded();

    // A soft rounded ring in the frame colour.
    TBitmap mask;
    CreateRoundRectMask(&mask, W, H, 3, 5, kFrame);
    TBitmap colour;
    colour.SetPixelFormat(pf24bit);
    colour.SetSize(W, H);
    colour.Canvas()->Pen()->SetColor(kFocusColor);
    colour.Canvas()->Brush()->SetColor(kFocusColor);
    colour.Canvas()->FillRect(TRect(0, 0, W, H));
    TGridAlphaMask alpha;
    alpha.MergeMask(&mask, &colour, kFocusColor);
    alpha.SetOpacity(kFocusOpacity);
    ApplyAlphaMask(FFocusWindow, &alpha);

    // Only the ring around the cell is part of the window.
    const TWindowRegion frame = CombineRgn(TWindowRegion(TRect(0, 0, W, H)),
                                           TWindowRegion(TRect(kFrame, kFrame, kFrame + R.Width(), kFrame + R.Height())),
                                           RGN_XOR);
    SetWindowRgn(FFocusWindow, frame, true);

    const TPoint p = ClientToScreen(TPoint(R.Left, R.Top));
    SetWindowPos(FFocusWindow, HWND_TOPMOST, p.X - kFrame, p.Y - kFrame, W, H, SWP_NOACTIVATE);
    FFocusWindow->Show();
}

void TExStringGrid::MoveFocusWindow()
{
    if (FFocusWindow == nullptr || !FFocusWindow->HandleAllocated())
        return;
    const TRect r = CellRect(Col(), Row());
    const TPoint p = ClientToScreen(TPoint(r.Left, r.Top));
    SetWindowPos(FFocusWindow, HWND_TOPMOST, p.X - kFrame, p.Y - kFrame, r.Width() + 2 * kFrame + 1,
                 r.Height() + 2 * kFrame + 1, SWP_NOACTIVATE);
    FFocusWindow->Invalidate();
}

void TExStringGrid::HideFocusWindow()
{
    ForgetFocusFrame();
    if (FFocusWindow != nullptr)
        FFocusWindow->Hide();
}

void TExStringGrid::ShowFocusFrameForEdit()
{
    if (!FFocusHelper->Enabled() || FFocusWindow == nullptr || IsDesigning())
        return;
    // The platform grid asks more than once while an editor opens.
    if (FocusGridNow == this && FFocusWindow->Visible()) {
        MoveFocusWindow();
        return;
    }
    FocusGridNow = this;
    ShowFocusWindow(CellRect(Col(), Row()));
}

void TExStringGrid::ForgetFocusFrame()
{
    if (FocusGridNow == this)
        FocusGridNow = nullptr;
}

LRESULT TExStringGrid::FocusWindowHook(int Code, WPARAM wParam, LPARAM lParam)
{
    const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (Code == HC_ACTION && cwp != nullptr
        && (cwp->message == WM_WINDOWPOSCHANGING || cwp->message == WM_WINDOWPOSCHANGED) && FocusGridNow != nullptr)
        FocusGridNow->MoveFocusWindow();
    return CallNextHookEx(FocusHook().Hook, Code, wParam, lParam);
}

// ------------------------------------------------------------ notifications

void TExStringGrid::WMNotify(TMessage& Msg)
{
    const auto* hdr = reinterpret_cast<const TNMHdr*>(Msg.LParam);
    if (hdr != nullptr && hdr->code == DTN_DATETIMECHANGE && OnDateTimeChange) {
        const TSystemTime& st = reinterpret_cast<const TNMDateTimeChange*>(Msg.LParam)->st;
        // A picker without a value (or a broken one) reports the date-time 0.
        TDateTime value = 0;
        TDateTime date = 0, time = 0;
        if (st.wYear != 0 && st.wMonth != 0 && st.wDay != 0 && TryEncodeDate(st.wYear, st.wMonth, st.wDay, date)
            && TryEncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds, time))
            value = date < 0 ? date - time : date + time;
        OnDateTimeChange(this, Col(), Row(), value);
    }
    TBaseGrid::WndProc(Msg);
}

// ------------------------------------------------------------ design-time box

namespace {

// The box's font, on a canvas of its own so that measuring outside a paint
// leaves the grid's canvas alone.
struct TBoxFont {
    TBitmap Bitmap;
    TCanvas* C;
    TBoxFont() : C(nullptr)
    {
        Bitmap.SetSize(1, 1);
        C = Bitmap.Canvas();
        C->Font()->SetName(QStringLiteral("Tahoma"));
        C->Font()->SetSize(8);
        C->Font()->SetStyle({});
    }
};

} // namespace

TRect TExStringGrid::DesignHelperRect(Integer& LH)
{
    TBoxFont box;
    LH = box.C->TextHeight(QStringLiteral("gh"));
    const TRect cr = ClientRect();
    return TRect(cr.Right - kBoxWidth, cr.Bottom - (4 * LH + 18), cr.Right, cr.Bottom);
}

Integer TExStringGrid::DesignHelperHitTest(Integer X, Integer Y)
{
    Integer LH = 0;
    DesignHelperRect(LH);
    TBoxFont box;
    TCanvas* c = box.C;
    const Integer Rt = ClientRect().Right;
    const Integer T0 = ClientRect().Bottom - (4 * LH + 18);
    const Integer LS = LH + 2;
    const QString look = QStringLiteral("Set look: ") + GridLookToCaption(FLook);
    Integer hit = -1;
    if (X > Rt - 16 && Y > T0 && Y < T0 + 16)
        hit = 4;
    if (X > Rt - kBoxWidth && X < Rt - 132 + c->TextWidth(QStringLiteral("Allow edit")) && Y > T0 + LS + 4
        && Y < T0 + 2 * LS + 4)
        hit = 1;
    if (X > Rt - kBoxWidth && X < Rt - 132 + c->TextWidth(QStringLiteral("Column numbers")) && Y > T0 + 2 * LS + 4
        && Y < T0 + 3 * LS + 4)
        hit = 2;
    if (X > Rt - kBoxWidth && X < Rt - kBoxWidth + c->TextWidth(look) && Y > T0 + 3 * LS + 4 && Y < T0 + 4 * LS + 4)
        hit = 3;
    return hit;
}

namespace {

// The box's close button: a small dark cross.
void DrawCloseCross(TCanvas* C, Integer X, Integer Y)
{
    C->Pen()->SetColor(TColor(0x00404040));
    C->Pen()->SetWidth(2);
    C->MoveTo(X + 3, Y + 3);
    C->LineTo(X + 11, Y + 11);
    C->MoveTo(X + 11, Y + 3);
    C->LineTo(X + 3, Y + 11);
    C->Pen()->SetWidth(1);
}

} // namespace

void TExStringGrid::PaintDesignHelper()
{
    if (!IsDesigning() || !ShowDesignHelper())
        return;
    Integer LH = 0;
    const TRect box = DesignHelperRect(LH);
    TCanvas* c = Canvas();
    c->Font()->Assign(TBoxFont().C->Font());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clInfoBk);
    c->Pen()->SetColor(clGray);
    c->Rectangle(box);
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(TColor(0x00800000));
    auto line = [&](Integer Hit, Integer X, Integer Y, const QString& Text) {
        c->Font()->SetStyle(Hit == 0 || Hit == FLastDesignChoice ? TFontStyles(fsUnderline) : TFontStyles());
        c->TextOut(X, Y, Text);
    };
    line(0, box.Left + 4, box.Top + 4, QStringLiteral("Quick config [v") + Version() + QStringLiteral("]"));
    DrawCloseCross(c, box.Right - 16, box.Top + 2);
    DrawCheckBox(TRect(box.Left + 4, box.Top + LH + 4, box.Left + 20, box.Top + LH + 20),
                 (Options() & goEditing) != 0, true, false, csWinXP, false,
                 (Options() & goEditing) != 0 ? cbChecked : cbUnchecked);
    c->Brush()->SetStyle(bsClear);
    line(1, box.Left + 22, box.Top + LH + 6, QStringLiteral("Allow edit"));
    DrawCheckBox(TRect(box.Left + 4, box.Top + 2 * LH + 6, box.Left + 20, box.Top + 2 * LH + 22), FShowColNrs, true,
                 false, csWinXP, false, FShowColNrs ? cbChecked : cbUnchecked);
    c->Brush()->SetStyle(bsClear);
    line(2, box.Left + 22, box.Top + 2 * LH + 8, QStringLiteral("Column numbers"));
    line(3, box.Left + 4, box.Top + 3 * LH + 10, QStringLiteral("Set look: ") + GridLookToCaption(FLook));
    c->Font()->SetStyle({});
    c->Brush()->SetStyle(bsSolid);
}

void TExStringGrid::CMDesignHitTest(TMessage& Msg)
{
    TBaseGrid::WndProc(Msg);
    if (!IsDesigning() || !ShowDesignHelper())
        return;
    const TPoint p = PointFromLParam(Msg.LParam);
    const Integer hit = DesignHelperHitTest(p.X, p.Y);
    if (hit != FLastDesignChoice)
        Invalidate();
    FLastDesignChoice = hit;
    if (hit >= 1 && hit <= 4)
        Msg.Result = 1;
}

void TExStringGrid::DesignHelperClick(Integer X, Integer Y)
{
    if (!IsDesigning() || !ShowDesignHelper())
        return;
    const Integer hit = DesignHelperHitTest(X, Y);
    switch (hit) {
    case 1:
        SetOptions(Options() ^ TGridOptions(goEditing));
        Invalidate();
        break;
    case 2:
        FShowColNrs = !FShowColNrs;
        Invalidate();
        break;
    case 3: {
        static const struct {
            const char* Caption;
            TGridLook Look;
        } looks[] = {{"Standard", glStandard},  {"Soft", glSoft},          {"Classic", glClassic},
                     {"Kavro", glKavro},        {"ListView", glListView},  {"Office 2007", glOffice2007},
                     {"Windows XP", glXP},      {"Windows Vista", glVista}, {"Windows 7", glWin7}};
        TPopupMenu menu(nullptr);
        for (const auto& l : looks) {
            auto* item = new TMenuItem(&menu);
            item->SetCaption(QString::fromLatin1(l.Caption));
            item->SetCommand(Integer(l.Look) + 1);
            item->SetChecked(l.Look == FLook);
            menu.Items()->Add(item);
        }
        const TPoint p = ClientToScreen(TPoint(X, Y));
        const Integer chosen = menu.Track(p.X, p.Y);
        if (chosen >= 1 && chosen <= Integer(glOffice2007) + 1)
            SetLook(TGridLook(chosen - 1));
        Invalidate();
        break;
    }
    case 4:
        SetShowDesignHelper(false);
        return;
    default:
        return;
    }
    // The designer notices a change of the form's size.
    if (TCustomForm* form = GetParentForm()) {
        form->SetWidth(form->Width() - 1);
        form->SetWidth(form->Width() + 1);
    }
}

void TExStringGrid::SetShowDesignHelper(bool Value)
{
    if (FShowDesignHelper == Value)
        return;
    FShowDesignHelper = Value;
    Invalidate();
}
