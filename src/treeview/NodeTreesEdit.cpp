// Node editing: starting an edit (EditNode, F2, click and wait, double
// click), ending and cancelling it, keeping the editor over its cell, and
// the string tree's edit link with its edit control.

#include "platform/Bitmap.h"
#include "platform/Form.h"
#include "treeview/NodeTreesEditLink.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"

// ---------------------------------------------------------------- the tree

bool TBaseNodeTree::DoCanEdit(PDataNode Node, TColumnIndex Column)
{
    bool allowed = true;
    if (OnEditing)
        OnEditing(this, Node, Column, allowed);
    return allowed;
}

bool TBaseNodeTree::CanEdit(PDataNode Node, TColumnIndex Column)
{
    TNodeTreeColumns* columns = FHeader->Columns();
    bool allowed = (FOptions->FMiscOptions & toEditable) && Enabled() && !(FOptions->FMiscOptions & toReadOnly) &&
                   (Column < 0 || (columns->IsValidColumn(Column) && (columns->Items(Column)->Options() & coEditable)));
    if (!allowed)
        return false;
    return DoCanEdit(Node, Column);
}

bool TBaseNodeTree::EditNode(PDataNode Node, TColumnIndex Column)
{
    TREE_ASSERT(Node != nullptr, "Node must not be nil.");
    TREE_ASSERT(Column >= NoColumn && Column < FHeader->Columns()->Count(), "Column must be a valid column index (-1 if no header is shown).");
    if (HasTreeState(tsEditing) || (FOptions->FMiscOptions & toReadOnly))
        return IsEditing();
    SetFocusedNode(Node);
    if (FFocusedNode == Node && CanEdit(Node, Column)) {
        FEditColumn = Column;
        if (!(Node->States & vsInitialized))
            InitNode(Node);
        DoEdit();
    }
    return IsEditing();
}

PNtEditLink TBaseNodeTree::DoCreateEditor(PDataNode Node, TColumnIndex Column)
{
    PNtEditLink link;
    if (OnCreateEditor)
        OnCreateEditor(this, Node, Column, link);
    return link;
}

void TBaseNodeTree::DoEdit()
{
    if (Application)
        Application->CancelHint();
    KillTreeTimer(ScrollTimer);
    KillTreeTimer(EditTimer);
    DoStateChange(0, tsEditPending);
    if (FFocusedNode && !(FFocusedNode->States & vsDisabled) && !(FOptions->FMiscOptions & toReadOnly) && !FEditLink) {
        FEditLink = DoCreateEditor(FFocusedNode, FEditColumn);
        if (!FEditLink)
            return;
        DoStateChange(tsEditing, tsToggleFocusedSelection | tsClearPending | tsDrawSelPending | tsDrawSelecting | tsMouseCheckPending |
                                     tsOLEDragging | tsOLEDragPending | tsScrolling | tsScrollPending);
        ScrollIntoView(FFocusedNode, (FOptions->FSelectionOptions & toCenterScrollIntoView) != 0,
                       !(FOptions->FAutoOptions & toDisableAutoscrollOnEdit));
        // Held here: an editor may drop its own reference while it starts.
        PNtEditLink link = FEditLink;
        if (link->PrepareEdit(this, FFocusedNode, FEditColumn)) {
            UpdateEditBounds();
            InvalidateNode(FFocusedNode);
            if (!link->BeginEdit())
                DoStateChange(0, tsEditing);
        } else {
            DoStateChange(0, tsEditing);
        }
        if (!HasTreeState(tsEditing))
            FEditLink.reset();
    }
}

bool TBaseNodeTree::DoEndEdit()
{
    KillTreeTimer(EditTimer);
    bool result = false;
    if (HasTreeState(tsEditing) && FEditLink) {
        PNtEditLink link = FEditLink;
        result = link->EndEdit();
        if (result) {
            DoStateChange(0, tsEditing);
            FEditLink.reset();
            if (OnEdited)
                OnEdited(this, FFocusedNode, FEditColumn);
        }
    }
    DoStateChange(0, tsEditPending);
    return result;
}

