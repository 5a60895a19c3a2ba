// TExStringGrid: sorting. The rows to sort are ordered by a stable sort of
// their positions, comparing keys made once per cell (the cell's class,
// number and text as the column's sort style reads them), and are then
// moved in one pass with everything that hangs on a row: every real column
// (hidden ones included) with its cell objects and check states, the row
// height, the sort cross-reference, the disjunct row selection and the
// modified marks. The sort settings object lives here too.

#include "grid/ExGrid.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "grid/EsgHTMLE.h"
#include "grid/ExGridCellGraphic.h"
#include "platform/Bitmap.h"
#include "platform/Messages.h"

// ------------------------------------------------------------ settings

TSortSettings::TSortSettings(TExStringGrid* AOwner)
    : FGrid(AOwner), FSortUpGlyph(std::make_unique<TBitmap>()), FSortDownGlyph(std::make_unique<TBitmap>()),
      FIndexUpGlyph(std::make_unique<TBitmap>()), FIndexDownGlyph(std::make_unique<TBitmap>())
{
}

TSortSettings::~TSortSettings() = default;

void TSortSettings::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TSortSettings*>(Source);
    if (src == nullptr)
        return;
    Column = src->Column;
    Direction = src->Direction;
    Row = src->Row;
    Show = src->Show;
    IndexShow = src->IndexShow;
    IndexColor = src->IndexColor;
    IndexSortKey = src->IndexSortKey;
    Full = src->Full;
    SingleColumn = src->SingleColumn;
    IgnoreBlanks = src->IgnoreBlanks;
    BlankPos = src->BlankPos;
    AutoFormat = src->AutoFormat;
    NormalCellsOnly = src->NormalCellsOnly;
    FixedCols = src->FixedCols;
    InitSortDirection = src->InitSortDirection;
    UndoSort = src->UndoSort;
    AutoColumnMerge = src->AutoColumnMerge;
    AutoSortForGrouping = src->AutoSortForGrouping;
    HeaderColor = src->HeaderColor;
    HeaderColorTo = src->HeaderColorTo;
    HeaderMirrorColor = src->HeaderMirrorColor;
    HeaderMirrorColorTo = src->HeaderMirrorColorTo;
    FSortUpGlyph->Assign(src->FSortUpGlyph.get());
    FSortDownGlyph->Assign(src->FSortDownGlyph.get());
    FIndexUpGlyph->Assign(src->FIndexUpGlyph.get());
    FIndexDownGlyph->Assign(src->FIndexDownGlyph.get());
}

QString TSortSettings::SaveToString() const
{
    if (IndexShow)
        return QStringLiteral("i;") + FGrid->SortIndexes()->SaveToString();
    return (Direction == sdDescending ? QStringLiteral("d") : QStringLiteral("u")) + QString::number(Column);
}

void TSortSettings::LoadFromString(const QString& S)
{
    if (S.isEmpty())
        return;
    Show = true;
    if (S.size() < 2)
        throw DOzeDidoRivar(QStringLiteral("Invalid sort settings specifier"));
    if (!S.contains(QLatin1String("i;"))) {
        IndexShow = false;
        Direction = S.contains(u'u') ? sdAscending : sdDescending;
        bool ok = false;
        const Integer col = S.mid(1).toInt(&ok);
        if (ok) {
            Column = col;
            FGrid->QSort();
        }
        return;
    }
    IndexShow = true;
    const QString rest = S.mid(2);
    if (!rest.isEmpty()) {
        FGrid->SortIndexes()->LoadFromString(rest);
        FGrid->QSortIndexed();
    }
}

void TSortSettings::RepaintHeader()
{
    if (FGrid != nullptr && FGrid->FixedRows() > 0)
        FGrid->RepaintRow(FGrid->FixedRows() - 1);
}

void TSortSettings::Remove()
{
    Column = -1;
    FGrid->SortIndexes()->Clear();
    RepaintHeader();
}

void TSortSettings::SetShow(bool Value)
{
    if (Show == Value)
        return;
    Show = Value;
    FGrid->Invalidate();
}

void TSortSettings::SetRow(Integer Value)
{
    if (Value >= FGrid->FixedRows())
        throw DOzeDidoRivar(QStringLiteral("Sort row should be smaller than number of fixed rows"));
    Row = Value;
}

namespace {

void StoreColor(TColor& Field, TColor Value, bool& Changed)
{
    Changed = Field != Value;
    Field = Value;
}

} // namespace

void TSortSettings::SetHeaderColor(TColor Value)
{
    bool changed = false;
    StoreColor(HeaderColor, Value, changed);
    if (changed)
        RepaintHeader();
}

void TSortSettings::SetHeaderColorTo(TColor Value)
{
    bool changed = false;
    StoreColor(HeaderColorTo, Value, changed);
    if (changed)
        RepaintHeader();
}

void TSortSettings::SetHeaderMirrorColor(TColor Value)
{
    bool changed = false;
    StoreColor(HeaderMirrorColor, Value, changed);
    if (changed)
        RepaintHeader();
}

