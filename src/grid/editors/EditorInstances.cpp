// TExStringGrid: its special editors as instances: the ones made with the
// grid, the ones made on first use, the relays of their events to the
// grid's, and the dropdown editors' opening and writing back.

#include "grid/ExGrid.h"

#include "grid/ExGridCellGraphic.h"
#include "grid/ExGridEditors.h"
#include "platform/ImageList.h"
#include "platform/Text.h"

#include <QStringList>

namespace {

// The memo dropdown's lines as one text.
QString MemoValue(TExMemoDropDown* Memo)
{
    TStrings* lines = Memo->MemoText();
    QStringList out;
    for (Integer i = 0; i < lines->Count(); ++i)
        out.append(lines->Strings(i));
    return out.join(QStringLiteral("\r\n"));
}

} // namespace

void TExStringGrid::CreateSpecialEditors()
{
    FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
}

// A special editor is made the first time a cell opens it (or it is asked
// for), hidden: most grids never show most of them.
namespace {
// Makes the editor of Slot, hidden (and disabled), when there is none yet;
// true when it was made now.
template <class T>
bool MakeHidden(T*& Slot, TExStringGrid* Grid, bool Disable)
{
    if (Slot != nullptr)
        return false;
    Slot = new T(Grid);
    Slot->SetParent(Grid);
    Slot->SetVisible(false);
    if (Disable)
        Slot->SetEnabled(false);
    return true;
}
} // namespace

TGridEditBtn* TExStringGrid::BtnEdit()
{
    if (MakeHidden(EditBtn, this, true)) {
        EditBtn->SetButtonCaption(QStringLiteral("..."));
        EditBtn->SetBorderStyle(bsNone);
        EditBtn->SetIsWinXP(FIsWinXP);
    }
    return EditBtn;
}

TGridUnitEditBtn* TExStringGrid::BtnUnitEdit()
{
    if (MakeHidden(UnitEditBtn, this, true)) {
        UnitEditBtn->SetButtonCaption(QStringLiteral("..."));
        UnitEditBtn->SetBorderStyle(bsNone);
        UnitEditBtn->OnUnitChanged = [this](TObject*, const QString& NewUnit) {
            if (OnUnitChanged)
                OnUnitChanged(this, Col(), Row(), NewUnit);
        };
    }
    return UnitEditBtn;
}

TGridButton* TExStringGrid::Btn()
{
    if (MakeHidden(GridButton, this, true))
        GridButton->OnClick = [this](TObject*) { ButtonClick(Col(), Row()); };
    return GridButton;
}

TGridTransEdit* TExStringGrid::FixedCellEdit()
{
    if (MakeHidden(EditTrans, this, false))
        SetEditFrame(EditTrans, false);
    return EditTrans;
}

TGridTransCombo* TExStringGrid::FixedCellCombo()
{
    MakeHidden(ComboTrans, this, false);
    return ComboTrans;
}

TControlEdit* TExStringGrid::CellControlEdit()
{
    MakeHidden(FEditControl, this, false);
    return FEditControl;
}

TControlCombo* TExStringGrid::CellControlCombo()
{
    MakeHidden(FComboControl, this, false);
    return FComboControl;
}

TGridSpin* TExStringGrid::SpinEdit()
{
    if (FEditSpin == nullptr) {
        FEditSpin = new TGridSpin(this);
        FEditSpin->SetParent(this);
        FEditSpin->SetEnabled(false);
        FEditSpin->SetVisible(false);
        FEditSpin->SetBorderStyle(bsNone);
        FEditSpin->SetIsWinXP(FIsWinXP);
    }
    return FEditSpin;
}

TGridDatePicker* TExStringGrid::DateTimePicker()
{
    if (FEditDate == nullptr) {
        FEditDate = new TGridDatePicker(this);
        FEditDate->SetParent(this);
        FEditDate->SetEnabled(false);
        FEditDate->SetVisible(false);
        TGridDatePicker* dp = FEditDate;
        dp->OnChange = [this, dp](TObject*) {
            if (OnEditChange)
                OnEditChange(this, Col(), Row(), dp->Kind() == dtkTime ? TimeToStr(dp->Time()) : DateToStr(dp->Date()));
        };
        dp->OnCloseUp = [this](TObject*) {
            if (OnDatePickerCloseUp)
                OnDatePickerCloseUp(this, Row(), Col());
            if (FMouseActions->DirectDateClose())
                HideInplaceEdit();
        };
        dp->OnDropDown = [this, dp](TObject*) {
            dp->SetCalendarStyle(dp->Weeknumbers(), dp->ShowToday(), dp->ShowTodayCircle());
            if (OnDatePickerDropDown)
                OnDatePickerDropDown(this, Row(), Col());
        };
    }
    return FEditDate;
}

