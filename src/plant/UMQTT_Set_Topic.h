#pragma once
// The MQTT topic tables: the topics the converter publishes (value taken
// from the internal data array, payload template, when to publish) and the
// topics it subscribes to (where the received value goes). Kept in the
// configuration's MQTT_Set_Topic.xml. A double click on a template cell
// edits it in the template editor.

#include "shell/URuleTableFrame.h"

class TFMQTT_Set_Topic : public TRuleTableForm {
public:
    explicit TFMQTT_Set_Topic(TComponent* AOwner);
    ~TFMQTT_Set_Topic() override;
    QString ClassName() const override { return QStringLiteral("TFMQTT_Set_Topic"); }

    // Checks the rows of both tables, skipping the checks of hidden columns;
    // shows the first fault.
    bool Controllo_dati() override;
    // True when the text holds an odd number of "$".
    static bool Error_In_Topic_Template(const QString& Text);
    void ACG_MQTT_DblClickCell(TObject* Sender, Integer ARow, Integer ACol);
    // Edits the cell (real column) in the template editor; OK writes it back.
    void Show_Form_Topic(TExColumnGrid* Grid, Integer ARow, Integer ACol);

    TTabSheet* TS_MQTT_Publish;
    TTabSheet* TS_MQTT_Subscribe;
    TExColumnGrid* ACG_Pub;
    TExColumnGrid* ACG_Sub;

    // The header hints of the tables, kept by the frame.
    TStringList* Hint_MQTT_Set_Topic_Pub = nullptr;
    TStringList* Hint_MQTT_Set_Topic_Sub = nullptr;
    Integer Byte_IN = 1500;
    Integer Byte_OUT = 1500;
    Integer Working_Mode = 1;
    bool Do_Copy_Pub = false;
    bool Do_Copy_Sub = false;

protected:
    // The mode and the area sizes reset, the columns of the mode shown and
    // the others hidden.
    void Prepare_Show() override;
    // The file lacks a required attribute: an error box naming the row and
    // its table.
    void Missing_Attribute(const TXMLNode& Table, Integer Row, const QString& Name) override;
};

extern TFMQTT_Set_Topic* FMQTT_Set_Topic;
