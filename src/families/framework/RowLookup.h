#pragma once
// A family's row of a sub-type number: numbers outside the table get row 0,
// the placeholder for an unknown sub-type.
#include <cstddef>

namespace quarvin {

template <class Rows>
const auto& RowOrPlaceholder(const Rows& rows, int subType) {
    const bool inTable = subType >= 0 && static_cast<std::size_t>(subType) < rows.size();
    return rows[inTable ? static_cast<std::size_t>(subType) : 0];
}

} // namespace quarvin
