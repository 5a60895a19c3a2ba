// Cell painting: the look each cell gets (colours, font, alignment and
// state, in their order of precedence), the formatted text and file text
// hooks, text measuring, and what lands on screen: selection, headers,
// borders, markers, background, cell graphics and the cell events.
#include "grid/ExGrid.h"

#include "grid/ExGridCellGraphic.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"

#include <QImage>
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "Screenshot.h"

namespace {

std::unique_ptr<TExStringGrid> NewGrid(Integer Cols = 5, Integer Rows = 8)
{
    auto g = std::make_unique<TExStringGrid>(nullptr);
    g->SetColCount(Cols);
    g->SetRowCount(Rows);
    return g;
}

// The look of one cell as the painter asks for it.
struct TLook {
    TColor Brush, ColorTo, Mirror, MirrorTo, FontColor;
    TGridDrawState State;
    TAlignment HA;
    TVAlignment VA;
};

TLook LookOf(TExStringGrid& g, Integer c, Integer r, TGridDrawState State = 0, bool Select = true)
{
    TBrush brush;
    TFont font;
    TLook l{};
    l.State = State;
    bool ww = true;
    TCellGradientDirection gd = GradientVertical;
    g.GetVisualProperties(c, r, l.State, false, Select, true, &brush, l.ColorTo, l.Mirror, l.MirrorTo, &font, l.HA,
                          l.VA, ww, gd);
    l.Brush = brush.Color();
    l.FontColor = font.Color();
    return l;
}

QColor Rgb(TColor C)
{
    const TColor v = ColorToRGB(C);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

// A shown grid of a given size with texts in every cell.
struct ShownGrid : ::testing::Test {
    TForm* form = nullptr;
    TExStringGrid* grid = nullptr;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(400, 200);
        grid = new TExStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 400, 200);
        grid->SetColCount(5);
        grid->SetRowCount(6);
        grid->SetDefaultColWidth(76);
        for (Integer c = 1; c < 5; ++c)
            grid->SetCells(c, 0, QStringLiteral("Col %1").arg(c));
        for (Integer r = 1; r < 6; ++r)
            grid->SetCells(0, r, QString::number(r));
        form->Show();
    }
    void TearDown() override { delete form; }
};

} // namespace

TEST(ExGridLook, SourcesOverrideEachOtherInOrder)
{
    auto g = NewGrid();
    // A plain normal cell.
    const TLook plain = LookOf(*g, 2, 3);
    EXPECT_EQ(plain.Brush, g->Color());
    EXPECT_EQ(plain.ColorTo, clNone);
    EXPECT_EQ(plain.Mirror, clNone);
    EXPECT_EQ(plain.HA, taLeftJustify);
    EXPECT_EQ(plain.VA, vtaTop);
    EXPECT_EQ(plain.State, TGridDrawState(0));
    // A fixed cell in the default look: the header gradient and the fixed font.
    const TLook fixed = LookOf(*g, 0, 3);
    EXPECT_EQ(fixed.Brush, g->KavroGradientFrom());
    EXPECT_EQ(fixed.ColorTo, g->KavroGradientTo());
    EXPECT_EQ(fixed.Mirror, g->KavroGradientMirrorFrom());
    EXPECT_NE(fixed.State & gdFixed, 0u);
    // A fixed cell with its own colour and no graphic keeps it, without gradient.
    g->GetCellProperties(0, 4)->SetBrushColor(clAqua);
    const TLook own = LookOf(*g, 0, 4);
    EXPECT_EQ(own.Brush, clAqua);
    EXPECT_EQ(own.ColorTo, clNone);
    // In the classic look fixed cells take FixedColor.
    g->SetLook(glClassic);
    EXPECT_EQ(LookOf(*g, 0, 3).Brush, g->FixedColor());
    // The colour hook and the gradient event come after the cell's colour.
    g->GetCellProperties(2, 2)->SetBrushColor(clYellow);
    g->OnGetCellColor = [](TObject*, Integer ARow, Integer, TGridDrawState, TBrush* B, TFont*) {
        if (ARow == 5)
            B->SetColor(clLime);
    };
    g->OnGetCellGradient = [](TObject*, Integer ARow, Integer, TColor& C, TColor& To, TColor&, TColor&,
                              TCellGradientDirection&) {
        if (ARow == 6) {
            C = clRed;
            To = clMaroon;
        }
    };
    EXPECT_EQ(LookOf(*g, 2, 2).Brush, clYellow);
    EXPECT_EQ(LookOf(*g, 2, 5).Brush, clLime);
    const TLook grad = LookOf(*g, 2, 6);
    EXPECT_EQ(grad.Brush, clRed);
    EXPECT_EQ(grad.ColorTo, clMaroon);
}