TGridDateTimePicker* TExStringGrid::DateAndTimePicker()
{
    if (FEditDateTime == nullptr) {
        FEditDateTime = new TGridDateTimePicker(this);
        FEditDateTime->SetParent(this);
        FEditDateTime->SetVisible(false);
        FEditDateTime->SetEnabled(false);
        FEditDateTime->SetAutoTab(true);
        TGridDateTimePicker* dt = FEditDateTime;
        dt->OnTimeChange = [this, dt](TObject*) {
            if (OnDateTimeChange)
                OnDateTimeChange(this, Col(), Row(), dt->DateTime());
        };
        dt->OnCloseUp = [this](TObject*) {
            if (OnDatePickerCloseUp)
                OnDatePickerCloseUp(this, Row(), Col());
            if (FMouseActions->DirectDateClose())
                HideInplaceEdit();
        };
    }
    return FEditDateTime;
}

TExRichEdit* TExStringGrid::RichEdit()
{
    if (FRichEdit == nullptr) {
        FRichEdit = new TExRichEdit(this);
        FRichEdit->SetParent(this);
        FRichEdit->SetVisible(false);
        FRichEdit->SetBounds(0, 0, 0, 0);
        FRichEdit->SetBorderStyle(bsNone);
    }
    return FRichEdit;
}

TExRichEdit* TExStringGrid::InplaceRichEdit()
{
    if (FInplaceRichEdit == nullptr) {
        FInplaceRichEdit = new TExRichEdit(this);
        FInplaceRichEdit->SetParent(this);
        FInplaceRichEdit->SetVisible(false);
        FInplaceRichEdit->OnSelectionChange = [this](TObject*) {
            if (OnRichEditSelectionChange)
                OnRichEditSelectionChange(this);
        };
    }
    return FInplaceRichEdit;
}

namespace {

// Made on first use: hidden, child of the grid, in the grid's style and tones.
template <class T>
T* MakeDropDown(TExStringGrid* Grid, T*& Field, bool Typing)
{
    if (Field == nullptr) {
        Field = new T(Grid);
        Field->SetParent(Grid);
        Field->SetVisible(false);
        if (Typing)
            Field->SetEditorEnabled(true);
        Field->SetComponentStyle(Grid->Style());
        Field->SetColorTones(Grid->Tones());
    }
    return Field;
}

} // namespace

TGridTrackbarDropDown* TExStringGrid::TrackbarDropDown()
{
    return MakeDropDown(this, FEditTrackBar, true);
}

TGridMemoDropDown* TExStringGrid::MemoDropDown()
{
    if (FEditMemo == nullptr) {
        MakeDropDown(this, FEditMemo, false);
        // The cell follows the memo as it is typed.
        FEditMemo->OnMemoChange = [this](TObject*) {
            if (FEditMemo->Memo() != nullptr) {
                QString text = FEditMemo->Memo()->Text();
                SetEditText(Col(), Row(), text);
            }
        };
    }
    return FEditMemo;
}

TGridCalculatorDropDown* TExStringGrid::CalculatorDropDown()
{
    return MakeDropDown(this, FEditCalculator, true);
}

TGridTimepickerDropDown* TExStringGrid::TimePickerDropDown()
{
    return MakeDropDown(this, FEditTimePicker, false);
}

TGridDetailPickerDropDown* TExStringGrid::DetailPickerDropDown()
{
    return MakeDropDown(this, FEditDetailPicker, false);
}

TGridGridDropDown* TExStringGrid::GridDropDown()
{
    return MakeDropDown(this, FEditGridPicker, false);
}

TGridExGridDropDown* TExStringGrid::ExGridDropDown()
{
    return MakeDropDown(this, FEditExGridPicker, false);
}

TGridColorDropDown* TExStringGrid::ColorPickerDropDown()
{
    if (FEditColorPicker == nullptr) {
        MakeDropDown(this, FEditColorPicker, false);
        FEditColorPicker->AddDefaultColors();
        FEditColorPicker->OnSelect = [this](TObject*) {
            ColorSelect(RealColIndex(Col()), Row(), FEditColorPicker->SelectedColor(),
                        FEditColorPicker->SelectedColorText());
        };
    }
    return FEditColorPicker;
}

