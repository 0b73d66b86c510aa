#pragma once
// "Only changed pages": which pages of an image read from the chip differ from
// what the buffer wants there, so that Program writes only those and leaves the
// others' write cycles unspent.
#include <cstdint>
#include <string>
#include <vector>

#include "families/framework/FamilySession.h"

namespace quarvin {

// The option of the sessions whose Program can do it: "changed-only=on|off".
inline constexpr const char* kChangedOnlyOption = "changed-only";
FamilyOptionInfo ChangedOnlyOptionInfo();
// Sets changedOnly from "on" or "off"; the refusal's text for anything else.
std::string SetChangedOnly(const std::string& value, bool& changedOnly);

class ChangedPages {
public:
    // Compares count bytes page by page; the last page may be short.
    ChangedPages(const std::uint8_t* chip, const std::uint8_t* wanted, std::uint32_t count, std::uint32_t pageBytes);

    // Whether the page holding byte offset must be written.
    bool differs(std::uint32_t offset) const { return differs_[offset / pageBytes_]; }
    std::uint32_t pageBytes() const { return pageBytes_; }
    std::uint32_t pages() const { return static_cast<std::uint32_t>(differs_.size()); }
    std::uint32_t written() const { return written_; }
    std::uint32_t skipped() const { return pages() - written_; }
    // Runs of adjacent differing pages as [first, end) byte offsets.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> runs() const;
    // "changed only: 3 of 64 pages of 16 bytes written, 61 skipped"
    std::string note() const;

private:
    std::uint32_t count_;
    std::uint32_t pageBytes_;
    std::vector<bool> differs_;
    std::uint32_t written_ = 0;
};

} // namespace quarvin
