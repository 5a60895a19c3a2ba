#pragma once
// Reading M-Bus answers: a meter from the fixed header of an RSP_UD
// telegram, and the walk over the data records (DIF, DIFEs, VIF, VIFEs,
// data) with the decoding of each record's value and unit. The scan engine
// builds on this class: it owns the answer buffer and the per-record scratch
// bytes that the decoding reads.

#include "platform/Types.h"

#include <QString>

#include "mbus/MBusSlaves.h"

enum TMBusType { mtWired, mtWireless };

class TMBusRecordDecoder {
public:
    static constexpr Integer Ans_Size = 2051;

    // The last answer, byte 0 first, and its length.
    Byte Ans_Array[Ans_Size] = {};
    Integer Ans_Len = 0;
    // Data bytes and VIFE bytes of the record decoded last.
    Byte App_Data_Val[256] = {};
    Byte App_Vife_Val[10] = {};
    // A wireless parse keeps idle fillers as records.
    TMBusType MBusType = mtWired;

    virtual ~TMBusRecordDecoder() = default;

    // The answer in Ans_Array is a valid RSP_UD. With Index < 0 a new meter
    // is made from its header and appended to Wired_Slave_List; otherwise
    // the records go to the meter at Index. NoMore is false when the meter
    // announced a further telegram. Returns the meter's position, or -1
    // when Index < 0 and the answer has a structure that is not read (a CI
    // other than 72, variable, and 73, fixed): such an answer makes no meter.
    Integer Add_Wired_Slave(Integer Index, bool& NoMore);

    // A meter from an answer with the fixed data structure, its two counters
    // as records; -1 for an answer too short to hold it.
    Integer Add_Fixed_Slave(Integer Len);

    // Appends one record per data record found in Data[0..LastIndex]; never
    // reads past LastIndex. False when the records ended with DIF 1F (more
    // follow in the next telegram). A record of reserved variable length is
    // kept marked (errata) without a value and ends the list, since the next
    // record cannot be found behind it. Spare is not used.
    bool Parse_Data_Records(TVariable_MBus_List& List, Integer LastIndex, Integer Spare, const Byte* Data);

    // Value text, quantity text and quantity codes of one record whose data
    // bytes are in App_Data_Val and VIFE bytes in App_Vife_Val.
    void Decode_Record_Value(Byte VIF, Byte FirstVIFE, TVariable_MBus* Var, Integer nbyte, Byte LVAR, Byte DataField);

    // Value text, quantity text and quantity code of a counter of the fixed
    // data structure (4 bytes in App_Data_Val) by its 6-bit unit code.
    void Decode_Fixed_Value(Byte Unit, TVariable_MBus* Var, bool Binary);

    // The BCD number in the first N bytes of App_Data_Val (an F high nibble
    // in the last byte is a minus sign).
    Int64 BCD_To_Int64(Integer N) const;
};

// Whether the BCD number in the first N bytes of Data holds only the digits
// 0-9 (an F high nibble in the last byte is its minus sign); meters send the
// digits A-F in an error state.
bool BCD_Is_Number(const Byte* Data, Integer N);
// The BCD digits of the first N bytes of Data as they stand, the most
// significant first ("DDEBBD" for BD EB DD).
QString BCD_Digits(const Byte* Data, Integer N);

// Medium text of the fixed header's device type.
QString Medium_Text(Integer Code);
// The three manufacturer letters of a 16-bit manufacturer code; "?" for a
// field that is no letter.
QString Trova_Man(Integer num);
// Decimal text with a leading "0" when it has one digit.
QString Two_Digit_Text(Integer Value);
Int64 Power_Of_Ten(Integer K);
