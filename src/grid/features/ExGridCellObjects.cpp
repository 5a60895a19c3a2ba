// TExStringGrid: the objects a cell carries besides its text (pictures,
// icons, images, progress bars, comments, shapes, ratings, in-cell scroll
// bars, buttons, expand cells, balloons, interfaced cells, error markers):
// adding, creating, querying and removing them.

#include "grid/ExGrid.h"

#include "grid/ExObj.h"
#include "platform/Bitmap.h"
#include "platform/ImageList.h"
#include "platform/StringList.h"

TCellGraphic* TExStringGrid::NewGraphic(Integer ACol, Integer ARow, TCellType Kind, TCellHAlign HAl, TCellVAlign VAl)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = Kind;
    g->CellHAlign = HAl;
    g->CellVAlign = VAl;
    return g;
}

bool TExStringGrid::HasCellType(Integer ACol, Integer ARow, std::initializer_list<TCellType> Types)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    const TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return g != nullptr && std::find(Types.begin(), Types.end(), g->CellType) != Types.end();
}

// ------------------------------------------------------------ pictures

void TExStringGrid::AddBitmap(Integer ACol, Integer ARow, TBitmap* ABmp, bool Transparent, TCellHAlign HAl,
                              TCellVAlign VAl)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctBitmap, HAl, VAl);
    g->SetCellBitmap(ABmp);
    g->CellTransparent = Transparent;
}

TBitmap* TExStringGrid::CreateBitmap(Integer ACol, Integer ARow, bool Transparent, TCellHAlign HAl, TCellVAlign VAl)
{
    auto* bmp = new TBitmap();
    AddBitmap(ACol, ARow, bmp, Transparent, HAl, VAl);
    GetCellGraphic(ACol, ARow)->CellCreated = true;
    return bmp;
}

TBitmap* TExStringGrid::GetBitmap(Integer ACol, Integer ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g != nullptr && g->CellType == ctBitmap ? dynamic_cast<TBitmap*>(g->CellBitmap()) : nullptr;
}

void TExStringGrid::AddPicture(Integer ACol, Integer ARow, TPicture* APicture, bool Transparent,
                               TStretchMode StretchMode, Integer Padding, TCellHAlign HAl, TCellVAlign VAl)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctPicture, HAl, VAl);
    g->SetCellBitmap(APicture);
    g->CellTransparent = Transparent;
    g->CellAngle = Integer(StretchMode);
    g->CellIndex = Padding;
}

TPicture* TExStringGrid::CreatePicture(Integer ACol, Integer ARow, bool Transparent, TStretchMode StretchMode,
                                       Integer Padding, TCellHAlign HAl, TCellVAlign VAl)
{
    auto* picture = new TPicture();
    AddPicture(ACol, ARow, picture, Transparent, StretchMode, Padding, HAl, VAl);
    GetCellGraphic(ACol, ARow)->CellCreated = true;
    return picture;
}

TPicture* TExStringGrid::GetPicture(Integer ACol, Integer ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g != nullptr && g->CellType == ctPicture ? dynamic_cast<TPicture*>(g->CellBitmap()) : nullptr;
}

void TExStringGrid::AddFilePicture(Integer ACol, Integer ARow, TFilePicture* APicture, bool Transparent,
                                   TStretchMode StretchMode, Integer Padding, TCellHAlign HAl, TCellVAlign VAl)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctFilePicture, HAl, VAl);
    g->SetCellBitmap(APicture);
    g->CellTransparent = Transparent;
    g->CellAngle = Integer(StretchMode);
    g->CellIndex = Padding;
}

TFilePicture* TExStringGrid::CreateFilePicture(Integer ACol, Integer ARow, bool Transparent,
                                               TStretchMode StretchMode, Integer Padding, TCellHAlign HAl,
                                               TCellVAlign VAl)
{
    auto* picture = new TFilePicture();
    AddFilePicture(ACol, ARow, picture, Transparent, StretchMode, Padding, HAl, VAl);
    GetCellGraphic(ACol, ARow)->CellCreated = true;
    return picture;
}

TFilePicture* TExStringGrid::GetFilePicture(Integer ACol, Integer ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g != nullptr && g->CellType == ctFilePicture ? dynamic_cast<TFilePicture*>(g->CellBitmap()) : nullptr;
}

