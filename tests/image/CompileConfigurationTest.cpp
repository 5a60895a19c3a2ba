// Compiling configuration folders into bank1.bin and bank2.bin, as step 5
// does: Create_Bin, then Save_Bin, and the files they leave on disk.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <vector>

#include "image/USaveBincc.h"
#include "ImageTestSupport.h"
#include "shell/UComon.h"

namespace {

using TBytes = std::vector<Byte>;

TBytes Slice(const TBytes& b, int offset, int count)
{
    return TBytes(b.begin() + offset, b.begin() + offset + count);
}

LongWord U32(const TBytes& b, int offset)
{
    return LongWord(b[offset]) | LongWord(b[offset + 1]) << 8 | LongWord(b[offset + 2]) << 16
         | LongWord(b[offset + 3]) << 24;
}

// True when every byte in [from, to) is zero.
bool Zero(const TBytes& b, int from, int to)
{
    for (int i = from; i < to; ++i)
        if (b[i] != 0)
            return false;
    return true;
}

class CompileTest : public ::testing::Test {
protected:
    QTemporaryDir Dir;

    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        Open(Dir.path());
    }

    void TearDown() override
    {
        Project_Folder.clear();
        Set_Files();
    }

    // Opens a configuration folder, with its bin sub-folder, as the open one.
    static void Open(const QString& folder)
    {
        QDir(folder).mkpath(QStringLiteral("bin"));
        Project_Folder = folder;
        Set_Files();
    }

    // Copies the files of tests/data/image/<fixture> into the folder.
    static void Use(const char* fixture, const QString& folder)
    {
        const QDir source(QStringLiteral(TEST_DATA_DIR "/image/") + QLatin1String(fixture));
        ASSERT_TRUE(source.exists()) << fixture;
        for (const QString& name : source.entryList(QDir::Files)) {
            QFile::remove(folder + '/' + name);
            ASSERT_TRUE(QFile::copy(source.filePath(name), folder + '/' + name));
        }
    }
    void Use(const char* fixture) { Use(fixture, Dir.path()); }

