// Controls without and with windows: bounds, alignment and anchors, parent
// font and colour, translated input in the order the handlers expect, focus
// events, timers, posted and registered messages, painting and grabbing.
#include <gtest/gtest.h>
#include "QtPrint.h"

#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QThread>

#include <atomic>
#include <thread>
#include <QMimeData>
#include <QWidget>

#include "platform/ControlCanvas.h"
#include "platform/StdControls.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/TestHooks.h"

namespace {

QString MsgName(Cardinal msg)
{
    switch (msg) {
    case WM_LBUTTONDOWN: return QStringLiteral("LDOWN");
    case WM_LBUTTONUP: return QStringLiteral("LUP");
    case WM_LBUTTONDBLCLK: return QStringLiteral("LDBL");
    case WM_RBUTTONDOWN: return QStringLiteral("RDOWN");
    case WM_RBUTTONUP: return QStringLiteral("RUP");
    case WM_MOUSEMOVE: return QStringLiteral("MOVE");
    case WM_MOUSEWHEEL: return QStringLiteral("WHEEL");
    case WM_KEYDOWN: return QStringLiteral("KEYDOWN");
    case WM_KEYUP: return QStringLiteral("KEYUP");
    case WM_CHAR: return QStringLiteral("CHAR");
    case WM_SETFOCUS: return QStringLiteral("SETFOCUS");
    case WM_KILLFOCUS: return QStringLiteral("KILLFOCUS");
    case WM_TIMER: return QStringLiteral("TIMER");
    case WM_SIZE: return QStringLiteral("SIZE");
    case WM_SHOWWINDOW: return QStringLiteral("SHOW");
    case CM_MOUSEENTER: return QStringLiteral("ENTER");
    case CM_MOUSELEAVE: return QStringLiteral("LEAVE");
    case CM_ENABLEDCHANGED: return QStringLiteral("ENABLEDCHANGED");
    case CM_FONTCHANGED: return QStringLiteral("FONTCHANGED");
    case CM_COLORCHANGED: return QStringLiteral("COLORCHANGED");
    case CM_VISIBLECHANGED: return QStringLiteral("VISIBLECHANGED");
    case CM_ENTER: return QStringLiteral("CM_ENTER");
    case CM_EXIT: return QStringLiteral("CM_EXIT");
    case WM_CAPTURECHANGED: return QStringLiteral("CAPTURECHANGED");
    case WM_CANCELMODE: return QStringLiteral("CANCELMODE");
    default: return QString();
    }
}

// Logs the messages it receives and paints itself in one colour.
class TProbe : public TCustomControl {
public:
    explicit TProbe(TComponent* owner) : TCustomControl(owner)
    {
        SetBounds(10, 10, 100, 50);
        log.clear();  // the tests look at what comes after creation
    }
    QStringList log;
    TColor fill = clRed;
    Integer paints = 0;
    Cardinal custom = 0;

    void WndProc(TMessage& m) override
    {
        const QString n = MsgName(m.Msg);
        if (!n.isEmpty())
            log << (m.Msg == WM_KEYDOWN || m.Msg == WM_CHAR || m.Msg == WM_KEYUP || m.Msg == WM_TIMER ? n + u':' + QString::number(m.WParam) : n);
        if (custom != 0 && m.Msg == custom)
            log << QStringLiteral("CUSTOM:%1").arg(m.WParam);
        TCustomControl::WndProc(m);
    }

protected:
    void Paint() override
    {
        ++paints;
        Canvas()->Brush()->SetColor(fill);
        Canvas()->FillRect(ClientRect());
    }
};

struct TFormFixture : ::testing::Test {
    TForm* form = nullptr;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(300, 200);
    }
    void TearDown() override { delete form; }
};

