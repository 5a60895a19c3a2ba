#include "bacnet/UImportEDEFile.h"

#include "bacnet/UBACnetAccessColumns.h"

#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "bacnet/BACnetLang.h"

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"

#include <array>
#include <iterator>

TFImportEDEFile* FImportEDEFile = nullptr;

namespace {

constexpr Integer Grid_Rows = 512;
constexpr Integer Template_Marker_Line = 6;  // the seventh line, counted from 0

enum : Integer {
    colImport = 1,
    colRead = 2,
    colWrite = 3,
    colName = 4,
    colObject_Type = 5,
    colInstance = 6,
    colDescription = 7,
    colCommandable = 8,
};

const TBACnet_Column Import_Columns[] = {
    {1404, edNormal, 32, nullptr, "", nullptr, 0, true},
    {1405, edDataCheckBox, 50, nullptr, ""},
    {1406, edDataCheckBox, 40, nullptr, ""},
    {1407, edDataCheckBox, 40, nullptr, ""},
    {1408, edNormal, 150, nullptr, "", nullptr, 0, true},
    {1409, edNormal, 85, nullptr, "", nullptr, 0, true},
    {1410, edNormal, 60, nullptr, "", nullptr, 0, true},
    {1411, edNormal, 150, nullptr, "", nullptr, 0, true},
    {1412, edDataCheckBox, 90, nullptr, "", nullptr, 0, true},
};

// The header marker of the template: "#" and then "mandatory".
bool Is_Marker(const QString& Line)
{
    const QString t = Line.trimmed();
    return t.startsWith(QLatin1Char('#')) && t.mid(1).trimmed().startsWith(QLatin1String("mandatory"));
}

// The 16 fields of an object line. Each field after the first is taken
// from what remains once the text up to the next ";" is dropped, so that in
// a short line the text after its last ";" reaches only the last field.
std::array<QString, 16> Split_Fields(const QString& Line)
{
    auto before_semicolon = [](const QString& s) {
        const qsizetype i = s.indexOf(QLatin1Char(';'));
        return i < 0 ? QString() : s.left(i);
    };
    std::array<QString, 16> f;
    QString rest = Line;
    f[0] = before_semicolon(rest);
    for (size_t k = 1; k < 15; ++k) {
        const qsizetype i = rest.indexOf(QLatin1Char(';'));
        if (i < 0)
            continue;
        rest = rest.mid(i + 1).trimmed();
        f[k] = before_semicolon(rest);
    }
    const qsizetype i = rest.indexOf(QLatin1Char(';'));
    if (i >= 0)
        rest = rest.mid(i + 1).trimmed();
    if (rest.endsWith(QLatin1Char(';')))
        rest.chop(1);
    f[15] = rest;
    for (QString& s : f)
        s = s.trimmed();
    return f;
}

QString Y_N(bool Value) { return Value ? QStringLiteral("Y") : QStringLiteral("N"); }

} // namespace

bool EDE_Type_Kept(Integer ObjType)
{
    for (Integer kept : {0, 1, 2, 3, 4, 5, 13, 14, 19, 21, 22, 23, 45, 46, 48})
        if (ObjType == kept)
            return true;
    return false;
}

