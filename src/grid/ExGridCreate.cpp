// TExStringGrid: construction and destruction, window creation, the end of
// loading, copying from another grid, starting the 500 ms grid timer and
// the owner form's resize handling.

#include "grid/ExGrid.h"
#include "grid/features/ExGridPanels.h"
#include "grid/features/ExGridFilterDropDown.h"

#include "grid/ExGridCellGraphic.h"
#include "grid/ExGridEditors.h"
#include "grid/PictureContainer.h"
#include "platform/BalloonTip.h"
#include "platform/Bitmap.h"
#include "platform/Form.h"
#include "platform/InplaceEdit.h"
#include "platform/Messages.h"

namespace {

constexpr UINT_PTR kGridTimer = 111;
constexpr UINT kGridTimerPeriod = 500;

// The cursor shown over links in cells (one for the whole program).
TCursor LinkCursor = crDefault;

} // namespace

// The grid's link in its owner form's resize chain. It outlives the grid:
// once the grid is gone it only passes the call on to the handler it kept,
// so a handler chained in after the grid stays safe.
struct TResizeLink {
    TExStringGrid* Grid = nullptr;
    TNotifyEvent Kept;
};

class TGridResizeHandler {
public:
    explicit TGridResizeHandler(std::shared_ptr<TResizeLink> Link) : FLink(std::move(Link)) {}
    void operator()(TObject* Sender) const
    {
        if (FLink->Grid != nullptr)
            FLink->Grid->FormResize(Sender);
        else if (FLink->Kept)
            FLink->Kept(Sender);
    }
    const TResizeLink* Link() const { return FLink.get(); }

private:
    std::shared_ptr<TResizeLink> FLink;
};

