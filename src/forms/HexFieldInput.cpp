#include "forms/HexFieldInput.h"

#include "forms/HexText.h"

namespace quarvin {

bool TakeHexField(Control& field, std::string_view fieldName, std::uint32_t largest, std::int32_t& value,
                  std::string& refusals) {
    const HexField read = ReadHexField(field.text(), largest);
    if (read.ok()) value = static_cast<std::int32_t>(read.value);
    if (read.ok() || read.status == HexFieldStatus::NoNumber) return true;
    const auto kept = static_cast<std::uint32_t>(value);
    if (!refusals.empty()) refusals += '\n';
    refusals += HexFieldRefusal(fieldName, field.text(), read, largest, kept);
    field.setText(Format("%x", kept));
    return false;
}

} // namespace quarvin
