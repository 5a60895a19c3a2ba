// The scan window's two trees: the wired meters with their records, and
// the records of the wireless meter clicked in the table. A node's text is
// made once, when the tree initialises the node, into its TMyRec.
#include "mbus/UScanDecode.h"

#include "mbus/UMBusScanDecode.h"
#include "platform/ExtCtrls.h"
#include "platform/Lists.h"
#include "platform/StdControls.h"
#include "platform/Text.h"
#include "shell/DialogFrame.h"
#include "shell/UComon.h"
#include "treeview/NodeTrees.h"

namespace {

TSlave_MBus* Wired_Meter(Integer i)
{
    return Wired_Slave_List && i >= 0 && i < Wired_Slave_List->Count()
               ? static_cast<TSlave_MBus*>(Wired_Slave_List->Items(i))
               : nullptr;
}

TSlave_wMBus* Wireless_Meter(Integer i)
{
    return Wireless_Slave_List && i >= 0 && i < Wireless_Slave_List->Count()
               ? static_cast<TSlave_wMBus*>(Wireless_Slave_List->Items(i))
               : nullptr;
}

// The twelve detail lines under a record, in their order.
QString Detail_Line(const TVariable_MBus& Var, Integer Index)
{
    switch (Index) {
    case 0: return QStringLiteral("Storage Number = ") + QString::number(Var.storage_number);
    case 1: return QStringLiteral("Tariff = ") + QString::number(Var.tarif);
    case 2: return QStringLiteral("Unit = ") + QString::number(Var.device);
    case 3: return QStringLiteral("Data Field = ") + Var.DataFieldStr;
    case 4: return QStringLiteral("Function Field = ") + Var.FunctionFieldStr;
    case 5: return QStringLiteral("Type = ") + Var.Desc_Type_Data;
    case 6: return QStringLiteral("Value = ") + Var.ValueStr;
    case 7: return QStringLiteral("DIF = ") + Var.DIF;
    case 8: return QStringLiteral("VIF = $") + IntToHex(Var.VIF, 2);
    case 9: return QStringLiteral("DIFE = ") + Var.DIFE;
    case 10: return QStringLiteral("VIFE = ") + Var.VIFE;
    case 11: return QStringLiteral("DATA = $") + Var.totdati;
    default: return QString();
    }
}

// A record's line: its value, quantity and unit, storage number and tariff.
QString Record_Line(const TVariable_MBus& Var)
{
    return QStringLiteral("Value = ") + Var.ValueStr + QStringLiteral(" - ") + QStringLiteral("Type = ")
           + Var.Desc_Type_Data + QStringLiteral(" (U") + QString::number(Var.device) + QLatin1Char('S')
           + QString::number(Var.storage_number) + QLatin1Char('T') + QString::number(Var.tarif) + QLatin1Char(')');
}

} // namespace

TNodeStringTree* TFScanDecode::Make_Tree(TWinControl* Parent, const char* Name)
{
    TNodeStringTree* t = Make_Control<TNodeStringTree>(this, Parent, Name);
    t->SetAlign(alClient);
    TCustomNodeTreeOptions* o = t->TreeOptions();
    o->SetAutoOptions(toAutoDropExpand | toAutoTristateTracking);
    o->SetMiscOptions(toCheckSupport | toFullRepaintOnResize | toInitOnSave | toToggleOnDblClick | toWheelPanning);
    o->SetPaintOptions(toShowButtons | toShowRoot | toShowTreeLines | toThemeAware | toUseBlendedImages);
    o->SetSelectionOptions(toMultiSelect);
    t->SetImages(IL_Tree1.get());
    t->OnGetText = [this](TBaseNodeTree* tree, PDataNode n, TColumnIndex, TNSTTextType, QString& text) {
        NSTGetText(tree, n, text);
    };
    t->OnGetImageIndexEx = [this](TBaseNodeTree* tree, PDataNode n, TNtImageKind kind, TColumnIndex, bool&, Integer& index,
                                  TCustomImageList*&) {
        if (kind == ikNormal || kind == ikSelected)
            NSTGetImageIndexEx(tree, n, index);
    };
    t->OnFreeNode = [this](TBaseNodeTree* tree, PDataNode n) { NSTFreeNode(tree, n); };
    return t;
}