TEST(ControlModel, ConfiguredWithoutAWindow)
{
    TForm form(nullptr);
    auto* p = new TProbe(&form);
    p->SetParent(&form);
    p->SetCaption(QStringLiteral("Hello"));
    p->SetHint(QStringLiteral("A hint"));
    p->SetTag(7);
    p->SetEnabled(false);
    EXPECT_EQ(p->Text(), QStringLiteral("Hello"));
    EXPECT_FALSE(p->HandleAllocated());
    EXPECT_FALSE(form.HandleAllocated());
    EXPECT_EQ(p->BoundsRect(), Rect(10, 10, 110, 60));
    EXPECT_EQ(p->ClientRect(), Rect(0, 0, 100, 50));
    EXPECT_EQ(p->GetParentForm(), &form);
    // Asking for the window makes the form's first.
    p->HandleNeeded();
    EXPECT_TRUE(form.HandleAllocated());
    EXPECT_TRUE(p->HandleAllocated());
    EXPECT_FALSE(p->Showing());
    // Shown with its form, hidden with its own Visible.
    form.Show();
    EXPECT_TRUE(p->Showing());
    p->SetVisible(false);
    EXPECT_FALSE(p->Showing());
    EXPECT_TRUE(p->log.contains(QStringLiteral("SHOW")));
}

TEST(ControlModel, AlignFillsTheClientAreaAndAnchorsFollowResizing)
{
    TForm form(nullptr);
    form.SetClientSize(400, 300);
    auto* top = new TProbe(&form);
    top->SetParent(&form);
    top->SetHeight(30);
    top->SetAlign(alTop);
    auto* bottom = new TProbe(&form);
    bottom->SetParent(&form);
    bottom->SetHeight(40);
    bottom->SetAlign(alBottom);
    auto* client = new TProbe(&form);
    client->SetParent(&form);
    client->SetAlign(alClient);
    auto* ok = new TProbe(&form);
    ok->SetParent(client);
    ok->SetBounds(300, 180, 80, 20);
    ok->SetAnchors(akRight | akBottom);
    auto* stretch = new TProbe(&form);
    stretch->SetParent(client);
    stretch->SetBounds(10, 10, 100, 20);
    stretch->SetAnchors(akLeft | akTop | akRight);

    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 400, 30));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 260, 400, 300));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 30, 400, 260));

    form.SetClientSize(500, 350);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 500, 30));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 310, 500, 350));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 30, 500, 310));
    EXPECT_EQ(ok->BoundsRect(), Rect(400, 230, 480, 250));
    EXPECT_EQ(stretch->BoundsRect(), Rect(10, 10, 210, 30));
    // Hiding an aligned control gives its room to the others.
    top->SetVisible(false);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 500, 310));
}

TEST(ControlModel, ParentFontAndColourFlowDownUntilSetOnTheChild)
{
    TForm form(nullptr);
    auto* panel = new TProbe(&form);
    panel->SetParent(&form);
    auto* child = new TProbe(&form);
    child->SetParent(panel);
    child->SetParentColor(true);
    form.Font()->SetName(QStringLiteral("Verdana"));
    form.Font()->SetSize(8);
    EXPECT_EQ(panel->Font()->Name(), QStringLiteral("Verdana"));
    EXPECT_EQ(child->Font()->Size(), 8);
    EXPECT_TRUE(child->ParentFont());
    panel->SetColor(clYellow);
    EXPECT_EQ(child->Color(), clYellow);

    child->Font()->SetStyle(fsBold);
    EXPECT_FALSE(child->ParentFont());
    form.Font()->SetSize(12);
    EXPECT_EQ(panel->Font()->Size(), 12);
    EXPECT_EQ(child->Font()->Size(), 8);
    child->SetColor(clLime);
    EXPECT_FALSE(child->ParentColor());
    panel->SetColor(clAqua);
    EXPECT_EQ(child->Color(), clLime);
}

TEST(ControlModel, PropertyChangesArriveAsComponentMessages)
{
    TForm form(nullptr);
    auto* p = new TProbe(&form);
    p->SetParent(&form);
    p->SetEnabled(false);
    p->SetColor(clBlue);
    p->Font()->SetSize(14);
    p->SetVisible(false);
    p->SetWidth(140);
    p->SetLeft(20);  // a move alone is no size change
    EXPECT_EQ(p->log, (QStringList{QStringLiteral("ENABLEDCHANGED"), QStringLiteral("COLORCHANGED"), QStringLiteral("FONTCHANGED"),
                                   QStringLiteral("VISIBLECHANGED"), QStringLiteral("SIZE")}));
}

