// CSV files and streams of the string grid.

#include "grid/ExGrid.h"

#include "grid/ExObj.h"
#include "grid/exchange/ExchangeUtil.h"
#include "platform/FileSystem.h"
#include "platform/Streams.h"
#include "platform/StringList.h"
#include "platform/Text.h"

namespace {
const QChar Quote(u'"');
const QString Candidates = QStringLiteral(",;#\t|@*-+&");
} // namespace

void TExStringGrid::WriteCSVFile(const QString& FileName, bool Append, bool Unicode)
{
    const QChar D = Delimiter().isNull() ? QChar(u',') : Delimiter();
    const Integer H = SaveHiddenCells() ? NumHiddenColumns() : 0;
    TStringList lines;
    if (Append && FileExists(FileName))
        LoadExchangeLines(lines, FileName);
    ExportNotification(esExportStart, SaveStartRow());
    FLastProgress = -1;
    for (Integer r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        QString line;
        for (Integer c = SaveStartCol(); c <= SaveEndCol() + H; ++c) {
            if (c > SaveStartCol())
                line += D;
            QString t;
            SaveCell(SaveHiddenCells() ? c : RealColIndex(c), r, t);
            t.replace(Quote, QStringLiteral("\"\""));
            if (OemConvert())
                StringToOem(t);
            bool q = false;
            if (AlwaysQuotes()) {
                t = Quote + t + Quote;
                q = true;
            } else if (!t.contains(D) && (t.contains(Quote) || t.startsWith(u' '))) {
                // Leading blanks are quoted too: reading drops them from a
                // bare field.
                t = Quote + t + Quote;
                q = true;
            }
            if (t.isEmpty()) {
                if (JavaCSV())
                    t = QStringLiteral("^");
                else if (QuoteEmptyCells())
                    t = QStringLiteral("\"\"");
            }
            if (t.contains(D) || t.contains(QChar(13))) {
                if (JavaCSV()) {
                    t.replace(QChar(13), QChar(u'~'));
                    t.remove(QChar(10));
                } else if (q) {
                    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
                } else {
                    t.replace(QStringLiteral("\r\n"), QString(QChar(11)));
                    t = Quote + t + Quote;
                }
            }
            line += t;
        }
        lines.Add(line);
        if (OnFileProgress)
            FileProgress(qRound(double(r) / std::max(1, RowCount() - 1) * 100));
    }
    ExportNotification(esExportDone, -1);
    if (Unicode) {
        QString err;
        if (!lines.SaveToFile(FileName, TTextEncoding::UTF8, &err))
            throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, err));
    } else {
        SaveExchangeLines(lines, FileName, false);
    }
}

void TExStringGrid::ReadCSVFile(const QString& FileName, bool Insert, Integer MaxRows)
{
    TFileStream fs(FileName, fmOpenRead | fmShareDenyNone);
    if (fs.Size() == 0)
        return;
    ReadCSVStream(&fs, Insert, MaxRows);
}

namespace {

// The delimiter that the first two lines agree on; QChar(0) for none.
QChar DetectDelimiter(const QString& L1, const QString& L2)
{
    QChar best;
    Integer bestCount = 0;
    for (QChar c : Candidates) {
        const Integer a = CountClosingQuotes(c, L1), b = CountClosingQuotes(c, L2);
        if (a == b && a > bestCount) {
            best = c;
            bestCount = a;
        }
    }
    if (best.isNull())
        for (QChar c : Candidates) {
            const Integer a = CountChar(c, L1), b = CountChar(c, L2);
            if (a == b && a > bestCount) {
                best = c;
                bestCount = a;
            }
        }
    if (best.isNull())
        for (QChar c : Candidates) {
            const Integer m = std::max(CountChar(c, L1), CountChar(c, L2));
            if (m > bestCount) {
                best = c;
                bestCount = m;
            }
        }
    return best;
}

void TrimLeadingBlanks(QString& S)
{
    while (S.size() >= 2 && S[0] == u' ')
        S.remove(0, 1);
}

} // namespace

