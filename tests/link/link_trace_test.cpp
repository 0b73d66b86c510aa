// The link trace: what it writes reads back as the very bytes that went over the
// link, for an operation of each kind; the size bound keeps the newest part with
// a marker; the reader counts what a bring-up needs and survives lines it cannot read.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "families/framework/FamilyDialog.h"
#include "families/framework/FamilySession.h"
#include "link/trace/LinkRecorder.h"
#include "link/trace/TraceSummary.h"
#include "link/trace/TracingTransport.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"
#include "support/RecordingTransport.h"
#include "support/TappedTransport.h"

namespace quarvin::test {
namespace {

namespace fs = std::filesystem;

// A clock the test moves: every reading is `step` microseconds after the last.
struct SteppingClock {
    std::shared_ptr<std::int64_t> now = std::make_shared<std::int64_t>(1000000);
    std::int64_t step = 7;
    MicroClock clock() const {
        return [now = now, step = step] { return *now += step; };
    }
};

class TraceFileTest : public ::testing::Test {
protected:
    void TearDown() override { fs::remove(path); }
    TraceSummary readBack() const {
        std::ifstream in(path);
        return ReadTrace(in);
    }
    std::string path = (fs::temp_directory_path() /
                        ("quarvin_trace_" + std::to_string(::getpid()) + "_" +
                         ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                           .string();
};

struct OperationRow { const char* dialogClass; int subType; const char* operation; int readAheadWindow; };

const OperationRow kOperations[] = {
    {"TP27x", 13, "blank", 1},   {"TP27x", 13, "program", 1}, {"TP27x", 13, "verify", 1},
    {"TP27x", 13, "read", 1},    {"TP27x", 13, "read", 128},  {"TP93cxx", 1, "erase", 1},
    {"TP24c0x", 2, "program", 1}, {"TP24c0x", 2, "read", 64},
};

// One box per part, so that verify and read find what program wrote.
TEST_F(TraceFileTest, TraceOfAnOperationIsTheBytesOnTheLink) {
    std::map<std::string, std::shared_ptr<sim::Box>> boxes;
    for (const OperationRow& row : kOperations) {
        SCOPED_TRACE(std::string(row.dialogClass) + " " + row.operation + " window " + std::to_string(row.readAheadWindow));
        const sim::ChipOffer* offer = sim::OfferForSubType(row.dialogClass, row.subType);
        ASSERT_NE(offer, nullptr);
        auto session = Families().at(row.dialogClass).makeSession();
        auto& box = boxes[row.dialogClass];
        if (!box) {
            box = std::make_shared<sim::Box>();
            box->insert(offer->make());
        }

        auto tap = std::make_shared<Tap>();
        auto trace = std::make_shared<LinkTrace>(std::make_unique<RingFileTraceSink>(path), SteppingClock{}.clock());
        LinkState link;
        link.port = std::make_unique<TracingTransport>(
            std::make_unique<TappedTransport>(std::make_unique<sim::VirtualBoxTransport>(box), tap), trace);
        link.connected = 1;
        link.readAheadWindow = row.readAheadWindow;

        auto buffer = std::make_unique<MainBuffer>();
        for (std::uint32_t a = 0; a < 0x10000; ++a) (*buffer)[a] = static_cast<std::uint8_t>(a * 31 + 7);
        SelectionState selection;
        selection.subType = row.subType;
        const OperationHooks hooks;
        const AddressFields fields{0, 0, std::min<std::uint32_t>(session->lastAddress(row.subType), 0x7FF)};
        SessionJob job{link, *buffer, selection, fields, hooks, nullptr, {}};
        trace->setOperation("start");
        session->start(link);
        trace->setOperation(row.operation);
        const OperationResult r = RunGuarded(link, [&] { return session->run(row.operation, job); });
        trace->stop();
        EXPECT_EQ(r.outcome, Outcome::Done) << r.message;

        const TraceSummary s = readBack();
        EXPECT_TRUE(s.headerSeen);
        EXPECT_EQ(s.badLines, 0) << "first at line " << s.firstBadLine;
        EXPECT_FALSE(tap->bytes.empty());
        EXPECT_EQ(s.sent, tap->bytes);
        EXPECT_EQ(s.received, tap->received);
        EXPECT_EQ(s.operations, (std::vector<std::string>{"start", row.operation}));
        if (row.readAheadWindow > 1) {
            EXPECT_GT(*std::max_element(tap->writeSizes.begin(), tap->writeSizes.end()), 1u) << "reads went ahead";
        }
    }
}

// What a stalled box leaves in the trace, and what the reader makes of it.
TEST_F(TraceFileTest, TimeOutsLostLinksAndGapsAreCounted) {
    SteppingClock time;
    auto trace = std::make_shared<LinkTrace>(std::make_unique<RingFileTraceSink>(path), time.clock());
    auto recording = std::make_unique<RecordingTransport>();
    auto log = recording->log();
    log->reply({0x5a, 0x33});
    log->readLimit = 2;
    LinkState link;
    link.port = std::make_unique<TracingTransport>(std::move(recording), trace);
    link.connected = 1;
    trace->setOperation("id");
    SendByte(link, 0x0f);
    EXPECT_EQ(ReceiveByte(link), 0x5a);
    *time.now += 2500000; // the box thinks for 2.5 s
    EXPECT_EQ(ReceiveByte(link), 0x33);
    trace->setOperation("read");
    EXPECT_THROW(ReceiveByte(link), LinkLost);
    trace->stop();

    const TraceSummary s = readBack();
    EXPECT_EQ(s.sent, (std::vector<std::uint8_t>{0x0f}));
    EXPECT_EQ(s.received, (std::vector<std::uint8_t>{0x5a, 0x33}));
    EXPECT_EQ(s.timeouts, 1);
    EXPECT_EQ(s.lost, 1);
    EXPECT_EQ(s.closes, 1);
    EXPECT_EQ(s.operations, (std::vector<std::string>{"id", "read"}));
    EXPECT_GE(s.largestGapUs, 2500000);
    EXPECT_LT(s.largestGapUs, 2500100);
    EXPECT_EQ(s.badLines, 0);
    EXPECT_EQ(DescribeTrace(s).find("unreadable"), std::string::npos);
}

// Bytes written across many compactions: the file stays under its bound, says
// how much it dropped, and what it kept is exactly the newest part of the stream.
TEST_F(TraceFileTest, SizeBoundKeepsTheNewestPartWithAMarker) {
    constexpr std::uint64_t limit = 8192;
    auto sink = std::make_unique<RingFileTraceSink>(path, limit);
    RingFileTraceSink& file = *sink;
    SteppingClock time;
    time.step = LinkTrace::RunGapUs + 1; // every write its own line
    LinkTrace trace(std::move(sink), time.clock());
    std::vector<std::uint8_t> all;
    for (int i = 0; i < 3000; ++i) {
        const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8), 0xA5};
        trace.sent(bytes, 3);
        all.insert(all.end(), bytes, bytes + 3);
        ASSERT_LE(fs::file_size(path), limit);
    }
    trace.stop();

