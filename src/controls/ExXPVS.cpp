#include "ExXPVS.h"

#include "platform/Canvas.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <cstring>

const char* const UxThemeFunctionNames[UxThemeFunctionCount] = {
    "OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText",
    "GetThemeBackgroundContentRect", "GetThemeBackgroundExtent", "GetThemeTextExtent",
    "GetThemeTextMetrics", "GetThemeBackgroundRegion", "HitTestThemeBackground", "DrawThemeEdge",
    "DrawThemeIcon", "IsThemePartDefined", "IsThemeBackgroundPartiallyTransparent", "GetThemeColor",
    "GetThemeMetric", "GetThemeString", "GetThemeBool", "GetThemeInt", "GetThemeEnumValue",
    "GetThemePosition", "GetThemeFont", "GetThemeRect", "GetThemeMargins", "GetThemeIntList",
    "SetWindowTheme", "GetThemeFilename", "GetThemeSysColor", "GetThemeSysColorBrush",
    "GetThemeSysBool", "GetThemeSysSize", "GetThemeSysFont", "GetThemeSysString", "GetThemeSysInt",
    "IsThemeActive", "IsAppThemed", "GetWindowTheme", "EnableThemeDialogTexture",
    "IsThemeDialogTextureEnabled", "GetThemeAppProperties", "SetThemeAppProperties",
    "GetCurrentThemeName", "GetThemeDocumentationProperty", "DrawThemeParentBackground",
    "EnableTheming",
};

namespace {

enum class ThemeClass { Button, ComboBox, Spin, Progress };

struct ThemeData {
    ThemeClass cls;
};

QStyle* AppStyle()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::style() : nullptr;
}

// The first class of a semicolon-separated list that the style draws.
HTHEME QtOpenThemeData(HWND, const QString& ClassList)
{
    if (!AppStyle())
        return nullptr;
    for (const QString& name : ClassList.split(QLatin1Char(';'))) {
        const QString n = name.trimmed().toLower();
        if (n == QLatin1String("button"))
            return new ThemeData{ThemeClass::Button};
        if (n == QLatin1String("combobox"))
            return new ThemeData{ThemeClass::ComboBox};
        if (n == QLatin1String("spin"))
            return new ThemeData{ThemeClass::Spin};
        if (n == QLatin1String("progress"))
            return new ThemeData{ThemeClass::Progress};
    }
    return nullptr;
}

HRESULT QtCloseThemeData(HTHEME Theme)
{
    delete static_cast<ThemeData*>(Theme);
    return S_OK;
}

// Style flags of the four-state groups (normal, hot, pressed, disabled).
QStyle::State ButtonState(Integer s)
{
    QStyle::State st = QStyle::State_Active;
    if (s != 4)
        st |= QStyle::State_Enabled;
    if (s == 2)
        st |= QStyle::State_MouseOver;
    st |= s == 3 ? QStyle::State_Sunken : QStyle::State_Raised;
    return st;
}

// The palette of a control in that state.
QPalette PaletteFor(QStyle::State State)
{
    QPalette pal = QApplication::palette();
    pal.setCurrentColorGroup(State & QStyle::State_Enabled ? QPalette::Active : QPalette::Disabled);
    return pal;
}