TExStringGrid::TExStringGrid(TComponent* AOwner) : TBaseGrid(AOwner)
{
    FControlStyle |= csAcceptsControls;
    const bool designing = IsDesigning();

    // Settings objects.
    cf = std::make_unique<TFont>();
    FFocusHelper = std::make_unique<TFocusHelper>(this);
    FSearchFooter = std::make_unique<TSearchFooter>(this, designing);
    FFloatingFooter = std::make_unique<TFloatingFooter>(this);
    FPrintSettings = std::make_unique<TPrintSettings>(this);
    FSortSettings = std::make_unique<TSortSettings>(this);
    FCellNode = std::make_unique<TCellNode>(this);
    FControlLook = std::make_unique<TControlLook>(this);
    // The hovered and pressed header colours start as the look's, not black.
    SetKavroGradientHoverFrom(FControlLook->FixedGradientHoverFrom());
    SetKavroGradientHoverTo(FControlLook->FixedGradientHoverTo());
    SetKavroGradientHoverBorder(FControlLook->FixedGradientHoverBorder());
    SetKavroGradientDownFrom(FControlLook->FixedGradientDownFrom());
    SetKavroGradientDownTo(FControlLook->FixedGradientDownTo());
    SetKavroGradientDownBorder(FControlLook->FixedGradientDownBorder());
    FProgressAppearance = std::make_unique<TGridProgressAppearance>();
    FProgressAppearance->OnChange = [this](TObject*) { Invalidate(); };
    FNavigation = std::make_unique<TNavigation>();
    FHTMLSettings = std::make_unique<THTMLSettings>();
    FDragDropSettings = std::make_unique<TDragDropSettings>(this);
    FDragScrollOptions = std::make_unique<TDragScrollOptions>();
    FDropSelection = TGridRect{-1, -1, -1, -1};
    FNavigation->OnChange = [this](TObject* Sender) { NavigationChanged(Sender); };
    FColumnSize = std::make_unique<TColumnSize>(this);
    FBands = std::make_unique<TBands>();
    FBands->OnChange = [this](TObject*) { Invalidate(); };
    FMouseActions = std::make_unique<TMouseActions>(this);
    FMouseActions->OnChange = [this](TObject* Sender) { MouseActionsChanged(Sender); };
    FMouseActions->OnIsDesigning = [this](TObject*, bool& Designing) { Designing = IsDesigning(); };
    FMouseActions->OnInvalidate = [this](TObject* Sender) { RefreshGrid(Sender); };
    FGrouping = std::make_unique<TGrouping>();
    FColumnHeaders = std::make_unique<TStringList>();
    FColumnHeaders->OnChange = [this](TObject*) {
        if (FPuttingColumnHeader)
            return;
        ColumnHeadersChanging();
        ShowColumnHeaders();
    };
    FImageCache = std::make_unique<THTMLPictureCache>();

    FOrigColSizes = std::make_unique<TIntList>(-1, -1);
    FFixedFont = std::make_unique<TFont>();
    FFixedFont->SetName(QStringLiteral("Tahoma"));
    FFixedFont->SetStyle(fsBold);
    FFixedFont->OnChange = [this](TObject*) { Invalidate(); };
    FActiveCellFont = std::make_unique<TFont>();
    FActiveCellFont->SetStyle(fsBold);
    if (designing)
        FActiveCellFont->SetName(QStringLiteral("Tahoma"));
    FActiveCellFont->OnChange = [this](TObject*) { Invalidate(); };
    FRowHeaders = std::make_unique<TStringList>();
    FRowHeaders->OnChange = [this](TObject*) { ShowRowHeaders(); };
    Sortlist = std::make_unique<TStringList>();
    FLookupItems = std::make_unique<TStringList>();
    FRowSelect = std::make_unique<TList>();
    FColSelect = std::make_unique<TList>();
    FSortIndexes = std::make_unique<TSortIndexList>();
    FSortRowXRef = std::make_unique<TIntList>(0, 0);
    FUnSortRowXRef = std::make_unique<TIntList>(0, 0);
    FMergedColumns = std::make_unique<TIntList>(0, 0);
    FMergedColumns->OnChange = [this](TObject*, Integer, Integer) { Invalidate(); };
    FSelectedCells = std::make_unique<TIntList>(0, 0);
    FSelectedRows = std::make_unique<TIntList>(0, 0);
    FModifiedRows = std::make_unique<TIntList>(0, 0);
    FEnabledRows = std::make_unique<TIntList>(0, 0);
    FRowIndicator = std::make_unique<TBitmap>();
    FBackGround = std::make_unique<TBackGround>(this);
    FShowModified = std::make_unique<TShowModified>();
    FShowModified->OnChange = [this](TObject*) { RepaintCol(0); };
    FControlList = std::make_unique<TControlList>();
    FSyncGrid = std::make_unique<TSyncGrid>(this);

    // Size and the hidden-row store.
    SetColCount(5);
    SetFixedCols(1);
    SetFixedRows(1);
    SetRowCount(10);
    SetBounds(Left(), Top(), 400, 250);
    FGridItems = std::make_unique<TCollection>([](TCollection* c) { return new TGridItem(c); });
    FBalloonSettings = std::make_unique<TBalloonSettings>();
    FBalloonSettings->OnEnableChange = [this](TObject*) { BalloonEnableChanged(); };

    // Chain in front of the owner form's resize handler.
    if (auto* form = dynamic_cast<TCustomForm*>(AOwner); form != nullptr && !designing) {
        FResizeLink = std::make_shared<TResizeLink>();
        FResizeLink->Grid = this;
        if (form->OnResize) {
            FResizeLink->Kept = form->OnResize;
            ResizeAssigned_ = true;
        }
        form->OnResize = TGridResizeHandler(FResizeLink);
        PrevSizeX_ = form->Width();
        PrevSizeY_ = form->Height();
    }

    FVisibleCol.fill(true);
    FNumHidden = 0;
    TCustomGrid::SetDefaultRowHeight(22);
    FFloatingFooter->FollowRowHeight(DefaultRowHeight());
    FFixedRowHeight = DefaultRowHeight();
    FLook = glXP;
    SetKavroGradientFrom(clWhite);
    SetKavroGradientTo(ColorToRGB(clBtnFace));

    FIsWinXP = IsWinXPOrLater();
    FIsWin7 = FIsWinXP;
    FIsComCtl6 = HasComCtl6();
    FBorderColor = FIsWinXP ? TColor(0xB99D7F) : clGray;
    FScrollType = ssNormal;
    FScrollColor = clNone;
    FScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    FIsWinVista = HasGetLocaleInfoEx();

    FNotifierList = std::make_unique<TList>();
    FColumnOrder = std::make_unique<TIntList>(0, 0);
    FCellGraphic = std::make_unique<TCellGraphic>();
    FIgnoreColumns = std::make_unique<TIntList>(-1, -1);
    FFilterList = std::make_unique<TStringList>();
    FFilterList->SetDuplicates(dupIgnore);
    FFilterList->SetSorted(true);
    FFilter = std::make_unique<TFilter>(this);
    FFilterDropDown = std::make_unique<TFilterDropDown>();
    FFilterDropDown->OnChange = [this](TObject*) { Invalidate(); };
    FOldLeftCol = LeftCol();
    FOldTopRow = TopRow();

    // The combo and check-box editors exist from the start, hidden and disabled.
    EditCombo = new TGridCombo(this);
    EditCombo->SetParent(this);
    EditCombo->SetVisible(false);
    EditCombo->SetEnabled(false);
    EditCombo->SetIsWinXP(FIsWinXP);
    EditCombo->SetIsVista(FIsWinVista && FIsComCtl6);
    EditCheck = new TGridCheckBox(this);
    EditCheck->SetParent(this);
    EditCheck->SetVisible(false);
    EditCheck->SetEnabled(false);
    CreateSpecialEditors();

    // The footer strip along the bottom edge, of no height until shown; the
    // search bar below it is made when first shown (MakeSearchPanel).
    FFooterPanel = new TFooterPanel(this);
    FFooterPanel->SetParent(this);
    FSearchFooter->OnChange = [this](TObject*) { UpdateSearchPanel(); };

    if (!designing) {
        FFocusWindow = new TGridFocusWindow(this);
        FArrowsWanted = true;
    }
    LinkCursor = crHandPoint;
}

