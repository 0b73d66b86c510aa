#pragma once
// The family names of the device list and the dialog class each one opens, in the
// order they are compared.
#include <array>
#include <string>

namespace quarvin {

struct DispatchRow {
    const char* family;  // first word of a type's parameter field, compared whole and case-sensitively
    const char* dialog;  // family dialog class
};

extern const std::array<DispatchRow, 54> DispatchTable;

// The dialog class of a family name, or nullptr when no row has it.
const char* DialogClassOf(const std::string& family);

} // namespace quarvin
