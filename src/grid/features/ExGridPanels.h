#pragma once
// The windows the string grid lays over its own edges: the floating
// footer's strip, the search bar, and the thin scroll controls of the metro
// scroll type.

#include <QString>

#include "platform/Control.h"
#include "platform/ExtCtrls.h"

class TExStringGrid;
class TExGridButton;
class TExCheckBox;
class TRetEdit;
class TBitmap;

// The floating footer's strip (the grid's FloatingFooter settings say what
// it shows). Clicks on it are clicks on the footer row's cells; it shows
// their hints when the footer's ShowHint is set.
class TFooterPanel : public TCustomControl {
public:
    // AOwner must be the grid.
    explicit TFooterPanel(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TFooterPanel"); }
    TExStringGrid* Grid() const { return FGrid; }
    // The column (displayed) under x of the strip, -1 right of the last one.
    Integer ColumnAt(Integer X) const;
    // The fsCustomPreview text: each "<#n>" becomes the text of column n
    // of the current row; a placeholder whose n is not a number is dropped.
    QString ExpandTemplate(const QString& Template) const;
    // The column of the last hint shown, -1 for none.
    Integer LastHintX() const { return FLastHintX; }

protected:
    void Paint() override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    // The fixed columns and the columns from the left visible one on, as
    // painted: displayed column and its rectangle.
    template <class F> void ForEachColumn(F&& Each) const;
    Integer PaintedWidth() const;
    // A rectangle laid out left to right, mirrored in the strip for
    // right-to-left reading.
    TRect Placed(const TRect& R) const;
    void PaintLastRow(TCanvas* C, Integer Total);
    void PaintFramed(TCanvas* C, Integer Total);

    TExStringGrid* FGrid;
    Integer FLastHintX = -1;
};

// The search bar: a close button, the search text, find next and previous,
// a highlight toggle and a match-case box. Its five events are wired by the
// grid to its search; the grid's SearchFooter settings are laid onto it by
// the grid's UpdateSearchPanel.
class TSearchPanel : public TPanel {
public:
    // AOwner must be the grid.
    explicit TSearchPanel(TComponent* AOwner);
    ~TSearchPanel() override;
    QString ClassName() const override { return QStringLiteral("TSearchPanel"); }

    TRetEdit* Edit() const { return FEdit; }
    TExGridButton* ExitButton() const { return FExitButton; }
    TExGridButton* ForwardButton() const { return FForwardButton; }
    TExGridButton* BackwardButton() const { return FBackwardButton; }
    TExGridButton* HiliteButton() const { return FHiliteButton; }
    TExCheckBox* MatchCase() const { return FMatchCase; }
    // End colour of a top-to-bottom gradient; clNone: a flat panel.
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    // What the grid's search reads: the text, the match-case box and
    // whether the highlight button is down.
    QString EditText() const;
    bool MatchCaseChecked() const;
    bool HighlightDown() const;
    // Each control at its place, mirrored in the bar for right-to-left
    // reading.
    void PlaceControls();

    QString FindNextCaption, FindPrevCaption, MatchCaseCaption, HighLightCaption;
    QString HintFindPrev, HintClose, HintFindNext, HintHighlight;

    TNotifyEvent OnForwardClick;
    TNotifyEvent OnBackwardClick;
    TNotifyEvent OnEditChange;
    TNotifyEvent OnExitClick;
    TNotifyEvent OnHighLightClick;

protected:
    void CreateWnd() override;
    void Paint() override;
    void Resize() override;

private:
    // Find and highlight are enabled exactly while there is text.
    void EditChange();

    TExStringGrid* FGrid;
    TRetEdit* FEdit;
    TExGridButton* FExitButton;
    TExGridButton* FForwardButton;
    TExGridButton* FBackwardButton;
    TExGridButton* FHiliteButton;
    TExCheckBox* FMatchCase;
    TColor FColorTo = clNone;
};

// The search bar's button pictures by resource name ("ESGARDOWN",
// "ESGARDOWND", "ESGARUP", "ESGARUPD", "ESGCLOSE", "ESGCLOSEH", "ESGCLOSED",
// "ESGHI", "ESGHID"); an empty bitmap for any other name.
void LoadSearchGlyph(TBitmap* Bitmap, const QString& Name);

enum TScrollDirection { sdVertical, sdHorizontal };

// A thin scroll indicator with a thumb to drag, which the grid shows along
// its right and bottom edges instead of scroll bars (ScrollType ssMetro).
// It works only while its parent is a TExStringGrid.
class TScrollControl : public TCustomControl {
public:
    explicit TScrollControl(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TScrollControl"); }
    // The thumb's colour; a change repaints.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    // The thumb's thickness.
    Integer ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(Integer Value);
    TScrollDirection Direction() const { return FDirection; }
    void SetDirection(TScrollDirection Value);
    // Where the thumb lies along the control and how long it is; false
    // when all the grid's normal columns (rows) are shown (no thumb).
    bool ThumbExtent(Integer& Pos, Integer& Size) const;
    bool Dragging() const { return FDownOnScroller; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    TExStringGrid* Grid() const;
    // Along the direction: first visible, fixed count, visible count, count.
    void Extents(Integer& First, Integer& Fixed, Integer& Visible, Integer& Count) const;
    void SetFirst(Integer Value);

    TColor FColor = clSilver;
    Integer FScrollWidth = 4;
    bool FDownOnScroller = false;
    Integer FDownPos = 0;
    Integer FDownRow = 0;
    TScrollDirection FDirection = sdVertical;
};
