#include "plant/UIEC_61850_Access.h"

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FileSystem.h"
#include "platform/ImageList.h"
#include "platform/PageControl.h"
#include "platform/Splitter.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "platform/TreeView.h"
#include "platform/XmlDocument.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QFileInfo>

TFIEC_61850_Access* FIEC_61850_Access = nullptr;

namespace {

// Columns of the data-attribute table.
enum {
    cIndex = 1, cbType, cFC, cReference, cStart_Byte, cNum_Byte, cIP_Address, cPort, cOn_Change, cOn_CMD, cOn_Timer,
    cTime, cPosition, cStart_Bit, cRead_Write, cConvertion, cMolt_Fact, cMnemonic, DA_Columns,
};
// Columns of the data-set table.
enum { dIndex = 1, dReference, dGoose_Name, dEn_Goose, dIP_Address, dPort, dTime, dMnemonic, DataSet_Columns };
// Columns of the member table.
enum { mbType = 1, mReference, mPosition, mStart_Bit, mConvertion, mMult_Fact, mMnemonic, Member_Columns };

// The tree's pictures, by kind of node.
enum { imgDevice, imgLDevice, imgLN, imgDO, imgDA, imgDataSet };

enum TKind { kText, kReadOnly, kCheck, kBits, kRead_Write, kConvertion };

struct TColumn {
    Integer Width;
    TKind Kind;
    Integer Header;  // language text (data-attribute table only)
    Integer Hint;
    const char* Fixed_Header = nullptr;
};

const TColumn DA_Table[DA_Columns] = {
    {30, kText, 4918, 4935},       {45, kText, 4919, 4936},       {85, kReadOnly, 4920, 4937},
    {35, kReadOnly, 4921, 4938},   {250, kReadOnly, 4922, 4939},  {70, kText, 4958, 4960},
    {70, kText, 4959, 4961},       {105, kText, 4923, 4940},      {50, kText, 4924, 4941},
    {70, kCheck, 4925, 4942},      {60, kCheck, 4926, 4943},      {65, kCheck, 4927, 4944},
    {70, kText, 4928, 4945},       {60, kText, 4929, 4946},       {60, kBits, 4930, 4947},
    {55, kRead_Write, 4931, 4948}, {80, kConvertion, 4932, 4949}, {65, kText, 4933, 4950},
    {120, kText, 4934, 4951},
};

const TColumn DataSet_Table[DataSet_Columns] = {
    {30, kText, -1, -1, "N"},           {45, kText, -1, -1, "Index"},        {260, kReadOnly, -1, -1, "Reference"},
    {110, kReadOnly, -1, -1, "Goose Name"}, {70, kCheck, -1, -1, "En. Goose"}, {105, kText, -1, -1, "IP Address"},
    {50, kText, -1, -1, "Port"},         {70, kText, -1, -1, "Time (ms)"},     {120, kText, -1, -1, "Mnemonic"},
};

const TColumn Member_Table[Member_Columns] = {
    {30, kText, -1, -1, "N"},           {75, kReadOnly, -1, -1, "bType"},    {190, kReadOnly, -1, -1, "Reference"},
    {60, kText, -1, -1, "Position"},    {60, kBits, -1, -1, "Start Bit"},    {80, kConvertion, -1, -1, "Convertion"},
    {65, kText, -1, -1, "Mult Fact"},   {90, kText, -1, -1, "Mnemonic"},
};

// Cell colours: what the user types, what the model gives, the check boxes.
constexpr TColor Text_Color = clWhite;
constexpr TColor Model_Color = TColor(0xEFEFEF);
constexpr TColor Check_Color = TColor(0xB0D8FF);  // red 255, green 216, blue 176

constexpr Integer Max_Position = 1399;

QString YN(bool value)
{
    return value ? QStringLiteral("Y") : QStringLiteral("N");
}

void Set_Items(TGridColumnItem* Item, std::initializer_list<const char*> Items)
{
    TStringList list;
    for (const char* s : Items)
        list.Add(QString::fromLatin1(s));
    Item->SetComboItems(&list);
}

} // namespace

