// The cell block stream: a rectangle of cells with their properties,
// graphics and the payloads of the graphics, as a sequence of records.
//
// Each record is one small object: the signature "TPF0", its class name and
// an empty object name as short strings (a length byte, then Latin-1
// characters), then its properties, each a short-string name, a type byte
// and the value, and two zero bytes (end of the properties, end of the
// children). Values: 3 a 32-bit integer, 8 False, 9 True, 5 a double, 18 a
// string (32-bit count of UTF-16 units, then the units), 10 binary data
// (32-bit byte count, then the bytes), 1 a list of strings (each as type 18,
// a zero byte ends it). All numbers are little-endian.

#include "grid/ExGrid.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringList>
#include <QtEndian>
#include <map>
#include <variant>

#include "grid/ExObj.h"
#include "platform/Bitmap.h"
#include "platform/Streams.h"
#include "platform/StringList.h"

namespace {

enum : Byte { vaNull = 0, vaList = 1, vaInt32 = 3, vaDouble = 5, vaFalse = 8, vaTrue = 9, vaBinary = 10, vaWString = 18 };

const QByteArray Signature("TPF0");

class TRecordWriter {
public:
    explicit TRecordWriter(TStream* S) : FStream(S) {}

    void Begin(const char* ClassName)
    {
        FStream->WriteBuffer(Signature);
        Short(ClassName);
        Short("");
    }
    void End()
    {
        const Byte end[2] = {0, 0};
        FStream->WriteBuffer(end, 2);
    }
    void Int(const char* Name, qint32 V)
    {
        Short(Name);
        Type(vaInt32);
        Raw32(V);
    }
    void Bool(const char* Name, bool V)
    {
        Short(Name);
        Type(V ? vaTrue : vaFalse);
    }
    // Strings are written only when not empty, doubles only when not 0.
    void Str(const char* Name, const QString& V)
    {
        if (V.isEmpty())
            return;
        Short(Name);
        WStr(V);
    }
    void Dbl(const char* Name, double V)
    {
        if (V == 0)
            return;
        Short(Name);
        Type(vaDouble);
        FStream->WriteBuffer(&V, sizeof V);
    }
    void Bin(const char* Name, const QByteArray& V)
    {
        Short(Name);
        Type(vaBinary);
        Raw32(qint32(V.size()));
        FStream->WriteBuffer(V);
    }
    void List(const char* Name, const QStringList& V)
    {
        Short(Name);
        Type(vaList);
        for (const QString& s : V)
            WStr(s);
        Type(vaNull);
    }

private:
    void Short(const char* S)
    {
        const QByteArray b(S);
        const Byte n = Byte(b.size());
        FStream->WriteBuffer(&n, 1);
        FStream->WriteBuffer(b);
    }
    void Type(Byte T) { FStream->WriteBuffer(&T, 1); }
    void Raw32(qint32 V)
    {
        const qint32 le = qToLittleEndian(V);
        FStream->WriteBuffer(&le, 4);
    }
    void WStr(const QString& V)
    {
        Type(vaWString);
        Raw32(qint32(V.size()));
        for (QChar c : V) {
            const quint16 u = qToLittleEndian(c.unicode());
            FStream->WriteBuffer(&u, 2);
        }
    }
    TStream* FStream;
};

using TValue = std::variant<qint32, bool, double, QString, QByteArray, QStringList>;
using TProps = std::map<QString, TValue>;

// Reads one record of an expected class; the reader's cost is bounded by
// the bytes the stream holds.
class TRecordReader {
public:
    explicit TRecordReader(TStream* S) : FStream(S) {}

