// Every special cell editor kind as a user works it: the editor opens by a
// typed character, by Enter and by a click on the current cell; the user
// changes the value; Enter and Tab (with and without goTabs) commit it into
// the cell, Escape leaves the cell as it was. A kind that opens nothing
// never leaves the grid in edit mode.
#include "grid/ExGrid.h"

#include "grid/ExGridEditors.h"
#include "grid/editors/CellControls.h"
#include "grid/editors/EditLink.h"
#include "grid/editors/ExRichEdit.h"
#include "grid/editors/GridDropDownEditors.h"
#include "grid/editors/GridSpecialEditors.h"
#include "platform/Form.h"
#include "platform/Locale.h"
#include "platform/Canvas.h"
#include "platform/ImageList.h"
#include "platform/StdControls.h"
#include "platform/TestHooks.h"

#include <QCoreApplication>
#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

#include <functional>

#include "DropdownOpenShot.h"
#include "Screenshot.h"

namespace {

// An application's own editor: a plain edit in the cell.
class TestEditLink : public TEditLink {
public:
    explicit TestEditLink(TComponent* AOwner) : TEditLink(AOwner) {}
    TWinControl* GetEditControl() override { return FEdit; }
    void CreateEditor(TWinControl* AParent) override
    {
        if (FEdit == nullptr) {
            FEdit = new TEdit(AParent);
            FEdit->OnKeyDown = [this](TObject* S, Word& Key, TShiftState Shift) { EditKeyDown(S, Key, Shift); };
            FEdit->OnExit = [this](TObject* S) { EditExit(S); };
        }
        FEdit->SetParent(AParent);
    }
    QString GetEditorValue() override { return FEdit->Text(); }
    void SetEditorValue(const QString& S) override { FEdit->SetText(S); }
    TEdit* FEdit = nullptr;
};

// A shown form with a focused grid whose cell (1, 1) is of the kind under
// test; (2, 1) is a text cell, the one Tab reaches.
struct SpecialEditors : ::testing::Test {
    TForm* form = nullptr;
    TExStringGrid* grid = nullptr;
    TEditorType kind = edNormal;
    TestEditLink* link = nullptr;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(420, 160);
        grid = new TExStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 420, 160);
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->SetDefaultColWidth(130);
        grid->SetColWidths(0, 24);
        grid->SetColWidths(1, 200);
        grid->SetDefaultRowHeight(24);
        grid->SetOptions(grid->Options() | goEditing);
        grid->SetCells(1, 0, QStringLiteral("Value"));
        grid->SetCells(2, 0, QStringLiteral("Next"));
        grid->OnGetEditorType = [this](TObject*, Integer ACol, Integer ARow, TEditorType& AEditor) {
            if (ACol == 1 && ARow == 1)
                AEditor = kind;
        };
        // The application fills the list editors before they open.
        grid->OnGetEditorProp = [this](TObject*, Integer, Integer, TEditLink*) {
            const char* const items[] = {"Alpha", "Beta"};
            switch (kind) {
            case edUnitEditBtn:
            case edNumericUnitEditBtn:
            case edFloatUnitEditBtn:
                grid->BtnUnitEdit()->Units()->Clear();
                grid->BtnUnitEdit()->Units()->Add(QStringLiteral("kW"));
                grid->BtnUnitEdit()->Units()->Add(QStringLiteral("W"));
                break;
            case edDetailDropDown:
                if (grid->DetailPickerDropDown()->Items()->Count() == 0)
                    for (const char* t : items)
                        grid->DetailPickerDropDown()->Items()->Add()->SetCaption(QString::fromLatin1(t));
                break;
            case edGridDropDown:
                FillItems(grid->GridDropDown()->Columns(), grid->GridDropDown()->Items());
                break;
            case edExGridDropDown:
                FillItems(grid->ExGridDropDown()->Columns(), grid->ExGridDropDown()->Items());
                break;
            case edComboEdit:
            case edComboList:
                grid->ClearComboString();
                for (const char* t : items)
                    grid->AddComboString(QString::fromLatin1(t));
                break;
            default: break;
            }
        };
        grid->OnGetEditMask = [this](TObject*, Integer, Integer, QString& Value) {
            if (kind == edMaskEditBtn)
                Value = QStringLiteral("000;1;_");
        };
        link = new TestEditLink(form);
        link->SetWantKeyHomeEnd(true);
        grid->SetEditLink(link);
        form->Show();
        TestInput::ActivateWindow(grid);
        grid->SetFocus();
        grid->SetCol(1);
        grid->SetRow(1);
    }
    void TearDown() override { delete form; }
    template <class TColumns, class TItems>
    static void FillItems(TColumns* Columns, TItems* Items)
    {
        if (Items->Count() > 0)
            return;
        Columns->Add();
        for (const char* t : {"Alpha", "Beta"})
            Items->Add()->Text()->Add(QString::fromLatin1(t));
    }
    TPoint Center(Integer c, Integer r) const
    {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
    // The control the user types into now.
    TWinControl* Focused() const { return form->ActiveControl(); }
};

// How many colours a picture holds: a painted editor shows its text and frame.
int Colours(const QImage& Image)
{
    QSet<QRgb> seen;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            seen.insert(Image.pixel(x, y));
    return int(seen.size());
}

QString ShortDate(Word y, Word m, Word d)
{
    return FormatDateTime(FormatSettings().ShortDateFormat, EncodeDate(y, m, d));
}

// One editor kind: the cell's text before, the user's change in the open
// editor, and the text the commit stores.
struct KindCase {
    const char* name;
    TEditorType kind;
    QString start;
    std::function<void(SpecialEditors&)> edit;
    QString stored;
    // A typed character that opens the editor reaches it.
    bool takesStartChar = true;
    // The key that commits and leaves the cell where Enter does not; 0: a
    // click on another cell.
    Word leaveKey = VK_RETURN;
    // Tab with goTabs moves on to the next cell; Tab without it ends the
    // edit (a rich edit keeps its Tab, and ends when the grid is clicked).
    bool tabWalks = true;
    bool tabLeaves = true;
};

