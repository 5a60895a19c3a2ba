#pragma once
// TRichEdit: a multi-line edit whose text carries character formats (font,
// size, style, colour, raised or lowered text) and paragraph alignment,
// over Qt's text document. Its content is kept by the control itself, so
// it can be filled, measured and rendered without ever having a window.
// It loads and saves RTF source (the subset of RichTextRtf.h).
//
// Like the platform's rich edit it tells its owner through CN_NOTIFY: the
// size its content asks for (EN_REQUESTRESIZE, with a TReqSize record) and
// every change of the selection (EN_SELCHANGE).

#include <memory>
#include "platform/Control.h"
#include "platform/Graphics.h"

class QTextDocument;
class TCanvas;
class TRichEdit;

// Rich-edit messages and notifications.
constexpr Cardinal EM_FORMATRANGE = WM_USER + 57;
constexpr Cardinal EM_REQUESTRESIZE = WM_USER + 65;
constexpr Cardinal EN_REQUESTRESIZE = 0x0701;
constexpr Cardinal EN_SELCHANGE = 0x0702;

// The record of EN_REQUESTRESIZE: the rectangle the content asks for.
struct TReqSize {
    TNMHdr nmhdr;
    TRect rc;
};

// The character formats of a rich edit's selection: reading gives the
// format at the selection's start, writing applies to the whole selection
// (or to what is typed next when nothing is selected).
class TTextAttributes {
public:
    explicit TTextAttributes(TRichEdit* Owner) : FOwner(Owner) {}
    QString Name() const;
    void SetName(const QString& Value);
    // Points.
    Integer Size() const;
    void SetSize(Integer Value);
    TFontStyles Style() const;
    void SetStyle(TFontStyles Value);
    TColor Color() const;
    void SetColor(TColor Value);
    // Raised (positive) or lowered (negative) text, in twips.
    Integer Offset() const;
    void SetOffset(Integer Twips);
    // Name, size, style and colour from a font.
    void Assign(const TFont* Font);

private:
    TRichEdit* FOwner;
};

class TRichEdit : public TWinControl {
    friend class TTextAttributes;

public:
    explicit TRichEdit(TComponent* AOwner);
    ~TRichEdit() override;
    QString ClassName() const override { return QStringLiteral("TRichEdit"); }

    // The content as RTF source, and loading from a text: RTF source when
    // it starts with "{\rtf", else plain text.
    QString RichText() const;
    void SetRichText(const QString& Source);
    // The plain text, lines ending in CR LF (Text() and SetText() too).
    QString PlainText() const { return GetText(); }
    void Clear();

    Integer SelStart() const;
    void SetSelStart(Integer Value);
    Integer SelLength() const;
    void SetSelLength(Integer Value);
    QString SelText() const;
    void SelectAll();
    TTextAttributes* SelAttributes() { return &FSelAttributes; }

    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // The selection stays shown when the edit has no focus (false).
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // Where the text lies in the client area (EM_SETRECT); empty: all of it.
    TRect TextRect() const { return FTextRect; }

    // Draws the content into R (canvas units) as the platform's format range
    // does: laid out for R's width at the canvas's resolution, clipped to R.
    void FormatRange(TCanvas* Canvas, const TRect& R);
    // The size the content asks for: the widest line (or the wrapping
    // width) by the height of all lines, for the present text rectangle.
    TSize RequestedSize() const;
    // Tells the owner the size the content asks for now (EN_REQUESTRESIZE).
    void RequestSize();
    // The document's lines as laid out for the present width.
    Integer LineCount() const;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelectionChange;

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    QString GetText() const override;
    void SetTextValue(const QString& Value) override;
    void FontChanged() override;
    void Resize() override;
    virtual void Change();
    virtual void SelectionChange();

private:
    QTextDocument* Document() const { return FDoc.get(); }
    void ApplyFormat(const std::function<void(class QTextCharFormat&)>& Edit);
    void SyncSelectionFromWidget();
    void SyncSelectionToWidget();
    void ContentChanged();
    void ApplyLayoutWidth() const;
    void ApplyTextRect();
    void NotifySelection();

    std::unique_ptr<QTextDocument> FDoc;
    TTextAttributes FSelAttributes;
    Integer FSelStart = 0;
    Integer FSelLength = 0;
    bool FWordWrap = true;
    TBorderStyle FBorderStyle = bsSingle;
    bool FHideSelection = true;
    bool FReadOnly = false;
    TRect FTextRect;
    bool FSyncing = false;
    // A change of the content is being made by code (no change event).
    Integer FLoading = 0;
};
