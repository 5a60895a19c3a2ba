// The EDE import of the request tables: the file is chosen, its objects
// are marked in the import dialog, and each marked object becomes a read
// and/or a write request in the first empty rows, at the next free
// positions of the internal data array.

#include "bacnet/UBACnetAccess.h"
#include "bacnet/UBACnetAccessColumns.h"
#include "bacnet/UImportEDEFile.h"

#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "bacnet/BACnetLang.h"

#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"

namespace {

struct TEDE_Type {
    Integer Type;
    const char* Object_Type;
    const char* Data_Type;
    Integer NByte;
};

const TEDE_Type EDE_Types[] = {
    {0, "Analog Input", "Real", 4},
    {1, "Analog Output", "Real", 4},
    {2, "Analog Value", "Real", 4},
    {3, "Binary Input", "Enumerated", 1},
    {4, "Binary Output", "Enumerated", 1},
    {5, "Binary Value", "Enumerated", 1},
    {13, "Multi-State Input", "Unsigned Int", 4},
    {14, "Multi-State Output", "Unsigned Int", 4},
    {19, "Multi-State Value", "Unsigned Int", 4},
    {21, "Life Safety Point", "Enumerated", 2},
    {22, "Life Safety Zone", "Enumerated", 2},
    {23, "Accumulator", "Unsigned Int", 4},
    {45, "Integer Value", "Signed Int", 4},
    {46, "Large Analog Value", "Double", 8},
    {48, "Positive Integer Value", "Unsigned Int", 4},
};

const TEDE_Type* Find_EDE_Type(Integer ObjType)
{
    for (const TEDE_Type& t : EDE_Types)
        if (t.Type == ObjType)
            return &t;
    return nullptr;
}

// Where the next imported rows of a table go: the first row with an empty
// key, and the first position after every value the table already places.
struct TTarget {
    Integer Row = 0;  // 0: no empty row
    Integer Position = 0;
};

TTarget Find_Target(TExColumnGrid* Grid, Integer Key, Integer PositionCol, Integer NByteCol)
{
    TTarget t;
    for (Integer r = 1; r <= BACnet_Access_Rows; ++r) {
        if (Grid->GetCellEx(Key, r).trimmed().isEmpty()) {
            if (t.Row == 0)
                t.Row = r;
            continue;
        }
        const Integer position = Text_To_Int(Grid->GetCellEx(PositionCol, r), -1);
        const Integer bytes = Text_To_Int(Grid->GetCellEx(NByteCol, r), -1);
        if (position >= 0 && bytes >= 0)
            t.Position = std::max(t.Position, position + bytes);
    }
    return t;
}

QString Mnemonic(const TBACnet_Var& v) { return v.object_name + QStringLiteral(" - ") + v.description; }

} // namespace

QString TFBACnetAccess::Get_ObjType_EDE(Integer ObjType)
{
    const TEDE_Type* t = Find_EDE_Type(ObjType);
    return t ? QString::fromLatin1(t->Object_Type) : QString();
}

QString TFBACnetAccess::Get_DataType_EDE(Integer ObjType)
{
    const TEDE_Type* t = Find_EDE_Type(ObjType);
    return QString::fromLatin1(t ? t->Data_Type : "Null");
}

Integer TFBACnetAccess::Get_NumByte_EDE(Integer ObjType)
{
    const TEDE_Type* t = Find_EDE_Type(ObjType);
    return t ? t->NByte : 4;
}

void TFBACnetAccess::Btn_Import_CSVClick(TObject*)
{
    if (FImportEDEFile == nullptr)
        return;
    FImportEDEFile->App_BACnet_Type = App_BACnet_Type;
    OD_EDE_File->SetInitialDir(Last_EDE_Folder);
    if (!OD_EDE_File->Execute())
        return;
    const QString file = OD_EDE_File->FileName();
    if (FileExists(file)) {
        FImportEDEFile->EDE_File = file;
        if (FImportEDEFile->ShowModal() == mrOk)
            Import_Rows();
    }
    Last_EDE_Folder = ExcludeTrailingPathDelimiter(ExtractFilePath(file));
    OD_EDE_File->SetInitialDir(Last_EDE_Folder);
}

void TFBACnetAccess::Import_Rows()
{
    // The tables' own key finds the free rows, so that with the address
    // column hidden no request is overwritten.
    const Integer key = Key_Col();
    TTarget read = Find_Target(ACG1, key, Read_Col_Position, Read_Col_NByte);
    TTarget write = Find_Target(ACG2, key, Write_Col_Position, Write_Col_NByte);
    const QString address = FImportEDEFile->E_ID_IP->Text();
    bool full = false;

    // The rows from the first empty one on are taken in turn (they lie at or
    // below the table's end), but never past the table's last row.
    auto take = [](const TTarget& t) { return t.Row >= 1 && t.Row <= BACnet_Access_Rows; };

    for (const auto& var : FImportEDEFile->List_EDE_Var) {
        const TBACnet_Var& v = *var;
        if (!v.import)
            continue;
        const Integer bytes = Get_NumByte_EDE(v.object_type);
        if (v.read) {
            if (!take(read)) {
                full = true;
            } else {
                TExColumnGrid* g = ACG1;
                const Integer r = read.Row;
                const QString cells[] = {
                    QStringLiteral("Y"), address, Get_ObjType_EDE(v.object_type),
                    QString::number(v.object_instance), QStringLiteral("Present Value (85)"),
                    QString::number(bytes), QStringLiteral("N"), QString(), QString(), QString(),
                    QStringLiteral("1000"), QStringLiteral("0"), QString::number(read.Position),
                    QStringLiteral("0"), QStringLiteral("N"), QString()};
                for (Integer c = 1; c <= Read_Col_Convertion; ++c)
                    g->SetCellEx(c, r, cells[c - 1]);
                g->SetCellEx(Read_Col_Mnemonic, r, Mnemonic(v));
                ++read.Row;
                read.Position += bytes;
            }
        }
        if (v.write) {
            if (!take(write)) {
                full = true;
            } else {
                TExColumnGrid* g = ACG2;
                const Integer r = write.Row;
                const QString cells[] = {
                    QStringLiteral("Y"), address, Get_ObjType_EDE(v.object_type), Get_DataType_EDE(v.object_type),
                    QString::number(v.object_instance), QStringLiteral("Present Value (85)"), QStringLiteral("0"),
                    QString::number(bytes), QStringLiteral("N"), QString(), QString(), QString(),
                    QStringLiteral("N"), QStringLiteral("N"), QStringLiteral("1000"), QStringLiteral("0"),
                    QString::number(write.Position), QStringLiteral("0"), QStringLiteral("N"), QString()};
                for (Integer c = 1; c <= Write_Col_Convertion; ++c)
                    g->SetCellEx(c, r, cells[c - 1]);
                g->SetCellEx(Write_Col_Mnemonic, r, Mnemonic(v));
                ++write.Row;
                write.Position += bytes;
            }
        }
    }
    if (full)
        Application->MessageBox(BACnet_Lang(1418), Application->Title(), MB_OK | MB_ICONERROR);
}
