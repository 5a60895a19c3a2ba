#include "shell/ULanguage.h"

#include "BrokenFiles.h"

#include "shell/UComon.h"

#include "Capabilities.h"
#include "platform/Dialogs.h"
#include "platform/StringList.h"

#include <linux/capability.h>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kPilcrow = QString(QChar(0x00B6));

TEST(LanguageLine, Grammar)
{
    struct Case { QString line; bool sets; Integer index; QString text; };
    const QString P = kPilcrow;
    const Case cases[] = {
        {"STR12 = Ciao", true, 12, "Ciao"},
        {"STR12=Ciao", true, 1, "Ciao"},            // the character before "=" is never the number's
        {"STR 12 = Ciao", true, 12, "Ciao"},
        {"str12 = Ciao", false, 0, ""},
        {"XSTR12 = Ciao", false, 0, ""},
        {"\t  STR12 = Ciao", true, 12, "Ciao"},
        {"STR12 = Ciao \r", true, 12, "Ciao"},
        {"STR6400 = x", false, 0, ""},
        {"STR6399 = x", true, 6399, "x"},
        {"STR0 = x", true, 0, "x"},
        {"STR-1 = x", false, 0, ""},
        {"STR+5 = x", true, 5, "x"},
        {"STR$A = x", true, 10, "x"},
        {"STR5 =", false, 0, ""},
        {"STR5 =    ", false, 0, ""},
        {"STR5 = a = b", true, 5, "a = b"},
        {"STR5 = Hello /#/ my note", true, 5, "Hello"},
        {"STR5 = " + P + " Hello " + P + " /#/ note", true, 5, " Hello "},
        {"STR5 = " + P, true, 5, ""},
        {"STR5 = Hel" + P + "lo", true, 5, "Hel"},
        {"STR5 = " + P + "   lead", true, 5, "   lead"},
        {"STR9 = " + P + "None Configuration Opened " + P, true, 9, "None Configuration Opened "},
        {"STR5 = /#/ note", false, 0, ""},           // only a comment: the entry keeps its text
        {"STR5 x", false, 0, ""},                    // no "="
        {"STR= x", false, 0, ""},
        {"STR5= x", false, 0, ""},                   // the number text is empty
        {"STRa = x", false, 0, ""},
        {"STR5 5 = x", false, 0, ""},
        {"", false, 0, ""},
        {"/#/ STR5 = x", false, 0, ""},
        {"STR5 = Scan && Decode", true, 5, "Scan && Decode"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        Integer index = -7;
        QString text = "unchanged";
        ASSERT_EQ(Parse_Language_Line(c.line, 6400, index, text), c.sets);
        if (c.sets) {
            EXPECT_EQ(index, c.index);
            EXPECT_EQ(text, c.text);
        } else {
            EXPECT_EQ(index, -7);
            EXPECT_EQ(text, "unchanged");
        }
    }
}

QString Text(Integer n)
{
    return Language_Texts->Strings(n);
}

const QString kData = QStringLiteral(TEST_DATA_DIR "/shell");

void Write_File(const QString& Path, const QByteArray& Bytes)
{
    QFile f(Path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Bytes);
}

TEST(LanguageTexts, BuiltInTexts)
{
    Load_Default_Texts();
    ASSERT_EQ(Language_Texts->Count(), 6400);
    EXPECT_EQ(Max_Text_Index, 6400);
    const struct { Integer index; const char* text; } cases[] = {
        {0, "Begin"},
        {9, "None Configuration Opened "},
        {11, "Opened Configuration of the Converter : "},
        {15, "New Configuration"},
        {17, "Update Device UDP"},
        {18, "Error! Project not Valid"},
        {20, "Set Communication"},
        {27, "Set BACnet Access"},
        {30, "Error in configuration, Num. Byte not conformed with Max Payload Size"},
        {33, "Scan && Decode"},
        {85, "Create the SNMP MIB for Actual Configuration"},
        {1100, "Row Already used. Do you want to overwrite the values?"},
        {1101, "Error in the Copy values!!! Copy a valid row before Paste it"},
        {1102, "Error!!! Copy a valid row before Paste it"},
        {1103, "File already exists! Do you want to overwrite the file?"},
        {1104, "Error! Please set the Set Communication Parameter before to create the GSD file"},
        {1105, "File already exists. Do you want to overwrite?"},
        // filler slots, the empty slot 2592, and the ends of the list
        {86, " "}, {99, " "}, {1111, " "}, {2592, ""}, {5505, " "}, {5536, " "}, {6399, " "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Text(c.index), QString::fromLatin1(c.text)) << "text " << c.index;

    // Every text of the main window's block is its own (none is the filler).
    for (Integer i = 0; i <= 85; ++i)
        EXPECT_NE(Text(i).trimmed(), QString()) << "text " << i;
}

TEST(LanguageTexts, FilesInEachEncoding)
{
    Language_Folder = kData;
    const QString P = kPilcrow;
    const struct { const char* language; Integer index; QString text; } cases[] = {
        // UTF-8 with a byte-order mark, CR LF line ends
        {"Italiano", 15, "Nuova Configurazione"},
        {"Italiano", 16, QString::fromUtf8("Apri Configurazione gi\xc3\xa0 salvata")},
        {"Italiano", 9, "Nessuna Configurazione Aperta "},
        {"Italiano", 1, "Ciao"},
        {"Italiano", 12, "Information"},
        {"Italiano", 33, "Scansione && Decodifica"},
        // UTF-16LE with a byte-order mark, LF line ends
        {"Deutsch", 15, "Neue Konfiguration"},
        {"Deutsch", 14, QString::fromUtf8("Konfigurator schlie\xc3\x9f" "en")},
        {"Deutsch", 16, "Open Configuration"},
        {"Deutsch", 17, QString::fromUtf8("Ger\xc3\xa4t aktualisieren")},
        // Windows-1252 without a mark, CR line ends
        {"Francais", 9, "Aucune configuration ouverte "},
        {"Francais", 16, QString::fromUtf8("Ouvrir une configuration d\xc3\xa9j\xc3\xa0 cr\xc3\xa9\xc3\xa9" "e")},
        {"Francais", 18, QString::fromUtf8("Erreur ! Projet non valide \xe2\x82\xac")},
        {"Francais", 5, "Step 5"},
        {"Francais", 1100, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.language << " text " << c.index);
        Language_Name = QString::fromLatin1(c.language);
        Load_Language();
        EXPECT_EQ(Language_Name, QString::fromLatin1(c.language));
        EXPECT_EQ(Text(c.index), c.text);
        EXPECT_EQ(Language_Texts->Count(), 6400);
    }
}

TEST(LanguageTexts, SwitchingLanguagesStartsFromEnglish)
{
    Language_Folder = kData;
    Language_Name = "Francais";
    Load_Language();
    ASSERT_EQ(Text(15), "Nouvelle configuration");
    Language_Name = "Italiano";
    Load_Language();
    // Italian sets text 15 but not text 18, which French did.
    EXPECT_EQ(Text(15), "Nuova Configurazione");
    EXPECT_EQ(Text(18), "Error! Project not Valid");
}

TEST(LanguageTexts, MissingLanguageFallsBackToEnglish)
{
    Language_Folder = kData;
    Language_Name = "Klingon";
    Load_Language();
    EXPECT_EQ(Language_Name, "English");
    EXPECT_EQ(Text(15), "New Configuration (file)");

    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    Language_Folder = empty.path();
    Language_Name = "Klingon";
    Load_Language();
    EXPECT_EQ(Language_Name, "English");
    EXPECT_EQ(Text(15), "New Configuration");
}

TEST(LanguageTexts, TheFileTheOptionsListedLoadsWhateverTheLetterCaseOfItsExtension)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QFile::copy(kData + "/Deutsch.lng", dir.filePath("Deutsch.LNG")));
    ASSERT_TRUE(QFile::copy(kData + "/Italiano.lng", dir.filePath("italiano.Lng")));
    Language_Folder = dir.path();
    EXPECT_EQ(Language_File("Deutsch"), dir.filePath("Deutsch.LNG"));
    EXPECT_EQ(Language_File("Klingon"), QString());
    const struct { const char* name; const char* text15; } cases[] = {
        {"Deutsch", "Neue Konfiguration"}, {"italiano", "Nuova Configurazione"}};
    for (const auto& c : cases) {
        Language_Name = QString::fromLatin1(c.name);
        Load_Language();
        EXPECT_EQ(Language_Name, QString::fromLatin1(c.name));
        EXPECT_EQ(Text(15), QString::fromLatin1(c.text15)) << c.name;
    }
}

