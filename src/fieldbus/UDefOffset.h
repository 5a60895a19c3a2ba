#pragma once
// The DeviceNet offsets: for every input and output byte of every slave of
// the DeviceNet network table, its position in the converter's internal
// data array (or "None": not passed on) and a mnemonic. The slaves come from
// DNETM_Net.xml (read only); the positions are kept in DNETM_DefOff.xml, the
// n-th node of which belongs to the n-th slave.

#include <memory>
#include <vector>

#include <QStringList>

#include "shell/DialogFrame.h"

class TExColumnGrid;
class TPageControl;
class TPanel;
class TSplitter;
class TTabSheet;

// One slave and the placement of its bytes.
struct TSlave_DN {
    Byte ID = 0;
    Word ByteIN = 0;
    Word ByteOUT = 0;
    QStringList SL_ByteIN;  // "None" or "0" .. "1439", one per input byte
    QStringList SL_ByteIN_M;
    QStringList SL_ByteOUT;
    QStringList SL_ByteOUT_M;
};

class TFDefOffset : public TStepDialog {
public:
    explicit TFDefOffset(TComponent* AOwner);
    ~TFDefOffset() override;
    QString ClassName() const override { return QStringLiteral("TFDefOffset"); }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Set_Lang();
    // Shows the bytes of the slave of the current row, after storing those
    // of the slave shown before.
    void ACG_DN_SlavesClick(TObject* Sender);
    // Stores the shown slave's bytes, checks and writes the file.
    void bitbtn1Click(TObject* Sender);

    // The slaves of DNETM_Net.xml; false when a required attribute is
    // missing or a number does not read (reported).
    bool Load_Slave_DN();
    bool Load_Offset_Slave_DN();
    void Select_First();
    void Update_Slave_DN();
    bool Save_Data_ByteIN_ByteOUT();
    void Reset_Array_Check();
    // True when no array position is taken by two output bytes; else shows
    // the first conflict.
    bool Check_Data();
    // Writes DNETM_DefOff.xml; false (reported) when it cannot.
    bool Save_Offset_Slave_DN();

    TPanel* Panel1;
    TExColumnGrid* ACG_DN_Slaves;
    TSplitter* Splitter1;
    TPanel* Panel3;
    TLabel* Label2;
    TLabel* Label3;
    TPageControl* PageControl1;
    TTabSheet* TabSheet1;
    TTabSheet* TabSheet2;
    TExColumnGrid* ACG_ByteIN;
    TExColumnGrid* ACG_ByteOUT;

    std::vector<std::unique_ptr<TSlave_DN>> List_Slaves_DN;
    Integer Slave_Before_Select = -1;
    Integer MAX_BYTE_IN = 0;
    Integer MAX_BYTE_OUT = 0;
    // Per array position: the slave ID and byte index that took it, or -1.
    struct TByteOwner {
        Integer ID = -1;
        Integer Byte = -1;
    };
    std::vector<TByteOwner> Check_Byte_Offset;

private:
    void Fill_Offset_Items(TExColumnGrid* Grid);
};

// The positions offered in the internal data array.
constexpr Integer DN_Array_Positions = 1440;

extern TFDefOffset* FDefOffset;