TExStringGrid::~TExStringGrid()
{
    TComponent::Destroying();
    ForgetFocusFrame();
    BalloonDone();
    FEntryBalloon.reset();
    if (FOleDropTargetAssigned && HandleAllocated())
        RevokeDragDrop(Handle());
    if (FResizeLink) {
        // Give the form its handler back when ours is still the one it calls;
        // otherwise our link only passes calls on from now on.
        auto* form = dynamic_cast<TCustomForm*>(Owner());
        if (form != nullptr && !form->HasState(csDestroying)) {
            const auto* handler = form->OnResize.target<TGridResizeHandler>();
            if (handler != nullptr && handler->Link() == FResizeLink.get())
                form->OnResize = FResizeLink->Kept;
        }
        FResizeLink->Grid = nullptr;
    }
    if (FColumnSize->Save())
        SaveColSizes();
    SetClearTextOnly(false);
    SetSaveHiddenCells(false);
    Integer R = RowCount();
    Integer C = ColCount();
    UnHideColumnsAll();
    C = ColCount();
    if (NumHiddenRows() == 0 && FNumNodes == 0) {
        R = std::max(R, FMaxRowCount);
        C = std::max(C, FMaxColCount);
    }
    if (R > 0 && C > 0 && FHasCellProps)
        ClearRect(0, 0, C - 1, R - 1);
    // Hidden rows carry their cells' properties with them.
    for (Integer i = 0; i < FGridItems->Count(); ++i) {
        TStringList* cells = FGridItems->ItemsAs<TGridItem>(i)->Items();
        for (Integer c = 0; c < cells->Count(); ++c) {
            FreePropertiesObject(dynamic_cast<TCellProperties*>(cells->Objects(c)));
            cells->SetObjects(c, nullptr);
        }
    }
    if (HasState(csDesigning))
        SetCursor(FOldCursor);
}

