#pragma once
// The dialog of the logic device families: Read, Erase, Blank, Programe,
// Verify and the security button over the fuse map in the PLD window, an Auto
// group of five steps, the progress bar with a decimal read-out, the device
// field `Edit7` and the result field `Msg`. A family gives its geometry, its
// supply and its operations; this form opens the PLD window, refuses to
// program without one, shows the results and keeps the failure flag.
#include <cstdint>
#include <string>

#include "buffer/formats/Jedec.h"
#include "families/framework/FamilyDialog.h"
#include "families/framework/Operation.h"
#include "forms/Texts.h"

namespace quarvin {

enum class PldStep { Read, Erase, Blank, Program, Verify, Secure };
const char* PldStepName(PldStep step); // "read", ..., "secure"

// Where the two logic dialogs differ on their form and in Auto.
struct PldForm {
    std::string secureCaption;    // "Sec", "Secrity"
    std::string autoCaption;      // the Auto group's caption
    bool eraseSkipsBlank = false; // Auto runs Blank only when Erase is not ticked
};

class PldDialog : public FamilyDialog {
public:
    PldDialog(DeviceContext& ctx, std::string className, std::string caption, PldForm form);

    // Start operation, run by the dispatch after it has shown the dialog.
    void Start() override;

    void ReadRom();
    void EraseClick();
    void BlankClick();
    void WriteClick();   // "Programe"
    void VerifyClick();
    void SecrityClick();
    void Button1Click(); // "Auto"
    void CancelBtnClick();
    void OnCloseForm();

    // Set by every step that did not succeed (failed, stopped, refused, lost
    // link), cleared by one that did; Auto stops on it.
    bool failure() const { return failure_; }

    static constexpr const char* kMustBeJedec = QV_TEXT("Must be JECET format <*.JED>");
    static constexpr const char* kNoFileOpened = "No any file opened!";
    static constexpr const char* kNotConnected = "RS232 Bad!";

protected:
    // Fuses per row and fuse rows of the selected row, for the PLD window.
    virtual formats::FuseGeometry geometry() const = 0;
    virtual int vppMillivolts() const = 0;
    // What Edit7 shows after the start.
    virtual std::string deviceText() const = 0;
    virtual OperationResult run(PldStep step, const OperationHooks& hooks) = 0;

    // The row in use: the selection's sub-type, or the placeholder row 0 when
    // it lies outside a table of rowCount rows.
    int selectedRow(int rowCount) const;

    LinkState& link() { return ctx_.link; }
    MainBuffer& buffer() { return ctx_.docs.buffer(); }

    void aborted(const OperationAborted&) override;

private:
    void buildControls();
    OperationResult perform(PldStep step);
    void clicked(PldStep step);
    OperationHooks hooks();
    void setMessage(const std::string& text, bool repaintNow);
    void showProgress(std::uint32_t position, std::uint32_t last);
    void showFuseMap();

    PldForm form_;
    bool failure_ = false;
};

} // namespace quarvin
