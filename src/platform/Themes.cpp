// The style engine over Qt's styles: the active style, its scroll-bar
// elements, and the hooks of the controls of registered classes.

#include "platform/Themes.h"

#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/Canvas.h"

namespace {

struct TEngine {
    std::unique_ptr<QStyle> Style;
    QString Name = SystemStyleName;
    std::map<QString, std::vector<TStyleHookClass>> Registry;
    std::unordered_map<const TWinControl*, std::unique_ptr<TStyleHook>> Hooks;

    // A hook going destroys its covering windows, which report their own
    // end back here: the map is emptied before any hook goes.
    void DropHooks()
    {
        auto going = std::move(Hooks);
        Hooks.clear();
        going.clear();
    }
};

TEngine& Engine()
{
    static TEngine engine;
    return engine;
}

TCustomStyleServices g_services;

// What a part is: which element, in which state.
enum TKind { kArrowUp, kArrowDown, kArrowLeft, kArrowRight, kThumbHorz, kThumbVert, kTrackHorz, kTrackVert };
enum TState { sNormal, sHot, sPressed, sDisabled };

void Split(TThemedScrollBar Part, TKind& Kind, TState& State)
{
    const int index = int(Part) - int(tsArrowBtnUpNormal);
    Kind = TKind(index / 4);
    State = TState(index % 4);
}

QStyle::State StateFlags(TState State, bool Horizontal)
{
    QStyle::State s = QStyle::State_None;
    if (State != sDisabled)
        s |= QStyle::State_Enabled;
    if (State == sHot)
        s |= QStyle::State_MouseOver;
    if (State == sPressed)
        s |= QStyle::State_Sunken;
    if (Horizontal)
        s |= QStyle::State_Horizontal;
    return s;
}

// A button over the option's rectangle, raised unless pressed; answers the
// option it was drawn with.
QStyleOption Bevel(QStyle* Style, const QStyleOption& Opt, TState State, QPainter* P)
{
    QStyleOption button;
    button.palette = Opt.palette;
    button.rect = Opt.rect;
    button.state = Opt.state;
    if (State != sPressed)
        button.state |= QStyle::State_Raised;
    Style->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, P);
    if (State == sHot || State == sPressed) {
        // The style's highlight tells hot and pressed parts apart.
        QColor mark = Opt.palette.color(QPalette::Highlight);
        mark.setAlpha(State == sPressed ? 140 : 70);
        P->fillRect(Opt.rect.adjusted(2, 2, -2, -2), mark);
    }
    return button;
}

} // namespace

// ------------------------------------------------------------ style services

TCustomStyleServices* StyleServices()
{
    return &g_services;
}

bool TCustomStyleServices::Available() const
{
    return Engine().Style != nullptr;
}

QString TCustomStyleServices::Name() const
{
    return Engine().Name;
}

void TCustomStyleServices::DrawElement(TCanvas* Canvas, const TThemedElementDetails& Details, const TRect& R) const
{
    QStyle* style = Engine().Style.get();
    if (style == nullptr || Canvas == nullptr || R.IsEmpty() || Details.ScrollBar == tsScrollBarDontCare || !Canvas->RequireHandle())
        return;
    QPainter* p = Canvas->Painter();
    TKind kind;
    TState state;
    Split(Details.ScrollBar, kind, state);
    // The canvas's painter maps its logical coordinates already.
    const QRect rect(R.Left, R.Top, R.Width(), R.Height());
    const bool horizontal = kind == kArrowLeft || kind == kArrowRight || kind == kThumbHorz || kind == kTrackHorz;
    p->save();
    p->setClipRect(rect, Qt::IntersectClip);
    QStyleOptionSlider opt;
    opt.palette = style->standardPalette();
    // Styles take a part's colours from the palette's current group.
    if (state == sDisabled)
        opt.palette.setCurrentColorGroup(QPalette::Disabled);
    opt.rect = rect;
    opt.state = StateFlags(state, horizontal);
    opt.orientation = horizontal ? Qt::Horizontal : Qt::Vertical;
    opt.minimum = 0;
    opt.maximum = 0;
    switch (kind) {
    case kArrowUp:
    case kArrowDown:
    case kArrowLeft:
    case kArrowRight: {
        // A bevelled button with its arrow.
        QStyleOption button = Bevel(style, opt, state, p);
        static constexpr QStyle::PrimitiveElement arrows[] = {QStyle::PE_IndicatorArrowUp, QStyle::PE_IndicatorArrowDown,
                                                              QStyle::PE_IndicatorArrowLeft, QStyle::PE_IndicatorArrowRight};
        const int inset = std::max(2, std::min(rect.width(), rect.height()) / 4);
        button.rect = rect.adjusted(inset, inset, -inset, -inset);
        if (state == sPressed)
            button.rect.translate(1, 1);
        style->drawPrimitive(arrows[kind], &button, p);
        break;
    }
    case kThumbHorz:
    case kThumbVert: {
        // The thumb is a raised button filling its rectangle.
        Bevel(style, opt, state, p);
        break;
    }
    case kTrackHorz:
    case kTrackVert:
        // The groove of a bar that has nothing to show on it.
        opt.subControls = QStyle::SC_ScrollBarGroove | QStyle::SC_ScrollBarAddPage | QStyle::SC_ScrollBarSubPage;
        p->fillRect(rect, opt.palette.color(QPalette::Window).darker(110));
        style->drawComplexControl(QStyle::CC_ScrollBar, &opt, p);
        break;
    }
    p->restore();
}

