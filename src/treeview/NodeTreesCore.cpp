// The frame of the tree: construction and destruction with their defaults,
// the resources shared by all trees (check image strips drawn here), the
// option sets, the colour set, the scroll bar settings and the assertions.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <mutex>
#include <cstdlib>

#include "platform/Bitmap.h"
#include "platform/DrawText.h"
#include "platform/Form.h"
#include "platform/ImageList.h"
#include "platform/WidgetBridge.h"
#include "treeview/NodeTreesStyleHooks.h"
#include "treeview/NodeTreesClasses.h"
#include "platform/ShapedPopup.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/transfer/NodeTreeDataObject.h"
#include "treeview/transfer/NodeTreeDragImage.h"
#include "treeview/header/NodeTreeHeader.h"

// ---------------------------------------------------------------- errors

EAssertionFailed::EAssertionFailed(const QString& Msg, const char* Unit, int Line)
    : std::logic_error(QStringLiteral("%1 (%2, line %3)").arg(Msg, QString::fromLatin1(Unit)).arg(Line).toStdString()), FText(Msg)
{
}

void RaiseTreeError(const QString& Msg, Integer HelpContext)
{
    throw ENodeTreeError(Msg, HelpContext);
}

void TBaseNodeTree::AssertFailed(const char* Msg, int Line) const
{
    throw EAssertionFailed(QString::fromLatin1(Msg), "NodeTrees", Line);
}

// ---------------------------------------------------------------- check states

namespace {
constexpr TCheckState PressedTable[9] = {csUncheckedPressed, csUncheckedPressed, csCheckedPressed, csCheckedPressed, csMixedPressed, csMixedPressed, csUncheckedDisabled, csCheckedDisabled, csMixedDisabled};
constexpr TCheckState UnpressedTable[9] = {csUncheckedNormal, csUncheckedNormal, csCheckedNormal, csCheckedNormal, csMixedNormal, csMixedNormal, csUncheckedDisabled, csCheckedDisabled, csMixedDisabled};
constexpr TCheckState EnabledTable[9] = {csUncheckedNormal, csUncheckedPressed, csCheckedNormal, csCheckedPressed, csMixedNormal, csMixedPressed, csUncheckedNormal, csCheckedNormal, csMixedNormal};
constexpr TCheckState ToggledTable[9] = {csCheckedNormal, csCheckedPressed, csUncheckedNormal, csUncheckedPressed, csCheckedNormal, csCheckedPressed, csUncheckedDisabled, csCheckedDisabled, csMixedDisabled};
} // namespace

bool IsDisabled(TCheckState s) { return s >= csUncheckedDisabled && s <= csMixedDisabled; }
bool IsChecked(TCheckState s) { return s == csCheckedNormal || s == csCheckedPressed || s == csCheckedDisabled; }
TCheckState GetPressed(TCheckState s) { return s <= csMixedDisabled ? PressedTable[s] : s; }
TCheckState GetUnpressed(TCheckState s) { return s <= csMixedDisabled ? UnpressedTable[s] : s; }
TCheckState GetEnabled(TCheckState s) { return s <= csMixedDisabled ? EnabledTable[s] : s; }
TCheckState GetToggled(TCheckState s) { return s <= csMixedDisabled ? ToggledTable[s] : s; }

// ---------------------------------------------------------------- shared resources

