// The tab control as a dock site: controls docked onto it get a sheet each
// that follows their caption and visibility, a drag shows the frame over the
// control and drops the dragged control on a new sheet, a drag from a docked
// control's tab floats it in a window of its own and it docks back, a double
// click floats it, and refusals leave everything as it was.
#include <gtest/gtest.h>
#include "QtPrint.h"

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <stdexcept>

#include "Screenshot.h"
#include "controls/ExPageControl.h"
#include "platform/Canvas.h"
#include "platform/Docking.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/TestHooks.h"
#include "platform/WidgetBridge.h"

namespace {

const QColor FrameInk(0x40, 0x40, 0x40);
const TColor LogColour = RGB(40, 160, 90);

// A control that can be docked, painted in one colour.
class TDockable : public TCustomControl {
public:
    explicit TDockable(TComponent* owner) : TCustomControl(owner)
    {
        SetDragKind(dkDock);
        SetBounds(0, 0, 140, 90);
    }

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(LogColour);
        Canvas()->FillRect(ClientRect());
    }
};

// A form with a tab control that is a dock site (one page of its own) and a
// dockable control beside it.
struct TDockForm {
    TForm form{nullptr};
    TExPageControl* tabs;
    TExTabSheet* nodes;
    TDockable* log;
    explicit TDockForm(bool show = true)
    {
        form.SetClientSize(520, 300);
        tabs = new TExPageControl(&form);
        tabs->SetParent(&form);
        tabs->SetBounds(10, 10, 300, 240);
        tabs->SetDockSite(true);
        nodes = new TExTabSheet(&form);
        nodes->SetPageControl(tabs);
        nodes->SetCaption(QStringLiteral("Nodes     "));
        log = new TDockable(&form);
        log->SetParent(&form);
        log->SetLeft(350);
        log->SetTop(20);
        log->SetCaption(QStringLiteral("Log window"));
        if (show)
            form.Show();
    }
    TRect ScreenRectOf(TControl* c) const
    {
        const TPoint o = c->ClientToScreen(TPoint(0, 0));
        return Bounds(o.X, o.Y, c->Width(), c->Height());
    }
    // A point of another control in the client coordinates of c.
    static TPoint At(TControl* c, TControl* over, TPoint p) { return c->ScreenToClient(over->ClientToScreen(p)); }
};

Integer Inked(const QImage& img, const QRect& r)
{
    Integer n = 0;
    for (int y = std::max(r.top(), 0); y <= std::min(r.bottom(), img.height() - 1); ++y)
        for (int x = std::max(r.left(), 0); x <= std::min(r.right(), img.width() - 1); ++x)
            n += img.pixelColor(x, y) == FrameInk;
    return n;
}

