#pragma once
// The standard controls over Qt widgets: label, link label, edit, memo,
// combo box, button, check box, radio button, list box, group box and
// scroll bar. Their state lives in the control (they can be configured
// before they have a window); the widget mirrors it, and the user's changes
// come back as the usual events.

#include <functional>
#include <memory>
#include "platform/Control.h"

class TStrings;
class TStringList;
class TCustomComboBox;
class TCustomEdit;

// Settings of a standard control's window that its class has no property
// for; the control keeps them for every window it makes. The combo box's list
// opens at least Width pixels wide (0: as wide as the combo box, as
// CB_SETDROPPEDWIDTH).
void SetComboDroppedWidth(TCustomComboBox* Combo, Integer Width);
// The width the list opens with (the combo's width when nothing wider was set).
Integer ComboDroppedWidth(const TCustomComboBox* Combo);
// Fit sizes the list (with SetComboDroppedWidth) once, the first time the
// list drops down or its width is read, rather than now: measuring a long
// list costs, and most lists are never opened. Setting a width first drops it.
void SetComboDropDownFit(TCustomComboBox* Combo, std::function<void(TCustomComboBox*)> Fit);
// The list opens with its right edge on the combo box's right edge (a wide
// list then reaches leftwards), as a hooked combo box moves it.
void SetComboDropRightAligned(TCustomComboBox* Combo, bool RightAligned);
// A one-line edit with or without its sunken frame.
void SetEditFrame(TCustomEdit* Edit, bool Framed);

// A control's own string list: every change to it calls the control back.
class TItemList {
public:
    explicit TItemList(std::function<void()> changed);
    ~TItemList();
    TItemList(const TItemList&) = delete;
    TItemList& operator=(const TItemList&) = delete;
    TStringList* operator->() const { return FList.get(); }
    TStringList* get() const { return FList.get(); }

private:
    std::unique_ptr<TStringList> FList;
};

enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
enum TSysLinkType { sltURL, sltID };

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TLabel"); }

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout v) { FLayout = v; Invalidate(); }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v) { FTransparent = v; Invalidate(); }
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool v);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* v) { FFocusControl = v; }

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    // Resizes the label to its text when AutoSize is on. The text is
    // measured when the label's bounds are next read or it gets its view,
    // so a label never shown costs no measuring.
    void AdjustBounds();
    void ResolveBounds() override;
    Cardinal TextFlags() const;

private:
    bool FAutoSize = true;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

using TSysLinkEvent = std::function<void(TObject* Sender, const QString& Link, TSysLinkType LinkType)>;

// A label whose caption may hold anchors (<a href="...">text</a>); a click on
// one fires OnLinkClick with its target.
class TLinkLabel : public TWinControl {
public:
    explicit TLinkLabel(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TLinkLabel"); }
    TSysLinkEvent OnLinkClick;

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void SetTextValue(const QString& value) override;
    void DoLinkClick(const QString& link);
};

class TCustomEdit : public TWinControl {
    friend void SetEditFrame(TCustomEdit* Edit, bool Framed);
public:
    explicit TCustomEdit(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TCustomEdit"); }

    // 0: no limit.
    Integer MaxLength() const { return FMaxLength; }
    void SetMaxLength(Integer v);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    QChar PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(QChar v);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool v) { FAutoSelect = v; }
    bool Modified() const { return FModified; }
    void SetModified(bool v) { FModified = v; }
    TAlignment Alignment() const { return FAlignmentValue; }
    void SetAlignment(TAlignment v);