void TSortSettings::SetHeaderMirrorColorTo(TColor Value)
{
    bool changed = false;
    StoreColor(HeaderMirrorColorTo, Value, changed);
    if (changed)
        RepaintHeader();
}

void TSortSettings::SetUpGlyph(const TBitmap* Value) { FSortUpGlyph->Assign(Value); }
void TSortSettings::SetDownGlyph(const TBitmap* Value) { FSortDownGlyph->Assign(Value); }
void TSortSettings::SetIndexUpGlyph(const TBitmap* Value) { FIndexUpGlyph->Assign(Value); }
void TSortSettings::SetIndexDownGlyph(const TBitmap* Value) { FIndexDownGlyph->Assign(Value); }

// ------------------------------------------------------------ cell keys

namespace {

// How a cell takes part in a comparison whose style mixes kinds of text
// (the automatic style and the alphanumeric ones): empty cells first, then
// numbers, dates and times, texts and check boxes, each kind among itself
// by its value. A comparison that picked its style from one of the two
// cells alone would not be an order, and rows would land by chance.
enum TKeyClass : quint8 { kcEmpty, kcNumber, kcDate, kcText, kcCheck };

struct TCellKey {
    QString Text;  // what a text comparison reads (upper-cased, stripped ...)
    double Num = 0;
    quint8 Cls = kcText;
    bool Blank = false;  // the cell's text is empty
};

int Sign(double A, double B)
{
    return A < B ? -1 : (A > B ? 1 : 0);
}

int Sign(int V)
{
    return V < 0 ? -1 : (V > 0 ? 1 : 0);
}

// A plain decimal integer (optional minus, up to 18 characters), read
// directly: the sort's common case.
bool PlainInteger(const QString& S, double& Value)
{
    const qsizetype n = S.size();
    if (n == 0 || n > 18)
        return false;
    const QChar* c = S.constData();
    qsizetype i = c[0] == u'-' ? 1 : 0;
    if (i == n)
        return false;
    qint64 v = 0;
    for (; i < n; ++i) {
        if (c[i] < u'0' || c[i] > u'9')
            return false;
        v = v * 10 + (c[i].unicode() - u'0');
    }
    Value = c[0] == u'-' ? -double(v) : double(v);
    return true;
}

// Anything but a plain integer goes through the platform's conversion with
// "." as separator.
bool ReadNumber(QString S, const QString& Prefix, const QString& Suffix, bool Financial, bool Thousands,
                double& Value)
{
    if (!Prefix.isEmpty()) {
        const qsizetype p = S.indexOf(Prefix);
        if (p >= 0)
            S.remove(p, Prefix.size());
    }
    if (!Suffix.isEmpty()) {
        const qsizetype p = S.indexOf(Suffix);
        if (p >= 0)
            S.remove(p, Suffix.size());
    }
    if (PlainInteger(S, Value))
        return true;
    if (Financial || Thousands)
        S.remove(LocaleThousandSeparator());
    const QChar dec = LocaleDecimalSeparator();
    if (dec != u'.')
        S.replace(dec, u'.');
    bool ok = false;
    Value = S.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(Value))
        Value = 0;
    return ok;
}

// A separator at position 2 or 3 (1-based, not last) with digits around it.
bool SeparatorAt23(const QString& S, QChar Sep)
{
    for (qsizetype p : {qsizetype(1), qsizetype(2)})
        if (p + 1 < S.size() && S.at(p) == Sep && S.at(p - 1).isDigit() && S.at(p + 1).isDigit())
            return true;
    return false;
}

bool ReadDateTime(const QString& S, double& Value)
{
    TDateTime v = 0;
    if (TryStrToDateTime(S, v) || TryStrToDate(S, v)) {
        Value = v;
        return true;
    }
    return false;
}

bool IsCheckType(TCellType T)
{
    return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox;
}

// Styles whose keys compare by their class first, then within it.
bool ByClass(TSortStyle S)
{
    switch (S) {
    case ssAutomatic:
    case ssAlphaNumeric:
    case ssAlphaNumericNoCase:
    case ssDate:
    case ssDateTime:
    case ssTime:
    case ssShortDateEU:
    case ssShortDateUS:
        return true;
    default:
        return false;
    }
}

// Styles whose keys compare as numbers alone.
bool ByNumber(TSortStyle S)
{
    return S == ssNumeric || S == ssFinancial || S == ssImages || S == ssCheckBox;
}

} // namespace

namespace {

// One row's key in the sort column, flattened so that the comparison of
// two rows reads nothing else: class, number, text and blank.
struct TFlatKey {
    // A text's first four code units, packed so that comparing the numbers
    // orders them as the units do (shorter texts padded with zeros).
    union {
        double Num;
        quint64 Prefix;
    };
    const QChar* Text;
    Integer Len;
    Integer Index;
    quint8 Cls;
    bool Blank;
};

// Ordinal comparison of UTF-16 code units (QString::compare's order).
int CompareUnits(const QChar* A, Integer NA, const QChar* B, Integer NB)
{
    const Integer n = std::min(NA, NB);
    for (Integer i = 0; i < n; ++i)
        if (A[i] != B[i])
            return A[i].unicode() < B[i].unicode() ? -1 : 1;
    return NA < NB ? -1 : (NA > NB ? 1 : 0);
}

} // namespace

