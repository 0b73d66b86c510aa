#pragma once
// The operation dialog of the microcontroller families: no address fields (every
// operation covers the code memory from address 0), the status field `Msg`, the
// progress bar `RdBar` with its four-digit read-out `Edit6`, the device field
// `Edit7`, the family's buttons and option groups, and a run group whose check
// boxes chain steps while the failure flag stays 0. A family names its controls
// and runs its operations; this form shows their results and keeps the flag.
#include <cstdint>
#include <string>
#include <vector>

#include "families/framework/FamilyDialog.h"
#include "families/framework/McuSteps.h"
#include "families/framework/Operation.h"

namespace quarvin {

enum class McuStep { Read, Erase, Blank, Program, Verify, Protect, Id, ReadFuse, WriteFuse };

// What a microcontroller family's form holds.
struct McuForm {
    struct Button {
        std::string name;    // "Read1", "Erase", "Secrity", "ID"
        std::string caption;
        McuStep step;
    };
    struct RunBox {
        std::string name;    // "CheckBox1".."CheckBox5"
        std::string caption;
        bool checked;
        McuStep step;
    };
    struct Options {
        std::string name;    // "RadioGroup1"
        std::string caption;
        std::vector<std::string> items;
        int initialIndex;
    };

    std::vector<Button> buttons;     // in the order they stand on the form
    std::vector<RunBox> runBoxes;    // in the order the run chain takes them
    std::string runGroupName = "GroupBox1";
    std::string runGroupCaption;
    std::string runButtonCaption;    // Button1
    std::vector<Options> options;
    bool exitButton = false;         // CancelBtn "Exit"
    std::string notConnectedText;    // Msg at start without a box
    std::string chainDoneText = "OK"; // Msg after a run chain that went through
    int extraRows = 0;               // rows of family controls below Msg
};

class McuDialog : public FamilyDialog {
public:
    McuDialog(DeviceContext& ctx, std::string className, std::string caption, McuForm form);

    // Start operation, run by the dispatch after it has shown the dialog.
    void Start() override;

    void ReadRom();
    void EraseClick();
    void BlankClick();
    void WriteClick();
    void VerifyClick();
    void SecrityClick();
    void IDClick();
    // The buttons of the steps without a handler name of their own here.
    void StepClick(McuStep step);
    void Button1Click(); // the run chain
    void CancelBtnClick();
    void OnCloseForm();

    // 0 after a step that succeeded; what the family says after one that did
    // not (1, or a family's own code). The run chain stops on anything but 0.
    int failureFlag() const { return failure_; }
    std::optional<bool> lastRunSucceeded() const override { return failure_ == 0; }

protected:
    // The selected row's last address.
    virtual std::uint32_t rowLastAddress() const = 0;
    virtual OperationResult run(McuStep step, const OperationHooks& hooks) = 0;
    // The chain's first step (the presence check and any family condition);
    // nothing when the chain may go on.
    virtual std::optional<OperationResult> beforeChain() = 0;
    // What the family's start sends after the common start (voltages, power).
    virtual void afterStart() {}
    // The failure flag a result leaves; 0 for a success.
    virtual int failureFlagOf(McuStep step, const OperationResult& result) const;
    // Whether a result leaves the flag as it was (a step that does not report).
    virtual bool keepsFlag(McuStep, const OperationResult&) const { return false; }

    // The row in use: the selection's sub-type, or the placeholder row 0 when
    // it lies outside a table of rowCount rows.
    int selectedRow(int rowCount) const;
    // The loop bound: the row's last address, and the hex window's end address
    // when there is one.
    McuRange range() const;
    OperationHooks hooks();
    // Where a family's own rows of controls start (below Msg), and the top of
    // the run and option groups, beside which a family may put a group.
    int extrasTop() const { return extrasTop_; }
    int groupsTop() const { return groupsTop_; }
    Prompts* prompts() { return ctx_.platform.prompts; }
    LinkState& link() { return ctx_.link; }
    MainBuffer& buffer() { return ctx_.docs.buffer(); }
    bool hasHexWindow() const { return ctx_.docs.hasHexWindow(); }

    void aborted(const OperationAborted&) override;
    void setMessage(const std::string& text, bool repaintNow);

private:
    void buildControls(const McuForm& form);
    OperationResult perform(McuStep step);
    void showProgress(std::uint32_t a, std::uint32_t last);

    McuForm form_;
    int failure_ = 0;
    int extrasTop_ = 0;
    int groupsTop_ = 0;
};

} // namespace quarvin
