#pragma once
// Helpers of the file format tests: a scratch directory per test and whole-file
// reads and writes.
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
                ("quarvin-formats-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
                 std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() { std::filesystem::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// A buffer as at program start.
inline std::unique_ptr<MainBuffer> startBuffer() {
    auto b = std::make_unique<MainBuffer>();
    b->initialise();
    return b;
}

// Bytes that differ from address to address and across 64 KiB pages.
inline std::string pattern(std::size_t n, unsigned seed = 1) {
    std::string s(n, '\0');
    std::uint32_t x = seed * 2654435761u + 12345u;
    for (std::size_t i = 0; i < n; ++i) {
        x = x * 1103515245u + 12345u;
        s[i] = static_cast<char>(x >> 16);
    }
    return s;
}

inline std::string bufferBytes(const MainBuffer& b, std::uint32_t from, std::uint32_t n) {
    return std::string(reinterpret_cast<const char*>(b.data()) + from, n);
}

} // namespace quarvin::test