// The keys of one column over the rows being sorted, made when first
// needed; a column compared only to break a few ties is read cell by cell.
struct TExStringGrid::TSortRun {
    struct TColumn {
        Integer Col = 0;
        TSortStyle Style = ssAutomatic;
        QString Prefix, Suffix;
        bool Ignored = false;
        bool Built = false;
        Integer Uses = 0;
        std::vector<TCellKey> Keys;
    };

    TExStringGrid* G;
    Integer Base = 0;
    Integer Count = 0;
    std::vector<std::unique_ptr<TColumn>> Cols;

    TSortRun(TExStringGrid* Grid, Integer First, Integer N) : G(Grid), Base(First), Count(N) {}

    TColumn& Column(Integer C)
    {
        if (size_t(C) >= Cols.size())
            Cols.resize(size_t(C) + 1);
        std::unique_ptr<TColumn>& col = Cols[size_t(C)];
        if (!col) {
            col = std::make_unique<TColumn>();
            col->Col = C;
            col->Ignored = G->IsIgnoredColumn(C);
            const TSortSettings* s = G->FSortSettings.get();
            col->Style = s->AutoFormat ? ssAutomatic : (s->IgnoreCase ? ssAlphaNoCase : ssAlphabetic);
            G->GetFormat(C, col->Style, col->Prefix, col->Suffix);
        }
        return *col;
    }

    QString CellText(Integer C, Integer R) const
    {
        return G->FSortSettings->SortOnVirtualCells ? G->Cells(C, R) : G->GridCells(C, R);
    }

    void MakeKey(const TColumn& Col, Integer R, TCellKey& K) const
    {
        const Integer c = Col.Col;
        const bool noCase = G->FSortSettings->IgnoreCase;
        QString s = CellText(c, R);
        K.Blank = s.isEmpty();
        switch (Col.Style) {
        case ssAutomatic:
        case ssAlphaNumeric:
        case ssAlphaNumericNoCase: {
            if (Col.Style == ssAutomatic && IsCheckType(G->GetCellType(c, R))) {
                bool state = false;
                G->GetCheckBoxState(c, R, state);
                K.Cls = kcCheck;
                K.Num = state ? 1 : 0;
                return;
            }
            if (Col.Prefix.isEmpty() && Col.Suffix.isEmpty() && PlainInteger(s, K.Num)) {
                K.Cls = kcNumber;
                return;
            }
            const Integer kind = NumericTextKind(s);
            if (kind == 0 || kind == 1 || kind == 5) {
                K.Cls = kcNumber;
                ReadNumber(s, Col.Prefix, Col.Suffix, false, true, K.Num);
                return;
            }
            if (K.Blank) {
                K.Cls = kcEmpty;
                return;
            }
            if (Col.Style == ssAutomatic) {
                const QChar dateSep = LocaleDateSeparator(), timeSep = LocaleTimeSeparator();
                TDateTime v = 0;
                if (SeparatorAt23(s, dateSep) && ReadDateTime(s, K.Num)) {
                    K.Cls = kcDate;
                    return;
                }
                if (!SeparatorAt23(s, dateSep) && SeparatorAt23(s, timeSep) && TryStrToTime(s, v)) {
                    K.Cls = kcDate;
                    K.Num = v;
                    return;
                }
            }
            K.Cls = kcText;
            const bool upper = Col.Style == ssAlphaNumericNoCase || (Col.Style == ssAutomatic && noCase);
            K.Text = upper ? s.toUpper() : std::move(s);
            return;
        }
        case ssAlphabetic:
        case ssAlphaCase:
        case ssAnsiAlphaCase:
        case ssCustom:
            K.Text = std::move(s);
            return;
        case ssAlphaNoCase:
        case ssAnsiAlphaNoCase:
            K.Text = s.toUpper();
            return;
        case ssHTML:
            K.Text = StripHTMLTags(s);
            return;
        case ssNumeric:
        case ssFinancial:
            K.Cls = kcNumber;
            ReadNumber(s, Col.Prefix, Col.Suffix, Col.Style == ssFinancial, false, K.Num);
            return;
        case ssDate:
        case ssDateTime:
            K.Cls = !K.Blank && ReadDateTime(s, K.Num) ? kcDate : kcEmpty;
            return;
        case ssTime: {
            TDateTime v = 0;
            K.Cls = !K.Blank && TryStrToTime(s, v) ? kcDate : kcEmpty;
            K.Num = v;
            return;
        }
        case ssShortDateEU:
        case ssShortDateUS: {
            TDateTime v = 0;
            try {
                v = Col.Style == ssShortDateEU ? ParseDateDMY(s) : ParseDateMDY(s);
            } catch (const std::exception&) {
                v = 0;
            }
            K.Cls = v != 0 ? kcDate : kcEmpty;
            K.Num = v;
            return;
        }
        case ssImages: {
            K.Cls = kcNumber;
            K.Num = -1;
            if (TCellGraphic* g = G->GetCellGraphic(c, R)) {
                if (g->CellType == ctImageList || g->CellType == ctDataImage)
                    K.Num = g->CellIndex;
                else if (g->CellType == ctBitmap || g->CellType == ctIcon)
                    K.Num = double(reinterpret_cast<quintptr>(g->CellType == ctBitmap ? g->CellBitmap()
                                                                                      : g->CellIcon()));
            }
            return;
        }
        case ssCheckBox: {
            bool state = false;
            G->GetCheckBoxState(c, R, state);
            K.Cls = kcNumber;
            K.Num = state ? 1 : 0;
            return;
        }
        case ssRaw:
            return;
        }
    }

