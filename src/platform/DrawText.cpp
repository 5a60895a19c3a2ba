#include "DrawText.h"
#include "Canvas.h"
#include "GraphicsQt.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

#include <vector>

// ================================================================== text

namespace {

const QString Ellipsis = QStringLiteral("...");

// One laid-out line: its text and the positions in it of underlined
// (accelerator) characters.
struct TextLine {
    QString text;
    std::vector<int> marks;
    int width = -1;  // measured already when >= 0
};

// Measures and draws text with optional tab expansion.
class TextMeasure {
public:
    TextMeasure(const QFont& font, bool expandTabs) : fm_(font), expandTabs_(expandTabs)
    {
        tab_ = std::max(1, fm_.averageCharWidth() * 8);
    }

    int Width(const QString& s) const
    {
        if (!s.contains(QLatin1Char('\t')))
            return fm_.horizontalAdvance(s);
        int x = 0;
        const QStringList parts = s.split(QLatin1Char('\t'));
        for (int i = 0; i < parts.size(); ++i) {
            if (i > 0 && expandTabs_)
                x = (x / tab_ + 1) * tab_;
            x += fm_.horizontalAdvance(parts[i]);
        }
        return x;
    }

    // Draws s with its top-left corner at (x, y).
    void Draw(QPainter* p, int x, int y, const QString& s) const
    {
        const int base = y + fm_.ascent();
        if (!s.contains(QLatin1Char('\t'))) {
            p->drawText(x, base, s);
            return;
        }
        int cx = 0;
        const QStringList parts = s.split(QLatin1Char('\t'));
        for (int i = 0; i < parts.size(); ++i) {
            if (i > 0 && expandTabs_)
                cx = (cx / tab_ + 1) * tab_;
            p->drawText(x + cx, base, parts[i]);
            cx += fm_.horizontalAdvance(parts[i]);
        }
    }

    const QFontMetrics& Metrics() const { return fm_; }

private:
    QFontMetrics fm_;
    bool expandTabs_;
    int tab_;
};

// Removes the accelerator marks: "&&" becomes "&", "&x" becomes an
// underlined x. Returns the clean text; marks receives the underlined positions.
QString StripPrefixes(const QString& text, std::vector<int>& marks)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 >= text.size())
                break;
            ++i;
            if (text[i] != QLatin1Char('&'))
                marks.push_back(int(out.size()));
        }
        out += text[i];
    }
    return out;
}

// Splits text into hard lines; each line keeps the marks that fall in it.
std::vector<TextLine> HardLines(const QString& text, const std::vector<int>& marks, bool single)
{
    std::vector<TextLine> lines;
    TextLine cur;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (single)
                continue; // line ends do not break a single line
            lines.push_back(cur);
            cur = {};
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            continue;
        }
        for (int m : marks)
            if (m == i)
                cur.marks.push_back(int(cur.text.size()));
        cur.text += c;
    }
    lines.push_back(cur);
    return lines;
}

TextLine Slice(const TextLine& line, int from, int to)
{
    TextLine out;
    out.text = line.text.mid(from, to - from);
    for (int m : line.marks)
        if (m >= from && m < to)
            out.marks.push_back(m - from);
    return out;
}

// Breaks one hard line into lines no wider than maxW, between words; a word
// wider than maxW is broken between characters when breakWords is set and
// stands alone on its line otherwise.
void WrapLine(const TextLine& line, int maxW, bool breakWords, const TextMeasure& m, std::vector<TextLine>& out)
{
    const QString& s = line.text;
    const int n = int(s.size());
    if (n == 0) {
        out.push_back(line);
        return;
    }
    auto isBlank = [&](int i) { return s[i] == QLatin1Char(' '); };
    int start = 0;
    while (start < n) {
        // Take whole words while the line from start fits.
        int end = -1;
        int pos = start;
        int firstWordEnd = -1;
        while (pos < n) {
            int j = pos;
            while (j < n && isBlank(j))
                ++j;
            int k = j;
            while (k < n && !isBlank(k))
                ++k;
            if (k == j)
                break; // only blanks are left
            if (firstWordEnd < 0)
                firstWordEnd = k;
            if (m.Width(s.mid(start, k - start)) > maxW)
                break;
            end = k;
            pos = k;
        }
        if (end < 0) {
            if (firstWordEnd < 0)
                break; // a line of blanks after a break
            end = firstWordEnd;
            if (breakWords) {
                // Cut the word between characters; at least one per line.
                int c = start + 1;
                while (c < firstWordEnd && m.Width(s.mid(start, c + 1 - start)) <= maxW)
                    ++c;
                end = c;
            }
        }
        out.push_back(Slice(line, start, end));
        start = end;
        while (start < n && isBlank(start))
            ++start;
    }
}

