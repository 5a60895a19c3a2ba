// Check boxes: asking for, applying and reporting a check state change,
// tri-state propagation to children and parents, radio siblings, the bulk
// operations, and the choice and drawing of a check image.

#include "platform/Form.h"
#include "platform/ImageList.h"
#include "platform/Accessibility.h"
#include "treeview/NodeTreesPrivate.h"

bool TBaseNodeTree::DoChecking(PDataNode Node, TCheckState& NewState)
{
    if (ReadOnly())
        return false;
    bool allowed = true;
    if (OnChecking)
        OnChecking(this, Node, NewState, allowed);
    return allowed;
}

void TBaseNodeTree::DoChecked(PDataNode Node)
{
    if (OnChecked)
        OnChecked(this, Node);
    NotifyAccessible({EVENT_OBJECT_STATECHANGE});
}

void TBaseNodeTree::ApplyCheckState(PDataNode Node, TCheckState Value)
{
    if (PropagateCheckState(Node, Value))
        DoChecked(Node);
}

TCheckState TBaseNodeTree::DetermineNextCheckState(TCheckType CheckType, TCheckState CheckState)
{
    switch (CheckType) {
    case ctTriStateCheckBox:
    case ctCheckBox: return GetToggled(CheckState);
    case ctRadioButton: return csCheckedNormal;
    case ctButton: return csUncheckedNormal;
    case ctNone: break;
    }
    return csMixedNormal;
}

void TBaseNodeTree::SetCheckState(PDataNode Node, TCheckState Value)
{
    if (Node->CheckState == Value || (Node->States & vsDisabled))
        return;
    if (DoChecking(Node, Value))
        ApplyCheckState(Node, Value);
}

bool TBaseNodeTree::PropagateCheckState(PDataNode Node, TCheckState Value)
{
    if (Node->States & vsChecking)
        return false;
    Node->States |= vsChecking;
    // Whatever a handler does, the node and the propagation count end clean.
    struct Leave {
        TBaseNodeTree* T;
        PDataNode N;
        bool Counted = false;
        ~Leave()
        {
            N->States &= ~vsChecking;
            if (Counted && --T->FCheckPropagationCount == 0)
                T->DoStateChange(0, tsCheckPropagation);
        }
    } leave{this, Node};
    if (!(Node->States & vsInitialized))
        InitNode(Node);
    else if (Node->CheckState == Value)
        return false;
    if (FCheckPropagationCount == 0)
        DoStateChange(tsCheckPropagation);
    ++FCheckPropagationCount;
    leave.Counted = true;
    const bool tracking = (FOptions->FAutoOptions & toAutoTristateTracking) != 0;
    if (Node->CheckType == ctTriStateCheckBox && tracking && Node->ChildCount > 0 &&
        (Value == csUncheckedNormal || Value == csCheckedNormal)) {
        Cardinal unchecked = 0, checked = 0, mixed = 0;
        for (PDataNode child = Node->FirstChild; child; child = child->NextSibling) {
            if (child->CheckType != ctCheckBox && child->CheckType != ctTriStateCheckBox)
                continue;
            if (!IsDisabled(child->CheckState))
                SetCheckState(child, Value);
            const TCheckState s = child->CheckState;
            if (Value == csUncheckedNormal) {
                if (s == csUncheckedNormal || s == csUncheckedDisabled)
                    ++unchecked;
                else if (s == csCheckedNormal || s == csCheckedDisabled)
                    ++checked;
                else if (s == csMixedNormal)
                    ++mixed;
            } else {
                if (s == csUncheckedNormal)
                    ++unchecked;
                else if (s == csCheckedNormal)
                    ++checked;
                else if (s == csMixedNormal)
                    ++mixed;
            }
        }
        if (mixed > 0)
            Value = csMixedNormal;
        else if (checked > 0)
            Value = unchecked > 0 ? csMixedNormal : csCheckedNormal;
    } else if (Node->CheckType == ctRadioButton && Value == csCheckedNormal) {
        for (PDataNode sib = Node->Parent->FirstChild; sib; sib = sib->NextSibling)
            if (sib->CheckType == ctRadioButton)
                sib->CheckState = csUncheckedNormal;
        Invalidate();
    }
    Node->CheckState = Value;
    PDataNode parent = Node->Parent;
    if (parent != FRoot && !(parent->States & vsInitialized))
        InitNode(parent);
    bool result = true;
    if (tracking && !(parent->States & (vsChecking | vsDisabled)) && (Node->CheckType == ctCheckBox || Node->CheckType == ctTriStateCheckBox) &&
        parent != FRoot && parent->CheckType == ctTriStateCheckBox)
        result = CheckParentCheckState(Node, Value);
    InvalidateNode(Node);
    return result;
}