    void Build(TColumn& Col)
    {
        Col.Keys.resize(size_t(Count));
        for (Integer i = 0; i < Count; ++i)
            MakeKey(Col, Base + i, Col.Keys[size_t(i)]);
        Col.Built = true;
    }

    // Ascending sign of Row1's key against Row2's, blanks not yet placed.
    Integer CompareKeys(const TColumn& Col, const TCellKey& A, const TCellKey& B, Integer R1, Integer R2) const
    {
        if (ByClass(Col.Style)) {
            if (A.Cls != B.Cls)
                return A.Cls < B.Cls ? -1 : 1;
            if (A.Cls == kcText)
                return Sign(QString::compare(A.Text, B.Text));
            return A.Cls == kcEmpty ? 0 : Sign(A.Num, B.Num);
        }
        if (ByNumber(Col.Style))
            return Sign(A.Num, B.Num);
        switch (Col.Style) {
        case ssAnsiAlphaCase:
        case ssAnsiAlphaNoCase:
            return Sign(QString::localeAwareCompare(A.Text, B.Text));
        case ssCustom: {
            Integer res = 0;
            if (G->OnCustomCompare)
                G->OnCustomCompare(G, A.Text, B.Text, res);
            return res;
        }
        case ssRaw: {
            Integer res = 0;
            if (G->OnRawCompare)
                G->OnRawCompare(G, Col.Col, R1, R2, res);
            return res;
        }
        default:
            return Sign(QString::compare(A.Text, B.Text));
        }
    }

    Integer CompareCells(Integer C, Integer R1, TSortDirection Dir, Integer R2)
    {
        ++G->Compares;
        TColumn& col = Column(C);
        Integer res = 0;
        bool blank1 = false, blank2 = false;
        const bool inRun = R1 >= Base && R2 >= Base && R1 < Base + Count && R2 < Base + Count;
        if (inRun && !col.Built && ++col.Uses > 32)
            Build(col);
        if (inRun && col.Built) {
            const TCellKey& a = col.Keys[size_t(R1 - Base)];
            const TCellKey& b = col.Keys[size_t(R2 - Base)];
            res = CompareKeys(col, a, b, R1, R2);
            blank1 = a.Blank;
            blank2 = b.Blank;
        } else {
            TCellKey a, b;
            MakeKey(col, R1, a);
            MakeKey(col, R2, b);
            res = CompareKeys(col, a, b, R1, R2);
            blank1 = a.Blank;
            blank2 = b.Blank;
        }
        const TSortSettings* s = G->FSortSettings.get();
        if (s->IgnoreBlanks && blank1 != blank2) {
            const Integer first = s->BlankPos == blFirst ? -1 : 1;
            res = blank1 ? first : -first;
            if (Dir == sdDescending)
                res = -res;
        }
        return res;
    }

    Integer LastColumn() const { return G->ColCount() + G->NumHiddenColumns() - 1; }

    // The rows ordered by flat keys of the sort column (Order: positions
    // from Base); false for the styles that need the general comparison.
    bool SortByKeys(std::vector<Integer>& Order);

    Integer CompareRows(Integer C, Integer R1, Integer R2)
    {
        const bool full = G->FSortSettings->Full && !G->FSortSettings->SingleColumn;
        for (Integer c = C; c <= LastColumn(); ++c) {
            const Integer res = Column(c).Ignored ? 0 : CompareCells(c, R1, G->FSortSettings->Direction, R2);
            if (res != 0 || !full)
                return res;
        }
        return 0;
    }

    Integer CompareRowsIndexed(Integer I, Integer R1, Integer R2)
    {
        const TSortIndexList* list = G->FSortIndexes.get();
        for (Integer i = I; i < list->Count(); ++i) {
            const Integer c = list->SortColumns(i);
            const bool ascending = list->SortDirections(i);
            Integer res = Column(c).Ignored ? 0 : CompareCells(c, R1, ascending ? sdAscending : sdDescending, R2);
            if (!ascending)
                res = -res;
            if (res != 0 || !G->FSortSettings->Full)
                return res;
        }
        return 0;
    }
};

