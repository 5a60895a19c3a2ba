// The cell list text (files and streams), the column-aligned text and
// fixed-width text.

#include "grid/ExGrid.h"

#include <QtEndian>
#include <algorithm>

#include "grid/ExObj.h"
#include "grid/exchange/ExchangeUtil.h"
#include "platform/FileSystem.h"
#include "platform/Streams.h"
#include "platform/StringList.h"
#include "platform/Text.h"

namespace {

// The leading decimal integer of a text (blanks before it allowed); 0 when
// there is none.
Integer LenientInt(const QString& Text)
{
    const QString t = Text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        ++i;
    while (i < t.size() && t[i].isDigit())
        ++i;
    bool ok = false;
    const long long v = t.left(i).toLongLong(&ok);
    return ok ? Integer(std::clamp<long long>(v, -0x7FFFFFFFLL, 0x7FFFFFFFLL)) : 0;
}

Integer StrictInt(const QString& Text)
{
    bool ok = false;
    const Integer v = Text.toInt(&ok);
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(Text));
    return v;
}

} // namespace

void SaveExchangeLines(const TStringList& Lines, const QString& FileName, bool Unicode)
{
    QString err;
    const bool ok = Unicode ? Lines.SaveToFile(FileName, TTextEncoding::UTF16LE, &err) : Lines.SaveToFile(FileName, &err);
    if (!ok)
        throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, err));
}

void LoadExchangeLines(TStringList& Lines, const QString& FileName)
{
    QString err;
    if (!Lines.LoadFromFile(FileName, &err))
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, err));
}

void TExStringGrid::SaveToFile(const QString& FileName, bool Unicode)
{
    const Integer H = SaveHiddenCells() ? NumHiddenColumns() : 0;
    TStringList lines;
    lines.Add(QStringLiteral("%1,%2").arg(SaveColCount() + H).arg(SaveRowCount()));
    for (Integer c = SaveStartCol(); c <= SaveEndCol() + H; ++c)
        lines.Add(QStringLiteral("cw %1,%2").arg(c).arg(c < ColCount() ? ColWidths(c) : DefaultColWidth()));
    ExportNotification(esExportStart, SaveStartRow());
    FLastProgress = -1;
    for (Integer r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (Integer c = SaveStartCol(); c <= SaveEndCol() + H; ++c) {
            QString s;
            SaveCell(c, r, s);
            if (!s.isEmpty())
                lines.Add(QStringLiteral("%1,%2,%3").arg(c).arg(r).arg(EncodeLineBreaks(s)));
        }
        if (OnFileProgress)
            FileProgress(qRound(double(r) / std::max(1, SaveRowCount() - 1) * 100));
    }
    ExportNotification(esExportDone, -1);
    SaveExchangeLines(lines, FileName, Unicode);
}

void TExStringGrid::LoadFromFile(const QString& FileName)
{
    TStringList lines;
    LoadExchangeLines(lines, FileName);
    const Integer A = SaveFixedCells() || SaveFixedCols() ? 0 : FixedCols();
    const Integer B = SaveFixedCells() || SaveFixedRows() ? 0 : FixedRows();
    Integer cols = ColCount(), rows = RowCount();
    if (lines.Count() > 0 && !lines.Strings(0).isEmpty()) {
        const QString first = lines.Strings(0);
        const qsizetype comma = first.indexOf(u',');
        cols = A + LenientInt(comma < 0 ? first : first.left(comma));
        rows = B + (comma < 0 ? 0 : LenientInt(first.mid(comma + 1)));
    }
    // Checked before anything changes, so that a file without data leaves
    // the grid as it was.
    if (cols <= 0 || rows <= 0)
        throw DOzeDidoRivar(QStringLiteral("File contains no data or corrupt file ") + FileName);
    SetColCount(cols);
    SetRowCount(rows);
    FLastProgress = -1;
    for (Integer i = 1; i < lines.Count(); ++i) {
        const QString line = lines.Strings(i);
        if (line.startsWith(QLatin1String("cw"))) {
            const qsizetype comma = line.indexOf(u',');
            const Integer c = LenientInt(line.mid(3, comma < 0 ? -1 : comma - 3));
            const Integer w = comma < 0 ? 0 : LenientInt(line.mid(comma + 1));
            if (c >= 0 && c < ColCount())
                SetColWidths(c, w);
            continue;
        }
        const qsizetype c1 = line.indexOf(u',');
        const qsizetype c2 = c1 < 0 ? -1 : line.indexOf(u',', c1 + 1);
        if (c2 < 0)
            continue;
        const Integer c = LenientInt(line.left(c1)), r = LenientInt(line.mid(c1 + 1, c2 - c1 - 1));
        if (c >= 0 && r >= 0 && c < ColCount() && r < RowCount())
            LoadCell(c, r, DecodeLineBreaks(line.mid(c2 + 1), MultilineCells()));
        if (OnFileProgress)
            FileProgress(qRound(double(r) / std::max(1, RowCount() - 1) * 100));
        if (Application != nullptr && i % 256 == 0)
            Application->ProcessMessages();
    }
    CellsChanged(TRect(0, 0, ColCount(), RowCount()));
    RecalcFooters();
}