// Types after the text the editor opened with (it opens with all of it selected).
void TypeAfter(SpecialEditors& f, const QString& text)
{
    TestInput::PressKey(f.Focused(), VK_END);
    TestInput::TypeText(f.Focused(), text);
}
void Type(SpecialEditors& f, const QString& text) { TestInput::TypeText(f.Focused(), text); }
void Press(SpecialEditors& f, Word key) { TestInput::PressKey(f.Focused(), key); }

// The date one step up in the field the picker starts in (its format's first).
QString DateStepped()
{
    const QChar first = FormatSettings().ShortDateFormat.trimmed().toLower().front();
    return first == u'd' ? ShortDate(2024, 3, 10) : first == u'm' ? ShortDate(2024, 4, 9) : ShortDate(2025, 3, 9);
}

std::vector<KindCase> Cases()
{
    return {
        {"spin", edSpinEdit, "7", [](SpecialEditors& f) { Press(f, VK_PRIOR); }, "8"},
        {"float-spin", edFloatSpinEdit, "1.50",
         [](SpecialEditors& f) { TestInput::Click(f.grid->SpinEdit()->Button()->UpButton()); }, "1.60"},
        {"date-spin", edDateSpinEdit, ShortDate(2024, 3, 9),
         [](SpecialEditors& f) { TestInput::Click(f.grid->SpinEdit()->Button()->UpButton()); },
         ShortDate(2024, 3, 10)},
        {"edit-button", edEditBtn, "abc", [](SpecialEditors& f) { TypeAfter(f, "d"); }, "abcd"},
        {"numeric-edit-button", edNumericEditBtn, "12", [](SpecialEditors& f) { TypeAfter(f, "x3"); }, "123"},
        {"unit-edit", edUnitEditBtn, "5kW", [](SpecialEditors& f) { TypeAfter(f, "0"); }, "50kW"},
        // The push button and the check box leave the cell's text alone.
        {"button", edButton, "Press", [](SpecialEditors& f) { Press(f, VK_SPACE); }, "Press", false, VK_DOWN, false},
        {"check-box", edCheckBox, "caption", [](SpecialEditors& f) { Press(f, VK_SPACE); }, "caption", false,
         VK_RETURN, false},
        {"date", edDateEdit, ShortDate(2024, 3, 9),
         [](SpecialEditors& f) {
             for (int i = 0; i < 3; ++i)
                 Press(f, VK_LEFT);
             Press(f, VK_UP);
         },
         DateStepped()},
        {"rich-text", edRichEdit, "plain", [](SpecialEditors& f) { TypeAfter(f, "er"); }, "plainer", true, 0,
         true, false},
        {"trackbar", edTrackbarDropDown, "5", [](SpecialEditors& f) { Type(f, "7"); }, "7"},
        {"memo", edMemoDropDown, "note", [](SpecialEditors& f) { TypeAfter(f, "s"); }, "notes"},
        {"calculator", edCalculatorDropDown, "12", [](SpecialEditors& f) { Type(f, "42"); }, "42.00"},
        // The time spin steps the field the caret is in: the hour.
        {"time-spin", edTimeSpinEdit, "10:15:00",
         [](SpecialEditors& f) { TestInput::Click(f.grid->SpinEdit()->Button()->UpButton()); }, "11:15:00"},
        {"float-edit-button", edFloatEditBtn, "1.5", [](SpecialEditors& f) { TypeAfter(f, "x5"); }, "1.55"},
        {"mask-edit-button", edMaskEditBtn, "123", [](SpecialEditors& f) { Type(f, "456"); }, "456"},
        {"numeric-unit-edit", edNumericUnitEditBtn, "5kW", [](SpecialEditors& f) { TypeAfter(f, "x0"); }, "50kW"},
        {"float-unit-edit", edFloatUnitEditBtn, "1.5W", [](SpecialEditors& f) { TypeAfter(f, "5"); }, "1.55W"},
        {"date-up-down", edDateEditUpDown, ShortDate(2024, 3, 9),
         [](SpecialEditors& f) {
             for (int i = 0; i < 3; ++i)
                 Press(f, VK_LEFT);
             Press(f, VK_UP);
         },
         DateStepped()},
        {"time", edTimeEdit, FormatDateTime(FormatSettings().LongTimeFormat, EncodeTime(10, 15, 30, 0)),
         [](SpecialEditors& f) {
             for (int i = 0; i < 3; ++i)
                 Press(f, VK_LEFT);
             Press(f, VK_UP);
         },
         FormatDateTime(FormatSettings().LongTimeFormat, EncodeTime(11, 15, 30, 0)), false},
        {"date-and-time", edDateTimeEdit,
         FormatDateTime(FormatSettings().ShortDateFormat + " " + FormatSettings().ShortTimeFormat,
                        EncodeDate(2024, 3, 9) + EncodeTime(10, 15, 0, 0)),
         [](SpecialEditors& f) {
             for (int i = 0; i < 3; ++i)
                 Press(f, VK_LEFT);
             Press(f, VK_UP);
         },
         DateStepped() + " " + FormatDateTime(FormatSettings().ShortTimeFormat, EncodeTime(10, 15, 0, 0)), false,
         VK_RETURN, true, false},
        {"time-picker", edTimePickerDropDown, "10:15:00", [](SpecialEditors& f) { Type(f, "113000"); }, "11:30:00"},
        {"detail-picker", edDetailDropDown, "Alpha", [](SpecialEditors& f) { Type(f, "Beta"); }, "Beta"},
        {"grid-dropdown", edGridDropDown, "Alpha", [](SpecialEditors& f) { Type(f, "Beta"); }, "Beta"},
        {"list-grid-dropdown", edExGridDropDown, "Alpha", [](SpecialEditors& f) { Type(f, "Beta"); }, "Beta"},
        {"custom", edCustom, "linked", [](SpecialEditors& f) { TypeAfter(f, "!"); }, "linked!", true, VK_RETURN,
         false},
        {"combo-edit", edComboEdit, "Alpha", [](SpecialEditors& f) { TypeAfter(f, "s"); }, "Alphas"},
        // The wheel steps to the next item.
        {"combo-list", edComboList, "Alpha", [](SpecialEditors& f) { TestInput::Wheel(f.Focused(), -120); }, "Beta",
         false},
    };
}

