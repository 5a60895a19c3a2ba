#include "ImageList.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "GraphicsQt.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

TCustomImageList::TCustomImageList(Integer width, Integer height)
    : width_(std::max(1, width)), height_(std::max(1, height))
{
}

TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::Change()
{
    if (realizing_)
        return;
    for (TChangeLink* link : links_)
        if (link->OnChange)
            link->OnChange(this);
    if (OnChange)
        OnChange(this);
}

void TCustomImageList::SetDeferredImages(std::function<void(TCustomImageList*)> Fill)
{
    images_.clear();
    deferred_ = std::move(Fill);
}

void TCustomImageList::Realize() const
{
    if (!deferred_)
        return;
    auto fill = std::move(deferred_);
    deferred_ = nullptr;
    auto* self = const_cast<TCustomImageList*>(this);
    self->realizing_ = true;
    fill(self);
    self->realizing_ = false;
}

void TCustomImageList::SetWidth(Integer value)
{
    Resize(value, height_);
}

void TCustomImageList::SetHeight(Integer value)
{
    Resize(width_, value);
}

void TCustomImageList::Resize(Integer width, Integer height)
{
    if (width < 1 || height < 1 || (width == width_ && height == height_))
        return;
    width_ = width;
    height_ = height;
    images_.clear();
    deferred_ = nullptr;
    Change();
}

void TCustomImageList::SetBkColor(TColor value)
{
    if (value == bkColor_)
        return;
    bkColor_ = value;
    Change();
}

void TCustomImageList::AddImage(const QImage& image)
{
    Realize();
    // Every image is kept at the list's size, its transparency in the alpha channel.
    auto img = std::make_unique<QImage>(width_, height_, QImage::Format_ARGB32_Premultiplied);
    img->fill(Qt::transparent);
    QPainter p(img.get());
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, image);
    p.end();
    images_.push_back(std::move(img));
}

Integer TCustomImageList::AddStrip(const QImage& strip)
{
    if (strip.isNull())
        return -1;
    const Integer first = Count();
    const int n = std::max(1, strip.width() / width_);
    for (int i = 0; i < n; ++i)
        AddImage(strip.copy(i * width_, 0, width_, height_));
    Change();
    return first;
}

Integer TCustomImageList::Add(TBitmap* Image, TBitmap* Mask)
{
    if (!Image || Image->Empty())
        return -1;
    QImage img = Image->ToImage();
    if (Mask && !Mask->Empty()) {
        const QImage mask = Mask->Image();
        for (int y = 0; y < img.height() && y < mask.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width() && x < mask.width(); ++x)
                if (qGray(mask.pixel(x, y)) >= 128)
                    line[x] = 0;
        }
    }
    return AddStrip(img);
}

Integer TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor)
{
    if (!Image || Image->Empty())
        return -1;
    QImage img = Image->Image().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = (MaskColor == clDefault ? img.pixel(0, img.height() - 1) : ToQColor(MaskColor).rgb()) & 0xFFFFFF;
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key)
                line[x] = 0;
    }
    return AddStrip(img);
}

Integer TCustomImageList::AddIcon(TIcon* Image)
{
    if (!Image || Image->Empty())
        return -1;
    const Integer index = Count();
    AddImage(Image->ToImage().scaled(width_, height_));
    Change();
    return index;
}

void TCustomImageList::Delete(Integer Index)
{
    if (Index < 0 || Index >= Count())
        return;
    images_.erase(images_.begin() + Index);
    Change();
}

void TCustomImageList::Clear()
{
    deferred_ = nullptr;
    if (images_.empty())
        return;
    images_.clear();
    Change();
}

QImage TCustomImageList::ImageFor(Integer index) const
{
    QImage img = *images_[std::size_t(index)];
    if (bkColor_ != clNone) {
        QImage back(img.size(), QImage::Format_ARGB32_Premultiplied);
        back.fill(ToQColor(bkColor_));
        QPainter(&back).drawImage(0, 0, img);
        return back;
    }
    return img;
}

void TCustomImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled)
{
    if (!Canvas || Index < 0 || Index >= Count())
        return;
    QImage img = ImageFor(Index);
    if (!Enabled) {
        // Greyed: each pixel's grey value, lightened halfway to white.
        img = img.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x) {
                const int g = (qGray(line[x]) + 255) / 2;
                line[x] = qRgba(g, g, g, qAlpha(line[x]));
            }
        }
    }
    const TCopyMode mode = Canvas->CopyMode();
    Canvas->SetCopyMode(cmSrcCopy);
    Canvas->StretchImage(Bounds(X, Y, width_, height_), img, TRect(0, 0, width_, height_));
    Canvas->SetCopyMode(mode);
}

void TCustomImageList::DrawBlended(TCanvas* Canvas, Integer X, Integer Y, Integer Index, TColor Color)
{
    if (!Canvas || Index < 0 || Index >= Count())
        return;
    QImage img = ImageFor(Index).convertToFormat(QImage::Format_ARGB32);
    const QColor c = ToQColor(Color);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            line[x] = qRgba((qRed(line[x]) + c.red()) / 2, (qGreen(line[x]) + c.green()) / 2,
                            (qBlue(line[x]) + c.blue()) / 2, qAlpha(line[x]));
    }
    const TCopyMode mode = Canvas->CopyMode();
    Canvas->SetCopyMode(cmSrcCopy);
    Canvas->StretchImage(Bounds(X, Y, width_, height_), img, TRect(0, 0, width_, height_));
    Canvas->SetCopyMode(mode);
}

bool TCustomImageList::GetBitmap(Integer Index, TBitmap* Image) const
{
    if (!Image || Index < 0 || Index >= Count())
        return false;
    QImage flat(width_, height_, QImage::Format_RGB32);
    flat.fill(bkColor_ == clNone ? QColor(Qt::white) : ToQColor(bkColor_));
    QPainter(&flat).drawImage(0, 0, *images_[std::size_t(Index)]);
    Image->SetPixelFormat(pfDevice);
    Image->SetImage(flat);
    return true;
}

bool TCustomImageList::GetIcon(Integer Index, TIcon* Image) const
{
    if (!Image || Index < 0 || Index >= Count())
        return false;
    Image->SetImage(*images_[std::size_t(Index)]);
    return true;
}

void TCustomImageList::RegisterChanges(TChangeLink* Value)
{
    if (Value && std::find(links_.begin(), links_.end(), Value) == links_.end())
        links_.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value)
{
    std::erase(links_, Value);
}

void TCustomImageList::Assign(const TPersistent* Source)
{
    if (Source == this)
        return;
    if (auto* src = dynamic_cast<const TCustomImageList*>(Source)) {
        src->Realize();
        deferred_ = nullptr;
        width_ = src->width_;
        height_ = src->height_;
        bkColor_ = src->bkColor_;
        images_.clear();
        for (const auto& img : src->images_)
            images_.push_back(std::make_unique<QImage>(*img));
        Change();
        return;
    }
    TPersistent::Assign(Source);
}