namespace {

struct TSharedResources {
    std::unique_ptr<TCustomImageList> Lists[9];  // by TCheckImageKind, ckCustom unused
    std::unique_ptr<TCustomImageList> Utility;
};

std::atomic<Integer> SharedResourcesCount{0};
TTreeCriticalSection ImageLoadingLock;
TSharedResources* Shared = nullptr;

enum TStripLook { slLightCheck, slDarkCheck, slLightTick, slDarkTick, slFlat, slXP };

// One 16 x 16 image of a check strip: kind 0 empty, then radio unchecked,
// radio checked, box unchecked, box checked, box mixed, push button; each
// in the states normal, hot, pressed, disabled.
void DrawStripImage(QPainter& p, int index, TStripLook look)
{
    if (index == 0)
        return;
    const int group = (index - 1) / 4;  // 0 radio off, 1 radio on, 2 box off, 3 box on, 4 mixed, 5 button
    const int state = (index - 1) % 4;  // normal, hot, pressed, disabled
    const bool dark = look == slDarkCheck || look == slDarkTick;
    const bool flat = look == slFlat;
    QColor frame = dark ? QColor(0x40, 0x40, 0x40) : QColor(0x1C, 0x51, 0x80);
    if (look == slXP)
        frame = QColor(0x21, 0xA1, 0x21);
    QColor face = state == 2 ? QColor(0xBC, 0xBC, 0xBC) : state == 1 ? QColor(0xFF, 0xF0, 0xCF) : QColor(Qt::white);
    QColor ink = dark ? QColor(Qt::black) : QColor(0x21, 0xA1, 0x21);
    if (state == 3) {
        frame = QColor(0xA0, 0xA0, 0xA0);
        face = QColor(0xF0, 0xF0, 0xF0);
        ink = QColor(0xA0, 0xA0, 0xA0);
    }
    p.setRenderHint(QPainter::Antialiasing, group < 2);
    if (group < 2) {
        p.setPen(frame);
        p.setBrush(face);
        p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
        if (group == 1) {
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
        }
        return;
    }
    if (group == 5) {
        p.fillRect(1, 1, 14, 14, state == 2 ? QColor(0xA0, 0xA0, 0xA0) : QColor(0xE0, 0xE0, 0xE0));
        p.setPen(state == 2 ? QColor(0x40, 0x40, 0x40) : QColor(Qt::white));
        p.drawLine(1, 1, 14, 1);
        p.drawLine(1, 1, 1, 14);
        p.setPen(state == 2 ? QColor(Qt::white) : QColor(0x40, 0x40, 0x40));
        p.drawLine(1, 14, 14, 14);
        p.drawLine(14, 1, 14, 14);
        return;
    }
    p.setPen(frame);
    p.setBrush(face);
    p.drawRect(2, 2, flat ? 11 : 11, 11);
    if (!flat && state != 3) {
        p.setPen(QColor(0xD0, 0xD0, 0xD0));
        p.drawLine(3, 12, 12, 12);
        p.drawLine(12, 3, 12, 12);
    }
    if (group == 3) {
        p.setPen(QPen(ink, 2));
        if (look == slLightTick || look == slDarkTick) {
            p.drawLine(4, 8, 7, 11);
            p.drawLine(7, 11, 12, 4);
        } else {
            p.drawLine(5, 7, 7, 10);
            p.drawLine(7, 10, 11, 5);
        }
    } else if (group == 4) {
        p.fillRect(5, 5, 6, 6, ink);
    }
}

// The lists are made with their size, and their images drawn the first
// time one is needed (a tree painting its check boxes or its header glyphs):
// many trees are made without ever showing one.
void FillStripList(TCustomImageList* list, TStripLook look)
{
    // Cut from one strip of 25 squares, as the strip resources are laid out.
    QImage strip(25 * 16, 16, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    for (int i = 0; i < 25; ++i) {
        p.save();
        p.translate(i * 16, 0);
        DrawStripImage(p, i, look);
        p.restore();
    }
    p.end();
    TBitmap bmp;
    bmp.SetImage(strip);
    list->Add(&bmp, nullptr);
}

std::unique_ptr<TCustomImageList> MakeStripList(TStripLook look)
{
    auto list = std::make_unique<TImageList>(16, 16);
    list->SetDeferredImages([look](TCustomImageList* l) { FillStripList(l, look); });
    return list;
}

void FillUtilityList(TCustomImageList* list)
{
    QImage strip(9 * 16, 16, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    // Images 0 and 1: the header's drop marks, a bar with an arrow head
    // pointing at the left or right edge of the target column.
    const QColor mark(0, 0, 0);
    p.fillRect(0 * 16 + 1, 1, 2, 14, mark);
    p.fillRect(1 * 16 + 13, 1, 2, 14, mark);
    for (int i = 0; i < 4; ++i) {
        p.fillRect(0 * 16 + 3 + i, 4 + i, 1, 8 - 2 * i, mark);
        p.fillRect(1 * 16 + 12 - i, 4 + i, 1, 8 - 2 * i, mark);
    }
    // Images 2 and 3: the sort glyphs, a triangle down (descending) and up
    // (ascending), drawn in the button shadow colour.
    const QColor glyph(128, 128, 128);
    for (int i = 0; i < 4; ++i) {
        p.fillRect(2 * 16 + 4 + i, 6 + i, 8 - 2 * i, 1, glyph);
        p.fillRect(3 * 16 + 4 + i, 9 - i, 8 - 2 * i, 1, glyph);
    }
    // Image 4: the ellipsis drawn on push-button check images.
    p.fillRect(4 * 16 + 4, 10, 2, 2, Qt::black);
    p.fillRect(4 * 16 + 7, 10, 2, 2, Qt::black);
    p.fillRect(4 * 16 + 10, 10, 2, 2, Qt::black);
    p.end();
    TBitmap bmp;
    bmp.SetImage(strip);
    list->Add(&bmp, nullptr);
}

std::unique_ptr<TCustomImageList> MakeUtilityList()
{
    auto list = std::make_unique<TImageList>(16, 16);
    list->SetDeferredImages(FillUtilityList);
    return list;
}

// The platform's own check controls, in the layout of the strips.
void FillSystemCheckImages(TCustomImageList* list, bool Flat, TCustomImageList* ButtonSource)
{
    const Integer w = list->Width();
    const Integer h = list->Height();
    TBitmap work(w, h);
    auto refill = [&] {
        work.Canvas()->Brush()->SetColor(clRed);
        work.Canvas()->FillRect(TRect(0, 0, w, h));
    };
    refill();
    list->AddMasked(&work, clRed);
    for (int i = 0; i < 20; ++i) {
        refill();
        Cardinal state = i < 8 ? DFCS_BUTTONRADIO : i < 16 ? DFCS_BUTTONCHECK : DFCS_BUTTON3STATE;
        static const Cardinal modes[4] = {0, DFCS_HOT, DFCS_PUSHED, DFCS_INACTIVE};
        state |= modes[i % 4];
        if ((i >= 4 && i <= 7) || (i >= 12 && i <= 19))
            state |= DFCS_CHECKED;
        if (Flat)
            state |= DFCS_FLAT;
        TRect r(0, 0, w, h);
        DrawFrameControl(work.Canvas(), r, DFC_BUTTON, state);
        list->AddMasked(&work, clRed);
    }
    for (int i = 21; i <= 24; ++i) {
        refill();
        ButtonSource->Draw(work.Canvas(), (w - 16) / 2, (h - 16) / 2, i);
        list->AddMasked(&work, clRed);
    }
}

std::unique_ptr<TCustomImageList> BuildSystemCheckImages(bool Flat, TCustomImageList* ButtonSource)
{
    auto list = std::make_unique<TImageList>(GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK));
    list->SetBkColor(clWhite);
    list->SetDeferredImages([Flat, ButtonSource](TCustomImageList* l) { FillSystemCheckImages(l, Flat, ButtonSource); });
    return list;
}

void ReleaseSharedResources()
{
    if (SharedResourcesCount.load() == 0 || Shared == nullptr)
        return;
    delete Shared;
    Shared = nullptr;
}

} // namespace

namespace NodeTreesShared {

void PrepareSharedResources()
{
    if (SharedResourcesCount.load() > 0)
        return;
    if (SharedResourcesCount.fetch_add(1) + 1 != 1)
        return;
    ImageLoadingLock.Enter();
    struct Leave {
        ~Leave() { ImageLoadingLock.Leave(); }
    } leave;
    Shared = new TSharedResources;
    Shared->Lists[ckLightCheck] = MakeStripList(slLightCheck);
    Shared->Lists[ckDarkCheck] = MakeStripList(slDarkCheck);
    Shared->Lists[ckLightTick] = MakeStripList(slLightTick);
    Shared->Lists[ckDarkTick] = MakeStripList(slDarkTick);
    Shared->Lists[ckFlat] = MakeStripList(slFlat);
    Shared->Lists[ckXP] = MakeStripList(slXP);
    Shared->Utility = MakeUtilityList();
    Shared->Lists[ckSystemDefault] = BuildSystemCheckImages(false, Shared->Lists[ckDarkCheck].get());
    Shared->Lists[ckSystemFlat] = BuildSystemCheckImages(true, Shared->Lists[ckFlat].get());
    RegisterNodeTreeStyleHooks();
    // The lists live until the application object goes.
    if (QCoreApplication* app = QCoreApplication::instance())
        QObject::connect(app, &QObject::destroyed, [] { ReleaseSharedResources(); });
}

bool Prepared()
{
    return Shared != nullptr;
}

TCustomImageList* CheckImageList(TCheckImageKind Kind)
{
    if (Shared == nullptr || Kind == ckCustom)
        return nullptr;
    return Shared->Lists[Kind].get();
}

TCustomImageList* UtilityImages()
{
    return Shared ? Shared->Utility.get() : nullptr;
}

} // namespace NodeTreesShared

// ---------------------------------------------------------------- construction

TBaseNodeTree::TBaseNodeTree(TComponent* AOwner) : TCustomControl(AOwner)
{
    NodeTreesShared::PrepareSharedResources();
    FControlStyle = (FControlStyle & ~Cardinal(csSetCaption)) | csCaptureMouse | csOpaque | csReplicatable;
    SetBounds(Left(), Top(), 200, 100);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    FScrollBarOptions = std::make_unique<TScrollBarOptions>(this);
    FPlusBM = std::make_unique<TBitmap>();
    FHotPlusBM = std::make_unique<TBitmap>();
    FMinusBM = std::make_unique<TBitmap>();
    FHotMinusBM = std::make_unique<TBitmap>();
    FSelectedHotPlusBM = std::make_unique<TBitmap>();
    FSelectedHotMinusBM = std::make_unique<TBitmap>();
    FHeader.reset(GetHeaderClass());
    FCheckImages = NodeTreesShared::CheckImageList(ckSystemDefault);
    FImageChangeLink = std::make_unique<TChangeLink>();
    FStateChangeLink = std::make_unique<TChangeLink>();
    FCustomCheckChangeLink = std::make_unique<TChangeLink>();
    for (TChangeLink* link : {FImageChangeLink.get(), FStateChangeLink.get(), FCustomCheckChangeLink.get()})
        link->OnChange = [this](TObject* Sender) { ImageListChange(Sender); };
    FBackground = std::make_unique<TPicture>();
    FColors = std::make_unique<TNtColors>(this);
    FClipboardFormats = std::make_unique<TClipboardFormats>(this);
    FDragImage = std::make_unique<TNtDragImage>(this);
    FDragImage->SetFade(true);
    FDragImage->SetTransparency(200);
    FSingletonNodeArray.resize(1);
    FOptions.reset(GetOptionsClass());
    FDottedBrush = std::make_unique<TLineBrush>();
    FRowBuffer = std::make_unique<TRowBuffer>();
    InitRootNode();
    BuildPaintResources(true, true);
    if (!HasState(csDesigning))
        NodeTreesWorker::AddThreadReference(this);
}

TBaseNodeTree::~TBaseNodeTree()
{
    FDestroying = true;
    Destroying();
    DisconnectAccessible();
    if (auto manager = std::dynamic_pointer_cast<TNtDragManager>(FDragManager))
        manager->OwnerGone();
    DetachDataObjects();
    StopCacheValidation();
    FOptions->FMiscOptions &= ~toReadOnly;
    if (!HasState(csDesigning))
        NodeTreesWorker::ReleaseThreadReference(this);
    EndWheelPanning();
    Clear();
    if (FImages)
        FImages->UnRegisterChanges(FImageChangeLink.get());
    if (FStateImages)
        FStateImages->UnRegisterChanges(FStateChangeLink.get());
    if (FCustomCheckImages)
        FCustomCheckImages->UnRegisterChanges(FCustomCheckChangeLink.get());
    FRowBuffer->Release();
    if (HandleAllocated())
        DestroyHandle();
    std::free(FRoot);
    FRoot = nullptr;
}

void TBaseNodeTree::AfterConstruction()
{
    TCustomControl::AfterConstruction();
    if (FRoot == nullptr)
        InitRootNode();
}

TCustomNodeTreeOptions* TBaseNodeTree::GetOptionsClass()
{
    return new TCustomNodeTreeOptions(this);
}

void TBaseNodeTree::ReplaceOptions()
{
    std::unique_ptr<TCustomNodeTreeOptions> fresh(GetOptionsClass());
    fresh->FPaintOptions = FOptions->FPaintOptions;
    fresh->FAnimationOptions = FOptions->FAnimationOptions;
    fresh->FAutoOptions = FOptions->FAutoOptions;
    fresh->FSelectionOptions = FOptions->FSelectionOptions;
    fresh->FMiscOptions = FOptions->FMiscOptions;
    fresh->FExportMode = FOptions->FExportMode;
    FOptions = std::move(fresh);
    ForgetHeldAppend();
}

TNtHeader* TBaseNodeTree::GetHeaderClass()
{
    return new TNtHeader(this);
}

TCustomImageList* TBaseNodeTree::GetCheckImageListFor(TCheckImageKind Kind)
{
    return NodeTreesShared::CheckImageList(Kind);
}

TBaseNodeTree* TBaseNodeTree::TreeFromNode(PDataNode Node)
{
    if (Node == nullptr)
        throw EAssertionFailed(QStringLiteral("Node must not be nil."), "NodeTrees", __LINE__);
    while (Node->NextSibling != Node)
        Node = Node->Parent;
    return reinterpret_cast<TBaseNodeTree*>(Node->Parent);
}

bool TBaseNodeTree::IsMainThread() const
{
    QCoreApplication* app = QCoreApplication::instance();
    return app == nullptr || QThread::currentThread() == app->thread();
}

bool TBaseNodeTree::ReadOnly() const
{
    return (FOptions->FMiscOptions & toReadOnly) != 0;
}

void TBaseNodeTree::ImageListChange(TObject*)
{
    if (!FDestroying)
        Invalidate();
}

void TBaseNodeTree::SetTreeOptions(const TCustomNodeTreeOptions* Value)
{
    FOptions->Assign(Value);
}

void TBaseNodeTree::SetColors(const TNtColors* Value)
{
    FColors->Assign(Value);
}

void TBaseNodeTree::SetImages(TCustomImageList* Value)
{
    if (Value == FImages)
        return;
    if (FImages)
        FImages->UnRegisterChanges(FImageChangeLink.get());
    FImages = Value;
    if (FImages)
        FImages->RegisterChanges(FImageChangeLink.get());
    if (!HasState(csLoading))
        Invalidate();
}

void TBaseNodeTree::SetStateImages(TCustomImageList* Value)
{
    if (Value == FStateImages)
        return;
    if (FStateImages)
        FStateImages->UnRegisterChanges(FStateChangeLink.get());
    FStateImages = Value;
    if (FStateImages)
        FStateImages->RegisterChanges(FStateChangeLink.get());
    if (HandleAllocated() && !HasState(csLoading))
        Invalidate();
}

void TBaseNodeTree::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    LayoutWindow();
    UpdateScrollBars(true);
}

