#pragma once
// A program directory with the shipped device lists, the fake platform and a port
// opener that connects the in-process virtual box and records every byte sent to
// it, noting for each write whether the configuration file existed at that moment.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/DeviceListSource.h"
#include "shell/ConfigFile.h"
#include "shell/Program.h"
#include "sim/VirtualBoxTransport.h"
#include "support/FakePlatform.h"

namespace quarvin::test {

struct WireLog {
    std::vector<std::uint8_t> bytes;
    std::vector<bool> configPresent;  // per byte: the configuration file existed when it was sent
    bool failWrites = false;
    std::string configPath;
};

class TeeTransport : public Transport {
public:
    TeeTransport(std::unique_ptr<Transport> inner, std::shared_ptr<WireLog> log)
        : inner_(std::move(inner)), log_(std::move(log)) {}
    bool write(const std::uint8_t* data, std::size_t n) override {
        if (log_->failWrites) return false;
        bool present = std::filesystem::exists(log_->configPath);
        for (std::size_t i = 0; i < n; ++i) {
            log_->bytes.push_back(data[i]);
            log_->configPresent.push_back(present);
        }
        return inner_->write(data, n);
    }
    int readByte(int timeoutMs) override { return inner_->readByte(timeoutMs); }
    void purge() override { inner_->purge(); }
    void close() override { inner_->close(); }

private:
    std::unique_ptr<Transport> inner_;
    std::shared_ptr<WireLog> log_;
};

class TeeOpener : public PortOpener {
public:
    explicit TeeOpener(std::shared_ptr<WireLog> log) : log_(std::move(log)) {}
    OpenedPort open(const std::string& name) override {
        ++opens;
        OpenedPort p = inner_.open(name);
        if (p.transport) p.transport = std::make_unique<TeeTransport>(std::move(p.transport), log_);
        return p;
    }
    int opens = 0;
    const std::shared_ptr<sim::Box>& box() const { return inner_.box(); }

private:
    sim::VirtualPortOpener inner_;
    std::shared_ptr<WireLog> log_;
};

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = (std::filesystem::path(QUARVIN_BINARY_DIR) / "shell-program" / info->name()).string() + "/";
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        std::ifstream src(std::string(QUARVIN_SOURCE_DIR) + "/data/devices.src");
        ASSERT_TRUE(src) << "device list source missing";
        GeneratedLists lists = GenerateDeviceLists(src);
        ASSERT_TRUE(lists.problems.empty());
        for (auto& [name, text] : lists.files) std::ofstream(dir + name, std::ios::binary) << text;
        wire->configPath = shell::ConfigPath(dir);
    }

    // A fresh run of the program in the same directory.
    std::unique_ptr<Program> Run(bool connect) {
        fake = std::make_unique<FakePlatform>();
        fake->prompts.answers = {connect};
        auto p = std::make_unique<Program>(fake->platform, opener, dir);
        p->start();
        return p;
    }

    void UseVirtualBox() { std::ofstream(dir + "zomexnt.con", std::ios::binary) << "VBOX"; }

    std::vector<std::string> ConfigLines() {
        std::ifstream in(shell::ConfigPath(dir));
        std::vector<std::string> lines;
        for (std::string l; std::getline(in, l);) lines.push_back(l);
        return lines;
    }

    std::string dir;
    std::shared_ptr<WireLog> wire = std::make_shared<WireLog>();
    TeeOpener opener{wire};
    std::unique_ptr<FakePlatform> fake;
};

} // namespace quarvin::test