// The text a cell of the kind shows: a rich-text cell's without its formats.
QString Shown(SpecialEditors& f, TEditorType kind)
{
    if (kind != edRichEdit)
        return f.grid->Cells(1, 1);
    f.grid->CellToRich(1, 1, f.grid->RichEdit());
    return f.grid->RichEdit()->Text();
}

} // namespace

// Every way in and out of every kind. The cell holds what the user
// committed, the pre-edit text after Escape, and the grid is out of edit
// mode after each.
TEST_F(SpecialEditors, EveryKindOpensEditsCommitsAndCancels)
{
    for (const KindCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        kind = c.kind;
        enum Open { byEnter, byClick, byTyping };
        enum Commit { withEnter, withTab, withTabsOption, withEscape };
        const std::pair<Open, Commit> rounds[] = {{byEnter, withTabsOption}, {byEnter, withEnter},
                                                  {byClick, withTab},        {byTyping, withEscape},
                                                  {byClick, withEscape}};
        for (auto [open, commit] : rounds) {
            SCOPED_TRACE(int(open) * 10 + int(commit));
            grid->SetOptions(commit == withTabsOption ? grid->Options() | goTabs : grid->Options() & ~goTabs);
            grid->SetCells(1, 1, c.start);
            grid->SetCells(2, 1, QString());
            grid->SetCol(1);
            grid->SetRow(1);
            grid->SetFocus();
            switch (open) {
            case byEnter: TestInput::PressKey(grid, VK_RETURN, {}, QStringLiteral("\r")); break;
            case byClick: TestInput::Click(grid, Center(1, 1)); break;
            case byTyping: TestInput::TypeText(grid, QStringLiteral("4")); break;
            }
            ASSERT_TRUE(grid->InEditMode());
            TWinControl* editor = Focused();
            ASSERT_NE(editor, nullptr);
            ASSERT_NE(editor, grid);
            EXPECT_TRUE(editor->Visible());
            if (open == byTyping) {
                if (c.takesStartChar) {
                    EXPECT_TRUE(editor->Text().contains(u'4') || grid->Cells(1, 1).contains(u'4')) << editor->Text().toStdString();
                }
                TestInput::PressKey(Focused(), VK_ESCAPE);
                EXPECT_FALSE(grid->InEditMode());
                EXPECT_EQ(grid->Cells(1, 1), c.start);
                EXPECT_TRUE(grid->Focused());
                continue;
            }
            c.edit(*this);
            if (open == byEnter && commit == withEnter) {
                // The editor lies over its cell and paints there.
                const TRect cell = grid->CellRect(1, 1);
                const TPoint at = editor->Parent() == grid ? TPoint{editor->Left(), editor->Top()}
                                                            : grid->ScreenToClient(editor->ClientToScreen({0, 0}));
                EXPECT_LE(std::abs(at.X - cell.Left), 2);
                EXPECT_LE(std::abs(at.Y - cell.Top), 2);
                EXPECT_GT(Colours(GrabControl(editor)), 2);
                EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form),
                                                         QStringLiteral("TExStringGrid-editor-%1").arg(QLatin1String(c.name)))
                                 .isEmpty());
            }
            switch (commit) {
            case withEnter:
                if (c.leaveKey != 0)
                    TestInput::PressKey(Focused(), c.leaveKey);
                else
                    TestInput::Click(grid, Center(2, 2));
                break;
            case withTab:
                if (c.tabLeaves)
                    TestInput::PressKey(Focused(), VK_TAB);
                else
                    TestInput::Click(grid, Center(2, 2));
                break;
            case withTabsOption: TestInput::PressKey(Focused(), VK_TAB); break;
            case withEscape: TestInput::PressKey(Focused(), VK_ESCAPE); break;
            }
            QCoreApplication::processEvents();
            EXPECT_FALSE(editor->Visible());
            // Escape leaves the text the cell had before, word for word.
            EXPECT_EQ(Shown(*this, c.kind), commit == withEscape ? c.start : c.stored);
            if (commit == withTabsOption && c.tabWalks) {
                // On to the next cell, whose own editor opens there.
                EXPECT_EQ(grid->Col(), 2);
                grid->HideInplaceEdit();
            }
            EXPECT_FALSE(grid->InEditMode());
        }
    }
}

// Kinds that open no editor leave the grid out of edit mode, whatever
// started the edit, so that the next key or click starts afresh.
TEST_F(SpecialEditors, KindsWithoutAnEditorNeverLeaveEditModeSet)
{
    const std::pair<const char*, TEditorType> kinds[] = {
        {"data-check-box", edDataCheckBox},
        {"none", edNone},
        {"custom-without-link", edCustom},
        {"unknown", static_cast<TEditorType>(99)},
    };
    for (auto [name, k] : kinds) {
        SCOPED_TRACE(name);
        kind = k;
        if (k == edCustom)
            grid->SetEditLink(nullptr);
        grid->SetCells(1, 1, QStringLiteral("kept"));
        TestInput::PressKey(grid, VK_RETURN, {}, QStringLiteral("\r"));
        EXPECT_FALSE(grid->InEditMode());
        TestInput::TypeText(grid, QStringLiteral("x"));
        EXPECT_FALSE(grid->InEditMode());
        EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("kept"));
        // (A click flips a data check box: no edit either.)
        TestInput::Click(grid, Center(1, 1));
        EXPECT_FALSE(grid->InEditMode());
        EXPECT_EQ(Focused(), grid);
        // The grid still edits: the text cell beside it opens its editor.
        grid->SetCol(2);
        TestInput::PressKey(grid, VK_RETURN, {}, QStringLiteral("\r"));
        EXPECT_TRUE(grid->InEditMode());
        ASSERT_NE(grid->GetNormalEdit(), nullptr);
        EXPECT_TRUE(grid->GetNormalEdit()->Visible());
        TestInput::PressKey(grid->GetNormalEdit(), VK_ESCAPE);
        EXPECT_FALSE(grid->InEditMode());
        grid->SetCol(1);
    }
}

