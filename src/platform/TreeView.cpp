#include "platform/TreeView.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTreeWidget>
#include <unordered_map>

#include "platform/WidgetBridge.h"

namespace {

TTreeNode* NodeOf(const QTreeWidgetItem* item)
{
    return item != nullptr ? reinterpret_cast<TTreeNode*>(item->data(0, Qt::UserRole).value<quintptr>()) : nullptr;
}

} // namespace

// The window's items of the nodes, and the signal connections to undo when
// the control goes before its window.
struct TTreeView::TLink {
    std::unordered_map<const TTreeNode*, QTreeWidgetItem*> Items;
    std::vector<QMetaObject::Connection> Connections;
    // True while the control itself changes the window (its signals are ours).
    bool Pushing = false;

    QTreeWidgetItem* ItemOf(const TTreeNode* node) const
    {
        auto it = Items.find(node);
        return it != Items.end() ? it->second : nullptr;
    }
    void Forget(const TTreeNode* node)
    {
        Items.erase(node);
        for (Integer i = 0; i < node->Count(); ++i)
            Forget(node->Item(i));
    }
    void Disconnect()
    {
        for (auto& c : Connections)
            QObject::disconnect(c);
        Connections.clear();
    }
};

// ------------------------------------------------------------ TTreeNode

TTreeNode::TTreeNode(TTreeNodes* owner, TTreeNode* parent, const QString& text)
    : FOwner(owner), FParent(parent), FText(text)
{
}

TTreeNode::~TTreeNode() = default;

TTreeView* TTreeNode::TreeView() const
{
    return FOwner->Owner();
}

TTreeNode* TTreeNode::Parent() const
{
    return FParent == FOwner->FRoot.get() ? nullptr : FParent;
}

void TTreeNode::SetText(const QString& value)
{
    if (FText == value)
        return;
    FText = value;
    TreeView()->NodeTextChanged(this);
}

TTreeNode* TTreeNode::getNextSibling() const
{
    if (FParent == nullptr)
        return nullptr;
    const Integer i = Index() + 1;
    return i < FParent->Count() ? FParent->Item(i) : nullptr;
}

TTreeNode* TTreeNode::getPrevSibling() const
{
    if (FParent == nullptr)
        return nullptr;
    const Integer i = Index() - 1;
    return i >= 0 ? FParent->Item(i) : nullptr;
}

Integer TTreeNode::Index() const
{
    if (FParent == nullptr)
        return -1;
    for (Integer i = 0; i < FParent->Count(); ++i)
        if (FParent->Item(i) == this)
            return i;
    return -1;
}

Integer TTreeNode::Level() const
{
    Integer level = 0;
    for (const TTreeNode* p = Parent(); p != nullptr; p = p->Parent())
        ++level;
    return level;
}

Integer TTreeNode::AbsoluteIndex() const
{
    // Every node before this one top-down: the parent, the parent's earlier
    // children with their subtrees.
    std::function<Integer(const TTreeNode*)> size = [&](const TTreeNode* n) {
        Integer s = 1;
        for (const auto& c : n->FChildren)
            s += size(c.get());
        return s;
    };
    Integer index = 0;
    const TTreeNode* node = this;
    while (node->FParent != nullptr) {
        const TTreeNode* p = node->FParent;
        for (Integer i = 0, n = node->Index(); i < n; ++i)
            index += size(p->Item(i));
        if (p->FParent != nullptr)
            index += 1;  // the parent itself (the hidden root is not counted)
        node = p;
    }
    return index;
}

bool TTreeNode::IsChildOf(const TTreeNode* Node) const
{
    for (const TTreeNode* p = Parent(); p != nullptr; p = p->Parent())
        if (p == Node)
            return true;
    return false;
}

void TTreeNode::SetExpanded(bool value)
{
    if (FExpanded == value)
        return;
    FExpanded = value;
    TreeView()->NodeExpandedChanged(this);
}

void TTreeNode::Expand(bool Recurse)
{
    SetExpanded(true);
    if (Recurse)
        for (const auto& c : FChildren)
            c->Expand(true);
}