TEST(LanguageTexts, AFileThatCannotBeReadIsSaidInABox)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("Secret.lng");
    Write_File(path, "STR15 = Geheim\n");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::Permissions()));
    Language_Folder = dir.path();
    Language_Name = "Secret";
    std::string why;
    ASSERT_TRUE(testsupport::WithoutCapabilities({CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}, [&] {
        DialogSeam::QueueAnswer(IDOK);
        Load_Language();
    }, why)) << why;
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_TRUE(DialogSeam::Shown()[0].Text.contains(path));
    EXPECT_EQ(DialogSeam::Shown()[0].Flags & MB_ICONERROR, Cardinal(MB_ICONERROR));
    // The built-in texts stay; the language chosen is kept.
    EXPECT_EQ(Text(15), "New Configuration");
    EXPECT_EQ(Language_Name, "Secret");
}

TEST(LanguageTexts, LaterLinesWinAndBadLinesAreSkipped)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("Test.lng");
    Write_File(path, "STR5 = first\nSTR5 = second\nSTR6 =\nnot a text line\nSTR99999 = far\nSTR7 = /#/ only a note\n"
                     "STR8 = last line without a line end");

    Load_Default_Texts();
    ASSERT_TRUE(Load_Language_File(path));
    EXPECT_EQ(Text(5), "second");
    EXPECT_EQ(Text(6), "Step 6");
    EXPECT_EQ(Text(7), "Step 7");
    EXPECT_EQ(Text(8), "last line without a line end");

    // A file that cannot be read leaves the texts as they were.
    QString error;
    EXPECT_FALSE(Load_Language_File(dir.filePath("missing.lng"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(Load_Language_File(dir.path(), &error));
    EXPECT_EQ(Text(5), "second");
    EXPECT_EQ(Language_Texts->Count(), 6400);
}

// The empty file, a file cut inside a line and random bytes: the texts are
// read as far as the file bears them, the rest stay as they were, and the
// list keeps its size.
TEST(LanguageTexts, EmptyTruncatedAndRandomFilesChangeOnlyWhatTheyHold)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray intact = "STR5 = five\r\nSTR6 = six\r\nSTR7 = seven and more\r\n";
    const std::vector<TBrokenFile> files = BrokenFiles(intact);
    const char* const expected[][3] = {
        {"Step 5", "Step 6", "Step 7"},         // empty
        {"five", "six", "Step 7"},              // cut inside the second line end
        {"Step 5", "Step 6", "Step 7"},         // random bytes
    };
    for (size_t k = 0; k < files.size(); ++k) {
        SCOPED_TRACE(files[k].Name);
        const QString path = dir.filePath("Broken.lng");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(files[k].Bytes);
        f.close();
        Load_Default_Texts();
        EXPECT_TRUE(Load_Language_File(path));
        EXPECT_EQ(Language_Texts->Count(), 6400);
        for (int n = 0; n < 3; ++n)
            EXPECT_EQ(Text(5 + n), QString::fromLatin1(expected[k][n])) << 5 + n;
    }
}

} // namespace
