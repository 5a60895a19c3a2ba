// Accessibility of the tree: the provider factory, the accessible objects
// of this program's trees, the answers to WM_GETOBJECT and to the two
// tree-view item messages, and the change notifications.

#include <algorithm>

#include "treeview/NodeTreeAccessibility.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"

// ---------------------------------------------------------------- factory

TNtAccessibilityFactory* TNtAccessibilityFactory::GetAccessibilityFactory()
{
    static TNtAccessibilityFactory factory;
    return &factory;
}

void TNtAccessibilityFactory::RegisterAccessibleProvider(const PNtAccessibleProvider& AProvider)
{
    if (AProvider && std::find(FAccessibleProviders.begin(), FAccessibleProviders.end(), AProvider) == FAccessibleProviders.end())
        FAccessibleProviders.push_back(AProvider);
}

void TNtAccessibilityFactory::UnRegisterAccessibleProvider(const PNtAccessibleProvider& AProvider)
{
    auto it = std::find(FAccessibleProviders.begin(), FAccessibleProviders.end(), AProvider);
    if (it != FAccessibleProviders.end())
        FAccessibleProviders.erase(it);
}

std::shared_ptr<IAccessible> TNtAccessibilityFactory::CreateIAccessible(TBaseNodeTree* ATree)
{
    if (ATree == nullptr || FAccessibleProviders.empty())
        return nullptr;
    if (!ATree->AccessibleObject())
        return FAccessibleProviders.front()->CreateIAccessible(ATree);
    if (ATree->AccessibleItemObject())
        return ATree->AccessibleItemObject();
    for (size_t i = FAccessibleProviders.size() - 1; i >= 1; --i)
        if (auto answer = FAccessibleProviders[i]->CreateIAccessible(ATree))
            return answer;
    return FAccessibleProviders.front()->CreateIAccessible(ATree);
}

// ---------------------------------------------------------------- the tree's object

namespace {

class TNtAccessibleTree : public IAccessible {
public:
    explicit TNtAccessibleTree(TBaseNodeTree* Tree) : FTree(Tree) {}

