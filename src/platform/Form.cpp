#include "platform/Form.h"

#include <QApplication>
#include <QCursor>
#include <QPixmap>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "platform/Bitmap.h"
#include "platform/Dialogs.h"
#include "platform/Graphics.h"
#include "platform/HintWindow.h"
#include "platform/WidgetBridge.h"

namespace {
// The screen outlives the application, whose forms leave the screen's list.
TScreen g_screen(nullptr);
TApplication g_application(nullptr);
} // namespace

TApplication* Application = &g_application;
TScreen* Screen = &g_screen;
THintWindowClass HintWindowClass = &HintWindowClassOf<THintWindow>;

TPoint GetCursorPos()
{
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

// ------------------------------------------------------------ TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner)
{
    FVisible = false;
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
    if (Screen != nullptr)
        Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    Destroying();
    if (FCreated && OnDestroy) {
        try {
            OnDestroy(this);
        } catch (const std::exception& e) {
            Application->HandleException(this, e);
        }
    }
    if (Screen != nullptr)
        Screen->RemoveForm(this);
    // Children go while the form's own parts still exist.
    while (ControlCount() > 0)
        delete Controls(ControlCount() - 1);
    DestroyHandle();
}

void TCustomForm::AfterConstruction()
{
    if (FCreated)
        return;
    FCreated = true;
    if (OnCreate) {
        try {
            OnCreate(this);
        } catch (const std::exception& e) {
            Application->HandleException(this, e);
        }
    }
}

TSize TCustomForm::FrameSize() const
{
    switch (FBorderStyle) {
    case bsNone: return {0, 0};
    case bsToolWindow:
    case bsSizeToolWin: return {16, 31};
    default: return {16, 39};
    }
}

TRect TCustomForm::ClientRect() const
{
    const TSize f = FrameSize();
    return {0, 0, std::max(Width() - f.cx, 0), std::max(Height() - f.cy, 0)};
}

void TCustomForm::SetClientSize(Integer w, Integer h)
{
    const TSize f = FrameSize();
    SetBounds(Left(), Top(), w + f.cx, h + f.cy);
}

void TCustomForm::SetBorderStyle(TBorderStyle value)
{
    if (value == FBorderStyle)
        return;
    // The client area keeps its size; the frame around it changes.
    const TRect cr = ClientRect();
    FBorderStyle = value;
    SetClientSize(cr.Width(), cr.Height());
    ApplyWindowFlags();
}

void TCustomForm::SetBorderIcons(TBorderIcons value)
{
    FBorderIcons = value;
    ApplyWindowFlags();
}

void TCustomForm::SetWindowState(TWindowState value)
{
    FWindowState = value;
    if (QWidget* w = TWidgetBridge::Widget(this); w != nullptr && w->isVisible()) {
        if (value == wsMaximized) w->showMaximized();
        else if (value == wsMinimized) w->showMinimized();
        else w->showNormal();
    }
}

void TCustomForm::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP;
    Params.WndParent = nullptr;
}

void TCustomForm::CreateWnd()
{
    TWinControl::CreateWnd();
    QWidget* w = TWidgetBridge::Widget(this);
    w->setWindowTitle(Text());
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    ApplyWindowFlags();
}

void TCustomForm::SetFormStyle(TFormStyle value)
{
    if (value == FFormStyle)
        return;
    FFormStyle = value;
    ApplyWindowFlags();
}

