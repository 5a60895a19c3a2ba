// Clipboard copy and cut of the string grid.

#include "grid/ExGrid.h"

#include "grid/EsgHTMLE.h"
#include "grid/ExObj.h"
#include "grid/exchange/ExchangeUtil.h"
#include "platform/Clipboard.h"
#include "platform/Streams.h"
#include "platform/Text.h"

namespace {
const QString GridCellsFormat = QStringLiteral("TExStringGrid Cells");
const QString RTFFormat = QStringLiteral("Rich Text Format");
const QString HTMLFormat = QStringLiteral("HTML Format");
} // namespace

QString RichTextToPlain(const QString& Rtf)
{
    QString out;
    // Groups whose text is no content: tables, pictures, starred destinations.
    std::vector<bool> skip{false};
    qsizetype i = 0;
    const qsizetype n = Rtf.size();
    Integer ucSkip = 0;
    while (i < n) {
        const QChar c = Rtf[i];
        if (c == u'{') {
            skip.push_back(skip.back());
            ++i;
        } else if (c == u'}') {
            if (skip.size() > 1)
                skip.pop_back();
            ++i;
        } else if (c == u'\\') {
            ++i;
            if (i >= n)
                break;
            const QChar d = Rtf[i];
            if (d == u'\\' || d == u'{' || d == u'}') {
                if (!skip.back())
                    out += d;
                ++i;
            } else if (d == u'*') {
                skip.back() = true;
                ++i;
            } else if (d == u'\'') {
                bool ok = false;
                const ushort v = Rtf.mid(i + 1, 2).toUShort(&ok, 16);
                if (ok && !skip.back()) {
                    if (ucSkip > 0)
                        --ucSkip;
                    else
                        out += QString::fromLatin1(QByteArray(1, char(v)));
                }
                i += 3;
            } else if (d.isLetter()) {
                qsizetype j = i;
                while (j < n && Rtf[j].isLetter())
                    ++j;
                const QString word = Rtf.mid(i, j - i);
                qsizetype k = j;
                if (k < n && (Rtf[k] == u'-' || Rtf[k].isDigit())) {
                    ++k;
                    while (k < n && Rtf[k].isDigit())
                        ++k;
                }
                const QString param = Rtf.mid(j, k - j);
                if (k < n && Rtf[k] == u' ')
                    ++k;
                i = k;
                if (word == QLatin1String("fonttbl") || word == QLatin1String("colortbl")
                    || word == QLatin1String("stylesheet") || word == QLatin1String("info")
                    || word == QLatin1String("pict"))
                    skip.back() = true;
                else if (skip.back())
                    continue;
                else if (word == QLatin1String("par") || word == QLatin1String("line"))
                    out += QStringLiteral("\r\n");
                else if (word == QLatin1String("tab"))
                    out += u'\t';
                else if (word == QLatin1String("u")) {
                    const int v = param.toInt();
                    out += QChar(ushort(v < 0 ? v + 65536 : v));
                    ucSkip = 1;
                }
            } else {
                ++i;
            }
        } else {
            if (!skip.back() && c != u'\r' && c != u'\n') {
                if (ucSkip > 0)
                    --ucSkip;
                else
                    out += c;
            }
            ++i;
        }
    }
    while (out.endsWith(QStringLiteral("\r\n")))
        out.chop(2);
    return out;
}

QString TExStringGrid::ClipCellText(Integer C, Integer R)
{
    QString t;
    SaveCell(RealColIndex(C), R, t);
    if (t.startsWith(QLatin1String("|\\")))
        t = DecodeWideCellText(t);
    if (t.contains(QChar(13)))
        t = u'"' + QString(t).replace(QChar(13), QChar(10)) + u'"';
    if (!FNavigation->CopyHTMLTagsToClipboard() && t.contains(QLatin1String("</")))
        t = StripHTMLTags(Cells(RealColIndex(C), R));
    else if (t.contains(QLatin1String("{\\")))
        t = RichTextToPlain(Cells(RealColIndex(C), R));
    if (LineCount(t, Multilinecells()) > 1 && ExcelClipboardFormat())
        QuoteCSVLines(t);
    return t;
}

QString TExStringGrid::GetRangeAsText(const TGridRect& ARect, bool Disjunct)
{
    FClipTopLeft = TPoint(ARect.Left, ARect.Top);
    ExportNotification(esExportStart, -1);
    QString s;
    try {
        const bool all = ARect.Top >= FixedRows() && ARect.Bottom <= RowCount() - FixedFooters() - 1;
        for (Integer r = ARect.Top; r <= ARect.Bottom; ++r)
            ExportNotification(all ? esExportNewRow : esExportSelRow, r);
        const bool persistent = FMouseActions->RowSelectPersistent();
        for (Integer r = ARect.Top; r <= ARect.Bottom; ++r) {
            const Integer R = persistent ? RealRowIndex(r) : r;
            if (Disjunct && FMouseActions->DisjunctRowSelect() && !FMouseActions->DisjunctColSelect() && !RowSelect(R))
                continue;
            ExportNotification(esExportNewRow, r);
            for (Integer c = ARect.Left; c <= ARect.Right; ++c) {
                if (!(Disjunct && FMouseActions->DisjunctColSelect() && !ColSelect(c)))
                    s += ClipCellText(c, r);
                if (c != ARect.Right)
                    s += u'\t';
            }
            if (ARect.Bottom > ARect.Top)
                s += QStringLiteral("\r\n");
        }
    } catch (...) {
        ExportNotification(esExportDone, -1);
        throw;
    }
    ExportNotification(esExportDone, -1);
    return s;
}

