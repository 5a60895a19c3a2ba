// Drag and drop of grid cells: the base drop target and source, the data
// object offered for dragged cells and columns, and the dropped-format reader.
#include "esgdd.h"

#include "platform/Clipboard.h"
#include "platform/StringList.h"
#include "platform/Streams.h"
#include "platform/Text.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QPixmap>
#include <utility>
#include <QUrl>


namespace {

Cardinal gRTF = 0, gGridColumn = 0, gGridCells = 0, gURL = 0;
bool gRTFFlag = false;

const char* const RTFName = "Rich Text Format";
const char* const GridColumnName = "Grid Column";
const char* const GridCellsName = "TExStringGrid Cells";
const char* const URLName = "UniformResourceLocator";

// The mime type Qt gives a registered clipboard format of that name.
QString RegisteredMime(const char* Name)
{
    return ClipboardFormatMime(QLatin1String(Name));
}

void PutLong(QByteArray& b, qsizetype at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

std::uint32_t GetLong(const QByteArray& b, qsizetype at)
{
    if (at < 0 || at + 4 > b.size())
        return 0;
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= std::uint32_t(Byte(b.at(at + i))) << (8 * i);
    return v;
}

QByteArray AnsiBlock(const QString& S)
{
    QByteArray b = EncodeText(S, TTextEncoding::ANSI, false);
    b.append('\0');
    return b;
}

QByteArray WideBlock(const QString& S)
{
    QByteArray b(qsizetype(S.size()) * 2 + 2, '\0');
    for (qsizetype i = 0; i < S.size(); ++i) {
        b[2 * i] = char(S.at(i).unicode() & 0xFF);
        b[2 * i + 1] = char(S.at(i).unicode() >> 8);
    }
    return b;
}

// The ANSI text of a block up to its first zero byte.
QString AnsiText(const QByteArray& b)
{
    const qsizetype end = b.indexOf('\0');
    return DecodeText(end < 0 ? b : b.left(end));
}

// The UTF-16 text from byte offset At up to a zero unit; Next gets the
// offset after that zero.
QString WideText(const QByteArray& b, qsizetype At, qsizetype* Next = nullptr)
{
    QString s;
    qsizetype p = At;
    for (; p + 1 < b.size(); p += 2) {
        const char16_t u = char16_t(Byte(b.at(p)) | (Byte(b.at(p + 1)) << 8));
        if (u == 0) {
            p += 2;
            break;
        }
        s += QChar(u);
    }
    if (Next)
        *Next = p;
    return s;
}

// The platform's file-list block: list offset, drop point, flags, wide flag,
// then the names (UTF-16), each ended by a zero, and an empty name.
QByteArray DropFilesBlock(const QStringList& Files)
{
    QByteArray b(20, '\0');
    PutLong(b, 0, 20);
    PutLong(b, 16, 1);
    for (const QString& f : Files)
        b += WideBlock(f);
    b += QByteArray(2, '\0');
    return b;
}

// The block of one format as a dropped object offers it; empty when absent.
QByteArray BlockOf(const QMimeData* Data, Cardinal Format)
{
    if (!Data || Format == 0)
        return {};
    if (Format == CF_UNICODETEXT || Format == CF_TEXT) {
        if (!Data->hasText())
            return {};
        return Format == CF_TEXT ? AnsiBlock(Data->text()) : WideBlock(Data->text());
    }
    if (Format == CF_RTF()) {
        QByteArray b = Data->data(RegisteredMime(RTFName));
        if (b.isEmpty())
            b = Data->data(QStringLiteral("text/rtf"));
        if (b.isEmpty())
            b = Data->data(QStringLiteral("application/rtf"));
        if (!b.isEmpty() && !b.endsWith('\0'))
            b.append('\0');
        return b;
    }
    if (Format == CF_GRIDCOLUMN())
        return Data->data(RegisteredMime(GridColumnName));
    if (Format == CF_GRIDCELLS())
        return Data->data(RegisteredMime(GridCellsName));
    if (Format == CF_HDROP) {
        QStringList files;
        for (const QUrl& u : Data->urls())
            if (u.isLocalFile())
                files << u.toLocalFile();
        return files.isEmpty() ? QByteArray() : DropFilesBlock(files);
    }
    if (Format == CF_URL()) {
        QByteArray b = Data->data(RegisteredMime(URLName));
        if (!b.isEmpty())
            return b;
        for (const QUrl& u : Data->urls())
            if (!u.isLocalFile())
                return AnsiBlock(u.toString());
        return {};
    }
    return {};
}

} // namespace

// ------------------------------------------------------------ unit state

void RegisterGridFormats()
{
    if (gRTF != 0)
        return;
    // Numbered as the platform numbers registered clipboard formats.
    gRTF = 0xC100;
    gGridColumn = 0xC101;
    gGridCells = 0xC102;
    gURL = 0xC103;
}

Cardinal CF_RTF() { return gRTF; }
Cardinal CF_GRIDCOLUMN() { return gGridColumn; }
Cardinal CF_GRIDCELLS() { return gGridCells; }
Cardinal CF_URL() { return gURL; }

void SetOleDropRTFFlag(bool Value)
{
    gRTFFlag = Value;
}

bool OleDropRTFFlag()
{
    return gRTFFlag;
}

Integer DropEffectFor(WPARAM KeyState, Integer Allowed)
{
    if (KeyState & MK_CONTROL)
        return DROPEFFECT_COPY;
    return (Allowed & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

// ------------------------------------------------------------ TEnumFormats

TEnumFormats::TEnumFormats(const QMimeData* DataObject)
    : FDataObject(DataObject), FFiles(std::make_unique<TStringList>())
{
    RegisterGridFormats();
    for (Cardinal f : {CF_UNICODETEXT, CF_TEXT, CF_RTF(), CF_GRIDCOLUMN(), CF_GRIDCELLS(), CF_HDROP, CF_URL()})
        if (!BlockOf(FDataObject, f).isEmpty())
            FEnumerator.push_back(TFormatEtc{f, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    Reset();
}

TEnumFormats::~TEnumFormats() = default;

void TEnumFormats::Reset()
{
    FPosition = 0;
}

bool TEnumFormats::Next()
{
    ++FCount;
    FValid = FPosition < FEnumerator.size();
    if (FValid)
        FFormatEtc = FEnumerator[FPosition++];
    return FValid;
}

bool TEnumFormats::HasFormat(Cardinal Format)
{
    Reset();
    while (Next())
        if (FFormatEtc.cfFormat == Format)
            return true;
    return false;
}

QByteArray TEnumFormats::Handle(Cardinal Medium) const
{
    if (!FValid || (FFormatEtc.tymed & Medium) == 0)
        return {};
    return BlockOf(FDataObject, FFormatEtc.cfFormat);
}

QString TEnumFormats::Text()
{
    return HasText() ? WideText(GlobalHandle(), 0) : QString();
}

QString TEnumFormats::RTF()
{
    return HasRTF() ? AnsiText(GlobalHandle()) : QString();
}

Integer TEnumFormats::Col()
{
    if (!HasCol())
        return -1;
    const QByteArray b = GlobalHandle();
    return b.size() >= 4 ? Integer(GetLong(b, 0)) : -1;
}

std::unique_ptr<TMemoryStream> TEnumFormats::Stream()
{
    if (!HasGridCells())
        return nullptr;
    const QByteArray b = GlobalHandle();
    if (b.size() < 8)
        return nullptr;
    // The byte count as written, bounded by what the block holds.
    const qsizetype n = std::min<qsizetype>(GetLong(b, 0), b.size() - 8);
    auto s = std::make_unique<TMemoryStream>();
    s->WriteBuffer(b.constData() + 8, n);
    s->SetPosition(0);
    return s;
}

bool TEnumFormats::ReadDropFiles()
{
    FFiles->Clear();
    if (!HasFile())
        return false;
    const QByteArray b = GlobalHandle();
    const bool wide = GetLong(b, 16) != 0;
    qsizetype p = qsizetype(GetLong(b, 0)) & ~qsizetype(1);
    while (p < b.size()) {
        QString name;
        if (wide) {
            name = WideText(b, p, &p);
        } else {
            const qsizetype end = b.indexOf('\0', p);
            name = DecodeText(b.mid(p, end < 0 ? -1 : end - p));
            p = end < 0 ? b.size() : end + 1;
        }
        if (name.isEmpty())
            break;
        FFiles->Add(name);
    }
    return FFiles->Count() > 0;
}

// ---------------------------------------------------------- drop target

HRESULT TESGDropTarget::DragEnter(const QMimeData* DataObject, WPARAM KeyState, TPoint, Integer& Effect)
{
    TEnumFormats r(DataObject);
    const bool text = r.HasText(), files = r.HasFile(), rtf = r.HasRTF(), col = r.HasCol(), url = r.HasURL(),
               cells = r.HasGridCells();
    FOk = (text && FAcceptText) || (files && FAcceptFiles) || (rtf && gRTFFlag && FAcceptText)
          || (col && FAcceptCols) || (url && FAcceptURLs) || cells;
    FDropFormats = TDropFormats();
    const std::pair<bool, TDropFormat> present[] = {{text, dfText}, {files, dfFile}, {rtf, dfRTF},
                                                    {col, dfCol},   {url, dfURL},    {cells, dfGridCells}};
    for (auto [has, f] : present)
        if (has)
            FDropFormats.Include(f);
    Effect = FOk ? DropEffectFor(KeyState, Effect) : DROPEFFECT_NONE;
    DragMouseEnter();
    return S_OK;
}

HRESULT TESGDropTarget::DragOver(WPARAM KeyState, TPoint Pt, Integer& Effect)
{
    Effect = FOk ? DropEffectFor(KeyState, Effect) : DROPEFFECT_NONE;
    bool allow = Effect != DROPEFFECT_NONE;
    DragMouseMove(Pt, allow, FDropFormats);
    if (!allow)
        Effect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT TESGDropTarget::DragLeave()
{
    DragMouseLeave();
    return S_OK;
}

HRESULT TESGDropTarget::Drop(const QMimeData* DataObject, WPARAM KeyState, TPoint Pt, Integer& Effect)
{
    if (!FOk) {
        Effect = DROPEFFECT_NONE;
        return S_OK;
    }
    TEnumFormats r(DataObject);
    if (r.HasCol()) {
        DropCol(Pt, r.Col());
    } else {
        if (r.HasGridCells())
            DropStream(Pt, r.Stream());
        else if (gRTFFlag && r.HasRTF())
            DropRTF(Pt, r.RTF());
        else if (r.HasText())
            DropText(Pt, r.Text());
        if (r.ReadDropFiles())
            DropFiles(Pt, r.Files());
        if (r.HasURL()) {
            QString text = r.Text();
            if (text.isEmpty() && r.HasURL())
                text = AnsiText(r.GlobalHandle());
            DropURL(Pt, text);
        }
    }
    Effect = DropEffectFor(KeyState, Effect);
    return S_OK;
}

bool DispatchDragEvent(TESGDropTarget* Target, QEvent* Event, TPoint Origin)
{
    if (!Target || !Event)
        return false;
    switch (Event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(Event);
        const QPoint local = e->position().toPoint();
        const TPoint pt(Origin.X + local.x(), Origin.Y + local.y());
        const WPARAM keys = DragKeyStateOf(int(e->buttons()), int(e->modifiers()));
        Integer effect = DropEffectsOf(int(e->possibleActions()));
        if (Event->type() == QEvent::DragEnter)
            Target->DragEnter(e->mimeData(), keys, pt, effect);
        else if (Event->type() == QEvent::DragMove)
            Target->DragOver(keys, pt, effect);
        else
            Target->Drop(e->mimeData(), keys, pt, effect);
        if (effect == DROPEFFECT_NONE) {
            e->setDropAction(Qt::IgnoreAction);
            e->ignore();
        } else {
            e->setDropAction(Qt::DropAction(QtActionOf(effect)));
            e->accept();
        }
        return true;
    }
    case QEvent::DragLeave:
        Target->DragLeave();
        return true;
    default:
        return false;
    }
}

// ---------------------------------------------------------- drop source

HRESULT TESGDropSource::QueryContinueDrag(bool EscapePressed, WPARAM KeyState)
{
    HRESULT result = S_OK;
    if (EscapePressed) {
        DragFinished();
        result = DRAGDROP_S_CANCEL;
    } else if ((KeyState & MK_LBUTTON) == 0) {
        DragFinished();
        result = DRAGDROP_S_DROP;
    }
    QueryDrag();
    return result;
}

HRESULT TESGDropSource::GiveFeedback(Integer Effect)
{
    FNoAccept = Effect == DROPEFFECT_NONE;
    CurrentEffect(Effect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

// ----------------------------------------------------------- data object

TSourceDataObject::TSourceDataObject(const QString& Text, const QString& RTF, Integer Column, TMemoryStream* Cells)
    : textdata(Text), rtfdata(RTF), scolidx(Column), memstr(Cells)
{
    RegisterGridFormats();
}

HRESULT TSourceDataObject::EnumFormatEtc(Integer Direction, std::unique_ptr<TSourceEnumFormatEtc>& Enum) const
{
    if (Direction != DATADIR_GET) {
        Enum.reset();
        return E_NOTIMPL;
    }
    Enum = std::make_unique<TSourceEnumFormatEtc>(scolidx != -1, memstr != nullptr);
    return S_OK;
}

HRESULT TSourceDataObject::QueryGetData(const TFormatEtc& Format) const
{
    if (Format.dwAspect != DVASPECT_CONTENT || Format.tymed != TYMED_HGLOBAL)
        return DV_E_FORMATETC;
    const Cardinal f = Format.cfFormat;
    const bool text = !textdata.isEmpty();
    if ((f == CF_TEXT || f == CF_UNICODETEXT) && text)
        return S_OK;
    if (f == CF_RTF() && text && gRTFFlag && !rtfdata.isEmpty())
        return S_OK;
    if (f == CF_GRIDCELLS() && memstr)
        return S_OK;
    if (f == CF_GRIDCOLUMN() && scolidx != -1)
        return S_OK;
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(const TFormatEtc& Format, QByteArray& Medium) const
{
    Medium.clear();
    if (QueryGetData(Format) != S_OK)
        return DV_E_FORMATETC;
    const Cardinal f = Format.cfFormat;
    if (f == CF_TEXT) {
        Medium = AnsiBlock(textdata);
    } else if (f == CF_UNICODETEXT) {
        Medium = WideBlock(textdata);
    } else if (f == CF_RTF()) {
        Medium = AnsiBlock(rtfdata);
    } else if (f == CF_GRIDCOLUMN()) {
        Medium = QByteArray(4, '\0');
        PutLong(Medium, 0, std::uint32_t(scolidx));
    } else {
        const QByteArray& bytes = memstr->Bytes();
        Medium = QByteArray(8, '\0');
        PutLong(Medium, 0, std::uint32_t(bytes.size()));
        Medium += bytes;
    }
    return S_OK;
}

std::unique_ptr<QMimeData> TSourceDataObject::ToMimeData() const
{
    auto mime = std::make_unique<QMimeData>();
    std::unique_ptr<TSourceEnumFormatEtc> formats;
    EnumFormatEtc(DATADIR_GET, formats);
    TFormatEtc f;
    while (formats->Next(1, &f, nullptr) == S_OK) {
        QByteArray block;
        if (GetData(f, block) != S_OK)
            continue;
        if (f.cfFormat == CF_UNICODETEXT) {
            mime->setText(textdata);
        } else if (f.cfFormat == CF_RTF()) {
            mime->setData(RegisteredMime(RTFName), block);
            mime->setData(QStringLiteral("text/rtf"), block.left(block.size() - 1));
        } else if (f.cfFormat == CF_GRIDCOLUMN()) {
            mime->setData(RegisteredMime(GridColumnName), block);
        } else if (f.cfFormat == CF_GRIDCELLS()) {
            mime->setData(RegisteredMime(GridCellsName), block);
        }
        // CF_TEXT travels as the same plain text.
    }
    return mime;
}

// ------------------------------------------------------ format enumerator

TSourceEnumFormatEtc::TSourceEnumFormatEtc(bool HasCol, bool HasGridCells, std::size_t Index) : FIndex(Index)
{
    for (Cardinal f : {CF_TEXT, CF_UNICODETEXT, CF_RTF()})
        FFormats.push_back(TFormatEtc{f, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    if (HasCol)
        FFormats.push_back(TFormatEtc{CF_GRIDCOLUMN(), DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    if (HasGridCells)
        FFormats.push_back(TFormatEtc{CF_GRIDCELLS(), DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
}

HRESULT TSourceEnumFormatEtc::Next(Integer Count, TFormatEtc* Elements, Integer* Fetched)
{
    Integer n = 0;
    while (n < Count && FIndex < FFormats.size())
        Elements[n++] = FFormats[FIndex++];
    if (Fetched)
        *Fetched = n;
    return n == Count ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(Integer Count)
{
    FIndex += std::size_t(std::max(Count, 0));
    if (FIndex > FFormats.size()) {
        FIndex = FFormats.size();
        return S_FALSE;
    }
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Reset()
{
    FIndex = 0;
    return S_OK;
}

std::unique_ptr<TSourceEnumFormatEtc> TSourceEnumFormatEtc::Clone() const
{
    return std::make_unique<TSourceEnumFormatEtc>(*this);
}

// ---------------------------------------------------------------- drags

namespace {

GridDragSeam::THandler g_dragSeam;
QImage g_dragPicture;
QImage g_lastPicture;
TPoint g_dragHotSpot;

HRESULT RunDrag(TESGDropSource* Source, const TSourceDataObject& Data, Integer OkEffects, Integer& Effect)
{
    const QImage picture = std::exchange(g_dragPicture, QImage());
    g_lastPicture = picture;
    Qt::DropAction action = Qt::IgnoreAction;
    if (g_dragSeam) {
        std::unique_ptr<QMimeData> mime = Data.ToMimeData();
        if (Source)
            Source->QueryContinueDrag(false, MK_LBUTTON);
        const Integer e = g_dragSeam(mime.get(), OkEffects);
        if (Source)
            Source->GiveFeedback(e);
        action = e == DROPEFFECT_NONE ? Qt::IgnoreAction : Qt::DropAction(QtActionOf(e));
    } else {
        auto* drag = new QDrag(QCoreApplication::instance());
        drag->setMimeData(Data.ToMimeData().release());
        if (!picture.isNull()) {
            drag->setPixmap(QPixmap::fromImage(picture));
            drag->setHotSpot(QPoint(g_dragHotSpot.X, g_dragHotSpot.Y));
        }
        if (Source) {
            QObject::connect(drag, &QDrag::actionChanged, [Source](Qt::DropAction a) { Source->GiveFeedback(DropEffectsOf(int(a))); });
            QObject::connect(drag, &QDrag::targetChanged, [Source](QObject*) { Source->QueryContinueDrag(false, MK_LBUTTON); });
        }
        action = drag->exec(Qt::DropActions(QtActionsOf(OkEffects)));
        delete drag;
    }
    Effect = DropEffectsOf(int(action));
    // The drag has ended: by Escape when nothing took it, else by a drop.
    if (Source)
        Source->QueryContinueDrag(action == Qt::IgnoreAction, 0);
    if (action == Qt::IgnoreAction || (Source && Source->NoAccept()))
        return DRAGDROP_S_CANCEL;
    return DRAGDROP_S_DROP;
}

} // namespace

HRESULT StartOleTextDrag(TESGDropSource* DropSource, const QString& Text, const QString& RTF, Integer& Effect,
                         Integer OkEffects, TMemoryStream* Cells)
{
    const TSourceDataObject data(Text, RTF, -1, Cells);
    return RunDrag(DropSource, data, OkEffects, Effect);
}

HRESULT StartOleColumnDrag(TESGDropSource* DropSource, Integer Column, Integer OkEffects, Integer& Effect)
{
    const TSourceDataObject data(QString(), QString(), Column, nullptr);
    return RunDrag(DropSource, data, OkEffects, Effect);
}

void SetNextDragPicture(const QImage& Picture, TPoint HotSpot)
{
    g_dragPicture = Picture;
    g_dragHotSpot = HotSpot;
}

namespace GridDragSeam {
void Set(THandler Handler)
{
    g_dragSeam = std::move(Handler);
}
void Clear()
{
    g_dragSeam = nullptr;
}
QImage LastPicture()
{
    return g_lastPicture;
}
} // namespace GridDragSeam