void TFScanDecode::Make_Trees()
{
    NST = Make_Tree(P_TreeView, "NST");
    NST->OnInitNode = [this](TBaseNodeTree*, PDataNode p, PDataNode n, TDataNodeInitStates&) { NSTInitNode(p, n); };
    NST->SetNodeDataSize(sizeof(TMyRec));
    NST_Wireless = Make_Tree(P_W_Tree, "NST_Wireless");
    NST_Wireless->OnInitNode = [this](TBaseNodeTree*, PDataNode p, PDataNode n, TDataNodeInitStates&) {
        NST_WirelessInitNode(p, n);
    };
    NST_Wireless->OnChecked = [this](TBaseNodeTree*, PDataNode n) { NST_WirelessChecked(n); };
    NST_Wireless->OnChecking = [](TBaseNodeTree*, PDataNode, TCheckState&, bool&) {};
    NST_Wireless->SetNodeDataSize(sizeof(TMyRec));
}

void TFScanDecode::Clear_Trees()
{
    NST->Clear();
    NST_Wireless->Clear();
}

void TFScanDecode::Clear_Tree(bool Wireless)
{
    (Wireless ? NST_Wireless : NST)->Clear();
}

void TFScanDecode::Show_Slave_in_Tree()
{
    auto lock = TR_ScanDecode->Lock_Lists();
    const Integer count = Wired_Slave_List ? Wired_Slave_List->Count() : 0;
    L_Num_Slave->SetCaption(QString::number(count));
    for (Integer i = 0; i < count; ++i) {
        TSlave_MBus* meter = Wired_Meter(i);
        PDataNode root = NST->AddChild(nullptr);
        meter->Node = root;
        for (const auto& var : meter->List_Var) {
            PDataNode child = NST->AddChild(root);
            var->Node = child;
            for (Integer d = 0; d < 12; ++d)
                NST->AddChild(child);
        }
    }
}

void TFScanDecode::NSTInitNode(TDataNode*, TDataNode* Node)
{
    auto* rec = new (NST->GetNodeData(Node)) TMyRec();
    const Cardinal level = NST->GetNodeLevel(Node);
    PDataNode meter_node = Node;
    while (NST->GetNodeLevel(meter_node) > 0)
        meter_node = meter_node->Parent;
    const TSlave_MBus* meter = Wired_Meter(Integer(meter_node->Index));
    if (!meter)
        return;
    if (level == 0) {
        rec->Caption = QStringLiteral("Primary Address = ") + QString::number(meter->Primary_Addresss)
                       + QStringLiteral(" - ") + QStringLiteral("Secondary Address = ") + meter->Secondary_Addresss
                       + QStringLiteral(" - ") + QStringLiteral("Manufacturer = ") + meter->descManufacture + QLatin1Char('(')
                       + QString::number(meter->Manufacture) + QStringLiteral(") - ") + QStringLiteral("Version = ")
                       + QString::number(meter->Version) + QStringLiteral(" - ") + QStringLiteral("Type = ")
                       + QString::number(meter->Medium);
    } else {
        const PDataNode var_node = level == 1 ? Node : Node->Parent;
        if (var_node->Index >= meter->List_Var.size())
            return;
        const TVariable_MBus& var = *meter->List_Var[var_node->Index];
        rec->Caption = level == 1 ? Record_Line(var) : Detail_Line(var, Integer(Node->Index));
    }
    if (level <= 1) {
        Node->CheckType = ctCheckBox;
        Node->CheckState = csCheckedNormal;
        rec->Check = true;
    }
}

void TFScanDecode::NSTGetText(TBaseNodeTree* Sender, TDataNode* Node, QString& CellText)
{
    CellText = Sender->GetNodeData<TMyRec>(Node)->Caption;
}

void TFScanDecode::NSTGetImageIndexEx(TBaseNodeTree* Sender, TDataNode* Node, Integer& ImageIndex)
{
    ImageIndex = Integer(Sender->GetNodeLevel(Node));
}