void TExStringGrid::AddIcon(Integer ACol, Integer ARow, TIcon* AIcon, TCellHAlign HAl, TCellVAlign VAl)
{
    NewGraphic(ACol, ARow, ctIcon, HAl, VAl)->SetCellIcon(AIcon);
}

TIcon* TExStringGrid::CreateIcon(Integer ACol, Integer ARow, TCellHAlign HAl, TCellVAlign VAl)
{
    auto* icon = new TIcon();
    AddIcon(ACol, ARow, icon, HAl, VAl);
    GetCellGraphic(ACol, ARow)->CellCreated = true;
    return icon;
}

// ------------------------------------------------------------ images

void TExStringGrid::AddImageIdx(Integer ACol, Integer ARow, Integer Idx, TCellHAlign HAl, TCellVAlign VAl)
{
    if (FGridImages == nullptr)
        return;
    NewGraphic(ACol, ARow, ctImageList, HAl, VAl)->CellIndex = Idx;
}

bool TExStringGrid::GetImageIdx(Integer ACol, Integer ARow, Integer& Idx)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (FGridImages == nullptr || g == nullptr || g->CellType != ctImageList)
        return false;
    Idx = g->CellIndex;
    return true;
}

void TExStringGrid::SetImageIdx(Integer ACol, Integer ARow, Integer Idx)
{
    if (TCellGraphic* g = GetCellGraphic(ACol, ARow); g != nullptr && g->CellType == ctImageList)
        g->CellIndex = Idx;
}

void TExStringGrid::AddDataImage(Integer ACol, Integer ARow, Integer Idx, TCellHAlign HAl, TCellVAlign VAl)
{
    if (FGridImages == nullptr)
        return;
    NewGraphic(ACol, ARow, ctDataImage, HAl, VAl)->CellIndex = Idx;
    if (Cells(ACol, ARow).isEmpty())
        SetCells(ACol, ARow, QString::number(Idx));
}

void TExStringGrid::RemoveDataImage(Integer ACol, Integer ARow)
{
    if (RemoveCellGraphicOfType(ACol, ARow, ctDataImage))
        SetCells(ACol, ARow, QString());
}

void TExStringGrid::AddMultiImage(Integer ACol, Integer ARow, Integer Dir, TCellHAlign HAl, TCellVAlign VAl)
{
    if (FGridImages == nullptr)
        return;
    TCellGraphic* g = NewGraphic(ACol, ARow, ctImages, HAl, VAl);
    auto* list = new TIntList(ACol, ARow);
    list->OnChange = [this](TObject*, Integer Col, Integer Row) { RepaintRealCell(Col, Row); };
    g->SetCellBitmap(list);
    g->CellBoolean = Dir == 0;
}

// ------------------------------------------------------------ rotated text

namespace {

Integer NormalizedAngle(Integer Angle)
{
    while (Angle < 0)
        Angle += 360;
    while (Angle > 360)
        Angle -= 360;
    return Angle;
}

} // namespace

void TExStringGrid::AddRotated(Integer ACol, Integer ARow, SmallInt AAngle, const QString& Text)
{
    NewGraphic(ACol, ARow, ctRotated, haLeft, vaTop)->CellAngle = NormalizedAngle(AAngle);
    SetCells(ACol, ARow, Text);
}

bool TExStringGrid::IsRotated(Integer ACol, Integer ARow, Integer& AAngle)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr || g->CellType != ctRotated)
        return false;
    AAngle = g->CellAngle;
    return true;
}

void TExStringGrid::SetRotated(Integer ACol, Integer ARow, SmallInt AAngle)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr || g == FCellGraphic.get())
        g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctRotated;
    g->CellAngle = NormalizedAngle(AAngle);
    RepaintRealCell(ACol, ARow);
}

// ------------------------------------------------------------ progress

void TExStringGrid::AddProgress(Integer ACol, Integer ARow, TColor BarColor, TColor RestColor)
{
    AddProgressFormatted(ACol, ARow, BarColor, clNone, RestColor, clNone, QString(), 0, 100);
    GetCellGraphic(ACol, ARow)->CellBoolean = false;
}