void TBaseNodeTree::SetBiDiMode(TBiDiMode Value)
{
    if (Value == FBiDiMode)
        return;
    FBiDiMode = Value;
    const Integer eff = UseRightToLeftReading() ? Integer(FRangeX) + FOffsetX - ClientWidth() : -FOffsetX;
    FEffectiveOffsetX = std::max(eff, 0);
    // The vertical bar changes sides.
    LayoutWindow();
    Invalidate();
}

void TBaseNodeTree::Assign(const TPersistent* Source)
{
    auto* src = dynamic_cast<const TBaseNodeTree*>(Source);
    if (src == nullptr || ReadOnly()) {
        TCustomControl::Assign(Source);
        return;
    }
    SetAlign(src->Align());
    SetAnchors(src->Anchors());
    FAutoScrollDelay = src->FAutoScrollDelay;
    FAutoScrollInterval = src->FAutoScrollInterval;
    SetBorderStyle(src->FBorderStyle);
    FChangeDelay = src->FChangeDelay;
    SetCheckImageKind(src->FCheckImageKind);
    SetColor(src->Color());
    FColors->Assign(src->FColors.get());
    SetDefaultNodeHeight(src->FDefaultNodeHeight);
    SetEnabled(src->Enabled());
    SetFont(src->Font());
    SetImages(src->FImages);
    SetIndent(src->FIndent);
    SetMargin(src->FMargin);
    SetNodeAlignment(src->FNodeAlignment);
    SetNodeDataSize(src->FNodeDataSize);
    FOptions->Assign(src->FOptions.get());
    SetRootNodeCount(src->RootNodeCount());
    FScrollBarOptions->Assign(src->FScrollBarOptions.get());
    SetShowHint(src->ShowHint());
    SetStateImages(src->FStateImages);
    SetTabStop(src->TabStop());
    SetVisible(src->Visible());
    SetSelectionCurveRadius(src->FSelectionCurveRadius);
    FSelectionBlendFactor = src->FSelectionBlendFactor;
    SetEmptyListMessage(src->FEmptyListMessage);
}

