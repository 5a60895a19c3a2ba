// The rich edit and its RTF reader and writer: what the writer produces
// reads back to the same text and formats, foreign RTF with the usual
// destinations and escapes reads to its text, broken RTF never fails, and
// the edit measures, renders and takes typed text.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "Screenshot.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/RichEdit.h"
#include "platform/RichTextRtf.h"
#include "platform/TestHooks.h"

namespace {

// The document's characters as they are (line separators kept), paragraphs
// ending in a line feed.
QString Raw(const QTextDocument& doc)
{
    return doc.toRawText().replace(QChar(0x2029), QLatin1Char('\n'));
}

// The document's text runs: text, bold, italic, underline, size, colour, offset.
struct TRun {
    QString Text;
    bool Bold, Italic, Underline;
    int HalfPoints;
    QRgb Color;
    int Offset;
    bool operator==(const TRun&) const = default;
};

std::vector<TRun> Runs(const QTextDocument& doc)
{
    std::vector<TRun> runs;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b != doc.begin())
            runs.push_back({QStringLiteral("\n"), false, false, false, 0, 0, 0});
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            runs.push_back({it.fragment().text(), f.fontWeight() > QFont::Normal, f.fontItalic(), f.fontUnderline(),
                            int(f.fontPointSize() * 2), f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().rgb() : 0,
                            RtfCharOffset(f)});
        }
    }
    return runs;
}

QTextCharFormat Fmt(bool bold, int halfPoints, QColor color = {}, int offset = 0, bool italic = false)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{QStringLiteral("DejaVu Sans")});
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(italic);
    f.setFontPointSize(halfPoints / 2.0);
    if (color.isValid())
        f.setForeground(color);
    SetRtfCharOffset(f, offset);
    return f;
}

} // namespace

TEST(RichTextRtf, WrittenTextReadsBackUnchanged)
{
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("H"), Fmt(false, 20));
    c.insertText(QStringLiteral("2"), Fmt(false, 20, {}, -40));
    c.insertText(QStringLiteral("O {braces} \\ back"), Fmt(true, 20, QColor(200, 0, 0)));
    c.insertText(QStringLiteral("x"), Fmt(false, 16, {}, 40, true));
    QTextBlockFormat centre;
    centre.setAlignment(Qt::AlignHCenter);
    c.insertBlock(centre);
    c.insertText(QStringLiteral("\u00e9t\u00e9 \u20ac\u4e2d\ttab\u2028line"), Fmt(false, 24, QColor(0, 0, 255)));
    c.insertBlock();  // an empty last paragraph

    const QString rtf = WriteRtf(doc);
    // Seven-bit source: every other character travels as \uN.
    for (QChar ch : rtf)
        ASSERT_LT(ch.unicode(), 128) << rtf.toStdString();
    EXPECT_TRUE(IsRtfText(rtf));

    QTextDocument back;
    back.setDefaultFont(doc.defaultFont());
    ASSERT_TRUE(ReadRtf(rtf, back));
    EXPECT_EQ(Raw(back), Raw(doc));
    EXPECT_EQ(Runs(back), Runs(doc));
    EXPECT_EQ(back.begin().next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(back.blockCount(), 3);
    // A second round gives the same source.
    EXPECT_EQ(WriteRtf(back), rtf);
}

