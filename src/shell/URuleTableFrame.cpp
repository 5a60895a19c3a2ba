#include "shell/URuleTableFrame.h"

#include <stdexcept>

#include <QStringList>

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FileSystem.h"
#include "platform/PageControl.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "platform/XmlDocument.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

struct TRuleTableForm::TRuleGrid {
    const TRuleTable* Table;
    TRuleGridLook Look;
    TExColumnGrid* Grid;
    TTabSheet* Sheet;
    std::unique_ptr<TStringList> Hints;
    bool Own_Copied = false;
    bool* Copied = &Own_Copied;
};

namespace {

void Fill_Items(TGridColumnItem* Item, const char* Items)
{
    TStringList list;
    const QString text = QString::fromUtf8(Items);
    if (text.startsWith(QLatin1Char('#'))) {
        const Integer n = text.mid(1).toInt();
        for (Integer i = 0; i < n; ++i)
            list.Add(QString::number(i));
    } else {
        for (const QString& s : text.split(QLatin1Char('|')))
            list.Add(s);
    }
    Item->SetComboItems(&list);
}

} // namespace

TRuleTableForm::TRuleTableForm(TComponent* AOwner, const QString& Name, Integer Width, Integer Height,
                               const TRuleTexts& Texts, const TRuleFile& File)
    : TStepDialog(AOwner, Name, Width, Height), FTexts(Texts), FFile(File), FXML1(std::make_unique<TXMLDocument>())
{
    Label1->SetVisible(false);  // the frame's prompt line is not used here

    Btn_OK->SetModalResult(mrNone);
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    const struct {
        TFxButton** Button;
        const char* Name;
        const char16_t* Caption;
        void (TRuleTableForm::*Click)(TObject*);
    } row_buttons[] = {
        {&Btn_DelRow, "Btn_DelRow", u"Delete Row", &TRuleTableForm::Btn_DelRowClick},
        {&Btn_InsRow, "Btn_InsRow", u"Insert Row", &TRuleTableForm::Btn_InsRowClick},
        {&Btn_CopyRow, "Btn_CopyRow", u"Copy Row", &TRuleTableForm::Btn_CopyRowClick},
        {&Btn_PasteRow, "Btn_PasteRow", u"Paste Row", &TRuleTableForm::Btn_PasteRowClick},
    };
    Integer left = 8;
    for (const auto& b : row_buttons) {
        TFxButton* button = Make_Control<TFxButton>(this, P_Button, b.Name);
        button->SetBounds(left, 7, 90, 30);
        button->SetShowHint(true);
        button->SetCaption(QString::fromUtf16(b.Caption));
        button->OnClick = [this, click = b.Click](TObject* s) { (this->*click)(s); };
        *b.Button = button;
        left += 98;
    }
    Btn_OK->SetCaption(QStringLiteral("OK"));
    Btn_Cancel->SetCaption(QStringLiteral("Cancel"));

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TRuleTableForm::~TRuleTableForm() = default;

TExColumnGrid* TRuleTableForm::Add_Grid(const TRuleTable& Table, const TRuleGridLook& Look, const char* Grid_Name,
                                        Integer Rows, const char* Sheet_Name, bool* Copied)
{
    TWinControl* parent = this;
    TTabSheet* sheet = nullptr;
    if (Sheet_Name) {
        if (!PageControl1) {
            PageControl1 = Make_Control<TPageControl>(this, this, "PageControl1");
            PageControl1->SetAlign(alClient);
        }
        sheet = new TTabSheet(this);
        sheet->SetName(QString::fromLatin1(Sheet_Name));
        sheet->SetPageControl(PageControl1);
        parent = sheet;
    }
    TExColumnGrid* g = Make_Control<TExColumnGrid>(this, parent, Grid_Name);
    g->SetAlign(alClient);
    g->BeginLayout();  // the scroll range once, after every column is set
    g->SetColCount(Integer(Table.Columns.size()) + 1);
    g->SetRowCount(Rows + 1);
    g->SetOptions(g->Options() | goEditing | goColSizing);
    g->SetShowHint(Look.Header_Hints);
    TGridColumnCollection* cols = g->Columns();
    cols->BeginUpdate();  // one change notice for all the columns' settings
    cols->Items(0)->SetWidth(40);
    for (size_t i = 0; i < Table.Columns.size(); ++i) {
        const TRuleColumn& c = Table.Columns[i];
        TGridColumnItem* item = cols->Items(Integer(i) + 1);
        item->SetWidth(c.Width);
        item->SetAlignment(taLeftJustify);
        switch (c.Editor) {
        case reText:
            item->SetEditor(edNormal);
            break;
        case reCombo:
            item->SetEditor(edComboList);
            break;
        case reComboEdit:
            item->SetEditor(edComboEdit);
            break;
        case reCheck:
            item->SetEditor(edDataCheckBox);
            item->SetCheckTrue(QStringLiteral("Y"));
            item->SetCheckFalse(QStringLiteral("N"));
            item->SetAlignment(taCenter);
            break;
        }
        if (c.Items)
            Fill_Items(item, c.Items);
        if (c.Color)
            item->SetColor(TColor(((c.Color & 0xFF) << 16) | (c.Color & 0xFF00) | ((c.Color >> 16) & 0xFF)));
        if (c.Max_Length)
            item->SetEditLength(c.Max_Length);
    }
    cols->EndUpdate();
    g->EndLayout();
    g->OnClickCell = [this](TObject* s, Integer r, Integer c) { ClickCell(s, r, c); };
    g->OnDblClickCell = [this](TObject* s, Integer r, Integer c) { DblClickCell(s, r, c); };
    g->OnGridHint = [this](TObject* s, Integer r, Integer c, QString& h) { GridHint(s, r, c, h); };
    g->OnKeyPress = [this](TObject* s, QChar& k) { KeyPress(s, k); };

    auto entry = std::make_unique<TRuleGrid>();
    entry->Table = &Table;
    entry->Look = Look;
    entry->Grid = g;
    entry->Sheet = sheet;
    entry->Hints = std::make_unique<TStringList>();
    if (Copied)
        entry->Copied = Copied;
    FGrids.push_back(std::move(entry));
    return g;
}

TExColumnGrid* TRuleTableForm::Grid(Integer Index) const
{
    return FGrids[size_t(Index)]->Grid;
}

TTabSheet* TRuleTableForm::Sheet(Integer Index) const
{
    return FGrids[size_t(Index)]->Sheet;
}

TRuleTableForm::TRuleGrid* TRuleTableForm::Find(const TObject* Grid) const
{
    for (const auto& g : FGrids)
        if (g->Grid == Grid)
            return g.get();
    return nullptr;
}

TRuleTableForm::TRuleGrid& TRuleTableForm::Active() const
{
    if (PageControl1)
        for (const auto& g : FGrids)
            if (g->Sheet == PageControl1->ActivePage())
                return *g;
    return *FGrids.front();
}

TStringList* TRuleTableForm::Hint_List(const TExColumnGrid* Grid) const
{
    const TRuleGrid* g = Find(Grid);
    return g ? g->Hints.get() : nullptr;
}

bool TRuleTableForm::Copied(const TExColumnGrid* Grid) const
{
    const TRuleGrid* g = Find(Grid);
    return g && *g->Copied;
}

// ------------------------------------------------------------ creation, showing

void TRuleTableForm::FormCreate(TObject*)
{
    Frame_Create();
    if (PageControl1)
        PageControl1->SetActivePage(FGrids.front()->Sheet);
    Set_Lang();
}

void TRuleTableForm::FormShow(TObject*)
{
    Prepare_Show();
    Blank_Rows();
    if (PageControl1 && First_Tab_On_Show)
        PageControl1->SetActivePage(FGrids.front()->Sheet);
    Set_Limits();
    // A copy belongs to the show it was made in, also when loading stops.
    for (const auto& g : FGrids)
        *g->Copied = false;
    FLoad.Begin(*FFile.Path);
    const bool loaded = Load_File();
    if (!loaded)
        FLoad.Set_Failed();
    FLoad.Report_Left_Out();
    Show_Done();
    if (loaded && Focus_On_Show && Active().Grid->CanFocus())
        Active().Grid->SetFocus();
}

void TRuleTableForm::Blank_Rows()
{
    for (const auto& g : FGrids) {
        TExColumnGrid* grid = g->Grid;
        const Integer columns = grid->GetColCount() + grid->NumHiddenColumns();
        for (Integer r = 1; r < grid->GetRowCount(); ++r) {
            grid->SetCellEx(0, r, QString::number(r));
            for (Integer c = 1; c < columns; ++c)
                grid->SetCellEx(c, r, c == 1 && g->Table->Enable ? QStringLiteral("Y") : QString());
        }
    }
}

bool TRuleTableForm::Load_File()
{
    FStop_Loading = false;
    if (!FileExists(*FFile.Path))
        return true;
    if (!FXML1->LoadFromFile(*FFile.Path)) {
        // The tables stay blank; the user learns why.
        Error_Box(FXML1->ErrorMessage());
        return false;
    }
    const TXMLNode root = FXML1->Root();
    for (size_t i = 0; i < FGrids.size(); ++i) {
        const TRuleTable& t = *FGrids[i]->Table;
        // A table element the file lacks loads nothing.
        const TXMLNode table = t.Element ? root.FindChild(QLatin1String(t.Element)) : root;
        if (!Fill_Table(Integer(i), table))
            return false;
    }
    return true;
}

bool TRuleTableForm::Fill_Table(Integer Index, const TXMLNode& Table)
{
    const TRuleGrid& g = *FGrids[size_t(Index)];
    // Row elements fill the rows from 1 in order; rows beyond the grid are
    // left out, and the user is told. Comments between rows are no rules.
    Integer r = 1;
    TXMLNode n = Table.FirstChild();
    for (; n && r < g.Grid->GetRowCount(); n = n.NextSibling()) {
        if (n.NodeType() != ntElement)
            continue;
        for (size_t i = 0; i < g.Table->Columns.size(); ++i) {
            const TRuleColumn& col = g.Table->Columns[i];
            const QString name = QLatin1String(col.Attribute ? col.Attribute : "");
            const Integer c = Integer(i) + 1;
            if (col.Attribute && n.HasAttribute(name)) {
                g.Grid->SetCellEx(c, r, n.Attribute(name));
            } else if (col.Missing == rmDefault || !col.Attribute) {
                g.Grid->SetCellEx(c, r, QString::fromLatin1(col.Default));
            } else if (col.Missing == rmRequired) {
                // What was loaded so far stays; the window opens with it.
                Missing_Attribute(Table, r, name);
                return false;
            }
        }
        Row_Loaded(Index, n, r);
        if (FStop_Loading)
            return false;
        ++r;
    }
    FLoad.Left_Out(g.Sheet ? g.Sheet->Caption() : Caption(), Count_Elements_From(n), g.Grid->GetRowCount() - 1);
    return true;
}

void TRuleTableForm::Row_Loaded(Integer, const TXMLNode&, Integer) {}

void TRuleTableForm::Missing_Attribute(const TXMLNode&, Integer Row, const QString& Name)
{
    Application->HandleException(this, std::runtime_error(QStringLiteral("Attribute \"%1\" missing in row %2 of %3")
                                                              .arg(Name)
                                                              .arg(Row)
                                                              .arg(ExtractFileName(*FFile.Path))
                                                              .toStdString()));
}

// ------------------------------------------------------------ checks, OK

Integer TRuleTableForm::Table_End(Integer Index) const
{
    const TRuleGrid& g = *FGrids[size_t(Index)];
    Integer r = 1;
    while (r < g.Grid->GetRowCount() && !Trim(g.Grid->GetCellEx(g.Table->Key, r)).isEmpty())
        ++r;
    return r;
}

Integer TRuleTableForm::Empty_End(Integer Index, Integer Col) const
{
    const TExColumnGrid* g = Grid(Index);
    Integer r = 1;
    while (r < g->GetRowCount() && !g->GetCellEx(Col, r).isEmpty())
        ++r;
    return r;
}

bool TRuleTableForm::Row_Enabled(Integer Index, Integer Row, bool Upper) const
{
    const QString cell = Trim(Cell(Index, 1, Row));
    return (Upper ? UpperCase(cell) : cell) == QLatin1String("Y");
}

QString TRuleTableForm::Cell(Integer Index, Integer Col, Integer Row) const
{
    return Grid(Index)->GetCellEx(Col, Row);
}

QString TRuleTableForm::Cell_Trim(Integer Index, Integer Col, Integer Row) const
{
    return Trim(Cell(Index, Col, Row));
}

void TRuleTableForm::Number_Items(TExColumnGrid* Grid, Integer Col, Integer Count)
{
    TStringList list;
    for (Integer i = 0; i < Count; ++i)
        list.Add(QString::number(i));
    Grid->Columns()->Items(Col)->SetComboItems(&list);
}

Integer TRuleTableForm::Cell_Int(Integer Index, Integer Col, Integer Row) const
{
    return Text_To_Int(Cell(Index, Col, Row), -1);
}

void TRuleTableForm::Row_Error(Integer Row, const QString& Text)
{
    Error_Box(Lang_Text(FTexts.Row_Prefix) + QString::number(Row) + Text);
}

bool TRuleTableForm::Check_Range(Integer Index, Integer Row, Integer Col, Integer Lo, Integer Hi, Integer Text)
{
    const Integer v = Cell_Int(Index, Col, Row);
    if (v >= Lo && v <= Hi)
        return true;
    Row_Error(Row, Lang_Text(Text));
    return false;
}

void TRuleTableForm::Set_Combo_Items(TExColumnGrid* Grid, Integer Col, std::initializer_list<QString> Items)
{
    TStringList* list = Grid->Columns()->Items(Col)->ComboItems();
    list->Clear();
    for (const QString& item : Items)
        list->Add(item);
}

void TRuleTableForm::Error_Box(const QString& Text)
{
    Application->MessageBox(Text, Application->Title(), MB_OK | MB_ICONERROR);
}

Integer Rows_Lost_Below(const TExColumnGrid* Grid, Integer End, const std::function<bool(Integer)>& Kept)
{
    const Integer columns = Grid->GetColCount() + Grid->NumHiddenColumns();
    for (Integer r = End; r < Grid->GetRowCount(); ++r)
        for (Integer c = 1; c < columns; ++c)
            if (Kept(c) && !Trim(Grid->GetCellEx(c, r)).isEmpty())
                return End;
    return 0;
}

bool TRuleTableForm::Check_Blank_Rows()
{
    for (size_t i = 0; i < FGrids.size(); ++i) {
        const TRuleGrid& g = *FGrids[i];
        // Text the writer keeps; a check box alone is no typed row.
        const auto kept = [&](Integer c) {
            if (c > Integer(g.Table->Columns.size()))
                return false;
            const TRuleColumn& col = g.Table->Columns[size_t(c - 1)];
            return col.Attribute && col.Editor != reCheck;
        };
        if (const Integer row = Rows_Lost_Below(g.Grid, Write_End(Integer(i)), kept)) {
            if (PageControl1 && g.Sheet)
                PageControl1->SetActivePage(g.Sheet);
            const Integer prefix = FTexts.Row_Prefix >= 0 ? FTexts.Row_Prefix : 1110;
            Error_Box(Lang_Text(prefix) + QString::number(row) + Lang_Text(1108));
            return false;
        }
    }
    return true;
}

void TRuleTableForm::Btn_OKClick(TObject*)
{
    if (!Controllo_dati() || !Check_Blank_Rows() || !FLoad.Confirm_Replace())
        return;
    FXML1->Clear();
    FXML1->SetActive(true);
    TXMLNode root = FXML1->AddChild(QLatin1String(FFile.Root));
    FXML1->AddComment(QStringLiteral("SW_VERSION = ") + QLatin1String(FFile.Version));
    for (size_t i = 0; i < FGrids.size(); ++i)
        Write_Table(Integer(i), root);
    if (!FXML1->SaveToFile(*FFile.Path)) {
        // The window stays open with the user's rules; the old file is kept.
        Error_Box(FXML1->ErrorMessage());
        return;
    }
    SetModalResult(mrOk);
}

QString TRuleTableForm::File_Value(Integer Index, Integer Col, Integer Row) const
{
    return Cell(Index, Col, Row);
}

Integer TRuleTableForm::Write_End(Integer Index) const
{
    return Table_End(Index);
}

void TRuleTableForm::Write_Table(Integer Index, TXMLNode& Root)
{
    const TRuleTable& t = *FGrids[size_t(Index)]->Table;
    TXMLNode table = t.Element ? Root.AddChild(QLatin1String(t.Element)) : Root;
    const Integer end = Write_End(Index);
    for (Integer r = 1; r < end; ++r) {
        TXMLNode row = table.AddChild(Row_Element());
        for (size_t i = 0; i < t.Columns.size(); ++i)
            if (t.Columns[i].Attribute)
                row.SetAttribute(QLatin1String(t.Columns[i].Attribute), File_Value(Index, Integer(i) + 1, r));
        Row_Written(Index, row, r);
    }
}

// ------------------------------------------------------------ row buttons

void TRuleTableForm::Btn_DelRowClick(TObject*)
{
    TExColumnGrid* g = Active().Grid;
    const Integer r = g->GetRowEx();
    if (Application->MessageBox(Lang_Text(FTexts.Delete_Question) + QString::number(r), Application->Title(),
                                MB_YESNO | MB_ICONQUESTION) == IDYES)
        Grid_Delete_Row(r, g);
}

void TRuleTableForm::Btn_InsRowClick(TObject*)
{
    const TRuleGrid& g = Active();
    Grid_Insert_Row(g.Grid->GetRowEx(), g.Grid, g.Table->Enable);
}

void TRuleTableForm::Btn_CopyRowClick(TObject*)
{
    TRuleGrid& active = Active();
    Grid_Copy_Row(active.Grid, active.Grid->GetRowEx());
    for (const auto& g : FGrids)
        *g->Copied = g.get() == &active;
}

void TRuleTableForm::Btn_PasteRowClick(TObject*)
{
    const TRuleGrid& g = Active();
    Grid_Paste_Row(g.Grid, g.Grid->GetRowEx(), *g.Copied);
}

// ------------------------------------------------------------ grid handlers

void TRuleTableForm::ClickCell(TObject* Sender, Integer ARow, Integer ACol)
{
    const TRuleGrid* g = Find(Sender);
    if (g && g->Look.Click_Selects && ACol == 0 && ARow >= 1)
        g->Grid->SelectRows(ARow, 1);
}

void TRuleTableForm::DblClickCell(TObject* Sender, Integer ARow, Integer ACol)
{
    if (const TRuleGrid* g = Find(Sender))
        Grid_Auto_Size_Column(g->Grid, ARow, ACol);
}

void TRuleTableForm::KeyPress(TObject* Sender, QChar& Key)
{
    const TRuleGrid* g = Find(Sender);
    if (g && g->Look.Enter_Next)
        Grid_Enter_Next_Cell(g->Grid, Key);
}

void TRuleTableForm::GridHint(TObject* Sender, Integer ARow, Integer ACol, QString& HintStr)
{
    const TRuleGrid* g = Find(Sender);
    if (!g || !g->Look.Header_Hints)
        return;
    if (ARow != 0 || ACol < 1) {
        if (g->Look.Clear_Other_Hints)
            HintStr.clear();
        return;
    }
    const Integer entry = (g->Look.Real_Index_Hints ? g->Grid->RealColIndex(ACol) : ACol) - 1;
    HintStr = g->Hints && entry < g->Hints->Count() ? g->Hints->Strings(entry) : QString();
}

// ------------------------------------------------------------ texts

void TRuleTableForm::Set_Lang()
{
    SetCaption(Lang_Text(FTexts.Caption));
    L_SW_Desc->SetCaption(Lang_Text(FTexts.Desc));
    TFxButton* const buttons[] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (int i = 0; i < 6; ++i) {
        if (FTexts.Buttons[i] >= 0)
            buttons[i]->SetCaption(Lang_Text(FTexts.Buttons[i]));
        if (FTexts.Hints[i] >= 0)
            buttons[i]->SetHint(Lang_Text(FTexts.Hints[i]));
    }
    for (const auto& g : FGrids) {
        const TRuleTable& t = *g->Table;
        if (g->Sheet)
            g->Sheet->SetCaption(Lang_Text(t.Tab));
        TGridColumnCollection* cols = g->Grid->Columns();
        cols->BeginUpdate();  // the grid's header list brought up to date once
        cols->Items(0)->SetHeader(Lang_Text(t.N_Header));
        if (g->Hints)
            g->Hints->Clear();
        for (size_t i = 0; i < t.Columns.size(); ++i) {
            cols->Items(Integer(i) + 1)->SetHeader(Lang_Text(t.Columns[i].Header));
            if (g->Hints)
                g->Hints->Add(Lang_Text(t.Columns[i].Hint));
        }
        cols->EndUpdate();
    }
}