bool TBaseNodeTree::DoCancelEdit()
{
    KillTreeTimer(EditTimer);
    DoStateChange(0, tsEditPending);
    bool result = false;
    if (HasTreeState(tsEditing) && FEditLink) {
        PNtEditLink link = FEditLink;
        result = link->CancelEdit();
        if (result) {
            DoStateChange(0, tsEditing);
            if (OnEditCancelled)
                OnEditCancelled(this, FEditColumn);
            if (!FDestroying)
                FEditLink.reset();
        }
    }
    return result;
}

bool TBaseNodeTree::EndEditNode()
{
    if (HasTreeState(tsEditing | tsEditPending))
        return DoEndEdit();
    return true;
}

bool TBaseNodeTree::CancelEditNode()
{
    if (HandleAllocated() && HasTreeState(tsEditing | tsEditPending))
        return DoCancelEdit();
    return true;
}

void TBaseNodeTree::UpdateEditBounds()
{
    if (!HasTreeState(tsEditing) || !FFocusedNode || !FEditLink || FEditColumn >= FHeader->Columns()->Count() ||
        !IsMainThread())
        return;
    TRect r = GetDisplayRect(FFocusedNode, FEditColumn, true, !(FFocusedNode->States & vsMultiline), false);
    if (FOptions->FMiscOptions & toGridExtensions) {
        TNodeTreeColumns* columns = FHeader->Columns();
        TAlignment alignment = FAlignment;
        TBiDiMode bidi = FBiDiMode;
        if (columns->IsValidColumn(FEditColumn)) {
            alignment = columns->Items(FEditColumn)->Alignment();
            bidi = columns->Items(FEditColumn)->BiDiMode();
        }
        if (bidi != bdLeftToRight)
            alignment = alignment == taLeftJustify ? taRightJustify : alignment == taRightJustify ? taLeftJustify : alignment;
        Integer left = 0, right = 0;
        columns->GetColumnBounds(FEditColumn, left, right);
        if (alignment == taLeftJustify)
            r.Right = right;
        else
            r.Left = left;
    }
    if (FOptions->FPaintOptions & toShowHorzGridLines)
        --r.Bottom;
    const TRect current = FEditLink->GetBounds();
    r.Bottom = r.Top + std::max(r.Height(), current.Height());
    FEditLink->SetBounds(r);
}

PNtEditLink TCustomNodeStringTree::DoCreateEditor(PDataNode Node, TColumnIndex Column)
{
    PNtEditLink link = TBaseNodeTree::DoCreateEditor(Node, Column);
    if (!link)
        link = std::make_shared<TStringEditLink>();
    return link;
}

// ---------------------------------------------------------------- the edit control

TNtEdit::TNtEdit(TStringEditLink* Link) : TCustomEdit(nullptr), FLink(Link)
{
    SetShowHint(false);
    SetParentShowHint(false);
    SetVisible(false);
    SetAutoSelect(false);
}

TNtEdit::~TNtEdit()
{
    if (FLink && FLink->FEdit == this)
        FLink->FEdit = nullptr;
    FLink = nullptr;
}

void TNtEdit::DropLink()
{
    FLink = nullptr;
    FRefLink.reset();
}

void TNtEdit::Release()
{
    if (HandleAllocated() && Parent() != nullptr) {
        SetVisible(false);
        PostMessage(Handle(), CM_RELEASE);
    } else if (Parent() == nullptr) {
        delete this;
    }
}

void TNtEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_RELEASE: delete this; return;
    case WM_GETDLGCODE:
        TCustomEdit::Dispatch(Message);
        Message.Result |= DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
        return;
    case WM_DESTROY:
        if (FLink && !FLink->FStopping) {
            TCustomNodeStringTree* tree = FLink->FTree;
            if (tree && (tree->StringOptions() & toAutoAcceptEditChange) && Modified())
                tree->SetText(FLink->FNode, FLink->FColumn, Text());
            DropLink();
        }
        break;
    default: break;
    }
    TCustomEdit::Dispatch(Message);
}

