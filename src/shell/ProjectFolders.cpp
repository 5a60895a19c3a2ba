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

// A folder of Projects_Folder whose name is Name in some letter case. This
// file system tells "plant" from "Plant"; the user, the open dialog and the
// file systems configurations are copied to do not.
bool Folder_In_Any_Case(const QString& Name)
{
    bool found = false;
    TSearchRec entry;
    if (FindFirst(Projects_Folder + PathDelim + QStringLiteral("*"), faDirectory | faHidden | faSysFile, entry) == 0) {
        do
            found = (entry.Attr & faDirectory) != 0 && entry.Name.compare(Name, Qt::CaseInsensitive) == 0;
        while (!found && FindNext(entry) == 0);
    }
    FindClose(entry);
    return found;
}

} // namespace

QStringList Make_Program_Folders(const QString& UserFolder)
{
    const bool beside = DirectoryWritable(Exe_Folder);
    Data_Folder = beside ? Exe_Folder : UserFolder;
    // Read-only folders the install brought are used where they stand.
    auto place = [&](const char* Name) {
        const QString installed = Exe_Folder + PathDelim + QLatin1String(Name);
        return !beside && DirectoryExists(installed) ? installed : Data_Folder + PathDelim + QLatin1String(Name);
    };
    Master_Folder = place("MASTER");
    Projects_Folder = Data_Folder + PathDelim + QStringLiteral("PROJECTS");
    Language_Folder = place("LANGUAGE");
    QStringList failures;
    for (const QString& folder : {Master_Folder, Projects_Folder, Language_Folder}) {
        QString why;
        if (!DirectoryExists(folder) && !ForceDirectories(folder, &why))
            failures << QStringLiteral("The folder \"%1\" cannot be made: %2").arg(folder, why);
    }
    return failures;
}

bool Project_Name_Allowed(const QString& Name)
{
    return !Name.isEmpty() && !Leaves_Projects_Folder(Name);
}

Integer Create_Project_Folder(const QString& Name)
{
    if (Name.isEmpty())
        return 107;
    if (Leaves_Projects_Folder(Name))
        return 105;
    const QString folder = Projects_Folder + PathDelim + Name;
    if (DirectoryExists(folder) || Folder_In_Any_Case(Name))
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
    // The open configuration itself, when a name differing only in case
    // stands before it.
    for (Integer i = 0; i < List.Count(); ++i)
        if (List.Strings(i) == Name)
            return i;
    for (Integer i = 0; i < List.Count(); ++i)
        if (CompareText(List.Strings(i), Name) == 0)
            return i;
    return -1;
}
