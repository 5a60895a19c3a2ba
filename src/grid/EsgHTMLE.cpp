// The mini-HTML renderer: text preparation, the line loop with its two
// passes (measure, then draw or test), text segments with word wrap,
// alignment, anchors with their hit test and the focus rectangle.
#include "EsgHTMLE.h"
#include "EsgHTMLEState.h"
#include "ExStyleIF.h"

#include "controls/ExXPVS.h"

#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Text.h"

#include <QLocale>

#include <array>

using namespace minihtml;

namespace {

// Colours of the highlight tag, one pair for the whole program.
TColor HighlightBackground = clHighlight;
TColor HighlightText = clHighlightText;

// Right-to-left system languages decide how a reading order maps to text flags.
bool MiddleEastLocale()
{
    return QLocale::system().textDirection() == Qt::RightToLeft;
}

struct TEntity {
    const char* Pattern;
    const char16_t* Replacement;
};

// Entities replaced before layout; "&nbsp;", "&lt;" and "&gt;" wait for
// their segment, so that they never read as markup.
const std::array<TEntity, 9> LayoutEntities{{
    {"&amp;", u"&&"},
    {"&quot;", u"\""},
    {"&sect;", u"\u00A7"},
    {"&permil;", u"\u2030"},
    {"&reg;", u"\u00AE"},
    {"&copy;", u"\u00A9"},
    {"&para;", u"\u00B6"},
    {"&trade;", u"\u2122"},
    {"&euro;", u"\u20AC"},
}};

bool MatchesAt(const QString& text, qsizetype i, QLatin1String pattern)
{
    return i >= 0 && i + pattern.size() <= text.size()
           && QStringView(text).mid(i, pattern.size()).compare(pattern, Qt::CaseInsensitive) == 0;
}

// Replaces, pass after pass until a pass changes nothing, the first
// occurrence (any case) of each entity in table order. The first
// occurrence of every entity is tracked, so that a long text costs one scan
// per entity instead of one per pass.
void ReplaceLayoutEntities(QString& text)
{
    constexpr std::size_t n = LayoutEntities.size();
    std::array<qsizetype, n> first{};
    for (std::size_t k = 0; k < n; ++k)
        first[k] = text.indexOf(QLatin1String(LayoutEntities[k].Pattern), 0, Qt::CaseInsensitive);
    bool replaced = true;
    while (replaced) {
        replaced = false;
        for (std::size_t k = 0; k < n; ++k) {
            const qsizetype p = first[k];
            if (p < 0)
                continue;
            const QLatin1String pattern(LayoutEntities[k].Pattern);
            const QString replacement = QString::fromUtf16(LayoutEntities[k].Replacement);
            text.replace(p, pattern.size(), replacement);
            replaced = true;
            const qsizetype delta = replacement.size() - pattern.size();
            for (std::size_t j = 0; j < n; ++j) {
                const QLatin1String pj(LayoutEntities[j].Pattern);
                if (j == k) {
                    first[j] = text.indexOf(pj, p, Qt::CaseInsensitive);
                    continue;
                }
                if (first[j] > p)
                    first[j] += delta;
                // An entity can newly start only on the characters just put in.
                for (qsizetype c = p; c < p + replacement.size(); ++c)
                    if (MatchesAt(text, c, pj) && (first[j] < 0 || c < first[j]))
                        first[j] = c;
            }
        }
    }
}

// Text preparation before layout.
QString PrepareText(const QString& input)
{
    QString text = input;
    if (text.contains(QLatin1Char('&')))
        ReplaceLayoutEntities(text);
    // "<#name>" shows as "#name".
    for (qsizetype i = text.indexOf(QLatin1String("<#")); i >= 0; i = text.indexOf(QLatin1String("<#"), i)) {
        text.remove(i, 1);
        const qsizetype gt = text.indexOf(QLatin1Char('>'), i);
        if (gt >= 0)
            text.remove(gt, 1);
    }
    text.replace(QLatin1Char('\r'), QLatin1String("<BR>"));
    text.remove(QLatin1Char('\n'));
    return text;
}

Integer SaturatedAdd(Integer a, Integer b)
{
    return Integer(std::clamp<Int64>(Int64(a) + b, std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max()));
}

// Measures one segment with the call's format; returns its width.
Integer MeasureSegment(TCallState& s, const QString& segment, TRect r)
{
    DrawText(s.Canvas, segment, r, s.Format | DT_CALCRECT);
    return r.Right - r.Left;
}

// Draws a segment at the bottom of its rectangle; under a rotation tag the
// text runs along the rotated base line from the same corner.
void DrawSegment(TCallState& s, const QString& segment, TRect r)
{
    TCanvas* canvas = s.Canvas;
    if (canvas->Font()->Orientation() == 0) {
        DrawText(canvas, segment, r, s.Format);
        return;
    }
    QString shown;
    for (qsizetype i = 0; i < segment.size(); ++i) {
        if (segment[i] == QLatin1Char('&') && ++i >= segment.size())
            break;
        shown += segment[i];
    }
    canvas->TextOut(r.Left, r.Bottom - canvas->TextHeight(shown), shown);
}

// The red zigzag under a marked segment, from the text's left to its right.
void DrawErrorMark(TCanvas* canvas, Integer left, Integer right, Integer bottom)
{
    canvas->Pen()->SetColor(RGB(255, 0, 0));
    canvas->Pen()->SetWidth(1);
    Integer x = (left / 2) * 2;
    Integer phase = x % 4 == 0 ? 2 : 0;
    canvas->MoveTo(x, bottom + phase - 1);
    while (x < right) {
        phase = 2 - phase;
        canvas->LineTo(x + 2, bottom + phase - 1);
        x += 2;
    }
}

// Handles one text segment of the line. Returns false when the segment
// does not fit and stays in the text for the next line.
void LayoutSegment(TCallState& s, TLineState& ln, QString& text, QString& lineText)
{
    const TMiniHTMLRequest& req = *s.Req;
    TCanvas* canvas = s.Canvas;
    const qsizetype lt = text.indexOf(QLatin1Char('<'));
    const qsizetype blank = req.WordWrap ? text.indexOf(QLatin1Char(' ')) : -1;
    QString segment;
    if (lt >= 0 && (blank < 0 || blank > lt))
        segment = text.left(lt);
    else if (blank >= 0)
        segment = text.left(blank + 1);
    else
        segment = text;
    const qsizetype written = segment.size();
    if (written == 0)
        return;
    segment = ReplaceEntitiesOfSegment(segment);

    const Integer h = canvas->TextHeight(segment);
    if (ln.Subscript)
        ln.Drop = std::max(ln.Drop, h / 4);
    if (ln.Superscript)
        ln.Rise = std::max(ln.Rise, h / 4);
    ln.LineHeight = std::max(ln.LineHeight, h);

    if (s.Hidden) {
        s.Res->PlainText += segment;
        text.remove(0, written);
        return;
    }

    Integer width = 0;
    if (ln.Measuring) {
        ln.TextRect = TRect(ln.A, ln.B, ln.C, ln.D);
        width = MeasureSegment(s, segment, ln.TextRect);
        ln.RunningWidth = SaturatedAdd(ln.RunningWidth, width);
        const Integer q = s.RightToLeft ? ln.C - req.PointX - ln.TextRect.Left : req.PointX - ln.TextRect.Left;
        if (ln.RunningWidth - width <= q && q <= ln.RunningWidth && s.InAnchor) {
            ln.AnchorTextHit = true;
            if (req.PointY > ln.B) {
                s.Res->AnchorUnderPoint = s.AnchorRef;
                s.Res->AnchorTitle = s.AnchorTitle;
                s.HoverPending = true;
            }
        }
    } else {
        TRect& tr = ln.TextRect;
        tr.Bottom = ln.D;
        if (ln.Superscript)
            tr.Bottom -= ln.Rise;
        if (ln.Subscript)
            tr.Bottom += ln.Drop;
        tr.Bottom -= ln.Raise;
        if (s.Shadow) {
            const TColor textColor = canvas->Font()->Color();
            OffsetRect(tr, req.ShadowOffset, req.ShadowOffset);
            canvas->Font()->SetColor(req.ShadowColor);
            DrawSegment(s, segment, tr);
            OffsetRect(tr, -req.ShadowOffset, -req.ShadowOffset);
            canvas->Font()->SetColor(textColor);
        }
        const Integer keptRight = tr.Right;
        DrawSegment(s, segment, tr);
        TRect measured = tr;
        DrawText(canvas, segment, measured, s.Format | DT_CALCRECT);
        width = measured.Right - measured.Left;
        tr.Right = measured.Right;
        if (s.InAnchor && s.AnchorCounter - 1 == req.FocusAnchor)
            s.Res->FocusedAnchorRef = s.AnchorRef;
        if (s.ErrorMark)
            DrawErrorMark(canvas, tr.Left, tr.Right, ln.D);
        if (s.RightToLeft) {
            tr.Right = keptRight - tr.Right + tr.Left;
        } else {
            tr.Left = tr.Right;
            tr.Right = ln.C;
        }
        tr.Bottom = ln.D;
        tr.Top = ln.B;
    }

    const Integer available = ln.C - ln.A;
    bool fits = available > ln.RunningWidth || available <= width;
    // No break inside a word that a tag interrupts.
    if (!fits && !ln.LineWords.isEmpty() && !ln.LineWords.endsWith(QLatin1Char(' ')))
        fits = true;
    ln.LineWords += segment;
    if (fits || !req.WordWrap) {
        // A segment that waits for the next line is kept there, not twice.
        s.Res->PlainText += segment;
        lineText += QStringView(text).left(written);
        if (ln.Measuring && !fits && ln.LineWords == segment)
            text.clear();
        else
            text.remove(0, written);
        ln.TrailingBlankWidth =
            segment.size() >= written && segment[written - 1] == QLatin1Char(' ') ? canvas->TextWidth(QStringLiteral(" ")) : 0;
    } else {
        ln.LineEnd = true;
        ln.RunningWidth -= width;
    }
}

// Lays out, measures or draws one line from the front of Text and takes
// it off; returns the part of the text (text and tags as written) it took.
QString DrawMiniHTML(TCallState& s, QString& text, const TRect& r, bool measuring, TLineState& ln)
{
    TCanvas* canvas = s.Canvas;
    QString lineText;
    ln.LineWords.clear();
    ln.Measuring = measuring;
    ln.A = r.Left;
    ln.B = r.Top;
    ln.C = r.Right;
    ln.D = r.Bottom - ln.Drop;
    ln.RunningWidth = 0;
    ln.TrailingBlankWidth = 0;
    ln.LineEnd = ln.LineFull = ln.OneListItem = false;
    ln.AnchorTextHit = ln.ImageOrControlHit = false;
    // Sub- and superscript belong to the text they were opened for: each
    // pass starts without them, as the line did.
    ln.Superscript = ln.Subscript = false;
    ln.TextRect = TRect(ln.A, ln.B, ln.C, ln.D);

    if (s.ParBackground && !measuring) {
        const TColor pen = canvas->Pen()->Color();
        canvas->Pen()->SetColor(canvas->Brush()->Color());
        canvas->Rectangle(s.LayoutRect.Left, ln.B, s.LayoutRect.Right, ln.B + ln.LineHeight);
        canvas->Pen()->SetColor(pen);
    }

    while (!text.isEmpty() && !ln.LineEnd && !ln.LineFull) {
        LayoutSegment(s, ln, text, lineText);

        if (text.startsWith(QLatin1Char('<')) && text.size() <= 2)
            text.clear();
        if (ln.LineEnd || !text.startsWith(QLatin1Char('<')) || text.size() < 3)
            continue;

        const bool closing = text[1] == QLatin1Char('/') && text.size() > 3;
        QChar name = closing ? text[2] : text[1];
        if (name.unicode() >= 'a' && name.unicode() <= 'z')
            name = QChar(name.unicode() - 'a' + 'A');
        HandleTag(s, ln, text, closing, name);

        if (ln.LineFull)
            break;
        const qsizetype gt = text.indexOf(QLatin1Char('>'));
        if (gt < 0) {
            text.clear();
        } else {
            lineText += QStringView(text).left(gt + 1);
            text.remove(0, gt + 1);
        }
    }

    ln.RunningWidth -= ln.TrailingBlankWidth;
    s.Res->Width = std::max(s.Res->Width, ln.RunningWidth);
    if (s.AnchorCounter - 1 == s.Req->FocusAnchor && s.InAnchor && !measuring) {
        // The focused anchor goes on to the next line.
        TRect& f = s.FocusRect;
        f.Right = ln.TextRect.Left;
        f.Bottom = ln.TextRect.Bottom;
        f.Left -= 1;
        f.Right += 1;
        DrawFocusRect(canvas, f);
        f.Left = ln.A + 1;
        f.Top = f.Bottom;
    }
    return lineText;
}

} // namespace

