#pragma once
// The IEC 61850 model of one SCL file (ICD, CID, SCD ...) as the client
// window shows it: the IED's logical devices, their logical nodes, the data
// objects and attributes taken from the type templates, and the data sets of
// each node with their members resolved to attribute objects and the name of
// the GOOSE control block that publishes them. Only what the client needs is
// read; everything else in the file is ignored.
//
// A device owns its whole tree. Data-set members are borrowed attributes of
// the same device. TreeNode fields belong to the window that shows the
// device: the model never reads them.

#include "platform/Object.h"
#include "platform/Types.h"

#include <QString>
#include <memory>
#include <vector>

class TTreeNode;
class TXMLNode;
class TIEC_Device;
class TSCL_Templates; // the reader's view of DataTypeTemplates

// The most objects (devices, nodes, data objects, attributes, data sets) one
// file's model may have; a file whose templates multiply past it is refused.
constexpr Integer IEC_Max_Model_Objects = 500000;

// A data attribute (DA) or one of its sub-attributes (BDA).
class TIEC_DA : public TObject {
public:
    ~TIEC_DA() override;
    QString ClassName() const override { return QStringLiteral("TIEC_DA"); }

    QString fReference; // full object reference, e.g. IED1CTRL/Q0XCBR1.Pos.stVal
    QString fFC;        // functional constraint, inherited by sub-attributes
    QString fbType;     // basic type as written in the file
    QString fName;
    std::vector<std::unique_ptr<TIEC_DA>> List_DA;
    TTreeNode* TreeNode = nullptr;

    // Depth-first through the sub-attributes: each one by its name, then its
    // own sub-attributes, before the next.
    TIEC_DA* Find_DA(const QString& name) const;
    // The first leaf below this attribute; nothing without sub-attributes.
    TIEC_DA* Find_First_DA() const;

    // Reading step: one DA or BDA element.
    void Decode_DA(const TXMLNode& element, TSCL_Templates& templates, const QString& FC_Father,
                   const QString& reference);
};

// A data object (DO) or sub-data object (SDO).
class TIEC_DO : public TObject {
public:
    ~TIEC_DO() override;
    QString ClassName() const override { return QStringLiteral("TIEC_DO"); }

    QString fName;
    std::vector<std::unique_ptr<TIEC_DO>> List_DO; // sub-data objects
    std::vector<std::unique_ptr<TIEC_DA>> List_DA;
    TTreeNode* TreeNode = nullptr;

    // Depth-first through the sub-data objects.
    TIEC_DO* Find_DO(const QString& name) const;
    // Depth-first through the attributes (sub-data objects are not searched).
    TIEC_DA* Find_DA(const QString& name) const;
    // The first attribute if it is a leaf, else its first leaf; nothing
    // without attributes.
    TIEC_DA* Find_First_DA() const;

    // Reading step: one DO or SDO element.
    void Decode_DO(const TXMLNode& element, TSCL_Templates& templates, const QString& reference);
};

// A data set of a logical node; its members are borrowed.
class TIEC_DataSet : public TObject {
public:
    QString ClassName() const override { return QStringLiteral("TIEC_DataSet"); }

    QString fName;
    QString fReference;  // logical-device reference + "/" + lnClass + "." + name
    QString fGooseName;  // GOOSE control block publishing it; empty for none
    std::vector<TIEC_DA*> List_DA;
    TTreeNode* TreeNode = nullptr;

    // Reading step: one DataSet element, its FCDA members looked up in device.
    void Decode_DataSet(const TXMLNode& element, TSCL_Templates& templates, const TIEC_Device& device,
                        const QString& reference);
};

// A logical node, from an LN0 or LN element.
class TIEC_LN : public TObject {
public:
    ~TIEC_LN() override;
    QString ClassName() const override { return QStringLiteral("TIEC_LN"); }

    QString flnClass;
    QString flnType;
    QString fPrefix;
    QString fInst;
    std::vector<std::unique_ptr<TIEC_DO>> List_DO;
    std::vector<std::unique_ptr<TIEC_DataSet>> List_DataSet;
    TTreeNode* TreeNode = nullptr;

    TIEC_DO* Find_DO(const QString& name) const;

    // Reading steps: the data objects (first pass), the data sets and their
    // GOOSE names (second pass).
    void Decode_LN(const TXMLNode& element, TSCL_Templates& templates, const QString& reference);
    void Decode_LN_DataSet(const TXMLNode& element, TSCL_Templates& templates, const TIEC_Device& device,
                           const QString& reference);
    void Decode_LN_Goose(const TXMLNode& element, const QString& reference);
};

// A logical device.
class TIEC_LDevice : public TObject {
public:
    ~TIEC_LDevice() override;
    QString ClassName() const override { return QStringLiteral("TIEC_LDevice"); }

    QString fName; // its "inst"
    std::vector<std::unique_ptr<TIEC_LN>> List_LN;
    TTreeNode* TreeNode = nullptr;

    // The first logical node of that class (prefix and inst not compared).
    TIEC_LN* Find_LN(const QString& lnClass) const;

    // Reading step: the model (DataSetSearch false) or the data sets (true).
    void Decode_LDevice(const TXMLNode& element, TSCL_Templates& templates, const TIEC_Device& device,
                        bool DataSetSearch, const QString& reference);
};

// One SCL file.
class TIEC_Device : public TObject {
public:
    ~TIEC_Device() override;
    QString ClassName() const override { return QStringLiteral("TIEC_Device"); }

    // Reads the file at path. A missing file, or one without the SCL, IED
    // or DataTypeTemplates element, gives an empty device; one without
    // AccessPoint or Server a device with its name only. A file that is not
    // well-formed XML gives no device, and Error holds the parser's message;
    // so does a model of more than IEC_Max_Model_Objects objects, Error then
    // naming the file.
    static std::unique_ptr<TIEC_Device> Create(const QString& path, QString& Error);

    QString fName;     // the IED's name
    QString fFileName; // the file's name, without its folder
    std::vector<std::unique_ptr<TIEC_LDevice>> List_LDevice;
    TTreeNode* TreeNode = nullptr;

    // The logical device whose inst is name.
    TIEC_LDevice* Find_LDevice(const QString& name) const;

private:
    TIEC_Device() = default;
    // False when the file is not well-formed XML.
    bool Decode_Device(const QString& path, QString& Error);
};
