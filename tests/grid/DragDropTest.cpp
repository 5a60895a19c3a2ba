// Cell drag and drop: the data object's formats and blocks, their round trip
// through Qt's mime data and clipboard, the drop target's decisions, Qt drag
// events handed to it, and the drop source's answers.
#include "grid/esgdd.h"

#include "platform/StringList.h"
#include "platform/Streams.h"

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Records what reaches the virtual operations.
class RecordingTarget : public TESGDropTarget {
public:
    QStringList calls;
    QString text;
    QByteArray stream;
    Integer col = -2;
    QStringList files;
    bool allowMove = true;

protected:
    void DropText(TPoint, const QString& S) override { calls << "text"; text = S; }
    void DropStream(TPoint, std::unique_ptr<TMemoryStream> S) override { calls << "stream"; stream = S->Bytes(); }
    void DropCol(TPoint, Integer C) override { calls << "col"; col = C; }
    void DropRTF(TPoint, const QString& S) override { calls << "rtf"; text = S; }
    void DropFiles(TPoint, TStringList* F) override
    {
        calls << "files";
        for (Integer i = 0; i < F->Count(); ++i)
            files << F->Strings(i);
    }
    void DropURL(TPoint, const QString& S) override { calls << "url:" + S; }
    void DragMouseMove(TPoint, bool& Allow, TDropFormats) override { Allow = Allow && allowMove; }
    void DragMouseEnter() override { calls << "enter"; }
    void DragMouseLeave() override { calls << "leave"; }
};

class RecordingSource : public TESGDropSource {
public:
    int finished = 0, queries = 0;
    std::vector<Integer> effects;

protected:
    void DragFinished() override { ++finished; }
    void CurrentEffect(Integer E) override { effects.push_back(E); }
    void QueryDrag() override { ++queries; }
};

// A memory stream holding bytes (the grid's cell stream stands in).
struct Cells : TMemoryStream {
    explicit Cells(const QByteArray& bytes) { WriteBuffer(bytes); }
};

} // namespace

TEST(DragDrop, DropEffects)
{
    struct Case { WPARAM keys; Integer allowed; Integer effect; };
    const Case cases[] = {
        {MK_LBUTTON | MK_CONTROL, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY},
        {MK_LBUTTON, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE},
        {MK_LBUTTON, DROPEFFECT_COPY, DROPEFFECT_COPY},
        {MK_LBUTTON | MK_SHIFT, DROPEFFECT_MOVE, DROPEFFECT_MOVE},
        {MK_CONTROL, DROPEFFECT_MOVE, DROPEFFECT_COPY},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DropEffectFor(c.keys, c.allowed), c.effect) << c.keys << " " << c.allowed;
}

