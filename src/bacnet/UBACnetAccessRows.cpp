// The row buttons of the request tables: they act on the table of the
// active tab, at its current row.

#include "bacnet/UBACnetAccess.h"

#include "bacnet/BACnetLang.h"
#include "shell/UComon.h"

#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/Form.h"

void TFBACnetAccess::Btn_DelRowClick(TObject*)
{
    TExColumnGrid* grid = Active_Grid();
    const Integer row = grid->GetRowEx();
    if (Application->MessageBox(BACnet_Lang(1336) + QString::number(row), Application->Title(),
                                MB_YESNO | MB_ICONQUESTION) == IDYES)
        Grid_Delete_Row(row, grid);
}

void TFBACnetAccess::Btn_InsRowClick(TObject*)
{
    TExColumnGrid* grid = Active_Grid();
    Grid_Insert_Row(grid->GetRowEx(), grid, true);
}
