// What each mini-HTML tag does to the layout: text styles, fonts and
// colours, line breaks, paragraphs and lists, highlight and marks, images,
// file icons and embedded controls with their hit tests.
#include "EsgHTMLE.h"
#include "EsgHTMLEState.h"
#include "PictureContainer.h"

#include "controls/ExXPVS.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/ImageList.h"
#include "platform/Text.h"

#include <QAbstractFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QImage>

#include <array>
#include <cmath>

using namespace minihtml;

// ---------------------------------------------------------------- colours

namespace {

struct TNamedColor {
    const char* Name;
    TColor Color;
};

const std::array<TNamedColor, 16> PlainColors{{
    {"clred", RGB(255, 0, 0)},       {"clblack", RGB(0, 0, 0)},     {"clblue", RGB(0, 0, 255)},
    {"clgreen", RGB(0, 128, 0)},     {"claqua", RGB(0, 255, 255)},  {"clyellow", RGB(255, 255, 0)},
    {"clfuchsia", RGB(255, 0, 255)}, {"clwhite", RGB(255, 255, 255)}, {"cllime", RGB(0, 255, 0)},
    {"clsilver", RGB(192, 192, 192)}, {"clgray", RGB(128, 128, 128)}, {"clolive", RGB(128, 128, 0)},
    {"clnavy", RGB(0, 0, 128)},      {"clpurple", RGB(128, 0, 128)}, {"clteal", RGB(0, 128, 128)},
    {"clmaroon", RGB(128, 0, 0)},
}};

const std::array<TNamedColor, 24> SystemColors{{
    {"clbackground", clBackground},
    {"clactivecaption", clActiveCaption},
    {"clinactivecaption", clInactiveCaption},
    {"clmenu", clMenu},
    {"clwindow", clWindow},
    {"clwindowframe", clWindowFrame},
    {"clmenutext", clMenuText},
    {"clwindowtext", clWindowText},
    {"clcaptiontext", clCaptionText},
    {"clactiveborder", clActiveBorder},
    {"clinactiveborder", clInactiveBorder},
    {"clappworkspace", clAppWorkSpace},
    {"clhighlight", clHighlight},
    {"clhighlighttext", clHighlightText},
    {"clbtnface", clBtnFace},
    {"clbtnshadow", clBtnShadow},
    {"clgraytext", clGrayText},
    {"clbtntext", clBtnText},
    {"clinactivecaptiontext", clInactiveCaptionText},
    {"clbtnhighlight", clBtnHighlight},
    {"cl3ddkshadow", cl3DDkShadow},
    {"cl3dlight", cl3DLight},
    {"clinfotext", clInfoText},
    {"clinfobk", clInfoBk},
}};

// A digit of a hexadecimal colour: characters before "A" count from "0",
// the others from "A" as 10.
int HexDigit(const QString& s, qsizetype i)
{
    if (i >= s.size())
        return 0;
    const int c = s[i].unicode();
    return c < 'A' ? c - 48 : c - 55;
}

} // namespace

TColor HTMLColorByName(const QString& LowerName)
{
    TColor c = RGB(0, 0, 0);
    for (const TNamedColor& n : PlainColors)
        if (LowerName == QLatin1String(n.Name)) {
            c = n.Color;
            break;
        }
    if (c == RGB(0, 0, 0))
        for (const TNamedColor& n : SystemColors)
            if (LowerName == QLatin1String(n.Name))
                return n.Color;
    return c;
}

TColor HTMLHexToColor(const QString& Text)
{
    const QString s = UpperCase(Text);
    // Digits that are no hexadecimal digits give what the rule computes,
    // kept to one byte per component.
    const int r = 16 * HexDigit(s, 1) + HexDigit(s, 2);
    const int g = 16 * HexDigit(s, 3) + HexDigit(s, 4);
    const int b = 16 * HexDigit(s, 5) + HexDigit(s, 6);
    return RGB(Byte(r & 0xFF), Byte(g & 0xFF), Byte(b & 0xFF));
}

// ---------------------------------------------------------------- pictures and icons

