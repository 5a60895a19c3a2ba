#include "plant/TableWindow.h"

#include <QStringList>

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FileSystem.h"
#include "platform/PageControl.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "platform/XmlDocument.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

QString Plant_Lang(Integer n)
{
    return Language_Texts && n >= 0 && n < Language_Texts->Count() ? Language_Texts->Strings(n) : QString();
}

Integer Cell_Int(const TExColumnGrid* Grid, Integer Col, Integer Row)
{
    return Text_To_Int(Grid->GetCellEx(Col, Row), -1);
}

QString Cell_Trim(const TExColumnGrid* Grid, Integer Col, Integer Row)
{
    return Trim(Grid->GetCellEx(Col, Row));
}

namespace {

TFxButton* Make_Row_Button(TForm* Form, TWinControl* Parent, const char* Name, Integer Left)
{
    TFxButton* b = Make_Control<TFxButton>(Form, Parent, Name);
    b->SetBounds(Left, 7, 90, 30);
    b->SetShowHint(true);
    return b;
}

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

TTable_Window::TTable_Window(TComponent* AOwner, const QString& Name, Integer ClientWidth, Integer ClientHeight)
    : TStepDialog(AOwner, Name, ClientWidth, ClientHeight), FXML1(std::make_unique<TXMLDocument>())
{
    Label1->SetVisible(false);  // the frame's prompt line is not used here
    Btn_OK->SetModalResult(mrNone);
    Btn_DelRow = Make_Row_Button(this, P_Button, "Btn_DelRow", 8);
    Btn_InsRow = Make_Row_Button(this, P_Button, "Btn_InsRow", 106);
    Btn_CopyRow = Make_Row_Button(this, P_Button, "Btn_CopyRow", 204);
    Btn_PasteRow = Make_Row_Button(this, P_Button, "Btn_PasteRow", 302);
    Btn_DelRow->OnClick = [this](TObject* s) { Btn_DelRowClick(s); };
    Btn_InsRow->OnClick = [this](TObject* s) { Btn_InsRowClick(s); };
    Btn_CopyRow->OnClick = [this](TObject* s) { Btn_CopyRowClick(s); };
    Btn_PasteRow->OnClick = [this](TObject* s) { Btn_PasteRowClick(s); };
}

TTable_Window::~TTable_Window() = default;

void TTable_Window::Add_Table(TExColumnGrid* Grid, const TTable_Spec& Spec, TStringList* Hints, bool* Copied)
{
    FTables.push_back({Grid, &Spec, Hints, Copied});
}

TPageControl* TTable_Window::Make_Pages(const char* Name)
{
    TPageControl* pages = Make_Control<TPageControl>(this, this, Name);
    pages->SetAlign(alClient);
    return pages;
}

TTabSheet* TTable_Window::Make_Page(TPageControl* Pages, const char* Name)
{
    auto* page = new TTabSheet(this);
    page->SetName(QString::fromLatin1(Name));
    page->SetPageControl(Pages);
    return page;
}

TExColumnGrid* TTable_Window::Make_Grid(TWinControl* Parent, const TTable_Spec& Spec, const char* Name)
{
    TExColumnGrid* g = Make_Control<TExColumnGrid>(this, Parent, Name);
    g->SetAlign(alClient);
    g->SetColCount(Integer(Spec.Columns.size()) + 1);
    g->SetRowCount(Spec.Rows + 1);
    g->SetOptions(g->Options() | goEditing | goColSizing);
    g->SetShowHint(true);
    TGridColumnCollection* cols = g->Columns();
    cols->Items(0)->SetWidth(40);
    for (size_t i = 0; i < Spec.Columns.size(); ++i) {
        const TTable_Column& c = Spec.Columns[i];
        TGridColumnItem* item = cols->Items(Integer(i) + 1);
        item->SetWidth(c.Width);
        switch (c.Kind) {
        case TCell_Kind::Check:
            item->SetEditor(edDataCheckBox);
            item->SetCheckTrue(QStringLiteral("Y"));
            item->SetCheckFalse(QStringLiteral("N"));
            item->SetAlignment(taCenter);
            break;
        case TCell_Kind::List:
            item->SetEditor(edComboList);
            break;
        case TCell_Kind::Edit_List:
            item->SetEditor(edComboEdit);
            break;
        case TCell_Kind::Text:
            item->SetEditor(edNormal);
            break;
        }
        if (c.Items)
            Fill_Items(item, c.Items);
        if (c.Color)
            item->SetColor(TColor(((c.Color & 0xFF) << 16) | (c.Color & 0xFF00) | ((c.Color >> 16) & 0xFF)));
        if (c.Max_Length)
            item->SetEditLength(c.Max_Length);
    }
    g->OnDblClickCell = [this](TObject* s, Integer r, Integer c) { DblClickCell(s, r, c); };
    g->OnGridHint = [this](TObject* s, Integer r, Integer c, QString& h) { GridHint(s, r, c, h); };
    g->OnKeyPress = [this](TObject* s, QChar& k) { KeyPress(s, k); };
    return g;
}

void TTable_Window::Blank_Rows(TExColumnGrid* Grid, const TTable_Spec& Spec)
{
    const Integer columns = Grid->GetColCount() + Grid->NumHiddenColumns();
    for (Integer r = 1; r < Grid->GetRowCount(); ++r) {
        Grid->SetCellEx(0, r, QString::number(r));
        for (Integer c = 1; c < columns; ++c)
            Grid->SetCellEx(c, r, c == 1 && Spec.Enable_Default ? QStringLiteral("Y") : QString());
    }
}

Integer TTable_Window::Table_End(const TExColumnGrid* Grid, const TTable_Spec& Spec)
{
    Integer r = 1;
    while (r < Grid->GetRowCount() && !Cell_Trim(Grid, Spec.Key_Col, r).isEmpty())
        ++r;
    return r;
}

bool TTable_Window::Fill_Rows(TExColumnGrid* Grid, const TTable_Spec& Spec, const TXMLNode& Parent)
{
    // Rows beyond the table's size have no place and are left out; comments
    // between rows are no rows.
    Integer r = 1;
    for (TXMLNode n = Parent.FirstChild(); n && r < Grid->GetRowCount(); n = n.NextSibling()) {
        if (n.NodeType() != ntElement)
            continue;
        for (size_t i = 0; i < Spec.Columns.size(); ++i) {
            const TTable_Column& col = Spec.Columns[i];
            const QString name = QLatin1String(col.Attribute ? col.Attribute : "");
            if (col.Attribute && n.HasAttribute(name)) {
                Grid->SetCellEx(Integer(i) + 1, r, n.Attribute(name));
            } else if (col.Required) {
                Error_Box(QStringLiteral("Row %1 of %2: the attribute \"%3\" is missing")
                              .arg(r)
                              .arg(Parent.NodeName(), name));
                return false;
            } else {
                Grid->SetCellEx(Integer(i) + 1, r, QString::fromLatin1(col.Missing));
            }
        }
        ++r;
    }
    return true;
}

void TTable_Window::Write_Rows(TXMLNode Parent, const TExColumnGrid* Grid, const TTable_Spec& Spec)
{
    const Integer end = Table_End(Grid, Spec);
    for (Integer r = 1; r < end; ++r) {
        TXMLNode row = Parent.AddChild(QStringLiteral("row"));
        for (size_t i = 0; i < Spec.Columns.size(); ++i)
            if (Spec.Columns[i].Attribute)
                row.SetAttribute(QLatin1String(Spec.Columns[i].Attribute), Grid->GetCellEx(Integer(i) + 1, r));
    }
}

void TTable_Window::Fill_Positions(TExColumnGrid* Grid, Integer Col, Integer Count)
{
    TStringList list;
    for (Integer i = 0; i < Count; ++i)
        list.Add(QString::number(i));
    Grid->Columns()->Items(Col)->SetComboItems(&list);
}

void TTable_Window::Table_Lang(TExColumnGrid* Grid, const TTable_Spec& Spec, TStringList* Hints)
{
    TGridColumnCollection* cols = Grid->Columns();
    cols->Items(0)->SetHeader(Plant_Lang(Spec.N_Header));
    if (Hints)
        Hints->Clear();
    for (size_t i = 0; i < Spec.Columns.size(); ++i) {
        cols->Items(Integer(i) + 1)->SetHeader(Plant_Lang(Spec.Columns[i].Header));
        if (Hints)
            Hints->Add(Plant_Lang(Spec.Columns[i].Hint));
    }
}

bool TTable_Window::Load_File(const QString& File)
{
    if (!FileExists(File))
        return false;
    if (!FXML1->LoadFromFile(File)) {
        // The tables stay blank; the user learns why.
        Error_Box(FXML1->ErrorMessage());
        return false;
    }
    return true;
}

TXMLNode TTable_Window::New_Document(const QString& Root, const QString& Version)
{
    FXML1->Clear();
    FXML1->SetActive(true);
    TXMLNode root = FXML1->AddChild(Root);
    FXML1->AddComment(QStringLiteral("SW_VERSION = ") + Version);
    return root;
}

void TTable_Window::Save_And_Close(const QString& File)
{
    if (!FXML1->SaveToFile(File)) {
        // The window stays open with the user's rows; the old file is kept.
        Error_Box(FXML1->ErrorMessage());
        return;
    }
    SetModalResult(mrOk);
}

void TTable_Window::Error_Box(const QString& Text)
{
    Application->MessageBox(Text, Application->Title(), MB_OK | MB_ICONERROR);
}

bool TTable_Window::Row_Fault(Integer Row_Text, Integer Row, const QString& Fault)
{
    Error_Box(Plant_Lang(Row_Text) + QString::number(Row) + Fault);
    return false;
}

void TTable_Window::Buttons_Lang(Integer First_Caption, Integer First_Hint)
{
    TFxButton* const buttons[] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (Integer i = 0; i < 6; ++i) {
        buttons[i]->SetCaption(Plant_Lang(First_Caption + i));
        buttons[i]->SetHint(Plant_Lang(First_Hint + i));
    }
}

void TTable_Window::Reset_Copies()
{
    for (const TTable& t : FTables)
        *t.Copied = false;
}

const TTable_Window::TTable* TTable_Window::Find_Table(const TObject* Grid) const
{
    for (const TTable& t : FTables)
        if (t.Grid == Grid)
            return &t;
    return nullptr;
}

// ------------------------------------------------------------ row buttons

void TTable_Window::Btn_DelRowClick(TObject*)
{
    TExColumnGrid* g = Shown_Grid();
    const Integer r = g->GetRowEx();
    if (Application->MessageBox(Plant_Lang(Delete_Question) + QString::number(r), Application->Title(),
                                MB_YESNO | MB_ICONQUESTION) == IDYES)
        Grid_Delete_Row(r, g);
}

void TTable_Window::Btn_InsRowClick(TObject*)
{
    TExColumnGrid* g = Shown_Grid();
    Grid_Insert_Row(g->GetRowEx(), g, Insert_Enabled);
}

void TTable_Window::Btn_CopyRowClick(TObject*)
{
    TExColumnGrid* g = Shown_Grid();
    Grid_Copy_Row(g, g->GetRowEx());
    for (const TTable& t : FTables)
        *t.Copied = t.Grid == g;
}

void TTable_Window::Btn_PasteRowClick(TObject*)
{
    TExColumnGrid* g = Shown_Grid();
    const TTable* t = Find_Table(g);
    Grid_Paste_Row(g, g->GetRowEx(), t && *t->Copied);
}

// ------------------------------------------------------------ grid handlers

void TTable_Window::ClickCell(TObject* Sender, Integer ARow, Integer ACol)
{
    if (ACol == 0 && ARow >= 1)
        static_cast<TExColumnGrid*>(Sender)->SelectRows(ARow, 1);
}

void TTable_Window::DblClickCell(TObject* Sender, Integer ARow, Integer ACol)
{
    Grid_Auto_Size_Column(static_cast<TExColumnGrid*>(Sender), ARow, ACol);
}

void TTable_Window::KeyPress(TObject* Sender, QChar& Key)
{
    Grid_Enter_Next_Cell(static_cast<TExColumnGrid*>(Sender), Key);
}

void TTable_Window::GridHint(TObject* Sender, Integer ARow, Integer ACol, QString& HintStr)
{
    HintStr.clear();
    const TTable* t = Find_Table(Sender);
    if (!t || ARow != 0 || ACol < 0)
        return;
    const Integer entry = t->Grid->RealColIndex(ACol) - 1;
    if (t->Hints && entry >= 0 && entry < t->Hints->Count())
        HintStr = t->Hints->Strings(entry);
}