    Integer ChildCount() override
    {
        Integer n = 0;
        for (PDataNode node = First(); node != nullptr; node = FTree->GetNextVisible(node, true))
            ++n;
        return n;
    }
    QString Name(Integer Child) override
    {
        if (FTree == nullptr)
            return QString();
        if (Child == CHILDID_SELF)
            return FTree->AccessibleName().isEmpty() ? FTree->Name() : FTree->AccessibleName();
        PDataNode node = NodeOf(Child);
        return node ? FTree->GetTextInfo(node, FTree->Header()->MainColumn()) : QString();
    }
    QString Value(Integer Child) override
    {
        PDataNode node = Child == CHILDID_SELF ? nullptr : NodeOf(Child);
        return node ? QString::number(FTree->GetNodeLevel(node) + 1) : QString();
    }
    QString Description(Integer) override { return QString(); }
    Cardinal Role(Integer Child) override { return Child == CHILDID_SELF ? ROLE_SYSTEM_OUTLINE : ROLE_SYSTEM_OUTLINEITEM; }
    Cardinal State(Integer Child) override
    {
        if (FTree == nullptr)
            return STATE_SYSTEM_UNAVAILABLE;
        const bool multi = (FTree->TreeOptions()->SelectionOptions() & toMultiSelect) != 0;
        if (Child == CHILDID_SELF) {
            Cardinal s = STATE_SYSTEM_FOCUSABLE;
            if (!FTree->Enabled())
                s |= STATE_SYSTEM_UNAVAILABLE;
            if (FTree->Focused())
                s |= STATE_SYSTEM_FOCUSED;
            if (multi)
                s |= STATE_SYSTEM_MULTISELECTABLE;
            return s;
        }
        PDataNode node = NodeOf(Child);
        if (node == nullptr)
            return STATE_SYSTEM_UNAVAILABLE;
        Cardinal s = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
        if (multi)
            s |= STATE_SYSTEM_MULTISELECTABLE;
        if (node->States & vsSelected)
            s |= STATE_SYSTEM_SELECTED;
        if (node == FTree->FocusedNode() && FTree->Focused())
            s |= STATE_SYSTEM_FOCUSED;
        if ((node->States & vsDisabled) || !FTree->Enabled())
            s |= STATE_SYSTEM_UNAVAILABLE;
        if (node->States & vsHasChildren)
            s |= (node->States & vsExpanded) ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
        if (node->CheckType != ctNone && node->CheckType != ctButton) {
            s |= STATE_CHECKABLE;
            const TCheckState c = GetUnpressed(GetEnabled(node->CheckState));
            if (c == csCheckedNormal)
                s |= STATE_SYSTEM_CHECKED;
            else if (c == csMixedNormal)
                s |= STATE_SYSTEM_MIXED;
        }
        const TRect r = FTree->GetDisplayRect(node, NoColumn, false);
        if (r.Bottom <= 0 || r.Top >= FTree->ClientHeight())
            s |= STATE_SYSTEM_OFFSCREEN;
        return s;
    }
    TRect Location(Integer Child) override
    {
        if (FTree == nullptr)
            return TRect();
        TRect r;
        if (Child == CHILDID_SELF) {
            r = FTree->ClientRect();
        } else if (PDataNode node = NodeOf(Child)) {
            r = FTree->GetDisplayRect(node, NoColumn, false);
        } else {
            return TRect();
        }
        const TPoint tl = FTree->ClientToScreen(TPoint(r.Left, r.Top));
        return TRect(tl.X, tl.Y, tl.X + r.Width(), tl.Y + r.Height());
    }
    Integer Focus() override
    {
        if (FTree == nullptr || !FTree->Focused())
            return -1;
        const Integer c = FTree->FocusedNode() ? ChildOfKey(FTree->FocusedNode()) : -1;
        return c > 0 ? c : CHILDID_SELF;
    }
    Integer HitTest(TPoint P) override
    {
        if (FTree == nullptr)
            return -1;
        const TPoint c = FTree->ScreenToClient(P);
        if (c.X < 0 || c.Y < 0 || c.X >= FTree->ClientWidth() || c.Y >= FTree->ClientHeight())
            return -1;
        PDataNode node = FTree->GetNodeAt(c.X, c.Y);
        const Integer child = node ? ChildOfKey(node) : -1;
        return child > 0 ? child : CHILDID_SELF;
    }
    const void* ChildKey(Integer Child) override { return NodeOf(Child); }
    // Walks the visible nodes without touching the key: a node that is gone
    // is simply not found.
    Integer ChildOfKey(const void* Key) override
    {
        Integer n = 1;
        for (PDataNode node = First(); node != nullptr; node = FTree->GetNextVisible(node, true), ++n)
            if (node == Key)
                return n;
        return -1;
    }
    void Disconnect() override { FTree = nullptr; }

private:
    PDataNode First() { return FTree != nullptr ? FTree->GetFirstVisible(nullptr, true) : nullptr; }
    PDataNode NodeOf(Integer Child)
    {
        if (Child < 1)
            return nullptr;
        PDataNode node = First();
        for (Integer i = 1; node != nullptr && i < Child; ++i)
            node = FTree->GetNextVisible(node, true);
        return node;
    }
    TBaseNodeTree* FTree;
};

} // namespace

std::shared_ptr<IAccessible> TNtTreeAccessibleProvider::CreateIAccessible(TBaseNodeTree* ATree)
{
    return ATree != nullptr ? std::make_shared<TNtAccessibleTree>(ATree) : nullptr;
}

// ---------------------------------------------------------------- the tree's answers

QString TBaseNodeTree::GetTextInfo(PDataNode, TColumnIndex)
{
    return QString();
}

void TBaseNodeTree::WMGetObject(TMessage& Message)
{
    TNtAccessibilityFactory* factory = TNtAccessibilityFactory::GetAccessibilityFactory();
    if (!FAccessible)
        FAccessible = factory->CreateIAccessible(this);
    if (!FAccessibleItem)
        FAccessibleItem = factory->CreateIAccessible(this);
    Message.Result = 0;
    if (Message.LParam == OBJID_CLIENT && FAccessible)
        Message.Result = LresultFromObject(Handle(), FAccessible);
}

