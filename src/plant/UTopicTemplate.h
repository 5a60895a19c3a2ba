#pragma once
// The editor of one MQTT topic template in a larger text box, with the
// legend of the keywords a template may hold between two "$".

#include "shell/DialogFrame.h"

class TExStringGrid;
class TMemo;
class TPanel;
class TSplitter;

class TFTopicTemplate : public TStepDialog {
public:
    explicit TFTopicTemplate(TComponent* AOwner);
    ~TFTopicTemplate() override;
    QString ClassName() const override { return QStringLiteral("TFTopicTemplate"); }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Set_Lang();
    // Fills the keyword legend (one blank row: this build has no keywords).
    void Laod_Keywords();

    TMemo* RE_TopicTemplate;
    // Moves the border between the text and the legend.
    TSplitter* Splitter1;
    TPanel* P_Legend;
    TLabel* L_List_Keywords;
    TExStringGrid* ESG_Keywords;

    // Non-zero when the edited cell is a template cell.
    Integer TopicTemplate = 0;
    // Handed over by the topic window; the editor reads neither.
    Integer Working_Mode = 0;
    Integer Pub_Sub = 0;
};

extern TFTopicTemplate* FTopicTemplate;
