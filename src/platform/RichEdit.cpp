// TRichEdit over Qt's text document (see RichEdit.h).

#include "platform/RichEdit.h"

#include "platform/Canvas.h"
#include "platform/GraphicsQt.h"
#include "platform/Messages.h"
#include "platform/RichTextRtf.h"
#include "platform/WidgetBridge.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <cmath>

namespace {

// The edit window: a text edit whose text may keep a margin in the window.
class TRichEditWidget : public QTextEdit {
public:
    using QTextEdit::QTextEdit;
    using QAbstractScrollArea::setViewportMargins;
};

// Characters of the document and of the control's text differ only in the
// line ends: one paragraph separator there, CR LF here.
Integer TextIndexOf(const QTextDocument* doc, Integer docIndex)
{
    Integer i = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const Integer start = Integer(b.position());
        if (docIndex <= start + Integer(b.length()) - 1)
            return i + (docIndex - start);
        i += Integer(b.length()) - 1 + 2;
    }
    return i;
}

Integer DocIndexOf(const QTextDocument* doc, Integer textIndex)
{
    Integer i = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const Integer len = Integer(b.length()) - 1;
        if (textIndex <= i + len)
            return Integer(b.position()) + std::max<Integer>(0, textIndex - i);
        i += len + 2;
        if (textIndex < i)
            return Integer(b.position()) + len;
    }
    return std::max(0, doc->characterCount() - 1);
}

QTextEdit* EditWidget(const TRichEdit* edit)
{
    return dynamic_cast<QTextEdit*>(TWidgetBridge::Widget(edit));
}

} // namespace

// ------------------------------------------------------------ TTextAttributes

namespace {

QTextCharFormat FormatAt(QTextDocument* doc, Integer start, Integer length)
{
    QTextCursor c(doc);
    // The character at the selection's start (the one before the caret when
    // nothing is selected), as the platform's selection format reads.
    const Integer end = std::max(0, doc->characterCount() - 1);
    const Integer at = length > 0 ? std::min(start + 1, end) : std::clamp(start, 0, end);
    c.setPosition(at);
    return c.charFormat();
}

} // namespace

QString TTextAttributes::Name() const
{
    const QTextCharFormat f = FormatAt(FOwner->Document(), DocIndexOf(FOwner->Document(), FOwner->FSelStart),
                                       FOwner->FSelLength);
    const QStringList families = f.fontFamilies().toStringList();
    return families.isEmpty() ? FOwner->Document()->defaultFont().family() : families.first();
}

void TTextAttributes::SetName(const QString& Value)
{
    FOwner->ApplyFormat([&](QTextCharFormat& f) { f.setFontFamilies(QStringList{Value}); });
}

Integer TTextAttributes::Size() const
{
    const QTextCharFormat f = FormatAt(FOwner->Document(), DocIndexOf(FOwner->Document(), FOwner->FSelStart),
                                       FOwner->FSelLength);
    if (f.hasProperty(QTextFormat::FontPointSize))
        return Integer(std::lround(f.fontPointSize()));
    const QFont d = FOwner->Document()->defaultFont();
    return Integer(std::lround(d.pointSizeF() > 0 ? d.pointSizeF() : d.pixelSize() * 72.0 / 96.0));
}

void TTextAttributes::SetSize(Integer Value)
{
    FOwner->ApplyFormat([&](QTextCharFormat& f) { f.setFontPointSize(std::max(1, Value)); });
}

TFontStyles TTextAttributes::Style() const
{
    const QTextCharFormat f = FormatAt(FOwner->Document(), DocIndexOf(FOwner->Document(), FOwner->FSelStart),
                                       FOwner->FSelLength);
    TFontStyles s;
    if (f.fontWeight() > QFont::Normal)
        s |= fsBold;
    if (f.fontItalic())
        s |= fsItalic;
    if (f.fontUnderline())
        s |= fsUnderline;
    if (f.fontStrikeOut())
        s |= fsStrikeOut;
    return s;
}

void TTextAttributes::SetStyle(TFontStyles Value)
{
    FOwner->ApplyFormat([&](QTextCharFormat& f) {
        f.setFontWeight(Value.Contains(fsBold) ? QFont::Bold : QFont::Normal);
        f.setFontItalic(Value.Contains(fsItalic));
        f.setFontUnderline(Value.Contains(fsUnderline));
        f.setFontStrikeOut(Value.Contains(fsStrikeOut));
    });
}

TColor TTextAttributes::Color() const
{
    const QTextCharFormat f = FormatAt(FOwner->Document(), DocIndexOf(FOwner->Document(), FOwner->FSelStart),
                                       FOwner->FSelLength);
    if (f.hasProperty(QTextFormat::ForegroundBrush))
        return FromQColor(f.foreground().color());
    return FOwner->Font()->Color();
}

