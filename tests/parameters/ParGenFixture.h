#pragma once
// A general parameters window made as the program makes it at start-up, over
// a fresh configuration folder with the built-in English texts.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "parameters/UParGen.h"
#include "platform/Dialogs.h"
#include "platform/StdControls.h"
#include "platform/TestHooks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

struct TParGenFixture : ::testing::Test {
    QTemporaryDir dir;
    TFParGen* form = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Load_Default_Texts();
        SW_Code = Const_SW_Code;
        ParGen_File = dir.filePath(QStringLiteral("ParGen.xml"));
        New_Form();
    }
    void TearDown() override
    {
        delete form;
        EXPECT_EQ(DialogSeam::PendingAnswers(), 0);
    }
    // Picks an item with the arrow keys, as a user does.
    static void Pick(TComboBox* cb, Integer item)
    {
        for (Integer guard = 0; cb->ItemIndex() != item && guard < 20; ++guard)
            TestInput::PressKey(cb, cb->ItemIndex() < item ? VK_DOWN : VK_UP);
        ASSERT_EQ(cb->ItemIndex(), item);
    }
    void New_Form()
    {
        delete form;
        form = new TFParGen(nullptr);
        form->AfterConstruction();
    }
};
