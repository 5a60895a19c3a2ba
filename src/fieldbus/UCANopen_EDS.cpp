#include "fieldbus/UCANopen_EDS.h"

#include "shell/FileWriters.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "platform/XmlDocument.h"

#include <algorithm>
#include <stdexcept>

EDS_PDO_Entry EDS_PDO_Table[2 * EDS_Max_PDO];
Integer Num_Receive_PDO = 0;
Integer Num_Transmit_PDO = 0;
std::vector<SDO_Index> SDO_Index_List;

const QString EDS_File_Name = QStringLiteral("NMEA_Send_Frames_CANopen.eds");
const QString EDS_Product_Description = QStringLiteral("NMEA_Send_Frames / CANopen - Converter");
const QString EDS_Product_Number = QStringLiteral("D20");
const QString EDS_Order_Code = QStringLiteral("HD59D20");

const char* const RPDO_Variable_Names[EDS_Max_PDO] = {
    "b", "c", "d", "e", "f", "g", "h", "j", "k", "i", "aa", "ab", "ac", "ad", "ae",
    "af", "ag", "ah", "ai", "al", "am", "an", "ao", "ap", "aq", "ar", "as", "at", "au", "av"};
const char* const TPDO_Variable_Names[EDS_Max_PDO] = {
    "l", "m", "n", "o", "p", "q", "r", "s", "t", "u", "ca", "cb", "cc", "cd", "ce",
    "cf", "cg", "ch", "ci", "cl", "cm", "cn", "co", "cp", "cq", "cr", "cs", "ct", "cu", "cv"};

namespace {

// Hexadecimal digits of the low 32 bits, upper case, at least Digits of them.
QString Hex(Int64 Value, Integer Digits)
{
    return IntToHex(Int64(quint32(Value)), Digits);
}

QString Required_Attribute(const TXMLNode& Row, const char* Name, const QString& FileName)
{
    const QString name = QString::fromLatin1(Name);
    if (!Row.HasAttribute(name))
        throw std::runtime_error(QStringLiteral("A row of \"%1\" has no attribute \"%2\"")
                                     .arg(ExtractFileName(FileName), name).toStdString());
    return Row.Attribute(name);
}

Integer Required_Integer(const TXMLNode& Row, const char* Name, const QString& FileName)
{
    const QString text = Required_Attribute(Row, Name, FileName);
    Integer value = 0;
    if (!Try_Text_To_Int(text, value))
        throw std::runtime_error(QStringLiteral("'%1' is not a valid integer value (attribute \"%2\" in \"%3\")")
                                     .arg(text, QString::fromLatin1(Name), ExtractFileName(FileName)).toStdString());
    return value;
}

// The element children of Section, in document order (none for a missing section).
std::vector<TXMLNode> Rows(const TXMLNode& Root, const char* Section)
{
    std::vector<TXMLNode> rows;
    for (TXMLNode n = Root.FindChild(QString::fromLatin1(Section)).FirstChild(); n; n = n.NextSibling())
        if (n.NodeType() == ntElement)
            rows.push_back(n);
    return rows;
}

// Receive or transmit PDOs into the table from entry First; returns how many.
Integer Load_PDO_Section(const TXMLNode& Root, const char* Section, Integer First)
{
    const std::vector<TXMLNode> rows = Rows(Root, Section);
    const Integer count = std::min<Integer>(Integer(rows.size()), EDS_Max_PDO);
    for (Integer k = 0; k < count; ++k) {
        EDS_PDO_Entry& e = EDS_PDO_Table[First + k];
        e.COB_ID = Text_To_Int(Required_Attribute(rows[k], "COB-ID", PDO_CANopen_File), 0);
        const QString dimension = Required_Attribute(rows[k], "Dimension", PDO_CANopen_File);
        e.Dimension = Text_To_Int(dimension, 8);
        // The table takes 1 to 8 bytes; the file's sections and their
        // sub-numbers follow the value, so anything else is refused.
        if (e.Dimension < 1 || e.Dimension > 8)
            throw std::runtime_error(QStringLiteral("A row of \"%1\" has the Dimension %2, outside 1 to 8")
                                         .arg(ExtractFileName(PDO_CANopen_File), Trim(dimension)).toStdString());
    }
    return count;
}

void Add_SDO_Entries(const TXMLNode& Root, const char* Section, bool Readonly)
{
    for (const TXMLNode& row : Rows(Root, Section)) {
        const Integer index = Required_Integer(row, "Index", SDO_Server_CANopen_File);
        SDO_Sub_Type entry;
        entry.Sub = Byte(Required_Integer(row, "SubIndex", SDO_Server_CANopen_File));
        entry.Quantity = Byte(Required_Integer(row, "NByte", SDO_Server_CANopen_File));
        entry.Readonly = Readonly;
        const Integer at = Find_SDO_Index(Word(index));
        if (at >= 0) {
            SDO_Index_List[at].Sub_Indexs.push_back(entry);
        } else {
            SDO_Index object;
            object.Index = Word(index);
            object.Sub_Indexs.push_back(entry);
            SDO_Index_List.push_back(object);
        }
    }
}

// The lines of the file, with the section forms the file repeats.
class TEDS_Text {
public:
    explicit TEDS_Text(TStringList& Lines) : L(Lines) {}