    Integer SelStart() const;
    void SetSelStart(Integer v);
    Integer SelLength() const;
    void SetSelLength(Integer v);
    QString SelText() const;
    void SetSelText(const QString& v);
    void SelectAll();
    void Clear() { SetText(QString()); }
    void ClearSelection() { SetSelText(QString()); }
    // A window made with ES_MULTILINE and ES_AUTOVSCROLL or ES_WANTRETURN
    // (ES_MULTILINE alone keeps one line) holds lines ending in CR LF; without
    // ES_AUTOHSCROLL long lines wrap, and with ES_WANTRETURN Enter (also with
    // Ctrl) types a line break. Indexes count a CR LF as two characters.
    bool MultiLine() const { return FMultiLine; }
    // The line (from 0, wrapped lines counted) holding character Index, and
    // the number of lines.
    Integer LineFromChar(Integer Index) const;
    Integer LineCount() const;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWindowHandle(const TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    QString GetText() const override;
    void SetTextValue(const QString& value) override;
    // The text and the caret first, then the change notification: the order
    // of an edit window that takes a typed key, so that a change handler
    // sees the caret behind what was typed.
    void SetTypedText(const QString& value, Integer caret);
    virtual void Change();
    QString ApplyCase(const QString& s) const;
    // The text the widget shows now (after the user typed).
    void TextEdited(const QString& text);

    Integer FMaxLength = 0;
    TEditCharCase FCharCase = ecNormal;
    bool FReadOnly = false;
    QChar FPasswordChar;
    bool FAutoSelect = true;
    bool FModified = false;
    TAlignment FAlignmentValue = taLeftJustify;
    Integer FSelStart = 0, FSelLength = 0;
    bool FSettingText = false;
    // Where the text lies (EM_SETRECT); empty: the whole client area.
    TRect FTextRect;
    bool FFramed = true;
    // The window's kind, as its CreateParams asked.
    bool FMultiLine = false;
    bool FWrapLines = false;
    bool FWantReturn = false;

private:
    // The text after case and length rules, shown in the window.
    void StoreText(const QString& value);
    // Types a line break over the selection (multi-line windows).
    void TypeLineBreak();
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TEdit"); }
};

class TMemo : public TCustomEdit {
public:
    explicit TMemo(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TMemo"); }

    TStrings* Lines() const;
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool v) { FWantReturns = v; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool v) { FWantTabs = v; }

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    QString GetText() const override;
    void SetTextValue(const QString& value) override;

private:
    void LinesChanged();
    TItemList FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
    bool FSyncing = false;
};

// The combo box; its own list and edit events come back to it as CN_COMMAND
// notifications (CBN_DROPDOWN, CBN_CLOSEUP, CBN_SELCHANGE, CBN_EDITCHANGE),
// so a derived combo can hook them.
class TCustomComboBox : public TWinControl {
    friend void SetComboDroppedWidth(TCustomComboBox* Combo, Integer Width);
    friend Integer ComboDroppedWidth(const TCustomComboBox* Combo);
    friend void SetComboDropDownFit(TCustomComboBox* Combo, std::function<void(TCustomComboBox*)> Fit);
    friend void SetComboDropRightAligned(TCustomComboBox* Combo, bool RightAligned);
public:
    explicit TCustomComboBox(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TCustomComboBox"); }

    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle v);
    // The list; its objects travel with the entries.
    TStrings* Items() const;
    // -1: nothing selected. Setting it fires no event.
    Integer ItemIndex() const { return FItemIndex; }
    void SetItemIndex(Integer v);
    bool DroppedDown() const;
    void SetDroppedDown(bool v);
    Integer DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(Integer v);
    Integer MaxLength() const { return FMaxLength; }
    void SetMaxLength(Integer v);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    Integer ItemCount() const;
    void Clear();