    void Write(const QString& name, const QString& text)
    {
        QFile file(Dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }

    TBytes Bank(const char* name) const
    {
        QFile file(Dir.filePath(QStringLiteral("bin/")) + QLatin1String(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray data = file.readAll();
        return TBytes(data.begin(), data.end());
    }

    // Create_Bin then Save_Bin; both must pass.
    void Compile()
    {
        const TBin_Result compiled = Create_Bin();
        ASSERT_TRUE(compiled.Ok) << compiled.Message.toStdString();
        const TBin_Result saved = Save_Bin();
        ASSERT_TRUE(saved.Ok) << saved.Message.toStdString();
    }
};

// The head of a compile without ParGen.xml and without rules.
TBytes Cleared_Head()
{
    TBytes head(88, 0);
    head[3] = 6;
    head[66] = 1;
    head[68] = 1;
    head[73] = 0x04, head[74] = 0x08;
    head[77] = 0x10, head[78] = 0x08;
    head[85] = 5;
    return head;
}

} // namespace

TEST_F(CompileTest, EmptyConfigurationGivesClearedBanks)
{
    Compile();
    const TBytes bank1 = Bank("bank1.bin");
    const TBytes bank2 = Bank("bank2.bin");
    ASSERT_EQ(bank1.size(), 2048u);
    ASSERT_EQ(bank2.size(), 57344u);

    EXPECT_EQ(Slice(bank1, 2044, 4), (TBytes{0xB2, 0x0D, 0x00, 0x00})); // 3506
    EXPECT_EQ(U32(bank1, 252), 0x82000u);
    EXPECT_EQ(U32(bank1, 260), 0u);
    EXPECT_EQ(U32(bank1, 1628), 0x80000u);
    EXPECT_EQ(Slice(bank1, 40, 4), (TBytes{192, 168, 2, 205}));
    EXPECT_TRUE(Zero(bank1, 1644, 1652)); // no software version without ParGen.xml

    EXPECT_EQ(Slice(bank2, 0, 88), Cleared_Head());
    EXPECT_TRUE(Zero(bank2, 88, 57344));
}

TEST_F(CompileTest, RootWithoutChildrenGivesTheDefaults)
{
    Use("empty_root");
    Compile();
    const TBytes bank1 = Bank("bank1.bin");
    ASSERT_EQ(bank1.size(), 2048u);
    EXPECT_EQ(U32(bank1, 2044), 5312u);
    EXPECT_EQ(Slice(bank1, 40, 12), (TBytes{192, 168, 0, 5, 255, 255, 255, 0, 255, 255, 255, 255}));
    EXPECT_EQ(Slice(bank1, 1644, 8), (TBytes{'1', '.', '0', '0', '6', 0, 0, 0}));

    // Rules compile with port mode fixed; the head keeps the defaults.
    const TBytes bank2 = Bank("bank2.bin");
    ASSERT_EQ(bank2.size(), 57344u);
    TBytes head = Cleared_Head();
    head[3] = 0;  // a missing data rate is 0
    head[84] = 1; // sub-band default
    EXPECT_EQ(Slice(bank2, 0, 88), head);
}

TEST_F(CompileTest, RulesAndRequestsAtTheirOffsets)
{
    const TRegional_Separator regional(".");
    Use("rules");
    Compile();
    const TBytes bank1 = Bank("bank1.bin");
    const TBytes bank2 = Bank("bank2.bin");
    ASSERT_EQ(bank1.size(), 2048u);
    ASSERT_EQ(bank2.size(), 57344u);

    // The checksum covers the request count and the area addresses.
    EXPECT_EQ(U32(bank1, 260), 3u);
    LongWord sum = 0;
    for (int i = 0; i < 2044; ++i)
        sum += bank1[i];
    EXPECT_EQ(U32(bank1, 2044), sum);

    // Head: EU868, data rate 5, device address ABC, payload 222, variable
    // port, two uplink and two downlink rules.
    EXPECT_EQ(Slice(bank2, 0, 8), (TBytes{5, 0, 0, 5, 0x00, 0x00, 0x0A, 0xBC}));
    EXPECT_EQ(Slice(bank2, 64, 24), (TBytes{0, 0, 222, 1, 1, 0, 0, 0, 0x00, 0x04, 0x08, 0, 0x00, 0x10, 0x08, 0,
                                            2, 0, 2, 0, 1, 5, 0, 0}));

    // Uplink: rows Y, N, (comment), " y ": two entries without a gap.
    EXPECT_EQ(Slice(bank2, 1024, 24), (TBytes{0x0A, 0, 0x04, 0, 0x05, 0x05, 0, 0, 0x3C, 0, 0, 0,
                                              0x14, 0, 0x02, 0, 0x02, 0x2C, 0, 0, 0x2D, 0, 0, 0}));
    EXPECT_TRUE(Zero(bank2, 1048, 4096));
    // Downlink: an empty port gives 2; a row without attributes is still a rule.
    EXPECT_EQ(Slice(bank2, 4096, 24), (TBytes{0x64, 0, 0x02, 0, 0, 0x02, 0, 0, 0, 0, 0, 0,
                                              0, 0, 0, 0, 0, 0x02, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(Zero(bank2, 4120, 8192));

    // Requests: the golden read, the read without Enable, then the ticked
    // write; the N read and the unticked write are not compiled.
    EXPECT_EQ(Slice(bank2, 8192, 48),
              (TBytes{0x0F, 0x00, 0xA8, 0xC0, 0, 0, 0, 0, 0x0C, 0, 0, 0x04, 0x02, 0, 0, 0,
                      0x55, 0, 0, 0, 0x03, 0, 0, 0, 0xE8, 0x03, 0, 0, 0x03, 0, 0, 0,
                      0x01, 0, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x3F}));
    EXPECT_EQ(Slice(bank2, 8192 + 48, 48),
              (TBytes{0x11, 0x00, 0xA8, 0xC0, 0, 0, 0, 0, 0x0C, 0, 0, 0x01, 0x02, 0, 0, 0,
                      0x6F, 0, 0x05, 0, 0, 0, 0, 0, 0xE8, 0x03, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF,
                      0x01, 0, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x3F}));
    EXPECT_EQ(Slice(bank2, 8192 + 96, 48),
              (TBytes{0x02, 0x00, 0x00, 0x0A, 0, 0, 0, 0, 0x0F, 0x04, 0x08, 0x04, 0x12, 0, 0x07, 0,
                      0x55, 0, 0x02, 0, 0x02, 0, 0x0C, 0, 0, 0, 0, 0, 0x07, 0, 0, 0,
                      0x05, 0, 0x06, 0xC0, 0xA8, 0x00, 0x0F, 0xBA, 0xC0, 0, 0, 0, 0, 0, 0, 0x3F}));
    EXPECT_TRUE(Zero(bank2, 8192 + 144, 57344));
}

TEST_F(CompileTest, FactorReadsWithEitherSeparatorInAnyRegion)
{
    Use("rules");
    for (const char* region : {".", ","}) {
        const TRegional_Separator regional(region);
        for (const char* factor : {"0.5", "0,5"}) {
            QFile file(Dir.filePath(QStringLiteral("BACnet_Master_Access.xml")));
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            QByteArray xml = file.readAll();
            xml.replace(QByteArray("MultiplicationFactor=\"0.5\""), "MultiplicationFactor=\"" + QByteArray(factor) + "\"");
            xml.replace(QByteArray("MultiplicationFactor=\"0,5\""), "MultiplicationFactor=\"" + QByteArray(factor) + "\"");
            file.resize(0);
            file.write(xml);
            file.close();
            Compile();
            EXPECT_EQ(Slice(Bank("bank2.bin"), 8192 + 96 + 44, 4), (TBytes{0, 0, 0, 0x3F})) << region << " " << factor;
        }
    }
}

TEST_F(CompileTest, EveryCompileStartsFromClearedImages)
{
    Use("rules");
    Compile();
    const TBytes bank1 = Bank("bank1.bin");
    const TBytes bank2 = Bank("bank2.bin");
    Compile();
    EXPECT_EQ(Bank("bank1.bin"), bank1);
    EXPECT_EQ(Bank("bank2.bin"), bank2);

    // Another configuration in between leaves nothing behind.
    QTemporaryDir other;
    Use("empty_root", other.path());
    Open(other.path());
    Compile();
    Open(Dir.path());
    Compile();
    EXPECT_EQ(Bank("bank1.bin"), bank1);
    EXPECT_EQ(Bank("bank2.bin"), bank2);
}

TEST_F(CompileTest, TablesAreCutAtTheirSize)
{
    QString lora = QStringLiteral("<LoRaWAN_Set_Access><LoRaWAN_Uplink>");
    for (int i = 0; i < 300; ++i)
        lora += QStringLiteral("<row Enable=\"Y\" StartByte=\"%1\" NumByte=\"1\"/>").arg(i);
    lora += QStringLiteral("</LoRaWAN_Uplink><LoRaWAN_Downlink>");
    for (int i = 0; i < 300; ++i)
        lora += QStringLiteral("<row StartByte=\"%1\"/>").arg(1000 + i);
    lora += QStringLiteral("</LoRaWAN_Downlink></LoRaWAN_Set_Access>");
    Write(QStringLiteral("LoRaWAN_SetAccess.xml"), lora);

    QString bacnet = QStringLiteral("<BACnet_Master_Access><BACnet_Read>");
    for (int i = 0; i < 600; ++i)
        bacnet += QStringLiteral("<row Enable=\"Y\" Instance=\"%1\"/>").arg(i);
    bacnet += QStringLiteral("</BACnet_Read><BACnet_Write>");
    for (int i = 0; i < 600; ++i)
        bacnet += QStringLiteral("<row Enable=\"Y\" Instance=\"%1\"/>").arg(600 + i);
    bacnet += QStringLiteral("</BACnet_Write></BACnet_Master_Access>");
    Write(QStringLiteral("BACnet_Master_Access.xml"), bacnet);

    Compile();
    const TBytes bank1 = Bank("bank1.bin");
    const TBytes bank2 = Bank("bank2.bin");
    ASSERT_EQ(bank2.size(), 57344u);
    EXPECT_EQ(U32(bank1, 260), 1024u);
    EXPECT_EQ(Slice(bank2, 80, 4), (TBytes{0x00, 0x01, 0x00, 0x01})); // 256 and 256
    EXPECT_EQ(Slice(bank2, 1024 + 255 * 12, 2), (TBytes{255, 0}));
    EXPECT_EQ(Slice(bank2, 4096 + 255 * 12, 2), (TBytes{0xE7, 0x04})); // 1255
    EXPECT_TRUE(Zero(bank2, 7168, 8192));
    // The last entry is the 1024th request: write row 424, instance 1023.
    EXPECT_EQ(U32(bank2, 8192 + 1023 * 48 + 28), 1023u);
    EXPECT_EQ(bank2[8192 + 1023 * 48 + 8], 15);
}

TEST_F(CompileTest, UnreadableFileStopsTheRoad)
{
    struct Case {
        const char* Fixture;
        const char* Message;
    };
    const Case cases[] = {
        {"broken_pargen", "is not well-formed XML"},
        {"no_downlink", "LoRaWAN_Downlink"},
        {"no_bacnet_write", "BACnet_Write"},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        Use(c.Fixture, folder.path());
        Open(folder.path());
        // Banks of an earlier compile stay as they are.
        for (const char* name : {"/bin/bank1.bin", "/bin/bank2.bin"}) {
            QFile old(folder.path() + QLatin1String(name));
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("old bank");
        }

        // A good compile first, so that its buffers are there to be misused.
        Open(Dir.path());
        Compile();
        Open(folder.path());

        const TBin_Result compiled = Create_Bin();
        EXPECT_FALSE(compiled.Ok) << c.Fixture;
        EXPECT_TRUE(compiled.Message.contains(QLatin1String(c.Message)))
            << c.Fixture << ": " << compiled.Message.toStdString();
        // Even a Save_Bin called after the failure writes nothing.
        EXPECT_FALSE(Save_Bin().Ok) << c.Fixture;
        for (const char* name : {"/bin/bank1.bin", "/bin/bank2.bin"}) {
            QFile old(folder.path() + QLatin1String(name));
            ASSERT_TRUE(old.open(QIODevice::ReadOnly));
            EXPECT_EQ(old.readAll(), QByteArray("old bank")) << c.Fixture << name;
        }
    }
}

TEST_F(CompileTest, BankThatCannotBeWrittenIsReported)
{
    // No bin folder: nothing is created, the failure names the bank.
    QTemporaryDir bare;
    Project_Folder = bare.path();
    Set_Files();
    ASSERT_TRUE(Create_Bin().Ok);
    TBin_Result saved = Save_Bin();
    EXPECT_FALSE(saved.Ok);
    EXPECT_TRUE(saved.Message.contains(QLatin1String("bank1.bin"))) << saved.Message.toStdString();
    EXPECT_TRUE(QDir(bare.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());

    // bank2.bin cannot be replaced (a folder holds its name): reported, the
    // old bank1.bin is kept, since a new one would not belong with the bank 2
    // on disk, and no partial or temporary file is left in bin.
    Open(Dir.path());
    ASSERT_TRUE(QDir(Dir.path()).mkpath(QStringLiteral("bin/bank2.bin/keep")));
    {
        QFile old(Dir.filePath(QStringLiteral("bin/bank1.bin")));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old bank 1");
    }
    ASSERT_TRUE(Create_Bin().Ok);
    saved = Save_Bin();
    EXPECT_FALSE(saved.Ok);
    EXPECT_TRUE(saved.Message.contains(QLatin1String("bank2.bin"))) << saved.Message.toStdString();
    EXPECT_EQ(QDir(Dir.filePath(QStringLiteral("bin"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{QStringLiteral("bank1.bin"), QStringLiteral("bank2.bin")}));
    EXPECT_TRUE(QFileInfo(Dir.filePath(QStringLiteral("bin/bank2.bin"))).isDir());
    QFile bank1(Dir.filePath(QStringLiteral("bin/bank1.bin")));
    ASSERT_TRUE(bank1.open(QIODevice::ReadOnly));
    EXPECT_EQ(bank1.readAll(), "old bank 1");
    bank1.close();

    // Once bank 2 can be written, both are replaced together.
    ASSERT_TRUE(QDir(Dir.filePath(QStringLiteral("bin/bank2.bin"))).removeRecursively());
    ASSERT_TRUE(Save_Bin().Ok);
    EXPECT_EQ(QFileInfo(Dir.filePath(QStringLiteral("bin/bank1.bin"))).size(), Bank1_Size);
    EXPECT_EQ(QFileInfo(Dir.filePath(QStringLiteral("bin/bank2.bin"))).size(), Bank2_Size);
    EXPECT_EQ(QDir(Dir.filePath(QStringLiteral("bin"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{QStringLiteral("bank1.bin"), QStringLiteral("bank2.bin")}));
}
