#pragma once
// Files the user can name or place anywhere are read only when they are regular
// files of a sensible size: a directory, a pipe or a device (/dev/zero) would
// fail, block or never end.
#include <cstdint>
#include <optional>
#include <string>

namespace quarvin {

// Bounds for the files the program reads besides data files.
inline constexpr std::uint64_t kMaxSettingsFileBytes = std::uint64_t{1} << 20; // configuration, port file, .CON
inline constexpr std::uint64_t kMaxListFileBytes = std::uint64_t{16} << 20;    // device lists, IC libraries
inline constexpr std::uint64_t kMaxChipImageBytes = std::uint64_t{64} << 20;   // virtual chip contents

enum class FileProblem { None, Missing, NotRegular, TooLarge };

struct FileCheck {
    FileProblem problem = FileProblem::None;
    std::uint64_t size = 0; // bytes, for a regular file
    bool ok() const { return problem == FileProblem::None; }
    // What is wrong with the file, in words, naming it; empty when nothing is.
    std::string text(const std::string& path, std::uint64_t maxBytes) const;
};

// Whether path is a regular file (symbolic links followed) of at most maxBytes.
FileCheck CheckRegularFile(const std::string& path, std::uint64_t maxBytes);

// The whole content of a regular file of at most maxBytes; nothing otherwise, with
// the reason in *why when given.
std::optional<std::string> ReadRegularFile(const std::string& path, std::uint64_t maxBytes,
                                           std::string* why = nullptr);

} // namespace quarvin
