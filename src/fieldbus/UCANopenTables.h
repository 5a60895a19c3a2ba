#pragma once
// What the CANopen PDO, SDO client and SDO server windows share: a table on
// each of two tabs (grids sga and sgb), no Enable column, the sizes of the
// internal data array both tables address, and the range checks their rows
// are made of.

#include "shell/URuleTableFrame.h"

class TCANopenTableForm : public TRuleTableForm {
public:
    TExColumnGrid* sga;
    TExColumnGrid* sgb;

    // Byte positions of the internal data array for received data and for
    // data to send, set at every show.
    Integer PROFINET_NByte_IN = 0;
    Integer PROFINET_NByte_OUT = 0;

    // sga, then sgb, each down to its first blank key cell.
    bool Controllo_dati() override;

protected:
    TCANopenTableForm(TComponent* AOwner, const QString& Name, Integer Width, const TRuleTexts& Texts,
                      const TRuleFile& File, const TRuleTable& First, const TRuleTable& Second,
                      const char* First_Sheet, const char* Second_Sheet, Integer Rows);

    void Set_Limits() override;
    // The checks of one row of table Index (0 sga, 1 sgb); false after the
    // first fault's error box.
    virtual bool Check_Row(Integer Index, Integer Row) = 0;

    // The cell's number is 1, 2 or 4, else the error Text.
    bool Check_Byte_Count(Integer Index, Integer Row, Integer Col, Integer Text);
    // Count array positions from First_Col, each 0 .. Area - 1, else the
    // error First_Text + k - 1 followed by Area - 1.
    bool Check_Addresses(Integer Index, Integer Row, Integer First_Col, Integer Count, Integer First_Text, Integer Area);
};
