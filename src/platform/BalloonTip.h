#pragma once
// TBalloonTip: the balloon-shaped tip window: an icon and a bold title above
// a wrapped text, in a rounded box whose stem points at a spot. It floats
// above the program's windows without taking the focus.
//
// As the tip of a control (the tool), it asks for its text each time the
// mouse has rested on the control for the initial delay, shows where the
// mouse is, and goes after the auto-hide delay, when the mouse leaves the
// control or when Pop is called. ShowAt shows it at once, pointing at any
// spot of the screen; the next key or click in the program takes it away.

#include <QString>

#include <functional>
#include <memory>

#include "platform/Graphics.h"

class QImage;
class TWinControl;
class TBalloonTipWindow;

enum TBalloonTipIcon { btiNone, btiInfo, btiWarning, btiError };

class TBalloonTip {
public:
    // Owner: the tool whose whole client area the tip covers; nullptr for a
    // tip shown only with ShowAt.
    explicit TBalloonTip(TWinControl* Owner);
    ~TBalloonTip();
    TBalloonTip(const TBalloonTip&) = delete;
    TBalloonTip& operator=(const TBalloonTip&) = delete;

    // Asked before every tip the tool shows: the client point under the
    // mouse; the title, text and icon start as last set. An empty text
    // shows nothing.
    std::function<void(TPoint ClientPos, QString& Title, QString& Text, Integer& Icon)> OnNeedText;

    // The title and icon (0 .. 3, other values no icon) the next tip starts with.
    void SetTitle(Integer Icon, const QString& Title);
    // Milliseconds; -1 leaves the system's value.
    void SetInitialDelay(Integer Ms);
    void SetReshowDelay(Integer Ms);
    void SetAutoHideDelay(Integer Ms);
    Integer InitialDelay() const { return FInitialDelay; }
    Integer ReshowDelay() const { return FReshowDelay; }
    Integer AutoHideDelay() const { return FAutoHideDelay; }
    // clNone leaves the system's tooltip colours.
    void SetTextColor(TColor Value);
    void SetBackgroundColor(TColor Value);
    void SetMaxTipWidth(Integer Value);
    // 255 opaque; less lets what is below show through.
    void SetAlpha(Byte Value);
    Byte Alpha() const { return FAlpha; }

    // Shows the tip with its stem at Spot (screen coordinates).
    void ShowAt(TPoint Spot, const QString& Title, const QString& Text, Integer Icon);
    // Hides the shown tip; for a tool, the next rest of the mouse asks again.
    void Pop();
    bool Showing() const;
    // The window as shown, in screen coordinates; empty when hidden.
    TRect ScreenRect() const;
    QString Title() const { return FTitle; }
    QString Text() const { return FText; }
    Integer Icon() const { return FIcon; }
    // The tip as drawn (for a look at it without a screen).
    QImage Grab() const;
    // Runs the wait that the mouse's rest started, at once.
    void FireInitialDelay();

private:
    friend class TBalloonTipWindow;
    void Rested(TPoint ClientPos);
    void ShowTool();

    TWinControl* FOwner;
    std::unique_ptr<TBalloonTipWindow> FWindow;
    QString FTitle, FText;
    Integer FIcon = 0;
    Integer FInitialDelay = -1, FReshowDelay = -1, FAutoHideDelay = -1;
    TColor FTextColor = clNone, FBackgroundColor = clNone;
    Integer FMaxWidth = 300;
    Byte FAlpha = 255;
    TPoint FRestPos{-1, -1};
    bool FPopped = false;
};
