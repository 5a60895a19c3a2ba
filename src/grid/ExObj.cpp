#include "ExObj.h"

#include "ExStyleIF.h"
#include "ExUtil.h"
#include "controls/ExXPVS.h"
#include "platform/LayeredWindow.h"
#include "platform/Canvas.h"

#include <QStringList>

#include <cmath>
#include <stdexcept>
#include <vector>

// ------------------------------------------------------------------ TIntList

Integer TIntList::GetInteger(Integer Index) const
{
    return Integer(reinterpret_cast<std::intptr_t>(TList::Items(Index)));
}

void TIntList::SetInteger(Integer Index, Integer Value)
{
    SetItems(Index, reinterpret_cast<void*>(std::intptr_t(Value)));
    Changed();
}

Integer TIntList::Add(Integer Value)
{
    const Integer i = TList::Add(reinterpret_cast<void*>(std::intptr_t(Value)));
    Changed();
    return i;
}

void TIntList::Delete(Integer Index)
{
    TList::Delete(Index);
    Changed();
}

void TIntList::Insert(Integer Index, Integer Value)
{
    TList::Insert(Index, reinterpret_cast<void*>(std::intptr_t(Value)));
}

void TIntList::DeleteValue(Integer Value)
{
    for (Integer i = 0; i < Count(); ++i)
        if (GetInteger(i) == Value) {
            Delete(i);
            return;
        }
}

bool TIntList::HasValue(Integer Value) const
{
    for (Integer i = 0; i < Count(); ++i)
        if (GetInteger(i) == Value)
            return true;
    return false;
}

QString TIntList::StrValue() const
{
    QStringList parts;
    for (Integer i = 0; i < Count(); ++i)
        parts << QString::number(GetInteger(i));
    return parts.join(QLatin1Char(','));
}

void TIntList::SetStrValue(const QString& Value)
{
    TStringList parts;
    parts.SetCommaText(Value);
    Clear();
    for (Integer i = 0; i < parts.Count(); ++i) {
        Integer v = 0;
        if (!TextToInteger(parts[i], v))
            throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(parts[i]));
        Add(v);
    }
}

void TIntList::Changed()
{
    if (OnChange)
        OnChange(this, FCol, FRow);
}

// ------------------------------------------------------------ TSortIndexList

namespace {
constexpr Cardinal DescendingBit = 0x80000000u;
constexpr Cardinal ColumnBits = 0x7FFFFFFFu;
} // namespace

void TSortIndexList::AddIndex(Integer ColumnIndex, bool Ascending)
{
    Add(Integer(Cardinal(ColumnIndex) | (Ascending ? 0u : DescendingBit)));
}

Integer TSortIndexList::FindIndex(Integer ColumnIndex) const
{
    for (Integer i = 0; i < Count(); ++i)
        if ((Cardinal(GetInteger(i)) & ColumnBits) == (Cardinal(ColumnIndex) & ColumnBits))
            return i;
    return -1;
}

Integer TSortIndexList::SortColumns(Integer Index) const
{
    return Integer(Cardinal(GetInteger(Index)) & ColumnBits);
}

void TSortIndexList::SetSortColumns(Integer Index, Integer Value)
{
    const Cardinal v = Cardinal(GetInteger(Index));
    SetInteger(Index, Integer((v & DescendingBit) | (Cardinal(Value) & ColumnBits)));
}

bool TSortIndexList::SortDirections(Integer Index) const
{
    return (Cardinal(GetInteger(Index)) & DescendingBit) == 0;
}

void TSortIndexList::SetSortDirections(Integer Index, bool Value)
{
    const Cardinal v = Cardinal(GetInteger(Index));
    SetInteger(Index, Integer(Value ? v & ColumnBits : v | DescendingBit));
}

void TSortIndexList::ToggleIndex(Integer ColumnIndex)
{
    const Integer i = FindIndex(ColumnIndex);
    if (i >= 0)
        SetInteger(i, Integer(Cardinal(GetInteger(i)) ^ DescendingBit));
}

QString TSortIndexList::SaveToString() const
{
    QStringList parts;
    for (Integer i = 0; i < Count(); ++i)
        parts << (SortDirections(i) ? QStringLiteral("u") : QStringLiteral("d"))
                     + QString::number(Cardinal(GetInteger(i)) & 0xFFFFu);
    return parts.join(QLatin1Char(';'));
}