// With DirectComboDrop a dropdown cell opens with its list already down.
TEST_F(SpecialEditors, DropdownCellOpensWithItsListDown)
{
    grid->MouseActions()->SetDirectComboDrop(true);
    const std::pair<const char*, TEditorType> kinds[] = {{"calculator", edCalculatorDropDown}, {"memo", edMemoDropDown}};
    for (auto [name, k] : kinds) {
        SCOPED_TRACE(name);
        kind = k;
        grid->SetCells(1, 1, QStringLiteral("12"));
        TestInput::PressKey(grid, VK_RETURN, {}, QStringLiteral("\r"));
        auto* dd = dynamic_cast<TExCustomDropDown*>(grid->EditCtrlNow());
        ASSERT_NE(dd, nullptr);
        EXPECT_TRUE(dd->DroppedDown());
        SaveOpenDropDown(form, dd, QStringLiteral("TExStringGrid-editor-%1-open").arg(QLatin1String(name)));
        dd->HideDropDown(true);
        TestInput::PressKey(Focused(), VK_ESCAPE);
        EXPECT_FALSE(grid->InEditMode());
        EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("12"));
    }
}

// A rich-text cell shows its formatted text, never its source, and the
// cell and a rich edit convert into each other without loss.
TEST_F(SpecialEditors, RichTextCellPaintsItsFormattedText)
{
    const QString source = QStringLiteral(
        R"({\rtf1{\fonttbl{\f0 DejaVu Sans;}}{\colortbl;\red255\green0\blue0;}\f0\fs20\cf1\b Hi\b0\cf0  x})");
    grid->SetCells(1, 2, source);
    grid->SetCells(2, 2, source.mid(1, 16));  // the source's start as plain text, for comparison
    const QImage shot = GrabControl(grid);
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExStringGrid-rich-text-cell")).isEmpty());
    // Ink of a cell: the red pixels, and how far right anything dark reaches.
    auto ink = [&](Integer c, Integer r, int& red, int& right) {
        const TRect rc = grid->CellRect(c, r);
        red = 0;
        right = -1;
        for (int y = rc.Top + 2; y < rc.Bottom - 2; ++y)
            for (int x = rc.Left + 1; x < rc.Right - 2; ++x) {
                const QColor px = QColor::fromRgb(shot.pixel(x, y));
                if (px.red() > 180 && px.green() < 90 && px.blue() < 90)
                    ++red;
                if (px.lightness() < 160)
                    right = std::max(right, x - rc.Left);
            }
    };
    int red = 0, right = 0;
    ink(1, 2, red, right);
    EXPECT_GT(red, 10);     // "Hi" in red
    EXPECT_LT(right, 60);   // "Hi x", not the long source
    int srcRed = 0, srcRight = 0;
    ink(2, 2, srcRed, srcRight);
    EXPECT_EQ(srcRed, 0);
    EXPECT_GT(srcRight, right);

    // Cell to rich edit to cell: the same text and formats.
    TRichEdit* rich = grid->RichEdit();
    grid->CellToRich(1, 2, rich);
    EXPECT_EQ(rich->Text(), QStringLiteral("Hi x"));
    grid->RichToCell(1, 3, rich);
    EXPECT_TRUE(grid->Cells(1, 3).startsWith(QStringLiteral("{\\rtf1")));
    EXPECT_EQ(grid->RichToString(rich), grid->Cells(1, 3));
    TRichEdit* again = grid->InplaceRichEdit();
    grid->CellToRich(1, 3, again);
    EXPECT_EQ(again->Text(), QStringLiteral("Hi x"));
    again->SetSelStart(0);
    again->SetSelLength(2);
    EXPECT_TRUE(again->SelAttributes()->Style().Contains(fsBold));
    EXPECT_EQ(again->SelAttributes()->Color(), TColor(0x0000FF));
    // An empty cell clears the edit.
    grid->CellToRich(3, 3, again);
    EXPECT_TRUE(again->Text().isEmpty());
}

// The colour and image pickers store their choice in the cell's looks: the
// user opens the list, steps to a neighbouring entry and takes it with Enter;
// Escape leaves the cell as it was.
TEST_F(SpecialEditors, PickerCellsTakeTheChosenColourAndImage)
{
    TImageList images(16, 16);
    for (TColor c : {clRed, clLime, clBlue}) {
        TBitmap b(16, 16);
        b.Canvas()->Brush()->SetColor(c);
        b.Canvas()->FillRect(TRect(0, 0, 16, 16));
        images.Add(&b, nullptr);
    }
    grid->SetGridImages(&images);
    TColor chosenColour = clNone;
    QString chosenText;
    grid->OnColorSelected = [&](TObject*, Integer, Integer, TColor& Color, QString& Text) {
        chosenColour = Color;
        chosenText = Text;
    };
    auto pick = [&](TEditorType k, Word step) {
        kind = k;
        grid->SetCol(1);
        grid->SetRow(1);
        TestInput::PressKey(grid, VK_RETURN, {}, QStringLiteral("\r"));
        auto* dd = dynamic_cast<TExCustomDropDown*>(grid->EditCtrlNow());
        EXPECT_NE(dd, nullptr);
        if (dd == nullptr)
            return;
        TestInput::PressKey(dd, VK_DOWN, ssAlt);
        EXPECT_TRUE(dd->DroppedDown());
        SaveOpenDropDown(form, dd,
                         QStringLiteral("TExStringGrid-editor-%1-open").arg(k == edColorPickerDropDown ? "colour" : "image"));
        TestInput::PressKey(Focused(), step);
        TestInput::PressKey(Focused(), VK_RETURN);
        if (dd->DroppedDown())  // the list took Enter as its choice; the cell's Enter commits
            TestInput::PressKey(Focused(), VK_RETURN);
        QCoreApplication::processEvents();
        EXPECT_FALSE(grid->InEditMode());
    };

    grid->SetColors(1, 1, clWhite);
    grid->SetCells(1, 1, QString());
    pick(edColorPickerDropDown, VK_UP);  // white is the list's last
    EXPECT_NE(chosenColour, clNone);
    EXPECT_NE(chosenColour, clWhite);
    EXPECT_EQ(grid->Colors(1, 1), chosenColour);
    EXPECT_FALSE(chosenText.isEmpty());
    EXPECT_EQ(grid->Cells(1, 1), chosenText);

    grid->SetCells(1, 1, QString());
    grid->AddImageIdx(1, 1, 0, haLeft, vaTop);
    pick(edImagePickerDropDown, VK_DOWN);
    Integer index = -1;
    ASSERT_TRUE(grid->GetImageIdx(1, 1, index));
    EXPECT_EQ(index, 1);

    // Escape: the image stays.
    TestInput::PressKey(grid, VK_RETURN, {}, QStringLiteral("\r"));
    TestInput::PressKey(Focused(), VK_ESCAPE);
    EXPECT_FALSE(grid->InEditMode());
    ASSERT_TRUE(grid->GetImageIdx(1, 1, index));
    EXPECT_EQ(index, 1);
    grid->SetGridImages(nullptr);
}