// Shortens a line to fit maxW with "..." at its end.
void AddEndEllipsis(TextLine& line, int maxW, const TextMeasure& m)
{
    line.width = m.Width(line.text);
    if (line.width <= maxW)
        return;
    line.width = -1;
    // The widest prefix that fits with the ellipsis: a binary search, since a
    // longer prefix is never narrower (a long line costs log n measurements).
    int lo = 0;
    int hi = int(line.text.size()) - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (m.Width(line.text.left(mid) + Ellipsis) <= maxW)
            lo = mid;
        else
            hi = mid - 1;
    }
    int keep = lo;
    if (keep > 0 && line.text.at(keep - 1).isHighSurrogate())
        --keep;
    line.text = line.text.left(keep) + Ellipsis;
    std::erase_if(line.marks, [keep](int mk) { return mk >= keep; });
}

} // namespace

namespace {

// Runs a routine that lays its rectangle out with its own painter calls: in
// MM_LOMETRIC it works in the canvas's upright frame, and the rectangle it
// leaves (DT_CALCRECT, DFCS_ADJUSTRECT) is turned back.
template <class F>
auto Upright(TCanvas* Canvas, TRect& Rect, F&& Body)
{
    if (Canvas == nullptr || Canvas->MapMode() != MM_LOMETRIC)
        return Body(Rect);
    const bool down = Rect.Top >= Rect.Bottom;
    TRect u = Canvas->UprightRect(Rect);
    Canvas->SetUpright(true);
    const auto result = Body(u);
    Canvas->SetUpright(false);
    Rect = down ? TRect(u.Left, -u.Top, u.Right, -u.Bottom) : TRect(u.Left, -u.Bottom, u.Right, -u.Top);
    return result;
}

Integer DrawTextDevice(TCanvas* Canvas, const QString& Text, TRect& Rect, Cardinal Flags);
bool DrawFrameControlDevice(TCanvas* Canvas, TRect& Rect, Cardinal Type, Cardinal State);

} // namespace

Integer DrawText(TCanvas* Canvas, const QString& Text, TRect& Rect, Cardinal Flags)
{
    return Upright(Canvas, Rect, [&](TRect& R) { return DrawTextDevice(Canvas, Text, R, Flags); });
}

bool DrawFrameControl(TCanvas* Canvas, TRect& Rect, Cardinal Type, Cardinal State)
{
    return Upright(Canvas, Rect, [&](TRect& R) { return DrawFrameControlDevice(Canvas, R, Type, State); });
}

