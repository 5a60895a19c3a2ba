#include "PictureContainer.h"

#include "ExUtil.h"
#include "platform/Canvas.h"
#include "platform/Streams.h"
#include "platform/Text.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <functional>

namespace {

Word Word16(const QByteArray& d, qsizetype p)
{
    return Word(Byte(d.at(p)) | (Byte(d.at(p + 1)) << 8));
}

// One GIF frame as its graphic control extension and image descriptor show it.
struct GifFrame {
    qsizetype at;   // position of the extension's 0x21
    Word delay;     // hundredths of a second
    Word left, top, width, height;
};

// Walks the frames of GIF data: an extension 0x21 0xF9 0x04 whose eighth
// byte after it starts an image descriptor (0x2C). Stops when Visit says so.
void ScanGifFrames(const QByteArray& d, const std::function<bool(const GifFrame&)>& Visit)
{
    const qsizetype n = d.size();
    for (qsizetype p = 0; p + 9 < n; ++p) {
        if (Byte(d.at(p)) != 0x21 || Byte(d.at(p + 1)) != 0xF9 || Byte(d.at(p + 2)) != 0x04
            || Byte(d.at(p + 8)) != 0x2C)
            continue;
        GifFrame f{p, Word16(d, p + 4), 0, 0, 0, 0};
        if (p + 17 <= n) {
            f.left = Word16(d, p + 9);
            f.top = Word16(d, p + 11);
            f.width = Word16(d, p + 13);
            f.height = Word16(d, p + 15);
        }
        if (!Visit(f))
            return;
    }
}

} // namespace

// ------------------------------------------------------------- THTMLPicture

THTMLPicture::THTMLPicture() = default;

THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::Reset()
{
    FIsEmpty = true;
    gpPicture.reset();
    FFrameCount = -1;
    FNextCount = -1;
    FTimerCount = -1;
    FFrame = 1;
}

void THTMLPicture::Assign(const TPersistent* Source)
{
    if (Source == this)
        return;
    Reset();
    if (!Source) {
        FDatastream.clear();
        return;
    }
    if (auto* src = dynamic_cast<const THTMLPicture*>(Source)) {
        FDatastream = src->FDatastream;
        if (FDatastream.isEmpty())
            return;
        FIsEmpty = false;
        LoadPictureData();
        Changed();
    }
}

Integer THTMLPicture::Width() const
{
    return gpPicture ? gpPicture->width() : 0;
}

Integer THTMLPicture::Height() const
{
    return gpPicture ? gpPicture->height() : 0;
}

Integer THTMLPicture::MaxWidth() const
{
    if (!gpPicture)
        return 0;
    return FAnimMaxX != 0 ? FAnimMaxX : Width();
}

Integer THTMLPicture::MaxHeight() const
{
    if (!gpPicture)
        return 0;
    return FAnimMaxY != 0 ? FAnimMaxY : Height();
}

void THTMLPicture::LoadData(const QByteArray& Data, bool Notify)
{
    Reset();
    FDatastream = Data;
    FIsEmpty = false;
    try {
        LoadPictureData();
    } catch (...) {
        FIsEmpty = true;
        throw;
    }
    if (Notify)
        Changed();
}

bool THTMLPicture::LoadFromBytes(const QByteArray& Data)
{
    try {
        LoadData(Data, true);
        return true;
    } catch (const EHTMLPictureError&) {
        return false;
    }
}

QByteArray THTMLPicture::SaveToBytes(const char*) const
{
    return FDatastream;
}

void THTMLPicture::LoadFromStream(TStream* Stream)
{
    if (!Stream)
        return;
    TMemoryStream copy;
    copy.CopyFrom(Stream, Stream->Size() - Stream->Position());
    LoadData(copy.Bytes(), true);
}

void THTMLPicture::ReadData(TStream* Stream)
{
    if (!Stream)
        return;
    TMemoryStream copy;
    copy.CopyFrom(Stream, Stream->Size() - Stream->Position());
    LoadData(copy.Bytes(), false);
}

void THTMLPicture::SaveToStream(TStream* Stream) const
{
    if (Stream && !FDatastream.isEmpty())
        Stream->WriteBuffer(FDatastream);
}

void THTMLPicture::LoadFromResourceName(const QString& Name)
{
    QByteArray data;
    if (!ReadResourceData(Name, data))
        return;
    TMemoryStream s;
    s.WriteBuffer(data);
    s.SetPosition(0);
    LoadFromStream(&s);
}

void THTMLPicture::LoadFromResourceID(Integer ID)
{
    QByteArray data;
    if (!ReadResourceData(QString::number(ID), data))
        throw EResNotFound(QString::number(ID));
    TMemoryStream s;
    s.WriteBuffer(data);
    s.SetPosition(0);
    LoadFromStream(&s);
}

void THTMLPicture::LoadFromURL(const QString& Address)
{
    const QString upper = Address.toUpper();
    if (upper.startsWith(QLatin1String("RES://"))) {
        FID = Address;
        const QString name = Address.mid(6);
        if (!name.isEmpty())
            LoadFromResourceName(name);
    } else if (upper.startsWith(QLatin1String("FILE://"))) {
        FID = Address;
        const QString file = Address.mid(7);
        if (!file.isEmpty())
            LoadFromFile(file);
    } else if (!FAsynch) {
        FURL = Address;
        FID = Address;
    } else if (!FThreadBusy) {
        // Web addresses are not fetched: the address is kept and the picture
        // stays busy and empty, so later requests for it do nothing.
        FURL = Address;
        FThreadBusy = true;
    }
}

bool THTMLPicture::IsGIF() const
{
    return FDatastream.size() >= 5 && FDatastream.startsWith("GIF8");
}

