#pragma once
// Helpers of the file format tests: a scratch directory per test, whole-file
// reads and writes, and buffers to load into.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>

#include "buffer/MainBuffer.h"

namespace quarvin::test {

class ScratchDir {
public:
    ScratchDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("quarvin-formats-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() { std::filesystem::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline void writeFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

inline std::string readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// A buffer as at program start (all 0xFF).
inline std::unique_ptr<MainBuffer> startBuffer() {
    auto b = std::make_unique<MainBuffer>();
    b->initialise();
    return b;
}

// Bytes that differ from address to address and across 64 KiB pages.
inline std::string pattern(std::size_t n, unsigned seed = 1) {
    std::string s(n, '\0');
    std::uint32_t x = seed * 2654435761u + 12345u;
    for (auto& c : s) c = static_cast<char>((x = x * 1103515245u + 12345u) >> 16);
    return s;
}

inline std::string bufferBytes(const MainBuffer& b, std::uint32_t from, std::uint32_t n) {
    return std::string(reinterpret_cast<const char*>(b.data()) + from, n);
}

} // namespace quarvin::test