    // OnChange: the user changed the text or (without OnSelect) picked an
    // item. OnSelect: the user picked an item.
    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    QString GetText() const override;
    void SetTextValue(const QString& value) override;
    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();

private:
    void ItemsChanged();
    void UserPicked(int index);
    void UserTyped(const QString& text);
    // A key's handling in the edit begins or ends.
    void KeyEditing(bool begins);
    void PushItems();
    TItemList FItems;
    TComboBoxStyle FStyle = csDropDown;
    Integer FItemIndex = -1;
    Integer FDropDownCount = 8;
    Integer FMaxLength = 0;
    bool FSorted = false;
    bool FPushing = false;
    Integer FKeyDepth = 0;
    QString FTextBeforeKey;
    Integer FDroppedWidth = 0;
    bool FDropRightAligned = false;
    // The pending fit of the list's width (SetComboDropDownFit).
    std::function<void(TCustomComboBox*)> FDropDownFit;
    void RunDropDownFit();
};

class TComboBox : public TCustomComboBox {
public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TComboBox"); }
};

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TButton"); }
    Integer ModalResult() const { return FModalResult; }
    void SetModalResult(Integer v) { FModalResult = v; }
    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    // Gives the form the button's modal result, then fires OnClick.
    void Click() override;

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void SetTextValue(const QString& value) override;
    void Dispatch(TMessage& Message) override;

private:
    Integer FModalResult = 0;
    bool FDefault = false;
    bool FCancel = false;
};

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TCheckBox"); }
    bool Checked() const { return FState == cbChecked; }
    // Setting it fires OnClick when the state changes.
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState v);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; }

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void SetTextValue(const QString& value) override;

private:
    void UserClicked();
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = taRightJustify;
};

class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TRadioButton"); }
    bool Checked() const { return FChecked; }
    // Checking one unchecks its siblings and fires OnClick.
    void SetChecked(bool v);

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void SetTextValue(const QString& value) override;

private:
    bool FChecked = false;
};

class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TListBox"); }
    TStrings* Items() const;
    Integer ItemIndex() const;
    void SetItemIndex(Integer v);
    Integer Count() const;
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool v);
    bool Selected(Integer index) const;
    void SetSelected(Integer index, bool v);
    Integer SelCount() const;
    Integer TopIndex() const;
    void SetTopIndex(Integer v);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    Integer ItemHeight() const;
    // The item at a client point, -1 for none.
    Integer ItemAtPos(TPoint Pos, bool Existing = true) const;
    void Clear();

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void CreateWnd() override;
    // Fills the window's list from the items.
    virtual void PushItems();

private:
    void ItemsChanged();
    void SelectionFromWidget();
    TItemList FItems;
    std::vector<bool> FSelected;
    Integer FItemIndex = -1;
    bool FMultiSelect = false;
    bool FSorted = false;
    bool FPushing = false;
    Integer FTopIndex = 0;
};

// A list box whose items carry check marks the user ticks.
class TCheckListBox : public TListBox {
public:
    explicit TCheckListBox(TComponent* AOwner) : TListBox(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TCheckListBox"); }
    bool Checked(Integer index) const;
    // By code: OnClickCheck does not fire.
    void SetChecked(Integer index, bool v);
    // The user changed an item's check mark.
    TNotifyEvent OnClickCheck;

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void PushItems() override;

private:
    std::vector<bool> FChecked;
    bool FApplying = false;
};

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGroupBox"); }

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void SetTextValue(const QString& value) override;
    TRect AlignRect() const override;
};

using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, Integer& ScrollPos)>;

class TScrollBar : public TWinControl {
public:
    explicit TScrollBar(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TScrollBar"); }
    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind v);
    Integer Min() const { return FMin; }
    Integer Max() const { return FMax; }
    Integer Position() const { return FPosition; }
    void SetMin(Integer v) { SetParams(FPosition, v, FMax); }
    void SetMax(Integer v) { SetParams(FPosition, FMin, v); }
    void SetPosition(Integer v) { SetParams(v, FMin, FMax); }
    void SetParams(Integer APosition, Integer AMin, Integer AMax);
    Integer SmallChange() const { return FSmallChange; }
    void SetSmallChange(Integer v) { FSmallChange = v; UpdateView(); }
    Integer LargeChange() const { return FLargeChange; }
    void SetLargeChange(Integer v) { FLargeChange = v; UpdateView(); }
    Integer PageSize() const { return FPageSize; }
    void SetPageSize(Integer v) { FPageSize = v; UpdateView(); }
    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void UpdateView() override;
    void Dispatch(TMessage& Message) override;

private:
    void Scroll(TScrollCode code, Integer pos);
    TScrollBarKind FKind = sbHorizontal;
    Integer FMin = 0, FMax = 100, FPosition = 0, FSmallChange = 1, FLargeChange = 1, FPageSize = 0;
    bool FPushing = false;
};