void TTreeNode::Collapse(bool Recurse)
{
    SetExpanded(false);
    if (Recurse)
        for (const auto& c : FChildren)
            c->Collapse(true);
}

bool TTreeNode::Selected() const
{
    return TreeView()->Selected() == this;
}

void TTreeNode::SetSelected(bool value)
{
    if (value)
        TreeView()->SetSelected(this);
    else if (Selected())
        TreeView()->SetSelected(nullptr);
}

void TTreeNode::Delete()
{
    FOwner->Delete(this);
}

void TTreeNode::DeleteChildren()
{
    while (!FChildren.empty())
        FOwner->Delete(FChildren.back().get());
}

TRect TTreeNode::DisplayRect(bool TextOnly) const
{
    TTreeView* tree = TreeView();
    auto* w = TWidgetBridge::WidgetAs<QTreeWidget>(tree);
    QTreeWidgetItem* item = tree->FLink->ItemOf(this);
    if (w == nullptr || item == nullptr)
        return TRect();
    QRect r = w->visualItemRect(item);
    if (r.isEmpty())
        return TRect();
    if (TextOnly)
        r.setWidth(std::min(r.width(), w->fontMetrics().horizontalAdvance(FText) + 6));
    else
        r.setLeft(0);
    const QPoint topLeft = w->viewport()->mapTo(w, r.topLeft());
    return Bounds(topLeft.x(), topLeft.y(), r.width(), r.height());
}

// ------------------------------------------------------------ TTreeNodes

TTreeNodes::TTreeNodes(TTreeView* owner) : FOwner(owner), FRoot(new TTreeNode(this, nullptr, QString()))
{
    FRoot->FExpanded = true;
}

TTreeNodes::~TTreeNodes() = default;

Integer TTreeNodes::Count() const
{
    std::function<Integer(const TTreeNode*)> size = [&](const TTreeNode* n) {
        Integer s = n->Count();
        for (Integer i = 0; i < n->Count(); ++i)
            s += size(n->Item(i));
        return s;
    };
    return size(FRoot.get());
}

TTreeNode* TTreeNodes::Item(Integer AbsoluteIndex) const
{
    Integer left = AbsoluteIndex;
    std::function<TTreeNode*(const TTreeNode*)> walk = [&](const TTreeNode* n) -> TTreeNode* {
        for (Integer i = 0; i < n->Count(); ++i) {
            if (left == 0)
                return n->Item(i);
            --left;
            if (TTreeNode* found = walk(n->Item(i)))
                return found;
        }
        return nullptr;
    };
    return AbsoluteIndex >= 0 ? walk(FRoot.get()) : nullptr;
}

TTreeNode* TTreeNodes::GetFirstNode() const
{
    return FRoot->getFirstChild();
}

TTreeNode* TTreeNodes::Attach(TTreeNode* parent, Integer index, const QString& s, void* data)
{
    auto node = std::unique_ptr<TTreeNode>(new TTreeNode(this, parent, s));
    node->FData = data;
    TTreeNode* raw = node.get();
    parent->FChildren.insert(parent->FChildren.begin() + index, std::move(node));
    FOwner->NodeAdded(raw);
    return raw;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const QString& S)
{
    return AddObject(Sibling, S, nullptr);
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const QString& S, void* Data)
{
    TTreeNode* parent = Sibling != nullptr ? Sibling->FParent : FRoot.get();
    return Attach(parent, parent->Count(), S, Data);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const QString& S)
{
    return AddChildObject(Parent, S, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const QString& S, void* Data)
{
    TTreeNode* parent = Parent != nullptr ? Parent : FRoot.get();
    return Attach(parent, parent->Count(), S, Data);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const QString& S)
{
    if (Sibling == nullptr)
        return Add(nullptr, S);
    return Attach(Sibling->FParent, Sibling->Index(), S, nullptr);
}

void TTreeNodes::Delete(TTreeNode* Node)
{
    if (Node == nullptr || Node->FOwner != this || Node == FRoot.get())
        return;
    FOwner->SelectionLeaving(Node);
    FOwner->NodeRemoving(Node);
    TTreeNode* parent = Node->FParent;
    const Integer i = Node->Index();
    parent->FChildren.erase(parent->FChildren.begin() + i);
}

void TTreeNodes::Clear()
{
    FOwner->FSelected = nullptr;
    if (auto* w = TWidgetBridge::WidgetAs<QTreeWidget>(FOwner)) {
        FOwner->FLink->Pushing = true;
        w->clear();
        FOwner->FLink->Pushing = false;
    }
    FOwner->FLink->Items.clear();
    FRoot->FChildren.clear();
}

void TTreeNodes::BeginUpdate()
{
    if (FUpdateCount++ == 0)
        if (auto* w = TWidgetBridge::WidgetAs<QTreeWidget>(FOwner))
            w->setUpdatesEnabled(false);
}

void TTreeNodes::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        if (auto* w = TWidgetBridge::WidgetAs<QTreeWidget>(FOwner))
            w->setUpdatesEnabled(true);
}

