// TExStringGrid: row filters. The rows that fail the filter conditions are
// hidden as one level of hidden rows; levels stack, so a filter narrows step
// by step and widens again by dropping its last level. Conditions come from
// code, from incremental narrowing and from the header's filter dropdowns.

#include "grid/ExGrid.h"

#include <QStringList>
#include <cmath>

#include "grid/EsgHTMLE.h"
#include "grid/ExUtil.h"
#include "grid/features/ExGridFilterDropDown.h"

namespace {

// Splits a dropdown entry "name=condition" (or a bare value) in two.
void SplitFilterEntry(const QString& Entry, QString& Name, QString& Condition)
{
    const qsizetype eq = Entry.indexOf(QLatin1Char('='));
    Name = eq >= 0 ? Entry.left(eq) : Entry;
    Condition = eq >= 0 ? Entry.mid(eq + 1) : Entry;
}

} // namespace

bool TExStringGrid::MatchFilterRow(Integer ARow)
{
    bool result = true;
    for (Integer i = 0; i < FFilter->Count(); ++i) {
        const TFilterData* item = FFilter->Items(i);
        const Integer col = item->Column;
        QString text;
        switch (item->Data) {
        case fcVirtual: text = Cells(col, ARow); break;
        case fcNormal: text = GetGridCell(col, ARow); break;
        case fcStripHTML: text = StripHTMLTags(Cells(col, ARow)); break;
        case fcCalculated: text = GetFormulaCellText(col, ARow); break;
        case fcRow: {
            QStringList parts;
            for (Integer c = 0; c < TotalColCount(); ++c)
                parts << Cells(c, ARow);
            text = parts.join(QLatin1Char('\n'));
            break;
        }
        }
        text = text.trimmed();
        if (text.contains(QStringLiteral("|\\")))
            text = DecodeWideCellText(text);
        bool match = false;
        if (item->Data == fcRow) {
            match = text.toUpper().contains(item->Condition.toUpper());
        } else {
            if (!item->Prefix.isEmpty() && text.startsWith(item->Prefix))
                text.remove(0, item->Prefix.size());
            if (!item->Suffix.isEmpty()) {
                const qsizetype at = text.indexOf(item->Suffix);
                if (at >= 0 && at + item->Suffix.size() == text.size())
                    text.chop(item->Suffix.size());
            }
            if (item->Condition.isEmpty()) {
                match = true;
            } else {
                try {
                    match = item->Method == fmExpression ? MatchFilter(item->Condition, text, item->CaseSensitive)
                                                         : text == item->Condition;
                } catch (const std::exception&) {
                    match = false;
                }
            }
        }
        bool stop = false;
        switch (item->Operation) {
        case foSHORT:
            result = match;
            stop = !match;
            break;
        case foNONE: result = match; break;
        case foAND: result = result && match; break;
        case foXOR: result = result != match; break;
        case foOR: result = result || match; break;
        }
        if (stop)
            break;
    }
    if (OnCustomFilter)
        OnCustomFilter(this, ARow, result);
    return result;
}

void TExStringGrid::FilterRow(Integer ARow)
{
    if (!MatchFilterRow(ARow)) {
        auto list = std::make_unique<TIntList>(0, 0);
        list->Add(ARow);
        HideRowList(list.get());
    }
}

void TExStringGrid::ApplyFilter()
{
    FFilterFixedRows = FixedRows();
    auto failing = std::make_unique<TIntList>(0, 0);
    const Integer first = FixedRows(), last = RowCount() - FixedFooters() - 1;
    const Integer normal = last - first + 1;
    Integer tested = 0;
    Integer percent = 0;
    for (Integer r = first; r <= last; ++r) {
        // Node and summary rows come with grouping; every row is tested here.
        ++tested;
        if (!MatchFilterRow(r))
            failing->Add(r);
        if (normal > 0) {
            percent = Integer(std::lround(double(tested) / double(normal) * 100));
            if (OnFilterProgress)
                OnFilterProgress(this, percent);
        }
    }
    HideRowList(failing.get());
    if (OnFilterProgress)
        OnFilterProgress(this, percent);
}

void TExStringGrid::SetFilterActive(bool Value)
{
    if (Value != FFilterActive) {
        FFilterActive = Value;
        if (Value) {
            if (Row() >= RowCount() || Col() >= ColCount())
                MoveColRow(FixedCols(), FixedRows(), true, true);
            ++FUpdateCount;
            ApplyFilter();
            --FUpdateCount;
            Invalidate();
            FSelHidden = false;
        } else {
            UnHideRowList();
            SetFixedRowsEx(FFilterFixedRows);
        }
        if (RowCount() > FixedRows())
            TCustomGrid::SetTopRow(FixedRows());
    }
    CalcFooter(-1);
}

bool TExStringGrid::RemoveLastFilter()
{
    if (FFilterLevel <= 0)
        return false;
    UnHideRowList();
    SetFixedRowsEx(FFilterFixedRows);
    CalcFooter(-1);
    --FFilterLevel;
    return FFilterLevel > 0;
}

void TExStringGrid::RemoveAllFilters()
{
    if (FFilterLevel > 0) {
        while (FFilterLevel > 0)
            RemoveLastFilter();
    } else {
        FFilter->Clear();
    }
}