void TExStringGrid::SaveToStream(TStream* Stream)
{
    auto line = [Stream](const QString& s) {
        QByteArray b;
        b.reserve((s.size() + 2) * 2);
        for (QChar c : s + QStringLiteral("\r\n")) {
            const quint16 u = qToLittleEndian(c.unicode());
            b.append(reinterpret_cast<const char*>(&u), 2);
        }
        Stream->WriteBuffer(b);
    };
    line(QStringLiteral("%1,%2").arg(SaveColCount()).arg(SaveRowCount()));
    for (Integer c = 0; c < ColCount(); ++c)
        line(QStringLiteral("cw %1,%2").arg(c).arg(ColWidths(c)));
    ExportNotification(esExportStart, SaveStartRow());
    for (Integer r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (Integer c = SaveStartCol(); c <= SaveEndCol(); ++c) {
            QString s;
            SaveCell(c, r, s);
            if (!s.isEmpty())
                line(QStringLiteral("%1,%2,%3").arg(c - SaveStartCol()).arg(r - SaveStartRow()).arg(EncodeLineBreaks(s)));
        }
    }
    ExportNotification(esExportDone, -1);
}

void TExStringGrid::LoadFromStream(TStream* Stream)
{
    auto atEnd = [Stream] { return Stream->Size() - Stream->Position() < 2; };
    auto readLine = [Stream, &atEnd] {
        QString s;
        while (!atEnd()) {
            quint16 u = 0;
            Stream->ReadBuffer(&u, 2);
            const QChar c(qFromLittleEndian(u));
            if (c == u'\r') {
                if (!atEnd())
                    Stream->ReadBuffer(&u, 2);
                break;
            }
            s += c;
        }
        return s;
    };
    // Everything is read and converted first: a malformed number raises
    // before any cell changes.
    struct TItem {
        bool Width;
        Integer A, B;
        QString Text;
    };
    std::vector<TItem> items;
    Integer cols = -1, rows = -1;
    if (!atEnd()) {
        const QString first = readLine();
        if (!first.isEmpty()) {
            const qsizetype comma = first.indexOf(u',');
            cols = StrictInt(comma < 0 ? first : first.left(comma)) + SaveStartCol();
            rows = StrictInt(comma < 0 ? QString() : first.mid(comma + 1)) + SaveStartRow();
        }
    }
    while (!atEnd()) {
        const Int64 pos = Stream->Position();
        const QString line = readLine();
        if (line.startsWith(QLatin1String("cw"))) {
            const qsizetype comma = line.indexOf(u',');
            items.push_back({true, StrictInt(line.mid(3, comma < 0 ? -1 : comma - 3)),
                             StrictInt(comma < 0 ? QString() : line.mid(comma + 1)), QString()});
            continue;
        }
        const qsizetype c1 = line.indexOf(u',');
        const qsizetype c2 = c1 < 0 ? -1 : line.indexOf(u',', c1 + 1);
        if (c1 < 0 || c2 < 0) {
            Stream->SetPosition(pos);
            break;
        }
        items.push_back({false, StrictInt(line.left(c1)), StrictInt(line.mid(c1 + 1, c2 - c1 - 1)), line.mid(c2 + 1)});
    }
    if (cols >= 0) {
        SetColCount(cols);
        SetRowCount(rows);
    }
    for (const TItem& it : items) {
        if (it.Width) {
            if (it.A >= 0 && it.A < ColCount())
                SetColWidths(it.A, it.B);
        } else if (it.A >= 0 && it.B >= 0) {
            LoadCell(it.A + SaveStartCol(), it.B + SaveStartRow(), DecodeLineBreaks(it.Text, MultilineCells()));
        }
    }
    CellsChanged(TRect(0, 0, ColCount(), RowCount()));
    RecalcFooters();
}

