// The string tree: cells show the text the owner supplies through events;
// the main column's text width is cached per node in 4 bytes of internal
// node data, so that painting and hit tests do not measure it again.

#include <QFont>
#include <QFontMetrics>

#include "platform/DrawText.h"
#include "platform/GraphicsQt.h"
#include "platform/StringList.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"
#include "treeview/NodeTreesUtils.h"

TCustomNodeStringTree::TCustomNodeStringTree(TComponent* AOwner) : TBaseNodeTree(AOwner)
{
    ReplaceOptions();
    FInternalDataOffset = AllocateInternalDataArea(4);
    MeasureFont();
}

TCustomNodeStringTree::~TCustomNodeStringTree()
{
    StopCacheValidation();
}

TCustomNodeTreeOptions* TCustomNodeStringTree::GetOptionsClass()
{
    return new TCustomStringTreeOptions(this);
}

TCustomNodeTreeOptions* TNodeStringTree::GetOptionsClass()
{
    return new TStringTreeOptions(this);
}

TNtStringOptions TCustomNodeStringTree::StringOptions() const
{
    // The constructor made the options a string tree's.
    return static_cast<const TCustomStringTreeOptions*>(FOptions.get())->StringOptions();
}

void TCustomNodeStringTree::SetStringOptions(TNtStringOptions Value)
{
    static_cast<TCustomStringTreeOptions*>(FOptions.get())->SetStringOptions(Value);
}

void TCustomNodeStringTree::ClearCachedWidths()
{
    FWidestExtent.Valid = false;
    for (PDataNode run = GetFirstNoInit(); run; run = GetNextNoInit(run))
        if (Integer* w = CachedWidthOf(run))
            *w = 0;
}

void TCustomNodeStringTree::MeasureFont()
{
    TCanvas* c = Canvas();
    c->SetFont(Font());
    FTextHeight = c->TextHeight(QStringLiteral("Tg"));
    FEllipsisWidth = c->TextWidth(QStringLiteral("..."));
    FPlainFont = std::make_unique<QFont>(c->QtFont());
    FTextAscent = QFontMetrics(*FPlainFont).ascent();
}

void TCustomNodeStringTree::FontChanged()
{
    TBaseNodeTree::FontChanged();
    MeasureFont();
    ClearCachedWidths();
}

void TCustomNodeStringTree::SetDefaultText(const QString& Value)
{
    if (Value == FDefaultText)
        return;
    FDefaultText = Value;
    if (!HasState(csLoading))
        Invalidate();
}

// ---------------------------------------------------------------- texts

void TCustomNodeStringTree::DoGetText(TNSTGetCellTextEventArgs& E)
{
    if (!(E.Node->States & vsInitialized))
        InitNode(E.Node);
    if (OnGetCellText) {
        OnGetCellText(this, E);
    } else if (OnGetText) {
        OnGetText(this, E.Node, E.Column, ttNormal, E.CellText);
        OnGetText(this, E.Node, E.Column, ttStatic, E.StaticText);
    }
}

QString TCustomNodeStringTree::GetText(PDataNode Node, TColumnIndex Column)
{
    TREE_ASSERT(Node != nullptr, "Node must not be nil.");
    TNSTGetCellTextEventArgs e;
    e.Node = Node;
    e.Column = Column;
    e.CellText = FDefaultText;
    DoGetText(e);
    return e.CellText;
}

QString TCustomNodeStringTree::GetStaticText(PDataNode Node, TColumnIndex Column)
{
    TREE_ASSERT(Node != nullptr, "Node must not be nil.");
    TNSTGetCellTextEventArgs e;
    e.Node = Node;
    e.Column = Column;
    DoGetText(e);
    return e.StaticText;
}

void TCustomNodeStringTree::DoNewText(PDataNode Node, TColumnIndex Column, const QString& Text)
{
    if (OnNewText)
        OnNewText(this, Node, Column, Text);
    if (FUpdateCount == 0)
        UpdateHorizontalScrollBar(true);
}

