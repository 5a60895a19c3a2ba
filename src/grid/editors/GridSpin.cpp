// TGridSpin: the spin edit of the grid's four spin kinds, and what the
// special editors share: the common-controls version that decides whether
// the date editors exist.

#include "grid/ExGridEditors.h"

#include "grid/ExGrid.h"
#include "platform/Messages.h"

#include <QFileInfo>

Integer GetDllFileVersion(const QString& FileName)
{
    // The common controls are this layer's own (their version 6.0); no file
    // of the system carries version information of that kind.
    if (QFileInfo(FileName).fileName().compare(QLatin1String("comctl32.dll"), Qt::CaseInsensitive) == 0)
        return 0x00060000;
    return -1;
}

const bool DateEditorsAvailable = GetDllFileVersion(QStringLiteral("comctl32.dll")) > 0x00040045;

bool TExStringGrid::CommitEditorText(TWinControl* Editor, const QString& Text)
{
    const QString before = FCellCache;
    SetCurrentCell(Text);
    FNewCellText = Text;
    if (ValidateCell(Text))
        return true;
    // The validation may have closed the editor while putting the text back.
    if (Editor != nullptr && !Editor->Visible()) {
        if (CanFocus())
            SetFocus();
        ShowInplaceEdit();
    }
    // The editor open again on the refused cell: Escape still returns to
    // the text from before the edit.
    FCellCache = before;
    return false;
}

TGridSpin::TGridSpin(TExStringGrid* AGrid) : TEsgSpinEdit(AGrid), FGrid(AGrid)
{
    SetMaxValue(100);
    SetMinValue(0);
    SetIncrement(1);
}

void TGridSpin::UpClick(TObject* Sender)
{
    TEsgSpinEdit::UpClick(Sender);
    DoSpinClick(true);
}

void TGridSpin::DownClick(TObject* Sender)
{
    TEsgSpinEdit::DownClick(Sender);
    DoSpinClick(false);
}

void TGridSpin::DoSpinClick(bool UpDown)
{
    const Integer c = FGrid->Col(), r = FGrid->Row();
    switch (SpinType()) {
    case sptNormal:
        if (FGrid->OnSpinClick)
            FGrid->OnSpinClick(FGrid, c, r, Value(), UpDown);
        break;
    case sptFloat:
        if (FGrid->OnFloatSpinClick)
            FGrid->OnFloatSpinClick(FGrid, c, r, FloatValue(), UpDown);
        break;
    case sptDate:
        if (FGrid->OnDateSpinClick)
            FGrid->OnDateSpinClick(FGrid, c, r, DateValue(), UpDown);
        break;
    case sptTime:
        if (FGrid->OnTimeSpinClick)
            FGrid->OnTimeSpinClick(FGrid, c, r, TimeValue(), UpDown);
        break;
    }
}

void TGridSpin::PageKey(Word Key)
{
    if (SpinType() == sptNormal) {
        switch (Key) {
        case VK_PRIOR:
            if (Value() + Increment() <= MaxValue())
                SetValue(Value() + Increment());
            break;
        case VK_NEXT:
            if (Value() - Increment() >= MinValue())
                SetValue(Value() - Increment());
            break;
        case VK_END: SetValue(MinValue()); break;
        case VK_HOME: SetValue(MaxValue()); break;
        default: break;
        }
    } else {
        switch (Key) {
        case VK_PRIOR:
            if (FloatValue() + IncrementFloat() <= MaxFloatValue())
                SetFloatValue(FloatValue() + IncrementFloat());
            break;
        case VK_NEXT:
            if (FloatValue() - IncrementFloat() >= MinFloatValue())
                SetFloatValue(FloatValue() - IncrementFloat());
            break;
        case VK_END: SetFloatValue(MinFloatValue()); break;
        case VK_HOME: SetFloatValue(MaxFloatValue()); break;
        default: break;
        }
    }
    if (FGrid->OnSpinClick)
        FGrid->OnSpinClick(FGrid, FGrid->Col(), FGrid->Row(), Value(), Key == VK_PRIOR || Key == VK_HOME);
}

void TGridSpin::KeyDown(Word& Key, TShiftState Shift)
{
    const bool numeric = SpinType() == sptNormal || SpinType() == sptFloat;
    if (numeric && (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_HOME || Key == VK_END)) {
        // The page and limit keys step here (never twice through the spin edit's own stepping).
        PageKey(Key);
        Key = 0;
        return;
    }
    if (Key != VK_TAB && Key != VK_RETURN && Key != VK_ESCAPE && Key != VK_UP && Key != VK_DOWN) {
        TEsgSpinEdit::KeyDown(Key, Shift);
        return;
    }
    TNavigation* nav = FGrid->Navigation();
    if (Key == VK_ESCAPE) {
        // The cell keeps the text it had before the edit, word for word
        // (the value read back from it would come out in the spin's form).
        SetText(FGrid->FCellCache);
        const Word key = Key;
        Key = 0;
        FGrid->FCancelEdit = true;
        FGrid->DoneInplaceEdit(key, Shift);
        FGrid->FCancelEdit = false;
        return;
    }
    if (!FGrid->CommitEditorText(this, Text())) {
        SetText(FGrid->FNewCellText);
        SetSelStart(Integer(Text().size()));
        Key = 0;
        FGrid->FNoAutoAdvance = true;
        Invalidate();
        return;
    }
    SetText(FGrid->GetCurrentCell());
    if (Key == VK_TAB && (FGrid->Options() & goTabs) != 0) {
        FGrid->TabOutOfEditor(Shift.Contains(ssShift));
        Key = 0;
        return;
    }
    const Word key = Key;
    Key = 0;
    FGrid->DoneInplaceEdit(key, Shift);
    if (nav->AdvanceOnEnter() && nav->AdvanceAutoEdit())
        FGrid->ShowInplaceEdit();
    TEsgSpinEdit::KeyDown(Key, Shift);
}

void TGridSpin::KeyUp(Word& Key, TShiftState Shift)
{
    TCustomMaskEdit::KeyUp(Key, Shift);
}

void TGridSpin::KeyPress(QChar& Key)
{
    if (Key == QChar(27))
        Key = QChar(0);
    if (Key == QChar(u'\r')) {
        Key = QChar(0);
        return;
    }
    TEsgSpinEdit::KeyPress(Key);
}

void TGridSpin::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CHAR:
        // Tab and Enter are keys of the cell, not characters of the value.
        if (Message.WParam == u'\t' || Message.WParam == u'\r') {
            Message.Result = 0;
            return;
        }
        break;
    case CM_WANTSPECIALKEY:
        TEsgSpinEdit::Dispatch(Message);
        if (TExStringGrid::EditorClaimsKey(Message.WParam, (FGrid->Options() & goTabs) != 0))
            Message.Result = 1;
        return;
    default: break;
    }
    TEsgSpinEdit::Dispatch(Message);
}

void TGridSpin::Change()
{
    TEsgSpinEdit::Change();
    if (FGrid != nullptr && FGrid->OnEditChange)
        FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridSpin::DoExit()
{
    FGrid->SpecialEditorExit(this);
    TEsgSpinEdit::DoExit();
}
