// The string grid's settings files: column sizes saved on destruction and
// loaded on window creation, column positions, the column-states text, the
// visual properties and the print settings.
#include "grid/ExGrid.h"

#include "platform/Form.h"
#include "platform/IniFile.h"
#include "platform/Streams.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "QtPrint.h"

namespace {

struct Folder {
    QTemporaryDir Dir;
    QString Path(const char* Name) const { return Dir.filePath(QLatin1String(Name)); }
};

void UseIni(TExStringGrid& G, const QString& File)
{
    G.ColumnSize()->SetKey(File);
    G.ColumnSize()->SetSection("Main");
    G.ColumnSize()->SetLocation(clIniFile);
}

} // namespace

TEST(GridSettings, ColumnSizesSavedOnDestroyAndLoadedOnWindowCreation)
{
    Folder f;
    const QString ini = f.Path("grid.ini");
    {
        TExStringGrid g(nullptr);
        g.SetColCount(3);
        g.SetDefaultColWidth(64);
        g.SetColWidths(1, 90);
        UseIni(g, ini);
        g.ColumnSize()->SetSave(true);
    }
    TIniFile file(ini);
    EXPECT_EQ(file.ReadInteger("Main", "Col0", -1), 64);
    EXPECT_EQ(file.ReadInteger("Main", "Col1", -1), 90);
    EXPECT_EQ(file.ReadInteger("Main", "Col2", -1), 64);

    TForm form(nullptr);
    auto* g = new TExStringGrid(&form);
    g->SetColCount(3);
    UseIni(*g, ini);
    g->ColumnSize()->SetSave(true);
    g->SetParent(&form);
    form.Show();  // the window is made: sizes loaded
    EXPECT_EQ(g->ColWidths(1), 90);
    EXPECT_NE(g->GridTimerID(), 0);
    g->ColumnSize()->SetSave(false);
}

TEST(GridSettings, ColumnSizesNeedKeyAndSection)
{
    Folder f;
    TExStringGrid g(nullptr);
    g.ColumnSize()->SetLocation(clIniFile);
    g.ColumnSize()->SetKey(f.Path("none.ini"));
    g.SaveColSizes();  // no section: nothing
    EXPECT_FALSE(QFile::exists(f.Path("none.ini")));
}

TEST(GridSettings, ColumnPositionsRoundTripThroughTheStore)
{
    QStandardPaths::setTestModeEnabled(true);
    Folder f;
    // A key of this run's own in the per-user store, removed at the end.
    const QString key = QStringLiteral("Arvinto\\Test-") + QFileInfo(f.Dir.path()).fileName();
    const QString store = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                              .filePath(QStringLiteral("Arvinto-registry.ini"));
    for (const TColumnSizeLocation location : {clIniFile, clRegistry}) {
        TExStringGrid g(nullptr);
        g.SetColCount(4);
        for (Integer c = 0; c < 4; ++c)
            g.SetCells(c, 1, QString::number(c));
        g.ColumnSize()->SetKey(location == clIniFile ? f.Path("pos.ini") : key);
        g.ColumnSize()->SetSection("Pos");
        g.ColumnSize()->SetLocation(location);
        g.LoadColPositions();  // no Pos0 yet: nothing changes
        EXPECT_EQ(g.Cells(0, 1), QStringLiteral("0"));

        // Position n holds the column first at order[n].
        for (Integer c : {2, 0, 3, 1})
            g.ColumnOrder()->Add(c);
        g.SaveColPositions();

        TExStringGrid h(nullptr);
        h.SetColCount(4);
        for (Integer c = 0; c < 4; ++c)
            h.SetCells(c, 1, QString::number(c));
        h.ColumnSize()->Assign(g.ColumnSize());
        h.HideColumn(3);
        h.LoadColPositions();
        EXPECT_EQ(h.ColumnOrder()->StrValue(), QStringLiteral("2,0,3,1"));
        EXPECT_TRUE(h.IsHiddenColumn(3));  // hidden columns stay hidden
        h.UnHideColumnsAll();
        QString row;
        for (Integer c = 0; c < 4; ++c)
            row += h.Cells(c, 1);
        EXPECT_EQ(row, QStringLiteral("2031"));
    }
    EXPECT_TRUE(TIniFile(store).SectionExists(key + QStringLiteral("\\Pos")));
    TIniFile(store).EraseSection(key + QStringLiteral("\\Pos"));
}

TEST(GridSettings, ColumnStatesText)
{
    TExStringGrid g(nullptr);
    g.SetColCount(3);
    g.SetDefaultColWidth(64);
    EXPECT_EQ(g.ColumnStatesToString(), QStringLiteral("3#64,64,64#0,1,2#1,1,1"));

    g.SetColCount(4);
    g.SetColWidths(2, 80);
    g.HideColumn(1);
    const QString text = g.ColumnStatesToString();
    const QStringList parts = text.split(u'#');
    ASSERT_EQ(parts.size(), 4);
    EXPECT_EQ(parts[0], QStringLiteral("4"));
    EXPECT_EQ(parts[3], QStringLiteral("1,0,1,1"));

    TExStringGrid h(nullptr);
    h.StringToColumnStates(text);
    EXPECT_TRUE(h.IsHiddenColumn(1));
    EXPECT_EQ(h.ColCount(), 3);
    EXPECT_EQ(h.ColWidths(1), 80);  // real column 2 shown second
    h.StringToColumnStates("no states");  // no "#": nothing
    EXPECT_EQ(h.ColCount(), 3);
}