TFIEC_61850_Access::TFIEC_61850_Access(TComponent* AOwner)
    : TStepDialog(AOwner, QStringLiteral("FIEC_61850_Access"), 1200, 550), IL_IEC(std::make_unique<TImageList>()),
      Hint(std::make_unique<TStringList>()), XML1(std::make_unique<TXMLDocument>())
{
    Label1->SetVisible(false);
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };

    // The catalogue on the left.
    P_Devices = Make_Control<TPanel>(this, this, "P_Devices");
    P_Devices->SetBounds(0, 69, 210, 437);
    P_Devices->SetAlign(alLeft);
    P_Devices->SetBevelOuter(bvNone);
    P_Devices->SetShowCaption(false);
    Btn_Add_IEC_Device = Make_Control<TFxButton>(this, P_Devices, "Btn_Add_IEC_Device");
    Btn_Add_IEC_Device->SetBounds(8, 8, 194, 30);
    LB_IEC_Devices = Make_Control<TListBox>(this, P_Devices, "LB_IEC_Devices");
    LB_IEC_Devices->SetBounds(8, 44, 194, 349);
    Btn_Remove_IEC_Device = Make_Control<TFxButton>(this, P_Devices, "Btn_Remove_IEC_Device");
    Btn_Remove_IEC_Device->SetBounds(8, 399, 194, 30);
    Btn_Add_IEC_Device->OnClick = [this](TObject* s) { Btn_Add_IEC_DeviceClick(s); };
    Btn_Remove_IEC_Device->OnClick = [this](TObject* s) { Btn_Remove_IEC_DeviceClick(s); };
    LB_IEC_Devices->OnClick = [this](TObject* s) { LB_IEC_DevicesClick(s); };

    // The chosen device's model beside it.
    Make_Glyphs();
    TV_IEC_Device = Make_Control<TTreeView>(this, this, "TV_IEC_Device");
    TV_IEC_Device->SetBounds(210, 69, 300, 437);
    TV_IEC_Device->SetAlign(alLeft);
    TV_IEC_Device->SetReadOnly(true);
    TV_IEC_Device->SetImages(IL_IEC.get());
    TV_IEC_Device->OnClick = [this](TObject* s) { TV_IEC_DeviceClick(s); };
    TV_IEC_Device->OnCustomDrawItem = [this](TTreeView* s, TTreeNode* n, TCustomDrawState st, bool& d) {
        TV_IEC_DeviceCustomDrawItem(s, n, st, d);
    };

    // The tables on the right.
    PC_DA_DataSet = Make_Control<TPageControl>(this, this, "PC_DA_DataSet");
    PC_DA_DataSet->SetAlign(alClient);
    TS_DA = new TTabSheet(this);
    TS_DA->SetName(QStringLiteral("TS_DA"));
    TS_DA->SetPageControl(PC_DA_DataSet);
    TS_DataSet = new TTabSheet(this);
    TS_DataSet->SetName(QStringLiteral("TS_DataSet"));
    TS_DataSet->SetPageControl(PC_DA_DataSet);
    // These page captions have no text of their own.
    TS_DA->SetCaption(QStringLiteral("Variables"));
    TS_DataSet->SetCaption(QStringLiteral("DataSet"));

    ACG_DA = Make_Grid(TS_DA, "ACG_DA", DA_Columns);
    ACG_DA->SetAlign(alClient);
    ACG_DA->SetShowHint(true);
    ACG_DA->OnGridHint = [this](TObject* s, Integer r, Integer c, QString& h) { ACG_DAGridHint(s, r, c, h); };
    ACG_DataSet = Make_Grid(TS_DataSet, "ACG_DataSet", DataSet_Columns);
    ACG_DataSet->SetBounds(0, 0, 680, 170);
    ACG_DataSet->SetAlign(alTop);
    Splitter1 = Make_Control<TSplitter>(this, TS_DataSet, "Splitter1");
    Splitter1->SetAlign(alTop);
    Splitter1->SetBounds(0, 170, 680, 5);
    ACG_DS_Vars = Make_Grid(TS_DataSet, "ACG_DS_Vars", Member_Columns);
    ACG_DS_Vars->SetAlign(alClient);
    ACG_DS_Vars->OnSelectCell = [this](TObject* s, Integer c, Integer r, bool& can) { ACG_DS_VarsSelectCell(s, c, r, can); };
    ACG_DS_Vars->OnEditCellDone = [this](TObject* s, Integer c, Integer r) { ACG_DS_VarsEditCellDone(s, c, r); };
    for (const auto& [grid, table] : {std::pair{ACG_DataSet, DataSet_Table}, std::pair{ACG_DS_Vars, Member_Table}})
        for (Integer c = 0; c < grid->GetColCount(); ++c)
            grid->Columns()->Items(c)->SetHeader(QString::fromLatin1(table[c].Fixed_Header));

    // Row buttons beside OK and Cancel; moving rows has no action.
    const struct {
        TFxButton** Button;
        const char* Name;
        bool Visible;
    } buttons[] = {
        {&Btn_AddVar, "Btn_AddVar", true},
        {&Btn_RemoveVar, "Btn_RemoveVar", true},
        {&Btn_MoveUp, "Btn_MoveUp", false},
        {&Btn_ModeDown, "Btn_ModeDown", false},
    };
    Integer left = 8;
    for (const auto& b : buttons) {
        TFxButton* button = Make_Control<TFxButton>(this, P_Button, b.Name);
        button->SetBounds(left, 7, 90, 30);
        button->SetVisible(b.Visible);
        *b.Button = button;
        left += 98;
    }
    Btn_AddVar->OnClick = [this](TObject* s) { Btn_AddVarClick(s); };
    Btn_RemoveVar->OnClick = [this](TObject* s) { Btn_RemoveVarClick(s); };
    for (TFxButton* b : {Btn_AddVar, Btn_RemoveVar, Btn_Add_IEC_Device, Btn_Remove_IEC_Device})
        b->SetShowHint(true);

    OD_IcdFile = new TOpenDialog(this);
    OD_IcdFile->SetName(QStringLiteral("OD_IcdFile"));
    OD_IcdFile->SetFilter(QStringLiteral("SCL Files (*.scd, *.ssd, *.sed, *.icd, *.iid, *.cid)|*.scd; *.ssd; *.sed; "
                                         "*.icd; *.iid; *.cid;|Any File (*.*)|*.*"));

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFIEC_61850_Access::~TFIEC_61850_Access()
{
    // The tree goes with the form's components, after the image list.
    TV_IEC_Device->SetImages(nullptr);
    if (FIEC_61850_Access == this)
        FIEC_61850_Access = nullptr;
}

