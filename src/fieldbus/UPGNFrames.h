#pragma once
// What the J1939 and NMEA 2000 frame windows share: frames named by PGN and
// Source Address, the bytes a received frame contributes (transport
// protocol, fast packet or one 8-byte frame), the send rules of a
// transmitted one and the byte budget of each direction.

#include "shell/URuleTableFrame.h"

// Columns (-1: the window has none) and texts of a receive table.
struct TPGNReceiveRules {
    Integer Col_DP, Col_PGN, Col_SA, Col_TP, Col_FP, Col_Start, Col_NByte, Col_OnRequest, Col_Time;
    Integer Max_PGN, Max_SA, Budget;
    Integer T_DP, T_PGN, T_SA, T_TP_Start, T_TP_Sum, T_FP_Start, T_FP_Sum, T_Both, T_Start, T_Count, T_Sum,
        T_Total, T_Time;
};

// Columns (-1: the window has none) and texts of a transmit table.
struct TPGNSendRules {
    Integer Col_Priority, Col_DP, Col_PGN, Col_SA, Col_NByte, Col_OnTimer, Col_Timer;
    Integer Max_PGN, Max_SA, Budget;
    Integer T_Priority, T_DP, T_PGN, T_SA, T_NByte, T_Total, T_Timer;
};

class TPGNReceiveForm : public TRuleTableForm {
public:
    // Bytes that all rows together may capture; set at every show.
    Integer NUM_BYTE_IN = 0;
    TExColumnGrid* sga;

    bool Controllo_dati() override;

protected:
    TPGNReceiveForm(TComponent* AOwner, const QString& Name, Integer Width, const TRuleTexts& Texts,
                    const TRuleFile& File, const TRuleTable& Table, const TRuleGridLook& Look, Integer Rows,
                    const TPGNReceiveRules& Rules);
    void Set_Limits() override;
    // The table ends at the first empty PGN cell, a blank being text.
    Integer Write_End(Integer Index) const override;

private:
    // The bytes the row captures, or -1 after its error.
    Integer Row_Bytes(Integer Row);
    // Start Byte in 0 .. Max, Start + N Byte in 0 .. Max.
    Integer Message_Bytes(Integer Row, Integer Max, Integer T_Start, Integer T_Sum);
    const TPGNReceiveRules& FRules;
};

class TPGNSendForm : public TRuleTableForm {
public:
    // Data bytes that all rows together may send; set at every show.
    Integer NUM_BYTE_OUT = 0;
    TExColumnGrid* sga;

    bool Controllo_dati() override;

protected:
    TPGNSendForm(TComponent* AOwner, const QString& Name, Integer Width, const TRuleTexts& Texts,
                 const TRuleFile& File, const TRuleTable& Table, const TRuleGridLook& Look, Integer Rows,
                 const TPGNSendRules& Rules);
    void Set_Limits() override;
    // The writer ends at the first empty Priority cell.
    Integer Write_End(Integer Index) const override;

private:
    const TPGNSendRules& FRules;
};
