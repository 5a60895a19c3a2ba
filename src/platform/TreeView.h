#pragma once
// The standard tree view: items with a text and a picture, nested to any
// depth, one selected item, a popup menu. The items live in the control
// (they can be built before it has a window); the window mirrors them, and
// the user's selection comes back as OnChange, a click as OnClick. Each item
// as it is painted can take its own font and colours (OnCustomDrawItem).

#include <functional>
#include <memory>
#include <vector>
#include "platform/Control.h"

class TCanvas;
class TChangeLink;
class TCustomImageList;
class TTreeNodes;
class TTreeView;

class TTreeNode {
    friend class TTreeNodes;
    friend class TTreeView;
public:
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;
    ~TTreeNode();

    const QString& Text() const { return FText; }
    void SetText(const QString& value);
    void* Data() const { return FData; }
    void SetData(void* value) { FData = value; }

    // The node above (nullptr for a top-level node).
    TTreeNode* Parent() const;
    // Children, in order.
    Integer Count() const { return Integer(FChildren.size()); }
    TTreeNode* Item(Integer Index) const { return FChildren.at(size_t(Index)).get(); }
    bool HasChildren() const { return !FChildren.empty(); }
    TTreeNode* getFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front().get(); }
    TTreeNode* getNextSibling() const;
    TTreeNode* getPrevSibling() const;
    // Position among its siblings, from 0.
    Integer Index() const;
    // 0 for a top-level node, 1 for its children ...
    Integer Level() const;
    // Position in the whole tree, counting every node before it from the top.
    Integer AbsoluteIndex() const;
    bool IsChildOf(const TTreeNode* Node) const;

    // The picture of the node in the tree's Images, and the one it shows
    // while selected; -1 for none.
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer value);
    Integer SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(Integer value);

    bool Expanded() const { return FExpanded; }
    void SetExpanded(bool value);
    void Expand(bool Recurse);
    void Collapse(bool Recurse);
    bool Selected() const;
    void SetSelected(bool value);

    // Removes the node with its children from the tree (the node is freed).
    void Delete();
    void DeleteChildren();
    TTreeNodes* Owner() const { return FOwner; }
    TTreeView* TreeView() const;
    // The row of the node in the tree's client coordinates (TextOnly: just
    // its text); empty while the node is not in view or has no window.
    TRect DisplayRect(bool TextOnly) const;

private:
    TTreeNode(TTreeNodes* owner, TTreeNode* parent, const QString& text);
    TTreeNodes* FOwner;
    TTreeNode* FParent;  // the hidden root above top-level nodes
    std::vector<std::unique_ptr<TTreeNode>> FChildren;
    QString FText;
    void* FData = nullptr;
    Integer FImageIndex = -1;
    Integer FSelectedIndex = -1;
    bool FExpanded = false;
};

class TTreeNodes {
    friend class TTreeNode;
    friend class TTreeView;
public:
    explicit TTreeNodes(TTreeView* owner);
    ~TTreeNodes();
    TTreeNodes(const TTreeNodes&) = delete;
    TTreeNodes& operator=(const TTreeNodes&) = delete;

    TTreeView* Owner() const { return FOwner; }
    // Every node of the tree, top-down (a parent before its children).
    Integer Count() const;
    TTreeNode* Item(Integer AbsoluteIndex) const;
    TTreeNode* GetFirstNode() const;
    // Top-level nodes.
    Integer TopCount() const { return FRoot->Count(); }
    TTreeNode* TopItem(Integer Index) const { return FRoot->Item(Index); }

    // A new last node at Sibling's level (nullptr: top level).
    TTreeNode* Add(TTreeNode* Sibling, const QString& S);
    TTreeNode* AddObject(TTreeNode* Sibling, const QString& S, void* Data);
    // A new last child of Parent (nullptr: top level).
    TTreeNode* AddChild(TTreeNode* Parent, const QString& S);
    TTreeNode* AddChildObject(TTreeNode* Parent, const QString& S, void* Data);
    // A new node before Sibling.
    TTreeNode* Insert(TTreeNode* Sibling, const QString& S);
    void Delete(TTreeNode* Node);
    void Clear();
    // Changes between the two do not repaint the window.
    void BeginUpdate();
    void EndUpdate();

private:
    TTreeNode* Attach(TTreeNode* parent, Integer index, const QString& s, void* data);
    TTreeView* FOwner;
    std::unique_ptr<TTreeNode> FRoot;
    Integer FUpdateCount = 0;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;

// The state of an item being painted.
using TCustomDrawState = Cardinal;
constexpr TCustomDrawState cdsSelected = 1u << 0;
constexpr TCustomDrawState cdsFocused = 1u << 4;
// Called for each item as it is painted, with the tree's Canvas prepared
// with the item's font and background: the handler may change them, which
// the item is then drawn with, or draw the item itself on the canvas and
// clear DefaultDraw.
using TTVCustomDrawItemEvent =
    std::function<void(TTreeView* Sender, TTreeNode* Node, TCustomDrawState State, bool& DefaultDraw)>;

class TTreeView : public TWinControl {
    friend class TTreeNode;
    friend class TTreeNodes;
public:
    explicit TTreeView(TComponent* AOwner);
    ~TTreeView() override;
    QString ClassName() const override { return QStringLiteral("TTreeView"); }

    TTreeNodes* Items() const { return FItems.get(); }
    // The selected node (nullptr for none). Setting it fires OnChange when it
    // changes; deleting or clearing nodes moves it without an event.
    TTreeNode* Selected() const { return FSelected; }
    void SetSelected(TTreeNode* Node);
    // The node on the row at a client point, nullptr for none.
    TTreeNode* GetNodeAt(Integer X, Integer Y) const;
    void FullExpand();
    void FullCollapse();

    // No in-place editing of the texts.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }
    // The selection spans the whole row, not just the text.
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool value);
    // Expand buttons and lines in front of the top-level nodes.
    bool ShowRoot() const { return FShowRoot; }
    void SetShowRoot(bool value);

    // The pictures of the nodes (not owned); nullptr shows none.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);
    // The canvas an OnCustomDrawItem handler sets the item's look on.
    TCanvas* Canvas() const { return FCanvas.get(); }

    TTVChangedEvent OnChange;
    TTVCustomDrawItemEvent OnCustomDrawItem;

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void Change(TTreeNode* Node);

private:
    struct TLink;
    class TItemDelegate;
    // The window's side of a node's change.
    void NodeAdded(TTreeNode* node);
    void NodeRemoving(TTreeNode* node);
    void NodeTextChanged(TTreeNode* node);
    void NodeExpandedChanged(TTreeNode* node);
    void NodeImageChanged(TTreeNode* node);
    void ImagesChanged();
    // Selection after node (or its subtree) goes: next sibling, previous
    // sibling, else the parent.
    void SelectionLeaving(TTreeNode* node);
    void PushAll();
    void PushSelection();
    void PushLook();
    void UserSelected(TTreeNode* node);

    std::unique_ptr<TTreeNodes> FItems;
    std::unique_ptr<TLink> FLink;
    std::unique_ptr<TCanvas> FCanvas;
    std::unique_ptr<TChangeLink> FImageChangeLink;
    TCustomImageList* FImages = nullptr;
    TTreeNode* FSelected = nullptr;
    bool FReadOnly = false;
    bool FRowSelect = false;
    bool FShowRoot = true;
};