TExColumnGrid* TFIEC_61850_Access::Make_Grid(TWinControl* Parent, const char* Name, Integer Columns)
{
    const TColumn* table = Columns == DA_Columns ? DA_Table : Columns == DataSet_Columns ? DataSet_Table : Member_Table;
    TExColumnGrid* g = Make_Control<TExColumnGrid>(this, Parent, Name);
    g->SetColCount(Columns);
    g->SetRowCount(2);
    g->SetOptions(g->Options() | goEditing | goColSizing);
    for (Integer c = 0; c < Columns; ++c) {
        TGridColumnItem* item = g->Columns()->Items(c);
        item->SetWidth(table[c].Width);
        if (c == 0)
            continue;
        item->SetColor(Text_Color);
        switch (table[c].Kind) {
        case kText:
            break;
        case kReadOnly:
            item->SetReadOnly(true);
            item->SetColor(Model_Color);
            break;
        case kCheck:
            item->SetEditor(edDataCheckBox);
            item->SetCheckTrue(QStringLiteral("Y"));
            item->SetCheckFalse(QStringLiteral("N"));
            item->SetAlignment(taCenter);
            item->SetColor(Check_Color);
            break;
        case kBits:
            item->SetEditor(edComboList);
            Set_Items(item, {"0", "1", "2", "3", "4", "5", "6", "7"});
            break;
        case kRead_Write:
            item->SetEditor(edComboList);
            Set_Items(item, {"Read", "Write"});
            break;
        case kConvertion:
            item->SetEditor(edComboList);
            Set_Items(item, {"None", "ItoF/FtoI"});
            break;
        }
    }
    g->OnClickCell = [this](TObject* s, Integer r, Integer c) { ClickCell(s, r, c); };
    g->OnDblClickCell = [this](TObject* s, Integer r, Integer c) { ACG_DADblClickCell(s, r, c); };
    g->OnKeyPress = [this](TObject* s, QChar& k) { ACG_DAKeyPress(s, k); };
    return g;
}

void TFIEC_61850_Access::Make_Glyphs()
{
    // Drawn here so that the program needs no image files; the fuchsia
    // background is left out.
    const auto add = [this](const std::function<void(TCanvas*)>& draw) {
        TBitmap bitmap(16, 16);
        TCanvas* c = bitmap.Canvas();
        c->Brush()->SetColor(clFuchsia);
        c->FillRect(TRect{0, 0, 16, 16});
        draw(c);
        IL_IEC->AddMasked(&bitmap, clFuchsia);
    };
    const auto box = [](TCanvas* c, TColor pen, TColor fill, TRect r) {
        c->Pen()->SetColor(pen);
        c->Brush()->SetColor(fill);
        c->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
    };
    // Device: a grey box with a green lamp.
    add([&](TCanvas* c) {
        box(c, RGB(70, 70, 70), RGB(200, 200, 200), {1, 3, 15, 13});
        box(c, RGB(0, 110, 0), RGB(0, 190, 0), {3, 6, 6, 9});
    });
    // Logical device: a yellow folder.
    add([&](TCanvas* c) {
        box(c, RGB(150, 110, 0), RGB(250, 210, 80), {1, 4, 15, 14});
        box(c, RGB(150, 110, 0), RGB(250, 210, 80), {1, 2, 7, 5});
    });
    // Logical node: a violet block.
    add([&](TCanvas* c) { box(c, RGB(90, 40, 130), RGB(170, 120, 220), {2, 2, 14, 14}); });
    // Data object: a blue disc.
    add([&](TCanvas* c) {
        c->Pen()->SetColor(RGB(0, 0, 160));
        c->Brush()->SetColor(RGB(70, 120, 240));
        c->Ellipse(2, 2, 14, 14);
    });
    // Data attribute: a small grey square.
    add([&](TCanvas* c) { box(c, RGB(80, 80, 80), RGB(235, 235, 235), {4, 4, 12, 12}); });
    // Data set: a green list.
    add([&](TCanvas* c) {
        box(c, RGB(0, 100, 0), RGB(220, 245, 220), {2, 1, 14, 15});
        c->Pen()->SetColor(RGB(0, 150, 0));
        for (Integer y : {4, 7, 10}) {
            c->MoveTo(4, y);
            c->LineTo(12, y);
        }
    });
}

// ------------------------------------------------------------ creation, texts

void TFIEC_61850_Access::FormCreate(TObject*)
{
    Frame_Create();
    PC_DA_DataSet->SetActivePage(TS_DA);
    Set_Lang();
}