TEST_F(TFormFixture, MouseInputReachesHandlersInOrder)
{
    auto* p = new TProbe(form);
    p->SetParent(form);
    QStringList events;
    p->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, Integer x, Integer y) {
        events << QStringLiteral("down %1 %2,%3%4%5").arg(int(b)).arg(x).arg(y).arg(s.Contains(ssDouble) ? " dbl" : "").arg(s.Contains(ssShift) ? " shift" : "");
    };
    p->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, Integer x, Integer y) { events << QStringLiteral("up %1 %2,%3").arg(int(b)).arg(x).arg(y); };
    p->OnClick = [&](TObject*) { events << QStringLiteral("click"); };
    p->OnDblClick = [&](TObject*) { events << QStringLiteral("dblclick"); };
    p->OnMouseMove = [&](TObject*, TShiftState, Integer x, Integer y) { events << QStringLiteral("move %1,%2").arg(x).arg(y); };
    form->Show();
    p->log.clear();

    TestInput::MouseMove(p, {5, 6});
    TestInput::Click(p, {20, 10}, mbLeft, ssShift);
    TestInput::Click(p, {20, 10}, mbRight);
    EXPECT_EQ(events, (QStringList{QStringLiteral("move 5,6"), QStringLiteral("down 0 20,10 shift"), QStringLiteral("click"),
                                   QStringLiteral("up 0 20,10"), QStringLiteral("down 1 20,10"), QStringLiteral("up 1 20,10")}));
    // The left press held the mouse: its release lets it go.
    EXPECT_EQ(p->log, (QStringList{QStringLiteral("MOVE"), QStringLiteral("LDOWN"), QStringLiteral("LUP"), QStringLiteral("CAPTURECHANGED"),
                                   QStringLiteral("RDOWN"), QStringLiteral("RUP")}));

    events.clear();
    p->log.clear();
    TestInput::DblClick(p, {3, 4});
    EXPECT_EQ(p->log, (QStringList{QStringLiteral("LDOWN"), QStringLiteral("LUP"), QStringLiteral("CAPTURECHANGED"), QStringLiteral("LDBL"),
                                   QStringLiteral("LUP"), QStringLiteral("CAPTURECHANGED")}));
    EXPECT_EQ(events, (QStringList{QStringLiteral("down 0 3,4"), QStringLiteral("click"), QStringLiteral("up 0 3,4"), QStringLiteral("dblclick"),
                                   QStringLiteral("down 0 3,4 dbl"), QStringLiteral("up 0 3,4")}));

    // A release outside the control is no click.
    events.clear();
    TestInput::MouseDown(p, mbLeft, {5, 5});
    TestInput::MouseUp(p, mbLeft, {500, 5});
    EXPECT_EQ(events, (QStringList{QStringLiteral("down 0 5,5"), QStringLiteral("up 0 500,5")}));
}

