#pragma once
// Where the window's Programe and Auto get the serial number they write into the
// buffer: the "Serial number" dialog's settings and the counter file behind them.
#include <cstdint>
#include <optional>
#include <string>

#include "buffer/SerialNumber.h"

namespace quarvin {

struct SerialTicket {
    std::optional<std::uint64_t> number;
    std::string error; // why no number could be taken
};

class SerialSource {
public:
    virtual ~SerialSource() = default;
    // The numbering in force; nothing when the serial number is off.
    virtual std::optional<SerialSpec> active() const = 0;
    // Reserves the next number.
    virtual SerialTicket take() = 0;
    // A run that did not succeed hands its number back for the next chip; the
    // error text, empty when done.
    virtual std::string giveBack(std::uint64_t number) = 0;
};

} // namespace quarvin
