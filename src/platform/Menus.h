#pragma once
// Popup menus: a tree of menu items shown at a screen point.

#include <memory>
#include <vector>
#include "platform/Component.h"

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;
    QString ClassName() const override { return QStringLiteral("TMenuItem"); }

    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v) { FCaption = v; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v) { FEnabled = v; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { FVisible = v; }
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool v) { FRadioItem = v; }
    Byte GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Byte v) { FGroupIndex = v; }
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool v) { FAutoCheck = v; }
    // Number that identifies the item in a tracked popup (see TPopupMenu::Track).
    Integer Command() const { return FCommand; }
    void SetCommand(Integer v) { FCommand = v; }
    bool IsLine() const { return FCaption == QStringLiteral("-"); }

    Integer Count() const { return Integer(FItems.size()); }
    TMenuItem* Items(Integer index) const { return FItems.at(size_t(index)); }
    TMenuItem* Parent() const { return FParent; }
    Integer IndexOf(const TMenuItem* item) const;
    // Takes over the item (it is freed with this one unless removed again).
    void Add(TMenuItem* item);
    void Insert(Integer index, TMenuItem* item);
    void Remove(TMenuItem* item);
    void Delete(Integer index);
    void Clear();

    // Fires OnClick (checking an AutoCheck item first).
    virtual void Click();
    TNotifyEvent OnClick;

private:
    QString FCaption;
    bool FChecked = false, FEnabled = true, FVisible = true, FRadioItem = false, FAutoCheck = false;
    Byte FGroupIndex = 0;
    Integer FCommand = 0;
    TMenuItem* FParent = nullptr;
    std::vector<TMenuItem*> FItems;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;
    QString ClassName() const override { return QStringLiteral("TPopupMenu"); }

    TMenuItem* Items() const { return FItems.get(); }
    // The control the menu was last shown for.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* c);
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool v) { FAutoPopup = v; }

    // Shows the menu at a screen point and waits for the choice, whose
    // OnClick runs. Without a screen nothing is shown; tests pick an item
    // through PopupSeam.
    virtual void Popup(Integer X, Integer Y);
    // Shows the menu and returns the chosen item's Command (0: none) without
    // running its OnClick.
    Integer Track(Integer X, Integer Y);

    TNotifyEvent OnPopup;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TMenuItem* Choose(Integer X, Integer Y);
    std::unique_ptr<TMenuItem> FItems;
    TComponent* FPopupComponent = nullptr;
    bool FAutoPopup = true;
};

namespace PopupSeam {
// The next popup shown without a screen picks the item with this caption
// (empty: the popup is dismissed).
void QueueChoice(const QString& caption);
// The menu shown last and the point it was shown at.
TPopupMenu* LastShown();
TPoint LastPoint();
void Clear();
} // namespace PopupSeam