void TBaseNodeTree::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
}

// A root count read from a form file becomes real nodes.
void TBaseNodeTree::Loaded()
{
    TCustomControl::Loaded();
    // The header's part, as if updating: columns and sizes come into force.
    ++FUpdateCount;
    FHeader->ValidateMainColumn();
    FHeader->Columns()->RebuildPositionIndex();
    if (FOptions->FAutoOptions & toAutoBidiColumnOrdering)
        FHeader->Columns()->ResetPositionOrder(UseRightToLeftAlignment());
    if (FHeader->States() & hsNeedScaling)
        FHeader->ApplyFixedAreaConstraints();
    else
        FHeader->UpdateHeaderFrame();
    if (FHeader->Options() & hoAutoResize)
        FHeader->Columns()->FitAutoSizeColumn(NoColumn, true);
    LowerUpdateCount();
    if (HasTreeState(tsNeedRootCountUpdate) && FRoot->ChildCount > 0) {
        DoStateChange(0, tsNeedRootCountUpdate);
        const bool readOnly = ReadOnly();
        FOptions->FMiscOptions &= ~toReadOnly;
        ForgetHeldAppend();
        const Cardinal count = FRoot->ChildCount;
        FRoot->ChildCount = 0;
        BeginUpdate();
        SetChildCount(FRoot, count);
        EndUpdate();
        if (readOnly)
            FOptions->FMiscOptions |= toReadOnly;
        ForgetHeldAppend();
    }
}

