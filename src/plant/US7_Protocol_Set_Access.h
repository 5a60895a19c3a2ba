#pragma once
// The S7comm request tables: what the converter, as a client of S7 PLCs over
// TCP/IP, reads into its internal data array and what it writes from it.
// Kept in the configuration's S7_Protocol.xml; at most 10 distinct PLC
// connections over both tables.

#include <array>

#include "shell/URuleTableFrame.h"

class TFS7_Protocol_Set_Access : public TRuleTableForm {
public:
    explicit TFS7_Protocol_Set_Access(TComponent* AOwner);
    ~TFS7_Protocol_Set_Access() override;
    QString ClassName() const override { return QStringLiteral("TFS7_Protocol_Set_Access"); }

    // One PLC connection of the check; IP1 -1 marks a free entry.
    struct TIPPort {
        Integer IP1 = -1, IP2 = -1, IP3 = -1, IP4 = -1, Port = -1;
    };

    // Checks the enabled rows of both tables; shows the first fault.
    bool Controllo_dati() override;
    // The index of the connection's entry, taking the first free one; -1
    // when all 10 hold other connections.
    Integer Check_IP_Port(Integer IP1, Integer IP2, Integer IP3, Integer IP4, Integer Port);

    TTabSheet* TS_S7_Read;
    TTabSheet* TS_S7_Write;
    TExColumnGrid* ACG_S7_Read;
    TExColumnGrid* ACG_S7_Write;

    // The header hints of the tables, kept by the frame.
    TStringList* Hint_S7_Set_Access_Read = nullptr;
    TStringList* Hint_S7_Set_Access_Write = nullptr;
    bool Do_Copy_In_Read = false;
    bool Do_Copy_In_Write = false;
    Integer NByte_IN = 1500;
    Integer NByte_OUT = 1500;
    std::array<TIPPort, 10> array_ip_Port;

protected:
    // Both areas 1500 bytes, the Position lists to match.
    void Set_Limits() override;
};

extern TFS7_Protocol_Set_Access* FS7_Protocol_Set_Access;
