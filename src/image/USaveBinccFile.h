#pragma once
// A configuration file as the compiler's readers see it: loaded whole, its
// root taken as the document element, the root's child elements read by
// name as values, and a table's rows visited in document order.

#include <functional>
#include <memory>

#include <QString>

#include "image/USaveBinccValues.h"

class TConfig_File {
public:
    TConfig_File();
    ~TConfig_File();
    TConfig_File(const TConfig_File&) = delete;
    TConfig_File& operator=(const TConfig_File&) = delete;

    static bool Exists(const QString& path);

    // Loads the file; on failure returns false with the error box's text.
    bool Load(const QString& path, QString& error);

    // The root's child elements, their texts as values.
    const TNamed_Values& Root_Values() const;

    // Calls row for each row of the root's child element table, in document
    // order; false when the root has no such element.
    bool Visit_Table(const char* table, const std::function<void(const TNamed_Values&)>& row) const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> Impl;
};

// The error text for a table element that a configuration file lacks.
QString Missing_Table_Message(const QString& path, const char* table);