void TBaseNodeTree::DoEnter()
{
    TCustomControl::DoEnter();
    EnsureNodeSelected();
}

// Only a timer that runs is stopped: pending reports stop theirs often.
void TBaseNodeTree::KillTreeTimer(UINT_PTR Id)
{
    const Cardinal bit = 1u << Id;
    if (!(FRunningTimers & bit))
        return;
    FRunningTimers &= ~bit;
    if (HandleAllocated())
        KillTimer(Handle(), Id);
}

void TBaseNodeTree::SetTreeTimer(UINT_PTR Id, Cardinal Interval)
{
    ForgetHeldAppend();
    if (HandleAllocated() && SetTimer(Handle(), Id, Interval) != 0)
        FRunningTimers |= 1u << Id;
}

TNtAnimationPace::TNtAnimationPace(Cardinal ASteps, Cardinal Duration)
    : Steps(ASteps), RemainingTime(Integer(Duration))
{
    StepSize = Duration == 0 ? 1 : Integer(std::lround(std::max(double(Steps) / double(Duration), 1.0)));
    NumberOfSteps = Integer(Steps) / StepSize;
}

void TNtAnimationPace::StepTook(Integer Elapsed)
{
    if (Elapsed > RemainingTime) {
        RemainingTime = 0;
        NumberOfSteps = 0;
    } else {
        RemainingTime -= Elapsed;
        --NumberOfSteps;
    }
    while (NumberOfSteps > 0 && RemainingTime / NumberOfSteps < 1) {
        ++StepSize;
        NumberOfSteps = RemainingTime / StepSize;
    }
    Step = Integer(Steps) - NumberOfSteps;
}