    const TraceSummary s = readBack();
    EXPECT_TRUE(s.headerSeen);
    EXPECT_GT(s.droppedBytes, 0u);
    EXPECT_EQ(s.droppedBytes, file.droppedBytes());
    std::ifstream in(path);
    std::string header, marker;
    std::getline(in, header);
    std::getline(in, marker);
    EXPECT_EQ(marker, "# dropped " + std::to_string(file.droppedBytes()) + " bytes of older trace");
    ASSERT_FALSE(s.sent.empty());
    ASSERT_LT(s.sent.size(), all.size());
    EXPECT_TRUE(std::equal(s.sent.begin(), s.sent.end(), all.end() - static_cast<long>(s.sent.size())))
        << "the kept bytes are the end of the stream";
    EXPECT_EQ(s.sent.size() % 3, 0u) << "cut at a line start";
    // Dropped and kept lines add up to everything written: 30 characters a line.
    const std::uint64_t lineLength = std::string("000000.001001 > 00 00 a5\n").size();
    EXPECT_EQ(s.droppedBytes + s.sent.size() / 3 * lineLength, all.size() / 3 * lineLength);
}

// "Record the link" into a file that cannot be created: no recording, and the
// link keeps its own port instead of one tracing into nowhere.
TEST_F(TraceFileTest, RecorderRefusesAFileItCannotCreate) {
    LinkState link;
    link.port = std::make_unique<RecordingTransport>();
    const Transport* port = link.port.get();
    LinkRecorder recorder;
    EXPECT_FALSE(recorder.start(link, path + "_missing_folder/link.trace"));
    EXPECT_FALSE(recorder.recording());
    EXPECT_EQ(link.port.get(), port);
}

TEST(TraceReader, LinesItCannotReadAreCountedNotTrusted) {
    const std::string text = std::string(TraceHeader) +
                             "\n"
                             "000001.000000 > 0f 1b @connect\n"
                             "garbage\n"
                             "000001.5 > 00\n"                 // time without six fraction digits
                             "000001.000100 > 0g\n"            // not a byte
                             "000001.000200 <\n"               // no bytes
                             "000001.000300 frobnicate\n"      // no such event
                             "99999999999999999999.000000 > 00\n"
                             "000001.000400 < 5a\n";
    std::istringstream in(text);
    const TraceSummary s = ReadTrace(in);
    EXPECT_EQ(s.badLines, 6);
    EXPECT_EQ(s.firstBadLine, 3);
    EXPECT_EQ(s.sent, (std::vector<std::uint8_t>{0x0f, 0x1b}));
    EXPECT_EQ(s.received, (std::vector<std::uint8_t>{0x5a}));
    EXPECT_NE(DescribeTrace(s).find("unreadable lines: 6 (first: line 3)"), std::string::npos);
}

} // namespace
} // namespace quarvin::test
