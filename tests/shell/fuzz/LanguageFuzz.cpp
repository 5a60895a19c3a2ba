// Fuzz target of the language-file reader: any file is read over the
// built-in texts without changing how many there are, and every line it
// takes names an entry inside the list.
#include "shell/ULanguage.h"

#include "platform/StringList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "language fuzz check failed: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir* dir = new QTemporaryDir();
    const QString path = dir->filePath(QStringLiteral("Fuzz.lng"));
    {
        QFile f(path);
        Require(f.open(QIODevice::WriteOnly | QIODevice::Truncate), "fuzz file written");
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    // The built-in texts once; every file is read over what the last left.
    static const bool loaded = (Load_Default_Texts(), true);
    (void)loaded;
    const Integer count = Language_Texts->Count();
    QString error;
    Require(Load_Language_File(path, &error), "a readable file is read");
    Require(Language_Texts->Count() == count, "as many texts as before");

    TStringList lines;
    lines.LoadFromFile(path);
    for (Integer i = 0; i < lines.Count(); ++i) {
        Integer index = -1;
        QString text;
        if (Parse_Language_Line(lines.Strings(i), count, index, text))
            Require(index >= 0 && index < count, "entry inside the list");
    }
    return 0;
}
