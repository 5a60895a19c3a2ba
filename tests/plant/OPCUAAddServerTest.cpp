// The OPC UA server dialog as a user works it: add mode starting over,
// modify mode keeping what the caller put in, the fields arranged by the
// authorization, the policy locked by security mode "None", and the checks
// of OK.
#include "plant/UOPC_UA_Add_Server.h"

#include "DescriptionFileTest.h"
#include "OkButton.h"
#include "Screenshot.h"

#include "controls/FxButton.h"
#include "platform/StdControls.h"
#include "platform/TestHooks.h"

namespace {

class OPCUAAddServerTest : public TDescriptionDialogTest<TFOPC_UA_Add_Server> {
protected:
    // Picks an entry of a list with the arrow keys, as a user does.
    static void Pick(TComboBox* list, Integer item)
    {
        for (Integer guard = 0; list->ItemIndex() != item && guard < 10; ++guard)
            TestInput::PressKey(list, list->ItemIndex() < item ? VK_DOWN : VK_UP);
        ASSERT_EQ(list->ItemIndex(), item);
    }
    static void Type(TWinControl* edit, const QString& text)
    {
        edit->SetText(QString());
        TestInput::TypeText(edit, text);
    }
    // Tops of the user name, certificate, security type, policy and
    // mnemonic rows, each -1 while hidden, and the client height.
    QList<Integer> Layout() const
    {
        auto top = [](TControl* c) { return c->Visible() ? c->Top() : -1; };
        return {top(dialog->E_User),     top(dialog->E_Pass),        top(dialog->RE_Certificate),
                top(dialog->RE_Priv_Key), top(dialog->CB_Sec_Type),  top(dialog->CB_Sec_Policy),
                top(dialog->E_Mnemonic), dialog->ClientHeight()};
    }
    void Screenshot(const char* name)
    {
        EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(dialog), QString::fromLatin1(name)).isEmpty());
    }
};

TEST_F(OPCUAAddServerTest, AddModeStartsOverAndTheAuthorizationArrangesTheFields)
{
    // What a previous showing left behind.
    dialog->CB_OPC_UA_Server_Enable->SetChecked(false);
    dialog->E_Server_Add->SetText("opc.tcp://old");
    dialog->E_User->SetText("old user");
    dialog->RE_Priv_Key->SetText("old key");
    dialog->CB_Auth->SetItemIndex(2);
    dialog->CB_Sec_Type->SetItemIndex(1);
    dialog->CB_Sec_Policy->SetItemIndex(3);
    dialog->FormType = 1;
    EXPECT_EQ(WhileShown([&] {
                  EXPECT_EQ(dialog->Caption(), "Add OPC UA Server");
                  EXPECT_EQ(dialog->L_SW_Desc->Caption(), "Add OPC UA Server");
                  EXPECT_EQ(dialog->ClientWidth(), 407);
                  EXPECT_TRUE(dialog->CB_OPC_UA_Server_Enable->Checked());
                  for (TCustomEdit* e : {static_cast<TCustomEdit*>(dialog->E_Server_Add), static_cast<TCustomEdit*>(dialog->E_User),
                                         static_cast<TCustomEdit*>(dialog->RE_Priv_Key)})
                      EXPECT_EQ(e->Text(), "");
                  EXPECT_EQ(dialog->CB_Auth->Text(), "Anonymous");
                  EXPECT_EQ(dialog->CB_Sec_Type->Text(), "None");
                  EXPECT_EQ(dialog->CB_Sec_Policy->Text(), "None");
                  EXPECT_FALSE(dialog->CB_Sec_Policy->Enabled());
                  EXPECT_EQ(dialog->E_Server_Add->Top(), 104);
                  EXPECT_EQ(dialog->CB_OPC_UA_Server_Enable->Top(), 75);
                  EXPECT_EQ(dialog->L_Sec_Type->Top(), 171);
                  EXPECT_EQ(Layout(), (QList<Integer>{-1, -1, -1, -1, 168, 200, 232, 308}));
                  Screenshot("TFOPC_UA_Add_Server-add");

                  Pick(dialog->CB_Auth, 2);
                  EXPECT_EQ(Layout(), (QList<Integer>{-1, -1, 168, 268, 368, 400, 432, 508}));
                  EXPECT_EQ(dialog->RE_Certificate->Height(), 89);
                  Type(dialog->RE_Certificate, "-----BEGIN CERTIFICATE-----");
                  Screenshot("TFOPC_UA_Add_Server-certificate");
                  Pick(dialog->CB_Auth, 1);
                  EXPECT_EQ(Layout(), (QList<Integer>{168, 200, -1, -1, 232, 264, 296, 372}));
                  Screenshot("TFOPC_UA_Add_Server-user");
                  Pick(dialog->CB_Auth, 0);
                  EXPECT_EQ(Layout(), (QList<Integer>{-1, -1, -1, -1, 168, 200, 232, 308}));

                  // A mode other than "None" frees the policy; "None" again
                  // resets and locks it.
                  Pick(dialog->CB_Sec_Type, 1);
                  EXPECT_TRUE(dialog->CB_Sec_Policy->Enabled());
                  Pick(dialog->CB_Sec_Policy, 4);
                  Pick(dialog->CB_Sec_Type, 2);
                  EXPECT_EQ(dialog->CB_Sec_Policy->ItemIndex(), 4);
                  Pick(dialog->CB_Sec_Type, 0);
                  EXPECT_EQ(dialog->CB_Sec_Policy->ItemIndex(), 0);
                  EXPECT_FALSE(dialog->CB_Sec_Policy->Enabled());

                  Type(dialog->E_Server_Add, "opc.tcp://plant:4840");
                  OK_Passes(dialog, dialog->Btn_OK);
              }),
              mrOk);
    // The hidden fields keep what they hold.
    EXPECT_EQ(dialog->RE_Certificate->Text(), "-----BEGIN CERTIFICATE-----");
}

