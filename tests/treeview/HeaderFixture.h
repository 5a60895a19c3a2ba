#pragma once
// A string tree with a visible header and three columns (Name, Value, Unit)
// on a shown form; each node answers its cell texts from a small record.

#include <QImage>
#include <gtest/gtest.h>
#include <memory>

#include "platform/Form.h"
#include "platform/TestHooks.h"
#include "treeview/NodeTrees.h"
#include "treeview/header/NodeTreeHeader.h"

struct TCellRec {
    Integer Id;
    Integer Value;
};

class THeaderTreeFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 440, 280);
        tree = new TNodeStringTree(form.get());
        tree->SetParent(form.get());
        tree->SetBounds(10, 10, 400, 240);
        tree->SetNodeDataSize(sizeof(TCellRec));
        header = tree->Header();
        columns = header->Columns();
        const struct {
            const char* text;
            Integer width;
        } defs[3] = {{"Name", 140}, {"Value", 100}, {"Unit", 80}};
        for (const auto& d : defs) {
            TNodeTreeColumn* c = columns->Add();
            c->SetText(QLatin1String(d.text));
            c->SetWidth(d.width);
        }
        header->SetOptions(header->Options() | hoVisible);
        tree->OnGetText = [](TBaseNodeTree* t, PDataNode n, TColumnIndex column, TNSTTextType type, QString& text) {
            if (type != ttNormal)
                return;
            const auto* rec = t->GetNodeData<TCellRec>(n);
            switch (column) {
            case 0: text = QStringLiteral("Item %1").arg(rec->Id); break;
            case 1: text = QString::number(rec->Value); break;
            case 2: text = QStringLiteral("kWh"); break;
            default: text = QStringLiteral("?"); break;
            }
        };
    }
    void TearDown() override { form.reset(); }

    PDataNode Add(PDataNode parent, Integer id, Integer value)
    {
        PDataNode n = tree->AddChild(parent);
        auto* rec = tree->GetNodeData<TCellRec>(n);
        rec->Id = id;
        rec->Value = value;
        return n;
    }

    // Three top nodes (values 30, 10, 20), the first with two children.
    void Fill()
    {
        a = Add(nullptr, 1, 30);
        b = Add(nullptr, 2, 10);
        c = Add(nullptr, 3, 20);
        Add(a, 11, 5);
        Add(a, 12, 7);
    }

    void ShowForm()
    {
        form->Show();
        Application->ProcessMessages();
    }

    // The strip's window, where the mouse meets the header.
    TControl* Strip() const { return header->WindowControl(); }
    // The middle of a column's cell in the strip, in strip coordinates.
    TPoint CellCentre(TColumnIndex column) const
    {
        const TNodeTreeColumn* col = columns->Items(column);
        return {col->Left() + col->Width() / 2, header->Height() / 2};
    }
    // The right border of a column in the strip.
    TPoint Border(TColumnIndex column) const
    {
        const TNodeTreeColumn* col = columns->Items(column);
        return {col->Left() + col->Width() - 1, header->Height() / 2};
    }

    std::unique_ptr<TForm> form;
    TNodeStringTree* tree = nullptr;
    TNtHeader* header = nullptr;
    TNodeTreeColumns* columns = nullptr;
    PDataNode a = nullptr, b = nullptr, c = nullptr;
};
