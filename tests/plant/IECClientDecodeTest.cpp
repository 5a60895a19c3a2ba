// The IEC 61850 model read from SCL files: the tree, the references and
// constraints, the resolved data sets and their GOOSE names, and what
// malformed or unusual files give.

#include "plant/UIEC_Client_Decode.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kFixture = QStringLiteral(TEST_DATA_DIR "/plant/bay.icd");

std::unique_ptr<TIEC_Device> Read(const QString& path)
{
    QString error;
    auto device = TIEC_Device::Create(path, error);
    EXPECT_TRUE(device) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    return device;
}

void DumpDA(const TIEC_DA& da, int depth, QStringList& out)
{
    out << QString(depth * 2, u' ') + QStringLiteral("DA %1 [%2|%3] %4").arg(da.fName, da.fbType, da.fFC, da.fReference);
    for (const auto& sub : da.List_DA)
        DumpDA(*sub, depth + 1, out);
}

void DumpDO(const TIEC_DO& d, int depth, QStringList& out)
{
    out << QString(depth * 2, u' ') + QStringLiteral("DO ") + d.fName;
    for (const auto& sub : d.List_DO)
        DumpDO(*sub, depth + 1, out);
    for (const auto& da : d.List_DA)
        DumpDA(*da, depth + 1, out);
}

// The whole model, one line per object, data-set members by reference.
QStringList Dump(const TIEC_Device& device)
{
    QStringList out{QStringLiteral("IED %1 (%2)").arg(device.fName, device.fFileName)};
    for (const auto& ld : device.List_LDevice) {
        out << QStringLiteral("  LD ") + ld->fName;
        for (const auto& ln : ld->List_LN) {
            out << QStringLiteral("    LN %1|%2|%3 type %4").arg(ln->fPrefix, ln->flnClass, ln->fInst, ln->flnType);
            for (const auto& d : ln->List_DO)
                DumpDO(*d, 3, out);
            for (const auto& ds : ln->List_DataSet) {
                out << QStringLiteral("      DS %1 %2 goose '%3'").arg(ds->fName, ds->fReference, ds->fGooseName);
                for (const TIEC_DA* m : ds->List_DA)
                    out << QStringLiteral("        = ") + m->fReference;
            }
        }
    }
    return out;
}