void TExStringGrid::AddProgressEx(Integer ACol, Integer ARow, TColor BarColor, TColor BarTextColor, TColor RestColor,
                                  TColor RestTextColor)
{
    AddProgressFormatted(ACol, ARow, BarColor, BarTextColor, RestColor, RestTextColor, QString(), 0, 100);
}

void TExStringGrid::AddProgressFormatted(Integer ACol, Integer ARow, TColor BarColor, TColor BarTextColor,
                                         TColor RestColor, TColor RestTextColor, const QString& Fmt, Integer Min,
                                         Integer Max)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctProgress, haLeft, vaTop);
    g->CellBitmapColor = BarColor;
    g->CellIconColor = RestColor;
    g->CellIndex = Integer(BarTextColor);
    g->CellAngle = Integer(RestTextColor);
    g->CellBoolean = true;
    g->CellText = Fmt;
    g->CellErrFrom = Min;
    g->CellErrLen = Max;
    if (AutoNumAlign())
        if (TCellProperties* p = GetCellProperties(ACol, ARow))
            p->SetAlignment(taRightJustify);
}

void TExStringGrid::AddExProgress(Integer ACol, Integer ARow, Integer Min, Integer Max)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctXPProgress, haLeft, vaTop);
    g->CellErrFrom = Min;
    g->CellErrLen = Max;
    g->CellBoolean = false;
    g->CellText.clear();
    if (AutoNumAlign())
        if (TCellProperties* p = GetCellProperties(ACol, ARow))
            p->SetAlignment(taRightJustify);
}

void TExStringGrid::AddProgressPie(Integer ACol, Integer ARow, TColor Color, Integer Value)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctProgressPie, haBeforeText, vaTop);
    g->CellBitmapColor = Color;
    g->CellAngle = Value;
}

void TExStringGrid::SetProgressPie(Integer ACol, Integer ARow, Integer Value)
{
    if (TCellGraphic* g = GetCellGraphic(ACol, ARow); g != nullptr && g->CellType == ctProgressPie) {
        g->CellAngle = Value;
        RepaintRealCell(ACol, ARow);
    }
}

void TExStringGrid::AddRangeIndicator(Integer ACol, Integer ARow, Integer Range, TColor NegColor, TColor PosColor,
                                      bool ShowValue)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctRangeIndicator, haLeft, vaTop);
    g->CellIndex = Range;
    g->CellBitmapColor = NegColor;
    g->CellIconColor = PosColor;
    g->CellBoolean = ShowValue;
}

// ------------------------------------------------------------ comments

void TExStringGrid::AddComment(Integer ACol, Integer ARow, const QString& Comment)
{
    AddColorComment(ACol, ARow, Comment, FControlLook->CommentColor());
}

void TExStringGrid::AddColorComment(Integer ACol, Integer ARow, const QString& Comment, TColor Color)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctComment, haLeft, vaTop);
    g->CellText = Comment;
    g->CellIndex = Integer(Color);
}

bool TExStringGrid::IsComment(Integer ACol, Integer ARow, QString& Comment)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr || g->CellType != ctComment)
        return false;
    Comment = g->CellText;
    return true;
}

QString TExStringGrid::GetComment(Integer ACol, Integer ARow)
{
    QString comment;
    IsComment(ACol, ARow, comment);
    return comment;
}

void TExStringGrid::SetComment(Integer ACol, Integer ARow, const QString& Comment)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr) {
        AddComment(ACol, ARow, Comment);
    } else if (g->CellType == ctComment) {
        g->CellText = Comment;
        RepaintRealCell(ACol, ARow);
    }
}

void TExStringGrid::RemoveAllComments()
{
    for (Integer c = 0; c < ColCount(); ++c)
        for (Integer r = 0; r < RowCount(); ++r)
            RemoveComment(c, r);
}

// ------------------------------------------------------------ shapes, ratings

void TExStringGrid::AddShape(Integer ACol, Integer ARow, TCellShape Shape, TColor FillColor, TColor PenColor,
                             TCellHAlign HAl, TCellVAlign VAl)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctShape, HAl, VAl);
    g->CellAngle = Integer(Shape);
    g->CellIndex = Integer(FillColor);
    g->CellBitmapColor = PenColor;
}

TColor TExStringGrid::GetShapeColor(Integer ACol, Integer ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g != nullptr && g->CellType == ctShape ? TColor(g->CellIndex) : clNone;
}

