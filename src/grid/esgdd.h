#pragma once
// Drag and drop of grid cells over Qt's drag and drop and clipboard: the
// base drop target and drop source the grid's own derive from, the data
// object offered when cell text, a block of cells or a column is dragged out
// of a grid, its format enumerator, a reader of the formats of anything
// dropped on a grid (or found on the clipboard), and the routines that start
// a drag.
//
// Formats travel as Qt mime data: plain text as "text/plain", the grid's
// registered formats ("Rich Text Format", "Grid Column", "TExStringGrid
// Cells", "UniformResourceLocator") under the mime types Qt gives registered
// clipboard formats, files as a URI list. The reader hands every format out
// in its native block layout (see GlobalHandle).

#include <QByteArray>
#include <QImage>
#include <functional>
#include <QString>
#include <memory>
#include <vector>

#include "platform/ComResult.h"
#include "platform/DragDrop.h"
#include "platform/Messages.h"
#include "platform/Types.h"

class QEvent;
class QMimeData;
class TMemoryStream;
class TStringList;

// Standard and registered formats. The registered ones are 0 until the
// first reader, data object or drag registers them.
constexpr Cardinal CF_TEXT = 1;
constexpr Cardinal CF_UNICODETEXT = 13;
constexpr Cardinal CF_HDROP = 15;
Cardinal CF_RTF();
Cardinal CF_GRIDCOLUMN();
Cardinal CF_GRIDCELLS();
Cardinal CF_URL();
// Registers the four names (once); the identifiers stay the same afterwards.
void RegisterGridFormats();

// Format descriptions (the drop effects and the Alt key's flag are the platform's).
constexpr Cardinal DVASPECT_CONTENT = 1;
constexpr Cardinal TYMED_HGLOBAL = 1;
constexpr Cardinal TYMED_ISTREAM = 4;
constexpr Integer DATADIR_GET = 1;
constexpr Integer DATADIR_SET = 2;

struct TFormatEtc {
    Cardinal cfFormat = 0;
    Cardinal dwAspect = DVASPECT_CONTENT;
    Integer lindex = -1;
    Cardinal tymed = TYMED_HGLOBAL;
    friend bool operator==(const TFormatEtc&, const TFormatEtc&) = default;
};

enum TDropFormat { dfText, dfFile, dfCol, dfRTF, dfURL, dfGridCells };
// A set of TDropFormat values.
class TDropFormats {
public:
    constexpr TDropFormats() = default;
    constexpr bool Contains(TDropFormat f) const { return (bits_ & (1u << f)) != 0; }
    constexpr void Include(TDropFormat f) { bits_ |= Byte(1u << f); }
    constexpr bool Empty() const { return bits_ == 0; }
    friend constexpr bool operator==(TDropFormats, TDropFormats) = default;

private:
    Byte bits_ = 0;
};

// Allows RTF among the formats dropped on grids (off at start).
void SetOleDropRTFFlag(bool Value);
bool OleDropRTFFlag();
// DROPEFFECT_COPY with Ctrl held; else DROPEFFECT_MOVE when allowed, else COPY.
Integer DropEffectFor(WPARAM KeyState, Integer Allowed);

// Reads the formats of a dropped object or of the clipboard's content.
class TEnumFormats {
public:
    // The data is not owned; it must outlive the reader.
    explicit TEnumFormats(const QMimeData* DataObject);
    ~TEnumFormats();

    void Reset();
    // Fetches the next format into the current one; false when none is left.
    bool Next();
    // Walks the formats from the start until one has that identifier (it
    // stays current); false when there is none.
    bool HasFormat(Cardinal Format);
    // The data of the current format with that medium in its native block
    // layout; empty when the format is not valid, lacks the medium or has
    // no data.
    QByteArray Handle(Cardinal Medium) const;
    QByteArray GlobalHandle() const { return Handle(TYMED_HGLOBAL); }

    bool HasText() { return HasFormat(CF_UNICODETEXT); }
    bool HasRTF() { return HasFormat(CF_RTF()); }
    bool HasCol() { return HasFormat(CF_GRIDCOLUMN()); }
    bool HasFile() { return HasFormat(CF_HDROP); }
    bool HasURL() { return HasFormat(CF_URL()); }
    bool HasGridCells() { return HasFormat(CF_GRIDCELLS()); }

    // Empty / -1 / null when the format is absent.
    QString Text();
    QString RTF();
    Integer Col();
    std::unique_ptr<TMemoryStream> Stream();
    // Fills Files from the file list; true when it holds at least one name.
    bool ReadDropFiles();
    TStringList* Files() const { return FFiles.get(); }

    TFormatEtc& FormatEtc() { return FFormatEtc; }
    bool Valid() const { return FValid; }
    Integer Count() const { return FCount; }

private:
    const QMimeData* FDataObject;
    std::vector<TFormatEtc> FEnumerator;
    std::size_t FPosition = 0;
    TFormatEtc FFormatEtc;
    bool FValid = false;
    Integer FCount = 0;
    std::unique_ptr<TStringList> FFiles;
};

// The base drop target: works out what an entered object offers and hands
// drops to the virtual operations, which do nothing here.
class TESGDropTarget {
public:
    TESGDropTarget() = default;
    virtual ~TESGDropTarget() = default;

    HRESULT DragEnter(const QMimeData* DataObject, WPARAM KeyState, TPoint Pt, Integer& Effect);
    HRESULT DragOver(WPARAM KeyState, TPoint Pt, Integer& Effect);
    HRESULT DragLeave();
    HRESULT Drop(const QMimeData* DataObject, WPARAM KeyState, TPoint Pt, Integer& Effect);

