// Update batching, the tree states, delayed change and structure-change
// notification, long operations, invalidation of node areas, and the one
// worker thread that builds the position caches of large trees.

#include <QCoreApplication>
#include <QThread>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>
#include <thread>

#include "platform/Messages.h"
#include "platform/ScrollFrame.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"

// ---------------------------------------------------------------- states

void TBaseNodeTree::DoStateChange(TNodeTreeStates Enter, TNodeTreeStates Leave)
{
    const TNodeTreeStates old = TreeStates();
    if (OnStateChange && ((Enter & ~old) != 0 || (Leave & old) != 0)) {
        ReportStateChange(old, Enter, Leave);
        return;
    }
    StoreStates(old, (old | Enter) & ~Leave);
}

// Kept apart, so that a change nobody listens to costs no call set-up.
void TBaseNodeTree::ReportStateChange(TNodeTreeStates Old, TNodeTreeStates Enter, TNodeTreeStates Leave)
{
    OnStateChange(this, Enter, Leave);
    StoreStates(Old, (Old | Enter) & ~Leave);
}

void TBaseNodeTree::DoUpdating(TNtUpdateState State)
{
    if (OnUpdating)
        OnUpdating(this, State);
}

void TBaseNodeTree::BeginUpdate()
{
    if (!IsMainThread())
        throw EAssertionFailed(QStringLiteral("UI controls like ") + ClassName() + QStringLiteral(" should only be manipulated through the main thread."),
                               "NodeTrees", __LINE__);
    if (!FDestroying) {
        if (FUpdateCount == 0)
            DoUpdating(usBegin);
        else
            DoUpdating(usUpdate);
    }
    ++FUpdateCount;
    DoStateChange(tsUpdating);
}

void TBaseNodeTree::EndUpdate()
{
    if (FUpdateCount > 0)
        LowerUpdateCount();
    if (FUpdateCount == 0)
        CatchUpCounts();
    if (FDestroying)
        return;
    if (FUpdateCount == 0 && HasTreeState(tsUpdating)) {
        if (HasTreeState(tsUpdateHiddenChildrenNeeded)) {
            DetermineHiddenChildrenFlagAllNodes();
            DoStateChange(0, tsUpdateHiddenChildrenNeeded);
        }
        DoStateChange(0, tsUpdating);
        CompactSelection();
        InvalidatePositionCache();
        RequestCacheValidation();
        if (HandleAllocated())
            UpdateScrollBars(false);
        else
            UpdateRanges();
        struct Tail {
            TBaseNodeTree* T;
            ~Tail()
            {
                if (T->AutoSortWanted())
                    T->SortTree(T->FHeader->SortColumn(), T->FHeader->SortDirection(), false);
                if (T->HandleAllocated())
                    T->Invalidate();
            }
        } tail{this};
        if (HasTreeState(tsStructureChangePending))
            DoStructureChange(FLastStructureChangeNode, FLastStructureChangeReason);
        if (HasTreeState(tsChangePending))
            DoChange(FLastChangedNode);
    }
    if (FUpdateCount == 0) {
        DoUpdating(usEnd);
        EnsureNodeSelected();
    } else {
        DoUpdating(usUpdate);
    }
}

void TBaseNodeTree::BeginSynch()
{
    if (!FDestroying) {
        if (FSynchUpdateCount == 0) {
            DoUpdating(usBeginSynch);
            for (UINT_PTR id : {ChangeTimer, StructureChangeTimer, ExpandTimer, EditTimer, HeaderTimer, ScrollTimer, SearchTimer})
                KillTreeTimer(id);
            FSearchBuffer.clear();
            FLastSearchNode = nullptr;
            DoStateChange(0, tsEditPending | tsIncrementalSearching | tsScrolling | tsScrollPending);
            if (HasTreeState(tsStructureChangePending))
                DoStructureChange(FLastStructureChangeNode, FLastStructureChangeReason);
            if (HasTreeState(tsChangePending))
                DoChange(FLastChangedNode);
        } else {
            DoUpdating(usSynch);
        }
    }
    ++FSynchUpdateCount;
    DoStateChange(tsSynchMode);
}

void TBaseNodeTree::EndSynch()
{
    if (FSynchUpdateCount > 0)
        --FSynchUpdateCount;
    if (FDestroying)
        return;
    if (FSynchUpdateCount == 0) {
        DoStateChange(0, tsSynchMode);
        DoUpdating(usEndSynch);
    } else {
        DoUpdating(usSynch);
    }
}

// ---------------------------------------------------------------- notification