void TSortIndexList::LoadFromString(const QString& Value)
{
    Clear();
    for (const QString& part : Value.split(QLatin1Char(';'))) {
        if (part.size() < 2)
            continue;
        // The digits after the direction letter; what follows them is ignored.
        qsizetype end = 1;
        while (end < part.size() && part.at(end).isDigit() && part.at(end).unicode() < 128)
            ++end;
        Integer column = 0;
        if (end == 1 || !TextToInteger(part.mid(1, end - 1), column))
            continue;
        AddIndex(column, part.at(0) == QLatin1Char('u'));
    }
}

// ------------------------------------------------------------- TControlList

TControlList::~TControlList()
{
    while (Count() > 0)
        RemoveControl(Count() - 1);
}

void TControlList::AddControl(Integer X, Integer Y, TControl* AObject)
{
    Add(new TControlItem(X, Y, AObject));
}

Integer TControlList::ControlIndex(Integer X, Integer Y) const
{
    for (Integer i = 0; i < Count(); ++i)
        if (Control(i)->X() == X && Control(i)->Y() == Y)
            return i;
    return -1;
}

void TControlList::RemoveControl(Integer Index)
{
    Delete(Index);
}

bool TControlList::HasHandle(HWND Handle) const
{
    for (Integer i = 0; i < Count(); ++i) {
        auto* w = dynamic_cast<TWinControl*>(Control(i)->Object());
        if (w && w->HandleAllocated() && w->Handle() == Handle)
            return true;
    }
    return false;
}

// ------------------------------------------------------------- TFilePicture

void TFilePicture::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TFilePicture*>(Source)) {
        FFilename = src->FFilename;
        FWidth = src->FWidth;
        FHeight = src->FHeight;
        return;
    }
    TPersistent::Assign(Source);
}

void TFilePicture::SetFilename(const QString& Value)
{
    FFilename = Value;
    TPicture pic;
    if (!Value.isEmpty() && pic.LoadFromFile(Value)) {
        FWidth = pic.Width();
        FHeight = pic.Height();
    } else {
        FWidth = FHeight = 0;
    }
}

void TFilePicture::DrawPicture(TCanvas* Canvas, const TRect& Rect) const
{
    if (FFilename.isEmpty())
        return;
    TPicture pic;
    if (pic.LoadFromFile(FFilename))
        Canvas->StretchDraw(Rect, pic.Graphic());
}

// ---------------------------------------------------------- TFileStringList

void TFileStringList::Reset()
{
    fp = 0;
    cache.clear();
}

void TFileStringList::ReadLn(QString& S)
{
    S = Strings(fp);
    ++fp;
}

void TFileStringList::Write(const QString& S)
{
    cache += S;
}

void TFileStringList::WriteLn(const QString& S)
{
    Add(cache + S);
    cache.clear();
}

// ------------------------------------------------------------ arrow window

TArrowWindow::TArrowWindow(TWinControl* AOwner, TArrowDirection Direction)
    : TPanel(AOwner), FDir(Direction), FArrow(ArrowPoints(Direction))
{
    SetColor(RGB(0, 255, 0));
    SetParent(AOwner);
    SetVisible(false);
    // As large as the arrow: it stands over the cells it points between.
    SetBounds(0, 0, 11, 11);
}

std::array<TPoint, 7> TArrowWindow::ArrowPoints(TArrowDirection Direction)
{
    switch (Direction) {
    case arrUp: return {{{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}}};
    case arrDown: return {{{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}}};
    case arrLeft: return {{{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}}};
    default: return {{{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}}};
    }
}

void TArrowWindow::CreateParams(TCreateParams& Params)
{
    TPanel::CreateParams(Params);
    Params.Style = WS_POPUP;
}

void TArrowWindow::Paint()
{
    TCanvas* c = Canvas();
    const TColor back = Parent() ? Parent()->Color() : clBtnFace;
    c->Brush()->SetColor(back);
    c->FillRect(ClientRect());
    c->Pen()->SetColor(Color());
    c->Brush()->SetColor(Color());
    c->Polygon(std::span<const TPoint>(FArrow.data(), FArrow.size()));
}

// ----------------------------------------------------------- focus window

TGridFocusWindow::TGridFocusWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 0, 0);
    SetColor(RGB(255, 0, 0));
    SetVisible(false);
}

void TGridFocusWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_DISABLED;
    Params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED;
}