    bool AcceptText() const { return FAcceptText; }
    void SetAcceptText(bool Value) { FAcceptText = Value; }
    bool AcceptFiles() const { return FAcceptFiles; }
    void SetAcceptFiles(bool Value) { FAcceptFiles = Value; }
    bool AcceptCols() const { return FAcceptCols; }
    void SetAcceptCols(bool Value) { FAcceptCols = Value; }
    bool AcceptURLs() const { return FAcceptURLs; }
    void SetAcceptURLs(bool Value) { FAcceptURLs = Value; }
    TDropFormats DropFormats() const { return FDropFormats; }

protected:
    // Points are screen points. DropStream's stream is the override's.
    virtual void DropText(TPoint Pt, const QString& S) {}
    virtual void DropStream(TPoint Pt, std::unique_ptr<TMemoryStream> Stream) {}
    virtual void DropCol(TPoint Pt, Integer Col) {}
    virtual void DropRTF(TPoint Pt, const QString& S) {}
    virtual void DropFiles(TPoint Pt, TStringList* Files) {}
    virtual void DropURL(TPoint Pt, const QString& S) {}
    virtual void DragMouseMove(TPoint Pt, bool& Allow, TDropFormats DropFormats) {}
    virtual void DragMouseEnter() {}
    virtual void DragMouseLeave() {}

private:
    bool FOk = false;
    bool FAcceptText = true;
    bool FAcceptFiles = true;
    bool FAcceptCols = false;
    bool FAcceptURLs = true;
    TDropFormats FDropFormats;
};

// Hands a Qt drag event (enter, move, leave, drop) of a window whose client
// origin is at Origin on the screen to Target, and answers Qt with the
// effect; false for other events.
bool DispatchDragEvent(TESGDropTarget* Target, QEvent* Event, TPoint Origin);

// The base drop source.
class TESGDropSource {
public:
    TESGDropSource() = default;
    virtual ~TESGDropSource() = default;

    // Escape cancels, a released left button drops, else the drag goes on.
    HRESULT QueryContinueDrag(bool EscapePressed, WPARAM KeyState);
    HRESULT GiveFeedback(Integer Effect);
    // The last feedback had no effect.
    bool NoAccept() const { return FNoAccept; }

protected:
    // Called when the drag ends by Escape or by releasing the button.
    virtual void DragFinished() {}
    virtual void CurrentEffect(Integer Effect) {}
    // Called on every continue query.
    virtual void QueryDrag() {}

private:
    bool FNoAccept = false;
};

class TSourceEnumFormatEtc;

// What a grid offers when cells or a column are dragged out of it.
class TSourceDataObject {
public:
    // Column -1 for none; the stream (cells in the grid's stream format) is
    // not owned and may be null.
    TSourceDataObject(const QString& Text, const QString& RTF, Integer Column, TMemoryStream* Cells);

    // For DATADIR_GET a new enumerator; else E_NOTIMPL and null.
    HRESULT EnumFormatEtc(Integer Direction, std::unique_ptr<TSourceEnumFormatEtc>& Enum) const;
    HRESULT QueryGetData(const TFormatEtc& Format) const;
    // The format's data in its block layout.
    HRESULT GetData(const TFormatEtc& Format, QByteArray& Medium) const;
    // Every format it offers, as Qt mime data for a drag or the clipboard.
    std::unique_ptr<QMimeData> ToMimeData() const;

private:
    QString textdata;
    QString rtfdata;
    Integer scolidx;
    TMemoryStream* memstr;
};

// The formats of a data object: text, wide text, RTF, then the column and
// the cells when present.
class TSourceEnumFormatEtc {
public:
    TSourceEnumFormatEtc(bool HasCol, bool HasGridCells, std::size_t Index = 0);

    // Up to Count formats into Elements; S_OK when Count were filled.
    HRESULT Next(Integer Count, TFormatEtc* Elements, Integer* Fetched);
    HRESULT Skip(Integer Count);
    HRESULT Reset();
    std::unique_ptr<TSourceEnumFormatEtc> Clone() const;
    Integer FormatCount() const { return Integer(FFormats.size()); }

private:
    std::vector<TFormatEtc> FFormats;
    std::size_t FIndex;
};

// Drags text (and RTF and cells) or a column out of the program. Returns
// DRAGDROP_S_CANCEL when the drag ended without effect, else
// DRAGDROP_S_DROP; Effect receives what the target did.
HRESULT StartOleTextDrag(TESGDropSource* DropSource, const QString& Text, const QString& RTF, Integer& Effect,
                         Integer OkEffects, TMemoryStream* Cells);
HRESULT StartOleColumnDrag(TESGDropSource* DropSource, Integer Column, Integer OkEffects, Integer& Effect);
// The picture that follows the mouse during the next drag (once; a null
// image for none), with the point of it under the mouse.
void SetNextDragPicture(const QImage& Picture, TPoint HotSpot);

// For tests: the drag loop replaced by a procedure that gets the offered
// data and the allowed effects and answers the effect of the drop
// (DROPEFFECT_NONE for a cancelled drag). Clear() restores the real loop.
namespace GridDragSeam {
using THandler = std::function<Integer(const QMimeData* Data, Integer OkEffects)>;
void Set(THandler Handler);
void Clear();
// The picture the last drag showed under the mouse.
QImage LastPicture();
} // namespace GridDragSeam
