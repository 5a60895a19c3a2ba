#include "parameters/UParGen.h"

#include "controls/FxButton.h"
#include "parameters/LoRaWAN_Rates.h"
#include "parameters/ParGenChecks.h"
#include "parameters/ParGenLayout.h"
#include "parameters/ParGenRows.h"
#include "platform/CategoryPanel.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/XmlDocument.h"
#include "shell/ButtonLook.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFParGen* FParGen = nullptr;

namespace {

constexpr Integer Window_Width = 460;
constexpr Integer Window_Height = 700;
constexpr Integer Title_Height = 69;
constexpr Integer Button_Band_Height = 40;
constexpr Integer Button_Width = 110;
constexpr Integer Button_Height = 28;

QString Lang(Integer index)
{
    return ParGen_Text(index);
}

} // namespace

TFParGen::TFParGen(TComponent* AOwner) : TForm(AOwner), FXML1(std::make_unique<TXMLDocument>())
{
    SetName(QStringLiteral("FParGen"));
    SetPosition(poScreenCenter);
    SetBorderIcons(biSystemMenu);
    SetColor(clBtnFace);
    Font()->SetName(QStringLiteral("Verdana"));
    Font()->SetHeight(-11);
    // The bands and buttons are laid out for the window's width.
    SetClientSize(Window_Width, Window_Height);
    Create_Controls();
    // The form's design shows a new configuration's values.
    Put_Values(ParGen_New_Values());
    Set_Buttons_Look(this);
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnResize = [this](TObject* s) { FormResize(s); };
    OnMouseWheel = [this](TObject* s, TShiftState sh, Integer d, TPoint p, bool& h) { FormMouseWheel(s, sh, d, p, h); };
}

TFParGen::~TFParGen()
{
    if (FParGen == this)
        FParGen = nullptr;
}

// ------------------------------------------------------------ controls

TCategoryPanel* TFParGen::Make_Panel(Integer CaptionText)
{
    auto* p = new TCategoryPanel(this);
    p->SetPanelGroup(CPG);
    p->SetTag(CaptionText);
    return p;
}

TLabel* TFParGen::Make_Label(TWinControl* Parent, Integer Top)
{
    return New_ParGen_Label(this, Parent, Top);
}

TEdit* TFParGen::Make_Edit(TWinControl* Parent, Integer Top, Integer Element)
{
    TEdit* e = New_ParGen_Edit(this, Parent, Top);
    e->OnChange = [this](TObject* s) { On_Change(s); };
    if (Element >= 0)
        FField[size_t(Element)] = e;
    return e;
}

TComboBox* TFParGen::Make_Combo(TWinControl* Parent, Integer Top, Integer Element)
{
    TComboBox* c = New_ParGen_Combo(this, Parent, Top);
    for (Integer i = 0; i < ParGen_Combo_Count(Element); ++i)
        c->Items()->Add(ParGen_Combo_Item(Element, i));
    c->OnChange = [this](TObject* s) { On_Change(s); };
    FField[size_t(Element)] = c;
    return c;
}

TCheckBox* TFParGen::Make_Check(TWinControl* Parent, Integer Top, Integer Element)
{
    TCheckBox* c = New_ParGen_Check(this, Parent, Top, false);
    c->OnClick = [this](TObject* s) { On_Click(s); };
    FField[size_t(Element)] = c;
    return c;
}

void TFParGen::Make_Octets(TWinControl* Parent, Integer Top, TOctetRow& Row, Integer FirstElement)
{
    New_ParGen_Octets(this, Parent, Top, Row);
    for (size_t i = 0; i < 4; ++i) {
        TEdit* e = Row.Edit[i];
        FField[size_t(FirstElement) + i] = e;
        e->OnChange = [this](TObject* s) { On_Change(s); };
        e->OnKeyPress = [this](TObject* s, QChar& k) { KeyPress(s, k); };
    }
}