TEST(RichTextRtf, ForeignSourceReadsToItsTextAndFormats)
{
    struct TCase {
        const char* Rtf;
        const char* Text;
    };
    const TCase cases[] = {
        // Destinations skipped with their content, \* groups too.
        {R"({\rtf1\ansi{\fonttbl{\f0\fswiss Arial;}}{\*\generator Foo;}{\stylesheet{\s0 Normal;}}{\info{\title T}}Hello}\n)", "Hello"},
        // Windows-1252 escapes and \u with its fallback character.
        {R"({\rtf1 caf\'e9 \'80 \u8364?x\uc2\u20013??y})", "caf\u00e9 \u20ac \u20acx\u4e2dy"},
        // Escaped braces and backslash, \~, quotes and dashes.
        {R"({\rtf1 a\{b\}c\\d\~e\lquote f\rquote\emdash})", "a{b}c\\d\u00a0e\u2018f\u2019\u2014"},
        // Paragraphs and line breaks; raw line ends are no text.
        {"{\\rtf1 one\\par\r\ntwo\\line three}", "one\ntwo\u2028three"},
        // Binary data inside a skipped picture never opens a group.
        {R"({\rtf1 A{\pict\bin2 {}}B})", "AB"},
    };
    for (const TCase& t : cases) {
        QTextDocument doc;
        ASSERT_TRUE(ReadRtf(QString::fromUtf8(t.Rtf), doc)) << t.Rtf;
        EXPECT_EQ(Raw(doc), QString::fromUtf8(t.Text)) << t.Rtf;
    }

    QTextDocument doc;
    ReadRtf(QStringLiteral(R"({\rtf1{\fonttbl{\f1 Courier New;}}{\colortbl;\red255\green0\blue0;}\f1\fs30\cf1\b bold\b0 \super up\nosupersub\dn6 down})"), doc);
    const std::vector<TRun> runs = Runs(doc);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0], (TRun{QStringLiteral("bold"), true, false, false, 30, qRgb(255, 0, 0), 0}));
    EXPECT_EQ(runs[1].Offset, 40);
    EXPECT_EQ(runs[2].Offset, -60);
    EXPECT_EQ(doc.begin().begin().fragment().charFormat().fontFamilies().toStringList().value(0), QStringLiteral("Courier New"));
}

TEST(RichTextRtf, BrokenSourceIsReadAsFarAsItGoes)
{
    const char* const broken[] = {
        "{\\rtf1 open group {\\b never closed",
        "{\\rtf1 }}}} closes too often",
        "{\\rtf1 \\'zz bad hex \\u99999999999999 huge \\fs-5 \\",
        "{\\rtf1 \\uc5\\u65",
    };
    for (const char* b : broken) {
        QTextDocument doc;
        EXPECT_TRUE(ReadRtf(QString::fromLatin1(b), doc)) << b;
    }
    QTextDocument doc;
    ReadRtf(QStringLiteral("{\\rtf1 open group {\\b never closed"), doc);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("open group never closed"));
    // Nesting far deeper than any real text stays bounded and balanced.
    QString deep = QStringLiteral("{\\rtf1 ") + QString(20000, u'{') + QStringLiteral("x") + QString(20000, u'}') +
                   QStringLiteral("y}");
    ReadRtf(deep, doc);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("xy"));
    // Plain text is no RTF.
    EXPECT_FALSE(ReadRtf(QStringLiteral("plain"), doc));
    EXPECT_TRUE(doc.isEmpty());
}