void TFIEC_61850_Access::Set_Lang()
{
    SetCaption(Lang_Text(4900));
    L_SW_Desc->SetCaption(Lang_Text(4901));
    TFxButton* const buttons[] = {Btn_OK,    Btn_Cancel,   Btn_AddVar,         Btn_RemoveVar,
                                  Btn_MoveUp, Btn_ModeDown, Btn_Add_IEC_Device, Btn_Remove_IEC_Device};
    for (Integer i = 0; i < 8; ++i) {
        buttons[i]->SetCaption(Lang_Text(4902 + i));
        buttons[i]->SetHint(Lang_Text(4910 + i));
    }
    Hint->Clear();
    for (Integer c = 0; c < DA_Columns; ++c) {
        ACG_DA->Columns()->Items(c)->SetHeader(Lang_Text(DA_Table[c].Header));
        Hint->Add(Lang_Text(DA_Table[c].Hint));
    }
}

// ------------------------------------------------------------ showing

void TFIEC_61850_Access::Reset_Table(TExColumnGrid* Grid)
{
    const Integer columns = Grid->GetColCount() + Grid->NumHiddenColumns();
    for (Integer r = 1; r < Grid->GetRowCount(); ++r)
        for (Integer c = 0; c < columns; ++c) {
            Grid->SetCellEx(c, r, QString());
            Grid->SetReadOnly(c, r, false);
        }
    Grid->SetRowCount(2);
}

void TFIEC_61850_Access::FormShow(TObject*)
{
    DataSet_Row_Select = 0;
    FShown_DataSet_Row = 0;
    Selected_IEC_DA = nullptr;
    Selected_IEC_DS = nullptr;
    // The tree shows nothing of the devices about to go.
    TV_IEC_Device->Items()->Clear();
    NODE_ORIG = nullptr;
    FTree_Device = nullptr;
    LB_IEC_Devices->Clear();
    while (!List_IEC_Dev.empty())
        List_IEC_Dev.pop_back();
    while (!List_DataSet.empty())
        List_DataSet.pop_back();
    Reset_Table(ACG_DA);
    Reset_Table(ACG_DataSet);
    Reset_Table(ACG_DS_Vars);
    FLoad_Failed = false;
    if (FileExists(IEC_61850_Client_File))
        FLoad_Failed = !Read_Client_File();
}

// ------------------------------------------------------------ catalogue

QString TFIEC_61850_Access::Catalogue_Folder()
{
    return Project_Folder + PathDelim + QStringLiteral("ICD_Catalog") + PathDelim;
}

TIEC_Device* TFIEC_61850_Access::Chosen_Device() const
{
    const Integer i = LB_IEC_Devices->ItemIndex();
    return i >= 0 && i < Integer(List_IEC_Dev.size()) ? List_IEC_Dev[size_t(i)].get() : nullptr;
}

void TFIEC_61850_Access::Show_IEC_Devices()
{
    // The chosen line stays chosen: Add Var takes its position.
    const Integer chosen = LB_IEC_Devices->ItemIndex();
    LB_IEC_Devices->Items()->Clear();
    for (const auto& d : List_IEC_Dev)
        LB_IEC_Devices->Items()->Add(d->fName);
    LB_IEC_Devices->SetItemIndex(chosen < Integer(List_IEC_Dev.size()) ? chosen : -1);
}

void TFIEC_61850_Access::Btn_Add_IEC_DeviceClick(TObject*)
{
    if (!OD_IcdFile->Execute())
        return;
    const QString chosen = OD_IcdFile->FileName();
    const QString folder = Catalogue_Folder();
    if (!ForceDirectories(folder)) {
        Error_Box(QStringLiteral("The folder %1 cannot be created.").arg(folder));
        return;
    }
    const QString target = folder + ExtractFileName(chosen);
    bool copy = true;
    if (FileExists(target)) {
        const Integer answer =
            Application->MessageBox(QStringLiteral("File already exists in catalog directory. Do you want to overwrite file?"),
                                    Application->Title(), MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL)
            return;
        copy = answer == IDYES;
    }
    // A catalogue file chosen again is its own copy.
    const QString source = QFileInfo(chosen).canonicalFilePath();
    if (copy && (source.isEmpty() || source != QFileInfo(target).canonicalFilePath())) {
        QString error;
        if (!CopyFile(chosen, target, false, &error)) {
            Error_Box(error);
            return;
        }
    }
    QString error;
    std::unique_ptr<TIEC_Device> device = TIEC_Device::Create(target, error);
    if (!device) {
        Error_Box(error);
        return;
    }
    List_IEC_Dev.push_back(std::move(device));
    Show_IEC_Devices();
}