// What the editors tell the application while they are open.
TEST_F(SpecialEditors, EditorsRaiseTheirEvents)
{
    std::vector<QString> heard;
    grid->OnEllipsClick = [&](TObject*, Integer c, Integer r, QString& S) {
        heard.push_back(QStringLiteral("ellipsis %1,%2 %3").arg(c).arg(r).arg(S));
        S += u'!';
    };
    grid->OnButtonClick = [&](TObject*, Integer c, Integer r) { heard.push_back(QStringLiteral("button %1,%2").arg(c).arg(r)); };
    grid->OnSpinClick = [&](TObject*, Integer, Integer, Integer v, bool up) {
        heard.push_back(QStringLiteral("spin %1 %2").arg(v).arg(up ? "up" : "down"));
    };
    grid->OnDateTimeChange = [&](TObject*, Integer c, Integer r, TDateTime) {
        heard.push_back(QStringLiteral("date-time %1,%2").arg(c).arg(r));
    };
    auto open = [&](TEditorType k, const QString& text) {
        kind = k;
        grid->SetCells(1, 1, text);
        grid->SetCol(1);
        grid->SetRow(1);
        TestInput::PressKey(grid, VK_RETURN, {}, QStringLiteral("\r"));
        heard.clear();
        return grid->InEditMode();
    };

    // The push button: Space sends the caption through the ellipsis into the
    // cell; a click is the button's click.
    ASSERT_TRUE(open(edButton, QStringLiteral("Press")));
    TestInput::PressKey(Focused(), VK_SPACE, {}, QStringLiteral(" "));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("Press!"));
    TestInput::Click(grid->Btn());
    // (Space clicks the button too, as a push button does.)
    EXPECT_EQ(heard, (std::vector<QString>{"ellipsis 1,1 Press", "button 1,1", "ellipsis 1,1 Press!", "button 1,1"}));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("Press!!"));
    // Escape puts the text from before the edit back.
    TestInput::PressKey(Focused(), VK_ESCAPE);
    EXPECT_FALSE(grid->InEditMode());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("Press"));

    // The edit button's "...": the editor shows the answer; with
    // StopEditAfterClick the answer goes into the cell and the edit ends.
    ASSERT_TRUE(open(edEditBtn, QStringLiteral("abc")));
    TestInput::Click(grid->BtnEdit()->Button()->Button());
    EXPECT_EQ(grid->BtnEdit()->Text(), QStringLiteral("abc!"));
    EXPECT_TRUE(grid->InEditMode());
    grid->BtnEdit()->SetStopEditAfterClick(true);
    TestInput::Click(grid->BtnEdit()->Button()->Button());
    EXPECT_FALSE(grid->InEditMode());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("abc!!"));
    grid->BtnEdit()->SetStopEditAfterClick(false);

    // The spin's page and limit keys: a step past the maximum is not taken;
    // End goes to the minimum, Home to the maximum, each told.
    grid->OnGetEditorProp = [this](TObject*, Integer, Integer, TEditLink*) {
        grid->SpinEdit()->SetMaxValue(8);
        grid->SpinEdit()->SetIncrement(2);
    };
    ASSERT_TRUE(open(edSpinEdit, QStringLiteral("7")));
    TestInput::PressKey(Focused(), VK_PRIOR);
    EXPECT_EQ(grid->SpinEdit()->Value(), 7);
    TestInput::PressKey(Focused(), VK_END);
    EXPECT_EQ(grid->SpinEdit()->Value(), 0);
    TestInput::PressKey(Focused(), VK_HOME);
    EXPECT_EQ(grid->SpinEdit()->Value(), 8);
    EXPECT_EQ(heard, (std::vector<QString>{"spin 7 up", "spin 0 down", "spin 8 up"}));
    // Up leaves the cell upwards with the value, never steps it.
    grid->SetRow(1);
    TestInput::PressKey(Focused(), VK_UP);
    EXPECT_FALSE(grid->InEditMode());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("8"));
    grid->OnGetEditorProp = nullptr;

    // The date-and-time picker tells each change of its time. Escape
    // cancels the whole edit: the cell keeps its date and its time.
    const TDateTime start = EncodeDate(2024, 3, 9) + EncodeTime(10, 15, 0, 0);
    const QString dt = FormatSettings().ShortDateFormat + " " + FormatSettings().ShortTimeFormat;
    ASSERT_TRUE(open(edDateTimeEdit, FormatDateTime(dt, start)));
    TestInput::PressKey(Focused(), VK_UP);   // the date's first field
    TestInput::PressKey(Focused(), VK_TAB);  // on to the time
    TestInput::PressKey(Focused(), VK_UP);
    EXPECT_NE(grid->DateAndTimePicker()->DateTime(), start);
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.back(), QStringLiteral("date-time 1,1"));
    TestInput::PressKey(Focused(), VK_ESCAPE);
    EXPECT_FALSE(grid->InEditMode());
    EXPECT_EQ(grid->Cells(1, 1), FormatDateTime(dt, start));
}