Integer THTMLPicture::FrameCount() const
{
    if (!IsGIF())
        return -1;
    if (FFrameCount < 0) {
        Integer n = 0;
        ScanGifFrames(FDatastream, [&](const GifFrame&) {
            ++n;
            return true;
        });
        FFrameCount = n;
    }
    return FFrameCount;
}

Integer THTMLPicture::FrameTime(Integer Value) const
{
    if (!IsGIF())
        return -1;
    Integer n = 0, delay = -1;
    ScanGifFrames(FDatastream, [&](const GifFrame& f) {
        if (++n == Value) {
            delay = f.delay;
            return false;
        }
        return true;
    });
    return delay;
}

void THTMLPicture::SetFrame(Integer Value)
{
    FFrame = Value;
    if (!FDatastream.isEmpty()) {
        LoadPictureData();
        if (OnFrameChange)
            OnFrameChange(this);
    }
}

void THTMLPicture::FrameNext()
{
    FFrame = FFrame < FrameCount() ? FFrame + 1 : 1;
}

void THTMLPicture::FramePrev()
{
    FFrame = FFrame > 1 ? FFrame - 1 : std::max(FrameCount(), 1);
}

bool THTMLPicture::Step()
{
    if (FrameCount() < 2 || FIsEmpty)
        return false;
    if (FNextCount == -1)
        FNextCount = FrameTime(FFrame);
    bool changed = false;
    if (FTimerCount * 10 >= FNextCount) {
        FrameNext();
        LoadPictureData();
        FNextCount += FrameTime(FFrame);
        changed = true;
    }
    ++FTimerCount;
    return changed;
}

void THTMLPicture::LoadPictureData()
{
    FFrameXPos = FFrameYPos = FFrameXSize = FFrameYSize = 0;
    FAnimMaxX = FAnimMaxY = 0;
    gpPicture.reset();

    Integer frameToRead = 1;
    const Integer frames = FrameCount();
    if (frames >= 1) {
        FAnimMaxX = Word16(FDatastream, 6);
        FAnimMaxY = Word16(FDatastream, 8);
        FFrame = std::clamp(FFrame, 1, frames);
        Integer n = 0;
        ScanGifFrames(FDatastream, [&](const GifFrame& f) {
            if (++n != FFrame)
                return true;
            FFrameXPos = f.left;
            FFrameYPos = f.top;
            FFrameXSize = f.width;
            FFrameYSize = f.height;
            return false;
        });
        frameToRead = FFrame;
    }

    QBuffer buffer(&FDatastream);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (!reader.canRead())
        throw EHTMLPictureError("Could not load image. Invalid format");
    // The frames of an animation are read in order, each composed over the
    // ones before it as the animation shows them.
    QImage image;
    for (Integer i = 0; i < frameToRead; ++i) {
        QImage next = reader.read();
        if (next.isNull())
            break;
        image = next;
    }
    if (image.isNull())
        throw EHTMLPictureError("Could not load image");
    gpPicture = std::make_unique<QImage>(image);
}

void THTMLPicture::Draw(TCanvas* Canvas, const TRect& Rect)
{
    if (FIsEmpty || !gpPicture || !Canvas)
        return;
    const TRect source(0, 0, gpPicture->width(), gpPicture->height());
    const TRect dest = FStretched ? Rect : Bounds(Rect.Left, Rect.Top, source.Width(), source.Height());
    Canvas->StretchImage(dest, *gpPicture, source);
}

QImage THTMLPicture::ToImage() const
{
    return gpPicture ? gpPicture->convertToFormat(QImage::Format_ARGB32) : QImage();
}

// -------------------------------------------------------- THTMLPictureCache

THTMLPictureCache::~THTMLPictureCache()
{
    ClearPictures();
}

THTMLPicture* THTMLPictureCache::AddPicture()
{
    auto* p = new THTMLPicture();
    Add(p);
    return p;
}

THTMLPicture* THTMLPictureCache::FindPicture(const QString& ID) const
{
    for (Integer i = 0; i < Count(); ++i)
        if (GetPicture(i)->ID() == ID)
            return GetPicture(i);
    return nullptr;
}

void THTMLPictureCache::ClearPictures()
{
    for (Integer i = 0; i < Count(); ++i)
        delete GetPicture(i);
    Clear();
}

bool THTMLPictureCache::Animate()
{
    bool changed = false;
    for (Integer i = 0; i < Count(); ++i)
        changed = GetPicture(i)->Step() || changed;
    return changed;
}

// -------------------------------------------------------- picture container

TPictureItem::TPictureItem(TCollection* Collection)
    : TCollectionItem(Collection), FPicture(std::make_unique<THTMLPicture>())
{
}

TPictureItem::~TPictureItem() = default;

void TPictureItem::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TPictureItem*>(Source)) {
        FName = src->FName;
        FTag = src->FTag;
        FPicture->Assign(src->FPicture.get());
        return;
    }
    TCollectionItem::Assign(Source);
}

TPictureCollection::TPictureCollection(TComponent* AOwner)
    : TCollection([](TCollection* c) { return new TPictureItem(c); }), FOwner(AOwner)
{
}

bool TPictureCollection::Animate()
{
    bool changed = false;
    for (Integer i = 0; i < Count(); ++i)
        changed = GetItem(i)->Picture()->Step() || changed;
    return changed;
}

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TPictureCollection>(this))
{
}

TPictureContainer::~TPictureContainer() = default;

THTMLPicture* TPictureContainer::FindPicture(const QString& Name) const
{
    for (Integer i = 0; i < FItems->Count(); ++i)
        if (AnsiSameText(FItems->GetItem(i)->Name(), Name))
            return FItems->GetItem(i)->Picture();
    return nullptr;
}