void TCustomForm::ApplyWindowFlags()
{
    QWidget* w = TWidgetBridge::Widget(this);
    if (w == nullptr)
        return;
    Qt::WindowFlags f = Qt::Window;
    switch (FBorderStyle) {
    case bsNone: f |= Qt::FramelessWindowHint; break;
    case bsDialog: f = Qt::Dialog; break;
    case bsToolWindow:
    case bsSizeToolWin: f = Qt::Tool; break;
    default: break;
    }
    f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (FFormStyle == fsStayOnTop)
        f |= Qt::WindowStaysOnTopHint;
    if (FBorderIcons & biSystemMenu) {
        f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if ((FBorderIcons & biMinimize) && FBorderStyle != bsDialog) f |= Qt::WindowMinimizeButtonHint;
        if ((FBorderIcons & biMaximize) && FBorderStyle != bsDialog) f |= Qt::WindowMaximizeButtonHint;
    }
    if (FStayOnTop)
        f |= Qt::WindowStaysOnTopHint;
    if (FNoActivate)
        f = (f & ~Qt::Window) | Qt::Tool | Qt::FramelessWindowHint | (FStayOnTop ? Qt::WindowStaysOnTopHint : Qt::Widget);
    const bool visible = w->isVisible();
    w->setWindowFlags(f);
    w->setAttribute(Qt::WA_ShowWithoutActivating, FNoActivate);
    w->setWindowOpacity(FAlphaBlend ? FAlphaBlendValue / 255.0 : 1.0);
    const bool fixed = FBorderStyle != bsSizeable && FBorderStyle != bsSizeToolWin;
    w->setProperty("arvintoFixedSize", fixed);
    if (!fixed) {
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    TWidgetBridge::ApplyState(this);
    if (visible)
        w->show();
}

void TCustomForm::SetStayOnTop(bool value)
{
    FStayOnTop = value;
    ApplyWindowFlags();
}

void TCustomForm::SetNoActivate(bool value)
{
    FNoActivate = value;
    ApplyWindowFlags();
}

void TCustomForm::SetAlphaBlend(bool value)
{
    FAlphaBlend = value;
    ApplyWindowFlags();
}

void TCustomForm::SetAlphaBlendValue(Byte value)
{
    FAlphaBlendValue = value;
    ApplyWindowFlags();
}

void TCustomForm::PlaceOnScreen()
{
    if (FPlaced)
        return;
    FPlaced = true;
    TRect area = Screen->WorkAreaRect();
    TCustomForm* ref = nullptr;
    if (FPosition == poMainFormCenter)
        ref = Application->MainForm();
    else if (FPosition == poOwnerFormCenter)
        ref = dynamic_cast<TCustomForm*>(Owner());
    if (ref != nullptr && ref != this && ref->Visible())
        area = ref->BoundsRect();
    if (FPosition == poScreenCenter || FPosition == poDesktopCenter || ref != nullptr) {
        SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(), Height());
    }
    if (QWidget* w = TWidgetBridge::Widget(this))
        w->move(Left(), Top());
}

void TCustomForm::SetVisible(bool value)
{
    if (value == Visible() && (!value || FShowing))
        return;
    if (value) {
        HandleNeeded();
        PlaceOnScreen();
        FVisible = true;
        DoShow();
        if (!FVisible)
            return;  // hidden again by OnShow
        QWidget* w = TWidgetBridge::Widget(this);
        if (w == nullptr)
            return;
        FShowing = true;
        if (FWindowState == wsMaximized) w->showMaximized();
        else if (FWindowState == wsMinimized) w->showMinimized();
        else w->show();
        w->raise();
        w->activateWindow();
        TWinControl* focus = FActiveControl;
        if (focus == nullptr || !focus->CanFocus())
            focus = FindNextControl(nullptr, true, true, false);
        if (focus != nullptr)
            FocusControl(focus);
        Perform(CM_SHOWINGCHANGED, 1);
    } else {
        FVisible = false;
        if (FShowing) {
            FShowing = false;
            DoHide();
            if (QWidget* w = TWidgetBridge::Widget(this))
                w->hide();
            Perform(CM_SHOWINGCHANGED, 0);
        }
    }
}

bool TCustomForm::Showing() const
{
    return Visible();
}

void TCustomForm::Show()
{
    SetVisible(true);
    if (QWidget* w = TWidgetBridge::Widget(this))
        w->raise();
}

bool TCustomForm::Active() const
{
    QWidget* w = TWidgetBridge::Widget(this);
    return w != nullptr && w->isActiveWindow();
}

void TCustomForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide)
        OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (OnClose)
        OnClose(this, Action);
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::SetModalResult(TModalResult value)
{
    FModalResult = value;
    if (FModal && value != mrNone)
        QMetaObject::invokeMethod(qApp, [] {}, Qt::QueuedConnection);  // wakes the modal loop
}

void TApplication::ModalStarted()
{
    TWidgetBridge::CancelCapture();
    ++FModalLevel;
}