TEST(DragDrop, ColumnDataObjectAndEnumerator)
{
    TSourceDataObject col(QString(), QString(), 4, nullptr);
    const TFormatEtc colFormat{CF_GRIDCOLUMN()};
    ASSERT_NE(CF_GRIDCOLUMN(), 0u);
    EXPECT_EQ(col.QueryGetData(colFormat), S_OK);
    for (Cardinal f : {CF_TEXT, CF_UNICODETEXT, CF_RTF(), CF_GRIDCELLS(), CF_HDROP})
        EXPECT_EQ(col.QueryGetData(TFormatEtc{f}), DV_E_FORMATETC) << f;
    EXPECT_EQ(col.QueryGetData(TFormatEtc{CF_GRIDCOLUMN(), 2}), DV_E_FORMATETC);           // other aspect
    EXPECT_EQ(col.QueryGetData(TFormatEtc{CF_GRIDCOLUMN(), 1, -1, TYMED_ISTREAM}), DV_E_FORMATETC);
    QByteArray block;
    ASSERT_EQ(col.GetData(colFormat, block), S_OK);
    EXPECT_EQ(block, QByteArray("\x04\0\0\0", 4));
    EXPECT_EQ(col.GetData(TFormatEtc{CF_TEXT}, block), DV_E_FORMATETC);
    EXPECT_TRUE(block.isEmpty());

    std::unique_ptr<TSourceEnumFormatEtc> en;
    EXPECT_EQ(col.EnumFormatEtc(DATADIR_SET, en), E_NOTIMPL);
    EXPECT_EQ(en, nullptr);
    ASSERT_EQ(col.EnumFormatEtc(DATADIR_GET, en), S_OK);
    EXPECT_EQ(en->FormatCount(), 4);
    TFormatEtc got[6];
    Integer fetched = 0;
    EXPECT_EQ(en->Next(6, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 4);
    EXPECT_EQ(got[0].cfFormat, CF_TEXT);
    EXPECT_EQ(got[1].cfFormat, CF_UNICODETEXT);
    EXPECT_EQ(got[2].cfFormat, CF_RTF());
    EXPECT_EQ(got[3].cfFormat, CF_GRIDCOLUMN());
    EXPECT_EQ(got[3].lindex, -1);
    EXPECT_EQ(en->Reset(), S_OK);
    EXPECT_EQ(en->Skip(2), S_OK);
    auto clone = en->Clone();
    EXPECT_EQ(clone->Next(1, got, nullptr), S_OK);
    EXPECT_EQ(got[0].cfFormat, CF_RTF());
    EXPECT_EQ(en->Skip(5), S_FALSE);
    EXPECT_EQ(en->Next(1, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0);

    Cells cells("0123456789");
    TSourceDataObject withCells("t", QString(), -1, &cells);
    ASSERT_EQ(withCells.GetData(TFormatEtc{CF_GRIDCELLS()}, block), S_OK);
    EXPECT_EQ(block.size(), 18);
    EXPECT_EQ(block.left(8), QByteArray("\x0a\0\0\0\0\0\0\0", 8));
    EXPECT_EQ(block.mid(8), QByteArray("0123456789"));
    ASSERT_EQ(withCells.EnumFormatEtc(DATADIR_GET, en), S_OK);
    EXPECT_EQ(en->FormatCount(), 4);
    ASSERT_EQ(withCells.GetData(TFormatEtc{CF_UNICODETEXT}, block), S_OK);
    EXPECT_EQ(block, QByteArray("t\0\0\0", 4));
    ASSERT_EQ(withCells.GetData(TFormatEtc{CF_TEXT}, block), S_OK);
    EXPECT_EQ(block, QByteArray("t\0", 2));
}

TEST(DragDrop, TextAndCellsRoundTripThroughMimeDataAndClipboard)
{
    const QString text = QString::fromUtf8("Nome\tValore\r\nPortata\t3,5 m³/h");
    const QByteArray cellBytes("\x01\x02\x00\xFFgrid", 8);
    Cells cells(cellBytes);
    TSourceDataObject data(text, "{\\rtf1 x}", -1, &cells);

    SetOleDropRTFFlag(false);
    std::unique_ptr<QMimeData> mime = data.ToMimeData();
    EXPECT_EQ(mime->text(), text);
    {
        TEnumFormats r(mime.get());
        EXPECT_TRUE(r.HasText());
        EXPECT_EQ(r.Text(), text);
        EXPECT_FALSE(r.HasRTF()); // RTF is offered only while the switch allows it
        EXPECT_FALSE(r.HasCol());
        EXPECT_EQ(r.Col(), -1);
        auto s = r.Stream();
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->Bytes(), cellBytes);
        EXPECT_EQ(s->Position(), 0);
    }

    SetOleDropRTFFlag(true);
    mime = data.ToMimeData();
    {
        TEnumFormats r(mime.get());
        EXPECT_EQ(r.RTF(), QStringLiteral("{\\rtf1 x}"));
    }
    SetOleDropRTFFlag(false);

    // The clipboard carries the same formats.
    QClipboard* clip = QGuiApplication::clipboard();
    clip->setMimeData(data.ToMimeData().release());
    {
        TEnumFormats r(clip->mimeData());
        EXPECT_EQ(r.Text(), text);
        auto s = r.Stream();
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->Bytes(), cellBytes);
    }
    clip->clear();
}

