#pragma once
// The reduced operation dialog of the serial EEPROM families: no address
// fields (every operation covers the whole device from address 0 and buffer
// offset 0), the message field `Msg`, the device field `Edit7`, the progress bar
// with a four-digit address read-out, the "Pro time" group `Speed`, an optional
// "Auto pro" group and the close sequence. A family names its buttons and runs
// its operations; this form shows their results and keeps the failure flag.
#include <cstdint>
#include <string>
#include <vector>

#include "families/framework/FamilyDialog.h"
#include "families/framework/Operation.h"

namespace quarvin {

enum class SerialStep { Read, Erase, Blank, Program, Verify };
const char* SerialStepName(SerialStep step); // "read", "erase", ...

struct SerialDialogLayout {
    std::vector<SerialStep> buttons;  // in the order they stand on the form
    bool autoGroup = false;           // "Auto pro" with Erase, Blank, Programe, Verify
    std::string notConnectedText;     // Msg at start without a box
};

class SerialMemoryDialog : public FamilyDialog {
public:
    SerialMemoryDialog(DeviceContext& ctx, std::string className, std::string caption, SerialDialogLayout layout);

    // Start operation, run by the dispatch after it has shown the dialog.
    void Start() override;

    void ReadRom();
    void EraseClick();
    void BlankClick();
    void WriteClick();  // "Programe"
    void VerifyClick();
    void Button1Click(); // "Auto"
    void CancelBtnClick();
    void OnCloseForm();

    // Set by an operation that failed, was stopped or refused; every operation
    // clears it when it starts. Auto stops on it.
    bool failure() const { return failure_; }

    static constexpr const char* kNoFileOpened = "No any file opened!";

protected:
    // The last buffer offset the selected row fills (the hex window's end).
    virtual std::uint32_t lastBufferAddress() const = 0;
    virtual OperationResult run(SerialStep step, const OperationHooks& hooks) = 0;

    // The row in use: the selection's sub-type, or the placeholder row 0 when
    // it lies outside a table of rowCount rows.
    int selectedRow(int rowCount) const;
    // The "Pro time" choice, in milliseconds.
    int writeWaitMilliseconds() const;

    LinkState& link() { return ctx_.link; }
    MainBuffer& buffer() { return ctx_.docs.buffer(); }

    void aborted(const OperationAborted&) override;

private:
    void buildControls();
    OperationResult perform(SerialStep step);
    OperationHooks hooks();
    void setMessage(const std::string& text, bool repaintNow);
    void showProgress(std::uint32_t a, std::uint32_t last);

    SerialDialogLayout layout_;
    bool failure_ = false;
};

} // namespace quarvin