void TFIEC_61850_Access::Btn_Remove_IEC_DeviceClick(TObject*)
{
    const Integer i = LB_IEC_Devices->ItemIndex();
    if (i < 0 || i >= Integer(List_IEC_Dev.size()))
        return;
    // A device that a row still reads from stays.
    for (TExColumnGrid* g : {ACG_DA, ACG_DataSet})
        for (Integer r = 1; r < g->GetRowCount(); ++r)
            if (Text_To_Int(g->GetCellEx(1, r), -1) == i)
                return;
    if (FTree_Device == List_IEC_Dev[size_t(i)].get()) {
        TV_IEC_Device->Items()->Clear();
        NODE_ORIG = nullptr;
        FTree_Device = nullptr;
    }
    LB_IEC_Devices->Items()->Delete(i);
    List_IEC_Dev.erase(List_IEC_Dev.begin() + i);
    for (TExColumnGrid* g : {ACG_DA, ACG_DataSet})
        for (Integer r = 1; r < g->GetRowCount(); ++r) {
            const Integer index = Text_To_Int(g->GetCellEx(1, r), -1);
            if (index > i)
                g->SetCellEx(1, r, QString::number(index - 1));
        }
    Selected_IEC_DA = nullptr;
    Selected_IEC_DS = nullptr;
}

// ------------------------------------------------------------ tree

void TFIEC_61850_Access::LB_IEC_DevicesClick(TObject*)
{
    TIEC_Device* device = Chosen_Device();
    if (device == nullptr)
        return;
    TTreeNodes* items = TV_IEC_Device->Items();
    items->BeginUpdate();
    items->Clear();
    Show_Tree_IEC_Device(device);
    items->EndUpdate();
    FTree_Device = device;
    Selected_IEC_DA = nullptr;
    Selected_IEC_DS = nullptr;
}

namespace {

TTreeNode* Add_Node(TTreeView* Tree, TTreeNode* Parent, const QString& Text, Integer Image, bool Expanded)
{
    TTreeNode* node = Tree->Items()->AddChild(Parent, Text);
    node->SetImageIndex(Image);
    node->SetSelectedIndex(Image);
    node->SetExpanded(Expanded);
    return node;
}

} // namespace

void TFIEC_61850_Access::Show_Tree_IEC_Device(TIEC_Device* Device)
{
    NODE_ORIG = Add_Node(TV_IEC_Device, nullptr, Device->fName, imgDevice, true);
    Device->TreeNode = NODE_ORIG;
    for (const auto& ld : Device->List_LDevice)
        Show_Tree_IEC_LDevice(NODE_ORIG, ld.get());
}

void TFIEC_61850_Access::Show_Tree_IEC_LDevice(TTreeNode* Parent, TIEC_LDevice* LDevice)
{
    LDevice->TreeNode = Add_Node(TV_IEC_Device, Parent, LDevice->fName, imgLDevice, true);
    for (const auto& ln : LDevice->List_LN)
        Show_Tree_IEC_LN(LDevice->TreeNode, ln.get());
}

void TFIEC_61850_Access::Show_Tree_IEC_LN(TTreeNode* Parent, TIEC_LN* LN)
{
    LN->TreeNode = Add_Node(TV_IEC_Device, Parent, LN->fPrefix + LN->flnClass + LN->fInst, imgLN, true);
    for (const auto& d : LN->List_DO)
        Show_Tree_IEC_DO(LN->TreeNode, d.get());
    for (const auto& ds : LN->List_DataSet)
        Show_Tree_IEC_DataSet(LN->TreeNode, ds.get());
}

void TFIEC_61850_Access::Show_Tree_IEC_DO(TTreeNode* Parent, TIEC_DO* DO)
{
    DO->TreeNode = Add_Node(TV_IEC_Device, Parent, DO->fName, imgDO, false);
    for (const auto& sub : DO->List_DO)
        Show_Tree_IEC_DO(DO->TreeNode, sub.get());
    for (const auto& da : DO->List_DA)
        Show_Tree_IEC_DA(DO->TreeNode, da.get());
}

void TFIEC_61850_Access::Show_Tree_IEC_DA(TTreeNode* Parent, TIEC_DA* DA)
{
    DA->TreeNode = Add_Node(TV_IEC_Device, Parent, DA->fName, imgDA, false);
    for (const auto& sub : DA->List_DA)
        Show_Tree_IEC_DA(DA->TreeNode, sub.get());
}

void TFIEC_61850_Access::Show_Tree_IEC_DataSet(TTreeNode* Parent, TIEC_DataSet* DataSet)
{
    DataSet->TreeNode = Add_Node(TV_IEC_Device, Parent, DataSet->fName, imgDataSet, false);
}

void TFIEC_61850_Access::TV_IEC_DeviceCustomDrawItem(TTreeView* Sender, TTreeNode* Node, Cardinal State, bool&)
{
    // The highlight of the selected row keeps its own text colour.
    if (State & cdsSelected)
        return;
    TColor color = clBlack;
    if (Node->ImageIndex() == imgDO)
        color = clBlue;
    else if (Node->ImageIndex() == imgDataSet)
        color = RGB(0, 128, 0);
    Sender->Canvas()->Font()->SetColor(color);
}

void TFIEC_61850_Access::TV_IEC_DeviceClick(TObject*)
{
    Selected_IEC_DA = nullptr;
    Selected_IEC_DS = nullptr;
    // Only the device the tree shows has its nodes.
    TIEC_Device* device = Chosen_Device();
    TTreeNode* node = TV_IEC_Device->Selected();
    if (device == nullptr || device != FTree_Device || node == nullptr)
        return;
    Selected_IEC_DA = Search_Node_Selected(device, node);
    if (Selected_IEC_DA == nullptr)
        Selected_IEC_DS = Search_Node_Selected_DataSet(device, node);
}

