#pragma once
// One row per registered family for the checks every family must pass: which
// operations write, read, verify, blank-check, erase and sum, how a random image
// for its part looks, and a bench that runs those operations by name on the
// virtual box with the row's part, counting the bytes sent and the progress
// polls, able to stop at a poll or to lose the box after a byte count.
#include <algorithm>
#include <filesystem>
#include <unistd.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "PldTestFiles.h"
#include "buffer/formats/Jedec.h"
#include "families/framework/FamilyDialog.h"
#include "families/framework/FamilySession.h"
#include "sim/Box.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"
#include "support/TappedTransport.h"

namespace quarvin::test {

// How the buffer holds what the part stores.
enum class Image {
    Bytes,      // one buffer byte per cell, at the same address
    Words14,    // 14-bit program words, low byte first, cells as the buffer's bytes
    FuseMap,    // one character '0'/'1' per fuse, from a JEDEC file
};

struct ConformanceRow {
    const char* family; // dialog class
    int subType;
    // The operations by their session names; "" when the family has none.
    const char* write = "program";
    const char* read = "read";
    const char* verify = "verify";
    const char* blank = "blank";
    const char* erase = "";
    const char* sum = "";
    Image image = Image::Bytes;
    // The operations take Device Start and Buffer Start (and refuse them outside);
    // the others always work on the whole device from buffer address 0.
    bool takesFields = false;
    // The family's sequences switch Vpp off after a failure or a stop but leave
    // the supply on (the microcontrollers; the RAM, whose plain parts would lose
    // their data).
    bool supplyStaysOn = false;
    // Operations that do not read back what they wrote or erased (the verify or
    // blank check that follows them does): their "OK" says the commands went
    // out, not that the part holds the result.
    const char* withoutReadBack = "";
    // A stopped write or verify ends as a failure ("Programe Failured! at ...").
    bool stopIsAFailure = false;
    // Cells that cannot be programmed do not exist on the part (a RAM).
    bool cellsAlwaysTakeWrites = false;
    // Sub-types whose whole part the socket does not reach or whose commands the
    // family does not send; their own tests say what they do instead.
    std::vector<int> partial = {};
    // Bytes from address 0 that the runs cover; 0: the whole part. Parts whose
    // every byte write the virtual box models poll by poll for a long program
    // time (the 512 KiB AT49F and MX29F flash) run on their first span bytes.
    std::uint32_t span = 0;
};

inline const std::vector<ConformanceRow>& ConformanceRows() {
    static const std::vector<ConformanceRow> rows = {
        {.family = "TP27x", .subType = 7, .sum = "sum", .takesFields = true},
        {.family = "TPW27x", .subType = 1, .erase = "erase", .sum = "sum", .takesFields = true},
        // 29F008: the socket's address lines reach only its lower half.
        {.family = "TP29fxxx", .subType = 1, .erase = "erase", .sum = "sum", .takesFields = true, .partial = {12, 13}},
        // 28F040: as for the 29F008; 28F004/008: status-register parts.
        {.family = "TPi28fxxx", .subType = 1, .erase = "erase", .takesFields = true, .partial = {6, 11, 12, 13, 14, 15}},
        {.family = "TP28cx", .subType = 1, .erase = "erase", .sum = "sum", .takesFields = true},
        {.family = "TP2816x", .subType = 1, .erase = "erase", .sum = "sum", .takesFields = true},
        {.family = "TP29e", .subType = 1, .erase = "erase", .sum = "sum", .takesFields = true, .withoutReadBack = "program"},
        // AT29C: the write reads back every 4 KiB, the erase writes pages of FF that Blank checks.
        {.family = "TP29cx", .subType = 1, .erase = "erase", .sum = "sum", .takesFields = true,
         .withoutReadBack = "program erase"},
        {.family = "TP29c256", .subType = 1, .erase = "erase", .sum = "sum", .takesFields = true,
         .withoutReadBack = "program erase"},
        {.family = "TAt49fx", .subType = 1, .erase = "erase", .sum = "sum", .takesFields = true, .span = 0x2000},
        // AT49F002T: RESET on its pin 1, the boot block at the top.
        {.family = "TAt49fx", .subType = 5, .erase = "erase", .sum = "sum", .takesFields = true, .span = 0x1000},
        {.family = "TMx29fxxx1", .subType = 1, .erase = "erase", .sum = "sum", .takesFields = true, .span = 0x2000},
        {.family = "TP24c0x", .subType = 3, .blank = ""},
        {.family = "TP93cxx", .subType = 1, .erase = "erase", .withoutReadBack = "program erase"},
        {.family = "TP89c5x", .subType = 1, .erase = "erase", .supplyStaysOn = true, .withoutReadBack = "program erase"},
        // The AT89S5x sequences switch Vpp, the clock and Vcc off after a stop or a failure.
        {.family = "TAt89s5x1", .subType = 2, .erase = "erase", .withoutReadBack = "program erase"},
        {.family = "TP2051x", .subType = 2, .erase = "erase", .supplyStaysOn = true, .withoutReadBack = "program erase"},
        {.family = "TP16c8x", .subType = 5, .erase = "erase", .image = Image::Words14, .supplyStaysOn = true,
         .withoutReadBack = "program erase"},
        // The PIC16F87xA write has no read-back; Vpp and Vcc go off after a stop or a failure.
        {.family = "TP16f87x", .subType = 4, .erase = "erase", .image = Image::Words14,
         .withoutReadBack = "program erase"},
        {.family = "TAT90sx", .subType = 1, .erase = "erase", .supplyStaysOn = true, .withoutReadBack = "program erase"},
        {.family = "TGALx", .subType = 3, .erase = "erase", .image = Image::FuseMap},
        {.family = "TP22V10x", .subType = 1, .erase = "erase", .image = Image::FuseMap},
        // The RAM's write reads back the first byte of each page only.
        {.family = "TDsRAM", .subType = 2, .blank = "", .sum = "sum", .takesFields = true, .supplyStaysOn = true,
         .withoutReadBack = "program", .stopIsAFailure = true, .cellsAlwaysTakeWrites = true},
    };
    return rows;
}

inline bool ReadsBack(const ConformanceRow& row, const std::string& operation) {
    return (" " + std::string(row.withoutReadBack) + " ").find(" " + operation + " ") == std::string::npos;
}

inline std::string RowName(const ConformanceRow& row) { return std::string(row.family) + "_" + std::to_string(row.subType); }
inline void PrintTo(const ConformanceRow& row, std::ostream* os) { *os << RowName(row); }

class FamilyBench {
public:
    // The row's part, or the part of another sub-type of its family.
    explicit FamilyBench(const ConformanceRow& row, int subType = 0)
        : row_(row), session_(Families().at(row.family).makeSession()), buffer_(std::make_unique<MainBuffer>()) {
        if (subType) row_.subType = subType;
        const sim::ChipOffer* offer = sim::OfferForSubType(row_.family, row_.subType);
        if (!offer) throw std::runtime_error(std::string("no part for ") + row.family);
        chip_ = offer->make();
        box_->insert(chip_);
        link_.port = std::make_unique<TappedTransport>(std::make_unique<sim::VirtualBoxTransport>(box_), tap_);
        link_.connected = 1;
        link_.readAheadWindow = 128;
        selection_.subType = row_.subType;
        hooks_.stopRequested = [this] { return ++polls_ == stopAtPoll_; };
        session_->setProgramDir(scratchDir());
        session_->start(link_);
    }

