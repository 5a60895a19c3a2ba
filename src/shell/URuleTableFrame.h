#pragma once
// The frame of the rule-table windows: a title panel, one grid of
// rules or two grids on the tabs of a page control, six row buttons and the
// XML document that reads and writes the window's configuration file. Each
// window describes its tables (columns, attributes, defaults, texts) with the
// records below and adds its own check routine; the frame does the rest:
// texts, blank rows, loading, the row buttons, the grid events and writing
// the file on OK.

#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

#include "shell/ConfigFileGuard.h"
#include "shell/DialogFrame.h"

class TExColumnGrid;
class TFxButton;
class TPageControl;
class TStringList;
class TTabSheet;
class TXMLDocument;
class TXMLNode;

// reCombo offers a fixed list; reComboEdit also takes free text.
enum TRuleEditor { reText, reCheck, reCombo, reComboEdit };

// What the reader puts in a cell whose attribute a row element lacks.
enum TRuleMissing {
    rmRequired,  // loading stops with an error report
    rmDefault,   // the column's Default text
    rmKeep,      // the blank of the show stays
};

// One column of a table, real columns 1 .. n in order; the file's attributes
// follow the same order.
struct TRuleColumn {
    // nullptr: the column is not kept in the file and a loaded row gets its
    // Default.
    const char* Attribute;
    TRuleEditor Editor;
    Integer Width;
    Integer Header;  // language text of the header
    Integer Hint;    // language text of the header hint
    TRuleMissing Missing = rmRequired;
    const char* Default = "";
    // List items separated by "|"; "#n" is "0" to "n-1".
    const char* Items = nullptr;
    // Cell colour as 0xRRGGBB; 0 keeps the grid's colour.
    unsigned Color = 0;
    // Characters the editor takes; 0 no limit.
    Integer Max_Length = 0;
};

// One table: its file element (nullptr: the rows stand under the root), its
// columns and how its rows end.
struct TRuleTable {
    const char* Element;
    std::span<const TRuleColumn> Columns;
    Integer N_Header;  // language text of the header of column 0
    Integer Tab;       // language text of the tab caption, -1 without tabs
    Integer Key;       // a row whose key cell is blank ends the table
    bool Enable;       // column 1 is the "Y"/"N" Enable column
};

// A row whose key cell is blank ends a table for checking and writing.
// Every table window decides alike what OK does with rows below such a row:
// it refuses, naming the blank row, while that row or any row below it still
// holds text in a column the writer keeps (Kept(c) true), so that no typed
// row is dropped without a word. End is the first row the writer leaves out;
// the result is that row, or 0 when nothing would be lost. The refusal is
// the window's "Error row " text, the row and text 1108.
Integer Rows_Lost_Below(const TExColumnGrid* Grid, Integer End, const std::function<bool(Integer)>& Kept);

// How a table's grid answers the user.
struct TRuleGridLook {
    bool Header_Hints;       // header hints shown
    bool Real_Index_Hints;   // hint chosen by the real (not displayed) column
    bool Clear_Other_Hints;  // other cells get an empty hint (else the grid's own)
    bool Click_Selects;      // a click in column 0 selects the row
    bool Enter_Next;         // Enter moves to the next cell (with the option on)
};

// The window's own texts: caption, description, the six buttons' captions
// and hints (-1 keeps the built-in one), the delete question and the
// "Error row " that starts every check's message.
struct TRuleTexts {
    Integer Caption;
    Integer Desc;
    Integer Buttons[6];  // OK, Cancel, Delete Row, Insert Row, Copy Row, Paste Row
    Integer Hints[6];
    Integer Delete_Question;
    Integer Row_Prefix;
};

// The window's file: its path (a global that changes with the configuration),
// the root element's name and the version written after it.
struct TRuleFile {
    const QString* Path;
    const char* Root;
    const char* Version;
};

class TRuleTableForm : public TStepDialog {
public:
    ~TRuleTableForm() override;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    // Checks the rows of every table up to its end; shows the first fault
    // and returns false.
    virtual bool Controllo_dati() = 0;
    // Checks, writes the file and closes with the OK result.
    virtual void Btn_OKClick(TObject* Sender);
    // Row buttons: on the active tab's grid, at its current row.
    virtual void Btn_DelRowClick(TObject* Sender);
    virtual void Btn_InsRowClick(TObject* Sender);
    virtual void Btn_CopyRowClick(TObject* Sender);
    virtual void Btn_PasteRowClick(TObject* Sender);
    // Handlers of the grids.
    void ClickCell(TObject* Sender, Integer ARow, Integer ACol);
    void DblClickCell(TObject* Sender, Integer ARow, Integer ACol);
    void GridHint(TObject* Sender, Integer ARow, Integer ACol, QString& HintStr);
    void KeyPress(TObject* Sender, QChar& Key);
    virtual void Set_Lang();