void TFParGen::Create_Controls()
{
    P_Title = new TPanel(this);
    P_Title->SetParent(this);
    P_Title->SetAlign(alTop);
    P_Title->SetHeight(Title_Height);
    P_Title->SetBevelOuter(bvNone);
    P_Title->SetShowCaption(false);
    P_Title->SetColor(clWhite);
    L_SW_Code = new TLabel(this);
    L_SW_Code->SetParent(P_Title);
    L_SW_Code->SetBounds(14, 4, 300, 36);
    L_SW_Code->SetParentFont(false);
    L_SW_Code->Font()->SetName(QStringLiteral("Verdana"));
    L_SW_Code->Font()->SetHeight(-32);
    L_SW_Code->Font()->SetColor(clGray);
    L_SW_Desc = new TLabel(this);
    L_SW_Desc->SetParent(P_Title);
    L_SW_Desc->SetBounds(16, 45, 420, Label_Height);

    P_Button = new TPanel(this);
    P_Button->SetParent(this);
    P_Button->SetAlign(alBottom);
    P_Button->SetHeight(Button_Band_Height);
    P_Button->SetBevelOuter(bvNone);
    P_Button->SetShowCaption(false);
    Btn_Cancel = new TFxButton(this);
    Btn_Cancel->SetParent(P_Button);
    Btn_Cancel->SetBounds(Window_Width - Button_Width - 10, 6, Button_Width, Button_Height);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Cancel->SetAnchors(akTop | akRight);
    Btn_Cancel->SetShowHint(true);
    Btn_OK = new TFxButton(this);
    Btn_OK->SetParent(P_Button);
    Btn_OK->SetBounds(Window_Width - 2 * (Button_Width + 10), 6, Button_Width, Button_Height);
    Btn_OK->SetAnchors(akTop | akRight);
    Btn_OK->SetShowHint(true);
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };

    CPG = new TCategoryPanelGroup(this);
    CPG->SetParent(this);
    CPG->SetAlign(alClient);
    CPG->VertScrollBar()->SetTracking(true);
    CPG->HeaderFont()->SetName(QStringLiteral("Verdana"));
    CPG->HeaderFont()->SetHeight(-15);
    CPG->HeaderFont()->SetStyle(fsBold);
    CPG->HeaderFont()->SetColor(clGray);

    Create_Ethernet_Connection();
    Create_LoRa();
    Create_BACnet_Master();
    Create_Ethernet();
    Create_FieldBus_Panels();
    Create_Plant_Panels();
}

void TFParGen::Create_Ethernet_Connection()
{
    TCategoryPanel* p = CP_Ethernet_Connection = Make_Panel(2906);
    L_EthConn_Device_Name = Make_Label(p, 12);
    E_EthConn_Device_Name = Make_Edit(p, 9, pgEth_Conn_Device_Name);
    E_EthConn_Device_Name->SetMaxLength(31);
    CB_EthConn_En_DHCP_Cable = Make_Check(p, 40, pgEth_Conn_DHCP_Cable);
    CB_EthConn_En_DHCP_WiFi = Make_Check(p, 68, pgEth_Conn_DHCP_WiFi);
    CB_EthConn_Enable_DNS = Make_Check(p, 96, pgEth_Conn_Enable_DNS);
    L_EthConn_Primary_DNS = Make_Label(p, 124);
    Make_Octets(p, 121, E_EthConn_Pri_DNS_IP, pgEth_Conn_Primary_DNS1);
    L_EthConn_Secondary_DNS = Make_Label(p, 152);
    Make_Octets(p, 149, E_EthConn_Sec_DNS_IP, pgEth_Conn_Secondary_DNS1);
}

void TFParGen::Create_LoRa()
{
    TCategoryPanel* p = CP_LoRa = Make_Panel(406);
    L_LoRa_RF_Band = Make_Label(p, 12);
    CB_LoRa_RF_Band = Make_Combo(p, 9, pgLoRa_RF_Band);
    L_LoRa_FrequencySubBand = Make_Label(p, 40);
    CB_LoRa_FrequencySubBand = Make_Combo(p, 37, pgLoRa_Frequency_SubBand);
    L_LoRa_Network_Type = Make_Label(p, 68);
    CB_LoRa_Network_Type = Make_Combo(p, 65, pgLoRa_Network_Type);
    CB_LoRa_Adaptive_DataRate = Make_Check(p, 96, pgLoRa_Adaptive_DataRate);
    L_LoRa_DataRate = Make_Label(p, 124);
    CB_LoRa_DataRate = Make_Combo(p, 121, pgLoRa_DataRate);
    L_LoRa_Transmission_Type = Make_Label(p, 152);
    CB_LoRa_Transmission_Type = Make_Combo(p, 149, pgLoRa_Transmission_Type);
    L_LoRa_Payload_Size = Make_Label(p, 180);
    E_LoRa_Payload_Size = Make_Edit(p, 177, pgLoRa_Payload_Size);
    E_LoRa_Payload_Size->SetReadOnly(true);
    L_LoRa_JoinEUI = Make_Label(p, 208);
    E_LoRa_JoinEUI = Make_Edit(p, 205, pgLoRa_JoinEUI);
    E_LoRa_JoinEUI->SetMaxLength(16);
    L_LoRa_Activation_Method = Make_Label(p, 236);
    CB_LoRa_Activation_Method = Make_Combo(p, 233, pgLoRa_Activation_Method);
    L_LoRa_Device_Address = Make_Label(p, 264);
    E_LoRa_Device_Address = Make_Edit(p, 261, pgLoRa_Device_Address);
    E_LoRa_Device_Address->SetMaxLength(8);
    L_LoRa_Network_Session_Key = Make_Label(p, 292);
    E_LoRa_Network_Session_Key = Make_Edit(p, 289, pgLoRa_Network_Session_Key);
    L_LoRa_Application_Session_Key = Make_Label(p, 320);
    E_LoRa_Application_Session_Key = Make_Edit(p, 317, pgLoRa_Application_Session_Key);
    L_LoRa_Application_Key = Make_Label(p, 348);
    E_LoRa_Application_Key = Make_Edit(p, 345, pgLoRa_Application_Key);
    L_LoRa_FPort = Make_Label(p, 376);
    CB_LoRa_FPort = Make_Combo(p, 373, pgLoRa_FPort);
    L_LoRa_LNCHECK = Make_Label(p, 404);
    E_LoRa_LNCHECK = Make_Edit(p, 401, pgLoRa_LNCHECK);
    for (TEdit* e : {E_LoRa_Network_Session_Key, E_LoRa_Application_Session_Key, E_LoRa_Application_Key, E_LoRa_LNCHECK})
        e->SetMaxLength(32);
    for (TEdit* e : {E_LoRa_JoinEUI, E_LoRa_Device_Address, E_LoRa_Network_Session_Key, E_LoRa_Application_Session_Key,
                     E_LoRa_Application_Key, E_LoRa_Payload_Size, E_LoRa_LNCHECK}) {
        e->SetCharCase(ecUpperCase);
        e->OnKeyPress = [this](TObject* s, QChar& k) { OnKeyPress(s, k); };
    }
}

