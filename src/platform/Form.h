#pragma once
// Forms (top-level windows, shown modeless or modal), the application object
// that creates them and runs the message loop, and the screen.

#include <exception>
#include <functional>
#include <vector>
#include "platform/Control.h"

class TBitmap;

using TModalResult = Integer;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrClose = 8;
constexpr TModalResult mrHelp = 9;
constexpr TModalResult mrAll = 12;
constexpr TModalResult mrNoToAll = 13;
constexpr TModalResult mrYesToAll = 14;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
// fsStayOnTop: the window stays over the program's other windows.
enum TFormStyle { fsNormal, fsStayOnTop };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum TBorderIcon : Byte { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = Byte;
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl {
    friend class TApplication;
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    QString ClassName() const override { return QStringLiteral("TCustomForm"); }

    // Fires OnCreate; the application calls it after making the form.
    void AfterConstruction() override;

    void Show();
    void Hide() { SetVisible(false); }
    // Shows the form and runs a message loop until ModalResult is set (by
    // code, a button with a modal result, or closing the window); returns it.
    TModalResult ShowModal();
    void Close();
    bool CloseQuery();
    // Frees the form once the current message is done.
    void Release();
    bool Modal() const { return FModal; }

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value);

    void SetVisible(bool value) override;
    bool Showing() const override;
    TRect ClientRect() const override;
    void SetClientSize(Integer w, Integer h) override;

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState value);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }
    bool Active() const;
    // Stays over the program's other windows.
    bool StayOnTop() const { return FStayOnTop; }
    void SetStayOnTop(bool value);
    // Shown without taking the activation (and never taking it).
    bool NoActivate() const { return FNoActivate; }
    void SetNoActivate(bool value);
    // The window drawn with constant opacity AlphaBlendValue / 255.
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool value);
    Byte AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(Byte value);

    // The control that has (or gets, when the form is shown) the focus.
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* control);
    // Called when a control inside takes the focus: runs the exit and enter
    // events along the way; false when it could not.
    bool SetFocusedControl(TWinControl* control);
    // Forgets a control that goes away or is removed.
    void DefocusControl(TWinControl* control, bool removing);
    void FocusControl(TWinControl* control);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    // Size of the border and title bar added around the client area.
    TSize FrameSize() const;

private:
    void PlaceOnScreen();
    void ApplyWindowFlags();

    TModalResult FModalResult = mrNone;
    bool FModal = false;
    bool FCreated = false;
    bool FPlaced = false;
    bool FShowing = false;
    TBorderStyle FBorderStyle = bsSizeable;
    TFormStyle FFormStyle = fsNormal;
    TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TPosition FPosition = poDefaultPosOnly;
    TWindowState FWindowState = wsNormal;
    bool FKeyPreview = false;
    bool FStayOnTop = false;
    bool FNoActivate = false;
    bool FAlphaBlend = false;
    Byte FAlphaBlendValue = 255;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TForm"); }
};

class THintWindow;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
// Shows a help topic; returns whether it was shown.
using THelpContextEvent = std::function<bool(Integer Context)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;
    QString ClassName() const override { return QStringLiteral("TApplication"); }

    // Makes a form owned by the application, sets ref to it and fires its
    // creation event; the first form made becomes the main form.
    template <class T>
    void CreateForm(T*& ref)
    {
        ref = new T(this);
        FormCreated(ref);
    }
    TCustomForm* MainForm() const { return FMainForm; }
    const QString& Title() const { return FTitle; }
    void SetTitle(const QString& value) { FTitle = value; }
    QString ExeName() const;

    // Starts the window system for the program (nothing when it runs already).
    void Initialize(int& argc, char** argv);
    // Frees every form and ends the window system Initialize started.
    void Finalize();
    // Shows the main form and runs the message loop until it closes or
    // Terminate is called.
    void Run();
    // Handles every message waiting now, then returns.
    void ProcessMessages();
    // Waits for one message and handles it.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return FTerminated; }

    // An error no handler caught: OnException, else an error box with its
    // message; the program goes on.
    void HandleException(TObject* Sender, const std::exception& E);
    void ShowException(const std::exception& E);
    TExceptionEvent OnException;

    // Shows the help topic Context through OnHelp; false without a help
    // system or for context 0.
    bool HelpContext(Integer Context) { return Context != 0 && OnHelp ? OnHelp(Context) : false; }
    THelpContextEvent OnHelp;

    // A message box with a caption; Flags as MB_ constants; returns ID_ value.
    Integer MessageBox(const QString& Text, const QString& Caption, Cardinal Flags = 0);

    // Hints.
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    Integer HintPause() const { return FHintPause; }
    void SetHintPause(Integer ms) { FHintPause = ms; }
    Integer HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(Integer ms) { FHintHidePause = ms; }
    Integer HintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(Integer ms) { FHintShortPause = ms; }
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor value) { FHintColor = value; }
    // Called for every mouse move over a control: starts or moves the hint.
    void HintMouseMessage(TControl* Control, TPoint ClientPos);
    // Shows the hint of the control under the point at once (screen point).
    void ActivateHint(TPoint CursorPos);
    void CancelHint();
    THintWindow* CurrentHintWindow() const;
    TControl* HintControl() const { return FHintControl; }

    // The loop's modal depth (message boxes and modal forms).
    Integer ModalLevel() const { return FModalLevel; }
    // A modal window or menu opens (a mouse capture in progress is cancelled) or closes.
    void ModalStarted();
    void ModalFinished() { --FModalLevel; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void FormCreated(TCustomForm* form);
    void HintTimerExpired();
    void StartHintTimer(Integer ms);
    void StopHintTimer();

    TCustomForm* FMainForm = nullptr;
    QString FTitle;
    bool FTerminated = false;
    bool FShowHint = true;
    Integer FHintPause = 500;
    Integer FHintHidePause = 2500;
    Integer FHintShortPause = 50;
    TColor FHintColor = clInfoBk;
    Integer FModalLevel = 0;
    TControl* FHintControl = nullptr;
    TPoint FHintCursor;
    bool FHintActive = false;
    THintWindow* FHintWindow = nullptr;
    struct TTimers;
    std::unique_ptr<TTimers> FTimers;
};

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TScreen"); }
    Integer Width() const;
    Integer Height() const;
    // The area not taken by task bars.
    TRect WorkAreaRect() const;
    Integer PixelsPerInch() const { return 96; }
    // The cursor shown over the whole program (crDefault: each control's own).
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    // Installs a cursor of the program's own under a cursor number: the
    // picture's transparent pixels let the screen show through, HotSpot is
    // the point that clicks.
    void SetCursorImage(TCursor Index, const TBitmap* Image, TPoint HotSpot);
    TCustomForm* ActiveForm() const;
    TWinControl* ActiveControl() const;
    Integer FormCount() const { return Integer(FForms.size()); }
    TCustomForm* Forms(Integer index) const { return FForms.at(size_t(index)); }

    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);

private:
    TCursor FCursor = crDefault;
    std::vector<TCustomForm*> FForms;
};

// The program's application and screen objects.
extern TApplication* Application;
extern TScreen* Screen;
// The hint window class the application makes for hints (replaceable).
extern THintWindowClass HintWindowClass;

// Mouse position on the screen.
TPoint GetCursorPos();