TEST_F(TFormFixture, APressHoldsTheMouseUntilReleasedAndCodeCanCaptureIt)
{
    auto* a = new TProbe(form);
    a->SetParent(form);
    auto* b = new TProbe(form);
    b->SetParent(form);
    b->SetBounds(150, 10, 100, 50);
    QStringList events;
    a->OnMouseMove = [&](TObject*, TShiftState, Integer x, Integer y) { events << QStringLiteral("a move %1,%2").arg(x).arg(y); };
    a->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, Integer x, Integer y) { events << QStringLiteral("a up %1,%2").arg(x).arg(y); };
    a->OnClick = [&](TObject*) { events << QStringLiteral("a click"); };
    b->OnMouseMove = [&](TObject*, TShiftState, Integer x, Integer y) { events << QStringLiteral("b move %1,%2").arg(x).arg(y); };
    form->Show();
    EXPECT_FALSE(a->MouseCapture());
    EXPECT_EQ(GetCapture(), nullptr);

    // A left press captures; the moves and the release over b still go to a.
    TestInput::RoutedMouse(a, TestInput::rmDown, {10, 10});
    EXPECT_TRUE(a->MouseCapture());
    EXPECT_EQ(GetCapture(), a->Handle());
    TestInput::RoutedMouse(a, TestInput::rmMove, {160, 20});
    TestInput::RoutedMouse(a, TestInput::rmUp, {160, 20});
    EXPECT_FALSE(a->MouseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(events, (QStringList{QStringLiteral("a move 160,20"), QStringLiteral("a up 160,20")}));
    events.clear();
    TestInput::RoutedMouse(a, TestInput::rmMove, {160, 20});
    EXPECT_EQ(events, QStringList{QStringLiteral("b move 20,20")});

    // Code captures without a press and gives the capture up; the loser hears of it.
    events.clear();
    a->SetMouseCapture(true);
    EXPECT_TRUE(a->MouseCapture());
    TestInput::RoutedMouse(a, TestInput::rmMove, {170, 30});
    EXPECT_EQ(events, QStringList{QStringLiteral("a move 170,30")});
    a->log.clear();
    EXPECT_EQ(SetCapture(b->Handle()), a->Handle());
    EXPECT_FALSE(a->MouseCapture());
    EXPECT_TRUE(b->MouseCapture());
    EXPECT_EQ(a->log, QStringList{QStringLiteral("CAPTURECHANGED")});
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_FALSE(b->MouseCapture());
    EXPECT_EQ(GetCapture(), nullptr);

    // A capture ends when its control is disabled, hidden or destroyed, and
    // when a modal window or menu opens (a press in progress is cancelled).
    a->SetMouseCapture(true);
    a->SetEnabled(false);
    EXPECT_EQ(GetCapture(), nullptr);
    a->SetEnabled(true);
    a->SetMouseCapture(true);
    a->SetVisible(false);
    EXPECT_EQ(GetCapture(), nullptr);
    a->SetVisible(true);
    events.clear();
    a->log.clear();
    TestInput::RoutedMouse(a, TestInput::rmDown, {10, 10});
    Application->ModalStarted();
    Application->ModalFinished();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(a->log, (QStringList{QStringLiteral("LDOWN"), QStringLiteral("CANCELMODE"), QStringLiteral("CAPTURECHANGED"), QStringLiteral("LUP")}));
    EXPECT_EQ(events, QStringList{QStringLiteral("a up -1,-1")});
    TestInput::RoutedMouse(a, TestInput::rmUp, {10, 10});
    b->SetMouseCapture(true);
    delete b;
    EXPECT_EQ(GetCapture(), nullptr);
    TestInput::RoutedMouse(a, TestInput::rmMove, {170, 30});
}