void TExStringGrid::FormResize(TObject* Sender)
{
    if (IsDesigning() || IsDestroying())
        return;
    if (auto* form = dynamic_cast<TCustomForm*>(Sender)) {
        if (SizeWithForm()) {
            const Integer w = Width() + form->Width() - PrevSizeX_;
            const Integer h = Height() + form->Height() - PrevSizeY_;
            if (w > 0 && h > 0)
                SetBounds(Left(), Top(), w, h);
        }
        PrevSizeX_ = form->Width();
        PrevSizeY_ = form->Height();
    }
    if (ResizeAssigned_ && FResizeLink && FResizeLink->Kept) {
        try {
            FResizeLink->Kept(Sender);
        } catch (const std::exception&) {
            // the form's own handler must not stop the grid's resizing
        }
    }
    // The stretch column takes what the other columns leave of the width.
    if (FColumnSize->Stretch() && ColCount() > 0) {
        const Integer sc = FColumnSize->StretchColumn() < 0 || FColumnSize->StretchColumn() >= ColCount()
                               ? ColCount() - 1
                               : FColumnSize->StretchColumn();
        Integer others = 0;
        for (Integer c = 0; c < ColCount(); ++c)
            if (c != sc)
                others += ColWidths(c);
        if (ClientWidth() - others > 0)
            SetColWidths(sc, ClientWidth() - others);
    }
}

void TExStringGrid::CreateWnd()
{
    if (IsDestroying())
        return;
    TBaseGrid::CreateWnd();
    // A new window takes drops again when the grid is a drop target.
    FOleDropTargetAssigned = false;
    if (FDragDropSettings->OleDropTarget())
        FDragDropSettings->SetOleDropTarget(true);
    if (Parent() == nullptr)
        return;
    if (!IsDesigning() && FScrollType == ssMetro) {
        CreateScrollControls();
        SetScrollBars(ssNone);
        Realign();
    }
    if (!IsDesigning() && FBalloonSettings->Enable())
        BalloonInit();
    if (FColumnSize->Save())
        LoadColSizes();
    FGridTimerID = Integer(SetTimer(Handle(), kGridTimer, kGridTimerPeriod));
    if (IsDesigning() && !FLoaded)
        Font()->SetName(QStringLiteral("Tahoma"));
    wheelscrl = WheelScrollLines();
    wheelmsg = WM_MOUSEWHEEL;
    wheelpan = false;
}

void TExStringGrid::Loaded()
{
    TBaseGrid::Loaded();
    FOldCursor = Cursor();
    if (FColumnHeaders->Count() > 0)
        FColumnHeaders->OnChange(FColumnHeaders.get());
    if (FRowHeaders->Count() > 0)
        FRowHeaders->OnChange(FRowHeaders.get());
    if (FLook == glKavro)
        ApplyLook(glKavro);
    if (FColumnSize->Save())
        LoadColSizes();
    FFixedRowsMin = FixedRows();
    FFixedColsMin = FixedCols();
    SetMinRowHeight(DefaultRowHeight());
    SetMinColWidth(10);
    FMaxRowCount = RowCount();
    FLoaded = true;
    if ((Options() & goAlwaysShowEditor) != 0) {
        FNavigation->SetAlwaysEdit(true);
        SetOptions(Options() & ~TGridOptions(goAlwaysShowEditor));
    }
    if (FControlLook->ControlStyle() == csTheme && !FIsWinXP && !IsDesigning())
        FControlLook->SetControlStyle(csClassic);
    FSearchFooter->SetAutoThemeAdapt(AutoThemeAdapt());
    if (AutoThemeAdapt() && !IsDesigning()) {
        ApplyOfficeTheme();
        GetThemeNotifier(this)->RegisterWindow(Handle());
    }
    // The initial column sizes and order.
    FOrigColSizes->Clear();
    for (Integer c = 0; c < ColCount(); ++c)
        FOrigColSizes->Add(ColWidths(c));
    SetColumnOrder();
    if (FBalloonSettings->Enable())
        BalloonInit();
    ApplyVCLStyle();
}

QString TExStringGrid::GetEditMask(Integer ACol, Integer ARow)
{
    QString value = EditMask();
    if (OnGetEditMask)
        OnGetEditMask(this, ACol, ARow, value);
    return value;
}

TArrowWindow* TExStringGrid::ArrowWindow(TArrowDirection Dir) const
{
    return const_cast<TExStringGrid*>(this)->Arrow(Dir);
}

