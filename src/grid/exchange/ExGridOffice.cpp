// Spreadsheet, word-processor and database exchange of the string grid,
// through the automation servers of the platform.

#include "grid/ExGrid.h"

#include <QFileInfo>

#include "grid/ExObj.h"
#include "grid/exchange/ExchangeUtil.h"
#include "platform/OleAutomation.h"
#include "platform/StringList.h"

namespace {

const QString ExcelID = QStringLiteral("excel.application");
const QString WordID = QStringLiteral("word.application");

TOleObject NewServer(const QString& ProgID, const QString& Missing)
{
    try {
        return CreateOleObject(ProgID);
    } catch (const EOleSysError&) {
        throw DOzeDidoRivar(Missing);
    }
}

// Tells a server the exchange started to quit when the exchange ends, also
// on failure; a server that was running already stays.
struct TQuitServer {
    const TOleObject& App;
    bool Own;
    ~TQuitServer()
    {
        if (Own)
            try {
                App.Call(QStringLiteral("Quit"));
            } catch (...) {
            }
    }
};

// Column letters: 1..26 are A..Z, above two letters.
QString ColumnLetters(Integer N)
{
    if (N <= 26)
        return QString(QChar(u'A' + N - 1));
    return QString(QChar(u'A' + (N - 1) / 26 - 1)) + QChar(u'A' + (N - 1) % 26);
}

// The letters of the last column written: N < 27 one letter, else the two
// letters of N div 26 and N mod 26 (26 gives Z with the first one less).
QString TargetLetters(Integer N)
{
    if (N < 27)
        return QString(QChar(u'A' + N - 1));
    if (N % 26 != 0)
        return QString(QChar(u'A' + N / 26 - 1)) + QChar(u'A' + N % 26 - 1);
    return QString(QChar(u'A' + N / 26 - 2)) + QChar(u'Z');
}

Integer LettersValue(const QString& L)
{
    if (L.size() == 1)
        return L[0].toUpper().unicode() - u'A' + 1;
    if (L.size() == 2)
        return (L[0].toUpper().unicode() - u'A' + 1) * 26 + (L[1].toUpper().unicode() - u'A' + 1);
    return -1;
}

Integer NumberOr(const QString& S, Integer Default)
{
    bool ok = false;
    const Integer v = S.toInt(&ok);
    return ok ? v : Default;
}

// A used-area address such as "$A$1:$C$4" into first and last column and row.
void ParseAddress(QString A, Integer& C1, Integer& C2, Integer& R1, Integer& R2)
{
    C1 = C2 = R1 = R2 = -1;
    const qsizetype colon = A.indexOf(u':');
    if (colon >= 0) {
        QString s2 = A.left(colon), s3 = A.mid(colon + 1);
        if (s2.startsWith(u'$'))
            s2.remove(0, 1);
        if (s3.startsWith(u'$'))
            s3.remove(0, 1);
        if (!s2.contains(u'$')) {
            R1 = NumberOr(s2, -1);
            R2 = NumberOr(s3, -1);
            C1 = 1;
            C2 = 256;
            return;
        }
        R1 = NumberOr(s2.section(u'$', 1), -1);
        R2 = NumberOr(s3.section(u'$', 1), -1);
        C1 = LettersValue(s2.section(u'$', 0, 0));
        C2 = s3.isEmpty() ? -1 : LettersValue(s3.section(u'$', 0, 0));
        return;
    }
    if (!A.contains(u'$')) {
        C1 = C2 = R1 = R2 = 1;
        return;
    }
    A.remove(0, 1);
    R1 = R2 = NumberOr(A.section(u'$', 1), -1);
    C1 = C2 = LettersValue(A.section(u'$', 0, 0));
}

} // namespace

std::unique_ptr<TStringList> TExStringGrid::GetXLSSheets(const QString& FileName)
{
    const TOleObject app = NewServer(ExcelID, QStringLiteral("Excel OLE server not found"));
    auto list = std::make_unique<TStringList>();
    const TQuitServer quit{app, true};
    const TOleObject wb = app.GetObject(QStringLiteral("WorkBooks")).CallObject(QStringLiteral("Open"), {FileName});
    const TOleObject sheets = wb.GetObject(QStringLiteral("WorkSheets"));
    const Integer n = Integer(sheets.Get(QStringLiteral("Count")).ToInt());
    for (Integer i = 1; i <= n; ++i)
        list->Add(sheets.CallObject(QStringLiteral("item"), {i}).Get(QStringLiteral("Name")).ToString());
    wb.Set(QStringLiteral("Saved"), true);
    return list;
}