TModalResult TCustomForm::ShowModal()
{
    if (FModal)
        throw std::runtime_error("Cannot make a visible window modal");
    Application->CancelHint();
    FModalResult = mrNone;
    HandleNeeded();
    QWidget* w = TWidgetBridge::Widget(this);
    w->setWindowModality(Qt::ApplicationModal);
    FModal = true;
    Application->ModalStarted();
    try {
        Show();
        do {
            Application->HandleMessage();
            if (Application->Terminated())
                FModalResult = mrCancel;
            if (FModalResult != mrNone) {
                // Closing a modal form asks CloseQuery and OnClose like any close.
                TCloseAction action = caNone;
                if (CloseQuery()) {
                    action = caHide;
                    DoClose(action);
                }
                if (action == caNone && !Application->Terminated())
                    FModalResult = mrNone;
                else if (action == caFree)
                    Release();
            }
        } while (FModalResult == mrNone);
    } catch (...) {
        FModal = false;
        Application->ModalFinished();
        if (TWidgetBridge::Widget(this) != nullptr)
            TWidgetBridge::Widget(this)->setWindowModality(Qt::NonModal);
        SetVisible(false);
        throw;
    }
    const TModalResult result = FModalResult;
    FModal = false;
    Application->ModalFinished();
    SetVisible(false);
    if (QWidget* ww = TWidgetBridge::Widget(this))
        ww->setWindowModality(Qt::NonModal);
    return result;
}

void TCustomForm::Close()
{
    if (FModal) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = (Application->MainForm() == this) ? caFree : caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application->MainForm() == this) {
        SetVisible(false);
        Application->Terminate();
        return;
    }
    if (action == caHide || action == caMinimize)
        SetVisible(false);
    else if (action == caFree)
        Release();
}

void TCustomForm::Release()
{
    SetVisible(false);
    PostMessage(Handle(), CM_RELEASE);
}

void TCustomForm::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CLOSE:
        Close();
        break;
    case CM_RELEASE:
        delete this;
        return;
    case CM_ACTIVATE:
        if (OnActivate)
            OnActivate(this);
        break;
    case CM_DEACTIVATE:
        if (OnDeactivate)
            OnDeactivate(this);
        break;
    case CM_DIALOGKEY: {
        // Tab walks the tab order; the arrows move among the focused
        // control's siblings; other keys go to the controls (default and
        // cancel buttons).
        const Word key = Word(Message.WParam);
        if (GetKeyState(VK_MENU) >= 0) {
            if (key == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
                Message.Result = 1;
                return;
            }
            if (key >= VK_LEFT && key <= VK_DOWN) {
                if (FActiveControl != nullptr && FActiveControl->Parent() != nullptr) {
                    FActiveControl->Parent()->SelectNext(FActiveControl, key == VK_RIGHT || key == VK_DOWN, false);
                    Message.Result = 1;
                }
                return;
            }
        }
        TWinControl::Dispatch(Message);
        break;
    }
    default:
        TWinControl::Dispatch(Message);
        break;
    }
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control != nullptr && !ContainsControl(control))
        return;
    FActiveControl = control;
    if (control != nullptr && Visible())
        FocusControl(control);
}

void TCustomForm::FocusControl(TWinControl* control)
{
    FActiveControl = control;
    if (!Visible() || control == nullptr)
        return;
    control->HandleNeeded();
    QWidget* w = TWidgetBridge::Widget(control);
    if (w == nullptr)
        return;
    w->setFocus(Qt::OtherFocusReason);
    // Without an active window Qt moves no focus: run the same steps.
    if (FFocusedControl != control)
        SetFocusedControl(control);
}