TEST_F(TFormFixture, ARegisteredWindowHandsDragsToItsHandler)
{
    auto* target = new TProbe(form);
    target->SetParent(form);
    form->Show();
    QMimeData text;
    text.setText(QStringLiteral("Gamma"));
    QMimeData picture;
    picture.setData(QStringLiteral("image/png"), QByteArray("png"));

    QStringList events;
    // Like a drop target: text is taken (copied), anything else refused.
    auto handler = [&](QEvent* e, TPoint origin) {
        const TPoint client = target->ScreenToClient(origin);
        if (e->type() == QEvent::DragLeave) {
            events << QStringLiteral("leave");
            return true;
        }
        auto* de = static_cast<QDropEvent*>(e);
        const QPoint p = de->position().toPoint() + QPoint(client.X, client.Y);
        const QString kind = e->type() == QEvent::DragEnter ? QStringLiteral("enter") : e->type() == QEvent::DragMove ? QStringLiteral("move") : QStringLiteral("drop");
        events << QStringLiteral("%1 %2,%3 %4").arg(kind).arg(p.x()).arg(p.y()).arg(de->mimeData()->text());
        if (de->mimeData()->hasText()) {
            de->setDropAction(Qt::CopyAction);
            de->accept();
        } else {
            de->ignore();
        }
        return true;
    };
    // Not registered: the control's window takes no drops.
    EXPECT_FALSE(TestInput::RoutedDrag(target, TestInput::rdEnter, {20, 10}, &text));
    EXPECT_FALSE(RegisterDragDrop(nullptr, handler));
    ASSERT_TRUE(RegisterDragDrop(target->Handle(), handler));
    EXPECT_FALSE(RegisterDragDrop(target->Handle(), handler));

    // The handler gets the events at the client points where they happen.
    EXPECT_TRUE(TestInput::RoutedDrag(target, TestInput::rdEnter, {20, 10}, &text));
    EXPECT_TRUE(TestInput::RoutedDrag(target, TestInput::rdMove, {30, 15}, &text));
    EXPECT_TRUE(TestInput::RoutedDrag(target, TestInput::rdDrop, {30, 15}, &text));
    // A drag refused where it enters still reaches the handler as it moves and leaves.
    EXPECT_FALSE(TestInput::RoutedDrag(target, TestInput::rdEnter, {5, 5}, &picture));
    EXPECT_FALSE(TestInput::RoutedDrag(target, TestInput::rdMove, {6, 6}, &picture));
    TestInput::RoutedDrag(target, TestInput::rdLeave, {}, &picture);
    EXPECT_EQ(events, (QStringList{QStringLiteral("enter 20,10 Gamma"), QStringLiteral("move 30,15 Gamma"), QStringLiteral("drop 30,15 Gamma"),
                                   QStringLiteral("enter 5,5 "), QStringLiteral("move 6,6 "), QStringLiteral("leave")}));

    // Revoked, the window takes no drops again; a new window starts unregistered.
    EXPECT_TRUE(RevokeDragDrop(target->Handle()));
    EXPECT_FALSE(RevokeDragDrop(target->Handle()));
    events.clear();
    EXPECT_FALSE(TestInput::RoutedDrag(target, TestInput::rdEnter, {20, 10}, &text));
    ASSERT_TRUE(RegisterDragDrop(target->Handle(), handler));
    target->RecreateWnd();
    EXPECT_FALSE(TestInput::RoutedDrag(target, TestInput::rdEnter, {20, 10}, &text));
    EXPECT_TRUE(events.isEmpty());

    // A drop that frees the control ends well.
    ASSERT_TRUE(RegisterDragDrop(target->Handle(), [&](QEvent* e, TPoint) {
        if (e->type() == QEvent::Drop)
            delete target;
        e->accept();
        return true;
    }));
    TestInput::RoutedDrag(target, TestInput::rdEnter, {20, 10}, &text);
    TestInput::RoutedDrag(target, TestInput::rdDrop, {20, 10}, &text);
    EXPECT_EQ(form->ControlCount(), 0);
}

TEST_F(TFormFixture, KeysReachThePreviewingFormThenTheControlAndAZeroKeyStops)
{
    auto* p = new TProbe(form);
    p->SetParent(form);
    QStringList events;
    form->SetKeyPreview(true);
    form->OnKeyDown = [&](TObject*, Word& key, TShiftState s) {
        events << QStringLiteral("form down %1%2").arg(key).arg(s.Contains(ssCtrl) ? " ctrl" : "");
        if (key == VK_F2)
            key = 0;
    };
    form->OnKeyPress = [&](TObject*, QChar& key) { events << QStringLiteral("form press ") + key; };
    p->OnKeyDown = [&](TObject*, Word& key, TShiftState) { events << QStringLiteral("down %1").arg(key); };
    p->OnKeyPress = [&](TObject*, QChar& key) { events << QStringLiteral("press ") + key; };
    p->OnKeyUp = [&](TObject*, Word& key, TShiftState) { events << QStringLiteral("up %1").arg(key); };
    form->Show();
    p->log.clear();

    TestInput::PressKey(p, 'A', {}, QStringLiteral("a"));
    TestInput::PressKey(p, VK_F2);
    TestInput::PressKey(p, VK_DOWN, ssCtrl);
    EXPECT_EQ(events, (QStringList{QStringLiteral("form down 65"), QStringLiteral("down 65"), QStringLiteral("form press a"),
                                   QStringLiteral("press a"), QStringLiteral("up 65"), QStringLiteral("form down 113"), QStringLiteral("up 113"),
                                   QStringLiteral("form down 40 ctrl"), QStringLiteral("down 40"), QStringLiteral("up 40")}));
    EXPECT_EQ(p->log.first(), QStringLiteral("KEYDOWN:65"));
    EXPECT_TRUE(p->log.contains(QStringLiteral("CHAR:97")));
    // Enter and Backspace type their control characters too.
    events.clear();
    TestInput::PressKey(p, VK_RETURN);
    EXPECT_TRUE(events.contains(QStringLiteral("press \r")));
}