void TExStringGrid::WriteASCIIFile(const QString& FileName, bool Append, bool Unicode)
{
    const THourGlass hourGlass;

    TStringList lines;
    if (Append && FileExists(FileName))
        LoadExchangeLines(lines, FileName);
    const Integer colCount = ColCount() + (SaveHiddenCells() ? NumHiddenColumns() : 0);
    const Integer S = SaveFixedCells() || SaveFixedCols() ? 0 : FixedCols();
    const Integer R0 = SaveFixedCells() || SaveFixedRows() ? 0 : FixedRows();
    std::vector<Integer> widths;
    for (Integer c = S; c < colCount; ++c)
        widths.push_back(MaxColumnLineLength(SaveHiddenCells() ? c : RealColIndex(c)));
    auto align = [](QString t, Integer W, TAlignment A) {
        if (A == taRightJustify)
            t = QString(std::max<qsizetype>(0, W - t.size()), u' ') + t;
        else if (A == taCenter)
            while (t.size() < W)
                t = u' ' + t + u' ';
        return t;
    };
    ExportNotification(esExportStart, R0);
    for (Integer r = R0; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        QString line;
        std::vector<QString> more;  // continuation lines
        Integer start = 0;
        for (Integer c = S; c < colCount; ++c) {
            const Integer rc = SaveHiddenCells() ? c : RealColIndex(c);
            const Integer W = widths[size_t(c - S)];
            QString s;
            SaveCell(rc, r, s);
            const TAlignment a = CalcCellAlignment(c, r).first;
            QString rest = s;
            QString t = ExtractLine(rest, true);
            t = align(t, W, a);
            t = t.leftJustified(W + 1, u' ');
            line += t;
            Integer k = 0;
            while (MultilineCells() && !rest.isEmpty()) {
                QString u = align(ExtractLine(rest, true), W, a);
                if (size_t(k) >= more.size())
                    more.emplace_back();
                QString& cont = more[size_t(k)];
                cont = cont.leftJustified(start, u' ') + u;
                ++k;
            }
            start += W + 1;
        }
        lines.Add(line);
        for (const QString& m : more)
            lines.Add(m);
    }
    ExportNotification(esExportDone, -1);
    SaveExchangeLines(lines, FileName, Unicode);
}

void TExStringGrid::SaveToFixed(const QString& FileName, TIntList* Positions)
{
    const Integer H = SaveHiddenCells() ? NumHiddenColumns() : 0;
    for (Integer c = SaveStartCol(); c <= SaveEndCol() + H; ++c)
        if (c - SaveStartCol() >= Positions->Count())
            Positions->Add(MaxColumnLineLength(SaveHiddenCells() ? c : RealColIndex(c)) + 1);
    TStringList lines;
    ExportNotification(esExportStart, SaveStartRow());
    for (Integer r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        QString line;
        for (Integer c = SaveStartCol(); c <= SaveEndCol() + H; ++c) {
            QString s;
            SaveCell(SaveHiddenCells() ? c : RealColIndex(c), r, s);
            const Integer w = std::max(0, Positions->Items(c - SaveStartCol()));
            line += s.size() > w ? s.left(w) : s.leftJustified(w, u' ');
        }
        lines.Add(line);
    }
    ExportNotification(esExportDone, -1);
    QString err;
    if (!lines.SaveToFile(FileName, &err))
        throw DOzeDidoRivar(QStringLiteral("Cannot Create file ") + FileName);
}

void TExStringGrid::LoadFromFixed(const QString& FileName, TIntList* Positions, bool DoTrim, Integer MaxRows)
{
    TStringList lines;
    if (!lines.LoadFromFile(FileName))
        throw DOzeDidoRivar(QStringLiteral("File ") + FileName + QStringLiteral(" not found"));
    const Integer n = Positions->Count();
    if (n < 2)
        return;
    SetColCount(FixedCols() + n - 1);
    std::vector<Integer> p;
    for (Integer i = 0; i < n; ++i)
        p.push_back(Positions->Items(i));
    std::sort(p.begin(), p.end());
    for (Integer i = 0; i < n; ++i)
        Positions->SetInteger(i, p[size_t(i)]);
    Integer R = SaveStartRow();
    for (Integer i = 0; i < lines.Count(); ++i) {
        const QString line = lines.Strings(i);
        for (Integer k = 1; k < n; ++k) {
            QString f = line.mid(std::max(0, p[size_t(k - 1)] - 1), p[size_t(k)] - p[size_t(k - 1)]);
            if (DoTrim)
                f = f.trimmed();
            LoadCell(SaveStartCol() + k - 1, R, f);
        }
        if (MaxRows != -1 && i + 1 >= MaxRows)
            break;
        if (R + 1 >= RowCount() && i + 1 < lines.Count())
            SetRowCount(R + 2);
        ++R;
    }
    CellsChanged(TRect(0, 0, ColCount(), RowCount()));
    RecalcFooters();
}