bool TBaseNodeTree::CheckParentCheckState(PDataNode Node, TCheckState NewCheckState)
{
    Cardinal count = 0, checked = 0;
    bool mixed = false;
    for (PDataNode run = Node->Parent->FirstChild; run; run = run->NextSibling) {
        if (run->CheckType != ctCheckBox && run->CheckType != ctTriStateCheckBox)
            continue;
        const TCheckState s = run == Node ? NewCheckState : run->CheckState;
        ++count;
        if (IsChecked(s))
            ++checked;
        if (s == csMixedNormal)
            mixed = true;
    }
    TCheckState newState;
    if (checked > 0 || mixed)
        newState = checked < count ? csMixedNormal : csCheckedNormal;
    else
        newState = csUncheckedNormal;
    PDataNode parent = Node->Parent;
    const bool allowed = DoChecking(parent, newState);
    if (allowed)
        ApplyCheckState(parent, newState);
    return allowed;
}

void TBaseNodeTree::SetCheckType(PDataNode Node, TCheckType Value)
{
    if (Node->CheckType == Value || ReadOnly())
        return;
    Node->CheckType = Value;
    if (Value != ctTriStateCheckBox && (Node->CheckState == csMixedNormal || Node->CheckState == csMixedPressed))
        Node->CheckState = csUncheckedNormal;
    PDataNode parent = Node->Parent;
    if ((FOptions->FAutoOptions & toAutoTristateTracking) && (Value == ctTriStateCheckBox || Value == ctCheckBox) && parent != FRoot) {
        if (!(parent->States & vsInitialized))
            InitNode(parent);
        if (parent->CheckType == ctTriStateCheckBox) {
            const TCheckState ps = parent->CheckState;
            if (ps == csUncheckedNormal || ps == csUncheckedDisabled)
                SetCheckState(Node, csUncheckedNormal);
            else if (ps == csCheckedNormal || ps == csCheckedDisabled)
                SetCheckState(Node, csCheckedNormal);
        }
    }
    InvalidateNode(Node);
}

void TBaseNodeTree::SetCheckStateForAll(TCheckState aCheckState, bool pSelectedOnly, bool pExcludeDisabled)
{
    if (Screen)
        Screen->SetCursor(crHourGlass);
    BeginUpdate();
    struct End {
        TBaseNodeTree* T;
        ~End()
        {
            if (Screen)
                Screen->SetCursor(crDefault);
            T->EndUpdate();
        }
    } end{this};
    PDataNode node = pSelectedOnly ? GetFirstSelected() : GetFirst();
    while (node) {
        if (!(pExcludeDisabled && IsDisabled(node->CheckState)))
            SetCheckState(node, aCheckState);
        node = pSelectedOnly ? GetNextSelected(node) : GetNext(node);
    }
}

void TBaseNodeTree::ClearChecked()
{
    for (PDataNode node = GetFirstNoInit(); node; node = GetNextNoInit(node))
        if (node->CheckState != csUncheckedNormal)
            SetCheckState(node, csUncheckedNormal);
}