void TFParGen::Create_BACnet_Master()
{
    TCategoryPanel* p = CP_BACnet_Master = Make_Panel(505);
    L_BACnet_Master_Type = Make_Label(p, 12);
    CB_BACnet_Master_Type = Make_Combo(p, 9, pgBACnet_Master_Type);
    L_BACnet_IP_Master_IP = Make_Label(p, 40);
    Make_Octets(p, 37, E_BACnet_IP_Master_IP, pgBACnet_Master_IP1);
    L_BACnet_IP_Master_SM = Make_Label(p, 68);
    Make_Octets(p, 65, E_BACnet_IP_Master_SM, pgBACnet_Master_SM1);
    CB_BACnet_IP_Master_GAT = Make_Check(p, 96, pgBACnet_Master_EN_GAT);
    CB_BACnet_IP_Master_GAT->SetWidth(L_BACnet_IP_Master_SM->Width());
    CB_BACnet_IP_Master_GAT->OnClick = nullptr;  // changes nothing else
    Make_Octets(p, 94, E_BACnet_IP_Master_GAT, pgBACnet_Master_GAT1);
    L_BACnet_IP_Master_Port = Make_Label(p, 124);
    E_BACnet_IP_Master_Port = Make_Edit(p, 121, pgBACnet_Master_Port);
    L_BACnet_IP_Master_Device_Name = Make_Label(p, 152);
    E_BACnet_IP_Master_Device_Name = Make_Edit(p, 149, pgBACnet_Master_IP_Device_Name);
    L_BACnet_IP_Master_Device_Identifier = Make_Label(p, 180);
    E_BACnet_IP_Master_Device_Identifier = Make_Edit(p, 177, pgBACnet_Master_Dev_Instance);
    L_BACnet_IP_Master_TimeOut_Polling = Make_Label(p, 208);
    E_BACnet_IP_Master_TimeOut_Polling = Make_Edit(p, 205, pgBACnet_Master_TimeOut_Polling);
    L_BACnet_MSTP_Master_Baudrate = Make_Label(p, 40);
    CB_BACnet_MSTP_Master_Baudrate = Make_Combo(p, 37, pgBACnet_Master_Ser_Baud);
    L_BACnet_MSTP_Master_Parity = Make_Label(p, 68);
    CB_BACnet_MSTP_Master_Parity = Make_Combo(p, 65, pgBACnet_Master_Ser_Par);
    L_BACnet_MSTP_Master_Device_Name = Make_Label(p, 96);
    E_BACnet_MSTP_Master_Device_Name = Make_Edit(p, 93, pgBACnet_Master_Ser_Device_Name);
    L_BACnet_MSTP_Master_MAC_Address = Make_Label(p, 124);
    E_BACnet_MSTP_Master_MAC_Address = Make_Edit(p, 121, pgBACnet_Master_Ser_MAC_Address);
    L_BACnet_MSTP_Master_Max_Master = Make_Label(p, 152);
    E_BACnet_MSTP_Master_Max_Master = Make_Edit(p, 149, pgBACnet_Master_Ser_Max_Master);
    L_BACnet_MSTP_Master_Max_Info_Frame = Make_Label(p, 180);
    E_BACnet_MSTP_Master_Max_Info_Frame = Make_Edit(p, 177, pgBACnet_Master_Ser_Max_Info_Frames);
    L_BACnet_MSTP_Master_Device_Instance = Make_Label(p, 208);
    E_BACnet_MSTP_Master_Device_Instance = Make_Edit(p, 205, pgBACnet_Master_Ser_Dev_Instance);
    for (TEdit* e : {E_BACnet_IP_Master_Device_Name, E_BACnet_MSTP_Master_Device_Name, E_BACnet_MSTP_Master_Max_Master,
                     E_BACnet_MSTP_Master_Device_Instance}) {
        e->SetCharCase(ecLowerCase);
        e->SetMaxLength(15);
    }
}

