// The scan window's wired scan: starting, stopping and ending a scan, the
// progress list, the tree of meters and records, and saving the ticked ones
// into M_Bus.xml.
#include "mbus/UScanDecode.h"


#include "controls/FxButton.h"
#include "mbus/ScanDecodeControls.h"
#include "mbus/UMeter_BusTexts.h"
#include "mbus/UMBusScanDecode.h"
#include "mbus/UModbusStartAdd_SD.h"
#include "mbus/UScanModbusStart.h"
#include "platform/Canvas.h"
#include "platform/Dialogs.h"
#include "platform/DrawText.h"
#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "platform/Lists.h"
#include "platform/StdControls.h"
#include "platform/Text.h"
#include "platform/Timer.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"

namespace {

bool Start_Position_Codes(Integer Code)
{
    return Code == 0 || Code == 1 || Code == 9 || Code == 13 || Code == 14;
}

} // namespace



// ------------------------------------------------------------ starting and ending

void TFScanDecode::Select_Scan()
{
    if (Form_Type == 1 && CB_ScanMethod->ItemIndex() == 1)
        StarScanWireless();
    else
        StartScan();
}

void TFScanDecode::StartScan()
{
    if (TR_ScanDecode->InScan()) {
        Error_Box(mbus_editor::Lang(2126));
        return;
    }
    Cancel_Device_List();

    const TScanType scan = CB_ScanBy->ItemIndex() == 0 ? saPrimaryAddress : saSecondaryAddress;
    const TSelectHard hard = CB_HardwareType->ItemIndex() == 0 ? shEthernet : shSerial;
    const QString address = hard == shEthernet
                                ? E_IP1->Text() + QLatin1Char('.') + E_IP2->Text() + QLatin1Char('.') + E_IP3->Text()
                                      + QLatin1Char('.') + E_IP4->Text()
                                : QStringLiteral("\\\\.\\") + CB_ComPort->Text();
    const Integer baud = Text_To_Int(CB_MBus_Baud->Text(), 2400);
    const Integer parity = CB_MBus_Parity->ItemIndex();
    const Integer cut = Text_To_Int(E_Opt_Cut_After->Text(), 3);
    const Byte fix_value = CB_Opt_Use_Fix_C_Field_Value->ItemIndex() == 1 ? 1 : 0;

    {
        std::lock_guard<std::mutex> g(FUpdateLock);
        FPendingProgress.clear();
    }
    LB_AvailableDevice->Clear();
    LB_AvailableDevice->SetVisible(true);
    TR_ScanDecode->SaveXMLFile.clear();
    FWindow = Handle();
    const bool started = TR_ScanDecode->Start_Scan(
        scan, hard, address, baud, parity, CB_Opt_App_Reset->Checked(), CB_Opt_SND_NKE->Checked(), cut,
        CB_Opt_Use_Fix_C_Field->Checked(), fix_value, CB_Opt_Enable_Remote_Scan->Checked(),
        [this](Integer e, Integer v, Integer f, Integer m) { Update_Device_List(e, v, f, m); });
    if (!started) {
        Start_Failed();
        return;
    }
    Form_Style(2);
    T_InScan->SetEnabled(true);
}

void TFScanDecode::Start_Failed()
{
    // No scan runs: the window stays in its set-up, and a cyclic series ends.
    Cyclic_Scan = false;
    Form_Style(1);
    if (TR_ScanDecode->InScan()) {
        Error_Box(mbus_editor::Lang(2126));
        return;
    }
    const QString why = TR_ScanDecode->LastError();
    Error_Box(why.isEmpty() ? mbus_editor::Lang(2126) : why);
}

void TFScanDecode::StopScan()
{
    // Stopping a scan of a cyclic series ends the series.
    Cyclic_Scan = false;
    if (TR_ScanDecode->InScan())
        TR_ScanDecode->Stop_Scan();
}

void TFScanDecode::AbortScan()
{
    Cyclic_Scan = false;
    if (TR_ScanDecode->InScan())
        TR_ScanDecode->Abort_Scan();
}

void TFScanDecode::NewScan()
{
    Cancel_Device_List();
    Form_Style(1);
}

void TFScanDecode::Cancel_Device_List()
{
    {
        auto lock = TR_ScanDecode->Lock_Lists();
        for (Integer i = Wired_Slave_List ? Wired_Slave_List->Count() - 1 : -1; i >= 0; --i) {
            auto* meter = static_cast<TSlave_MBus*>(Wired_Slave_List->Items(i));
            while (!meter->List_Var.empty())
                meter->List_Var.pop_back();
            delete meter;
            Wired_Slave_List->Delete(i);
        }
    }
    Clear_Tree(false);
}

void TFScanDecode::T_InScanTimer(TObject*)
{
    T_InScan->SetEnabled(false);
    if (TR_ScanDecode->InScan()) {
        T_InScan->SetEnabled(true);
        return;
    }
    Deliver_Scan_Updates();
    const bool wireless = Form_Type == 1 && CB_ScanMethod->ItemIndex() == 1;
    if (TR_ScanDecode->Result() == 2) {
        // The converter did not confirm; where the link itself failed (an
        // address that is none, say) the reason goes with the message.
        const QString why = TR_ScanDecode->LastError();
        Error_Box(why.isEmpty() ? mbus_editor::Lang(2129) : mbus_editor::Lang(2129) + QLatin1Char('\n') + why);
        Form_Style(1);
    } else if (wireless) {
        Form_Style(5);
    } else {
        Form_Style(3);
        Show_Slave_in_Tree();
    }
    if (Cyclic_Scan) {
        TList* list = wireless ? Wireless_Slave_List.get() : Wired_Slave_List.get();
        const Integer count = list ? list->Count() : 0;
        if (count != 30) {
            ++Error_Cyclic;
            Label1->SetCaption(QString::number(count));
        }
        Select_Scan();
    }
}