void TCustomNodeStringTree::SetText(PDataNode Node, TColumnIndex Column, const QString& Value)
{
    DoNewText(Node, Column, Value);
    InvalidateNode(Node);
}

void TCustomNodeStringTree::DoPaintText(PDataNode Node, TCanvas* Canvas, TColumnIndex Column, TNSTTextType TextType)
{
    if (OnPaintText)
        OnPaintText(this, Canvas, Node, Column, TextType);
}

QString TCustomNodeStringTree::DoShortenString(TCanvas* Canvas, PDataNode Node, TColumnIndex Column, const QString& S, Integer Width, Integer EllipsisWidth)
{
    QString result;
    bool done = false;
    if (OnShortenString)
        OnShortenString(this, Canvas, Node, Column, S, Width, result, done);
    if (!done)
        result = ShortenWithEllipsis(Canvas, S, Width, EllipsisWidth);
    return result;
}

void TCustomNodeStringTree::DoDrawText(TNtPaintInfo& PaintInfo, const QString& Text, const TRect& CellRect, Cardinal DrawFormat)
{
    bool defaultDraw = true;
    if (OnDrawText)
        OnDrawText(this, PaintInfo.Canvas, PaintInfo.Node, PaintInfo.Column, Text, CellRect, defaultDraw);
    if (!defaultDraw)
        return;
    TCanvas* canvas = PaintInfo.Canvas;
    const Cardinal plain = DT_NOPREFIX | DT_VCENTER | DT_SINGLELINE;
    if (FPlainFont && DrawFormat == plain && canvas->BkMode() == TRANSPARENT && canvas->QtFont() == *FPlainFont &&
        PaintInfo.NodeWidth - 2 * FTextMargin <= CellRect.Width()) {
        // Its width is the cached one and it fits: no layout, no clipping.
        QPainter* p = canvas->Painter();
        p->setFont(*FPlainFont);
        p->setPen(ToQColor(canvas->Font()->Color()));
        const Integer top = CellRect.Top + (CellRect.Height() - FTextHeight) / 2;
        p->drawText(CellRect.Left, top + FTextAscent, Text);
        return;
    }
    TRect r = CellRect;
    DrawText(canvas, Text, r, DrawFormat);
}

TSize TCustomNodeStringTree::DoMeasureText(TCanvas* Canvas, PDataNode Node, TColumnIndex Column, const QString& Text)
{
    TSize size = Canvas->TextExtent(Text);
    if (Node->States & vsMultiline) {
        TRect r(0, 0, size.cx, 2147483647);
        Cardinal flags = DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL;
        if (UseRightToLeftReading())
            flags |= DT_RTLREADING;
        DrawText(Canvas, Text, r, flags);
        size.cx = r.Width();
    }
    if (OnMeasureTextWidth)
        OnMeasureTextWidth(this, Canvas, Node, Column, Text, size.cx);
    if (OnMeasureTextHeight)
        OnMeasureTextHeight(this, Canvas, Node, Column, Text, size.cy);
    return size;
}

Integer TCustomNodeStringTree::GetNormalTextWidth(TCanvas* Canvas, PDataNode Node, TColumnIndex Column, const QString& Text)
{
    Integer result = 2 * FTextMargin;
    if (!Text.isEmpty()) {
        if (!(*Canvas->Font() == *Font()))
            Canvas->SetFont(Font());
        DoPaintText(Node, Canvas, Column, ttNormal);
        result += DoMeasureText(Canvas, Node, Column, Text).cx;
    }
    return result;
}

Integer TCustomNodeStringTree::GetStaticTextWidth(TCanvas* Canvas, PDataNode Node, TColumnIndex Column, const QString& Text)
{
    if (Text.isEmpty() || FAlignment == taCenter || (Node->States & vsMultiline))
        return 0;
    DoPaintText(Node, Canvas, Column, ttStatic);
    return FTextMargin + DoMeasureText(Canvas, Node, Column, Text).cx;
}