    TFxButton* Btn_DelRow;
    TFxButton* Btn_InsRow;
    TFxButton* Btn_CopyRow;
    TFxButton* Btn_PasteRow;
    // Made with the first tab; none in one-grid windows.
    TPageControl* PageControl1 = nullptr;

    TXMLDocument* XML1() const { return FXML1.get(); }
    // The header hints of a grid, entry k for column k + 1.
    TStringList* Hint_List(const TExColumnGrid* Grid) const;
    // A row of that grid was copied during this show.
    bool Copied(const TExColumnGrid* Grid) const;

protected:
    TRuleTableForm(TComponent* AOwner, const QString& Name, Integer Width, Integer Height, const TRuleTexts& Texts,
                   const TRuleFile& File);

    // A grid of Rows rules for Table; on a new tab when Sheet_Name is given.
    // Its copy flag is kept in *Copied where given.
    TExColumnGrid* Add_Grid(const TRuleTable& Table, const TRuleGridLook& Look, const char* Grid_Name, Integer Rows,
                            const char* Sheet_Name = nullptr, bool* Copied = nullptr);
    TTabSheet* Sheet(Integer Index) const;

    // Steps of the show around the frame's own: before the blank rows, and
    // after them (limits and combo items).
    virtual void Prepare_Show() {}
    virtual void Set_Limits() {}
    // After a row element has filled grid row Row of table Index. Calling
    // Stop_Loading there ends the loading as a missing attribute does (the
    // row itself stays).
    virtual void Row_Loaded(Integer Index, const TXMLNode& Node, Integer Row);
    void Stop_Loading() { FStop_Loading = true; }
    // After loading, whether it went through or not.
    virtual void Show_Done() {}
    // After the writer has made the row element of grid row Row of table
    // Index, with its attributes (for what a row keeps beyond its cells).
    virtual void Row_Written(Integer Index, TXMLNode& Node, Integer Row) {}
    // A row element of Table lacks the required attribute Name: reports it
    // (by default as an error naming the row and the file).
    virtual void Missing_Attribute(const TXMLNode& Table, Integer Row, const QString& Name);
    // The text written for a cell (the cell's own by default).
    virtual QString File_Value(Integer Index, Integer Col, Integer Row) const;
    // The first row that the writer leaves out (the table's end by default).
    virtual Integer Write_End(Integer Index) const;
    // The name of the writer's row elements.
    virtual QString Row_Element() const { return QStringLiteral("row"); }
    // The grid takes the focus at the end of the show.
    bool Focus_On_Show = false;
    // Every show starts on the first tab (else the tab last shown stays).
    bool First_Tab_On_Show = true;

    // ---- helpers of the check routines
    // The first row whose key cell, trimmed, is blank.
    Integer Table_End(Integer Index) const;
    // The first row whose cell in column Col is empty, untrimmed (a blank is
    // text there).
    Integer Empty_End(Integer Index, Integer Col) const;
    // The row's Enable cell, trimmed (and upper-cased when Upper), is "Y".
    bool Row_Enabled(Integer Index, Integer Row, bool Upper) const;
    // A cell's number by the program's integer reading (untrimmed); -1 when
    // it is none.
    Integer Cell_Int(Integer Index, Integer Col, Integer Row) const;
    QString Cell(Integer Index, Integer Col, Integer Row) const;
    // The cell, trimmed.
    QString Cell_Trim(Integer Index, Integer Col, Integer Row) const;
    // The list items of a column become "0" to Count - 1.
    static void Number_Items(TExColumnGrid* Grid, Integer Col, Integer Count);
    // Shows "Error row " + the row + Text in an error box.
    void Row_Error(Integer Row, const QString& Text);
    // The cell's number in Lo .. Hi, else the error of text Text; false then.
    bool Check_Range(Integer Index, Integer Row, Integer Col, Integer Lo, Integer Hi, Integer Text);
    TExColumnGrid* Grid(Integer Index) const;
    // Shows Text in an error box.
    void Error_Box(const QString& Text);
    // What the last load of the window's file left behind.
    TConfig_File_Guard& Load_Guard() { return FLoad; }
    // The fixed items of a combo column.
    static void Set_Combo_Items(TExColumnGrid* Grid, Integer Col, std::initializer_list<QString> Items);

private:
    struct TRuleGrid;
    TRuleGrid* Find(const TObject* Grid) const;
    TRuleGrid& Active() const;
    void Blank_Rows();
    // Fills the grids from the file; false when a required attribute is
    // missing (reported).
    bool Load_File();
    bool Fill_Table(Integer Index, const TXMLNode& Table);
    // OK refuses, naming the row, while a blank row would drop typed rows.
    bool Check_Blank_Rows();
    void Write_Table(Integer Index, TXMLNode& Root);

    bool FStop_Loading = false;
    TRuleTexts FTexts;
    TRuleFile FFile;
    std::vector<std::unique_ptr<TRuleGrid>> FGrids;
    std::unique_ptr<TXMLDocument> FXML1;
    TConfig_File_Guard FLoad;
};
