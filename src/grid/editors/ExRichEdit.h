#pragma once
// TExRichEdit: the string grid's rich edit. The grid keeps two: a hidden
// one of no size that it fills with a rich-text cell to measure or render
// it, and the in-place editor of edRichEdit cells. It sets the selection
// raised or lowered (sub- and superscript), keeps Tab from the dialog,
// closes the edit when the focus goes back to the grid, lets Up and Down
// leave a one-line cell, and grows the row while the user types.

#include "platform/RichEdit.h"

class TExStringGrid;

class TExRichEdit : public TRichEdit {
public:
    explicit TExRichEdit(TExStringGrid* AGrid);
    QString ClassName() const override { return QStringLiteral("TExRichEdit"); }
    TExStringGrid* Grid() const { return FGrid; }
    void ReCreate() { RecreateWnd(); }

    // The selection's character offset: 0, -40 or +40 twips.
    void SelNormal();
    void SelSubscript();
    void SelSuperscript();
    bool IsSelNormal();
    bool IsSelSubscript();
    bool IsSelSuperscript();
    // While locked (the grid loads a cell) the row does not grow.
    void Lock() { FLocked = true; }
    void Unlock() { FLocked = false; }
    bool Locked() const { return FLocked; }
    // The size the content asked for at its last resize request.
    Integer ReqWidth() const { return FReqWidth; }
    Integer ReqHeight() const { return FReqHeight; }

protected:
    void Dispatch(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    void ResizeRequest(const TRect& Requested);
    TExStringGrid* FGrid;
    Integer FReqHeight = 0;
    Integer FReqWidth = 0;
    bool FLocked = false;
};
