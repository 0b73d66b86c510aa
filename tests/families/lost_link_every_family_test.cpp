// A box that goes silent part-way through any operation of any registered family
// is never reported as success: every operation is run once on a healthy virtual
// box to learn how many bytes it sends, then again with the box falling silent
// after several of those byte counts. A family added to the registry is covered
// without a line here.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "FamilyRig.h"
#include "families/p16f87xa/P16f87xaDialog.h"
#include "families/pic16c8x/Pic16Dialog.h"
#include "families/w27e/W27eDialog.h"
#include "support/FakePlatform.h"
#include "support/SanitizerSample.h"

namespace quarvin::test {
namespace {

constexpr int kCuts = 8; // byte counts per operation

// The row of the family whose virtual part has the fewest cells: the runs stay short.
int SmallestRowWithAPart(const std::string& dialogClass, const FamilyEntry& family) {
    int best = -1;
    std::size_t bestCells = 0;
    const int rows = static_cast<int>(family.subTypes().size());
    for (int row = family.firstSubType; row < rows; ++row) {
        const sim::ChipOffer* offer = sim::OfferForSubType(dialogClass, row);
        if (!offer) continue;
        const std::size_t cells = offer->make()->memory().size();
        if (best < 0 || cells < bestCells) best = row, bestCells = cells;
    }
    return best;
}

struct OperationRun {
    OperationResult result;
    std::uint64_t sent = 0; // bytes the box received during the operation
};

// One operation on a fresh box whose part holds a random image, the buffer
// another; the box goes silent after `silentAfter` bytes of the operation.
OperationRun RunOnBox(const std::string& dialogClass, const FamilyEntry& family, int row, const std::string& operation,
             std::optional<std::uint64_t> silentAfter, int readAheadWindow) {
    auto box = std::make_shared<sim::Box>();
    auto part = sim::OfferForSubType(dialogClass, row)->make();
    const auto image = RandomImage(part->memory().size(), 7);
    std::copy(image.begin(), image.end(), part->memory().begin());
    box->insert(part);
    LinkState link;
    FakePrompts prompts; // every question answered Yes: the operation goes as far as it can
    link.prompts = &prompts;
    link.connected = 1;
    link.readAheadWindow = readAheadWindow;
    link.port = std::make_unique<sim::VirtualBoxTransport>(box);
    auto buffer = std::make_unique<MainBuffer>();
    buffer->initialise();
    const auto data = RandomImage(0x10000, 11);
    std::copy(data.begin(), data.end(), buffer->data());

    auto session = family.makeSession();
    session->setProgramDir(QUARVIN_SOURCE_DIR "/data");
    SelectionState selection;
    selection.subType = row;
    ResetSocket(link);
    session->start(link);
    const std::uint64_t before = box->bytesReceived();
    if (silentAfter) box->faults().silentAfterBytes = before + *silentAfter;
    const OperationHooks hooks;
    const AddressFields fields{0, 0, session->lastAddress(row)};
    const SessionJob job{link, *buffer, selection, fields, hooks, &prompts, [] { return std::string("20,3d"); }};
    OperationRun run;
    run.result = session->run(operation, job);
    run.sent = box->bytesReceived() - before;
    return run;
}

// Byte counts spread over the operation's stream, its first and last byte included.
std::set<std::uint64_t> CutsOf(std::uint64_t sent) {
    std::set<std::uint64_t> cuts;
    for (int k = 0; k < kCuts; ++k) cuts.insert(sent * static_cast<std::uint64_t>(k) / (kCuts - 1));
    cuts.erase(sent);
    cuts.insert(sent - 1);
    return cuts;
}

TEST(LostLinkInEveryFamily, NoOperationReportsSuccessFromABoxThatWentSilent) {
    int operationsCovered = 0;
    SweepSample sample;
    for (const auto& [dialogClass, family] : Families()) {
        const int row = SmallestRowWithAPart(dialogClass, family);
        if (row < 0) continue; // no virtual part to run against
        for (const FamilyOperationInfo& op : family.makeSession()->operations()) {
            if (!family.makeSession()->unavailable(op.name, row).empty()) continue;
            SCOPED_TRACE(dialogClass + " row " + std::to_string(row) + " " + op.name);
            // Sending ahead changes the stream's length, so each window has its own cuts;
            // the two windows take turns over the cut positions.
            const OperationRun healthy = RunOnBox(dialogClass, family, row, op.name, std::nullopt, 1);
            if (healthy.sent == 0) continue; // refused before sending: nothing to lose
            const OperationRun healthyAhead = RunOnBox(dialogClass, family, row, op.name, std::nullopt, 128);
            ++operationsCovered;
            const std::set<std::uint64_t> cuts[] = {CutsOf(healthy.sent), CutsOf(healthyAhead.sent)};
            const int windows[] = {1, 128};
            for (int k = 0; k < kCuts; ++k) {
                const auto& ofWindow = cuts[k % 2];
                if (static_cast<std::size_t>(k) >= ofWindow.size() || !sample.take()) continue;
                const std::uint64_t cut = *std::next(ofWindow.begin(), k);
                const int window = windows[k % 2];
                SCOPED_TRACE("silent after " + std::to_string(cut) + " bytes, read-ahead window " +
                             std::to_string(window));
                const OperationRun lost = RunOnBox(dialogClass, family, row, op.name, cut, window);
                EXPECT_EQ(lost.result.outcome, Outcome::LinkLost) << lost.result.message;
                EXPECT_EQ(lost.result.message, kNotConnectedText);
            }
        }
    }
    // The registry's families bring dozens of operations; a broken lookup must not pass as a pass.
    EXPECT_GT(operationsCovered, 40);
}

// The window: operations that end with sends only (an erase pulse, a program
// loop without replies) set the failure flag and say so when the box has gone.
template <class Dialog>
void ExpectLostInTheWindow(int row, const char* button, const char* messageField, std::uint64_t silentAfter) {
    SCOPED_TRACE(std::string(Dialog::kFormClass) + " " + button);
    SimRig<Dialog> rig(row);
    rig.fp.prompts.answers.assign(8, true);
    rig.box->faults().silentAfterBytes = rig.box->bytesReceived() + silentAfter;
    rig.dlg.click(button);
    if constexpr (requires { rig.dlg.failure(); })
        EXPECT_TRUE(rig.dlg.failure());
    else
        EXPECT_NE(rig.dlg.failureFlag(), 0);
    EXPECT_NE(rig.dlg.control(messageField).text().find(kNotConnectedText), std::string::npos)
        << rig.dlg.control(messageField).text();
}

TEST(LostLinkInEveryFamily, TheWindowShowsItForOperationsThatOnlySend) {
    ExpectLostInTheWindow<W27eDialog>(1, "Erase", "Message", 40);
    ExpectLostInTheWindow<Pic16Dialog>(5, "Write", "Msg", 700);
    ExpectLostInTheWindow<P16f87xaDialog>(4, "Write", "Msg", 700);
}

} // namespace
} // namespace quarvin::test
