// The control look's dropdown header and footer: made with the look, copied
// by Assign and by their setters.
#include "grid/ExGridHelpers.h"

#include "grid/dropdown/ExDropDownBars.h"

#include <gtest/gtest.h>

TEST(ControlLookBars, HeaderAndFooterAreCopied)
{
    TControlLook look(nullptr), other(nullptr);
    ASSERT_NE(look.DropDownHeader(), nullptr);
    ASSERT_NE(look.DropDownFooter(), nullptr);
    other.DropDownHeader()->SetCaption(QStringLiteral("Pick one"));
    other.DropDownFooter()->SetColor(clTeal);
    look.Assign(&other);
    EXPECT_EQ(look.DropDownHeader()->Caption(), QStringLiteral("Pick one"));
    EXPECT_EQ(look.DropDownFooter()->Color(), clTeal);
    THeaderAppearance header(nullptr);
    header.SetCaption(QStringLiteral("Units"));
    look.SetDropDownHeader(&header);
    EXPECT_EQ(look.DropDownHeader()->Caption(), QStringLiteral("Units"));
    EXPECT_EQ(header.Caption(), QStringLiteral("Units"));
}