void TExStringGrid::ReadXLSFile(const QString& FileName, const QString& SheetName)
{
    const THourGlass hourGlass;
    const TOleObject app = NewServer(ExcelID, QStringLiteral("Excel OLE server not found"));
    const TQuitServer quit{app, true};
    const TOleObject wb = app.GetObject(QStringLiteral("WorkBooks")).CallObject(QStringLiteral("Open"), {FileName});
    TOleObject sheet;
    if (!SheetName.isEmpty()) {
        const Integer n = Integer(wb.GetObject(QStringLiteral("Sheets")).Get(QStringLiteral("Count")).ToInt());
        for (Integer i = 1; i <= n; ++i) {
            const TOleObject s = wb.GetObject(QStringLiteral("Sheets"), {i});
            if (s.Get(QStringLiteral("Name")).ToString() == SheetName)
                sheet = s;
        }
        if (sheet.IsNull())
            throw DOzeDidoRivar(QStringLiteral("Excel worksheet ") + SheetName + QStringLiteral(" not found"));
    } else {
        sheet = wb.GetObject(QStringLiteral("ActiveSheet"));
    }
    const QString address = sheet.GetObject(QStringLiteral("UsedRange")).Get(QStringLiteral("Address")).ToString();
    Integer C1, C2, R1, R2;
    ParseAddress(address, C1, C2, R1, R2);

    // Everything is read before the grid changes, so that a workbook that
    // cannot be read leaves the grid as it was.
    TOleVariant values;
    const bool single = !address.contains(u':');
    try {
        if (single) {
            values = sheet.GetObject(QStringLiteral("Rows")).CallObject(QStringLiteral("Cells"), {R1, C1}).Get(QStringLiteral("Value"));
        } else {
            const QString range = ColumnLetters(C1) + QString::number(R1) + u':' + ColumnLetters(C2) + QString::number(R2);
            values = sheet.GetObject(QStringLiteral("Range"), {range}).Get(QStringLiteral("Value"));
        }
    } catch (const std::exception&) {
        throw DOzeDidoRivar(QStringLiteral("Incorrect XLS file"));
    }
    const Integer oldFixedCols = FixedCols(), oldFixedRows = FixedRows();
    if (C1 > 0 && C2 > 0 && R1 > 0 && R2 > 0) {
        SetColCount(C2 - C1 + 1);
        SetRowCount(R2 - R1 + 1);
    }
    Integer CO = 0, RO = 0;
    if (!(SaveFixedCells() || SaveFixedCols())) {
        CO = oldFixedCols;
        SetColCount(ColCount() + oldFixedCols);
    }
    if (!(SaveFixedCells() || SaveFixedRows())) {
        RO = oldFixedRows;
        SetRowCount(RowCount() + oldFixedRows);
    }
    if (oldFixedCols < ColCount())
        SetFixedCols(oldFixedCols);
    if (oldFixedRows < RowCount())
        SetFixedRows(oldFixedRows);
    auto text = [](const TOleVariant& V, QString& T) {
        if (V.Kind() == TOleVariant::vObject || V.Kind() == TOleVariant::vError)
            return false;
        T = V.IsEmpty() ? QString() : V.ToString();
        return true;
    };
    QString t;
    if (single) {
        if (text(values, t))
            LoadCell(CO, RO, t);
    } else {
        const auto& rows = values.Array();
        for (Integer r = 1; r <= RowCount() - RO && r <= Integer(rows.size()); ++r)
            for (Integer c = 1; c <= ColCount() - CO && c <= Integer(rows[size_t(r - 1)].size()); ++c)
                if (text(rows[size_t(r - 1)][size_t(c - 1)], t))
                    LoadCell(c + CO - 1, r + RO - 1, t);
    }
    try {
        wb.Call(QStringLiteral("Close"), {false});
    } catch (...) {
    }
    CellsChanged(TRect(0, 0, ColCount(), RowCount()));
    RecalcFooters();
}

