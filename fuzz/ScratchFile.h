#pragma once
// The readers that take a path (or a program directory) get the fuzzer's bytes
// through a file in a folder of this process's own.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace quarvin::fuzz {

inline const std::filesystem::path& ScratchDir() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("quarvin_fuzz_" + std::to_string(getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

inline std::string WriteScratch(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::string path = (ScratchDir() / name).string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

} // namespace quarvin::fuzz