void StretchBitmapToRect(TCanvas* Canvas, const TRect& Rect, TBitmap* Bitmap)
{
    if (!Canvas || !Bitmap || Bitmap->Empty())
        return;
    const TCopyMode mode = Canvas->CopyMode();
    Canvas->SetCopyMode(cmSrcCopy);
    Canvas->StretchImage(Rect, Bitmap->Image(), TRect(0, 0, Bitmap->Width(), Bitmap->Height()));
    Canvas->SetCopyMode(mode);
}

TSize DrawSystemIcon(TCanvas* Canvas, Integer X, Integer Y, double Scale, bool Printing, bool Draw, bool Large,
                     const QString& Path)
{
    const Integer size = Large ? 32 : 16;
    if (!Canvas || !Draw)
        return {size, size};
    // A whole number names one of the desktop's stock icons; any other path
    // shows the icon of its file, or of its kind when it does not exist.
    QAbstractFileIconProvider provider;
    QIcon icon;
    Integer index = 0;
    if (minihtml::ReadInteger(Path, index)) {
        if (index >= QAbstractFileIconProvider::Computer && index <= QAbstractFileIconProvider::File)
            icon = provider.icon(QAbstractFileIconProvider::IconType(index));
    } else if (!Path.isEmpty()) {
        icon = provider.icon(QFileInfo(Path));
    }
    if (icon.isNull())
        return {size, size};
    const QImage image = icon.pixmap(size, size).toImage();
    if (image.isNull())
        return {size, size};
    TRect dest = Bounds(X, Y, size, size);
    if (Printing)
        dest = TRect(X, Y, X + Integer(std::lround(size * Scale)), Y + Integer(std::lround(size * Scale)));
    Canvas->StretchImage(dest, image, TRect(0, 0, image.width(), image.height()));
    return {size, size};
}

// ---------------------------------------------------------------- tag handlers

