#pragma once
// The kinds of control the general parameters window's panels are made of.

#include <array>
#include <cstddef>

class TCategoryPanel;
class TControl;
class TLabel;
class TEdit;
class TComboBox;
class TCheckBox;

// Four edits of an IPv4 address, mask, gateway or DNS row and its three dots.
struct TOctetRow {
    std::array<TEdit*, 4> Edit{};
    std::array<TLabel*, 3> Dot{};
    // Edit i of the row (0: the first octet).
    TEdit* operator[](size_t i) const { return Edit[i]; }
};
