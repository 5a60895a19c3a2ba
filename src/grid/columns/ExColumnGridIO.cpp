// TExColumnGrid: its columns written to and read from a stream, and the
// order in which the user arranged its columns kept in an INI file.
//
// Column stream: "ACG1", a 32-bit little-endian payload length, then the
// payload in Qt's data-stream format: the item count and, per item, its
// published settings as (name, value) pairs ending with an empty name.

#include "grid/columns/ExColumnGrid.h"

#include "platform/Graphics.h"
#include "platform/IniFile.h"
#include "platform/StringList.h"
#include "platform/Streams.h"

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <QVariant>

#include <limits>

namespace {

const char kSignature[4] = {'A', 'C', 'G', '1'};

QStringList LinesOf(const TStrings* List)
{
    QStringList lines;
    for (Integer i = 0; i < List->Count(); ++i)
        lines << List->Strings(i);
    return lines;
}

void SetLines(TStrings* List, const QStringList& Lines)
{
    List->BeginUpdate();
    List->Clear();
    for (const QString& l : Lines)
        List->Add(l);
    List->EndUpdate();
}

int StyleBits(TFontStyles S)
{
    int bits = 0;
    for (TFontStyle f : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
        if (S.Contains(f))
            bits |= 1 << f;
    return bits;
}

TFontStyles StyleOf(int Bits)
{
    TFontStyles s;
    for (TFontStyle f : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
        if (Bits & (1 << f))
            s |= f;
    return s;
}

QVariant FontValue(const TFont* F)
{
    return QVariantList{F->Name(), F->Size(), int(F->Color()), StyleBits(F->Style())};
}

[[noreturn]] void InvalidValue()
{
    throw EReadError(QStringLiteral("Invalid property value"));
}

// The integer a value holds, refused unless it is one in Lo .. Hi.
int IntIn(const QVariant& V, Int64 Lo, Int64 Hi)
{
    if (V.typeId() != QMetaType::Int || V.toInt() < Lo || V.toInt() > Hi)
        InvalidValue();
    return V.toInt();
}

bool BoolOf(const QVariant& V)
{
    if (V.typeId() != QMetaType::Bool)
        InvalidValue();
    return V.toBool();
}

QString StringOf(const QVariant& V)
{
    if (V.typeId() != QMetaType::QString)
        InvalidValue();
    return V.toString();
}

QStringList LinesOf(const QVariant& V)
{
    if (V.typeId() != QMetaType::QStringList)
        InvalidValue();
    return V.toStringList();
}

// A list value of Count entries.
QVariantList ListOf(const QVariant& V, qsizetype Count)
{
    if (V.typeId() != QMetaType::QVariantList)
        InvalidValue();
    QVariantList l = V.toList();
    if (l.size() != Count)
        InvalidValue();
    return l;
}

// Pixel sizes of columns and their limits, as the grid keeps them.
constexpr Int64 MaxPixels = 32767;
constexpr Int64 AnyInt = std::numeric_limits<qint32>::max();
// Font sizes in points (negative: in pixels).
constexpr Int64 MaxFontSize = 1000;

void SetFontValue(TFont* F, const QVariant& V)
{
    const QVariantList l = ListOf(V, 4);
    if (l[0].typeId() != QMetaType::QString)
        InvalidValue();
    const int size = IntIn(l[1], -MaxFontSize, MaxFontSize);
    const int color = IntIn(l[2], -AnyInt - 1, AnyInt);
    const int style = IntIn(l[3], 0, 15);
    F->SetName(l[0].toString());
    F->SetSize(size);
    F->SetColor(TColor(color));
    F->SetStyle(StyleOf(style));
}

QVariant PenValue(const TPen* P)
{
    return QVariantList{int(P->Color()), P->Width(), int(P->Style())};
}

void SetPenValue(TPen* P, const QVariant& V)
{
    const QVariantList l = ListOf(V, 3);
    const int color = IntIn(l[0], -AnyInt - 1, AnyInt);
    const int width = IntIn(l[1], 0, MaxPixels);
    const int style = IntIn(l[2], psSolid, psInsideFrame);
    P->SetColor(TColor(color));
    P->SetWidth(width);
    P->SetStyle(TPenStyle(style));
}

// One value of a column stream, in Qt's data-stream form of a variant: only
// the kinds the writer writes, every count checked against the bytes left
// before anything is made for it, lists of values one level deep.
QVariant ReadValue(QDataStream& In, bool Nested = false)
{
    const auto check = [&In] {
        if (In.status() != QDataStream::Ok)
            throw EReadError(QStringLiteral("Stream read error"));
    };
    const auto count = [&In, &check](qint64 MinItemSize) {
        quint32 n = 0;
        In >> n;
        check();
        if (qint64(n) * MinItemSize > In.device()->bytesAvailable())
            throw EReadError(QStringLiteral("Stream read error"));
        return qsizetype(n);
    };
    quint32 type = 0;
    qint8 isNull = 0;
    In >> type >> isNull;
    check();
    QVariant value;
    switch (type) {
    case QMetaType::Bool: {
        bool b = false;
        In >> b;
        value = b;
        break;
    }
    case QMetaType::Int: {
        qint32 i = 0;
        In >> i;
        value = int(i);
        break;
    }
    case QMetaType::QString: {
        QString text;
        In >> text;
        value = text;
        break;
    }
    case QMetaType::QStringList: {
        const qsizetype n = count(4);
        QStringList lines;
        for (qsizetype i = 0; i < n; ++i) {
            QString line;
            In >> line;
            check();
            lines << line;
        }
        value = lines;
        break;
    }
    case QMetaType::QVariantList: {
        if (Nested)
            InvalidValue();
        const qsizetype n = count(5);
        QVariantList list;
        for (qsizetype i = 0; i < n; ++i)
            list << ReadValue(In, true);
        value = list;
        break;
    }
    default:
        InvalidValue();
    }
    check();
    return value;
}

// One published setting: how it is written and read back.
struct TColumnProperty {
    const char* Name;
    std::function<QVariant(const TGridColumnItem*)> Get;
    std::function<void(TGridColumnItem*, const QVariant&)> Set;
    // Written only when this answers true (default: always).
    std::function<bool(const TGridColumnItem*)> Stored;
};

// An integer or enumeration setting: a stored value outside Lo .. Hi is refused.
#define INT_PROP(N, Type, Lo, Hi)                                                                   \
    TColumnProperty{#N, [](const TGridColumnItem* I) { return QVariant(int(I->N())); },              \
                    [](TGridColumnItem* I, const QVariant& V) { I->Set##N(Type(IntIn(V, Lo, Hi))); }, {}}
#define BOOL_PROP(N)                                                                           \
    TColumnProperty{#N, [](const TGridColumnItem* I) { return QVariant(I->N()); },              \
                    [](TGridColumnItem* I, const QVariant& V) { I->Set##N(BoolOf(V)); }, {}}
#define STR_PROP(N)                                                                            \
    TColumnProperty{#N, [](const TGridColumnItem* I) { return QVariant(I->N()); },              \
                    [](TGridColumnItem* I, const QVariant& V) { I->Set##N(StringOf(V)); },      \
                    [](const TGridColumnItem* I) { return !I->N().isEmpty(); }}
#define LINES_PROP(N)                                                                           \
    TColumnProperty{#N, [](const TGridColumnItem* I) { return QVariant(LinesOf(I->N())); },      \
                    [](TGridColumnItem* I, const QVariant& V) { SetLines(I->N(), LinesOf(V)); }, \
                    [](const TGridColumnItem* I) { return I->N()->Count() > 0; }}
#define FONT_PROP(N)                                                                      \
    TColumnProperty{#N, [](const TGridColumnItem* I) { return FontValue(I->N()); },        \
                    [](TGridColumnItem* I, const QVariant& V) { SetFontValue(I->N(), V); }, {}}
#define PEN_PROP(N)                                                                       \
    TColumnProperty{#N, [](const TGridColumnItem* I) { return PenValue(I->N()); },         \
                    [](TGridColumnItem* I, const QVariant& V) { SetPenValue(I->N(), V); }, {}}

// In the order of declaration; Width and Header act on the grid as they are read.
const std::vector<TColumnProperty>& ColumnProperties()
{
    static const std::vector<TColumnProperty> props = {
        INT_PROP(AutoMinSize, Integer, 0, MaxPixels),
        INT_PROP(AutoMaxSize, Integer, 0, MaxPixels),
        INT_PROP(Alignment, TAlignment, taLeftJustify, taCenter),
        INT_PROP(Borders, TCellBorders, 0, 15),
        PEN_PROP(BorderPen),
        STR_PROP(CheckFalse),
        STR_PROP(CheckTrue),
        INT_PROP(Color, TColor, -AnyInt - 1, AnyInt),
        INT_PROP(ColumnPopupType, TColumnPopupType, cpFixedCellsRClick, cpAllCellsLClick),
        LINES_PROP(ComboItems),
        INT_PROP(DropDownCount, Integer, 0, MaxPixels),
        INT_PROP(EditLength, Integer, 0, AnyInt),
        STR_PROP(EditMask),
        INT_PROP(Editor, TEditorType, edNormal, edMaskEditBtn),
        LINES_PROP(Filter),
        BOOL_PROP(FilterCaseSensitive),
        BOOL_PROP(Fixed),
        STR_PROP(FloatFormat),
        FONT_PROP(Font),
        STR_PROP(Header),
        INT_PROP(HeaderAlignment, TAlignment, taLeftJustify, taCenter),
        FONT_PROP(HeaderFont),
        INT_PROP(MinSize, Integer, 0, MaxPixels),
        INT_PROP(MaxSize, Integer, 0, MaxPixels),
        STR_PROP(Name),
        BOOL_PROP(Password),
        TColumnProperty{"PrintBorderCustom", [](const TGridColumnItem* I) { return QVariant(I->PrintBorderCustom()); },
                        [](TGridColumnItem* I, const QVariant& V) { I->SetPrintBorderCustom(BoolOf(V)); },
                        [](const TGridColumnItem* I) { return !I->PrintBorderCustom(); }},
        INT_PROP(PrintBorders, TCellBorders, 0, 15),
        PEN_PROP(PrintBorderPen),
        INT_PROP(PrintColor, TColor, -AnyInt - 1, AnyInt),
        TColumnProperty{"PrintFontCustom", [](const TGridColumnItem* I) { return QVariant(I->PrintFontCustom()); },
                        [](TGridColumnItem* I, const QVariant& V) { I->SetPrintFontCustom(BoolOf(V)); },
                        [](const TGridColumnItem* I) { return !I->PrintFontCustom(); }},
        FONT_PROP(PrintFont),
        BOOL_PROP(ReadOnly),
        BOOL_PROP(ShowBands),
        INT_PROP(SortStyle, TSortStyle, ssAutomatic, ssAlphaNumericNoCase),
        STR_PROP(SortPrefix),
        STR_PROP(SortSuffix),
        INT_PROP(SpinMax, Integer, -AnyInt - 1, AnyInt),
        INT_PROP(SpinMin, Integer, -AnyInt - 1, AnyInt),
        INT_PROP(SpinStep, Integer, -AnyInt - 1, AnyInt),
        INT_PROP(Tag, Integer, -AnyInt - 1, AnyInt),
        INT_PROP(Width, Integer, 0, MaxPixels),
    };
    return props;
}

#undef INT_PROP
#undef BOOL_PROP
#undef STR_PROP
#undef LINES_PROP
#undef FONT_PROP
#undef PEN_PROP

} // namespace

// ============================================================ TExColumnGridIO

TExColumnGridIO::TExColumnGridIO(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TGridColumnCollection>(dynamic_cast<TExColumnGrid*>(AOwner)))
{
}

TExColumnGridIO::~TExColumnGridIO() = default;

// ============================================================ column streams

void TExColumnGrid::SaveColumnsToStream(TStream* st)
{
    TExColumnGridIO carrier(this);
    carrier.Items()->FNoRecursiveUpdate = true;
    carrier.Items()->Assign(FColumnCollection.get());

    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << qint32(carrier.Items()->Count());
    for (Integer i = 0; i < carrier.Items()->Count(); ++i) {
        const TGridColumnItem* item = carrier.Items()->Items(i);
        for (const TColumnProperty& p : ColumnProperties())
            if (!p.Stored || p.Stored(item))
                out << QString::fromLatin1(p.Name) << p.Get(item);
        out << QString();
    }
    const quint32 n = quint32(payload.size());
    const char length[4] = {char(n & 0xFF), char((n >> 8) & 0xFF), char((n >> 16) & 0xFF), char((n >> 24) & 0xFF)};
    st->WriteBuffer(kSignature, 4);
    st->WriteBuffer(length, 4);
    st->WriteBuffer(payload);
}

void TExColumnGrid::LoadColumnsFromStream(TStream* st)
{
    FColumnCollection->FNoRecursiveUpdate = true;
    struct Reset {
        TGridColumnCollection* C;
        ~Reset() { C->FNoRecursiveUpdate = false; }
    } reset{FColumnCollection.get()};

    char head[8];
    st->ReadBuffer(head, 8);
    if (QByteArray(head, 4) != QByteArray(kSignature, 4))
        throw EReadError(QStringLiteral("Invalid stream format"));
    const quint32 n = quint32(uchar(head[4])) | quint32(uchar(head[5])) << 8 | quint32(uchar(head[6])) << 16
                      | quint32(uchar(head[7])) << 24;
    if (Int64(n) > st->Size() - st->Position())
        throw EReadError(QStringLiteral("Stream read error"));
    QByteArray payload(qsizetype(n), '\0');
    st->ReadBuffer(payload.data(), payload.size());

    TExColumnGridIO carrier(this);
    carrier.Items()->FNoRecursiveUpdate = true;
    QDataStream in(payload);
    in.setVersion(QDataStream::Qt_6_0);
    qint32 count = 0;
    in >> count;
    if (count < 0 || count > MAX_COLUMNS + 1)
        throw EReadError(QStringLiteral("Invalid stream format"));
    for (qint32 i = 0; i < count; ++i) {
        TGridColumnItem* item = carrier.Items()->Add();
        for (;;) {
            QString name;
            in >> name;
            if (in.status() != QDataStream::Ok)
                throw EReadError(QStringLiteral("Stream read error"));
            if (name.isEmpty())
                break;
            const QVariant value = ReadValue(in);
            const auto& props = ColumnProperties();
            const auto it = std::find_if(props.begin(), props.end(),
                                         [&](const TColumnProperty& p) { return name == QLatin1String(p.Name); });
            if (it == props.end())
                throw EReadError(QStringLiteral("Error reading %1.%2: Property does not exist")
                                     .arg(item->GetDisplayName(), name));
            try {
                it->Set(item, value);
            } catch (const EReadError&) {
                throw EReadError(QStringLiteral("Error reading %1.%2: Invalid property value").arg(item->GetDisplayName(), name));
            }
        }
    }
    FColumnCollection->Assign(carrier.Items());
    Invalidate();
}

// ------------------------------------------------------------ column positions

void TExColumnGrid::SaveColumnPositions(const QString& Key, const QString& Section)
{
    TIniFile ini(Key);
    for (Integer i = 0; i < FColumnCollection->Count(); ++i)
        ini.WriteInteger(Section, QStringLiteral("CP%1").arg(i), FColumnCollection->Items(i)->DefIdx());
}

void TExColumnGrid::LoadColumnPositions(const QString& Key, const QString& Section)
{
    TIniFile ini(Key);
    const Integer count = FColumnCollection->Count();
    std::vector<Integer> positions;
    std::vector<bool> seen(size_t(count), false);
    for (Integer i = 0; i < count; ++i) {
        const Integer v = ini.ReadInteger(Section, QStringLiteral("CP%1").arg(i), -1);
        // A missing key, or values that are no arrangement of the columns,
        // leave the columns as they are.
        if (v < 0 || v >= count || seen[size_t(v)])
            return;
        seen[size_t(v)] = true;
        positions.push_back(v);
    }
    ResetColumnOrder();
    for (Integer j = 0; j < count; ++j)
        FColumnCollection->Items(positions[size_t(j)])->SetDefIdx(j);
    FColumnCollection->ResetOrganization();
    for (Integer i = 0; i < count; ++i)
        FColumnCollection->Items(i)->SetDefIdx(positions[size_t(i)]);
}

void TExColumnGrid::SaveColPositions()
{
    if (ColumnSize()->Location() == clIniFile)
        SaveColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
    else
        TExStringGrid::SaveColPositions();
}

void TExColumnGrid::LoadColPositions()
{
    if (ColumnSize()->Location() == clIniFile)
        LoadColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
    else
        TExStringGrid::LoadColPositions();
}