// A header cell edited in place: OnCellValidate may refuse the text (the
// editor stays on the header cell) or change it (the changed text is kept).
TEST_F(SpecialEditors, HeaderCellEditValidatesBeforeItStores)
{
    grid->MouseActions()->SetFixedRowsEdit(fceLeftClick);
    bool refuse = true;
    grid->OnCellValidate = [&](TObject*, Integer, Integer, QString& Value, bool& Valid) {
        Valid = !refuse;
        Value = Value.toUpper();
    };
    TestInput::Click(grid, Center(1, 0));
    TGridTransEdit* ed = grid->FixedCellEdit();
    ASSERT_TRUE(ed->Visible());
    EXPECT_EQ(ed->Text(), QStringLiteral("Value"));
    ed->SelectAll();
    TestInput::TypeText(ed, QStringLiteral("Flow"));
    EXPECT_FALSE(ed->StopEdit());
    EXPECT_TRUE(ed->Visible());
    EXPECT_EQ(grid->Cells(1, 0), QStringLiteral("Value"));
    refuse = false;
    EXPECT_TRUE(ed->StopEdit());
    EXPECT_FALSE(ed->Visible());
    EXPECT_EQ(grid->Cells(1, 0), QStringLiteral("FLOW"));
}

// The cell grows with what is typed into it: the column with the text's
// width, the row with the lines a wrapped text or a rich text takes.
TEST_F(SpecialEditors, CellGrowsWhileTyping)
{
    std::vector<Integer> rowsSized;
    grid->OnEndRowSize = [&](TObject*, Integer ARow) { rowsSized.push_back(ARow); };
    grid->SizeWhileTyping()->SetWidth(true);
    kind = edNormal;
    grid->SetCol(2);
    const Integer width = grid->ColWidths(2);
    TestInput::PressKey(grid, VK_RETURN, {}, QStringLiteral("\r"));
    TestInput::TypeText(grid->GetNormalEdit(), QStringLiteral("a text far wider than the column it is typed in"));
    EXPECT_GT(grid->ColWidths(2), width + 100);
    TestInput::PressKey(grid->GetNormalEdit(), VK_ESCAPE);
    grid->SizeWhileTyping()->SetWidth(false);
    grid->SetColWidths(2, width);

    // A rich-text cell: a second line raises the row.
    grid->SizeWhileTyping()->SetHeight(true);
    kind = edRichEdit;
    grid->SetCol(1);
    grid->SetCells(1, 1, QStringLiteral("one"));
    const Integer height = grid->RowHeights(1);
    TestInput::PressKey(grid, VK_RETURN, {}, QStringLiteral("\r"));
    TestInput::PressKey(Focused(), VK_END);
    TestInput::PressKey(Focused(), VK_RETURN, {}, QStringLiteral("\r"));
    TestInput::TypeText(Focused(), QStringLiteral("two"));
    EXPECT_GT(grid->RowHeights(1), height);
    EXPECT_FALSE(rowsSized.empty());
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExStringGrid-editor-rich-text-grown")).isEmpty());
    TestInput::Click(grid, Center(2, 2));
    EXPECT_FALSE(grid->InEditMode());
    grid->CellToRich(1, 1, grid->RichEdit());
    EXPECT_EQ(grid->RichEdit()->Text(), QStringLiteral("one\r\ntwo"));
}

// Escape leaves the cell's text word for word, also a text the editor
// cannot hold as it stands (it shows it in its own form meanwhile).
TEST_F(SpecialEditors, EscapeKeepsTextTheEditorCannotHold)
{
    const std::tuple<const char*, TEditorType, const char*> cases[] = {
        {"mask-edit-button", edMaskEditBtn, "12"},
        {"numeric-edit-button", edNumericEditBtn, "1 2 x"},
        {"unit-edit", edUnitEditBtn, "5 kW"},
        {"unit-edit-no-unit", edUnitEditBtn, "seven"},
        {"combo-edit", edComboEdit, "Gamma"},
        {"combo-list", edComboList, "Gamma"},
        {"edit-button-html", edEditBtn, "<b>bold</b>"},
        {"combo-html", edComboEdit, "<i>Alpha</i>"},
    };
    for (auto [name, k, text] : cases) {
        SCOPED_TRACE(name);
        kind = k;
        grid->SetCells(1, 1, QString::fromLatin1(text));
        TestInput::PressKey(grid, VK_RETURN, {}, QStringLiteral("\r"));
        ASSERT_TRUE(grid->InEditMode());
        TestInput::PressKey(Focused(), VK_ESCAPE);
        EXPECT_FALSE(grid->InEditMode());
        EXPECT_EQ(grid->Cells(1, 1), QString::fromLatin1(text));
    }
}

// A text edit ends when the focus leaves for another window of the
// program or for a window that is not the program's (another application):
// what was typed is in the cell, the editor is closed and the cell is
// selected again.
TEST_F(SpecialEditors, FocusLostToAnotherWindowEndsTheTextEdit)
{
    TForm other(nullptr);
    other.SetClientSize(120, 40);
    auto* otherEdit = new TEdit(&other);
    otherEdit->SetParent(&other);
    other.Show();
    QWidget foreign;
    foreign.resize(120, 40);
    foreign.show();
    std::vector<QString> selected;
    grid->OnSelectCell = [&](TObject*, Integer c, Integer r, bool&) { selected.push_back(QStringLiteral("%1,%2").arg(c).arg(r)); };
    kind = edNormal;
    for (bool ours : {true, false}) {
        SCOPED_TRACE(ours ? "to our window" : "to another program");
        grid->SetCells(1, 1, QStringLiteral("two"));
        TestInput::ActivateWindow(grid);
        grid->SetFocus();
        grid->SetCol(1);
        grid->SetRow(1);
        TestInput::PressKey(grid, VK_RETURN, {}, QStringLiteral("\r"));
        ASSERT_TRUE(grid->InEditMode());
        TWinControl* editor = Focused();
        ASSERT_EQ(editor, grid->GetNormalEdit());
        Type(*this, "one");
        selected.clear();
        if (ours) {
            TestInput::ActivateWindow(otherEdit);
            otherEdit->SetFocus();
        } else {
            foreign.activateWindow();
            foreign.setFocus();
        }
        QCoreApplication::processEvents();
        EXPECT_FALSE(grid->InEditMode());
        EXPECT_FALSE(editor->Visible());
        EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("one"));
        EXPECT_EQ(selected, std::vector<QString>{"1,1"});
        // Back in the grid, a key starts a new edit rather than typing
        // into the old one.
        TestInput::ActivateWindow(grid);
        grid->SetFocus();
        EXPECT_FALSE(grid->InEditMode());
    }
}

