#pragma once
// The KNX telegram table: each rule ties a KNX telegram (source, group or
// individual destination, APCI, priority) to a place in the converter's
// internal data array, with its format, factor, send conditions and
// time-out. Kept in the configuration's KNX_SetAccess.xml.

#include "shell/URuleTableFrame.h"

class TFKNXAccess : public TRuleTableForm {
public:
    explicit TFKNXAccess(TComponent* AOwner);
    ~TFKNXAccess() override;
    QString ClassName() const override { return QStringLiteral("TFKNXAccess"); }

    // Size of the internal data array; set at every show.
    Integer Max_Num_Byte = 0;
    TExColumnGrid* ACG_KNX_in_Write;

    bool Controllo_dati() override;

protected:
    // The Position list, 0 .. Max_Num_Byte - 1.
    void Set_Limits() override;
    // A priority the list does not offer reads as "Normal".
    void Row_Loaded(Integer Index, const TXMLNode& Node, Integer Row) override;

private:
    // The row's checks; false after its error.
    bool Check_Row(Integer Row, QChar Separator);
};

// The one instance, made at start-up.
extern TFKNXAccess* FKNXAccess;