void TTextAttributes::SetColor(TColor Value)
{
    FOwner->ApplyFormat([&](QTextCharFormat& f) { f.setForeground(ToQColor(Value)); });
}

Integer TTextAttributes::Offset() const
{
    return RtfCharOffset(FormatAt(FOwner->Document(), DocIndexOf(FOwner->Document(), FOwner->FSelStart),
                                  FOwner->FSelLength));
}

void TTextAttributes::SetOffset(Integer Twips)
{
    FOwner->ApplyFormat([&](QTextCharFormat& f) { SetRtfCharOffset(f, Twips); });
}

void TTextAttributes::Assign(const TFont* Font)
{
    if (Font == nullptr)
        return;
    FOwner->ApplyFormat([&](QTextCharFormat& f) {
        f.setFontFamilies(QStringList{Font->Name()});
        f.setFontPointSize(std::max(1, Font->Size()));
        const TFontStyles s = Font->Style();
        f.setFontWeight(s.Contains(fsBold) ? QFont::Bold : QFont::Normal);
        f.setFontItalic(s.Contains(fsItalic));
        f.setFontUnderline(s.Contains(fsUnderline));
        f.setFontStrikeOut(s.Contains(fsStrikeOut));
        f.setForeground(ToQColor(Font->Color()));
    });
}

// ------------------------------------------------------------ TRichEdit

TRichEdit::TRichEdit(TComponent* AOwner)
    : TWinControl(AOwner), FDoc(std::make_unique<QTextDocument>()), FSelAttributes(this)
{
    FDlgCode = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
    SetBounds(0, 0, 185, 89);
    SetTabStop(true);
    SetColor(clWindow);
    FDoc->setDocumentMargin(1);
    FontChanged();
    QObject::connect(FDoc.get(), &QTextDocument::contentsChanged, [this] { ContentChanged(); });
}

TRichEdit::~TRichEdit()
{
    // The window goes first: it shows the document.
    if (QTextEdit* w = EditWidget(this))
        w->setDocument(nullptr);
}

void TRichEdit::CreateWindowHandle(const TCreateParams&)
{
    auto* w = new TRichEditWidget(TWidgetBridge::ParentWidget(this));
    w->setDocument(FDoc.get());
    QObject::connect(w, &QTextEdit::cursorPositionChanged, [this] {
        if (!FSyncing)
            TWidgetBridge::Guard(this, [this] { SyncSelectionFromWidget(); });
    });
    QObject::connect(w, &QTextEdit::selectionChanged, [this] {
        if (!FSyncing)
            TWidgetBridge::Guard(this, [this] { SyncSelectionFromWidget(); });
    });
    TWidgetBridge::Attach(this, w);
    TWidgetBridge::AddSubWidget(this, w->viewport(), true);
}

void TRichEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    if (QTextEdit* w = EditWidget(this)) {
        w->setAcceptRichText(false);
        w->setTabChangesFocus(false);
        w->setReadOnly(FReadOnly);
        w->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        w->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        w->setFrameShape(FBorderStyle == bsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
        w->setLineWrapMode(FWordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
        // The document keeps the control's default font in points.
        FontChanged();
        ApplyTextRect();
        SyncSelectionToWidget();
    }
}

void TRichEdit::DestroyWnd()
{
    if (QTextEdit* w = EditWidget(this))
        w->setDocument(nullptr);
    TWinControl::DestroyWnd();
}

void TRichEdit::FontChanged()
{
    TWinControl::FontChanged();
    QFont f = ToQFont(*Font());
    f.setPointSize(std::max(1, Font()->Size()));
    FDoc->setDefaultFont(f);
}

QString TRichEdit::GetText() const
{
    QString t;
    for (QTextBlock b = FDoc->begin(); b.isValid(); b = b.next()) {
        if (b != FDoc->begin())
            t += QLatin1String("\r\n");
        t += b.text();
    }
    return t;
}

void TRichEdit::SetTextValue(const QString& Value)
{
    ++FLoading;
    QString t = Value;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    FDoc->setPlainText(t);
    --FLoading;
    FSelStart = FSelLength = 0;
    SyncSelectionToWidget();
    Change();
    RequestSize();
}

QString TRichEdit::RichText() const
{
    return WriteRtf(*FDoc);
}

void TRichEdit::SetRichText(const QString& Source)
{
    ++FLoading;
    if (!ReadRtf(Source, *FDoc)) {
        QString t = Source;
        t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        FDoc->setPlainText(t);
    }
    --FLoading;
    FSelStart = FSelLength = 0;
    SyncSelectionToWidget();
    Change();
    RequestSize();
}

void TRichEdit::Clear()
{
    SetTextValue(QString());
}

Integer TRichEdit::SelStart() const
{
    return FSelStart;
}

void TRichEdit::SetSelStart(Integer Value)
{
    FSelStart = std::clamp<Integer>(Value, 0, Integer(GetText().size()));
    FSelLength = 0;
    SyncSelectionToWidget();
    NotifySelection();
}

Integer TRichEdit::SelLength() const
{
    return FSelLength;
}

void TRichEdit::SetSelLength(Integer Value)
{
    FSelLength = std::clamp<Integer>(Value, 0, Integer(GetText().size()) - FSelStart);
    SyncSelectionToWidget();
    NotifySelection();
}

QString TRichEdit::SelText() const
{
    return GetText().mid(FSelStart, FSelLength);
}

void TRichEdit::SelectAll()
{
    FSelStart = 0;
    FSelLength = Integer(GetText().size());
    SyncSelectionToWidget();
    NotifySelection();
}

void TRichEdit::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    if (QTextEdit* w = EditWidget(this))
        w->setLineWrapMode(Value ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    RequestSize();
}

void TRichEdit::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value;
    if (QTextEdit* w = EditWidget(this))
        w->setFrameShape(Value == bsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
}

void TRichEdit::SetHideSelection(bool Value)
{
    FHideSelection = Value;
}

void TRichEdit::SetReadOnly(bool Value)
{
    FReadOnly = Value;
    if (QTextEdit* w = EditWidget(this))
        w->setReadOnly(Value);
}

void TRichEdit::ApplyFormat(const std::function<void(QTextCharFormat&)>& Edit)
{
    QTextCharFormat f;
    Edit(f);
    QTextCursor c(FDoc.get());
    if (FSelLength > 0) {
        c.setPosition(DocIndexOf(FDoc.get(), FSelStart));
        c.setPosition(DocIndexOf(FDoc.get(), FSelStart + FSelLength), QTextCursor::KeepAnchor);
        ++FLoading;
        c.mergeCharFormat(f);
        --FLoading;
        Change();
    } else if (QTextEdit* w = EditWidget(this)) {
        w->mergeCurrentCharFormat(f);
    } else if (FDoc->isEmpty()) {
        // An empty edit without a window: what is typed or set next takes it.
        c.mergeBlockCharFormat(f);
    }
    RequestSize();
}

void TRichEdit::SyncSelectionFromWidget()
{
    QTextEdit* w = EditWidget(this);
    if (w == nullptr)
        return;
    const QTextCursor c = w->textCursor();
    const Integer a = TextIndexOf(FDoc.get(), Integer(c.selectionStart()));
    const Integer b = TextIndexOf(FDoc.get(), Integer(c.selectionEnd()));
    if (a == FSelStart && b - a == FSelLength)
        return;
    FSelStart = a;
    FSelLength = b - a;
    NotifySelection();
}

void TRichEdit::SyncSelectionToWidget()
{
    QTextEdit* w = EditWidget(this);
    if (w == nullptr)
        return;
    FSyncing = true;
    QTextCursor c(FDoc.get());
    c.setPosition(DocIndexOf(FDoc.get(), FSelStart));
    c.setPosition(DocIndexOf(FDoc.get(), FSelStart + FSelLength), QTextCursor::KeepAnchor);
    w->setTextCursor(c);
    FSyncing = false;
}

void TRichEdit::NotifySelection()
{
    TNMHdr hdr;
    hdr.hwndFrom = HandleAllocated() ? Handle() : nullptr;
    hdr.code = EN_SELCHANGE;
    Perform(CN_NOTIFY, 0, LPARAM(&hdr));
}

void TRichEdit::ContentChanged()
{
    if (FLoading > 0)
        return;
    // Typed text: the selection follows the window's caret.
    SyncSelectionFromWidget();
    TWidgetBridge::Guard(this, [this] {
        Change();
        RequestSize();
    });
}

void TRichEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TRichEdit::SelectionChange()
{
    if (OnSelectionChange)
        OnSelectionChange(this);
}

void TRichEdit::Resize()
{
    TWinControl::Resize();
    RequestSize();
}

void TRichEdit::ApplyLayoutWidth() const
{
    const TRect r = FTextRect.IsEmpty() ? TRect{0, 0, Width(), Height()} : FTextRect;
    FDoc->setTextWidth(FWordWrap ? std::max(1, r.Width()) : -1);
}

void TRichEdit::ApplyTextRect()
{
    auto* w = dynamic_cast<TRichEditWidget*>(TWidgetBridge::Widget(this));
    if (w == nullptr)
        return;
    if (FTextRect.IsEmpty()) {
        w->setViewportMargins(0, 0, 0, 0);
        return;
    }
    const TRect cr = ClientRect();
    w->setViewportMargins(FTextRect.Left, FTextRect.Top, std::max(0, cr.Right - FTextRect.Right),
                          std::max(0, cr.Bottom - FTextRect.Bottom));
}

TSize TRichEdit::RequestedSize() const
{
    ApplyLayoutWidth();
    const QSizeF size = FDoc->size();
    const Integer w = FWordWrap ? Integer(std::ceil(size.width())) : Integer(std::ceil(FDoc->idealWidth()) + 2 * FDoc->documentMargin());
    return {w, Integer(std::ceil(size.height()))};
}

void TRichEdit::RequestSize()
{
    const TSize s = RequestedSize();
    TReqSize req;
    req.nmhdr.hwndFrom = HandleAllocated() ? Handle() : nullptr;
    req.nmhdr.code = EN_REQUESTRESIZE;
    req.rc = {0, 0, s.cx, s.cy};
    Perform(CN_NOTIFY, 0, LPARAM(&req));
}

Integer TRichEdit::LineCount() const
{
    ApplyLayoutWidth();
    Integer n = 0;
    for (QTextBlock b = FDoc->begin(); b.isValid(); b = b.next()) {
        FDoc->documentLayout()->blockBoundingRect(b);  // lays the block out
        n += std::max(1, b.layout() != nullptr ? b.layout()->lineCount() : 1);
    }
    return n;
}

void TRichEdit::FormatRange(TCanvas* Canvas, const TRect& R)
{
    if (Canvas == nullptr || !Canvas->RequireHandle() || R.Width() <= 0 || R.Height() <= 0)
        return;
    QPainter* p = Canvas->Painter();
    // Laid out at 96 pixels per inch for R's width, scaled to the device.
    const double sx = Canvas->DeviceDPIX() / 96.0, sy = Canvas->DeviceDPIY() / 96.0;
    const TPoint tl = Canvas->LPtoDP({R.Left, R.Top});
    const TPoint br = Canvas->LPtoDP({R.Right, R.Bottom});
    const QRectF device(QPointF(std::min(tl.X, br.X), std::min(tl.Y, br.Y)),
                        QPointF(std::max(tl.X, br.X), std::max(tl.Y, br.Y)));
    const double width = device.width() / sx;
    std::unique_ptr<QTextDocument> doc(FDoc->clone());
    doc->setDefaultFont(FDoc->defaultFont());
    doc->setDocumentMargin(0);
    doc->setTextWidth(std::max(1.0, width));
    p->save();
    p->resetTransform();
    p->setClipRect(device, Qt::IntersectClip);
    p->translate(device.topLeft());
    p->scale(sx, sy);
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.palette.setColor(QPalette::Text, ToQColor(Font()->Color()));
    ctx.clip = QRectF(0, 0, width, device.height() / sy);
    doc->documentLayout()->draw(p, ctx);
    p->restore();
}

void TRichEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case EM_SETRECT:
    case EM_SETRECTNP: {
        const auto* r = reinterpret_cast<const TRect*>(Message.LParam);
        FTextRect = r != nullptr ? *r : TRect{};
        ApplyTextRect();
        RequestSize();
        return;
    }
    case EM_GETRECT:
        if (auto* r = reinterpret_cast<TRect*>(Message.LParam))
            *r = FTextRect.IsEmpty() ? ClientRect() : FTextRect;
        return;
    case EM_REQUESTRESIZE:
        RequestSize();
        return;
    case EM_SETSEL: {
        const Integer start = Integer(Message.WParam);
        const Integer end = Integer(Message.LParam) < 0 ? Integer(GetText().size()) : Integer(Message.LParam);
        SetSelStart(std::min(start, end));
        SetSelLength(std::abs(end - start));
        return;
    }
    case EM_CHARFROMPOS:
        if (QTextEdit* w = EditWidget(this)) {
            const TPoint pt = PointFromLParam(Message.LParam);
            Message.Result = TextIndexOf(FDoc.get(), Integer(w->cursorForPosition(QPoint(pt.X, pt.Y)).position()));
        } else {
            Message.Result = -1;
        }
        return;
    case CN_NOTIFY:
        if (auto* hdr = reinterpret_cast<const TNMHdr*>(Message.LParam); hdr != nullptr && hdr->code == EN_SELCHANGE)
            SelectionChange();
        return;
    default: break;
    }
    TWinControl::Dispatch(Message);
}