    sim::Chip& chip() { return *chip_; }
    sim::Box& box() { return *box_; }
    MainBuffer& buffer() { return *buffer_; }
    LinkState& link() { return link_; }
    // The last address the runs cover, and the part's own.
    std::uint32_t last() const { return row_.span ? std::min(partLast(), row_.span - 1) : partLast(); }
    std::uint32_t partLast() const { return session_->lastAddress(row_.subType); }
    // Bytes of the buffer the family's image occupies: for a fuse map, every
    // fuse of its JEDEC file (the array, then the architecture and signature).
    std::uint32_t imageSize() const {
        if (row_.image != Image::FuseMap) return last() + 1;
        return static_cast<std::uint32_t>(ParseJedecText(ReadText(PldFile(jedecFile()))).fuses.size());
    }
    const char* jedecFile() const {
        const auto g = session_->fuseGeometry(row_.subType);
        return g->fusesPerRow == 32 ? "gal16v8_reg.jed" : g->fusesPerRow == 40 ? "gal20v8_reg.jed" : "gal22v10_reg.jed";
    }

    // A random image in the buffer from address 0 (for fuse maps: the JEDEC test
    // file of the part's geometry with a quarter of its array fuses turned), returned
    // as the buffer's bytes.
    std::vector<std::uint8_t> randomImage(unsigned seed) {
        std::mt19937 gen(seed);
        switch (row_.image) {
        case Image::Bytes:
            for (std::uint32_t a = 0; a <= last(); ++a) (*buffer_)[a] = static_cast<std::uint8_t>(gen());
            break;
        case Image::Words14:
            for (std::uint32_t a = 0; a <= last(); a += 2) {
                const auto w = static_cast<std::uint16_t>(gen() & 0x3FFF);
                (*buffer_)[a] = static_cast<std::uint8_t>(w);
                (*buffer_)[a + 1] = static_cast<std::uint8_t>(w >> 8);
            }
            break;
        case Image::FuseMap: {
            const auto g = session_->fuseGeometry(row_.subType);
            formats::readJedecFile(*buffer_, *g, PldFile(jedecFile()));
            const std::uint32_t arrayFuses = static_cast<std::uint32_t>(g->fusesPerRow * (g->fuseRows - 1));
            for (std::uint32_t f = 0; f < arrayFuses; ++f)
                if (gen() % 4 == 0) (*buffer_)[f] = (*buffer_)[f] == '0' ? '1' : '0';
            break;
        }
        }
        return bufferBytes(0, imageSize());
    }
    std::vector<std::uint8_t> bufferBytes(std::uint32_t from, std::uint32_t count) const {
        return {buffer_->data() + from, buffer_->data() + from + count};
    }

