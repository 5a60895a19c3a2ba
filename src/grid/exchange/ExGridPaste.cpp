// Clipboard paste and the smart fill of the selection.

#include "grid/ExGrid.h"

#include "grid/ExObj.h"
#include "platform/Clipboard.h"
#include "platform/Locale.h"
#include "platform/Streams.h"
#include "platform/Text.h"

namespace {

// The lines of a pasted text: cut at CR (a LF right after it skipped); the
// end of the text ends the last line, which may be empty.
QStringList PasteLines(const QString& Text)
{
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text[i];
        if (c == u'\r') {
            lines << line;
            line.clear();
            if (i + 1 < Text.size() && Text[i + 1] == u'\n')
                ++i;
        } else {
            line += c;
        }
    }
    lines << line;
    return lines;
}

// A field loses the quotes of a spreadsheet's multi-line cell.
QString Unquote(QString F)
{
    if (F.contains(QChar(10)) && F.startsWith(u'"'))
        F.remove(0, 1);
    const qsizetype q = F.indexOf(u'"');
    if (q >= 0 && q == F.size() - 1)
        F.chop(1);
    VTabToCRLF(F);
    return F;
}

bool TextToFloat(const QString& Text, double& Value)
{
    QString t = Text.trimmed();
    t.replace(FormatSettings().DecimalSeparator, QLatin1Char('.'));
    bool ok = false;
    Value = t.toDouble(&ok);
    return ok;
}

const QString GridCellsFormat = QStringLiteral("TExStringGrid Cells");
const QString RTFFormat = QStringLiteral("Rich Text Format");

} // namespace

Integer GridStreamID(const TExStringGrid* Grid);
void ReadBlockHeader(TStream* Stream, Integer& Cols, Integer& Rows, Integer& ID);

void TExStringGrid::GetClipTextExtent(const QString& Text, TPoint& Extent)
{
    Extent = TPoint(0, 0);
    const QStringList lines = PasteLines(Text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        Extent.X = std::max<Integer>(Extent.X, Integer(lines[i].count(u'\t')) + 1);
        if (lines[i].isEmpty())
            --Extent.Y;
        if (i + 1 < lines.size())
            ++Extent.Y;
    }
}

void TExStringGrid::PasteCellValue(Integer ACol, Integer ARow, const QString& Value)
{
    const Integer R = RealColIndex(ACol);
    if (UndoRedo() != nullptr)
        UndoRedo()->RegisterChange(ACol, ARow, Value, Cells(R, ARow));
    if (HasCheckBox(R, ARow))
        SetCheckBoxState(R, ARow, Value == CheckTrue());
    else
        SetCells(R, ARow, Value);
    if (R != ACol)
        RepaintCell(ACol, ARow);
}

void TExStringGrid::MarkRowsModified(TPoint FromCell, const TGridRect& Range, TClipOperation Op)
{
    if (!FShowModified->Enabled())
        return;
    for (Integer r = Range.Top; r <= Range.Bottom; ++r)
        SetRowModified(r, true);
}

