// Docking: a dock drag that a site refuses or that Escape cancels moves
// nothing; a floating control's window follows it and goes with it; a plain
// dock site takes a control where the drag showed it.
#include <gtest/gtest.h>
#include "QtPrint.h"

#include <QPointer>
#include <QWidget>

#include "platform/Docking.h"
#include "platform/ExtCtrls.h"
#include "platform/Form.h"
#include "platform/TestHooks.h"
#include "platform/WidgetBridge.h"

namespace {

struct TSiteForm {
    TForm form{nullptr};
    TPanel* site;
    TPanel* tool;
    TSiteForm()
    {
        form.SetClientSize(400, 240);
        site = new TPanel(&form);
        site->SetParent(&form);
        site->SetBounds(10, 10, 200, 200);
        site->SetDockSite(true);
        tool = new TPanel(&form);
        tool->SetParent(&form);
        tool->SetBounds(250, 20, 100, 60);
        tool->SetCaption(QStringLiteral("Tool"));
        tool->SetDragKind(dkDock);
        tool->SetDragMode(dmAutomatic);
        form.Show();
    }
    TPoint Over(TControl* c, TPoint p) const { return tool->ScreenToClient(c->ClientToScreen(p)); }
};

TEST(Docking, ARefusedOrCancelledDockDragMovesNothing)
{
    TSiteForm f;
    bool accept = false;
    f.site->OnDockOver = [&](TObject*, TDragDockObject* source, Integer, Integer, TDragState, bool& a) {
        EXPECT_FALSE(source->Floating);
        a = accept;
    };
    bool ended = false;
    TObject* endTarget = &f.form;
    f.tool->OnEndDock = [&](TObject*, TObject* target, Integer, Integer) {
        ended = true;
        endTarget = target;
    };
    TestInput::MouseDown(f.tool, mbLeft, {5, 5});
    TestInput::MouseMove(f.tool, f.Over(f.site, {100, 100}));
    // Refused: the frame is the thick outline of a floating window under the pointer.
    ASSERT_TRUE(DockFrame::Visible());
    EXPECT_EQ(DockFrame::Rect().Width(), 100);
    EXPECT_EQ(DockFrame::Rect().TopLeft(), f.site->ClientToScreen(TPoint(95, 95)));
    accept = true;
    TestInput::MouseMove(f.tool, f.Over(f.site, {101, 100}));
    const TPoint o = f.site->ClientToScreen(TPoint(0, 0));
    EXPECT_EQ(DockFrame::Rect(), Bounds(o.X, o.Y, 200, 200));
    // Escape ends the drag where it is: nothing docked, nothing floated.
    TestInput::PressKey(f.tool, VK_ESCAPE);
    EXPECT_FALSE(DockFrame::Visible());
    EXPECT_TRUE(ended);
    EXPECT_EQ(endTarget, nullptr);
    EXPECT_EQ(f.tool->Parent(), &f.form);
    EXPECT_EQ(f.tool->HostDockSite(), nullptr);
    EXPECT_FALSE(f.tool->Dragging());
    TestInput::MouseUp(f.tool, mbLeft, {5, 5});

    // Accepted and dropped: the site takes the tool where the frame was.
    TestInput::MouseDown(f.tool, mbLeft, {5, 5});
    TestInput::MouseMove(f.tool, f.Over(f.site, {100, 100}));
    TestInput::MouseUp(f.tool, mbLeft, f.Over(f.site, {100, 100}));
    EXPECT_EQ(endTarget, f.site);
    EXPECT_EQ(f.tool->Parent(), f.site);
    EXPECT_EQ(f.tool->HostDockSite(), f.site);
    EXPECT_EQ(f.tool->BoundsRect(), f.site->ClientRect());
    EXPECT_EQ(f.site->DockClientCount(), 1);
    // A site that goes takes its docked controls with it.
    delete f.site;
    EXPECT_EQ(f.form.ControlCount(), 0);
}

TEST(Docking, AFloatingWindowFollowsItsControlAndGoesWithIt)
{
    TSiteForm f;
    const TPoint o = f.form.ClientToScreen(TPoint(300, 150));
    ASSERT_TRUE(f.tool->ManualFloat(Bounds(o.X, o.Y, 120, 70)));
    auto* host = dynamic_cast<TFloatDockForm*>(f.tool->HostDockSite());
    ASSERT_NE(host, nullptr);
    EXPECT_TRUE(f.tool->Floating());
    EXPECT_TRUE(host->Visible());
    EXPECT_EQ(host->Caption(), QStringLiteral("Tool"));
    EXPECT_EQ(f.tool->ClientToScreen(TPoint(0, 0)), o);
    EXPECT_EQ(f.tool->Width(), 120);
    EXPECT_EQ(f.tool->Height(), 70);
    // Floating again moves the window.
    ASSERT_TRUE(f.tool->ManualFloat(Bounds(o.X + 10, o.Y, 120, 70)));
    EXPECT_EQ(f.tool->HostDockSite(), host);
    EXPECT_EQ(f.tool->ClientToScreen(TPoint(0, 0)), TPoint(o.X + 10, o.Y));
    f.tool->SetVisible(false);
    EXPECT_FALSE(host->Visible());
    f.tool->SetVisible(true);
    EXPECT_TRUE(host->Visible());
    // The window goes with the control.
    QPointer<QWidget> window = TWidgetBridge::Widget(host);
    delete f.tool;
    Application->ProcessMessages();
    EXPECT_TRUE(window.isNull());
}

} // namespace