Integer TCustomNodeStringTree::GetNodeWidth(PDataNode Node, TColumnIndex Column, TCanvas* Canvas)
{
    if (Canvas == nullptr)
        Canvas = this->Canvas();
    if (Column == FHeader->MainColumn() || Column == NoColumn) {
        Integer* cached = CachedWidthOf(Node);
        if (cached == nullptr)
            return 0;
        if (*cached == 0) {
            *cached = GetNormalTextWidth(Canvas, Node, Column, GetText(Node, Column));
            if (Node == FHeldAppendParent)
                ForgetHeldAppend();
        }
        return *cached;
    }
    return GetNormalTextWidth(Canvas, Node, Column, GetText(Node, Column));
}

Integer TCustomNodeStringTree::GetNodeExtraWidth(PDataNode Node, TColumnIndex Column, TCanvas* Canvas)
{
    if (!(StringOptions() & toShowStaticText))
        return 0;
    return GetStaticTextWidth(Canvas ? Canvas : this->Canvas(), Node, Column, GetStaticText(Node, Column));
}

TRect TCustomNodeStringTree::InvalidateNode(PDataNode Node)
{
    const TRect r = TBaseNodeTree::InvalidateNode(Node);
    if (Integer* w = CachedWidthOf(Node)) {
        *w = 0;
        Node->States &= ~vsHeightMeasured;
    }
    return r;
}

void TCustomNodeStringTree::ReinitNode(PDataNode Node, bool Recursive)
{
    TBaseNodeTree::ReinitNode(Node, Recursive);
    if (Integer* w = CachedWidthOf(Node))
        *w = 0;
}

void TCustomNodeStringTree::SetChildCount(PDataNode Node, Cardinal NewChildCount)
{
    TBaseNodeTree::SetChildCount(Node, NewChildCount);
    if (Integer* w = CachedWidthOf(Node))
        *w = 0;
}

bool TCustomNodeStringTree::DoGetCellIsEmpty(PDataNode Node, TColumnIndex Column)
{
    if (!GetText(Node, Column).isEmpty())
        return false;
    return TBaseNodeTree::DoGetCellIsEmpty(Node, Column);
}

Integer TCustomNodeStringTree::DoIncrementalSearch(PDataNode Node, const QString& Text)
{
    if (OnIncrementalSearch)
        return TBaseNodeTree::DoIncrementalSearch(Node, Text);
    return GetText(Node, FFocusedColumn).startsWith(Text, Qt::CaseSensitive) ? 0 : 1;
}

// ---------------------------------------------------------------- painting

void TCustomNodeStringTree::PaintNodeContent(TNtPaintInfo& PaintInfo)
{
    const Integer flags = ETO_CLIPPED | (PaintInfo.BidiMode != bdLeftToRight ? ETO_RTLREADING : 0);
    TNSTGetCellTextEventArgs e;
    e.Node = PaintInfo.Node;
    e.Column = PaintInfo.Column;
    DoGetText(e);
    if (!e.CellText.isEmpty())
        PaintNormalText(PaintInfo, flags, e.CellText);
    if (FAlignment != taCenter && !(PaintInfo.Node->States & vsMultiline) && (StringOptions() & toShowStaticText) && !e.StaticText.isEmpty())
        PaintStaticText(PaintInfo, flags, e.StaticText);
}

