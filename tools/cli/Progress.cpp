#include "Progress.h"

#include "Language.h"
#include "forms/HexText.h"
#include "shell/RunLog.h"

namespace quarvin::cli {

namespace {

constexpr int kBarWidth = 30;
// JSON progress lines: at most ten a second.
constexpr auto kJsonInterval = std::chrono::milliseconds(100);

} // namespace

void ProgressDisplay::begin(const std::string& operation) {
    operation_ = operation;
    status_.clear();
    tenthsShown_ = 0;
    barDrawn_ = false;
    jsonShown_ = false;
}

void ProgressDisplay::status(const std::string& text) {
    status_ = text;
    if (style_ == ProgressStyle::Lines) err_ << operation_ << ": " << Shown(text) << '\n' << std::flush;
}

void ProgressDisplay::show(std::uint32_t address, std::uint32_t last) {
    const std::uint32_t reached = address > last ? last : address;
    const int percent = last == 0 ? 100 : static_cast<int>(std::uint64_t{reached} * 100 / last);
    switch (style_) {
    case ProgressStyle::Silent: return;
    case ProgressStyle::Json: {
        const auto now = std::chrono::steady_clock::now();
        if (jsonShown_ && now - lastJson_ < kJsonInterval) return;
        jsonShown_ = true;
        lastJson_ = now;
        err_ << "{\"op\":" << JsonString(operation_) << (port_.empty() ? "" : ",\"port\":" + JsonString(port_))
             << ",\"done\":" << reached << ",\"total\":" << std::uint64_t{last} + 1 << "}\n"
             << std::flush;
        return;
    }
    case ProgressStyle::Bar: {
        const int filled = percent * kBarWidth / 100;
        err_ << '\r' << operation_ << " [" << std::string(static_cast<std::size_t>(filled), '#')
             << std::string(static_cast<std::size_t>(kBarWidth - filled), '.') << "] "
             << Format("%06x %3d%%", address, percent) << std::flush;
        barDrawn_ = true;
        return;
    }
    case ProgressStyle::Lines: break;
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