// ------------------------------------------------------------ comparisons

Integer TExStringGrid::CompareCells(Integer ACol, Integer Row1, TSortDirection Direction, Integer Row2)
{
    TSortRun run(this, 0, 0);
    return run.CompareCells(ACol, Row1, Direction, Row2);
}

Integer TExStringGrid::CompareRows(Integer ACol, Integer Row1, Integer Row2)
{
    TSortRun run(this, 0, 0);
    return run.CompareRows(ACol, Row1, Row2);
}

Integer TExStringGrid::CompareRowsIndexed(Integer I, Integer Row1, Integer Row2)
{
    TSortRun run(this, 0, 0);
    return run.CompareRowsIndexed(I, Row1, Row2);
}

// ------------------------------------------------------------ moving rows

void TExStringGrid::ApplyRowOrder(Integer Left, const std::vector<Integer>& Order)
{
    const Integer n = Integer(Order.size());
    Integer moved = 0;
    for (Integer i = 0; i < n; ++i)
        if (Order[size_t(i)] != i)
            ++moved;
    if (moved == 0)
        return;
    Swaps += moved;
    // Where the row that stood at Left + i has gone.
    std::vector<Integer> where(Order.size());
    for (Integer i = 0; i < n; ++i)
        where[size_t(Order[size_t(i)])] = i;
    if (SortRow >= Left && SortRow < Left + n)
        SortRow = Left + where[size_t(SortRow - Left)];

    auto permuteInts = [&](TIntList* L, Integer First) {
        if (L == nullptr || First < 0 || First + n > L->Count())
            return;
        std::vector<Integer> old(Order.size());
        for (Integer i = 0; i < n; ++i)
            old[size_t(i)] = L->Items(First + i);
        for (Integer i = 0; i < n; ++i)
            L->TList::SetItems(First + i, reinterpret_cast<void*>(intptr_t(old[size_t(Order[size_t(i)])])));
    };
    permuteInts(FSortRowXRef.get(), Left);

    const TSortSettings* s = FSortSettings.get();
    if (s->SingleColumn) {
        // Only the sort column's cells travel.
        const Integer c = s->Column;
        std::vector<QString> texts(Order.size());
        std::vector<TObject*> objects(Order.size());
        for (Integer i = 0; i < n; ++i) {
            texts[size_t(i)] = GetGridCell(c, Left + Order[size_t(i)]);
            objects[size_t(i)] = GetGridObject(c, Left + Order[size_t(i)]);
        }
        for (Integer i = 0; i < n; ++i) {
            SetGridCell(c, Left + i, texts[size_t(i)]);
            SetGridObject(c, Left + i, objects[size_t(i)]);
        }
        Invalidate();
        return;
    }

    // Column 0 keeps its cells with NormalCellsOnly.
    const bool keepCol0 = s->NormalCellsOnly && FixedCols() > 0;
    std::vector<QString> col0Texts;
    std::vector<TObject*> col0Objects;
    if (keepCol0) {
        for (Integer i = 0; i < n; ++i) {
            col0Texts.push_back(GetGridCell(0, Left + i));
            col0Objects.push_back(GetGridObject(0, Left + i));
        }
    }
    PermuteRows(Left, Order);
    if (keepCol0)
        for (Integer i = 0; i < n; ++i) {
            SetGridCell(0, Left + i, col0Texts[size_t(i)]);
            SetGridObject(0, Left + i, col0Objects[size_t(i)]);
        }

    // The disjunct row selection follows its rows when the cursor does.
    if (FMouseActions->DisjunctRowSelect() && FNavigation->MoveRowOnSort()) {
        std::vector<void*> flags(Order.size(), nullptr);
        auto index = [&](Integer r) { return NumHiddenRows() > 0 ? RealRowIndex(r) : r; };
        for (Integer i = 0; i < n; ++i) {
            const Integer r = index(Left + Order[size_t(i)]);
            flags[size_t(i)] = r < FRowSelect->Count() ? FRowSelect->Items(r) : nullptr;
        }
        for (Integer i = 0; i < n; ++i) {
            const Integer r = index(Left + i);
            if (r >= FRowSelect->Count())
                FRowSelect->SetCount(r + 1);
            FRowSelect->SetItems(r, flags[size_t(i)]);
        }
    }
    if (FShowModified->Enabled() && FModifiedRows->Count() > Left) {
        while (FModifiedRows->Count() < Left + n)
            FModifiedRows->Add(0);
        permuteInts(FModifiedRows.get(), Left);
    }
}

void TExStringGrid::SortRows(Integer Left, Integer Right, TSortRun& Run, bool Indexed)
{
    if (Right <= Left)
        return;
    const Integer n = Right - Left + 1;
    std::vector<Integer> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    if (Indexed) {
        std::stable_sort(order.begin(), order.end(), [&](Integer a, Integer b) {
            return Run.CompareRowsIndexed(0, Left + a, Left + b) < 0;
        });
    } else if (!Run.SortByKeys(order)) {
        const Integer dir = FSortSettings->Direction == sdAscending ? 1 : -1;
        const Integer col = FSortSettings->Column;
        std::stable_sort(order.begin(), order.end(), [&](Integer a, Integer b) {
            return dir * Run.CompareRows(col, Left + a, Left + b) < 0;
        });
    }
    ApplyRowOrder(Left, order);
}