std::vector<std::unique_ptr<TBACnet_Var>> Parse_EDE_Lines(const TStrings& Lines)
{
    std::vector<std::unique_ptr<TBACnet_Var>> vars;
    const Integer count = Lines.Count();
    Integer first = -1;
    if (count > Template_Marker_Line && Is_Marker(Lines.Strings(Template_Marker_Line))) {
        first = Template_Marker_Line + 2;
    } else {
        for (Integer i = 0; i < count; ++i)
            if (Is_Marker(Lines.Strings(i)))
                first = i + 2;
    }
    if (first < 0)
        return vars;
    for (Integer i = first; i < count; ++i) {
        const QString line = Lines.Strings(i).trimmed();
        if (line.isEmpty())
            continue;
        const std::array<QString, 16> f = Split_Fields(line);
        auto v = std::make_unique<TBACnet_Var>();
        v->keyname = f[0];
        v->device_obj_instance = Text_To_Int(f[1], -1);
        v->object_name = f[2];
        v->object_type = Text_To_Int(f[3], -1);
        v->object_instance = Text_To_Int(f[4], -1);
        v->description = f[5];
        v->present_value_default = f[6];
        v->min_present_value = f[7];
        v->max_present_value = f[8];
        v->commandable = f[9].toUpper() == QLatin1String("Y");
        v->support_COV = f[10].toUpper() == QLatin1String("Y");
        v->hi_limit = f[11];
        v->low_limit = f[12];
        v->stete_text_reference = f[13];
        v->unit_code = f[14];
        v->vendor_specific_address = f[15];
        if (!EDE_Type_Kept(v->object_type))
            continue;
        v->import = true;
        v->read = true;
        v->write = v->commandable;
        vars.push_back(std::move(v));
    }
    return vars;
}

