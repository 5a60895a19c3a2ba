// The image picker dropdown as a user works it: items filled from an image
// list and from a folder, the choice by image index, the open list stepped
// a row of columns at a time, the hot item taken by Enter, a cancel, and
// the chosen image painted in the edit.
#include "DropdownOpenShot.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "grid/dropdown/ExImagePickerDropDown.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ImageList.h"

namespace {

TBitmap* Solid(TBitmap& B, TColor Color)
{
    B.Canvas()->Brush()->SetColor(Color);
    B.Canvas()->FillRect(TRect(0, 0, B.Width(), B.Height()));
    return &B;
}

class TImagePicker : public TDropDownForm_ {
protected:
    void SetUp() override
    {
        TDropDownForm_::SetUp();
        const TColor colours[] = {clRed, clLime, clBlue, clYellow, clFuchsia, clAqua, clMaroon, clNavy, clOlive, clTeal};
        for (TColor c : colours) {
            TBitmap b(16, 16);
            images.Add(Solid(b, c), nullptr);
        }
    }
    TExImagePickerDropDown* AddPicker()
    {
        auto* dd = new TExImagePickerDropDown(form);
        dd->SetParent(form);
        dd->SetBounds(20, 20, 120, 24);
        dd->SetImages(&images);
        dd->OnSelect = [this](TObject*) { ++selects; };
        dd->OnChange = [this](TObject*) { ++changes; };
        return dd;
    }
    TImageList images{16, 16};
    Integer selects = 0, changes = 0;
};

} // namespace

TEST_F(TImagePicker, ImagesFromTheListAndTheChoiceByImageIndex)
{
    TExImagePickerDropDown* dd = AddPicker();
    dd->Items()->Add()->SetCaption(QStringLiteral("before"));
    dd->AddImagesFromImageList();
    ASSERT_EQ(dd->Items()->Count(), 11);
    EXPECT_EQ(dd->Items()->GetItem(0)->ImageIndex(), -1);
    EXPECT_EQ(dd->Items()->GetItem(1)->ImageIndex(), 0);
    EXPECT_EQ(dd->Items()->GetItem(10)->ImageIndex(), 9);
    dd->SetImageIndex(2);
    EXPECT_EQ(dd->ItemIndex(), 3);
    EXPECT_EQ(dd->GetImageIndex(), 2);
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(changes, 1);
    // Two items with the index: the first; none with it: no item.
    dd->Items()->GetItem(0)->SetImageIndex(5);
    dd->SetImageIndex(5);
    EXPECT_EQ(dd->ItemIndex(), 0);
    dd->SetImageIndex(42);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->GetImageIndex(), -1);
    EXPECT_EQ(selects, 3);
    dd->SetImageIndex(42);
    EXPECT_EQ(selects, 3);
    dd->SetItemIndex(11);
    EXPECT_EQ(dd->ItemIndex(), -1);
    // Without an image list nothing is added.
    dd->SetImages(nullptr);
    dd->AddImagesFromImageList();
    EXPECT_EQ(dd->Items()->Count(), 11);
}

TEST_F(TImagePicker, FolderGivesOneItemPerFileAndNoneForFolders)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TBitmap b(10, 8);
    TPicture pic;
    pic.SetGraphic(Solid(b, clRed));
    ASSERT_TRUE(pic.SaveToFile(dir.filePath(QStringLiteral("a.bmp"))));
    ASSERT_TRUE(pic.SaveToFile(dir.filePath(QStringLiteral("c.bmp"))));
    QFile bad(dir.filePath(QStringLiteral("b.bmp")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("no picture");
    bad.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("d.bmp")));
    TExImagePickerDropDown* dd = AddPicker();
    dd->AddImagesFromFolder(dir.path() + QStringLiteral("/*.bmp"), true);
    ASSERT_EQ(dd->Items()->Count(), 3);
    EXPECT_EQ(dd->Items()->GetItem(0)->Caption(), QStringLiteral("a.bmp"));
    EXPECT_EQ(dd->Items()->GetItem(0)->Image()->Width(), 10);
    EXPECT_TRUE(dd->Items()->GetItem(1)->Image()->Empty());
    EXPECT_TRUE(dd->Items()->GetItem(1)->Caption().isEmpty());
    EXPECT_EQ(dd->Items()->GetItem(2)->Caption(), QStringLiteral("c.bmp"));
}

