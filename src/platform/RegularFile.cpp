#include "platform/RegularFile.h"

#include <cstdio>
#include <filesystem>

namespace quarvin {

std::string FileCheck::text(const std::string& path, std::uint64_t maxBytes) const {
    switch (problem) {
    case FileProblem::None: return {};
    case FileProblem::Missing: return path + ": no such file";
    case FileProblem::NotRegular: return path + " is not a regular file (a directory, a device or a pipe)";
    case FileProblem::TooLarge:
        return path + " has " + std::to_string(size) + " bytes, more than the " + std::to_string(maxBytes) +
               " such a file can have";
    }
    return {};
}

FileCheck CheckRegularFile(const std::string& path, std::uint64_t maxBytes) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) return {FileProblem::Missing, 0};
    if (!fs::is_regular_file(status)) return {FileProblem::NotRegular, 0};
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) return {FileProblem::Missing, 0};
    if (size > maxBytes) return {FileProblem::TooLarge, size};
    return {FileProblem::None, size};
}

std::optional<std::string> ReadRegularFile(const std::string& path, std::uint64_t maxBytes, std::string* why) {
    const FileCheck check = CheckRegularFile(path, maxBytes);
    const auto fail = [&](std::string text) -> std::optional<std::string> {
        if (why) *why = std::move(text);
        return std::nullopt;
    };
    if (!check.ok()) return fail(check.text(path, maxBytes));
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return fail("cannot open " + path);
    std::string content(static_cast<std::size_t>(check.size), '\0');
    const std::size_t got = content.empty() ? 0 : std::fread(content.data(), 1, content.size(), f);
    // A file that grew meanwhile is read up to the size found: still bounded.
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return fail("cannot read " + path);
    content.resize(got);
    return content;
}

} // namespace quarvin