void TFParGen::Create_Ethernet()
{
    TCategoryPanel* p = CP_Ethernet = Make_Panel(436);
    L_Ethernet_IP = Make_Label(p, 12);
    Make_Octets(p, 9, E_Ethernet_IP, pgEthernet_IP1);
    L_Ethernet_SM = Make_Label(p, 40);
    Make_Octets(p, 37, E_Ethernet_SM, pgEthernet_SM1);
    CB_Ethernet_En_GAT = Make_Check(p, 68, pgEthernet_EN_GAT);
    CB_Ethernet_En_GAT->SetWidth(L_Ethernet_SM->Width());
    Make_Octets(p, 66, E_Ethernet_GAT, pgEthernet_GAT1);
    // Not stored by this converter: kept hidden by the layout.
    L_Ethernet_TCP_Port = Make_Label(p, 96);
    E_Ethernet_TCP_Port = Make_Edit(p, 93, -1);
    L_Ethernet_UDP_Port = Make_Label(p, 124);
    E_Ethernet_UDP_Port = Make_Edit(p, 121, -1);
}

// ------------------------------------------------------------ creation, showing, OK

void TFParGen::FormCreate(TObject*)
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientSize(Window_Width, Window_Height);
    for (TCategoryPanel* p : CPG->Panels())
        p->SetVisible(false);
    Order_TAB_Panels();
    Move_GroupBoxs();
    Set_Lang();
    Keep_Form_Values();
}

void TFParGen::FormShow(TObject*)
{
    FLoading = true;
    Restore_Form_Values();
    FLoad.Begin(ParGen_File);
    if (!FileExists(ParGen_File)) {
        Put_Values(ParGen_New_Values());
    } else if (FXML1->LoadFromFile(ParGen_File)) {
        Put_Values(ParGen_Read(FXML1->Root()));
    } else {
        // An unreadable file: say why, then show a new configuration's values
        // rather than whatever an earlier opening left in the controls; OK
        // asks before it replaces the file.
        FLoad.Set_Failed();
        Application->MessageBox(FXML1->ErrorMessage(), Application->Title(), MB_OK | MB_ICONERROR);
        Put_Values(ParGen_New_Values());
    }
    FLoading = false;
    Is_Change = false;
    Move_GroupBoxs();
    Set_Max_Payload_Size();
}

void TFParGen::Btn_OKClick(TObject*)
{
    if (!Controllo_Dati() || !FLoad.Confirm_Replace())
        return;
    ParGen_Write(*FXML1, Get_Values());
    if (!FXML1->SaveToFile(ParGen_File)) {
        // The dialog stays open with the user's values; the old file is kept.
        Application->MessageBox(FXML1->ErrorMessage(), Application->Title(), MB_OK | MB_ICONERROR);
        return;
    }
    SetModalResult(mrOk);
}

TParGenValues TFParGen::Get_Values() const
{
    TParGenValues v;
    for (Integer e = 0; e < ParGen_Element_Count; ++e) {
        TControl* c = FField[size_t(e)];
        switch (ParGen_Kind(e)) {
        case pkEdit:
        case pkTextCombo: v[e] = c->Text(); break;
        case pkCheck: v[e] = static_cast<TCheckBox*>(c)->Checked() ? QStringLiteral("1") : QStringLiteral("0"); break;
        case pkIndexCombo: v[e] = QString::number(static_cast<TComboBox*>(c)->ItemIndex()); break;
        }
    }
    return v;
}

void TFParGen::Put_Values(const TParGenValues& Values)
{
    for (Integer e = 0; e < ParGen_Element_Count; ++e) {
        TControl* c = FField[size_t(e)];
        switch (ParGen_Kind(e)) {
        case pkEdit: c->SetText(Values[e]); break;
        case pkCheck: static_cast<TCheckBox*>(c)->SetChecked(Values.Checked(e)); break;
        case pkTextCombo:
        case pkIndexCombo: static_cast<TComboBox*>(c)->SetItemIndex(Values.Item_Index(e)); break;
        }
        // The data-rate list follows the band.
        if (e == pgLoRa_RF_Band)
            Change_LoRa_DataRate();
    }
}

// ------------------------------------------------------------ events

void TFParGen::On_Change(TObject* Sender)
{
    Is_Change = true;
    if (FLoading)
        return;
    if (Sender == CB_LoRa_RF_Band) {
        Change_LoRa_DataRate();
        Set_Max_Payload_Size();
        Move_GroupBoxs();
    } else if (Sender == CB_LoRa_DataRate) {
        Set_Max_Payload_Size();
    } else if (Sender == CB_LoRa_Activation_Method || Sender == CB_BACnet_Master_Type ||
               Sender == CB_BACnet_Slave_Type || Sender == CB_MBus_OnWire_Present ||
               Sender == CB_wMBus_Wireless_Present || Sender == CB_WiFi_Type || Sender == CB_WiFi_Secure_Type ||
               Sender == CB_SNMP_Agent_SecurityLevel) {
        Move_GroupBoxs();
    }
}