TEST(IECClientDecodeTest, FixtureGivesTheWholeModel)
{
    const auto device = Read(kFixture);
    ASSERT_TRUE(device);
    const QStringList expected = {
        "IED IED1 (bay.icd)",
        "  LD CTRL",
        "    LN |LLN0| type LLN0_T",
        "      DO Mod",
        "        DA stVal [Enum|ST] IED1CTRL/LLN0.Mod.stVal",
        "      DS DS1 IED1CTRL/LLN0.DS1 goose 'GCB1'",
        "        = IED1CTRL/Q0XCBR1.Pos.stVal",
        "        = IED1CTRL/Q0XCBR1.Pos.stVal",
        "        = IED1MEAS/MMXU1.TotW.mag.f",
        "        = IED1CTRL/Q0XCBR1.Pos.q",
        "      DS DS2 IED1CTRL/LLN0.DS2 goose ''",
        "        = IED1MEAS/MMXU1.A.phsA.cVal.mag.f",
        "    LN Q0|XCBR|1 type XCBR_T",
        "      DO Pos",
        "        DA stVal [Dbpos|ST] IED1CTRL/Q0XCBR1.Pos.stVal",
        "        DA q [Quality|ST] IED1CTRL/Q0XCBR1.Pos.q",
        "        DA t [Timestamp|ST] IED1CTRL/Q0XCBR1.Pos.t",
        "        DA ctlModel [Enum|CF] IED1CTRL/Q0XCBR1.Pos.ctlModel",
        "        DA d [VisString255|] IED1CTRL/Q0XCBR1.Pos.d",
        "      DO Empty",
        "    LN Q0|XCBR|2 type XCBR_T2",
        "      DO BlkOpn",
        "        DA stVal [BOOLEAN|ST] IED1CTRL/Q0XCBR2.BlkOpn.stVal",
        "    LN Q0|CSWI|3 type CSWI_T",
        "      DO Pos",
        "        DA stVal [Dbpos|ST] IED1CTRL/Q0CSWI3.Pos.stVal",
        "        DA q [Quality|ST] IED1CTRL/Q0CSWI3.Pos.q",
        "        DA t [Timestamp|ST] IED1CTRL/Q0CSWI3.Pos.t",
        "        DA ctlModel [Enum|CF] IED1CTRL/Q0CSWI3.Pos.ctlModel",
        "        DA d [VisString255|] IED1CTRL/Q0CSWI3.Pos.d",
        "      DS DSC IED1CTRL/CSWI.DSC goose ''",
        "        = IED1CTRL/Q0CSWI3.Pos.ctlModel",
        "    LN |GGIO|1 type ",
        "  LD MEAS",
        "    LN |LLN0| type LLN0_T",
        "      DO Mod",
        "        DA stVal [Enum|ST] IED1MEAS/LLN0.Mod.stVal",
        "    LN |MMXU|1 type MMXU_T",
        "      DO TotW",
        "        DA mag [Struct|MX] IED1MEAS/MMXU1.TotW.mag",
        "          DA f [FLOAT32|MX] IED1MEAS/MMXU1.TotW.mag.f",
        "          DA i [INT32|MX] IED1MEAS/MMXU1.TotW.mag.i",
        "        DA q [Quality|MX] IED1MEAS/MMXU1.TotW.q",
        "      DO A",
        "        DO phsA",
        "          DA cVal [Struct|MX] IED1MEAS/MMXU1.A.phsA.cVal",
        "            DA mag [Struct|MX] IED1MEAS/MMXU1.A.phsA.cVal.mag",
        "              DA f [FLOAT32|MX] IED1MEAS/MMXU1.A.phsA.cVal.mag.f",
        "              DA i [INT32|MX] IED1MEAS/MMXU1.A.phsA.cVal.mag.i",
        "            DA ang [Struct|CF] IED1MEAS/MMXU1.A.phsA.cVal.ang",
        "              DA f [FLOAT32|CF] IED1MEAS/MMXU1.A.phsA.cVal.ang.f",
        "              DA i [INT32|CF] IED1MEAS/MMXU1.A.phsA.cVal.ang.i",
        "        DO phsB",
        "          DA cVal [Struct|MX] IED1MEAS/MMXU1.A.phsB.cVal",
        "            DA mag [Struct|MX] IED1MEAS/MMXU1.A.phsB.cVal.mag",
        "              DA f [FLOAT32|MX] IED1MEAS/MMXU1.A.phsB.cVal.mag.f",
        "              DA i [INT32|MX] IED1MEAS/MMXU1.A.phsB.cVal.mag.i",
        "            DA ang [Struct|CF] IED1MEAS/MMXU1.A.phsB.cVal.ang",
        "              DA f [FLOAT32|CF] IED1MEAS/MMXU1.A.phsB.cVal.ang.f",
        "              DA i [INT32|CF] IED1MEAS/MMXU1.A.phsB.cVal.ang.i",
    };
    EXPECT_EQ(Dump(*device).join(u'\n').toStdString(), expected.join(u'\n').toStdString());
}

