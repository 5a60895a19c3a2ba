#include "Bitmap.h"
#include "Canvas.h"
#include "GraphicsQt.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

// ----------------------------------------------------------------- graphic

void TGraphic::SetTransparent(bool value)
{
    if (value == transparent_)
        return;
    transparent_ = value;
    Changed();
}

void TGraphic::Changed()
{
    if (OnChange)
        OnChange(this);
}

const char* TGraphic::DefaultFormat(const QString& fileName) const
{
    const QString ext = QFileInfo(fileName).suffix().toLower();
    if (ext == QLatin1String("png"))
        return "PNG";
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        return "JPG";
    if (ext == QLatin1String("ico"))
        return "ICO";
    return "BMP";
}

bool TGraphic::LoadFromFile(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return LoadFromBytes(f.readAll());
}

bool TGraphic::SaveToFile(const QString& fileName) const
{
    const QByteArray data = SaveToBytes(DefaultFormat(fileName));
    if (data.isEmpty())
        return false;
    // Written beside the target and renamed over it: never half a file.
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(data) != data.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

static QByteArray Encode(const QImage& image, const char* format)
{
    QByteArray data;
    if (image.isNull())
        return data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    if (!image.save(&buf, format))
        data.clear();
    return data;
}

static bool QImageWriterHasIco()
{
    return QImageWriter::supportedImageFormats().contains("ico");
}

static QImage Decode(const QByteArray& data)
{
    QImage img;
    img.loadFromData(data);
    return img;
}

// ---------------------------------------------------------- bitmap canvas

// The canvas of a bitmap: makes a painter on the bitmap's pixels whenever
// something is drawn, and gives it up when the bitmap itself is touched.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* owner) : owner_(owner) {}
    ~TBitmapCanvas() override { Release(); }

    void Release()
    {
        if (!HandleAllocated())
            return;
        EndPaint();
        painter_.end();
    }

protected:
    void CreateHandle() override
    {
        QImage* img = owner_->image_.get();
        if (img->isNull() || !painter_.begin(img))
            return;
        BeginPaint(&painter_);
    }

private:
    TBitmap* owner_;
    QPainter painter_;
};

// ------------------------------------------------------------------ bitmap

namespace {

QImage::Format StorageFormat(TPixelFormat pf)
{
    return pf == pf32bit ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
}

} // namespace

TBitmap::TBitmap() : image_(std::make_unique<QImage>()) {}

TBitmap::TBitmap(Integer width, Integer height) : TBitmap()
{
    SetSize(width, height);
}

TBitmap::~TBitmap()
{
    canvas_.reset();
}

void TBitmap::ReleaseCanvas() const
{
    if (canvas_)
        canvas_->Release();
}

TCanvas* TBitmap::Canvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TBitmapCanvas>(this);
    return canvas_.get();
}

bool TBitmap::Empty() const { return image_->isNull() || image_->width() == 0 || image_->height() == 0; }
Integer TBitmap::Width() const { return image_->width(); }
Integer TBitmap::Height() const { return image_->height(); }
void TBitmap::SetWidth(Integer value) { SetSize(value, Height()); }
void TBitmap::SetHeight(Integer value) { SetSize(Width(), value); }

void TBitmap::SetSize(Integer width, Integer height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height())
        return;
    ReleaseCanvas();
    QImage next;
    if (width > 0 && height > 0) {
        next = QImage(width, height, StorageFormat(pixelFormat_));
        if (next.isNull())
            return; // no memory for it: keep the old pixels
        next.fill(pixelFormat_ == pf32bit ? QColor(Qt::transparent) : QColor(Qt::white));
        if (!image_->isNull()) {
            QPainter p(&next);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, *image_);
        }
    }
    *image_ = next;
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat value)
{
    if (value == pixelFormat_)
        return;
    ReleaseCanvas();
    pixelFormat_ = value;
    if (!image_->isNull())
        *image_ = image_->convertToFormat(StorageFormat(value));
    Changed();
}

Byte* TBitmap::ScanLine(Integer y)
{
    if (y < 0 || y >= Height())
        return nullptr;
    ReleaseCanvas();
    return image_->scanLine(y);
}