void TFScanDecode::NSTFreeNode(TBaseNodeTree* Sender, TDataNode* Node)
{
    // Only an initialised node's record was constructed.
    if (Node->States & vsInitialized)
        Sender->GetNodeData<TMyRec>(Node)->~TMyRec();
}

bool TFScanDecode::Node_Ticked(void* Node) const
{
    auto* n = static_cast<PDataNode>(Node);
    // A node the tree never initialised still has its initial tick.
    if (!(n->States & vsInitialized))
        return true;
    return n->CheckState != csUncheckedNormal && n->CheckState != csUncheckedPressed;
}

void TFScanDecode::Show_Slave_in_Tree_Wireless(Integer Index)
{
    size_t records = 0;
    {
        auto lock = TR_ScanDecode->Lock_Lists();
        const TSlave_wMBus* meter = Wireless_Meter(Index);
        if (!meter)
            return;
        records = meter->List_Var.size();
    }
    // The nodes take their texts from this meter when they are initialised,
    // which takes the lock itself.
    FShownWireless = Index;
    PDataNode root = NST_Wireless->AddChild(nullptr);
    std::vector<PDataNode> children;
    for (size_t r = 0; r < records; ++r) {
        PDataNode child = NST_Wireless->AddChild(root);
        children.push_back(child);
        for (Integer d = 0; d < 12; ++d)
            NST_Wireless->AddChild(child);
    }
    auto lock = TR_ScanDecode->Lock_Lists();
    TSlave_wMBus* meter = Wireless_Meter(Index);
    if (!meter)
        return;
    meter->Node = root;
    for (size_t r = 0; r < children.size() && r < meter->List_Var.size(); ++r)
        meter->List_Var[r]->Node = children[r];
}

void TFScanDecode::NST_WirelessInitNode(TDataNode*, TDataNode* Node)
{
    auto* rec = new (NST_Wireless->GetNodeData(Node)) TMyRec();
    const Cardinal level = NST_Wireless->GetNodeLevel(Node);
    auto lock = TR_ScanDecode->Lock_Lists();
    const TSlave_wMBus* meter = Wireless_Meter(FShownWireless);
    if (!meter)
        return;
    if (level == 0) {
        rec->Caption = QStringLiteral("Manufacturer = ") + meter->ALA_Manu_str + QStringLiteral(" - ")
                       + QStringLiteral("Address = ") + IntToHex(meter->ALA_Address, 8) + QStringLiteral(" - ")
                       + QStringLiteral("Version = ") + QString::number(meter->ALA_Version) + QStringLiteral(" - ")
                       + QStringLiteral("Device Type = ") + QString::number(meter->ALA_DeviceType)
                       + QStringLiteral(" - ") + (meter->Cripted ? QStringLiteral("CRIPTED!!") : QString());
        rec->Check = meter->Enable;
    } else {
        const PDataNode var_node = level == 1 ? Node : Node->Parent;
        if (var_node->Index >= meter->List_Var.size())
            return;
        const TVariable_MBus& var = *meter->List_Var[var_node->Index];
        if (level == 1) {
            rec->Caption = var.Real_Wireless_Var ? Record_Line(var) : QStringLiteral("Idle Filler");
            rec->Check = var.Enable;
        } else {
            rec->Caption = Detail_Line(var, Integer(Node->Index));
        }
    }
    if (level <= 1) {
        Node->CheckType = ctCheckBox;
        Node->CheckState = rec->Check ? csCheckedNormal : csUncheckedNormal;
    }
}

void TFScanDecode::NST_WirelessChecked(TDataNode* Node)
{
    const TCheckState state = Node->CheckState;
    if (state != csCheckedNormal && state != csUncheckedNormal)
        return;
    const bool enable = state == csCheckedNormal;
    auto lock = TR_ScanDecode->Lock_Lists();
    TSlave_wMBus* meter = Wireless_Meter(FShownWireless);
    if (!meter)
        return;
    if (Node == meter->Node) {
        meter->Enable = enable;
        return;
    }
    for (const auto& var : meter->List_Var) {
        if (var->Node == Node) {
            var->Enable = enable;
            return;
        }
    }
}


void TFScanDecode::Show_Wired_Tree(bool Visible)
{
    NST->SetVisible(Visible);
}