void TExStringGrid::ReadCSVStream(TStream* Stream, bool Insert, Integer MaxRows)
{
    TStringList lines;
    lines.LoadFromStream(Stream);
    if (lines.Count() == 0)
        throw std::runtime_error("File is empty");
    const QChar oldDelimiter = Delimiter();
    Integer W = Insert ? RowCount() : SaveStartRow();
    QStringList footer;
    const bool keepFooter = Insert && FFloatingFooter->Visible();
    if (keepFooter) {
        for (Integer c = 0; c < ColCount() + NumHiddenColumns(); ++c)
            footer << GetGridCell(c, RowCount() - 1);
        ResetRow(RowCount() - 1);
        for (Integer c = 0; c < ColCount() + NumHiddenColumns(); ++c)
            SetGridCell(c, RowCount() - 1, QString());
        W = RowCount() - 1;
    }
    if (Delimiter().isNull())
        SetDelimiter(DetectDelimiter(lines.Strings(0), lines.Count() > 1 ? lines.Strings(1) : QString()));
    const QChar D = Delimiter();
    struct TRestore {
        TExStringGrid* G;
        QChar D;
        ~TRestore() { G->SetDelimiter(D); }
    } restore{this, oldDelimiter};

    const Integer first = LoadFirstRow() ? 0 : 1;
    const Integer N = lines.Count() - first;
    if (OnFileProgress)
        SetRowCount(Insert ? RowCount() + lines.Count() : SaveStartRow() + lines.Count() + FixedFooters());
    // Rows for every line to be read, made at once: a visible footer row
    // then moves once, before any row is written.
    {
        Integer toRead = lines.Count() - first;
        if (MaxRows > 0)
            toRead = std::min(toRead, MaxRows);
        // The shown footer row is the fixed footer: counted once.
        const Integer need = W + toRead + std::max<Integer>(FixedFooters(), keepFooter ? 1 : 0);
        if (RowCount() < need)
            SetRowCount(need);
    }
    FLastProgress = -1;
    Integer read = 0;
    const Integer H = SaveHiddenCells() ? NumHiddenColumns() : 0;
    auto convert = [this](QString F) {
        if (JavaCSV()) {
            F.replace(QChar(u'~'), QStringLiteral("\r\n"));
            if (F == QLatin1String("^"))
                F.clear();
        } else {
            VTabToCRLF(F);
        }
        return F;
    };
    auto grow = [this, H](Integer C) {
        if (C + 1 >= H + ColCount())
            SetColCount(C + 1 - H);
    };
    for (Integer li = first; li < lines.Count(); ++li) {
        if (MaxRows > 0 && read >= MaxRows)
            break;
        QString line = lines.Strings(li);
        if (OemConvert())
            OemToString(line);
        if (W >= RowCount() - FixedFooters())
            SetRowCount(W + 1000);
        Integer C = SaveStartCol();
        qsizetype p = D.isNull() ? -1 : line.indexOf(D);
        while (p >= 0) {
            TrimLeadingBlanks(line);
            p = line.indexOf(D);
            QString field;
            if (line.startsWith(Quote)) {
                line.remove(0, 1);
                Integer closing = 0;
                if (FindClosingQuote(Quote, line, closing) > 0 && closing > 0) {
                    field = line.left(closing - 1).replace(QStringLiteral("\"\""), QStringLiteral("\""));
                    line.remove(0, closing);
                    p = line.indexOf(D);
                } else {
                    p = line.indexOf(D);
                }
            } else {
                field = line.left(p);
            }
            LoadCell(C, W, convert(field));
            if (p >= 0)
                line.remove(0, p + 1);
            grow(C);
            ++C;
            p = line.indexOf(D);
        }
        if (!line.isEmpty()) {
            TrimLeadingBlanks(line);
            QString field = line;
            if (field.startsWith(Quote)) {
                field.remove(0, 1);
                if (field.endsWith(Quote))
                    field.chop(1);
                field.replace(QStringLiteral("\"\""), QStringLiteral("\""));
            }
            LoadCell(C, W, convert(field));
            grow(C);
        }
        ++W;
        ++read;
        if (OnFileProgress)
            FileProgress(N > 0 ? qRound(double(read) / N * 100) : 100);
    }
    // The footer kept aside gets a row of its own after the new ones.
    SetRowCount(W + std::max<Integer>(FixedFooters(), keepFooter ? 1 : 0));
    if (keepFooter) {
        for (qsizetype c = 0; c < footer.size(); ++c)
            SetGridCell(Integer(c), RowCount() - 1, footer[c]);
    }
    CellsChanged(TRect(0, 0, ColCount(), RowCount()));
    RecalcFooters();
}
