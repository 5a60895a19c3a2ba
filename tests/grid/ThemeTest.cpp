// Theme services binding, style detection and the handle list.
#include "controls/ETXPVS.h"
#include "grid/ExStyleIF.h"
#include "grid/ExUtil.h"
#include "controls/ExXPVS.h"

#include "platform/Canvas.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QImage DrawButton(Integer look)
{
    QImage img(40, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    TCanvas c;
    c.BeginPaint(&p);
    DrawCellButton(&c, nullptr, TRect(0, 0, 40, 20), look, 0, TColorTones());
    c.EndPaint();
    return img;
}

} // namespace

TEST(ThemeServices, BindsOnceAndUnbinds)
{
    TThemeServices ts;
    EXPECT_FALSE(ts.Loaded());
    ts.FreeUxThemeLibrary(); // never loaded: nothing happens
    EXPECT_FALSE(ts.Loaded());
    EXPECT_EQ(ts.OpenThemeData, nullptr);

    ts.BindUxThemeFunctions();
    ASSERT_TRUE(ts.Loaded());
    const void* first = ts.Library();
    auto open = ts.OpenThemeData;
    ts.BindUxThemeFunctions();
    EXPECT_EQ(ts.Library(), first);
    EXPECT_EQ(ts.OpenThemeData, open);

    for (const char* name : {"OpenThemeData", "CloseThemeData", "DrawThemeBackground", "IsThemeActive",
                             "GetCurrentThemeName"})
        EXPECT_TRUE(ts.IsBound(name)) << name;
    // The names without a counterpart in the style report that they are not there.
    int bound = 0;
    for (const char* name : UxThemeFunctionNames)
        bound += ts.IsBound(name);
    EXPECT_EQ(bound, 6);
    EXPECT_FALSE(ts.IsBound("DrawThemeText"));

    ts.FreeUxThemeLibrary();
    EXPECT_FALSE(ts.Loaded());
    EXPECT_EQ(ts.DrawThemeBackground, nullptr);
    EXPECT_FALSE(ThemeActive(ts)); // an empty entry counts as an inactive theme
}

TEST(ThemeServices, OpensOnlyTheClassesTheStyleDraws)
{
    TThemeServices& ts = ExXPVS();
    ASSERT_TRUE(ThemeActive(ts));
    EXPECT_NE(&ts, &ETXPVS());
    EXPECT_TRUE(ETXPVS().Loaded());
    for (const char* cls : {"button", "COMBOBOX", "spin", "Progress", "window;spin"}) {
        HTHEME t = ts.OpenThemeData(nullptr, QString::fromLatin1(cls));
        EXPECT_NE(t, nullptr) << cls;
        ts.CloseThemeData(t);
    }
    EXPECT_EQ(ts.OpenThemeData(nullptr, "treeview"), nullptr);
    QString file, color, size;
    EXPECT_EQ(ts.GetCurrentThemeName(&file, &color, &size), S_OK);
    EXPECT_FALSE(file.isEmpty());
    EXPECT_TRUE(color.isEmpty());
}

TEST(ThemeServices, WithoutThemesTheThemedLookDrawsClassic)
{
    const QImage themed = DrawButton(0);
    const QImage classic = DrawButton(1);
    EXPECT_NE(themed, classic);
    ExXPVS().FreeUxThemeLibrary();
    const QImage fallback = DrawButton(0);
    ExXPVS().BindUxThemeFunctions();
    EXPECT_EQ(fallback, classic);
    EXPECT_EQ(DrawButton(0), themed);
}

TEST(StyleDetection, OfficeThemeOrder)
{
    struct Case { Integer t14, t12, scheme; TOfficeTheme theme; };
    const Case cases[] = {
        {2, 1, 1, ot2010Silver},  // the 14.0 key decides whatever 12.0 holds
        {1, -1, 0, ot2010Blue},
        {3, -1, 0, ot2010Black},
        {4, -1, 0, ot2003Blue},
        {-1, 1, 0, ot2007Blue},   // 14.0 without a value: 12.0 decides
        {-1, 2, 0, ot2007Silver},
        {-1, 3, 0, ot2007Black},
        {-1, 0, 0, ot2003Blue},
        {-1, -1, 0, ot2003Classic},
        {-1, -1, 1, ot2003Blue},
        {-1, -1, 2, ot2003Olive},
        {-1, -1, 3, ot2003Silver},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OfficeThemeFor(c.t14, c.t12, c.scheme), c.theme) << c.t14 << " " << c.t12 << " " << c.scheme;

    // This platform has no office suite and the style names no colour scheme.
    EXPECT_EQ(InstalledOfficeVersion(), 0);
    EXPECT_EQ(XPThemeScheme(), 0);
    EXPECT_EQ(DetectSystemStyle(), ot2003Classic);
    EXPECT_EQ(DefaultUIFontName(), QStringLiteral("Segoe UI"));
}

TEST(StyleDetection, ComponentStyleOfEachTheme)
{
    const std::pair<TOfficeTheme, TKavroStyle> map[] = {
        {ot2003Blue, tsOffice2003Blue},       {ot2003Silver, tsOffice2003Silver},
        {ot2003Olive, tsOffice2003Olive},     {ot2003Classic, tsOffice2003Classic},
        {ot2007Blue, tsOffice2007Luna},       {ot2007Silver, tsOffice2007Silver},
        {ot2007Black, tsOffice2007Obsidian},  {ot2010Blue, tsOffice2010Blue},
        {ot2010Silver, tsOffice2010Silver},   {ot2010Black, tsOffice2010Black},
    };
    for (auto [theme, style] : map)
        EXPECT_EQ(ComponentStyleFor(theme), style) << theme;
}

TEST(HandleList, AddFindAndRemove)
{
    // Handles are opaque values to the list.
    const HWND a = reinterpret_cast<HWND>(0x10), b = reinterpret_cast<HWND>(0x20), c = reinterpret_cast<HWND>(0x30);
    THandleList l;
    l.Add(a);
    l.Add(b);
    l.Insert(0, c);
    EXPECT_EQ(l.GetInteger(0), c);
    EXPECT_TRUE(l.HasValue(b));
    l.DeleteValue(a);
    EXPECT_FALSE(l.HasValue(a));
    EXPECT_EQ(l.Count(), 2);
    l.DeleteValue(a); // not there: nothing happens
    EXPECT_EQ(l.Count(), 2);
    l.SetInteger(1, a);
    EXPECT_EQ(l.GetInteger(1), a);
    l.Delete(0);
    EXPECT_EQ(l.Count(), 1);
}

TEST(ThemeNotifier, OneInstanceWithoutWatcher)
{
    auto* owner = new TComponent(nullptr);
    TThemeNotifier* n = GetThemeNotifier(owner);
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(GetThemeNotifier(nullptr), n);
    EXPECT_EQ(n->Owner(), owner);
    // No office suite here: no watcher, and registering changes nothing.
    EXPECT_FALSE(n->Watching());
    bool fired = false;
    n->OnOfficeThemeChange = [&](TObject*) { fired = true; };
    n->RegisterWindow(reinterpret_cast<HWND>(0x10));
    n->UnRegisterWindow(reinterpret_cast<HWND>(0x10));
    EXPECT_FALSE(fired);
    // Freed with its owner; the next request makes a new one.
    delete owner;
    auto* owner2 = new TComponent(nullptr);
    TThemeNotifier* m = GetThemeNotifier(owner2);
    EXPECT_EQ(m->Owner(), owner2);
    delete owner2;
}
