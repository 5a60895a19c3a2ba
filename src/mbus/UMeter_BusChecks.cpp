// The network editor's checks: a node or a variable before it is stored,
// the uniqueness of wired addresses and the overlap of positions in the
// internal data array. Each failure shows one error box.
#include "mbus/UMeter_Bus.h"
#include "mbus/UMeter_BusTexts.h"

#include "platform/Dialogs.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "shell/TextChecks.h"
#include "shell/ULanguage.h"

namespace {

using namespace mbus_editor;

// Shows text n and gives false, for the checks' "refuse" paths.
bool Refuse(Integer n)
{
    Error_Box(Lang(n));
    return false;
}

Integer Int_Of(const TEdit* Edit)
{
    return Text_To_Int(Edit->Text(), -1);
}

Int64 Int64_Of(const TEdit* Edit)
{
    return Text_To_Int64(Edit->Text(), -1);
}

bool In(Int64 Value, Int64 Low, Int64 High)
{
    return Value >= Low && Value <= High;
}

// Both positions used and equal.
bool Same(Integer A, Integer B)
{
    return A > 0 && B > 0 && A == B;
}

} // namespace

bool TFMeter_Bus::Controllo_Dati_New_Nodo()
{
    bool result = true;
    Integer ns = -1, in = -1;
    const bool wireless = CB_MBus_Type->ItemIndex() == 0;
    if (wireless) {
        if (!In(Int_Of(E_wMBus_ManID), 0, 65535))
            return Refuse(1845);
        if (!In(Int64_Of(E_wMBus_Add), 0, 4294967295LL))
            return Refuse(1846);
        if (!In(Int_Of(E_wMBus_Ver), 0, 255))
            return Refuse(1847);
        if (!In(Int_Of(E_wMBus_DevType), 0, 255))
            return Refuse(1848);
        if (CB_wMBus_EnKey->Checked())
            for (Integer k = 0; k < 16; ++k)
                if (!In(Int_Of(E_wMBus_K[k]), 0, 255))
                    return Refuse(1849 + k);
        ns = Int_Of(E_wMBus_NodeState);
        in = Int_Of(E_wMBus_Ident);
        const Integer rssi = Int_Of(E_wMBus_RSSI);
        const Integer an = Int_Of(E_wMBus_Access_Number);
        if (!In(ns, 0, 59999))
            return Refuse(1865);
        if (!In(in, 0, 59999))
            return Refuse(1866);
        if (!In(rssi, 0, 59999))
            return Refuse(1867);
        if (!In(an, 0, 59999))
            return Refuse(1868);
        if (Same(in, ns))
            return Refuse(1869);
        if (Same(in, rssi))
            return Refuse(1870);
        if (Same(in, an))
            return Refuse(1871);
        if (Same(ns, rssi))
            return Refuse(1872);
        if (Same(ns, an))
            return Refuse(1873);
        if (Same(rssi, an))
            return Refuse(1874);
    } else {
        Integer id = 0, id_type = 0;
        if (RB_ID_Primary->Checked()) {
            id = Int_Of(E_New_Node_ID_Pri);
            if (!In(id, 0, 255))
                return Refuse(1875);
        } else {
            id = Int_Of(E_New_Node_ID_Sec);
            id_type = 1;
            if (!In(id, 0, 99999999))
                return Refuse(1876);
        }
        // A used address is reported, and the fields below are still checked.
        result = Check_Node_ID(id, id_type);
        if (CB_Node_State->Checked()) {
            ns = Int_Of(E_Node_State);
            if (!In(ns, 0, 1536))
                return Refuse(1877);
        }
        if (CB_Ident_Num->Checked()) {
            in = Int_Of(E_Iden);
            if (!In(in, 0, 1536))
                return Refuse(1878);
        }
        if (Same(in, ns))
            return Refuse(1879);
    }

    Integer msd = -1;
    if (CB_Manu_Spec_Data->Checked()) {
        msd = Int_Of(E_Manu_Spec_Data);
        if (!In(msd, 0, 1536))
            return Refuse(1880);
    }
    if (Same(msd, in))
        return Refuse(1881);
    if (Same(msd, ns))
        return Refuse(1882);
    if (msd > 0) {
        const Integer length = Int_Of(E_MSD_Length);
        const Integer offset = Int_Of(E_MSD_Offset);
        if (!In(length, 1, 241))
            return Refuse(1883);
        if (!In(offset, 0, 240))
            return Refuse(1884);
        if (length + offset > 241)
            return Refuse(1885);
    }

    // The access number of a wireless node is checked with its other
    // registers above.
    if (!wireless && CB_Access_Number->Checked()) {
        const Integer an = Int_Of(E_Access_Number);
        if (!In(an, 0, 1536))
            return Refuse(1886);
        if (Same(an, in))
            return Refuse(1887);
        if (Same(an, ns))
            return Refuse(1888);
        if (Same(an, msd))
            return Refuse(1889);
    }
    return result;
}

