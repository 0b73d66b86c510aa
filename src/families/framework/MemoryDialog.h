#pragma once
// The common anatomy of the memory family dialogs: three hexadecimal address
// fields, the message field, the progress bar with its address read-out, the
// device description, Read MFG, the "Auto Pro" chain and the close sequence.
// A family supplies its operations; this form turns its controls into their
// parameters and their results into Message, the failure flag and the progress.
#include <cstdint>
#include <string>
#include <vector>

#include "families/framework/AutoChain.h"
#include "families/framework/FamilyDialog.h"
#include "families/framework/Operation.h"
#include "forms/Texts.h"

namespace quarvin {

// What a memory family's form holds beyond the common anatomy: its own buttons,
// the caption of its code-read button, its option group and its Auto steps. The
// defaults are the UV EPROM form, the pattern of the others.
struct MemoryForm {
    // A button that runs one of the family's steps.
    struct Button {
        std::string name;    // control name: "Erase", "Protect", "UnProtect"
        std::string caption; // "Erase", "Unprot"
        MemoryStep step;
    };
    // A check box of the Auto group and the step it stands for.
    struct AutoBox {
        std::string name;    // "CheckBox1".."CheckBox4"
        std::string caption;
        bool checked;
        MemoryStep step;
        int width = 60;
    };
    // A radio group of programming options.
    struct Options {
        std::string name;    // "RadioGroup1", "Speed"
        std::string caption;
        std::vector<std::string> items;
        int columns = 1;
    };

    std::string idCaption = QV_TEXT("Read MFG"); // the MFG button
    std::string idLabel = "MFG";        // Label4
    std::string sumButton = "CheckSum"; // control name of the Sum button; empty: no Sum
    std::string autoCaption = QV_TEXT("Auto Pro");
    std::string programCaption = "Programe";    // the Write button
    std::string deviceStartLabel = "Device Start"; // Label2
    bool blankButton = true;                    // forms without a blank check leave it out
    bool idButton = true;                       // forms without Read MFG leave it out
    std::vector<Options> options = {
        {"RadioGroup1", "Pro time", {QV_TEXT("1 time"), QV_TEXT("2 times"), QV_TEXT("3 times"), QV_TEXT("4 times"), QV_TEXT("5 times")}, 2},
        {"RadioGroup2", QV_TEXT("Pro/Ver Mode"), {QV_TEXT("Check one by one"), QV_TEXT("Verify after all")}, 1},
    };
    std::vector<Button> buttons;
    std::vector<AutoBox> autoBoxes = {
        {"CheckBox2", "Blank", true, MemoryStep::Blank, 60},
        {"CheckBox3", "Programe", true, MemoryStep::Program, 80},
        {"CheckBox4", "Verify", false, MemoryStep::Verify, 60},
    };
};

// The start of the flash forms (28F, 29F, 29EE): "ID" on the code-read button
// and its label, and an Auto group of Erase, Blank, Programe and Verify with the
// last two checked.
MemoryForm FlashMemoryForm();

class MemoryDialog : public FamilyDialog {
public:
    MemoryDialog(DeviceContext& ctx, std::string className, std::string caption, MemoryForm form = {});

    // Start operation, run by the dispatch after it has shown the dialog.
    void Start() override;

    // Operation buttons.
    void ReadClick();
    void BlankClick();
    void WriteClick();
    void VerifyClick();
    void CheckSumClick();
    void MFGClick();
    // A family button (Erase, Protect, Unprot).
    void StepClick(MemoryStep step);
    void Button1Click();   // "Auto"
    void CancelBtnClick(); // "Exit": the close sequence, then hide
    void OnCloseForm();    // the close sequence of the form

    void OnExit1();
    void OnExit2();
    void OnExit3();
    void OnKeyDown1(int key);
    void OnKeyDown2(int key);
    void OnKeyDown3(int key);

    const AddressFields& fields() const { return fields_; }
    // The failure flag: set by a step that failed, cleared by Blank, Programe or
    // Verify when they succeed; Auto stops on it.
    bool failure() const { return failure_; }
    std::optional<bool> lastRunSucceeded() const override { return !failure_; }

    static constexpr const char* kNoFileOpened = "No any file opened!";

protected:
    // The selected row's last address (device size - 1).
    virtual std::uint32_t lastAddress() const = 0;
    // The family's operations on the selected row, with the dialog's fields and options.
    virtual OperationResult readDevice(const OperationHooks& hooks) = 0;
    virtual OperationResult blankCheck(const OperationHooks& hooks) = 0;
    virtual OperationResult program(const OperationHooks& hooks) = 0;
    virtual OperationResult verify(const OperationHooks& hooks) = 0;
    virtual OperationResult sum(const OperationHooks& hooks) = 0;
    // The family steps a form may add; refused unless the family has them.
    virtual OperationResult erase(const OperationHooks& hooks);
    virtual OperationResult protect(const OperationHooks& hooks);
    virtual OperationResult unprotect(const OperationHooks& hooks);
    virtual OperationResult test(const OperationHooks& hooks);

    // Start-up differences: the text shown when the box is not connected, what
    // Edit7 shows, and what runs after the Vpp level is set to 0.
    virtual std::string notConnectedText() const { return kNotConnectedText; }
    virtual std::string deviceText() const { return ctx_.selection.description; }
    virtual void afterStart() {}
    // The first step of the close sequence: the shared shut-down of the socket.
    virtual void shutDownSocket();
    // A family that aligns the address fields (page boundaries) does it here,
    // after each field is read.
    virtual void alignFields(AddressFields&) const {}
    // The codes Read MFG shows: the selection dialog's code read unless the
    // family reads its parts' codes its own way.
    virtual std::string readCodes() { return ctx_.readMfg ? ctx_.readMfg() : std::string(); }
    // Shows the three fields again after the family changed them.
    void showFields();
    AddressFields& mutableFields() { return fields_; }

    // The row in use: the selection's sub-type index, or the placeholder row 0 when
    // the index lies outside a table of rowCount rows.
    int selectedRow(int rowCount) const;

    LinkState& link() { return ctx_.link; }
    MainBuffer& buffer() { return ctx_.docs.buffer(); }

    // A handler outside the operations (Read MFG) ended because the link was lost.
    void aborted(const OperationAborted&) override;

private:
    void buildControls(const MemoryForm& form);
    void readHexField(const char* editName, const char* fieldName, std::uint32_t& value);
    // Runs one step: clears a stale stop request unless Auto runs it, then shows
    // the result.
    OperationResult perform(MemoryStep step, bool partOfAuto);
    OperationResult dispatch(MemoryStep step, const OperationHooks& hooks);
    OperationHooks hooks();
    void showProgress(std::uint32_t a, std::uint32_t last);
    void setMessage(const std::string& text, bool repaintNow);

    AddressFields fields_;
    bool failure_ = false;
    std::vector<MemoryForm::AutoBox> autoBoxes_;
};

} // namespace quarvin
