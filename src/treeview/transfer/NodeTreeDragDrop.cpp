// Drag and drop: the tree as a source (the pending drag, the drag of the
// selection with its data object and picture, moved nodes deleted) and as
// a target (the node under the pointer and the drop mode, the effect the
// keys suggest, scrolling and opening collapsed nodes while dragging, the
// drop), over the desktop's drag and drop or the program's own in-process
// dragging; and the drag manager between the tree and the desktop.

#include "treeview/transfer/NodeTreeDragManager.h"

#include <QMimeData>
#include <stdexcept>

#include "platform/Form.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"
#include "treeview/transfer/NodeTreeDataObject.h"
#include "treeview/transfer/NodeTreeDragImage.h"

// ---------------------------------------------------------------- the drag manager

TNtDragManager::TNtDragManager(TBaseNodeTree* AOwner) : FOwner(AOwner), FDropTargetHelper(DragImageHelperAvailable()) {}

TNtDragManager::~TNtDragManager() = default;

HRESULT TNtDragManager::DragEnter(const QMimeData* DataObject, Integer KeyState, TPoint Pt, Integer& Effect)
{
    if (FOwner == nullptr)
        return E_UNEXPECTED;
    FDataObject = DataObject;
    FIsDropTarget = true;
    FDropTargetHelper = DragImageHelperAvailable();
    FDragSource = FOwner->GetTreeFromDataObject(DataObject);
    return FOwner->OleDragEnter(KeyState, Pt, Effect);
}

HRESULT TNtDragManager::DragOver(Integer KeyState, TPoint Pt, Integer& Effect)
{
    if (FOwner == nullptr)
        return E_UNEXPECTED;
    return FOwner->OleDragOver(FDragSource, KeyState, dsDragMove, Pt, Effect);
}

HRESULT TNtDragManager::DragLeave()
{
    if (FOwner != nullptr)
        FOwner->OleDragLeave();
    FIsDropTarget = false;
    FDragSource = nullptr;
    FDataObject = nullptr;
    return S_OK;
}

HRESULT TNtDragManager::Drop(const QMimeData* DataObject, Integer KeyState, TPoint Pt, Integer& Effect)
{
    const HRESULT result = FOwner != nullptr ? FOwner->OleDrop(DataObject, KeyState, Pt, Effect) : E_UNEXPECTED;
    // The source stays known until the next drag enters.
    FIsDropTarget = false;
    FDataObject = nullptr;
    return result;
}

HRESULT TNtDragManager::QueryContinueDrag(bool EscapePressed, Integer KeyState)
{
    if (EscapePressed || ((KeyState & MK_LBUTTON) && (KeyState & MK_RBUTTON)))
        return DRAGDROP_S_CANCEL;
    if (!(KeyState & (MK_LBUTTON | MK_RBUTTON)))
        return DRAGDROP_S_DROP;
    return S_OK;
}

HRESULT TNtDragManager::GiveFeedback(Integer)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

void TNtDragManager::ForceDragLeave()
{
    // The desktop's drag picture ends with its drag loop: nothing is left to let go.
}

QMimeData* TNtDragManager::GetDataObject()
{
    if (FIsDropTarget)
        return const_cast<QMimeData*>(FDataObject);
    if (FOwner == nullptr)
        return nullptr;
    if (QMimeData* own = FOwner->DoCreateDataObject())
        return own;
    return new TNtDataObject(FOwner, false);
}

// ---------------------------------------------------------------- the tree's manager

std::shared_ptr<INtDragManager> TBaseNodeTree::DragManager()
{
    if (!FDragManager) {
        FDragManager = DoCreateDragManager();
        if (!FDragManager)
            FDragManager = std::make_shared<TNtDragManager>(this);
    }
    return FDragManager;
}

std::shared_ptr<INtDragManager> TBaseNodeTree::DoCreateDragManager()
{
    std::shared_ptr<INtDragManager> result;
    if (OnCreateDragManager)
        OnCreateDragManager(this, result);
    return result;
}

