#pragma once
// Drag and drop of data between windows, within the program and with other
// programs, over Qt's drag and drop: a window registers a drop target that
// is told of the drags passing over it; a control starts a drag of a data
// object and waits in the drag loop until it is dropped or cancelled. The
// effects are the DROPEFFECT_ bits; key states are the MK_ bits.
//
// Test seam (DragSeam): a test queues the course of the next drag as a
// procedure, which runs instead of the desktop's drag loop (it typically
// routes the drag to targets with TestInput::RoutedDrag) and answers the
// effect of the drop. With the seam strict (tests) a drag nobody queued is
// reported at once and ends cancelled instead of waiting for a mouse.

#include <functional>
#include <memory>

#include "platform/ComResult.h"
#include "platform/Messages.h"

class QImage;
class QMimeData;
class TWinControl;


// What a drop does.
constexpr Integer DROPEFFECT_NONE = 0;
constexpr Integer DROPEFFECT_COPY = 1;
constexpr Integer DROPEFFECT_MOVE = 2;
constexpr Integer DROPEFFECT_LINK = 4;
constexpr Integer DROPEFFECT_SCROLL = Integer(0x80000000u);

// The Alt key in a drag's key state (beside the MK_ bits of mouse messages).
constexpr WPARAM MK_ALT = 0x0020;

// A window that takes drops. Points are in screen coordinates; Effect comes
// in as the effects the source allows and goes out as the one the target
// would take (DROPEFFECT_NONE refuses). The data object lives for the drag.
class IDropTarget {
public:
    virtual ~IDropTarget() = default;
    virtual HRESULT DragEnter(const QMimeData* DataObject, Integer KeyState, TPoint Pt, Integer& Effect) = 0;
    virtual HRESULT DragOver(Integer KeyState, TPoint Pt, Integer& Effect) = 0;
    virtual HRESULT DragLeave() = 0;
    virtual HRESULT Drop(const QMimeData* DataObject, Integer KeyState, TPoint Pt, Integer& Effect) = 0;
};

// The side that starts a drag: asked while the drag runs whether it goes on.
class IDropSource {
public:
    virtual ~IDropSource() = default;
    // DRAGDROP_S_CANCEL ends the drag, DRAGDROP_S_DROP drops, S_OK goes on.
    virtual HRESULT QueryContinueDrag(bool EscapePressed, Integer KeyState) = 0;
    virtual HRESULT GiveFeedback(Integer Effect) = 0;
};

// Registers Target for the window's drops (see RegisterDragDrop); the
// registration keeps a reference to it until it is revoked or the window goes.
bool RegisterDropTarget(HWND Wnd, std::shared_ptr<IDropTarget> Target);

// Runs the drag of DataObject (the drag takes it over and frees it) from
// the control's window until it is dropped or cancelled. Effect receives the
// effect the target took, DROPEFFECT_NONE for a cancelled or refused drag.
// DRAGDROP_S_DROP or DRAGDROP_S_CANCEL; E_FAIL when no drag could start.
HRESULT DoDragDrop(TWinControl* Control, QMimeData* DataObject, IDropSource* Source, Integer AllowedEffects, Integer& Effect);

// Whether the desktop's drag shows a picture under the pointer itself (the
// drag image helper): then a source hands it its picture with SetDragImage
// instead of drawing one.
bool DragImageHelperAvailable();
// The picture the drag of DataObject shows, HotSpot being the pointer's
// place in it; false when the desktop shows none (the source draws its own).
bool SetDragImage(QMimeData* DataObject, const QImage& Picture, TPoint HotSpot);

// The effect bits of a drop action set and back (Qt's actions behind), the
// one action of a chosen effect (move before copy before link), and the
// MK_ key state of Qt's mouse buttons and keyboard modifiers.
Integer DropEffectsOf(int QtActions);
int QtActionsOf(Integer Effects);
int QtActionOf(Integer Effect);
WPARAM DragKeyStateOf(int QtButtons, int QtModifiers);

namespace DragSeam {
// The course of one drag: gets the data and the allowed effects, answers the
// effect of the drop (DROPEFFECT_NONE for a cancel).
using TDragScript = std::function<Integer(QMimeData* DataObject, Integer AllowedEffects)>;
void QueueDrag(TDragScript Script);
// Scripts still queued (a test expects none left).
Integer PendingDrags();
void Clear();
// Strict: a drag nobody queued goes to the handler and ends cancelled.
void SetStrict(bool Strict);
void SetUnqueuedHandler(std::function<void()> Handler);
} // namespace DragSeam
