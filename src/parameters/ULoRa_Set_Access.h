#pragma once
// The LoRaWAN rule tables window (step 3 of the main window): which bytes of
// the converter's internal data array go out as uplinks and on which events,
// and where the bytes of a received downlink go. Kept in the configuration's
// LoRaWAN_SetAccess.xml; the payload size and FPort mode come from its
// ParGen.xml. Both tables are rebuilt at every showing, checked and written
// on OK; Cancel writes nothing.

#include <memory>

#include "shell/ConfigFileGuard.h"
#include "shell/DialogFrame.h"

class TExColumnGrid;
class TExStringGrid;
class TFxButton;
class TPageControl;
class TStringList;
class TTabSheet;
class TXMLDocument;
struct TRule_Table;

class TFLoRa_Set_Access : public TStepDialog {
public:
    explicit TFLoRa_Set_Access(TComponent* AOwner);
    ~TFLoRa_Set_Access() override;
    QString ClassName() const override { return QStringLiteral("TFLoRa_Set_Access"); }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    // Checks the enabled rules of both tables up to their ends; shows the
    // first fault and returns false.
    bool Controllo_dati();
    // Checks, writes LoRaWAN_SetAccess.xml and closes with the OK result.
    void Btn_OKClick(TObject* Sender);
    // Row buttons: on the active tab's table, at its current row.
    void Btn_DelRowClick(TObject* Sender);
    void Btn_InsRowClick(TObject* Sender);
    void Btn_CopyRowClick(TObject* Sender);
    void Btn_PasteRowClick(TObject* Sender);
    // Handlers of both grids.
    void ClickCell(TObject* Sender, Integer ARow, Integer ACol);
    void DblClickCell(TObject* Sender, Integer ARow, Integer ACol);
    void GridHint(TObject* Sender, Integer ARow, Integer ACol, QString& HintStr);
    void KeyPress(TObject* Sender, QChar& Key);
    void Set_Lang();

    TFxButton* Btn_DelRow;
    TFxButton* Btn_InsRow;
    TFxButton* Btn_CopyRow;
    TFxButton* Btn_PasteRow;
    TPageControl* PC_LoRa;
    TTabSheet* TS_LoRa_Uplink;
    TTabSheet* TS_LoRa_Downlink;
    TExColumnGrid* ACG_LoRa_Uplink;
    TExColumnGrid* ACG_LoRa_Downlink;

    // Header hints: entry k for real column k + 1.
    std::unique_ptr<TStringList> Hint_UpLink;
    std::unique_ptr<TStringList> Hint_DownLink;
    // Payload size of ParGen.xml, 0 when it has none.
    Integer MaxPayloadSize = 0;
    // The last Copy Row of this opening came from that table.
    bool Do_Copy_Uplink = false;
    bool Do_Copy_Downlink = false;
    // FPort mode not "Variable": FPort columns hidden, 256 rules a table.
    bool FPortFixed = true;

    TXMLDocument* XML1() const { return FXML1.get(); }

private:
    TExColumnGrid* Make_Grid(TTabSheet* Sheet, const TRule_Table& Table, const char* Name);
    // The table of the active tab.
    TExColumnGrid* Active_Grid() const;
    void Read_ParGen();
    void Blank_Rows(TExColumnGrid* Grid);
    void Read_Rules();
    void Fill_Table(TExColumnGrid* Grid, const TRule_Table& Table, const QString& Element);
    bool Check_Table(TExColumnGrid* Grid, const TRule_Table& Table);
    // OK refuses, naming the row, while a blank row would drop typed rules.
    bool Check_Blank_Rows();
    void Write_Table(TExColumnGrid* Grid, const TRule_Table& Table);
    void Error_Box(const QString& Text);

    std::unique_ptr<TXMLDocument> FXML1;
    TConfig_File_Guard FLoad;
};

// The one instance, made at start-up.
extern TFLoRa_Set_Access* FLoRa_Set_Access;