void ApplyAlphaMask(TWinControl* Window, TGridAlphaMask* Mask)
{
    if (Window == nullptr || Mask == nullptr || Mask->Empty())
        return;
    Window->HandleNeeded();
    // A window that cannot be layered stays unshaped but is still shown.
    UpdateLayeredWindow(Window, Mask, Mask->Opacity(), ULW_ALPHA);
}

// -------------------------------------------------------------- alpha mask

TGridAlphaMask::TGridAlphaMask()
{
    SetPixelFormat(pf32bit);
}

void TGridAlphaMask::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TGridAlphaMask*>(Source)) {
        FOpacity = src->FOpacity;
        // Row by row over this bitmap's own size, 4 bytes a pixel.
        auto* from = const_cast<TGridAlphaMask*>(src);
        SetPixelFormat(pf32bit);
        const Integer rows = std::min(Height(), from->Height());
        const Integer bytes = 4 * std::min(Width(), from->Width());
        for (Integer y = 0; y < rows; ++y)
            std::copy_n(from->ScanLine(y), bytes, ScanLine(y));
        Changed();
        return;
    }
    TBitmap::Assign(Source);
    SetPixelFormat(pf32bit);
}

void TGridAlphaMask::MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor)
{
    if (!Mask || !Bitmap || Bitmap->PixelFormat() != pf24bit)
        return;
    SetPixelFormat(pf32bit);
    SetSize(Bitmap->Width(), Bitmap->Height());
    for (Integer y = 0; y < Height(); ++y) {
        const Byte* src = Bitmap->ScanLine(y);
        const Byte* mask = y < Mask->Height() ? Mask->ScanLine(y) : nullptr;
        Byte* dst = ScanLine(y);
        for (Integer x = 0; x < Width(); ++x) {
            const Integer a = mask && x < Mask->Width() ? mask[4 * x + 2] : 0;
            for (int c = 0; c < 3; ++c)
                dst[4 * x + c] = Byte(std::lround(src[4 * x + c] * a / 255.0));
            dst[4 * x + 3] = Byte(a);
        }
    }
    Changed();
}

void CreateRoundRectMask(TBitmap* Bitmap, Integer Width, Integer Height, Integer BlurRadius, Integer CornerSize,
                         Integer PenWidth)
{
    Bitmap->SetPixelFormat(pf24bit);
    Bitmap->SetSize(Width, Height);
    TCanvas* c = Bitmap->Canvas();
    c->Brush()->SetColor(clBlack);
    c->FillRect(TRect(0, 0, Width, Height));
    c->Pen()->SetColor(clWhite);
    if (PenWidth < 1) {
        c->Pen()->SetWidth(1);
        c->Brush()->SetColor(clWhite);
    } else {
        c->Pen()->SetWidth(PenWidth);
        c->Brush()->SetColor(clBlack);
    }
    const Integer inset = PenWidth / 2 + 2;
    c->RoundRect(inset, inset, Width - inset, Height - inset, CornerSize, CornerSize);
    c->Pen()->SetWidth(1);
    if (BlurRadius > 0)
        BlurBitmap(Bitmap, BlurRadius);
}

