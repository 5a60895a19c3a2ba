#include "plant/UTLS_Server_Known_Cert.h"

#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/XmlDocument.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFTLS_Server_Known_Cert* FTLS_Server_Known_Cert = nullptr;

namespace {

constexpr Integer Rows = 10;

// The Enable column holds check boxes, not text; the reader and the writer
// go through Row_Loaded and File_Value for it.
constexpr TRuleColumn Columns[] = {
    {"Enable", reText, 50, 5115, 5118, rmKeep, "", nullptr, 0xFFD8B0},
    {"Certificate", reText, 500, 5116, 5119, rmDefault, "", nullptr, 0xE0FAFE},
    {"Mnemonic", reText, 160, 5117, 5120, rmDefault, "", nullptr, 0xFFFFFF},
};
enum { cEnable = 1, cCertificate, cMnemonic };

const TRuleTable Table{nullptr, Columns, 5114, -1, cCertificate, false};
const TRuleGridLook Look{true, true, true, true, true};
const TRuleTexts Texts{5100, 5101, {5102, 5103, 5104, 5105, 5106, 5107}, {5108, 5109, 5110, 5111, 5112, 5113}, 5121,
                       -1};
const TRuleFile File{&TLS_Known_Cert_File, "TLS_Server_Known_Cert", "1.000"};

} // namespace

TFTLS_Server_Known_Cert::TFTLS_Server_Known_Cert(TComponent* AOwner)
    : TRuleTableForm(AOwner, QStringLiteral("FTLS_Server_Known_Cert"), 800, 337, Texts, File)
{
    ESG = Add_Grid(Table, Look, "ESG", Rows, nullptr, &Do_Copy);
    ESG->Columns()->Items(cEnable)->SetAlignment(taCenter);
    ESG->AddCheckBoxColumn(cEnable, false, false);
    ESG->SetRowHeights(0, 22);
    for (Integer r = 1; r < ESG->GetRowCount(); ++r) {
        ESG->SetRowHeights(r, 60);
        ESG->SetCellEx(0, r, QString::number(r));
    }
}

TFTLS_Server_Known_Cert::~TFTLS_Server_Known_Cert()
{
    if (FTLS_Server_Known_Cert == this)
        FTLS_Server_Known_Cert = nullptr;
}

void TFTLS_Server_Known_Cert::Set_Limits()
{
    // Read-only rows of an earlier showing's deletions do not carry over.
    for (Integer r = 1; r < ESG->GetRowCount(); ++r) {
        ESG->SetCheckBoxState(cEnable, r, true);
        for (Integer c = 1; c <= cMnemonic; ++c)
            ESG->SetReadOnly(c, r, false);
    }
}

void TFTLS_Server_Known_Cert::Row_Loaded(Integer, const TXMLNode& Node, Integer Row)
{
    ESG->SetCellEx(cEnable, Row, QString());
    ESG->SetCheckBoxState(cEnable, Row, Node.Attribute(QStringLiteral("Enable")) != QLatin1String("N"));
}

QString TFTLS_Server_Known_Cert::File_Value(Integer Index, Integer Col, Integer Row) const
{
    if (Col == cEnable) {
        bool state = false;
        return ESG->GetCheckBoxState(cEnable, Row, state) && state ? QStringLiteral("Y") : QStringLiteral("N");
    }
    return TRuleTableForm::File_Value(Index, Col, Row);
}

void TFTLS_Server_Known_Cert::Btn_DelRowClick(TObject*)
{
    const Integer r = ESG->GetRowEx();
    if (Application->MessageBox(Lang_Text(5121) + QString::number(r), Application->Title(), MB_YESNO | MB_ICONQUESTION)
        == IDYES)
        CheckBox_Grid_Delete_Row(r, ESG, true);
}

void TFTLS_Server_Known_Cert::Btn_InsRowClick(TObject*)
{
    CheckBox_Grid_Insert_Row(ESG->GetRowEx(), ESG, true);
}

void TFTLS_Server_Known_Cert::Btn_CopyRowClick(TObject*)
{
    CheckBox_Grid_Copy_Row(ESG, ESG->GetRowEx());
    Do_Copy = true;
}

void TFTLS_Server_Known_Cert::Btn_PasteRowClick(TObject*)
{
    CheckBox_Grid_Paste_Row(ESG, ESG->GetRowEx(), Do_Copy);
}