// The sort column's keys sorted as flat values, with the following columns
// asked only on ties: the same order as the general comparison, for every
// style whose comparison reads the keys alone.
bool TExStringGrid::TSortRun::SortByKeys(std::vector<Integer>& Order)
{
    const Integer col = G->FSortSettings->Column;
    const Integer Left = Base, N = Count;
    if (col < 0 || col > LastColumn())
        return false;
    TColumn& c = Column(col);
    // The locale's and the application's comparisons need the general road.
    if (c.Ignored || c.Style == ssAnsiAlphaCase || c.Style == ssAnsiAlphaNoCase || c.Style == ssCustom
        || c.Style == ssRaw)
        return false;
    if (!c.Built)
        Build(c);
    const bool byClass = ByClass(c.Style);
    // Numbers compare as numbers whatever their class in the plain styles.
    const bool numeric = ByNumber(c.Style);
    std::vector<TFlatKey> keys(static_cast<size_t>(N));
    for (Integer i = 0; i < N; ++i) {
        const TCellKey& k = c.Keys[size_t(i)];
        TFlatKey& f = keys[size_t(i)];
        f.Text = k.Text.constData();
        f.Len = Integer(k.Text.size());
        f.Index = i;
        f.Cls = byClass ? k.Cls : (numeric ? quint8(kcNumber) : quint8(kcText));
        f.Blank = k.Blank;
        if (f.Cls == kcText) {
            f.Prefix = 0;
            for (Integer u = 0; u < 4; ++u)
                f.Prefix = (f.Prefix << 16) | (u < f.Len ? f.Text[u].unicode() : 0u);
        } else {
            f.Num = k.Num;
        }
    }
    const TSortSettings* s = G->FSortSettings.get();
    const bool full = s->Full && !s->SingleColumn && col < LastColumn();
    const bool ignoreBlanks = s->IgnoreBlanks;
    const bool blanksFirst = s->BlankPos == blFirst;
    const bool descending = s->Direction == sdDescending;
    Integer compares = 0;
    // Blanks placed by BlankPos stand first or last in both directions.
    std::stable_sort(keys.begin(), keys.end(), [&](const TFlatKey& a, const TFlatKey& b) {
        ++compares;
        if (ignoreBlanks && a.Blank != b.Blank)
            return a.Blank == blanksFirst;
        int res;
        if (a.Cls != b.Cls)
            res = a.Cls < b.Cls ? -1 : 1;
        else if (a.Cls == kcText)
            res = a.Prefix != b.Prefix ? (a.Prefix < b.Prefix ? -1 : 1) : CompareUnits(a.Text, a.Len, b.Text, b.Len);
        else if (a.Cls == kcEmpty)
            res = 0;
        else
            res = a.Num < b.Num ? -1 : (a.Num > b.Num ? 1 : 0);
        if (res == 0 && full)
            res = CompareRows(col + 1, Left + a.Index, Left + b.Index);
        return descending ? res > 0 : res < 0;
    });
    G->Compares += compares;
    for (Integer i = 0; i < N; ++i)
        Order[size_t(i)] = keys[size_t(i)].Index;
    return true;
}

void TExStringGrid::SortFrame(bool HideFooter, bool Indexed, const std::function<void()>& Body)
{
    const Integer oldTop = TopRow();
    BeginUpdate();
    const bool footer = FFloatingFooter->Visible();
    if (HideFooter && footer)
        FFloatingFooter->SetVisibleFlag(false);
    const Integer savedRow = Row();
    SortRow = savedRow;
    const bool entered = FEntered;
    try {
        Body();
    } catch (...) {
        FFloatingFooter->SetVisibleFlag(footer);
        EndUpdate();
        throw;
    }
    if (!FMouseActions->DisjunctRowSelect() || Indexed) {
        const Integer target = FNavigation->MoveRowOnSort() ? SortRow : savedRow;
        if (target != Row() && target >= FixedRows() && target < RowCount())
            MoveColRow(Col(), target, true, false);
    }
    FEntered = entered;
    if (!Indexed && !FNavigation->MoveRowOnSort() && OnRowChanged)
        OnRowChanged(this, savedRow, Row());
    if (FNavigation->KeepScrollOnSort() && oldTop < RowCount())
        TCustomGrid::SetTopRow(oldTop);
    FFloatingFooter->SetVisibleFlag(footer);
    EndUpdate();
    Invalidate();
}

// ------------------------------------------------------------ operations

void TExStringGrid::Sort(Integer Column, TSortDirection Direction)
{
    FSortSettings->Column = Column;
    FSortSettings->Direction = Direction;
    QSort();
}

