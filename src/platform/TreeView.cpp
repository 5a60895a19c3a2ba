#include "platform/TreeView.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <unordered_map>

#include "platform/Canvas.h"
#include "platform/GraphicsQt.h"
#include "platform/ImageList.h"
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
    // The pictures of the image list as the window draws them, made on
    // first use and forgotten when the list changes.
    std::unordered_map<Integer, QIcon> Icons;
    // The window's painter of the items; it must not reach the control
    // once the control has gone.
    TItemDelegate* Delegate = nullptr;
};

// Paints the items of the window: each with its node's picture, and with
// the font and colours the tree's custom-draw handler gives it.
class TTreeView::TItemDelegate : public QStyledItemDelegate {
public:
    TItemDelegate(TTreeView* tree, QObject* parent) : QStyledItemDelegate(parent), FTree(tree) {}
    void Forget() { FTree = nullptr; }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const TTreeNode* node = NodeOf(index);
        if (FTree == nullptr || node == nullptr || FTree->FImages == nullptr)
            return;
        const bool selected = (option->state & QStyle::State_Selected) != 0;
        const Integer image = selected ? node->SelectedIndex() : node->ImageIndex();
        const QIcon icon = IconOf(image);
        if (icon.isNull())
            return;
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->icon = icon;
        option->decorationSize = QSize(FTree->FImages->Width(), FTree->FImages->Height());
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        TTreeNode* node = NodeOf(index);
        if (FTree == nullptr || node == nullptr || !FTree->OnCustomDrawItem) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        TCustomDrawState state = 0;
        if (option.state & QStyle::State_Selected)
            state |= cdsSelected;
        if (option.state & QStyle::State_HasFocus)
            state |= cdsFocused;
        // The canvas starts with the look the item would have by default;
        // what the handler changes replaces the window's own look.
        TCanvas* canvas = FTree->FCanvas.get();
        const TColor text_color = (state & cdsSelected) ? clHighlightText : FTree->Font()->Color();
        const TColor back_color = (state & cdsSelected) ? clHighlight : FTree->Color();
        canvas->Font()->Assign(FTree->Font());
        canvas->Font()->SetColor(text_color);
        canvas->Brush()->SetColor(back_color);
        bool defaultDraw = true;
        painter->save();
        canvas->BeginPaint(painter);
        FTree->OnCustomDrawItem(FTree, node, state, defaultDraw);
        canvas->EndPaint();
        painter->restore();
        if (!defaultDraw)
            return;
        QStyleOptionViewItem look(option);
        look.font = ToQFont(*canvas->Font());
        if (canvas->Font()->Color() != text_color) {
            const QColor text = ToQColor(canvas->Font()->Color());
            look.palette.setColor(QPalette::Text, text);
            look.palette.setColor(QPalette::HighlightedText, text);
        }
        if (canvas->Brush()->Color() != back_color) {
            const QColor back = ToQColor(canvas->Brush()->Color());
            if (state & cdsSelected)
                look.palette.setColor(QPalette::Highlight, back);
            else
                look.backgroundBrush = back;
        }
        QStyledItemDelegate::paint(painter, look, index);
    }

    // The window's picture of image Index; null for none.
    QIcon IconOf(Integer Index) const
    {
        if (FTree->FImages == nullptr || Index < 0 || Index >= FTree->FImages->Count())
            return QIcon();
        auto found = FTree->FLink->Icons.find(Index);
        if (found != FTree->FLink->Icons.end())
            return found->second;
        // The list draws the picture with its own transparency onto a clear one.
        QImage image(FTree->FImages->Width(), FTree->FImages->Height(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            TCanvas canvas;
            canvas.BeginPaint(&painter);
            FTree->FImages->Draw(&canvas, 0, 0, Index);
            canvas.EndPaint();
        }
        // Selected rows show the picture as it is, not tinted.
        const QPixmap pixmap = QPixmap::fromImage(image);
        QIcon icon(pixmap);
        icon.addPixmap(pixmap, QIcon::Selected);
        FTree->FLink->Icons.emplace(Index, icon);
        return icon;
    }

private:
    static TTreeNode* NodeOf(const QModelIndex& index)
    {
        return reinterpret_cast<TTreeNode*>(index.data(Qt::UserRole).value<quintptr>());
    }
    TTreeView* FTree;
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

void TTreeNode::SetImageIndex(Integer value)
{
    if (FImageIndex == value)
        return;
    FImageIndex = value;
    TreeView()->NodeImageChanged(this);
}

void TTreeNode::SetSelectedIndex(Integer value)
{
    if (FSelectedIndex == value)
        return;
    FSelectedIndex = value;
    TreeView()->NodeImageChanged(this);
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
    : TWinControl(AOwner), FItems(std::make_unique<TTreeNodes>(this)), FLink(std::make_unique<TLink>()),
      FCanvas(std::make_unique<TCanvas>()), FImageChangeLink(std::make_unique<TChangeLink>())
{
    FDlgCode = DLGC_WANTARROWS;
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
    FImageChangeLink->OnChange = [this](TObject*) { ImagesChanged(); };
}

TTreeView::~TTreeView()
{
    // The window may outlive the nodes for a moment: it must not call back.
    FLink->Disconnect();
    FLink->Items.clear();
    if (FLink->Delegate != nullptr)
        FLink->Delegate->Forget();
    if (FImages != nullptr)
        FImages->UnRegisterChanges(FImageChangeLink.get());
}

void TTreeView::SetImages(TCustomImageList* value)
{
    if (FImages == value)
        return;
    if (FImages != nullptr)
        FImages->UnRegisterChanges(FImageChangeLink.get());
    FImages = value;
    if (FImages != nullptr)
        FImages->RegisterChanges(FImageChangeLink.get());
    ImagesChanged();
}

void TTreeView::ImagesChanged()
{
    FLink->Icons.clear();
    if (auto* w = TWidgetBridge::WidgetAs<QTreeWidget>(this))
        w->viewport()->update();
}


void TTreeView::CreateWindowHandle(const TCreateParams&)
{
    auto* w = new QTreeWidget(TWidgetBridge::ParentWidget(this));
    w->setColumnCount(1);
    w->setHeaderHidden(true);
    w->header()->setStretchLastSection(true);
    w->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    FLink->Delegate = new TItemDelegate(this, w);
    w->setItemDelegate(FLink->Delegate);
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
    if (FLink->Delegate != nullptr)
        FLink->Delegate->Forget();
    FLink->Delegate = nullptr;  // goes with the window
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

void TTreeView::NodeImageChanged(TTreeNode* node)
{
    auto* w = TWidgetBridge::WidgetAs<QTreeWidget>(this);
    if (QTreeWidgetItem* item = FLink->ItemOf(node); w != nullptr && item != nullptr)
        w->viewport()->update(w->visualItemRect(item));
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
