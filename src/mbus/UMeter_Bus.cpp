// The network editor's controls: their making, places, texts and the field
// events that show, hide and enable rows.
#include "mbus/UMeter_Bus.h"
#include "mbus/UMeter_BusTexts.h"

#include "controls/ExPageControl.h"
#include "controls/FxButton.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"
#include "platform/Messages.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/TreeView.h"
#include "shell/ButtonLook.h"
#include "shell/DialogFrame.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFMeter_Bus* FMeter_Bus = nullptr;

namespace {

constexpr Integer Row_Step = 24;
constexpr Integer First_Row = 8;
constexpr Integer Label_Left = 10;
constexpr Integer Field_Left = 250;
constexpr Integer Field_Width = 150;
constexpr TColor Cream = 0x00EDF7F8;  // RGB(248, 247, 237)

using namespace mbus_editor;

template <size_t N>
void Fill(TComboBox* Combo, const std::array<const char*, N>& Texts)
{
    Combo->Items()->Clear();
    for (const char* t : Texts)
        Combo->Items()->Add(QString::fromUtf8(t));
    Combo->SetItemIndex(0);
}

// Puts a row's first control at the left and its field at the field column.
void Place_Row(TControl* First, TControl* Field, Integer Top)
{
    if (First != nullptr)
        First->SetBounds(Label_Left, Top + 2, First->Width(), First->Height());
    if (Field != nullptr)
        Field->SetBounds(Field_Left, Top, Field->Width(), Field->Height());
}

void Set_Row_Visible(TControl* First, TControl* Field, bool Visible)
{
    if (First != nullptr)
        First->SetVisible(Visible);
    if (Field != nullptr)
        Field->SetVisible(Visible);
}

} // namespace