TEST(DragDrop, ForeignRtfAndFileLists)
{
    QTemporaryDir dir;
    const QStringList names = {dir.filePath("a.txt"), dir.filePath("b c.csv"), dir.filePath(QString::fromUtf8("é.xml"))};
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& n : names)
        urls << QUrl::fromLocalFile(n);
    urls << QUrl("https://example.invalid/page");
    mime.setUrls(urls);
    mime.setData("text/rtf", "{\\rtf1 y}");

    TEnumFormats r(&mime);
    ASSERT_TRUE(r.ReadDropFiles());
    ASSERT_EQ(r.Files()->Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(r.Files()->Strings(i), names[i]);
    ASSERT_TRUE(r.HasFile());
    const QByteArray block = r.GlobalHandle();
    EXPECT_EQ(block.at(0), char(20)); // list offset
    EXPECT_EQ(block.at(16), char(1)); // wide names
    EXPECT_EQ(r.RTF(), QStringLiteral("{\\rtf1 y}"));
    EXPECT_TRUE(r.HasURL());

    QMimeData none;
    none.setUrls({QUrl("https://example.invalid/only")});
    TEnumFormats e(&none);
    EXPECT_FALSE(e.ReadDropFiles());
    EXPECT_EQ(e.Files()->Count(), 0);
    EXPECT_EQ(e.Text(), QStringLiteral("https://example.invalid/only")); // Qt gives links as text too
    EXPECT_FALSE(e.HasFormat(0x7777));
    EXPECT_TRUE(e.GlobalHandle().isEmpty()); // no valid current format
}

TEST(DragDrop, DropTargetDecisions)
{
    QMimeData plain;
    plain.setText("hello");
    {
        RecordingTarget t;
        t.SetAcceptText(false);
        Integer effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        t.DragEnter(&plain, MK_LBUTTON, TPoint(5, 5), effect);
        EXPECT_EQ(effect, DROPEFFECT_NONE);
        effect = DROPEFFECT_MOVE;
        t.Drop(&plain, 0, TPoint(5, 5), effect);
        EXPECT_EQ(effect, DROPEFFECT_NONE);
        EXPECT_FALSE(t.calls.contains("text"));
    }
    {
        RecordingTarget t;
        Integer effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        t.DragEnter(&plain, MK_LBUTTON | MK_CONTROL, TPoint(5, 5), effect);
        EXPECT_EQ(effect, DROPEFFECT_COPY);
        EXPECT_TRUE(t.DropFormats().Contains(dfText));
        effect = DROPEFFECT_MOVE;
        t.allowMove = false; // the grid refuses this spot
        t.DragOver(MK_LBUTTON, TPoint(6, 6), effect);
        EXPECT_EQ(effect, DROPEFFECT_NONE);
        t.DragLeave();
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        t.Drop(&plain, 0, TPoint(6, 6), effect);
        EXPECT_EQ(effect, DROPEFFECT_MOVE);
        EXPECT_EQ(t.calls, (QStringList{"enter", "leave", "text"}));
        EXPECT_EQ(t.text, QStringLiteral("hello"));
    }
    {
        // A column with text delivers only the column.
        TSourceDataObject col(QString(), QString(), 2, nullptr);
        std::unique_ptr<QMimeData> mime = col.ToMimeData();
        mime->setText("also text");
        RecordingTarget t;
        Integer effect = DROPEFFECT_MOVE;
        t.DragEnter(mime.get(), MK_LBUTTON, TPoint(), effect);
        t.calls.clear();
        t.Drop(mime.get(), 0, TPoint(), effect);
        EXPECT_EQ(t.calls, QStringList{"col"});
        EXPECT_EQ(t.col, 2);
    }
    {
        // Cells win over text; files and a URL go along.
        Cells cells("xyz");
        TSourceDataObject data("t", QString(), -1, &cells);
        std::unique_ptr<QMimeData> mime = data.ToMimeData();
        mime->setUrls({QUrl::fromLocalFile("/tmp/f.txt"), QUrl("http://example.invalid/")});
        RecordingTarget t;
        Integer effect = DROPEFFECT_COPY;
        t.DragEnter(mime.get(), MK_LBUTTON, TPoint(), effect);
        EXPECT_TRUE(t.DropFormats().Contains(dfGridCells));
        EXPECT_TRUE(t.DropFormats().Contains(dfFile));
        t.calls.clear();
        t.Drop(mime.get(), 0, TPoint(), effect);
        EXPECT_EQ(t.calls, (QStringList{"stream", "files", "url:t"}));
        EXPECT_EQ(t.stream, QByteArray("xyz"));
        EXPECT_EQ(t.files, QStringList{"/tmp/f.txt"});
    }
}