void TFScanDecode::Ciclic1Click(TObject*)
{
    Cyclic_Scan = true;
    Error_Cyclic = 0;
    Select_Scan();
}

// ------------------------------------------------------------ progress

void TFScanDecode::Update_Device_List(Integer Event, Integer Value, Integer Found, Integer Mode)
{
    std::lock_guard<std::mutex> g(FUpdateLock);
    FPendingProgress.push_back({Event, Value, Found, Mode});
    Post_Update();
}

void TFScanDecode::Deliver_Scan_Updates()
{
    std::vector<TProgress> progress;
    std::map<Integer, TWirelessRow> rows;
    {
        std::lock_guard<std::mutex> g(FUpdateLock);
        progress.swap(FPendingProgress);
        rows.swap(FPendingRows);
        FPosted = false;
    }
    for (const TProgress& p : progress) {
        QString line;
        if (p.Mode == 1) {
            if (p.Event == 2)
                line = QStringLiteral("ID = ") + QString::number(p.Value) + QLatin1Char('\t')
                       + (p.Found == 0 ? QStringLiteral("[NOT FOUND]") : QString());
        } else if (p.Event == 1) {
            line = mbus_editor::Lang(2127);
        } else if (p.Event == 2) {
            line = QStringLiteral("ID = ") + IntToHex(Int64(LongWord(p.Value)), 8); // the 32-bit pattern
        } else if (p.Event == 3) {
            line = mbus_editor::Lang(2128);
        }
        if ((p.Mode == 1 && p.Event != 2) || (p.Mode != 1 && (p.Event < 1 || p.Event > 3)))
            continue;
        LB_AvailableDevice->Add(line);
        LB_AvailableDevice->SetTopIndex(LB_AvailableDevice->Count() - 1);
    }
    for (const auto& [index, row] : rows)
        Show_Wireless_Row(index, row);
}

void TFScanDecode::LB_AvailableDeviceDrawItem(const TOwnerDrawItem& Item)
{
    TCanvas* c = Item.Canvas;
    const QString text = Item.Text;
    if (!text.contains(QStringLiteral("[NOT FOUND]"))) {
        c->Font()->SetColor(clBlue);
        TRect r = Item.Rect;
        DrawText(c, text, r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    c->Font()->SetColor(clRed);
    const qsizetype bracket = text.indexOf(QLatin1Char('['));
    TRect left(Item.Rect.Left, Item.Rect.Top, Item.Rect.Left + 70, Item.Rect.Bottom);
    DrawText(c, Trim(text.left(bracket)), left, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    TRect right(70, Item.Rect.Top, Item.Rect.Right - 1, Item.Rect.Bottom);
    DrawText(c, Trim(text.mid(bracket)), right, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// ------------------------------------------------------------ the tree







// ------------------------------------------------------------ saving

void TFScanDecode::Select_SaveXML(Integer Type_SaveXML)
{
    Integer start = 1;
    bool append = false;
    if (FileExists(FileName_MBus)) {
        const Integer answer = Application->MessageBox(mbus_editor::Lang(2137), Application->Title(),
                                                       MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer != IDYES && answer != IDNO)
            return;
        append = answer == IDYES;
    }
    if (Type_SaveXML == 1 && Start_Position_Codes(XML_Code_Dev)) {
        Carica_Dati_Modbus_Start_Add();
        if (!FModbusStartAdd_SD || FModbusStartAdd_SD->ShowModal() != mrOk)
            return;
    } else if (Type_SaveXML == 0 && append && Start_Position_Codes(XML_Code_Dev)) {
        if (!FScanModbusStart || FScanModbusStart->ShowModal() != mrOk)
            return;
        start = FScanModbusStart->StartModAdd;
    }
    if (Form_Type == 1 && CB_ScanMethod->ItemIndex() == 1)
        SaveXMLWireless(append, start, Type_SaveXML);
    else
        SaveXML(append, start, Type_SaveXML);
}



void TFScanDecode::SaveXML(bool Append, Integer Start_Modbus, Integer Start_Modbus_node)
{
    TSaveConfXML o = Save_Options(Append, Start_Modbus, Start_Modbus_node);
    o.Index_Baud = CB_MBus_Baud->ItemIndex();
    o.Index_Par = CB_MBus_Parity->ItemIndex();
    o.SND_NKE = CB_Opt_SND_NKE->Checked() ? 1 : 0;
    o.Reset_App = CB_Opt_App_Reset->Checked() ? 1 : 0;
    o.Cut_After = Text_To_Int(E_Opt_Cut_After->Text(), 3);
    Save_Network(o, false);
}

void TFScanDecode::Save_Network(const TSaveConfXML& Options, bool Wireless)
{
    bool written = false;
    try {
        auto lock = TR_ScanDecode->Lock_Lists();
        const bool bcd = CB_Opt_Check_BCD_to_Int->Checked();
        written = Wireless ? TR_ScanDecode->Save_XML_Conf_Wireless(Options, bcd)
                           : TR_ScanDecode->Save_XML_Conf_Wired(Options, bcd);
    } catch (const EScanFileError& e) {
        // The file stays as it was; the user learns why.
        Error_Box(QString::fromStdString(e.what()));
        return;
    }
    if (written)
        Application->MessageBox(mbus_editor::Lang(2130), Application->Title(), MB_OK | MB_ICONINFORMATION);
}
