#pragma once
// The configuration an EtherNet/IP target takes when its connection opens:
// the members of its configuration assembly, each a parameter of the EDS
// file's [Params] section (with its named values, where it has them), and
// the data segment those parameters' values make.

#include <vector>

#include <QStringList>

#include "platform/Types.h"

// One named value of a parameter.
struct TTC_EnumObj {
    Integer Value = 0;
    QString Description;
};

// One member of the configuration assembly.
class TTC_ParamObj {
public:
    QString BitSize;    // the member's size in the assembly entry, in bits
    QString ParamName;  // the member's reference (Param5)
    QString Name;
    Integer DataSizeByte = 0;  // bytes of the value in the data segment
    Integer DataType = 0;      // CIP data type code
    Int64 Min = 0;
    Int64 Max = 0;
    Int64 Default = 0;
    Int64 Value = 0;
    bool Enum = false;
    std::vector<TTC_EnumObj> ListEnum;
    QStringList EnumString;  // the descriptions, in the same order

    // The description of the first named value equal to Value; empty when
    // none is.
    QString GetEnumString() const;
    // The value named Text; Default when none is.
    Int64 SetValueFromEnum(const QString& Text) const;
};

// A target's configuration assembly; copies are deep.
class TTargetConfig {
public:
    QString FileName;  // the EDS file it was decoded from
    QString Size;      // configuration size in bytes, as the connection gives it
    QString Format;    // the assembly's key (Assem100)
    QString AO_Name;
    QString AO_SizeBit;
    std::vector<TTC_ParamObj> ListParamObject;

    // Decodes the assembly named by Format from FileName. A missing file or
    // assembly leaves no parameters; a member the [Params] section lacks, or
    // gives too few fields, throws EConvertError.
    void DecodeTargetConf();
    // The data segment: each parameter's DataSizeByte bytes of Value, least
    // significant first, as "0x" and two upper-case digits, joined by ",",
    // padded with "0x00" up to Size bytes; never longer than
    // Max_Config_Bytes bytes.
    QString GetConfigStrData() const;

    // The assembly entry named Format in the [Assembly] section; empty when
    // none.
    static QString Find_Assembly_Object(const QStringList& Lines, const QString& Format);
    // Fills AO_Name, AO_SizeBit and the parameters from an assembly entry.
    void DecodeAssemblyObj(const QString& Entry, const QStringList& Lines);
    // The parameter entry of a member reference and the entry of its named
    // values in the [Params] section; empty where the section lacks them.
    static void find_Param_Enum_Object(const QString& Reference, const QStringList& Lines, QString& Param,
                                       QString& Enum);
};

// The most bytes a data-segment text holds (far above what a connection can
// carry, so that the rule's check still refuses it).
constexpr Integer Max_Config_Bytes = 65535;
// The most members an assembly may have.
constexpr Integer Max_Assembly_Members = 1024;

// Splits an EDS entry into its fields: the text trimmed, without a final
// ";", cut at each ","; an item beginning with a double quote is a quoted
// string (a doubled quote stands for one), and text after its closing quote
// up to the next "," is an item of its own.
QStringList Split_Config_Fields(const QString& Text);
