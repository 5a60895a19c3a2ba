#pragma once
// The MQTT topic tables: the topics the converter publishes (value taken
// from the internal data array, payload template, when to publish) and the
// topics it subscribes to (where the received value goes). Kept in the
// configuration's MQTT_Set_Topic.xml. A double click on a template cell
// edits it in the template editor.

#include <memory>

#include "plant/TableWindow.h"

class TPageControl;
class TTabSheet;

class TFMQTT_Set_Topic : public TTable_Window {
public:
    explicit TFMQTT_Set_Topic(TComponent* AOwner);
    ~TFMQTT_Set_Topic() override;
    QString ClassName() const override { return QStringLiteral("TFMQTT_Set_Topic"); }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    // Checks the rows of both tables, skipping the checks of hidden columns;
    // shows the first fault.
    bool Controllo_dati();
    // True when the text holds an odd number of "$".
    static bool Error_In_Topic_Template(const QString& Text);
    void Btn_OKClick(TObject* Sender);
    void ACG_MQTT_DblClickCell(TObject* Sender, Integer ARow, Integer ACol);
    // Edits the cell (real column) in the template editor; OK writes it back.
    void Show_Form_Topic(TExColumnGrid* Grid, Integer ARow, Integer ACol);
    void Set_Lang();

    TPageControl* PageControl1;
    TTabSheet* TS_MQTT_Publish;
    TTabSheet* TS_MQTT_Subscribe;
    TExColumnGrid* ACG_Pub;
    TExColumnGrid* ACG_Sub;

    std::unique_ptr<TStringList> Hint_MQTT_Set_Topic_Pub;
    std::unique_ptr<TStringList> Hint_MQTT_Set_Topic_Sub;
    Integer Byte_IN = 1500;
    Integer Byte_OUT = 1500;
    Integer Working_Mode = 1;
    bool Do_Copy_Pub = false;
    bool Do_Copy_Sub = false;

protected:
    TExColumnGrid* Shown_Grid() const override;
};

extern TFMQTT_Set_Topic* FMQTT_Set_Topic;