TFImportEDEFile::TFImportEDEFile(TComponent* AOwner)
    : TStepDialog(AOwner, QStringLiteral("FImportEDEFile"), 863, 337)
{
    Label1->SetVisible(false);

    P_ID_IP = Make_Control<TPanel>(this, this, "P_ID_IP");
    P_ID_IP->SetAlign(alTop);
    P_ID_IP->SetTop(P_Title->Height());
    P_ID_IP->SetHeight(36);
    P_ID_IP->SetBevelOuter(bvNone);
    P_ID_IP->SetShowCaption(false);
    LID_IP = Make_Control<TLabel>(this, P_ID_IP, "LID_IP");
    LID_IP->SetBounds(12, 11, 260, 14);
    E_ID_IP = Make_Control<TEdit>(this, P_ID_IP, "E_ID_IP");
    E_ID_IP->SetBounds(280, 7, 160, 21);

    ACG = Make_Control<TExColumnGrid>(this, this, "ACG");
    Setup_BACnet_Grid(ACG, Import_Columns, Integer(std::size(Import_Columns)), Grid_Rows + 1);
    ACG->OnCheckBoxClick = [this](TObject* s, Integer c, Integer r, bool st) { ACGCheckBoxClick(s, c, r, st); };

    auto button = [this](const char* name, Integer left) {
        auto* b = Make_Control<TFxButton>(this, P_Button, name);
        b->SetBounds(left, 7, 110, 30);
        b->SetShowHint(true);
        return b;
    };
    Btn_Select_All = button("Btn_Select_All", 8);
    Btn_Unselect_All = button("Btn_Unselect_All", 126);
    Btn_Select_All->OnClick = [this](TObject* s) { Btn_Select_AllClick(s); };
    Btn_Unselect_All->OnClick = [this](TObject* s) { Btn_Unselect_AllClick(s); };
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFImportEDEFile::~TFImportEDEFile()
{
    if (FImportEDEFile == this)
        FImportEDEFile = nullptr;
}

void TFImportEDEFile::FormCreate(TObject*)
{
    Frame_Create();
    Set_Lang();
    List_EDE_Var.clear();
}

void TFImportEDEFile::FormShow(TObject*)
{
    ACG->SetRowCount(Grid_Rows + 1);
    Blank_BACnet_Rows(ACG, Grid_Rows, QString());
    if (E_ID_IP->CanFocus())
        E_ID_IP->SetFocus();
    Cancel_EDE_List_Vars();
    Load_EDE_File();
    Show_Data_in_Grid();
    if (!Load_Error.isEmpty())
        Application->MessageBox(Load_Error, Application->Title(), MB_OK | MB_ICONERROR);
}

void TFImportEDEFile::Load_EDE_File()
{
    Load_Error.clear();
    TStringList lines;
    QString error;
    if (!lines.LoadFromFile(EDE_File, &error)) {
        Load_Error = error;
        return;
    }
    // Shorter than the template's header block: not an EDE file.
    if (lines.Count() <= Template_Marker_Line) {
        Load_Error = BACnet_Lang(1419);
        return;
    }
    List_EDE_Var = Parse_EDE_Lines(lines);
}

void TFImportEDEFile::Show_Data_in_Grid()
{
    const Integer count = Integer(List_EDE_Var.size());
    ACG->SetRowCount(count > 0 ? count + 1 : 2);
    for (Integer i = 0; i < count; ++i) {
        const TBACnet_Var& v = *List_EDE_Var[size_t(i)];
        const Integer r = i + 1;
        ACG->SetCellEx(0, r, QString::number(r));
        ACG->SetCellEx(colImport, r, Y_N(v.import));
        ACG->SetCellEx(colRead, r, Y_N(v.read));
        ACG->SetCellEx(colWrite, r, Y_N(v.write));
        ACG->SetCellEx(colName, r, v.object_name);
        ACG->SetCellEx(colObject_Type, r, QString::number(v.object_type));
        ACG->SetCellEx(colInstance, r, QString::number(v.object_instance));
        ACG->SetCellEx(colDescription, r, v.description);
        ACG->SetCellEx(colCommandable, r, Y_N(v.commandable));
    }
}

void TFImportEDEFile::Cancel_EDE_List_Vars()
{
    List_EDE_Var.clear();
}

void TFImportEDEFile::ACGCheckBoxClick(TObject*, Integer ACol, Integer ARow, bool State)
{
    if (ARow < 1 || ARow > Integer(List_EDE_Var.size()))
        return;
    TBACnet_Var& v = *List_EDE_Var[size_t(ARow - 1)];
    switch (ACol) {
    case colImport: v.import = State; break;
    case colRead: v.read = State; break;
    case colWrite:
        if (State && !v.commandable) {
            Application->MessageBox(BACnet_Lang(1413) + QString::number(ARow) + BACnet_Lang(1414), Application->Title(),
                                    MB_OK | MB_ICONERROR);
            ACG->SetCellEx(colWrite, ARow, QStringLiteral("N"));
            v.write = false;
        } else {
            v.write = State;
        }
        break;
    default: break;
    }
}

void TFImportEDEFile::Select_All(bool State)
{
    for (size_t i = 0; i < List_EDE_Var.size(); ++i) {
        ACG->SetCellEx(colImport, Integer(i) + 1, Y_N(State));
        List_EDE_Var[i]->import = State;
    }
}

void TFImportEDEFile::Btn_Select_AllClick(TObject*) { Select_All(true); }

void TFImportEDEFile::Btn_Unselect_AllClick(TObject*) { Select_All(false); }

void TFImportEDEFile::Btn_OKClick(TObject*)
{
    const QString address = E_ID_IP->Text();
    if (App_BACnet_Type == 0) {
        Byte b1, b2, b3, b4;
        if (IP_Text_To_Bytes(address, b1, b2, b3, b4)) {
            Application->MessageBox(BACnet_Lang(1416), Application->Title(), MB_OK | MB_ICONERROR);
            return;
        }
    } else if (App_BACnet_Type == 1) {
        const Integer id = Text_To_Int(address, -1);
        if (id < 0 || id > 254) {
            Application->MessageBox(BACnet_Lang(1417), Application->Title(), MB_OK | MB_ICONERROR);
            return;
        }
    }
    SetModalResult(mrOk);
}

void TFImportEDEFile::Set_Lang()
{
    SetCaption(BACnet_Lang(1400));
    L_SW_Desc->SetCaption(BACnet_Lang(1401));
    Btn_OK->SetCaption(BACnet_Lang(1402));
    Btn_Cancel->SetCaption(BACnet_Lang(1403));
    for (Integer c = 0; c < Integer(std::size(Import_Columns)); ++c)
        ACG->Columns()->Items(c)->SetHeader(BACnet_Lang(Import_Columns[c].Header));
    LID_IP->SetCaption(BACnet_Lang(1415));
    Btn_Select_All->SetCaption(BACnet_Lang(1420));
    Btn_Unselect_All->SetCaption(BACnet_Lang(1421));
}
