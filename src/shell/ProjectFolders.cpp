#include "shell/ProjectFolders.h"

#include "shell/UComon.h"

#include "platform/FileSystem.h"
#include "platform/StringList.h"
#include "platform/Text.h"

namespace {

// A name that would not stay one folder level inside Projects_Folder. The
// backslash is refused too, so that names keep meaning one folder wherever
// the configuration is copied.
bool Leaves_Projects_Folder(const QString& Name)
{
    return Name == QLatin1String(".") || Name == QLatin1String("..") || Name.contains(u'/') || Name.contains(u'\\')
           || Name.contains(QChar(0));
}

} // namespace

Integer Create_Project_Folder(const QString& Name)
{
    if (Name.isEmpty())
        return 107;
    if (Leaves_Projects_Folder(Name))
        return 105;
    const QString folder = Projects_Folder + PathDelim + Name;
    if (DirectoryExists(folder))
        return 106;
    if (!CreateDir(folder))
        return 105;
    // A missing bin folder shows later, when the banks are written.
    ForceDirectories(folder + PathDelim + QStringLiteral("bin"));
    Project_Name = Name;
    Project_Folder = folder;
    Set_Files();
    return 0;
}

void List_Project_Folders(TStringList& List)
{
    List.Clear();
    TSearchRec entry;
    if (FindFirst(Projects_Folder + PathDelim + QStringLiteral("*"), faDirectory, entry) == 0) {
        do {
            if ((entry.Attr & faDirectory) != 0)
                List.Add(entry.Name);
        } while (FindNext(entry) == 0);
    }
    FindClose(entry);
}

Integer Find_Project_Name(const TStringList& List, const QString& Name)
{
    for (Integer i = 0; i < List.Count(); ++i)
        if (CompareText(List.Strings(i), Name) == 0)
            return i;
    return -1;
}