void TBaseNodeTree::AdviseChangeEvent(bool IsStructureChange, PDataNode Node, TChangeReason Reason)
{
    if (IsStructureChange) {
        ForgetHeldAppend();
        if (HasTreeState(tsStructureChangePending)) {
            if (FRunningTimers & (1u << StructureChangeTimer))
                KillTreeTimer(StructureChangeTimer);
        } else
            DoStateChange(tsStructureChangePending);
        FLastStructureChangeNode = Node;
        if (FLastStructureChangeReason == crIgnore)
            FLastStructureChangeReason = Reason;
        else if (Reason != crIgnore)
            FLastStructureChangeReason = crAccumulated;
    } else {
        if (HasTreeState(tsChangePending))
            KillTreeTimer(ChangeTimer);
        else
            DoStateChange(tsChangePending);
        FLastChangedNode = Node;
    }
}

void TBaseNodeTree::Change(PDataNode Node)
{
    AdviseChangeEvent(false, Node, crIgnore);
    if (FUpdateCount == 0) {
        if (FChangeDelay > 0 && HandleAllocated() && !HasTreeState(tsSynchMode))
            SetTreeTimer(ChangeTimer, FChangeDelay);
        else
            DoChange(Node);
    }
}

void TBaseNodeTree::DoChange(PDataNode Node)
{
    KillTreeTimer(ChangeTimer);
    if (OnChange)
        OnChange(this, Node);
    DoStateChange(0, tsChangePending);
    FLastChangedNode = nullptr;
}

void TBaseNodeTree::StructureChange(PDataNode Node, TChangeReason Reason)
{
    AdviseChangeEvent(true, Node, Reason);
    if (FUpdateCount == 0) {
        if (FChangeDelay > 0 && HandleAllocated() && !HasTreeState(tsSynchMode))
            SetTreeTimer(StructureChangeTimer, FChangeDelay);
        else
            DoStructureChange(Node, Reason);
    }
}

void TBaseNodeTree::DoStructureChange(PDataNode Node, TChangeReason Reason)
{
    KillTreeTimer(StructureChangeTimer);
    if (OnStructureChange)
        OnStructureChange(this, Node, Reason);
    DoStateChange(0, tsStructureChangePending);
    ForgetStructureChange();
}

void TBaseNodeTree::ForgetStructureChange()
{
    ForgetHeldAppend();
    FLastStructureChangeNode = nullptr;
    FLastStructureChangeReason = crIgnore;
}

// ---------------------------------------------------------------- operations

void TBaseNodeTree::BeginOperation(TNtOperationKind Kind)
{
    ++FOperationCount;
    if (OnStartOperation)
        OnStartOperation(this, Kind);
    if (FOperationCount == 1)
        FOperationCanceled = false;
}

void TBaseNodeTree::EndOperation(TNtOperationKind Kind)
{
    TREE_ASSERT(FOperationCount > 0, "EndOperation must not be called when no operation in progress.");
    --FOperationCount;
    if (OnEndOperation)
        OnEndOperation(this, Kind);
}

void TBaseNodeTree::CancelOperation()
{
    if (FOperationCount > 0)
        FOperationCanceled = true;
}

void TBaseNodeTree::DetermineHiddenChildrenFlagAllNodes()
{
    for (PDataNode run = GetFirstNoInit(); run; run = GetNextNoInit(run))
        UpdateHiddenChildrenFlag(run);
}

// ---------------------------------------------------------------- invalidation

void TBaseNodeTree::InvalidateRectangle(const TRect& R)
{
    if (FUpdateCount == 0 && HandleAllocated())
        InvalidateClientRect(this, R);
}

// False when the node's row cannot touch the client area: it is not shown,
// or the position cache puts its block of rows wholly above or below the view.
bool TBaseNodeTree::RowMayShow(PDataNode Node)
{
    if (!IsEffectivelyVisible(Node) || !FullyVisible(Node))
        return false;
    if (!HasTreeState(tsUseCache) || FPositionCache.empty())
        return true;
    const Int64 viewTop = -Int64(FOffsetY);
    const Int64 viewBottom = viewTop + ClientHeight();
    const Integer index = CacheIndexOfNode(Node);
    if (index >= 0 && FPositionCache[std::size_t(index)].AbsoluteTop >= viewBottom)
        return false;
    if (index + 1 < Integer(FPositionCache.size()) && FPositionCache[std::size_t(index + 1)].AbsoluteTop <= viewTop)
        return false;
    return true;
}

TRect TBaseNodeTree::InvalidateNode(PDataNode Node)
{
    // The node's text or look may have changed: the widest row is measured anew.
    FWidestExtent.Valid = false;
    if (FUpdateCount != 0 || !HandleAllocated() || Node == nullptr || Node == FRoot)
        return TRect(-1, -1, -1, -1);
    if (!RowMayShow(Node))
        return TRect();
    TRect r = GetDisplayRect(Node, NoColumn, false);
    InvalidateClientRect(this, r);
    return r;
}

