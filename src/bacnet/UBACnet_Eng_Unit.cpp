#include "bacnet/UBACnet_Eng_Unit.h"

#include "shell/ULanguage.h"

#include "controls/FxButton.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"

#include <array>

TFBACnet_Eng_Unit* FBACnet_Eng_Unit = nullptr;

namespace {

template <class T>
T* Make(TForm* Form, const char* Name, Integer Left, Integer Top, Integer Width, Integer Height)
{
    T* control = new T(Form);
    control->SetName(QString::fromLatin1(Name));
    control->SetParent(Form);
    control->SetBounds(Left, Top, Width, Height);
    return control;
}

// The names by number, built once from the category table.
const std::array<const char*, BACnet_Eng_Unit_Max + 1>& Names_By_Number()
{
    static const auto names = [] {
        std::array<const char*, BACnet_Eng_Unit_Max + 1> n{};
        for (std::size_t c = 0; c < BACnet_Eng_Unit_Category_Count; ++c) {
            const TBACnet_Eng_Unit_Category& category = BACnet_Eng_Unit_Categories[c];
            for (std::size_t u = 0; u < category.Count; ++u) {
                const TBACnet_Eng_Unit_Entry& e = category.Units[u];
                n[e.Number] = e.Name != nullptr ? e.Name : e.List_Text;
            }
        }
        return n;
    }();
    return names;
}

} // namespace

QString TFBACnet_Eng_Unit::Desc_Unit(Integer Unit)
{
    if (Unit < 0 || Unit > BACnet_Eng_Unit_Max)
        return QStringLiteral("unknown");
    return QLatin1String(Names_By_Number()[Unit]);
}

TFBACnet_Eng_Unit::TFBACnet_Eng_Unit(TComponent* AOwner)
    : TStepDialog(AOwner, QStringLiteral("FBACnet_Eng_Unit"), 548, 306)
{
    Label1->SetBounds(16, 78, 300, 14);
    E_Selected_EU = Make<TEdit>(this, "E_Selected_EU", 16, 96, 90, 21);
    Label5 = Make<TLabel>(this, "Label5", 116, 99, 416, 14);
    Label5->SetCaption(QStringLiteral("-> unknown"));
    Label5->Font()->SetStyle(fsBold);
    Label5->Font()->SetColor(clNavy);

    Shape1 = Make<TShape>(this, "Shape1", 16, 128, 516, 1);
    Label2 = Make<TLabel>(this, "Label2", 16, 138, 400, 14);
    Label2->Font()->SetStyle(fsBold);
    Label3 = Make<TLabel>(this, "Label3", 16, 160, 200, 14);
    CB_Select_Type = Make<TComboBox>(this, "CB_Select_Type", 16, 177, 190, 21);
    Label4 = Make<TLabel>(this, "Label4", 220, 160, 200, 14);
    CB_Select_Unit = Make<TComboBox>(this, "CB_Select_Unit", 220, 177, 312, 21);
    for (TComboBox* list : {CB_Select_Type, CB_Select_Unit}) {
        list->SetStyle(csDropDownList);
        list->SetDropDownCount(16);
    }
    for (std::size_t c = 0; c < BACnet_Eng_Unit_Category_Count; ++c)
        CB_Select_Type->Items()->Add(QLatin1String(BACnet_Eng_Unit_Categories[c].Name));
    CB_Select_Type->SetItemIndex(0);
    CB_Select_Type->OnSelect = [this](TObject* Sender) { CB_Select_TypeSelect(Sender); };

    Btn_Select_Eng_Unit = Make<TFxButton>(this, "Btn_Select_Eng_Unit", 342, 210, 190, 30);
    Btn_Select_Eng_Unit->OnClick = [this](TObject* Sender) { Btn_Select_Eng_UnitClick(Sender); };
    Shape2 = Make<TShape>(this, "Shape2", 16, 252, 516, 1);
    for (TShape* line : {Shape1, Shape2})
        line->Pen()->SetColor(clGray);

    Btn_OK->SetModalResult(mrOk);
    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TFBACnet_Eng_Unit::~TFBACnet_Eng_Unit()
{
    if (FBACnet_Eng_Unit == this)
        FBACnet_Eng_Unit = nullptr;
}

void TFBACnet_Eng_Unit::FormCreate(TObject*)
{
    Frame_Create();
    Set_Lang();
}

void TFBACnet_Eng_Unit::FormShow(TObject* Sender)
{
    CB_Select_TypeSelect(Sender);
}

void TFBACnet_Eng_Unit::CB_Select_TypeSelect(TObject*)
{
    CB_Select_Unit->Clear();
    const Integer c = CB_Select_Type->ItemIndex();
    if (c < 0 || std::size_t(c) >= BACnet_Eng_Unit_Category_Count)
        return;
    const TBACnet_Eng_Unit_Category& category = BACnet_Eng_Unit_Categories[c];
    for (std::size_t u = 0; u < category.Count; ++u)
        CB_Select_Unit->Items()->Add(QLatin1String(category.Units[u].List_Text));
    CB_Select_Unit->SetItemIndex(0);
}

void TFBACnet_Eng_Unit::Btn_Select_Eng_UnitClick(TObject*)
{
    // Without a chosen category and unit there is nothing to take.
    const Integer c = CB_Select_Type->ItemIndex(), u = CB_Select_Unit->ItemIndex();
    if (c < 0 || std::size_t(c) >= BACnet_Eng_Unit_Category_Count || u < 0 ||
        std::size_t(u) >= BACnet_Eng_Unit_Categories[c].Count)
        return;
    const Integer number = BACnet_Eng_Unit_Categories[c].Units[u].Number;
    E_Selected_EU->SetText(QString::number(number));
    Label5->SetCaption(QStringLiteral("-> ") + Desc_Unit(number));
}

void TFBACnet_Eng_Unit::Set_Lang()
{
    const TStringList& t = *Language_Texts;
    SetCaption(t.Strings(1600));
    L_SW_Desc->SetCaption(t.Strings(1601));
    Btn_OK->SetCaption(t.Strings(1602));
    Btn_Cancel->SetCaption(t.Strings(1603));
    Label1->SetCaption(t.Strings(1604));
    Label2->SetCaption(t.Strings(1605));
    Label3->SetCaption(t.Strings(1606));
    Label4->SetCaption(t.Strings(1607));
    Btn_Select_Eng_Unit->SetCaption(t.Strings(1608));
}