TFMeter_Bus::TFMeter_Bus(TComponent* AOwner) : TForm(AOwner)
{
    SetName(QStringLiteral("FMeter_Bus"));
    Set_Window_Look(this);
    SetClientSize(834, 700);

    P_Title = Make<TPanel>(this, this, QStringLiteral("P_Title"));
    P_Title->SetAlign(alTop);
    P_Title->SetHeight(69);
    P_Title->SetBevelOuter(bvNone);
    P_Title->SetShowCaption(false);
    L_SW_Code = Make<TLabel>(this, P_Title, QStringLiteral("L_SW_Code"));
    L_SW_Code->SetBounds(10, 6, 200, 29);
    L_SW_Code->Font()->SetSize(18);
    L_SW_Code->Font()->SetColor(clGray);
    L_SW_Code->Font()->SetStyle(fsBold);
    L_SW_Desc = Make<TLabel>(this, P_Title, QStringLiteral("L_SW_Desc"));
    L_SW_Desc->SetBounds(10, 44, 400, 14);
    L_SW_Desc->Font()->SetStyle(fsBold);

    P_Button = Make<TPanel>(this, this, QStringLiteral("P_Button"));
    P_Button->SetAlign(alBottom);
    P_Button->SetHeight(44);
    P_Button->SetBevelOuter(bvNone);
    P_Button->SetShowCaption(false);
    Btn_ImportNet = Make<TFxButton>(this, P_Button, QStringLiteral("Btn_ImportNet"));
    Btn_ImportNet->SetBounds(8, 7, 130, 30);
    Btn_OK = Make<TFxButton>(this, P_Button, QStringLiteral("Btn_OK"));
    Btn_OK->SetBounds(834 - 196, 7, 90, 30);
    Btn_Cancel = Make<TFxButton>(this, P_Button, QStringLiteral("Btn_Cancel"));
    Btn_Cancel->SetBounds(834 - 98, 7, 90, 30);
    Btn_ImportNet->OnClick = [this](TObject* s) { Btn_ImportNetClick(s); };
    Btn_OK->OnClick = [this](TObject* s) { FxButton2Click(s); };
    Btn_Cancel->OnClick = [this](TObject* s) { FxButton4Click(s); };

    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName(QStringLiteral("PopupMenu1"));
    auto item = [this](const char* Name, std::function<void(TObject*)> Click) {
        auto* m = new TMenuItem(this);
        m->SetName(QString::fromLatin1(Name));
        if (Click)
            m->OnClick = std::move(Click);
        else
            m->SetCaption(QStringLiteral("-"));
        PopupMenu1->Items()->Add(m);
        return m;
    };
    CopyVariable1 = item("CopyVariable1", [this](TObject* s) { CopyVariable1Click(s); });
    PasteVariable1 = item("PasteVariable1", [this](TObject* s) { PasteVariable1Click(s); });
    item("N1", nullptr);
    CopyNode1 = item("CopyNode1", [this](TObject* s) { CopyNode1Click(s); });
    PasteNode1 = item("PasteNode1", [this](TObject* s) { PasteNode1Click(s); });
    item("N2", nullptr);
    DeleteItem1 = item("DeleteItem1", [this](TObject* s) { DeleteItem1Click(s); });
    PasteVariable1->SetEnabled(false);
    PasteNode1->SetEnabled(false);

    TW = Make<TTreeView>(this, this, QStringLiteral("TW"));
    TW->SetBounds(8, 77, 300, 571);
    TW->SetReadOnly(true);
    TW->SetRowSelect(true);
    TW->SetShowRoot(false);
    TW->SetPopupMenu(PopupMenu1);
    TW->OnClick = [this](TObject* s) { TWClick(s); };
    TW->OnChange = [this](TObject* s, TTreeNode* n) { TWChange(s, n); };

    ExPageControl1 = Make<TExPageControl>(this, this, QStringLiteral("ExPageControl1"));
    ExPageControl1->SetBounds(316, 77, 510, 571);
    ExPageControl1->SetTabPosition(tpLeft);
    ExPageControl1->SetTabStyle(tsDotNet);
    ExPageControl1->SetMultiLine(true);
    ExPageControl1->SetDefaultTabColor(Cream);
    ExPageControl1->SetTabBackGroundColor(Cream);
    ExPageControl1->SetActiveColor(RGB(135, 206, 235));
    {
        TTabMargin m;
        m.SetTopMargin(10);
        m.SetRightMargin(20);
        ExPageControl1->SetTabMargin(&m);
    }
    ExPageControl1->SetTabOverlap(0);
    ExPageControl1->SetLowerActive(0);
    for (TFont* f : {ExPageControl1->Font(), ExPageControl1->ActiveFont()}) {
        f->SetName(QStringLiteral("Verdana"));
        f->SetHeight(-13);
    }
    ExTabSheet1 = new TExTabSheet(this);
    ExTabSheet1->SetName(QStringLiteral("ExTabSheet1"));
    ExTabSheet1->SetPageControl(ExPageControl1);
    ExTabSheet2 = new TExTabSheet(this);
    ExTabSheet2->SetName(QStringLiteral("ExTabSheet2"));
    ExTabSheet2->SetPageControl(ExPageControl1);
    for (TExTabSheet* s : {ExTabSheet1, ExTabSheet2}) {
        s->SetColor(Cream);
        s->Font()->SetName(QStringLiteral("Verdana"));
        s->Font()->SetHeight(-11);
    }
    ExPageControl1->SetActivePage(ExTabSheet1);

    Make_Node_Page();
    Make_Var_Page();

    OD_Import_Net = new TOpenDialog(this);
    OD_Import_Net->SetName(QStringLiteral("OD_Import_Net"));
    OD_Import_Net->SetFilter(QStringLiteral("XML File (*.xml)|*.xml"));
    Set_Buttons_Look(this);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFMeter_Bus::~TFMeter_Bus()
{
    if (FMeter_Bus == this)
        FMeter_Bus = nullptr;
}

void TFMeter_Bus::Make_Node_Page()
{
    TWinControl* p = ExTabSheet1;
    auto check = [&](const char* Name, Integer Width = 230) {
        auto* c = Make<TCheckBox>(this, p, QString::fromLatin1(Name));
        c->SetBounds(0, 0, Width, 17);
        return c;
    };
    auto label = [&](const char* Name, TWinControl* Parent = nullptr) {
        auto* l = Make<TLabel>(this, Parent ? Parent : p, QString::fromLatin1(Name));
        l->SetAutoSize(false);
        l->SetBounds(0, 0, 230, 14);
        return l;
    };
    auto edit = [&](const char* Name, const char* Text, TWinControl* Parent = nullptr) {
        auto* e = Make<TEdit>(this, Parent ? Parent : p, QString::fromLatin1(Name));
        e->SetBounds(0, 0, Field_Width, 21);
        e->SetText(QString::fromLatin1(Text));
        return e;
    };
    auto combo = [&](const char* Name, TWinControl* Parent = nullptr) {
        auto* c = Make<TComboBox>(this, Parent ? Parent : p, QString::fromLatin1(Name));
        c->SetStyle(csDropDownList);
        c->SetBounds(0, 0, Field_Width, 21);
        return c;
    };

    CB_Node_En = check("CB_Node_En");
    L_Node_Desc = label("L_Node_Desc");
    E_New_Node_Desc = edit("E_New_Node_Desc", "");
    L_MBus_Type = label("L_MBus_Type");
    CB_MBus_Type = combo("CB_MBus_Type");
    CB_MBus_Type->OnChange = [this](TObject* s) { CB_MBus_TypeChange(s); };
    RB_ID_Primary = Make<TRadioButton>(this, p, QStringLiteral("RB_ID_Primary"));
    RB_ID_Primary->SetBounds(0, 0, 230, 17);
    E_New_Node_ID_Pri = edit("E_New_Node_ID_Pri", "1");
    RB_ID_Secondary = Make<TRadioButton>(this, p, QStringLiteral("RB_ID_Secondary"));
    RB_ID_Secondary->SetBounds(0, 0, 230, 17);
    E_New_Node_ID_Sec = edit("E_New_Node_ID_Sec", "1");
    RB_ID_Primary->SetChecked(true);
    CB_Node_State = check("CB_Node_State");
    E_Node_State = edit("E_Node_State", "1");
    CB_Ident_Num = check("CB_Ident_Num");
    E_Iden = edit("E_Iden", "1");
    CB_BCDtoINT_IN = check("CB_BCDtoINT_IN", 380);
    L_Swap_IN = label("L_Swap_IN");
    CB_Swap_IN = combo("CB_Swap_IN");
    Fill(CB_Swap_IN, Swap_Ident_Texts);
    CB_SND_NKE = check("CB_SND_NKE");
    CB_Reset_App = check("CB_Reset_App");
    L_Var_Type = label("L_Var_Type");
    CB_Var_Type = combo("CB_Var_Type");
    Fill(CB_Var_Type, Var_List_Type_Texts);
    L_Cut_After = label("L_Cut_After");
    CB_Cut_After = combo("CB_Cut_After");
    CB_Cut_After->SetWidth(60);
    L_Frames = label("L_Frames");
    L_Frames->SetWidth(60);
    CB_Manu_Spec_Data = check("CB_Manu_Spec_Data");
    E_Manu_Spec_Data = edit("E_Manu_Spec_Data", "1");
    L_MSD_Length = label("L_MSD_Length");
    E_MSD_Length = edit("E_MSD_Length", "1");
    L_MSD_Offset = label("L_MSD_Offset");
    E_MSD_Offset = edit("E_MSD_Offset", "1");
    CB_Access_Number = check("CB_Access_Number");
    E_Access_Number = edit("E_Access_Number", "1");

    btn_Add_Node = Make<TFxButton>(this, p, QStringLiteral("btn_Add_Node"));
    btn_Add_Node->SetBounds(Field_Left, 0, Field_Width, 30);
    btn_Add_Node->OnClick = [this](TObject* s) { btn_Add_NodeClick(s); };
    FxButton1 = Make<TFxButton>(this, p, QStringLiteral("FxButton1"));
    FxButton1->SetBounds(Label_Left, 0, 130, 30);
    FxButton1->SetCaption(QStringLiteral("SCAN DEVICE"));
    FxButton1->SetVisible(false);
    FxButton1->SetEnabled(false);

    Make_Wireless_Panel();
}

void TFMeter_Bus::Make_Wireless_Panel()
{
    P_wMBus_Node = Make<TPanel>(this, ExTabSheet1, QStringLiteral("P_wMBus_Node"));
    P_wMBus_Node->SetBevelOuter(bvNone);
    P_wMBus_Node->SetShowCaption(false);
    P_wMBus_Node->SetParentColor(true);
    P_wMBus_Node->SetVisible(false);
    TWinControl* p = P_wMBus_Node;
    Integer top = 0;
    auto next = [&] {
        const Integer t = top;
        top += Row_Step;
        return t;
    };
    auto labelled_edit = [&](TLabel*& L, const char* LName, TEdit*& E, const char* EName) {
        L = Make<TLabel>(this, p, QString::fromLatin1(LName));
        L->SetAutoSize(false);
        L->SetBounds(0, 0, 230, 14);
        E = Make<TEdit>(this, p, QString::fromLatin1(EName));
        E->SetBounds(0, 0, Field_Width, 21);
        Place_Row(L, E, next());
    };
    auto checked_edit = [&](TCheckBox*& C, const char* CName, TEdit*& E, const char* EName) {
        C = Make<TCheckBox>(this, p, QString::fromLatin1(CName));
        C->SetBounds(0, 0, 230, 17);
        E = Make<TEdit>(this, p, QString::fromLatin1(EName));
        E->SetBounds(0, 0, Field_Width, 21);
        Place_Row(C, E, next());
    };
    auto labelled_combo = [&](TLabel*& L, const char* LName, TComboBox*& C, const char* CName) {
        L = Make<TLabel>(this, p, QString::fromLatin1(LName));
        L->SetAutoSize(false);
        L->SetBounds(0, 0, 230, 14);
        C = Make<TComboBox>(this, p, QString::fromLatin1(CName));
        C->SetStyle(csDropDownList);
        C->SetBounds(0, 0, Field_Width, 21);
        Place_Row(L, C, next());
    };

    labelled_edit(L_wMBus_ManID, "L_wMBus_ManID", E_wMBus_ManID, "E_wMBus_ManID");
    labelled_edit(L_wMBus_Add, "L_wMBus_Add", E_wMBus_Add, "E_wMBus_Add");
    labelled_edit(L_wMBus_Ver, "L_wMBus_Ver", E_wMBus_Ver, "E_wMBus_Ver");
    labelled_edit(L_wMBus_DevType, "L_wMBus_DevType", E_wMBus_DevType, "E_wMBus_DevType");
    CB_wMBus_EnKey = Make<TCheckBox>(this, p, QStringLiteral("CB_wMBus_EnKey"));
    CB_wMBus_EnKey->SetBounds(Label_Left, next() + 2, 230, 17);
    for (Integer k = 0; k < 16; ++k) {
        const Integer row = k / 4, col = k % 4;
        const Integer t = top + row * Row_Step;
        L_wMBus_K[k] = Make<TLabel>(this, p, QStringLiteral("L_wMBus_K%1").arg(k + 1));
        L_wMBus_K[k]->SetAutoSize(false);
        L_wMBus_K[k]->SetBounds(Label_Left + col * 96, t + 3, 46, 14);
        E_wMBus_K[k] = Make<TEdit>(this, p, QStringLiteral("E_wMBus_K%1").arg(k + 1));
        E_wMBus_K[k]->SetBounds(Label_Left + col * 96 + 48, t, 40, 21);
    }
    E_wMBus_K[2]->SetText(QStringLiteral("255"));
    top += 4 * Row_Step;
    checked_edit(CB_wMBus_Node_State, "CB_wMBus_Node_State", E_wMBus_NodeState, "E_wMBus_NodeState");
    checked_edit(CB_wMBus_Ident_Num, "CB_wMBus_Ident_Num", E_wMBus_Ident, "E_wMBus_Ident");
    checked_edit(CB_wMBus_RSSI, "CB_wMBus_RSSI", E_wMBus_RSSI, "E_wMBus_RSSI");
    CB_wMBus_RSSI->SetCaption(QStringLiteral("RSSI"));
    checked_edit(CB_wMBus_Access_Number, "CB_wMBus_Access_Number", E_wMBus_Access_Number, "E_wMBus_Access_Number");
    CB_wMBus_Conv_BCD = Make<TCheckBox>(this, p, QStringLiteral("CB_wMBus_Conv_BCD"));
    CB_wMBus_Conv_BCD->SetBounds(Label_Left, next() + 2, 380, 17);
    labelled_combo(L_wMBus_Swap, "L_wMBus_Swap", CB_wMBus_Swap_Ident, "CB_wMBus_Swap_Ident");
    Fill(CB_wMBus_Swap_Ident, Swap_Ident_Texts);
    labelled_combo(L_wMBus_VarList, "L_wMBus_VarList", CB_wMBus_VarList, "CB_wMBus_VarList");
    Fill(CB_wMBus_VarList, Var_List_Type_Texts);
    P_wMBus_Node->SetBounds(0, 0, 420, top);
}

void TFMeter_Bus::Make_Var_Page()
{
    TWinControl* p = ExTabSheet2;
    auto check = [&](const char* Name, Integer Width = 230) {
        auto* c = Make<TCheckBox>(this, p, QString::fromLatin1(Name));
        c->SetBounds(0, 0, Width, 17);
        return c;
    };
    auto label = [&](const char* Name) {
        auto* l = Make<TLabel>(this, p, QString::fromLatin1(Name));
        l->SetAutoSize(false);
        l->SetBounds(0, 0, 230, 14);
        return l;
    };
    auto edit = [&](const char* Name) {
        auto* e = Make<TEdit>(this, p, QString::fromLatin1(Name));
        e->SetBounds(0, 0, Field_Width, 21);
        return e;
    };
    auto combo = [&](const char* Name) {
        auto* c = Make<TComboBox>(this, p, QString::fromLatin1(Name));
        c->SetStyle(csDropDownList);
        c->SetBounds(0, 0, Field_Width, 21);
        return c;
    };

    CB_Var_En = check("CB_Var_En");
    L_Var_Desc = label("L_Var_Desc");
    E_New_Var_Desc = edit("E_New_Var_Desc");
    L_Var_ToD = label("L_Var_ToD");
    CB_Var_ToD = combo("CB_Var_ToD");
    Fill(CB_Var_ToD, Type_Of_Data_Texts);
    CB_Var_ToD->OnChange = [this](TObject* s) { CB_Var_ToDChange(s); };
    L_VIF_ASCII = label("L_VIF_ASCII");
    E_VIF_ASCII = edit("E_VIF_ASCII");
    E_VIF_ASCII->SetEnabled(false);
    L_Var_FF = label("L_Var_FF");
    CB_Var_FF = combo("CB_Var_FF");
    Fill(CB_Var_FF, Function_Field_Texts);
    L_Var_Dim = label("L_Var_Dim");
    CB_Var_Dim = combo("CB_Var_Dim");
    Fill(CB_Var_Dim, Dimension_Texts);
    CB_Var_Dim->OnChange = [this](TObject* s) { CB_Var_DimChange(s); };
    L_Length = label("L_Length");
    E_Length = edit("E_Length");
    E_Length->SetEnabled(false);
    L_Var_Unit = label("L_Var_Unit");
    CB_Var_Unit = combo("CB_Var_Unit");
    for (Integer u = 0; u <= 10; ++u)
        CB_Var_Unit->Items()->Add(QString::number(u));
    CB_Var_Unit->SetItemIndex(0);
    L_Sto_Num = label("L_Sto_Num");
    E_Sto_Num = edit("E_Sto_Num");
    L_Tariff = label("L_Tariff");
    E_Tariff = edit("E_Tariff");
    L_VIFE = label("L_VIFE");
    CB_VIFE = combo("CB_VIFE");
    Fill(CB_VIFE, VIFE_Texts);
    CB_VIFE->OnChange = [this](TObject* s) { CB_Var_ToDChange(s); };
    L_Var_MR = label("L_Var_MR");
    E_Var_MR = edit("E_Var_MR");

    GB_Time_Point = Make<TGroupBox>(this, p, QStringLiteral("GB_Time_Point"));
    GB_Time_Point->SetBounds(Label_Left, 0, 390, 90);
    GB_Time_Point->SetEnabled(false);
    CB_TP_MR = Make<TCheckBox>(this, GB_Time_Point, QStringLiteral("CB_TP_MR"));
    CB_TP_MR->SetBounds(10, 18, 300, 17);
    const char* const tp_names[] = {"L_TP_Year", "L_TP_Month", "L_TP_Day", "L_TP_Hour", "L_TP_Min", "L_TP_Sec"};
    TLabel** values[] = {nullptr, &ST_TP_Month, &ST_TP_Day, &ST_TP_Hour, &ST_TP_Min, &ST_TP_Sec};
    const char* const value_names[] = {"", "ST_TP_Month", "ST_TP_Day", "ST_TP_Hour", "ST_TP_Min", "ST_TP_Sec"};
    for (Integer k = 0; k < 6; ++k) {
        const Integer left = 10 + (k % 3) * 125, top = 40 + (k / 3) * 24;
        L_TP[k] = Make<TLabel>(this, GB_Time_Point, QString::fromLatin1(tp_names[k]));
        L_TP[k]->SetAutoSize(false);
        L_TP[k]->SetBounds(left, top + 3, 26, 14);
        if (k == 0) {
            E_TP_Year = Make<TEdit>(this, GB_Time_Point, QStringLiteral("E_TP_Year"));
            E_TP_Year->SetBounds(left + 28, top, 70, 21);
            E_TP_Year->OnChange = [this](TObject* s) { E_TP_YearChange(s); };
        } else {
            TLabel* v = Make<TLabel>(this, GB_Time_Point, QString::fromLatin1(value_names[k]));
            v->SetAutoSize(false);
            v->SetBounds(left + 28, top + 3, 70, 14);
            *values[k] = v;
        }
    }
    L_TP[5]->SetCaption(QStringLiteral("SS"));

    CB_BCDtoINT = check("CB_BCDtoINT");
    CB_Float = check("CB_Float", 180);
    CB_Force_Int32 = check("CB_Force_Int32", 180);
    CB_Force_Int32->SetCaption(QStringLiteral("Force Integer 32"));
    CB_Float->OnClick = [this](TObject* s) { CB_FloatClick(s); };
    CB_Force_Int32->OnClick = [this](TObject* s) { CB_FloatClick(s); };
    L_PostOpe = label("L_PostOpe");
    CB_PostOpe = combo("CB_PostOpe");
    Fill(CB_PostOpe, Post_Operation_Texts);
    L_Position = label("L_Position");
    E_Position = edit("E_Position");

    btn_Add_Var = Make<TFxButton>(this, p, QStringLiteral("btn_Add_Var"));
    btn_Add_Var->SetBounds(Field_Left, 0, Field_Width, 30);
    btn_Add_Var->OnClick = [this](TObject* s) { btn_Add_VarClick(s); };
    FxButton3 = Make<TFxButton>(this, p, QStringLiteral("FxButton3"));
    FxButton3->SetBounds(Label_Left, 0, 130, 30);
    FxButton3->SetCaption(QStringLiteral("SCAN VARIABLES"));
    FxButton3->SetVisible(false);
    FxButton3->SetEnabled(false);

    Sposta_Oggetti_Var(0);
}

void TFMeter_Bus::Fit_Drop_Down(TComboBox* Combo, Integer Extra)
{
    // Measured when the list first opens (or its width is read), with the
    // items and font it has then.
    SetComboDropDownFit(Combo, [Extra](TCustomComboBox* c) { Fit_Now(static_cast<TComboBox*>(c), Extra); });
    // The wide list opens leftwards, so that it stays inside the window.
    SetComboDropRightAligned(Combo, true);
}

void TFMeter_Bus::Fit_Now(TComboBox* Combo, Integer Extra)
{
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(Combo->Font());
    Integer widest = 0;
    for (Integer i = 0; i < Combo->Items()->Count(); ++i)
        widest = std::max(widest, measure.Canvas()->TextWidth(Combo->Items()->Strings(i)));
    const Integer scroll = GetSystemMetrics(SM_CXVSCROLL);
    Integer width = widest + 12 + Extra;
    if (Combo->Items()->Count() > Combo->DropDownCount())
        width += scroll;
    if (Combo->Width() - scroll < width)
        SetComboDroppedWidth(Combo, width);
}

void TFMeter_Bus::FormCreate(TObject*)
{
    Copy_Var.reset();
    Copy_Node.reset();
    Fit_Drop_Down(CB_VIFE, 65);
    Fit_Drop_Down(CB_Var_ToD, 30);
    L_SW_Code->SetCaption(SW_Code);
    SetClientSize(834, 700);
    Nodes_Move_Elements();
    CB_MBus_TypeChange(this);
    Set_Lang();
}

void TFMeter_Bus::Set_Lang()
{
    SetCaption(Lang(1700));
    L_SW_Desc->SetCaption(Lang(1701));
    Btn_OK->SetCaption(Lang(1702));
    Btn_Cancel->SetCaption(Lang(1703));
    Btn_ImportNet->SetCaption(Lang(1704));
    ExTabSheet1->SetCaption(Lang(1705));
    ExTabSheet2->SetCaption(Lang(1706));
    const struct { TControl* Control; Integer Text; } texts[] = {
        {CB_Node_En, 1707}, {L_Node_Desc, 1708}, {RB_ID_Primary, 1709}, {RB_ID_Secondary, 1710},
        {CB_Node_State, 1711}, {CB_Ident_Num, 1712}, {CB_BCDtoINT_IN, 1713}, {L_Swap_IN, 1714},
        {CB_SND_NKE, 1715}, {CB_Reset_App, 1716}, {L_Var_Type, 1717}, {L_Cut_After, 1718},
        {L_Frames, 1719}, {CB_Manu_Spec_Data, 1720}, {L_MSD_Length, 1721}, {L_MSD_Offset, 1722},
        {btn_Add_Node, 1723}, {CB_Var_En, 1725}, {L_Var_Desc, 1726}, {L_Var_ToD, 1727},
        {L_VIF_ASCII, 1728}, {L_Var_FF, 1729}, {L_Var_Dim, 1730}, {L_Length, 1731},
        {L_Var_Unit, 1732}, {L_Var_MR, 1733}, {L_Sto_Num, 1735}, {L_Tariff, 1736},
        {L_VIFE, 1737}, {GB_Time_Point, 1738}, {CB_TP_MR, 1739}, {L_TP[0], 1740},
        {L_TP[1], 1741}, {L_TP[2], 1742}, {L_TP[3], 1743}, {L_TP[4], 1744},
        {CB_BCDtoINT, 1745}, {CB_Float, 1746}, {L_Position, 1747}, {btn_Add_Var, 1748},
        {L_MBus_Type, 1750}, {L_wMBus_ManID, 1753}, {L_wMBus_Add, 1754}, {L_wMBus_Ver, 1755},
        {L_wMBus_DevType, 1756}, {CB_wMBus_EnKey, 1757}, {CB_wMBus_Node_State, 1774},
        {CB_wMBus_Ident_Num, 1775}, {CB_wMBus_Conv_BCD, 1776}, {L_wMBus_Swap, 1777},
        {L_wMBus_VarList, 1778}, {L_PostOpe, 1779}, {CB_Access_Number, 1785},
        {CB_wMBus_Access_Number, 1786},
    };
    for (const auto& t : texts)
        t.Control->SetCaption(Lang(t.Text));
    for (Integer k = 0; k < 16; ++k)
        L_wMBus_K[k]->SetCaption(Lang(1758 + k));
    TMenuItem* const items[] = {CopyVariable1, PasteVariable1, CopyNode1, PasteNode1, DeleteItem1};
    for (Integer k = 0; k < 5; ++k)
        items[k]->SetCaption(Lang(1780 + k));
    CB_MBus_Type->Items()->Clear();
    CB_MBus_Type->Items()->Add(Lang(1751));
    CB_MBus_Type->Items()->Add(Lang(1752));
    CB_MBus_Type->SetItemIndex(1);
}

void TFMeter_Bus::Nodes_Move_Elements()
{
    const bool wireless = CB_MBus_Type->ItemIndex() == 0;
    Integer row = 0;
    auto top = [&](Integer r) { return First_Row + r * Row_Step; };
    CB_Node_En->SetBounds(Label_Left, top(row++) + 2, CB_Node_En->Width(), CB_Node_En->Height());
    Place_Row(L_Node_Desc, E_New_Node_Desc, top(row++));
    Place_Row(L_MBus_Type, CB_MBus_Type, top(row++));
    P_wMBus_Node->SetTop(top(row));
    Place_Row(RB_ID_Primary, E_New_Node_ID_Pri, top(row++));
    Place_Row(RB_ID_Secondary, E_New_Node_ID_Sec, top(row++));
    Place_Row(CB_Node_State, E_Node_State, top(row++));
    Place_Row(CB_Ident_Num, E_Iden, top(row++));
    Place_Row(CB_BCDtoINT_IN, nullptr, top(row++));
    Place_Row(L_Swap_IN, CB_Swap_IN, top(row++));
    Place_Row(CB_SND_NKE, nullptr, top(row++));
    Place_Row(CB_Reset_App, nullptr, top(row++));
    Place_Row(L_Var_Type, CB_Var_Type, top(row++));
    Place_Row(L_Cut_After, CB_Cut_After, top(row));
    L_Frames->SetBounds(Field_Left + CB_Cut_After->Width() + 8, top(row++) + 2, L_Frames->Width(), L_Frames->Height());
    // The rows both types share follow the wired rows or the wireless panel.
    Integer next = wireless ? P_wMBus_Node->Top() + P_wMBus_Node->Height() : top(row);
    Place_Row(CB_Manu_Spec_Data, E_Manu_Spec_Data, next);
    next += Row_Step;
    Place_Row(L_MSD_Length, E_MSD_Length, next);
    next += Row_Step;
    Place_Row(L_MSD_Offset, E_MSD_Offset, next);
    next += Row_Step;
    if (!wireless) {
        Place_Row(CB_Access_Number, E_Access_Number, next);
        next += Row_Step;
    }
    btn_Add_Node->SetTop(next + 6);
    FxButton1->SetTop(next + 6);
}

void TFMeter_Bus::CB_MBus_TypeChange(TObject*)
{
    const bool wireless = CB_MBus_Type->ItemIndex() == 0;
    P_wMBus_Node->SetVisible(wireless);
    const std::pair<TControl*, TControl*> wired_rows[] = {
        {RB_ID_Primary, E_New_Node_ID_Pri}, {RB_ID_Secondary, E_New_Node_ID_Sec}, {CB_Node_State, E_Node_State},
        {CB_Ident_Num, E_Iden},             {CB_BCDtoINT_IN, nullptr},           {L_Swap_IN, CB_Swap_IN},
        {CB_SND_NKE, nullptr},              {CB_Reset_App, nullptr},             {L_Var_Type, CB_Var_Type},
        {L_Cut_After, CB_Cut_After},        {L_Frames, nullptr},                 {CB_Access_Number, E_Access_Number},
    };
    for (const auto& r : wired_rows)
        Set_Row_Visible(r.first, r.second, !wireless);
    Nodes_Move_Elements();
}

void TFMeter_Bus::Sposta_Oggetti_Var(Integer List_Type)
{
    const bool by_type = List_Type == 0;
    struct TRow {
        TControl* First;
        TControl* Field;
        bool Shown;
    };
    const TRow rows[] = {
        {CB_Var_En, nullptr, true},        {L_Var_Desc, E_New_Var_Desc, true}, {L_Var_ToD, CB_Var_ToD, by_type},
        {L_VIF_ASCII, E_VIF_ASCII, by_type}, {L_Var_FF, CB_Var_FF, by_type},   {L_Var_Dim, CB_Var_Dim, true},
        {L_Length, E_Length, true},          {L_Var_Unit, CB_Var_Unit, by_type}, {L_Sto_Num, E_Sto_Num, by_type},
        {L_Tariff, E_Tariff, by_type},       {L_VIFE, CB_VIFE, by_type},         {L_Var_MR, E_Var_MR, true},
        {GB_Time_Point, nullptr, true},      {CB_BCDtoINT, nullptr, true},       {CB_Float, CB_Force_Int32, true},
        {L_PostOpe, CB_PostOpe, true},       {L_Position, E_Position, !by_type},
    };
    Integer top = First_Row;
    for (const TRow& r : rows) {
        Set_Row_Visible(r.First, r.Field, r.Shown);
        if (!r.Shown)
            continue;
        if (r.First == GB_Time_Point) {
            GB_Time_Point->SetTop(top);
            top += GB_Time_Point->Height() + 6;
            continue;
        }
        Place_Row(r.First, r.Field, top);
        top += Row_Step;
    }
    if (!by_type)
        GB_Time_Point->SetEnabled(true);
    btn_Add_Var->SetTop(top + 6);
    FxButton3->SetTop(top + 6);
}

void TFMeter_Bus::CB_Var_ToDChange(TObject*)
{
    const Integer tod = CB_Var_ToD->ItemIndex();
    E_VIF_ASCII->SetEnabled(tod == 21);
    if (IND_NODO >= 0 && IND_NODO < Integer(Nodi_List.size())) {
        const bool by_position = Nodi_List[size_t(IND_NODO)]->Var_List_Type == 1;
        GB_Time_Point->SetEnabled(by_position || tod == 20);
    }
}

void TFMeter_Bus::CB_Var_DimChange(TObject*)
{
    if (CB_Var_Dim->ItemIndex() == 7) {
        E_Length->SetEnabled(true);
        CB_Float->SetChecked(false);
        CB_Float->SetEnabled(false);
    } else {
        E_Length->SetEnabled(false);
        CB_Float->SetEnabled(true);
    }
}

void TFMeter_Bus::E_TP_YearChange(TObject*)
{
    const Integer year = Text_To_Int(E_TP_Year->Text(), -1);
    TLabel* const after[] = {ST_TP_Month, ST_TP_Day, ST_TP_Hour, ST_TP_Min, ST_TP_Sec};
    for (Integer k = 0; k < 5; ++k)
        after[k]->SetCaption(year <= 0 ? QStringLiteral("0") : QString::number(qint64(year) + k + 1));
}

void TFMeter_Bus::CB_FloatClick(TObject*)
{
    // Convert in Float and Force Integer 32 may both be checked.
}