void TExStringGrid::SetShapeColor(Integer ACol, Integer ARow, TColor FillColor)
{
    if (TCellGraphic* g = GetCellGraphic(ACol, ARow); g != nullptr && g->CellType == ctShape) {
        g->CellIndex = Integer(FillColor);
        RepaintRealCell(ACol, ARow);
    }
}

void TExStringGrid::AddRating(Integer ACol, Integer ARow, Integer Scale, TColor FillColor, TColor EmptyColor)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctRating, haFull, vaTop);
    g->CellAngle = Scale;
    g->CellIndex = Integer(FillColor);
    g->CellBitmapColor = EmptyColor;
}

// ------------------------------------------------------------ in-cell scroll bars

void TExStringGrid::AddScrollBar(Integer ACol, Integer ARow, bool AutoRange)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctScrollbar, haLeft, vaTop);
    g->CellAngle = 0;
    g->CellErrFrom = 100;
    g->CellIndex = 0;
    g->CellBoolean = AutoRange;
    if (AutoRange)
        UpdateAutoRangeScrollBar(ACol, ARow);
}

bool TExStringGrid::HasAutoRangeScrollBar(Integer ACol, Integer ARow)
{
    if (!HasScrollBar(ACol, ARow))
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellGraphic(b.X, b.Y)->CellBoolean;
}

Integer TExStringGrid::GetScrollPosition(Integer ACol, Integer ARow)
{
    if (!HasScrollBar(ACol, ARow))
        return -1;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellGraphic(b.X, b.Y)->CellIndex;
}

void TExStringGrid::SetScrollPosition(Integer ACol, Integer ARow, Integer Pos)
{
    if (!HasScrollBar(ACol, ARow))
        return;
    const TPoint b = BaseCell(ACol, ARow);
    GetCellGraphic(b.X, b.Y)->CellIndex = Pos;
    RepaintRealCell(ACol, ARow);
}

TScrollProp TExStringGrid::GetScrollProp(Integer ACol, Integer ARow)
{
    if (!HasScrollBar(ACol, ARow))
        return {-1, -1};
    const TPoint b = BaseCell(ACol, ARow);
    const TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return {g->CellAngle, g->CellErrFrom};
}

void TExStringGrid::SetScrollProp(Integer ACol, Integer ARow, TScrollProp Prop)
{
    if (!HasScrollBar(ACol, ARow))
        return;
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    g->CellAngle = Prop.PageSize;
    g->CellErrFrom = Prop.Range;
}

// ------------------------------------------------------------ buttons

void TExStringGrid::AddButton(Integer ACol, Integer ARow, Integer BWidth, Integer BHeight, const QString& Caption,
                              TCellHAlign HAl, TCellVAlign VAl)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctButton, HAl, VAl);
    g->CellIndex = Integer((Cardinal(BHeight) << 16) | (Cardinal(BWidth) & 0xFFFF));
    g->CellText = Caption;
}

void TExStringGrid::AddBitButton(Integer ACol, Integer ARow, Integer BWidth, Integer BHeight, const QString& Caption,
                                 TBitmap* Glyph, TCellHAlign HAl, TCellVAlign VAl)
{
    AddButton(ACol, ARow, BWidth, BHeight, Caption, HAl, VAl);
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    g->CellType = ctBitButton;
    g->SetCellBitmap(Glyph);
}

TBitmap* TExStringGrid::CreateBitButton(Integer ACol, Integer ARow, Integer BWidth, Integer BHeight,
                                        const QString& Caption, TCellHAlign HAl, TCellVAlign VAl)
{
    auto* glyph = new TBitmap();
    AddBitButton(ACol, ARow, BWidth, BHeight, Caption, glyph, HAl, VAl);
    GetCellGraphic(ACol, ARow)->CellCreated = true;
    return glyph;
}

QString TExStringGrid::GetButtonText(Integer ACol, Integer ARow)
{
    const TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    return g != nullptr ? g->CellText : QString();
}

void TExStringGrid::SetButtonText(Integer ACol, Integer ARow, const QString& Caption)
{
    if (TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow)) {
        g->CellText = Caption;
        RepaintCell(ACol, ARow);
    }
}

