#pragma once
// TExPageControl: a page control that lays out and paints its tabs itself,
// with per-tab colours and gradients, an active colour, hover colours,
// background pictures, close buttons, margins and two tab styles. Its pages
// are TExTabSheets; pages closed with their close button are kept in a list
// from which they can be reopened. As a dock site (DockSite) it gives every
// control docked onto it a sheet of its own.

#include <functional>
#include <memory>
#include <vector>
#include "platform/Control.h"
#include "platform/DrawText.h"
#include "platform/PageControl.h"

class TBitmap;
class TCanvas;
class TCustomImageList;
class TImageList;
class TStringList;
class TExPageControl;

// Fills the rectangle with Steps bands (0 counts as 1) from one colour to
// the other, left to right or top to bottom.
void TabGradientFill(TCanvas* Canvas, TColor From, TColor To, bool Horizontal, const TRect& Rect, Integer Steps);
// Draws a bitmap at (X, Y) stretched along its width (H) or height (V) to
// Length: its two halves as they are, its two middle columns (rows)
// stretched between them; the bottom-left pixel's colour is left out.
void DrawBitmapStretchedH(TBitmap* Bitmap, TCanvas* Canvas, Integer X, Integer Length, Integer Y);
void DrawBitmapStretchedV(TBitmap* Bitmap, TCanvas* Canvas, Integer X, Integer Length, Integer Y);
// Classic tabs (a box each) or flat tabs with separators.
enum TExTabStyle { tsClassic, tsDotNet };

// Margins of the tab contents: left, top, right.
class TTabMargin : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TTabMargin"); }
    // Copies the three values of another TTabMargin without telling OnMarginChange.
    void Assign(const TPersistent* Source) override;

    Integer LeftMargin() const { return FLeftMargin; }
    void SetLeftMargin(Integer value) { Change(FLeftMargin, value, 0); }
    Integer TopMargin() const { return FTopMargin; }
    void SetTopMargin(Integer value) { Change(FTopMargin, value, 1); }
    Integer RightMargin() const { return FRightMargin; }
    void SetRightMargin(Integer value) { Change(FRightMargin, value, 2); }

    // Told before a changed value is stored: new value, old value, 0 left, 1 top, 2 right.
    std::function<void(Integer NewValue, Integer OldValue, Integer Index)> FOnMarginChange;

private:
    void Change(Integer& field, Integer value, Integer index);
    Integer FLeftMargin = 0;
    Integer FTopMargin = 0;
    Integer FRightMargin = 0;
};

using TTabCanCloseEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TExTabSheet : public TCustomControl {
    friend class TExPageControl;
public:
    explicit TExTabSheet(TComponent* AOwner);
    ~TExTabSheet() override;
    QString ClassName() const override { return QStringLiteral("TExTabSheet"); }

    TExPageControl* PageControl() const { return FExPageControl; }
    // Attaches the sheet to a page control (null detaches it).
    void SetPageControl(TExPageControl* value);
    // The tab shows the caption less its last two characters, or the
    // caption and one blank with a close button.
    void SetCaption(const QString& value);
    Integer PageIndex() const;
    void SetPageIndex(Integer value);
    // Position among the shown tabs, -1 when the tab is not shown.
    Integer TabIndex() const;

    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool value);
    bool TabEnable() const { return FTabEnable; }
    void SetTabEnable(bool value);
    bool Highlighted() const { return FHighlighted; }
    void SetHighlighted(bool value);
    bool ShowClose() const { return FShowClose; }
    void SetShowClose(bool value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer value);
    TColor TextColor() const { return FTextColor; }
    void SetTextColor(TColor value);
    TColor TabColor() const { return FTabColor; }
    void SetTabColor(TColor value);
    TColor TabColorTo() const { return FTabColorTo; }
    void SetTabColorTo(TColor value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor value);
    TGradientDirection TabGradientDirection() const { return FTabGradientDirection; }
    void SetTabGradientDirection(TGradientDirection value);
    TGradientDirection HoverGradientDirection() const { return FHoverGradientDirection; }
    void SetHoverGradientDirection(TGradientDirection value) { FHoverGradientDirection = value; }
    // The text of the sheet's tab item.
    const QString& TabCaption() const { return FTabCaption; }

    void SetVisible(bool value) override;

    TNotifyEvent OnHide;
    TNotifyEvent OnShow;
    TNotifyEvent OnClose;
    TTabCanCloseEvent OnCanClose;

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    virtual void FireHide();
    virtual void FireShow();

