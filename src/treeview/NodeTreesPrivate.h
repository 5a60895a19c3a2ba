#pragma once
// Private to the tree's source files: the shared resources of all trees,
// the worker thread's entry points, and the paint-side objects that need Qt.

#include <QBrush>
#include <QImage>
#include <QPainter>
#include <memory>

#include "platform/Canvas.h"
#include "platform/ScrollFrame.h"
#include "treeview/NodeTrees.h"
#include "treeview/transfer/NodeTreeDragManager.h"

class TCustomImageList;

#define TREE_ASSERT(cond, msg) Assert((cond), (msg), __LINE__)

// Options of ScrollToOffset.
constexpr Cardinal soRepaintHeader = 1;
constexpr Cardinal soRepaintScrollBars = 2;
constexpr Cardinal soScrollClientArea = 4;
constexpr Cardinal soUpdateScrollBars = 8;
constexpr Cardinal AllScrollOptions = 15;
// Directions of automatic scrolling.
constexpr Cardinal sdLeft = 1, sdUp = 2, sdRight = 4, sdDown = 8;

namespace NodeTreesShared {
// Created by the first tree, released at the end of the process.
void PrepareSharedResources();
bool Prepared();
TCustomImageList* CheckImageList(TCheckImageKind Kind);
TCustomImageList* UtilityImages();
} // namespace NodeTreesShared

// The one worker thread that builds the position caches of large trees.
namespace NodeTreesWorker {
void AddThreadReference(TBaseNodeTree* Tree);
void ReleaseThreadReference(TBaseNodeTree* Tree);
bool Exists();
void AddTree(TBaseNodeTree* Tree);
void RemoveTree(TBaseNodeTree* Tree);
bool IsWorkerThread();
// Runs Call on the main thread and waits for it (from the worker only).
void Synchronize(const std::function<void()>& Call);
} // namespace NodeTreesWorker

// The row bitmap of PaintTree: a 32-bit image with a canvas on it.
struct TBaseNodeTree::TRowBuffer {
    QImage Image;
    QPainter Painter;
    TCanvas Canvas;
    void Resize(int width, int height)
    {
        if (Image.width() == width && Image.height() == height && Painter.isActive())
            return;
        Canvas.EndPaint();
        if (Painter.isActive())
            Painter.end();
        Image = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied);
        Painter.begin(&Image);
        Canvas.BeginPaint(&Painter);
    }
    void Release()
    {
        Canvas.EndPaint();
        if (Painter.isActive())
            Painter.end();
    }
};

// The 8 x 8 line pattern: set bits show the background, clear ones the line.
struct TBaseNodeTree::TLineBrush {
    unsigned char Bits[8] = {};
    QRgb CachedInk = 0;
    QRgb CachedBack = 0;
    QBrush Brush;
    bool Valid = false;
    const QBrush& For(QRgb ink, QRgb back)
    {
        if (!Valid || ink != CachedInk || back != CachedBack) {
            QImage tex(8, 8, QImage::Format_ARGB32_Premultiplied);
            for (int y = 0; y < 8; ++y) {
                auto* line = reinterpret_cast<QRgb*>(tex.scanLine(y));
                for (int x = 0; x < 8; ++x)
                    line[x] = (Bits[y] & (0x80 >> x)) ? back : ink;
            }
            Brush = QBrush(tex);
            CachedInk = ink;
            CachedBack = back;
            Valid = true;
        }
        return Brush;
    }
};

// The frame with the scroll bars around the client window.
struct TBaseNodeTree::TScrollParts {
    std::unique_ptr<TScrollFrame> Frame;
};

// The row after a shown Node when children are shown below their parent:
// the cache walk's step, the same as NextVisibleNoInit with the node known
// to be shown, kept small since it runs once per row of the tree. NotARow:
// vsFiltered when filtered nodes are not shown, else nothing.
inline PDataNode TBaseNodeTree::NextShownRow(PDataNode Node, TDataNodeStates NotARow) const
{
    for (;;) {
        PDataNode candidate = nullptr;
        PDataNode run = Node;
        if ((Node->States & vsExpanded) && Node->FirstChild) {
            run = Node->FirstChild;
            if (run->States & vsVisible)
                candidate = run;
        }
        while (candidate == nullptr) {
            PDataNode sib = run->NextSibling;
            while (sib && !(sib->States & vsVisible))
                sib = sib->NextSibling;
            if (sib) {
                candidate = sib;
                break;
            }
            run = run->Parent;
            if (run == FRoot)
                return nullptr;
        }
        if (!(candidate->States & NotARow))
            return candidate;
        Node = candidate;
    }
}

inline bool TBaseNodeTree::AutoSortWanted() const
{
    return (FOptions->FAutoOptions & toAutoSort) && SortsByComparing();
}

// A zeroed node block from the pool with the fields every new node starts with.
inline PDataNode NewNodeRecord(TNodePool& Pool, std::size_t Size, const TNodeStart& Start)
{
    return InitNodeRecord(Pool.Allocate(Size), Start);
}

// Carries Child, just linked under Node, into the visible count, the
// subtree heights and (caught up later while updates are held) the subtree
// counts.
[[gnu::always_inline]] inline void TBaseNodeTree::CountLinkedChild(PDataNode Node, PDataNode Child)
{
    if (Node->States & vsExpanded) {
        if (FullyVisible(Node))
            ++FVisibleCount;
        PropagateTotalHeight(Node, Integer(Child->TotalHeight), true);
    }
    ++Node->TotalCount;
    if (FUpdateCount != 0) {
        // The root has nothing above it to catch up, but is noted all the
        // same: the short road of AddChild counts on its parent being the
        // pending one.
        AddPendingCount(Node);
        return;
    }
    if (Node == FRoot)
        return;
    CatchUpCounts();
    for (PDataNode run = Node->Parent;; run = run->Parent) {
        ++run->TotalCount;
        if (run == FRoot)
            break;
    }
}

// Whether appends to Parent (resolved, the root for none) may take the
// short road while updates are held: the last append cancelled the edit,
// initialised the parent, gave it a last child, stopped and invalidated the
// position cache and collected the structure change, and the node size is
// settled. Asked after an append inside an update (NoteHeldAppend); the
// answer stands until ForgetHeldAppend. The parent keeps a last child till
// then: taking a child away catches up the counts or frees a node, and
// either forgets the answer.
inline bool TBaseNodeTree::CanAppendHeld(PDataNode Parent) const
{
    return FPendingCountNode == Parent && !(FOptions->FMiscOptions & (toReadOnly | toVariableNodeHeight)) &&
           (TreeStates() & HeldAppendWatched) == HeldAppendSettled &&
           FLastStructureChangeNode == (Parent == FRoot ? nullptr : Parent) && FLastStructureChangeReason == crAccumulated &&
           !(FRunningTimers & (1u << StructureChangeTimer)) && (Parent->States & vsInitialized) && Parent->LastChild != nullptr &&
           FNodeDataSize >= 0 &&
           !HasState(csDesigning) && FNodePool.HasFreshSlot(NodeRecordSize + Cardinal(FNodeDataSize) + FTotalInternalDataSize) &&
           !FQueuedForValidation.load(std::memory_order_acquire);
}

