// Long frames captured from real meters (tests/data/mbus/frames, with the
// decode of another M-Bus decoder beside each) read through the wired scan's
// parse: every record's storage number, tariff, subunit, function and value
// must agree with that decode, but for the records named below, where the
// configurator's own rules give another result on purpose.
#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>

#include <cmath>
#include <cstring>
#include <memory>

#include "ScanTelegrams.h"
#include "mbus/MBusRecords.h"
#include "platform/Lists.h"
#include "platform/Locale.h"
#include "platform/XmlDocument.h"
#include "shell/UComon.h"

namespace {

const QString Frames_Dir = QStringLiteral(TEST_DATA_DIR "/mbus/frames");

struct TRefRecord {
    QString Function;
    bool HasStorage = false;
    Int64 Storage = 0;
    Integer Tariff = 0;
    Integer Device = 0;
    QString Unit;
    QString Quantity;
    QString Value;
};

struct TRefFrame {
    QString Id;
    QString Manufacturer;
    std::vector<TRefRecord> Records;
};

TRefFrame Read_Reference(const QString& FileName)
{
    TRefFrame frame;
    TXMLDocument xml;
    xml.SetActive(true);
    if (!xml.LoadFromFile(FileName)) {
        ADD_FAILURE() << FileName.toStdString() << ": " << xml.ErrorMessage().toStdString();
        return frame;
    }
    const TXMLNode root = xml.Root();
    EXPECT_EQ(root.NodeName(), QStringLiteral("MBusData")) << FileName.toStdString();
    const TXMLNode info = root.FindChild(QStringLiteral("SlaveInformation"));
    frame.Id = info.FindChild(QStringLiteral("Id")).Text();
    frame.Manufacturer = info.FindChild(QStringLiteral("Manufacturer")).Text();
    for (TXMLNode n = root.FirstChild(); n; n = n.NextSibling()) {
        if (n.NodeName() != QStringLiteral("DataRecord"))
            continue;
        TRefRecord r;
        auto text = [&](const char* name) { return n.FindChild(QString::fromLatin1(name)).Text(); };
        r.Function = text("Function");
        r.HasStorage = !n.FindChild(QStringLiteral("StorageNumber")).IsNull();
        r.Storage = text("StorageNumber").toLongLong();
        r.Tariff = text("Tariff").toInt();
        r.Device = text("Device").toInt();
        r.Unit = text("Unit");
        r.Quantity = text("Quantity");
        r.Value = text("Value");
        frame.Records.push_back(r);
    }
    return frame;
}

// Records where the configurator differs from the reference on purpose, with
// the value text the configurator shows instead.
struct TException {
    const char* Frame;
    size_t Record;
    const char* Value;
    const char* Why;
};
const TException Exceptions[] = {
    {"ELS_Elster-F96-Plus", 4, "Not a Number (DDDDEBBD)", "BCD digits A-F sent in an error state are no number"},
    {"ELS_Elster-F96-Plus", 5, "Not a Number (DDEBBD)", "BCD digits A-F sent in an error state are no number"},
    {"REL-Relay-Padpuls2", 1, "Invalid Time", "the date and time has its time-invalid bit set"},
    {"sen_pollutherm", 2, "302", "VIF 7B without its extension byte: an unknown unit with its raw value"},
    {"manual_frame2", 1, "0.135", "fixed structure: counter 2's unit 3E is counter 1's (litres), for a stored value"},
};

const TException* Exception_For(const QString& Frame, size_t Record)
{
    for (const TException& e : Exceptions)
        if (Frame == QLatin1String(e.Frame) && Record == e.Record)
            return &e;
    return nullptr;
}

// The reference's function texts as function fields.
int Function_Code(const QString& Text)
{
    if (Text == QStringLiteral("Instantaneous value") || Text == QStringLiteral("Actual value"))
        return 0;
    if (Text == QStringLiteral("Maximum value"))
        return 1;
    if (Text == QStringLiteral("Minimum value"))
        return 2;
    if (Text == QStringLiteral("Value during error state"))
        return 3;
    return -1;
}

// The reference gives durations in seconds and volumes of the fixed
// structure in litres; the configurator keeps the meter's time unit and m3.
double Unit_Factor(const QString& Desc, const QString& RefUnit)
{
    if (RefUnit == QStringLiteral("s")) {
        if (Desc.contains(QStringLiteral("Minutes")))
            return 60;
        if (Desc.contains(QStringLiteral("Hours")))
            return 3600;
        if (Desc.contains(QStringLiteral("Days")))
            return 86400;
    }
    if (RefUnit == QStringLiteral("l") && Desc.startsWith(QStringLiteral("Volume m3")))
        return 1000;
    return 1;
}

std::vector<int> Numbers(const QString& Text)
{
    std::vector<int> n;
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    for (auto it = digits.globalMatch(Text); it.hasNext();)
        n.push_back(it.next().captured().toInt());
    return n;
}

// A date (and time) of the reference, year-month-day[Thour:minute:second],
// against the configurator's day/month/year [hour:minute[:second]].
void Expect_Same_Date(const QString& Ours, const QString& Ref, const std::string& Where)
{
    const std::vector<int> r = Numbers(Ref), o = Numbers(Ours);
    ASSERT_GE(r.size(), 3u) << Where;
    ASSERT_EQ(o.size() >= 5, r.size() >= 5) << Where << " ours " << Ours.toStdString();
    ASSERT_GE(o.size(), 3u) << Where;
    EXPECT_EQ(o[0], r[2]) << Where << " day";
    EXPECT_EQ(o[1], r[1]) << Where << " month";
    EXPECT_EQ(o[2], r[0] % 100) << Where << " year";
    for (size_t i = 3; i < o.size() && i < r.size(); ++i)
        EXPECT_EQ(o[i], r[i]) << Where << " time field " << i;
}

void Expect_Same_Value(const TVariable_MBus& Var, const TRefRecord& Ref, const std::string& Where)
{
    if (Ref.Quantity.startsWith(QStringLiteral("Time point"))) {
        Expect_Same_Date(Var.ValueStr, Ref.Value, Where);
        return;
    }
    bool refNumber = false;
    const double ref = Ref.Value.toDouble(&refNumber);
    if (refNumber) {
        bool ok = false;
        const double ours = Var.ValueStr.toDouble(&ok) * Unit_Factor(Var.Desc_Type_Data, Ref.Unit);
        ASSERT_TRUE(ok) << Where << " value " << Var.ValueStr.toStdString();
        EXPECT_NEAR(ours, ref, 1e-6 + 1e-7 * std::fabs(ref))
            << Where << " " << Var.Desc_Type_Data.toStdString() << " " << Var.ValueStr.toStdString();
        return;
    }
    // Texts, and long binary numbers as hexadecimal digits.
    QString ours = Var.ValueStr, theirs = Ref.Value;
    EXPECT_EQ(ours.remove(QLatin1Char(' ')), theirs.remove(QLatin1Char(' '))) << Where;
}

class MBusFrames : public ::testing::Test {
protected:
    void SetUp() override
    {
        FormatSettings() = TFormatSettings::Invariant();
        Wired_Slave_List = std::make_unique<TList>();
    }
    void TearDown() override
    {
        for (Integer i = 0; i < Wired_Slave_List->Count(); ++i)
            delete static_cast<TSlave_MBus*>(Wired_Slave_List->Items(i));
        Wired_Slave_List.reset();
        ResetFormatSettings();
    }
    TMBusRecordDecoder decoder;
};

TEST_F(MBusFrames, EveryRecordAgreesWithTheReferenceDecode)
{
    const QStringList frames = QDir(Frames_Dir).entryList({QStringLiteral("*.hex")}, QDir::Files, QDir::Name);
    ASSERT_EQ(frames.size(), 38);
    size_t compared = 0, excepted = 0;
    for (const QString& file : frames) {
        const QString name = file.chopped(4);
        const std::string where0 = name.toStdString();
        const QByteArray frame = Meter_Frame(name);
        const TRefFrame ref = Read_Reference(Frames_Dir + QLatin1Char('/') + name + QStringLiteral(".norm.xml"));
        ASSERT_GT(frame.size(), 21) << where0;
        ASSERT_LE(frame.size(), TMBusRecordDecoder::Ans_Size) << where0;
        std::memcpy(decoder.Ans_Array, frame.constData(), size_t(frame.size()));
        decoder.Ans_Len = Integer(frame.size());
        bool noMore = true;
        const Integer index = decoder.Add_Wired_Slave(-1, noMore);
        ASSERT_GE(index, 0) << where0;
        const auto* meter = static_cast<const TSlave_MBus*>(Wired_Slave_List->Items(index));

        EXPECT_EQ(meter->Secondary_Addresss.toULongLong(nullptr, 16), ref.Id.toULongLong(nullptr, 16)) << where0;
        static const QRegularExpression letters(QStringLiteral("^[A-Z]{3}$"));
        if (letters.match(ref.Manufacturer).hasMatch()) {
            EXPECT_EQ(meter->descManufacture, ref.Manufacturer) << where0;
        }

        // The reference lists manufacturer data (DIF 0F) and the mark of
        // further records (DIF 1F) as records; the configurator's list ends
        // there.
        size_t expected = ref.Records.size();
        while (expected > 0 && (ref.Records[expected - 1].Function == QStringLiteral("Manufacturer specific")
                                || ref.Records[expected - 1].Function == QStringLiteral("More records follow")))
            --expected;
        EXPECT_EQ(noMore, ref.Records.empty() || ref.Records.back().Function != QStringLiteral("More records follow"))
            << where0;
        ASSERT_EQ(meter->List_Var.size(), expected) << where0;

        for (size_t i = 0; i < expected; ++i) {
            const TVariable_MBus& var = *meter->List_Var[i];
            const TRefRecord& r = ref.Records[i];
            const std::string where = where0 + " record " + std::to_string(i);
            const TException* e = Exception_For(name, i);
            // The reference leaves a record it cannot read empty.
            if (!r.Function.isEmpty() || e == nullptr) {
                EXPECT_EQ(var.function_fild, Function_Code(r.Function)) << where;
                if (r.HasStorage) {
                    EXPECT_EQ(var.storage_number, r.Storage) << where;
                }
                EXPECT_EQ(var.tarif, r.Tariff) << where;
                EXPECT_EQ(var.device, r.Device) << where;
            }
            if (e != nullptr) {
                EXPECT_EQ(var.ValueStr, QString::fromLatin1(e->Value)) << where << ": " << e->Why;
                ++excepted;
            } else {
                Expect_Same_Value(var, r, where);
                ++compared;
            }
        }
    }
    EXPECT_EQ(excepted, std::size(Exceptions));
    EXPECT_GT(compared, 400u);
}

} // namespace