TColor TBitmap::TransparentColor() const
{
    if (transparentMode_ == tmFixed && transparentColor_ != clDefault)
        return transparentColor_;
    if (Empty())
        return clDefault;
    ReleaseCanvas();
    return FromQColor(image_->pixelColor(0, Height() - 1));
}

void TBitmap::SetTransparentColor(TColor value)
{
    transparentColor_ = value;
    transparentMode_ = value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value)
{
    if (value == transparentMode_)
        return;
    transparentMode_ = value;
    if (value == tmAuto)
        transparentColor_ = clDefault;
    Changed();
}

QImage TBitmap::Image() const
{
    ReleaseCanvas();
    return *image_;
}

void TBitmap::SetImage(const QImage& image)
{
    ReleaseCanvas();
    const bool alpha = image.hasAlphaChannel();
    if (alpha)
        pixelFormat_ = pf32bit;
    else if (pixelFormat_ == pf32bit)
        pixelFormat_ = pfDevice;
    *image_ = image.isNull() ? QImage() : image.convertToFormat(StorageFormat(pixelFormat_));
    Changed();
}

QImage TBitmap::ToImage() const
{
    ReleaseCanvas();
    if (Empty())
        return {};
    QImage out = image_->convertToFormat(QImage::Format_ARGB32);
    if (transparent_) {
        const QRgb key = ToQColor(TransparentColor()).rgb() & 0xFFFFFF;
        for (int y = 0; y < out.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (int x = 0; x < out.width(); ++x)
                if ((line[x] & 0xFFFFFF) == key)
                    line[x] = 0;
        }
    }
    return out;
}

void TBitmap::Draw(TCanvas* canvas, const TRect& rect)
{
    if (!canvas || Empty())
        return;
    if (transparent_)
        canvas->StretchImage(rect, ToImage(), TRect(0, 0, Width(), Height()));
    else
        canvas->StretchImage(rect, Image(), TRect(0, 0, Width(), Height()));
}

bool TBitmap::LoadFromBytes(const QByteArray& data)
{
    const QImage img = Decode(data);
    if (img.isNull())
        return false;
    SetImage(img);
    return true;
}

QByteArray TBitmap::SaveToBytes(const char* format) const
{
    ReleaseCanvas();
    // BMP keeps 24 bits a pixel unless the bitmap carries alpha.
    if (qstrcmp(format, "BMP") == 0 && pixelFormat_ != pf32bit)
        return Encode(image_->convertToFormat(QImage::Format_RGB888), format);
    return Encode(*image_, format);
}

const char* TBitmap::DefaultFormat(const QString& fileName) const
{
    const char* f = TGraphic::DefaultFormat(fileName);
    return qstrcmp(f, "ICO") == 0 ? "BMP" : f;
}

void TBitmap::Assign(const TPersistent* Source)
{
    if (Source == this)
        return;
    if (auto* b = dynamic_cast<const TBitmap*>(Source)) {
        ReleaseCanvas();
        pixelFormat_ = b->pixelFormat_;
        transparent_ = b->transparent_;
        transparentMode_ = b->transparentMode_;
        transparentColor_ = b->transparentColor_;
        *image_ = b->Image();
        Changed();
        return;
    }
    if (auto* g = dynamic_cast<const TGraphic*>(Source)) {
        // Another kind of graphic: its pixels, transparent ones blended on white.
        QImage img = g->ToImage();
        if (!img.isNull()) {
            QImage flat(img.size(), QImage::Format_RGB32);
            flat.fill(Qt::white);
            QPainter(&flat).drawImage(0, 0, img);
            img = flat;
        }
        pixelFormat_ = pfDevice;
        SetImage(img);
        return;
    }
    if (auto* pic = dynamic_cast<const TPicture*>(Source)) {
        if (pic->Graphic())
            Assign(pic->Graphic());
        else
            SetSize(0, 0);
        return;
    }
    TGraphic::Assign(Source);
}

// -------------------------------------------------------------------- icon

TIcon::TIcon() : image_(std::make_unique<QImage>())
{
    transparent_ = true;
}

TIcon::~TIcon() = default;

bool TIcon::Empty() const { return image_->isNull(); }
Integer TIcon::Width() const { return image_->width(); }
Integer TIcon::Height() const { return image_->height(); }

