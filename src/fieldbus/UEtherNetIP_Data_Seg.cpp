#include "fieldbus/UEtherNetIP_Data_Seg.h"

#include <limits>

#include "controls/FxButton.h"
#include "grid/ExGrid.h"
#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/Text.h"
#include "shell/TextChecks.h"
#include "shell/ULanguage.h"

TFEtherNetIP_Data_Seg* FEtherNetIP_Data_Seg = nullptr;

namespace {

constexpr Integer Col_Value = 4;
constexpr Integer Col_Enum_Value = 8;
constexpr Integer Columns = 9;
constexpr Integer Column_Widths[Columns] = {45, 100, 60, 60, 200, 60, 60, 60, 60};

} // namespace

TFEtherNetIP_Data_Seg::TFEtherNetIP_Data_Seg(TComponent* AOwner)
    : TStepDialog(AOwner, QStringLiteral("FEtherNetIP_Data_Seg"), 800, 337)
{
    Label1->SetVisible(false);
    Btn_OK->SetModalResult(mrNone);
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };

    ESG_DataSeg = Make_Control<TExStringGrid>(this, this, "ESG_DataSeg");
    ESG_DataSeg->SetAlign(alClient);
    ESG_DataSeg->SetOptions(ESG_DataSeg->Options() | goEditing);
    ESG_DataSeg->OnGetEditorType = [this](TObject* s, Integer c, Integer r, TEditorType& e) {
        ESG_DataSegGetEditorType(s, c, r, e);
    };
    ESG_DataSeg->OnComboChange = [this](TObject* s, Integer c, Integer r, Integer i, const QString& t) {
        ESG_DataSegComboChange(s, c, r, i, t);
    };

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFEtherNetIP_Data_Seg::~TFEtherNetIP_Data_Seg()
{
    if (FEtherNetIP_Data_Seg == this)
        FEtherNetIP_Data_Seg = nullptr;
}

std::unique_ptr<TTargetConfig> TFEtherNetIP_Data_Seg::CopyTargetConf(const TTargetConfig& Source)
{
    return std::make_unique<TTargetConfig>(Source);
}

void TFEtherNetIP_Data_Seg::FormCreate(TObject*)
{
    Frame_Create();
    Set_Lang();
    Init_Table();
}

void TFEtherNetIP_Data_Seg::Set_Lang()
{
    SetCaption(Lang_Text(6300));
    L_SW_Desc->SetCaption(Lang_Text(6301));
    Btn_OK->SetCaption(Lang_Text(6302));
    Btn_Cancel->SetCaption(Lang_Text(6303));
    Btn_OK->SetHint(Lang_Text(6304));
    Btn_Cancel->SetHint(Lang_Text(6305));
    for (Integer c = 0; c < Columns; ++c)
        ESG_DataSeg->SetCells(c, 0, Lang_Text(6306 + c));
}

void TFEtherNetIP_Data_Seg::Init_Table()
{
    ESG_DataSeg->SetColCount(Columns);
    ESG_DataSeg->SetRowCount(2);
    for (Integer c = 0; c < Columns; ++c) {
        ESG_DataSeg->SetCells(c, 0, Lang_Text(6306 + c));
        ESG_DataSeg->SetColWidths(c, Column_Widths[c]);
    }
}

void TFEtherNetIP_Data_Seg::FormShow(TObject*)
{
    TExStringGrid* g = ESG_DataSeg;
    const Integer count = TC ? Integer(TC->ListParamObject.size()) : 0;
    if (count == 0) {
        g->SetRowCount(2);
        for (Integer c = 0; c < g->ColCount() + g->NumHiddenColumns(); ++c)
            g->SetCells(c, 1, QString());
        return;
    }
    g->SetRowCount(count + 1);
    for (Integer k = 1; k <= count; ++k) {
        const TTC_ParamObj& p = TC->ListParamObject[size_t(k - 1)];
        const QString cells[Columns] = {
            QString::number(k),
            p.Name,
            QString::number(p.DataSizeByte),
            QString::number(p.DataType),
            p.Enum ? p.GetEnumString() : QString::number(p.Value),
            QString::number(p.Default),
            QString::number(p.Min),
            QString::number(p.Max),
            p.Enum ? QString::number(p.Value) : QString(),
        };
        for (Integer c = 0; c < Columns; ++c) {
            g->SetCells(c, k, cells[c]);
            // Only the value is typed or chosen.
            g->SetReadOnly(c, k, c != Col_Value);
        }
        g->SetColors(Col_Value, k, RGB(224, 250, 254));
    }
}

void TFEtherNetIP_Data_Seg::ESG_DataSegGetEditorType(TObject*, Integer ACol, Integer ARow, TEditorType& AEditor)
{
    if (ACol != Col_Value)
        return;
    ESG_DataSeg->ClearComboString();
    const bool named = TC && ARow >= 1 && ARow <= Integer(TC->ListParamObject.size()) &&
                       TC->ListParamObject[size_t(ARow - 1)].Enum;
    if (!named) {
        AEditor = edNormal;
        return;
    }
    AEditor = edComboList;
    for (const QString& s : TC->ListParamObject[size_t(ARow - 1)].EnumString)
        ESG_DataSeg->AddComboString(s);
}

void TFEtherNetIP_Data_Seg::ESG_DataSegComboChange(TObject*, Integer ACol, Integer ARow, Integer,
                                                   const QString& ASelection)
{
    if (!TC || ACol != Col_Value || ARow < 1 || ARow > Integer(TC->ListParamObject.size()))
        return;
    TTC_ParamObj& p = TC->ListParamObject[size_t(ARow - 1)];
    p.Value = p.SetValueFromEnum(ASelection);
    ESG_DataSeg->SetCells(Col_Enum_Value, ARow, QString::number(p.Value));
}

bool TFEtherNetIP_Data_Seg::Check_Value()
{
    if (!TC)
        return true;
    for (size_t i = 0; i < TC->ListParamObject.size(); ++i) {
        const TTC_ParamObj& p = TC->ListParamObject[i];
        if (p.Enum)
            continue;
        Int64 v = 0;
        // Unreadable text is below every limit.
        const bool number = Try_Text_To_Int64(ESG_DataSeg->Cells(Col_Value, Integer(i) + 1), v);
        if (number && v >= p.Min && v <= p.Max)
            continue;
        QString text;
        try {
            text = Format(Lang_Text(6315), {Integer(i) + 1, static_cast<long long>(p.Min), static_cast<long long>(p.Max)});
        } catch (const std::exception&) {
            // A translation with a broken specifier still tells the fault.
            text = Lang_Text(6315);
        }
        Application->MessageBox(text, Application->Title(), MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

void TFEtherNetIP_Data_Seg::Btn_OKClick(TObject*)
{
    if (!Check_Value())
        return;
    if (TC)
        for (size_t i = 0; i < TC->ListParamObject.size(); ++i) {
            TTC_ParamObj& p = TC->ListParamObject[i];
            if (!p.Enum)
                p.Value = Text_To_Int64(ESG_DataSeg->Cells(Col_Value, Integer(i) + 1), p.Value);
        }
    SetModalResult(mrOk);
}