TEST(DragDrop, QtDragEventsReachTheTarget)
{
    QMimeData mime;
    mime.setText("dropped");
    RecordingTarget t;
    QDragEnterEvent enter(QPoint(10, 20), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    ASSERT_TRUE(DispatchDragEvent(&t, &enter, TPoint(100, 200)));
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::MoveAction);

    QDragMoveEvent move(QPoint(11, 21), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::ControlModifier);
    ASSERT_TRUE(DispatchDragEvent(&t, &move, TPoint(100, 200)));
    EXPECT_EQ(move.dropAction(), Qt::CopyAction);

    QDropEvent drop(QPointF(12, 22), Qt::CopyAction | Qt::MoveAction, &mime, Qt::NoButton, Qt::NoModifier);
    ASSERT_TRUE(DispatchDragEvent(&t, &drop, TPoint(100, 200)));
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(t.text, QStringLiteral("dropped"));

    t.SetAcceptText(false);
    QDragEnterEvent refused(QPoint(1, 1), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    DispatchDragEvent(&t, &refused, TPoint());
    EXPECT_FALSE(refused.isAccepted());

    QDragLeaveEvent leave;
    EXPECT_TRUE(DispatchDragEvent(&t, &leave, TPoint()));
    EXPECT_EQ(t.calls.last(), QStringLiteral("leave"));
    QEvent other(QEvent::Paint);
    EXPECT_FALSE(DispatchDragEvent(&t, &other, TPoint()));
}

TEST(DragDrop, DropSourceAnswers)
{
    RecordingSource s;
    EXPECT_EQ(s.QueryContinueDrag(false, MK_LBUTTON), S_OK);
    EXPECT_EQ(s.finished, 0);
    EXPECT_EQ(s.QueryContinueDrag(true, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(s.QueryContinueDrag(false, 0), DRAGDROP_S_DROP);
    EXPECT_EQ(s.finished, 2);
    EXPECT_EQ(s.queries, 3);

    EXPECT_EQ(s.GiveFeedback(DROPEFFECT_NONE), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_TRUE(s.NoAccept());
    s.GiveFeedback(DROPEFFECT_COPY);
    EXPECT_FALSE(s.NoAccept());
    EXPECT_EQ(s.effects, (std::vector<Integer>{DROPEFFECT_NONE, DROPEFFECT_COPY}));

    // Nothing takes a drag here (no display): it ends cancelled and the
    // source hears that it finished.
    RecordingSource drag;
    Integer effect = -1;
    EXPECT_EQ(StartOleTextDrag(&drag, "cells", QString(), effect, DROPEFFECT_COPY | DROPEFFECT_MOVE, nullptr),
              DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(drag.finished, 1);
    EXPECT_EQ(StartOleColumnDrag(&drag, 3, DROPEFFECT_MOVE, effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(drag.finished, 2);
}
