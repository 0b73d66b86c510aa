#pragma once
// A scratch folder for one test, named after the test and the process so that
// test programs running side by side never share one: empty at the start,
// removed at the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

namespace quarvin::test {

class ScratchDir {
public:
    explicit ScratchDir(const std::string& prefix = "quarvin") {
        std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(test.begin(), test.end(), '/', '_'); // parameterized tests' names hold a slash
        path_ = std::filesystem::temp_directory_path() / (prefix + "_" + test + "_" + std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ignored; // a folder already gone is no failure at the end of a test
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

} // namespace quarvin::test