Integer TExStringGrid::PasteTextAt(Integer ACol, Integer ARow, Integer& RowsPasted, Integer& ColsPasted,
                                   const QString& Text)
{
    if (ACol < 0 || ARow < 0
        || ((Options() & goEditing) == 0 && !FNavigation->AllowClipboardAlways()
            && !FMouseActions->RangeSelectAndEdit()))
        return 0;
    if (UndoRedo() != nullptr)
        UndoRedo()->StartSequence();
    RowsPasted = 0;
    ColsPasted = 0;
    Integer count = 0;
    TGridRect pasted{ACol, ARow, ACol, ARow};
    const bool always = FNavigation->AllowClipboardAlways();
    const QStringList lines = PasteLines(Text);
    Integer r = ARow;
    for (qsizetype li = 0; li < lines.size(); ++li) {
        const QString& line = lines[li];
        const bool lastLine = li + 1 == lines.size();
        ++RowsPasted;
        ImportNotification(FPasteAll ? isImportNewRow : isImportSelRow, r);
        if (!line.isEmpty() && FNavigation->ClipboardPasteAction() == paInsert)
            InsertRows(r, 1, true);
        const QStringList fields = line.split(u'\t');
        ColsPasted = 1;
        Integer c = ACol;
        for (qsizetype fi = 0; fi < fields.size(); ++fi) {
            const bool lastField = fi + 1 == fields.size();
            if (!lastField)
                ++ColsPasted;
            QString field = Unquote(fields[fi]);
            bool written = false;
            if (c <= ColCount() && r <= RowCount() && (always || IsEditable(c, r))
                && !(lastField && lastLine && line.isEmpty())) {
                bool allow = true;
                const bool wide = field.startsWith(QLatin1String("|\\"));
                if (wide) {
                    QString w = DecodeWideCellText(field);
                    if (OnClipboardBeforePasteWideCell)
                        OnClipboardBeforePasteWideCell(this, c, r, w, allow);
                    field = EncodeWideCellText(w);
                } else if (OnClipboardBeforePasteCell) {
                    OnClipboardBeforePasteCell(this, c, r, field, allow);
                }
                if (allow) {
                    PasteCellValue(c, r, field);
                    written = true;
                    pasted.Left = std::min(pasted.Left, c);
                    pasted.Right = std::max(pasted.Right, c);
                    pasted.Top = std::min(pasted.Top, r);
                    pasted.Bottom = std::max(pasted.Bottom, r);
                    if (wide && OnClipboardAfterPasteWideCell)
                        OnClipboardAfterPasteWideCell(this, c, r, DecodeWideCellText(field));
                    else if (!wide && OnClipboardAfterPasteCell)
                        OnClipboardAfterPasteCell(this, c, r, field);
                }
            }
            ++count;
            if (!lastField || written) {
                ++c;
                if (ColCount() < c && FNavigation->AllowClipboardColGrow())
                    SetColCount(c);
            }
        }
        // Only text after the line break starts a further row.
        const bool more = !lastLine && !(li + 2 == lines.size() && lines.last().isEmpty());
        if (more) {
            ++r;
            const bool footerRow = FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow;
            if (r == (footerRow ? RowCount() - 1 : RowCount()) && FNavigation->AllowClipboardRowGrow())
                SetRowCount(RowCount() + 1);
        }
    }
    if (UndoRedo() != nullptr)
        UndoRedo()->StopSequence();
    MarkRowsModified(FClipTopLeft, pasted, FClipLastOp);
    CellsChanged(TRect(RealColIndex(std::min(pasted.Left, ColCount() - 1)), pasted.Top,
                       RealColIndex(std::min(pasted.Right, ColCount() - 1)), pasted.Bottom));
    return count;
}

Integer TExStringGrid::PasteFromClipboardAt(Integer ACol, Integer ARow, Integer& RowsPasted, Integer& ColsPasted)
{
    TClipboard* clip = Clipboard();
    if (AllowFmtClipboard() && clip->HasFormat(GridCellsFormat)) {
        BeginPaste();
        TMemoryStream ms;
        ms.WriteBuffer(clip->AsFormat(GridCellsFormat));
        ms.SetPosition(0);
        Integer bc = 0, br = 0, id = 0;
        ReadBlockHeader(&ms, bc, br, id);
        ms.SetPosition(0);
        const bool grow = FNavigation->AllowClipboardRowGrow() || FNavigation->AllowClipboardColGrow()
                          || FNavigation->ClipboardPasteAction() == paInsert;
        if (grow) {
            if (ACol + bc >= ColCount() && FNavigation->AllowClipboardColGrow())
                SetColCount(ACol + bc);
            if (ARow + br >= RowCount() && FNavigation->AllowClipboardRowGrow())
                SetRowCount(ARow + br);
            ColsPasted = ColCount();
            RowsPasted = RowCount();
            if (FNavigation->ClipboardPasteAction() == paInsert)
                InsertRows(ARow, br, true);
        }
        LoadAtPointFromBinStream(TPoint(ACol, ARow), &ms);
        const TGridRect range{ACol, ARow, ACol + bc - 1, ARow + br - 1};
        MarkRowsModified(id == GridStreamID(this) ? FClipTopLeft : TPoint(-1, -1), range, FClipLastOp);
        EndPaste();
        return bc * br;
    }
    if (FNavigation->AllowRTFClipboard() && clip->HasFormat(RTFFormat)) {
        QByteArray b = clip->AsFormat(RTFFormat);
        if (const qsizetype z = b.indexOf('\0'); z >= 0)
            b.truncate(z);
        if (!b.isEmpty()) {
            if (IsEditable(ACol, ARow))
                PasteCellValue(ACol, ARow, QString::fromLatin1(b));
            RowsPasted = 1;
            ColsPasted = 1;
        }
        return 0;
    }
    if (clip->HasText()) {
        const QString text = clip->AsText();
        return text.isEmpty() ? 0 : PasteTextAt(ACol, ARow, RowsPasted, ColsPasted, text);
    }
    return 0;
}