TEST(GridSettings, VisualPropertiesRoundTrip)
{
    Folder f;
    const QString file = f.Path("look.txt");
    TExStringGrid g(nullptr);
    // The look's preset first: the values set after it are the ones saved,
    // and loading gives them back over the preset.
    g.SetLook(glOffice2007);
    g.SetColor(TColor(0x123456));
    g.SetSelectionColor(clRed);
    g.SetURLShow(true);
    g.Font()->SetSize(13);
    g.Font()->SetStyle(TFontStyles{fsBold, fsItalic});
    g.FixedFont()->SetName("DejaVu Sans");
    g.ControlLook()->SetFixedGradientFrom(TColor(0x00ABCDEF));
    g.ControlLook()->SetFixedGradientTo(clBtnFace);
    g.ControlLook()->SetControlStyle(csFlat);
    g.Bands()->SetActive(true);
    g.BackGround()->Display = bdGradientVert;
    g.Grouping()->HeaderLineWidth = 5;
    g.Balloon()->Transparency = 40;
    g.SaveVisualProps(file);

    QFile raw(file);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(raw.readAll());
    EXPECT_TRUE(text.startsWith(QStringLiteral("Color=$00123456\r\nHintColor=clInfoBk\r\nSelectionColor=clRed")));
    EXPECT_TRUE(text.contains(QStringLiteral("Font.Style=fsBold,fsItalic")));
    EXPECT_TRUE(text.contains(QStringLiteral("Look=glOffice2007")));

    TExStringGrid h(nullptr);
    h.LoadVisualProps(file);
    EXPECT_EQ(h.Color(), TColor(0x123456));
    EXPECT_EQ(h.SelectionColor(), clRed);
    EXPECT_TRUE(h.URLShow());
    EXPECT_EQ(h.Font()->Size(), 13);
    EXPECT_EQ(h.Font()->Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(h.FixedFont()->Name(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(h.ControlLook()->FixedGradientFrom(), TColor(0x00ABCDEF));
    EXPECT_EQ(h.ControlLook()->FixedGradientTo(), clBtnFace);
    EXPECT_EQ(h.ControlLook()->ControlStyle(), csFlat);
    EXPECT_EQ(h.Look(), glOffice2007);
    EXPECT_TRUE(h.Bands()->Active());
    EXPECT_EQ(h.BackGround()->Display, bdGradientVert);
    EXPECT_EQ(h.Grouping()->HeaderLineWidth, 5);
    EXPECT_EQ(h.Balloon()->Transparency, 40);
    // Everything written reads back the same.
    h.SaveVisualProps(f.Path("again.txt"));
    QFile again(f.Path("again.txt"));
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLatin1(again.readAll()), text);
}

TEST(GridSettings, VisualPropertiesErrors)
{
    Folder f;
    TExStringGrid g(nullptr);
    EXPECT_THROW(g.LoadVisualProps(f.Path("missing.txt")), EStreamError);
    EXPECT_THROW(g.SaveVisualProps(f.Path("no/such/folder/look.txt")), EStreamError);

    // Without its Font.Size line the load stops there with a conversion error.
    const QString file = f.Path("nosize.txt");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("Color=clRed\r\nURLShow=TRUE\r\nFont.Color=clBlue\r\nFont.Name=Other\r\n");
    out.close();
    EXPECT_THROW(g.LoadVisualProps(file), EConvertError);
    EXPECT_EQ(g.Color(), clRed);
    EXPECT_TRUE(g.URLShow());
    EXPECT_EQ(g.Font()->Color(), clBlue);
    EXPECT_NE(g.Font()->Name(), QStringLiteral("Other"));  // after the failing line
}

TEST(GridSettings, PrintSettings)
{
    Folder f;
    const QString ini = f.Path("print.ini");
    TExStringGrid g(nullptr);
    g.LoadPrintSettings(ini, "Print");  // nothing there: the defaults
    const TPrintSettings* ps = g.PrintSettings();
    EXPECT_TRUE(ps->Centered);
    EXPECT_EQ(ps->ColumnSpacing, 20);
    EXPECT_EQ(ps->RowSpacing, 20);
    EXPECT_EQ(ps->TitleSpacing, 20);
    EXPECT_EQ(ps->LeftSize, 100);
    EXPECT_EQ(ps->FooterSize, 100);
    EXPECT_EQ(ps->Font()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(ps->HeaderFont()->Size(), 10);

    TPrintSettings* w = g.PrintSettings();
    w->Borders = pbAround;
    w->Date = ppBottomRight;
    w->Orientation = poLandscape;
    w->TitleLines()->Add("first");
    w->TitleLines()->Add("second");
    w->Font()->SetStyle(fsItalic);
    w->RepeatFixedRows = true;
    g.SavePrintSettings(ini, "Print");
    EXPECT_EQ(TIniFile(ini).ReadString("Print", "TitleLines", ""), QStringLiteral("first\\nsecond"));
    EXPECT_EQ(TIniFile(ini).ReadString("Print", "RepeatFixedRows", ""), QStringLiteral("Y"));

    TExStringGrid h(nullptr);
    TIniFile(ini).WriteInteger("Print", "FitToPage", 9);  // out of range: unchanged
    h.LoadPrintSettings(ini, "Print");
    const TPrintSettings* r = h.PrintSettings();
    EXPECT_EQ(r->Borders, pbAround);
    EXPECT_EQ(r->Date, ppBottomRight);
    EXPECT_EQ(r->Orientation, poLandscape);
    EXPECT_EQ(r->FitToPage, fpNever);
    EXPECT_TRUE(r->RepeatFixedRows);
    EXPECT_EQ(r->TitleLines()->Count(), 2);
    EXPECT_EQ(r->TitleLines()->Strings(1), QStringLiteral("second"));
    EXPECT_TRUE(r->Font()->Style().Contains(fsItalic));
}