void TExStringGrid::PushButton(Integer ACol, Integer ARow, bool Pushed)
{
    if (TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow); g != nullptr && g->CellType != ctNode) {
        g->CellBoolean = Pushed;
        RepaintCell(ACol, ARow);
    }
}

TRect TExStringGrid::GetButtonRect(Integer ACol, Integer ARow)
{
    const TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (g == nullptr)
        return {};
    const TRect r = CellRect(ACol, ARow);
    const Cardinal p = Cardinal(std::lround(g->CellValue));
    TRect result;
    result.Left = r.Left + Integer(p & 0xFFFF);
    result.Top = r.Top + Integer(p >> 16);
    result.Right = result.Left + Integer(Cardinal(g->CellIndex) & 0xFFFF);
    result.Bottom = result.Top + Integer(Cardinal(g->CellIndex) >> 16);
    if (g->CellVAlign == vaFull) {
        result.Top = r.Top;
        result.Bottom = r.Bottom;
    }
    if (g->CellHAlign == haFull) {
        result.Left = r.Left;
        result.Right = r.Right;
    }
    return result;
}

void TExStringGrid::RemoveButton(Integer ACol, Integer ARow)
{
    if (!RemoveCellGraphicOfType(ACol, ARow, ctButton))
        RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TExStringGrid::RemoveAllButtons()
{
    for (Integer c = 0; c < ColCount(); ++c)
        for (Integer r = 0; r < RowCount(); ++r)
            RemoveButton(c, r);
}

// ------------------------------------------------------------ expand cells

void TExStringGrid::AddExpand(Integer ACol, Integer ARow, Integer ExpandedHeight)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctExpand, haLeft, vaTop);
    g->CellAngle = ExpandedHeight;
    g->CellIndex = RowHeights(ARow);
    g->CellVar = {true, false, 0};
}

bool TExStringGrid::ToggleExpand(Integer ACol, Integer ARow)
{
    if (!HasExpand(ACol, ARow))
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    g->CellVar.Assigned = true;
    g->CellVar.Bool = !g->CellVar.Bool;
    return g->CellVar.Bool;
}

bool TExStringGrid::GetExpandState(Integer ACol, Integer ARow)
{
    if (!HasExpand(ACol, ARow))
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellGraphic(b.X, b.Y)->CellVar.Bool;
}

Integer TExStringGrid::GetExpandHeight(Integer ACol, Integer ARow, bool Expanded)
{
    if (!HasExpand(ACol, ARow))
        return DefaultRowHeight();
    const TPoint b = BaseCell(ACol, ARow);
    const TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return Expanded ? g->CellAngle : g->CellIndex;
}

TRect TExStringGrid::GetExpandRect(Integer ACol, Integer ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr || g->CellType != ctExpand)
        return {};
    const TRect r = CellRect(RealToDisplCol(ACol), ARow);
    return {r.Right - 13, r.Top + 2, r.Right - 2, r.Top + 13};
}

// ------------------------------------------------------------ balloons

void TExStringGrid::AddBalloon(Integer ACol, Integer ARow, const QString& Title, const QString& Text,
                               TBalloonIcon Icon)
{
    auto lines = std::make_unique<TStringList>();
    lines->Add(Title);
    lines->Add(Text);
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr) {
        g = NewGraphic(ACol, ARow, ctBalloon, haLeft, vaTop);
        g->SetCellBitmap(lines.release());
        g->CellIndex = Integer(Icon);
        return;
    }
    if (g->CellType == ctCheckBox || g->CellType == ctDataCheckBox || g->CellType == ctRadioButton) {
        if (g->CellAngle == 1)
            delete g->CellBitmap();
        g->CellAngle = 1;
        g->SetCellBitmap(lines.release());
        g->CellIndex = Integer(Icon);
    }
}

bool TExStringGrid::HasBalloon(Integer ACol, Integer ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g != nullptr && g->CellType == ctBalloon;
}

bool TExStringGrid::IsBalloon(Integer ACol, Integer ARow, QString& Title, QString& Text, TBalloonIcon& Icon)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr)
        return false;
    const bool carrier = (g->CellType == ctCheckBox || g->CellType == ctDataCheckBox || g->CellType == ctRadioButton)
                         && g->CellAngle == 1;
    if (g->CellType != ctBalloon && !carrier)
        return false;
    const auto* lines = dynamic_cast<const TStringList*>(g->CellBitmap());
    if (lines == nullptr)
        return false;
    Title = lines->Count() > 0 ? lines->Strings(0) : QString();
    Text = lines->Count() > 1 ? lines->Strings(1) : QString();
    Icon = TBalloonIcon(g->CellIndex);
    return true;
}