void TExStringGrid::SortByColumn(Integer Col)
{
    if (RowCount() <= 1)
        return;
    FSortSettings->Column = Col;
    QSort();
}

void TExStringGrid::InitSortXRef()
{
    FSortRowXRef->Clear();
    for (Integer i = 0; i < RowCount(); ++i)
        FSortRowXRef->Add(i);
}

void TExStringGrid::QSort()
{
    if (FSortSettings->Column < 0)
        return;
    if (FSortRowXRef->Count() != RowCount())
        InitSortXRef();
    FSortIndexes->Clear();
    SortFrame(true, false, [this] {
        const Integer first = FixedRows(), last = RowCount() - FixedFooters() - 1;
        TSortRun run(this, first, std::max(0, last - first + 1));
        SortRows(first, last, run, false);
    });
}

void TExStringGrid::QSortIndexed()
{
    if (FSortRowXRef->Count() != RowCount())
        InitSortXRef();
    if (FSortIndexes->Count() == 0)
        throw DOzeDidoRivar(QStringLiteral("No indexes specified for indexed sort"));
    SortFrame(true, true, [this] {
        const Integer first = FixedRows(), last = RowCount() - FixedFooters() - 1;
        TSortRun run(this, first, std::max(0, last - first + 1));
        SortRows(first, last, run, true);
    });
}

void TExStringGrid::QuickSort(Integer Col, Integer Left, Integer Right)
{
    Left = std::max(Left, 0);
    Right = std::min(Right, RowCount() - 1);
    if (Right <= Left)
        return;
    const Integer saved = FSortSettings->Column;
    FSortSettings->Column = Col;
    try {
        TSortRun run(this, Left, Right - Left + 1);
        SortRows(Left, Right, run, false);
    } catch (...) {
        FSortSettings->Column = saved;
        throw;
    }
    FSortSettings->Column = saved;
}

void TExStringGrid::QuickSortIndexed(Integer Left, Integer Right)
{
    Left = std::max(Left, 0);
    Right = std::min(Right, RowCount() - 1);
    if (Right <= Left)
        return;
    TSortRun run(this, Left, Right - Left + 1);
    SortRows(Left, Right, run, true);
}

namespace {

// The rows of every expanded node of the deepest node level, as ranges of
// the rows below the node up to the end of its span.
template <class Grid>
std::vector<std::pair<Integer, Integer>> DeepestNodeSpans(Grid* G)
{
    Integer deepest = 0;
    for (Integer r = G->FixedRows(); r < G->RowCount(); ++r)
        if (G->IsNode(r))
            deepest = std::max(deepest, G->GetNodeLevel(r));
    std::vector<std::pair<Integer, Integer>> spans;
    for (Integer r = G->FixedRows(); r < G->RowCount(); ++r) {
        if (!G->IsNode(r) || G->GetNodeLevel(r) != deepest || G->GetNodeState(r))
            continue;
        const Integer end = G->NodeSpanEnd(r);
        if (end - r > 2)
            spans.emplace_back(r + 1, std::min(end, G->RowCount() - G->FixedFooters()) - 1);
    }
    return spans;
}

} // namespace

void TExStringGrid::QSortGroup()
{
    if (FSortSettings->Column < 0)
        return;
    if (FSortRowXRef->Count() != RowCount())
        InitSortXRef();
    SortFrame(false, false, [this] {
        for (const auto& [first, last] : DeepestNodeSpans(this))
            QuickSort(FSortSettings->Column, first, last);
    });
}

void TExStringGrid::QSortGroupIndexed()
{
    if (FSortRowXRef->Count() != RowCount())
        InitSortXRef();
    if (FSortIndexes->Count() == 0)
        throw DOzeDidoRivar(QStringLiteral("No indexes specified for indexed sort"));
    SortFrame(false, true, [this] {
        for (const auto& [first, last] : DeepestNodeSpans(this))
            QuickSortIndexed(first, last);
    });
}

void TExStringGrid::QUnSort()
{
    const Integer n = std::min(FSortRowXRef->Count(), RowCount());
    if (n == 0)
        return;
    FUnSortRowXRef->Clear();
    for (Integer i = 0; i < n; ++i)
        FUnSortRowXRef->Add(FSortRowXRef->Items(i));
    BeginUpdate();
    try {
        std::vector<Integer> order(static_cast<size_t>(n));
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [this](Integer a, Integer b) { return FUnSortRowXRef->Items(a) < FUnSortRowXRef->Items(b); });
        const Integer savedRow = Row();
        SortRow = savedRow;
        ApplyRowOrder(0, order);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    Invalidate();
}

bool TExStringGrid::SortLine(Integer Col, Integer Row1, Integer Row2)
{
    const Integer dir = FSortSettings->Direction == sdAscending ? 1 : -1;
    if (CompareRows(Col, Row1, Row2) != dir)
        return false;
    SortSwapRows(Row1, Row2);
    return true;
}