// ------------------------------------------------------------ TTreeView

TTreeView::TTreeView(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TTreeNodes>(this)), FLink(std::make_unique<TLink>())
{
    FDlgCode = DLGC_WANTARROWS;
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
}

TTreeView::~TTreeView()
{
    // The window may outlive the nodes for a moment: it must not call back.
    FLink->Disconnect();
    FLink->Items.clear();
}

void TTreeView::CreateWindowHandle(const TCreateParams&)
{
    auto* w = new QTreeWidget(TWidgetBridge::ParentWidget(this));
    w->setColumnCount(1);
    w->setHeaderHidden(true);
    w->header()->setStretchLastSection(true);
    w->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    TLink* link = FLink.get();
    link->Connections.push_back(QObject::connect(w, &QTreeWidget::currentItemChanged, [this, link](QTreeWidgetItem* current) {
        if (link->Pushing)
            return;
        TWidgetBridge::Guard(this, [this, current] { UserSelected(NodeOf(current)); });
    }));
    link->Connections.push_back(QObject::connect(w, &QTreeWidget::itemExpanded, [link](QTreeWidgetItem* item) {
        if (TTreeNode* n = NodeOf(item); n != nullptr && !link->Pushing)
            n->FExpanded = true;
    }));
    link->Connections.push_back(QObject::connect(w, &QTreeWidget::itemCollapsed, [link](QTreeWidgetItem* item) {
        if (TTreeNode* n = NodeOf(item); n != nullptr && !link->Pushing)
            n->FExpanded = false;
    }));
    TWidgetBridge::Attach(this, w);
    TWidgetBridge::AddSubWidget(this, w->viewport(), true);
}

void TTreeView::CreateWnd()
{
    TWinControl::CreateWnd();
    PushLook();
    PushAll();
}

void TTreeView::DestroyWnd()
{
    FLink->Disconnect();
    FLink->Items.clear();
    TWinControl::DestroyWnd();
}

