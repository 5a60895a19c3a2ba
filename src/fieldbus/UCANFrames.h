#pragma once
// What the CAN receive and transmit frame windows share: the frame columns
// (identifier, type, dimension, eight byte positions) and their checks.

#include "shell/URuleTableFrame.h"

// The texts of one window's frame checks.
struct TCANFrameTexts {
    Integer CobID_11;     // CobID of a 2.0A frame
    Integer CobID_29;     // CobID of any other frame
    Integer Dimension;
    Integer Byte1;        // Byte1 ...
    Integer Or_None;      // " or None", after the limit
    Integer Byte2;        // Byte2 .. Byte8 follow in order
};

class TCANFrameForm : public TRuleTableForm {
public:
    // Positions of the internal data array that the byte columns may name;
    // set at every show.
    Integer MAX_Byte = 0;

protected:
    TCANFrameForm(TComponent* AOwner, const QString& Name, Integer Width, Integer Height, const TRuleTexts& Texts,
                  const TRuleFile& File, const TCANFrameTexts& Checks, Integer Max_Byte, Integer First_Byte_Col);

    // Column 2 CobID, 3 Type, 4 Dimension, bytes from First_Byte_Col.
    enum { Col_CobID = 2, Col_Type = 3, Col_Dim = 4 };

    // The byte columns' lists: "None", then every position.
    void Set_Limits() override;
    // Checks the enabled frames: CobID by type, dimension, the window's own
    // timing test, then the bytes within the dimension.
    bool Controllo_dati() override;
    // The window's test between dimension and bytes; false after its error.
    virtual bool Check_Timing(Integer Row) = 0;

    // The items of the Type column.
    static void Fill_Types(TExColumnGrid* Grid);

private:
    TCANFrameTexts FChecks;
    Integer FMax_Byte;
    Integer FFirst_Byte_Col;
};