void TExStringGrid::NarrowDown(const QString& ACondition, Integer AColumn)
{
    SetFixedRowAlways(true);
    auto itemFor = [&](const QString& Condition) {
        FFilter->Clear();
        TFilterData* item = FFilter->Add();
        item->Column = SmallInt(AColumn);
        item->CaseSensitive = false;
        if (AColumn == -1) {
            item->Data = fcRow;
            item->Condition = Condition;
        } else {
            item->Data = fcNormal;
            item->Condition = QLatin1Char('*') + Condition + QLatin1Char('*');
        }
    };
    if (ACondition.size() == FLastFilter.size() + 1 && ACondition.startsWith(FLastFilter)) {
        itemFor(ACondition.contains(QLatin1Char(' ')) && AColumn != -1
                    ? QLatin1Char('"') + ACondition + QLatin1Char('"')
                    : ACondition);
        if (AColumn != -1 && ACondition.contains(QLatin1Char(' ')))
            FFilter->Items(0)->Condition = QStringLiteral("\"*") + ACondition + QStringLiteral("*\"");
        ApplyFilter();
    } else if (!ACondition.isEmpty() && ACondition.size() + 1 == FLastFilter.size() && FLastFilter.startsWith(ACondition)) {
        RemoveLastFilter();
    } else {
        RemoveAllFilters();
        if (!ACondition.isEmpty()) {
            itemFor(ACondition);
            ApplyFilter();
        }
    }
    FLastFilter = ACondition;
    if (ACondition.isEmpty())
        UnHideRowsAll();
}

void TExStringGrid::RemoveColumnFilter(Integer ACol)
{
    for (Integer i = FFilter->Count() - 1; i >= 0; --i)
        if (FFilter->Items(i)->Column == ACol)
            FFilter->Delete(i);
    if (FFilterRow < RowCount())
        RepaintCell(RealToDisplCol(ACol), FFilterRow);
}

void TExStringGrid::FilterSelect(Integer ItemIndex)
{
    if (CanFocus())
        SetFocus();
    if (FFilterCol >= 0 && FFilterCol < TotalColCount() && ItemIndex >= 0) {
        GetColumnFilter(FFilterCol);
        if (ItemIndex < FFilterList->Count()) {
            QString name, condition;
            SplitFilterEntry(FFilterList->Strings(ItemIndex), name, condition);
            if (AutoFilterUpdate())
                SetFilterActive(false);
            if (condition == FilterDropDownClear())
                condition.clear();
            if (OnFilterSelect)
                OnFilterSelect(this, FFilterCol, ItemIndex, name, condition);
            if (!condition.isEmpty())
                FFilter->GetColFilter(FFilterCol)->Condition = condition;
            else
                RemoveColumnFilter(FFilterCol);
            if (AutoFilterUpdate()) {
                SetFixedRowAlways(true);
                SetFilterActive(true);
                if (RowCount() > FixedRows() && !(FixedRowAlways() && RowCount() == 1))
                    MoveColRow(std::max(Col(), FixedCols()), FixedRows(), true, true);
                FilterDone();
            }
        }
    }
    FFilterCol = -1;
}

void TExStringGrid::FilterCheck()
{
    if (FFilterCol < 0 || FFilterCol >= TotalColCount())
        return;
    GetColumnFilter(FFilterCol);
    if (AutoFilterUpdate())
        SetFilterActive(false);
    // The column's conditions are replaced; those of other columns stay.
    // The checked values join with "or" among themselves and come first,
    // so that the other columns' conditions join the result with "and".
    for (Integer i = FFilter->Count() - 1; i >= 0; --i)
        if (FFilter->Items(i)->Column == FFilterCol)
            FFilter->Delete(i);
    if (FFilter->Count() > 0 && (FFilter->Items(0)->Operation == foNONE || FFilter->Items(0)->Operation == foSHORT))
        FFilter->Items(0)->Operation = foAND;
    Integer at = 0;
    TStrings* entries = FilterCheckList()->Items();
    for (Integer i = 0; i < entries->Count(); ++i) {
        if (!FilterChecked(i))
            continue;
        // The column's entry of that name gives the condition; a bare value
        // with a blank is quoted, as the list reads it back when it opens again.
        QString entry = entries->Strings(i);
        for (Integer k = 0; k < FFilterList->Count(); ++k) {
            const QString e = FFilterList->Strings(k);
            if (e == entry || e.startsWith(entry + QLatin1Char('='))) {
                entry = e;
                break;
            }
        }
        QString name, condition;
        SplitFilterEntry(entry, name, condition);
        if (!entry.contains(QLatin1Char('=')) && condition.contains(QLatin1Char(' ')))
            condition = QLatin1Char('"') + condition + QLatin1Char('"');
        if (condition == FilterDropDownClear())
            condition.clear();
        if (OnFilterCheck)
            OnFilterCheck(this, FFilterCol, i, name, condition, entries);
        TFilterData* item = FFilter->Insert(at);
        item->Column = SmallInt(FFilterCol);
        item->Condition = condition;
        item->Operation = at == 0 ? foNONE : foOR;
        ++at;
    }
    SetFilterActive(true);
    FilterCheckList()->Invalidate();
}

void TExStringGrid::SetFilterDropDownRow(Integer Value)
{
    if (Value < FixedRows()) {
        FFilterRow = Value;
        Invalidate();
    }
}

void TExStringGrid::SetFilterDropDownAuto(bool Value)
{
    FFilterDropDownAuto = Value;
    Invalidate();
}
