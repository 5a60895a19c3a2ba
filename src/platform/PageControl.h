#pragma once
// A page control: a row of tabs over a stack of tab sheets, one shown at a time.

#include <vector>
#include "platform/Control.h"

class TPageControl;

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

class TTabSheet : public TWinControl {
    friend class TPageControl;
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;
    QString ClassName() const override { return QStringLiteral("TTabSheet"); }

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* APageControl);
    // A sheet placed on a page control becomes its last page.
    void SetParent(TWinControl* AParent) override;
    // Position among the page control's sheets (hidden tabs counted).
    Integer PageIndex() const;
    void SetPageIndex(Integer v);
    // Hidden tabs keep their sheet; the sheet cannot be shown.
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool v);
    // Position among the visible tabs, -1 when hidden.
    Integer TabIndex() const;
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer v) { FImageIndex = v; }

protected:
    void SetTextValue(const QString& value) override;

private:
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    Integer FImageIndex = -1;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TWinControl {
    friend class TTabSheet;
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;
    QString ClassName() const override { return QStringLiteral("TPageControl"); }

    Integer PageCount() const { return Integer(FPages.size()); }
    TTabSheet* Pages(Integer index) const { return FPages.at(size_t(index)); }
    TTabSheet* ActivePage() const { return FActivePage; }
    // Shows the sheet (fires no OnChanging/OnChange, like the original).
    void SetActivePage(TTabSheet* page);
    Integer ActivePageIndex() const;
    void SetActivePageIndex(Integer v);
    // Index of the active page among the visible tabs.
    Integer TabIndex() const;
    void SetTabIndex(Integer v);
    TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
    void SelectNextPage(bool GoForward, bool CheckTabVisible = true);
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition v);
    TTabStyle Style() const { return FStyle; }
    void SetStyle(TTabStyle v) { FStyle = v; }
    Integer TabHeight() const;
    void SetTabHeight(Integer v) { FTabHeight = v; Realign(); }
    // The area the sheets take.
    TRect DisplayRect() const;

    TTabChangingEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void CreateWnd() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void Resize() override;
    // The user picked a tab: OnChanging may refuse, then OnChange.
    bool UserSelects(TTabSheet* page);
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);

private:
    void UpdateTabs();
    void ShowActive();
    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    TTabPosition FTabPosition = tpTop;
    TTabStyle FStyle = tsTabs;
    Integer FTabHeight = 0;
    bool FUpdatingTabs = false;
};