void TNtEdit::KeyPress(QChar& Key)
{
    if (Key == QChar(9) || Key == QChar(27)) {
        Key = QChar(0);
        return;
    }
    TCustomEdit::KeyPress(Key);
}

void TNtEdit::KeyDown(Word& Key, TShiftState Shift)
{
    if (FLink == nullptr || FLink->FTree == nullptr) {
        TCustomEdit::KeyDown(Key, Shift);
        return;
    }
    TCustomNodeStringTree* tree = FLink->FTree;
    PDataNode node = FLink->FNode;
    const bool multiline = node && (node->States & vsMultiline);
    switch (Key) {
    case VK_TAB:
        if (tree->IsEditing()) {
            tree->InvalidateNode(node);
            PDataNode next = tree->GetNextVisible(node, true);
            tree->EndEditNode();
            Key = 0;
            if (next) {
                tree->SetFocusedNode(next);
                if (tree->CanEdit(tree->FocusedNode(), tree->FocusedColumn())) {
                    tree->FEditColumn = tree->FocusedColumn();
                    tree->DoEdit();
                }
            }
        }
        Key = 0;
        return;
    case VK_RETURN:
        if (!multiline || Shift.Contains(ssCtrl)) {
            tree->InvalidateNode(node);
            tree->DoEndEdit();
            tree->SetFocus();
        }
        Key = 0;
        return;
    case VK_ESCAPE:
        tree->DoCancelEdit();
        tree->SetFocus();
        Key = 0;
        return;
    case VK_UP:
    case VK_DOWN:
        if (!multiline)
            Key = Key == VK_UP ? VK_LEFT : VK_RIGHT;
        break;
    case 'A':
        if (tree->IsEditing() && Shift.Contains(ssCtrl) && !Shift.Contains(ssShift) && !Shift.Contains(ssAlt)) {
            SelectAll();
            Key = 0;
            return;
        }
        break;
    default: break;
    }
    TCustomEdit::KeyDown(Key, Shift);
}

void TNtEdit::DoExit()
{
    TCustomEdit::DoExit();
    if (FLink == nullptr || FLink->FStopping || FLink->FTree == nullptr)
        return;
    TCustomNodeStringTree* tree = FLink->FTree;
    if (tree->StringOptions() & toAutoAcceptEditChange)
        tree->DoEndEdit();
    else
        tree->DoCancelEdit();
}

void TNtEdit::Change()
{
    TCustomEdit::Change();
    if (FLink && FLink->FNode && !(FLink->FNode->States & vsMultiline))
        AutoAdjustSize();
}

void TNtEdit::AutoAdjustSize()
{
    if (FLink == nullptr || FLink->FTree == nullptr || FLink->FNode == nullptr)
        return;
    TCustomNodeStringTree* tree = FLink->FTree;
    if ((FLink->FNode->States & vsMultiline) || (tree->TreeOptions()->MiscOptions() & toGridExtensions))
        return;
    TBitmap measure(1, 1);
    measure.Canvas()->SetFont(Font());
    const TSize extent = measure.Canvas()->TextExtent(Text() + QStringLiteral("yG"));
    const Integer margin = tree->TextMargin();
    const Integer width = extent.cx + 2 * margin;
    const Integer height = std::max(Height(), extent.cy + 2 * margin);
    if (width < Width())
        tree->Invalidate();
    TRect r = BoundsRect();
    if (FLink->FAlignment == taRightJustify)
        r.Left = r.Right - width;
    else
        r.Right = r.Left + width;
    r.Bottom = r.Top + height;
    FLink->SetBounds(r);
}

// ---------------------------------------------------------------- the string link