bool TFMeter_Bus::Check_Node_ID(Integer ID, Integer IDType)
{
    for (Integer k = 0; k < Integer(Nodi_List.size()); ++k) {
        const TNodo& n = *Nodi_List[size_t(k)];
        const Integer address = IDType == 0 ? n.Node_Pri : n.Node_Sec;
        const bool same = n.Node_ID_Type == IDType && address == ID;
        if (k != IND_NODO) {
            if (n.MBus_Type != 0 && same)
                return Refuse(1892);
        } else if (IND_VAR >= 0 && same) {
            // With one of its variables selected the click adds a new node,
            // so the selected node counts too.
            return Refuse(1891);
        }
    }
    return true;
}

bool TFMeter_Bus::Check_Node_ID2(Integer ID, Integer IDType)
{
    for (const auto& n : Nodi_List) {
        const Integer address = IDType == 0 ? n->Node_Pri : n->Node_Sec;
        if (n->Node_ID_Type == IDType && address == ID)
            return Refuse(1890);
    }
    return true;
}

bool TFMeter_Bus::Check_Registers(Integer Reg, Integer RegScale, Integer TPYear, bool NewVar)
{
    auto within = [](Integer Value, Integer First, Integer Last) { return Value >= First && Value <= Last; };
    for (Integer k = 0; k < Integer(Nodi_List.size()); ++k) {
        const TNodo& n = *Nodi_List[size_t(k)];
        if (n.Enable != 1)
            continue;
        auto node_hit = [&](Integer First, Integer Closing) {
            Error_Box(Lang(First) + n.Description + Lang(Closing));
            return true;
        };
        const bool rssi = n.MBus_Type == 0 && n.RSSI > 0;
        if (n.Node_State == Reg)
            return node_hit(1787, 1788);
        if (n.Ident_Num == Reg)
            return node_hit(1789, 1790);
        if (rssi && n.RSSI == Reg)
            return node_hit(1791, 1792);
        if (RegScale > 0) {
            if (n.Node_State == RegScale)
                return node_hit(1793, 1794);
            if (n.Ident_Num == RegScale)
                return node_hit(1795, 1796);
            if (rssi && n.RSSI == RegScale)
                return node_hit(1797, 1798);
        }
        if (TPYear > 0) {
            if (within(n.Node_State, TPYear, TPYear + 5))
                return node_hit(1799, 1800);
            if (within(n.Ident_Num, TPYear, TPYear + 5))
                return node_hit(1801, 1802);
            if (rssi && within(n.RSSI, TPYear, TPYear + 5))
                return node_hit(1803, 1804);
        }
        for (Integer j = 0; j < Integer(n.Var_List.size()); ++j) {
            const TVariabile& v = *n.Var_List[size_t(j)];
            if (!v.Enable || (!NewVar && k == IND_NODO && j == IND_VAR))
                continue;
            auto var_hit = [&](Integer First) {
                Error_Box(Lang(First) + n.Description + Lang(First + 1) + v.Description + Lang(First + 2));
                return true;
            };
            const Integer year = v.TP_Mod_Year;
            const bool tp = v.TP_Mod_Regs;
            if (v.PositionData == Reg)
                return var_hit(1805);
            if (tp && within(Reg, year, year + 5))
                return var_hit(1811);
            if (RegScale > 0 && v.PositionData == RegScale)
                return var_hit(1814);
            if (RegScale > 0 && tp && within(RegScale, year, year + 5))
                return var_hit(1820);
            if (TPYear > 0 && within(v.PositionData, TPYear, TPYear + 5))
                return var_hit(1823);
            if (TPYear > 0 && tp) {
                if (within(TPYear, year, year + 5))
                    return var_hit(1829);
                if (within(year, TPYear + 1, TPYear + 5))
                    return var_hit(1832);
            }
        }
    }
    return false;
}

bool TFMeter_Bus::Controllo_Dati_New_Var(bool NewVar)
{
    const Integer position_data = Int_Of(E_Var_MR);
    if (!In(position_data, 1, 1536))
        return Refuse(1835);
    if (!In(Int64_Of(E_Sto_Num), 0, 4294967295LL))
        return Refuse(1838);
    if (!In(Int64_Of(E_Tariff), 0, 1048575))
        return Refuse(1839);
    if (CB_Var_Dim->ItemIndex() == 7 && !In(Int_Of(E_Length), 0, 191))
        return Refuse(1840);
    Integer tp_year = 0;
    if (CB_Var_ToD->ItemIndex() == 20 && CB_TP_MR->Checked()) {
        tp_year = Int_Of(E_TP_Year);
        if (!In(tp_year, 1, 59995))
            return Refuse(1841);
    }
    if (tp_year > 0 && position_data >= tp_year && position_data <= tp_year + 5)
        return Refuse(1842);
    if (!In(Int_Of(E_Position), 1, 512))
        return Refuse(1844);
    return !Check_Registers(position_data, 0, tp_year, NewVar);
}
