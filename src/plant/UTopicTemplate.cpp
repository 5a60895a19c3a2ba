#include "plant/UTopicTemplate.h"

#include "controls/FxButton.h"
#include "grid/ExGrid.h"
#include "platform/ExtCtrls.h"
#include "platform/Splitter.h"
#include "platform/StdControls.h"
#include "shell/ULanguage.h"

TFTopicTemplate* FTopicTemplate = nullptr;

TFTopicTemplate::TFTopicTemplate(TComponent* AOwner)
    : TStepDialog(AOwner, QStringLiteral("FTopicTemplate"), 635, 396)
{
    Label1->SetVisible(false);
    Btn_OK->SetModalResult(mrOk);

    // The legend sits above the button panel.
    P_Legend = Make_Control<TPanel>(this, this, "P_Legend");
    P_Legend->SetBounds(0, 0, 635, 150);
    P_Legend->SetAlign(alBottom);
    P_Legend->SetCaption(QString());
    L_List_Keywords = Make_Control<TLabel>(this, P_Legend, "L_List_Keywords");
    L_List_Keywords->SetAlign(alTop);
    ESG_Keywords = Make_Control<TExStringGrid>(this, P_Legend, "ESG_Keywords");
    ESG_Keywords->SetAlign(alClient);
    ESG_Keywords->SetColCount(2);
    ESG_Keywords->SetFixedCols(0);
    ESG_Keywords->SetRowCount(2);
    ESG_Keywords->SetColWidths(0, 200);
    ESG_Keywords->SetColWidths(1, 380);
    ESG_Keywords->SetOptions(ESG_Keywords->Options() | goEditing);

    // Above the legend: aligned to the bottom after it.
    Splitter1 = Make_Control<TSplitter>(this, this, "Splitter1");
    Splitter1->SetAlign(alBottom);
    Splitter1->SetBounds(0, 0, 635, 4);

    RE_TopicTemplate = Make_Control<TMemo>(this, this, "RE_TopicTemplate");
    RE_TopicTemplate->SetAlign(alClient);
    RE_TopicTemplate->SetScrollBars(ssVertical);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFTopicTemplate::~TFTopicTemplate()
{
    if (FTopicTemplate == this)
        FTopicTemplate = nullptr;
}

void TFTopicTemplate::FormCreate(TObject*)
{
    Frame_Create();
    Set_Lang();
}

void TFTopicTemplate::Set_Lang()
{
    SetCaption(Lang_Text(5300));
    L_SW_Desc->SetCaption(Lang_Text(5302));
    L_List_Keywords->SetCaption(Lang_Text(5304));
    ESG_Keywords->SetCells(0, 0, Lang_Text(5305));
    ESG_Keywords->SetCells(1, 0, Lang_Text(5306));
    Btn_OK->SetCaption(Lang_Text(5307));
    Btn_Cancel->SetCaption(Lang_Text(5308));
}

void TFTopicTemplate::FormShow(TObject*)
{
    SetCaption(Lang_Text(TopicTemplate ? 5301 : 5300));
    L_SW_Desc->SetCaption(Lang_Text(TopicTemplate ? 5303 : 5302));
    Laod_Keywords();
    if (RE_TopicTemplate->CanFocus())
        RE_TopicTemplate->SetFocus();
}

void TFTopicTemplate::Laod_Keywords()
{
    ESG_Keywords->SetRowCount(2);
    ESG_Keywords->SetCells(0, 1, QString());
    ESG_Keywords->SetCells(1, 1, QString());
    ESG_Keywords->SetReadOnly(0, 1, false);
    ESG_Keywords->SetReadOnly(1, 1, true);
}
