#pragma once
// Golden wire files of the families built on the pattern form: the message a
// dialog ends with and every byte it sent, 32 bytes a line, compared line by
// line with tests/families/golden/<name>.wire. QUARVIN_UPDATE_GOLDEN=1 writes
// the files instead (once, from a stream checked by hand).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "forms/HexText.h"
#include "sim/Box.h"
#include "sim/VirtualBoxTransport.h"

namespace quarvin::test {

// Passes bytes to the virtual box and keeps a copy of everything written.
class TappedVirtualBox : public Transport {
public:
    TappedVirtualBox(std::shared_ptr<sim::Box> box, std::shared_ptr<std::vector<std::uint8_t>> tap)
        : inner_(std::move(box)), tap_(std::move(tap)) {}
    bool write(const std::uint8_t* data, std::size_t n) override {
        tap_->insert(tap_->end(), data, data + n);
        return inner_.write(data, n);
    }
    int readByte(int timeoutMs) override { return inner_.readByte(timeoutMs); }
    void purge() override { inner_.purge(); }
    void close() override { inner_.close(); }

private:
    sim::VirtualBoxTransport inner_;
    std::shared_ptr<std::vector<std::uint8_t>> tap_;
};

inline testing::AssertionResult MatchesGolden(const std::string& name, const std::string& message,
                                              const std::vector<std::uint8_t>& bytes) {
    std::ostringstream text;
    text << "message: " << message << "\n";
    for (std::size_t i = 0; i < bytes.size(); ++i)
        text << Format("%02x", bytes[i]) << ((i % 32 == 31 || i + 1 == bytes.size()) ? "\n" : " ");
    const auto file = std::filesystem::path(QUARVIN_SOURCE_DIR) / "tests/families/golden" / (name + ".wire");
    if (std::getenv("QUARVIN_UPDATE_GOLDEN")) {
        std::ofstream(file, std::ios::binary) << text.str();
        return testing::AssertionSuccess();
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) return testing::AssertionFailure() << "missing golden file " << file;
    std::istringstream got(text.str());
    std::string gl, wl;
    for (int line = 1; std::getline(in, wl); ++line) {
        if (!std::getline(got, gl)) return testing::AssertionFailure() << name << ": stream ends early at line " << line;
        if (gl != wl)
            return testing::AssertionFailure() << name << " line " << line << ": got \"" << gl << "\", recorded \"" << wl
                                               << "\"";
    }
    if (std::getline(got, gl)) return testing::AssertionFailure() << name << ": stream longer than recorded";
    return testing::AssertionSuccess();
}

} // namespace quarvin::test