void TExStringGrid::RemoveBalloon(Integer ACol, Integer ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr)
        return;
    if ((g->CellType == ctCheckBox || g->CellType == ctDataCheckBox || g->CellType == ctRadioButton)
        && g->CellAngle == 1) {
        delete g->CellBitmap();
        g->SetCellBitmap(nullptr);
        g->CellAngle = 0;
    } else if (g->CellType == ctBalloon) {
        RemoveCellGraphic(ACol, ARow);
    }
}

// ------------------------------------------------------------ interfaced cells

void TExStringGrid::AddInterfacedCell(Integer ACol, Integer ARow, ICellDraw* AObject)
{
    NewGraphic(ACol, ARow, ctInterface, haLeft, vaTop)->SetCellInterface(AObject);
}

ICellDraw* TExStringGrid::GetInterfacedCell(Integer ACol, Integer ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g != nullptr && g->CellType == ctInterface ? g->CellInterface() : nullptr;
}

// ------------------------------------------------------------ error markers

void TExStringGrid::AddMarker(Integer ACol, Integer ARow, Integer ErrPos, Integer ErrLen)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr || g == FCellGraphic.get())
        g = NewGraphic(ACol, ARow, ctEmpty, haLeft, vaTop);
    g->CellErrFrom = ErrPos;
    g->CellErrLen = ErrLen;
    RepaintRealCell(ACol, ARow);
}

void TExStringGrid::GetMarker(Integer ACol, Integer ARow, Integer& ErrPos, Integer& ErrLen)
{
    ErrPos = 0;
    ErrLen = 0;
    if (const TCellGraphic* g = GetCellGraphic(ACol, ARow)) {
        ErrPos = g->CellErrFrom;
        ErrLen = g->CellErrLen;
    }
}

void TExStringGrid::RemoveMarker(Integer ACol, Integer ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr)
        return;
    if (g->CellType == ctEmpty) {
        RemoveCellGraphic(ACol, ARow);
    } else {
        g->CellErrFrom = 0;
        g->CellErrLen = 0;
        RepaintRealCell(ACol, ARow);
    }
}

void TExStringGrid::RemoveAllMarkers()
{
    for (Integer c = 0; c < ColCount(); ++c)
        for (Integer r = 0; r < RowCount(); ++r)
            RemoveMarker(c, r);
}

// ------------------------------------------------------------ event relays

void TExStringGrid::CanInsertRow(Integer ARow, bool& CanInsert)
{
    if (OnCanInsertRow)
        OnCanInsertRow(this, ARow, CanInsert);
}

bool TExStringGrid::RatingChange(Integer ACol, Integer ARow, double Value)
{
    bool allow = true;
    if (OnRatingChange)
        OnRatingChange(this, ACol, ARow, Value, allow);
    return allow;
}

void TExStringGrid::ColorSelect(Integer ACol, Integer ARow, TColor Color, const QString& ColorText)
{
    if (OnColorSelect)
        OnColorSelect(this, ACol, ARow, Color, ColorText);
}

void TExStringGrid::ImageSelect(Integer ACol, Integer ARow, Integer ItemIndex)
{
    if (OnImageSelect)
        OnImageSelect(this, ACol, ARow, ItemIndex);
}

// ------------------------------------------------------------ URL settings

void TExStringGrid::SetURLShow(bool Value)
{
    if (Value != FURLShow) {
        FURLShow = Value;
        Invalidate();
    }
}

void TExStringGrid::SetURLShowInText(bool Value)
{
    if (Value != FURLShowInText) {
        FURLShowInText = Value;
        Invalidate();
    }
}

void TExStringGrid::SetURLFull(bool Value)
{
    FURLFull = Value;
    if (FURLShow)
        Invalidate();
}

void TExStringGrid::RepaintRealCell(Integer ACol, Integer ARow)
{
    if (!IsDestroying())
        RepaintCell(RealToDisplCol(ACol), ARow);
}