// ---------------------------------------------------------------- anchors

namespace minihtml {

TColor BrushColorOrNone(const TCanvas* canvas)
{
    return canvas->Brush()->Style() == bsClear ? clNone : canvas->Brush()->Color();
}

void SetBrushColorOrClear(TCanvas* canvas, TColor color)
{
    if (color == clNone)
        canvas->Brush()->SetStyle(bsClear);
    else
        canvas->Brush()->SetColor(color);
}

void OpenAnchor(TCallState& s, TLineState& ln, const QString& text)
{
    const TMiniHTMLRequest& req = *s.Req;
    TCanvas* canvas = s.Canvas;
    const bool drawing = !ln.Measuring;
    if (s.AnchorCounter == req.FocusAnchor && drawing) {
        s.FocusRect.Left = ln.TextRect.Left;
        s.FocusRect.Top = ln.TextRect.Top;
    }
    ++s.AnchorCounter;
    const bool hovered = req.HoverAnchor == s.AnchorCounter;
    if ((!req.HoverOnly || hovered) && drawing) {
        canvas->Font()->SetStyle(canvas->Font()->Style() | fsUnderline);
        if (req.HoverBackground != clNone) {
            s.AnchorKeptBrush = BrushColorOrNone(canvas);
            canvas->Brush()->SetColor(req.HoverBackground);
        }
        if (req.HoverTextColor != clNone) {
            s.AnchorKeptText = canvas->Font()->Color();
            canvas->Font()->SetColor(req.HoverTextColor);
        }
    }
    if (!(req.KeepColors || (req.HoverTextColor != clNone && hovered && req.HoverOnly)))
        canvas->Font()->SetColor(req.AnchorColor);

    const qsizetype gt = text.indexOf(QLatin1Char('>'));
    const QString tag = gt < 0 ? text.mid(2) : text.mid(2, gt - 2);
    const QString upper = UpperCase(tag);
    const qsizetype href = upper.indexOf(QLatin1String("HREF"));
    if (href >= 0) {
        s.AnchorRef = QuotedValueFrom(tag, href);
        s.InAnchor = true;
    }
    const qsizetype title = upper.indexOf(QLatin1String("TITLE"));
    if (title >= 0)
        s.AnchorTitle = QuotedValueFrom(tag, title);
    s.HoverStart = TPoint(ln.A + ln.RunningWidth, ln.B);
}

void CloseAnchor(TCallState& s, TLineState& ln)
{
    const TMiniHTMLRequest& req = *s.Req;
    TCanvas* canvas = s.Canvas;
    const bool drawing = !ln.Measuring;
    if ((!req.HoverOnly || req.HoverAnchor == s.AnchorCounter) && drawing) {
        canvas->Font()->SetStyle(canvas->Font()->Style() - fsUnderline);
        if (req.HoverBackground != clNone)
            SetBrushColorOrClear(canvas, s.AnchorKeptBrush);
        if (req.HoverTextColor != clNone)
            canvas->Font()->SetColor(s.AnchorKeptText);
    }
    if (!req.KeepColors)
        canvas->Font()->SetColor(s.DefaultFont->Color());
    s.InAnchor = false;
    if (s.HoverPending) {
        // An anchor that began on an earlier line is reported from this line's left.
        if (s.HoverStart.Y != ln.B)
            s.HoverStart = TPoint(ln.A, ln.B);
        s.Res->HoveredAnchorRect = TRect(s.HoverStart.X, s.HoverStart.Y, ln.A + ln.RunningWidth, ln.D);
        s.Res->HoveredAnchor = s.AnchorCounter;
        s.HoverPending = false;
    }
    if (s.AnchorCounter - 1 == req.FocusAnchor) {
        TRect& f = s.FocusRect;
        f.Right = ln.TextRect.Left;
        f.Bottom = ln.TextRect.Bottom - ln.Raise;
        f.Top = f.Bottom - canvas->TextHeight(QStringLiteral("gh"));
        f.Left -= 1;
        f.Right += 1;
        if (drawing)
            DrawFocusRect(canvas, f);
    }
}

} // namespace minihtml