void TExStringGrid::WriteXLSFile(const QString& FileName, const QString& SheetName, bool CreateNewSheet)
{
    const THourGlass hourGlass;
    TOleObject app;
    const bool running = GetActiveOleObject(ExcelID, app);
    if (!running)
        app = NewServer(ExcelID, QStringLiteral("Excel OLE server not found"));
    const TQuitServer quit{app, !running};

    TOleObject wb, sheet;
    Integer D = 1;
    bool saveAs = true;
    const TOleObject books = app.GetObject(QStringLiteral("WorkBooks"));
    if (!SheetName.isEmpty()) {
        // A file that is there but cannot be opened as a workbook is not
        // replaced by a new workbook: its other sheets would be lost.
        if (QFileInfo::exists(FileName)) {
            try {
                wb = books.CallObject(QStringLiteral("Open"), {FileName});
                saveAs = false;
            } catch (const EOleException&) {
                throw DOzeDidoRivar(QStringLiteral("Incorrect XLS file"));
            }
        } else {
            wb = books.CallObject(QStringLiteral("Add"));
        }
        const TOleObject sheets = wb.GetObject(QStringLiteral("Sheets"));
        const Integer n = Integer(sheets.Get(QStringLiteral("Count")).ToInt());
        for (Integer i = 1; i <= n; ++i) {
            const TOleObject s = wb.GetObject(QStringLiteral("Sheets"), {i});
            if (s.Get(QStringLiteral("Name")).ToString() == SheetName)
                sheet = s;
        }
        if (sheet.IsNull()) {
            sheet = wb.GetObject(QStringLiteral("WorkSheets")).CallObject(QStringLiteral("Add"));
            sheet.Set(QStringLiteral("Name"), SheetName);
        }
    } else if (CreateNewSheet || books.Get(QStringLiteral("Count")).ToInt() == 0) {
        wb = books.CallObject(QStringLiteral("Add"));
        sheet = wb.GetObject(QStringLiteral("Sheets"), {1});
    } else {
        wb = app.GetObject(QStringLiteral("ActiveWorkBook"));
        sheet = wb.GetObject(QStringLiteral("ActiveSheet"));
        D = Integer(app.GetObject(QStringLiteral("ActiveCell")).Get(QStringLiteral("Row")).ToInt());
    }

    const Integer SR = SaveStartRow(), SC = SaveStartCol();
    std::vector<std::vector<TOleVariant>> data;
    ExportNotification(esExportStart, SR);
    for (Integer r = SR; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        std::vector<TOleVariant> row;
        for (Integer c = SC; c < ColCount(); ++c) {
            QString s;
            SaveCell(RealColIndex(c), r, s);
            row.emplace_back(s.remove(QChar(13)));
        }
        data.push_back(std::move(row));
    }
    ExportNotification(esExportDone, -1);
    const Integer N = ColCount() - SC;
    if (N > 0 && !data.empty()) {
        const QString target = QStringLiteral("A%1:%2%3").arg(D).arg(TargetLetters(N)).arg(D + Integer(data.size()) - 1);
        sheet.GetObject(QStringLiteral("Range"), {target}).Set(QStringLiteral("Value"), TOleVariant(std::move(data)));
    }
    // A workbook that could not be saved is reported, not passed as written.
    if (saveAs)
        wb.Call(QStringLiteral("SaveAs"), {FileName});
    else
        wb.Call(QStringLiteral("Save"));
}