void TFParGen::On_Click(TObject* Sender)
{
    Is_Change = true;
    if (FLoading)
        return;
    for (const TCheckBox* box :
         {CB_EthConn_En_DHCP_Cable, CB_EthConn_En_DHCP_WiFi, CB_TLS_Enable, CB_TLS_En_Server_Auth,
          CB_TLS_En_Client_Auth, CB_TLS_Server_Enable, CB_MQTT_WillFlag, CB_MQTT_PublishTopicConnection,
          CB_SNMP_Agent_Version3, CB_WiFi_IP_Auto, CB_WiFi_En_DHCP}) {
        if (Sender == box) {
            Move_GroupBoxs();
            return;
        }
    }
}

void TFParGen::KeyPress(TObject* Sender, QChar& Key)
{
    if (Key != QLatin1Char('.'))
        return;
    for (Integer e = 0; e < ParGen_Element_Count; ++e) {
        if (FField[size_t(e)] != Sender)
            continue;
        const Integer next = Next_Octet_Element(e);
        if (next >= 0) {
            auto* edit = static_cast<TEdit*>(FField[size_t(next)]);
            if (edit->CanFocus())
                edit->SetFocus();
        }
        break;
    }
    Key = QChar();
}

void TFParGen::OnKeyPress(TObject*, QChar& Key)
{
    if (!Hex_Key_Passes(Key))
        Key = QChar();
}

void TFParGen::FormResize(TObject*)
{
    if (ClientWidth() != Window_Width)
        SetClientWidth(Window_Width);
}

