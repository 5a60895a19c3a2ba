#pragma once
// The settings and helper objects of the grid's data exchange: progress
// states of exports and imports, the HTML export settings, the drag and
// drop settings and the drop target and drop source of a grid.

#include <QString>
#include <functional>
#include <memory>

#include "grid/esgdd.h"
#include "platform/DrawGrid.h"
#include "platform/Object.h"

class TExStringGrid;
class TIntList;
class TMemoryStream;
class TStringList;

// States handed to ImportNotification (those of ExportNotification are
// TExportState of the grid).
enum TImportState { isImportStart, isImportNewRow, isImportSelRow, isImportDone };

using TFileProgressEvent = std::function<void(TObject* Sender, Integer Progress)>;
using TColumnCalcEvent = std::function<void(TObject* Sender, Integer ACol, Integer FromRow, Integer ToRow, double& Res)>;
using TOleDragDropEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, const QString& Data, bool& Allow)>;
using TOleDragOverEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& Allow)>;
using TOleDragStartEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol)>;
using TOleDragStopEvent = std::function<void(TObject* Sender, Integer OLEEffect)>;
using TOleDropColEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, Integer DropCol)>;
using TOleDroppedEvent = std::function<void(TObject* Sender, TGridRect ARect)>;

// How the HTML export writes the grid.
class THTMLSettings : public TPersistent {
public:
    THTMLSettings();
    ~THTMLSettings() override;
    QString ClassName() const override { return QStringLiteral("THTMLSettings"); }
    // From another THTMLSettings only; ExportImages and ColWidths stay.
    void Assign(const TPersistent* Source) override;

    bool AutoPreview = false;
    bool ConvertSpecialChars = false;
    bool NonBreakingText = false;
    bool SaveColor = true;
    bool SaveFonts = true;
    QString FooterFile;
    QString HeaderFile;
    Integer BorderSize = 1;
    Integer CellSpacing = 0;
    Integer CellPadding = 0;
    QString TableStyle;
    QString PrefixTag;
    QString SuffixTag;
    QString Summary;
    Integer Width = 100;
    bool XHTML = false;
    bool ExportImages = true;
    TIntList* ColWidths() const { return FColWidths.get(); }

private:
    std::unique_ptr<TIntList> FColWidths;
};

// What a grid takes and gives by drag and drop.
class TDragDropSettings : public TPersistent {
public:
    explicit TDragDropSettings(TExStringGrid* AOwner) : FGrid(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TDragDropSettings"); }
    void Assign(const TPersistent* Source) override;

    bool OleDropTarget() const { return FOleDropTarget; }
    // Registers the grid's window as a drop target or revokes it.
    void SetOleDropTarget(bool Value);
    bool OleDropRTF() const { return FOleDropRTF; }
    void SetOleDropRTF(bool Value);

    bool OleDropSource = false;
    bool OleAcceptText = true;
    bool OleAcceptFiles = true;
    bool OleAcceptURLs = true;
    bool OleEntireRows = false;
    bool OleInsertRows = false;
    bool OleAppendRows = false;
    bool OleRemoveRows = false;
    bool OleCopyAlways = false;
    bool OleColumnDragDrop = false;
    bool OleColumnsOnly = false;
    bool OleColumnReorder = false;
    bool ShowCells = true;

private:
    TExStringGrid* FGrid;
    bool FOleDropTarget = false;
    bool FOleDropRTF = false;
};

class TDragScrollDelays : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TDragScrollDelays"); }
    void Assign(const TPersistent* Source) override;
    Integer InitialDelay = 1000;
    Integer RepeatDelay = 250;
};

class TDragScrollMargins : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TDragScrollMargins"); }
    void Assign(const TPersistent* Source) override;
    Integer TopMargin = 50;
    Integer BottomMargin = 50;
    Integer LeftMargin = 50;
    Integer RightMargin = 50;
};

class TDragScrollOptions : public TPersistent {
public:
    TDragScrollOptions();
    ~TDragScrollOptions() override;
    QString ClassName() const override { return QStringLiteral("TDragScrollOptions"); }
    void Assign(const TPersistent* Source) override;
    bool Active = false;
    TDragScrollDelays* Delays() const { return FDelays.get(); }
    TDragScrollMargins* Margins() const { return FMargins.get(); }

private:
    std::unique_ptr<TDragScrollDelays> FDelays;
    std::unique_ptr<TDragScrollMargins> FMargins;
};

// What a drop does to the grid.
class TGridDropTarget : public TESGDropTarget {
public:
    explicit TGridDropTarget(TExStringGrid* AGrid) : FGrid(AGrid) {}

protected:
    void DropText(TPoint Pt, const QString& S) override;
    void DropStream(TPoint Pt, std::unique_ptr<TMemoryStream> Stream) override;
    void DropCol(TPoint Pt, Integer Col) override;
    void DropRTF(TPoint Pt, const QString& S) override;
    void DropFiles(TPoint Pt, TStringList* Files) override;
    void DropURL(TPoint Pt, const QString& S) override;
    void DragMouseMove(TPoint Pt, bool& Allow, TDropFormats DropFormats) override;
    void DragMouseLeave() override;

private:
    TExStringGrid* FGrid;
};

// The feedback while cells or a column are dragged out of a grid.
class TGridDropSource : public TESGDropSource {
public:
    explicit TGridDropSource(TExStringGrid* AGrid) : FGrid(AGrid) {}
    Integer LastEffect() const { return FLastEffect; }

protected:
    void CurrentEffect(Integer Effect) override;
    void QueryDrag() override;
    void DragFinished() override;

private:
    TExStringGrid* FGrid;
    Integer FLastEffect = 0;
};