TEST_F(OPCUAAddServerTest, OKChecksTheFieldsTheAuthorizationNeeds)
{
    const struct {
        const char* what;
        Integer auth;
        const char *address, *user, *password, *certificate, *key;
        Integer text;  // 0: passes
    } cases[] = {
        {"no address", 0, "", "", "", "", "", 5628},
        {"blank address", 0, "   ", "u", "p", "c", "k", 5628},
        {"anonymous needs nothing else", 0, "opc.tcp://a", "", "", "", "", 0},
        {"no user name", 1, "opc.tcp://a", " ", "p", "", "", 5629},
        {"no password", 1, "opc.tcp://a", "u", "  ", "", "", 5630},
        {"user and password", 1, "opc.tcp://a", "u", "p", "", "", 0},
        {"no certificate", 2, "opc.tcp://a", "", "", "", "k", 5631},
        {"no private key", 2, "opc.tcp://a", "", "", "c", "\r\n", 5632},
        {"certificate and key", 2, "opc.tcp://a", "", "", "c", "k", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dialog->FormType = 1;
        EXPECT_EQ(WhileShown([&] {
                      Pick(dialog->CB_Auth, c.auth);
                      dialog->E_Server_Add->SetText(c.address);
                      dialog->E_User->SetText(c.user);
                      dialog->E_Pass->SetText(c.password);
                      dialog->RE_Certificate->SetText(c.certificate);
                      dialog->RE_Priv_Key->SetText(c.key);
                      if (c.text) {
                          EXPECT_EQ(OK_Fails(dialog, dialog->Btn_OK), Language_Texts->Strings(c.text));
                          TestInput::Click(dialog->Btn_Cancel);
                      } else {
                          OK_Passes(dialog, dialog->Btn_OK);
                      }
                  }),
                  c.text ? mrCancel : mrOk);
    }
}

TEST_F(OPCUAAddServerTest, ATypedAuthorizationThatNamesNoItemKeepsTheArrangement)
{
    dialog->FormType = 1;
    EXPECT_EQ(WhileShown([&] {
                  Pick(dialog->CB_Auth, 2);
                  Type(dialog->CB_Auth, "Kerberos");
                  EXPECT_EQ(dialog->CB_Auth->ItemIndex(), -1);
                  EXPECT_EQ(Layout(), (QList<Integer>{-1, -1, 168, 268, 368, 400, 432, 508}));
                  // Neither user name nor certificate is asked for.
                  dialog->E_Server_Add->SetText("opc.tcp://a");
                  OK_Passes(dialog, dialog->Btn_OK);
              }),
              mrOk);
}

TEST_F(OPCUAAddServerTest, ModifyModeKeepsWhatTheCallerPutIn)
{
    dialog->FormType = 2;
    dialog->CB_OPC_UA_Server_Enable->SetChecked(false);
    dialog->E_Server_Add->SetText("opc.tcp://line1");
    dialog->E_User->SetText("operator");
    dialog->E_Pass->SetText("secret");
    dialog->E_Mnemonic->SetText("Line 1");
    dialog->CB_Auth->SetItemIndex(1);
    dialog->CB_Sec_Type->SetItemIndex(2);
    dialog->CB_Sec_Policy->SetItemIndex(5);
    EXPECT_EQ(WhileShown([&] {
                  EXPECT_EQ(dialog->Caption(), "Modify OPC UA Server");
                  EXPECT_EQ(dialog->L_SW_Desc->Caption(), "Modify OPC UA Server");
                  EXPECT_FALSE(dialog->CB_OPC_UA_Server_Enable->Checked());
                  EXPECT_EQ(Layout(), (QList<Integer>{168, 200, -1, -1, 232, 264, 296, 372}));
                  EXPECT_TRUE(dialog->CB_Sec_Policy->Enabled());
                  EXPECT_EQ(dialog->CB_Sec_Policy->Text(), "AES 256 SHA 256 RSA PSS");
                  Screenshot("TFOPC_UA_Add_Server-modify");
                  Pick(dialog->CB_Auth, 2);
                  Pick(dialog->CB_Auth, 1);
                  EXPECT_EQ(dialog->E_User->Text(), "operator");
                  TestInput::Click(dialog->Btn_Cancel);
              }),
              mrCancel);
}

TEST_F(OPCUAAddServerTest, TheTextsFollowTheLanguage)
{
    Language_Texts->Put(5606, QStringLiteral("Indirizzo Server"));
    Language_Texts->Put(5624, QStringLiteral("Conferma"));
    dialog->Set_Lang();
    EXPECT_EQ(dialog->L_Server_Add->Caption(), "Indirizzo Server");
    EXPECT_EQ(dialog->Btn_OK->Caption(), "Conferma");
    EXPECT_EQ(dialog->E_Server_Add->Hint(), Language_Texts->Strings(5607));
    Load_Default_Texts();
}

} // namespace
