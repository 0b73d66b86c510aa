#pragma once
// Taking a typed hexadecimal field of a form into the value behind it.
#include <cstdint>
#include <string>
#include <string_view>

#include "forms/Form.h"

namespace quarvin {

// Reads `field` with ReadHexField. A number the field can hold becomes `value`;
// text without a number keeps `value`. A refused number keeps `value`, shows it
// back in the field, adds a line saying so to `refusals` and returns false.
bool TakeHexField(Control& field, std::string_view fieldName, std::uint32_t largest, std::int32_t& value,
                  std::string& refusals);

} // namespace quarvin