    TProps Read(const QString& ClassName, std::initializer_list<const char*> Known)
    {
        QByteArray sig(4, '\0');
        FStream->ReadBuffer(sig.data(), 4);
        if (sig != Signature)
            throw EReadError(QStringLiteral("Invalid stream format"));
        const QString cls = Short();
        if (cls != ClassName)
            throw EReadError(QStringLiteral("Class %1 not found").arg(cls));
        Short();
        TProps props;
        for (;;) {
            const QString name = Short();
            if (name.isEmpty())
                break;
            bool known = false;
            for (const char* k : Known)
                known = known || name == QLatin1String(k);
            if (!known)
                throw EReadError(QStringLiteral("Error reading %1.%2: Property %2 does not exist")
                                     .arg(ClassName, name));
            props[name] = Value();
        }
        if (Byte() != 0)
            throw EReadError(QStringLiteral("Invalid stream format"));
        return props;
    }

private:
    ::Byte Byte()
    {
        ::Byte b = 0;
        FStream->ReadBuffer(&b, 1);
        return b;
    }
    qint32 Raw32()
    {
        qint32 v = 0;
        FStream->ReadBuffer(&v, 4);
        return qFromLittleEndian(v);
    }
    // A count of Unit-sized items that the rest of the stream can hold.
    qint32 Count(Int64 Unit)
    {
        const qint32 n = Raw32();
        if (n < 0 || Int64(n) * Unit > FStream->Size() - FStream->Position())
            throw EReadError(QStringLiteral("Stream read error"));
        return n;
    }
    QString Short()
    {
        const ::Byte n = Byte();
        QByteArray b(n, '\0');
        FStream->ReadBuffer(b.data(), n);
        return QString::fromLatin1(b);
    }
    QString WStr()
    {
        const qint32 n = Count(2);
        QString s(n, Qt::Uninitialized);
        for (qint32 i = 0; i < n; ++i) {
            quint16 u = 0;
            FStream->ReadBuffer(&u, 2);
            s[i] = QChar(qFromLittleEndian(u));
        }
        return s;
    }
    TValue Value()
    {
        switch (const ::Byte t = Byte()) {
        case vaInt32:
            return Raw32();
        case vaFalse:
            return false;
        case vaTrue:
            return true;
        case vaDouble: {
            double d = 0;
            FStream->ReadBuffer(&d, sizeof d);
            return d;
        }
        case vaWString:
            return WStr();
        case vaBinary: {
            QByteArray b(Count(1), '\0');
            FStream->ReadBuffer(b.data(), b.size());
            return b;
        }
        case vaList: {
            QStringList l;
            for (::Byte k = Byte(); k != vaNull; k = Byte()) {
                if (k != vaWString)
                    throw EReadError(QStringLiteral("Invalid property value"));
                l << WStr();
            }
            return l;
        }
        default:
            throw EReadError(QStringLiteral("Invalid property value %1").arg(t));
        }
    }
    TStream* FStream;
};

qint32 IntOf(const TProps& P, const char* Name, qint32 Default)
{
    auto it = P.find(QLatin1String(Name));
    return it != P.end() && std::holds_alternative<qint32>(it->second) ? std::get<qint32>(it->second) : Default;
}
bool BoolOf(const TProps& P, const char* Name, bool Default)
{
    auto it = P.find(QLatin1String(Name));
    return it != P.end() && std::holds_alternative<bool>(it->second) ? std::get<bool>(it->second) : Default;
}
QString StrOf(const TProps& P, const char* Name)
{
    auto it = P.find(QLatin1String(Name));
    return it != P.end() && std::holds_alternative<QString>(it->second) ? std::get<QString>(it->second) : QString();
}
bool HasProp(const TProps& P, const char* Name)
{
    return P.find(QLatin1String(Name)) != P.end();
}

Integer FontStyleBits(TFontStyles S)
{
    Integer b = 0;
    for (TFontStyle f : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
        if (S.Contains(f))
            b |= 1 << f;
    return b;
}
TFontStyles FontStyleOf(Integer Bits)
{
    TFontStyles s;
    for (TFontStyle f : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
        if ((Bits & (1 << f)) != 0)
            s |= f;
    return s;
}

// Integers of a comma list; a part that is no integer raises EConvertError.
std::vector<Integer> IntegerList(const QString& Text)
{
    std::vector<Integer> v;
    if (Text.isEmpty())
        return v;
    for (const QString& part : Text.split(QLatin1Char(','))) {
        bool ok = false;
        const Integer n = part.trimmed().toInt(&ok);
        if (!ok)
            throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(part));
        v.push_back(n);
    }
    return v;
}

const std::initializer_list<const char*> PropIOKnown = {"ColCount", "RowCount", "ColWidths",
                                                        "RowHeights", "FullGrid", "ID"};
const std::initializer_list<const char*> CellIOKnown = {"Col", "Row", "Cell", "HasProp"};
const std::initializer_list<const char*> CellPropIOKnown = {
    "CellProperties.IsBaseCell", "CellProperties.CellSpanX", "CellProperties.CellSpanY",
    "CellProperties.OwnerCol", "CellProperties.OwnerRow", "CellProperties.Alignment",
    "CellProperties.BorderColor", "CellProperties.BorderWidth", "CellProperties.BrushColor",
    "CellProperties.BrushColorTo", "CellProperties.BrushStyle", "CellProperties.FontColor",
    "CellProperties.FontName", "CellProperties.FontSize", "CellProperties.FontStyle", "CellProperties.Editor",
    "CellProperties.GradientDirection", "CellProperties.ReadOnly", "CellProperties.VAlignment",
    "CellProperties.WordWrap", "CellProperties.NodeLevel", "HasGraphic"};
const std::initializer_list<const char*> GraphicIOKnown = {
    "CellGraphic.CellType", "CellGraphic.CellVAlign", "CellGraphic.CellHAlign", "CellGraphic.CellIndex",
    "CellGraphic.CellTransparent", "CellGraphic.CellCreated", "CellGraphic.CellBoolean",
    "CellGraphic.CellCheckBoxState", "CellGraphic.CellAngle", "CellGraphic.CellValue", "CellGraphic.CellErrFrom",
    "CellGraphic.CellErrLen", "CellGraphic.CellText"};

void WriteCellProperties(TRecordWriter& W, const TCellProperties* P, bool HasGraphic)
{
    W.Begin("TGridCellPropIO");
    W.Bool("CellProperties.IsBaseCell", P->IsBaseCell());
    W.Int("CellProperties.CellSpanX", P->CellSpanX());
    W.Int("CellProperties.CellSpanY", P->CellSpanY());
    W.Int("CellProperties.OwnerCol", P->OwnerCol());
    W.Int("CellProperties.OwnerRow", P->OwnerRow());
    W.Int("CellProperties.Alignment", P->Alignment());
    W.Int("CellProperties.BorderColor", qint32(P->BorderColor()));
    W.Int("CellProperties.BorderWidth", P->BorderWidth());
    W.Int("CellProperties.BrushColor", qint32(P->BrushColor()));
    W.Int("CellProperties.BrushColorTo", qint32(P->BrushColorTo()));
    W.Int("CellProperties.BrushStyle", P->BrushStyle());
    W.Int("CellProperties.FontColor", qint32(P->FontColor()));
    W.Str("CellProperties.FontName", P->FontName());
    W.Int("CellProperties.FontSize", P->FontSize());
    W.Int("CellProperties.FontStyle", FontStyleBits(P->FontStyle()));
    W.Int("CellProperties.Editor", P->Editor());
    W.Int("CellProperties.GradientDirection", P->GradientDirection());
    W.Bool("CellProperties.ReadOnly", P->ReadOnly());
    W.Int("CellProperties.VAlignment", P->VAlignment());
    W.Bool("CellProperties.WordWrap", P->WordWrap());
    W.Int("CellProperties.NodeLevel", P->NodeLevel());
    W.Bool("HasGraphic", HasGraphic);
    W.End();
}

// Properties a record does not carry keep the target's values.
void ReadCellProperties(const TProps& R, TCellProperties* P)
{
    auto i = [&](const char* n, qint32 d) { return IntOf(R, n, d); };
    P->SetIsBaseCell(BoolOf(R, "CellProperties.IsBaseCell", P->IsBaseCell()));
    P->SetCellSpanX(i("CellProperties.CellSpanX", P->CellSpanX()));
    P->SetCellSpanY(i("CellProperties.CellSpanY", P->CellSpanY()));
    P->SetAlignment(TAlignment(i("CellProperties.Alignment", P->Alignment())));
    P->SetBorderColor(TColor(i("CellProperties.BorderColor", qint32(P->BorderColor()))));
    P->SetBorderWidth(i("CellProperties.BorderWidth", P->BorderWidth()));
    P->SetBrushColor(TColor(i("CellProperties.BrushColor", qint32(P->BrushColor()))));
    P->SetBrushColorTo(TColor(i("CellProperties.BrushColorTo", qint32(P->BrushColorTo()))));
    P->SetBrushStyle(TBrushStyle(i("CellProperties.BrushStyle", P->BrushStyle())));
    P->SetFontColor(TColor(i("CellProperties.FontColor", qint32(P->FontColor()))));
    if (HasProp(R, "CellProperties.FontName"))
        P->SetFontName(StrOf(R, "CellProperties.FontName"));
    P->SetFontSize(i("CellProperties.FontSize", P->FontSize()));
    P->SetFontStyle(FontStyleOf(i("CellProperties.FontStyle", FontStyleBits(P->FontStyle()))));
    P->SetEditor(TEditorType(i("CellProperties.Editor", P->Editor())));
    P->SetGradientDirection(TCellGradientDirection(i("CellProperties.GradientDirection", P->GradientDirection())));
    P->SetReadOnly(BoolOf(R, "CellProperties.ReadOnly", P->ReadOnly()));
    P->SetVAlignment(TVAlignment(i("CellProperties.VAlignment", P->VAlignment())));
    P->SetWordWrap(BoolOf(R, "CellProperties.WordWrap", P->WordWrap()));
    P->SetNodeLevel(i("CellProperties.NodeLevel", P->NodeLevel()));
}

// Whether a cell's graphic is written: for the kinds that carry a payload,
// only when the graphic owns it.
bool GraphicWritten(const TCellGraphic* G)
{
    if (G == nullptr || G->CellType == ctEmpty || G->CellType == ctNone)
        return false;
    switch (G->CellType) {
    case ctBitmap:
    case ctIcon:
    case ctRadio:
    case ctImages:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
        return G->CellCreated;
    default:
        return true;
    }
}

void WriteGraphic(TRecordWriter& W, const TCellGraphic* G)
{
    W.Begin("TGridGraphicIO");
    W.Int("CellGraphic.CellType", G->CellType);
    W.Int("CellGraphic.CellVAlign", G->CellVAlign);
    W.Int("CellGraphic.CellHAlign", G->CellHAlign);
    W.Int("CellGraphic.CellIndex", G->CellIndex);
    W.Bool("CellGraphic.CellTransparent", G->CellTransparent);
    W.Bool("CellGraphic.CellCreated", G->CellCreated);
    W.Bool("CellGraphic.CellBoolean", G->CellBoolean);
    W.Int("CellGraphic.CellCheckBoxState", G->CellCheckBoxState);
    W.Int("CellGraphic.CellAngle", G->CellAngle);
    W.Dbl("CellGraphic.CellValue", G->CellValue);
    W.Int("CellGraphic.CellErrFrom", G->CellErrFrom);
    W.Int("CellGraphic.CellErrLen", G->CellErrLen);
    // The descriptor's text is emptied before the copy, so that no text of
    // an earlier cell is carried.
    W.End();

    switch (G->CellType) {
    case ctBitmap:
    case ctBitButton: {
        const auto* bmp = dynamic_cast<const TBitmap*>(G->CellBitmap());
        W.Begin("TGridBMPIO");
        W.Bin("Bitmap.Data", bmp != nullptr ? bmp->SaveToBytes("PNG") : QByteArray());
        W.End();
        break;
    }
    case ctIcon: {
        const auto* icon = dynamic_cast<const TIcon*>(G->CellIcon());
        W.Begin("TGridIconIO");
        W.Bin("Icon.Data", icon != nullptr ? icon->SaveToBytes("PNG") : QByteArray());
        W.End();
        break;
    }
    case ctRadio: {
        const auto* items = dynamic_cast<const TStrings*>(G->CellBitmap());
        QStringList l;
        for (Integer i = 0; items != nullptr && i < items->Count(); ++i)
            l << items->Strings(i);
        W.Begin("TGridSLIO");
        W.List("Strings.Strings", l);
        W.End();
        break;
    }
    case ctImages: {
        const auto* idx = dynamic_cast<const TIntList*>(G->CellBitmap());
        QStringList l;
        for (Integer i = 0; idx != nullptr && i < idx->Count(); ++i)
            l << QString::number(idx->Items(i));
        W.Begin("TGridSLIO");
        W.List("Strings.Strings", l);
        W.End();
        break;
    }
    case ctPicture: {
        const auto* pic = dynamic_cast<const TPicture*>(G->CellBitmap());
        W.Begin("TGridPicIO");
        W.Bin("Picture.Data",
              pic != nullptr && pic->Graphic() != nullptr ? pic->Graphic()->SaveToBytes("PNG") : QByteArray());
        W.End();
        break;
    }
    case ctFilePicture: {
        const auto* fp = dynamic_cast<const TFilePicture*>(G->CellBitmap());
        W.Begin("TGridFilePicIO");
        W.Str("Picture.Filename", fp != nullptr ? fp->Filename() : QString());
        W.End();
        break;
    }
    default:
        break;
    }
}

QByteArray BinOf(const TProps& P, const char* Name)
{
    auto it = P.find(QLatin1String(Name));
    return it != P.end() && std::holds_alternative<QByteArray>(it->second) ? std::get<QByteArray>(it->second)
                                                                           : QByteArray();
}
QStringList ListOf(const TProps& P, const char* Name)
{
    auto it = P.find(QLatin1String(Name));
    return it != P.end() && std::holds_alternative<QStringList>(it->second) ? std::get<QStringList>(it->second)
                                                                            : QStringList();
}

} // namespace

// The identity a block carries so that a paste recognises its own grid.
Integer GridStreamID(const TExStringGrid* Grid)
{
    return Integer(qHash(qMakePair(QCoreApplication::applicationPid(), quintptr(Grid))) & 0x7FFFFFFF);
}

// The column and row counts and the grid identity of a block's header.
void ReadBlockHeader(TStream* Stream, Integer& Cols, Integer& Rows, Integer& ID)
{
    TRecordReader rd(Stream);
    const TProps head = rd.Read(QStringLiteral("TGridPropIO"), PropIOKnown);
    Cols = IntOf(head, "ColCount", 0);
    Rows = IntOf(head, "RowCount", 0);
    ID = IntOf(head, "ID", 0);
}

void TExStringGrid::SaveRectToBinStream(TRect Rect, TStream* Stream)
{
    TRecordWriter w(Stream);
    QStringList widths, heights;
    for (Integer c = Rect.Left; c <= Rect.Right; ++c)
        widths << QString::number(ColWidths(c));
    for (Integer r = Rect.Top; r <= Rect.Bottom; ++r)
        heights << QString::number(RowHeights(r));
    const Integer cols = Rect.Right - Rect.Left + 1, rows = Rect.Bottom - Rect.Top + 1;
    const bool full = SaveFixedCells() ? cols == ColCount() && rows == RowCount()
                                       : cols == ColCount() - FixedCols() && rows == RowCount() - FixedRows();
    w.Begin("TGridPropIO");
    w.Int("ColCount", cols);
    w.Int("RowCount", rows);
    w.Str("ColWidths", widths.join(QLatin1Char(',')));
    w.Str("RowHeights", heights.join(QLatin1Char(',')));
    w.Bool("FullGrid", full);
    w.Int("ID", GridStreamID(this));
    w.End();

    ExportNotification(esExportStart, Rect.Top);
    FLastProgress = -1;
    for (Integer r = Rect.Top; r <= Rect.Bottom; ++r) {
        ExportNotification(esExportNextRow, r);
        for (Integer c = Rect.Left; c <= Rect.Right; ++c) {
            const bool hasProp = HasCellProperties(c, r);
            w.Begin("TGridCellIO");
            w.Int("Col", c & 0xFFFF);
            w.Int("Row", r & 0xFFFF);
            w.Str("Cell", Cells(c, r));
            w.Bool("HasProp", hasProp);
            w.End();
            if (!hasProp)
                continue;
            const TCellGraphic* g = GetCellGraphic(c, r);
            const bool hasGraphic = GraphicWritten(g);
            WriteCellProperties(w, GetCellProperties(c, r), hasGraphic);
            if (hasGraphic)
                WriteGraphic(w, g);
        }
        if (OnFileProgress)
            FileProgress(qRound(double(r) / std::max(1, Rect.Bottom - Rect.Top) * 100));
    }
    ExportNotification(esExportDone, -1);
}

void TExStringGrid::SaveToBinStream(TStream* Stream)
{
    SaveRectToBinStream(TRect(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()), Stream);
}

void TExStringGrid::SaveToBinFile(const QString& FileName)
{
    TMemoryStream ms;
    SaveToBinStream(&ms);
    ms.SaveToFile(FileName);
}

void TExStringGrid::LoadAtPointFromBinStream(TPoint Point, TStream* Stream)
{
    // The whole block is read once without changing anything, so that a
    // broken block raises before the grid changes.
    {
        TMemoryStream copy;
        const Int64 start = Stream->Position();
        QByteArray rest(Stream->Size() - start, '\0');
        Stream->ReadBuffer(rest.data(), rest.size());
        Stream->SetPosition(start);
        copy.WriteBuffer(rest);
        copy.SetPosition(0);
        ReadBlock(Point, &copy, false);
    }
    ReadBlock(Point, Stream, true);
}

void TExStringGrid::ReadBlock(TPoint Point, TStream* Stream, bool Apply)
{
    TRecordReader rd(Stream);
    const TProps head = rd.Read(QStringLiteral("TGridPropIO"), PropIOKnown);
    const bool full = BoolOf(head, "FullGrid", false);
    if (full) {
        const std::vector<Integer> widths = IntegerList(StrOf(head, "ColWidths"));
        const std::vector<Integer> heights = IntegerList(StrOf(head, "RowHeights"));
        if (Apply) {
            Clear();
            SetRowCount(IntOf(head, "RowCount", RowCount()));
            SetColCount(IntOf(head, "ColCount", ColCount()));
            for (Integer c = 0; c < ColCount() && c < Integer(widths.size()); ++c)
                SetColWidths(c, widths[size_t(c)]);
            for (Integer r = 0; r < RowCount() && r < Integer(heights.size()); ++r)
                SetRowHeights(r, heights[size_t(r)]);
        }
    }
    FLastProgress = -1;
    bool first = true;
    Integer originCol = 0, originRow = 0, lastRow = -1;
    while (Stream->Size() - Stream->Position() >= 2) {
        const TProps cell = rd.Read(QStringLiteral("TGridCellIO"), CellIOKnown);
        const Integer col = IntOf(cell, "Col", 0), row = IntOf(cell, "Row", 0);
        if (first) {
            first = false;
            if (!full) {
                originCol = col;
                originRow = row;
            }
        }
        const Integer tc = col + Point.X - originCol, tr = row + Point.Y - originRow;
        if (tc < 0 || tr < 0)
            throw EReadError(QStringLiteral("Invalid cell position"));
        if (Apply) {
            SetCells(tc, tr, StrOf(cell, "Cell"));
            if (tr != lastRow) {
                lastRow = tr;
                if (OnFileProgress)
                    FileProgress(qRound(double(tr) / std::max(1, RowCount()) * 100));
            }
        }
        if (!BoolOf(cell, "HasProp", false))
            continue;
        const TProps prop = rd.Read(QStringLiteral("TGridCellPropIO"), CellPropIOKnown);
        if (Apply) {
            TCellProperties* target = GetCellProperties(tc, tr);
            ReadCellProperties(prop, target);
            target->SetOwnerCol(tc);
            target->SetOwnerRow(tr);
        }
        if (!BoolOf(prop, "HasGraphic", false))
            continue;
        const TProps gp = rd.Read(QStringLiteral("TGridGraphicIO"), GraphicIOKnown);
        const TCellType type = TCellType(IntOf(gp, "CellGraphic.CellType", 0));
        TProps payload;
        switch (type) {
        case ctBitmap:
        case ctBitButton: payload = rd.Read(QStringLiteral("TGridBMPIO"), {"Bitmap.Data"}); break;
        case ctIcon: payload = rd.Read(QStringLiteral("TGridIconIO"), {"Icon.Data"}); break;
        case ctRadio:
        case ctImages: payload = rd.Read(QStringLiteral("TGridSLIO"), {"Strings.Strings"}); break;
        case ctPicture: payload = rd.Read(QStringLiteral("TGridPicIO"), {"Picture.Data"}); break;
        case ctFilePicture: payload = rd.Read(QStringLiteral("TGridFilePicIO"), {"Picture.Filename"}); break;
        default: break;
        }
        if (type == ctImages)
            IntegerList(ListOf(payload, "Strings.Strings").join(QLatin1Char(',')));
        if (!Apply)
            continue;
        TCellGraphic* g = CreateCellGraphic(tc, tr);
        auto gi = [&](const char* n) { return IntOf(gp, n, 0); };
        g->CellType = type;
        g->CellVAlign = TCellVAlign(gi("CellGraphic.CellVAlign"));
        g->CellHAlign = TCellHAlign(gi("CellGraphic.CellHAlign"));
        g->CellIndex = gi("CellGraphic.CellIndex");
        g->CellTransparent = BoolOf(gp, "CellGraphic.CellTransparent", false);
        g->CellCreated = BoolOf(gp, "CellGraphic.CellCreated", false);
        g->CellBoolean = BoolOf(gp, "CellGraphic.CellBoolean", false);
        g->CellCheckBoxState = TCheckBoxState(gi("CellGraphic.CellCheckBoxState"));
        g->CellAngle = gi("CellGraphic.CellAngle");
        {
            auto it = gp.find(QStringLiteral("CellGraphic.CellValue"));
            g->CellValue = it != gp.end() && std::holds_alternative<double>(it->second) ? std::get<double>(it->second)
                                                                                       : 0;
        }
        g->CellErrFrom = gi("CellGraphic.CellErrFrom");
        g->CellErrLen = gi("CellGraphic.CellErrLen");
        g->CellText = StrOf(gp, "CellGraphic.CellText");
        switch (type) {
        case ctBitmap:
        case ctBitButton: {
            auto* bmp = new TBitmap();
            bmp->LoadFromBytes(BinOf(payload, "Bitmap.Data"));
            g->SetCellBitmap(bmp);
            g->CellCreated = true;
            break;
        }
        case ctIcon: {
            auto* icon = new TIcon();
            icon->LoadFromBytes(BinOf(payload, "Icon.Data"));
            g->SetCellIcon(icon);
            g->CellCreated = true;
            break;
        }
        case ctRadio: {
            auto* items = new TStringList();
            for (const QString& s : ListOf(payload, "Strings.Strings"))
                items->Add(s);
            g->SetCellBitmap(items);
            g->CellCreated = true;
            break;
        }
        case ctImages: {
            auto* list = new TIntList(tc, tr);
            list->SetStrValue(ListOf(payload, "Strings.Strings").join(QLatin1Char(',')));
            list->OnChange = [this](TObject*, Integer Col, Integer Row) { RepaintCell(RealToDisplCol(Col), Row); };
            g->SetCellBitmap(list);
            break;
        }
        case ctPicture: {
            TBitmap bmp;
            auto* pic = new TPicture();
            if (bmp.LoadFromBytes(BinOf(payload, "Picture.Data")))
                pic->SetGraphic(&bmp);
            g->SetCellBitmap(pic);
            g->CellCreated = true;
            break;
        }
        case ctFilePicture: {
            auto* fp = new TFilePicture();
            fp->SetFilename(StrOf(payload, "Picture.Filename"));
            g->SetCellBitmap(fp);
            g->CellCreated = true;
            break;
        }
        default:
            break;
        }
    }
}

void TExStringGrid::LoadFromBinStream(TStream* Stream)
{
    LoadAtPointFromBinStream(TPoint(0, 0), Stream);
    Integer nodes = 0;
    for (Integer r = FixedRows(); r < RowCount(); ++r)
        if (GetCellType(0, r) == ctNode)
            ++nodes;
    FNumNodes = nodes;
    if (nodes > 0)
        RepaintCol(0);
}

void TExStringGrid::LoadFromBinFile(const QString& FileName)
{
    TMemoryStream ms;
    ms.LoadFromFile(FileName);
    LoadFromBinStream(&ms);
}

void TExStringGrid::FileProgress(Integer Progress)
{
    if (Progress != FLastProgress) {
        FLastProgress = Progress;
        if (OnFileProgress)
            OnFileProgress(this, Progress);
    }
}