QMimeData* TBaseNodeTree::DoCreateDataObject()
{
    QMimeData* result = nullptr;
    if (OnCreateDataObject)
        OnCreateDataObject(this, result);
    return result;
}

void TBaseNodeTree::UpdateDropTargetRegistration()
{
    if (!HandleAllocated() || HasState(csDesigning))
        return;
    const bool wanted = (FOptions->MiscOptions() & toAcceptOLEDrop) != 0;
    if (wanted == FDropTargetRegistered)
        return;
    if (wanted) {
        auto target = std::dynamic_pointer_cast<IDropTarget>(DragManager());
        FDropTargetRegistered = target && RegisterDropTarget(Handle(), target);
    } else {
        RevokeDragDrop(Handle());
        FDropTargetRegistered = false;
    }
}

// ---------------------------------------------------------------- the source

bool TBaseNodeTree::DoDragAllowed(PDataNode Node, TColumnIndex Column)
{
    bool allowed = false;
    if (OnDragAllowed)
        OnDragAllowed(this, Node, Column, allowed);
    return allowed;
}

void TBaseNodeTree::BeginDrag(bool Immediate, Integer Threshold)
{
    if (FDragType == dtVCL) {
        DoStateChange(tsVCLDragPending);
        TCustomControl::BeginDrag(Immediate, Threshold);
        return;
    }
    if (HasTreeState(tsOLEDragPending | tsOLEDragging))
        return;
    FDragThreshold = Threshold < 0 ? GetSystemMetrics(SM_CXDRAG) : Threshold;
    if (Immediate)
        StartOleDrag(FLastClickPos);
    else
        DoStateChange(tsOLEDragPending);
}

bool TBaseNodeTree::Dragging() const
{
    return HasTreeState(tsOLEDragPending | tsOLEDragging) || TCustomControl::Dragging();
}

