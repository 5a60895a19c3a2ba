#include "mbus/UNewIDNode.h"
#include "mbus/UMeter_BusTexts.h"

#include "mbus/UMeter_Bus.h"

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "shell/TextChecks.h"
#include "shell/ULanguage.h"

TFNewIDNode* FNewIDNode = nullptr;

namespace {

constexpr Integer Row_Step = 26;
constexpr Integer Label_Left = 12;
constexpr Integer Edit_Left = 250;

using namespace mbus_editor;

// Shows text n in an error box.
} // namespace

TFNewIDNode::TFNewIDNode(TComponent* AOwner) : TStepDialog(AOwner, QStringLiteral("FNewIDNode"), 432, 536)
{
    Label1->SetVisible(false);

    Panel1 = Make<TPanel>(this, this, "Panel1");
    Panel1->SetAlign(alTop);
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetShowCaption(false);
    Panel1->SetParentColor(true);
    auto edit = [&](const char* Name) {
        auto* e = Make<TEdit>(this, Panel1, Name);
        e->SetBounds(Edit_Left, 0, 160, 21);
        return e;
    };
    auto label = [&](const char* Name) {
        auto* l = Make<TLabel>(this, Panel1, Name);
        l->SetAutoSize(false);
        l->SetBounds(Label_Left, 0, 230, 14);
        return l;
    };
    RB_ID_Primary = Make<TRadioButton>(this, Panel1, "RB_ID_Primary");
    RB_ID_Primary->SetBounds(Label_Left, 0, 230, 17);
    RB_ID_Primary->SetChecked(true);
    E_New_Node_ID_Pri = edit("E_New_Node_ID_Pri");
    RB_ID_Secondary = Make<TRadioButton>(this, Panel1, "RB_ID_Secondary");
    RB_ID_Secondary->SetBounds(Label_Left, 0, 230, 17);
    E_New_Node_ID_Sec = edit("E_New_Node_ID_Sec");
    L_wMBus_Add = label("L_wMBus_Add");
    E_wMBus_Add = edit("E_wMBus_Add");
    Label2 = label("Label2");
    E_MR_NodeState = edit("E_MR_NodeState");
    Label3 = label("Label3");
    E_MR_IdentNum = edit("E_MR_IdentNum");
    L_wMBus_RSSI = label("L_wMBus_RSSI");
    E_wMBus_RSSI = edit("E_wMBus_RSSI");
    E_wMBus_RSSI->SetText(QStringLiteral("1"));

    P_Var = Make<TPanel>(this, this, "P_Var");
    P_Var->SetAlign(alClient);
    P_Var->SetBevelOuter(bvNone);
    P_Var->SetShowCaption(false);
    P_Var->SetParentColor(true);
    Label4 = Make<TLabel>(this, P_Var, "Label4");
    Label4->SetBounds(Label_Left, 6, 400, 14);
    Label4->Font()->SetStyle(fsBold);
    ESG_MR_Var = Make<TExColumnGrid>(this, P_Var, "ESG_MR_Var");
    ESG_MR_Var->SetBounds(Label_Left, 26, 408, 200);
    ESG_MR_Var->SetColCount(3);
    ESG_MR_Var->SetRowCount(2);
    ESG_MR_Var->SetFixedCols(0);
    ESG_MR_Var->SetFixedRows(1);
    ESG_MR_Var->SetOptions(ESG_MR_Var->Options() | goEditing);
    const char* const heads[] = {"Desc. Reg.", "Index", "Description Variable"};
    const Integer widths[] = {130, 80, 176};
    for (Integer c = 0; c < 3; ++c) {
        TGridColumnItem* item = ESG_MR_Var->Columns()->Items(c);
        item->SetHeader(QString::fromLatin1(heads[c]));
        item->SetWidth(widths[c]);
        item->SetReadOnly(c != 1);
    }
    // The column the user types in stands out.
    ESG_MR_Var->Columns()->Items(1)->SetColor(RGB(255, 255, 204));

    Btn_OK->OnClick = [this](TObject* s) { FxButton2Click(s); };
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFNewIDNode::~TFNewIDNode()
{
    if (FNewIDNode == this)
        FNewIDNode = nullptr;
}

void TFNewIDNode::FormCreate(TObject*)
{
    Frame_Create();
    Set_Lang();
}

void TFNewIDNode::Set_Lang()
{
    SetCaption(Lang(2000));
    L_SW_Desc->SetCaption(Lang(2002));
    Btn_OK->SetCaption(Lang(2004));
    Btn_Cancel->SetCaption(Lang(2005));
    RB_ID_Primary->SetCaption(Lang(2006));
    RB_ID_Secondary->SetCaption(Lang(2007));
    Label2->SetCaption(Lang(2008));
    Label3->SetCaption(Lang(2009));
    Label4->SetCaption(Lang(2010));
    L_wMBus_RSSI->SetCaption(Lang(2011));
}

void TFNewIDNode::FormShow(TObject*)
{
    // Lays the node panel's rows out from the top, in the order given.
    auto lay_out = [this](std::initializer_list<std::pair<TControl*, TControl*>> Rows) {
        Integer top = 8;
        for (const auto& [first, field] : Rows) {
            first->SetTop(top + 2);
            field->SetTop(top);
            top += Row_Step;
        }
        // The panel ends 4 pixels below its last edit.
        Panel1->SetHeight(top - Row_Step + 21 + 4);
    };
    // The wired address rows, or the wireless address and RSSI rows.
    auto show_wireless_rows = [this](bool Wireless) {
        for (TControl* c : {static_cast<TControl*>(RB_ID_Primary), static_cast<TControl*>(E_New_Node_ID_Pri),
                            static_cast<TControl*>(RB_ID_Secondary), static_cast<TControl*>(E_New_Node_ID_Sec)})
            c->SetVisible(!Wireless);
        for (TControl* c : {static_cast<TControl*>(L_wMBus_Add), static_cast<TControl*>(E_wMBus_Add),
                            static_cast<TControl*>(L_wMBus_RSSI), static_cast<TControl*>(E_wMBus_RSSI)})
            c->SetVisible(Wireless);
    };
    show_wireless_rows(false);
    Panel1->SetVisible(Form_Type != 2);
    SetCaption(Lang(Form_Type == 2 ? 2001 : 2000));
    L_SW_Desc->SetCaption(Lang(Form_Type == 2 ? 2003 : 2002));
    if (Form_Type == 3) {
        show_wireless_rows(true);
        L_wMBus_Add->SetCaption(Lang(2012));
        lay_out({{L_wMBus_Add, E_wMBus_Add}, {Label2, E_MR_NodeState}, {Label3, E_MR_IdentNum},
                 {L_wMBus_RSSI, E_wMBus_RSSI}});
    } else if (Form_Type != 2) {
        lay_out({{RB_ID_Primary, E_New_Node_ID_Pri}, {RB_ID_Secondary, E_New_Node_ID_Sec},
                 {Label2, E_MR_NodeState}, {Label3, E_MR_IdentNum}});
    }
    // The grid takes what the node panel leaves.
    const Integer above = P_Title->Height() + (Panel1->Visible() ? Panel1->Height() : 0);
    const Integer room = ClientHeight() - P_Button->Height() - above;
    ESG_MR_Var->SetHeight(std::max<Integer>(room - ESG_MR_Var->Top() - 8, 60));
}

void TFNewIDNode::FxButton2Click(TObject*)
{
    bool failed = false;
    if (Form_Type == 1) {
        const bool primary = RB_ID_Primary->Checked();
        const Integer id = Text_To_Int((primary ? E_New_Node_ID_Pri : E_New_Node_ID_Sec)->Text(), -1);
        if (primary && (id < 0 || id > 255))
            return Error_Box(2013);
        if (!primary && (id < 0 || id > 99999999))
            return Error_Box(2014);
        if (Editor != nullptr && !Editor->Check_Node_ID2(id, primary ? 0 : 1))
            failed = true;
    } else if (Form_Type == 3) {
        const Int64 address = Text_To_Int64(E_wMBus_Add->Text(), -1);
        if (address < 0 || address > 4294967295LL)
            return Error_Box(2015);
    }
    if (Form_Type == 1 || Form_Type == 3) {
        // The new node's register positions: numbers in the range their
        // messages name, so that no pasted node is half made or out of range.
        auto position = [](const TEdit* Edit) {
            Integer value = 0;
            return Try_Text_To_Int(Edit->Text(), value) && value >= 0 && value <= 59999;
        };
        if (!position(E_MR_NodeState))
            return Error_Box(1865);
        if (!position(E_MR_IdentNum))
            return Error_Box(1866);
        if (Form_Type == 3 && !position(E_wMBus_RSSI))
            return Error_Box(1867);
    }
    for (Integer k = 0; k < (ESG_MR_Var->RowCount() - 1) / 3; ++k) {
        const Integer reg = Text_To_Int(ESG_MR_Var->Cells(1, 3 * k + 1), -1);
        const Integer scale = Text_To_Int(ESG_MR_Var->Cells(1, 3 * k + 2), -1);
        const Integer year = Text_To_Int(ESG_MR_Var->Cells(1, 3 * k + 3), -1);
        if (reg < 1 || reg > 59999)
            return Error_Box(2016);
        if (scale < 0 || scale > 59999)
            return Error_Box(2017);
        if (year < 0 || year > 59995)
            return Error_Box(2018);
        if (Editor != nullptr && Editor->Check_Registers(reg, scale, year, true))
            failed = true;
    }
    if (!failed)
        SetModalResult(mrOk);
}
