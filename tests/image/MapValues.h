#pragma once
// In-memory named values for the conversion tests: a row's attributes or
// ParGen.xml's elements, each present or missing.

#include <initializer_list>
#include <map>
#include <string>

#include "image/USaveBinccValues.h"

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
