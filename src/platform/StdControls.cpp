#include "platform/StdControls.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/GraphicsQt.h"
#include "platform/StringList.h"
#include "platform/WidgetBridge.h"

namespace {

// Label text as shown: "&x" underlines x, "&&" is one "&".
QString StripAccel(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == u'&' && i + 1 < s.size()) {
            ++i;
            out.append(s[i]);
        } else if (s[i] != u'&') {
            out.append(s[i]);
        }
    }
    return out;
}

void SetTabFocus(QWidget* w, bool tabStop)
{
    w->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

// A combo box that tells its control when the list opens and closes.
class TQComboBox : public QComboBox {
public:
    TQComboBox(QWidget* parent, std::function<void(bool)> notify) : QComboBox(parent), FNotify(std::move(notify)) {}
    void showPopup() override
    {
        FNotify(true);
        QComboBox::showPopup();
        // A list wider than the box may open leftwards, its right edge on the box's.
        QWidget* popup = view() != nullptr ? view()->window() : nullptr;
        if (RightAligned && popup != nullptr && popup != window())
            popup->move(mapToGlobal(QPoint(width(), 0)).x() - popup->width(), popup->y());
    }
    void hidePopup() override
    {
        QComboBox::hidePopup();
        FNotify(false);
    }

    bool RightAligned = false;

private:
    std::function<void(bool)> FNotify;
};

// The line edit of an editable combo box. Qt completes the typed text inside
// the key's own handling, after it reported the edit; the control hears when
// a key (or an input-method entry) begins and ends, so that it reports the
// text the user sees once the completion is done.
class TQComboEdit : public QLineEdit {
public:
    TQComboEdit(QWidget* parent, std::function<void(bool)> editing) : QLineEdit(parent), FEditing(std::move(editing)) {}

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        FEditing(true);
        QLineEdit::keyPressEvent(e);
        FEditing(false);
    }
    void inputMethodEvent(QInputMethodEvent* e) override
    {
        FEditing(true);
        QLineEdit::inputMethodEvent(e);
        FEditing(false);
    }

private:
    std::function<void(bool)> FEditing;
};

} // namespace

TItemList::TItemList(std::function<void()> changed) : FList(std::make_unique<TStringList>())
{
    FList->OnChange = [changed = std::move(changed)](TObject*) { changed(); };
}

TItemList::~TItemList()
{
    FList->OnChange = nullptr;
}

// ------------------------------------------------------------ TLabel

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle |= csReplicatable;
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

// The setters below change how the text is measured: a size still pending is
// worked out first under the settings it was asked with.

void TLabel::SetAutoSize(bool v)
{
    SettleBounds();
    FAutoSize = v;
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment v)
{
    SettleBounds();
    FAlignment = v;
    Invalidate();
}

void TLabel::SetWordWrap(bool v)
{
    SettleBounds();
    FWordWrap = v;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetShowAccelChar(bool v)
{
    SettleBounds();
    FShowAccelChar = v;
    AdjustBounds();
    Invalidate();
}

Cardinal TLabel::TextFlags() const
{
    Cardinal f = DT_EXPANDTABS;
    f |= FAlignment == taRightJustify ? DT_RIGHT : FAlignment == taCenter ? DT_CENTER : DT_LEFT;
    if (FWordWrap)
        f |= DT_WORDBREAK;
    else
        f |= DT_SINGLELINE;
    if (FLayout == tlCenter) f |= DT_VCENTER;
    else if (FLayout == tlBottom) f |= DT_BOTTOM;
    if (!FShowAccelChar)
        f |= DT_NOPREFIX;
    return f;
}

void TLabel::AdjustBounds()
{
    if (!FAutoSize || HasState(csLoading))
        return;
    SetBoundsPending();
    // A label with a view shows its bounds at once.
    if (FView)
        SettleBounds();
}

void TLabel::ResolveBounds()
{
    const QFontMetrics& fm = FontMetricsOf(*Font());
    const QString text = FShowAccelChar ? StripAccel(Caption()) : Caption();
    Integer w, h;
    if (FWordWrap) {
        const QRect r = fm.boundingRect(QRect(0, 0, std::max(Width(), 1), 100000), Qt::TextWordWrap, text);
        w = Width();
        h = std::max(r.height(), fm.height());
    } else {
        Integer widest = 0;
        const QStringList lines = text.split(u'\n');
        for (const QString& line : lines)
            widest = std::max<Integer>(widest, fm.horizontalAdvance(line));
        w = widest;
        h = fm.height() * Integer(lines.size());
    }
    // A right-aligned label keeps its right edge.
    const Integer left = FAlignment == taRightJustify ? Left() + Width() - w : Left();
    SetBounds(left, Top(), w, h);
}

void TLabel::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        AdjustBounds();
        Invalidate();
        break;
    default:
        TGraphicControl::Dispatch(Message);
        break;
    }
}

void TLabel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (!FTransparent) {
        c->Brush()->SetColor(Color());
        c->Brush()->SetStyle(bsSolid);
        c->FillRect(r);
    }
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(Font());
    if (!Enabled())
        c->Font()->SetColor(clGrayText);
    DrawText(c, Caption(), r, TextFlags());
}

// ------------------------------------------------------------ TLinkLabel

TLinkLabel::TLinkLabel(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle &= ~csClickEvents;
    SetBounds(0, 0, 53, 17);
    SetParentColor(true);
}

void TLinkLabel::CreateWindowHandle(const TCreateParams&)
{
    auto* w = new QLabel(TWidgetBridge::ParentWidget(this));
    w->setTextFormat(Qt::RichText);
    w->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    w->setOpenExternalLinks(false);
    w->setText(FText);
    w->setFocusPolicy(Qt::NoFocus);
    QObject::connect(w, &QLabel::linkActivated, [this](const QString& link) { TWidgetBridge::Guard(this, [&] { DoLinkClick(link); }); });
    TWidgetBridge::Attach(this, w);
}

void TLinkLabel::SetTextValue(const QString& value)
{
    FText = value;
    if (auto* w = TWidgetBridge::WidgetAs<QLabel>(this))
        w->setText(value);
}

void TLinkLabel::DoLinkClick(const QString& link)
{
    if (OnLinkClick)
        OnLinkClick(this, link, link.contains(QStringLiteral("://")) || link.contains(u'.') ? sltURL : sltID);
}

// ------------------------------------------------------------ TCustomEdit

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    FDlgCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
    FControlStyle &= ~csClickEvents;
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