// Calls Callback about Steps times spread over Duration milliseconds; the
// last call is (0, 0).
bool TBaseNodeTree::Animate(Cardinal Steps, Cardinal Duration, const TNtAnimationCallback& Callback, void* Data)
{
    if (HasTreeState(tsInAnimation) || Duration == 0)
        return false;
    DoStateChange(tsInAnimation);
    struct Leave {
        TBaseNodeTree* T;
        ~Leave() { T->DoStateChange(0, tsCancelHintAnimation | tsInAnimation); }
    } leave{this};
    QElapsedTimer clock;
    clock.start();
    TNtAnimationPace pace(Steps, Duration);
    const auto terminating = [] { return Application != nullptr && Application->Terminated(); };
    while (pace.Running() && !terminating()) {
        const qint64 start = clock.elapsed();
        const qint64 next = start + pace.Interval();
        if (!Callback(pace.Step, pace.StepSize, Data))
            break;
        while (clock.elapsed() < next) {
        }
        pace.StepTook(Integer(clock.elapsed() - start));
    }
    if (!terminating())
        Callback(0, 0, Data);
    return true;
}

// ---------------------------------------------------------------- options

TCustomNodeTreeOptions::TCustomNodeTreeOptions(TBaseNodeTree* AOwner) : FOwner(AOwner) {}

void TCustomNodeTreeOptions::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TCustomNodeTreeOptions*>(Source)) {
        src->AssignTo(this);
        return;
    }
    TPersistent::Assign(Source);
}

void TCustomNodeTreeOptions::AssignTo(TCustomNodeTreeOptions* Dest) const
{
    Dest->SetPaintOptions(FPaintOptions);
    Dest->SetAnimationOptions(FAnimationOptions);
    Dest->SetAutoOptions(FAutoOptions);
    Dest->SetSelectionOptions(FSelectionOptions);
    Dest->SetMiscOptions(FMiscOptions);
}

