#pragma once
// TInplaceEdit: the masked edit a grid lays over its current cell. The grid
// makes it (CreateEditor), fills it from the cell (UpdateContents: edit
// mask, text and length limit through the grid's hooks), places it on the
// cell (Move, then BoundsChanged) and takes its text back on every change.
// Keys that leave the text go to the grid: Tab, Escape, Page Up and Down,
// Up and Down, and Home, End, Left and Right at the text's edges.

#include "platform/MaskEdit.h"

class TCustomGrid;

class TInplaceEdit : public TCustomMaskEdit {
public:
    explicit TInplaceEdit(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TInplaceEdit"); }

    // The grid the editor belongs to (its owner).
    TCustomGrid* Grid() const { return FGrid; }
    // Puts the editor on Loc (the grid's client coordinates) and shows it.
    void Move(const TRect& Loc);
    // True when the editor already lies on Rect.
    bool PosEqual(const TRect& Rect) const;
    // Loads the edit mask, the text and the length limit of the grid's
    // current cell.
    virtual void UpdateContents();

protected:
    // Called after Move placed the editor.
    virtual void BoundsChanged();
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void Change() override;

private:
    // The caret stands at the start (end) of the text, or all of it is selected.
    bool AtStart() const;
    bool AtEnd() const;

    TCustomGrid* FGrid;
};
