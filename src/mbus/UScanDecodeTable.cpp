// The scan window's grids: the table of the wireless meters heard, and the
// per-meter start positions of the save dialog, with the writer's options
// read from it.
#include "mbus/UScanDecode.h"

#include "grid/ExGrid.h"
#include "grid/columns/ExColumnGrid.h"
#include "mbus/UModbusStartAdd_SD.h"
#include "mbus/UMBusScanDecode.h"
#include "platform/Lists.h"
#include "platform/StdControls.h"
#include "shell/DialogFrame.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"

namespace {

constexpr Integer Wireless_Cols = 13;
constexpr TColor Cripted_Color = TColor(0xB9BBFF);
constexpr TColor Plain_Color = TColor(0xA8FFA8);
constexpr TColor Blank_Color = TColor(0xFFFFFF);

} // namespace

void TFScanDecode::Make_Wireless_Grid()
{
    ESG_Wireless = Make_Control<TExStringGrid>(this, P_W_Table, "ESG_Wireless");
    ESG_Wireless->SetAlign(alClient);
    ESG_Wireless->SetColCount(13);
    ESG_Wireless->SetRowCount(2);
    ESG_Wireless->SetFixedRows(1);
    ESG_Wireless->SetFixedCols(1);
    ESG_Wireless->SetOptions((ESG_Wireless->Options() | goRowSelect | goColSizing) & ~goEditing);
    ESG_Wireless->SetRowHeights(0, 22);
    ESG_Wireless->SetGridImages(IL_Wireless_Table.get());
    const char* headers[] = {"N", "Date Time", "Message Type", "Manufacturer (LLA)", "Address (LLA)", "Version (LLA)",
                             "Device Type (LLA)", "Manufacturer (ALA)", "Address (ALA)", "Version (ALA)",
                             "Device Type (ALA)", "RSSI", "Cripted"};
    for (Integer c = 0; c < 13; ++c)
        ESG_Wireless->SetCellEx(c, 0, QString::fromLatin1(headers[c]));
    ESG_Wireless->OnClickCell = [this](TObject* s, Integer r, Integer c) { ESG_WirelessClickCell(s, r, c); };
    ESG_Wireless->OnDblClickCell = [this](TObject* s, Integer r, Integer c) { ESG_WirelessDblClickCell(s, r, c); };
}

void TFScanDecode::Carica_Dati_Modbus_Start_Add()
{
    if (!FModbusStartAdd_SD)
        return;
    TExColumnGrid* sga = FModbusStartAdd_SD->sga;
    const bool wireless = Form_Type == 1 && CB_ScanMethod->ItemIndex() == 1;
    auto lock = TR_ScanDecode->Lock_Lists();
    TList* list = wireless ? Wireless_Slave_List.get() : Wired_Slave_List.get();
    const Integer count = list ? list->Count() : 0;
    sga->SetRowCount(count + 1);
    if (count > 0)
        sga->SetFixedRows(1);
    for (Integer i = 0; i < count; ++i) {
        QString id;
        if (wireless) {
            id = QString::number(static_cast<TSlave_wMBus*>(list->Items(i))->ALA_Address);
        } else {
            const auto* meter = static_cast<TSlave_MBus*>(list->Items(i));
            id = QString::number(meter->Primary_Addresss) + QStringLiteral(" - ") + meter->Secondary_Addresss;
        }
        sga->SetCellEx(0, i + 1, id);
        sga->SetCellEx(1, i + 1, QStringLiteral("1"));
    }
}

TSaveConfXML TFScanDecode::Save_Options(bool Append, Integer Start_Modbus, Integer Start_Modbus_node) const
{
    TSaveConfXML o;
    o.Append = Append ? 1 : 0;
    o.XML_Code_Dev = XML_Code_Dev;
    o.Mod_Start = Start_Modbus;
    o.Node_ID_Type = CB_ScanBy->ItemIndex();
    o.StartModnode = Start_Modbus_node;
    if (FModbusStartAdd_SD) {
        const TExColumnGrid* sga = FModbusStartAdd_SD->sga;
        for (Integer r = 1; r < sga->GetRowCount(); ++r)
            o.SMN_Array.push_back(Text_To_Int(sga->GetCellEx(1, r), 1));
        o.En_NodeState = FModbusStartAdd_SD->CB_En_NodeState->Checked();
        o.En_IdeNum = FModbusStartAdd_SD->CB_En_IndNum->Checked();
    }
    o.File_Name = FileName_MBus;
    return o;
}

void TFScanDecode::Show_Wireless_Row(Integer Index, const TWirelessRow& Row)
{
    if (ESG_Wireless->GetRowCount() < Index + 2)
        ESG_Wireless->SetRowCount(Index + 2);
    const Integer r = Index + 1;
    for (Integer c = 0; c < Wireless_Cols; ++c) {
        ESG_Wireless->SetCellEx(c, r, Row.Cells[c]);
        if (c > 0)
            ESG_Wireless->GetCellProperties(c, r)->SetBrushColor(Row.Cripted ? Cripted_Color : Plain_Color);
    }
    ESG_Wireless->RemoveImageIdx(Wireless_Cols - 1, r);
    ESG_Wireless->AddImageIdx(Wireless_Cols - 1, r, Row.Cripted ? 0 : 1, haCenter, vaCenter);
}

void TFScanDecode::Colomns_Width_Init()
{
    const Integer widths[Wireless_Cols] = {40, 65, 90, 120, 90, 85, 110, 120, 90, 85, 110, 50, 70};
    for (Integer c = 0; c < Wireless_Cols; ++c)
        ESG_Wireless->SetColWidths(c, widths[c]);
}

void TFScanDecode::Cancel_Grid_Wireless()
{
    ESG_Wireless->SetRowCount(2);
    ESG_Wireless->SetCellEx(0, 1, QString());
    for (Integer c = 1; c < ESG_Wireless->GetColCount(); ++c) {
        ESG_Wireless->SetCellEx(c, 1, QString());
        ESG_Wireless->GetCellProperties(c, 1)->SetBrushColor(Blank_Color);
    }
    ESG_Wireless->RemoveImageIdx(Wireless_Cols - 1, 1);
}