TIEC_DA* TFIEC_61850_Access::Search_Node_Selected(TIEC_Device* Device, TTreeNode* Node) const
{
    for (const auto& ld : Device->List_LDevice)
        if (TIEC_DA* da = Search_Node_LDevice(ld.get(), Node))
            return da;
    return nullptr;
}

TIEC_DA* TFIEC_61850_Access::Search_Node_LDevice(TIEC_LDevice* LDevice, TTreeNode* Node) const
{
    for (const auto& ln : LDevice->List_LN)
        if (TIEC_DA* da = Search_Node_LN(ln.get(), Node))
            return da;
    return nullptr;
}

TIEC_DA* TFIEC_61850_Access::Search_Node_LN(TIEC_LN* LN, TTreeNode* Node) const
{
    for (const auto& d : LN->List_DO)
        if (TIEC_DA* da = Search_Node_DO(d.get(), Node))
            return da;
    return nullptr;
}

TIEC_DA* TFIEC_61850_Access::Search_Node_DO(TIEC_DO* DO, TTreeNode* Node) const
{
    for (const auto& sub : DO->List_DO)
        if (TIEC_DA* da = Search_Node_DO(sub.get(), Node))
            return da;
    for (const auto& a : DO->List_DA)
        if (TIEC_DA* da = Search_Node_DA(a.get(), Node))
            return da;
    return nullptr;
}

TIEC_DA* TFIEC_61850_Access::Search_Node_DA(TIEC_DA* DA, TTreeNode* Node) const
{
    // Only a leaf is a variable; a structure's node chooses nothing.
    if (DA->TreeNode == Node)
        return DA->List_DA.empty() ? DA : nullptr;
    for (const auto& sub : DA->List_DA)
        if (TIEC_DA* da = Search_Node_DA(sub.get(), Node))
            return da;
    return nullptr;
}

TIEC_DataSet* TFIEC_61850_Access::Search_Node_Selected_DataSet(TIEC_Device* Device, TTreeNode* Node) const
{
    for (const auto& ld : Device->List_LDevice)
        if (TIEC_DataSet* ds = Search_Node_LDevice_DataSet(ld.get(), Node))
            return ds;
    return nullptr;
}

TIEC_DataSet* TFIEC_61850_Access::Search_Node_LDevice_DataSet(TIEC_LDevice* LDevice, TTreeNode* Node) const
{
    for (const auto& ln : LDevice->List_LN)
        if (TIEC_DataSet* ds = Search_Node_LN_DataSet(ln.get(), Node))
            return ds;
    return nullptr;
}

TIEC_DataSet* TFIEC_61850_Access::Search_Node_LN_DataSet(TIEC_LN* LN, TTreeNode* Node) const
{
    for (const auto& ds : LN->List_DataSet)
        if (ds->TreeNode == Node)
            return ds.get();
    return nullptr;
}

// ------------------------------------------------------------ variables

Integer TFIEC_61850_Access::Take_Row(TExColumnGrid* Grid)
{
    if (Grid->GetRowCount() == 2 && Grid->GetCellEx(1, 1).isEmpty())
        return 1;
    Grid->SetRowCount(Grid->GetRowCount() + 1);
    return Grid->GetRowCount() - 1;
}

void TFIEC_61850_Access::Btn_AddVarClick(TObject*)
{
    // A choice belongs to the device of the tree, which must still be the
    // chosen line: its position goes into the row.
    if (Chosen_Device() == nullptr || Chosen_Device() != FTree_Device)
        return;
    const QString index = QString::number(LB_IEC_Devices->ItemIndex());
    if (Selected_IEC_DA != nullptr) {
        PC_DA_DataSet->SetActivePage(TS_DA);
        const Integer r = Take_Row(ACG_DA);
        const TIEC_DA& da = *Selected_IEC_DA;
        const QString cells[DA_Columns] = {QString::number(r), index, da.fbType, da.fFC, da.fReference, QString(),
                                           QString(), QString(), QString(), YN(false), YN(false), YN(false)};
        for (Integer c = 0; c < DA_Columns; ++c)
            ACG_DA->SetCellEx(c, r, cells[c]);
        Set_Start_Num_Byte();
    } else if (Selected_IEC_DS != nullptr) {
        PC_DA_DataSet->SetActivePage(TS_DataSet);
        // The blank row is taken only while no data set is chosen: row r is
        // always choice r - 1.
        Integer r = 1;
        if (!List_DataSet.empty()) {
            ACG_DataSet->SetRowCount(ACG_DataSet->GetRowCount() + 1);
            r = ACG_DataSet->GetRowCount() - 1;
        }
        const TIEC_DataSet& ds = *Selected_IEC_DS;
        const QString cells[DataSet_Columns] = {QString::number(r), index, ds.fReference, ds.fGooseName,
                                                YN(!ds.fGooseName.isEmpty())};
        for (Integer c = 0; c < DataSet_Columns; ++c)
            ACG_DataSet->SetCellEx(c, r, cells[c]);
        auto choice = std::make_unique<TDataSet>();
        choice->Select_DataSet = Selected_IEC_DS;
        for (TIEC_DA* member : ds.List_DA) {
            auto m = std::make_unique<TDataSet_DA>();
            m->Select_DA = member;
            choice->List_DAs.push_back(std::move(m));
        }
        List_DataSet.push_back(std::move(choice));
    }
}

