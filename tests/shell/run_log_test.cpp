// The run log: the line of each result kind read back by a JSON parser, and the
// lines of two processes appending at once.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "buffer/RomHash.h"
#include "families/framework/OperationRecord.h"
#include "shell/RunLog.h"
#include "TwoProcesses.h"
#include "support/ScratchDir.h"

using namespace quarvin;
namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// "2026-12-07T09:41:05.120+01:00" as "dddd-dd-ddTdd:dd:dd.ddd+dd:dd": each digit a 'd'.
std::string Shape(std::string t) {
    for (char& c : t) c = std::isdigit(static_cast<unsigned char>(c)) ? 'd' : c;
    return t;
}

TEST(RunLog, EachResultKindGivesALineWithEveryField) {
    auto buffer = std::make_unique<MainBuffer>();
    buffer->initialise();
    for (std::uint32_t a = 0; a < 0x800; ++a) (*buffer)[a] = static_cast<std::uint8_t>(a * 7);
    LinkState link;
    link.connected = 1;
    link.savedPortName = "/dev/ttyUSB0";
    SelectionState selection;
    selection.typeName = "AT89C2051";
    selection.subType = 2;
    const AddressFields fields{0, 0, 0x7FF};
    const std::string crc = romHash(RomHashKind::Crc32, *buffer, 0, 0x7FF);

    struct Case { std::string operation; OperationResult result; const char* kind; json failureAddress, crc32; };
    const Case cases[] = {
        {"program", OperationResult::done("OK"), "ok", nullptr, crc},
        {"verify", OperationResult::failed("000123:Bad! (file=55,Device=ff)", 0x123), "failed", 0x123, crc},
        {"read", OperationResult::stopped(0x40), "stopped", 0x40, crc},
        {"program", OperationResult::refused("Device Start 9000 is beyond the device end 7ff"), "refused", nullptr, nullptr},
        {"verify", {Outcome::LinkLost, kNotConnectedText, 0, 0, {}, false}, "link lost", nullptr, crc},
        {"blank", OperationResult::failed("Not blank \"here\"\n！", 7), "failed", 7, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const OperationEntry entry = DescribeOperation({c.operation, c.result, link, selection, *buffer, fields, "1000"});
        json line = json::parse(RunLogLine(entry, LocalTimeStamp(std::chrono::system_clock::now()), "5.37"));
        const std::string shape = Shape(line["time"].get<std::string>());
        EXPECT_TRUE(shape == "dddd-dd-ddTdd:dd:dd.ddd+dd:dd" || shape == "dddd-dd-ddTdd:dd:dd.ddd-dd:dd") << shape;
        line.erase("time");
        // The range of the operations that move the buffer's bytes, even when refused.
        const bool moves = c.operation != "blank";
        EXPECT_EQ(line, json({{"version", "5.37"}, {"port", "/dev/ttyUSB0"}, {"device", "AT89C2051"}, {"row", 2},
                              {"op", c.operation}, {"result", c.kind}, {"message", c.result.message},
                              {"failure_address", c.failureAddress}, {"buffer_first", moves ? json(0) : json(nullptr)},
                              {"buffer_last", moves ? json(0x7FF) : json(nullptr)}, {"crc32", c.crc32},
                              {"serial", "1000"}}));
    }
    link.connected = 0;
    const OperationResult ok = OperationResult::done("OK");
    EXPECT_EQ(DescribeOperation({"sum", ok, link, selection, *buffer, fields, ""}).port, "soft run");
}

TEST(RunLog, TwoProcessesAppendingAtOnceGiveWholeLines) {
    const quarvin::test::ScratchDir dir("quarvin_runlog");
    const std::string path = dir.file(kRunLogFileName);
    constexpr int kLines = 1500;
    ASSERT_TRUE(test::InTwoProcesses([&](int worker) {
        RunLogFile log(path);
        OperationEntry e;
        e.device = "27C256";
        e.operation = "worker" + std::to_string(worker);
        for (int i = 0; i < kLines; ++i) {
            // Lines of many lengths, some longer than a pipe's atomic write.
            e.message = std::string(static_cast<std::size_t>((i * 37) % 6000), static_cast<char>('a' + worker));
            e.row = i;
            log.record(e);
        }
        return 0;
    }));
    std::ifstream in(path);
    int seen[2] = {0, 0};
    for (std::string line; std::getline(in, line);) {
        const json j = json::parse(line, nullptr, false);
        ASSERT_FALSE(j.is_discarded()) << "a broken line: " << line.substr(0, 80);
        const int worker = j["op"] == "worker0" ? 0 : 1;
        // Each writer's lines arrive whole and in its own order.
        EXPECT_EQ(j["row"], seen[worker]);
        EXPECT_EQ(j["message"].get<std::string>().size(), static_cast<std::size_t>((seen[worker] * 37) % 6000));
        ++seen[worker];
    }
    EXPECT_EQ(seen[0], kLines);
    EXPECT_EQ(seen[1], kLines);
}

} // namespace
