#include "platform/Menus.h"

#include <algorithm>
#include <deque>
#include <QAction>
#include <QGuiApplication>
#include <QMenu>

#include "platform/Form.h"
#include "platform/WidgetBridge.h"

namespace {
struct TPopupState {
    std::deque<QString> choices;
    TPopupMenu* last = nullptr;
    TPoint point;
};
TPopupState& State()
{
    static TPopupState s;
    return s;
}
bool Headless()
{
    const QString p = QGuiApplication::platformName();
    return p == QLatin1String("offscreen") || p == QLatin1String("minimal");
}
TMenuItem* FindByCaption(TMenuItem* root, const QString& caption)
{
    for (Integer i = 0; i < root->Count(); ++i) {
        TMenuItem* it = root->Items(i);
        if (it->Caption() == caption && it->Count() == 0)
            return it;
        if (TMenuItem* sub = FindByCaption(it, caption))
            return sub;
    }
    return nullptr;
}
void BuildMenu(QMenu* menu, TMenuItem* root, std::vector<std::pair<QAction*, TMenuItem*>>& map)
{
    for (Integer i = 0; i < root->Count(); ++i) {
        TMenuItem* it = root->Items(i);
        if (!it->Visible())
            continue;
        if (it->IsLine()) {
            menu->addSeparator();
            continue;
        }
        QString text = it->Caption();
        if (it->Count() > 0) {
            QMenu* sub = menu->addMenu(text);
            sub->setEnabled(it->Enabled());
            BuildMenu(sub, it, map);
            continue;
        }
        QAction* a = menu->addAction(text);
        a->setEnabled(it->Enabled());
        a->setCheckable(it->Checked() || it->AutoCheck() || it->RadioItem());
        a->setChecked(it->Checked());
        map.emplace_back(a, it);
    }
}
} // namespace

// ------------------------------------------------------------ TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner)
{
}

TMenuItem::~TMenuItem()
{
    Destroying();
    if (FParent != nullptr)
        FParent->Remove(this);
    Clear();
}

void TMenuItem::SetChecked(bool v)
{
    FChecked = v;
    // A radio item checked unchecks the others of its group.
    if (v && FRadioItem && FParent != nullptr)
        for (TMenuItem* s : FParent->FItems)
            if (s != this && s->FRadioItem && s->FGroupIndex == FGroupIndex)
                s->FChecked = false;
}

Integer TMenuItem::IndexOf(const TMenuItem* item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : Integer(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(Integer index, TMenuItem* item)
{
    if (item == nullptr || item->FParent == this)
        return;
    if (item->FParent != nullptr)
        item->FParent->Remove(item);
    index = std::clamp<Integer>(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item)
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    item->FParent = nullptr;
}

void TMenuItem::Delete(Integer index)
{
    TMenuItem* item = FItems.at(size_t(index));
    Remove(item);
    if (item->Owner() == nullptr)
        delete item;
}

void TMenuItem::Clear()
{
    while (!FItems.empty()) {
        TMenuItem* item = FItems.back();
        Remove(item);
        // Items without an owner belong to their parent item.
        if (item->Owner() == nullptr)
            delete item;
    }
}

void TMenuItem::Click()
{
    if (!FEnabled)
        return;
    if (FAutoCheck)
        SetChecked(!FChecked);
    if (OnClick)
        OnClick(this);
}

// ------------------------------------------------------------ TPopupMenu

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr))
{
}

TPopupMenu::~TPopupMenu()
{
    Destroying();
    if (State().last == this)
        State().last = nullptr;
}

void TPopupMenu::SetPopupComponent(TComponent* c)
{
    if (FPopupComponent != nullptr)
        FPopupComponent->RemoveFreeNotification(this);
    FPopupComponent = c;
    if (c != nullptr)
        c->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupComponent)
        FPopupComponent = nullptr;
}

TMenuItem* TPopupMenu::Choose(Integer X, Integer Y)
{
    if (OnPopup)
        OnPopup(this);
    State().last = this;
    State().point = {X, Y};
    Application->CancelHint();
    // The menu takes the mouse, also when a test answers it.
    TWidgetBridge::CancelCapture();
    if (Headless() || !State().choices.empty()) {
        if (State().choices.empty())
            return nullptr;
        const QString caption = State().choices.front();
        State().choices.pop_front();
        TMenuItem* item = caption.isEmpty() ? nullptr : FindByCaption(FItems.get(), caption);
        return item != nullptr && item->Enabled() ? item : nullptr;
    }
    QMenu menu;
    std::vector<std::pair<QAction*, TMenuItem*>> map;
    BuildMenu(&menu, FItems.get(), map);
    Application->ModalStarted();
    QAction* chosen = menu.exec(QPoint(X, Y));
    Application->ModalFinished();
    for (auto& [a, item] : map)
        if (a == chosen)
            return item;
    return nullptr;
}

void TPopupMenu::Popup(Integer X, Integer Y)
{
    if (TMenuItem* item = Choose(X, Y))
        item->Click();
}

Integer TPopupMenu::Track(Integer X, Integer Y)
{
    TMenuItem* item = Choose(X, Y);
    return item != nullptr ? item->Command() : 0;
}

namespace PopupSeam {
void QueueChoice(const QString& caption) { State().choices.push_back(caption); }
TPopupMenu* LastShown() { return State().last; }
TPoint LastPoint() { return State().point; }
void Clear()
{
    State().choices.clear();
    State().last = nullptr;
}
} // namespace PopupSeam
