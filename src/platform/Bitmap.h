#pragma once
// Pictures: TGraphic (what a canvas can Draw), TBitmap (pixels in memory
// with its own canvas), TIcon (a picture with per-pixel transparency) and
// TPicture (holds one graphic of any kind, loaded by file extension).

#include "Graphics.h"

#include <memory>

class QByteArray;
class QImage;
class TCanvas;
class TBitmapCanvas;

class TGraphic : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TGraphic"); }
    TNotifyEvent OnChange;

    virtual bool Empty() const = 0;
    virtual Integer Width() const = 0;
    virtual Integer Height() const = 0;
    virtual void SetWidth(Integer value) = 0;
    virtual void SetHeight(Integer value) = 0;
    // Transparent graphics leave some pixels of the canvas unchanged.
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);

    // Load and save report failure by returning false, leaving the graphic
    // as it was. Files are written whole or not at all.
    bool LoadFromFile(const QString& fileName);
    bool SaveToFile(const QString& fileName) const;
    // The encoded file contents; format as Qt names it ("BMP", "PNG", "ICO").
    virtual bool LoadFromBytes(const QByteArray& data) = 0;
    virtual QByteArray SaveToBytes(const char* format) const = 0;

    // Draws the graphic scaled to Rect on the canvas (Canvas->Draw and
    // StretchDraw call this).
    virtual void Draw(TCanvas* canvas, const TRect& rect) = 0;
    // The pixels as a 32-bit image with alpha (transparent pixels clear).
    virtual QImage ToImage() const = 0;

protected:
    // The file format used when saving under a file name.
    virtual const char* DefaultFormat(const QString& fileName) const;
    void Changed();
    bool transparent_ = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(Integer width, Integer height);
    ~TBitmap() override;
    QString ClassName() const override { return QStringLiteral("TBitmap"); }

    // Copies a TBitmap, TIcon or a TPicture's graphic.
    void Assign(const TPersistent* Source) override;

    bool Empty() const override;
    Integer Width() const override;
    Integer Height() const override;
    void SetWidth(Integer value) override;
    void SetHeight(Integer value) override;
    // Keeps the pixels that stay inside; new pixels are white (clear with pf32bit).
    void SetSize(Integer width, Integer height);
    // pf32bit keeps an alpha byte per pixel; every other format is stored
    // as opaque 32-bit pixels. Pixels are 4 bytes each: blue, green, red, alpha.
    TPixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TPixelFormat value);
    // The first byte of row y (4 bytes a pixel); null outside the bitmap.
    Byte* ScanLine(Integer y);

    // The colour left out when drawing a transparent bitmap: the
    // bottom-left pixel's (tmAuto) or the one set (tmFixed).
    TColor TransparentColor() const;
    void SetTransparentColor(TColor value);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode value);

    // A canvas drawing into the bitmap's pixels.
    TCanvas* Canvas();

    bool LoadFromBytes(const QByteArray& data) override;
    QByteArray SaveToBytes(const char* format) const override;
    void Draw(TCanvas* canvas, const TRect& rect) override;
    QImage ToImage() const override;
    // The pixels as stored (no transparency applied).
    QImage Image() const;
    void SetImage(const QImage& image);

protected:
    const char* DefaultFormat(const QString& fileName) const override;

private:
    friend class TBitmapCanvas;
    // Ends the canvas's drawing so that the pixels can be read or replaced.
    void ReleaseCanvas() const;

    std::unique_ptr<QImage> image_;
    std::unique_ptr<TBitmapCanvas> canvas_;
    TPixelFormat pixelFormat_ = pfDevice;
    TTransparentMode transparentMode_ = tmAuto;
    TColor transparentColor_ = clDefault;
};

class TIcon : public TGraphic {
public:
    TIcon();
    ~TIcon() override;
    QString ClassName() const override { return QStringLiteral("TIcon"); }
    void Assign(const TPersistent* Source) override;

    bool Empty() const override;
    Integer Width() const override;
    Integer Height() const override;
    void SetWidth(Integer value) override;
    void SetHeight(Integer value) override;
    bool LoadFromBytes(const QByteArray& data) override;
    QByteArray SaveToBytes(const char* format) const override;
    void Draw(TCanvas* canvas, const TRect& rect) override;
    QImage ToImage() const override;
    void SetImage(const QImage& image);

protected:
    const char* DefaultFormat(const QString& fileName) const override;

private:
    std::unique_ptr<QImage> image_;
};

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;
    QString ClassName() const override { return QStringLiteral("TPicture"); }
    TNotifyEvent OnChange;

    // Copies another picture's graphic (or a graphic itself); nil empties.
    void Assign(const TPersistent* Source) override;

    // The graphic held, or null.
    TGraphic* Graphic() const { return graphic_.get(); }
    // Holds a copy of value (null empties the picture).
    void SetGraphic(const TGraphic* value);
    // The graphic as a bitmap: a bitmap held is returned as it is, any other
    // graphic is replaced by a new, empty bitmap.
    TBitmap* Bitmap();
    // The same for an icon.
    TIcon* Icon();

    Integer Width() const;
    Integer Height() const;
    bool Empty() const { return !graphic_ || graphic_->Empty(); }

    // ".ico" loads an icon, any other picture file a bitmap; false when the
    // file cannot be read or decoded (the picture stays as it was).
    bool LoadFromFile(const QString& fileName);
    bool SaveToFile(const QString& fileName) const;

private:
    void Take(std::unique_ptr<TGraphic> graphic);
    std::unique_ptr<TGraphic> graphic_;
};