TEST(ExPageControlDock, ADockedControlGetsASheetThatFollowsItsCaptionAndVisibility)
{
    TDockForm f(false);
    ASSERT_TRUE(f.log->ManualDock(f.tabs));
    ASSERT_EQ(f.tabs->PageCount(), 2);
    TExTabSheet* sheet = f.tabs->GetPage(1);
    EXPECT_EQ(f.log->Parent(), sheet);
    EXPECT_EQ(f.log->HostDockSite(), f.tabs);
    EXPECT_FALSE(f.log->Floating());
    EXPECT_EQ(f.tabs->DockClientCount(), 1);
    EXPECT_EQ(sheet->Caption(), QStringLiteral("Log window"));
    EXPECT_EQ(f.tabs->ActivePage(), sheet);
    EXPECT_EQ(f.log->Align(), alClient);
    EXPECT_EQ(f.log->BoundsRect(), sheet->ClientRect());

    // The tab shows the first line of the control's text.
    f.log->SetCaption(QStringLiteral("Bus log\r\nsecond line"));
    EXPECT_EQ(sheet->Caption(), QStringLiteral("Bus log"));
    f.log->SetCaption(QStringLiteral("Trace\nmore"));
    EXPECT_EQ(sheet->Caption(), QStringLiteral("Trace"));
    // Hiding the control hides its tab; the other page takes over.
    f.log->SetVisible(false);
    EXPECT_FALSE(sheet->TabVisible());
    EXPECT_EQ(f.tabs->ActivePage(), f.nodes);
    f.log->SetVisible(true);
    EXPECT_TRUE(sheet->TabVisible());

    // A hidden control docks with a hidden tab and does not become active.
    auto* hidden = new TDockable(&f.form);
    hidden->SetParent(&f.form);
    hidden->SetVisible(false);
    ASSERT_TRUE(hidden->ManualDock(f.tabs));
    ASSERT_EQ(f.tabs->PageCount(), 3);
    EXPECT_FALSE(f.tabs->GetPage(2)->TabVisible());
    EXPECT_EQ(f.tabs->ActivePage(), f.nodes);

    // A control whose placing fails is not docked, and it is not lost with the sheet made for it.
    auto* failing = new TDockable(&f.form);
    failing->SetParent(&f.form);
    failing->OnResize = [](TObject*) { throw std::runtime_error("no room"); };
    EXPECT_THROW(failing->ManualDock(f.tabs), std::runtime_error);
    EXPECT_EQ(f.tabs->PageCount(), 3);
    EXPECT_EQ(f.tabs->DockClientCount(), 2);
    EXPECT_EQ(failing->HostDockSite(), nullptr);
    EXPECT_EQ(failing->Parent(), nullptr);
    failing->OnResize = nullptr;
    delete failing;

    // A docked control that is destroyed leaves its sheet behind.
    delete hidden;
    EXPECT_EQ(f.tabs->PageCount(), 3);
    EXPECT_EQ(f.tabs->DockClientCount(), 1);

    // Refused by OnUnDock the control stays; allowed it moves to the other
    // site and its sheet goes, the next page becoming active.
    auto* panel = new TDockable(&f.form);
    panel->SetParent(&f.form);
    panel->SetBounds(330, 150, 150, 100);
    panel->SetDockSite(true);
    f.tabs->SetActivePage(sheet);
    bool allow = false;
    TControl* asked = nullptr;
    TWinControl* askedTarget = nullptr;
    f.tabs->OnUnDock = [&](TObject*, TControl* client, TWinControl* target, bool& a) {
        asked = client;
        askedTarget = target;
        a = allow;
    };
    EXPECT_FALSE(f.log->ManualDock(panel));
    EXPECT_EQ(asked, f.log);
    EXPECT_EQ(askedTarget, panel);
    EXPECT_EQ(f.log->Parent(), sheet);
    EXPECT_EQ(f.tabs->PageCount(), 3);
    allow = true;
    EXPECT_TRUE(f.log->ManualDock(panel));
    EXPECT_EQ(f.log->Parent(), panel);
    EXPECT_EQ(f.log->HostDockSite(), panel);
    EXPECT_EQ(f.log->Align(), alNone);
    EXPECT_EQ(f.tabs->PageCount(), 2);
    EXPECT_EQ(f.tabs->DockClientCount(), 0);
    EXPECT_EQ(panel->DockClientCount(), 1);
    EXPECT_NE(f.tabs->ActivePage(), nullptr);
    EXPECT_EQ(f.tabs->ActivePage(), f.nodes);
}

