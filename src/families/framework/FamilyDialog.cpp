#include "families/framework/FamilyDialog.h"
#include "families/framework/SocketCheck.h"
#include "families/framework/SocketCheckSession.h"
#include "families/framework/SocketCheckSource.h"

#include <algorithm>
#include <vector>

#include "families/framework/OperationRecord.h"
#include "forms/HexText.h"
#include "link/trace/OperationLabel.h"

namespace quarvin {

void FamilyDialog::clearPreviousRun() {
    if (Control* readOut = find("Edit6")) readOut->setText("");
    if (Control* bar = find("RdBar")) bar->setPosition(0);
}

void FamilyDialog::showStatus(const ProgressDisplay& display, const std::string& text, bool repaintNow) {
    Control& m = control(display.messageField);
    m.setText(text);
    if (repaintNow) m.repaint();
}

void FamilyDialog::showProgressAt(const ProgressDisplay& display, std::uint32_t address, std::uint32_t last) {
    Control& bar = control("RdBar");
    bar.setRange(0, static_cast<int>(last));
    Control& readOut = control("Edit6");
    readOut.setText(Format(display.addressFormat, address));
    readOut.repaint();
    bar.setPosition(static_cast<int>(std::min(address, last)));
}

OperationResult FamilyDialog::runOperation(const std::string& name,
                                           const std::function<OperationResult()>& operation) {
    if (auto refusal = checkSocketFirst()) return *refusal;
    const OperationLabel label(ctx_.link, name);
    return RunGuarded(ctx_.link, operation);
}

std::optional<OperationResult> FamilyDialog::checkSocketFirst() {
    const SocketCheckSource* source = ctx_.platform.socketCheck;
    if (!source || !source->beforeEachOperation()) return std::nullopt;
    const SocketCheckPlan plan = source->planFor(className(), ctx_.selection);
    // A family the check cannot see works as without the option.
    if (!plan.refusal.empty()) return std::nullopt;
    const OperationLabel label(ctx_.link, kCheckOperation);
    const OperationResult r = RunGuarded(ctx_.link, [&] { return CheckSocket(ctx_.link, plan); });
    if (r.ok()) return std::nullopt;
    if (r.outcome == Outcome::LinkLost) return r;
    return OperationResult::refused(r.message);
}

void FamilyDialog::listDifferences(std::uint32_t first, std::uint32_t count,
                                   const std::function<OperationResult()>& readIntoBuffer) {
    if (!ctx_.docs.listsDifferences() || first >= kBufferSize || count == 0) return;
    count = std::min(count, kBufferSize - first);
    MainBuffer& buffer = ctx_.docs.buffer();
    // A read may fill more than the range (a configuration word, a data area):
    // the whole buffer is kept.
    const std::vector<std::uint8_t> kept(buffer.data(), buffer.data() + kBufferSize);
    // The progress keeps showing where Verify failed.
    Control* readOut = find("Edit6");
    Control* bar = find("RdBar");
    const std::string failedAt = readOut ? readOut->text() : std::string();
    const int barMin = bar ? bar->minimum() : 0, barMax = bar ? bar->maximum() : 0, barAt = bar ? bar->position() : 0;
    const OperationResult read = runOperation("compare", readIntoBuffer);
    DifferenceList differences;
    if (read.ok()) differences.compare(first, kept.data() + first, buffer.data() + first, count);
    std::copy(kept.begin(), kept.end(), buffer.data());
    if (readOut) readOut->setText(failedAt);
    if (bar) {
        bar->setRange(barMin, barMax);
        bar->setPosition(barAt);
    }
    if (read.ok()) ctx_.docs.showDifferences(differences);
}

std::optional<OperationResult> FamilyDialog::refuseAfterIncompleteLoad() {
    if (!ctx_.docs.loadIncomplete()) return std::nullopt;
    const bool goAhead = ctx_.platform.prompts &&
                         ctx_.platform.prompts->askYesNo(
                             "The last file did not load cleanly: the buffer lacks part of it.\n"
                             "Run the operation on this buffer anyway?",
                             "");
    if (!goAhead) return OperationResult::refused("Not run: the last file did not load cleanly");
    ctx_.docs.setLoadIncomplete(false);
    return std::nullopt;
}

OperationHooks FamilyDialog::operationHooks(const ProgressDisplay& display) {
    OperationHooks h;
    h.status = [this, display](const std::string& text, bool now) { showStatus(display, text, now); };
    h.progress = [this, display](std::uint32_t a, std::uint32_t last) { showProgressAt(display, a, last); };
    h.stopRequested = [this] { return ctx_.platform.stop != nullptr && ctx_.platform.stop->stopRequested(); };
    return h;
}

OperationResult FamilyDialog::runRecorded(const std::string& operation, std::optional<AddressFields> fields,
                                          const std::function<OperationResult()>& run) {
    const OperationResult r = runOperation(operation, run);
    RecordOperation(ctx_.platform.operationLog,
                    {operation, r, ctx_.link, ctx_.selection, ctx_.docs.buffer(), fields,
                     heldSerial_ ? heldSpec_.text(*heldSerial_) : std::string()});
    return r;
}

void FamilyDialog::autoNextChip() {
    if (!lastRunSucceeded()) {
        if (ctx_.platform.prompts) ctx_.platform.prompts->message("This dialog has no Auto.");
        return;
    }
    int done = 0, failed = 0;
    for (;;) {
        click("Button1");
        ++(lastRunSucceeded().value_or(false) ? done : failed);
        const std::string tally = Format("Auto, next chip: %d done, %d failed", done, failed);
        ctx_.docs.showStatusNote(tally);
        if (ctx_.link.lost || (ctx_.platform.stop && ctx_.platform.stop->stopRequested())) return;
        if (!ctx_.platform.prompts ||
            !ctx_.platform.prompts->askYesNo(tally + "\n\nPut the next chip in the socket.\nYes: next chip, No: stop",
                                             "Auto, next chip"))
            return;
    }
}

std::optional<OperationResult> FamilyDialog::holdSerial(std::uint32_t first, std::uint32_t count) {
    SerialSource* source = ctx_.platform.serialNumbers;
    if (heldSerial_ || source == nullptr) return std::nullopt;
    const std::optional<SerialSpec> spec = source->active();
    if (!spec) return std::nullopt;
    const std::uint64_t end = std::uint64_t{spec->address} + spec->format.byteCount();
    if (spec->address < first || end > std::uint64_t{first} + count)
        return OperationResult::refused(Format("Not run: the serial number at %X lies outside the range being programmed (%X..%X)",
                                               spec->address, first, first + (count == 0 ? 0 : count - 1)));
    const SerialTicket ticket = source->take();
    if (!ticket.number) return OperationResult::refused("Not run: " + ticket.error);
    const std::string refusal = WriteSerialNumber(ctx_.docs.buffer(), *spec, *ticket.number);
    if (!refusal.empty()) {
        source->giveBack(*ticket.number);
        return OperationResult::refused("Not run: " + refusal);
    }
    heldSerial_ = ticket.number;
    heldSpec_ = *spec;
    ctx_.docs.refreshHexWindow();
    return std::nullopt;
}

void FamilyDialog::releaseSerial(bool succeeded) {
    if (!heldSerial_) return;
    const std::uint64_t number = *heldSerial_;
    heldSerial_.reset();
    if (succeeded || ctx_.platform.serialNumbers == nullptr) return;
    const std::string error = ctx_.platform.serialNumbers->giveBack(number);
    if (!error.empty() && ctx_.platform.prompts) ctx_.platform.prompts->message(error);
}

} // namespace quarvin
