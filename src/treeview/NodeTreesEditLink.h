#pragma once
// The string tree's editor: TStringEditLink places a TNtEdit over the
// edited cell, loads the cell's text into it and stores the text back
// through the tree's SetText when the edit ends.

#include <memory>

#include "platform/StdControls.h"
#include "treeview/NodeTrees.h"

class TStringEditLink;

class TNtEdit : public TCustomEdit {
public:
    explicit TNtEdit(TStringEditLink* Link);
    ~TNtEdit() override;
    QString ClassName() const override { return QStringLiteral("TNtEdit"); }
    // Fits the editor to its text (single-line nodes without grid extensions).
    virtual void AutoAdjustSize();
    // Frees the editor once the messages in the queue have run.
    virtual void Release();
    TStringEditLink* Link() const { return FLink; }

protected:
    void Dispatch(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void DoExit() override;
    void Change() override;

private:
    friend class TStringEditLink;
    void DropLink();
    // Keeps the link alive while the editor is in use.
    PNtEditLink FRefLink;
    TStringEditLink* FLink;
};

class TStringEditLink : public INtEditLink, public std::enable_shared_from_this<TStringEditLink> {
public:
    TStringEditLink();
    ~TStringEditLink() override;
    bool BeginEdit() override;
    bool CancelEdit() override;
    bool EndEdit() override;
    bool PrepareEdit(TBaseNodeTree* Tree, PDataNode Node, TColumnIndex Column) override;
    TRect GetBounds() override;
    void ProcessMessage(TMessage& Message) override;
    void SetBounds(TRect R) override;

    TNtEdit* Edit() const { return FEdit; }
    void SetEdit(TNtEdit* Value);
    PDataNode Node() const { return FNode; }
    TColumnIndex Column() const { return FColumn; }
    TCustomNodeStringTree* Tree() const { return FTree; }
    bool Stopping() const { return FStopping; }
    TAlignment Alignment() const { return FAlignment; }

private:
    friend class TNtEdit;
    TNtEdit* FEdit = nullptr;
    TCustomNodeStringTree* FTree = nullptr;
    PDataNode FNode = nullptr;
    TColumnIndex FColumn = NoColumn;
    TAlignment FAlignment = taLeftJustify;
    TRect FTextBounds;
    bool FStopping = false;
};
