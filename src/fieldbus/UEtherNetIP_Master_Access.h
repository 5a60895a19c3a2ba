#pragma once
// The EtherNet/IP scanner rules: up to ten targets the converter reaches by
// IP address and polls, with their byte counts and start indexes, poll
// time, instances and connection points, real-time header sizes, electronic
// key, configuration data segment and mnemonic. A target can be imported
// from its EDS file; its configuration assembly, kept per row, is edited in
// the data-segment editor. Kept in the configuration's
// EtherNetIP_Master_Rules.xml.

#include <array>
#include <memory>

#include "fieldbus/UEtherNetIP_Master_AccessConfig.h"
#include "shell/URuleTableFrame.h"

class TOpenDialog;

class TFEtherNetIP_Master_Access : public TRuleTableForm {
public:
    explicit TFEtherNetIP_Master_Access(TComponent* AOwner);
    ~TFEtherNetIP_Master_Access() override;
    QString ClassName() const override { return QStringLiteral("TFEtherNetIP_Master_Access"); }

    TExColumnGrid* ACG;
    TFxButton* Btn_Import_EDS;
    TOpenDialog* OD_EDS;

    // The limits of the input and output byte totals; set at every show.
    Integer Num_Byte_In = 0;
    Integer Num_Byte_Out = 0;
    // The configuration of each rule row (entry r - 1 for grid row r), or
    // none; each moves with its row.
    std::array<std::unique_ptr<TTargetConfig>, 10> ArrTargetConf;

    bool Controllo_dati() override;
    void Btn_OKClick(TObject* Sender) override;
    void Btn_DelRowClick(TObject* Sender) override;
    void Btn_InsRowClick(TObject* Sender) override;
    void Btn_Import_EDSClick(TObject* Sender);
    // A double click on a Data Segment cell edits that row's configuration.
    void ACGDblClickCell(TObject* Sender, Integer ARow, Integer ACol);
    void Set_Lang() override;

    // Byte-list tests: 1 when an item is no integer 0 .. 255, 2 when the
    // key has not exactly 8 bytes (the data segment more than 510), else 0.
    static Integer CheckBytesElectronicKey(const QString& Text);
    static Integer CheckBytesDataSegment(const QString& Text);

protected:
    // Every show starts without configurations.
    void Prepare_Show() override;
    void Set_Limits() override;
    // Reads the row's configuration, when it has one.
    void Row_Loaded(Integer Index, const TXMLNode& Node, Integer Row) override;
    // Writes the row's configuration under its element.
    void Row_Written(Integer Index, TXMLNode& Node, Integer Row) override;
};

// The one instance, made at start-up.
extern TFEtherNetIP_Master_Access* FEtherNetIP_Master_Access;