// ---------------------------------------------------------------- entry

void SetMiniHTMLHighlightColors(TColor Background, TColor TextColor)
{
    HighlightBackground = Background;
    HighlightText = TextColor;
}

TColor MiniHTMLHighlightBackground()
{
    return HighlightBackground;
}

TColor MiniHTMLHighlightTextColor()
{
    return HighlightText;
}

bool RenderMiniHTML(TCanvas* Canvas, const QString& Text, const TRect& Rect, const TMiniHTMLRequest& Request,
                    TMiniHTMLResult& Result)
{
    if (!Canvas)
        return false;
    TCallState s;
    s.Canvas = Canvas;
    s.Req = &Request;
    s.Res = &Result;
    s.LayoutRect = Rect;

    // What the call changes on the canvas and gives back at its end.
    const TColor penColor = Canvas->Pen()->Color();
    const Integer penWidth = Canvas->Pen()->Width();
    const TColor brushColor = Canvas->Brush()->Color();
    const TBrushStyle brushStyle = Canvas->Brush()->Style();
    s.StartBrushColor = brushColor;
    s.DefaultFont = std::make_unique<TFont>();
    s.DefaultFont->Assign(Canvas->Font());
    TFont measureFont;
    measureFont.Assign(Canvas->Font());
    TFont drawFont;
    drawFont.Assign(Canvas->Font());
    Canvas->Brush()->SetColor(clNone);
    s.HighlightKeptText = Canvas->Font()->Color();

    s.Themed = IsWinXPOrLater() && ThemeActive(ExXPVS());

    Result.ControlRect = TRect(0, 0, 0, 0);
    Result.ControlType.clear();
    Result.ControlValue.clear();
    if (!Request.TestAgain)
        Result.ControlID.clear();
    bool hit = false;

    TRect work = Rect;
    work.Left += 1;

    Result.Width = Result.Height = Result.AnchorCount = 0;
    Result.HoveredAnchor = -1;
    Result.PlainText.clear();
    Result.FocusedAnchorRef.clear();
    Result.AnchorTitle.clear();

    Canvas->SetBkMode(TRANSPARENT);

    s.Format = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING;
    if (MiddleEastLocale()) {
        if (Request.BiDiMode == bdRightToLeft) {
            if (s.Format & DT_RIGHT)
                s.Format &= ~DT_RIGHT;
            else if (!(s.Format & DT_CENTER))
                s.Format |= DT_RIGHT;
        }
        if (Request.BiDiMode != bdLeftToRight)
            s.Format |= DT_RTLREADING;
    }
    if (!Request.WordWrap)
        s.Format |= DT_END_ELLIPSIS;
    s.RightToLeft = s.Format & DT_RTLREADING;

    QString text = PrepareText(Text);
    const QString gh = QStringLiteral("gh");

    while (!text.isEmpty()) {
        Canvas->Font()->Assign(&measureFont);
        const bool inAnchor = s.InAnchor;
        const QString anchorRef = s.AnchorRef;
        const QString anchorTitle = s.AnchorTitle;
        TLineState ln;
        ln.LineHeight = Canvas->TextHeight(gh);
        const Integer stopHeight = ln.LineHeight;
        const Integer anchorCounter = s.AnchorCounter;
        const Integer listLevel = s.ListLevel;
        const Integer imageCounter = s.ImageCounter;

        const qsizetype before = text.size();
        QString lineText = DrawMiniHTML(s, text, work, true, ln);
        if (text.size() == before) {
            // A line that takes nothing would come back forever.
            break;
        }

        s.InAnchor = inAnchor;
        s.AnchorRef = anchorRef;
        s.AnchorTitle = anchorTitle;
        measureFont.Assign(Canvas->Font());

        TRect line = work;
        const Integer lineWidth = ln.RunningWidth;
        if (s.Alignment == taRightAlign) {
            if (work.Right - lineWidth > work.Left)
                line.Left = work.Right - lineWidth;
        } else if (s.Alignment == taCenterAlign) {
            if (work.Right - work.Left - lineWidth > 0)
                line.Left = work.Left + (work.Right - work.Left - lineWidth) / 2;
        }
        line.Left = SaturatedAdd(line.Left, s.Indent);
        line.Bottom = SaturatedAdd(line.Top, SaturatedAdd(ln.LineHeight, SaturatedAdd(ln.Drop, ln.Rise)));

        if (!Request.MeasureOnly) {
            s.AnchorCounter = anchorCounter;
            s.ListLevel = listLevel;
            s.ImageCounter = imageCounter;
            Canvas->Font()->Assign(&drawFont);
            DrawMiniHTML(s, lineText, line, Request.TestAgain, ln);
            const Integer ghHeight = Canvas->TextHeight(gh);
            if ((ln.AnchorTextHit && Request.PointY > line.Bottom - ln.Raise - ghHeight
                 && Request.PointY < line.Bottom - ln.Raise)
                || ln.ImageOrControlHit)
                hit = true;
            drawFont.Assign(Canvas->Font());
        }

        const Integer advance = SaturatedAdd(ln.LineHeight, SaturatedAdd(ln.Drop, ln.Rise));
        work.Top = SaturatedAdd(work.Top, advance);
        Result.Height = SaturatedAdd(Result.Height, advance);
        if (!Request.MeasureOnly && SaturatedAdd(stopHeight, work.Top) > work.Bottom)
            break;
    }

    Result.AnchorCount = s.AnchorCounter;
    if (Result.Height == 0)
        Result.Height = Canvas->TextHeight(gh);

    Canvas->Pen()->SetColor(penColor);
    Canvas->Pen()->SetWidth(penWidth);
    Canvas->Brush()->SetColor(brushColor);
    Canvas->Brush()->SetStyle(brushStyle);
    Canvas->Font()->Assign(s.DefaultFont.get());
    Canvas->SetBkMode(TRANSPARENT);
    return hit;
}