TStringEditLink::TStringEditLink()
{
    FEdit = new TNtEdit(this);
}

TStringEditLink::~TStringEditLink()
{
    if (FEdit) {
        TNtEdit* edit = FEdit;
        FEdit = nullptr;
        edit->FLink = nullptr;
        edit->Release();
    }
}

void TStringEditLink::SetEdit(TNtEdit* Value)
{
    if (Value == FEdit)
        return;
    if (FEdit) {
        FEdit->FLink = nullptr;
        FEdit->Release();
    }
    FEdit = Value;
}

bool TStringEditLink::PrepareEdit(TBaseNodeTree* Tree, PDataNode Node, TColumnIndex Column)
{
    auto* tree = dynamic_cast<TCustomNodeStringTree*>(Tree);
    if (tree == nullptr)
        return false;
    if (FEdit == nullptr)
        FEdit = new TNtEdit(this);
    FTree = tree;
    FNode = Node;
    FColumn = Column;
    FEdit->FLink = this;
    FEdit->FRefLink = shared_from_this();
    FTextBounds = tree->GetDisplayRect(Node, Column, true);
    FEdit->Font()->Assign(tree->Font());
    FEdit->Font()->SetColor(clWindowText);
    FEdit->SetParent(tree);
    FEdit->HandleNeeded();
    FEdit->SetText(tree->GetText(Node, Column));
    FEdit->SetModified(false);
    TNodeTreeColumns* columns = tree->Header()->Columns();
    TBiDiMode bidi = tree->BiDiMode();
    FAlignment = tree->Alignment();
    if (Column >= 0 && columns->IsValidColumn(Column)) {
        bidi = columns->Items(Column)->BiDiMode();
        FAlignment = columns->Items(Column)->Alignment();
    }
    if (bidi != bdLeftToRight)
        FAlignment = FAlignment == taLeftJustify ? taRightJustify : FAlignment == taRightJustify ? taLeftJustify : FAlignment;
    FEdit->SetAlignment(FAlignment);
    return true;
}

bool TStringEditLink::BeginEdit()
{
    if (FStopping || FEdit == nullptr)
        return false;
    FEdit->SetVisible(true);
    FEdit->SelectAll();
    FEdit->SetFocus();
    FEdit->AutoAdjustSize();
    return true;
}

bool TStringEditLink::EndEdit()
{
    if (FStopping)
        return false;
    auto self = shared_from_this();
    FStopping = true;
    try {
        if (FEdit && FEdit->Modified() && FTree)
            FTree->SetText(FNode, FColumn, FEdit->Text());
    } catch (...) {
        FStopping = false;
        throw;
    }
    if (FEdit) {
        FEdit->SetVisible(false);
        FEdit->FRefLink.reset();
    }
    return true;
}

bool TStringEditLink::CancelEdit()
{
    if (FStopping)
        return false;
    auto self = shared_from_this();
    FStopping = true;
    if (FEdit)
        FEdit->SetVisible(false);
    if (FTree)
        FTree->CancelEditNode();
    if (FEdit)
        FEdit->FRefLink.reset();
    return true;
}

TRect TStringEditLink::GetBounds()
{
    return FEdit ? FEdit->BoundsRect() : TRect();
}

void TStringEditLink::ProcessMessage(TMessage& Message)
{
    if (FEdit)
        FEdit->Perform(Message.Msg, Message.WParam, Message.LParam);
}

void TStringEditLink::SetBounds(TRect R)
{
    if (FStopping || FEdit == nullptr || FTree == nullptr)
        return;
    if (R.Left < 0)
        R.Left = 0;
    if (R.Width() < 30) {
        if (FAlignment == taRightJustify)
            R.Left = R.Right - 30;
        else
            R.Right = R.Left + 30;
    }
    R.Right = std::min(R.Right, FTree->ClientWidth());
    FEdit->SetBounds(R.Left, R.Top, R.Width(), R.Height());
}