namespace {

// The tag's text from character From (0-based) up to the character before
// its first ">", or to the end when it has none.
QString TagText(const QString& text, qsizetype from)
{
    const qsizetype gt = text.indexOf(QLatin1Char('>'));
    if (gt < 0)
        return text.mid(from);
    return gt > from ? text.mid(from, gt - from) : QString();
}

// The value written after the first Letter (either case): the quoted value
// when quotes follow, else the rest after an "=".
QString ValueAfterLetter(const QString& tag, QChar letter)
{
    const qsizetype i = tag.indexOf(letter, 0, Qt::CaseInsensitive);
    if (i < 0)
        return {};
    const QString rest = tag.mid(i + 1);
    if (rest.count(QLatin1Char('"')) >= 2)
        return QuotedValueFrom(rest, 0);
    QString v = rest.trimmed();
    if (v.startsWith(QLatin1Char('=')))
        v = v.mid(1);
    return v.trimmed();
}

TColor MarkupColor(const QString& value)
{
    if (value.startsWith(QLatin1Char('#')))
        return HTMLHexToColor(value);
    return HTMLColorByName(value.toLower());
}

void SetStyle(TCanvas* c, TFontStyle style, bool on)
{
    const TFontStyles s = c->Font()->Style();
    c->Font()->SetStyle(on ? s | style : s - style);
}

Integer GhHeight(TCanvas* c)
{
    return c->TextHeight(QStringLiteral("gh"));
}

// The picture an image source names: a container's picture for a plain
// name, a cached picture (loaded now when it is new) for an address.
THTMLPicture* FindMarkupPicture(TCallState& s, const QString& source)
{
    const TMiniHTMLRequest& req = *s.Req;
    THTMLPicture* picture = nullptr;
    if (!source.contains(QLatin1Char(':')) && req.PictureContainer)
        picture = req.PictureContainer->FindPicture(source);
    if (source.contains(QLatin1String("://")) && req.PictureCache) {
        if (!req.PictureCache->FindPicture(source)) {
            THTMLPicture* added = req.PictureCache->AddPicture();
            added->SetAsynch(false);
            added->LoadFromURL(source);
        }
        picture = req.PictureCache->FindPicture(source);
    }
    return picture;
}

bool Usable(const THTMLPicture* p)
{
    return p && !p->Empty() && p->Width() > 0 && p->Height() > 0;
}

// Tiles a picture over the rectangle from its top-left corner.
void TilePicture(TCanvas* c, const TRect& r, THTMLPicture* picture)
{
    TBitmap tile;
    tile.SetPixelFormat(pf32bit);
    tile.SetImage(picture->ToImage());
    TBrush* brush = c->Brush();
    const TPoint origin = c->BrushOrg();
    c->SetBrushOrg(r.TopLeft());
    brush->SetBitmap(&tile);
    c->FillRect(r);
    brush->SetBitmap(nullptr);
    c->SetBrushOrg(origin);
}

void Body(TCallState& s, TLineState& ln, const QString& text)
{
    if (ln.Measuring)
        return;
    TCanvas* c = s.Canvas;
    const QString tag = TagText(text, 5);
    const QString upper = UpperCase(tag);
    QString value;
    if (FindAttribute(upper, tag, QStringLiteral("BACKGROUND"), value)) {
        THTMLPicture* picture = FindMarkupPicture(s, value);
        if (Usable(picture))
            TilePicture(c, s.LayoutRect, picture);
    }
    if (FindAttribute(upper, upper, QStringLiteral("BGCOLOR"), value)) {
        if (value.contains(QLatin1String("CL")))
            c->Brush()->SetColor(HTMLColorByName(value.toLower()));
        if (value.contains(QLatin1Char('#')))
            c->Brush()->SetColor(HTMLHexToColor(value));
        s.FontBackground = BrushColorOrNone(c);
        const TColor pen = c->Pen()->Color();
        c->Pen()->SetColor(c->Brush()->Color());
        c->Rectangle(s.LayoutRect);
        c->Pen()->SetColor(pen);
    }
}

void Font(TCallState& s, TLineState& ln, const QString& text)
{
    if (!text.contains(QLatin1Char('>')))
        return;
    TCanvas* c = s.Canvas;
    const bool drawing = !ln.Measuring;
    const QString tag = TagText(text, 5);
    const QString upper = UpperCase(tag);
    QString value;
    if (FindAttribute(upper, tag, QStringLiteral("FACE"), value) && !value.isEmpty())
        c->Font()->SetName(value);
    if (!s.Req->KeepColors && FindAttribute(upper, upper, QStringLiteral(" COLOR"), value))
        c->Font()->SetColor(MarkupColor(value));
    if (drawing && !s.Req->KeepColors && FindAttribute(upper, upper, QStringLiteral("BGCOLOR"), value)) {
        s.FontBackground = BrushColorOrNone(c);
        if (!value.isEmpty())
            c->Brush()->SetColor(MarkupColor(value));
    }
    const qsizetype size = upper.indexOf(QLatin1String("SIZE"));
    if (size >= 0) {
        QString rest = upper.mid(size + 4);
        const qsizetype eq = rest.indexOf(QLatin1Char('='));
        if (eq >= 0)
            rest = rest.mid(eq + 1);
        const qsizetype quote = rest.indexOf(QLatin1Char('"'));
        if (quote >= 0)
            rest = rest.mid(quote + 1);
        const Integer n = LeadingInteger(rest);
        static constexpr Integer HtmlSizes[] = {8, 10, 12, 14, 16};
        const Integer points = n >= 1 && n <= 5 ? HtmlSizes[n - 1] : std::clamp(n, -MaxFontSize, MaxFontSize);
        c->Font()->SetSize(points);
    }
}

void CloseFont(TCallState& s, TLineState& ln)
{
    TCanvas* c = s.Canvas;
    c->Font()->SetName(s.DefaultFont->Name());
    c->Font()->SetHeight(s.DefaultFont->Height());
    if (!ln.Measuring && !s.Req->KeepColors) {
        c->Font()->SetColor(s.DefaultFont->Color());
        SetBrushColorOrClear(c, s.FontBackground);
    }
}

void Highlight(TCallState& s, TLineState& ln)
{
    if (ln.Measuring)
        return;
    TCanvas* c = s.Canvas;
    s.HighlightKeptText = c->Font()->Color();
    s.HighlightKeptBrush = BrushColorOrNone(c);
    c->Brush()->SetColor(MiniHTMLHighlightBackground());
    c->Font()->SetColor(MiniHTMLHighlightTextColor());
}

void CloseHighlight(TCallState& s, TLineState& ln)
{
    if (ln.Measuring)
        return;
    s.Canvas->Font()->SetColor(s.HighlightKeptText);
    SetBrushColorOrClear(s.Canvas, s.HighlightKeptBrush);
}

void Rule(TCallState& s, TLineState& ln)
{
    ln.LineEnd = true;
    if (ln.Measuring)
        return;
    TCanvas* c = s.Canvas;
    const TColor pen = c->Pen()->Color();
    c->Pen()->SetColor(RGB(0, 0, 0));
    c->MoveTo(ln.A, ln.TextRect.Bottom + 1);
    c->LineTo(ln.C, ln.TextRect.Bottom + 1);
    c->Pen()->SetColor(pen);
}

void IndentPosition(TCallState& s, TLineState& ln, const QString& text)
{
    Integer n = 0;
    if (!ReadInteger(ValueAfterLetter(TagText(text, 2), QLatin1Char('x')), n))
        return;
    n = ClampSize(n);
    if (ln.RunningWidth < n) {
        ln.RunningWidth = n;
        ln.TextRect.Left = s.LayoutRect.Left + n;
    }
}

// Hit test and fit of an image or control of the laid-out size.
void PlaceBox(TCallState& s, TLineState& ln, Integer width, Integer height, bool fits)
{
    if (fits) {
        // A blank before an image or control is no trailing blank.
        ln.TrailingBlankWidth = 0;
        ln.RunningWidth += width;
        ln.TextRect.Left += width;
        ln.LineHeight = std::max(ln.LineHeight, height);
    } else {
        ln.LineFull = true;
    }
}

bool BoxFits(const TLineState& ln, Integer width)
{
    return !(ln.RunningWidth + width > ln.C - ln.A && width < ln.C - ln.A);
}

void Image(TCallState& s, TLineState& ln, const QString& text)
{
    const TMiniHTMLRequest& req = *s.Req;
    TCanvas* c = s.Canvas;
    const bool drawing = !ln.Measuring;
    ++s.ImageCounter;
    // Names are matched in upper case; the values keep their case, so that
    // file paths still name their files.
    const QString tag = TagText(text, 2);
    const QString upper = UpperCase(tag);
    QString source;
    FindAttribute(upper, tag, QStringLiteral("SRC"), source);
    QString alt;
    if (FindAttribute(upper, tag, QStringLiteral("ALT"), alt) && s.HoveredImage == s.ImageCounter)
        source = alt;
    QString value;
    const Integer width = FindAttribute(upper, tag, QStringLiteral("WIDTH"), value) ? ClampSize(LeadingInteger(value)) : 0;
    const Integer height = FindAttribute(upper, tag, QStringLiteral("HEIGHT"), value) ? ClampSize(LeadingInteger(value)) : 0;
    s.ControlWidth = s.ControlLayoutHeight = 0;
    const QString upperSource = UpperCase(source);
    const Integer left = ln.TextRect.Left;
    const Integer top = ln.TextRect.Top;

    if (upperSource.contains(QLatin1String("IDX:"))) {
        const Integer index = LeadingInteger(source.mid(4));
        TCustomImageList* images = req.Images;
        if (images && index >= 0 && index < images->Count()) {
            s.ControlWidth = MulDiv(images->Width(), ScreenPixelsPerInch, 96);
            s.ControlLayoutHeight = MulDiv(images->Height(), ScreenPixelsPerInch, 96);
            if (drawing && !req.Printing) {
                images->Draw(c, left, top, index, true);
            } else if (drawing) {
                TBitmap bitmap;
                images->GetBitmap(index, &bitmap);
                StretchBitmapToRect(c, TRect(left, top, left + Integer(std::lround(images->Width() * req.PrintScale)),
                                             top + Integer(std::lround(images->Height() * req.PrintScale))),
                                    &bitmap);
            }
        }
    } else if (upperSource.contains(QLatin1String("SSYS:")) || upperSource.contains(QLatin1String("LSYS:"))) {
        const bool large = upperSource.contains(QLatin1String("LSYS:"));
        const TSize size = DrawSystemIcon(c, left, top, req.PrintScale, req.Printing, drawing, large, source.mid(5));
        s.ControlWidth = MulDiv(size.cx, ScreenPixelsPerInch, 96);
        s.ControlLayoutHeight = MulDiv(size.cy, ScreenPixelsPerInch, 96);
    } else if (THTMLPicture* picture = FindMarkupPicture(s, source); Usable(picture)) {
        Integer w = picture->Width();
        Integer h = picture->Height();
        if (width > 0 && height > 0) {
            w = width;
            h = height;
        } else if (width > 0) {
            w = width;
            h = ClampSize(Integer(std::lround(double(picture->Height()) * width / picture->Width())));
        } else if (height > 0) {
            w = ClampSize(Integer(std::lround(double(picture->Width()) * height / picture->Height())));
            h = height;
        }
        const bool sized = width > 0 || height > 0;
        if (drawing && sized) {
            picture->SetStretch(true);
            c->StretchDraw(TRect(left, top, left + w, top + h), picture);
        } else if (drawing) {
            if (picture->FrameCount() > 1) {
                // An animation's frames cover parts of its area: clear the
                // whole area before the current frame.
                const TColor pen = c->Pen()->Color();
                const TColor brush = BrushColorOrNone(c);
                c->Pen()->SetColor(s.StartBrushColor);
                c->Brush()->SetColor(s.StartBrushColor);
                c->Rectangle(left, top, left + picture->MaxWidth(), top + picture->MaxHeight());
                c->Pen()->SetColor(pen);
                SetBrushColorOrClear(c, brush);
            }
            c->Draw(left + picture->FrameXPos(), top + picture->FrameYPos(), picture);
        }
        s.ControlWidth = MulDiv(sized ? w : picture->MaxWidth(), ScreenPixelsPerInch, 96);
        s.ControlLayoutHeight = MulDiv(sized ? h : picture->MaxHeight(), ScreenPixelsPerInch, 96);
    }

    const Integer iw = s.ControlWidth;
    const Integer ih = s.ControlLayoutHeight;
    const Integer x = req.PointX - ln.A;
    if (ln.RunningWidth < x && x < ln.RunningWidth + iw && top < req.PointY && req.PointY < top + ih && s.InAnchor) {
        ln.ImageOrControlHit = true;
        s.Res->AnchorUnderPoint = s.AnchorRef;
        s.Res->AnchorTitle = s.AnchorTitle;
        s.HoveredImage = s.ImageCounter;
    }
    PlaceBox(s, ln, iw, ih, BoxFits(ln, iw));

    if (upper.contains(QLatin1String("ALIGN"))) {
        if (upper.contains(QLatin1String("\"TOP")))
            ln.Raise = ln.LineHeight - GhHeight(c);
        else if (upper.contains(QLatin1String("\"MIDDLE")))
            ln.Raise = (ln.LineHeight - GhHeight(c)) / 2;
    }
}

void ListItem(TCallState& s, TLineState& ln)
{
    if (ln.OneListItem) {
        ln.LineFull = true;
        return;
    }
    ln.OneListItem = true;
    ln.RunningWidth += s.ListLevel * 12;
    ln.TextRect.Left += (s.ListLevel - 1) * 12;
    if (!ln.Measuring) {
        // The bullet of odd levels, a ring on even ones.
        TRect r = ln.TextRect;
        DrawText(s.Canvas, s.ListLevel % 2 != 0 ? QStringLiteral("\u2022") : QStringLiteral("o"), r, 0);
    }
    ln.TextRect.Left += 12;
}

void Paragraph(TCallState& s, TLineState& ln, const QString& text)
{
    if (!text.contains(QLatin1Char('>')))
        return;
    TCanvas* c = s.Canvas;
    const QString upper = UpperCase(TagText(text, 2));
    QString value;
    if (FindAttribute(upper, upper, QStringLiteral("ALIGN"), value)) {
        if (value.contains(QLatin1String("RIGHT")))
            s.Alignment = taRightAlign;
        if (value.contains(QLatin1String("LEFT")))
            s.Alignment = taLeftAlign;
        if (value.contains(QLatin1String("CENTER")))
            s.Alignment = taCenterAlign;
    }
    if (FindAttribute(upper, upper, QStringLiteral("INDENT"), value))
        s.Indent = ClampSize(LeadingInteger(value));
    if (FindAttribute(upper, upper, QStringLiteral("BGCOLOR"), value) && !ln.Measuring && !s.Req->KeepColors) {
        const TColor color = value.isEmpty() ? clNone : MarkupColor(value);
        s.ParBackground = true;
        s.ParColor = BrushColorOrNone(c);
        SetBrushColorOrClear(c, color);
        const TColor pen = c->Pen()->Color();
        c->Pen()->SetColor(color);
        if (color != clNone)
            c->Rectangle(s.LayoutRect.Left, ln.B, s.LayoutRect.Right, ln.D);
        c->Pen()->SetColor(pen);
    }
}

void CloseParagraph(TCallState& s, TLineState& ln)
{
    ln.LineEnd = true;
    if (ln.Measuring || !s.ParBackground)
        return;
    SetBrushColorOrClear(s.Canvas, s.ParColor);
    s.ParBackground = false;
}

// The rotated font stays on the canvas until the closing tag; rotations do
// not nest, so one remembered orientation suffices.
void SelectRotatedFont(TCallState& s, Integer angle)
{
    TFont* f = s.Canvas->Font();
    s.RotationKept = f->Orientation();
    s.Rotated = true;
    f->SetOrientation(Integer(std::clamp<Int64>(Int64(angle) * 10, -36000, 36000)));
}

void RestoreRotatedFont(TCallState& s)
{
    if (!s.Rotated)
        return;
    s.Canvas->Font()->SetOrientation(s.RotationKept);
    s.Rotated = false;
}

// ---- embedded controls

// A control's part through the theme when the call is themed, else as the
// platform's frame control.
void DrawControlPart(TCallState& s, const TRect& whole, const char* themeClass, Integer part, Integer themeState,
                     Cardinal kind, Cardinal frameState)
{
    // Sizes come from the text: a box far larger than the canvas is drawn
    // only as far as it can show (and a little beyond, so that its edges
    // stay off the canvas), or the theme would paint all of it.
    TRect box = whole;
    TRect clip = s.Canvas->ClipRect();
    if (clip.Right > clip.Left && clip.Bottom > clip.Top) {
        InflateRect(clip, 16, 16);
        box.Left = std::max(box.Left, clip.Left);
        box.Top = std::max(box.Top, clip.Top);
        box.Right = std::min(box.Right, clip.Right);
        box.Bottom = std::min(box.Bottom, clip.Bottom);
        if (box.Right <= box.Left || box.Bottom <= box.Top)
            return;
    }
    TThemeServices& ts = ExXPVS();
    if (s.Themed && ts.OpenThemeData && ts.DrawThemeBackground && ts.CloseThemeData) {
        if (HTHEME theme = ts.OpenThemeData(s.Req->Window, QString::fromLatin1(themeClass))) {
            ts.DrawThemeBackground(theme, s.Canvas, part, themeState, &box, nullptr);
            ts.CloseThemeData(theme);
            return;
        }
    }
    TRect r = box;
    DrawFrameControl(s.Canvas, r, kind, frameState);
}

void Control(TCallState& s, TLineState& ln, const QString& text)
{
    const TMiniHTMLRequest& req = *s.Req;
    TCanvas* c = s.Canvas;
    const TControlTagAttrs a = ParseControlTag(TagText(text, 8));
    s.ControlHeight = 25;
    if (!a.Height.isEmpty()) {
        Integer h = 0;
        s.ControlHeight = ReadInteger(a.Height, h) ? ClampSize(h) : 25;
    }
    if (a.Width.isEmpty())
        return;
    // A width that is no whole number counts by its leading digits, for the
    // layout as for the drawing.
    const Integer w = ClampSize(LeadingInteger(a.Width));
    s.ControlWidth = w;
    s.ControlLayoutHeight = GhHeight(c) + 10;
    const bool check = a.Type == QLatin1String("CHECK");
    const bool radio = a.Type == QLatin1String("RADIO");
    ln.LineHeight = check || radio ? 16 : 23;
    if (s.ControlHeight > 25)
        ln.LineHeight = s.ControlHeight - 2;

    if (!ln.Measuring) {
        const Integer left = ln.TextRect.Left;
        const Integer bottom = ln.TextRect.Bottom;
        const bool on = UpperCase(a.Value) == QLatin1String("TRUE");
        const TColor penColor = c->Pen()->Color();
        c->Pen()->SetColor(s.Themed ? RGB(127, 157, 185) : RGB(128, 128, 128));
        const bool hot = left - 2 < req.PointX && req.PointX < s.ControlWidth + left - 2
                         && bottom - s.ControlLayoutHeight - 2 < req.PointY && req.PointY < bottom - 2;
        const Cardinal valueFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        if (a.Type == QLatin1String("EDIT") || a.Type == QLatin1String("PASSWORD") || a.Type == QLatin1String("MASK")
            || a.Type == QLatin1String("COMBO")) {
            const TColor brush = BrushColorOrNone(c);
            c->Brush()->SetColor(RGB(255, 255, 255));
            c->Rectangle(left, bottom - ln.LineHeight + 4, left + w, bottom + 2);
            c->Brush()->SetStyle(bsClear);
            const bool combo = a.Type == QLatin1String("COMBO");
            TRect r = combo ? TRect(left + 4, bottom - ln.LineHeight + 4, left + w - 18, bottom)
                            : TRect(left + 2, bottom - ln.LineHeight + 4, left + w, bottom);
            const QString shown = a.Type == QLatin1String("PASSWORD") ? QString(a.Value.size(), QLatin1Char('*')) : a.Value;
            DrawText(c, shown, r, valueFormat);
            if (combo) {
                const TRect button(left + w - 18, bottom - ln.LineHeight + 5, left + w - 1, bottom + 1);
                DrawControlPart(s, button, "combobox", CP_DROPDOWNBUTTON, hot ? CBXS_HOT : CBXS_NORMAL, DFC_SCROLL,
                                DFCS_SCROLLCOMBOBOX);
            }
            SetBrushColorOrClear(c, brush);
        } else if (check || radio) {
            s.ControlWidth = s.ControlLayoutHeight = 16;
            const TColor brush = BrushColorOrNone(c);
            c->Brush()->SetStyle(bsClear);
            const TRect box = check ? TRect(left + 2, bottom - 15, left + 15, bottom) : TRect(left + 2, bottom - 14, left + 14, bottom);
            DrawControlPart(s, box, "button", check ? BP_CHECKBOX : BP_RADIOBUTTON, on ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL,
                            DFC_BUTTON, (check ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO) | (on ? DFCS_CHECKED : 0));
            SetBrushColorOrClear(c, brush);
        } else if (a.Type == QLatin1String("BUTTON")) {
            s.ControlLayoutHeight = 24;
            const TColor brush = BrushColorOrNone(c);
            c->Brush()->SetStyle(bsClear);
            TRect box(left + 2, bottom - s.ControlHeight, left + w - 2, bottom);
            DrawControlPart(s, box, "button", BP_PUSHBUTTON, req.ButtonDown ? PBS_PRESSED : hot ? PBS_HOT : PBS_NORMAL, DFC_BUTTON,
                            DFCS_BUTTONPUSH | (hot && req.ButtonDown ? DFCS_PUSHED : 0));
            InflateRect(box, -2, -2);
            DrawText(c, a.Value, box, DT_CENTER | valueFormat);
            SetBrushColorOrClear(c, brush);
        }
        c->Pen()->SetColor(penColor);
    }

    if (a.Type == QLatin1String("BUTTON") || a.Type == QLatin1String("COMBO"))
        s.ControlLayoutHeight = 25;
    if (check || radio)
        s.ControlWidth = s.ControlLayoutHeight = 16;

    const Integer cw = s.ControlWidth;
    const Integer ch = s.ControlLayoutHeight;
    const Integer x = req.PointX - ln.A;
    const Integer top = ln.TextRect.Top;
    const bool pointOn = ln.RunningWidth < x && x < ln.RunningWidth + cw && top < req.PointY && req.PointY < top + ch;
    const bool asked = req.TestAgain && !a.ID.isEmpty() && a.ID == s.Res->ControlID;
    if (pointOn || asked) {
        ln.ImageOrControlHit = true;
        s.Res->AnchorUnderPoint = QStringLiteral("ctrl");
        s.Res->ControlRect = TRect(ln.A + ln.RunningWidth, top, ln.A + ln.RunningWidth + cw, top + ch);
        s.Res->ControlValue = a.Value;
        s.Res->ControlID = a.ID;
        s.Res->ControlType = a.Type;
    }
    PlaceBox(s, ln, cw, ch, BoxFits(ln, cw));
}

} // namespace