void TCustomNodeStringTree::PaintNormalText(TNtPaintInfo& PaintInfo, Integer TextOutFlags, QString Text)
{
    TCanvas* canvas = PaintInfo.Canvas;
    PDataNode node = PaintInfo.Node;
    // The text font: the tree's, in the colour of the node's state.
    if (!(*canvas->Font() == *Font()))
        canvas->SetFont(Font());
    TColor color = Enabled() ? FColors->TreeFontColor() : FColors->GetColor(TNtColors::DisabledColor);
    if ((FOptions->PaintOptions() & toHotTrack) && node == FCurrentHotNode) {
        canvas->Font()->SetStyle(canvas->Font()->Style() | fsUnderline);
        color = FColors->GetColor(TNtColors::HotColor);
    }
    const bool focused = Focused() || (FOptions->PaintOptions() & toPopupMode);
    if ((PaintInfo.PaintOptions & poDrawSelection) && (PaintInfo.Column == FFocusedColumn || (FOptions->SelectionOptions() & toFullRowSelect))) {
        const bool dropTarget = node == FDropTargetNode;
        if ((dropTarget && (FLastDropMode == dmOnNode || (node->States & vsSelected))) || (!dropTarget && (node->States & vsSelected) && focused))
            color = FColors->GetColor(TNtColors::SelectionTextColor);
    }
    TRect r = PaintInfo.ContentRect;
    r.Left += FTextMargin;
    r.Right -= FTextMargin;
    canvas->SetTextFlags(0);
    Cardinal format;
    if (node->States & vsMultiline) {
        DoPaintText(node, canvas, PaintInfo.Column, ttNormal);
        const Integer h = ComputeNodeHeight(canvas, node, PaintInfo.Column);
        if ((node->States & vsDisabled) || !Enabled())
            color = FColors->GetColor(TNtColors::DisabledColor);
        format = (PaintInfo.Alignment == taRightJustify ? DT_RIGHT : PaintInfo.Alignment == taCenter ? DT_CENTER : DT_LEFT) | DT_WORDBREAK |
                 DT_NOPREFIX | DT_EDITCONTROL | DT_END_ELLIPSIS;
        if (h < r.Height()) {
            const Integer d = (r.Height() - h) / 2;
            r.Top += d;
            r.Bottom -= d;
        }
    } else {
        if (canvas->Font()->Color() != color)
            canvas->Font()->SetColor(color);
        const Cardinal before = canvas->Font()->Revision();
        DoPaintText(node, canvas, PaintInfo.Column, ttNormal);
        Integer ellipsisWidth = FEllipsisWidth;
        if (canvas->Font()->Revision() != before) {
            ellipsisWidth = 0;
            PaintInfo.NodeWidth = 2 * FTextMargin + canvas->TextWidth(Text);
            color = canvas->Font()->Color();
        }
        if ((node->States & vsDisabled) || !Enabled())
            color = FColors->GetColor(TNtColors::DisabledColor);
        format = DT_NOPREFIX | DT_VCENTER | DT_SINGLELINE;
        const Cardinal align = PaintInfo.Alignment == taRightJustify ? DT_RIGHT : PaintInfo.Alignment == taCenter ? DT_CENTER : DT_LEFT;
        if (PaintInfo.Column < 0) {
            format |= align;
        } else if (r.Width() < PaintInfo.NodeWidth - 2 * FTextMargin) {
            Text = DoShortenString(canvas, node, PaintInfo.Column, Text, r.Width(), ellipsisWidth);
            if (PaintInfo.Alignment == taRightJustify)
                format |= DT_RIGHT;
        } else {
            format |= align;
        }
    }
    if (PaintInfo.BidiMode != bdLeftToRight)
        format |= DT_RTLREADING;
    if (canvas->Font()->Color() != color)
        canvas->Font()->SetColor(color);
    canvas->SetBkMode((canvas->TextFlags() & ETO_OPAQUE) ? OPAQUE : TRANSPARENT);
    DoDrawText(PaintInfo, Text, r, format);
}

void TCustomNodeStringTree::PaintStaticText(const TNtPaintInfo& PaintInfo, Integer TextOutFlags, const QString& Text)
{
    TCanvas* canvas = PaintInfo.Canvas;
    canvas->SetFont(Font());
    canvas->SetTextFlags(0);
    DoPaintText(PaintInfo.Node, canvas, PaintInfo.Column, ttStatic);
    if ((PaintInfo.Node->States & vsDisabled) || !Enabled())
        canvas->Font()->SetColor(FColors->GetColor(TNtColors::DisabledColor));
    TRect r = PaintInfo.ContentRect;
    if (PaintInfo.Alignment == taRightJustify)
        r.Right -= PaintInfo.NodeWidth + FTextMargin;
    else
        r.Left += PaintInfo.NodeWidth + FTextMargin;
    canvas->SetBkMode((canvas->TextFlags() & ETO_OPAQUE) ? OPAQUE : TRANSPARENT);
    DrawText(canvas, Text, r, DT_NOPREFIX | DT_VCENTER | DT_SINGLELINE);
}

