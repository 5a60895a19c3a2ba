#pragma once
// The variables the converter offers as an OPC UA server: each row names a
// variable, its data type, where its value lies in the internal data array
// and how many bytes it takes, and whether clients may write it. The Length
// follows the chosen type. Kept in the configuration's OPC_UA_Server.xml.

#include "shell/URuleTableFrame.h"

class TFOPC_UA_Server_Access : public TRuleTableForm {
public:
    explicit TFOPC_UA_Server_Access(TComponent* AOwner);
    ~TFOPC_UA_Server_Access() override;
    QString ClassName() const override { return QStringLiteral("TFOPC_UA_Server_Access"); }

    TExColumnGrid* ESG;
    // The items of the Type and R/W lists.
    std::unique_ptr<TStringList> VarType;
    std::unique_ptr<TStringList> RWType;
    bool Do_Copy = false;

    // Every ticked row with a Type needs a Position 0 to 1999.
    bool Controllo_dati() override;
    void Btn_DelRowClick(TObject* Sender) override;
    void Btn_InsRowClick(TObject* Sender) override;
    void Btn_CopyRowClick(TObject* Sender) override;
    void Btn_PasteRowClick(TObject* Sender) override;
    // A choice in the Type column applies the type to its row.
    void ESGComboChange(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex, const QString& ASelection);
    // The type's Length (read-only for the fixed sizes) and, for an empty
    // R/W, "Read/Write".
    void VarSetLength(Integer Row, const QString& Type);

protected:
    // Every row ticked and editable before the file is read.
    void Set_Limits() override;
    void Row_Loaded(Integer Index, const TXMLNode& Node, Integer Row) override;
    // The check box as "Y" or "N".
    QString File_Value(Integer Index, Integer Col, Integer Row) const override;

private:
    bool Ticked(Integer Row) const;
};

extern TFOPC_UA_Server_Access* FOPC_UA_Server_Access;
