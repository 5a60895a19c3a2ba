#pragma once
// TCustomImageList / TImageList: a row of equally sized images, each with
// its own transparency, drawn by index (tool glyphs, cell and node images).

#include "Graphics.h"

#include <functional>
#include <memory>
#include <vector>

class QImage;
class TBitmap;
class TCanvas;
class TIcon;

// Tells a holder of an image list that the list changed.
class TChangeLink : public TObject {
public:
    TNotifyEvent OnChange;
    QString ClassName() const override { return QStringLiteral("TChangeLink"); }
};

class TCustomImageList : public TPersistent {
public:
    explicit TCustomImageList(Integer width = 16, Integer height = 16);
    ~TCustomImageList() override;
    QString ClassName() const override { return QStringLiteral("TCustomImageList"); }
    TNotifyEvent OnChange;

    // Copies size and images of another list.
    void Assign(const TPersistent* Source) override;

    Integer Width() const { return width_; }
    Integer Height() const { return height_; }
    // A new size empties the list.
    void SetWidth(Integer value);
    void SetHeight(Integer value);
    Integer Count() const
    {
        Realize();
        return Integer(images_.size());
    }
    // The images are added by Fill the first time any of them is asked for
    // (drawn, copied, counted), not now; the size and background are known
    // at once. Adding to, clearing or resizing the list fills it first or
    // drops what was deferred. The filling is no change for the list's links.
    void SetDeferredImages(std::function<void(TCustomImageList*)> Fill);
    // True while the images are deferred and not made yet.
    bool ImagesDeferred() const { return static_cast<bool>(deferred_); }
    // Background drawn behind the images: clNone leaves the canvas visible.
    TColor BkColor() const { return bkColor_; }
    void SetBkColor(TColor value);

    // Adds the images of a strip (one per Width pixels; a narrower picture
    // makes one image). Mask, when given, marks transparent pixels white.
    // Returns the index of the first image added, -1 when nothing was added.
    Integer Add(TBitmap* Image, TBitmap* Mask);
    // The same with every pixel of MaskColor transparent (clDefault: the
    // colour of the strip's bottom-left pixel).
    Integer AddMasked(TBitmap* Image, TColor MaskColor);
    Integer AddIcon(TIcon* Image);
    void Delete(Integer Index);
    void Clear();

    // Draws image Index at (X, Y) over the canvas; disabled images are
    // drawn greyed. An index outside the list draws nothing.
    void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled = true);
    // Draws image Index half blended with Color (selected images).
    void DrawBlended(TCanvas* Canvas, Integer X, Integer Y, Integer Index, TColor Color);
    // Copies image Index into Image (Width x Height, transparent pixels in
    // the background colour, or white); false for an index outside the list.
    bool GetBitmap(Integer Index, TBitmap* Image) const;
    bool GetIcon(Integer Index, TIcon* Image) const;

    void RegisterChanges(TChangeLink* Value);
    void UnRegisterChanges(TChangeLink* Value);

private:
    void Realize() const;
    void Change();
    void Resize(Integer width, Integer height);
    void AddImage(const QImage& image);
    Integer AddStrip(const QImage& strip);
    QImage ImageFor(Integer index) const;

    Integer width_;
    Integer height_;
    TColor bkColor_ = clNone;
    std::vector<std::unique_ptr<QImage>> images_;
    std::vector<TChangeLink*> links_;
    mutable std::function<void(TCustomImageList*)> deferred_;
    bool realizing_ = false;
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
    QString ClassName() const override { return QStringLiteral("TImageList"); }
};
