#include "fieldbus/UDMXDefVal.h"

#include <algorithm>

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/FileSystem.h"
#include "platform/XmlDocument.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"

TFDMXDefVal* FDMXDefVal = nullptr;

namespace {

constexpr Integer Default_Channels = 512;

constexpr TRuleColumn Columns[] = {
    {"Default_Value", reText, 120, 4007, 4009, rmDefault, "0"},
    {"Mnemonic", reText, 280, 4008, 4010, rmDefault, ""},
};

const TRuleTable Table{nullptr, Columns, 4006, -1, 1, false};
const TRuleGridLook Look{true, false, true, true, true};
// No row buttons: the rows are the channels.
const TRuleTexts Texts{4000, 4001, {4002, 4003, -1, -1, -1, -1}, {4004, 4005, -1, -1, -1, -1}, -1, 4011};
const TRuleFile File{&DMX_Default_Values_File, "DMX_Default_Values", "1.000"};

} // namespace

Integer DMX_Channel_Count(const QString& ParGen_File)
{
    if (!FileExists(ParGen_File))
        return Default_Channels;
    TXMLDocument doc;
    if (!doc.LoadFromFile(ParGen_File))
        return Default_Channels;
    const TXMLNode node = doc.Root().FindChild(QStringLiteral("DMX_Num_Channels"));
    Integer count = 0;
    if (!node || !Try_Text_To_Int(node.Text(), count))
        return Default_Channels;
    return std::max<Integer>(count, 0);
}

TFDMXDefVal::TFDMXDefVal(TComponent* AOwner)
    : TRuleTableForm(AOwner, QStringLiteral("FDMXDefVal"), 475, 337, Texts, File)
{
    ACG_DMX_Def_Val = Add_Grid(Table, Look, "ACG_DMX_Def_Val", Default_Channels);
    ACG_DMX_Def_Val->Columns()->Items(0)->SetWidth(60);  // room for "Channel"
    for (TFxButton* b : {Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow})
        b->SetVisible(false);
}

TFDMXDefVal::~TFDMXDefVal()
{
    if (FDMXDefVal == this)
        FDMXDefVal = nullptr;
}

void TFDMXDefVal::Prepare_Show()
{
    ACG_DMX_Def_Val->SetRowCount(DMX_Channel_Count(ParGen_File) + 1);
}

void TFDMXDefVal::Set_Limits()
{
    for (Integer r = 1; r < ACG_DMX_Def_Val->GetRowCount(); ++r)
        ACG_DMX_Def_Val->SetCellEx(1, r, QStringLiteral("0"));
}

Integer TFDMXDefVal::Write_End(Integer) const
{
    return ACG_DMX_Def_Val->GetRowCount();
}

bool TFDMXDefVal::Controllo_dati()
{
    for (Integer r = 1; r < ACG_DMX_Def_Val->GetRowCount(); ++r)
        if (!Check_Range(0, r, 1, 0, 255, 4012))
            return false;
    return true;
}
