#include "fieldbus/UModbusMaster.h"

#include "grid/columns/ExColumnGrid.h"
#include "platform/PageControl.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "platform/XmlDocument.h"
#include "shell/TextChecks.h"
#include "shell/ULanguage.h"

namespace {

constexpr Integer Area_Size = 1500;
constexpr Integer Max_Time = 100000000;

// Columns of the RTU tables; the TCP ones follow two places further on.
enum { cSlave_ID = 2, cType, cAddress, cNPoint, cPoll_Time };
constexpr Integer Read_Max_Error = 7, Read_Position = 8, Read_Bit = 9;
constexpr Integer Write_Max_Error = 9, Write_Position = 10, Write_Bit = 11;

void Show_Column(TExColumnGrid* Grid, Integer Col, bool Shown)
{
    if (Grid->IsHiddenColumn(Col) == !Shown)
        return;
    if (Shown)
        Grid->UnHideColumn(Col);
    else
        Grid->HideColumn(Col);
}

} // namespace

bool Check_IP_Address(const QString& Text)
{
    Byte b1, b2, b3, b4;
    return IP_Text_To_Bytes(Text, b1, b2, b3, b4);
}

TModbusMasterForm::TModbusMasterForm(TComponent* AOwner, const QString& Name, Integer Width, const TRuleTexts& Texts,
                                     const TRuleFile& File, const TModbusLayout& Layout, bool TCP)
    : TRuleTableForm(AOwner, Name, Width, 337, Texts, File), List_Publish_Topic(std::make_unique<TStringList>()),
      FLayout(Layout), FShift(TCP ? 2 : 0)
{
    ACG_Modbus_Read = Add_Grid(Layout.Read, Layout.Read_Look, "ACG_Modbus_Read", 512, "TS_Modbus_Read");
    ACG_Modbus_Write = Add_Grid(Layout.Write, Layout.Write_Look, "ACG_Modbus_Write", 512, "TS_Modbus_Write");
    TS_Modbus_Read = Sheet(0);
    TS_Modbus_Write = Sheet(1);
}

TModbusMasterForm::~TModbusMasterForm() = default;

void TModbusMasterForm::Prepare_Show()
{
    TS_Modbus_Write->SetTabVisible(true);
    Show_Column(ACG_Modbus_Read, Topic_Col(), false);
    Show_Column(ACG_Modbus_Read, Col(Read_Position), true);
    Show_Column(ACG_Modbus_Read, Col(Read_Bit), true);
}

void TModbusMasterForm::Set_Limits()
{
    NByte_IN = Area_Size;
    NByte_OUT = Area_Size;
    Number_Items(ACG_Modbus_Read, Col(Read_Position), NByte_IN);
    Number_Items(ACG_Modbus_Write, Col(Write_Position), NByte_OUT);
}

void TModbusMasterForm::Row_Loaded(Integer Index, const TXMLNode& Node, Integer Row)
{
    if (Index != 0)
        return;
    const Integer topic = Text_To_Int(Node.Attribute(QStringLiteral("Index_Topic")), -1);
    ACG_Modbus_Read->SetCellEx(Topic_Col(), Row,
                               topic >= 0 && topic < List_Publish_Topic->Count() ? List_Publish_Topic->Strings(topic)
                                                                                 : QString());
}

QString TModbusMasterForm::Topic_Index(Integer Row) const
{
    return QString::number(List_Publish_Topic->IndexOf(Cell(0, Topic_Col(), Row)));
}

bool TModbusMasterForm::Controllo_dati()
{
    return Check_Table(0, true, FLayout.Read_Texts) && Check_Table(1, false, FLayout.Write_Texts);
}

bool TModbusMasterForm::Check_Table(Integer Index, bool Read, const TModbusCheckTexts& Texts)
{
    TExColumnGrid* g = Grid(Index);
    const Integer area = Read ? NByte_IN : NByte_OUT;
    const Integer end = Table_End(Index);
    for (Integer r = 1; r < end; ++r) {
        if (!Row_Enabled(Index, r, false))
            continue;
        auto number = [&](Integer Rtu_Col) { return Cell_Int(Index, Col(Rtu_Col), r); };
        auto in = [](Integer v, Integer lo, Integer hi) { return v >= lo && v <= hi; };
        const QString type = UpperCase(Trim(Cell(Index, Col(cType), r)));
        const bool bits = type == QLatin1String("COIL STATUS") || (Read && type == QLatin1String("INPUT STATUS"));
        const Integer npoint_max = Read ? (bits ? 2000 : 125) : (bits ? 1968 : 123);
        const Integer position_col = Read ? Read_Position : Write_Position;
        const Integer bit_col = Read ? Read_Bit : Write_Bit;
        Integer fault = -1;
        QString bound;
        if (FShift && Check_IP_Address(Cell(Index, 2, r))) {
            fault = Texts.IP;
        } else if (FShift && !in(Cell_Int(Index, 3, r), 0, 65535)) {
            fault = Texts.Port;
        } else if (!in(number(cSlave_ID), 1, 247)) {
            fault = Texts.Slave_ID;
        } else if (type.isEmpty()) {
            fault = Texts.Type;
        } else if (!in(number(cAddress), 0, 65535)) {
            fault = Texts.Address;
        } else if (!in(number(cNPoint), 1, npoint_max)) {
            fault = Texts.NPoint;
            bound = QString::number(npoint_max);
        } else if (!in(number(cPoll_Time), Read ? 1 : 0, Max_Time)) {
            fault = Texts.Poll_Time;
        } else if (!in(number(Read ? Read_Max_Error : Write_Max_Error), 0, Max_Time)) {
            fault = Texts.Max_Error;
        } else if (!in(number(position_col), 0, area - 1)) {
            fault = Texts.Position;
            bound = QString::number(area - 1);
        } else if (bits && Trim(Cell(Index, Col(bit_col), r)).isEmpty()) {
            fault = Texts.Bit;
        } else {
            // In 64 bits: a Start Bit near the integer limit must not wrap
            // the last position back into the area.
            const Int64 position = number(position_col);
            const Int64 npoint = number(cNPoint);
            const Int64 start_bit = Text_To_Int(Cell(Index, Col(bit_col), r), 0);
            const Int64 last = bits ? position + (npoint + start_bit - 1) / 8 : position + 2 * npoint - 1;
            if (last >= area)
                fault = Texts.Too_Many;
            else if (Read && !g->IsHiddenColumn(Topic_Col()) && Trim(Cell(Index, Topic_Col(), r)).isEmpty())
                fault = Texts.Topic;
        }
        if (fault >= 0) {
            Row_Error(r, Lang_Text(fault) + bound);
            return false;
        }
    }
    return true;
}
