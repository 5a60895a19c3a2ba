#pragma once
// The base of cell checkers (a spell checker, for example) that a grid links
// through its CellChecker property. The base changes nothing; a checker
// overrides MarkError and Correct and may prepare and finish a check run.

#include <QString>

#include "platform/Component.h"

class DAriViziveVudaDodav : public TComponent {
public:
    explicit DAriViziveVudaDodav(TComponent* AOwner) : TComponent(AOwner) {}
    QString ClassName() const override { return QStringLiteral("DAriViziveVudaDodav"); }

    // The text of cell (Col, Row) with its faulty parts marked.
    virtual QString MarkError(Integer Col, Integer Row, const QString& Text) { return Text; }
    // The text of cell (Col, Row) corrected.
    virtual QString Correct(Integer Col, Integer Row, const QString& Text) { return Text; }
    // Called once before and once after a check run.
    virtual void StartCheck() {}
    virtual void StopCheck() {}

    // The grid makes each checked cell current while checking.
    bool GotoCell() const { return FGotoCell; }
    void SetGotoCell(bool Value) { FGotoCell = Value; }
    // Every newly edited value passes through Correct before validation.
    bool AutoCorrect() const { return FAutoCorrect; }
    void SetAutoCorrect(bool Value) { FAutoCorrect = Value; }
    // Every validated value passes through MarkError.
    bool AutoMarkError() const { return FAutoMarkError; }
    void SetAutoMarkError(bool Value) { FAutoMarkError = Value; }
    // A check run applies Correct / MarkError.
    bool UseCorrect() const { return FUseCorrect; }
    void SetUseCorrect(bool Value) { FUseCorrect = Value; }
    bool UseMarkError() const { return FUseMarkError; }
    void SetUseMarkError(bool Value) { FUseMarkError = Value; }

private:
    bool FGotoCell = false;
    bool FAutoCorrect = false;
    bool FAutoMarkError = false;
    bool FUseCorrect = false;
    bool FUseMarkError = false;
};