    void Add(const QString& Line) { L.Add(Line); }
    void Blank() { L.Add(QString()); }

    void Variable(const QString& Name, const QString& Parameter, const char* Type, const char* Access,
                  const QString& Default, bool Mapped = false, bool Closed = true)
    {
        Add(u'[' + Name + u']');
        Add(QStringLiteral("ParameterName=") + Parameter);
        Add(QStringLiteral("ObjectType=0x07"));
        Add(QStringLiteral("DataType=") + QLatin1String(Type));
        Add(QStringLiteral("AccessType=") + QLatin1String(Access));
        if (!Default.isNull())
            Add(QStringLiteral("DefaultValue=") + Default);
        Add(Mapped ? QStringLiteral("PDOMapping=1") : QStringLiteral("PDOMapping=0"));
        if (Closed)
            Blank();
    }
    void Record(const QString& Name, Integer SubNumber, const QString& Parameter, const char* ObjectType)
    {
        Add(u'[' + Name + u']');
        Add(QStringLiteral("SubNumber=") + IntToStr(SubNumber));
        Add(QStringLiteral("ParameterName=") + Parameter);
        Add(QStringLiteral("ObjectType=") + QLatin1String(ObjectType));
        Blank();
    }

private:
    TStringList& L;
};

QString Sub(Integer Index, Integer SubIndex)
{
    return Hex(Index, 4) + QStringLiteral("sub") + IntToStr(SubIndex);
}

void File_Head(TEDS_Text& T, TDateTime When)
{
    const QString time = EDS_Time_Text(When), date = EDS_Date_Text(When);
    for (const QString& line : {
             QStringLiteral("[FileInfo]"), QStringLiteral("FileName=") + EDS_File_Name, QStringLiteral("FileVersion=1"),
             QStringLiteral("FileRevision=0"), QStringLiteral("EDSVersion=4.0"),
             QStringLiteral("Description=") + EDS_Product_Description, QStringLiteral("CreationTime=") + time,
             QStringLiteral("CreationDate=") + date, QStringLiteral("CreatedBy=Velmora"),
             QStringLiteral("ModificationTime=") + time, QStringLiteral("ModificationDate=") + date,
             QStringLiteral("ModifiedBy=Velmora")})
        T.Add(line);
    T.Blank();

    for (const QString& line : {
             QStringLiteral("[DeviceInfo]"), QStringLiteral("VendorName=Velmora"), QStringLiteral("VendorNumber=0x00"),
             QStringLiteral("ProductName=") + EDS_Product_Description, QStringLiteral("ProductNumber=") + EDS_Product_Number,
             QStringLiteral("RevisionNumber=0x0"), QStringLiteral("OrderCode=") + EDS_Order_Code})
        T.Add(line);
    for (const char* rate : {"10=1", "20=1", "50=1", "125=1", "250=1", "500=1", "800=0", "1000=1"})
        T.Add(QStringLiteral("BaudRate_") + QLatin1String(rate));
    for (const char* line : {"DynamicChannelsSupported=0", "GroupMessaging=0", "LSS_Supported=0", "Granularity=0",
                             "SimpleBootUpSlave=1", "SimpleBootUpMaster=0"})
        T.Add(QLatin1String(line));
    T.Add(QStringLiteral("NrOfRXPDO=") + IntToStr(Num_Receive_PDO));
    T.Add(QStringLiteral("NrOfTXPDO=") + IntToStr(Num_Transmit_PDO));
    T.Blank();

    T.Add(QStringLiteral("[Comments]"));
    T.Add(QStringLiteral("Lines=0"));
    T.Blank();
    T.Add(QStringLiteral("[DummyUsage]"));
    for (Integer i = 1; i <= 7; ++i)
        T.Add(QStringLiteral("Dummy000%1=0").arg(i));
    T.Blank();
    for (const char* line : {"[MandatoryObjects]", "SupportedObjects=3", "1=0x1000", "2=0x1001", "3=0x1018"})
        T.Add(QLatin1String(line));
    T.Blank();
}

void Object_Lists(TEDS_Text& T)
{
    T.Add(QStringLiteral("[OptionalObjects]"));
    T.Add(QStringLiteral("SupportedObjects=") + IntToStr(8 + 3 * Num_Receive_PDO + 3 * Num_Transmit_PDO));
    Integer n = 0;
    auto listed = [&](Integer index) { T.Add(IntToStr(++n) + QStringLiteral("=0x") + Hex(index, 4)); };
    for (Integer index : {0x1005, 0x1006, 0x1008, 0x1014, 0x1016, 0x1017, 0x1029, 0x1280})
        listed(index);
    const struct { Integer base, count; } blocks[] = {
        {0x1400, Num_Receive_PDO}, {0x1600, Num_Receive_PDO}, {0x1800, Num_Transmit_PDO},
        {0x1A00, Num_Transmit_PDO}, {0x7000, Num_Receive_PDO}, {0x7050, Num_Transmit_PDO}};
    for (const auto& b : blocks)
        for (Integer i = 0; i < b.count; ++i)
            listed(b.base + i);
    T.Blank();

    T.Add(QStringLiteral("[ManufacturerObjects]"));
    T.Add(QStringLiteral("SupportedObjects=") + IntToStr(Integer(SDO_Index_List.size())));
    for (std::size_t i = 0; i < SDO_Index_List.size(); ++i)
        T.Add(IntToStr(Integer(i + 1)) + QStringLiteral("=0x") + Hex(SDO_Index_List[i].Index, 4));
    T.Blank();
}

void Communication_Objects(TEDS_Text& T)
{
    const QString none;  // no DefaultValue line
    T.Variable("1000", "Device Type", "0x0007", "const", "0x000101A4");
    T.Variable("1001", "Error Register", "0x0005", "ro", "0x00");
    T.Variable("1005", "COB-ID SYNC", "0x0007", "rw", "0x80000080");
    T.Variable("1006", "Communication Cycle Period", "0x0007", "rw", "0x00000000");
    T.Variable("1008", "Manufacturer Device Name", "0x0009", "const", "s1");
    T.Variable("1014", "COB-ID EMCY", "0x0007", "ro", "$NODEID+0x80");
    T.Record("1016", 3, "Heartbeat Consumer Entries", "0x08");
    T.Variable("1016sub0", "Number of Entries", "0x0005", "ro", "0x02");
    T.Variable("1016sub1", "Consumer Heartbeat Time 1", "0x0007", "rw", "0x00000000");
    T.Variable("1016sub2", "Consumer Heartbeat Time 2", "0x0007", "rw", "0x00000000");
    T.Variable("1017", "Producer Heartbeat Time", "0x0006", "rw", "0x000003E8");
    T.Record("1018", 5, "Identity Object", "0x09");
    T.Variable("1018sub0", "number of entries", "0x0005", "ro", "0x4");
    T.Variable("1018sub1", "Vendor Id", "0x0007", "ro", none);
    T.Variable("1018sub2", "Product Code", "0x0007", "ro", none);
    T.Variable("1018sub3", "Revision number", "0x0007", "ro", none);
    T.Variable("1018sub4", "Serial number", "0x0007", "ro", none);
    T.Record("1029", 2, "Error Behaviour", "0x08");
    T.Variable("1029sub0", "Number of Entries", "0x0005", "ro", "1");
    T.Variable("1029sub1", "Communication Error", "0x0005", "rw", "0x0");
    T.Record("1280", 4, "Client SDO Parameter 1", "0x09");
    T.Variable("1280sub0", "Number of Entries", "0x0005", "ro", "0x03");
    T.Variable("1280sub1", "COB-ID Client -> Server", "0x0007", "rw", none);
    T.Variable("1280sub2", "COB-ID Server -> Client", "0x0007", "rw", none);
    // The last fixed section runs on into the next without an empty line.
    T.Variable("1280sub3", "Node ID of the SDO Server", "0x0005", "rw", none, false, false);
}

// The communication parameters of the receive (First 0) or transmit PDOs.
void PDO_Communication(TEDS_Text& T, Integer Base, Integer First, Integer Count, const QString& Kind)
{
    for (Integer i = 0; i < Count; ++i) {
        const Integer p = Base + i;
        T.Record(Hex(p, 4), 4, Kind + QStringLiteral(" PDO Communication Parameter ") + IntToStr(i + 1), "0x09");
        T.Variable(Sub(p, 0), "Number of Entries", "0x0005", "ro", "0x03");
        T.Variable(Sub(p, 1), "COB-ID", "0x0007", "rw", QStringLiteral("0x") + Hex(EDS_PDO_Table[First + i].COB_ID, 8));
        T.Variable(Sub(p, 2), "Transmission Type", "0x0005", "rw", "0xFE");
        T.Variable(Sub(p, 3), "Inhibit Time", "0x0006", "rw", "0x0");
    }
}

void PDO_Mapping(TEDS_Text& T, Integer Base, Integer Mapped, Integer First, Integer Count, bool Numbered,
                 const QString& Kind)
{
    for (Integer i = 0; i < Count; ++i) {
        const Integer m = Base + i, d = EDS_PDO_Table[First + i].Dimension;
        QString name = Kind + QStringLiteral(" PDO Mapping Parameter");
        if (Numbered)
            name += u' ' + IntToStr(i + 1);
        T.Record(Hex(m, 4), d + 1, name, "0x09");
        T.Variable(Sub(m, 0), "Number of Entries", "0x0005", "ro", QStringLiteral("0x") + Hex(d, 2));
        for (Integer j = 1; j <= d; ++j)
            T.Variable(Sub(m, j), QStringLiteral("Mapping Entry ") + IntToStr(j), "0x0007", "ro",
                       QStringLiteral("0x") + Hex(Mapped + i, 4) + Hex(j, 2) + QStringLiteral("08"));
    }
}

void PDO_Variables(TEDS_Text& T, Integer Base, Integer First, Integer Count, const QString& Kind,
                   const char* const Names[], const char* Sub0Access, const char* Access)
{
    for (Integer i = 0; i < Count; ++i) {
        const Integer v = Base + i, d = EDS_PDO_Table[First + i].Dimension;
        T.Record(Hex(v, 4), d + 1, Kind + IntToStr(i + 1), "0x08");
        T.Variable(Sub(v, 0), "Number of Entries", "0x0005", Sub0Access, QStringLiteral("0x") + Hex(d, 2));
        for (Integer j = 1; j <= d; ++j)
            T.Variable(Sub(v, j), QLatin1String(Names[i]) + IntToStr(j), "0x0005", Access, "0x00", true);
    }
}

void Manufacturer_Objects(TEDS_Text& T)
{
    for (const SDO_Index& object : SDO_Index_List) {
        const auto& subs = object.Sub_Indexs;
        if (subs.empty())
            continue;
        const QString x = Hex(object.Index, 4);
        const bool generated = subs.front().Sub != 0;
        T.Add(u'[' + x + u']');
        T.Add(QStringLiteral("SubNumber=") + IntToStr(Integer(subs.size()) + (generated ? 1 : 0)));
        T.Add(QStringLiteral("ParameterName=App Vars"));
        T.Add(QStringLiteral("ObjectType=0x9"));
        T.Blank();
        if (generated) {
            for (const QString& line : {
                     u'[' + x + QStringLiteral("sub0]"), QStringLiteral("ParameterName=Largest Sub-Index supported"),
                     QStringLiteral("ObjectType=0x7"), QStringLiteral("DataType=0x0005"), QStringLiteral("AccessType=ro"),
                     QStringLiteral("DefaultValue=0x") + Hex(subs.back().Sub, 2), QStringLiteral("PDOMapping=0")})
                T.Add(line);
            T.Blank();
        }
        for (const SDO_Sub_Type& e : subs) {
            T.Add(u'[' + x + QStringLiteral("sub") + IntToStr(e.Sub) + u']');
            T.Add(QStringLiteral("ParameterName=Application Variable"));
            T.Add(QStringLiteral("ObjectType=0x7"));
            const char* digits = e.Quantity == 1 ? "FF" : e.Quantity == 2 ? "FFFF" : "FFFFFFFF";
            const QString zero = QString(qsizetype(qstrlen(digits)), u'0');
            T.Add(QStringLiteral("DataType=") + (e.Quantity == 1 ? "0x0005" : e.Quantity == 2 ? "0x0006" : "0x0007"));
            T.Add(QStringLiteral("LowLimit=0x") + zero);
            T.Add(QStringLiteral("HighLimit=0x") + QLatin1String(digits));
            T.Add(QStringLiteral("DefaultValue=0x") + zero);
            T.Add(e.Readonly ? QStringLiteral("AccessType=ro") : QStringLiteral("AccessType=rw"));
            T.Add(QStringLiteral("PDOMapping=0"));
            T.Blank();
        }
    }
}

} // namespace