void TExStringGrid::SortSwapRows(Integer ARow1, Integer ARow2)
{
    if (ARow1 == ARow2)
        return;
    const Integer lo = std::min(ARow1, ARow2), hi = std::max(ARow1, ARow2);
    std::vector<Integer> order(static_cast<size_t>(hi - lo + 1));
    std::iota(order.begin(), order.end(), 0);
    std::swap(order.front(), order.back());
    // Only the two rows change places (one swap); the rows between keep theirs.
    ApplyRowOrder(lo, order);
    --Swaps;
}

Integer TExStringGrid::SortedRowIndex(Integer ARow) const
{
    const Integer r = ARow >= 0 && ARow < FSortRowXRef->Count() ? FSortRowXRef->Items(ARow) : ARow;
    return RealRowIndex(r);
}

Integer TExStringGrid::UnSortedRowIndex(Integer ARow) const
{
    if (FSortRowXRef->Count() == 0)
        return ARow;
    for (Integer p = 0; p < FSortRowXRef->Count(); ++p)
        if (FSortRowXRef->Items(p) == ARow)
            return p;
    return FSortRowXRef->Count();
}

QString TExStringGrid::UnSortedCells(Integer ACol, Integer ARow) const
{
    if (FSortRowXRef->Count() == 0 || ARow >= FSortRowXRef->Count())
        return Cells(ACol, ARow);
    for (Integer p = 0; p < FSortRowXRef->Count(); ++p)
        if (FSortRowXRef->Items(p) == ARow)
            return Cells(ACol, p);
    return Cells(ACol, ARow);
}

void TExStringGrid::ClickSort(Integer ACol)
{
    if (OnClickSort)
        OnClickSort(this, ACol);
}

// ------------------------------------------------------------ header click

void TExStringGrid::HeaderClickSort(Integer X, Integer Y, Integer ACol, Integer ARow, bool MoveDone)
{
    TSortSettings* s = FSortSettings.get();
    const Integer realCol = DisplToRealCol(ACol);
    Integer downCol = -1, downRow = -1;
    MouseToCell(Clickposx, Clickposy, downCol, downRow);
    if (!(s->Row == ARow && ARow == downRow && FixedRows() > 0 && !IsInCheckBox(realCol, ARow, X, Y) && s->Show
          && !MoveDone && RowCount() > 2))
        return;
    bool canSort = !IsIgnoredColumn(realCol);
    if (OnCanSort)
        OnCanSort(this, realCol, canSort);
    if (!canSort) {
        RepaintCell(ACol, s->Row);
        return;
    }
    HideInplaceEdit();
    if (FSortRowXRef->Count() != RowCount())
        InitSortXRef();
    if (s->AutoColumnMerge)
        SplitAllColumnCells();
    const Integer oldLeft = LeftCol();
    const bool keep = FNavigation->KeepHorizScroll() && (Options() & goRowSelect) != 0;
    auto restore = [&] {
        if (keep) {
            SetLeftCol(oldLeft);
            EndUpdate();
        }
    };
    if (s->IndexShow) {
        const bool key = (GetKeyState(s->IndexSortKey == ikShift ? VK_SHIFT : VK_CONTROL) & 0x8000) != 0;
        const bool initAscending = s->InitSortDirection == sdAscending;
        if (key) {
            if (FSortIndexes->FindIndex(realCol) < 0)
                FSortIndexes->AddIndex(realCol, initAscending);
            else
                FSortIndexes->ToggleIndex(realCol);
        } else if (FSortIndexes->Count() == 1 && FSortIndexes->SortColumns(0) == realCol) {
            FSortIndexes->ToggleIndex(realCol);
        } else {
            FSortIndexes->Clear();
            FSortIndexes->AddIndex(realCol, initAscending);
        }
        if (keep)
            BeginUpdate();
        SortTime = Cardinal(GetTickCount());
        try {
            if (FNumNodes > 0)
                QSortGroupIndexed();
            else
                QSortIndexed();
        } catch (...) {
            restore();
            throw;
        }
        s->Column = FSortIndexes->Count() > 0 ? FSortIndexes->SortColumns(0) : -1;
        SortTime = Cardinal(GetTickCount()) - SortTime;
        restore();
    } else {
        bool undo = false;
        if (s->Column == realCol) {
            undo = s->Direction != s->InitSortDirection && s->UndoSort;
            s->ToggleDirection();
        } else {
            s->Direction = s->InitSortDirection;
            s->Column = realCol;
        }
        SortTime = Cardinal(GetTickCount());
        if (keep)
            BeginUpdate();
        try {
            if (FNumNodes > 0)
                QSortGroup();
            else if (undo) {
                QUnSort();
                s->Column = -1;
            } else
                QSort();
        } catch (...) {
            restore();
            throw;
        }
        restore();
        SortTime = Cardinal(GetTickCount()) - SortTime;
    }
    if (s->AutoColumnMerge)
        RemergeColumnCells();
    if (FControlList->Count() > 0)
        CellControlsUpdate(true);
    ClickSort(s->Column);
}
