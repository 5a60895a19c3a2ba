#include "shell/ConfigFileGuard.h"

#include "shell/ULanguage.h"

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Form.h"
#include "platform/XmlDocument.h"

namespace {

// A language text with its %1, %2 ... put in (a translation may leave one out).
QString Fill(Integer Text, std::initializer_list<QString> Values)
{
    QString s = Lang_Text(Text);
    Integer n = 1;
    for (const QString& v : Values)
        s.replace(QLatin1Char('%') + QString::number(n++), v);
    return s;
}

} // namespace

void TConfig_File_Guard::Begin(const QString& Path)
{
    FPath = Path;
    FFailed = false;
    FLeft_Out.clear();
}

void TConfig_File_Guard::Set_Failed()
{
    FFailed = true;
}

void TConfig_File_Guard::Left_Out(const QString& Table, Integer Rows, Integer Capacity)
{
    if (Rows > 0)
        FLeft_Out << Fill(1109, {QString::number(Rows), Table, ExtractFileName(FPath), QString::number(Capacity)});
}

void TConfig_File_Guard::Report_Left_Out()
{
    if (!FLeft_Out.isEmpty())
        Application->MessageBox(FLeft_Out.join(QLatin1Char('\n')), Application->Title(), MB_OK | MB_ICONWARNING);
    FLeft_Out.clear();
}

QString TConfig_File_Guard::Keep_Name(const QString& Path)
{
    QString name = Path + QStringLiteral(".bad");
    for (Integer n = 2; FileExists(name) || DirectoryExists(name); ++n)
        name = Path + QStringLiteral(".bad") + QString::number(n);
    return name;
}

bool TConfig_File_Guard::Confirm_Replace()
{
    // Only the file that failed to load is at stake; one that is gone since
    // holds nothing to keep.
    if (!FFailed || !FileExists(FPath))
        return true;
    const QString keep = Keep_Name(FPath);
    if (Application->MessageBox(Fill(1106, {ExtractFileName(FPath), ExtractFileName(keep)}), Application->Title(),
                                MB_YESNO | MB_ICONWARNING)
        != IDYES)
        return false;
    QString error;
    if (!CopyFile(FPath, keep, true, &error)) {
        Application->MessageBox(Fill(1107, {ExtractFileName(FPath), ExtractFileName(keep)}) + error,
                                Application->Title(), MB_OK | MB_ICONERROR);
        return false;
    }
    // The original is safe beside the file: later writes need no question.
    FFailed = false;
    return true;
}

Integer Count_Elements_From(TXMLNode Node)
{
    Integer n = 0;
    for (; Node; Node = Node.NextSibling())
        n += Node.NodeType() == ntElement;
    return n;
}