    // Runs one operation as the command line does; with stopAtPoll > 0 the stop
    // request is answered yes at that progress poll.
    OperationResult run(const std::string& operation, AddressFields fields, int stopAtPoll = 0) {
        polls_ = 0;
        stopAtPoll_ = stopAtPoll;
        sentBefore_ = tap_->bytes.size();
        const SessionJob job{link_, *buffer_, selection_, fields, hooks_, nullptr, {}};
        return RunGuarded(link_, [&] { return session_->run(operation, job); });
    }
    OperationResult run(const std::string& operation) { return run(operation, wholeDevice()); }
    AddressFields wholeDevice() const { return {0, 0, last()}; }
    int polls() const { return polls_; }
    std::size_t sentByLastRun() const { return tap_->bytes.size() - sentBefore_; }
    // The box goes silent after `bytes` more bytes.
    void loseTheBoxAfter(std::uint64_t bytes) { box_->faults().silentAfterBytes = box_->bytesReceived() + bytes; }

    // Vpp off, and the supply too unless the row's sequences leave it on.
    bool socketPoweredDown() const {
        return box_->socket().vppPins() == 0 && (row_.supplyStaysOn || box_->socket().vccPins() == 0);
    }

private:
    static std::string scratchDir() {
        // One per process: the test runner runs many rows side by side.
        const auto dir =
            std::filesystem::temp_directory_path() / ("quarvin_conformance_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        return dir.string();
    }

    ConformanceRow row_;
    std::unique_ptr<FamilySession> session_;
    std::shared_ptr<sim::Box> box_ = std::make_shared<sim::Box>();
    std::shared_ptr<sim::Chip> chip_;
    std::shared_ptr<Tap> tap_ = std::make_shared<Tap>();
    LinkState link_;
    std::unique_ptr<MainBuffer> buffer_;
    SelectionState selection_;
    OperationHooks hooks_;
    int polls_ = 0;
    int stopAtPoll_ = 0;
    std::size_t sentBefore_ = 0;
};

} // namespace quarvin::test