TEST(IECClientDecodeTest, DataSetMembersAreTheModelsOwnAttributes)
{
    const auto device = Read(kFixture);
    ASSERT_TRUE(device);
    TIEC_LDevice* ctrl = device->Find_LDevice("CTRL");
    TIEC_LDevice* meas = device->Find_LDevice("MEAS");
    ASSERT_TRUE(ctrl && meas);
    EXPECT_EQ(device->Find_LDevice("ctrl"), nullptr); // names match exactly

    // The first logical node of a class, whatever its inst.
    TIEC_LN* xcbr = ctrl->Find_LN("XCBR");
    ASSERT_TRUE(xcbr);
    EXPECT_EQ(xcbr->fInst, QStringLiteral("1"));

    const TIEC_DataSet& ds1 = *ctrl->List_LN[0]->List_DataSet[0];
    ASSERT_EQ(ds1.List_DA.size(), 4u);
    TIEC_DA* stVal = xcbr->Find_DO("Pos")->Find_DA("stVal");
    EXPECT_EQ(ds1.List_DA[0], stVal);
    EXPECT_EQ(ds1.List_DA[1], stVal); // no daName: the first leaf
    // The first leaf of a structure, in a logical device read after the data set's.
    TIEC_DO* totW = meas->Find_LN("MMXU")->Find_DO("TotW");
    EXPECT_EQ(ds1.List_DA[2], totW->List_DA[0]->List_DA[0].get());
    EXPECT_EQ(totW->Find_First_DA(), ds1.List_DA[2]);

    // Depth-first searches: a sub-data object, then an attribute below a
    // structure; a data object's search does not enter its sub-data objects.
    TIEC_DO* phsA = meas->Find_LN("MMXU")->Find_DO("phsA");
    ASSERT_TRUE(phsA);
    EXPECT_EQ(phsA->Find_DA("f")->fReference, QStringLiteral("IED1MEAS/MMXU1.A.phsA.cVal.mag.f"));
    EXPECT_EQ(meas->Find_LN("MMXU")->Find_DO("A")->Find_DA("cVal"), nullptr);
    EXPECT_EQ(phsA->List_DA[0]->Find_DA("ang")->Find_First_DA()->fReference,
              QStringLiteral("IED1MEAS/MMXU1.A.phsA.cVal.ang.f"));
    EXPECT_EQ(stVal->Find_First_DA(), nullptr);
    EXPECT_EQ(xcbr->Find_DO("Empty")->Find_First_DA(), nullptr);
}

// Comments anywhere among the elements change nothing.
TEST(IECClientDecodeTest, CommentsChangeNothing)
{
    QFile in(kFixture);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(in.readAll());
    const auto withComments = Read(kFixture);
    ASSERT_TRUE(withComments);
    text.remove(QRegularExpression(QStringLiteral("<!--.*?-->"), QRegularExpression::DotMatchesEverythingOption));
    ASSERT_FALSE(text.contains(QStringLiteral("<!--")));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bay.icd"));
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text.toUtf8());
    out.close();
    const auto without = Read(path);
    ASSERT_TRUE(without);
    EXPECT_EQ(Dump(*without), Dump(*withComments));
}

struct TBadFile {
    const char* name;
    const char* text;         // nullptr: no file at all
    bool parses;              // false: no device, the parser's message
    const char* ied;          // the device's name
    size_t lDevices;
};

void PrintTo(const TBadFile& c, std::ostream* os)
{
    *os << c.name;
}

class IECClientBadFileTest : public ::testing::TestWithParam<TBadFile> {};

TEST_P(IECClientBadFileTest, GivesThePartsErrorOrAnEmptyDevice)
{
    const TBadFile& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("device.cid"));
    if (c.text) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.text);
    }
    QString error;
    const auto device = TIEC_Device::Create(path, error);
    if (!c.parses) {
        EXPECT_FALSE(device);
        EXPECT_FALSE(error.isEmpty());
        return;
    }
    ASSERT_TRUE(device) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(device->fName, QString::fromUtf8(c.ied));
    EXPECT_EQ(device->fFileName, QStringLiteral("device.cid"));
    EXPECT_EQ(device->List_LDevice.size(), c.lDevices);
}

const char* const kTemplates = "<DataTypeTemplates/>";