namespace {

Integer DrawTextDevice(TCanvas* Canvas, const QString& Text, TRect& Rect, Cardinal Flags)
{
    if (!Canvas)
        return 0;
    const bool calc = Flags & DT_CALCRECT;
    const bool single = Flags & DT_SINGLELINE;
    const TextMeasure m(Canvas->QtFont(), Flags & DT_EXPANDTABS);
    const QFontMetrics& fm = m.Metrics();

    std::vector<int> marks;
    const QString clean = (Flags & DT_NOPREFIX) ? Text : StripPrefixes(Text, marks);
    std::vector<TextLine> hard = HardLines(clean, marks, single);

    const int maxW = std::max(0, Rect.Width());
    std::vector<TextLine> lines;
    if ((Flags & DT_WORDBREAK) && !single) {
        for (const TextLine& l : hard)
            WrapLine(l, maxW, Flags & DT_EDITCONTROL, m, lines);
    } else {
        lines = std::move(hard);
    }
    if (Flags & DT_END_ELLIPSIS)
        for (TextLine& l : lines)
            AddEndEllipsis(l, maxW, m);

    const int lineH = fm.height() + ((Flags & DT_EXTERNALLEADING) ? fm.leading() : 0);
    const int total = lineH * int(lines.size());

    if (calc) {
        int widest = 0;
        for (const TextLine& l : lines)
            widest = std::max(widest, l.width >= 0 ? l.width : m.Width(l.text));
        Rect.Right = Rect.Left + widest;
        Rect.Bottom = Rect.Top + total;
        return total;
    }

    int y = Rect.Top;
    if (single) {
        if (Flags & DT_VCENTER)
            y = Rect.Top + (Rect.Height() - lineH) / 2;
        else if (Flags & DT_BOTTOM)
            y = Rect.Bottom - lineH;
    }
    const Integer result = (Flags & (DT_VCENTER | DT_BOTTOM)) && single ? (y - Rect.Top) + total : total;

    if (!Canvas->RequireHandle())
        return result;
    QPainter* p = Canvas->Painter();
    p->save();
    if (!(Flags & DT_NOCLIP))
        p->setClipRect(QRect(Rect.Left, Rect.Top, Rect.Width(), Rect.Height()), Qt::IntersectClip);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setFont(Canvas->QtFont());
    p->setLayoutDirection((Flags & DT_RTLREADING) ? Qt::RightToLeft : Qt::LeftToRight);
    const QColor ink = ToQColor(Canvas->Font()->Color());
    const bool opaque = Canvas->BkMode() == OPAQUE;
    const QColor bk = ToQColor(Canvas->Brush()->Color());
    const bool underline = !(Flags & DT_HIDEPREFIX);
    for (std::size_t i = 0; i < lines.size(); ++i, y += lineH) {
        // An edit control shows no partly visible last line.
        if ((Flags & DT_EDITCONTROL) && !single && i > 0 && y + lineH > Rect.Bottom)
            break;
        const TextLine& l = lines[i];
        // Left-aligned text on a clear background needs no width.
        const bool needWidth = (Flags & (DT_CENTER | DT_RIGHT)) || opaque;
        const int w = !needWidth ? 0 : l.width >= 0 ? l.width : m.Width(l.text);
        int x = Rect.Left;
        if (Flags & DT_CENTER)
            x = Rect.Left + (Rect.Width() - w) / 2;
        else if (Flags & DT_RIGHT)
            x = Rect.Right - w;
        if (opaque)
            p->fillRect(QRect(x, y, w, lineH), bk);
        p->setPen(ink);
        m.Draw(p, x, y, l.text);
        if (underline) {
            for (int mk : l.marks) {
                const int x1 = x + m.Width(l.text.left(mk));
                const int x2 = x + m.Width(l.text.left(mk + 1));
                p->fillRect(QRect(x1, y + fm.ascent() + fm.underlinePos(), x2 - x1, std::max(1, fm.lineWidth())), ink);
            }
        }
    }
    p->restore();
    return result;
}

} // namespace

// ================================================================== edges

namespace {

// One-pixel border ring in two colours on the chosen sides; the
// bottom-right colour owns the corners it shares.
void DrawRing(QPainter* p, const TRect& r, QColor tl, QColor br, Cardinal sides)
{
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    if (sides & BF_TOP)
        p->fillRect(QRect(r.Left, r.Top, r.Width() - ((sides & BF_RIGHT) ? 1 : 0), 1), tl);
    if (sides & BF_LEFT)
        p->fillRect(QRect(r.Left, r.Top, 1, r.Height() - ((sides & BF_BOTTOM) ? 1 : 0)), tl);
    if (sides & BF_BOTTOM)
        p->fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), br);
    if (sides & BF_RIGHT)
        p->fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), br);
}

void Shrink(TRect& r, Cardinal sides)
{
    if (sides & BF_LEFT) ++r.Left;
    if (sides & BF_TOP) ++r.Top;
    if (sides & BF_RIGHT) --r.Right;
    if (sides & BF_BOTTOM) --r.Bottom;
}

QColor Sys(Integer index)
{
    return ToQColor(GetSysColor(index));
}

// Draws with the painter in the canvas's device state; false without one.
QPainter* Begin(TCanvas* c)
{
    if (!c || !c->RequireHandle())
        return nullptr;
    QPainter* p = c->Painter();
    p->save();
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setRenderHint(QPainter::Antialiasing, false);
    return p;
}

} // namespace