namespace minihtml {

void HandleTag(TCallState& s, TLineState& ln, const QString& text, bool closing, QChar name)
{
    TCanvas* c = s.Canvas;
    const bool drawing = !ln.Measuring;
    auto upperAt = [&](qsizetype i) { return i < text.size() ? text[i].toUpper() : QChar(); };

    if (closing) {
        switch (name.unicode()) {
        case 'A': CloseAnchor(s, ln); break;
        case 'B':
            if (text.size() > 3 && text[3] == QLatin1Char('>'))
                SetStyle(c, fsBold, false);
            else
                c->Font()->SetColor(s.DefaultFont->Color());
            break;
        case 'E':
            if (drawing)
                s.ErrorMark = false;
            break;
        case 'F': CloseFont(s, ln); break;
        case 'H': CloseHighlight(s, ln); break;
        case 'I': SetStyle(c, fsItalic, false); break;
        case 'L': ln.LineEnd = true; break;
        case 'P': CloseParagraph(s, ln); break;
        case 'R': RestoreRotatedFont(s); break;
        case 'S':
            if (upperAt(3) == QLatin1Char('U')) {
                ln.Subscript = ln.Superscript = false;
            } else if (upperAt(3) == QLatin1Char('H')) {
                s.Shadow = false;
            } else {
                SetStyle(c, fsStrikeOut, false);
            }
            break;
        case 'U':
            if (upperAt(3) == QLatin1Char('>') || s.ListLevel <= 0)
                SetStyle(c, fsUnderline, false);
            else
                --s.ListLevel;
            break;
        case 'Z': s.Hidden = false; break;
        default: break;
        }
        return;
    }

    const QChar third = upperAt(2);
    switch (name.unicode()) {
    case 'A': OpenAnchor(s, ln, text); break;
    case 'B':
        if (third == QLatin1Char('>')) {
            SetStyle(c, fsBold, true);
        } else if (third == QLatin1Char('R')) {
            ln.LineEnd = true;
            s.Res->PlainText += QLatin1Char('\r');
        } else if (third == QLatin1Char('L')) {
            if (!s.Req->BlinkOn)
                c->Font()->SetColor(s.StartBrushColor);
        } else if (third == QLatin1Char('O')) {
            Body(s, ln, text);
        }
        break;
    case 'C': Control(s, ln, text); break;
    case 'E':
        if (drawing)
            s.ErrorMark = true;
        break;
    case 'F': Font(s, ln, text); break;
    case 'H':
        if (third == QLatin1Char('I'))
            Highlight(s, ln);
        else if (third == QLatin1Char('R'))
            Rule(s, ln);
        break;
    case 'I':
        if (third == QLatin1Char('>'))
            SetStyle(c, fsItalic, true);
        else if (third == QLatin1Char('N'))
            IndentPosition(s, ln, text);
        else if (third == QLatin1Char('M'))
            Image(s, ln, text);
        break;
    case 'L': ListItem(s, ln); break;
    case 'P': Paragraph(s, ln, text); break;
    case 'R': SelectRotatedFont(s, LeadingInteger(ValueAfterLetter(TagText(text, 2), QLatin1Char('a')))); break;
    case 'S':
        if (third == QLatin1Char('>'))
            SetStyle(c, fsStrikeOut, true);
        else if (third == QLatin1Char('H'))
            s.Shadow = true;
        else if (text.startsWith(QLatin1String("<SUB>"), Qt::CaseInsensitive))
            ln.Subscript = true;
        else if (text.startsWith(QLatin1String("<SUP>"), Qt::CaseInsensitive))
            ln.Superscript = true;
        break;
    case 'U':
        if (third == QLatin1Char('>')) {
            SetStyle(c, fsUnderline, true);
        } else {
            ++s.ListLevel;
            ln.LineEnd = true;
        }
        break;
    case 'Z': s.Hidden = true; break;
    default: break;
    }
}

} // namespace minihtml