INSTANTIATE_TEST_SUITE_P(
    Files, IECClientBadFileTest,
    ::testing::Values(
        TBadFile{"missing", nullptr, true, "", 0},
        TBadFile{"empty", "", false, "", 0},
        TBadFile{"not_closed", "<SCL><IED name=\"A\"></SCL>", false, "", 0},
        TBadFile{"two_roots", "<SCL/><SCL/>", false, "", 0},
        TBadFile{"no_scl", "<Other><IED name=\"A\"/><DataTypeTemplates/></Other>", true, "", 0},
        TBadFile{"no_ied", "<SCL><DataTypeTemplates/></SCL>", true, "", 0},
        TBadFile{"no_templates", "<SCL><IED name=\"A\"><AccessPoint><Server><LDevice inst=\"L\"/></Server></AccessPoint></IED></SCL>",
                 true, "", 0},
        TBadFile{"no_access_point", "<SCL><IED name=\"A\"/><DataTypeTemplates/></SCL>", true, "A", 0},
        TBadFile{"no_server", "<SCL><IED name=\"A\"><AccessPoint name=\"P\"/></IED><DataTypeTemplates/></SCL>", true, "A", 0},
        TBadFile{"unnamed", "<SCL><IED><AccessPoint><Server><LDevice/></Server></AccessPoint></IED><DataTypeTemplates/></SCL>",
                 true, "", 1}),
    [](const ::testing::TestParamInfo<TBadFile>& info) { return std::string(info.param.name); });

// Types that contain themselves, directly or through each other, are read
// to an end: a type is not expanded again inside itself.
TEST(IECClientDecodeTest, SelfReferringTemplatesFinish)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("loop.icd"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(R"(<SCL><IED name="L"><AccessPoint><Server><LDevice inst="D">
  <LN0 lnClass="LLN0" lnType="N"/></LDevice></Server></AccessPoint></IED>
<DataTypeTemplates>
  <LNodeType id="N"><DO name="Obj" type="O"/></LNodeType>
  <DOType id="O"><SDO name="Again" type="O"/><DA name="s" bType="Struct" type="Self"/><DA name="p" bType="Struct" type="Ping"/></DOType>
  <DAType id="Self"><BDA name="next" bType="Struct" type="Self"/></DAType>
  <DAType id="Ping"><BDA name="pong" bType="Struct" type="Pong"/></DAType>
  <DAType id="Pong"><BDA name="ping" bType="Struct" type="Ping"/></DAType>
</DataTypeTemplates></SCL>)");
    f.close();
    const auto device = Read(path);
    ASSERT_TRUE(device);
    const QStringList expected = {
        "IED L (loop.icd)",
        "  LD D",
        "    LN |LLN0| type N",
        "      DO Obj",
        "        DO Again",
        "        DA s [Struct|] LD/LLN0.Obj.s",
        "          DA next [Struct|] LD/LLN0.Obj.s.next",
        "        DA p [Struct|] LD/LLN0.Obj.p",
        "          DA pong [Struct|] LD/LLN0.Obj.p.pong",
        "            DA ping [Struct|] LD/LLN0.Obj.p.pong.ping",
    };
    EXPECT_EQ(Dump(*device).join(u'\n').toStdString(), expected.join(u'\n').toStdString());
}

