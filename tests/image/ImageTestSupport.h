#pragma once
// Helpers of the compiler tests: in-memory named values (a row's attributes
// or ParGen.xml's elements, each present or missing) and a regional decimal
// separator set for the length of a test.

#include <initializer_list>
#include <map>
#include <string>

#include "image/USaveBinccValues.h"
#include "platform/Locale.h"

struct TMap_Values : TNamed_Values {
    std::map<std::string, QString> Values;
    TMap_Values(std::initializer_list<std::pair<const std::string, QString>> v) : Values(v) {}
    bool Value(const char* name, QString& text) const override
    {
        const auto it = Values.find(name);
        if (it == Values.end())
            return false;
        text = it->second;
        return true;
    }
};

struct TRegional_Separator {
    explicit TRegional_Separator(const char* separator) { SetRegionalDecimalSeparator(QLatin1String(separator)); }
    ~TRegional_Separator() { ResetFormatSettings(); }
    TRegional_Separator(const TRegional_Separator&) = delete;
    TRegional_Separator& operator=(const TRegional_Separator&) = delete;
};