TEST(ExGridLook, BandsCountFromTheFirstDataRow)
{
    auto g = NewGrid(4, 9);
    g->Bands()->SetPrimaryLength(2);
    g->Bands()->SetSecondaryLength(1);
    g->Bands()->SetActive(true);
    const TColor p = g->Bands()->PrimaryColor(), s = g->Bands()->SecondaryColor();
    std::vector<TColor> rows;
    for (Integer r = 1; r < 7; ++r)
        rows.push_back(LookOf(*g, 2, r).Brush);
    EXPECT_EQ(rows, (std::vector<TColor>{p, p, s, p, p, s}));
}

TEST(ExGridLook, SelectionColoursMixersAndDisjunctRows)
{
    auto g = NewGrid();
    g->SetSelection({1, 2, 2, 3});
    const TLook sel = LookOf(*g, 1, 2, gdSelected);
    EXPECT_EQ(sel.Brush, g->SelectionColor());
    EXPECT_EQ(sel.FontColor, g->SelectionTextColor());
    EXPECT_NE(sel.State & gdSelected, 0u);
    // Without the selection colours (the text step) the cell's own look.
    EXPECT_EQ(LookOf(*g, 1, 2, gdSelected, false).Brush, g->Color());
    // Mixing: a coloured cell blends, a cell in the grid colour does not.
    g->SetSelectionColorMixer(true);
    g->SetSelectionColorMixerFactor(50);
    g->SetSelectionColor(TColor(0x00000000));
    g->GetCellProperties(2, 2)->SetBrushColor(TColor(0x00C8C8C8));
    EXPECT_EQ(LookOf(*g, 2, 2, gdSelected).Brush, TColor(0x00646464));
    EXPECT_EQ(LookOf(*g, 1, 2, gdSelected).Brush, TColor(0x00000000));
    g->SetSelectionColorMixerFactor(250);
    EXPECT_EQ(g->SelectionColorMixerFactor(), 100);
    EXPECT_EQ(TExStringGrid::MixSelectionColor(clRed, clBlue, true, 0), clBlue);
    EXPECT_EQ(TExStringGrid::MixSelectionColor(clRed, clNone, true, 50), clRed);
    EXPECT_EQ(TExStringGrid::MixSelectionColor(clRed, clBlue, false, 50), clRed);

    // A selected row of a disjunct selection other than the current one is 7 % brighter.
    auto d = NewGrid();
    d->SetSelectionColor(TColor(0x00804020));
    d->MouseActions()->SetDisjunctRowSelect(true);
    d->SetSelection({1, 3, 4, 4});  // the current row is 4
    d->SetRowSelect(3, true);
    const TLook row = LookOf(*d, 2, 3, gdSelected);
    EXPECT_EQ(row.Brush, ColorBrighten(TColor(0x00804020), 7));
    EXPECT_EQ(LookOf(*d, 2, 5).Brush, d->Color());
}

TEST(ExGridLook, AutoNumAlignRightAlignsNumbersUnlessTheCellSaysOtherwise)
{
    auto g = NewGrid();
    g->SetAutoNumAlign(true);
    const std::vector<std::pair<QString, TAlignment>> cases{
        {"12", taRightJustify}, {"-3.5", taRightJustify}, {"1E5", taRightJustify},
        {"12 kg", taLeftJustify}, {"abc", taLeftJustify}};
    for (const auto& [text, ha] : cases) {
        g->SetCells(1, 1, text);
        EXPECT_EQ(g->CalcCellAlignment(1, 1).first, ha) << text.toStdString();
    }
    g->SetCells(2, 1, QStringLiteral("12"));
    g->GetCellProperties(2, 1)->SetAlignment(taCenter);
    EXPECT_EQ(g->CalcCellAlignment(2, 1).first, taCenter);
    g->OnGetAlignment = [](TObject*, Integer, Integer, TAlignment&, TVAlignment& VA) { VA = vtaBottom; };
    EXPECT_EQ(g->CalcCellAlignment(2, 1).second, vtaBottom);
}

