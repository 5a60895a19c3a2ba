#pragma once
// The EtherNet/IP EDS reader: takes a device's identity from the [Device]
// section of its Electronic Data Sheet and every connection of its
// [Connection Manager] section (header formats, configuration reference,
// instances and connection points decoded from the connection path), lists
// the connections and lets the user choose the one the scanner rule uses.

#include <vector>

#include <QStringList>

#include "shell/DialogFrame.h"

class TExColumnGrid;
class TStringList;
class TTimer;

// One connection of the [Connection Manager] section.
struct TConnData {
    Integer ConnIndex = 0;  // 1-based place in the list
    QString ConnName;       // field 12, trimmed, quotes kept
    QString HelpStr;        // field 13, trimmed, quotes kept
    Byte DimHeaderTO = 0;   // real-time format target to originator
    Byte DimHeaderOT = 4;   // real-time format originator to target
    Cardinal InstanceTO = 30;
    Cardinal ConnPointTO = 0;
    Cardinal InstanceOT = 30;
    Cardinal ConnPointOT = 0;
    QString TargetConfSize;    // field 10, trimmed
    QString TargetConfFormat;  // field 11, trimmed
};

// What the reader takes from a file: the identity (0 where the file lacks
// it) and the connections in file order.
struct TEDS_Contents {
    Word VendCode = 0;
    Word ProdType = 0;
    Word ProdCode = 0;
    Byte MajRev = 0;
    Byte MinRev = 0;
    std::vector<TConnData> List_Conn;
};

// The largest EDS file read; a larger one is taken as unreadable.
constexpr qint64 Max_EDS_File_Size = 8 * 1024 * 1024;
// The bytes of a connection path that are kept; the rest are left out.
constexpr Integer Max_Path_Bytes = 1001;

// The lines of an EDS file; false (Lines emptied) when it is missing,
// unreadable or larger than Max_EDS_File_Size.
bool Load_EDS_Lines(const QString& FileName, QStringList& Lines);
// A line as every search reads it: trimmed, cut before its first "$" (a
// comment) and trimmed again.
QString EDS_Line(const QString& Line);
// Reads the identity and the connections from the lines of a file.
void Read_EDS(const QStringList& Lines, TEDS_Contents& Contents);
// The value of a [Device] key in an upper-cased line: from the second
// character after the key up to the first ";", trimmed, as an integer; 0
// when unreadable or without ";".
Integer GetDeviceValue(const QString& Line, const QString& Key);
// Splits a connection entry at "," and ";" outside double quotes; quotes stay
// in the fields, fields are not trimmed, a last empty field is left out.
void Split_EDS_Fields(const QString& Text, QStringList& List);
// Decodes one connection entry; appends it when it is a connection.
void DecodeConnStr(const QString& Entry, std::vector<TConnData>& List);

class TFEtherNEtIP_EDS : public TStepDialog {
public:
    explicit TFEtherNEtIP_EDS(TComponent* AOwner);
    ~TFEtherNEtIP_EDS() override;
    QString ClassName() const override { return QStringLiteral("TFEtherNEtIP_EDS"); }

    void FormCreate(TObject* Sender);
    // Reads EDS_FileName and lists its connections.
    void FormShow(TObject* Sender);
    void Set_Lang();
    void ShowDatainGrid();
    // With no connection: the error box, then the dialog closes with Cancel.
    void TCloseTimer(TObject* Sender);

    TExColumnGrid* ACG;
    TTimer* TClose;

    // Set by the caller before showing.
    QString EDS_FileName;
    // The file's connections; grid row r is entry r - 1.
    std::vector<TConnData> List_Conn;
    Word VendCode = 0;
    Word ProdType = 0;
    Word ProdCode = 0;
    Byte MajRev = 0;
    Byte MinRev = 0;
};

extern TFEtherNEtIP_EDS* FEtherNEtIP_EDS;
