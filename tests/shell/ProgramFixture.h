#pragma once
// A program directory with the shipped device lists, the fake platform and a port
// opener that connects the in-process virtual box and records every byte sent to
// it, counting the bytes sent while the configuration file did not yet exist.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/DeviceListSource.h"
#include "shell/ConfigFile.h"
#include "shell/Program.h"
#include "sim/VirtualBoxTransport.h"
#include "support/FakePlatform.h"
#include "support/ScratchDir.h"
#include "support/TappedTransport.h"

namespace quarvin::test {

// Every byte sent, and the bytes sent while the configuration file did not yet exist.
struct WireLog : Tap {
    std::size_t sentWithoutConfig = 0;
    bool failWrites = false;
    std::string configPath;
};

class TeeTransport : public TappedTransport {
public:
    TeeTransport(std::unique_ptr<Transport> inner, std::shared_ptr<WireLog> log)
        : TappedTransport(std::move(inner), log), log_(std::move(log)) {}
    bool write(const std::uint8_t* data, std::size_t n) override {
        if (log_->failWrites) return false;
        if (!std::filesystem::exists(log_->configPath)) log_->sentWithoutConfig += n;
        return TappedTransport::write(data, n);
    }

private:
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
        std::ifstream src(std::string(QUARVIN_SOURCE_DIR) + "/data/devices.src");
        GeneratedLists lists = GenerateDeviceLists(src);
        ASSERT_TRUE(lists.problems.empty() && lists.files.size() == 3) << "device list source missing or faulty";
        for (auto& [name, text] : lists.files) std::ofstream(dir + name, std::ios::binary) << text;
        wire->configPath = shell::ConfigPath(dir);
    }
    // A fresh run of the program in the same directory, answering the start question.
    std::unique_ptr<Program> Run(bool connect) {
        fake = std::make_unique<FakePlatform>();
        fake->prompts.answers = {connect};
        auto p = std::make_unique<Program>(fake->platform, opener, dir);
        p->start();
        return p;
    }
    void UseVirtualBox() { std::ofstream(dir + "zomexnt.con", std::ios::binary) << "VBOX"; }
    std::unique_ptr<Program> RunOnVirtualBox() { return UseVirtualBox(), Run(true); }
    std::vector<std::string> ConfigLines() {
        std::ifstream in(shell::ConfigPath(dir));
        std::vector<std::string> lines;
        for (std::string l; std::getline(in, l);) lines.push_back(l);
        return lines;
    }

    ScratchDir scratch{"quarvin_shell_program"};
    std::string dir = scratch.path().string() + "/";
    std::shared_ptr<WireLog> wire = std::make_shared<WireLog>();
    TeeOpener opener{wire};
    std::unique_ptr<FakePlatform> fake;
};

} // namespace quarvin::test