TGridImageDropDown* TExStringGrid::ImagePickerDropDown()
{
    if (FEditImagePicker == nullptr) {
        MakeDropDown(this, FEditImagePicker, false);
        FEditImagePicker->OnSelect = [this](TObject*) {
            ImageSelect(RealColIndex(Col()), Row(), FEditImagePicker->ItemIndex());
        };
    }
    return FEditImagePicker;
}

void TExStringGrid::DropDownHeaderButtonClick(TObject*, Integer ButtonIndex)
{
    if (OnDropDownHeaderButtonClick)
        OnDropDownHeaderButtonClick(this, Col(), Row(), ButtonIndex);
}

void TExStringGrid::DropDownFooterButtonClick(TObject*, Integer ButtonIndex)
{
    if (OnDropDownFooterButtonClick)
        OnDropDownFooterButtonClick(this, Col(), Row(), ButtonIndex);
}

TExCustomDropDown* TExStringGrid::ShowDropDownEditor(Integer ACol, Integer ARow, const QString& EditText,
                                                     TColor EditorColor, TRect R)
{
    TExCustomDropDown* dd = nullptr;
    switch (EditControl) {
    case edTrackbarDropDown: dd = TrackbarDropDown(); break;
    case edMemoDropDown: dd = MemoDropDown(); break;
    case edCalculatorDropDown: dd = CalculatorDropDown(); break;
    case edTimePickerDropDown: dd = TimePickerDropDown(); break;
    case edDetailDropDown: dd = DetailPickerDropDown(); break;
    case edGridDropDown: dd = GridDropDown(); break;
    case edColorPickerDropDown: dd = ColorPickerDropDown(); break;
    case edImagePickerDropDown: dd = ImagePickerDropDown(); break;
    case edExGridDropDown: dd = ExGridDropDown(); break;
    default: return nullptr;
    }
    dd->SetDropDownFooter(FControlLook->DropDownFooter());
    dd->SetDropDownHeader(FControlLook->DropDownHeader());
    dd->SetComponentStyle(Style());
    dd->OnDropDownHeaderButtonClick = [this](TObject* S, Integer I) { DropDownHeaderButtonClick(S, I); };
    dd->OnDropDownFooterButtonClick = [this](TObject* S, Integer I) { DropDownFooterButtonClick(S, I); };
    const Integer w = R.Width() - 1, h = R.Height() - 1;
    if (EditControl == edGridDropDown || EditControl == edExGridDropDown) {
        dd->SetColor(EditorColor);
        dd->SetEditorEnabled(true);
    }
    if (EditControl == edExGridDropDown)
        FEditExGridPicker->GetGrid()->SetFixedRowAlways(true);
    // The application fills the lists here; the lookup follows them.
    auto* lookup = dynamic_cast<TExLookupDropDown*>(dd);
    if (lookup != nullptr)
        lookup->BeginUpdate();
    GetEditorProp(ACol, ARow, FEditLink);
    if (lookup != nullptr)
        lookup->EndUpdate();
    dd->SetBounds(R.Left, R.Top, 0, 0);
    dd->SetEnabled(true);
    dd->SetBorderStyle(bsNone);
    dd->SetBounds(R.Left, R.Top, w, h);
    // The value of the cell.
    switch (EditControl) {
    case edTrackbarDropDown: {
        bool ok = false;
        const Integer v = EditText.trimmed().toInt(&ok);
        FEditTrackBar->SetPosition(ok ? v : 0);
        break;
    }
    case edMemoDropDown:
    case edCalculatorDropDown:
        dd->SetText(EditText);
        break;
    case edTimePickerDropDown:
        dd->SetEditorEnabled(true);
        dd->SetText(EditText);
        break;
    case edDetailDropDown:
        dd->SetEditorEnabled(true);
        dd->SetText(EditText);
        break;
    case edGridDropDown: {
        Integer index = EditText.isEmpty() ? 0 : -1;
        auto* items = FEditGridPicker->Items();
        if (!EditText.isEmpty())
            for (Integer i = 0; i < items->Count(); ++i)
                if (items->Items(i)->Line(FEditGridPicker->LookupColumn()) == EditText) {
                    index = i;
                    break;
                }
        if (index < items->Count())
            FEditGridPicker->SetItemIndex(index);
        dd->SetText(EditText);
        break;
    }
    case edExGridDropDown: {
        TGridExGridDropDown* g = FEditExGridPicker;
        if (g->UseItems()) {
            QString full;
            Integer row = -1;
            if (EditText.isEmpty())
                g->SetItemIndex(0);
            else if (g->LookupText(EditText, full, row))
                g->SetItemIndex(row);
        }
        dd->SetText(EditText);
        break;
    }
    case edColorPickerDropDown:
        FEditColorPicker->SetSelectedColor(GetCellType(ACol, ARow) == ctShape ? GetShapeColor(ACol, ARow)
                                                                               : Colors(ACol, ARow));
        break;
    case edImagePickerDropDown: {
        TGridImageDropDown* ip = FEditImagePicker;
        const TCellType type = GetCellType(ACol, ARow);
        if (type == ctImageList || type == ctDataImage) {
            ip->SetImages(FGridImages);
            if (ip->Items()->Count() == 0 && FGridImages != nullptr)
                ip->AddImagesFromImageList();
            Integer index = -1;
            if (type == ctImageList) {
                GetImageIdx(ACol, ARow, index);
            } else {
                bool ok = false;
                index = Cells(ACol, ARow).trimmed().toInt(&ok);
                if (!ok)
                    index = -1;
            }
            ip->SetImageIndex(index);
            const Integer item = ip->ItemIndex();
            ip->SetText(index < 0 || item < 0 ? QString() : ip->Items()->Items(item)->Caption());
        }
        break;
    }
    default: break;
    }
    dd->SetColor(EditorColor);
    dd->Show();
    if (dd->CanFocus())
        dd->SetFocus();
    if (EditControl == edDetailDropDown) {
        TDetailItems* items = FEditDetailPicker->Items();
        for (Integer i = 0; i < items->Count(); ++i)
            if (items->Items(i)->Caption() == dd->Text()) {
                FEditDetailPicker->SetItemIndex(i);
                break;
            }
    }
    return dd;
}

