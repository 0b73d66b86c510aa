#pragma once
// The format dialog of Load and Save: the file format, the byte lanes a binary load
// keeps, and the buffer start and end fields. Created once and kept, so its
// selections and texts survive between uses.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "forms/Form.h"
#include "platform/Platform.h"

namespace quarvin {

class TFileFormat : public Form {
public:
    // RadioGroup1 items, in order.
    enum FormatItem { FormatBin = 0, FormatHex = 1, FormatJed = 2, FormatCds = 3, FormatSrec = 4, FormatElf = 5 };
    static constexpr std::int32_t kNoEndLimit = 0x400000;
    // The largest end limit the end field takes: six digits, as its "ffffff" shows.
    static constexpr std::uint32_t kLargestEndLimit = 0xFFFFFF;

    // Refused field values are told through `prompts` (none: kept silently).
    explicit TFileFormat(Prompts* prompts = nullptr);

    // Caption = file name; selects the format whose key equals the name's extension
    // (item 0 when none does) and enables the binary fields to match.
    void prepare(const std::string& fileName);
    // Save asks for no load mode, start or end: disables RadioGroup2, Edit1 and Edit2.
    void disableLoadFields();

    // The selected format key (".BIN", ".HEX", ".JED", ".CDS", ".S19", ".ELF"); empty after Cancel.
    std::string selectedKey() const;
    int laneMask() const { return laneMask_; }
    int laneSelect() const { return laneSelect_; }
    // Parsed by the last OK.
    std::int32_t startAddress() const { return startAddress_; }
    std::int32_t endLimit() const { return endLimit_; }

    // Handlers.
    void OKBtnClick();
    void CancelBtnClick();
    void OnRadioClick();
    void OnClick2();

    // The format key of an item caption: its first four characters in upper case.
    static std::string formatKey(std::string_view item);
    // Reads text the way scanf "%x" does into a signed 32-bit value; nothing when
    // no digits are found.
    static std::optional<std::int32_t> scanHex(std::string_view text);

private:
    Control& labelledEdit(const char* label, const char* caption, const char* edit, const char* text, int y);

    Prompts* prompts_;
    Control& format_;
    Control& mode_;
    Control& start_;
    Control& end_;
    int laneMask_ = 0;
    int laneSelect_ = 0;
    std::int32_t startAddress_ = 0;
    std::int32_t endLimit_ = kNoEndLimit;
};

} // namespace quarvin