TEST(RichEdit, SelectionAttributesAndOffsetsTravelThroughTheSource)
{
    TRichEdit edit(nullptr);
    edit.Font()->SetName(QStringLiteral("DejaVu Sans"));
    edit.Font()->SetSize(10);
    edit.SetText(QStringLiteral("H2O m2"));
    edit.SetSelStart(1);
    edit.SetSelLength(1);
    edit.SelAttributes()->SetOffset(-40);
    edit.SetSelStart(5);
    edit.SetSelLength(1);
    edit.SelAttributes()->SetOffset(40);
    edit.SelAttributes()->SetStyle(TFontStyles{fsBold});
    edit.SelAttributes()->SetColor(clRed);

    TRichEdit back(nullptr);
    back.SetRichText(edit.RichText());
    EXPECT_EQ(back.Text(), QStringLiteral("H2O m2"));
    back.SetSelStart(1);
    back.SetSelLength(1);
    EXPECT_EQ(back.SelAttributes()->Offset(), -40);
    back.SetSelStart(5);
    back.SetSelLength(1);
    EXPECT_EQ(back.SelAttributes()->Offset(), 40);
    EXPECT_TRUE(back.SelAttributes()->Style().Contains(fsBold));
    EXPECT_EQ(back.SelAttributes()->Color(), clRed);
    EXPECT_EQ(back.SelAttributes()->Name(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(back.SelAttributes()->Size(), 10);
    back.SetSelStart(0);
    back.SetSelLength(1);
    EXPECT_EQ(back.SelAttributes()->Offset(), 0);
    // A text that is no RTF loads as plain text; lines end in CR LF.
    back.SetRichText(QStringLiteral("one\r\ntwo"));
    EXPECT_EQ(back.Text(), QStringLiteral("one\r\ntwo"));
}

TEST(RichEdit, RequestsTheSizeItsContentNeedsAndRenders)
{
    struct TSized : TRichEdit {
        using TRichEdit::TRichEdit;
        TRect Last;
        void Dispatch(TMessage& M) override
        {
            if (M.Msg == CN_NOTIFY)
                if (auto* h = reinterpret_cast<const TNMHdr*>(M.LParam); h->code == EN_REQUESTRESIZE)
                    Last = reinterpret_cast<const TReqSize*>(M.LParam)->rc;
            TRichEdit::Dispatch(M);
        }
    } edit(nullptr);
    edit.Font()->SetName(QStringLiteral("DejaVu Sans"));
    edit.Font()->SetSize(10);
    edit.SetBounds(0, 0, 300, 40);
    edit.SetWordWrap(false);
    edit.SetText(QStringLiteral("one line"));
    const TRect one = edit.Last;
    EXPECT_GT(one.Width(), 20);
    EXPECT_GT(one.Height(), 8);
    edit.SetText(QStringLiteral("one line\r\nanother line that is longer"));
    EXPECT_GT(edit.Last.Height(), one.Height() + 8);
    EXPECT_GT(edit.Last.Width(), one.Width());
    EXPECT_EQ(edit.LineCount(), 2);

    // Rendered into a rectangle of a bitmap, clipped to it.
    TBitmap bmp;
    bmp.SetSize(200, 60);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect({0, 0, 200, 60});
    edit.SetRichText(QStringLiteral(R"({\rtf1{\colortbl;\red255\green0\blue0;}\cf1\fs40 Red})"));
    edit.FormatRange(bmp.Canvas(), {10, 10, 110, 50});
    const QImage img = bmp.ToImage();
    bool red = false, outside = false;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x) {
            const QColor c = img.pixelColor(x, y);
            const bool isRed = c.red() > 150 && c.green() < 100 && c.blue() < 100;
            red = red || isRed;
            outside = outside || (isRed && (x < 10 || x >= 110 || y < 10 || y >= 50));
        }
    EXPECT_TRUE(red);
    EXPECT_FALSE(outside);
}

TEST(RichEdit, TakesTypedTextAndTellsSelectionChanges)
{
    TForm form(nullptr);
    form.SetClientSize(240, 120);
    auto* edit = new TRichEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(10, 10, 220, 100);
    Integer selChanges = 0;
    edit->OnSelectionChange = [&](TObject*) { ++selChanges; };
    form.Show();
    edit->SetFocus();
    TestInput::TypeText(edit, QStringLiteral("abc"));
    EXPECT_EQ(edit->Text(), QStringLiteral("abc"));
    EXPECT_EQ(edit->SelStart(), 3);
    EXPECT_GT(selChanges, 0);
    edit->SetSelStart(1);
    edit->SetSelLength(1);
    edit->SelAttributes()->SetStyle(TFontStyles{fsBold});
    EXPECT_TRUE(IsRtfText(edit->RichText()));
    EXPECT_TRUE(edit->RichText().contains(QLatin1String("\\b b}")));
    testsupport::SaveScreenshot(GrabControl(&form), QStringLiteral("TRichEdit-typed"));
}