TEST(ExPageControlDock, ADragShowsTheFrameOverTheTabsAndDropsTheControlOnANewSheet)
{
    TDockForm f;
    f.log->SetDragMode(dmAutomatic);
    QStringList events;
    f.log->OnStartDock = [&](TObject*, TDragDockObject*&) { events << QStringLiteral("start"); };
    f.log->OnEndDock = [&](TObject*, TObject* target, Integer, Integer) {
        events << (target == f.tabs ? QStringLiteral("end tabs") : QStringLiteral("end other"));
    };
    f.tabs->OnDockOver = [&](TObject*, TDragDockObject* source, Integer, Integer, TDragState state, bool&) {
        events << QStringLiteral("over %1").arg(state == dsDragEnter ? "enter" : state == dsDragLeave ? "leave" : "move");
        EXPECT_EQ(source->Control(), f.log);
    };
    f.tabs->OnDockDrop = [&](TObject*, TDragDockObject* source, Integer, Integer) {
        events << QStringLiteral("drop");
        EXPECT_EQ(source->Control()->Parent(), f.tabs->GetPage(1));
    };

    // Below the threshold nothing is dragged yet.
    TestInput::MouseDown(f.log, mbLeft, {10, 10});
    TestInput::MouseMove(f.log, {12, 11});
    EXPECT_FALSE(DockFrame::Visible());
    EXPECT_TRUE(events.isEmpty());

    // Over the tab control the frame covers the whole control.
    const TPoint over = TDockForm::At(f.log, f.tabs, {150, 120});
    TestInput::MouseMove(f.log, over);
    ASSERT_TRUE(DockFrame::Visible());
    const TRect site = f.ScreenRectOf(f.tabs);
    EXPECT_EQ(DockFrame::Rect(), site);
    const TPoint formOrigin = f.form.ClientToScreen(TPoint(0, 0));
    const QImage screen = GrabScreen(Bounds(formOrigin.X, formOrigin.Y, f.form.ClientWidth(), f.form.ClientHeight()));
    EXPECT_FALSE(testsupport::SaveScreenshot(screen, QStringLiteral("TExPageControl-dock-over")).isEmpty());
    // The user sees a dark two-pixel frame along the tab control's edge and
    // the control itself inside it.
    const QRect tabsOnShot(f.tabs->Left(), f.tabs->Top(), f.tabs->Width(), f.tabs->Height());
    EXPECT_EQ(screen.pixelColor(tabsOnShot.left(), tabsOnShot.center().y()), FrameInk);
    EXPECT_EQ(screen.pixelColor(tabsOnShot.left() + 1, tabsOnShot.center().y()), FrameInk);
    EXPECT_EQ(screen.pixelColor(tabsOnShot.center().x(), tabsOnShot.bottom()), FrameInk);
    EXPECT_EQ(Inked(screen, tabsOnShot.adjusted(3, 3, -3, -3)), 0);
    EXPECT_EQ(screen.pixelColor(f.log->Left() + 5, f.log->Top() + 5), QColor(40, 160, 90));

    // Where no site takes it, the frame is the thick outline of the window it would float in.
    TestInput::MouseMove(f.log, TDockForm::At(f.log, &f.form, {480, 280}));
    EXPECT_EQ(DockFrame::Rect().Width(), f.log->Width());
    EXPECT_EQ(DockFrame::Rect().Height(), f.log->Height());
    TestInput::MouseMove(f.log, over);
    TestInput::MouseUp(f.log, mbLeft, over);
    EXPECT_FALSE(DockFrame::Visible());
    EXPECT_EQ(events, (QStringList{QStringLiteral("start"), QStringLiteral("over enter"), QStringLiteral("over leave"), QStringLiteral("over enter"),
                                   QStringLiteral("drop"), QStringLiteral("end tabs")}));
    ASSERT_EQ(f.tabs->PageCount(), 2);
    EXPECT_EQ(f.log->Parent(), f.tabs->GetPage(1));
    EXPECT_EQ(f.tabs->ActivePage(), f.tabs->GetPage(1));
    EXPECT_EQ(f.tabs->GetPage(1)->Caption(), QStringLiteral("Log window"));
}

