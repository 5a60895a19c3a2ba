// Readers of the scan window's grids, kept apart from the tree's units.
#include "ScanWindowFixture.h"

#include "grid/ExGrid.h"
#include "grid/columns/ExColumnGrid.h"
#include "mbus/UModbusStartAdd_SD.h"
#include "mbus/UScanDecode.h"

QString Wireless_Cell(TFScanDecode* Form, Integer Col, Integer Row)
{
    return Form->ESG_Wireless->GetCellEx(Col, Row);
}

Integer Wireless_Rows(TFScanDecode* Form)
{
    return Form->ESG_Wireless->GetRowCount();
}

TColor Wireless_Color(TFScanDecode* Form, Integer Col, Integer Row)
{
    return Form->ESG_Wireless->GetCellProperties(Col, Row)->BrushColor();
}

Integer Wireless_Image(TFScanDecode* Form, Integer Col, Integer Row)
{
    TCellGraphic* g = Form->ESG_Wireless->GetCellGraphic(Col, Row);
    return g && g->CellType == ctImageList ? g->CellIndex : -1;
}

QString Start_Cell(Integer Col, Integer Row)
{
    return FModbusStartAdd_SD->sga->GetCellEx(Col, Row);
}

void Set_Start_Cell(Integer Col, Integer Row, const QString& Text)
{
    FModbusStartAdd_SD->sga->SetCellEx(Col, Row, Text);
}

Integer Start_Rows()
{
    return FModbusStartAdd_SD->sga->GetRowCount();
}