void Load_PDO_For_EDS()
{
    Num_Receive_PDO = 0;
    Num_Transmit_PDO = 0;
    if (!FileExists(PDO_CANopen_File))
        return;
    TXMLDocument xml;
    const TXMLNode root = Load_Config_Root(xml, PDO_CANopen_File);
    Num_Receive_PDO = Load_PDO_Section(root, "Receive_PDO", 0);
    Num_Transmit_PDO = Load_PDO_Section(root, "Transmit_PDO", EDS_Max_PDO);
}

void Load_SDO_Server_For_EDS()
{
    if (!FileExists(SDO_Server_CANopen_File))
        return;
    TXMLDocument xml;
    const TXMLNode root = Load_Config_Root(xml, SDO_Server_CANopen_File);
    Add_SDO_Entries(root, "SDO_Read", true);
    Add_SDO_Entries(root, "SDO_Write", false);
}

Integer Find_SDO_Index(Integer Index)
{
    for (std::size_t i = 0; i < SDO_Index_List.size(); ++i)
        if (SDO_Index_List[i].Index == Index)
            return Integer(i);
    return -1;
}

void Sort_SDO_Sub_Indexes()
{
    for (SDO_Index& object : SDO_Index_List)
        std::stable_sort(object.Sub_Indexs.begin(), object.Sub_Indexs.end(),
                         [](const SDO_Sub_Type& a, const SDO_Sub_Type& b) { return a.Sub < b.Sub; });
}