TEST(ExGridText, FormattedCellsFollowTheFloatFormatEvent)
{
    auto g = NewGrid();
    g->SetCells(1, 1, QStringLiteral("3.14159"));
    g->SetCells(1, 2, QStringLiteral("abc"));
    g->SetCells(1, 3, QStringLiteral("42"));
    EXPECT_EQ(g->GetFormattedCell(1, 1), QStringLiteral("3.14159"));  // no event, no format
    Integer calls = 0;
    g->OnGetFloatFormat = [&](TObject*, Integer, Integer ARow, bool& IsFloat, QString& Fmt) {
        ++calls;
        if (ARow == 3)
            Fmt = QStringLiteral("%5d");
        if (ARow == 4)
            IsFloat = false;
    };
    EXPECT_EQ(g->GetFormattedCell(1, 1), QStringLiteral("3.14"));
    EXPECT_EQ(g->GetFormattedCell(1, 2), QStringLiteral("abc"));
    EXPECT_EQ(calls, 1);  // not asked for a text that is no number
    EXPECT_EQ(g->GetFormattedCell(1, 3), QStringLiteral("   42"));
    g->SetCells(1, 4, QStringLiteral("2.5"));
    EXPECT_EQ(g->GetFormattedCell(1, 4), QStringLiteral("2.5"));
    EXPECT_EQ(g->FloatFormat(), QStringLiteral("%.2f"));
    // An integer format on a decimal value keeps the text.
    g->SetCells(1, 3, QStringLiteral("4.5"));
    EXPECT_EQ(g->GetFormattedCell(1, 3), QStringLiteral("4.5"));
}

TEST(ExGridText, SaveAndLoadCellHooks)
{
    auto g = NewGrid();
    g->AddCheckBox(1, 1, true, false);
    g->AddCheckBox(1, 2, false, false);
    g->AddCheckBox(1, 3, cbChecked);
    QString v;
    g->SaveCell(1, 1, v);
    EXPECT_EQ(v, QStringLiteral("Y"));
    g->SaveCell(1, 2, v);
    EXPECT_EQ(v, QStringLiteral("N"));
    g->SaveCell(1, 3, v);
    EXPECT_EQ(v, QStringLiteral("Y"));
    g->SetCells(2, 1, QStringLiteral("<b>bold</b>"));
    g->SaveCell(2, 1, v);
    EXPECT_EQ(v, QStringLiteral("<b>bold</b>"));
    g->SetSaveWithHTML(false);
    g->SaveCell(2, 1, v);
    EXPECT_EQ(v, QStringLiteral("bold"));
    g->OnSaveCell = [](TObject*, Integer, Integer, QString& V) { V += QLatin1Char('!'); };
    g->SaveCell(2, 2, v);
    EXPECT_EQ(v, QStringLiteral("!"));
    g->OnLoadCell = [](TObject*, Integer, Integer, QString& V) { V = V.toUpper(); };
    g->LoadCell(3, 3, QStringLiteral("abc"));
    EXPECT_EQ(g->GridCells(3, 3), QStringLiteral("ABC"));
}

TEST(ExGridText, DeletingTheOnlyDataRowEmptiesIt)
{
    auto g = NewGrid(3, 2);
    g->SetCells(1, 1, QStringLiteral("x"));
    std::vector<Integer> deleted;
    g->OnAutoDeleteRow = [&](TObject*, Integer ARow) { deleted.push_back(ARow); };
    g->AutoDeleteRow(1);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_TRUE(g->Cells(1, 1).isEmpty());
    g->SetRowCount(4);
    g->SetCells(1, 2, QStringLiteral("second"));
    g->AutoDeleteRow(1);
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("second"));
    g->AutoInsertRow(1);
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("second"));
    EXPECT_EQ(deleted, (std::vector<Integer>{1, 1}));
}