void TBaseNodeTree::TVMGetItem(TMessage& Message)
{
    auto* item = reinterpret_cast<TTVItemW*>(Message.LParam);
    Message.Result = item != nullptr && (item->Mask & TVIF_HANDLE) && item->Item != nullptr ? 1 : 0;
    if (Message.Result == 0)
        return;
    auto node = static_cast<PDataNode>(item->Item);
    auto imageIndex = [&](TNtImageKind Kind) {
        bool ghosted = false;
        Integer index = -1;
        DoGetImageIndex(node, Kind, NoColumn, ghosted, index);
        return index;
    };
    if (item->Mask & TVIF_CHILDREN)
        item->Children = Integer(node->ChildCount);
    if (item->Mask & TVIF_IMAGE)
        item->Image = imageIndex(ikNormal);
    if (item->Mask & TVIF_SELECTEDIMAGE)
        item->SelectedImage = imageIndex(ikSelected);
    if (item->Mask & TVIF_STATE) {
        item->StateMask = 0xFF2F;
        Cardinal s = 0;
        if (node == FFocusedNode)
            s |= TVIS_FOCUSED;
        if (node->States & vsSelected)
            s |= TVIS_SELECTED;
        if (node->States & vsCutOrCopy)
            s |= TVIS_CUT;
        if (node == FDropTargetNode)
            s |= TVIS_DROPHILITED;
        if (node->States & vsExpanded)
            s |= TVIS_EXPANDED;
        s |= (Cardinal(imageIndex(ikState) + 1) & 0xF) << 12;
        s |= (Cardinal(imageIndex(ikOverlay) + 1) & 0xF) << 8;
        item->State = s;
    }
    if ((item->Mask & TVIF_TEXT) && item->Text != nullptr && item->TextMax > 0) {
        const QString text = GetTextInfo(node, NoColumn);
        const Integer n = std::min<Integer>(Integer(text.size()), item->TextMax - 1);
        std::copy_n(reinterpret_cast<const char16_t*>(text.utf16()), n, item->Text);
        item->Text[n] = u'\0';
    }
}

void TBaseNodeTree::TVMGetNextItem(TMessage& Message)
{
    auto node = reinterpret_cast<PDataNode>(Message.LParam);
    PDataNode answer = nullptr;
    switch (Message.WParam) {
    case TVGN_ROOT: answer = GetFirst(); break;
    case TVGN_NEXT: answer = node ? GetNextSibling(node) : nullptr; break;
    case TVGN_PREVIOUS: answer = node ? GetPreviousSibling(node) : nullptr; break;
    case TVGN_PARENT: answer = node && node != FRoot && node->Parent != FRoot ? node->Parent : nullptr; break;
    case TVGN_CHILD: answer = node ? GetFirstChild(node) : nullptr; break;
    case TVGN_FIRSTVISIBLE: answer = GetFirstVisible(nullptr, true); break;
    case TVGN_NEXTVISIBLE: answer = node ? GetNextVisible(node, true) : nullptr; break;
    case TVGN_PREVIOUSVISIBLE: answer = node ? GetPreviousVisible(node, true) : nullptr; break;
    case TVGN_DROPHILITE: answer = FDropTargetNode; break;
    case TVGN_CARET: answer = FFocusedNode; break;
    case TVGN_LASTVISIBLE: answer = GetLastVisible(nullptr, true); break;
    default: break;
    }
    Message.Result = reinterpret_cast<LRESULT>(answer);
}

void TBaseNodeTree::NotifyAccessible(std::initializer_list<Cardinal> Events)
{
    if (!FAccessibleItem || !HandleAllocated() || FDestroying)
        return;
    for (Cardinal e : Events)
        NotifyWinEvent(e, Handle(), OBJID_CLIENT, CHILDID_SELF);
}

void TBaseNodeTree::DisconnectAccessible()
{
    if (FAccessibleItem)
        FAccessibleItem->Disconnect();
    if (FAccessible)
        FAccessible->Disconnect();
    FAccessibleItem.reset();
    FAccessible.reset();
}