void DrawEdge(TCanvas* Canvas, TRect& Rect, Cardinal Edge, Cardinal Flags)
{
    const Cardinal sides = Flags & BF_RECT;
    const Cardinal outer = Edge & BDR_OUTER;
    const Cardinal inner = Edge & BDR_INNER;
    QColor outerTL, outerBR, innerTL, innerBR;
    if (Flags & BF_MONO) {
        outerTL = outerBR = Sys(COLOR_WINDOWFRAME);
        innerTL = innerBR = Sys(COLOR_WINDOW);
    } else if (Flags & BF_FLAT) {
        outerTL = outerBR = Sys(COLOR_BTNSHADOW);
        innerTL = innerBR = Sys(COLOR_BTNFACE);
    } else {
        const bool soft = Flags & BF_SOFT;
        if (outer == BDR_RAISEDOUTER) {
            outerTL = Sys(soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT);
            outerBR = Sys(COLOR_3DDKSHADOW);
        } else if (outer == BDR_SUNKENOUTER) {
            outerTL = Sys(soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW);
            outerBR = Sys(COLOR_BTNHIGHLIGHT);
        }
        if (inner == BDR_RAISEDINNER) {
            innerTL = Sys(soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT);
            innerBR = Sys(COLOR_BTNSHADOW);
        } else if (inner == BDR_SUNKENINNER) {
            innerTL = Sys(soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW);
            innerBR = Sys(COLOR_3DLIGHT);
        }
    }
    TRect r = Rect;
    QPainter* p = Begin(Canvas);
    // Rings of both directions at once cancel out: neither is drawn.
    const bool hasOuter = outer == BDR_RAISEDOUTER || outer == BDR_SUNKENOUTER;
    const bool hasInner = inner == BDR_RAISEDINNER || inner == BDR_SUNKENINNER;
    if (hasOuter) {
        if (p)
            DrawRing(p, r, outerTL, outerBR, sides);
        Shrink(r, sides);
    }
    if (hasInner) {
        if (p)
            DrawRing(p, r, innerTL, innerBR, sides);
        Shrink(r, sides);
    }
    if (p && (Flags & BF_MIDDLE) && !r.IsEmpty())
        p->fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), Sys((Flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
    if (p)
        p->restore();
    if (Flags & BF_ADJUST)
        Rect = r;
}

// ========================================================== frame controls

namespace {

TRect CenteredSquare(const TRect& r)
{
    const int s = std::min(r.Width(), r.Height());
    const int l = r.Left + (r.Width() - s) / 2;
    const int t = r.Top + (r.Height() - s) / 2;
    return {l, t, l + s, t + s};
}

void DrawCheckBox(TCanvas* c, const TRect& rect, Cardinal state)
{
    TRect box = CenteredSquare(rect);
    if (box.IsEmpty())
        return;
    const bool inactive = state & DFCS_INACTIVE;
    const bool pushed = state & DFCS_PUSHED;
    const bool checked = state & DFCS_CHECKED;
    const bool grey = (state & DFCS_BUTTON3STATE) && checked;
    TRect inside = box;
    if (state & DFCS_MONO) {
        DrawEdge(c, inside, BDR_SUNKENOUTER, BF_RECT | BF_MONO | BF_ADJUST);
    } else if (state & DFCS_FLAT) {
        DrawEdge(c, inside, BDR_SUNKENOUTER, BF_RECT | BF_FLAT | BF_ADJUST);
    } else {
        DrawEdge(c, inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    }
    QPainter* p = Begin(c);
    if (!p)
        return;
    const QColor back = (inactive || pushed || grey) ? Sys(COLOR_BTNFACE) : Sys(COLOR_WINDOW);
    p->fillRect(QRect(inside.Left, inside.Top, inside.Width(), inside.Height()), back);
    if (checked) {
        // The tick: a 7-pixel wide, 3-pixel thick check mark centred in the box.
        const QColor ink = inactive || grey ? Sys(COLOR_BTNSHADOW) : Sys(COLOR_WINDOWTEXT);
        const int w = inside.Width(), h = inside.Height();
        const int x0 = inside.Left + (w - 7) / 2;
        const int y0 = inside.Top + (h - 7) / 2 + 2;
        for (int i = 0; i < 7; ++i) {
            const int dy = i < 3 ? i : 4 - i; // down two rows, then up four
            p->fillRect(QRect(x0 + i, y0 + dy, 1, 3), ink);
        }
    }
    p->restore();
}

void DrawRadio(TCanvas* c, const TRect& rect, Cardinal state)
{
    const TRect box = CenteredSquare(rect);
    if (box.Width() < 4)
        return;
    const bool inactive = state & DFCS_INACTIVE;
    const bool pushed = state & DFCS_PUSHED;
    const bool checked = state & DFCS_CHECKED;
    QPainter* p = Begin(c);
    if (!p)
        return;
    const QRect r(box.Left, box.Top, box.Width() - 1, box.Height() - 1);
    auto arc = [&](QRect rr, QColor col, int startDeg) {
        p->setPen(QPen(col, 0));
        p->setBrush(Qt::NoBrush);
        p->drawArc(rr, startDeg * 16, 180 * 16);
    };
    const bool flat = state & (DFCS_FLAT | DFCS_MONO);
    // Interior first, then the rings: dark upper-left halves, light lower-right.
    p->setPen(Qt::NoPen);
    p->setBrush((inactive || pushed) ? Sys(COLOR_BTNFACE) : Sys(COLOR_WINDOW));
    p->drawEllipse(r.adjusted(1, 1, -1, -1));
    if (flat) {
        p->setPen(QPen(state & DFCS_MONO ? Sys(COLOR_WINDOWFRAME) : Sys(COLOR_BTNSHADOW), 0));
        p->setBrush(Qt::NoBrush);
        p->drawEllipse(r);
    } else {
        arc(r, Sys(COLOR_BTNSHADOW), 45);
        arc(r, Sys(COLOR_BTNHIGHLIGHT), 225);
        arc(r.adjusted(1, 1, -1, -1), Sys(COLOR_3DDKSHADOW), 45);
        arc(r.adjusted(1, 1, -1, -1), Sys(COLOR_3DLIGHT), 225);
    }
    if (checked) {
        const int d = std::max(2, box.Width() / 3);
        const int l = box.Left + (box.Width() - d) / 2;
        const int t = box.Top + (box.Height() - d) / 2;
        p->setPen(Qt::NoPen);
        p->setBrush(inactive ? Sys(COLOR_BTNSHADOW) : Sys(COLOR_WINDOWTEXT));
        if (d <= 4)
            p->drawRect(QRect(l, t, d, d).adjusted(0, 0, 0, 0));
        else
            p->drawEllipse(QRect(l, t, d - 1, d - 1));
    }
    p->restore();
}

// The button body: face colour inside a raised frame, or a flat dark frame
// while pushed. Returns the area inside the frame.
TRect DrawButtonBody(TCanvas* c, const TRect& rect, Cardinal state)
{
    TRect r = rect;
    const bool pushed = state & (DFCS_PUSHED | DFCS_CHECKED);
    if (state & DFCS_MONO) {
        DrawEdge(c, r, BDR_RAISEDOUTER, BF_RECT | BF_MONO | BF_MIDDLE | BF_ADJUST);
    } else if (state & DFCS_FLAT) {
        DrawEdge(c, r, pushed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_FLAT | BF_MIDDLE | BF_ADJUST);
    } else if (pushed) {
        DrawEdge(c, r, EDGE_SUNKEN, BF_RECT | BF_FLAT | BF_MIDDLE | BF_ADJUST);
    } else {
        DrawEdge(c, r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
    }
    return r;
}

void DrawArrow(TCanvas* c, const TRect& inside, Cardinal kind, Cardinal state)
{
    QPainter* p = Begin(c);
    if (!p)
        return;
    const bool pushed = state & DFCS_PUSHED;
    const int size = std::max(2, std::min(inside.Width(), inside.Height()) / 3); // half base of the triangle
    int cx = inside.Left + inside.Width() / 2 + (pushed ? 1 : 0);
    int cy = inside.Top + inside.Height() / 2 + (pushed ? 1 : 0);
    auto triangle = [&](int ox, int oy, QColor col) {
        QPolygon poly;
        const int h = (size + 1) / 2 + 1; // height of the triangle
        switch (kind) {
        case DFCS_SCROLLUP:
            poly << QPoint(cx - size + ox, cy + h / 2 + oy) << QPoint(cx + size + ox, cy + h / 2 + oy)
                 << QPoint(cx + ox, cy + h / 2 - size + oy);
            break;
        case DFCS_SCROLLLEFT:
            poly << QPoint(cx + h / 2 + ox, cy - size + oy) << QPoint(cx + h / 2 + ox, cy + size + oy)
                 << QPoint(cx + h / 2 - size + ox, cy + oy);
            break;
        case DFCS_SCROLLRIGHT:
            poly << QPoint(cx - h / 2 + ox, cy - size + oy) << QPoint(cx - h / 2 + ox, cy + size + oy)
                 << QPoint(cx - h / 2 + size + ox, cy + oy);
            break;
        default: // down and combo box
            poly << QPoint(cx - size + ox, cy - h / 2 + oy) << QPoint(cx + size + ox, cy - h / 2 + oy)
                 << QPoint(cx + ox, cy - h / 2 + size + oy);
            break;
        }
        p->setPen(QPen(col, 0));
        p->setBrush(col);
        p->drawPolygon(poly);
    };
    if (state & DFCS_INACTIVE) {
        triangle(1, 1, Sys(COLOR_BTNHIGHLIGHT));
        triangle(0, 0, Sys(COLOR_BTNSHADOW));
    } else {
        triangle(0, 0, Sys(COLOR_BTNTEXT));
    }
    p->restore();
}

} // namespace

namespace {

bool DrawFrameControlDevice(TCanvas* Canvas, TRect& Rect, Cardinal Type, Cardinal State)
{
    if (!Canvas)
        return false;
    if (Type == DFC_BUTTON) {
        const Cardinal kind = State & 0x1F;
        if (kind == DFCS_BUTTONPUSH) {
            const TRect inside = DrawButtonBody(Canvas, Rect, State);
            if (State & DFCS_ADJUSTRECT)
                Rect = inside;
            return true;
        }
        if (kind == DFCS_BUTTONRADIO) {
            DrawRadio(Canvas, Rect, State);
            return true;
        }
        if (kind == DFCS_BUTTONCHECK || kind == DFCS_BUTTON3STATE) {
            DrawCheckBox(Canvas, Rect, State | kind);
            if (State & DFCS_ADJUSTRECT)
                InflateRect(Rect, -2, -2);
            return true;
        }
        return false;
    }
    if (Type == DFC_SCROLL) {
        const Cardinal kind = State & 0xFF;
        if (kind > DFCS_SCROLLCOMBOBOX || kind == 4)
            return false;
        const TRect inside = DrawButtonBody(Canvas, Rect, State);
        DrawArrow(Canvas, inside, kind, State);
        if (State & DFCS_ADJUSTRECT)
            Rect = inside;
        return true;
    }
    return false;
}

} // namespace

void DrawFocusRect(TCanvas* Canvas, const TRect& Rect)
{
    if (Rect.IsEmpty())
        return;
    QPainter* p = Begin(Canvas);
    if (!p)
        return;
    p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor white(Qt::white);
    const int parity = (Rect.Left + Rect.Top) & 1;
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == parity)
            p->fillRect(QRect(x, y, 1, 1), white);
    };
    // Each border pixel once, so that a second call undoes the first.
    for (int x = Rect.Left; x < Rect.Right; ++x) {
        dot(x, Rect.Top);
        if (Rect.Bottom - 1 > Rect.Top)
            dot(x, Rect.Bottom - 1);
    }
    for (int y = Rect.Top + 1; y < Rect.Bottom - 1; ++y) {
        dot(Rect.Left, y);
        if (Rect.Right - 1 > Rect.Left)
            dot(Rect.Right - 1, y);
    }
    p->restore();
}

// ============================================================== gradients

void GradientFillCanvas(TCanvas* Canvas, TColor Start, TColor Finish, const TRect& Rect, TGradientDirection Direction)
{
    if (Rect.IsEmpty())
        return;
    QPainter* p = Begin(Canvas);
    if (!p)
        return;
    const TColor a = ColorToRGB(Start), b = ColorToRGB(Finish);
    const int n = Direction == gdHorizontal ? Rect.Width() : Rect.Height();
    auto mix = [&](int ca, int cb, int i) { return n > 1 ? ca + (cb - ca) * i / (n - 1) : ca; };
    for (int i = 0; i < n; ++i) {
        const QColor col(mix(GetRValue(a), GetRValue(b), i), mix(GetGValue(a), GetGValue(b), i), mix(GetBValue(a), GetBValue(b), i));
        if (Direction == gdHorizontal)
            p->fillRect(QRect(Rect.Left + i, Rect.Top, 1, Rect.Height()), col);
        else
            p->fillRect(QRect(Rect.Left, Rect.Top + i, Rect.Width(), 1), col);
    }
    p->restore();
}