void TFIEC_61850_Access::Remove_Row(TExColumnGrid* Grid, Integer Row)
{
    const Integer columns = Grid->GetColCount() + Grid->NumHiddenColumns();
    for (Integer r = Row; r + 1 < Grid->GetRowCount(); ++r)
        for (Integer c = 1; c < columns; ++c)
            Grid->SetCellEx(c, r, Grid->GetCellEx(c, r + 1));
    Grid->SetRowCount(Grid->GetRowCount() - 1);
    for (Integer r = 1; r < Grid->GetRowCount(); ++r)
        Grid->SetCellEx(0, r, QString::number(r));
}

void TFIEC_61850_Access::Btn_RemoveVarClick(TObject*)
{
    if (PC_DA_DataSet->ActivePage() == TS_DA) {
        const Integer r = ACG_DA->GetRowEx();
        if (r < 1 || r >= ACG_DA->GetRowCount())
            return;
        if (r == 1 && ACG_DA->GetRowCount() == 2) {
            for (Integer c = 1; c < ACG_DA->GetColCount() + ACG_DA->NumHiddenColumns(); ++c)
                ACG_DA->SetCellEx(c, 1, QString());
        } else {
            Remove_Row(ACG_DA, r);
        }
        Set_Start_Num_Byte();
        return;
    }
    const Integer r = ACG_DataSet->GetRowEx();
    if (r < 1 || r > Integer(List_DataSet.size()))
        return;
    List_DataSet.erase(List_DataSet.begin() + (r - 1));
    if (!List_DataSet.empty()) {
        Remove_Row(ACG_DataSet, r);
    } else {
        for (Integer c = 1; c < ACG_DataSet->GetColCount() + ACG_DataSet->NumHiddenColumns(); ++c)
            ACG_DataSet->SetCellEx(c, 1, QString());
    }
    // The member table must not go on showing (and taking edits for) the
    // removed data set.
    Show_DataSet_DAs();
}

void TFIEC_61850_Access::Set_Start_Num_Byte()
{
    static const struct {
        const char* bType;
        const char* Num_Byte;
    } fixed[] = {
        {"FLOAT32", "4"}, {"INT32U", "4"}, {"INT32", "4"},     {"QUALITY", "4"}, {"FLOAT64", "8"},
        {"INT64", "8"},   {"INT8U", "1"},  {"INT8", "1"},      {"BOOLEAN", "1"}, {"TIMESTAMP", "1"},
        {"ENUM", "1"},    {"INT16U", "2"}, {"INT16", "2"},
    };
    for (Integer r = 1; r < ACG_DA->GetRowCount(); ++r) {
        const QString type = UpperCase(ACG_DA->GetCellEx(cbType, r));
        const char* num = nullptr;
        for (const auto& f : fixed)
            if (type == QLatin1String(f.bType))
                num = f.Num_Byte;
        if (num != nullptr) {
            ACG_DA->SetCellEx(cStart_Byte, r, QStringLiteral("0"));
            ACG_DA->SetCellEx(cNum_Byte, r, QString::fromLatin1(num));
        }
        ACG_DA->SetReadOnly(cStart_Byte, r, num != nullptr);
        ACG_DA->SetReadOnly(cNum_Byte, r, num != nullptr);
    }
}

// ------------------------------------------------------------ member table

void TFIEC_61850_Access::Show_DataSet_DAs()
{
    const Integer r = ACG_DataSet->GetRowEx();
    const TDataSet* choice = r >= 1 && r <= Integer(List_DataSet.size()) ? List_DataSet[size_t(r - 1)].get() : nullptr;
    if (choice == nullptr || choice->List_DAs.empty()) {
        Reset_Table(ACG_DS_Vars);
        FShown_DataSet_Row = 0;
        return;
    }
    FShown_DataSet_Row = r;
    ACG_DS_Vars->SetRowCount(Integer(choice->List_DAs.size()) + 1);
    for (Integer i = 0; i < Integer(choice->List_DAs.size()); ++i) {
        const TDataSet_DA& m = *choice->List_DAs[size_t(i)];
        const QString cells[Member_Columns] = {QString::number(i + 1), m.Select_DA->fbType, m.Select_DA->fReference,
                                               m.Position,             m.bitAddress,        m.conversion,
                                               m.multFactor,           m.Mnemonic};
        for (Integer c = 0; c < Member_Columns; ++c)
            ACG_DS_Vars->SetCellEx(c, i + 1, cells[c]);
    }
}

void TFIEC_61850_Access::ACG_DS_VarsSelectCell(TObject*, Integer, Integer, bool&)
{
    // The data set whose members the table shows, which need not be the
    // data-set table's current row any more.
    DataSet_Row_Select = FShown_DataSet_Row;
}

