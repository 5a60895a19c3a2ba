#pragma once
// Pictures for the mini-HTML IMG tags of cells and hints: THTMLPicture keeps
// an image file's bytes and shows them decoded (any format Qt's image
// readers know: BMP, PNG, JPEG, GIF, ICO), one frame of an animated GIF at a
// time; a cache of pictures loaded by address; and TPictureContainer, the
// component that keeps named pictures. Addresses "RES://name" (a resource of
// the program) and "FILE://path" load; web addresses are remembered but never
// fetched.

#include <QByteArray>
#include <QString>
#include <memory>
#include <stdexcept>

#include "platform/Bitmap.h"
#include "platform/Component.h"
#include "platform/Lists.h"

class QImage;
class TStream;

// Raised when picture data cannot be decoded.
class EHTMLPictureError : public std::runtime_error {
public:
    explicit EHTMLPictureError(const char* Message) : std::runtime_error(Message) {}
};

class THTMLPicture : public TGraphic {
public:
    THTMLPicture();
    ~THTMLPicture() override;
    QString ClassName() const override { return QStringLiteral("THTMLPicture"); }

    // Another THTMLPicture's bytes, decoded; any other source (or nil)
    // leaves the picture empty.
    void Assign(const TPersistent* Source) override;

    bool Empty() const override { return FIsEmpty; }
    // The decoded size in pixels; 0 without a decoded picture.
    Integer Width() const override;
    Integer Height() const override;
    void SetWidth(Integer) override {}
    void SetHeight(Integer) override {}
    // Loading from a file or bytes: a failure leaves the picture empty and
    // returns false; success fires OnChange.
    bool LoadFromBytes(const QByteArray& Data) override;
    // The image file's bytes as loaded (whatever the format asked for).
    QByteArray SaveToBytes(const char* Format) const override;
    // With Stretch scaled into Rect, else at its top-left corner in its own size.
    void Draw(TCanvas* Canvas, const TRect& Rect) override;
    QImage ToImage() const override;

    // Copies the stream from its position and decodes it, firing OnChange;
    // nothing for a nil stream. Decoding errors raise EHTMLPictureError.
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream) const;
    // The same without OnChange (stored forms).
    void ReadData(TStream* Stream);
    void WriteData(TStream* Stream) const { SaveToStream(Stream); }
    // A resource of the program by name: nothing when there is none.
    void LoadFromResourceName(const QString& Name);
    // By number: a missing one raises EResNotFound.
    void LoadFromResourceID(Integer ID);
    void LoadFromURL(const QString& Address);

    bool Stretch() const { return FStretched; }
    void SetStretch(bool Value) { FStretched = Value; }
    bool Asynch() const { return FAsynch; }
    void SetAsynch(bool Value) { FAsynch = Value; }
    bool Busy() const { return FThreadBusy; }
    const QString& URL() const { return FURL; }
    const QString& ID() const { return FID; }
    bool IsDB() const { return FIsDB; }
    bool IsGIF() const;

    // Frames of an animated GIF, counted from 1.
    Integer Frame() const { return FFrame; }
    // Shows frame Value (decoding again) and fires OnFrameChange.
    void SetFrame(Integer Value);
    // -1 when not a GIF.
    Integer FrameCount() const;
    // Delay of a frame in hundredths of a second; -1 when not a GIF or no such frame.
    Integer FrameTime(Integer Value) const;
    Word FrameXPos() const { return FFrameXPos; }
    Word FrameYPos() const { return FFrameYPos; }
    // The GIF's logical screen size when it has one, else Width and Height.
    Integer MaxWidth() const;
    Integer MaxHeight() const;
    // The next (after the last, the first) and previous frame; no decoding.
    void FrameNext();
    void FramePrev();
    // One 100 ms tick of the animation; true when the frame changed.
    bool Step();

    TNotifyEvent OnFrameChange;

private:
    void Reset();
    void LoadData(const QByteArray& Data, bool Notify);
    // Decodes the current frame of the data; raises EHTMLPictureError.
    void LoadPictureData();

    QByteArray FDatastream;
    bool FIsEmpty = true;
    bool FStretched = false;
    std::unique_ptr<QImage> gpPicture;
    QString FURL;
    QString FID;
    bool FIsDB = false;
    bool FAsynch = true;
    bool FThreadBusy = false;
    Integer FFrame = 1;
    mutable Integer FFrameCount = -1;
    Word FFrameXPos = 0, FFrameYPos = 0, FFrameXSize = 0, FFrameYSize = 0;
    Word FAnimMaxX = 0, FAnimMaxY = 0;
    Integer FNextCount = -1;
    Integer FTimerCount = -1;
};

// Pictures loaded by address; owns them.
class THTMLPictureCache : public TList {
public:
    ~THTMLPictureCache() override;
    QString ClassName() const override { return QStringLiteral("THTMLPictureCache"); }

    THTMLPicture* AddPicture();
    // The first picture whose identifier is exactly ID, or nullptr.
    THTMLPicture* FindPicture(const QString& ID) const;
    void ClearPictures();
    // Steps every picture; true when any frame changed.
    bool Animate();
    THTMLPicture* GetPicture(Integer Index) const { return static_cast<THTMLPicture*>(Items(Index)); }
    void SetPicture(Integer Index, THTMLPicture* Value) { SetItems(Index, Value); }
};

class TPictureItem : public TCollectionItem {
public:
    explicit TPictureItem(TCollection* Collection);
    ~TPictureItem() override;
    QString ClassName() const override { return QStringLiteral("TPictureItem"); }
    void Assign(const TPersistent* Source) override;

    THTMLPicture* Picture() const { return FPicture.get(); }
    void SetPicture(const THTMLPicture* Value) { FPicture->Assign(Value); }
    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }
    const QString& Name() const { return FName; }
    void SetName(const QString& Value) { FName = Value; }

private:
    std::unique_ptr<THTMLPicture> FPicture;
    Integer FTag = 0;
    QString FName;
};

class TPictureCollection : public TCollection {
public:
    explicit TPictureCollection(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TPictureCollection"); }

    TPictureItem* Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
    TPictureItem* Insert(Integer Index) { return static_cast<TPictureItem*>(TCollection::Insert(Index)); }
    TPictureItem* GetItem(Integer Index) const { return ItemsAs<TPictureItem>(Index); }
    void SetItem(Integer Index, const TPictureItem* Value) { SetItems(Index, Value); }
    TPersistent* GetOwner() const override { return FOwner; }
    // Steps every item's picture; true when any frame changed.
    bool Animate();

private:
    TComponent* FOwner;
};

// Named pictures for the "name" form of an IMG source.
class TPictureContainer : public TComponent {
public:
    explicit TPictureContainer(TComponent* AOwner);
    ~TPictureContainer() override;
    QString ClassName() const override { return QStringLiteral("TPictureContainer"); }

    TPictureCollection* Items() const { return FItems.get(); }
    // Copies the items of Value.
    void SetItems(const TPictureCollection* Value) { FItems->Assign(Value); }
    // The picture of the first item of that name, letter case ignored; nullptr when none.
    virtual THTMLPicture* FindPicture(const QString& Name) const;

private:
    std::unique_ptr<TPictureCollection> FItems;
};
