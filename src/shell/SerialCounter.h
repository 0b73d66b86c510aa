#pragma once
// The counter file of serial numbers (serial.cnt in the program directory): the
// next number to hand out, and the numbers of failed runs handed back for the
// next chips. Every change holds an exclusive lock on FILE.lock and replaces the
// file whole (written, flushed to disk, renamed), so processes and threads that
// share the counter never get the same number and a crash never leaves half a file.
//
// File text: the next number on the first line; when runs handed numbers back
// out of order, a second line "returned N N ...".
#include <cstdint>
#include <optional>
#include <string>

#include "buffer/SerialNumber.h"

namespace quarvin {

inline constexpr const char* kSerialCounterFileName = "serial.cnt";

struct SerialTake {
    std::optional<std::uint64_t> number;
    std::string error; // the counter cannot be read or written, or the numbers are used up
};

class SerialCounter {
public:
    SerialCounter(std::string path, SerialSpec spec) : path_(std::move(path)), spec_(spec) {}
    // Reserves the next number: a handed-back one first (the smallest), else the
    // counter's next (the setting's start number when there is no file yet), which moves on
    // by the step.
    SerialTake take();
    // A run that did not end in success gives its number back for the next chip;
    // the error text, empty when done.
    std::string giveBack(std::uint64_t number);
    const std::string& path() const { return path_; }
    const SerialSpec& spec() const { return spec_; }

private:
    std::string path_;
    SerialSpec spec_;
};

} // namespace quarvin
