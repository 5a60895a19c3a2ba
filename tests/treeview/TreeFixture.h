#pragma once
// A string tree on a shown form, configured as the M-Bus scan window
// configures its trees, with a small record per node that names it.

#include <QImage>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "platform/Form.h"
#include "platform/TestHooks.h"
#include "treeview/NodeTrees.h"

// Recounts everything the tree keeps incrementally and compares.
inline void CheckInvariants(TBaseNodeTree* t)
{
    Cardinal visibleRows = 0;
    std::function<Cardinal(PDataNode, bool)> check = [&](PDataNode node, bool shown) -> Cardinal {
        Cardinal count = 1, children = 0, index = 0;
        Cardinal height = node == t->RootNode() ? node->NodeHeight : (t->IsEffectivelyFiltered(node) ? 0 : node->NodeHeight);
        PDataNode prev = nullptr;
        for (PDataNode c = node->FirstChild; c; prev = c, c = c->NextSibling) {
            EXPECT_EQ(c->Parent, node);
            EXPECT_EQ(c->PrevSibling, prev);
            EXPECT_EQ(c->Index, index++);
            const bool childShown = shown && (node->States & vsExpanded) && (c->States & vsVisible);
            if (childShown && t->IsEffectivelyVisible(c))
                ++visibleRows;
            count += check(c, childShown);
            ++children;
            if ((node->States & vsExpanded) && (c->States & vsVisible))
                height += c->TotalHeight;
        }
        EXPECT_EQ(node->LastChild, prev);
        EXPECT_EQ(node->ChildCount, children);
        EXPECT_EQ(node->TotalCount, count);
        if (node != t->RootNode())
            EXPECT_EQ(node->TotalHeight, height);
        return count;
    };
    check(t->RootNode(), true);
    EXPECT_EQ(t->VisibleCount(), visibleRows);
    EXPECT_EQ(Integer(t->RangeY()), Integer(t->RootNode()->TotalHeight) - Integer(t->RootNode()->NodeHeight) + Integer(t->BottomSpace()));
}

// Pixels darker than light grey in r: lines, frames, marks and text.
inline Integer InkIn(const QImage& img, const QRect& r)
{
    Integer n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 200)
                ++n;
    return n;
}

// The scan window's node record: 8 bytes.
struct TMyRec {
    Integer Id;
    Integer Kind;
};

class TTreeFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 320, 260);
        tree = new TNodeStringTree(form.get());
        tree->SetParent(form.get());
        tree->SetBounds(10, 10, 300, 240);
    }
    void TearDown() override
    {
        form.reset();
    }

    // The scan window's option sets.
    void ConfigureAsScanWindow()
    {
        TCustomNodeTreeOptions* o = tree->TreeOptions();
        o->SetAnimationOptions(0);
        o->SetAutoOptions(toAutoDropExpand | toAutoTristateTracking);
        o->SetMiscOptions(toCheckSupport | toFullRepaintOnResize | toInitOnSave | toToggleOnDblClick | toWheelPanning);
        o->SetPaintOptions(toShowButtons | toShowRoot | toShowTreeLines | toThemeAware | toUseBlendedImages);
        o->SetSelectionOptions(toMultiSelect | toCenterScrollIntoView);
        tree->SetNodeDataSize(sizeof(TMyRec));
        tree->OnGetText = [this](TBaseNodeTree* t, PDataNode n, TColumnIndex, TNSTTextType type, QString& text) {
            if (type != ttNormal)
                return;
            auto* rec = t->GetNodeData<TMyRec>(n);
            text = QStringLiteral("%1 %2").arg(QLatin1String(rec->Kind == 0 ? "Slave" : rec->Kind == 1 ? "Record" : "Value")).arg(rec->Id);
            ++getTextCalls;
        };
        tree->OnInitNode = [this](TBaseNodeTree* t, PDataNode, PDataNode n, TDataNodeInitStates&) {
            n->CheckType = checkType;
            n->CheckState = csCheckedNormal;
            ++initCalls;
        };
        tree->OnFreeNode = [this](TBaseNodeTree*, PDataNode) { ++freeCalls; };
    }

    // Adds a node with its record filled, as the scan window does.
    PDataNode Add(PDataNode parent, Integer id)
    {
        PDataNode n = tree->AddChild(parent);
        auto* rec = tree->GetNodeData<TMyRec>(n);
        rec->Id = id;
        rec->Kind = Integer(tree->GetNodeLevel(n));
        return n;
    }

    // Two slaves, each with two records of two values.
    void FillThreeLevels()
    {
        for (int s = 0; s < 2; ++s) {
            PDataNode slave = Add(nullptr, s);
            for (int r = 0; r < 2; ++r) {
                PDataNode rec = Add(slave, s * 10 + r);
                for (int v = 0; v < 2; ++v)
                    Add(rec, s * 100 + r * 10 + v);
            }
        }
    }

    void ShowForm()
    {
        form->Show();
        Application->ProcessMessages();
    }

    QImage Grab() { return GrabControl(tree); }

    std::unique_ptr<TForm> form;
    TNodeStringTree* tree = nullptr;
    TCheckType checkType = ctCheckBox;
    int getTextCalls = 0;
    int initCalls = 0;
    int freeCalls = 0;
};