bool TCustomForm::SetFocusedControl(TWinControl* control)
{
    if (control == FFocusedControl)
        return true;
    TWinControl* old = FFocusedControl;
    FFocusedControl = control;
    FActiveControl = control;
    for (TWinControl* c = old; c != nullptr && c != this && !c->ContainsControl(control); c = c->Parent())
        c->Perform(CM_EXIT);
    std::vector<TWinControl*> enter;
    for (TWinControl* c = control; c != nullptr && c != this && !(old != nullptr && c->ContainsControl(old)); c = c->Parent())
        enter.push_back(c);
    for (auto it = enter.rbegin(); it != enter.rend(); ++it)
        (*it)->Perform(CM_ENTER);
    TMessage m{CM_FOCUSCHANGED, 0, LPARAM(control), 0};
    Broadcast(m);
    return FFocusedControl == control;
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing)
{
    if (FActiveControl != nullptr && control->ContainsControl(FActiveControl))
        FActiveControl = nullptr;
    if (FFocusedControl != nullptr && control->ContainsControl(FFocusedControl))
        FFocusedControl = nullptr;
}

// ------------------------------------------------------------ TApplication

struct TApplication::TTimers {
    QTimer pause;
    QTimer hide;
};

namespace {
std::unique_ptr<QApplication>& OwnApp()
{
    static std::unique_ptr<QApplication> app;
    return app;
}
} // namespace

void TApplication::Initialize(int& argc, char** argv)
{
    if (QCoreApplication::instance() == nullptr)
        OwnApp() = std::make_unique<QApplication>(argc, argv);
}

void TApplication::Finalize()
{
    CancelHint();
    FTimers.reset();
    DestroyComponents();
    OwnApp().reset();
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner)
{
}

TApplication::~TApplication()
{
    FHintWindow = nullptr;
    DestroyComponents();
}

QString TApplication::ExeName() const
{
    return QCoreApplication::instance() != nullptr ? QCoreApplication::applicationFilePath() : QString();
}

void TApplication::FormCreated(TCustomForm* form)
{
    if (FMainForm == nullptr)
        FMainForm = form;
    form->AfterConstruction();
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FMainForm)
        FMainForm = nullptr;
    if (AComponent == FHintWindow)
        FHintWindow = nullptr;
}

void TApplication::Run()
{
    FTerminated = false;
    if (FMainForm != nullptr)
        FMainForm->Show();
    while (!FTerminated)
        HandleMessage();
}