void BlurBitmap(TBitmap* Bitmap, Integer Radius)
{
    if (!Bitmap || Bitmap->PixelFormat() != pf24bit)
        throw std::invalid_argument("Blur only works for 24-bit bitmaps");
    if (Radius <= 0)
        return;
    // Gaussian weights around the centre 10, the faint tails dropped.
    double w[21];
    double sum = 0;
    for (int k = 0; k <= 20; ++k) {
        const double d = double(k - 10) / Radius;
        w[k] = std::exp(-d * d / 2);
        sum += w[k];
    }
    for (double& v : w)
        v /= sum;
    int m = 10;
    double dropped = 0;
    while (dropped < 1.0 / 510 && m > 1) {
        dropped += 2 * w[10 + m];
        --m;
    }
    sum = 0;
    for (int k = 10 - m; k <= 10 + m; ++k)
        sum += w[k];
    for (int k = 10 - m; k <= 10 + m; ++k)
        w[k] /= sum;

    // One pass over a line of pixels (4 bytes each, colour bytes 0..2).
    auto pass = [&](std::vector<Byte*>& line) {
        const int n = int(line.size());
        std::vector<Byte> out(std::size_t(n) * 3);
        for (int x = 0; x < n; ++x)
            for (int ch = 0; ch < 3; ++ch) {
                double acc = 0;
                for (int k = -m; k <= m; ++k)
                    acc += w[10 + k] * line[std::size_t(std::clamp(x - k, 0, n - 1))][ch];
                out[std::size_t(x) * 3 + std::size_t(ch)] = acc >= 255 ? 255 : acc <= 0 ? 0 : Byte(acc);
            }
        for (int x = 0; x < n; ++x)
            for (int ch = 0; ch < 3; ++ch)
                line[std::size_t(x)][ch] = out[std::size_t(x) * 3 + std::size_t(ch)];
    };

    const Integer width = Bitmap->Width(), height = Bitmap->Height();
    std::vector<Byte*> line;
    // Rows: the middle ones of a tall bitmap repeat row 15.
    for (Integer r = 0; r < height; ++r) {
        if (r > 20 && r < height - 20) {
            std::copy_n(Bitmap->ScanLine(15), 4 * width, Bitmap->ScanLine(r));
            continue;
        }
        line.clear();
        Byte* row = Bitmap->ScanLine(r);
        for (Integer x = 0; x < width; ++x)
            line.push_back(row + 4 * x);
        pass(line);
    }
    // Columns: the middle ones of a wide bitmap repeat column 15.
    std::vector<Byte*> rows;
    for (Integer y = 0; y < height; ++y)
        rows.push_back(Bitmap->ScanLine(y));
    for (Integer c = 0; c < width; ++c) {
        if (c > 20 && c < width - 20) {
            for (Byte* row : rows)
                std::copy_n(row + 4 * 15, 3, row + 4 * c);
            continue;
        }
        line.clear();
        for (Byte* row : rows)
            line.push_back(row + 4 * c);
        pass(line);
    }
}

bool IsThemedComCtl6()
{
    return IsWinXPOrLater() && ThemeActive(ExXPVS()) && HasComCtl6();
}

// ---------------------------------------------------------- TSearchFooter

TSearchFooter::TSearchFooter(TComponent*, bool DesignTime) : FFont(std::make_unique<TFont>())
{
    if (DesignTime) {
        FFindNextCaption = QStringLiteral("Find &next");
        FFindPrevCaption = QStringLiteral("Find &previous");
        FMatchCaseCaption = QStringLiteral("Match case");
        FHighLightCaption = QStringLiteral("Highlight");
        FHintFindNext = QStringLiteral("Find next occurrence");
        FHintFindPrev = QStringLiteral("Find previous occurrence");
        FHintHighlight = QStringLiteral("Highlight occurrences");
        FHintClose = QStringLiteral("Close");
    }
}

TSearchFooter::~TSearchFooter() = default;

void TSearchFooter::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TSearchFooter*>(Source);
    if (!s)
        return;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    FFont->Assign(s->FFont.get());
    FFindNextCaption = s->FFindNextCaption;
    FFindPrevCaption = s->FFindPrevCaption;
    FMatchCaseCaption = s->FMatchCaseCaption;
    FHighLightCaption = s->FHighLightCaption;
    FHintFindNext = s->FHintFindNext;
    FHintFindPrev = s->FHintFindPrev;
    FHintHighlight = s->FHintHighlight;
    FHintClose = s->FHintClose;
    FShowFindNext = s->FShowFindNext;
    FShowFindPrev = s->FShowFindPrev;
    FShowMatchCase = s->FShowMatchCase;
    FShowHighLight = s->FShowHighLight;
    FShowClose = s->FShowClose;
    FAutoSearch = s->FAutoSearch;
    FAlwaysHighLight = s->FAlwaysHighLight;
    FSearchActiveColumnOnly = s->FSearchActiveColumnOnly;
    FSearchMatchStart = s->FSearchMatchStart;
    FSearchFixedCells = s->FSearchFixedCells;
    FSearchHiddenRows = s->FSearchHiddenRows;
    FVisible = s->FVisible;
    FAutoThemeAdapt = s->FAutoThemeAdapt;
    FSearchColumn = s->FSearchColumn;
    FSearchDirection = s->FSearchDirection;
}

void TSearchFooter::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TSearchFooter::SetText(QString& Field, const QString& Value)
{
    Field = Value;
    Changed();
}

void TSearchFooter::SetShown(bool& Field, bool Value)
{
    if (Field == Value)
        return;
    Field = Value;
    Changed();
}