TEST_F(TFormFixture, WheelGoesToTheFormFirstWithTheScreenPoint)
{
    auto* p = new TProbe(form);
    p->SetParent(form);
    form->Show();
    QStringList events;
    bool formHandles = true;
    TPoint formPoint;
    form->OnMouseWheel = [&](TObject*, TShiftState, Integer delta, TPoint pos, bool& handled) {
        events << QStringLiteral("form %1").arg(delta);
        formPoint = pos;
        handled = formHandles;
    };
    p->OnMouseWheel = [&](TObject*, TShiftState, Integer delta, TPoint, bool& handled) {
        events << QStringLiteral("control %1").arg(delta);
        handled = true;
    };
    TestInput::Wheel(p, 120, {7, 8});
    EXPECT_EQ(formPoint, p->ClientToScreen({7, 8}));
    formHandles = false;
    TestInput::Wheel(p, -120, {7, 8});
    EXPECT_EQ(events, (QStringList{QStringLiteral("form 120"), QStringLiteral("form -120"), QStringLiteral("control -120")}));
}

TEST_F(TFormFixture, FocusRunsExitAndEnterInOrder)
{
    auto* a = new TProbe(form);
    a->SetParent(form);
    a->SetTabStop(true);
    auto* b = new TProbe(form);
    b->SetParent(form);
    b->SetTabStop(true);
    b->SetTop(80);
    QStringList events;
    a->OnEnter = [&](TObject*) { events << QStringLiteral("a enter"); };
    a->OnExit = [&](TObject*) { events << QStringLiteral("a exit"); };
    b->OnEnter = [&](TObject*) { events << QStringLiteral("b enter"); };
    b->OnExit = [&](TObject*) { events << QStringLiteral("b exit"); };
    form->Show();  // the first tab stop takes the focus
    EXPECT_EQ(form->ActiveControl(), a);
    b->SetFocus();
    a->SetFocus();
    EXPECT_EQ(events, (QStringList{QStringLiteral("a enter"), QStringLiteral("a exit"), QStringLiteral("b enter"), QStringLiteral("b exit"),
                                   QStringLiteral("a enter")}));
    EXPECT_EQ(form->ActiveControl(), a);
    // Tab order decides the walk.
    b->SetTabOrder(0);
    EXPECT_EQ(form->FindNextControl(nullptr, true, true, false), b);
    EXPECT_EQ(form->FindNextControl(b, true, true, false), a);
    b->SetEnabled(false);
    EXPECT_FALSE(b->CanFocus());
    EXPECT_EQ(form->FindNextControl(a, true, true, false), a);
}

// A control that takes Tab itself, as a grid with tabbing between cells does.
class TTabTaker : public TProbe {
public:
    explicit TTabTaker(TComponent* owner) : TProbe(owner) { FDlgCode = DLGC_WANTTAB | DLGC_WANTARROWS; }
};

TEST_F(TFormFixture, TabWalksTheTabOrderUnlessTheControlTakesIt)
{
    std::vector<TProbe*> p;
    for (int i = 0; i < 3; ++i) {
        p.push_back(i == 2 ? new TTabTaker(form) : new TProbe(form));
        p[i]->SetParent(form);
        p[i]->SetTabStop(true);
        p[i]->SetTop(i * 60);
    }
    p[1]->SetTabOrder(0);  // order: p1, p0, p2
    form->Show();
    EXPECT_EQ(form->ActiveControl(), p[1]);
    TestInput::PressKey(p[1], VK_TAB);
    EXPECT_EQ(form->ActiveControl(), p[0]);
    EXPECT_FALSE(p[1]->log.contains(QStringLiteral("KEYDOWN:9")));
    TestInput::PressKey(p[0], VK_TAB, ssShift);
    EXPECT_EQ(form->ActiveControl(), p[1]);
    // Arrows move among siblings for controls that do not take them.
    TestInput::PressKey(p[1], VK_DOWN);
    EXPECT_EQ(form->ActiveControl(), p[0]);
    TestInput::PressKey(p[0], VK_TAB);
    EXPECT_EQ(form->ActiveControl(), p[2]);
    TestInput::PressKey(p[2], VK_TAB);
    TestInput::PressKey(p[2], VK_RIGHT);
    EXPECT_EQ(form->ActiveControl(), p[2]);
    EXPECT_TRUE(p[2]->log.contains(QStringLiteral("KEYDOWN:9")));
    EXPECT_TRUE(p[2]->log.contains(QStringLiteral("KEYDOWN:39")));
}