Integer TCustomNodeStringTree::ComputeNodeHeight(TCanvas* Canvas, PDataNode Node, TColumnIndex Column, QString S)
{
    if (S.isEmpty())
        S = GetText(Node, Column);
    Cardinal format = (Node->States & vsMultiline) ? (DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL) : (DT_NOPREFIX | DT_VCENTER | DT_SINGLELINE);
    format |= DT_CALCRECT;
    if (UseRightToLeftReading())
        format |= DT_RTLREADING | DT_RIGHT;
    TRect r(0, 0, 0, 0);
    TBiDiMode bidi = FBiDiMode;
    TNodeTreeColumns* columns = FHeader->Columns();
    if (Column < 0 || !columns->IsValidColumn(Column)) {
        r.Right = ClientWidth();
    } else {
        TNodeTreeColumn* c = columns->Items(Column);
        bidi = c->BiDiMode();
        r.Right = c->Width() - FTextMargin;
        r.Left = FTextMargin + FMargin;
        if (Column == FHeader->MainColumn()) {
            TLineImage lineImage;
            BuildLineImage(Node, lineImage);
            r.Left += Integer(FIndent) * ((FOptions->PaintOptions() & toFixedIndent) ? 1 : Integer(lineImage.size()));
        }
        // The text may run on over empty cells beside it.
        TNtPaintInfo info;
        info.Node = Node;
        info.Column = Column;
        info.BidiMode = bidi;
        info.CellRect = r;
        DetermineNextColumn(info);
        r = info.CellRect;
    }
    if (bidi != bdLeftToRight && !(format & DT_RTLREADING))
        format |= DT_RTLREADING | DT_RIGHT;
    DrawText(Canvas, S, r, format);
    return r.Height();
}

TColumnIndex TCustomNodeStringTree::DetermineNextColumn(TNtPaintInfo& PaintInfo)
{
    TNodeTreeColumns* columns = FHeader->Columns();
    TColumnIndex next = columns->GetNextVisibleColumn(PaintInfo.Column);
    if (!(FOptions->AutoOptions() & toAutoSpanColumns) || !FHeader->UseColumns() || PaintInfo.BidiMode != bdLeftToRight)
        return next;
    while (next >= 0 && DoGetCellIsEmpty(PaintInfo.Node, next) && columns->Items(next)->BiDiMode() == bdLeftToRight) {
        PaintInfo.CellRect.Right += columns->Items(next)->Width();
        next = columns->GetNextVisibleColumn(next);
    }
    return next;
}

// ---------------------------------------------------------------- selection by text

void TCustomNodeStringTree::AddToSelection(PDataNode Node)
{
    TBaseNodeTree::AddToSelection(Node);
    if ((FOptions->SelectionOptions() & toRestoreSelection) && OnGetText && (Node->States & vsSelected) && !HasTreeState(tsPreviouslySelectedLocked)) {
        if (!FPreviouslySelected) {
            FPreviouslySelected = std::make_unique<TStringList>();
            FPreviouslySelected->SetDuplicates(dupIgnore);
            FPreviouslySelected->SetSorted(true);
            FPreviouslySelected->SetCaseSensitive(false);
        }
        if (FSelectionCount == 1)
            FPreviouslySelected->Clear();
        QString text;
        OnGetText(this, Node, 0, ttNormal, text);
        FPreviouslySelected->Add(text);
    }
    UpdateNextNodeToSelect(Node);
}

void TCustomNodeStringTree::RemoveFromSelection(PDataNode Node)
{
    TBaseNodeTree::RemoveFromSelection(Node);
    if ((FOptions->SelectionOptions() & toRestoreSelection) && FPreviouslySelected && !(Node->States & vsSelected)) {
        if (FSelectionCount == 0) {
            FPreviouslySelected->Clear();
        } else if (OnGetText) {
            QString text;
            OnGetText(this, Node, 0, ttNormal, text);
            const Integer index = FPreviouslySelected->IndexOf(text);
            if (index >= 0)
                FPreviouslySelected->Delete(index);
        }
    }
}

