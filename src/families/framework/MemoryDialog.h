#pragma once
// The common anatomy of the memory family dialogs: three hexadecimal address
// fields, the message field, the progress bar with its address read-out, the
// device description, Read MFG, the "Auto Pro" chain and the close sequence.
// A family supplies its operations; this form turns its controls into their
// parameters and their results into Message, the failure flag and the progress.
#include <cstdint>
#include <string>

#include "families/framework/AutoChain.h"
#include "families/framework/FamilyDialog.h"
#include "families/framework/Operation.h"

namespace quarvin {

class MemoryDialog : public FamilyDialog {
public:
    MemoryDialog(DeviceContext& ctx, std::string className, std::string caption);

    // Start operation, run by the dispatch after it has shown the dialog.
    void Start() override;

    // Operation buttons.
    void ReadClick();
    void BlankClick();
    void WriteClick();
    void VerifyClick();
    void CheckSumClick();
    void MFGClick();
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

    // The row in use: the selection's sub-type index, or the placeholder row 0 when
    // the index lies outside a table of rowCount rows.
    int selectedRow(int rowCount) const;

    LinkState& link() { return ctx_.link; }
    MainBuffer& buffer() { return ctx_.docs.buffer(); }

    // A handler outside the operations (Read MFG) ended because the link was lost.
    void aborted(const OperationAborted&) override;

private:
    void buildControls();
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
};

} // namespace quarvin