TEST(ExPageControlDock, ADragFromADockedTabFloatsTheControlAndItDocksBack)
{
    TDockForm f(false);
    ASSERT_TRUE(f.log->ManualDock(f.tabs));
    f.tabs->SetActivePage(f.nodes);
    f.form.Show();
    std::vector<bool> siteAnswers;
    f.tabs->OnGetSiteInfo = [&](TObject*, TControl* client, TRect&, TPoint, bool& canDock) {
        EXPECT_EQ(client, f.log);
        siteAnswers.push_back(canDock);
    };
    TObject* endTarget = f.tabs;
    f.log->OnEndDock = [&](TObject*, TObject* target, Integer, Integer) { endTarget = target; };

    // The press selects the tab and arms the drag; a small move drags nothing.
    const TPoint tab = CenterPoint(f.tabs->PageTabRect(1));
    TestInput::MouseDown(f.tabs, mbLeft, tab);
    EXPECT_EQ(f.tabs->ActivePage(), f.tabs->GetPage(1));
    EXPECT_TRUE(f.log->Dragging());
    TestInput::MouseMove(f.tabs, {tab.X + 2, tab.Y + 1});
    EXPECT_FALSE(DockFrame::Visible());
    // Over its own tab control the docked control cannot dock again: it would float.
    TestInput::MouseMove(f.tabs, {tab.X + 40, tab.Y + 60});
    ASSERT_FALSE(siteAnswers.empty());
    EXPECT_FALSE(siteAnswers.back());
    EXPECT_TRUE(DockFrame::Visible());
    EXPECT_EQ(DockFrame::Rect().Width(), f.log->Width());
    // Dropped beside the form it floats there, in its own window.
    const TPoint away = TDockForm::At(f.tabs, &f.form, {f.form.ClientWidth() + 200, 40});
    TestInput::MouseMove(f.tabs, away);
    const TRect frame = DockFrame::Rect();
    TestInput::MouseUp(f.tabs, mbLeft, away);
    EXPECT_FALSE(DockFrame::Visible());
    // The tab control lets the mouse go with the drop.
    EXPECT_FALSE(f.tabs->MouseCapture());
    EXPECT_FALSE(f.tabs->ControlState() & csLButtonDown);
    ASSERT_TRUE(f.log->Floating());
    auto* host = dynamic_cast<TFloatDockForm*>(f.log->HostDockSite());
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(endTarget, host);
    EXPECT_TRUE(host->Visible());
    EXPECT_EQ(host->Caption(), QStringLiteral("Log window"));
    EXPECT_EQ(f.ScreenRectOf(f.log), frame);
    EXPECT_EQ(f.tabs->PageCount(), 1);
    EXPECT_EQ(f.tabs->ActivePage(), f.nodes);
    EXPECT_EQ(f.tabs->DockClientCount(), 0);

    // The screen: the tab control with its own page only, the control in its window beside the form.
    const TRect formRect = f.ScreenRectOf(&f.form);
    const TRect area(formRect.Left, formRect.Top, frame.Right + 10, std::max(formRect.Bottom, frame.Bottom) + 10);
    const QImage screen = GrabScreen(area);
    EXPECT_FALSE(testsupport::SaveScreenshot(screen, QStringLiteral("TExPageControl-floating-tab")).isEmpty());
    EXPECT_EQ(screen.pixelColor(frame.Left - area.Left + 5, frame.Top - area.Top + 5), QColor(40, 160, 90));
    EXPECT_EQ(screen.pixelColor(frame.Right - area.Left - 5, frame.Bottom - area.Top - 5), QColor(40, 160, 90));
    const TPoint oldTab = TDockForm::At(&f.form, f.tabs, tab);
    EXPECT_EQ(screen.pixelColor(oldTab.X, oldTab.Y), screen.pixelColor(f.tabs->Left() + f.tabs->Width() - 20, oldTab.Y));

    // The window follows the control's caption; closing it hides the control.
    f.log->SetCaption(QStringLiteral("Bus log"));
    EXPECT_EQ(host->Caption(), QStringLiteral("Bus log"));
    host->Close();
    EXPECT_FALSE(f.log->Visible());
    f.log->SetVisible(true);
    EXPECT_TRUE(host->Visible());

    // Dragged back onto the tab control it docks on a new sheet and its window goes.
    QPointer<QWidget> window = TWidgetBridge::Widget(host);
    ASSERT_FALSE(window.isNull());
    f.log->SetDragMode(dmAutomatic);
    TestInput::MouseDown(f.log, mbLeft, {10, 10});
    const TPoint back = TDockForm::At(f.log, f.tabs, {150, 150});
    TestInput::MouseMove(f.log, back);
    EXPECT_EQ(DockFrame::Rect(), f.ScreenRectOf(f.tabs));
    TestInput::MouseUp(f.log, mbLeft, back);
    EXPECT_EQ(endTarget, f.tabs);
    EXPECT_FALSE(f.log->Floating());
    ASSERT_EQ(f.tabs->PageCount(), 2);
    EXPECT_EQ(f.log->Parent(), f.tabs->GetPage(1));
    EXPECT_EQ(f.tabs->GetPage(1)->Caption(), QStringLiteral("Bus log"));
    Application->ProcessMessages();
    EXPECT_TRUE(window.isNull());
}

TEST(ExPageControlDock, ADoubleClickOnADockedTabFloatsItUnlessTheUndockIsRefused)
{
    TDockForm f(false);
    ASSERT_TRUE(f.log->ManualDock(f.tabs));
    f.form.Show();
    const TRect sheet = f.ScreenRectOf(f.tabs->GetPage(1));
    bool allow = false;
    f.tabs->OnUnDock = [&](TObject*, TControl*, TWinControl* target, bool& a) {
        EXPECT_EQ(target, nullptr);
        a = allow;
    };
    const TPoint tab = CenterPoint(f.tabs->PageTabRect(1));
    TestInput::DblClick(f.tabs, tab);
    EXPECT_FALSE(f.log->Floating());
    EXPECT_EQ(f.tabs->PageCount(), 2);
    // A double click on a page's own tab (no docked control) floats nothing.
    allow = true;
    TestInput::DblClick(f.tabs, CenterPoint(f.tabs->PageTabRect(0)));
    EXPECT_EQ(f.tabs->PageCount(), 2);
    TestInput::DblClick(f.tabs, CenterPoint(f.tabs->PageTabRect(1)));
    ASSERT_TRUE(f.log->Floating());
    // It floats where it was.
    EXPECT_EQ(f.ScreenRectOf(f.log), sheet);
    EXPECT_EQ(f.tabs->PageCount(), 1);
    EXPECT_EQ(f.tabs->ActivePage(), f.nodes);
    EXPECT_FALSE(DockFrame::Visible());
}

} // namespace
