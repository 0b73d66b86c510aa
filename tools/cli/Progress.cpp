#include "Progress.h"

#include "Language.h"
#include "forms/HexText.h"

namespace quarvin::cli {

namespace {

constexpr int kBarWidth = 30;

} // namespace

void ProgressDisplay::begin(const std::string& operation) {
    operation_ = operation;
    status_.clear();
    tenthsShown_ = 0;
    barDrawn_ = false;
}

void ProgressDisplay::status(const std::string& text) {
    status_ = text;
    if (!terminal_) err_ << operation_ << ": " << Shown(text) << '\n' << std::flush;
}

void ProgressDisplay::show(std::uint32_t address, std::uint32_t last) {
    const std::uint32_t reached = address > last ? last : address;
    const int percent = last == 0 ? 100 : static_cast<int>(std::uint64_t{reached} * 100 / last);
    if (terminal_) {
        const int filled = percent * kBarWidth / 100;
        err_ << '\r' << operation_ << " [" << std::string(static_cast<std::size_t>(filled), '#')
             << std::string(static_cast<std::size_t>(kBarWidth - filled), '.') << "] "
             << Format("%06x %3d%%", address, percent) << std::flush;
        barDrawn_ = true;
        return;
    }
    const int tenths = percent / 10;
    if (tenths <= tenthsShown_) return;
    tenthsShown_ = tenths;
    err_ << operation_ << ": " << tenths * 10 << "% " << Format("(%06x)", address) << '\n' << std::flush;
}

void ProgressDisplay::end() {
    if (barDrawn_) err_ << '\n' << std::flush;
    barDrawn_ = false;
}

} // namespace quarvin::cli