TArrowWindow* TExStringGrid::Arrow(TArrowDirection Dir)
{
    TArrowWindow*& slot = Dir == arrUp ? ArwU : Dir == arrDown ? ArwD : Dir == arrLeft ? ArwL : ArwR;
    if (slot == nullptr && FArrowsWanted) {
        slot = new TArrowWindow(this, Dir);
        slot->SetColor(FArrowColor);
    }
    return slot;
}

void TExStringGrid::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TExStringGrid*>(Source);
    if (src == nullptr)
        return;
    Font()->Assign(src->Font());
    SetActiveCellColor(src->FActiveCellColor);
    SetActiveCellColorTo(src->FActiveCellColorTo);
    FActiveCellFont->Assign(src->FActiveCellFont.get());
    SetActiveCellShow(src->FActiveCellShow);
    SetActiveRowShow(src->ActiveRowShow());
    SetAlign(src->Align());
    FFilterDropDown->Assign(src->FFilterDropDown.get());
    SetAnchorHint(src->AnchorHint());
    SetAutoNumAlign(src->AutoNumAlign());
    SetAutoSize(src->AutoSize());
    SetAutoThemeAdapt(src->AutoThemeAdapt());
    SetAutoFilterUpdate(src->AutoFilterUpdate());
    FMouseActions->Assign(src->FMouseActions.get());
    FNavigation->Assign(src->FNavigation.get());
    FGrouping->Assign(src->FGrouping.get());
    FSearchFooter->Assign(src->FSearchFooter.get());
    FPrintSettings->Assign(src->FPrintSettings.get());
    FFilter->Assign(src->FFilter.get());
    FHTMLSettings->Assign(src->FHTMLSettings.get());
    FBands->Assign(src->FBands.get());
    FCellNode->Assign(src->FCellNode.get());
    FSortSettings->Assign(src->FSortSettings.get());
    FDragScrollOptions->Assign(src->FDragScrollOptions.get());
    FDragDropSettings->Assign(src->FDragDropSettings.get());
    FProgressAppearance->Assign(src->FProgressAppearance.get());
    FColumnSize->Assign(src->FColumnSize.get());
    FSyncGrid->Assign(src->FSyncGrid.get());
    FFocusHelper->Assign(src->FFocusHelper.get());
    SetFixedRowAlways(src->FixedRowAlways());
    SetColCount(src->ColCount());
    SetRowCount(src->RowCount());
    SetFixedRows(src->FixedRows());
    SetFixedCols(src->FixedCols());
    SetDefaultColWidth(src->DefaultColWidth());
    TCustomGrid::SetDefaultRowHeight(src->DefaultRowHeight());
    FFixedRowHeight = src->FFixedRowHeight;
    SetInvalidEntryTitle(src->InvalidEntryTitle());
    SetInvalidEntryIcon(src->InvalidEntryIcon());
    SetInvalidEntryText(src->InvalidEntryText());
    SetOptions(src->Options());
    for (Integer c = 0; c < ColCount(); ++c)
        SetColWidths(c, src->ColWidths(c));
    FColumnHeaders->Assign(src->FColumnHeaders.get());
    for (Integer r = 0; r < RowCount(); ++r)
        SetRowHeights(r, src->RowHeights(r));
    SetScrollProportional(src->ScrollProportional());
    SetScrollSynch(src->ScrollSynch());
    SetScrollWidth(src->ScrollWidth());
    SetScrollHints(src->ScrollHints());
    SetScrollBarAlways(src->ScrollBarAlways());
    SetScrollBars(src->ScrollBars());
    SetScrollColor(src->ScrollColor());
    SetScrollType(src->ScrollType());
    SetScrollWidth(src->ScrollWidth());
    AssignCells(Source);
}

void TExStringGrid::AssignCells(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TExStringGrid*>(Source);
    if (src == nullptr)
        return;
    // The cells as the source shows them: its displayed columns.
    const Integer cols = std::min(src->ColCount(), ColCount());
    const Integer rows = std::min(src->RowCount(), RowCount());
    for (Integer r = 0; r < rows; ++r)
        for (Integer c = 0; c < cols; ++c)
            SetCells(RealColIndex(c), r, src->Cells(src->RealColIndex(c), r));
}