void TBaseNodeTree::StartOleDrag(TPoint P)
{
    if (HasTreeState(tsEditPending)) {
        KillTreeTimer(EditTimer);
        DoStateChange(0, tsEditPending);
    }
    if (HasTreeState(tsEditing))
        CancelEditNode();
    if (FCurrentHotNode) {
        InvalidateNode(FCurrentHotNode);
        FCurrentHotNode = nullptr;
    }
    if (FFocusedNode && !(FFocusedNode->States & vsSelected)) {
        InternalAddToSelection(FFocusedNode, false);
        InvalidateNode(FFocusedNode);
    }
    Update();
    FDragSelection = GetSortedSelection(true);
    DoStateChange(tsOLEDragging, tsOLEDragPending | tsClearPending);
    struct TEnd {
        TBaseNodeTree* T;
        ~TEnd() { T->FDragSelection.clear(); }
    } end{this};
    {
        TDragObject* userObject = nullptr;
        DoStartDrag(userObject);
        delete userObject;
    }
    std::shared_ptr<INtDragManager> manager = DragManager();
    auto finish = [this, &manager] {
        const TPoint p2 = ScreenToClient(GetCursorPos());
        DoEndDrag(this, p2.X, p2.Y);
        FDragImage->EndDrag();
        if (FLastDragEffect == DROPEFFECT_MOVE && (FOptions->AutoOptions() & toAutoDeleteMovedNodes))
            DeleteSelectedNodes();
        DoStateChange(0, tsOLEDragging);
    };
    try {
        QMimeData* data = manager->GetDataObject();
        PrepareDragImage(P, data);
        FLastDropMode = dmOnNode;
        FLastDragEffect = DROPEFFECT_NONE;
        Integer allowed = 0;
        if (FDragOperations == 0)
            allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        else {
            if (FDragOperations & doCopy)
                allowed |= DROPEFFECT_COPY;
            if (FDragOperations & doMove)
                allowed |= DROPEFFECT_MOVE;
            if (FDragOperations & doLink)
                allowed |= DROPEFFECT_LINK;
        }
        RunOleDragLoop(allowed, data, FLastDragEffect);
        manager->ForceDragLeave();
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TBaseNodeTree::RunOleDragLoop(Integer AllowedEffects, QMimeData* DataObject, Integer& Effect)
{
    auto source = std::dynamic_pointer_cast<IDropSource>(DragManager());
    ::DoDragDrop(this, DataObject, source.get(), AllowedEffects, Effect);
}

void TBaseNodeTree::DoStartDrag(TDragObject*& DragObject)
{
    TCustomControl::DoStartDrag(DragObject);
    if (DragObject != nullptr)
        DoStateChange(tsUserDragObject);
}

void TBaseNodeTree::DoEndDrag(TObject* Target, Integer X, Integer Y)
{
    TCustomControl::DoEndDrag(Target, X, Y);
    FinishDragStates();
}

void TBaseNodeTree::DragCanceled()
{
    TCustomControl::DragCanceled();
    FinishDragStates();
}

void TBaseNodeTree::FinishDragStates()
{
    if (!HasTreeState(tsOLEDragging | tsVCLDragging | tsVCLDragPending | tsVCLDragFinished))
        return;
    DoStateChange(0, tsUserDragObject | tsVCLDragging | tsVCLDragPending | tsVCLDragFinished);
    // The drag consumed the button's release: the tree gets one now.
    const TPoint p = ScreenToClient(GetCursorPos());
    const Cardinal msg = HasTreeState(tsRightButtonDown) ? WM_RBUTTONUP : HasTreeState(tsMiddleButtonDown) ? WM_MBUTTONUP : WM_LBUTTONUP;
    Perform(msg, 0, PointToLParam(p));
}

// ---------------------------------------------------------------- the target

TShiftState TBaseNodeTree::DragShiftState(Integer KeyState) const
{
    TShiftState shift = KeysToShiftState(WPARAM(KeyState) & (MK_SHIFT | MK_CONTROL));
    if (KeyState & MK_ALT)
        shift |= ssAlt;
    else
        shift -= ssAlt;
    if (HasTreeState(tsLeftButtonDown))
        shift |= ssLeft;
    if (HasTreeState(tsMiddleButtonDown))
        shift |= ssMiddle;
    if (HasTreeState(tsRightButtonDown))
        shift |= ssRight;
    return shift;
}

bool TBaseNodeTree::DoDragOver(TObject* Source, TShiftState Shift, TDragState State, TPoint Pt, TDropMode Mode, Integer& Effect)
{
    bool accept = false;
    if (OnDragOver)
        OnDragOver(this, Source, Shift, State, Pt, Mode, Effect, accept);
    return accept;
}

void TBaseNodeTree::DoDragDrop(TObject* Source, const QMimeData* DataObject, const TFormatArray& Formats, TShiftState Shift, TPoint Pt,
                               Integer& Effect, TDropMode Mode)
{
    if (OnDragDrop)
        OnDragDrop(this, Source, DataObject, Formats, Shift, Pt, Effect, Mode);
}

Integer TBaseNodeTree::SuggestDropEffect(TObject* Source, TShiftState Shift, TPoint, Integer AllowedEffects)
{
    Integer base = AllowedEffects;
    if (Source == this && (AllowedEffects & DROPEFFECT_MOVE))
        base = DROPEFFECT_MOVE;
    else if (Source != this && (AllowedEffects & DROPEFFECT_COPY))
        base = DROPEFFECT_COPY;
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift), alt = Shift.Contains(ssAlt);
    auto allowedOr = [&](Integer E) { return (AllowedEffects & E) ? E : base; };
    if (ctrl && shift)
        return allowedOr(DROPEFFECT_LINK);
    if (ctrl)
        return allowedOr(DROPEFFECT_COPY);
    if (shift)
        return allowedOr(DROPEFFECT_MOVE);
    if (alt)
        return allowedOr(DROPEFFECT_LINK);
    return base;
}

TDropMode TBaseNodeTree::DropModeAt(TPoint P, THitInfo& HitInfo, TRect NodeRect)
{
    const TNtSelectionOptions sel = FOptions->SelectionOptions();
    const TNtMiscOptions misc = FOptions->MiscOptions();
    const bool labelHit = (HitInfo.HitPositions & (hiOnItemLabel | hiOnNormalIcon | hiOnStateIcon)) != 0;
    const bool onRow = (HitInfo.HitPositions & hiOnItem) && ((misc & toFullRowDrag) || (sel & toFullRowSelect));
    if ((misc & toReportMode) && !onRow && (!labelHit || HitInfo.HitColumn != FHeader->MainColumn()))
        HitInfo.HitNode = nullptr;
    if (HitInfo.HitNode == nullptr)
        return dmNowhere;
    if (labelHit || !(FOptions->PaintOptions() & toShowDropmark))
        return dmOnNode;
    // Halves of the row; the division truncates toward zero.
    return P.Y < (NodeRect.Top + NodeRect.Bottom) / 2 ? dmAbove : dmBelow;
}

HRESULT TBaseNodeTree::OleDragEnter(Integer KeyState, TPoint Pt, Integer& Effect)
{
    try {
        FDragScrollStart = 0;
        std::shared_ptr<INtDragManager> manager = DragManager();
        TBaseNodeTree* source = manager->GetDragSource();
        const TShiftState shift = DragShiftState(KeyState);
        const TPoint p = ScreenToClient(Pt);
        Effect = SuggestDropEffect(source, shift, p, Effect);
        if (!DoDragOver(source, shift, dsDragEnter, p, FLastDropMode, Effect)) {
            Effect = DROPEFFECT_NONE;
        } else {
            THitInfo hit;
            GetHitTestInfoAt(p.X, p.Y, true, hit);
            if (hit.HitNode) {
                FDropTargetNode = hit.HitNode;
                const TRect r = GetDisplayRect(hit.HitNode, FHeader->MainColumn(), false);
                const bool onNode = (hit.HitPositions & hiOnItemLabel) ||
                                    ((hit.HitPositions & hiOnItem) &&
                                     ((FOptions->MiscOptions() & toFullRowDrag) || (FOptions->SelectionOptions() & toFullRowSelect)));
                FLastDropMode = onNode ? dmOnNode : p.Y < (r.Top + r.Bottom) / 2 ? dmAbove : dmBelow;
            } else {
                FLastDropMode = dmNowhere;
            }
        }
        if (!manager->GetDropTargetHelperSupported() && source != nullptr)
            source->FDragImage->ShowDragImage();
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT TBaseNodeTree::OleDragOver(TObject* Source, Integer KeyState, TDragState State, TPoint Pt, Integer& Effect)
{
    try {
        std::shared_ptr<INtDragManager> manager = DragManager();
        auto* sourceTree = dynamic_cast<TBaseNodeTree*>(Source);
        TBaseNodeTree* imageTree = nullptr;
        Cardinal scrollOptions = AllScrollOptions;
        if (!manager->GetDropTargetHelperSupported() && sourceTree != nullptr) {
            imageTree = sourceTree;
            scrollOptions = soUpdateScrollBars;
        }
        const TPoint p0 = Pt;
        const TPoint p = ScreenToClient(Pt);
        const TShiftState shift = DragShiftState(KeyState);

        FScrollDirections = ScrollDirectionsAt(p.X, p.Y);
        Integer deltaX = 0, deltaY = 0;
        bool scrolled = false;
        if (FScrollDirections != 0) {
            const Integer vInc = std::min<Integer>(ClientHeight(), FScrollBarOptions->VerticalIncrement());
            const Integer hInc = FScrollBarOptions->HorizontalIncrement();
            if (FScrollDirections & sdUp) {
                deltaY = vInc;
                if (FOffsetY == 0)
                    FScrollDirections &= ~sdUp;
            }
            if (FScrollDirections & sdDown) {
                deltaY = -vInc;
                if (ClientHeight() - FOffsetY == Integer(FRangeY))
                    FScrollDirections &= ~sdDown;
            }
            if (FScrollDirections & sdLeft) {
                deltaX = hInc;
                if (FEffectiveOffsetX == 0)
                    FScrollDirections &= ~sdLeft;
            }
            if (FScrollDirections & sdRight) {
                deltaX = -hInc;
                if (ClientWidth() + FEffectiveOffsetX == Integer(FRangeX))
                    FScrollDirections &= ~sdRight;
            }
            scrolled = ScrollToOffset(TPoint(FOffsetX + deltaX, FOffsetY + deltaY), scrollOptions, nullptr);
        }

        THitInfo hit;
        GetHitTestInfoAt(p.X, p.Y, true, hit);
        const TRect nodeRect = hit.HitNode ? GetDisplayRect(hit.HitNode, NoColumn, false) : TRect();
        const TDropMode mode = DropModeAt(p, hit, nodeRect);
        const bool imageWillMove = imageTree != nullptr && imageTree->FDragImage->WillMove(p0);
        auto refresh = [&](const TRect& R) {
            if (imageTree != nullptr) {
                if (scrolled)
                    RefreshUnderDragImage(imageTree, ClientRect(), !imageWillMove);
                else
                    RefreshUnderDragImage(imageTree, R, !imageWillMove);
            } else {
                InvalidateRectangle(R);
            }
        };
        if (hit.HitNode != FDropTargetNode || mode != FLastDropMode) {
            FLastDropMode = mode;
            if (hit.HitNode == FDropTargetNode) {
                refresh(nodeRect);
            } else {
                KillTreeTimer(ExpandTimer);
                PDataNode old = FDropTargetNode;
                FDropTargetNode = hit.HitNode;
                if (FFocusedColumn <= NoColumn)
                    FFocusedColumn = FHeader->MainColumn();
                if (old != nullptr && FDropTargetNode != nullptr) {
                    TRect both;
                    UnionRect(both, nodeRect, GetDisplayRect(old, NoColumn, false));
                    refresh(both);
                } else if (old != nullptr) {
                    refresh(GetDisplayRect(old, NoColumn, false));
                } else {
                    refresh(nodeRect);
                }
                if ((FOptions->AutoOptions() & toAutoDropExpand) && FDropTargetNode && (FDropTargetNode->States & vsHasChildren))
                    SetTreeTimer(ExpandTimer, FAutoExpandDelay);
            }
        } else if (imageTree != nullptr && (deltaX != 0 || deltaY != 0)) {
            RefreshUnderDragImage(imageTree, ClientRect(), !imageWillMove);
        }
        Update();
        if (imageTree != nullptr && imageWillMove)
            imageTree->FDragImage->DragTo(p0, false);

        Effect = SuggestDropEffect(Source, shift, p, Effect);
        if (!DoDragOver(Source, shift, State, p, FLastDropMode, Effect))
            Effect = DROPEFFECT_NONE;
        if (scrolled)
            Effect |= DROPEFFECT_SCROLL;
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

void TBaseNodeTree::OleDragLeave()
{
    KillTreeTimer(ExpandTimer);
    std::shared_ptr<INtDragManager> manager = DragManager();
    if (!manager->GetDropTargetHelperSupported())
        if (TBaseNodeTree* source = manager->GetDragSource())
            source->FDragImage->HideDragImage();
    if (FDropTargetNode) {
        InvalidateNode(FDropTargetNode);
        FDropTargetNode = nullptr;
    }
    Update();
    Integer effect = DROPEFFECT_NONE;
    DoDragOver(nullptr, TShiftState(), dsDragLeave, TPoint(0, 0), FLastDropMode, effect);
}

HRESULT TBaseNodeTree::OleDrop(const QMimeData* DataObject, Integer KeyState, TPoint Pt, Integer& Effect)
{
    KillTreeTimer(ExpandTimer);
    KillTreeTimer(ScrollTimer);
    DoStateChange(0, tsScrollPending | tsScrolling);
    std::shared_ptr<INtDragManager> manager = DragManager();
    TBaseNodeTree* source = manager->GetDragSource();
    HRESULT result = OleDragOver(source, KeyState, dsDragMove, Pt, Effect);
    if (result != S_OK || (Effect & ~DROPEFFECT_SCROLL) == DROPEFFECT_NONE) {
        result = E_FAIL;
    } else {
        try {
            TShiftState shift = DragShiftState(KeyState) - ssLeft - ssMiddle - ssRight;
            shift |= HasTreeState(tsRightButtonDown) ? ssRight : HasTreeState(tsMiddleButtonDown) ? ssMiddle : ssLeft;
            const TPoint p = ScreenToClient(Pt);
            const TFormatArray formats = DataObject != nullptr ? DataObject->formats() : TFormatArray();
            Effect &= ~DROPEFFECT_SCROLL;
            DoDragDrop(source, DataObject, formats, shift, p, Effect, FLastDropMode);
        } catch (const std::exception& e) {
            if (Application != nullptr)
                Application->HandleException(this, e);
            result = E_UNEXPECTED;
        } catch (...) {
            result = E_UNEXPECTED;
        }
    }
    if (FDropTargetNode) {
        InvalidateNode(FDropTargetNode);
        FDropTargetNode = nullptr;
    }
    return result;
}

void TBaseNodeTree::ExpandDropTarget()
{
    KillTreeTimer(ExpandTimer);
    if (FDropTargetNode == nullptr || !(FDropTargetNode->States & vsHasChildren) || (FDropTargetNode->States & vsExpanded))
        return;
    TBaseNodeTree* source = FDragManager ? FDragManager->GetDragSource() : nullptr;
    const bool ownImage = source != nullptr && FDragManager && !FDragManager->GetDropTargetHelperSupported();
    if (ownImage)
        source->FDragImage->HideDragImage();
    ToggleNode(FDropTargetNode);
    Update();
    if (ownImage)
        source->FDragImage->ShowDragImage();
}

// ---------------------------------------------------------------- in-process drags

void TBaseNodeTree::CMDrag(TMessage& Message)
{
    auto* rec = reinterpret_cast<TDragRec*>(Message.LParam);
    if (rec == nullptr)
        return;
    TObject* source = rec->Source;
    if (!HasTreeState(tsUserDragObject))
        if (auto* control = dynamic_cast<TBaseDragControlObject*>(rec->Source))
            source = control->Control();
    auto keyState = [] {
        Integer k = 0;
        if (GetKeyState(VK_SHIFT) < 0)
            k |= MK_SHIFT;
        if (GetKeyState(VK_CONTROL) < 0)
            k |= MK_CONTROL;
        return k;
    };
    const TDragMessage what = TDragMessage(Message.WParam);
    switch (what) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
        TDragState state = dsDragMove;
        if (what == dmDragEnter) {
            DoStateChange(tsVCLDragging);
            state = dsDragEnter;
        } else if (what == dmDragLeave) {
            DoStateChange(tsVCLDragFinished, tsVCLDragging);
            state = dsDragLeave;
        } else {
            const TPoint p = ScreenToClient(rec->Pos);
            UpdateAutoScroll(p.X, p.Y);
        }
        Integer effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        OleDragOver(source, keyState(), state, rec->Pos, effect);
        FLastVCLDragTarget = FDropTargetNode;
        FVCLDragEffect = effect;
        if (what == dmDragLeave && FDropTargetNode) {
            InvalidateNode(FDropTargetNode);
            FDropTargetNode = nullptr;
        }
        Message.Result = effect;
        break;
    }
    case dmDragDrop: {
        const Integer keys = keyState();
        if (FDropTargetNode)
            InvalidateNode(FDropTargetNode);
        FDropTargetNode = FLastVCLDragTarget;
        const TPoint p = ScreenToClient(rec->Pos);
        try {
            DoDragDrop(source, nullptr, TFormatArray(), KeysToShiftState(WPARAM(keys)), p, FVCLDragEffect, FLastDropMode);
        } catch (...) {
            if (FDropTargetNode)
                InvalidateNode(FDropTargetNode);
            FDropTargetNode = nullptr;
            throw;
        }
        if (FDropTargetNode)
            InvalidateNode(FDropTargetNode);
        FDropTargetNode = nullptr;
        break;
    }
    case dmFindTarget:
        Message.Result = LRESULT(static_cast<TControl*>(this));
        if (HasTreeState(tsVCLDragPending))
            DoStateChange(tsVCLDragging, tsVCLDragPending | tsEditPending | tsClearPending);
        break;
    default: break;
    }
}