private:
    void RepaintControl();

    QString FTabCaption;
    TColor FTextColor = clBlack;
    TColor FTabColor = clNone;
    TColor FTabColorTo = clNone;
    bool FShowClose = false;
    TGradientDirection FTabGradientDirection = gdVertical;
    TGradientDirection FHoverGradientDirection = gdVertical;
    Integer FImageIndex = -1;
    Integer FImageIndexDummy = 0;
    TExPageControl* FExPageControl = nullptr;
    bool FTabVisible = true;
    bool FTabShowing = false;
    bool FHighlighted = false;
    bool FTabEnable = true;
    TColor FColorTo = clNone;
};

using TCanChangeEvent = std::function<void(TObject* Sender, Integer FromPage, Integer ToPage, bool& AllowChange)>;
using TTabGetImageEvent = std::function<void(TObject* Sender, Integer TabIndex, Integer& ImageIndex)>;

class TExPageControl : public TCustomControl {
    friend class TExTabSheet;
public:
    explicit TExPageControl(TComponent* AOwner);
    ~TExPageControl() override;
    QString ClassName() const override { return QStringLiteral("TExPageControl"); }

    // ---- pages
    Integer PageCount() const { return Integer(FPages.size()); }
    TExTabSheet* GetPage(Integer index) const;
    TExTabSheet* Pages(Integer index) const { return GetPage(index); }
    TExTabSheet* ActivePage() const { return FActivePage; }
    // Ignores a sheet of another control; null selects no tab.
    void SetActivePage(TExTabSheet* page);
    Integer ActivePageIndex() const;
    void SetActivePageIndex(Integer index);
    // The next (or previous) page from current in a circle, current last;
    // null when none passes.
    TExTabSheet* FindNextPage(TExTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
    void SelectNextPage(bool GoForward);
    // Attaches a page closed with its close button again; false for an unknown name.
    bool OpenClosedTab(const QString& Name);
    void OpenAllClosedTabs();
    TStringList* ClosedTabList() const { return FClosedTabList.get(); }
    // The page under a tab index and the tab rectangle of a page.
    Integer PageIndexOfTab(Integer TabIndex) const;
    TRect PageTabRect(Integer PageIndex) const;
    // The page whose tab holds the client point, -1 for none.
    Integer PageAt(TPoint p) const;
    // The shown tab selected now (-1: none).
    Integer TabIndex() const { return FTabIndex; }
    // The tab texts as laid out (owner-drawn: the tab captions, padded for the active font).
    QString TabText(Integer TabIndex) const;
    bool TabHighlighted(Integer TabIndex) const;
    bool CanShowTab(Integer PageIndex) const;

    // ---- look
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition value);
    TExTabStyle TabStyle() const { return FTabStyle; }
    void SetTabStyle(TExTabStyle value);
    Integer TabHeight() const { return FTabHeight; }
    void SetTabHeight(Integer value);
    Integer TabWidth() const { return FTabWidth; }
    void SetTabWidth(Integer value);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool value);
    bool RaggedRight() const { return FRaggedRight; }
    void SetRaggedRight(bool value);
    bool ScrollOpposite() const { return FScrollOpposite; }
    void SetScrollOpposite(bool value) { FScrollOpposite = value; }
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool value) { FHotTrack = value; }
    TTabMargin* TabMargin() const { return FTabMargin.get(); }
    void SetTabMargin(const TTabMargin* value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);
    TColor DefaultTextColor() const { return FDefaultTextColor; }
    void SetDefaultTextColor(TColor value);
    TColor DefaultTabColor() const { return FDefaultTabColor; }
    void SetDefaultTabColor(TColor value);
    TColor DefaultTabColorTo() const { return FDefaultTabColorTo; }
    void SetDefaultTabColorTo(TColor value);
    TColor ActiveColor() const { return FActiveColor; }
    void SetActiveColor(TColor value) { SetLook(FActiveColor, value); }
    TColor ActiveColorTo() const { return FActiveColorTo; }
    void SetActiveColorTo(TColor value) { SetLook(FActiveColorTo, value); }
    bool TabBorder3D() const { return FTabBorder3D; }
    void SetTabBorder3D(bool value);
    TColor TabBorderColor() const { return FTabBorderColor; }
    void SetTabBorderColor(TColor value) { SetLook(FTabBorderColor, value); }
    TColor TabHoverColor() const { return FTabHoverColor; }
    void SetTabHoverColor(TColor value) { SetLook(FTabHoverColor, value); }
    TColor TabHoverColorTo() const { return FTabHoverColorTo; }
    void SetTabHoverColorTo(TColor value) { SetLook(FTabHoverColorTo, value); }
    TColor TabHoverBorder() const { return FTabHoverBorder; }
    void SetTabHoverBorder(TColor value) { SetLook(FTabHoverBorder, value); }
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool value) { SetLook(FShowFocus, value); }
    Integer TabOverlap() const { return FTabOverlap; }
    void SetTabOverlap(Integer value);
    bool TabSheet3D() const { return FTabSheet3D; }
    void SetTabSheet3D(bool value) { SetLook(FTabSheet3D, value); }
    TColor TabSheetBorderColor() const { return FTabSheetBorderColor; }
    void SetTabSheetBorderColor(TColor value) { SetLook(FTabSheetBorderColor, value); }
    TColor TabBackGroundColor() const { return FTabBackGroundColor; }
    void SetTabBackGroundColor(TColor value) { SetLook(FTabBackGroundColor, value); }
    bool TabSplitLine() const { return FTabSplitLine; }
    // Refused (exception) while TabStyle is tsDotNet.
    void SetTabSplitLine(bool value);
    bool RoundEdges() const { return FRoundEdges; }
    void SetRoundEdges(bool value) { SetLook(FRoundEdges, value); }
    TBitmap* TabBackGround() const { return FTabBackGround.get(); }
    void SetTabBackGround(const TBitmap* value);
    TBitmap* TabBackGroundActive() const { return FTabBackGroundActive.get(); }
    void SetTabBackGroundActive(const TBitmap* value);
    TBitmap* CloseGlyph() const { return FCloseGlyph.get(); }
    void SetCloseGlyph(const TBitmap* value);
    Integer LowerActive() const { return FLowerActive; }
    void SetLowerActive(Integer value) { SetLook(FLowerActive, value); }
    bool FreeOnClose() const { return FFreeOnClose; }
    void SetFreeOnClose(bool value) { FFreeOnClose = value; }
    TFont* ActiveFont() const { return FActiveFont.get(); }
    void SetActiveFont(const TFont* value);
    QString Version() const;
    // The tab under the mouse (-1: none).
    Integer HoverTab() const { return FHoverTab; }

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    TCanChangeEvent OnCanChange;
    TTabGetImageEvent OnGetImageIndex;

