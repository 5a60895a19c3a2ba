#include "fieldbus/UPGNFrames.h"

#include <algorithm>

#include "grid/columns/ExColumnGrid.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "shell/ULanguage.h"

namespace {

const QString Yes = QStringLiteral("Y");
constexpr Integer Max_TP_Bytes = 1785;  // a transport-protocol message
constexpr Integer Max_FP_Bytes = 223;   // a fast packet
constexpr Integer Frame_Bytes = 8;
constexpr Integer Max_Request_Time = 10000000;
constexpr Integer Max_Send_Timer = 65535;

} // namespace

// ------------------------------------------------------------ receive

TPGNReceiveForm::TPGNReceiveForm(TComponent* AOwner, const QString& Name, Integer Width, const TRuleTexts& Texts,
                                 const TRuleFile& File, const TRuleTable& Table, const TRuleGridLook& Look,
                                 Integer Rows, const TPGNReceiveRules& Rules)
    : TRuleTableForm(AOwner, Name, Width, 337, Texts, File), FRules(Rules)
{
    sga = Add_Grid(Table, Look, "sga", Rows);
    if (Rules.Col_DP >= 0)
        Set_Combo_Items(sga, Rules.Col_DP, {QStringLiteral("0"), QStringLiteral("1")});
}

void TPGNReceiveForm::Set_Limits()
{
    NUM_BYTE_IN = FRules.Budget;
}

Integer TPGNReceiveForm::Write_End(Integer Index) const
{
    return Empty_End(Index, FRules.Col_PGN);
}

Integer TPGNReceiveForm::Message_Bytes(Integer r, Integer Max, Integer T_Start, Integer T_Sum)
{
    if (!Check_Range(0, r, FRules.Col_Start, 0, Max, T_Start))
        return -1;
    // In 64 bits: a count near the integer limit must not wrap below Max.
    const Int64 start = Cell_Int(0, FRules.Col_Start, r);
    const Integer count = Cell_Int(0, FRules.Col_NByte, r);
    if (count < 0 || start + count > Max) {
        Row_Error(r, Lang_Text(T_Sum));
        return -1;
    }
    return count;
}

Integer TPGNReceiveForm::Row_Bytes(Integer r)
{
    const TPGNReceiveRules& k = FRules;
    if (Cell(0, k.Col_TP, r) == Yes)
        return Message_Bytes(r, Max_TP_Bytes, k.T_TP_Start, k.T_TP_Sum);
    if (k.Col_FP >= 0 && Cell(0, k.Col_FP, r) == Yes)
        return Message_Bytes(r, Max_FP_Bytes, k.T_FP_Start, k.T_FP_Sum);
    // One frame: all of it, or the bytes from Start Byte (counted from 1).
    const bool no_start = Trim(Cell(0, k.Col_Start, r)).isEmpty();
    const bool no_count = Trim(Cell(0, k.Col_NByte, r)).isEmpty();
    if (no_start && no_count)
        return Frame_Bytes;
    if (no_start != no_count) {
        Row_Error(r, Lang_Text(k.T_Both));
        return -1;
    }
    if (!Check_Range(0, r, k.Col_Start, 1, Frame_Bytes, k.T_Start) ||
        !Check_Range(0, r, k.Col_NByte, 1, Frame_Bytes, k.T_Count))
        return -1;
    const Integer count = Cell_Int(0, k.Col_NByte, r);
    if (Int64(Cell_Int(0, k.Col_Start, r)) + count > Frame_Bytes) {
        Row_Error(r, Lang_Text(k.T_Sum));
        return -1;
    }
    return count;
}

bool TPGNReceiveForm::Controllo_dati()
{
    const TPGNReceiveRules& k = FRules;
    Int64 total = 0;
    const Integer end = Empty_End(0, k.Col_PGN);
    for (Integer r = 1; r < end; ++r) {
        // Any Data Page text passes: the combo offers only 0 and 1.
        if (k.Col_DP >= 0 && Cell(0, k.Col_DP, r).isEmpty()) {
            Row_Error(r, Lang_Text(k.T_DP));
            return false;
        }
        if (!Check_Range(0, r, k.Col_PGN, 0, k.Max_PGN, k.T_PGN) || !Check_Range(0, r, k.Col_SA, 0, k.Max_SA, k.T_SA))
            return false;
        const Integer bytes = Row_Bytes(r);
        if (bytes < 0)
            return false;
        total += bytes;
        if (total > NUM_BYTE_IN) {
            Error_Box(Lang_Text(k.T_Total) + QString::number(NUM_BYTE_IN));
            return false;
        }
        if (k.Col_OnRequest >= 0 && Cell(0, k.Col_OnRequest, r) == Yes &&
            !Check_Range(0, r, k.Col_Time, 0, Max_Request_Time, k.T_Time))
            return false;
    }
    return true;
}

// ------------------------------------------------------------ transmit

TPGNSendForm::TPGNSendForm(TComponent* AOwner, const QString& Name, Integer Width, const TRuleTexts& Texts,
                           const TRuleFile& File, const TRuleTable& Table, const TRuleGridLook& Look, Integer Rows,
                           const TPGNSendRules& Rules)
    : TRuleTableForm(AOwner, Name, Width, 337, Texts, File), FRules(Rules)
{
    sga = Add_Grid(Table, Look, "sga", Rows);
    if (Rules.Col_DP >= 0)
        Set_Combo_Items(sga, Rules.Col_DP, {QStringLiteral("0"), QStringLiteral("1")});
}

void TPGNSendForm::Set_Limits()
{
    NUM_BYTE_OUT = FRules.Budget;
}

Integer TPGNSendForm::Write_End(Integer Index) const
{
    return Empty_End(Index, FRules.Col_Priority);
}

bool TPGNSendForm::Controllo_dati()
{
    const TPGNSendRules& k = FRules;
    Int64 total = 0;
    // Every row the writer keeps is checked: a row with a Priority and no
    // PGN (or the reverse) is refused instead of being saved unchecked.
    const Integer end = std::max(Empty_End(0, k.Col_PGN), Empty_End(0, k.Col_Priority));
    for (Integer r = 1; r < end; ++r) {
        if (!Check_Range(0, r, k.Col_Priority, 0, 7, k.T_Priority))
            return false;
        if (k.Col_DP >= 0 && Cell(0, k.Col_DP, r).isEmpty()) {
            Row_Error(r, Lang_Text(k.T_DP));
            return false;
        }
        if (!Check_Range(0, r, k.Col_PGN, 0, k.Max_PGN, k.T_PGN) || !Check_Range(0, r, k.Col_SA, 0, k.Max_SA, k.T_SA))
            return false;
        const Integer bytes = Cell_Int(0, k.Col_NByte, r);
        if (bytes < 0 || bytes > NUM_BYTE_OUT) {
            Row_Error(r, Lang_Text(k.T_NByte) + QString::number(NUM_BYTE_OUT));
            return false;
        }
        total += bytes;
        if (total > NUM_BYTE_OUT) {
            Error_Box(Lang_Text(k.T_Total) + QString::number(NUM_BYTE_OUT));
            return false;
        }
        if (Cell(0, k.Col_OnTimer, r) == Yes && !Check_Range(0, r, k.Col_Timer, 1, Max_Send_Timer, k.T_Timer))
            return false;
    }
    return true;
}