HRESULT QtDrawThemeBackground(HTHEME Theme, TCanvas* Canvas, Integer PartId, Integer StateId,
                              const TRect* Rect, const TRect* ClipRect)
{
    QStyle* style = AppStyle();
    if (!Theme || !Canvas || !Rect || !style)
        return E_HANDLE;
    if (!Canvas->RequireHandle())
        return E_FAIL;
    const auto* data = static_cast<const ThemeData*>(Theme);
    QPainter* p = Canvas->Painter();
    const QRect r(Rect->Left, Rect->Top, Rect->Width(), Rect->Height());
    if (r.isEmpty())
        return S_OK;
    p->save();
    if (ClipRect)
        p->setClipRect(QRect(ClipRect->Left, ClipRect->Top, ClipRect->Width(), ClipRect->Height()), Qt::IntersectClip);
    HRESULT result = S_OK;
    switch (data->cls) {
    case ThemeClass::Button: {
        if (PartId == BP_PUSHBUTTON) {
            QStyleOptionButton opt;
            opt.rect = r;
            opt.state = ButtonState(StateId == PBS_DEFAULTED ? PBS_NORMAL : StateId);
            opt.palette = PaletteFor(opt.state);
            if (StateId == PBS_DEFAULTED)
                opt.features |= QStyleOptionButton::DefaultButton;
            style->drawPrimitive(QStyle::PE_PanelButtonCommand, &opt, p);
        } else if (PartId == BP_CHECKBOX || PartId == BP_RADIOBUTTON) {
            const Integer groups = PartId == BP_CHECKBOX ? 3 : 2;
            if (StateId < 1 || StateId > groups * 4) {
                result = E_FAIL;
                break;
            }
            const Integer group = (StateId - 1) / 4;
            QStyleOptionButton opt;
            opt.rect = r;
            opt.state = ButtonState((StateId - 1) % 4 + 1) & ~QStyle::State_Raised;
            opt.palette = PaletteFor(opt.state);
            opt.state |= group == 0 ? QStyle::State_Off : group == 1 ? QStyle::State_On : QStyle::State_NoChange;
            style->drawPrimitive(PartId == BP_CHECKBOX ? QStyle::PE_IndicatorCheckBox : QStyle::PE_IndicatorRadioButton,
                                 &opt, p);
        } else {
            result = E_FAIL;
        }
        break;
    }
    case ThemeClass::ComboBox:
    case ThemeClass::Spin: {
        QStyle::PrimitiveElement arrow;
        if (data->cls == ThemeClass::ComboBox && PartId == CP_DROPDOWNBUTTON)
            arrow = QStyle::PE_IndicatorArrowDown;
        else if (data->cls == ThemeClass::Spin && (PartId == SPNP_UP || PartId == SPNP_DOWN))
            arrow = PartId == SPNP_UP ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown;
        else {
            result = E_FAIL;
            break;
        }
        QStyleOptionButton opt;
        opt.rect = r;
        opt.state = ButtonState(StateId);
        opt.palette = PaletteFor(opt.state);
        style->drawPrimitive(QStyle::PE_PanelButtonCommand, &opt, p);
        QStyleOption arrowOpt;
        arrowOpt.rect = r.adjusted(2, 2, -2, -2);
        arrowOpt.palette = opt.palette;
        arrowOpt.state = opt.state;
        style->drawPrimitive(arrow, &arrowOpt, p);
        break;
    }
    case ThemeClass::Progress: {
        QStyleOptionProgressBar opt;
        opt.rect = r;
        opt.palette = PaletteFor(QStyle::State_Enabled);
        opt.minimum = 0;
        opt.maximum = 1;
        opt.progress = 1;
        if (PartId == PP_BAR || PartId == PP_BARVERT) {
            opt.state = QStyle::State_Enabled | (PartId == PP_BAR ? QStyle::State_Horizontal : QStyle::State_None);
            style->drawControl(QStyle::CE_ProgressBarGroove, &opt, p);
        } else if (PartId == PP_CHUNK || PartId == PP_CHUNKVERT) {
            opt.state = QStyle::State_Enabled | (PartId == PP_CHUNK ? QStyle::State_Horizontal : QStyle::State_None);
            style->drawControl(QStyle::CE_ProgressBarContents, &opt, p);
        } else {
            result = E_FAIL;
        }
        break;
    }
    }
    p->restore();
    Canvas->Refresh();
    return result;
}

bool QtIsThemeActive()
{
    return AppStyle() != nullptr;
}

// The style's name stands for the theme file; this platform has no colour
// schemes or size names.
HRESULT QtGetCurrentThemeName(QString* ThemeFileName, QString* ColorBuff, QString* SizeBuff)
{
    QStyle* style = AppStyle();
    if (!style)
        return E_FAIL;
    if (ThemeFileName)
        *ThemeFileName = style->name();
    if (ColorBuff)
        ColorBuff->clear();
    if (SizeBuff)
        SizeBuff->clear();
    return S_OK;
}

} // namespace

void TThemeServices::BindUxThemeFunctions()
{
    if (loaded_)
        return;
    QStyle* style = AppStyle();
    if (!style)
        return;
    loaded_ = true;
    library_ = style;
    OpenThemeData = QtOpenThemeData;
    CloseThemeData = QtCloseThemeData;
    DrawThemeBackground = QtDrawThemeBackground;
    IsThemeActive = QtIsThemeActive;
    IsAppThemed = QtIsThemeActive;
    GetCurrentThemeName = QtGetCurrentThemeName;
}

void TThemeServices::FreeUxThemeLibrary()
{
    if (!loaded_)
        return;
    loaded_ = false;
    library_ = nullptr;
    OpenThemeData = nullptr;
    CloseThemeData = nullptr;
    DrawThemeBackground = nullptr;
    IsThemeActive = nullptr;
    IsAppThemed = nullptr;
    GetCurrentThemeName = nullptr;
}

bool TThemeServices::IsBound(const char* Name) const
{
    if (!loaded_ || !Name)
        return false;
    const struct { const char* name; bool bound; } entries[] = {
        {"OpenThemeData", OpenThemeData != nullptr},
        {"CloseThemeData", CloseThemeData != nullptr},
        {"DrawThemeBackground", DrawThemeBackground != nullptr},
        {"IsThemeActive", IsThemeActive != nullptr},
        {"IsAppThemed", IsAppThemed != nullptr},
        {"GetCurrentThemeName", GetCurrentThemeName != nullptr},
    };
    for (const auto& e : entries)
        if (std::strcmp(e.name, Name) == 0)
            return e.bound;
    return false;
}

TThemeServices& ExXPVS()
{
    // Bound once, at first use (the application and its style exist by then).
    static TThemeServices services = [] {
        TThemeServices s;
        s.BindUxThemeFunctions();
        return s;
    }();
    return services;
}

bool ThemeActive(TThemeServices& Services)
{
    return Services.Loaded() && Services.IsThemeActive && Services.IsThemeActive();
}