protected:
    void Paint() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    TRect AlignRect() const override;
    void Resize() override;
    virtual bool CanChange();
    virtual void Change();
    virtual Integer GetImageIndex(Integer TabIndex);
    // As a dock site every docked control gets a sheet of its own; a
    // control already on one of the sheets does not dock again, and the
    // frame of a drag over the control covers the whole control.
    void GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos, bool& CanDock) override;
    void DockOver(TDragDockObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) override;
    void DoAddDockClient(TControl* Client, const TRect& ARect) override;
    void DoRemoveDockClient(TControl* Client) override;

private:
    struct TTabItem {
        QString Text;
        TExTabSheet* Sheet = nullptr;
        bool Highlighted = false;
    };
    enum TCloseState { cbNormal, cbHover, cbPressed };
    struct TPaintState;

    // Pages and tab items.
    void InsertPage(TExTabSheet* page);
    void RemovePage(TExTabSheet* page);
    void MovePage(TExTabSheet* page, Integer index);
    void ShowTab(TExTabSheet* page, bool show);
    void InsertTabItem(Integer index, TExTabSheet* page);
    void DeleteTabItem(Integer index);
    void SetTabItemText(Integer index, const QString& text);
    void SwitchPage(TExTabSheet* page);
    void SyncActivePage();
    void SelectTab(Integer tabIndex);
    void PadActiveTabText(TExTabSheet* page);
    void RefreshTabText(TExTabSheet* page);
    void TabsChanged();
    void ClosePage(TExTabSheet* page);

    // Docking.
    void CMDockClient(TMessage& Message);
    void CMUnDockClient(TMessage& Message);
    void CMDockNotification(TMessage& Message);
    // The sheet of this control a control sits on, or null.
    TExTabSheet* SheetOf(const TControl* Control) const;
    // The control docked on the page of the tab at a client point, or null.
    TControl* GetDockClientFromMousePos(TPoint MousePos) const;

    // Tab layout: one rectangle per tab index.
    std::vector<TRect> TabRects() const;
    Integer TabThickness() const;
    Integer TabAt(TPoint p) const;
    TRect CloseButtonRect(Integer pageIndex) const;
    bool Horizontal() const { return FTabPosition == tpTop || FTabPosition == tpBottom; }

    // Margins and the size holder.
    void MarginChanged(Integer NewValue, Integer OldValue, Integer Index);
    void SizeDummyImages();

    // Painting.
    void PaintTabs();
    void Paint3D();
    void DrawTab(TPaintState& ps, Integer pageIndex, TRect R);
    void DrawDeferredTab(TPaintState& ps);
    void DrawTabImage(TExTabSheet* page, Integer& x, Integer& y);
    void DrawTabFocus(const TRect& R, Integer overlap);
    void DrawCloseButton(TCanvas* Canvas, TRect R, TCloseState state, bool active);
    void DrawFrame(TPaintState& ps);

    template <class T>
    void SetLook(T& field, T value)
    {
        if (field == value)
            return;
        field = value;
        Invalidate();
    }

    std::vector<TExTabSheet*> FPages;
    TExTabSheet* FActivePage = nullptr;
    std::unique_ptr<TTabMargin> FTabMargin;
    std::unique_ptr<TStringList> FClosedTabList;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TImageList> FDummyImages;
    TColor FDefaultTextColor = clBlack;
    TColor FDefaultTabColor = clBtnFace;
    TColor FDefaultTabColorTo = clNone;
    TColor FActiveColor = clBtnFace;
    TColor FActiveColorTo = clNone;
    bool FTabBorder3D = false;
    TColor FTabBorderColor = clGray;
    TColor FTabHoverColor = clNone;
    TColor FTabHoverColorTo = clNone;
    TColor FTabHoverBorder = clNone;
    bool FShowFocus = false;
    bool FHoverClosedButton = false;
    Integer FTabOverlap = 0;
    bool FTabSheet3D = false;
    TColor FTabSheetBorderColor = clGray;
    TColor FTabBackGroundColor = clBtnFace;
    bool FTabSplitLine = false;
    bool FRoundEdges = false;
    Integer FHoverTab = -1;
    std::unique_ptr<TBitmap> FTabBackGround;
    std::unique_ptr<TBitmap> FTabBackGroundActive;
    TExTabStyle FTabStyle = tsClassic;
    Integer FLowerActive = 2;
    bool FFreeOnClose = false;
    std::unique_ptr<TFont> FActiveFont;
    std::unique_ptr<TBitmap> FCloseGlyph;

    // The tab strip (what the platform's tab control keeps elsewhere).
    std::vector<TTabItem> FTabs;
    Integer FTabIndex = -1;
    TTabPosition FTabPosition = tpTop;
    Integer FTabHeight = 0;
    Integer FTabWidth = 0;
    bool FMultiLine = false;
    bool FRaggedRight = false;
    bool FScrollOpposite = false;
    bool FHotTrack = false;
    // The page whose close button the mouse went down on (-1: none).
    Integer FClosePressed = -1;
    // The sheet made for a control that docks, and the one whose control leaves.
    TExTabSheet* FNewDockSheet = nullptr;
    TExTabSheet* FUndockingPage = nullptr;
};