void TExStringGrid::WriteDOCFile(const QString& FileName, const QString& Bookmark, bool Append, bool CreateNewDocument)
{
    const THourGlass hourGlass;
    TOleObject app;
    const bool running = GetActiveOleObject(WordID, app);
    if (!running)
        app = NewServer(WordID, QStringLiteral("Word OLE server not found"));
    const TQuitServer quit{app, !running};

    const TOleObject docs = app.GetObject(QStringLiteral("Documents"));
    TOleObject doc;
    if (Append)
        doc = docs.CallObject(QStringLiteral("Open"), {FileName});
    else if (CreateNewDocument || docs.Get(QStringLiteral("Count")).ToInt() == 0)
        doc = docs.CallObject(QStringLiteral("Add"));
    else
        doc = app.GetObject(QStringLiteral("ActiveDocument"));
    doc.Set(QStringLiteral("ShowSpellingErrors"), false);
    const TOleObject selection = app.GetObject(QStringLiteral("Selection"));
    selection.Call(QStringLiteral("TypeText"), {Caption()});
    selection.Call(QStringLiteral("TypeParaGraph"));

    TOleObject range;
    if (Append && !Bookmark.isEmpty()
        && doc.GetObject(QStringLiteral("Bookmarks")).Call(QStringLiteral("Exists"), {Bookmark}).ToBool()) {
        range = doc.CallObject(QStringLiteral("Goto"), {-1, Bookmark});
    } else if (Append) {
        doc.GetObject(QStringLiteral("Paragraphs")).Call(QStringLiteral("Add"));
        selection.Call(QStringLiteral("Goto"), {3, -1});
        const TOleVariant end = selection.Get(QStringLiteral("End"));
        range = doc.CallObject(QStringLiteral("Range"), {end, end});
    } else {
        range = doc.CallObject(QStringLiteral("Range"), {0, 0});
    }
    const TOleObject table = doc.GetObject(QStringLiteral("Tables"))
                                 .CallObject(QStringLiteral("Add"), {range, RowCount(), ColCount()});
    ExportNotification(esExportStart, 0);
    for (Integer r = 1; r <= RowCount(); ++r) {
        ExportNotification(esExportNextRow, r - 1);
        for (Integer c = 1; c <= ColCount(); ++c) {
            QString s;
            SaveCell(RealColIndex(c - 1), r - 1, s);
            const TOleObject cellRange = table.CallObject(QStringLiteral("Cell"), {r, c}).GetObject(QStringLiteral("Range"));
            cellRange.Call(QStringLiteral("InsertAfter"), {s});
            const TAlignment a = CalcCellAlignment(c - 1, r - 1).first;
            if (a == taRightJustify)
                cellRange.GetObject(QStringLiteral("ParagraphFormat")).Set(QStringLiteral("Alignment"), 2);
            else if (a == taCenter)
                cellRange.GetObject(QStringLiteral("ParagraphFormat")).Set(QStringLiteral("Alignment"), 1);
        }
    }
    ExportNotification(esExportDone, -1);
    doc.Call(QStringLiteral("SaveAs"), {FileName});
}

void TExStringGrid::LoadFromMDBSQL(const QString& FileName, const QString& SQL)
{
    const TOleObject connection = CreateOleObject(QStringLiteral("ADODB.Connection"));
    connection.Call(QStringLiteral("Open"), {QStringLiteral("Driver={Microsoft Access Driver (*.mdb)};DBQ=") + FileName});
    const TOleObject records = CreateOleObject(QStringLiteral("ADODB.RecordSet"));
    records.Set(QStringLiteral("ActiveConnection"), connection);
    records.Call(QStringLiteral("Open"), {SQL});
    const TOleObject fields = records.GetObject(QStringLiteral("Fields"));
    const Integer N = Integer(fields.Get(QStringLiteral("Count")).ToInt());
    SetColCount(N + FixedCols());
    if (FixedRows() > 0)
        for (Integer i = 0; i < N; ++i)
            SetCells(FixedCols() + i, FixedRows() - 1, records.GetObject(QStringLiteral("Fields"), {i}).Get(QStringLiteral("Name")).ToString());
    const Int64 count = records.Get(QStringLiteral("RecordCount")).ToInt();
    if (count > 0)
        SetRowCount(FixedRows() + Integer(count));
    Integer R = FixedRows();
    while (!records.Get(QStringLiteral("Eof")).ToBool()) {
        for (Integer i = 0; i < N; ++i) {
            const TOleObject f = records.GetObject(QStringLiteral("Fields"), {i});
            LoadCell(FixedCols() + i, R, f.Get(QStringLiteral("ActualSize")).ToInt() > 0 ? f.Get(QStringLiteral("Value")).ToString() : QString());
        }
        records.Call(QStringLiteral("MoveNext"));
        ++R;
        if (RowCount() < R)
            SetRowCount(RowCount() + 1);
    }
    records.Call(QStringLiteral("Close"));
    connection.Call(QStringLiteral("Close"));
}