void TExStringGrid::FinishDropDownEditor(Integer ACol, Integer ARow, bool Write)
{
    TExCustomDropDown* dd = nullptr;
    switch (EditControl) {
    case edTrackbarDropDown: dd = FEditTrackBar; break;
    case edMemoDropDown: dd = FEditMemo; break;
    case edCalculatorDropDown: dd = FEditCalculator; break;
    case edTimePickerDropDown: dd = FEditTimePicker; break;
    case edDetailDropDown: dd = FEditDetailPicker; break;
    case edGridDropDown: dd = FEditGridPicker; break;
    case edExGridDropDown: dd = FEditExGridPicker; break;
    case edColorPickerDropDown: dd = FEditColorPicker; break;
    case edImagePickerDropDown: dd = FEditImagePicker; break;
    default: break;
    }
    if (dd == nullptr)
        return;
    if (Write) {
        switch (EditControl) {
        case edMemoDropDown:
            SetEditorCellValue(ACol, ARow, MemoValue(FEditMemo));
            break;
        case edColorPickerDropDown: {
            TColor color = FEditColorPicker->SelectedColor();
            QString text = FEditColorPicker->SelectedColorText();
            if (OnColorSelected)
                OnColorSelected(this, ACol, ARow, color, text);
            SetEditorCellValue(ACol, ARow, text);
            if (GetCellType(ACol, ARow) == ctShape)
                SetShapeColor(ACol, ARow, color);
            else
                SetColors(ACol, ARow, color);
            break;
        }
        case edImagePickerDropDown: {
            Integer index = FEditImagePicker->GetImageIndex();
            if (OnImageSelected)
                OnImageSelected(this, ACol, ARow, index);
            const TCellType type = GetCellType(ACol, ARow);
            if (type == ctImageList)
                SetImageIdx(ACol, ARow, index);
            else if (type == ctDataImage)
                SetEditorCellValue(ACol, ARow, QString::number(index));
            break;
        }
        default:
            SetEditorCellValue(ACol, ARow, dd->Text());
            break;
        }
    }
    else if (EditControl == edMemoDropDown)
        SetEditorCellValue(ACol, ARow, FCellCache);  // the memo wrote into the cell as it was typed
    if (dd->DroppedDown())
        dd->HideDropDown(!Write);
    dd->Hide();
    dd->SetEnabled(false);
}
