#pragma once
// What the rule-table windows of the S7, SNMP and MQTT sides share: a table
// described column by column (cell kind, list items, colour, file attribute
// and its default), the grid made from it, blank rows, reading and writing
// "row" elements, the row buttons on the shown table, the header hints and
// the error box. Each window keeps its own layout, checks and file.

#include <memory>
#include <span>
#include <vector>

#include "shell/DialogFrame.h"

class TExColumnGrid;
class TFxButton;
class TPageControl;
class TStringList;
class TTabSheet;
class TXMLDocument;
class TXMLNode;

enum class TCell_Kind { Text, Check, List, Edit_List };

// One column of a table from column 1 (real index = position + 1).
struct TTable_Column {
    // File attribute; nullptr where the column is not kept in the file.
    const char* Attribute;
    // The cell of a file row that lacks the attribute.
    const char* Missing;
    Integer Width;
    Integer Header;
    Integer Hint;
    TCell_Kind Kind = TCell_Kind::Text;
    // List items separated by "|"; "#n" is "0" to "n-1".
    const char* Items = nullptr;
    // Cell colour as 0xRRGGBB; 0 keeps the grid's colour.
    unsigned Color = 0;
    // Characters the editor takes; 0 no limit.
    Integer Max_Length = 0;
    // A file row without the attribute ends the reading.
    bool Required = false;
};

struct TTable_Spec {
    // Element holding the rows; nullptr: the rows sit in the root.
    const char* Element;
    std::span<const TTable_Column> Columns;
    Integer N_Header;
    // Real column whose blank cell (after trimming) ends the table.
    Integer Key_Col;
    // Data rows below the header.
    Integer Rows;
    // Blank rows get "Y" in column 1.
    bool Enable_Default = true;
};

class TTable_Window : public TStepDialog {
public:
    ~TTable_Window() override;

    // Row buttons, on the shown table at its current row.
    void Btn_DelRowClick(TObject* Sender);
    void Btn_InsRowClick(TObject* Sender);
    void Btn_CopyRowClick(TObject* Sender);
    void Btn_PasteRowClick(TObject* Sender);
    // Handlers of every table.
    void ClickCell(TObject* Sender, Integer ARow, Integer ACol);
    void DblClickCell(TObject* Sender, Integer ARow, Integer ACol);
    void GridHint(TObject* Sender, Integer ARow, Integer ACol, QString& HintStr);
    void KeyPress(TObject* Sender, QChar& Key);

    TFxButton* Btn_DelRow;
    TFxButton* Btn_InsRow;
    TFxButton* Btn_CopyRow;
    TFxButton* Btn_PasteRow;

    TXMLDocument* XML1() const { return FXML1.get(); }

protected:
    TTable_Window(TComponent* AOwner, const QString& Name, Integer ClientWidth, Integer ClientHeight);

    // One table of the window with its hint list and copy flag.
    struct TTable {
        TExColumnGrid* Grid;
        const TTable_Spec* Spec;
        TStringList* Hints;
        bool* Copied;
    };
    void Add_Table(TExColumnGrid* Grid, const TTable_Spec& Spec, TStringList* Hints, bool* Copied);
    // The table the row buttons work on.
    virtual TExColumnGrid* Shown_Grid() const = 0;
    // Text of the deletion question; Insert Row puts "Y" in column 1 when set.
    Integer Delete_Question = 0;
    bool Insert_Enabled = true;

    // A page control filling the window, and its pages.
    TPageControl* Make_Pages(const char* Name);
    TTabSheet* Make_Page(TPageControl* Pages, const char* Name);
    TExColumnGrid* Make_Grid(TWinControl* Parent, const TTable_Spec& Spec, const char* Name);
    // Column 0 the row number, column 1 "Y" where the spec asks, the rest blank.
    static void Blank_Rows(TExColumnGrid* Grid, const TTable_Spec& Spec);
    // The first row whose key cell is blank.
    static Integer Table_End(const TExColumnGrid* Grid, const TTable_Spec& Spec);
    // Fills rows from 1 with the element children of Parent, as many as the
    // table holds; a missing attribute gives its column's default, a column
    // not kept in the file gets its default. A row without a required
    // attribute ends the reading with an error box (the rows before it
    // stay); false then.
    bool Fill_Rows(TExColumnGrid* Grid, const TTable_Spec& Spec, const TXMLNode& Parent);
    // One "row" element per row up to the table's end.
    static void Write_Rows(TXMLNode Parent, const TExColumnGrid* Grid, const TTable_Spec& Spec);
    // The list items of a column become "0" to Count - 1.
    static void Fill_Positions(TExColumnGrid* Grid, Integer Col, Integer Count);
    // Headers and the hint list from the language list.
    static void Table_Lang(TExColumnGrid* Grid, const TTable_Spec& Spec, TStringList* Hints);
    // Loads File into XML1: false (after an error box) when it is not
    // well-formed, false quietly when it is missing.
    bool Load_File(const QString& File);
    // Rebuilds XML1 with its root and the version comment; returns the root.
    TXMLNode New_Document(const QString& Root, const QString& Version);
    // Saves XML1 and closes with OK; a failed save is shown and keeps the
    // window open.
    void Save_And_Close(const QString& File);
    void Error_Box(const QString& Text);
    // Error box "<row text><row><fault>"; returns false.
    bool Row_Fault(Integer Row_Text, Integer Row, const QString& Fault);
    // Captions and hints of OK, Cancel and the row buttons from First on.
    void Buttons_Lang(Integer First_Caption, Integer First_Hint);
    void Reset_Copies();

    std::vector<TTable> FTables;
    std::unique_ptr<TXMLDocument> FXML1;

private:
    const TTable* Find_Table(const TObject* Grid) const;
};

// Text n of the language list (empty beyond it).
QString Plant_Lang(Integer n);
// The integer reading of a cell; -1 when it is none.
Integer Cell_Int(const TExColumnGrid* Grid, Integer Col, Integer Row);
QString Cell_Trim(const TExColumnGrid* Grid, Integer Col, Integer Row);