// An edit that draws a frame of its own over the Qt widget's face.
class TFramedEdit : public TEdit {
public:
    explicit TFramedEdit(TComponent* owner) : TEdit(owner), canvas(this) {}
    TControlCanvas canvas;

protected:
    void Dispatch(TMessage& m) override
    {
        if (m.Msg != WM_PAINT) {
            TEdit::Dispatch(m);
            return;
        }
        TEdit::Dispatch(m);  // the widget paints itself first
        canvas.Brush()->SetColor(clRed);
        canvas.FrameRect(ClientRect());
    }
};

TEST_F(TFormFixture, AHandlerDrawsOverAQtWidgetsOwnPaint)
{
    auto* e = new TFramedEdit(form);
    e->SetParent(form);
    e->SetText(QStringLiteral("WWWW"));
    const QImage img = GrabControl(e);
    EXPECT_EQ(img.pixelColor(0, 5), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(e->Width() - 1, 5), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(e->Width() - 10, 10), QColor(255, 255, 255));
    int dark = 0;
    for (int x = 2; x < 40; ++x)
        for (int y = 3; y < e->Height() - 3; ++y)
            dark += qGray(img.pixel(x, y)) < 100;
    EXPECT_GT(dark, 10);  // the edit's own text is there
}

// A drop-down list window: no parent, placed in screen coordinates.
class TPopupProbe : public TProbe {
public:
    using TProbe::TProbe;

protected:
    void CreateParams(TCreateParams& p) override
    {
        TProbe::CreateParams(p);
        p.Style = WS_POPUP | WS_BORDER;
    }
};

TEST(ControlModel, APopupWindowShowsWhereItIsPutAndAControlWithoutParentDoesNot)
{
    TPopupProbe popup(nullptr);
    popup.SetBounds(200, 150, 80, 40);
    popup.HandleNeeded();
    EXPECT_TRUE(popup.ClientToScreen({0, 0}) == Point(200, 150));
    QImage img = GrabControl(&popup);
    EXPECT_EQ(img.pixelColor(10, 10), QColor(255, 0, 0));
    popup.SetVisible(false);
    popup.SetVisible(true);

    TProbe lone(nullptr);
    lone.HandleNeeded();
    EXPECT_FALSE(lone.Showing());
    EXPECT_EQ(GrabControl(&lone).pixelColor(10, 10), QColor(255, 0, 0));  // still paints for a grab
}

TEST_F(TFormFixture, EnterAndLeaveFireTheMouseEvents)
{
    auto* p = new TProbe(form);
    p->SetParent(form);
    QStringList events;
    p->OnMouseEnter = [&](TObject*) { events << QStringLiteral("enter"); };
    p->OnMouseLeave = [&](TObject*) { events << QStringLiteral("leave"); };
    TestInput::MouseEnter(p);
    TestInput::MouseLeave(p);
    EXPECT_EQ(events, (QStringList{QStringLiteral("enter"), QStringLiteral("leave")}));
}

TEST_F(TFormFixture, WindowTimersPostedAndRegisteredMessages)
{
    auto* p = new TProbe(form);
    p->SetParent(form);
    ASSERT_NE(SetTimer(p->Handle(), 5, 10), 0u);
    QElapsedTimer t;
    t.start();
    while (!p->log.contains(QStringLiteral("TIMER:5")) && t.elapsed() < 5000)
        Application->ProcessMessages();
    EXPECT_TRUE(p->log.contains(QStringLiteral("TIMER:5")));
    EXPECT_TRUE(KillTimer(p->Handle(), 5));
    EXPECT_FALSE(KillTimer(p->Handle(), 5));

    const Cardinal id = RegisterWindowMessage(QStringLiteral("GridEditDone"));
    EXPECT_GE(id, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage(QStringLiteral("GridEditDone")), id);
    EXPECT_NE(RegisterWindowMessage(QStringLiteral("DTPShiftFocus")), id);
    p->custom = id;
    p->log.clear();
    EXPECT_TRUE(PostMessage(p->Handle(), id, 42, 0));
    EXPECT_TRUE(p->log.isEmpty());
    Application->ProcessMessages();
    EXPECT_EQ(p->log, QStringList{QStringLiteral("CUSTOM:42")});
    EXPECT_EQ(SendMessage(p->Handle(), WM_NULL), 0);
    // A message posted to a window that then goes is dropped.
    EXPECT_TRUE(PostMessage(p->Handle(), id, 43, 0));
    delete p;
    Application->ProcessMessages();
    EXPECT_FALSE(PostMessage(static_cast<HWND>(nullptr), id, 1, 0));
}