void TBaseNodeTree::MarkRowsToBottom(PDataNode Node)
{
    if (!HandleAllocated())
        return;
    const TRect client = ClientRect();
    if (Node == nullptr || Node == FRoot) {
        Invalidate();
        MarkToBottom(client);
        FInvalidBottom.Whole = true;
        return;
    }
    // The whole window is marked already: no row needs finding.
    if (MarkedToBottom(client))
        return;
    if (!(Node->States & vsInitialized) || !IsEffectivelyVisible(Node))
        return;
    // A row that starts below the window has nothing in view to repaint;
    // found without summing more rows than the window shows.
    TRect r = client;
    Cardinal rowTop = 0;
    if (!(FOptions->FMiscOptions & toVariableNodeHeight) && !(FOptions->FPaintOptions & toChildrenAbove) && FullyVisible(Node)) {
        if (RowStartsAtOrBelow(Node, Cardinal(std::max<Integer>(client.Bottom - FOffsetY, 0)), &rowTop))
            return;
        r.Top = Integer(rowTop) + FOffsetY;
    } else {
        r.Top = GetDisplayRect(Node, NoColumn, false).Top;
        if ((FOptions->FPaintOptions & toChildrenAbove) && (Node->States & vsExpanded))
            r.Top -= Integer(Node->TotalHeight + Node->NodeHeight);
    }
    if (r.Top < client.Bottom && !MarkedToBottom(r)) {
        InvalidateClientRect(this, r);
        MarkToBottom(r);
    }
}

void TBaseNodeTree::MarkToBottom(const TRect& R)
{
    FInvalidBottom = {R, FOffsetX, FOffsetY, true};
}

void TBaseNodeTree::InvalidateChildren(PDataNode Node, bool Recursive)
{
    if (Node == nullptr)
        Node = FRoot;
    else {
        if (!(Node->States & vsInitialized))
            InitNode(Node);
        InvalidateNode(Node);
    }
    if ((Node->States & vsHasChildren) && Node->ChildCount == 0)
        InitChildren(Node);
    for (PDataNode run = Node->FirstChild; run; run = run->NextSibling) {
        InvalidateNode(run);
        if (Recursive)
            InvalidateChildren(run, true);
    }
}

// ---------------------------------------------------------------- the worker thread

namespace {

struct TWorker {
    std::thread Thread;
    std::mutex Mutex;
    std::condition_variable Cv;
    std::deque<TBaseNodeTree*> Waiters;
    TBaseNodeTree* Current = nullptr;
    Cardinal RefCount = 0;
    bool Wake = false;
    bool Terminate = false;
    bool Exited = false;
    // One call the worker waits to see run on the main thread.
    std::function<void()> Pending;
    bool PendingDone = true;
    std::set<TBaseNodeTree*> Live;
    std::thread::id ThreadId;
};

TWorker* Worker = nullptr;

// Runs the worker's pending call; the lock is held on entry and on exit.
void RunPending(std::unique_lock<std::mutex>& lock)
{
    if (Worker->PendingDone || !Worker->Pending)
        return;
    std::function<void()> call = std::move(Worker->Pending);
    Worker->Pending = nullptr;
    lock.unlock();
    try {
        call();
    } catch (...) {
    }
    lock.lock();
    Worker->PendingDone = true;
    Worker->Cv.notify_all();
}

void RunPendingFromQueue()
{
    if (Worker == nullptr)
        return;
    std::unique_lock<std::mutex> lock(Worker->Mutex);
    RunPending(lock);
}

void ChangeTreeStates(TBaseNodeTree* Tree, TNodeTreeStates Enter, TNodeTreeStates Leave)
{
    NodeTreesWorker::Synchronize([Tree, Enter, Leave] { Tree->DoStateChange(Enter, Leave); });
}

} // namespace

// The worker's side of a tree: it runs the cache build on the worker.
struct TNodeTreeWorker {
    static std::atomic<bool>& Queued(TBaseNodeTree* Tree) { return Tree->FQueuedForValidation; }
    static bool Validate(TBaseNodeTree* Tree) { return Tree->DoValidateCache(); }
    static void UpdateEditBounds(TBaseNodeTree* Tree) { Tree->UpdateEditBounds(); }