// A chain of distinct nested types deeper than any real model stops instead
// of exhausting the stack.
TEST(IECClientDecodeTest, NestingBeyondAnyRealModelIsCut)
{
    constexpr int kTypes = 5000;
    QByteArray text = R"(<SCL><IED name="Deep"><AccessPoint><Server><LDevice inst="D">
  <LN lnClass="GGIO" inst="1" lnType="N"/></LDevice></Server></AccessPoint></IED>
<DataTypeTemplates><LNodeType id="N"><DO name="Obj" type="O"/></LNodeType>
<DOType id="O"><DA name="v" bType="Struct" type="T0"/></DOType>)";
    for (int i = 0; i < kTypes; ++i)
        text += QStringLiteral(R"(<DAType id="T%1"><BDA name="b" bType="Struct" type="T%2"/></DAType>)")
                    .arg(i)
                    .arg(i + 1)
                    .toUtf8();
    text += "</DataTypeTemplates></SCL>";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("deep.icd"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    f.close();

    const auto device = Read(path);
    ASSERT_TRUE(device);
    const TIEC_DA* da = device->List_LDevice[0]->List_LN[0]->List_DO[0]->List_DA[0].get();
    int depth = 1;
    while (!da->List_DA.empty()) {
        da = da->List_DA[0].get();
        ++depth;
    }
    EXPECT_GT(depth, 20);
    EXPECT_LT(depth, kTypes);
}

// Templates that each hold a type many times multiply a small file into
// millions of objects; the reader stops at its bound with an error naming the
// file, while a file near a real model's size reads whole.
TEST(IECClientDecodeTest, TemplateFanOutIsBounded)
{
    const auto fanOut = [](int levels, int width) {
        QByteArray text = R"(<SCL><IED name="Fan"><AccessPoint><Server><LDevice inst="D">
  <LN lnClass="GGIO" inst="1" lnType="N"/></LDevice></Server></AccessPoint></IED>
<DataTypeTemplates><LNodeType id="N"><DO name="Obj" type="O"/></LNodeType>
<DOType id="O"><DA name="v" bType="Struct" type="T0"/></DOType>)";
        for (int i = 0; i < levels; ++i) {
            text += QStringLiteral(R"(<DAType id="T%1">)").arg(i).toUtf8();
            for (int k = 0; k < width; ++k)
                text += QStringLiteral(R"(<BDA name="b%1" bType="Struct" type="T%2"/>)").arg(k).arg(i + 1).toUtf8();
            text += "</DAType>";
        }
        return text + "</DataTypeTemplates></SCL>";
    };
    QTemporaryDir dir;
    const auto write = [&](const QString& name, const QByteArray& text) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return path;
    };
    // 10^7 attributes from under 4 KB.
    const QByteArray huge = fanOut(7, 10);
    EXPECT_LT(huge.size(), 4000);
    QString error;
    EXPECT_FALSE(TIEC_Device::Create(write(QStringLiteral("fan.scd"), huge), error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("fan.scd: "))) << error.toStdString();
    EXPECT_TRUE(error.contains(QString::number(IEC_Max_Model_Objects))) << error.toStdString();

    // 10^4 attributes read whole.
    const auto device = Read(write(QStringLiteral("wide.scd"), fanOut(4, 10)));
    ASSERT_TRUE(device);
    size_t leaves = 0;
    std::function<void(const TIEC_DA&)> count = [&](const TIEC_DA& da) {
        leaves += da.List_DA.empty();
        for (const auto& sub : da.List_DA)
            count(*sub);
    };
    count(*device->List_LDevice[0]->List_LN[0]->List_DO[0]->List_DA[0]);
    EXPECT_EQ(leaves, 10000u);
}

// Truncated files and random bytes end in the parser's error; no device.
TEST(IECClientDecodeTest, TruncatedAndRandomFilesAreRefused)
{
    QFile fixture(kFixture);
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    const QByteArray whole = fixture.readAll();
    QByteArray random(4096, 0);
    quint32 seed = 19;
    for (char& c : random) {
        seed = seed * 1103515245u + 12345u;
        c = char(seed >> 16);
    }
    QTemporaryDir dir;
    for (const QByteArray& text : {whole.left(whole.size() / 2), whole.left(whole.size() - 8), random}) {
        const QString path = dir.filePath(QStringLiteral("broken.icd"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
        f.close();
        QString error;
        EXPECT_FALSE(TIEC_Device::Create(path, error));
        EXPECT_FALSE(error.isEmpty());
    }
}

} // namespace