// The date picker moves on to the next field once a field is typed
// complete, but not past the last field of its format; the application
// hears of each change and of the calendar opening and closing.
TEST_F(SpecialEditors, DatePickerAdvancesFieldsAndTellsItsEvents)
{
    kind = edDateEdit;
    const std::tuple<const char*, const char*, std::vector<const char*>> formats[] = {
        {"day-first", "dd/MM/yyyy", {"12", "05", "2025"}},
        {"year-first", "yyyy-MM-dd", {"2025", "05", "12"}},
    };
    for (auto [name, format, fields] : formats) {
        SCOPED_TRACE(name);
        grid->SetCells(1, 1, ShortDate(2024, 3, 9));
        TestInput::PressKey(grid, VK_RETURN, {}, QStringLiteral("\r"));
        TGridDatePicker* dp = grid->DateTimePicker();
        ASSERT_TRUE(dp->Visible());
        dp->SetFormat(QString::fromLatin1(format));
        for (int i = 0; i < 3 && dp->FieldIndex() > 0; ++i)
            TestInput::PressKey(dp, VK_LEFT);
        ASSERT_EQ(dp->FieldIndex(), 0);
        // Typed at once, as fast as keys can come: each field moves on once.
        std::vector<Integer> at;
        for (const char* f : fields) {
            TestInput::TypeText(dp, QString::fromLatin1(f));
            QCoreApplication::processEvents();
            at.push_back(dp->FieldIndex());
        }
        EXPECT_EQ(at, (std::vector<Integer>{1, 2, 2}));
        EXPECT_EQ(dp->Date(), EncodeDate(2025, 5, 12));
        TestInput::PressKey(dp, VK_RETURN, {}, QStringLiteral("\r"));
        EXPECT_FALSE(grid->InEditMode());
        EXPECT_EQ(grid->Cells(1, 1), dp->Text());
        dp->SetFormat(QString());
    }

    std::vector<QString> heard;
    grid->OnEditChange = [&](TObject*, Integer c, Integer r, const QString& V) {
        heard.push_back(QStringLiteral("change %1,%2 %3").arg(c).arg(r).arg(V));
    };
    grid->OnDatePickerDropDown = [&](TObject*, Integer r, Integer c) { heard.push_back(QStringLiteral("drop %1,%2").arg(c).arg(r)); };
    grid->OnDatePickerCloseUp = [&](TObject*, Integer r, Integer c) { heard.push_back(QStringLiteral("close %1,%2").arg(c).arg(r)); };
    grid->SetCells(1, 1, ShortDate(2024, 3, 9));
    TestInput::PressKey(grid, VK_RETURN, {}, QStringLiteral("\r"));
    TGridDatePicker* dp = grid->DateTimePicker();
    TestInput::PressKey(dp, VK_UP);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0], QStringLiteral("change 1,1 %1").arg(DateToStr(dp->Date())));
    heard.clear();
    TestInput::PressKey(dp, VK_F4);
    EXPECT_TRUE(dp->DroppedDown());
    // The calendar's popup takes the focus; the edit goes on meanwhile.
    QCoreApplication::processEvents();
    EXPECT_TRUE(grid->InEditMode());
    dp->SetDroppedDown(false);
    EXPECT_EQ(heard, (std::vector<QString>{"drop 1,1", "close 1,1"}));
    EXPECT_TRUE(grid->InEditMode());
    // With DirectDateClose the calendar's closing ends the edit.
    grid->MouseActions()->SetDirectDateClose(true);
    TestInput::PressKey(dp, VK_F4);
    dp->SetDroppedDown(false);
    EXPECT_FALSE(grid->InEditMode());
    EXPECT_EQ(grid->Cells(1, 1), dp->Text());
}

// The search panel's edit: Enter and Ctrl+Enter are the panel's commands
// and never type a line into the edit.
TEST(RetEdit, EnterAndCtrlEnterAreCommands)
{
    TForm form(nullptr);
    auto* ed = new TRetEdit(&form);
    ed->SetParent(&form);
    form.Show();
    ed->SetFocus();
    std::vector<QString> heard;
    ed->OnReturn = [&](TObject*) { heard.push_back(QStringLiteral("return")); };
    ed->OnCtrlReturn = [&](TObject*) { heard.push_back(QStringLiteral("ctrl-return")); };
    TestInput::TypeText(ed, QStringLiteral("pump"));
    TestInput::PressKey(ed, VK_RETURN, {}, QStringLiteral("\r"));
    TestInput::PressKey(ed, VK_RETURN, ssCtrl, QStringLiteral("\n"));
    TestInput::TypeText(ed, QStringLiteral("s"));
    EXPECT_EQ(heard, (std::vector<QString>{"return", "ctrl-return"}));
    EXPECT_EQ(ed->Text(), QStringLiteral("pumps"));
}