void TFParGen::FormMouseWheel(TObject*, TShiftState, Integer WheelDelta, TPoint MousePos, bool& Handled)
{
    const TPoint p = CPG->ScreenToClient(MousePos);
    const TRect r = CPG->ClientRect();
    Handled = p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
    if (!Handled)
        return;
    const Integer lines = WheelScrollLines();
    for (Integer i = 0; i < lines; ++i) {
        CPG->Perform(WM_VSCROLL, WheelDelta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        CPG->Perform(WM_VSCROLL, SB_ENDSCROLL, 0);
    }
}

// ------------------------------------------------------------ checks and payload

bool TFParGen::Controllo_Dati()
{
    const TParGenFault fault = ParGen_First_Fault(Get_Values());
    if (!fault)
        return true;
    QString message = Lang(fault.Text);
    if (fault.Text == 497)
        message.replace(QLatin1String("%d"), QString::number(fault.Max_Payload));
    Application->MessageBox(message, Application->Title(), MB_OK | MB_ICONERROR);
    return false;
}

void TFParGen::Change_LoRa_DataRate()
{
    const Integer band = LoRa_Band_Index(CB_LoRa_RF_Band->Text());
    CB_LoRa_DataRate->Items()->Clear();
    for (Integer i = 0; i < LoRa_DataRate_Count(band); ++i)
        CB_LoRa_DataRate->Items()->Add(LoRa_DataRate_Text(band, i));
    CB_LoRa_DataRate->SetItemIndex(0);
}

Integer TFParGen::Find_Max_PayLoad()
{
    return LoRa_Max_Payload(CB_LoRa_RF_Band->Text(), CB_LoRa_DataRate->Text());
}

void TFParGen::Set_Max_Payload_Size()
{
    E_LoRa_Payload_Size->SetText(QString::number(Find_Max_PayLoad()));
}

// ------------------------------------------------------------ panels

void TFParGen::Place_Row(TControl* Label, std::initializer_list<TControl*> Inputs, const TRowPlace& Place)
{
    Label->SetVisible(Place.Visible);
    if (Place.Visible)
        Label->SetTop(Place.Label_Top);
    for (TControl* c : Inputs) {
        c->SetVisible(Place.Visible);
        if (Place.Visible)
            c->SetTop(Place.Control_Top);
    }
}

void TFParGen::Place_Octets(TControl* Label, TOctetRow& Row, const TRowPlace& Place, bool HeadingBox)
{
    Place_Row(Label, {Row.Edit[0], Row.Edit[1], Row.Edit[2], Row.Edit[3]}, Place);
    for (TLabel* dot : Row.Dot) {
        dot->SetVisible(Place.Visible);
        dot->SetTop(Place.Label_Top + (HeadingBox ? 1 : 0));
    }
}

void TFParGen::Enable_Octets(TOctetRow& Row, bool Enabled)
{
    for (TEdit* e : Row.Edit)
        e->SetEnabled(Enabled);
}

void TFParGen::Flow_Row(Integer& Y, TControl* Label, std::initializer_list<TControl*> Inputs)
{
    // A check box that forms a row has no inputs and sits at y itself.
    Place_Row(Label, Inputs, {true, Y, Inputs.size() == 0 ? Y : Y - 3});
    Y += Row_Pitch;
}

void TFParGen::Flow_Octets(Integer& Y, TControl* Label, TOctetRow& Row, bool HeadingBox)
{
    Place_Octets(Label, Row, {true, Y, Y - (HeadingBox ? 2 : 3)}, HeadingBox);
    Y += Row_Pitch;
}

void TFParGen::Hide_Row(TControl* Label, std::initializer_list<TControl*> Inputs)
{
    Place_Row(Label, Inputs, {});
}

void TFParGen::Hide_Octets(TControl* Label, TOctetRow& Row)
{
    Place_Octets(Label, Row, {});
}

void TFParGen::Set_Shown(std::initializer_list<TControl*> Controls, bool Shown)
{
    for (TControl* c : Controls)
        c->SetVisible(Shown);
}

void TFParGen::Fit_Panel(TCategoryPanel* Panel, TControl* Lowest)
{
    Panel->SetHeight(Lowest->Top() + Lowest->Height() + Panel_Margin + CPG->HeaderHeight());
}

void TFParGen::Apply_DHCP(std::initializer_list<TOctetRow*> Rows, TControl* GatewayBox)
{
    const bool enabled = !CB_EthConn_En_DHCP_Cable->Checked();
    for (TOctetRow* row : Rows)
        Enable_Octets(*row, enabled);
    if (GatewayBox != nullptr)
        GatewayBox->SetEnabled(enabled);
}

void TFParGen::RePosition_Object_Ethernet_Connection()
{
    const TEthConnLayout l = Layout_Ethernet_Connection();
    Place_Row(L_EthConn_Device_Name, {E_EthConn_Device_Name}, l.Row[ecDevice_Name]);
    Place_Row(CB_EthConn_En_DHCP_Cable, {}, l.Row[ecDHCP_Cable]);
    Place_Row(CB_EthConn_En_DHCP_WiFi, {}, l.Row[ecDHCP_WiFi]);
    Place_Row(CB_EthConn_Enable_DNS, {}, l.Row[ecEnable_DNS]);
    Place_Octets(L_EthConn_Primary_DNS, E_EthConn_Pri_DNS_IP, l.Row[ecPrimary_DNS]);
    Place_Octets(L_EthConn_Secondary_DNS, E_EthConn_Sec_DNS_IP, l.Row[ecSecondary_DNS]);
    CP_Ethernet_Connection->SetHeight(l.Height);
    CB_EthConn_En_DHCP_WiFi->SetEnabled(false);
}

void TFParGen::RePosition_Object_LoRa()
{
    const TLoRaLayout l = Layout_LoRa(CB_LoRa_RF_Band->ItemIndex(), CB_LoRa_Activation_Method->ItemIndex());
    Place_Row(L_LoRa_RF_Band, {CB_LoRa_RF_Band}, l.Row[lrRF_Band]);
    Place_Row(L_LoRa_FrequencySubBand, {CB_LoRa_FrequencySubBand}, l.Row[lrFrequencySubBand]);
    Place_Row(L_LoRa_Network_Type, {CB_LoRa_Network_Type}, l.Row[lrNetwork_Type]);
    Place_Row(CB_LoRa_Adaptive_DataRate, {}, l.Row[lrAdaptive_DataRate]);
    Place_Row(L_LoRa_DataRate, {CB_LoRa_DataRate}, l.Row[lrDataRate]);
    Place_Row(L_LoRa_Transmission_Type, {CB_LoRa_Transmission_Type}, l.Row[lrTransmission_Type]);
    Place_Row(L_LoRa_Payload_Size, {E_LoRa_Payload_Size}, l.Row[lrPayload_Size]);
    Place_Row(L_LoRa_JoinEUI, {E_LoRa_JoinEUI}, l.Row[lrJoinEUI]);
    Place_Row(L_LoRa_Activation_Method, {CB_LoRa_Activation_Method}, l.Row[lrActivation_Method]);
    Place_Row(L_LoRa_Device_Address, {E_LoRa_Device_Address}, l.Row[lrDevice_Address]);
    Place_Row(L_LoRa_Network_Session_Key, {E_LoRa_Network_Session_Key}, l.Row[lrNetwork_Session_Key]);
    Place_Row(L_LoRa_Application_Session_Key, {E_LoRa_Application_Session_Key}, l.Row[lrApplication_Session_Key]);
    Place_Row(L_LoRa_Application_Key, {E_LoRa_Application_Key}, l.Row[lrApplication_Key]);
    Place_Row(L_LoRa_FPort, {CB_LoRa_FPort}, l.Row[lrFPort]);
    Place_Row(L_LoRa_LNCHECK, {E_LoRa_LNCHECK}, l.Row[lrLNCHECK]);
    CP_LoRa->SetHeight(l.Height);
}

void TFParGen::RePosition_Object_BACnet_Master()
{
    const TBACnetLayout l =
        Layout_BACnet_Master(CB_BACnet_Master_Type->ItemIndex(), CB_EthConn_En_DHCP_Cable->Checked());
    Place_Row(L_BACnet_Master_Type, {CB_BACnet_Master_Type}, l.Row[brType]);
    Place_Octets(L_BACnet_IP_Master_IP, E_BACnet_IP_Master_IP, l.Row[brIP]);
    Place_Octets(L_BACnet_IP_Master_SM, E_BACnet_IP_Master_SM, l.Row[brSM]);
    Place_Octets(CB_BACnet_IP_Master_GAT, E_BACnet_IP_Master_GAT, l.Row[brGAT], true);
    Place_Row(L_BACnet_IP_Master_Port, {E_BACnet_IP_Master_Port}, l.Row[brPort]);
    Place_Row(L_BACnet_IP_Master_Device_Name, {E_BACnet_IP_Master_Device_Name}, l.Row[brDevice_Name]);
    Place_Row(L_BACnet_IP_Master_Device_Identifier, {E_BACnet_IP_Master_Device_Identifier},
              l.Row[brDevice_Identifier]);
    Place_Row(L_BACnet_IP_Master_TimeOut_Polling, {E_BACnet_IP_Master_TimeOut_Polling}, l.Row[brTimeOut_Polling]);
    Place_Row(L_BACnet_MSTP_Master_Baudrate, {CB_BACnet_MSTP_Master_Baudrate}, l.Row[brMSTP_Baudrate]);
    Place_Row(L_BACnet_MSTP_Master_Parity, {CB_BACnet_MSTP_Master_Parity}, l.Row[brMSTP_Parity]);
    Place_Row(L_BACnet_MSTP_Master_Device_Name, {E_BACnet_MSTP_Master_Device_Name}, l.Row[brMSTP_Device_Name]);
    Place_Row(L_BACnet_MSTP_Master_MAC_Address, {E_BACnet_MSTP_Master_MAC_Address}, l.Row[brMSTP_MAC_Address]);
    Place_Row(L_BACnet_MSTP_Master_Max_Master, {E_BACnet_MSTP_Master_Max_Master}, l.Row[brMSTP_Max_Master]);
    Place_Row(L_BACnet_MSTP_Master_Max_Info_Frame, {E_BACnet_MSTP_Master_Max_Info_Frame},
              l.Row[brMSTP_Max_Info_Frame]);
    Place_Row(L_BACnet_MSTP_Master_Device_Instance, {E_BACnet_MSTP_Master_Device_Instance},
              l.Row[brMSTP_Device_Instance]);
    if (l.Row[brIP].Visible) {
        Enable_Octets(E_BACnet_IP_Master_IP, l.Address_Enabled);
        Enable_Octets(E_BACnet_IP_Master_SM, l.Address_Enabled);
        Enable_Octets(E_BACnet_IP_Master_GAT, l.Address_Enabled);
    }
    CP_BACnet_Master->SetHeight(l.Height);
}

void TFParGen::RePosition_Object_Ethernet()
{
    const TEthernetLayout l = Layout_Ethernet(CB_EthConn_En_DHCP_Cable->Checked());
    Place_Octets(L_Ethernet_IP, E_Ethernet_IP, l.Row[erIP]);
    Place_Octets(L_Ethernet_SM, E_Ethernet_SM, l.Row[erSM]);
    Place_Octets(CB_Ethernet_En_GAT, E_Ethernet_GAT, l.Row[erGAT], true);
    Place_Row(L_Ethernet_TCP_Port, {E_Ethernet_TCP_Port}, l.Row[erTCP_Port]);
    Place_Row(L_Ethernet_UDP_Port, {E_Ethernet_UDP_Port}, l.Row[erUDP_Port]);
    CP_Ethernet->SetHeight(l.Height);
    Enable_Octets(E_Ethernet_IP, l.Address_Enabled);
    Enable_Octets(E_Ethernet_SM, l.Address_Enabled);
    Enable_Octets(E_Ethernet_GAT, l.Address_Enabled);
    CB_Ethernet_En_GAT->SetEnabled(l.Address_Enabled);
}

// ------------------------------------------------------------ texts

void TFParGen::Set_Lang()
{
    SetCaption(Lang(400));
    L_SW_Desc->SetCaption(Lang(401));
    Btn_OK->SetCaption(Lang(402));
    Btn_Cancel->SetCaption(Lang(403));
    Btn_OK->SetHint(Lang(404));
    Btn_Cancel->SetHint(Lang(405));

    Row_Texts(L_EthConn_Device_Name, {E_EthConn_Device_Name}, 2907);
    Box_Texts(CB_EthConn_En_DHCP_Cable, {}, 2909);
    Box_Texts(CB_EthConn_En_DHCP_WiFi, {}, 2911);
    Box_Texts(CB_EthConn_Enable_DNS, {}, 2913);
    Octet_Texts(L_EthConn_Primary_DNS, E_EthConn_Pri_DNS_IP, 2915);
    Octet_Texts(L_EthConn_Secondary_DNS, E_EthConn_Sec_DNS_IP, 2920);

    Row_Texts(L_LoRa_RF_Band, {CB_LoRa_RF_Band}, 407);
    Row_Texts(L_LoRa_Network_Type, {CB_LoRa_Network_Type}, 409);
    Row_Texts(L_LoRa_Activation_Method, {CB_LoRa_Activation_Method}, 411);
    Row_Texts(L_LoRa_Device_Address, {E_LoRa_Device_Address}, 413);
    Row_Texts(L_LoRa_JoinEUI, {E_LoRa_JoinEUI}, 415);
    Row_Texts(L_LoRa_Network_Session_Key, {E_LoRa_Network_Session_Key}, 417);
    Row_Texts(L_LoRa_Application_Session_Key, {E_LoRa_Application_Session_Key}, 419);
    Row_Texts(L_LoRa_Application_Key, {E_LoRa_Application_Key}, 421);
    Box_Texts(CB_LoRa_Adaptive_DataRate, {}, 483);
    Row_Texts(L_LoRa_DataRate, {CB_LoRa_DataRate}, 485);
    Row_Texts(L_LoRa_Transmission_Type, {CB_LoRa_Transmission_Type}, 487);
    Row_Texts(L_LoRa_Payload_Size, {E_LoRa_Payload_Size}, 489);
    Row_Texts(L_LoRa_FPort, {CB_LoRa_FPort}, 491);
    Row_Texts(L_LoRa_FrequencySubBand, {CB_LoRa_FrequencySubBand}, 2904);
    Row_Texts(L_LoRa_LNCHECK, {E_LoRa_LNCHECK}, 2933);

    Row_Texts(L_BACnet_Master_Type, {CB_BACnet_Master_Type}, 506);
    Octet_Texts(L_BACnet_IP_Master_IP, E_BACnet_IP_Master_IP, 508);
    Octet_Texts(L_BACnet_IP_Master_SM, E_BACnet_IP_Master_SM, 513);
    Box_Octet_Texts(CB_BACnet_IP_Master_GAT, E_BACnet_IP_Master_GAT, 518);
    Row_Texts(L_BACnet_IP_Master_Port, {E_BACnet_IP_Master_Port}, 524);
    Row_Texts(L_BACnet_IP_Master_Device_Name, {E_BACnet_IP_Master_Device_Name}, 526);
    Row_Texts(L_BACnet_IP_Master_Device_Identifier, {E_BACnet_IP_Master_Device_Identifier}, 528);
    Row_Texts(L_BACnet_IP_Master_TimeOut_Polling, {E_BACnet_IP_Master_TimeOut_Polling}, 530);
    Row_Texts(L_BACnet_MSTP_Master_Baudrate, {CB_BACnet_MSTP_Master_Baudrate}, 532);
    Row_Texts(L_BACnet_MSTP_Master_Parity, {CB_BACnet_MSTP_Master_Parity}, 534);
    Row_Texts(L_BACnet_MSTP_Master_Device_Name, {E_BACnet_MSTP_Master_Device_Name}, 536);
    Row_Texts(L_BACnet_MSTP_Master_MAC_Address, {E_BACnet_MSTP_Master_MAC_Address}, 538);
    Row_Texts(L_BACnet_MSTP_Master_Max_Master, {E_BACnet_MSTP_Master_Max_Master}, 540);
    Row_Texts(L_BACnet_MSTP_Master_Max_Info_Frame, {E_BACnet_MSTP_Master_Max_Info_Frame}, 542);
    Row_Texts(L_BACnet_MSTP_Master_Device_Instance, {E_BACnet_MSTP_Master_Device_Instance}, 544);

    Octet_Texts(L_Ethernet_IP, E_Ethernet_IP, 437);
    Octet_Texts(L_Ethernet_SM, E_Ethernet_SM, 442);
    Box_Octet_Texts(CB_Ethernet_En_GAT, E_Ethernet_GAT, 447);
    Row_Texts(L_Ethernet_TCP_Port, {E_Ethernet_TCP_Port}, 459);
    Row_Texts(L_Ethernet_UDP_Port, {E_Ethernet_UDP_Port}, 461);

    Set_Lang_FieldBus();
    Set_Lang_Plant();
}

// ------------------------------------------------------------ values the file does not keep

void TFParGen::Keep_Form_Values()
{
    FForm_Values.clear();
    for (TCategoryPanel* panel : CPG->Panels()) {
        if (panel == CP_Ethernet_Connection || panel == CP_LoRa || panel == CP_BACnet_Master || panel == CP_Ethernet)
            continue;
        for (Integer i = 0; i < panel->ControlCount(); ++i) {
            TControl* c = panel->Controls(i);
            if (auto* e = dynamic_cast<TEdit*>(c))
                FForm_Values.push_back({c, e->Text(), 0});
            else if (auto* cb = dynamic_cast<TComboBox*>(c))
                FForm_Values.push_back({c, {}, cb->ItemIndex()});
            else if (auto* box = dynamic_cast<TCheckBox*>(c))
                FForm_Values.push_back({c, {}, box->Checked() ? 1 : 0});
        }
    }
}

void TFParGen::Restore_Form_Values()
{
    for (const TFormValue& v : FForm_Values) {
        if (auto* e = dynamic_cast<TEdit*>(v.Control))
            e->SetText(v.Text);
        else if (auto* cb = dynamic_cast<TComboBox*>(v.Control))
            cb->SetItemIndex(v.Index);
        else if (auto* box = dynamic_cast<TCheckBox*>(v.Control))
            box->SetChecked(v.Index != 0);
    }
}