void TFIEC_61850_Access::ACG_DS_VarsEditCellDone(TObject*, Integer ACol, Integer ARow)
{
    const Integer col = ACG_DS_Vars->RealColIndex(ACol);
    if (col < mPosition || col > mMnemonic || DataSet_Row_Select < 1
        || DataSet_Row_Select > Integer(List_DataSet.size()))
        return;
    TDataSet& choice = *List_DataSet[size_t(DataSet_Row_Select - 1)];
    if (ARow < 1 || ARow > Integer(choice.List_DAs.size()))
        return;
    TDataSet_DA& m = *choice.List_DAs[size_t(ARow - 1)];
    QString* const fields[] = {&m.Position, &m.bitAddress, &m.conversion, &m.multFactor, &m.Mnemonic};
    *fields[col - mPosition] = ACG_DS_Vars->GetCellEx(col, ARow);
}

// ------------------------------------------------------------ table events

void TFIEC_61850_Access::ClickCell(TObject* Sender, Integer ARow, Integer ACol)
{
    if (Sender == ACG_DA && ACol == 0 && ARow >= 1)
        ACG_DA->SelectRows(ARow, 1);
    else if (Sender == ACG_DataSet)
        Show_DataSet_DAs();
}

void TFIEC_61850_Access::ACG_DADblClickCell(TObject* Sender, Integer ARow, Integer ACol)
{
    Grid_Auto_Size_Column(static_cast<TExColumnGrid*>(Sender), ARow, ACol);
}

void TFIEC_61850_Access::ACG_DAKeyPress(TObject* Sender, QChar& Key)
{
    Grid_Enter_Next_Cell(static_cast<TExColumnGrid*>(Sender), Key);
}

void TFIEC_61850_Access::ACG_DAGridHint(TObject*, Integer ARow, Integer ACol, QString& HintStr)
{
    const Integer c = ACG_DA->RealColIndex(ACol);
    if (ARow == 0 && c > 0)
        HintStr = c < Hint->Count() ? Hint->Strings(c) : QString();
}

// ------------------------------------------------------------ checks, OK

Integer TFIEC_61850_Access::Row_Fault(Integer Row, QChar Separator, QString& Suffix) const
{
    const auto number = [this, Row](Integer c) { return Text_To_Int(ACG_DA->GetCellEx(c, Row), -1); };
    const QString type = UpperCase(ACG_DA->GetCellEx(cbType, Row));
    const Integer start = number(cStart_Byte);
    const Integer count = number(cNum_Byte);
    if (type == QLatin1String("VISSTRING255")) {
        if (start < 0 || start > 254)
            return 4962;
        if (count < 1 || count > 255)
            return 4963;
        if (start + count > 255)
            return 4964;
    } else if (type == QLatin1String("OCTET64")) {
        if (start < 0 || start > 63)
            return 4965;
        if (count < 1 || count > 64)
            return 4966;
        if (start + count > 64)
            return 4967;
    }
    QString p1, p2, p3, p4;
    if (!Split_IP_Address(ACG_DA->GetCellEx(cIP_Address, Row), p1, p2, p3, p4))
        return 4953;
    const Integer port = number(cPort);
    if (port < 0 || port > 65535)
        return 4954;
    const Integer time = number(cTime);
    if (Trim(ACG_DA->GetCellEx(cOn_Timer, Row)) == QLatin1String("Y") && (time < 1 || time > 100000000))
        return 4955;
    const Integer position = number(cPosition);
    if (position < 0 || position > Max_Position) {
        Suffix = QString::number(Max_Position);
        return 4956;
    }
    const QString factor = ACG_DA->GetCellEx(cMolt_Fact, Row);
    float value = 0;
    if (UpperCase(Trim(factor)) != QLatin1String("NONE") && !Text_To_Float(factor, Separator, value))
        return 4957;
    return 0;
}

bool TFIEC_61850_Access::Controllo_dati()
{
    const QChar separator = Get_Decimal_Separator();
    for (Integer r = 1; r < ACG_DA->GetRowCount(); ++r) {
        // A row without a type is no variable.
        if (ACG_DA->GetCellEx(cbType, r).isEmpty())
            continue;
        QString suffix;
        if (const Integer fault = Row_Fault(r, separator, suffix)) {
            Error_Box(Lang_Text(4952) + QString::number(r) + Lang_Text(fault) + suffix);
            return false;
        }
    }
    return true;
}

void TFIEC_61850_Access::Error_Box(const QString& Text)
{
    Application->MessageBox(Text, Application->Title(), MB_OK | MB_ICONERROR);
}

void TFIEC_61850_Access::Btn_OKClick(TObject*)
{
    if (!Controllo_dati())
        return;
    // A file that could not be read whole is replaced only when the user
    // says so.
    if (FLoad_Failed
        && Application->MessageBox(QStringLiteral("%1 could not be read whole when the window opened. Replace it "
                                                  "with the catalogue and tables shown?")
                                       .arg(ExtractFileName(IEC_61850_Client_File)),
                                   Application->Title(), MB_YESNO | MB_ICONWARNING)
               != IDYES)
        return;
    QString error;
    if (!Write_Client_File(error)) {
        Error_Box(error);
        return;
    }
    SetModalResult(mrOk);
}
