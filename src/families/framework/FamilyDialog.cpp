#include "families/framework/FamilyDialog.h"

#include <algorithm>

#include "families/framework/OperationRecord.h"
#include "forms/HexText.h"

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
    const OperationResult r = RunGuarded(ctx_.link, run);
    RecordOperation(ctx_.platform.operationLog,
                    {operation, r, ctx_.link, ctx_.selection, ctx_.docs.buffer(), fields, {}});
    return r;
}

} // namespace quarvin
