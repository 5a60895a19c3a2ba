// TExStringGrid: the node button in column 0 of a node row and the tree
// lines that join the rows of the nodes.

#include "grid/ExGrid.h"

#include <algorithm>

#include "grid/ExGridCellGraphic.h"
#include "grid/painting/ExGridPaintState.h"
#include "grid/painting/GridGlyphs.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"

namespace {

void Line(TCanvas* C, Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
}

} // namespace

void TExStringGrid::DrawNodeGraphic(TCanvas* C, TCellPaint& P, TRect R)
{
    const Integer ARow = P.ARow;
    const TCellNode* node = FCellNode.get();
    const Integer indent = NodeIndent();
    const bool collapsed = GetNodeState(ARow);
    const Integer top = R.Top, bottom = R.Bottom, mid = R.Top + (R.Bottom - R.Top) / 2;
    const Integer own = GetNodeIndent(ARow);
    Integer left = R.Left + own - indent;

    // Stubs of the tree lines above and below the button.
    if (node->ShowTree() && ARow >= FixedRows()) {
        C->Pen()->SetColor(node->TreeColor());
        C->Pen()->SetWidth(1);
        const Integer x = left + indent / 2 + 2;
        if (ARow + 1 < RowCount()) {
            const Integer next = GetNodeIndent(ARow + 1);
            if (next > 0 && !(collapsed && next < own))
                Line(C, x, mid, x, bottom);
        }
        if (ARow - 1 >= FixedRows() && GetNodeIndent(ARow - 1) >= own)
            Line(C, x, top, x, top + 6);
    }
    if (P.FixedLook && !Flat() && (FLook == glSoft || FLook == glKavro || FLook == glXP || FLook == glListView))
        ++left;

    TRect r(R.Left + own - indent / 2 - 4, top, R.Right, bottom);
    TColor back = P.BrushColor;
    if (back == clNone)
        back = FixedCols() == 0 ? Color() : FixedColor();
    if (ShowSelection() && (P.State & gdSelected) != 0 && !FMouseActions->DisjunctRowSelect())
        back = SelectionColor();
    C->Brush()->SetColor(back);
    const Integer h = bottom - top;
    if (node->NodeType() == cn3D) {
        TRect frame(r.Left + 4, top + std::max(0, h - 8) / 2, r.Left + 12, top + std::max(0, h - 8) / 2 + 8);
        C->Brush()->SetColor(node->Color());
        C->FillRect(frame);
    }
    switch (node->NodeType()) {
    case cnLeaf:
        DrawGridGlyph(C, collapsed ? QStringLiteral("ESGLEAFCLOSE") : QStringLiteral("ESGLEAFOPEN"), r.Left,
                      top + (h - 12) / 2);
        return;
    case cnXP:
        DrawGridGlyph(C, collapsed ? QStringLiteral("XPNODEC") : QStringLiteral("XPNODEO"), r.Left + 4,
                      top + (h - 10) / 2);
        return;
    case cnGlyph:
        if (!node->ExpandGlyph()->Empty() && !node->ContractGlyph()->Empty()) {
            TBitmap* glyph = collapsed ? node->ContractGlyph() : node->ExpandGlyph();
            glyph->SetTransparent(true);
            C->Draw(r.Left, top + (h - node->ContractGlyph()->Height()) / 2, glyph);
            return;
        }
        break;
    default:
        break;
    }
    // A box of 8 by 8 pixels with its sign.
    const Integer bl = r.Left + 4, bt = top + std::max(0, h - 8) / 2;
    C->Brush()->SetColor(node->Color());
    if (node->NodeType() == cnFlat) {
        C->Pen()->SetColor(node->NodeColor());
        C->Rectangle(TRect(bl, bt, bl + 9, bt + 9));
        Line(C, bl + 2, bt + 4, bl + 7, bt + 4);
        if (collapsed)
            Line(C, bl + 4, bt + 2, bl + 4, bt + 7);
        return;
    }
    TRect box(bl, bt, bl + 9, bt + 9);
    C->FillRect(box);
    DrawEdge(C, box, collapsed ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT | BF_SOFT);
}

void TExStringGrid::DrawNodeTreeLines(TCanvas* C, TCellPaint& P, TRect R)
{
    const Integer ARow = P.ARow;
    const TCellNode* node = FCellNode.get();
    const Integer indent = NodeIndent();
    C->Pen()->SetColor(node->TreeColor());
    C->Pen()->SetWidth(1);
    C->Pen()->SetStyle(psSolid);
    const Integer left = R.Left + GetNodeIndent(ARow);
    const Integer x = left + indent / 2 - indent + 2;
    const Integer top = R.Top, bottom = R.Bottom, mid = R.Top + (R.Bottom - R.Top) / 2;
    const TCellProperties* props = PropsOf(0, ARow);
    const Integer level = props != nullptr ? props->NodeLevel() : 0;
    if (level > 0)
        Line(C, x, mid, node->ShowTreeFull() ? R.Right : left + 4, mid);
    switch (GetNodeSpanType(ARow)) {
    case 1:
        Line(C, x, top, x, mid);
        break;
    case 2:
        Line(C, x, top, x, bottom + 4);
        break;
    default:
        break;
    }
    const TCellProperties* next = ARow + 1 < RowCount() ? PropsOf(0, ARow + 1) : nullptr;
    const bool nextInNode = next != nullptr && next->NodeLevel() != 0;
    for (Integer i = 1; i <= level; ++i) {
        const Integer xi = x - indent * i;
        C->MoveTo(xi, top);
        C->LineTo(xi, mid);
        if (ARow == RowCount() - 1) {
            if (i < level)
                C->LineTo(x + indent - indent * i, mid);
        } else if (nextInNode) {
            C->LineTo(xi, bottom + 4);
        } else if (i < level) {
            C->LineTo(x + indent - indent * i, mid);
        }
    }
}
