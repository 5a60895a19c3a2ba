// The control look's construction with the dropdown editors' header and
// footer settings it keeps for the grid.

#include "grid/ExGridHelpers.h"

#include "grid/dropdown/ExDropDownBars.h"
#include "platform/Bitmap.h"

TControlLook::TControlLook(TExStringGrid* AOwner)
    : FGrid(AOwner), FCheckedGlyph(std::make_unique<TBitmap>()), FUnCheckedGlyph(std::make_unique<TBitmap>()),
      FRadioOnGlyph(std::make_unique<TBitmap>()), FRadioOffGlyph(std::make_unique<TBitmap>())
{
    Init();
    FDropDownHeader = std::make_unique<THeaderAppearance>(OwnerOf(AOwner));
    FDropDownFooter = std::make_unique<TFooterAppearance>(OwnerOf(AOwner));
}

TControlLook::~TControlLook() = default;

void TControlLook::AssignBars(const TControlLook* Source)
{
    FDropDownFooter->Assign(Source->FDropDownFooter.get());
    FDropDownHeader->Assign(Source->FDropDownHeader.get());
}

void TControlLook::SetDropDownHeader(const THeaderAppearance* Value)
{
    FDropDownHeader->Assign(Value);
}

void TControlLook::SetDropDownFooter(const TFooterAppearance* Value)
{
    FDropDownFooter->Assign(Value);
}