void TSearchFooter::SetColor(TColor Value)
{
    FColor = Value;
    Changed();
}

void TSearchFooter::SetColorTo(TColor Value)
{
    FColorTo = Value;
    Changed();
}

void TSearchFooter::SetFont(const TFont* Value)
{
    FFont->Assign(Value);
    Changed();
}

void TSearchFooter::SetFindNextCaption(const QString& Value) { SetText(FFindNextCaption, Value); }
void TSearchFooter::SetFindPrevCaption(const QString& Value) { SetText(FFindPrevCaption, Value); }
void TSearchFooter::SetMatchCaseCaption(const QString& Value) { SetText(FMatchCaseCaption, Value); }
void TSearchFooter::SetHighLightCaption(const QString& Value) { SetText(FHighLightCaption, Value); }
void TSearchFooter::SetHintFindNext(const QString& Value) { SetText(FHintFindNext, Value); }
void TSearchFooter::SetHintFindPrev(const QString& Value) { SetText(FHintFindPrev, Value); }
void TSearchFooter::SetHintHighlight(const QString& Value) { SetText(FHintHighlight, Value); }
void TSearchFooter::SetHintClose(const QString& Value) { SetText(FHintClose, Value); }
void TSearchFooter::SetShowFindNext(bool Value) { SetShown(FShowFindNext, Value); }
void TSearchFooter::SetShowFindPrev(bool Value) { SetShown(FShowFindPrev, Value); }
void TSearchFooter::SetShowMatchCase(bool Value) { SetShown(FShowMatchCase, Value); }
void TSearchFooter::SetShowHighLight(bool Value) { SetShown(FShowHighLight, Value); }
void TSearchFooter::SetVisible(bool Value) { SetShown(FVisible, Value); }

void TSearchFooter::SetShowClose(bool Value)
{
    FShowClose = Value;
    Changed();
}

void TSearchFooter::SetAutoThemeAdapt(bool Value)
{
    FAutoThemeAdapt = Value;
    Changed();
}

// ------------------------------------------------------------ TNavigation

void TNavigation::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TNavigation*>(Source);
    if (!s)
        return;
#define EXOBJ_COPY(Name, Default) F##Name = s->F##Name;
    EXOBJ_NAVIGATION_FLAGS(EXOBJ_COPY)
#undef EXOBJ_COPY
    FAdvanceInsert = s->FAdvanceInsert;
    FAdvanceAuto = s->FAdvanceAuto;
    FAdvanceDirection = s->FAdvanceDirection;
    FTabAdvanceDirection = s->FTabAdvanceDirection;
    FInsertPosition = s->FInsertPosition;
    FClipboardPasteAction = s->FClipboardPasteAction;
    FCursorAdvance = s->FCursorAdvance;
    FHomeEndKey = s->FHomeEndKey;
}

void TNavigation::SetAdvanceInsert(bool Value)
{
    if (FAdvanceInsert == Value)
        return;
    FAdvanceInsert = Value;
    if (OnChange)
        OnChange(this);
}

void TNavigation::SetAdvanceAuto(bool Value)
{
    if (FAdvanceAuto == Value)
        return;
    FAdvanceAuto = Value;
    if (Value)
        FAdvanceOnEnter = true;
}

void TNavigation::SetAdvanceDirection(TAdvanceDirection Value)
{
    if (FAdvanceDirection == Value)
        return;
    FAdvanceDirection = Value;
    if (OnChange)
        OnChange(this);
}

// ---------------------------------------------------------- TMouseActions

TMouseActions::TMouseActions(TComponent*) : FFixedComboValues(std::make_unique<TStringList>()) {}

TMouseActions::~TMouseActions() = default;

void TMouseActions::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TMouseActions*>(Source);
    if (!s)
        return;
#define EXOBJ_COPY(Name, Default) F##Name = s->F##Name;
    EXOBJ_MOUSE_FLAGS(EXOBJ_COPY)
#undef EXOBJ_COPY
    FHotmailRowSelect = s->FHotmailRowSelect;
    FEditOnDblClickOnly = s->FEditOnDblClickOnly;
    FDisjunctRowSelect = s->FDisjunctRowSelect;
    FDisjunctColSelect = s->FDisjunctColSelect;
    FDisjunctCellSelect = s->FDisjunctCellSelect;
    FWheelAction = s->FWheelAction;
    FWheelIncrement = s->FWheelIncrement;
    FFixedRowsEdit = s->FFixedRowsEdit;
    FFixedColsEdit = s->FFixedColsEdit;
    FFixedRowsEditor = s->FFixedRowsEditor;
    FFixedColsEditor = s->FFixedColsEditor;
    FFixedComboValues->Assign(s->FFixedComboValues.get());
}

