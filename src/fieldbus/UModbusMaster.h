#pragma once
// What the Modbus RTU and Modbus TCP master windows share: a read table and
// a write table of requests on two tabs, their sizes of the internal data
// array and their checks. The TCP tables have two more columns, the slave's
// IP address and port, in front of the Slave ID.

#include <memory>

#include "shell/URuleTableFrame.h"

class TStringList;

// The texts of one window's request checks, in test order; IP and Port
// are -1 in the RTU window.
struct TModbusCheckTexts {
    Integer IP, Port, Slave_ID, Type, Address, NPoint, Poll_Time, Max_Error, Position, Bit, Too_Many, Topic;
};

class TModbusMasterForm : public TRuleTableForm {
public:
    ~TModbusMasterForm() override;

    TTabSheet* TS_Modbus_Read;
    TTabSheet* TS_Modbus_Write;
    TExColumnGrid* ACG_Modbus_Read;
    TExColumnGrid* ACG_Modbus_Write;

    // Sizes of the input and output areas of the internal data array, set at
    // every show.
    Integer NByte_IN = 0;
    Integer NByte_OUT = 0;
    // Topics a read request may publish to; none are offered.
    std::unique_ptr<TStringList> List_Publish_Topic;

    bool Do_Copy_In_Read() const { return Copied(ACG_Modbus_Read); }
    bool Do_Copy_In_Write() const { return Copied(ACG_Modbus_Write); }

    // The read table, then the write table.
    bool Controllo_dati() override;

protected:
    struct TModbusLayout {
        const TRuleTable& Read;
        const TRuleTable& Write;
        TRuleGridLook Read_Look;
        TRuleGridLook Write_Look;
        TModbusCheckTexts Read_Texts;
        TModbusCheckTexts Write_Texts;
    };
    TModbusMasterForm(TComponent* AOwner, const QString& Name, Integer Width, const TRuleTexts& Texts,
                      const TRuleFile& File, const TModbusLayout& Layout, bool TCP);

    // The write tab shown, the Topic column hidden, Position and Start Bit shown.
    void Prepare_Show() override;
    // Both areas 1500 bytes, the Position lists to match.
    void Set_Limits() override;
    // The Topic cell from the stored topic index.
    void Row_Loaded(Integer Index, const TXMLNode& Node, Integer Row) override;

    // The read table's columns from the Slave ID on, shifted by the IP
    // address and port in the TCP window.
    Integer Col(Integer Rtu_Col) const { return Rtu_Col + FShift; }
    Integer Topic_Col() const { return Col(12); }
    QString Topic_Index(Integer Row) const;

private:
    bool Check_Table(Integer Index, bool Read, const TModbusCheckTexts& Texts);

    TModbusLayout FLayout;
    Integer FShift;
};

// The list items of the Type columns of the read and write tables.
constexpr const char* Modbus_Read_Types = "Coil Status|Input Status|Holding Register|Input Register";
constexpr const char* Modbus_Write_Types = "Coil Status|Holding Register";

// True when the text is not an IPv4 address of four parts 0..255.
bool Check_IP_Address(const QString& Text);
