#pragma once
// The tree's drag manager: the drop target registered for the tree's
// window and the drop source of the drags the tree starts; it hands the
// notifications of a drag to the tree and keeps what the drag carries.

#include <memory>

#include "platform/DragDrop.h"
#include "treeview/NodeTrees.h"

class INtDragManager {
public:
    virtual ~INtDragManager() = default;
    // Lets the desktop's drag picture go after the tree's own drag loop.
    virtual void ForceDragLeave() = 0;
    // While a drag is over the tree, its data object (not the caller's);
    // otherwise a new data object of the tree's selection (the caller's).
    virtual QMimeData* GetDataObject() = 0;
    // The tree of this process whose nodes are dragged over the owner; nil
    // for data from elsewhere.
    virtual TBaseNodeTree* GetDragSource() = 0;
    // The desktop draws the drag's picture (the tree then draws none).
    virtual bool GetDropTargetHelperSupported() = 0;
    virtual bool GetIsDropTarget() = 0;
};

class TNtDragManager : public INtDragManager, public IDropTarget, public IDropSource {
public:
    explicit TNtDragManager(TBaseNodeTree* AOwner);
    ~TNtDragManager() override;

    // IDropTarget
    HRESULT DragEnter(const QMimeData* DataObject, Integer KeyState, TPoint Pt, Integer& Effect) override;
    HRESULT DragOver(Integer KeyState, TPoint Pt, Integer& Effect) override;
    HRESULT DragLeave() override;
    HRESULT Drop(const QMimeData* DataObject, Integer KeyState, TPoint Pt, Integer& Effect) override;
    // IDropSource
    HRESULT QueryContinueDrag(bool EscapePressed, Integer KeyState) override;
    HRESULT GiveFeedback(Integer Effect) override;
    // INtDragManager
    void ForceDragLeave() override;
    QMimeData* GetDataObject() override;
    TBaseNodeTree* GetDragSource() override { return FDragSource; }
    bool GetDropTargetHelperSupported() override { return FDropTargetHelper; }
    bool GetIsDropTarget() override { return FIsDropTarget; }

    // The tree goes: the manager no longer serves it.
    void OwnerGone() { FOwner = nullptr; }

private:
    TBaseNodeTree* FOwner;
    TBaseNodeTree* FDragSource = nullptr;
    bool FIsDropTarget = false;
    const QMimeData* FDataObject = nullptr;
    bool FDropTargetHelper = false;
};