TEST(ExGridText, MeasuringLinesButtonsAndRotation)
{
    auto g = NewGrid();
    g->SetMultilineCells(true);
    g->SetCells(1, 1, QStringLiteral("short\rmuch longer line"));
    const TPoint two = g->GetCellTextSize(1, 1, false, false);
    TCanvas* c = g->Canvas();
    g->GetCellFont(1, 1);
    c->Font()->Assign(g->Font());
    EXPECT_EQ(two.X, c->TextWidth(QStringLiteral("much longer line")));
    EXPECT_EQ(two.Y, 2 * c->TextHeight(QStringLiteral("gh")));
    g->SetCells(1, 2, QStringLiteral("turned"));
    const TPoint flat = g->GetCellTextSize(1, 2, false, false);
    g->SetRotated(1, 2, 90);
    EXPECT_EQ(g->GetCellTextSize(1, 2, false, false), TPoint(flat.Y + 12, flat.X + 12));
    // Limited to the cell's width, a button takes 17 pixels off.
    g->SetCells(2, 1, QStringLiteral("w"));
    const TPoint limited = g->GetCellTextSize(2, 1, false, true);
    EXPECT_EQ(g->GetCellTextSize(2, 1, true, true).X, limited.X - 17);
    // Mini-HTML is measured without its tags.
    g->SetCells(3, 1, QStringLiteral("<b>ab</b>"));
    g->SetCells(3, 2, QStringLiteral("<x>ab</x>"));
    g->SetCells(3, 3, QStringLiteral("ab"));
    EXPECT_EQ(g->GetCellTextSize(3, 1, false, false).Y, g->GetCellTextSize(3, 2, false, false).Y);
    EXPECT_EQ(g->GetCellTextSize(3, 2, false, false).X, g->GetCellTextSize(3, 3, false, false).X + 2);
}

TEST_F(ShownGrid, SelectedUnfocusedCellsWithoutSelectionColourTakeTheHighlight)
{
    grid->SetSelectionColor(clNone);
    grid->SetSelection({1, 2, 2, 3});
    const QImage img = GrabControl(grid);
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-selection-without-colour"));
    const TRect r = grid->CellRect(1, 3);
    EXPECT_EQ(QColor(img.pixel(r.Left + 4, r.Bottom - 4)), Rgb(clHighlight));
    // The current cell and the cells outside the selection keep the grid colour.
    for (const TRect o : {grid->CellRect(2, 3), grid->CellRect(3, 3)})
        EXPECT_EQ(QColor(img.pixel(o.Left + 4, o.Bottom - 4)), Rgb(grid->Color()));
}

TEST_F(ShownGrid, CellEventsGetTheirRectanglesAndBordersAreDrawn)
{
    std::vector<TRect> drawRects, customRects;
    std::vector<Integer> columns;
    grid->OnDrawCell = [&](TObject*, Integer ACol, Integer ARow, TRect R, TGridDrawState) {
        if (ARow == 2 && ACol == 2)
            drawRects.push_back(R);
    };
    grid->OnCustomCellDraw = [&](TObject*, TCanvas*, Integer ACol, Integer ARow, TGridDrawState, TRect R, bool) {
        if (ARow == 2)
            columns.push_back(ACol);
        if (ARow == 2 && ACol == 2)
            customRects.push_back(R);
    };
    grid->HideColumn(1);  // events get the real column
    grid->OnGetCellBorder = [](TObject*, Integer ARow, Integer ACol, TPen* Pen, TCellBorders& Borders) {
        if (ARow == 4 && ACol == 3) {
            Pen->SetColor(clRed);
            Borders = CellBorderBit(cbBottom) | CellBorderBit(cbLeft);
        }
    };
    const QImage img = GrabControl(grid);
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-borders-and-events"));
    ASSERT_FALSE(drawRects.empty());
    ASSERT_FALSE(customRects.empty());
    const TRect full = customRects.back();
    EXPECT_EQ(drawRects.back(), TRect(full.Left + 1, full.Top + 1, full.Right - grid->GridLineWidth(),
                                      full.Bottom - grid->GridLineWidth()));
    EXPECT_EQ(columns.front(), 0);
    EXPECT_NE(std::find(columns.begin(), columns.end(), 2), columns.end());
    EXPECT_EQ(std::find(columns.begin(), columns.end(), 1), columns.end());
    // The red borders of real column 3 (display column 2), row 4.
    const TRect b = grid->CellRect(2, 4);
    Integer red = 0;
    for (Integer x = b.Left; x < b.Right; ++x)
        for (Integer y = b.Bottom - 3; y < b.Bottom; ++y)
            if (QColor(img.pixel(x, y)) == QColor(255, 0, 0))
                ++red;
    EXPECT_GT(red, b.Width() / 2);
}

