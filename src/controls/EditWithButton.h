#pragma once
// What the one-line edits with an embedded button (the spin edit and the
// edit with button) share: where the button sits, the text heights their
// minimum height is made of, and which keys and characters cut or paste;
// and TEmbeddedButtonEdit, their common base, which keeps the button and
// the text rectangle in place, the frame as the border style says, and the
// text from cut and paste while the editor is off or the edit read-only.

#include "platform/MaskEdit.h"

class TFont;

// The embedded button's bounds in an edit of Width x Height. A bordered 3D
// edit keeps the button inside its sunken edge.
TRect EmbeddedButtonBounds(Integer Width, Integer Height, Integer ButtonWidth, TBorderStyle BorderStyle, bool Ctl3D);
// The width of the sunken edge around a bordered 3D edit's text area.
Integer EditClientEdge(TBorderStyle BorderStyle, bool Ctl3D);
// The text heights of the font and of the system font.
void EditTextHeights(const TFont* Font, Integer& FontHeight, Integer& SystemHeight);
// Ctrl+X, Ctrl+V, Shift+Delete and Shift+Insert.
bool IsCutOrPasteKey(Word Key, TShiftState Shift);
// The characters Ctrl+X and Ctrl+V type.
bool IsCutOrPasteChar(QChar Key);

class TEmbeddedButtonEdit : public TCustomMaskEdit {
public:
    QString ClassName() const override { return QStringLiteral("TEmbeddedButtonEdit"); }

    // Characters may be typed (else only the button changes the text).
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool v) { FEditorEnabled = v; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool v);

protected:
    explicit TEmbeddedButtonEdit(TComponent* AOwner);
    // The embedded button (null while it is being made).
    virtual TWinControl* EmbeddedButton() const = 0;
    // The lowest height the edit's font allows.
    virtual Integer GetMinHeight() = 0;
    // Where the text goes in the current size.
    virtual TRect EditRect() = 0;

    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    // After a resize: the minimum height, the button's place and the text rectangle.
    void ResizeMessage();
    void SetEditRect();
    // Cut and paste may change the text.
    bool ClipboardEditAllowed() const { return FEditorEnabled && !ReadOnly(); }

    bool FEditorEnabled = true;

private:
    TBorderStyle FBorderStyle = bsSingle;
    bool FCtl3D = true;
    bool FSizing = false;
};
