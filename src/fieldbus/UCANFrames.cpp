#include "fieldbus/UCANFrames.h"

#include "grid/columns/ExColumnGrid.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "shell/ULanguage.h"

namespace {

const QString Type_11_Bits = QStringLiteral("2.0A (11 bits)");
const QString Type_29_Bits = QStringLiteral("2.0B (29 bits)");
constexpr Integer Max_CobID_11 = 2047;
constexpr Integer Max_CobID_29 = 536870911;  // 0x1FFFFFFF

} // namespace

TCANFrameForm::TCANFrameForm(TComponent* AOwner, const QString& Name, Integer Width, Integer Height,
                             const TRuleTexts& Texts, const TRuleFile& File, const TCANFrameTexts& Checks,
                             Integer Max_Byte, Integer First_Byte_Col)
    : TRuleTableForm(AOwner, Name, Width, Height, Texts, File), FChecks(Checks), FMax_Byte(Max_Byte),
      FFirst_Byte_Col(First_Byte_Col)
{
    Focus_On_Show = true;
}

void TCANFrameForm::Fill_Types(TExColumnGrid* Grid)
{
    Set_Combo_Items(Grid, Col_Type, {Type_11_Bits, Type_29_Bits});
}

void TCANFrameForm::Set_Limits()
{
    MAX_Byte = FMax_Byte;
    TStringList positions;
    positions.Add(QStringLiteral("None"));
    for (Integer i = 0; i < MAX_Byte; ++i)
        positions.Add(QString::number(i));
    for (Integer k = 0; k < 8; ++k)
        Grid(0)->Columns()->Items(FFirst_Byte_Col + k)->SetComboItems(&positions);
}

bool TCANFrameForm::Controllo_dati()
{
    const Integer end = Table_End(0);
    for (Integer r = 1; r < end; ++r) {
        if (!Row_Enabled(0, r, true))
            continue;
        const Integer cob = Cell_Int(0, Col_CobID, r);
        if (Trim(Cell(0, Col_Type, r)) == Type_11_Bits) {
            if (cob < 0 || cob > Max_CobID_11) {
                Row_Error(r, Lang_Text(FChecks.CobID_11));
                return false;
            }
        } else if (cob < 0 || cob > Max_CobID_29) {
            Row_Error(r, Lang_Text(FChecks.CobID_29));
            return false;
        }
        if (!Check_Range(0, r, Col_Dim, 1, 8, FChecks.Dimension) || !Check_Timing(r))
            return false;
        const Integer dim = Cell_Int(0, Col_Dim, r);
        for (Integer k = 1; k <= dim; ++k) {
            const Integer col = FFirst_Byte_Col + k - 1;
            const QString cell = Trim(Cell(0, col, r));
            if (cell.isEmpty() || cell == QLatin1String("None"))
                continue;
            const Integer pos = Cell_Int(0, col, r);
            if (pos < 0 || pos > MAX_Byte - 1) {
                const Integer text = k == 1 ? FChecks.Byte1 : FChecks.Byte2 + k - 2;
                Row_Error(r, Lang_Text(text) + QString::number(MAX_Byte - 1) + Lang_Text(FChecks.Or_None));
                return false;
            }
        }
    }
    return true;
}
