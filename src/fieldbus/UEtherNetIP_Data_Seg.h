#pragma once
// The data-segment editor: one row per parameter of a target's
// configuration assembly, its value typed or chosen among its named values
// and checked against its limits. It edits a copy that the scanner rules
// window makes and takes the values back from on OK.

#include <memory>

#include "fieldbus/UEtherNetIP_Master_AccessConfig.h"
#include "grid/ExObj.h"
#include "shell/DialogFrame.h"

class TExStringGrid;

class TFEtherNetIP_Data_Seg : public TStepDialog {
public:
    explicit TFEtherNetIP_Data_Seg(TComponent* AOwner);
    ~TFEtherNetIP_Data_Seg() override;
    QString ClassName() const override { return QStringLiteral("TFEtherNetIP_Data_Seg"); }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Set_Lang();
    void Init_Table();
    // Column 4 of an enumerated parameter chooses among its named values.
    void ESG_DataSegGetEditorType(TObject* Sender, Integer ACol, Integer ARow, TEditorType& AEditor);
    void ESG_DataSegComboChange(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex,
                                const QString& ASelection);
    // Takes the typed values when every one is within its limits.
    void Btn_OKClick(TObject* Sender);
    // False after the error box of the first value outside its limits.
    bool Check_Value();

    // A deep copy of a configuration, for TC.
    static std::unique_ptr<TTargetConfig> CopyTargetConf(const TTargetConfig& Source);

    TExStringGrid* ESG_DataSeg;
    // The configuration being edited (the caller's copy).
    std::unique_ptr<TTargetConfig> TC;
};

extern TFEtherNetIP_Data_Seg* FEtherNetIP_Data_Seg;