// What the string tree does for each node the full road adds.
[[gnu::always_inline]] inline PDataNode TCustomNodeStringTree::ChildAdded(PDataNode Node)
{
    if (Node == nullptr)
        return nullptr;
    // The parent's children changed: its width is measured again (as SetChildCount does).
    if (Integer* w = CachedWidthOf(Node->Parent))
        *w = 0;
    if ((FOptions->SelectionOptions() & toRestoreSelection) && FPreviouslySelected && OnGetText)
        RestoreSelectionOf(Node);
    return Node;
}

// The full road of AddChild here also forgets the parent's width and
// selects a previously selected text again; the short road needs neither,
// as the width was forgotten by the append that noted the parent, and a
// width measured for it since forgets the note.
PDataNode TCustomNodeStringTree::AddChildFullRoad(PDataNode Parent, void* UserData)
{
    PDataNode result = ChildAdded(AddChildFully(Parent, UserData));
    if (!(FOptions->SelectionOptions() & toRestoreSelection))
        NoteHeldAppend(Parent);
    return result;
}

// Selects Node, just added, when its text was selected before the tree was cleared.
void TCustomNodeStringTree::RestoreSelectionOf(PDataNode Node)
{
    QString text;
    OnGetText(this, Node, 0, ttNormal, text);
    if (FPreviouslySelected->IndexOf(text) < 0)
        return;
    SetTreeStates(TreeStates() | tsPreviouslySelectedLocked);
    try {
        SetSelected(Node, true);
    } catch (...) {
        SetTreeStates(TreeStates() & ~tsPreviouslySelectedLocked);
        throw;
    }
    SetTreeStates(TreeStates() & ~tsPreviouslySelectedLocked);
    if (FUpdateCount == 0)
        if (PDataNode first = GetFirstSelected())
            ScrollIntoView(first, true, false);
}

// ---------------------------------------------------------------- paths and CSV

QString TCustomNodeStringTree::Path(PDataNode Node, TColumnIndex Column, QChar Delimiter)
{
    if (Node == nullptr || Node == FRoot)
        return QString(Delimiter);
    QString result;
    for (PDataNode run = Node; run != FRoot; run = run->Parent)
        result = GetText(run, Column) + Delimiter + result;
    return result;
}

bool TCustomNodeStringTree::SaveToCSVFile(const QString& FileNameWithPath, bool IncludeHeading)
{
    if (FileNameWithPath.isEmpty())
        return false;
    auto quoted = [](QString S) { return QLatin1Char('"') + S.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"'); };
    TNodeTreeColumns* columns = FHeader->Columns();
    const Integer count = columns->Count();
    TStringList lines;
    // Every column in index order, hidden ones included.
    if (IncludeHeading) {
        QStringList titles;
        for (Integer c = 0; c < count; ++c)
            titles.append(quoted(columns->Items(c)->Text()));
        lines.Add(titles.join(QLatin1Char(',')));
    }
    // The top-level nodes only; an empty cell is written as one blank. A
    // tree without columns writes each node's text.
    for (PDataNode run = GetFirst(); run; run = GetNextSibling(run)) {
        QStringList cells;
        for (Integer c = count > 0 ? 0 : NoColumn; c < std::max<Integer>(count, 0); ++c) {
            QString text = GetText(run, c);
            cells.append(quoted(text.isEmpty() ? QStringLiteral(" ") : text));
        }
        lines.Add(cells.join(QLatin1Char(',')));
    }
    // The desktop's code page: UTF-8, without a byte-order mark.
    lines.SetWriteBOM(false);
    QString error;
    if (!lines.SaveToFile(FileNameWithPath, TTextEncoding::UTF8, &error))
        throw std::runtime_error(error.toStdString());
    return true;
}