void TExStringGrid::CopyRangeToClipboard(const TGridRect& ARect, bool Disjunct)
{
    Clipboard()->SetAsText(GetRangeAsText(ARect, Disjunct));
    if (FNavigation->AllowRTFClipboard())
        CopyCellAsRTF(ARect.Left, ARect.Top);
    if (FNavigation->AllowFmtClipboard())
        CopyRangeAsCells(ARect);
}

void TExStringGrid::CopyCellAsRTF(Integer ACol, Integer ARow)
{
    const QString s = Cells(RealColIndex(ACol), ARow);
    if (!s.contains(QLatin1String("{\\")))
        return;
    QByteArray bytes = s.toLatin1();
    bytes.append('\0');
    Clipboard()->AddFormat(RTFFormat, bytes);
}

void TExStringGrid::CopyRangeAsCells(const TGridRect& ARect)
{
    TMemoryStream ms;
    SaveRectToBinStream(TRect(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom), &ms);
    Clipboard()->AddFormat(GridCellsFormat, ms.Bytes());
}

bool TExStringGrid::AllowFmtClipboard()
{
    return FNavigation->AllowFmtClipboard();
}

void TExStringGrid::ExtendSelectionToMergedCells()
{
    TGridRect s = Selection();
    const TGridRect old = s;
    if (IsMergedCell(RealColIndex(s.Left), s.Top)) {
        const TPoint b = BaseCell(RealColIndex(s.Left), s.Top);
        s.Left = std::min(s.Left, RealToDisplCol(b.X));
        s.Top = std::min(s.Top, b.Y);
    }
    if (IsMergedCell(RealColIndex(s.Right), s.Bottom)) {
        const TPoint b = BaseCell(RealColIndex(s.Right), s.Bottom);
        const TPoint span = CellSpan(b.X, b.Y);
        s.Right = std::max(s.Right, RealToDisplCol(b.X) + std::max(0, span.X));
        s.Bottom = std::max(s.Bottom, b.Y + std::max(0, span.Y));
    }
    if (!(s == old))
        SetSelection(s);
}

void TExStringGrid::CopySelectionToClipboard()
{
    ExtendSelectionToMergedCells();
    if (FMouseActions->DisjunctRowSelect() && !FNavigation->AllowFmtClipboard())
        CopyRangeToClipboard(TGridRect{FixedCols(), SaveStartRow(), ColCount() - FixedRightCols() - 1, SaveEndRow()}, true);
    else if (FMouseActions->DisjunctColSelect() && !FNavigation->AllowFmtClipboard())
        CopyRangeToClipboard(TGridRect{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, true);
    else
        CopyRangeToClipboard(Selection(), false);
    FClipLastOp = coCopy;
}

void TExStringGrid::CopyToClipBoard()
{
    CopyRangeToClipboard(TGridRect{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, false);
    FClipLastOp = coCopy;
}

void TExStringGrid::CutToClipboard()
{
    CopyRangeToClipboard(TGridRect{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, false);
    const bool always = FNavigation->AllowClipboardAlways();
    for (Integer r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        for (Integer c = SaveStartCol(); c <= SaveEndCol(); ++c)
            if (always || IsEditable(c, r))
                SetCells(RealColIndex(c), r, QString());
        if (FShowModified->Enabled())
            SetRowModified(r, true);
    }
    FClipLastOp = coCut;
}

void TExStringGrid::CutSelectionToClipboard()
{
    const TGridRect S = Selection();
    CopySelectionToClipboard();
    const bool always = FNavigation->AllowClipboardAlways();
    if (FMouseActions->DisjunctRowSelect()) {
        for (Integer r = FixedRows(); r < RowCount(); ++r)
            if (RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r)) {
                ClearRows(r, 1);
                if (FShowModified->Enabled())
                    SetRowModified(r, true);
            }
    } else if (FMouseActions->DisjunctColSelect()) {
        for (Integer c = FixedCols(); c < ColCount(); ++c)
            if (ColSelect(c))
                ClearCols(c, 1);
    } else {
        const TGridRect sel = Selection();
        if (UndoRedo() != nullptr)
            UndoRedo()->StartSequence();
        for (Integer c = sel.Left; c <= sel.Right; ++c)
            for (Integer r = sel.Top; r <= sel.Bottom; ++r) {
                const Integer R = RealColIndex(c);
                if (always || IsEditable(c, r)) {
                    if (UndoRedo() != nullptr)
                        UndoRedo()->RegisterChange(R, r, QString(), Cells(R, r));
                    SetCells(R, r, QString());
                }
            }
        if (FShowModified->Enabled())
            for (Integer r = sel.Top; r <= sel.Bottom; ++r)
                SetRowModified(r, true);
        if (UndoRedo() != nullptr)
            UndoRedo()->StopSequence();
        if (FNavigation->AllowFmtClipboard())
            FreeCellGraphics(sel.Left, sel.Top, sel.Right, sel.Bottom);
    }
    FClipLastOp = coCut;
    if (OnCellsChanged)
        OnCellsChanged(this, TRect(S.Left, S.Top, S.Right, S.Bottom));
    if (NumHiddenColumns() > 0)
        Invalidate();
}

void TExStringGrid::CopyToClipBoardAsHTML()
{
    QString html = SaveToHTMLString(QString());
    WrapClipboardHTML(html);
    const QByteArray bytes = EncodeText(html, TTextEncoding::ANSI, false);
    Clipboard()->SetAsText(html);
    Clipboard()->AddFormat(HTMLFormat, bytes);
}