void TApplication::ProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TApplication::HandleMessage()
{
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TApplication::Terminate()
{
    FTerminated = true;
    if (QCoreApplication::instance() != nullptr)
        QMetaObject::invokeMethod(qApp, [] {}, Qt::QueuedConnection);
}

void TApplication::HandleException(TObject* Sender, const std::exception& E)
{
    if (OnException)
        OnException(Sender, E);
    else
        ShowException(E);
}

void TApplication::ShowException(const std::exception& E)
{
    QString text = QString::fromUtf8(E.what()).trimmed();
    if (!text.isEmpty() && !text.endsWith(u'.'))
        text += u'.';
    MessageBox(text, FTitle, MB_OK | MB_ICONSTOP);
}

Integer TApplication::MessageBox(const QString& Text, const QString& Caption, Cardinal Flags)
{
    return ShowMessageBox(Text, Caption, Flags);
}

void TApplication::SetShowHint(bool value)
{
    FShowHint = value;
    if (!value)
        CancelHint();
}

static TControl* FindHintControl(TControl* c)
{
    while (c != nullptr && (c->Hint().isEmpty() || !c->ShowHint()))
        c = c->Parent();
    return c;
}

void TApplication::StartHintTimer(Integer ms)
{
    if (!FTimers) {
        FTimers = std::make_unique<TTimers>();
        FTimers->pause.setSingleShot(true);
        FTimers->hide.setSingleShot(true);
        QObject::connect(&FTimers->pause, &QTimer::timeout, [this] { TWidgetBridge::Guard(this, [this] { HintTimerExpired(); }); });
        QObject::connect(&FTimers->hide, &QTimer::timeout, [this] { CancelHint(); });
    }
    FTimers->pause.start(std::max(ms, 0));
}

void TApplication::StopHintTimer()
{
    if (FTimers) {
        FTimers->pause.stop();
        FTimers->hide.stop();
    }
}

void TApplication::HintMouseMessage(TControl* Control, TPoint ClientPos)
{
    if (!FShowHint || Control == nullptr)
        return;
    TControl* target = FindHintControl(Control);
    if (target == nullptr && Control->ShowHint())
        target = Control;  // a control with a hint of its own making (CM_HINTSHOW)
    if (target == nullptr) {
        if (FHintControl != nullptr)
            CancelHint();
        return;
    }
    const TPoint screen = Control->ClientToScreen(ClientPos);
    if (target != FHintControl) {
        const bool wasActive = FHintActive;
        CancelHint();
        FHintControl = target;
        target->FreeNotification(this);
        FHintCursor = screen;
        StartHintTimer(wasActive ? FHintShortPause : FHintPause);
        return;
    }
    FHintCursor = screen;
    if (!FHintActive && FTimers && !FTimers->pause.isActive())
        StartHintTimer(FHintPause);
}

void TApplication::HintTimerExpired()
{
    if (FHintControl != nullptr)
        ActivateHint(FHintCursor);
}

void TApplication::ActivateHint(TPoint CursorPos)
{
    TControl* control = FHintControl;
    if (control == nullptr)
        return;
    THintInfo info;
    info.HintControl = control;
    info.HintWindowClass = HintWindowClass;
    info.HintPos = {CursorPos.X, CursorPos.Y + 20};
    info.HintMaxWidth = Screen->Width();
    info.HintColor = FHintColor;
    info.CursorRect = control->ClientRect();
    info.CursorPos = control->ScreenToClient(CursorPos);
    info.HideTimeout = FHintHidePause;
    info.HintStr = control->Hint().section(u'|', 0, 0);
    const LRESULT refused = control->Perform(CM_HINTSHOW, 0, LPARAM(&info));
    if (refused != 0 || info.HintStr.isEmpty() || FHintControl != control)
        return;
    THintWindowClass cls = info.HintWindowClass != nullptr ? info.HintWindowClass : HintWindowClass;
    if (FHintWindow != nullptr && FHintWindow->WindowClass() != cls) {
        delete FHintWindow;
        FHintWindow = nullptr;
    }
    if (FHintWindow == nullptr) {
        FHintWindow = cls(this);
        FHintWindow->SetWindowClass(cls);
    }
    FHintWindow->SetColor(info.HintColor);
    TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    OffsetRect(r, info.HintPos.X, info.HintPos.Y);
    FHintWindow->ActivateHintData(r, info.HintStr, info.HintData);
    FHintActive = true;
    if (FTimers && info.HideTimeout > 0)
        FTimers->hide.start(info.HideTimeout);
}

void TApplication::CancelHint()
{
    StopHintTimer();
    if (FHintWindow != nullptr)
        FHintWindow->ReleaseHandle();
    if (FHintControl != nullptr)
        FHintControl->RemoveFreeNotification(this);
    FHintControl = nullptr;
    FHintActive = false;
}

THintWindow* TApplication::CurrentHintWindow() const
{
    return FHintActive ? FHintWindow : nullptr;
}

// ------------------------------------------------------------ TScreen

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner)
{
}

Integer TScreen::Width() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s != nullptr ? s->geometry().width() : 1024;
}

Integer TScreen::Height() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s != nullptr ? s->geometry().height() : 768;
}

TRect TScreen::WorkAreaRect() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    if (s == nullptr)
        return {0, 0, Width(), Height()};
    const QRect r = s->availableGeometry();
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

void TScreen::SetCursor(TCursor value)
{
    if (value == FCursor)
        return;
    if (FCursor != crDefault)
        QApplication::restoreOverrideCursor();
    FCursor = value;
    if (value != crDefault)
        QApplication::setOverrideCursor(QCursor(CursorShape(value)));
}

void TScreen::SetCursorImage(TCursor Index, const TBitmap* Image, TPoint HotSpot)
{
    if (Image == nullptr)
        return;
    RegisterCursor(Index, QCursor(QPixmap::fromImage(Image->ToImage()), HotSpot.X, HotSpot.Y));
}

TCustomForm* TScreen::ActiveForm() const
{
    QWidget* active = QApplication::activeWindow();
    for (TCustomForm* f : FForms)
        if (TWidgetBridge::Widget(f) == active && active != nullptr)
            return f;
    return nullptr;
}

TWinControl* TScreen::ActiveControl() const
{
    TCustomForm* f = ActiveForm();
    return f != nullptr ? f->ActiveControl() : nullptr;
}

void TScreen::AddForm(TCustomForm* form)
{
    FForms.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
}
