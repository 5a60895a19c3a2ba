#pragma once
// The converter's list of known TLS certificates: up to ten, each with an
// enable tick and a description. Kept in the configuration's
// TLS_Known_Cert.xml; the list ends at the first row without a certificate.

#include "shell/URuleTableFrame.h"

class TFTLS_Server_Known_Cert : public TRuleTableForm {
public:
    explicit TFTLS_Server_Known_Cert(TComponent* AOwner);
    ~TFTLS_Server_Known_Cert() override;
    QString ClassName() const override { return QStringLiteral("TFTLS_Server_Known_Cert"); }

    TExColumnGrid* ESG;
    bool Do_Copy = false;

    // Nothing to check.
    bool Controllo_dati() override { return true; }
    // The row buttons move the ticks with the rows.
    void Btn_DelRowClick(TObject* Sender) override;
    void Btn_InsRowClick(TObject* Sender) override;
    void Btn_CopyRowClick(TObject* Sender) override;
    void Btn_PasteRowClick(TObject* Sender) override;

protected:
    // Every row ticked and editable before the file is read.
    void Set_Limits() override;
    void Row_Loaded(Integer Index, const TXMLNode& Node, Integer Row) override;
    // The tick as "Y" or "N".
    QString File_Value(Integer Index, Integer Col, Integer Row) const override;
};

extern TFTLS_Server_Known_Cert* FTLS_Server_Known_Cert;
