#include "parameters/ParGenRows.h"

#include <QStringList>

#include "parameters/ParGenLayout.h"
#include "parameters/UParGen.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "shell/ULanguage.h"

namespace {

constexpr Integer First_Row_Top = 12;
constexpr Integer Control_Raise = 3;   // input controls sit this much above their label
constexpr Integer Heading_Raise = 2;   // and a little less beside a heading check box
constexpr Integer Full_Check_Width = 415;
constexpr Integer Label_Width = Row_Control_Left - Row_Label_Left - 4;

} // namespace

TLabel* New_ParGen_Label(TComponent* Owner, TWinControl* Parent, Integer Top)
{
    auto* l = new TLabel(Owner);
    l->SetParent(Parent);
    l->SetBounds(Row_Label_Left, Top, Label_Width, Label_Height);
    return l;
}

TEdit* New_ParGen_Edit(TComponent* Owner, TWinControl* Parent, Integer Top)
{
    auto* e = new TEdit(Owner);
    e->SetParent(Parent);
    e->SetBounds(Row_Control_Left, Top, Row_Control_Width, Edit_Height);
    e->SetShowHint(true);
    return e;
}

TComboBox* New_ParGen_Combo(TComponent* Owner, TWinControl* Parent, Integer Top)
{
    auto* c = new TComboBox(Owner);
    c->SetParent(Parent);
    c->SetStyle(csDropDownList);
    c->SetBounds(Row_Control_Left, Top, Row_Control_Width, Combo_Height);
    c->SetShowHint(true);
    return c;
}

TCheckBox* New_ParGen_Check(TComponent* Owner, TWinControl* Parent, Integer Top, bool Heading)
{
    auto* c = new TCheckBox(Owner);
    c->SetParent(Parent);
    c->SetBounds(Row_Label_Left, Top, Heading ? Label_Width : Full_Check_Width, Check_Height);
    c->SetShowHint(true);
    return c;
}

void New_ParGen_Octets(TComponent* Owner, TWinControl* Parent, Integer Top, TOctetRow& Row)
{
    for (size_t i = 0; i < 4; ++i) {
        TEdit* e = New_ParGen_Edit(Owner, Parent, Top);
        e->SetBounds(Octet_Left[i], Top, Octet_Width, Edit_Height);
        Row.Edit[i] = e;
    }
    for (size_t i = 0; i < 3; ++i) {
        auto* dot = new TLabel(Owner);
        dot->SetParent(Parent);
        dot->SetBounds(Octet_Dot_Left[i], Top + 3, 4, Label_Height);
        dot->SetCaption(QStringLiteral("."));
        Row.Dot[i] = dot;
    }
}

// ------------------------------------------------------------ texts

QString ParGen_Text(Integer Index)
{
    return Language_Texts && Index >= 0 && Index < Language_Texts->Count() ? Language_Texts->Strings(Index)
                                                                           : QString();
}

namespace {

void Hint_Texts(std::initializer_list<TControl*> Inputs, Integer First)
{
    for (TControl* c : Inputs)
        c->SetHint(ParGen_Text(First++));
}

} // namespace

void Row_Texts(TControl* Label, std::initializer_list<TControl*> Inputs, Integer First)
{
    Label->SetCaption(ParGen_Text(First));
    Hint_Texts(Inputs, First + 1);
}

void Box_Texts(TCheckBox* Box, std::initializer_list<TControl*> Inputs, Integer First)
{
    Box->SetCaption(ParGen_Text(First));
    Box->SetHint(ParGen_Text(First + 1));
    Hint_Texts(Inputs, First + 2);
}

void Octet_Texts(TControl* Label, const TOctetRow& Row, Integer First)
{
    Row_Texts(Label, {Row[0], Row[1], Row[2], Row[3]}, First);
}

void Box_Octet_Texts(TCheckBox* Box, const TOctetRow& Row, Integer First)
{
    Box_Texts(Box, {Row[0], Row[1], Row[2], Row[3]}, First);
}