void TMouseActions::SetHotmailRowSelect(bool Value)
{
    FHotmailRowSelect = Value;
    if (Value) {
        FDisjunctRowSelect = true;
        FCheckAllCheck = true;
    }
    if (OnInvalidate)
        OnInvalidate(this);
}

void TMouseActions::SetEditOnDblClickOnly(bool Value)
{
    FEditOnDblClickOnly = Value;
    if (Value && OnDisableEdit)
        OnDisableEdit(this);
}

bool TMouseActions::IsDesigning()
{
    bool designing = false;
    if (OnIsDesigning)
        OnIsDesigning(this, designing);
    return designing;
}

void TMouseActions::SetDisjunct(bool& Field, bool Value)
{
    Field = Value;
    if (!Value || !IsDesigning())
        return;
    for (bool* other : {&FDisjunctRowSelect, &FDisjunctColSelect, &FDisjunctCellSelect})
        if (other != &Field)
            *other = false;
}

void TMouseActions::SetDisjunctRowSelect(bool Value) { SetDisjunct(FDisjunctRowSelect, Value); }
void TMouseActions::SetDisjunctColSelect(bool Value) { SetDisjunct(FDisjunctColSelect, Value); }
void TMouseActions::SetDisjunctCellSelect(bool Value) { SetDisjunct(FDisjunctCellSelect, Value); }

void TMouseActions::SetWheelAction(TWheelAction Value)
{
    if (FWheelAction == Value)
        return;
    FWheelAction = Value;
    if (OnChange)
        OnChange(this);
}

void TMouseActions::SetFixedComboValues(const TStrings* Value)
{
    FFixedComboValues->Assign(Value);
}

// -------------------------------------------------------------- TSyncGrid

void TSyncGrid::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TSyncGrid*>(Source);
    if (!s)
        return;
    SetGrid(s->FGrid);
    FScrollVertical = s->FScrollVertical;
    FScrollHorizontal = s->FScrollHorizontal;
    FSelectionColumn = s->FSelectionColumn;
    FSelectionRow = s->FSelectionRow;
    FMoveColumn = s->FMoveColumn;
    FMoveRow = s->FMoveRow;
}

void TSyncGrid::SetGrid(TStringGrid* Value)
{
    if (Value != FOwner)
        FGrid = Value;
}

// ----------------------------------------------------------------- TBands

void TBands::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TBands*>(Source);
    if (!s)
        return;
    FActive = s->FActive;
    FPrimaryColor = s->FPrimaryColor;
    FPrimaryLength = s->FPrimaryLength;
    FSecondaryColor = s->FSecondaryColor;
    FSecondaryLength = s->FSecondaryLength;
    FPrint = s->FPrint;
    FTotalLength = FPrimaryLength + FSecondaryLength;
}

void TBands::ChangedWhenActive()
{
    if (FActive && OnChange)
        OnChange(this);
}

void TBands::SetActive(bool Value)
{
    if (FActive == Value)
        return;
    FActive = Value;
    if (OnChange)
        OnChange(this);
}

void TBands::SetPrimaryColor(TColor Value)
{
    if (FPrimaryColor == Value)
        return;
    FPrimaryColor = Value;
    ChangedWhenActive();
}

void TBands::SetSecondaryColor(TColor Value)
{
    if (FSecondaryColor == Value)
        return;
    FSecondaryColor = Value;
    ChangedWhenActive();
}

void TBands::SetPrimaryLength(Integer Value)
{
    if (FPrimaryLength == Value)
        return;
    FPrimaryLength = Value;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    ChangedWhenActive();
}

void TBands::SetSecondaryLength(Integer Value)
{
    if (FSecondaryLength == Value)
        return;
    FSecondaryLength = Value;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    ChangedWhenActive();
}

// ----------------------------------------------------------- TFocusHelper

void TFocusHelper::Assign(const TPersistent* Source)
{
    if (auto* s = dynamic_cast<const TFocusHelper*>(Source))
        FEnabled = s->FEnabled;
}