Cardinal TBaseNodeTree::CheckedCount()
{
    Cardinal result = 0;
    for (PDataNode node = GetFirstChecked(csCheckedNormal); node; node = GetNextChecked(node, csCheckedNormal))
        ++result;
    return result;
}

// ---------------------------------------------------------------- images

void TBaseNodeTree::SetCheckImageKind(TCheckImageKind Value)
{
    if (Value == FCheckImageKind)
        return;
    FCheckImageKind = Value;
    FCheckImages = GetCheckImageListFor(Value);
    if (FCheckImages == nullptr)
        FCheckImages = FCustomCheckImages;
    if (HandleAllocated() && FUpdateCount == 0 && !HasState(csLoading))
        Invalidate();
}

void TBaseNodeTree::SetCustomCheckImages(TCustomImageList* Value)
{
    if (Value == FCustomCheckImages)
        return;
    if (FCustomCheckImages) {
        FCustomCheckImages->UnRegisterChanges(FCustomCheckChangeLink.get());
        if (FCheckImages == FCustomCheckImages)
            FCheckImages = nullptr;
    }
    FCustomCheckImages = Value;
    if (FCustomCheckImages)
        FCustomCheckImages->RegisterChanges(FCustomCheckChangeLink.get());
    if (FCheckImageKind == ckCustom)
        FCheckImages = Value;
    if (!HasState(csLoading))
        Invalidate();
}

Integer TBaseNodeTree::GetCheckImage(PDataNode Node, TCheckType ImgCheckType, TCheckState ImgCheckState, bool ImgEnabled)
{
    bool hot = false;
    if (Node) {
        ImgCheckType = Node->CheckType;
        ImgCheckState = Node->CheckState;
        ImgEnabled = !(Node->States & vsDisabled) && Enabled();
        hot = Node == FCurrentHotNode;
    }
    if (IsDisabled(ImgCheckState)) {
        ImgCheckState = GetEnabled(ImgCheckState);
        ImgEnabled = false;
    }
    if (ImgCheckType == ctTriStateCheckBox)
        ImgCheckType = ctCheckBox;
    if (ImgCheckType == ctNone)
        return -1;
    const bool mixed = ImgCheckState == csMixedNormal || ImgCheckState == csMixedPressed;
    if (mixed || ImgCheckType == ctCheckBox) {
        Integer base;
        switch (ImgCheckState) {
        case csUncheckedNormal:
        case csUncheckedPressed: base = 9; break;
        case csCheckedNormal:
        case csCheckedPressed: base = 13; break;
        default: base = 17; break;
        }
        const bool pressed = ImgCheckState == csUncheckedPressed || ImgCheckState == csCheckedPressed || ImgCheckState == csMixedPressed;
        return !ImgEnabled ? base + 3 : pressed ? base + 2 : hot ? base + 1 : base;
    }
    if (ImgCheckType == ctRadioButton) {
        const Integer base = (ImgCheckState == csCheckedNormal || ImgCheckState == csCheckedPressed) ? 5 : 1;
        const bool pressed = ImgCheckState == csUncheckedPressed || ImgCheckState == csCheckedPressed;
        return !ImgEnabled ? base + 3 : pressed ? base + 2 : hot ? base + 1 : base;
    }
    const bool pressed = ImgCheckState == csUncheckedPressed || ImgCheckState == csCheckedPressed;
    return !ImgEnabled ? 24 : pressed ? 23 : hot ? 22 : 21;
}

void TBaseNodeTree::PaintCheckImage(TCanvas* Canvas, const TNtImageInfo& ImageInfo, bool Selected)
{
    // Drawn transparent without a blend style: the selection colour that goes
    // with it leaves the image as it is, so a selected row's box stays clear.
    TCustomImageList* list = ImageInfo.Images ? ImageInfo.Images : FCheckImages;
    if (list != nullptr)
        list->Draw(Canvas, ImageInfo.XPos, ImageInfo.YPos, ImageInfo.Index, true);
}
