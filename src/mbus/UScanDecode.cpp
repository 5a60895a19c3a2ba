// The scan window: creation, texts, the layout of the scan options, the
// window's styles, showing and closing, and the delivery of the scan
// threads' updates.
#include "mbus/UScanDecode.h"

#include <QImage>
#include <QPainter>

#include "controls/FxButton.h"
#include "mbus/ScanDecodeControls.h"
#include "mbus/UMeter_BusTexts.h"
#include "mbus/UMBusScanDecode.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "platform/Bitmap.h"
#include "platform/ImageList.h"
#include "platform/Menus.h"
#include "platform/Messages.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/Timer.h"
#include "platform/XmlDocument.h"
#include "shell/ButtonLook.h"
#include "shell/DialogFrame.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"

TFScanDecode* FScanDecode = nullptr;

namespace {

constexpr Integer Client_Width = 660;
constexpr Integer Wired_Height = 523;
constexpr Integer Method_Height = 571;
constexpr Integer Label_Left = 32;
constexpr Integer Heading_Left = 16;
constexpr Integer Input_Left = 176;
constexpr Integer Button_Width = 145;
constexpr Integer Button_Height = 28;
constexpr Integer Button_Gap = 8;

bool Code_In(Integer Code, std::initializer_list<Integer> Codes)
{
    return std::find(Codes.begin(), Codes.end(), Code) != Codes.end();
}

void Set_Items(TComboBox* Combo, std::initializer_list<QString> Items, Integer Index)
{
    Combo->Items()->Clear();
    for (const QString& s : Items)
        Combo->Items()->Add(s);
    Combo->SetItemIndex(Index);
}

// Puts a label at (left, top) and an input 3 pixels higher at Input_Left.
void Place_Row(TControl* Label, Integer Left, Integer Top, TControl* Input)
{
    Label->SetLeft(Left);
    Label->SetTop(Top);
    Label->SetVisible(true);
    if (Input) {
        Input->SetLeft(Input_Left);
        Input->SetTop(Top - 3);
        Input->SetVisible(true);
    }
}

// A 16 x 16 picture of the tree's levels and the table's lock marks.
QImage Glyph(QColor Fill, int Shape)
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Fill.darker(160), 1));
    p.setBrush(Fill);
    switch (Shape) {
    case 0: // a meter: a box with a dial
        p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 2, 2);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(4.5, 4.5, 7, 7));
        break;
    case 1: // a record: a disc
        p.drawEllipse(QRectF(3.5, 3.5, 9, 9));
        break;
    case 2: // a detail: a small square
        p.drawRect(QRectF(5.5, 5.5, 5, 5));
        break;
    default: { // a padlock, shut (3) or open (4)
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Fill.darker(160), 2));
        p.drawArc(QRectF(4, Shape == 3 ? 1 : -1, 8, 9), 0, 180 * 16);
        p.setPen(QPen(Fill.darker(160), 1));
        p.setBrush(Fill);
        p.drawRect(QRectF(2.5, 7.5, 11, 7));
        break;
    }
    }
    return img;
}

} // namespace