TEST_F(ShownGrid, ModifiedRowsAndTheEmptyAreaBeyondTheCells)
{
    grid->SetColCount(3);
    grid->SetRowCount(3);
    grid->ShowModified()->SetEnabled(true);
    grid->ShowModified()->SetColor(clFuchsia);
    grid->SetRowModified(2, true);
    QImage img = GrabControl(grid);
    const TRect m = grid->CellRect(0, 2);
    EXPECT_EQ(QColor(img.pixel(m.Right - 3, m.Top + 8)), Rgb(clFuchsia));
    EXPECT_NE(QColor(img.pixel(grid->CellRect(0, 1).Right - 3, m.Top - 8)), Rgb(clFuchsia));
    // With the defaults the area right of and below the cells stays in the grid colour.
    EXPECT_EQ(QColor(img.pixel(390, 190)), Rgb(grid->Color()));
    // A background gradient fills it.
    grid->BackGround()->Display = bdGradientVert;
    grid->BackGround()->Color = clWhite;
    grid->BackGround()->ColorTo = clNavy;
    grid->Invalidate();
    img = GrabControl(grid);
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-background-gradient"));
    EXPECT_NE(QColor(img.pixel(390, 190)), Rgb(grid->Color()));
    EXPECT_LT(QColor(img.pixel(390, 190)).lightness(), QColor(img.pixel(390, 10)).lightness());
}

TEST_F(ShownGrid, CellGraphicsInEveryKind)
{
    grid->SetRowCount(6);
    grid->SetDefaultRowHeight(26);
    grid->SetDefaultColWidth(70);
    grid->SetColWidths(0, 36);
    grid->SetColWidths(1, 110);
    grid->SetCells(1, 1, QStringLiteral("40"));
    grid->AddProgress(1, 1, clGreen, clWhite);
    grid->SetCells(2, 1, QStringLiteral("commented"));
    grid->AddComment(2, 1, QStringLiteral("a note"));
    grid->AddButton(3, 1, 60, 20, QStringLiteral("Press"), haCenter, vaCenter);
    grid->SetCells(4, 1, QStringLiteral("3.5"));
    grid->AddRating(4, 1, 4, clYellow, clSilver);
    grid->AddShape(1, 2, csCircle, clRed, clBlack, haBeforeText, vaCenter);
    grid->SetCells(1, 2, QStringLiteral("shape"));
    TStrings* options = grid->CreateRadio(2, 2, 1, 1);
    options->Add(QStringLiteral("A"));
    options->Add(QStringLiteral("B"));
    grid->AddRadioButton(3, 2, true);
    grid->SetCells(3, 2, QStringLiteral("radio"));
    grid->SetCells(4, 2, QStringLiteral("60"));
    grid->AddExProgress(4, 2, 0, 100);
    grid->SetCells(1, 3, QStringLiteral("a mistake here"));
    grid->AddMarker(1, 3, 2, 7);
    grid->SetCells(2, 3, QStringLiteral("75"));
    grid->AddProgressPie(2, 3, clBlue, 75);
    grid->AddExpand(3, 3, 60);
    TBitmap* bmp = grid->CreateBitmap(4, 3, false, haRight, vaCenter);
    bmp->SetSize(12, 12);
    bmp->Canvas()->Brush()->SetColor(clPurple);
    bmp->Canvas()->FillRect({0, 0, 12, 12});
    grid->SetCells(4, 3, QStringLiteral("bitmap"));
    grid->SetCells(1, 4, QStringLiteral("-30"));
    grid->AddRangeIndicator(1, 4, 100, clRed, clGreen, true);
    const QImage img = GrabControl(grid);
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-cell-graphics"));

    // The bitmap is at the cell's right edge, the comment mark at its top-right corner.
    const TRect b = grid->CellRect(4, 3);
    Integer purple = 0;
    for (Integer x = b.Right - 16; x < b.Right; ++x)
        for (Integer y = b.Top; y < b.Bottom; ++y)
            if (QColor(img.pixel(x, y)) == Rgb(clPurple))
                ++purple;
    EXPECT_EQ(purple, 144);
    const TRect c = grid->CellRect(2, 1);
    EXPECT_EQ(QColor(img.pixel(c.Right - 5, c.Top + 2)), Rgb(clRed));
    // The progress bar fills 40 % of its cell in green.
    const TRect p = grid->CellRect(1, 1);
    EXPECT_EQ(QColor(img.pixel(p.Left + p.Width() / 4, p.Top + p.Height() / 2)), Rgb(clGreen));
    EXPECT_NE(QColor(img.pixel(p.Left + p.Width() * 3 / 4, p.Top + p.Height() / 2)), Rgb(clGreen));
    // The button's place is stored for the mouse.
    const TRect br = grid->GetButtonRect(3, 1);
    EXPECT_EQ(br.Width(), 60);
    EXPECT_TRUE(grid->CellRect(3, 1).Contains(TPoint(br.Left + 30, br.Top + 10)));
}

