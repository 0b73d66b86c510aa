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