void TIcon::SetWidth(Integer value)
{
    if (value > 0 && value != Width())
        SetImage(Empty() ? QImage() : image_->scaled(value, Height()));
}

void TIcon::SetHeight(Integer value)
{
    if (value > 0 && value != Height())
        SetImage(Empty() ? QImage() : image_->scaled(Width(), value));
}

void TIcon::SetImage(const QImage& image)
{
    *image_ = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Changed();
}

bool TIcon::LoadFromBytes(const QByteArray& data)
{
    const QImage img = Decode(data);
    if (img.isNull())
        return false;
    SetImage(img);
    return true;
}

QByteArray TIcon::SaveToBytes(const char* format) const
{
    return Encode(*image_, format);
}

const char* TIcon::DefaultFormat(const QString& fileName) const
{
    const char* f = TGraphic::DefaultFormat(fileName);
    // Without an icon writer in Qt's plugins, PNG keeps the transparency.
    if (qstrcmp(f, "ICO") == 0 && !QImageWriterHasIco())
        return "PNG";
    return f;
}

void TIcon::Draw(TCanvas* canvas, const TRect& rect)
{
    if (canvas && !Empty())
        canvas->StretchImage(rect, *image_, TRect(0, 0, Width(), Height()));
}

QImage TIcon::ToImage() const
{
    return image_->convertToFormat(QImage::Format_ARGB32);
}

void TIcon::Assign(const TPersistent* Source)
{
    if (Source == this)
        return;
    if (auto* g = dynamic_cast<const TGraphic*>(Source)) {
        SetImage(g->ToImage());
        return;
    }
    if (auto* pic = dynamic_cast<const TPicture*>(Source)) {
        SetImage(pic->Graphic() ? pic->Graphic()->ToImage() : QImage());
        return;
    }
    TGraphic::Assign(Source);
}

// ----------------------------------------------------------------- picture

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Take(std::unique_ptr<TGraphic> graphic)
{
    graphic_ = std::move(graphic);
    if (graphic_)
        graphic_->OnChange = [this](TObject*) {
            if (OnChange)
                OnChange(this);
        };
    if (OnChange)
        OnChange(this);
}

void TPicture::SetGraphic(const TGraphic* value)
{
    if (!value) {
        Take(nullptr);
        return;
    }
    std::unique_ptr<TGraphic> copy;
    if (dynamic_cast<const TIcon*>(value))
        copy = std::make_unique<TIcon>();
    else
        copy = std::make_unique<TBitmap>();
    copy->Assign(value);
    Take(std::move(copy));
}

void TPicture::Assign(const TPersistent* Source)
{
    if (Source == this)
        return;
    if (!Source) {
        Take(nullptr);
        return;
    }
    if (auto* pic = dynamic_cast<const TPicture*>(Source)) {
        SetGraphic(pic->Graphic());
        return;
    }
    if (auto* g = dynamic_cast<const TGraphic*>(Source)) {
        SetGraphic(g);
        return;
    }
    TPersistent::Assign(Source);
}

TBitmap* TPicture::Bitmap()
{
    if (auto* b = dynamic_cast<TBitmap*>(graphic_.get()))
        return b;
    Take(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(graphic_.get());
}

TIcon* TPicture::Icon()
{
    if (auto* i = dynamic_cast<TIcon*>(graphic_.get()))
        return i;
    Take(std::make_unique<TIcon>());
    return static_cast<TIcon*>(graphic_.get());
}

Integer TPicture::Width() const { return graphic_ ? graphic_->Width() : 0; }
Integer TPicture::Height() const { return graphic_ ? graphic_->Height() : 0; }

bool TPicture::LoadFromFile(const QString& fileName)
{
    std::unique_ptr<TGraphic> g;
    if (QFileInfo(fileName).suffix().compare(QLatin1String("ico"), Qt::CaseInsensitive) == 0)
        g = std::make_unique<TIcon>();
    else
        g = std::make_unique<TBitmap>();
    if (!g->LoadFromFile(fileName))
        return false;
    Take(std::move(g));
    return true;
}

bool TPicture::SaveToFile(const QString& fileName) const
{
    return graphic_ && graphic_->SaveToFile(fileName);
}
