#include "fieldbus/UCANopenTables.h"

#include "platform/StringList.h"
#include "shell/ULanguage.h"

namespace {

constexpr Integer Area_Size = 1500;
// Tables with header hints by column, a click in column 0 selecting the row
// and Enter moving on.
constexpr TRuleGridLook Look{true, false, true, true, true};

} // namespace

TCANopenTableForm::TCANopenTableForm(TComponent* AOwner, const QString& Name, Integer Width, const TRuleTexts& Texts,
                                     const TRuleFile& File, const TRuleTable& First,
                                     const TRuleTable& Second, const char* First_Sheet, const char* Second_Sheet,
                                     Integer Rows)
    : TRuleTableForm(AOwner, Name, Width, 337, Texts, File)
{
    sga = Add_Grid(First, Look, "sga", Rows, First_Sheet);
    sgb = Add_Grid(Second, Look, "sgb", Rows, Second_Sheet);
}

void TCANopenTableForm::Set_Limits()
{
    PROFINET_NByte_IN = Area_Size;
    PROFINET_NByte_OUT = Area_Size;
}

bool TCANopenTableForm::Controllo_dati()
{
    for (Integer i = 0; i < 2; ++i) {
        const Integer end = Table_End(i);
        for (Integer r = 1; r < end; ++r)
            if (!Check_Row(i, r))
                return false;
    }
    return true;
}

bool TCANopenTableForm::Check_Byte_Count(Integer Index, Integer Row, Integer Col, Integer Text)
{
    const Integer v = Cell_Int(Index, Col, Row);
    if (v == 1 || v == 2 || v == 4)
        return true;
    Row_Error(Row, Language_Texts->Strings(Text));
    return false;
}

bool TCANopenTableForm::Check_Addresses(Integer Index, Integer Row, Integer First_Col, Integer Count,
                                        Integer First_Text, Integer Area)
{
    for (Integer k = 0; k < Count; ++k) {
        const Integer v = Cell_Int(Index, First_Col + k, Row);
        if (v < 0 || v > Area - 1) {
            Row_Error(Row, Language_Texts->Strings(First_Text + k) + QString::number(Area - 1));
            return false;
        }
    }
    return true;
}