TEST_F(TImagePicker, OpenListStepsByColumnsAndEnterTakesTheHotItem)
{
    TExImagePickerDropDown* dd = AddPicker();
    dd->AddImagesFromImageList();
    dd->SetColumns(4);
    dd->SetItemIndex(1);
    selects = 0;
    dd->SetFocus();
    TestInput::Click(dd->Button());
    ASSERT_TRUE(dd->DroppedDown());
    TExCustomItemSelector* l = dd->ItemSelector();
    EXPECT_EQ(l->Columns(), 4);
    EXPECT_EQ(l->ItemIndex(), 1);
    const TSize panel = l->GetPanelSize();
    // The items fit: the popup is as wide as they are and its border, and no
    // scroll bar shows.
    EXPECT_EQ(dd->DropDownForm()->Width(), panel.cx + 2);
    EXPECT_EQ(l->ClientWidth(), panel.cx);
    EXPECT_FALSE(l->VertScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(l->HorzScrollBar()->IsScrollBarVisible());
    TestInput::PressKey(dd, VK_DOWN);
    EXPECT_EQ(dd->ItemIndex(), 5);
    TestInput::PressKey(dd, VK_DOWN);
    EXPECT_EQ(dd->ItemIndex(), 9);
    TestInput::PressKey(dd, VK_DOWN);  // 13 is beyond the items
    EXPECT_EQ(dd->ItemIndex(), 9);
    TestInput::PressKey(dd, VK_LEFT);
    EXPECT_EQ(dd->ItemIndex(), 8);
    EXPECT_TRUE(dd->DroppedDown());
    // The wheel moves the hot item in the open list; Enter takes it.
    TestInput::Wheel(dd->DropDownForm(), -120);
    TestInput::Wheel(dd->DropDownForm(), -120);
    EXPECT_EQ(l->ItemHot(), 1);
    SaveOpenDropDown(form, dd, QStringLiteral("TExImagePickerDropDown-open"));
    TestInput::PressKey(dd, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 1);
    // Enter in the closed editor tells of the choice again.
    const Integer before = selects;
    TestInput::PressKey(dd, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_EQ(selects, before + 1);
    EXPECT_EQ(dd->ItemIndex(), 1);
}

TEST_F(TImagePicker, ClickChoosesAndACancelGoesBackEvenToNoItem)
{
    TExImagePickerDropDown* dd = AddPicker();
    dd->AddImagesFromImageList();
    dd->ShowDropDown();
    TCustomItemSelector* p = dd->ItemSelector()->Panel();
    TestInput::Click(p, CentreOf(p->GetItemRect(3)));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 3);
    dd->SetItemIndex(-1);
    dd->SetFocus();
    dd->ShowDropDown();
    TestInput::PressKey(dd, VK_RIGHT);
    EXPECT_EQ(dd->ItemIndex(), 0);
    TestInput::PressKey(dd, VK_ESCAPE, {}, QStringLiteral("\x1b"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), -1);
    // The wheel on the closed edit steps from the list's own selection.
    TestInput::Wheel(dd, -120);
    EXPECT_EQ(dd->ItemIndex(), 1);
}

TEST_F(TImagePicker, EditShowsTheChosenImageItsOwnPictureFirst)
{
    TExImagePickerDropDown* dd = AddPicker();
    dd->AddImagesFromImageList();
    dd->SetItemIndex(2);  // blue from the list
    const TRect r = dd->GetEditRect();
    const TPoint c = CentreOf(r);
    EXPECT_EQ(PixelAt(GrabControl(dd), c.X, c.Y), clBlue);
    EXPECT_NE(PixelAt(GrabControl(dd), r.Left + 2, c.Y), clBlue);
    TBitmap b(8, 8);
    TPicture own;
    own.SetGraphic(Solid(b, clGreen));
    dd->Items()->GetItem(2)->SetImage(&own);
    dd->Invalidate();
    const QImage img = GrabControl(dd);
    EXPECT_EQ(PixelAt(img, c.X, c.Y), clGreen);
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExImagePickerDropDown-edit")).isEmpty());
}
