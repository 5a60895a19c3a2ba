// The scan window's small dialogs: the start position of an append, the
// start position of each meter, and the key of an encrypted meter, each
// checked on OK as the user fills it.
#include <gtest/gtest.h>

#include "OkButton.h"
#include "Screenshot.h"
#include "grid/columns/ExColumnGrid.h"
#include "mbus/UInsertKeyWireless.h"
#include "mbus/UModbusStartAdd_SD.h"
#include "mbus/UScanModbusStart.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

QString Lang(Integer n) { return Language_Texts->Strings(n); }

template <class T>
struct Dialog : ::testing::Test {
    T* form = nullptr;
    void SetUp() override
    {
        Load_Default_Texts();
        SW_Code = Const_SW_Code;
        form = new T(nullptr);
        form->AfterConstruction();
        form->Show();
    }
    void TearDown() override
    {
        delete form;
        EXPECT_EQ(DialogSeam::PendingAnswers(), 0);
    }
    void Screenshot(const char* name)
    {
        EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form), QString::fromLatin1(name)).isEmpty());
    }
};

using StartPosition = Dialog<TFScanModbusStart>;
using MeterStarts = Dialog<TFModbusStartAdd_SD>;
using KeyEntry = Dialog<TFInsertKeyWireless>;

TEST_F(StartPosition, AcceptsOneTo65535)
{
    EXPECT_EQ(form->Caption(), "Start Modbus Register");
    EXPECT_EQ(form->ClientWidth(), 331);
    EXPECT_EQ(form->ClientHeight(), 162);
    EXPECT_EQ(form->L_SW_Code->Caption(), Lang(2201));
    for (const char* bad : {"0", "65536", "abc", "", "-1"}) {
        form->E_StartModAdd->SetText(QString::fromLatin1(bad));
        form->SetModalResult(mrNone);
        EXPECT_EQ(OK_Fails(form, form->Btn_OK), Lang(2206)) << bad;
        // The user's text stays for correcting.
        EXPECT_EQ(form->E_StartModAdd->Text(), QString::fromLatin1(bad));
    }
    for (const char* good : {"1", "65535", "$10"}) {
        form->E_StartModAdd->SetText(QString::fromLatin1(good));
        form->SetModalResult(mrNone);
        OK_Passes(form, form->Btn_OK);
        EXPECT_EQ(form->StartModAdd, Text_To_Int(QString::fromLatin1(good), -1));
    }
    form->E_StartModAdd->SetText(QStringLiteral("100"));
    Screenshot("TFScanModbusStart");
}

TEST_F(MeterStarts, EachMetersStartMustBeOneTo59999)
{
    EXPECT_EQ(form->ClientWidth(), 511);
    EXPECT_EQ(form->L_SW_Code->Caption(), "SW59D16");
    EXPECT_EQ(form->sga->GetRowCount(), 31);
    EXPECT_EQ(form->sga->Columns()->Items(1)->Header(), Lang(2405));
    form->sga->SetRowCount(4);
    struct Case {
        const char* Cell;
        QString Box; // empty: accepted
    };
    const Case cases[] = {
        {"59999", {}}, {"1", {}}, {"60000", Lang(2408) + "2" + Lang(2410)}, {"0", Lang(2408) + "2" + Lang(2410)},
        {"abc", Lang(2408) + "2" + Lang(2410)}, {"", Lang(2408) + "2" + Lang(2409)},
    };
    for (const Case& c : cases) {
        for (Integer r = 1; r < 4; ++r) {
            form->sga->SetCellEx(0, r, QStringLiteral("%1 - 0000000%1").arg(r));
            form->sga->SetCellEx(1, r, QStringLiteral("1"));
        }
        // The fault sits in the second meter's row; the third row is faulty
        // too, but the first fault ends the check.
        form->sga->SetCellEx(1, 2, QString::fromLatin1(c.Cell));
        form->sga->SetCellEx(1, 3, c.Box.isEmpty() ? QStringLiteral("7") : QStringLiteral("0"));
        form->SetModalResult(mrNone);
        if (c.Box.isEmpty())
            OK_Passes(form, form->Btn_OK);
        else
            EXPECT_EQ(OK_Fails(form, form->Btn_OK), c.Box) << c.Cell;
    }
    Screenshot("TFModbusStartAdd_SD-filled");
    // Without any meter row the check passes.
    form->sga->SetRowCount(1);
    EXPECT_TRUE(form->Check_Data());
}

TEST_F(KeyEntry, TakesThirtyTwoHexadecimalDigits)
{
    EXPECT_EQ(form->ClientWidth(), 481);
    EXPECT_EQ(form->ClientHeight(), 47);
    EXPECT_EQ(form->BorderStyle(), bsNone);
    EXPECT_EQ(form->L_InsKey->Caption(), Lang(2300));
    const QString key = QStringLiteral("00112233445566778899AABBCCDDEEFF");
    struct Case {
        QString Text;
        Integer Box; // 0: accepted
    };
    const Case cases[] = {
        {key, 0},
        {key.left(31), 2304},
        {QString(), 2304},
        {key.left(31) + "G", 2303},
        {key.left(31) + " ", 2303},
    };
    for (const Case& c : cases) {
        form->E_Key->SetText(c.Text);
        form->SetModalResult(mrNone);
        if (c.Box == 0)
            OK_Passes(form, form->Btn_OK);
        else
            EXPECT_EQ(OK_Fails(form, form->Btn_OK), Lang(c.Box)) << c.Text.toStdString();
    }
    // Typed letters turn to upper case.
    form->E_Key->SetText(QString());
    TestInput::TypeText(form->E_Key, QStringLiteral("abcdef"));
    EXPECT_EQ(form->E_Key->Text(), "ABCDEF");
    Screenshot("TFInsertKeyWireless");
}

} // namespace
