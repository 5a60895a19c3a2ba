#pragma once
// The style engine: an application style other than the system's, the style
// services that draw its elements (over one of Qt's styles), and the style
// hooks through which a control of a registered class is painted in it.
// A hook sees each of its control's messages before the control does, and
// decides whether the control's own processing runs. Hooks are made for the
// windows created while a style is active, and go with their window or when
// the system style comes back.

#include <QString>
#include <QStringList>
#include <functional>

#include "platform/Control.h"

class TCanvas;

// Scroll-bar parts and states a style draws.
enum TThemedScrollBar {
    tsScrollBarDontCare,
    tsArrowBtnUpNormal, tsArrowBtnUpHot, tsArrowBtnUpPressed, tsArrowBtnUpDisabled,
    tsArrowBtnDownNormal, tsArrowBtnDownHot, tsArrowBtnDownPressed, tsArrowBtnDownDisabled,
    tsArrowBtnLeftNormal, tsArrowBtnLeftHot, tsArrowBtnLeftPressed, tsArrowBtnLeftDisabled,
    tsArrowBtnRightNormal, tsArrowBtnRightHot, tsArrowBtnRightPressed, tsArrowBtnRightDisabled,
    tsThumbBtnHorzNormal, tsThumbBtnHorzHot, tsThumbBtnHorzPressed, tsThumbBtnHorzDisabled,
    tsThumbBtnVertNormal, tsThumbBtnVertHot, tsThumbBtnVertPressed, tsThumbBtnVertDisabled,
    tsUpperTrackHorzNormal, tsUpperTrackHorzHot, tsUpperTrackHorzPressed, tsUpperTrackHorzDisabled,
    tsUpperTrackVertNormal, tsUpperTrackVertHot, tsUpperTrackVertPressed, tsUpperTrackVertDisabled,
};

// One element of the style: what DrawElement draws.
struct TThemedElementDetails {
    TThemedScrollBar ScrollBar = tsScrollBarDontCare;
};

// The active style's drawing.
class TCustomStyleServices {
public:
    // A style other than the system's is active and can draw.
    bool Available() const;
    bool Enabled() const { return Available(); }
    bool IsSystemStyle() const { return !Available(); }
    QString Name() const;
    TThemedElementDetails GetElementDetails(TThemedScrollBar Detail) const { return {Detail}; }
    // Draws the element over R; nothing while no style is active.
    void DrawElement(TCanvas* Canvas, const TThemedElementDetails& Details, const TRect& R) const;
};

TCustomStyleServices* StyleServices();

// The windowing system's own look.
inline const QString SystemStyleName = QStringLiteral("Windows");

class TStyleHook;
// Makes a hook for a control (StyleHookClassOf<T>).
using TStyleHookClass = TStyleHook* (*)(TWinControl* AControl);
template <class T>
TStyleHook* StyleHookClassOf(TWinControl* AControl)
{
    return new T(AControl);
}

class TStyleManager {
public:
    // Makes the named style active: one of StyleNames(), or the system
    // style (SystemStyleName or empty), which frees every hook. False for
    // a name no style has.
    static bool SetStyle(const QString& Name);
    static QString ActiveStyleName();
    static bool IsCustomStyleActive();
    static QStringList StyleNames();
    // Hooks by the class name of the controls they serve; the class last
    // registered for a control class is the one made.
    static void RegisterStyleHook(const QString& ControlClass, TStyleHookClass HookClass);
    static void UnRegisterStyleHook(const QString& ControlClass, TStyleHookClass HookClass);
    static bool IsStyleHookRegistered(const QString& ControlClass, TStyleHookClass HookClass);
    // The hook serving the control's window (nullptr for none).
    static TStyleHook* HookOf(const TWinControl* Control);

    // The layer tells the engine of each window made and going.
    static void WindowCreated(TWinControl* Control);
    static void WindowDestroyed(TWinControl* Control);
};

// Sees the control's messages first: WndProc sets FHandled to keep a
// message from the control's own processing, which CallDefaultProc runs
// at once when the hook wants it before doing more.
class TStyleHook : public TObject {
public:
    explicit TStyleHook(TWinControl* AControl);
    ~TStyleHook() override;
    TStyleHook(const TStyleHook&) = delete;
    TStyleHook& operator=(const TStyleHook&) = delete;
    TWinControl* Control() const { return FControl; }
    // Runs one message through the hook and, unless handled, the control.
    void HandleMessage(TMessage& Message);

protected:
    virtual void WndProc(TMessage& Message) {}
    void CallDefaultProc(TMessage& Message);
    // The window has a border (WS_BORDER or a client edge) / a client edge.
    bool HasBorder() const;
    bool HasClientEdge() const;

    TWinControl* FControl;
    bool FHandled = false;

private:
    std::function<void(TMessage& Message)> FOldWindowProc;
};

// A hook that follows the mouse into and out of its control.
class TMouseTrackControlStyleHook : public TStyleHook {
public:
    explicit TMouseTrackControlStyleHook(TWinControl* AControl) : TStyleHook(AControl) {}
    bool MouseInControl() const { return FMouseInControl; }

protected:
    void WndProc(TMessage& Message) override;
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}

private:
    bool FMouseInControl = false;
};