void TCustomNodeTreeOptions::SetAutoOptions(TNtAutoOptions Value)
{
    if (Value == FAutoOptions)
        return;
    const TNtAutoOptions changed = Value ^ FAutoOptions;
    FAutoOptions = Value;
    if ((changed & toAutoSpanColumns) && !FOwner->HasState(csLoading) && FOwner->HandleAllocated())
        FOwner->Invalidate();
}

void TCustomNodeTreeOptions::SetSelectionOptions(TNtSelectionOptions Value)
{
    if (Value == FSelectionOptions)
        return;
    const TNtSelectionOptions toBeSet = Value & ~FSelectionOptions;
    const TNtSelectionOptions toBeCleared = FSelectionOptions & ~Value;
    FSelectionOptions = Value;
    FOwner->ForgetHeldAppend();
    if (((toBeSet | toBeCleared) & toMultiSelect) || (toBeSet & (toLevelSelectConstraint | toSiblingSelectConstraint)))
        FOwner->ClearSelection();
    if ((toBeCleared & toExtendedFocus) && FOwner->FFocusedColumn > 0 && FOwner->HandleAllocated()) {
        FOwner->FFocusedColumn = FOwner->FHeader->MainColumn();
        FOwner->Invalidate();
    }
    if (!(Value & toExtendedFocus))
        FOwner->FFocusedColumn = FOwner->FHeader->MainColumn();
}

void TCustomNodeTreeOptions::SetMiscOptions(TNtMiscOptions Value)
{
    if (Value == FMiscOptions)
        return;
    const TNtMiscOptions toBeSet = Value & ~FMiscOptions;
    const TNtMiscOptions changed = Value ^ FMiscOptions;
    FMiscOptions = Value;
    FOwner->ForgetHeldAppend();
    if (FOwner->HasState(csLoading) || !FOwner->HandleAllocated())
        return;
    if (changed & toCheckSupport)
        FOwner->Invalidate();
    if (FOwner->HasState(csDesigning))
        return;
    if (changed & toFullRepaintOnResize)
        FOwner->RecreateWnd();
    if (changed & toAcceptOLEDrop)
        FOwner->UpdateDropTargetRegistration();
    if (toBeSet & toVariableNodeHeight) {
        FOwner->BeginUpdate();
        try {
            FOwner->ReinitNode(nullptr, true);
        } catch (...) {
            FOwner->EndUpdate();
            throw;
        }
        FOwner->EndUpdate();
    }
}

void TCustomNodeTreeOptions::SetPaintOptions(TNtPaintOptions Value)
{
    if (Value == FPaintOptions)
        return;
    TNtPaintOptions toBeSet = Value & ~FPaintOptions;
    const TNtPaintOptions toBeCleared = FPaintOptions & ~Value;
    FPaintOptions = Value;
    if (toBeSet & toFixedIndent) {
        FPaintOptions |= toShowRoot;
        toBeSet |= toShowRoot;
    }
    TBaseNodeTree* t = FOwner;
    const bool hasWindow = t->HandleAllocated();
    if (!t->HasState(csLoading) && ((toBeSet | toBeCleared) & toShowFilteredNodes)) {
        if (hasWindow)
            t->BeginUpdate();
        t->StopCacheValidation();
        for (PDataNode n = t->GetFirstNoInit(); n; n = t->GetNextNoInit(n)) {
            if (!(n->States & vsFiltered))
                continue;
            const bool showing = (toBeSet & toShowFilteredNodes) != 0;
            if (t->FullyVisible(n)) {
                if (showing)
                    ++t->FVisibleCount;
                else
                    --t->FVisibleCount;
            }
            t->PropagateTotalHeight(n, showing ? Integer(n->NodeHeight) : -Integer(n->NodeHeight), true);
        }
        if (hasWindow)
            t->EndUpdate();
    }
    if (!hasWindow || t->HasState(csLoading))
        return;
    if ((toBeSet | toBeCleared) & (toThemeAware | toUseExplorerTheme))
        t->BuildPaintResources(true, false);
    if ((toBeSet | toBeCleared) & toChildrenAbove) {
        t->InvalidatePositionCache();
        if (t->FUpdateCount == 0)
            t->RequestCacheValidation();
    }
    t->Invalidate();
}