void Combo_Texts(TComboBox* Combo, Integer First, Integer Count)
{
    Combo->Items()->Clear();
    for (Integer i = 0; i < Count; ++i)
        Combo->Items()->Add(ParGen_Text(First + i));
    Combo->SetItemIndex(0);
}

// ------------------------------------------------------------ TParGenRows

TParGenRows::TParGenRows(TFParGen* Form, TWinControl* Panel) : FForm(Form), FPanel(Panel), FTop(First_Row_Top) {}

TEdit* TParGenRows::Edit(Integer Top, const QString& Text)
{
    TEdit* e = New_ParGen_Edit(FForm, FPanel, Top);
    e->SetText(Text);
    e->OnChange = [f = FForm](TObject* s) { f->On_Change(s); };
    return e;
}

TComboBox* TParGenRows::Combo(Integer Top, std::initializer_list<const char*> Items, Integer Index)
{
    TComboBox* c = New_ParGen_Combo(FForm, FPanel, Top);
    for (const char* item : Items)
        c->Items()->Add(QString::fromUtf8(item));
    c->SetItemIndex(Index);
    c->OnChange = [f = FForm](TObject* s) { f->On_Change(s); };
    return c;
}

TCheckBox* TParGenRows::Check(bool Heading)
{
    TCheckBox* c = New_ParGen_Check(FForm, FPanel, FTop, Heading);
    c->OnClick = [f = FForm](TObject* s) { f->On_Click(s); };
    return c;
}

void TParGenRows::Octets(Integer Top, TOctetRow& Row, const char* Address)
{
    New_ParGen_Octets(FForm, FPanel, Top, Row);
    const QStringList parts = QString::fromLatin1(Address).split(QLatin1Char('.'));
    for (size_t i = 0; i < 4; ++i) {
        Row.Edit[i]->SetText(i < size_t(parts.size()) ? parts[qsizetype(i)] : QString());
        Row.Edit[i]->OnChange = [f = FForm](TObject* s) { f->On_Change(s); };
    }
}

void TParGenRows::Edit_Row(TLabel*& Label, TEdit*& Edit, const QString& Text)
{
    Label = New_ParGen_Label(FForm, FPanel, FTop);
    Edit = this->Edit(FTop - Control_Raise, Text);
    FTop += Row_Pitch;
}

void TParGenRows::Combo_Row(TLabel*& Label, TComboBox*& Combo, std::initializer_list<const char*> Items,
                            Integer Index)
{
    Label = New_ParGen_Label(FForm, FPanel, FTop);
    Combo = this->Combo(FTop - Control_Raise, Items, Index);
    FTop += Row_Pitch;
}

void TParGenRows::Check_Row(TCheckBox*& Box)
{
    Box = Check(false);
    FTop += Row_Pitch;
}

void TParGenRows::Octet_Row(TLabel*& Label, TOctetRow& Row, const char* Address)
{
    Label = New_ParGen_Label(FForm, FPanel, FTop);
    Octets(FTop - Control_Raise, Row, Address);
    FTop += Row_Pitch;
}

void TParGenRows::Octet_Row(TCheckBox*& Box, TOctetRow& Row, const char* Address)
{
    Box = Check(true);
    Octets(FTop - Heading_Raise, Row, Address);
    FTop += Row_Pitch;
}

void TParGenRows::Check_Edit_Row(TCheckBox*& Box, TEdit*& Edit, const QString& Text)
{
    Box = Check(true);
    Edit = this->Edit(FTop - Control_Raise, Text);
    FTop += Row_Pitch;
}

void TParGenRows::Check_Combo_Row(TCheckBox*& Box, TComboBox*& Combo, std::initializer_list<const char*> Items,
                                  Integer Index)
{
    Box = Check(true);
    Combo = this->Combo(FTop - Control_Raise, Items, Index);
    FTop += Row_Pitch;
}