// The application's own editor: a value the validation refuses opens the
// editor again on the same cell with the value the handler gave back; an
// accepted one goes into the cell and Enter moves on.
TEST_F(SpecialEditors, CustomEditorRetriesARefusedValue)
{
    kind = edCustom;
    grid->Navigation()->SetAdvanceOnEnter(true);
    grid->OnCellValidate = [](TObject*, Integer, Integer, QString& Value, bool& Valid) {
        Valid = Value.toInt() <= 100;
        if (!Valid)
            Value = QStringLiteral("100");
    };
    // Enter, and Tab (the link's control takes it with goTabs), leave the
    // cell; a refused value keeps the editor on it.
    for (Word key : {Word(VK_RETURN), Word(VK_TAB)}) {
        SCOPED_TRACE(key);
        grid->SetOptions(key == VK_TAB ? grid->Options() | goTabs : grid->Options() & ~goTabs);
        grid->SetCol(1);
        grid->SetRow(1);
        grid->SetCells(1, 1, QStringLiteral("42"));
        TestInput::PressKey(grid, VK_RETURN, {}, QStringLiteral("\r"));
        ASSERT_EQ(Focused(), link->FEdit);
        TypeAfter(*this, "0");
        TestInput::PressKey(link->FEdit, key, {}, key == VK_TAB ? QStringLiteral("\t") : QStringLiteral("\r"));
        QCoreApplication::processEvents();
        EXPECT_TRUE(grid->InEditMode());
        EXPECT_TRUE(link->FEdit->Visible());
        EXPECT_EQ(Focused(), link->FEdit);
        EXPECT_EQ(grid->Col(), 1);
        EXPECT_EQ(grid->Row(), 1);
        EXPECT_EQ(link->FEdit->Text(), QStringLiteral("100"));
        EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("100"));
        // Escape now still returns to the text from before the edit.
        TestInput::PressKey(link->FEdit, VK_ESCAPE);
        EXPECT_FALSE(grid->InEditMode());
        EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("42"));
    }

    // Refused, corrected, taken: Enter moves on.
    TestInput::PressKey(grid, VK_RETURN, {}, QStringLiteral("\r"));
    TypeAfter(*this, "00");
    TestInput::PressKey(link->FEdit, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_EQ(link->FEdit->Text(), QStringLiteral("100"));
    TestInput::PressKey(link->FEdit, VK_END);
    TestInput::PressKey(link->FEdit, VK_BACK);
    TestInput::PressKey(link->FEdit, VK_BACK);
    TestInput::PressKey(link->FEdit, VK_RETURN, {}, QStringLiteral("\r"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(grid->InEditMode());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("1"));
    EXPECT_EQ(grid->Col(), 2);
}

// A click on another cell ends a special editor's edit as the text editor's
// does: a value the validation refuses stays out of the cell and the edit
// goes on in the same cell; an accepted one is stored and the click moves on.
TEST_F(SpecialEditors, ClickAwayValidatesTheSpecialEditorsValue)
{
    grid->OnCellValidate = [](TObject*, Integer, Integer, QString& Value, bool& Valid) { Valid = Value.toInt() <= 50; };
    const auto retype = [](SpecialEditors& f) {
        Press(f, VK_END);
        for (int i = 0; i < 3; ++i)
            Press(f, VK_BACK);
        Type(f, "5");
    };
    struct {
        const char* name;
        TEditorType kind;
        std::function<void(SpecialEditors&)> refused, accepted;
        QString stored;
    } const kinds[] = {
        {"edit-button", edEditBtn, [](SpecialEditors& f) { TypeAfter(f, "0"); }, retype, "5"},
        // The spin's Home and End step to its bounds, 100 and 0.
        {"spin", edSpinEdit, [](SpecialEditors& f) { Press(f, VK_HOME); }, [](SpecialEditors& f) { Press(f, VK_END); },
         "0"},
        {"custom", edCustom, [](SpecialEditors& f) { TypeAfter(f, "0"); }, retype, "5"},
        {"combo-edit", edComboEdit, [](SpecialEditors& f) { TypeAfter(f, "0"); }, retype, "5"},
    };
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.name);
        kind = k.kind;
        grid->SetCells(1, 1, QStringLiteral("42"));
        grid->SetCells(2, 2, QString());
        grid->SetCol(1);
        grid->SetRow(1);
        grid->SetFocus();
        TestInput::PressKey(grid, VK_RETURN, {}, QStringLiteral("\r"));
        ASSERT_TRUE(grid->InEditMode());
        TWinControl* editor = Focused();
        ASSERT_NE(editor, grid);
        k.refused(*this);
        ASSERT_GT(editor->Text().toInt(), 50);

        TestInput::Click(grid, Center(2, 2));
        QCoreApplication::processEvents();
        EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("42"));
        EXPECT_EQ(grid->Col(), 1);
        EXPECT_EQ(grid->Row(), 1);
        EXPECT_TRUE(grid->InEditMode());
        EXPECT_TRUE(editor->Visible());
        EXPECT_EQ(Focused(), editor);

        // A value the handler takes goes in, and the click then moves on.
        k.accepted(*this);
        TestInput::Click(grid, Center(2, 2));
        QCoreApplication::processEvents();
        EXPECT_EQ(grid->Cells(1, 1), k.stored);
        EXPECT_EQ(grid->Col(), 2);
        EXPECT_EQ(grid->Row(), 2);
        EXPECT_FALSE(editor->Visible());
        grid->HideInplaceEdit();
    }
}

// The editors of the special kinds are made when a cell first opens one,
// each once: a grid that never shows a kind carries no editor for it.
TEST_F(SpecialEditors, EditorsAreMadeOnFirstUseAndKeptForTheNext)
{
    auto count = [this](auto* sample) {
        using T = std::remove_pointer_t<decltype(sample)>;
        Integer n = 0;
        for (Integer i = 0; i < grid->ControlCount(); ++i)
            n += dynamic_cast<T*>(grid->Controls(i)) != nullptr ? 1 : 0;
        return n;
    };
    EXPECT_EQ(count(static_cast<TGridEditBtn*>(nullptr)), 0);
    EXPECT_EQ(count(static_cast<TGridUnitEditBtn*>(nullptr)), 0);
    EXPECT_EQ(count(static_cast<TGridButton*>(nullptr)), 0);
    EXPECT_EQ(count(static_cast<TGridTransEdit*>(nullptr)), 0);
    EXPECT_EQ(count(static_cast<TControlCombo*>(nullptr)), 0);
    kind = edEditBtn;
    TWinControl* first = nullptr;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        grid->SetCells(1, 1, QStringLiteral("abc"));
        TestInput::PressKey(grid, VK_RETURN, {}, QStringLiteral("\r"));
        ASSERT_TRUE(grid->InEditMode());
        EXPECT_EQ(count(static_cast<TGridEditBtn*>(nullptr)), 1);
        TWinControl* editor = Focused();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->Text(), QStringLiteral("abc"));
        if (first == nullptr)
            first = editor;
        EXPECT_EQ(editor, first);
        TestInput::PressKey(editor, VK_END);
        TestInput::TypeText(editor, QStringLiteral("d"));
        TestInput::PressKey(editor, VK_RETURN, {}, QStringLiteral("\r"));
        EXPECT_FALSE(grid->InEditMode());
        EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("abcd"));
    }
    // Only the kind that was opened was made.
    EXPECT_EQ(count(static_cast<TGridUnitEditBtn*>(nullptr)), 0);
    EXPECT_EQ(count(static_cast<TGridButton*>(nullptr)), 0);
}
