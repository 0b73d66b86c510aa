#pragma once
// The window's serial number: whether Programe and Auto write one, where and how
// (the same "ADDR:FORMAT:START:STEP" numbering the command line's --serial takes),
// and the counter file, shared with the command line. Kept in serial.ini in the
// program directory, apart from the configuration file whose fixed lines older
// versions read.
//
// File text, one "key=value" a line: "on=1", "serial=7FC:be16:1000:1",
// "counter=serial.cnt". Unknown keys are ignored; a value that does not read
// leaves the setting at its default.
#include <string>

#include "buffer/SerialNumber.h"
#include "families/framework/SerialSource.h"

namespace quarvin {

inline constexpr const char* kSerialSettingsFileName = "serial.ini";

struct SerialSettings {
    bool on = false;
    SerialSpec spec;
    std::string counterFile = "serial.cnt"; // relative names are in the program directory
};

// "7FC:be16:1000:1", as ParseSerialSpec reads it back.
std::string SerialSpecText(const SerialSpec& spec);

SerialSettings ParseSerialSettings(const std::string& text);
std::string FormatSerialSettings(const SerialSettings& settings);

// The settings of a program directory, read at start-up and written by the
// dialog's OK, and the counter they name, as the window's dialogs take from it.
class WindowSerialNumbers : public SerialSource {
public:
    explicit WindowSerialNumbers(std::string programDir);

    const SerialSettings& settings() const { return settings_; }
    // Takes new settings and writes them; the error text, empty when written.
    std::string store(const SerialSettings& settings);
    std::string counterPath() const;

    std::optional<SerialSpec> active() const override;
    SerialTicket take() override;
    std::string giveBack(std::uint64_t number) override;

private:
    std::string dir_;
    SerialSettings settings_;
};

} // namespace quarvin
