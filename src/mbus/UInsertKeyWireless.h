#pragma once
// The small borderless dialog in which the user types the AES-128 key of an
// encrypted wireless meter: 32 hexadecimal digits.

#include "platform/Form.h"

class TEdit;
class TFxButton;
class TLabel;
class TShape;

class TFInsertKeyWireless : public TForm {
public:
    explicit TFInsertKeyWireless(TComponent* AOwner);
    ~TFInsertKeyWireless() override;
    QString ClassName() const override { return QStringLiteral("TFInsertKeyWireless"); }

    void FormCreate(TObject* Sender);
    void Set_Lang();
    // Closes with OK for 32 upper-case hexadecimal digits; otherwise an
    // error box and the dialog stays open.
    void Btn_OKClick(TObject* Sender);
    // True when every character is 0..9 or A..F.
    static bool Check_Data(const QString& Key);

    TShape* Shape1;
    TLabel* L_InsKey;
    TEdit* E_Key;
    TFxButton* Btn_OK;
    TFxButton* Btn_Cancel;
};

// The one instance, made at start-up.
extern TFInsertKeyWireless* FInsertKeyWireless;
