#pragma once
// The filter dropdown of the string grid: its settings, the single-choice
// list and the check list that a filter glyph in the filter row opens, and
// the popup form that never takes the activation (also the floating picture
// of dragged cells).

#include <QString>
#include <functional>
#include <memory>

#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/StdControls.h"

class TBitmap;
class TExStringGrid;

using TDropSelectEvent = std::function<void(TObject* Sender, Integer ItemIndex)>;

// How the filter dropdown looks and where it goes.
class TFilterDropDown : public TPersistent {
public:
    TFilterDropDown();
    ~TFilterDropDown() override;
    QString ClassName() const override { return QStringLiteral("TFilterDropDown"); }
    // Color, ColumnWidth, Font, Height, Width and both glyphs of another
    // TFilterDropDown (not AutoSize); other sources are ignored.
    void Assign(const TPersistent* Source) override;

    // The list's height is its entries' and its width its widest entry's.
    bool AutoSize = false;
    Integer Height = 150;
    Integer Width = 150;
    TColor Color = clWindow;
    // The list takes the left edge and width of the column.
    bool ColumnWidth = false;
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);
    // The glyphs of a column without and with an active filter; a new
    // picture fires OnChange.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TBitmap* Value);
    TBitmap* GlyphActive() const { return FGlyphActive.get(); }
    void SetGlyphActive(const TBitmap* Value);
    TNotifyEvent OnChange;

private:
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TBitmap> FGlyph;
    std::unique_ptr<TBitmap> FGlyphActive;
};

// The single-choice filter list: Enter or a click picks the entry and
// closes the list.
class TDropList : public TListBox {
public:
    explicit TDropList(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TDropList"); }
    TDropSelectEvent OnSelect;

protected:
    void KeyPress(QChar& Key) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void DoExit() override;
};

// The multiple-choice filter list: every change of a check mark reports
// (with index -1) and the list stays open.
class TDropCheckList : public TCheckListBox {
public:
    explicit TDropCheckList(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TDropCheckList"); }
    TDropSelectEvent OnSelect;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DoExit() override;
};

// A borderless popup that never becomes the active window.
class TNoActiveForm : public TForm {
public:
    explicit TNoActiveForm(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TNoActiveForm"); }
};