QString EDS_Date_Text(TDateTime When)
{
    Word year, month, day;
    DecodeDate(When, year, month, day);
    return QStringLiteral("%1-%2-%3").arg(month, 2, 10, QChar(u'0')).arg(day, 2, 10, QChar(u'0')).arg(year);
}

QString EDS_Time_Text(TDateTime When)
{
    Word hour, minute, second, msec;
    DecodeTime(When, hour, minute, second, msec);
    // A twelve-hour clock: 12 stands for noon and midnight.
    const Integer shown = hour % 12 == 0 ? 12 : hour % 12;
    return QStringLiteral("%1:%2%3")
        .arg(shown, 2, 10, QChar(u'0'))
        .arg(minute, 2, 10, QChar(u'0'))
        .arg(hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

void Write_EDS_File(const QString& Path)
{
    Write_EDS_File(Path, Now());
}

void Write_EDS_File(const QString& Path, TDateTime When)
{
    SDO_Index_List.clear();
    Load_PDO_For_EDS();
    Load_SDO_Server_For_EDS();
    Sort_SDO_Sub_Indexes();

    TStringList lines;
    TEDS_Text t(lines);
    File_Head(t, When);
    Object_Lists(t);
    Communication_Objects(t);
    const Integer rx = Num_Receive_PDO, tx = Num_Transmit_PDO, first_tx = EDS_Max_PDO;
    PDO_Communication(t, 0x1400, 0, rx, QStringLiteral("Receive"));
    PDO_Mapping(t, 0x1600, 0x7000, 0, rx, false, QStringLiteral("Receive"));
    PDO_Communication(t, 0x1800, first_tx, tx, QStringLiteral("Transmit"));
    PDO_Mapping(t, 0x1A00, 0x7050, first_tx, tx, true, QStringLiteral("Transmit"));
    PDO_Variables(t, 0x7000, 0, rx, QStringLiteral("RPDO"), RPDO_Variable_Names, "ro", "rww");
    PDO_Variables(t, 0x7050, first_tx, tx, QStringLiteral("TPDO"), TPDO_Variable_Names, "rw", "rwr");
    Manufacturer_Objects(t);
    t.Blank();
    Save_Text_Lines(lines, Path, TTextEncoding::ANSI);
}

void Build_EDS_File(TSaveDialog& SaveEDS)
{
    SaveEDS.SetFilter(QStringLiteral("Electronic Data Sheet (*.eds)|*.eds"));
    SaveEDS.SetDefaultExt(QStringLiteral("eds"));
    SaveEDS.SetInitialDir(Project_Folder);
    if (!SaveEDS.Execute())
        return;
    const QString path = SaveEDS.FileName();
    Run_Step([&] { Write_EDS_File(path); });
}
