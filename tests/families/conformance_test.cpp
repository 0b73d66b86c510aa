// What every family promises, checked the same way for each row of
// ConformanceRows() on the virtual box: a random image programmed, verified, read
// back and summed, also after the part went through a chip image file; Blank on a
// blank and a used part, and Erase of a programmed part; Stop early, midway and late;
// a link lost midway; start fields outside the device or the buffer refused with
// nothing sent; stuck, unprogrammable and missing parts never reported as done.
// What is particular to a family (its wire streams, its own sequences and dialog)
// stays in its own file.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <set>

#include "ConformanceBench.h"
#include "forms/HexText.h"
#include "sim/ChipFaultText.h"
#include "sim/ChipImage.h"
#include "support/SanitizerSample.h"

namespace quarvin::test {
namespace {

class Conformance : public ::testing::TestWithParam<ConformanceRow> {};

std::string ImagePath(const ConformanceRow& row) {
    return (std::filesystem::temp_directory_path() / ("quarvin_conformance_" + RowName(row) + ".chip")).string();
}

bool CellsMatch(FamilyBench& bench, const std::vector<std::uint8_t>& image) {
    const auto& cells = bench.chip().memory();
    return cells.size() >= image.size() && std::equal(image.begin(), image.end(), cells.begin());
}

TEST_P(Conformance, RandomImageProgramsVerifiesReadsBackAndSurvivesAChipImage) {
    const ConformanceRow& row = GetParam();
    FamilyBench bench(row);
    const auto image = bench.randomImage(static_cast<unsigned>(row.subType) * 7919u);
    ASSERT_TRUE(bench.run(row.write).ok()) << bench.run(row.write).message;
    EXPECT_TRUE(bench.run(row.verify).ok());
    if (row.image != Image::FuseMap) {
        EXPECT_TRUE(CellsMatch(bench, image));
    }
    EXPECT_TRUE(bench.box().errors().empty());

    // The part saved to a chip image and loaded into a fresh one of its kind
    // still verifies: the file keeps every cell and the extra state.
    const std::string path = ImagePath(row);
    ASSERT_EQ(sim::SaveChipImage(bench.chip(), path), "");
    std::shared_ptr<sim::Chip> copy = sim::OfferForSubType(row.family, row.subType)->make();
    ASSERT_EQ(sim::LoadChipImage(*copy, path).status, sim::ImageLoad::Loaded);
    std::filesystem::remove(path);
    EXPECT_EQ(copy->memory(), bench.chip().memory());
    EXPECT_EQ(copy->extraState(), bench.chip().extraState());
    bench.box().remove();
    bench.box().insert(copy);
    EXPECT_TRUE(bench.run(row.verify).ok());

    std::fill_n(bench.buffer().data(), image.size(), 0);
    const OperationResult read = bench.run(row.read);
    EXPECT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(bench.bufferBytes(0, static_cast<std::uint32_t>(image.size())), image);
    if (row.image != Image::FuseMap) { // a fuse map's read fills the map's whole window
        EXPECT_EQ(bench.buffer()[static_cast<std::uint32_t>(image.size())], 0) << "nothing is read past the part";
    }

    if (*row.sum) {
        const OperationResult sum = bench.run(row.sum);
        ASSERT_TRUE(sum.ok());
        EXPECT_EQ(sum.value, copy->checksum());
        EXPECT_NE(sum.message.find(Format("%08x", copy->checksum())), std::string::npos) << sum.message;
    }
}

// Every part the family offers: at both ends of the device when the operations
// take the fields (so that every address line is driven both ways), else whole.
TEST_P(Conformance, EverySubTypeRoundTrips) {
    const ConformanceRow& row = GetParam();
    std::set<int> subTypes;
    for (const sim::ChipOffer& offer : sim::ChipOffers())
        if (offer.family == row.family) subTypes.insert(offer.subType);
    SweepSample sample;
    for (int subType : subTypes) {
        if (std::count(row.partial.begin(), row.partial.end(), subType) || !sample.take()) continue;
        SCOPED_TRACE("sub-type " + std::to_string(subType));
        FamilyBench bench(row, subType);
        const auto image = bench.randomImage(static_cast<unsigned>(subType));
        const std::uint32_t size = bench.last() + 1;
        const std::uint32_t span = row.takesFields ? std::min<std::uint32_t>(size, 0x400) : size;
        for (std::uint32_t start : {0u, size - span}) {
            const AddressFields fields{start, start, span - 1};
            const OperationResult program = bench.run(row.write, fields);
            EXPECT_TRUE(program.ok()) << program.message;
            const OperationResult verify = bench.run(row.verify, fields);
            EXPECT_TRUE(verify.ok()) << verify.message;
            if (row.image != Image::FuseMap) {
                EXPECT_TRUE(std::equal(image.begin() + start, image.begin() + start + span,
                                       bench.chip().memory().begin() + start));
            }
        }
        std::fill_n(bench.buffer().data(), image.size(), 0);
        EXPECT_TRUE(bench.run(row.read, {0, 0, span - 1}).ok());
        const std::uint32_t readBack = row.takesFields ? span : static_cast<std::uint32_t>(image.size());
        EXPECT_EQ(bench.bufferBytes(0, readBack), std::vector<std::uint8_t>(image.begin(), image.begin() + readBack));
        EXPECT_TRUE(bench.box().errors().empty());
    }
}

// Blank on a blank part passes and on a used one fails; Erase leaves a
// programmed part blank (where it reads back its work) and Blank passes again.
TEST_P(Conformance, BlankPassesABlankPartAndFailsAUsedOneAndEraseMakesItBlank) {
    const ConformanceRow& row = GetParam();
    if (!*row.blank && !*row.erase) GTEST_SKIP() << "the family has neither blank check nor erase";
    FamilyBench bench(row);
    const std::vector<std::uint8_t> blank = bench.chip().memory();
    if (*row.blank) {
        EXPECT_TRUE(bench.run(row.blank).ok());
        const std::size_t reach = row.span ? row.span : blank.size();
        bench.chip().memory()[static_cast<std::uint32_t>(reach * 2 / 3) | 1u] ^= 0x01;
        const OperationResult r = bench.run(row.blank);
        EXPECT_EQ(r.outcome, Outcome::Failed) << r.message;
        EXPECT_TRUE(bench.socketPoweredDown());
    }
    if (!*row.erase) return;
    FamilyBench programmed(row);
    programmed.randomImage(9);
    ASSERT_TRUE(programmed.run(row.write).ok());
    const OperationResult erased = programmed.run(row.erase);
    EXPECT_TRUE(erased.ok()) << erased.message;
    if (ReadsBack(row, row.erase)) {
        EXPECT_EQ(programmed.chip().memory(), blank);
    }
    if (*row.blank) {
        EXPECT_TRUE(programmed.run(row.blank).ok());
    }
}

// Stop at the first, a middle and the last progress poll of each loop: the run
// says where it stopped, powers the socket down, and the buffer holds nothing
// beyond what the loop had read.
TEST_P(Conformance, StopAtAnEarlyAMiddleAndALateProgressPoint) {
    const ConformanceRow& row = GetParam();
    for (const char* operation : {row.write, row.read, row.verify, row.blank}) {
        if (!*operation) continue;
        const bool verifies = std::string(operation) == row.verify;
        FamilyBench bench(row);
        const auto image = bench.randomImage(11);
        if (verifies) bench.run(row.write);
        bench.run(operation);
        const int polls = bench.polls();
        ASSERT_GT(polls, 0) << operation << " polls for a stop";
        std::uint32_t earlier = 0;
        for (int at : {1, (polls + 1) / 2, polls}) {
            SCOPED_TRACE(std::string(operation) + " stopped at poll " + std::to_string(at));
            FamilyBench stopped(row);
            stopped.randomImage(11);
            if (verifies) stopped.run(row.write);
            if (std::string(operation) == row.read) std::fill_n(stopped.buffer().data(), image.size(), 0x5A);
            const auto before = stopped.bufferBytes(0, static_cast<std::uint32_t>(image.size()));
            const OperationResult r = stopped.run(operation, stopped.wholeDevice(), at);
            if (row.stopIsAFailure && r.outcome == Outcome::Failed && std::string(operation) != row.read) {
                EXPECT_NE(r.message.find(Format("%06x", r.address)), std::string::npos) << r.message;
            } else {
                EXPECT_EQ(r.outcome, Outcome::Stopped) << r.message;
                ASSERT_EQ(r.message.rfind("Stopped at ", 0), 0u) << r.message;
                EXPECT_EQ(std::stoul(r.message.substr(11), nullptr, 16), r.address) << r.message;
            }
            if (at > 1) {
                EXPECT_GE(r.address, earlier) << "a later poll stops further on";
            }
            earlier = r.address;
            EXPECT_TRUE(stopped.socketPoweredDown());
            const auto after = stopped.bufferBytes(0, static_cast<std::uint32_t>(image.size()));
            if (std::string(operation) != row.read) {
                EXPECT_EQ(after, before);
            } else if (row.image == Image::Bytes) {
                for (std::uint32_t a = r.address; a < after.size(); ++a)
                    ASSERT_EQ(after[a], 0x5A) << "read past the stop at " << Format("%x", a);
            }
        }
    }
}

// The box goes silent a third and two thirds into each operation: the run ends
// as a lost link, the buffer keeps what it held (a read: each byte either as it
// was or the part's), and the next operation sends nothing.
TEST_P(Conformance, ALinkLostMidwayIsNeverASuccessAndKeepsTheBuffer) {
    const ConformanceRow& row = GetParam();
    for (const char* operation : {row.write, row.read, row.verify}) {
        FamilyBench clean(row);
        clean.randomImage(5);
        clean.run(operation);
        const std::size_t total = clean.sentByLastRun();
        for (std::size_t cut : {total / 3, total * 2 / 3}) {
            SCOPED_TRACE(std::string(operation) + " silent after byte " + std::to_string(cut));
            FamilyBench bench(row);
            const auto image = bench.randomImage(5);
            if (std::string(operation) == row.read) std::fill_n(bench.buffer().data(), image.size(), 0x5A);
            const auto before = bench.bufferBytes(0, static_cast<std::uint32_t>(image.size()));
            bench.loseTheBoxAfter(cut);
            const OperationResult r = bench.run(operation);
            EXPECT_EQ(r.outcome, Outcome::LinkLost) << r.message;
            EXPECT_EQ(r.message, kNotConnectedText);
            EXPECT_TRUE(bench.link().lost);
            const auto after = bench.bufferBytes(0, static_cast<std::uint32_t>(image.size()));
            if (std::string(operation) != row.read) {
                EXPECT_EQ(after, before);
            } else if (row.image != Image::FuseMap) {
                const auto& cells = bench.chip().memory();
                for (std::size_t a = 0; a < after.size(); ++a)
                    ASSERT_TRUE(after[a] == 0x5A || after[a] == cells[a]) << "invented byte at " << a;
            }
            const OperationResult next = bench.run(row.verify);
            EXPECT_NE(next.outcome, Outcome::Done);
            EXPECT_EQ(bench.sentByLastRun(), 0u);
        }
    }
}

TEST_P(Conformance, StartFieldsOutsideTheDeviceOrTheBufferAreRefusedWithNothingSent) {
    const ConformanceRow& row = GetParam();
    if (!row.takesFields) GTEST_SKIP() << "the family's operations always cover the whole device from buffer 0";
    FamilyBench bench(row);
    const std::uint32_t bufferEnd = static_cast<std::uint32_t>(MainBuffer::size());
    const AddressFields outside[] = {{0, bench.partLast() + 1, 0xFF}, {bufferEnd, 0, 0xFF}};
    // Read always starts at device and buffer address 0.
    for (const char* operation : {row.write, row.verify})
        for (const AddressFields& fields : outside) {
            SCOPED_TRACE(Format("%s from buffer %x device %x", operation, fields.bufferStart, fields.deviceStart));
            const OperationResult r = bench.run(operation, fields);
            EXPECT_NE(r.outcome, Outcome::Done);
            EXPECT_NE(r.message.find(fields.deviceStart ? "Device Start" : "Buffer Start"), std::string::npos) << r.message;
            EXPECT_EQ(bench.sentByLastRun(), 0u);
        }
}

// A cell stuck at the wrong level, a cell that will not program and an empty
// socket: programme and verify never both say done, and where the family names
// an address it is the faulty cell's.
TEST_P(Conformance, ChipFaultsAreNeverReportedAsDone) {
    const ConformanceRow& row = GetParam();
    // The cell holds a programmed 0 in bit 0 (a fuse map: a programmed fuse),
    // which a cell stuck at 1 or left unprogrammed does not give back.
    const bool fuses = row.image == Image::FuseMap;
    const std::uint32_t cell = fuses ? 0 : (FamilyBench(row).last() / 3) & ~1u;
    for (const std::string& fault : {Format("stuck:%x:01:01", cell), Format("noprogram:%x", cell), std::string("empty")}) {
        if (row.cellsAlwaysTakeWrites && fault.rfind("noprogram", 0) == 0) continue;
        SCOPED_TRACE(fault);
        FamilyBench bench(row);
        bench.randomImage(3);
        bench.buffer()[cell] = fuses ? '0' : static_cast<std::uint8_t>(bench.buffer()[cell] & 0xFE);
        ASSERT_EQ(sim::AddChipFault(bench.chip().faults(), fault), "");
        const OperationResult program = bench.run(row.write);
        const OperationResult verify = bench.run(row.verify);
        EXPECT_FALSE(program.ok() && verify.ok()) << program.message << " / " << verify.message;
        EXPECT_NE(verify.outcome, Outcome::Done) << verify.message;
        const OperationResult& failed = program.ok() ? verify : program;
        EXPECT_TRUE(failed.outcome == Outcome::Failed || (fault == "empty" && failed.outcome == Outcome::Refused))
            << failed.message;
        EXPECT_TRUE(bench.socketPoweredDown());
        if (fault != "empty" && row.image == Image::Bytes && failed.address != 0) {
            EXPECT_EQ(failed.address, cell) << failed.message;
        }
    }
}

// The testers without memory (optocouplers, logic ICs) have no read; every
// other registered family joins the suite with a row.
TEST(ConformanceRows, EveryFamilyThatReadsAPartHasARow) {
    for (const auto& [dialogClass, family] : Families()) {
        if (!family.makeSession || !family.makeSession()->has("read")) continue;
        EXPECT_TRUE(std::any_of(ConformanceRows().begin(), ConformanceRows().end(),
                                [&](const ConformanceRow& row) { return row.family == dialogClass; }))
            << dialogClass;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFamily, Conformance, ::testing::ValuesIn(ConformanceRows()),
                         [](const auto& info) { return RowName(info.param); });

} // namespace
} // namespace quarvin::test