    static void Execute(TWorker* W)
    {
        for (;;) {
            TBaseNodeTree* tree = nullptr;
            {
                std::unique_lock<std::mutex> lock(W->Mutex);
                W->Cv.wait(lock, [W] { return W->Wake || W->Terminate; });
                W->Wake = false;
                if (W->Terminate)
                    break;
                if (!W->Waiters.empty()) {
                    W->Current = W->Waiters.front();
                    W->Waiters.pop_front();
                    if (!W->Waiters.empty())
                        W->Wake = true;
                } else {
                    W->Current = nullptr;
                }
                tree = W->Current;
            }
            if (tree == nullptr)
                continue;
            ChangeTreeStates(tree, tsValidating, tsUseCache | tsValidationNeeded);
            TNodeTreeStates newStates = 0;
            try {
                if (!tree->HasTreeState(tsStopValidation) && Validate(tree))
                    newStates = tsUseCache;
            } catch (...) {
            }
            ChangeTreeStates(tree, newStates, tsStopValidation | tsValidating);
            {
                std::lock_guard<std::mutex> lock(W->Mutex);
                W->Current = nullptr;
                if (std::find(W->Waiters.begin(), W->Waiters.end(), tree) == W->Waiters.end())
                    Queued(tree) = false;
                W->Cv.notify_all();
                // Edit bounds follow on the main thread, for a tree that still exists.
                Post_To_Window_Thread([tree](bool delivered) {
                    if (!delivered || Worker == nullptr)
                        return;
                    {
                        std::lock_guard<std::mutex> l(Worker->Mutex);
                        if (Worker->Live.count(tree) == 0)
                            return;
                    }
                    UpdateEditBounds(tree);
                });
            }
        }
        std::lock_guard<std::mutex> lock(W->Mutex);
        W->Exited = true;
        W->Cv.notify_all();
    }
};

namespace NodeTreesWorker {

void AddThreadReference(TBaseNodeTree* Tree)
{
    if (Worker == nullptr) {
        Worker = new TWorker;
        Worker->Thread = std::thread([W = Worker] { TNodeTreeWorker::Execute(W); });
        Worker->ThreadId = Worker->Thread.get_id();
    }
    std::lock_guard<std::mutex> lock(Worker->Mutex);
    ++Worker->RefCount;
    Worker->Live.insert(Tree);
}

void ReleaseThreadReference(TBaseNodeTree* Tree)
{
    if (Worker == nullptr)
        return;
    {
        std::lock_guard<std::mutex> lock(Worker->Mutex);
        Worker->Live.erase(Tree);
        if (Worker->RefCount > 0)
            --Worker->RefCount;
    }
    RemoveTree(Tree);
    std::unique_lock<std::mutex> lock(Worker->Mutex);
    if (Worker->RefCount > 0)
        return;
    Worker->Terminate = true;
    Worker->Cv.notify_all();
    // The worker may be waiting for a call on this thread before it can end.
    while (!Worker->Exited) {
        RunPending(lock);
        if (!Worker->Exited)
            Worker->Cv.wait(lock);
    }
    lock.unlock();
    Worker->Thread.join();
    delete Worker;
    Worker = nullptr;
}

bool Exists()
{
    return Worker != nullptr;
}

bool IsWorkerThread()
{
    return Worker != nullptr && std::this_thread::get_id() == Worker->ThreadId;
}

void AddTree(TBaseNodeTree* Tree)
{
    if (Tree == nullptr)
        throw EAssertionFailed(QStringLiteral("Tree must not be nil."), "NodeTrees.WorkerThread", __LINE__);
    if (Worker == nullptr)
        return;
    Tree->DoStateChange(0, tsStopValidation);
    std::lock_guard<std::mutex> lock(Worker->Mutex);
    TNodeTreeWorker::Queued(Tree) = true;
    if (std::find(Worker->Waiters.begin(), Worker->Waiters.end(), Tree) == Worker->Waiters.end())
        Worker->Waiters.push_back(Tree);
    Worker->Wake = true;
    Worker->Cv.notify_all();
}

void RemoveTree(TBaseNodeTree* Tree)
{
    if (Tree == nullptr)
        throw EAssertionFailed(QStringLiteral("Tree must not be nil."), "NodeTrees.WorkerThread", __LINE__);
    // A tree the worker never heard of needs no lock.
    if (Worker == nullptr || !TNodeTreeWorker::Queued(Tree))
        return;
    std::unique_lock<std::mutex> lock(Worker->Mutex);
    Worker->Waiters.erase(std::remove(Worker->Waiters.begin(), Worker->Waiters.end(), Tree), Worker->Waiters.end());
    // Waits for the worker to let go of the tree, running its state changes here.
    while (Worker->Current == Tree) {
        RunPending(lock);
        if (Worker->Current == Tree)
            Worker->Cv.wait(lock);
    }
    TNodeTreeWorker::Queued(Tree) = false;
}

void Synchronize(const std::function<void()>& Call)
{
    if (Worker == nullptr || !IsWorkerThread()) {
        Call();
        return;
    }
    std::unique_lock<std::mutex> lock(Worker->Mutex);
    Worker->Pending = Call;
    Worker->PendingDone = false;
    Post_To_Window_Thread([](bool delivered) {
        if (delivered)
            RunPendingFromQueue();
    });
    Worker->Cv.notify_all();
    Worker->Cv.wait(lock, [] { return Worker->PendingDone; });
}

} // namespace NodeTreesWorker