namespace {

// A multi-line edit keeps CR LF line ends in its text; its window shows each
// as one line break. These map indexes between the two.
QString WidgetTextOf(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

Integer WidgetIndexOf(const QString& text, Integer index)
{
    Integer w = 0;
    for (Integer i = 0; i < index && i < text.size(); ++i)
        if (!(text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n'))
            ++w;
    return w;
}

Integer TextIndexOf(const QString& text, Integer widgetIndex)
{
    Integer i = 0;
    for (Integer w = 0; w < widgetIndex && i < text.size(); ++w)
        i += text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
    return i;
}

QPlainTextEdit* LinesWidget(const TCustomEdit* edit)
{
    return edit->MultiLine() ? dynamic_cast<QPlainTextEdit*>(TWidgetBridge::Widget(edit)) : nullptr;
}

// Lines before a block of the window's document, wrapped lines counted.
Integer LinesBefore(const QTextBlock& block)
{
    Integer n = 0;
    for (QTextBlock b = block.document()->begin(); b.isValid() && b != block; b = b.next())
        n += std::max(1, b.layout() != nullptr ? b.layout()->lineCount() : 1);
    return n;
}

} // namespace

void TCustomEdit::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.Style |= ES_AUTOHSCROLL;
}

void TCustomEdit::CreateWindowHandle(const TCreateParams& Params)
{
    // ES_MULTILINE alone (a one-line edit that wants a formatting rectangle)
    // keeps the one-line window; the line editing styles make it multi-line.
    FMultiLine = (Params.Style & ES_MULTILINE) != 0 && (Params.Style & (ES_WANTRETURN | ES_AUTOVSCROLL)) != 0;
    FWrapLines = FMultiLine && (Params.Style & ES_AUTOHSCROLL) == 0;
    FWantReturn = FMultiLine && (Params.Style & ES_WANTRETURN) != 0;
    if (FMultiLine) {
        auto* w = new QPlainTextEdit(TWidgetBridge::ParentWidget(this));
        QObject::connect(w, &QPlainTextEdit::textChanged, [this, w] {
            QString t = w->toPlainText();
            t.replace(u'\n', QStringLiteral("\r\n"));
            if (t != FText)
                TWidgetBridge::Guard(this, [&] { TextEdited(t); });
        });
        TWidgetBridge::Attach(this, w);
        TWidgetBridge::AddSubWidget(this, w->viewport(), true);
        return;
    }
    auto* w = new QLineEdit(TWidgetBridge::ParentWidget(this));
    QObject::connect(w, &QLineEdit::textEdited, [this](const QString& t) { TWidgetBridge::Guard(this, [&] { TextEdited(t); }); });
    TWidgetBridge::Attach(this, w);
}

Integer TCustomEdit::LineFromChar(Integer Index) const
{
    const Integer index = std::clamp<Integer>(Index < 0 ? SelStart() : Index, 0, Integer(FText.size()));
    if (QPlainTextEdit* w = LinesWidget(this)) {
        const Integer wi = WidgetIndexOf(FText, index);
        const QTextBlock block = w->document()->findBlock(wi);
        if (block.isValid()) {
            Integer line = 0;
            if (QTextLayout* layout = block.layout(); layout != nullptr && layout->lineCount() > 0) {
                const QTextLine l = layout->lineForTextPosition(wi - block.position());
                line = l.isValid() ? l.lineNumber() : layout->lineCount() - 1;
            }
            return LinesBefore(block) + line;
        }
    }
    Integer line = 0;
    for (Integer i = 0; i < index; ++i)
        if (FText[i] == u'\n' || (FText[i] == u'\r' && (i + 1 >= FText.size() || FText[i + 1] != u'\n')))
            ++line;
    return line;
}

Integer TCustomEdit::LineCount() const
{
    if (QPlainTextEdit* w = LinesWidget(this)) {
        const QTextBlock last = w->document()->lastBlock();
        return LinesBefore(last) + std::max(1, last.layout() != nullptr ? last.layout()->lineCount() : 1);
    }
    return LineFromChar(Integer(FText.size())) + 1;
}

void TCustomEdit::TypeLineBreak()
{
    const Integer start = SelStart();
    QString t = FText;
    t.replace(start, SelLength(), QStringLiteral("\r\n"));
    FModified = true;
    SetTypedText(t, start + 2);
}

void TCustomEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    if (QPlainTextEdit* w = LinesWidget(this)) {
        const QSignalBlocker block(w);
        SetTabFocus(w, TabStop());
        w->setTabChangesFocus(true);
        w->setReadOnly(FReadOnly);
        w->setLineWrapMode(FWrapLines ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        w->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        w->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        w->setFrameShape(FFramed ? QFrame::StyledPanel : QFrame::NoFrame);
        // Without a frame (a cell's editor) the lines use the whole height.
        if (!FFramed)
            w->document()->setDocumentMargin(1);
        w->setPlainText(WidgetTextOf(FText));
        SetSelStart(FSelStart);
        SetSelLength(FSelLength);
        return;
    }
    if (auto* w = dynamic_cast<QLineEdit*>(TWidgetBridge::Widget(this))) {
        const QSignalBlocker block(w);
        SetTabFocus(w, TabStop());
        w->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
        w->setReadOnly(FReadOnly);
        w->setEchoMode(FPasswordChar.isNull() ? QLineEdit::Normal : QLineEdit::Password);
        w->setAlignment((FAlignmentValue == taRightJustify ? Qt::AlignRight : FAlignmentValue == taCenter ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
        w->setText(FText);
        w->setSelection(FSelStart, FSelLength);
        w->setFrame(FFramed);
        if (!FTextRect.IsEmpty()) {
            const TRect cr = ClientRect();
            w->setTextMargins(FTextRect.Left, FTextRect.Top, std::max(0, cr.Right - FTextRect.Right), std::max(0, cr.Bottom - FTextRect.Bottom));
        }
    }
}

QString TCustomEdit::ApplyCase(const QString& s) const
{
    switch (FCharCase) {
    case ecUpperCase: return s.toUpper();
    case ecLowerCase: return s.toLower();
    default: return s;
    }
}

QString TCustomEdit::GetText() const
{
    return FText;
}

void TCustomEdit::StoreText(const QString& value)
{
    QString v = ApplyCase(value);
    if (FMaxLength > 0 && v.size() > FMaxLength && !dynamic_cast<const TMemo*>(this))
        v.truncate(FMaxLength);
    FText = v;
    if (auto* w = dynamic_cast<QLineEdit*>(TWidgetBridge::Widget(this))) {
        const QSignalBlocker block(w);
        w->setText(v);
    } else if (QPlainTextEdit* m = LinesWidget(this)) {
        const QSignalBlocker block(m);
        m->setPlainText(WidgetTextOf(v));
    }
}

void TCustomEdit::SetTextValue(const QString& value)
{
    StoreText(value);
    Change();
}

void TCustomEdit::SetTypedText(const QString& value, Integer caret)
{
    StoreText(value);
    SetSelStart(caret);
    Change();
}

void TCustomEdit::TextEdited(const QString& text)
{
    FText = text;
    FModified = true;
    Perform(CN_COMMAND, MAKEWPARAM(0, EN_CHANGE));
}

void TCustomEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::SetMaxLength(Integer v)
{
    FMaxLength = std::max<Integer>(v, 0);
    if (auto* w = dynamic_cast<QLineEdit*>(TWidgetBridge::Widget(this)))
        w->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

void TCustomEdit::SetCharCase(TEditCharCase v)
{
    FCharCase = v;
    if (ApplyCase(FText) != FText)
        SetTextValue(FText);
}

void TCustomEdit::SetReadOnly(bool v)
{
    FReadOnly = v;
    if (auto* w = dynamic_cast<QLineEdit*>(TWidgetBridge::Widget(this)))
        w->setReadOnly(v);
    else if (auto* m = dynamic_cast<QPlainTextEdit*>(TWidgetBridge::Widget(this)))
        m->setReadOnly(v);
}

void TCustomEdit::SetPasswordChar(QChar v)
{
    FPasswordChar = v;
    if (auto* w = dynamic_cast<QLineEdit*>(TWidgetBridge::Widget(this)))
        w->setEchoMode(v.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

void TCustomEdit::SetAlignment(TAlignment v)
{
    FAlignmentValue = v;
    if (auto* w = dynamic_cast<QLineEdit*>(TWidgetBridge::Widget(this)))
        w->setAlignment((v == taRightJustify ? Qt::AlignRight : v == taCenter ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
}

Integer TCustomEdit::SelStart() const
{
    if (auto* w = dynamic_cast<QLineEdit*>(TWidgetBridge::Widget(this)))
        return w->hasSelectedText() ? w->selectionStart() : w->cursorPosition();
    if (QPlainTextEdit* m = LinesWidget(this))
        return TextIndexOf(FText, m->textCursor().selectionStart());
    return std::min<Integer>(FSelStart, FText.size());
}

Integer TCustomEdit::SelLength() const
{
    if (auto* w = dynamic_cast<QLineEdit*>(TWidgetBridge::Widget(this)))
        return w->selectionLength();
    if (QPlainTextEdit* m = LinesWidget(this)) {
        const QTextCursor c = m->textCursor();
        return TextIndexOf(FText, c.selectionEnd()) - TextIndexOf(FText, c.selectionStart());
    }
    return std::clamp<Integer>(FSelLength, 0, Integer(FText.size()) - SelStart());
}

void TCustomEdit::SetSelStart(Integer v)
{
    FSelStart = std::clamp<Integer>(v, 0, Integer(FText.size()));
    FSelLength = 0;
    if (auto* w = dynamic_cast<QLineEdit*>(TWidgetBridge::Widget(this))) {
        w->setCursorPosition(FSelStart);
    } else if (QPlainTextEdit* m = LinesWidget(this)) {
        QTextCursor c = m->textCursor();
        c.setPosition(WidgetIndexOf(FText, FSelStart));
        m->setTextCursor(c);
    }
}

void TCustomEdit::SetSelLength(Integer v)
{
    FSelStart = SelStart();
    FSelLength = std::clamp<Integer>(v, 0, Integer(FText.size()) - FSelStart);
    if (auto* w = dynamic_cast<QLineEdit*>(TWidgetBridge::Widget(this))) {
        w->setSelection(FSelStart, FSelLength);
    } else if (QPlainTextEdit* m = LinesWidget(this)) {
        QTextCursor c = m->textCursor();
        c.setPosition(WidgetIndexOf(FText, FSelStart));
        c.setPosition(WidgetIndexOf(FText, FSelStart + FSelLength), QTextCursor::KeepAnchor);
        m->setTextCursor(c);
    }
}

QString TCustomEdit::SelText() const
{
    return FText.mid(SelStart(), SelLength());
}

void TCustomEdit::SetSelText(const QString& v)
{
    const Integer start = SelStart();
    QString t = FText;
    t.replace(start, SelLength(), v);
    SetTextValue(t);
    SetSelStart(start + Integer(v.size()));
}

void TCustomEdit::SelectAll()
{
    FSelStart = 0;
    FSelLength = Integer(FText.size());
    if (auto* w = dynamic_cast<QLineEdit*>(TWidgetBridge::Widget(this)))
        w->selectAll();
    else if (QPlainTextEdit* m = LinesWidget(this))
        m->selectAll();
}

void TCustomEdit::Dispatch(TMessage& Message)
{
    if (FMultiLine) {
        switch (Message.Msg) {
        case WM_KEYDOWN:
            // The line break is typed by the Enter character, not by the window.
            if (DoKeyDown(Message) && Message.WParam != VK_RETURN)
                DefaultHandler(Message);
            return;
        case WM_CHAR:
            if (Message.WParam == u'\r' || Message.WParam == u'\n') {
                if (DoKeyPress(Message) && FWantReturn && !FReadOnly)
                    TypeLineBreak();
                return;
            }
            break;
        case EM_LINEFROMCHAR:
            Message.Result = LineFromChar(Integer(Message.WParam));
            return;
        case EM_CHARFROMPOS:
            if (QPlainTextEdit* m = LinesWidget(this)) {
                const TPoint p = PointFromLParam(Message.LParam);
                Message.Result = TextIndexOf(FText, m->cursorForPosition(QPoint(p.X, p.Y)).position());
                return;
            }
            break;
        case EM_POSFROMCHAR:
            if (QPlainTextEdit* m = LinesWidget(this)) {
                QTextCursor c = m->textCursor();
                c.setPosition(WidgetIndexOf(FText, Integer(Message.WParam)));
                const QRect r = m->cursorRect(c);
                Message.Result = LRESULT(MAKELONG(Word(r.left()), Word(r.top())));
                return;
            }
            break;
        default:
            break;
        }
    }
    switch (Message.Msg) {
    case WM_CHAR:
        // The handlers see the key first; the edit then types it in its case.
        if (DoKeyPress(Message)) {
            const QChar ch(char16_t(Message.WParam));
            if (!FReadOnly && ch.isLetter())
                Message.WParam = (FCharCase == ecUpperCase ? ch.toUpper() : FCharCase == ecLowerCase ? ch.toLower() : ch).unicode();
            DefaultHandler(Message);
        }
        break;
    case WM_SETFOCUS:
        TWinControl::Dispatch(Message);
        if (FAutoSelect && dynamic_cast<QLineEdit*>(TWidgetBridge::Widget(this)) != nullptr)
            SelectAll();
        break;
    case CN_COMMAND:
        if (HIWORD(Message.WParam) == EN_CHANGE)
            Change();
        break;
    case EM_SETSEL: {
        const Integer start = Integer(Message.WParam);
        const Integer end = Integer(Message.LParam) < 0 ? Integer(FText.size()) : Integer(Message.LParam);
        SetSelStart(std::min(start, end));
        SetSelLength(std::abs(end - start));
        break;
    }
    case EM_GETSEL: {
        const Integer start = SelStart(), end = SelStart() + SelLength();
        if (Message.WParam != 0) *reinterpret_cast<Integer*>(Message.WParam) = start;
        if (Message.LParam != 0) *reinterpret_cast<Integer*>(Message.LParam) = end;
        Message.Result = LRESULT(MAKELONG(Word(start), Word(end)));
        break;
    }
    case EM_SETRECT:
    case EM_SETRECTNP: {
        // The text lies inside the rectangle: the rest of the client area is margin.
        const TRect cr = ClientRect();
        FTextRect = Message.LParam != 0 ? *reinterpret_cast<const TRect*>(Message.LParam) : cr;
        if (auto* w = dynamic_cast<QLineEdit*>(TWidgetBridge::Widget(this)))
            w->setTextMargins(FTextRect.Left, FTextRect.Top, std::max(0, cr.Right - FTextRect.Right), std::max(0, cr.Bottom - FTextRect.Bottom));
        break;
    }
    case EM_GETRECT:
        if (Message.LParam != 0)
            *reinterpret_cast<TRect*>(Message.LParam) = FTextRect.IsEmpty() ? ClientRect() : FTextRect;
        break;
    case EM_SETREADONLY: SetReadOnly(Message.WParam != 0); Message.Result = 1; break;
    case EM_SETPASSWORDCHAR: SetPasswordChar(QChar(char16_t(Message.WParam))); break;
    case EM_LINEFROMCHAR: Message.Result = 0; break;
    case EM_POSFROMCHAR: {
        // The edit's own left margin (frame and padding) comes before the text.
        const Integer x = FTextRect.Left + 3 + FontMetricsOf(*Font()).horizontalAdvance(FText.left(int(Message.WParam)));
        Message.Result = LRESULT(MAKELONG(Word(x), Word(FTextRect.Top)));
        break;
    }
    case EM_CHARFROMPOS: {
        const TPoint p = PointFromLParam(Message.LParam);
        if (auto* w = dynamic_cast<QLineEdit*>(TWidgetBridge::Widget(this)))
            Message.Result = w->cursorPositionAt(QPoint(p.X, p.Y));
        else {
            const QFontMetrics& fm = FontMetricsOf(*Font());
            Integer i = 0;
            while (i < FText.size() && fm.horizontalAdvance(FText.left(i + 1)) <= p.X - FTextRect.Left)
                ++i;
            Message.Result = i;
        }
        break;
    }
    default:
        TWinControl::Dispatch(Message);
        break;
    }
}

// ------------------------------------------------------------ TMemo

TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines([this] { LinesChanged(); })
{
    SetBounds(0, 0, 185, 89);
    FAutoSelect = false;
}

TStrings* TMemo::Lines() const
{
    return FLines.get();
}

void TMemo::CreateWindowHandle(const TCreateParams&)
{
    auto* w = new QPlainTextEdit(TWidgetBridge::ParentWidget(this));
    QObject::connect(w, &QPlainTextEdit::textChanged, [this, w] {
        if (FSyncing)
            return;
        FSyncing = true;
        FLines->SetText(w->toPlainText());
        FSyncing = false;
        FModified = true;
        TWidgetBridge::Guard(this, [this] { Change(); });
    });
    TWidgetBridge::Attach(this, w);
    TWidgetBridge::AddSubWidget(this, w->viewport(), true);
}

void TMemo::CreateWnd()
{
    TWinControl::CreateWnd();
    if (auto* w = TWidgetBridge::WidgetAs<QPlainTextEdit>(this)) {
        SetTabFocus(w, TabStop());
        FSyncing = true;
        w->setPlainText(QString(GetText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        FSyncing = false;
        w->setReadOnly(FReadOnly);
        w->setLineWrapMode(FWordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        const bool h = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
        const bool v = FScrollBars == ssVertical || FScrollBars == ssBoth;
        w->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        w->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }
}

QString TMemo::GetText() const
{
    QString t = FLines->Text();
    // The memo's text has no line break after its last line.
    while (t.endsWith(u'\n') || t.endsWith(u'\r'))
        t.chop(1);
    return t;
}

void TMemo::SetTextValue(const QString& value)
{
    FLines->SetText(value);
}

void TMemo::LinesChanged()
{
    if (FSyncing)
        return;
    if (auto* w = TWidgetBridge::WidgetAs<QPlainTextEdit>(this)) {
        FSyncing = true;
        w->setPlainText(QString(GetText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        FSyncing = false;
    }
    Change();
}

void TMemo::SetScrollBars(TScrollStyle v)
{
    FScrollBars = v;
    RecreateWnd();
}

void TMemo::SetWordWrap(bool v)
{
    FWordWrap = v;
    if (auto* w = TWidgetBridge::WidgetAs<QPlainTextEdit>(this))
        w->setLineWrapMode(v ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (FWantTabs ? DLGC_WANTTAB : 0) | (FWantReturns ? DLGC_WANTALLKEYS : 0);
        return;
    }
    if (Message.Msg == WM_CHAR) {
        // No case change or single-line filtering: the memo takes keys as typed.
        if (DoKeyPress(Message))
            DefaultHandler(Message);
        return;
    }
    TCustomEdit::Dispatch(Message);
}

// ------------------------------------------------------------ TComboBox

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner), FItems([this] { ItemsChanged(); })
{
    FDlgCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
    FControlStyle &= ~csClickEvents;
    SetBounds(0, 0, 145, 22);
    SetTabStop(true);
    SetColor(clWindow);
}

TStrings* TCustomComboBox::Items() const
{
    return FItems.get();
}

Integer TCustomComboBox::ItemCount() const
{
    return FItems->Count();
}

void TCustomComboBox::Clear()
{
    FItems->Clear();
    FItemIndex = -1;
    FText.clear();
    PushItems();
}

void TCustomComboBox::CreateWindowHandle(const TCreateParams&)
{
    auto* w = new TQComboBox(TWidgetBridge::ParentWidget(this), [this](bool open) {
        TWidgetBridge::Guard(this, [&] { Perform(CN_COMMAND, MAKEWPARAM(0, open ? CBN_DROPDOWN : CBN_CLOSEUP)); });
    });
    if (FStyle == csDropDown || FStyle == csSimple)
        w->setLineEdit(new TQComboEdit(w, [this](bool begins) { TWidgetBridge::Guard(this, [&] { KeyEditing(begins); }); }));
    w->setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(w, &QComboBox::activated, [this](int i) { TWidgetBridge::Guard(this, [&] { UserPicked(i); }); });
    if (QLineEdit* e = w->lineEdit()) {
        // Every change the user makes counts, the completion Qt adds included.
        QObject::connect(e, &QLineEdit::textEdited, [this](const QString& t) { TWidgetBridge::Guard(this, [&] { UserTyped(t); }); });
        QObject::connect(e, &QLineEdit::textChanged, [this](const QString& t) {
            if (FKeyDepth > 0)
                UserTyped(t);
        });
        TWidgetBridge::AddSubWidget(this, e, true);
    }
    TWidgetBridge::Attach(this, w);
}

void TCustomComboBox::CreateWnd()
{
    TWinControl::CreateWnd();
    if (auto* w = TWidgetBridge::WidgetAs<QComboBox>(this)) {
        SetTabFocus(w, TabStop());
        w->setMaxVisibleItems(std::max<Integer>(FDropDownCount, 1));
        if (w->view() != nullptr)
            w->view()->setMinimumWidth(FDroppedWidth);
        if (auto* q = dynamic_cast<TQComboBox*>(w))
            q->RightAligned = FDropRightAligned;
        if (QLineEdit* e = w->lineEdit())
            e->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
        PushItems();
    }
}

void TCustomComboBox::PushItems()
{
    auto* w = TWidgetBridge::WidgetAs<QComboBox>(this);
    if (w == nullptr)
        return;
    const QSignalBlocker block(w);
    FPushing = true;
    w->clear();
    for (Integer i = 0; i < FItems->Count(); ++i)
        w->addItem(FItems->Strings(i));
    w->setCurrentIndex(FItemIndex);
    if (w->isEditable())
        w->setEditText(FItemIndex >= 0 ? FItems->Strings(FItemIndex) : FText);
    FPushing = false;
}

void TCustomComboBox::ItemsChanged()
{
    if (FItemIndex >= FItems->Count())
        FItemIndex = -1;
    if (FStyle == csDropDownList)
        FText = FItemIndex >= 0 ? FItems->Strings(FItemIndex) : QString();
    PushItems();
}

void TCustomComboBox::SetStyle(TComboBoxStyle v)
{
    if (v == FStyle)
        return;
    FStyle = v;
    if (FStyle == csDropDownList)
        FText = FItemIndex >= 0 ? FItems->Strings(FItemIndex) : QString();
    RecreateWnd();
}

void TCustomComboBox::SetItemIndex(Integer v)
{
    if (v < -1 || v >= FItems->Count())
        v = -1;
    FItemIndex = v;
    if (v >= 0)
        FText = FItems->Strings(v);
    else if (FStyle == csDropDownList)
        FText.clear();
    if (auto* w = TWidgetBridge::WidgetAs<QComboBox>(this)) {
        const QSignalBlocker block(w);
        w->setCurrentIndex(v);
        if (w->isEditable())
            w->setEditText(FText);
    }
}

QString TCustomComboBox::GetText() const
{
    if (FStyle == csDropDownList)
        return FItemIndex >= 0 ? FItems->Strings(FItemIndex) : QString();
    return FText;
}

void TCustomComboBox::SetTextValue(const QString& value)
{
    if (FStyle == csDropDownList) {
        SetItemIndex(FItems->IndexOf(value));
        return;
    }
    FText = value;
    const Integer i = FItems->IndexOf(value);
    FItemIndex = i;
    if (auto* w = TWidgetBridge::WidgetAs<QComboBox>(this)) {
        const QSignalBlocker block(w);
        w->setCurrentIndex(i);
        w->setEditText(value);
    }
}

void TCustomComboBox::UserPicked(int index)
{
    if (FPushing)
        return;
    FItemIndex = index >= 0 && index < FItems->Count() ? index : -1;
    if (FItemIndex >= 0)
        FText = FItems->Strings(FItemIndex);
    Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE));
}

void TCustomComboBox::UserTyped(const QString& text)
{
    FText = text;
    FItemIndex = FItems->IndexOf(text);
    // Within a key the change is told once the key is done (Qt may still
    // complete the text); a paste or a drop is told at once.
    if (FKeyDepth == 0)
        Perform(CN_COMMAND, MAKEWPARAM(0, CBN_EDITCHANGE));
}

void TCustomComboBox::KeyEditing(bool begins)
{
    if (begins) {
        if (FKeyDepth++ == 0)
            FTextBeforeKey = FText;
        return;
    }
    if (--FKeyDepth == 0 && FText != FTextBeforeKey)
        Perform(CN_COMMAND, MAKEWPARAM(0, CBN_EDITCHANGE));
}

void TCustomComboBox::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomComboBox::Select()
{
    if (OnSelect)
        OnSelect(this);
    else
        Change();
}

void TCustomComboBox::DropDown()
{
    if (OnDropDown)
        OnDropDown(this);
}

void TCustomComboBox::CloseUp()
{
    if (OnCloseUp)
        OnCloseUp(this);
}

bool TCustomComboBox::DroppedDown() const
{
    auto* w = TWidgetBridge::WidgetAs<QComboBox>(this);
    return w != nullptr && w->view() != nullptr && w->view()->isVisible();
}

void TCustomComboBox::SetDroppedDown(bool v)
{
    HandleNeeded();
    auto* w = TWidgetBridge::WidgetAs<QComboBox>(this);
    if (w == nullptr)
        return;
    if (v)
        w->showPopup();
    else
        w->hidePopup();
}

void TCustomComboBox::SetDropDownCount(Integer v)
{
    FDropDownCount = v;
    if (auto* w = TWidgetBridge::WidgetAs<QComboBox>(this))
        w->setMaxVisibleItems(std::max<Integer>(v, 1));
}

void TCustomComboBox::SetMaxLength(Integer v)
{
    FMaxLength = std::max<Integer>(v, 0);
    if (auto* w = TWidgetBridge::WidgetAs<QComboBox>(this); w != nullptr && w->lineEdit() != nullptr)
        w->lineEdit()->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

void TCustomComboBox::SetSorted(bool v)
{
    FSorted = v;
    const QString current = FItemIndex >= 0 ? FItems->Strings(FItemIndex) : QString();
    FItems->SetSorted(v);
    if (FItemIndex >= 0)
        FItemIndex = FItems->IndexOf(current);
    PushItems();
}

void TCustomComboBox::Dispatch(TMessage& Message)
{
    if (Message.Msg == CB_SETDROPPEDWIDTH || Message.Msg == CB_GETDROPPEDWIDTH) {
        if (Message.Msg == CB_SETDROPPEDWIDTH)
            SetComboDroppedWidth(this, Integer(Message.WParam));
        Message.Result = ComboDroppedWidth(this);
        return;
    }
    if (Message.Msg == CB_GETEDITSEL || Message.Msg == CB_SETEDITSEL) {
        auto* w = dynamic_cast<QComboBox*>(TWidgetBridge::Widget(this));
        QLineEdit* edit = w != nullptr ? w->lineEdit() : nullptr;
        if (edit == nullptr) {
            Message.Result = Message.Msg == CB_GETEDITSEL ? 0 : -1;
            return;
        }
        if (Message.Msg == CB_SETEDITSEL) {
            const Integer start = SmallInt(LOWORD(Message.LParam)), end = SmallInt(HIWORD(Message.LParam));
            const Integer len = Integer(edit->text().size());
            const Integer from = start < 0 ? len : std::min(start, len);
            const Integer to = end < 0 ? len : std::min(end, len);
            edit->setSelection(from, to - from);
            Message.Result = 1;
        } else {
            const Integer start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
            Message.Result = LRESULT(MAKELONG(Word(start), Word(start + edit->selectionLength())));
        }
        return;
    }
    if (Message.Msg != CN_COMMAND) {
        TWinControl::Dispatch(Message);
        return;
    }
    switch (HIWORD(Message.WParam)) {
    case CBN_DROPDOWN:
        RunDropDownFit();
        DropDown();
        break;
    case CBN_CLOSEUP: CloseUp(); break;
    case CBN_SELCHANGE:
        Click();
        Select();
        break;
    case CBN_EDITCHANGE: Change(); break;
    default: break;
    }
}

void SetComboDroppedWidth(TCustomComboBox* Combo, Integer Width)
{
    Combo->FDropDownFit = nullptr;
    Combo->FDroppedWidth = std::max<Integer>(Width, 0);
    if (auto* w = TWidgetBridge::WidgetAs<QComboBox>(Combo); w != nullptr && w->view() != nullptr)
        w->view()->setMinimumWidth(Combo->FDroppedWidth);
}

void SetComboDropRightAligned(TCustomComboBox* Combo, bool RightAligned)
{
    Combo->FDropRightAligned = RightAligned;
    if (auto* w = dynamic_cast<TQComboBox*>(TWidgetBridge::Widget(Combo)))
        w->RightAligned = RightAligned;
}

void SetComboDropDownFit(TCustomComboBox* Combo, std::function<void(TCustomComboBox*)> Fit)
{
    Combo->FDropDownFit = std::move(Fit);
}

void TCustomComboBox::RunDropDownFit()
{
    if (!FDropDownFit)
        return;
    auto fit = std::move(FDropDownFit);
    FDropDownFit = nullptr;
    fit(this);
}

Integer ComboDroppedWidth(const TCustomComboBox* Combo)
{
    const_cast<TCustomComboBox*>(Combo)->RunDropDownFit();
    return std::max(Combo->FDroppedWidth, Combo->Width());
}

void SetEditFrame(TCustomEdit* Edit, bool Framed)
{
    Edit->FFramed = Framed;
    if (auto* w = dynamic_cast<QLineEdit*>(TWidgetBridge::Widget(Edit)))
        w->setFrame(Framed);
}

// ------------------------------------------------------------ TButton

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle &= ~csClickEvents;
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
    SetColor(clBtnFace);
}

void TButton::CreateWindowHandle(const TCreateParams&)
{
    auto* w = new QPushButton(FText, TWidgetBridge::ParentWidget(this));
    w->setAutoDefault(false);
    w->setDefault(FDefault);
    SetTabFocus(w, TabStop());
    QObject::connect(w, &QPushButton::clicked, [this] { TWidgetBridge::Guard(this, [this] { Perform(CN_COMMAND, MAKEWPARAM(0, BN_CLICKED)); }); });
    TWidgetBridge::Attach(this, w);
}

void TButton::SetTextValue(const QString& value)
{
    FText = value;
    if (auto* w = TWidgetBridge::WidgetAs<QPushButton>(this))
        w->setText(value);
}

void TButton::SetDefault(bool v)
{
    FDefault = v;
    if (auto* w = TWidgetBridge::WidgetAs<QPushButton>(this))
        w->setDefault(v);
}

void TButton::Click()
{
    if (FModalResult != 0)
        if (TCustomForm* form = GetParentForm())
            form->SetModalResult(FModalResult);
    TWinControl::Click();
}

void TButton::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND) {
        if (HIWORD(Message.WParam) == BN_CLICKED)
            Click();
        return;
    }
    if (Message.Msg == CM_DIALOGKEY) {
        const Word key = Word(Message.WParam);
        if (((key == VK_RETURN && FDefault) || (key == VK_ESCAPE && FCancel)) && Visible() && Enabled()) {
            Click();
            Message.Result = 1;
            return;
        }
    }
    TWinControl::Dispatch(Message);
}

// ------------------------------------------------------------ TCheckBox

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle &= ~csClickEvents;
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
    SetParentColor(true);
}

void TCheckBox::CreateWindowHandle(const TCreateParams&)
{
    auto* w = new QCheckBox(FText, TWidgetBridge::ParentWidget(this));
    w->setTristate(FAllowGrayed || FState == cbGrayed);
    w->setCheckState(FState == cbChecked ? Qt::Checked : FState == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
    w->setLayoutDirection(FAlignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
    SetTabFocus(w, TabStop());
    QObject::connect(w, &QCheckBox::clicked, [this] { TWidgetBridge::Guard(this, [this] { UserClicked(); }); });
    TWidgetBridge::Attach(this, w);
}

void TCheckBox::SetTextValue(const QString& value)
{
    FText = value;
    if (auto* w = TWidgetBridge::WidgetAs<QCheckBox>(this))
        w->setText(value);
}

void TCheckBox::SetAllowGrayed(bool v)
{
    FAllowGrayed = v;
    if (auto* w = TWidgetBridge::WidgetAs<QCheckBox>(this))
        w->setTristate(v || FState == cbGrayed);
}

void TCheckBox::SetState(TCheckBoxState v)
{
    if (v == FState)
        return;
    FState = v;
    if (auto* w = TWidgetBridge::WidgetAs<QCheckBox>(this)) {
        const QSignalBlocker block(w);
        w->setTristate(FAllowGrayed || v == cbGrayed);
        w->setCheckState(v == cbChecked ? Qt::Checked : v == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
    }
    Click();
}

void TCheckBox::UserClicked()
{
    // Unchecked goes to checked (grayed when allowed), checked to unchecked,
    // grayed to checked.
    TCheckBoxState next = cbChecked;
    if (FState == cbUnchecked)
        next = FAllowGrayed ? cbGrayed : cbChecked;
    else if (FState == cbChecked)
        next = cbUnchecked;
    SetState(next);
}

// ------------------------------------------------------------ TRadioButton

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle &= ~csClickEvents;
    SetBounds(0, 0, 113, 17);
    SetParentColor(true);
}

void TRadioButton::CreateWindowHandle(const TCreateParams&)
{
    auto* w = new QRadioButton(FText, TWidgetBridge::ParentWidget(this));
    w->setAutoExclusive(false);
    w->setChecked(FChecked);
    SetTabFocus(w, TabStop());
    QObject::connect(w, &QRadioButton::clicked, [this, w] {
        if (!FChecked)
            TWidgetBridge::Guard(this, [this] { SetChecked(true); });
        else {
            const QSignalBlocker block(w);
            w->setChecked(true);  // clicking a checked radio button leaves it checked
        }
    });
    TWidgetBridge::Attach(this, w);
}

void TRadioButton::SetTextValue(const QString& value)
{
    FText = value;
    if (auto* w = TWidgetBridge::WidgetAs<QRadioButton>(this))
        w->setText(value);
}

void TRadioButton::SetChecked(bool v)
{
    if (v == FChecked)
        return;
    FChecked = v;
    SetTabStop(v);
    if (auto* w = TWidgetBridge::WidgetAs<QRadioButton>(this)) {
        const QSignalBlocker block(w);
        w->setChecked(v);
    }
    if (!v)
        return;
    if (Parent() != nullptr)
        for (Integer i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* sib = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); sib != nullptr && sib != this)
                sib->SetChecked(false);
    Click();
}

// ------------------------------------------------------------ TListBox

TListBox::TListBox(TComponent* AOwner) : TWinControl(AOwner), FItems([this] { ItemsChanged(); })
{
    FDlgCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
    FControlStyle &= ~csClickEvents;
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
}

TStrings* TListBox::Items() const
{
    return FItems.get();
}

Integer TListBox::Count() const
{
    return FItems->Count();
}

void TListBox::Clear()
{
    FItems->Clear();
}

void TListBox::CreateWindowHandle(const TCreateParams&)
{
    auto* w = new QListWidget(TWidgetBridge::ParentWidget(this));
    QObject::connect(w, &QListWidget::itemSelectionChanged, [this] {
        if (FPushing)
            return;
        SelectionFromWidget();
        TWidgetBridge::Guard(this, [this] { Click(); });
    });
    TWidgetBridge::Attach(this, w);
    TWidgetBridge::AddSubWidget(this, w->viewport(), true);
}

void TListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    if (auto* w = TWidgetBridge::WidgetAs<QListWidget>(this)) {
        SetTabFocus(w, TabStop());
        w->setSelectionMode(FMultiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
        PushItems();
    }
}

void TListBox::PushItems()
{
    auto* w = TWidgetBridge::WidgetAs<QListWidget>(this);
    if (w == nullptr)
        return;
    FPushing = true;
    w->clear();
    for (Integer i = 0; i < FItems->Count(); ++i)
        w->addItem(FItems->Strings(i));
    for (Integer i = 0; i < Integer(FSelected.size()) && i < w->count(); ++i)
        w->item(i)->setSelected(FSelected[size_t(i)]);
    if (FItemIndex >= 0 && FItemIndex < w->count())
        w->setCurrentRow(FItemIndex, FMultiSelect ? QItemSelectionModel::NoUpdate : QItemSelectionModel::ClearAndSelect);
    FPushing = false;
}

void TListBox::ItemsChanged()
{
    FSelected.assign(size_t(FItems->Count()), false);
    if (FItemIndex >= FItems->Count())
        FItemIndex = -1;
    if (FItemIndex >= 0 && !FMultiSelect)
        FSelected[size_t(FItemIndex)] = true;
    PushItems();
}

void TListBox::SelectionFromWidget()
{
    auto* w = TWidgetBridge::WidgetAs<QListWidget>(this);
    FSelected.assign(size_t(FItems->Count()), false);
    for (Integer i = 0; i < w->count() && i < FItems->Count(); ++i)
        FSelected[size_t(i)] = w->item(i)->isSelected();
    FItemIndex = w->currentRow();
}

Integer TListBox::ItemIndex() const
{
    return FItemIndex;
}

void TListBox::SetItemIndex(Integer v)
{
    if (v < -1 || v >= FItems->Count())
        v = -1;
    FItemIndex = v;
    if (!FMultiSelect) {
        FSelected.assign(size_t(FItems->Count()), false);
        if (v >= 0)
            FSelected[size_t(v)] = true;
    }
    PushItems();
}

void TListBox::SetMultiSelect(bool v)
{
    FMultiSelect = v;
    if (auto* w = TWidgetBridge::WidgetAs<QListWidget>(this))
        w->setSelectionMode(v ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

bool TListBox::Selected(Integer index) const
{
    return index >= 0 && index < Integer(FSelected.size()) && FSelected[size_t(index)];
}

void TListBox::SetSelected(Integer index, bool v)
{
    if (index < 0 || index >= FItems->Count())
        return;
    if (!FMultiSelect && v)
        FSelected.assign(size_t(FItems->Count()), false);
    FSelected[size_t(index)] = v;
    if (!FMultiSelect)
        FItemIndex = v ? index : (FItemIndex == index ? -1 : FItemIndex);
    PushItems();
}

Integer TListBox::SelCount() const
{
    if (!FMultiSelect)
        return -1;
    return Integer(std::count(FSelected.begin(), FSelected.end(), true));
}

Integer TListBox::TopIndex() const
{
    if (auto* w = TWidgetBridge::WidgetAs<QListWidget>(this)) {
        QListWidgetItem* it = w->itemAt(2, 2);
        return it != nullptr ? w->row(it) : 0;
    }
    return FTopIndex;
}

void TListBox::SetTopIndex(Integer v)
{
    FTopIndex = std::max<Integer>(v, 0);
    if (auto* w = TWidgetBridge::WidgetAs<QListWidget>(this); w != nullptr && v >= 0 && v < w->count())
        w->scrollToItem(w->item(v), QAbstractItemView::PositionAtTop);
}

void TListBox::SetSorted(bool v)
{
    FSorted = v;
    FItems->SetSorted(v);
}

Integer TListBox::ItemHeight() const
{
    if (auto* w = TWidgetBridge::WidgetAs<QListWidget>(this); w != nullptr && w->count() > 0)
        return w->sizeHintForRow(0);
    return FontMetricsOf(*Font()).height() + 2;
}

Integer TListBox::ItemAtPos(TPoint Pos, bool Existing) const
{
    if (auto* w = TWidgetBridge::WidgetAs<QListWidget>(this)) {
        const QPoint vp = w->viewport()->mapFrom(w, QPoint(Pos.X, Pos.Y));
        QListWidgetItem* it = w->itemAt(vp);
        if (it != nullptr)
            return w->row(it);
        return Existing ? -1 : w->count();
    }
    const Integer i = TopIndex() + Pos.Y / std::max<Integer>(ItemHeight(), 1);
    if (i < Count())
        return i;
    return Existing ? -1 : Count();
}

// ------------------------------------------------------------ TCheckListBox

bool TCheckListBox::Checked(Integer index) const
{
    return index >= 0 && index < Integer(FChecked.size()) && FChecked[size_t(index)];
}

void TCheckListBox::SetChecked(Integer index, bool v)
{
    if (index < 0 || index >= Count())
        return;
    if (Integer(FChecked.size()) < Count())
        FChecked.resize(size_t(Count()), false);
    FChecked[size_t(index)] = v;
    PushItems();
}

void TCheckListBox::CreateWindowHandle(const TCreateParams& Params)
{
    TListBox::CreateWindowHandle(Params);
    if (auto* w = TWidgetBridge::WidgetAs<QListWidget>(this))
        QObject::connect(w, &QListWidget::itemChanged, [this, w](QListWidgetItem* item) {
            if (FApplying)
                return;
            const Integer i = w->row(item);
            if (i < 0 || i >= Count())
                return;
            if (Integer(FChecked.size()) < Count())
                FChecked.resize(size_t(Count()), false);
            const bool v = item->checkState() == Qt::Checked;
            if (FChecked[size_t(i)] == v)
                return;
            FChecked[size_t(i)] = v;
            TWidgetBridge::Guard(this, [this] {
                if (OnClickCheck)
                    OnClickCheck(this);
            });
        });
}

void TCheckListBox::PushItems()
{
    if (Integer(FChecked.size()) != Count())
        FChecked.resize(size_t(Count()), false);
    FApplying = true;
    TListBox::PushItems();
    if (auto* w = TWidgetBridge::WidgetAs<QListWidget>(this))
        for (Integer i = 0; i < w->count(); ++i) {
            w->item(i)->setFlags(w->item(i)->flags() | Qt::ItemIsUserCheckable);
            w->item(i)->setCheckState(Checked(i) ? Qt::Checked : Qt::Unchecked);
        }
    FApplying = false;
}

// ------------------------------------------------------------ TGroupBox

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner)
{
    SetBounds(0, 0, 185, 105);
    SetParentColor(true);
}

void TGroupBox::CreateWindowHandle(const TCreateParams&)
{
    auto* w = new QGroupBox(FText, TWidgetBridge::ParentWidget(this));
    w->setFocusPolicy(Qt::NoFocus);
    TWidgetBridge::Attach(this, w);
}

void TGroupBox::SetTextValue(const QString& value)
{
    FText = value;
    if (auto* w = TWidgetBridge::WidgetAs<QGroupBox>(this))
        w->setTitle(value);
}

TRect TGroupBox::AlignRect() const
{
    TRect r = ClientRect();
    const Integer caption = FontMetricsOf(*Font()).height();
    r.Top += caption;
    InflateRect(r, -2, 0);
    r.Bottom -= 2;
    return r;
}

// ------------------------------------------------------------ TScrollBar

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner)
{
    FDlgCode = DLGC_WANTARROWS;
    FControlStyle &= ~csClickEvents;
    SetBounds(0, 0, 121, 17);
    SetTabStop(true);
}

void TScrollBar::CreateWindowHandle(const TCreateParams&)
{
    auto* w = new QScrollBar(FKind == sbHorizontal ? Qt::Horizontal : Qt::Vertical, TWidgetBridge::ParentWidget(this));
    QObject::connect(w, &QScrollBar::actionTriggered, [this, w](int action) {
        if (FPushing)
            return;
        TScrollCode code = scPosition;
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: code = scLineDown; break;
        case QAbstractSlider::SliderSingleStepSub: code = scLineUp; break;
        case QAbstractSlider::SliderPageStepAdd: code = scPageDown; break;
        case QAbstractSlider::SliderPageStepSub: code = scPageUp; break;
        case QAbstractSlider::SliderToMinimum: code = scTop; break;
        case QAbstractSlider::SliderToMaximum: code = scBottom; break;
        case QAbstractSlider::SliderMove: code = scTrack; break;
        default: break;
        }
        TWidgetBridge::Guard(this, [&] { Scroll(code, w->sliderPosition()); });
    });
    TWidgetBridge::Attach(this, w);
}

void TScrollBar::UpdateView()
{
    TWinControl::UpdateView();
    if (auto* w = TWidgetBridge::WidgetAs<QScrollBar>(this)) {
        FPushing = true;
        w->setOrientation(FKind == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
        w->setRange(FMin, std::max(FMin, FMax - std::max(FPageSize - 1, 0)));
        w->setSingleStep(FSmallChange);
        w->setPageStep(std::max(FLargeChange, FPageSize));
        w->setValue(FPosition);
        FPushing = false;
    }
}

void TScrollBar::SetKind(TScrollBarKind v)
{
    if (v == FKind)
        return;
    FKind = v;
    SetBounds(Left(), Top(), Height(), Width());
    UpdateView();
}

void TScrollBar::SetParams(Integer APosition, Integer AMin, Integer AMax)
{
    if (AMax < AMin)
        AMax = AMin;
    APosition = std::clamp(APosition, AMin, AMax);
    const bool moved = APosition != FPosition;
    FMin = AMin;
    FMax = AMax;
    FPosition = APosition;
    UpdateView();
    if (moved && OnChange)
        OnChange(this);
}

void TScrollBar::Scroll(TScrollCode code, Integer pos)
{
    if (OnScroll)
        OnScroll(this, code, pos);
    pos = std::clamp(pos, FMin, FMax);
    if (pos != FPosition) {
        FPosition = pos;
        if (OnChange)
            OnChange(this);
    }
    UpdateView();
}

void TScrollBar::Dispatch(TMessage& Message)
{
    TWinControl::Dispatch(Message);
}