TEST_F(ShownGrid, HeadersFlatLooksAndAlwaysVisibleEditorButtons)
{
    grid->SetCells(1, 1, QStringLiteral("UINT16"));
    grid->OnGetEditorType = [](TObject*, Integer ACol, Integer, TEditorType& E) {
        if (ACol == 1)
            E = edComboList;
    };
    grid->ControlLook()->SetDropDownAlwaysVisible(true);
    QImage img = GrabControl(grid);
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-header-xp-dropdowns"));
    // The header is a vertical gradient; the combo cells show their button.
    const TRect h = grid->CellRect(2, 0);
    EXPECT_NE(QColor(img.pixel(h.Left + 10, h.Top + 3)), QColor(img.pixel(h.Left + 10, h.Bottom - 4)));
    const TRect cb = grid->CellRect(1, 3);
    const QImage withButton = img.copy(cb.Right - 16, cb.Top, 15, cb.Height());
    const TRect plain = grid->CellRect(2, 3);
    EXPECT_NE(withButton, img.copy(plain.Right - 16, plain.Top, 15, plain.Height()));
    // Flat: no gradient.
    grid->SetFlat(true);
    grid->SetLook(glClassic);
    img = GrabControl(grid);
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-header-classic"));
    EXPECT_EQ(QColor(img.pixel(h.Left + 10, h.Top + 4)), QColor(img.pixel(h.Left + 10, h.Bottom - 5)));
}

TEST_F(ShownGrid, RowIndicatorMarksTheCurrentRowOnly)
{
    // A teal square on white; the corner's white is the transparent colour.
    grid->RowIndicator()->SetSize(8, 8);
    grid->RowIndicator()->Canvas()->Brush()->SetColor(clWhite);
    grid->RowIndicator()->Canvas()->FillRect({0, 0, 8, 8});
    grid->RowIndicator()->Canvas()->Brush()->SetColor(clTeal);
    grid->RowIndicator()->Canvas()->FillRect({2, 2, 6, 6});
    grid->SetRow(3);
    const QImage img = GrabControl(grid);
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-row-indicator"));
    const auto teal = [&](Integer Row) {
        const TRect r = grid->CellRect(0, Row);
        for (Integer y = r.Top; y < r.Bottom; ++y)
            for (Integer x = r.Left; x < r.Left + 14; ++x)
                if (QColor(img.pixel(x, y)) == Rgb(clTeal))
                    return true;
        return false;
    };
    EXPECT_TRUE(teal(3));
    EXPECT_FALSE(teal(2));
    EXPECT_FALSE(teal(4));
}
