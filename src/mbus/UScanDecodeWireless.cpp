// The scan window's wireless view: the table of the meters heard, filled
// while the scan listens, the tree of the clicked meter's records, key entry
// for encrypted meters, starting a wireless scan and saving the meters.
//
// The listener thread changes the meters (a new telegram replaces a meter's
// records) while the window shows them: every read of Wireless_Slave_List
// here holds the engine's lock, and indexes are checked under it.
#include "mbus/UScanDecode.h"

#include <algorithm>

#include "mbus/UMeter_BusTexts.h"
#include "mbus/UInsertKeyWireless.h"
#include "mbus/UMBusScanDecode.h"
#include "platform/Dialogs.h"
#include "platform/Lists.h"
#include "platform/StdControls.h"
#include "platform/Text.h"
#include "platform/Timer.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"

namespace {

constexpr Integer Wireless_Cols = 13;

TSlave_wMBus* Wireless_Meter(Integer i)
{
    return Wireless_Slave_List && i >= 0 && i < Wireless_Slave_List->Count()
               ? static_cast<TSlave_wMBus*>(Wireless_Slave_List->Items(i))
               : nullptr;
}

QString Dec_Hex(Byte Value)
{
    return QString::number(Value) + QStringLiteral(" (") + IntToHex(Value, 2) + QLatin1Char(')');
}

} // namespace

void TFScanDecode::StarScanWireless()
{
    if (TR_ScanDecode->InScan()) {
        Error_Box(mbus_editor::Lang(2126));
        return;
    }
    const Integer port = Text_To_Int(E_Port->Text(), -1);
    if (port < 0 || port > 65535) {
        Error_Box(mbus_editor::Lang(2138));
        return;
    }
    Cancel_Device_List_Wireless();
    const QString address = E_IP1->Text() + QLatin1Char('.') + E_IP2->Text() + QLatin1Char('.') + E_IP3->Text()
                            + QLatin1Char('.') + E_IP4->Text();
    Integer mode = 1;
    switch (CB_wMBus_Mode->ItemIndex()) {
    case 1: mode = 5; break;
    case 2: mode = 15; break;
    case 3: mode = 17; break;
    case 4: mode = 11; break;
    default: break;
    }
    const Integer channel = CB_wMBus_Radio_Channel->ItemIndex();
    Cancel_Grid_Wireless();
    FWindow = Handle();
    const bool started = TR_ScanDecode->Start_Scan_Wireless(
        shEthernet, address, Word(port), mode, channel, CB_Opt_Enable_Remote_Scan->Checked(),
        [this](Integer i, TSlave_wMBus* m) { Update_Wireless_Row(i, m); }, false);
    if (!started) {
        Start_Failed();
        return;
    }
    Form_Style(4);
    T_InScan->SetEnabled(true);
}

void TFScanDecode::Update_Wireless_Row(Integer Index, TSlave_wMBus* Slave)
{
    // The listener thread calls this holding the engine's lock.
    const TSlave_wMBus* m = Slave ? Slave : Wireless_Meter(Index);
    if (!m || Index < 0)
        return;
    TWirelessRow row;
    row.Cells[0] = QString::number(Index + 1);
    row.Cells[1] = DateTimeToStr(m->DateTime);
    row.Cells[2] = QStringLiteral("0x") + IntToHex(m->Message_Type, 2);
    row.Cells[3] = m->LLA_Manu_str + QLatin1Char('(') + IntToHex(m->LLA_Manufacturer, 4) + QLatin1Char(')');
    row.Cells[4] = IntToHex(m->LLA_Address, 8);
    row.Cells[5] = Dec_Hex(m->LLA_Version);
    row.Cells[6] = Dec_Hex(m->LLA_DeviceType);
    row.Cells[7] = m->ALA_Manu_str + QLatin1Char('(') + IntToHex(m->ALA_Manufacturer, 4) + QLatin1Char(')');
    row.Cells[8] = IntToHex(m->ALA_Address, 8);
    row.Cells[9] = Dec_Hex(m->ALA_Version);
    row.Cells[10] = Dec_Hex(m->ALA_DeviceType);
    row.Cells[11] = QString::number(m->RSSI);
    row.Cripted = m->Cripted;
    std::lock_guard<std::mutex> g(FUpdateLock);
    FPendingRows[Index] = row;
    Post_Update();
}




void TFScanDecode::Cancel_Device_List_Wireless()
{
    {
        auto lock = TR_ScanDecode->Lock_Lists();
        for (Integer i = Wireless_Slave_List ? Wireless_Slave_List->Count() - 1 : -1; i >= 0; --i) {
            auto* meter = static_cast<TSlave_wMBus*>(Wireless_Slave_List->Items(i));
            meter->Cancel_Var();
            delete meter;
            Wireless_Slave_List->Delete(i);
        }
    }
    {
        // Rows of the meters just freed must not come back.
        std::lock_guard<std::mutex> g(FUpdateLock);
        FPendingRows.clear();
    }
    Cancel_Grid_Wireless();
    Clear_Tree(true);
    FShownWireless = -1;
}

void TFScanDecode::ESG_WirelessClickCell(TObject*, Integer ARow, Integer)
{
    Integer count = 0;
    {
        auto lock = TR_ScanDecode->Lock_Lists();
        count = Wireless_Slave_List ? Wireless_Slave_List->Count() : 0;
    }
    if (ARow < 1 || ARow - 1 >= count)
        return;
    Clear_Tree(true);
    Show_Slave_in_Tree_Wireless(ARow - 1);
}




TPoint TFScanDecode::Key_Dialog_Place(TPoint P, TPoint Q) const
{
    const Integer w = FInsertKeyWireless ? FInsertKeyWireless->Width() : 0;
    const Integer h = FInsertKeyWireless ? FInsertKeyWireless->Height() : 0;
    const Integer dx = std::max(0, w + Q.X - ClientWidth());
    const Integer dy = std::max(0, h + Q.Y - ClientHeight());
    return TPoint(P.X - dx, P.Y - dy);
}

void TFScanDecode::ESG_WirelessDblClickCell(TObject*, Integer ARow, Integer)
{
    const TPoint p = GetCursorPos();
    const TPoint place = Key_Dialog_Place(p, ScreenToClient(p));
    bool cripted = false;
    {
        auto lock = TR_ScanDecode->Lock_Lists();
        const TSlave_wMBus* meter = ARow > 0 ? Wireless_Meter(ARow - 1) : nullptr;
        cripted = meter && meter->Cripted;
    }
    if (!cripted || !FInsertKeyWireless)
        return;
    FInsertKeyWireless->SetLeft(place.X);
    FInsertKeyWireless->SetTop(place.Y);
    if (FInsertKeyWireless->ShowModal() != mrOk)
        return;
    const QString text = FInsertKeyWireless->E_Key->Text();
    std::array<Byte, 16> key {};
    for (Integer i = 0; i < 16; ++i)
        key[size_t(i)] = Byte(Text_To_Int(QStringLiteral("0x") + Trim(text.mid(2 * i, 2)), 0));
    TR_ScanDecode->Insert_Wireless_Key(ARow - 1, key);
}

void TFScanDecode::SaveXMLWireless(bool Append, Integer Start_Modbus, Integer Start_Modbus_node)
{
    TSaveConfXML o = Save_Options(Append, Start_Modbus, Start_Modbus_node);
    o.Index_Baud = 0;
    o.Index_Par = 0;
    o.SND_NKE = 0;
    o.Reset_App = 0;
    o.Cut_After = 3;
    Save_Network(o, true);
}
