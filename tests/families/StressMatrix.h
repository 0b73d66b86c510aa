#pragma once
// Runs one family operation on the virtual box with a part in the socket and
// the socket's electrical referee watching: the family's start, the operation,
// and the dialog's shut-down, as the command line and the dialogs do them.
// Shared by the stress matrix test and its benchmark.
#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "families/framework/FamilyDialog.h"
#include "families/framework/FamilySession.h"
#include "families/logic_ic/IcLibrary.h"
#include "link/commands/LinkOps.h"
#include "sim/Box.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"
#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::test {

// How the run is cut short.
struct StressCut {
    int stopAtPoll = 0;           // the n-th stop poll answers yes; 0: never
    std::uint64_t silentAfter = 0; // the box goes silent after this many bytes of the operation; 0: never
};

struct StressRun {
    std::vector<sim::StressEvent> events;
    quarvin::Outcome outcome = quarvin::Outcome::Done;
    std::string message;
    int polls = 0;                // stop polls the operation made
    std::uint64_t operationBytes = 0;
    std::int64_t modelPs = 0;     // the box's clock at the end
    std::size_t boxErrors = 0;    // bytes the box lost or could not take
};

// Largest span a memory operation covers: the sequences repeat per page, so a
// few pages show every step without the whole device's time.
inline constexpr std::uint32_t kStressSpan = 0x2FF;

// The logic IC tester's "Founction" powers the type the user selected, so the
// matrix selects the type of the part in the socket, as the README asks users to.
inline void SelectTypeOfSocketPart(FamilySession& session, const sim::ChipOffer& offer,
                                   const SelectionState& selection) {
    if (offer.family != "TICTestx") return;
    const std::vector<sim::LogicPart>* classes[] = {&sim::Ttl74Parts(), &sim::Cmos40Parts(), &sim::Cmos45Parts()};
    for (const sim::LogicPart& part : *classes[offer.subType])
        if (part.name == offer.label) {
            const std::string error = session.setControl(selection, "ListBox1", IcTypeName(offer.subType, part.number));
            if (!error.empty()) throw std::runtime_error(offer.label + ": " + error);
            return;
        }
    throw std::runtime_error(offer.label + " is in no logic IC class");
}

inline StressRun RunUnderReferee(const FamilyEntry& family, const sim::ChipOffer& offer, const std::string& operation,
                                 StressCut cut = {}) {
    auto session = family.makeSession();
    session->setProgramDir(QUARVIN_SOURCE_DIR "/data");
    auto box = std::make_shared<sim::Box>();
    auto chip = offer.make();
    box->insert(chip);
    sim::StressReferee& referee = box->socket().referee();

    LinkState link;
    link.port = std::make_unique<sim::VirtualBoxTransport>(box);
    link.connected = 1;
    link.readAheadWindow = 128;

    auto buffer = std::make_unique<MainBuffer>();
    buffer->initialise();
    for (std::uint32_t a = 0; a <= kStressSpan; ++a) (*buffer)[a] = static_cast<std::uint8_t>(a * 29 + 3);
    if (session->fuseGeometry(offer.subType))
        for (std::uint32_t a = 0; a < 6000; ++a) (*buffer)[a] = (a % 7) ? '1' : '0';
    SelectionState selection;
    selection.subType = offer.subType;
    selection.description = offer.label;
    SelectTypeOfSocketPart(*session, offer, selection);
    StressRun run;
    OperationHooks hooks;
    hooks.stopRequested = [&] { return ++run.polls == cut.stopAtPoll; };
    const std::uint32_t length = std::min(session->lastAddress(offer.subType), kStressSpan);
    const SessionJob job{link, *buffer, selection, AddressFields{0, 0, length}, hooks, nullptr, {}};

    referee.setOperation("start");
    session->start(link, offer.subType);
    referee.operationEnded(session->leavesPartPowered("start"));

    const std::uint64_t before = box->bytesReceived();
    if (cut.silentAfter) box->faults().silentAfterBytes = before + cut.silentAfter;
    referee.setOperation(operation);
    const OperationResult r = session->run(operation, job);
    run.outcome = r.outcome;
    run.message = r.message;
    run.operationBytes = box->bytesReceived() - before;
    // A silent box no longer obeys: nothing the program sends changes the socket.
    if (r.outcome != quarvin::Outcome::LinkLost) {
        referee.operationEnded(session->leavesPartPowered(operation));
        referee.setOperation("close");
        session->close(link);
        referee.dialogClosed();
    }
    run.events = referee.events();
    run.modelPs = box->nowPs();
    run.boxErrors = box->errors().size();
    return run;
}

// The parts of a family's rows in the virtual box, every maker's part of a row included.
inline std::vector<const sim::ChipOffer*> OffersOf(const std::string& dialogClass) {
    std::vector<const sim::ChipOffer*> offers;
    for (const sim::ChipOffer& o : sim::ChipOffers())
        if (o.family == dialogClass) offers.push_back(&o);
    return offers;
}

// Every run of one family's matrix: each operation on each part; on the
// family's first part also stopped at its first, middle and last stop poll and
// with the box silent after 7 bytes and after half of the operation's bytes
// (the cut runs end the same code on every row). onRun(offer, operation,
// scenario, run) sees each; returns the number of runs. With a stride above 1
// only the first pair of part and operation and every stride-th after it runs.
template <class OnRun> int ForEachMatrixRun(const std::string& dialogClass, OnRun onRun, std::size_t stride = 1) {
    const FamilyEntry& family = Families().at(dialogClass);
    const auto probe = family.makeSession();
    int runs = 0;
    std::size_t pairs = 0;
    for (const sim::ChipOffer* offer : OffersOf(dialogClass)) {
        for (const FamilyOperationInfo& op : probe->operations()) {
            if (!probe->unavailable(op.name, offer->subType).empty()) continue;
            if (pairs++ % stride != 0) continue;
            const StressRun whole = RunUnderReferee(family, *offer, op.name);
            onRun(*offer, op.name, std::string("whole"), whole);
            ++runs;
            if (offer != OffersOf(dialogClass).front()) continue;
            for (int poll : {1, whole.polls / 2, whole.polls}) {
                if (poll < 1 || poll > whole.polls) continue;
                onRun(*offer, op.name, "stopped at poll " + std::to_string(poll),
                      RunUnderReferee(family, *offer, op.name, {poll, 0}));
                ++runs;
            }
            for (std::uint64_t bytes : {std::uint64_t{7}, whole.operationBytes / 2}) {
                if (bytes == 0 || bytes >= whole.operationBytes) continue;
                onRun(*offer, op.name, "silent after " + std::to_string(bytes) + " bytes",
                      RunUnderReferee(family, *offer, op.name, {0, bytes}));
                ++runs;
            }
        }
    }
    return runs;
}

} // namespace quarvin::test