// Records on which thread each of its messages arrived.
class TThreadProbe : public TCustomControl {
public:
    explicit TThreadProbe(TComponent* owner, Cardinal msg) : TCustomControl(owner), FMsg(msg) {}
    std::vector<WPARAM> got;
    bool offThread = false;
    void WndProc(TMessage& m) override
    {
        if (m.Msg == FMsg) {
            got.push_back(m.WParam);
            offThread = offThread || QThread::currentThread() != qApp->thread();
            // Touches the window, as a handler would.
            Invalidate();
            m.Result = LRESULT(m.WParam * 2);
            return;
        }
        TCustomControl::WndProc(m);
    }

private:
    Cardinal FMsg;
};

TEST_F(TFormFixture, MessagesFromAnotherThreadAreHandledOnTheWindowsThread)
{
    const Cardinal msg = RegisterWindowMessage(QStringLiteral("ArvintoWorkerState"));
    auto* p = new TThreadProbe(form, msg);
    p->SetParent(form);
    form->Show();
    const HWND wnd = p->Handle();
    // The worker posts, then sends and waits for the answer, while this
    // thread runs its loop.
    std::atomic<bool> done{false};
    LRESULT answer = 0;
    bool posted = true;
    std::thread worker([&] {
        for (WPARAM i = 1; i <= 50; ++i)
            posted = PostMessage(wnd, msg, i, 0) && posted;
        answer = SendMessage(wnd, msg, 51, 0);
        done = true;
    });
    QElapsedTimer t;
    t.start();
    while (!done && t.elapsed() < 5000)
        Application->ProcessMessages();
    worker.join();
    EXPECT_TRUE(posted);
    EXPECT_EQ(answer, 102);
    ASSERT_EQ(p->got.size(), 51u);
    for (size_t i = 0; i < p->got.size(); ++i)
        EXPECT_EQ(p->got[i], WPARAM(i + 1));
    EXPECT_FALSE(p->offThread);

    // Once the window is gone, the worker's messages go nowhere.
    delete p;
    std::thread late([&] {
        posted = PostMessage(wnd, msg, 1, 0);
        answer = SendMessage(wnd, msg, 2, 0);
    });
    late.join();
    Application->ProcessMessages();
    EXPECT_FALSE(posted);
    EXPECT_EQ(answer, 0);
}

TEST_F(TFormFixture, PaintedFaceAndDrawingOutsideAPaintAreGrabbed)
{
    auto* p = new TProbe(form);
    p->SetParent(form);
    p->fill = clRed;
    QImage img = GrabControl(p);
    ASSERT_EQ(img.size(), QSize(100, 50));
    EXPECT_EQ(img.pixelColor(50, 25), QColor(255, 0, 0));
    EXPECT_GE(p->paints, 1);

    // Drawn now, shown at the next paint over what Paint draws.
    p->Canvas()->Brush()->SetColor(clBlue);
    p->Canvas()->FillRect(Rect(0, 0, 10, 10));
    img = GrabControl(p);
    EXPECT_EQ(img.pixelColor(2, 2), QColor(0, 0, 255));
    EXPECT_EQ(img.pixelColor(50, 25), QColor(255, 0, 0));
    // An invalidation drops it: the next paint is Paint's alone.
    p->fill = clLime;
    p->Invalidate();
    img = GrabControl(p);
    EXPECT_EQ(img.pixelColor(2, 2), QColor(0, 255, 0));
}
} // namespace