TFScanDecode::TFScanDecode(TComponent* AOwner)
    : TForm(AOwner), XML1(std::make_unique<TXMLDocument>())
{
    SetName(QStringLiteral("FScanDecode"));
    Set_Window_Look(this);
    SetBorderStyle(bsSizeable);
    SetBorderIcons(biSystemMenu | biMaximize);
    SetClientSize(Client_Width, Wired_Height);

    Make_Title_Panel(this, P_Title, L_SW_Code, L_SW_Desc);

    Make_Buttons();
    Make_Images();
    Make_Main_Panel();
    Make_Tree_Panel();
    Make_Wireless_Panel();

    T_InScan = new TTimer(this);
    T_InScan->SetEnabled(false);
    T_InScan->SetInterval(1000);
    T_InScan->OnTimer = [this](TObject* s) { T_InScanTimer(s); };
    PopupMenu1 = new TPopupMenu(this);
    Ciclic1 = new TMenuItem(this);
    Ciclic1->SetCaption(QStringLiteral("Scan Cyclic"));
    Ciclic1->OnClick = [this](TObject* s) { Ciclic1Click(s); };
    PopupMenu1->Items()->Add(Ciclic1);

    Set_Buttons_Look(this);
    FUpdateMessage = RegisterWindowMessage(QStringLiteral("Arvinto_Scan_Update"));
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

TFScanDecode::~TFScanDecode()
{
    // The engine's thread ends first: nothing calls back into the window after.
    TR_ScanDecode.reset();
    Clear_Trees();
    // The controls go while the image lists they draw from are still there.
    DestroyComponents();
    if (FScanDecode == this)
        FScanDecode = nullptr;
}

void TFScanDecode::Make_Buttons()
{
    P_Button = Make_Control<TPanel>(this, this, "P_Button");
    P_Button->SetAlign(alBottom);
    P_Button->SetHeight(44);
    P_Button->SetBevelOuter(bvNone);
    P_Button->SetShowCaption(false);
    const char* names[] = {"Btn_StartScan", "Btn_StopScan", "Btn_AbortScan", "Btn_NewScan", "Btn_SaveConf",
                           "Btn_SaveConfManual"};
    TFxButton** fields[] = {&Btn_StartScan, &Btn_StopScan, &Btn_AbortScan, &Btn_NewScan, &Btn_SaveConf,
                            &Btn_SaveConfManual};
    for (size_t i = 0; i < std::size(names); ++i) {
        TFxButton* b = Make_Control<TFxButton>(this, P_Button, names[i]);
        b->SetBounds(Button_Gap, 8, Button_Width, Button_Height);
        b->OnClick = [this](TObject* s) { BtnClick(s); };
        *fields[i] = b;
    }
}

namespace {

void Add_Glyph(TCustomImageList* List, const QImage& Image)
{
    TBitmap bmp;
    bmp.SetImage(Image);
    List->Add(&bmp, nullptr);
}

} // namespace

void TFScanDecode::Make_Images()
{
    IL_Tree1 = std::make_unique<TImageList>(16, 16);
    Add_Glyph(IL_Tree1.get(), Glyph(QColor(70, 120, 200), 0));
    Add_Glyph(IL_Tree1.get(), Glyph(QColor(60, 170, 90), 1));
    Add_Glyph(IL_Tree1.get(), Glyph(QColor(150, 150, 150), 2));
    IL_Wireless_Table = std::make_unique<TImageList>(16, 16);
    Add_Glyph(IL_Wireless_Table.get(), Glyph(QColor(210, 60, 50), 3));
    Add_Glyph(IL_Wireless_Table.get(), Glyph(QColor(50, 160, 70), 4));
}

void TFScanDecode::Make_Main_Panel()
{
    P_Main = Make_Control<TPanel>(this, this, "P_Main");
    P_Main->SetAlign(alClient);
    P_Main->SetBevelOuter(bvNone);
    P_Main->SetShowCaption(false);

    auto label = [this](const char* name) {
        TLabel* l = Make_Control<TLabel>(this, P_Main, name);
        l->SetBounds(Label_Left, 0, 140, 14);
        return l;
    };
    auto combo = [this](const char* name, Integer width = 160) {
        TComboBox* c = Make_Control<TComboBox>(this, P_Main, name);
        c->SetStyle(csDropDownList);
        c->SetBounds(Input_Left, 0, width, 21);
        c->OnChange = [this](TObject* s) { CB_HardwareTypeChange(s); };
        return c;
    };
    auto edit = [this](const char* name, Integer left, const char* text) {
        TEdit* e = Make_Control<TEdit>(this, P_Main, name);
        e->SetBounds(left, 0, 55, 21);
        e->SetText(QString::fromLatin1(text));
        return e;
    };
    auto check = [this](const char* name) {
        TCheckBox* c = Make_Control<TCheckBox>(this, P_Main, name);
        c->SetBounds(Label_Left, 0, 320, 17);
        return c;
    };

    L_ScanMethod = label("L_ScanMethod");
    CB_ScanMethod = combo("CB_ScanMethod");
    L_ScanBy = label("L_ScanBy");
    CB_ScanBy = combo("CB_ScanBy");
    L_HardwareType = label("L_HardwareType");
    CB_HardwareType = combo("CB_HardwareType");
    L_IP = label("L_IP");
    E_IP1 = edit("E_IP1", 176, "192");
    E_IP2 = edit("E_IP2", 242, "168");
    E_IP3 = edit("E_IP3", 308, "2");
    E_IP4 = edit("E_IP4", 374, "205");
    for (TEdit* e : {E_IP1, E_IP2, E_IP3, E_IP4})
        e->OnKeyPress = [this](TObject* s, QChar& k) { KeyPress(s, k); };
    L_IP_Dot1 = label("L_IP_Dot1");
    L_IP_Dot2 = label("L_IP_Dot2");
    L_IP_Dot3 = label("L_IP_Dot3");
    for (TLabel* d : {L_IP_Dot1, L_IP_Dot2, L_IP_Dot3}) {
        d->SetCaption(QStringLiteral("."));
        d->SetWidth(4);
    }
    L_Port = label("L_Port");
    E_Port = edit("E_Port", Input_Left, "502");
    L_ComPort = label("L_ComPort");
    CB_ComPort = combo("CB_ComPort", 120);
    Btn_COM_List = Make_Control<TFxButton>(this, P_Main, "Btn_COM_List");
    Btn_COM_List->SetBounds(0, 0, 26, 26);
    Btn_COM_List->SetCaption(QStringLiteral("..."));
    Btn_COM_List->SetHint(QStringLiteral("Update COM Ports List"));
    Btn_COM_List->SetShowHint(true);
    Btn_COM_List->OnClick = [this](TObject* s) { Btn_COM_ListClick(s); };

    L_MBus_ParGen = label("L_MBus_ParGen");
    L_MBus_ParGen->Font()->SetStyle(fsBold);
    L_MBus_Baud = label("L_MBus_Baud");
    CB_MBus_Baud = combo("CB_MBus_Baud", 100);
    Set_Items(CB_MBus_Baud, {"300", "600", "1200", "2400", "4800", "9600", "19200", "38400"}, 3);
    L_MBus_Parity = label("L_MBus_Parity");
    CB_MBus_Parity = combo("CB_MBus_Parity", 100);
    Set_Items(CB_MBus_Parity, {"NONE", "EVEN", "ODD"}, 1);
    L_wMBus_Mode = label("L_wMBus_Mode");
    CB_wMBus_Mode = combo("CB_wMBus_Mode", 100);
    Set_Items(CB_wMBus_Mode, {"S", "T", "N1", "N2", "C"}, 0);
    L_wMBus_Radio_Channel = label("L_wMBus_Radio_Channel");
    CB_wMBus_Radio_Channel = combo("CB_wMBus_Radio_Channel", 160);
    Set_Items(CB_wMBus_Radio_Channel,
              {"1a @ 4800 bps", "1b @ 4800 bps", "2a @ 2400 bps", "2b @ 2400 bps", "3a @ 4800 bps", "3b @ 4800 bps",
               "0 @ 19200 bps", "2a @ 4800 bps", "2b @ 4800 bps"},
              0);

    L_Option_Scan = label("L_Option_Scan");
    L_Option_Scan->Font()->SetStyle(fsBold);
    CB_Opt_App_Reset = check("CB_Opt_App_Reset");
    CB_Opt_SND_NKE = check("CB_Opt_SND_NKE");
    L_Opt_Cut_After = label("L_Opt_Cut_After");
    E_Opt_Cut_After = edit("E_Opt_Cut_After", Input_Left, "3");
    CB_Opt_Use_Fix_C_Field = check("CB_Opt_Use_Fix_C_Field");
    CB_Opt_Use_Fix_C_Field->SetWidth(140);
    CB_Opt_Use_Fix_C_Field_Value = combo("CB_Opt_Use_Fix_C_Field_Value", 80);
    Set_Items(CB_Opt_Use_Fix_C_Field_Value, {"0x5X", "0x7X"}, 0);
    CB_Opt_Check_BCD_to_Int = check("CB_Opt_Check_BCD_to_Int");
    CB_Opt_Enable_Remote_Scan = check("CB_Opt_Enable_Remote_Scan");

    Label1 = label("Label1");
    Label1->SetVisible(false);
}

void TFScanDecode::Make_Tree_Panel()
{
    P_TreeView = Make_Control<TPanel>(this, this, "P_TreeView");
    P_TreeView->SetBevelOuter(bvNone);
    P_TreeView->SetShowCaption(false);
    P_TreeView->SetVisible(false);
    TPanel* head = Make_Control<TPanel>(this, P_TreeView, "P_TreeView_Head");
    head->SetAlign(alTop);
    head->SetHeight(46);
    head->SetBevelOuter(bvNone);
    head->SetShowCaption(false);
    L_ScanProgress = Make_Control<TLabel>(this, head, "L_ScanProgress");
    L_ScanProgress->SetBounds(8, 6, 150, 14);
    L_ScanProgress->Font()->SetStyle(fsBold);
    L_Num_Slave = Make_Control<TLabel>(this, head, "L_Num_Slave");
    L_Num_Slave->SetBounds(170, 6, 60, 14);
    L_Num_Slave->Font()->SetStyle(fsBold);
    L_AvailableDevice = Make_Control<TLabel>(this, head, "L_AvailableDevice");
    L_AvailableDevice->SetBounds(8, 28, 200, 14);

    LB_AvailableDevice = Make_Control<TScanDeviceList>(this, P_TreeView, "LB_AvailableDevice");
    LB_AvailableDevice->SetAlign(alClient);
    LB_AvailableDevice->OnDrawItem = [this](const TOwnerDrawItem& item) { LB_AvailableDeviceDrawItem(item); };

}

void TFScanDecode::Make_Wireless_Panel()
{
    P_View_Wireless = Make_Control<TPanel>(this, this, "P_View_Wireless");
    P_View_Wireless->SetBevelOuter(bvNone);
    P_View_Wireless->SetShowCaption(false);
    P_View_Wireless->SetVisible(false);
    P_W_Title = Make_Control<TPanel>(this, P_View_Wireless, "P_W_Title");
    P_W_Title->SetAlign(alTop);
    P_W_Title->SetHeight(28);
    P_W_Title->SetBevelOuter(bvNone);
    P_W_Title->SetShowCaption(false);
    P_W_Table = Make_Control<TPanel>(this, P_View_Wireless, "P_W_Table");
    P_W_Table->SetAlign(alTop);
    P_W_Table->SetTop(28);
    P_W_Table->SetBevelOuter(bvNone);
    P_W_Table->SetShowCaption(false);
    Splitter1 = Make_Control<TScanSplitter>(this, P_View_Wireless, "Splitter1");
    Splitter1->SetAlign(alTop);
    Splitter1->SetTop(1000);
    Splitter1->SetHeight(3);
    Splitter1->Target = P_W_Table;
    P_W_Tree = Make_Control<TPanel>(this, P_View_Wireless, "P_W_Tree");
    P_W_Tree->SetAlign(alClient);
    P_W_Tree->SetBevelOuter(bvNone);
    P_W_Tree->SetShowCaption(false);

    Make_Wireless_Grid();
    Make_Trees();
}

// ------------------------------------------------------------ creation, texts

void TFScanDecode::FormCreate(TObject*)
{
    TR_ScanDecode = std::make_unique<TMBusScanDecode>();
    TR_ScanDecode->Node_Ticked = [this](void* node) { return Node_Ticked(node); };
    Form_Type = 0;
    CB_ScanMethod->SetItemIndex(0);
    Colomns_Width_Init();
    P_W_Table->SetHeight(200);
    Set_Lang();
}

void TFScanDecode::Set_Lang()
{
    SetCaption(mbus_editor::Lang(2100));
    L_SW_Code->SetCaption(mbus_editor::Lang(2101));
    L_SW_Desc->SetCaption(mbus_editor::Lang(2102));
    L_ScanBy->SetCaption(mbus_editor::Lang(2103));
    Set_Items(CB_ScanBy, {mbus_editor::Lang(2104), mbus_editor::Lang(2105)}, 0);
    L_HardwareType->SetCaption(mbus_editor::Lang(2106));
    Set_Items(CB_HardwareType, {mbus_editor::Lang(2107), mbus_editor::Lang(2108)}, 0);
    L_IP->SetCaption(mbus_editor::Lang(2109));
    L_ComPort->SetCaption(mbus_editor::Lang(2110));
    L_MBus_ParGen->SetCaption(mbus_editor::Lang(2111));
    L_MBus_Baud->SetCaption(mbus_editor::Lang(2112));
    L_MBus_Parity->SetCaption(mbus_editor::Lang(2113));
    L_Option_Scan->SetCaption(mbus_editor::Lang(2114));
    CB_Opt_App_Reset->SetCaption(mbus_editor::Lang(2115));
    CB_Opt_SND_NKE->SetCaption(mbus_editor::Lang(2116));
    L_Opt_Cut_After->SetCaption(mbus_editor::Lang(2117));
    L_ScanProgress->SetCaption(mbus_editor::Lang(2118));
    L_AvailableDevice->SetCaption(mbus_editor::Lang(2120));
    const std::pair<TFxButton*, Integer> buttons[] = {{Btn_StartScan, 2121}, {Btn_StopScan, 2122},
                                                      {Btn_AbortScan, 2123}, {Btn_NewScan, 2124},
                                                      {Btn_SaveConf, 2125}, {Btn_SaveConfManual, 2139}};
    for (const auto& [button, text] : buttons)
        button->SetCaption(mbus_editor::Lang(text));
    L_ScanMethod->SetCaption(mbus_editor::Lang(2131));
    Set_Items(CB_ScanMethod, {mbus_editor::Lang(2132), mbus_editor::Lang(2133)}, 0);
    L_wMBus_Mode->SetCaption(mbus_editor::Lang(2134));
    L_wMBus_Radio_Channel->SetCaption(mbus_editor::Lang(2135));
    L_Port->SetCaption(mbus_editor::Lang(2136));
    CB_Opt_Use_Fix_C_Field->SetCaption(mbus_editor::Lang(2140));
    CB_Opt_Check_BCD_to_Int->SetCaption(mbus_editor::Lang(2141));
    CB_Opt_Enable_Remote_Scan->SetCaption(mbus_editor::Lang(2142));
}

// ------------------------------------------------------------ showing, closing

void TFScanDecode::FormShow(TObject*)
{
    FWindow = Handle();
    Move_Object_Type_Form();
    Update_List_of_COM_Port();
    TR_ScanDecode->Set_Event_Run();
    Read_ParGen_Address();
    Form_Style(1);
}

void TFScanDecode::Read_ParGen_Address()
{
    if (!FileExists(ParGen_File) || !XML1->LoadFromFile(ParGen_File))
        return;
    const char* prefix = "IP_";
    if (XML_Code_Dev == 15)
        prefix = "Modbus_TCP_Slave_IP";
    else if (Code_In(XML_Code_Dev, {11, 17, 20}))
        prefix = "PROFINET_IP";
    else if (XML_Code_Dev == 6)
        prefix = "BACnet_IP";
    else if (Code_In(XML_Code_Dev, {10, 16, 19}))
        prefix = "Eth_IP";
    else if (XML_Code_Dev == 18)
        prefix = "Ethernet_IP";
    const TXMLNode root = XML1->Root();
    TEdit* edits[] = {E_IP1, E_IP2, E_IP3, E_IP4};
    for (Integer i = 0; i < 4; ++i) {
        const TXMLNode n = root ? root.FindChild(QString::fromLatin1(prefix) + QString::number(i + 1)) : TXMLNode();
        if (n)
            edits[i]->SetText(n.Text());
    }
}

void TFScanDecode::FormClose(TObject*, TCloseAction&)
{
    if (FClosing)
        return;
    FClosing = true;
    // No further scan of a cyclic series, and no results shown any more.
    Cyclic_Scan = false;
    T_InScan->SetEnabled(false);
    // A running scan ends in order, so that the converter leaves analyzer
    // or configuration mode; the window keeps painting meanwhile. A scan
    // that does not end within the bound is cut off.
    TR_ScanDecode->End_Scan(TR_ScanDecode->End_Scan_Limit(), [] { Application->ProcessMessages(); });
    TR_ScanDecode->Reset_Event_Run();
    FClosing = false;
}

void TFScanDecode::Update_List_of_COM_Port()
{
    CB_ComPort->Items()->Clear();
    const std::unique_ptr<TStringList> ports = Get_COM_Port_List();
    for (Integer i = 0; i < ports->Count(); ++i)
        CB_ComPort->Items()->Add(QStringLiteral("COM") + ports->Strings(i));
    CB_ComPort->SetItemIndex(CB_ComPort->Items()->Count() > 0 ? 0 : -1);
}

void TFScanDecode::Btn_COM_ListClick(TObject*)
{
    Update_List_of_COM_Port();
}

void TFScanDecode::CB_HardwareTypeChange(TObject* Sender)
{
    if (Sender == CB_HardwareType || Sender == CB_MBus_Baud || Sender == CB_MBus_Parity || Sender == CB_ScanBy
        || Sender == CB_ScanMethod)
        Move_Object_Type_Form();
}

void TFScanDecode::KeyPress(TObject* Sender, QChar& Key)
{
    if (Key != QLatin1Char('.'))
        return;
    Key = QChar(0);
    TEdit* edits[] = {E_IP1, E_IP2, E_IP3, E_IP4};
    for (Integer i = 0; i < 3; ++i)
        if (Sender == edits[i] && edits[i + 1]->CanFocus())
            edits[i + 1]->SetFocus();
}

// ------------------------------------------------------------ layout, styles

void TFScanDecode::Move_Object_Type_Form()
{
    const bool method = Form_Type == 1;
    const bool wireless = method && CB_ScanMethod->ItemIndex() == 1;
    const bool ethernet = CB_HardwareType->ItemIndex() == 0;
    SetClientHeight(method ? Method_Height : Wired_Height);

    L_ScanMethod->SetVisible(method);
    CB_ScanMethod->SetVisible(method);
    Integer top = 11;
    if (method) {
        Place_Row(L_ScanMethod, Heading_Left, top, CB_ScanMethod);
        top += 32;
    }
    L_ScanBy->SetVisible(!wireless);
    CB_ScanBy->SetVisible(!wireless);
    if (!wireless) {
        Place_Row(L_ScanBy, Heading_Left, top, CB_ScanBy);
        top += 32;
    }
    Place_Row(L_HardwareType, Heading_Left, top, CB_HardwareType);

    // The address row: an IP address over Ethernet, a COM port over a line.
    top += 24;
    for (TControl* c : std::initializer_list<TControl*>{L_IP, E_IP1, E_IP2, E_IP3, E_IP4, L_IP_Dot1, L_IP_Dot2, L_IP_Dot3})
        c->SetVisible(ethernet);
    for (TControl* c : std::initializer_list<TControl*>{L_ComPort, CB_ComPort, Btn_COM_List})
        c->SetVisible(!ethernet);
    if (ethernet) {
        Place_Row(L_IP, Label_Left, top, nullptr);
        TEdit* edits[] = {E_IP1, E_IP2, E_IP3, E_IP4};
        for (TEdit* e : edits)
            e->SetTop(top - 3);
        TLabel* dots[] = {L_IP_Dot1, L_IP_Dot2, L_IP_Dot3};
        for (Integer i = 0; i < 3; ++i)
            dots[i]->SetBounds(237 + 66 * i, top, 4, 14);
    } else {
        Place_Row(L_ComPort, Label_Left, top, CB_ComPort);
        Btn_COM_List->SetBounds(CB_ComPort->Left() + CB_ComPort->Width() + 6, top - 6, 26, 26);
    }
    const bool port = wireless && ethernet;
    L_Port->SetVisible(port);
    E_Port->SetVisible(port);
    if (port) {
        top += 24;
        Place_Row(L_Port, Label_Left, top, E_Port);
        if (Code_In(XML_Code_Dev, {12, 15, 18}))
            E_Port->SetText(QStringLiteral("10001"));
        E_Port->SetEnabled(!Code_In(XML_Code_Dev, {12, 15}));
    }

    // The M-Bus line and the options of the chosen method.
    Place_Row(L_MBus_ParGen, Heading_Left, top + 32, nullptr);
    for (TControl* c : std::initializer_list<TControl*>{L_MBus_Baud, CB_MBus_Baud, L_MBus_Parity, CB_MBus_Parity,
                                                        CB_Opt_App_Reset, CB_Opt_SND_NKE, L_Opt_Cut_After,
                                                        E_Opt_Cut_After, CB_Opt_Use_Fix_C_Field,
                                                        CB_Opt_Use_Fix_C_Field_Value})
        c->SetVisible(!wireless);
    for (TControl* c : std::initializer_list<TControl*>{L_wMBus_Mode, CB_wMBus_Mode, L_wMBus_Radio_Channel,
                                                        CB_wMBus_Radio_Channel})
        c->SetVisible(wireless);
    if (wireless) {
        Place_Row(L_wMBus_Mode, Label_Left, top + 64, CB_wMBus_Mode);
        Place_Row(L_wMBus_Radio_Channel, Label_Left, top + 88, CB_wMBus_Radio_Channel);
        Place_Row(L_Option_Scan, Heading_Left, top + 120, nullptr);
        Place_Row(CB_Opt_Check_BCD_to_Int, Label_Left, top + 144, nullptr);
        Place_Row(CB_Opt_Enable_Remote_Scan, Label_Left, top + 168, nullptr);
        return;
    }
    Place_Row(L_MBus_Baud, Label_Left, top + 56, CB_MBus_Baud);
    Place_Row(L_MBus_Parity, Label_Left, top + 80, CB_MBus_Parity);
    Place_Row(L_Option_Scan, Heading_Left, top + 112, nullptr);
    Place_Row(CB_Opt_App_Reset, Label_Left, top + 136, nullptr);
    Place_Row(CB_Opt_SND_NKE, Label_Left, top + 160, nullptr);
    Place_Row(L_Opt_Cut_After, Label_Left, top + 184, E_Opt_Cut_After);
    Place_Row(CB_Opt_Use_Fix_C_Field, Label_Left, top + 208, CB_Opt_Use_Fix_C_Field_Value);
    Place_Row(CB_Opt_Check_BCD_to_Int, Label_Left, top + 232, nullptr);
    Place_Row(CB_Opt_Enable_Remote_Scan, Label_Left, top + 256, nullptr);
}

void TFScanDecode::Form_Style(Integer Index)
{
    CB_HardwareType->SetEnabled(false);
    CB_HardwareType->SetItemIndex(0);
    if (Index < 1 || Index > 5)
        return;

    P_Main->SetVisible(true);
    P_Main->SetAlign(Index == 1 ? alClient : alNone);
    const bool wired_view = Index == 2 || Index == 3;
    const bool wireless_view = Index == 4 || Index == 5;
    P_TreeView->SetAlign(wired_view ? alClient : alNone);
    P_TreeView->SetVisible(wired_view);
    P_View_Wireless->SetAlign(wireless_view ? alClient : alNone);
    P_View_Wireless->SetVisible(wireless_view);
    if (Index == 2) {
        Show_Wired_Tree(false);
        L_ScanProgress->SetCaption(mbus_editor::Lang(2118));
        L_ScanProgress->SetVisible(true);
        L_Num_Slave->SetVisible(false);
        L_AvailableDevice->SetVisible(true);
        LB_AvailableDevice->SetVisible(true);
    } else if (Index == 3) {
        Show_Wired_Tree(true);
        L_ScanProgress->SetCaption(mbus_editor::Lang(2119));
        L_ScanProgress->SetVisible(true);
        L_Num_Slave->SetVisible(true);
        L_AvailableDevice->SetVisible(false);
        LB_AvailableDevice->SetVisible(false);
    }

    for (TFxButton* b : {Btn_StartScan, Btn_StopScan, Btn_AbortScan, Btn_NewScan, Btn_SaveConf, Btn_SaveConfManual})
        b->SetVisible(false);
    const Integer first = Btn_StartScan->Left();
    const Integer second = first + Button_Width + Button_Gap;
    if (Index == 1) {
        Btn_StartScan->SetVisible(true);
    } else if (Index == 2 || Index == 4) {
        Btn_StopScan->SetLeft(first);
        Btn_AbortScan->SetLeft(second);
        Btn_StopScan->SetVisible(true);
        Btn_AbortScan->SetVisible(true);
    } else {
        Btn_NewScan->SetLeft(first);
        Btn_SaveConf->SetLeft(Btn_StopScan->Left() + Button_Width + Button_Gap);
        Btn_SaveConfManual->SetLeft(Btn_SaveConf->Left() + Button_Width + Button_Gap);
        Btn_NewScan->SetVisible(true);
        Btn_SaveConf->SetVisible(true);
        const bool hide_manual = Index == 3 ? Code_In(XML_Code_Dev, {6, 11, 15, 20}) : XML_Code_Dev == 15;
        Btn_SaveConfManual->SetVisible(!hide_manual);
    }
}

void TFScanDecode::BtnClick(TObject* Sender)
{
    if (FClosing)
        return;
    if (Sender == Btn_StartScan)
        Select_Scan();
    else if (Sender == Btn_StopScan)
        StopScan();
    else if (Sender == Btn_AbortScan)
        AbortScan();
    else if (Sender == Btn_NewScan)
        NewScan();
    else if (Sender == Btn_SaveConf)
        Select_SaveXML(0);
    else if (Sender == Btn_SaveConfManual)
        Select_SaveXML(1);
}

void TFScanDecode::Error_Box(const QString& Text)
{
    Application->MessageBox(Text, Application->Title(), MB_OK | MB_ICONERROR);
}

// ------------------------------------------------------------ updates from the scan threads

void TFScanDecode::Post_Update()
{
    // Called with FUpdateLock held.
    if (!FPosted && FWindow) {
        FPosted = true;
        PostMessage(FWindow, FUpdateMessage);
    }
}

void TFScanDecode::Dispatch(TMessage& Message)
{
    if (FUpdateMessage != 0 && Message.Msg == FUpdateMessage) {
        Deliver_Scan_Updates();
        return;
    }
    TForm::Dispatch(Message);
}