void TTreeView::PushLook()
{
    auto* w = TWidgetBridge::WidgetAs<QTreeWidget>(this);
    if (w == nullptr)
        return;
    w->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
    w->setRootIsDecorated(FShowRoot);
    w->setAllColumnsShowFocus(FRowSelect);
    w->setSelectionBehavior(FRowSelect ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void TTreeView::PushAll()
{
    auto* w = TWidgetBridge::WidgetAs<QTreeWidget>(this);
    if (w == nullptr)
        return;
    FLink->Pushing = true;
    w->clear();
    FLink->Items.clear();
    std::function<void(TTreeNode*)> add = [&](TTreeNode* n) {
        NodeAdded(n);
        for (Integer i = 0; i < n->Count(); ++i)
            add(n->Item(i));
    };
    for (Integer i = 0; i < FItems->TopCount(); ++i)
        add(FItems->TopItem(i));
    FLink->Pushing = false;
    PushSelection();
}

void TTreeView::NodeAdded(TTreeNode* node)
{
    auto* w = TWidgetBridge::WidgetAs<QTreeWidget>(this);
    if (w == nullptr)
        return;
    const bool was = FLink->Pushing;
    FLink->Pushing = true;
    auto* item = new QTreeWidgetItem(QStringList{node->Text()});
    item->setData(0, Qt::UserRole, QVariant::fromValue(quintptr(node)));
    if (TTreeNode* parent = node->Parent()) {
        if (QTreeWidgetItem* p = FLink->ItemOf(parent))
            p->insertChild(node->Index(), item);
    } else {
        w->insertTopLevelItem(node->Index(), item);
    }
    FLink->Items[node] = item;
    item->setExpanded(node->Expanded());
    if (TTreeNode* parent = node->Parent(); parent != nullptr && parent->Expanded())
        FLink->ItemOf(parent)->setExpanded(true);
    FLink->Pushing = was;
}

void TTreeView::NodeRemoving(TTreeNode* node)
{
    QTreeWidgetItem* item = FLink->ItemOf(node);
    FLink->Forget(node);
    if (item == nullptr)
        return;
    FLink->Pushing = true;
    delete item;  // takes its children and leaves the tree
    FLink->Pushing = false;
    PushSelection();
}

void TTreeView::NodeTextChanged(TTreeNode* node)
{
    if (QTreeWidgetItem* item = FLink->ItemOf(node))
        item->setText(0, node->Text());
}

void TTreeView::NodeExpandedChanged(TTreeNode* node)
{
    if (QTreeWidgetItem* item = FLink->ItemOf(node)) {
        FLink->Pushing = true;
        item->setExpanded(node->Expanded());
        FLink->Pushing = false;
    }
}

void TTreeView::SelectionLeaving(TTreeNode* node)
{
    if (FSelected == nullptr || (FSelected != node && !FSelected->IsChildOf(node)))
        return;
    if (TTreeNode* next = node->getNextSibling())
        FSelected = next;
    else if (TTreeNode* prev = node->getPrevSibling())
        FSelected = prev;
    else
        FSelected = node->Parent();
}

void TTreeView::PushSelection()
{
    auto* w = TWidgetBridge::WidgetAs<QTreeWidget>(this);
    if (w == nullptr)
        return;
    FLink->Pushing = true;
    if (QTreeWidgetItem* item = FLink->ItemOf(FSelected)) {
        w->setCurrentItem(item);
    } else {
        w->setCurrentItem(nullptr);
        w->clearSelection();
    }
    FLink->Pushing = false;
}

void TTreeView::SetSelected(TTreeNode* Node)
{
    if (Node != nullptr && Node->Owner() != FItems.get())
        return;
    if (Node == FSelected)
        return;
    FSelected = Node;
    PushSelection();
    Change(Node);
}

void TTreeView::UserSelected(TTreeNode* node)
{
    if (node == FSelected)
        return;
    FSelected = node;
    Change(node);
}

void TTreeView::Change(TTreeNode* Node)
{
    if (OnChange)
        OnChange(this, Node);
}

TTreeNode* TTreeView::GetNodeAt(Integer X, Integer Y) const
{
    auto* w = TWidgetBridge::WidgetAs<QTreeWidget>(this);
    if (w == nullptr)
        return nullptr;
    const QPoint vp = w->viewport()->mapFrom(w, QPoint(X, Y));
    return NodeOf(w->itemAt(vp));
}

void TTreeView::FullExpand()
{
    for (Integer i = 0; i < FItems->TopCount(); ++i)
        FItems->TopItem(i)->Expand(true);
}

void TTreeView::FullCollapse()
{
    for (Integer i = 0; i < FItems->TopCount(); ++i)
        FItems->TopItem(i)->Collapse(true);
}

void TTreeView::SetRowSelect(bool value)
{
    FRowSelect = value;
    PushLook();
}

void TTreeView::SetShowRoot(bool value)
{
    FShowRoot = value;
    PushLook();
}