void TExStringGrid::PasteFromClipboard()
{
    ImportNotification(isImportStart, -1);
    FPasteAll = true;
    Integer rows = 0, cols = 0;
    PasteFromClipboardAt(SaveStartCol(), SaveStartRow(), rows, cols);
    FPasteAll = false;
    ImportNotification(isImportDone, -1);
    RecalcFooters();
}

void TExStringGrid::PasteSelectionFromClipboard()
{
    ImportNotification(isImportStart, -1);
    FPasteAll = false;
    ExtendSelectionToMergedCells();
    const TGridRect S = Selection();
    Integer rowsPasted = 0, colsPasted = 0;
    const Integer n = PasteFromClipboardAt((Options() & goRowSelect) != 0 ? FixedCols() : S.Left, S.Top, rowsPasted,
                                           colsPasted);
    if (!FNavigation->AllowSmartClipboard())
        return;
    const Integer N = (S.Right - S.Left + 1) * (S.Bottom - S.Top + 1);
    if (n == N + 1)
        return;
    const bool always = FNavigation->AllowClipboardAlways();
    auto beforeCell = [this](Integer c, Integer r, QString& v) {
        bool allow = true;
        if (OnClipboardBeforePasteCell)
            OnClipboardBeforePasteCell(this, c, r, v, allow);
        return allow;
    };
    auto afterCell = [this](Integer c, Integer r, const QString& v) {
        if (OnClipboardAfterPasteCell)
            OnClipboardAfterPasteCell(this, c, r, v);
    };

    if (n == 1 && N > 1) {
        BeginPaste();
        QString V = Cells(RealColIndex(S.Left), S.Top);
        if (HasCheckBox(RealColIndex(S.Left), S.Top)) {
            bool state = false;
            GetCheckBoxState(RealColIndex(S.Left), S.Top, state);
            V = state ? CheckTrue() : CheckFalse();
        }
        for (Integer c = S.Left; c <= S.Right; ++c)
            for (Integer r = S.Top; r <= S.Bottom; ++r) {
                if (!always && !IsEditable(c, r))
                    continue;
                const bool topLeft = c == S.Left && r == S.Top;
                QString v = V;
                const bool allow = topLeft || beforeCell(c, r, v);
                if (allow)
                    PasteCellValue(c, r, v);
                MarkRowsModified(FClipTopLeft, TGridRect{c, r, c, r}, coCopy);
                if (!topLeft)
                    afterCell(c, r, v);
            }
        EndPaste();
    } else if (n > 1 && (S.Left == S.Right || S.Top == S.Bottom)) {
        const bool column = S.Left == S.Right;
        const QString V1 = Cells(RealColIndex(S.Left), S.Top);
        const QString V2 = column ? Cells(RealColIndex(S.Left), S.Top + 1) : Cells(RealColIndex(S.Left + 1), S.Top);
        // Walks S column by column, row by row, giving each cell the running
        // value; the value advances at every cell, written or not.
        auto series = [&](const std::function<QString(Integer)>& ValueAt, bool MarkRefused) {
            Integer k = 0;
            for (Integer c = S.Left; c <= S.Right; ++c)
                for (Integer r = S.Top; r <= S.Bottom; ++r, ++k) {
                    if (!IsEditable(c, r))
                        continue;
                    const bool topLeft = c == S.Left && r == S.Top;
                    QString v = ValueAt(k);
                    const bool allow = topLeft || beforeCell(c, r, v);
                    if (allow)
                        PasteCellValue(c, r, v);
                    if (allow || MarkRefused)
                        MarkRowsModified(FClipTopLeft, TGridRect{c, r, c, r}, coCopy);
                    if (!topLeft)
                        afterCell(c, r, v);
                }
            CellsChanged(TRect(S.Left, S.Top, S.Right, S.Bottom));
        };
        const QChar ds = FormatSettings().DateSeparator, ts = FormatSettings().TimeSeparator;
        auto dateLike = [&](const QString& v) { return v.mid(1).count(ds) >= 2 || v.contains(ts); };
        double f1 = 0, f2 = 0;
        Integer i1 = 0, i2 = 0;
        if (dateLike(V1) && dateLike(V2)) {
            TDateTime d1 = 0, d2 = 0;
            if (!TryStrToDateTime(V1, d1) || !TryStrToDateTime(V2, d2))
                return;
            Word y1, m1, dd1, y2, m2, dd2;
            DecodeDate(d1, y1, m1, dd1);
            DecodeDate(d2, y2, m2, dd2);
            const Word dy = Word(std::abs(y2 - y1)), dm = Word(std::abs(m2 - m1)), dd = Word(std::abs(dd2 - dd1));
            const bool asDate = V1.contains(ds);
            TDateTime run = d1;
            Integer at = 0;
            series(
                [&](Integer k) {
                    while (at < k) {
                        run = IncDateStep(dy, dm, dd, run, d2 - d1);
                        ++at;
                    }
                    return asDate ? DateToStr(run) : TimeToStr(run);
                },
                true);
            return;
        }
        if (V1.contains(FormatSettings().DecimalSeparator) || V2.contains(FormatSettings().DecimalSeparator)) {
            if (!TextToFloat(V1, f1) || !TextToFloat(V2, f2))
                return;
            series([&](Integer k) { return Format(FloatFormat(), {f1 + k * (f2 - f1)}); }, false);
            return;
        }
        if (TextToInteger(V1, i1) && TextToInteger(V2, i2)) {
            series([&](Integer k) { return QString::number(qint64(i1) + qint64(k) * (i2 - i1)); }, false);
            return;
        }
        // The pasted values repeat in cycles of n - 1.
        const Integer step = n - 1;
        if (column) {
            for (Integer r = S.Top + step; r <= S.Bottom; ++r)
                if (IsEditable(S.Left, r))
                    PasteCellValue(S.Left, r, Cells(RealColIndex(S.Left), r - step));
            MarkRowsModified(TPoint(S.Left, S.Top), TGridRect{S.Left, S.Top + step, S.Right, S.Bottom}, coCopy);
        } else {
            for (Integer c = S.Left + step; c <= S.Right; ++c)
                if (IsEditable(c, S.Top))
                    PasteCellValue(c, S.Top, Cells(RealColIndex(c - step), S.Top));
            MarkRowsModified(TPoint(S.Left, S.Top), TGridRect{S.Left + step, S.Top, S.Right, S.Bottom}, coCopy);
        }
    }
    if (S.Bottom > S.Top && S.Right > S.Left && rowsPasted == 1) {
        for (Integer r = S.Top + 1; r <= S.Bottom; ++r) {
            SetRow(r);
            Integer a = 0, b = 0;
            PasteFromClipboardAt(S.Left, r, a, b);
        }
        SetSelection(S);
    } else if (S.Bottom > S.Top && S.Left < S.Right && colsPasted == 1) {
        for (Integer c = S.Left + 1; c <= S.Right; ++c) {
            SetCol(c);
            Integer a = 0, b = 0;
            PasteFromClipboardAt(c, S.Top, a, b);
        }
        SetSelection(S);
    }
    ImportNotification(isImportDone, -1);
    CellsChanged(TRect(S.Left, S.Top, S.Right, S.Bottom));
    RecalcFooters();
}

void TExStringGrid::SetSelectionAsText(const QString& Value)
{
    const TGridRect S = Selection();
    const QStringList lines = PasteLines(Value);
    Integer r = S.Top, maxC = S.Left;
    for (qsizetype li = 0; li < lines.size(); ++li) {
        const QStringList fields = lines[li].split(u'\t');
        Integer c = S.Left;
        for (const QString& f : fields) {
            if (c >= ColCount())
                SetColCount(c + 1);
            SetGridCell(RealColIndex(c), r, Unquote(f));
            maxC = std::max(maxC, c);
            ++c;
        }
        if (li + 1 < lines.size()) {
            const bool footerRow = FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow;
            if (r + 1 >= (footerRow ? RowCount() - 1 : RowCount()))
                SetRowCount(RowCount() + 1);
            ++r;
        }
    }
    CellsChanged(TRect(RealColIndex(S.Left), S.Top, RealColIndex(maxC), r));
}