void TCustomStringTreeOptions::SetStringOptions(TNtStringOptions Value)
{
    if (Value == FStringOptions)
        return;
    FStringOptions = Value;
    if (!Owner()->HasState(csLoading) && Owner()->HandleAllocated())
        Owner()->Invalidate();
}

void TCustomStringTreeOptions::AssignTo(TCustomNodeTreeOptions* Dest) const
{
    if (auto* d = dynamic_cast<TCustomStringTreeOptions*>(Dest))
        d->SetStringOptions(FStringOptions);
    TCustomNodeTreeOptions::AssignTo(Dest);
}

// ---------------------------------------------------------------- colours

TNtColors::TNtColors(TBaseNodeTree* AOwner) : FOwner(AOwner)
{
    FColors[DisabledColor] = clBtnShadow;
    FColors[DropMarkColor] = clHighlight;
    FColors[DropTargetColor] = clHighlight;
    FColors[FocusedSelectionColor] = clHighlight;
    FColors[GridLineColor] = clBtnFace;
    FColors[TreeLineColor] = clBtnShadow;
    FColors[UnfocusedSelectionColor] = clBtnFace;
    FColors[BorderColor] = clBtnFace;
    FColors[HotColor] = clWindowText;
    FColors[FocusedSelectionBorderColor] = clHighlight;
    FColors[UnfocusedSelectionBorderColor] = clBtnFace;
    FColors[DropTargetBorderColor] = clHighlight;
    FColors[SelectionRectangleBlendColor] = clHighlight;
    FColors[SelectionRectangleBorderColor] = clHighlight;
    FColors[HeaderHotColor] = clBtnShadow;
    FColors[SelectionTextColor] = clHighlightText;
    FColors[UnfocusedColor] = clBtnFace;
}

void TNtColors::Assign(const TPersistent* Source)
{
    auto* src = dynamic_cast<const TNtColors*>(Source);
    if (src == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    std::copy(std::begin(src->FColors), std::end(src->FColors), std::begin(FColors));
    if (FOwner->UpdateCount() == 0)
        FOwner->Invalidate();
}

void TNtColors::SetColor(Index i, TColor Value)
{
    if (FColors[i] == Value)
        return;
    FColors[i] = Value;
    if (FOwner->HasState(csLoading) || !FOwner->HandleAllocated())
        return;
    if (i == TreeLineColor)
        FOwner->BuildPaintResources(true, false);
    FOwner->Invalidate();
}

TColor TNtColors::TreeBackgroundColor() const
{
    return FOwner->Color();
}

TColor TNtColors::TreeFontColor() const
{
    return FOwner->Font()->Color();
}

// ---------------------------------------------------------------- scroll bar options

void TScrollBarOptions::Assign(const TPersistent* Source)
{
    auto* src = dynamic_cast<const TScrollBarOptions*>(Source);
    if (src == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    SetAlwaysVisible(src->FAlwaysVisible);
    FIncrementX = src->FIncrementX;
    SetScrollBars(src->FScrollBars);
    FScrollBarStyle = src->FScrollBarStyle;
    FIncrementY = src->FIncrementY;
}

void TScrollBarOptions::SetAlwaysVisible(bool Value)
{
    if (Value == FAlwaysVisible)
        return;
    FAlwaysVisible = Value;
    if (!FOwner->HasState(csLoading) && FOwner->HandleAllocated())
        FOwner->UpdateScrollBars(true);
}

void TScrollBarOptions::SetScrollBars(TScrollStyle Value)
{
    if (Value == FScrollBars)
        return;
    FScrollBars = Value;
    if (!FOwner->HasState(csLoading) && FOwner->HandleAllocated())
        FOwner->UpdateScrollBars(true);
}

// ---------------------------------------------------------------- draw tree

TCustomNodeTreeOptions* TNodeDrawTree::GetOptionsClass()
{
    return new TNodeTreeOptions(this);
}

Integer TCustomNodeDrawTree::GetNodeWidth(PDataNode Node, TColumnIndex Column, TCanvas* Canvas)
{
    Integer width = 2 * FTextMargin;
    if (OnGetNodeWidth)
        OnGetNodeWidth(this, Canvas ? Canvas : this->Canvas(), Node, Column, width);
    return width;
}

void TCustomNodeDrawTree::PaintNodeContent(TNtPaintInfo& PaintInfo)
{
    if (OnDrawNode)
        OnDrawNode(this, PaintInfo);
}