// ------------------------------------------------------------ style manager

QStringList TStyleManager::StyleNames()
{
    QStringList names;
    for (const QString& key : QStyleFactory::keys())
        if (key.compare(SystemStyleName, Qt::CaseInsensitive) != 0)
            names << key;
    return names;
}

bool TStyleManager::SetStyle(const QString& Name)
{
    TEngine& e = Engine();
    if (Name.isEmpty() || Name.compare(SystemStyleName, Qt::CaseInsensitive) == 0) {
        e.DropHooks();
        e.Style.reset();
        e.Name = SystemStyleName;
        return true;
    }
    if (!StyleNames().contains(Name, Qt::CaseInsensitive))
        return false;
    std::unique_ptr<QStyle> style(QStyleFactory::create(Name));
    if (!style)
        return false;
    e.Style = std::move(style);
    e.Name = e.Style->name();
    for (auto& [control, hook] : e.Hooks)
        const_cast<TWinControl*>(control)->Invalidate();
    return true;
}

QString TStyleManager::ActiveStyleName()
{
    return Engine().Name;
}

bool TStyleManager::IsCustomStyleActive()
{
    return Engine().Style != nullptr;
}

void TStyleManager::RegisterStyleHook(const QString& ControlClass, TStyleHookClass HookClass)
{
    auto& list = Engine().Registry[ControlClass];
    if (std::find(list.begin(), list.end(), HookClass) == list.end())
        list.push_back(HookClass);
}

void TStyleManager::UnRegisterStyleHook(const QString& ControlClass, TStyleHookClass HookClass)
{
    auto& registry = Engine().Registry;
    auto it = registry.find(ControlClass);
    if (it == registry.end())
        return;
    std::erase(it->second, HookClass);
    if (it->second.empty())
        registry.erase(it);
}

bool TStyleManager::IsStyleHookRegistered(const QString& ControlClass, TStyleHookClass HookClass)
{
    const auto& registry = Engine().Registry;
    auto it = registry.find(ControlClass);
    return it != registry.end() && std::find(it->second.begin(), it->second.end(), HookClass) != it->second.end();
}

TStyleHook* TStyleManager::HookOf(const TWinControl* Control)
{
    const auto& hooks = Engine().Hooks;
    auto it = hooks.find(Control);
    return it == hooks.end() ? nullptr : it->second.get();
}

void TStyleManager::WindowCreated(TWinControl* Control)
{
    TEngine& e = Engine();
    if (!e.Style || e.Registry.empty() || Control == nullptr || e.Hooks.count(Control))
        return;
    auto it = e.Registry.find(Control->ClassName());
    if (it == e.Registry.end() || it->second.empty())
        return;
    // The hook is in the map before it is made, so that the windows it
    // makes do not ask for hooks of their own for this control.
    auto& slot = e.Hooks[Control];
    slot.reset(it->second.back()(Control));
}

void TStyleManager::WindowDestroyed(TWinControl* Control)
{
    TEngine& e = Engine();
    if (e.Hooks.empty())
        return;
    auto it = e.Hooks.find(Control);
    if (it == e.Hooks.end())
        return;
    std::unique_ptr<TStyleHook> hook = std::move(it->second);
    e.Hooks.erase(it);
}

// ------------------------------------------------------------ hooks

TStyleHook::TStyleHook(TWinControl* AControl) : FControl(AControl)
{
    FOldWindowProc = FControl->WindowProc;
    FControl->WindowProc = [this](TMessage& Message) { HandleMessage(Message); };
}

TStyleHook::~TStyleHook()
{
    FControl->WindowProc = FOldWindowProc;
}

void TStyleHook::HandleMessage(TMessage& Message)
{
    const bool handled = FHandled;
    FHandled = false;
    WndProc(Message);
    if (!FHandled)
        CallDefaultProc(Message);
    FHandled = handled;
}

void TStyleHook::CallDefaultProc(TMessage& Message)
{
    if (FOldWindowProc)
        FOldWindowProc(Message);
    else
        static_cast<TControl*>(FControl)->WndProc(Message);
}

bool TStyleHook::HasBorder() const
{
    return (GetWindowLong(FControl, GWL_STYLE) & WS_BORDER) || HasClientEdge();
}

bool TStyleHook::HasClientEdge() const
{
    return (GetWindowLong(FControl, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
}

void TMouseTrackControlStyleHook::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        if (!FMouseInControl) {
            FMouseInControl = true;
            MouseEnter();
        }
        break;
    case CM_MOUSELEAVE:
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE:
        if (FMouseInControl) {
            FMouseInControl = false;
            MouseLeave();
        }
        break;
    default:
        break;
    }
}
