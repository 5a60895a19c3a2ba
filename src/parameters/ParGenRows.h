#pragma once
// The general parameters window's controls, made where the form puts them:
// a label (or a check box) at the left of a row and its input controls at
// the right, one row every 28 pixels from the top of a panel down.

#include <initializer_list>

#include <QString>

#include "parameters/ParGenControls.h"
#include "platform/Types.h"

class TComponent;
class TWinControl;
class TFParGen;

TLabel* New_ParGen_Label(TComponent* Owner, TWinControl* Parent, Integer Top);
TEdit* New_ParGen_Edit(TComponent* Owner, TWinControl* Parent, Integer Top);
// A drop-down list of the given items.
TComboBox* New_ParGen_Combo(TComponent* Owner, TWinControl* Parent, Integer Top);
// A check box that forms a row spans the panel; one that heads a row of
// input controls is as wide as a label.
TCheckBox* New_ParGen_Check(TComponent* Owner, TWinControl* Parent, Integer Top, bool Heading);
// The four edits at the edits' top and the dots between them.
void New_ParGen_Octets(TComponent* Owner, TWinControl* Parent, Integer Top, TOctetRow& Row);

// Texts of a row (the numbering of the window's text blocks): the heading
// first, its caption and, for a check box, its hint; then the hint of each
// input control from left to right. Each takes the texts from First on.
void Row_Texts(TControl* Label, std::initializer_list<TControl*> Inputs, Integer First);
void Box_Texts(TCheckBox* Box, std::initializer_list<TControl*> Inputs, Integer First);
void Octet_Texts(TControl* Label, const TOctetRow& Row, Integer First);
void Box_Octet_Texts(TCheckBox* Box, const TOctetRow& Row, Integer First);
// A list whose items are texts: refilled with Count texts from First, item 0
// selected.
void Combo_Texts(TComboBox* Combo, Integer First, Integer Count);
// Text n of the language list (empty when there is none).
QString ParGen_Text(Integer Index);

// Builds one panel's rows from the top down, each at the form's place, with
// the window's change and click handlers; each call makes one row and moves
// on to the next.
class TParGenRows {
public:
    TParGenRows(TFParGen* Form, TWinControl* Panel);

    void Edit_Row(TLabel*& Label, TEdit*& Edit, const QString& Text = {});
    void Combo_Row(TLabel*& Label, TComboBox*& Combo, std::initializer_list<const char*> Items = {},
                   Integer Index = 0);
    void Check_Row(TCheckBox*& Box);
    // Address, mask or DNS row: a label and four edits.
    void Octet_Row(TLabel*& Label, TOctetRow& Row, const char* Address);
    // The same headed by a check box (gateway, DNS).
    void Octet_Row(TCheckBox*& Box, TOctetRow& Row, const char* Address);
    // A check box heading one edit or one list.
    void Check_Edit_Row(TCheckBox*& Box, TEdit*& Edit, const QString& Text = {});
    void Check_Combo_Row(TCheckBox*& Box, TComboBox*& Combo, std::initializer_list<const char*> Items,
                         Integer Index = 0);

private:
    TEdit* Edit(Integer Top, const QString& Text);
    TComboBox* Combo(Integer Top, std::initializer_list<const char*> Items, Integer Index);
    TCheckBox* Check(bool Heading);
    void Octets(Integer Top, TOctetRow& Row, const char* Address);

    TFParGen* FForm;
    TWinControl* FPanel;
    Integer FTop;
};
