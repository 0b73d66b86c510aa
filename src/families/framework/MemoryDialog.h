#pragma once
// The common anatomy of the memory family dialogs: three hexadecimal address
// fields, the message field, the progress bar with its address read-out, the
// device description, Read MFG, the "Auto Pro" chain and the close sequence.
// A family adds its sub-type table, its address encoding and its operations.
#include <array>
#include <cstdint>
#include <string>

#include "families/framework/FamilyDialog.h"

namespace quarvin {

class MemoryDialog : public FamilyDialog {
public:
    MemoryDialog(DeviceContext& ctx, std::string className, std::string caption);

    // Start operation, run by the dispatch after it has shown the dialog.
    void Start() override;

    // Operation buttons; each family writes its own sequences.
    virtual void ReadClick() = 0;
    virtual void BlankClick() = 0;
    virtual void WriteClick() = 0;
    virtual void VerifyClick() = 0;
    virtual void CheckSumClick() = 0;

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

    std::uint32_t bufferStart() const { return bufferStart_; }
    std::uint32_t deviceStart() const { return deviceStart_; }
    std::uint32_t length() const { return length_; }
    int failure() const { return failure_; }
    const std::array<std::uint8_t, 5>& portImage() const { return portImage_; }

    // Messages shared by every family.
    static constexpr const char* kNotConnected = "Communication error!";
    static constexpr const char* kNoFileOpened = "No any file opened!";

protected:
    // The selected row's last address (device size - 1).
    virtual std::uint32_t lastAddress() const = 0;
    // The family's address encoding into portImage_, followed by the port writes.
    virtual void setAddress(std::uint32_t a) = 0;

    // The row in use: the selection's sub-type index, or the placeholder row 0 when
    // the index lies outside a table of rowCount rows.
    int selectedRow(int rowCount) const;

    // The part of "Device Start .. Device Start + Length" that lies on the device and
    // whose buffer offsets stay inside the main buffer.
    struct Span {
        std::uint32_t device = 0;
        std::uint32_t buffer = 0;
        std::uint32_t count = 0;
    };
    Span fieldSpan() const;

    void setMessage(const std::string& text, bool repaintNow);
    void showProgress(std::uint32_t a);
    // Whether the user asked to stop the running operation.
    bool stopPoll();
    void clearStop();
    void setFailure(int f) { failure_ = f; }

    // Writes output ports 0..4 from the port image, in this order.
    void writePortImage();
    // Switches Vcc to the supply pin and grounds socket pin 20; waits when asked.
    void powerUp(int vccPin, bool wait);
    // Power-down after reads: every port high, Vcc off.
    void powerDownAfterRead();
    // Power-down after programming: Vpp off, Vcc off.
    void powerDownAfterProgram();
    // A failed read-type step: the text, Vcc off, failure flag 1.
    void failRead(const std::string& text);
    // A failed programming step: the text, Vpp and Vcc off, failure flag 1.
    void failProgram(const std::string& text);

    LinkState& link() { return ctx_.link; }
    MainBuffer& buffer() { return ctx_.docs.buffer(); }
    DocumentHost& docs() { return ctx_.docs; }

    // A handler ended because the link was lost.
    void aborted(const OperationAborted&) override;

    std::array<std::uint8_t, 5> portImage_{};
    int readBusMode_ = 12;
    int writeBusMode_ = 15;

private:
    void buildControls();
    void readHexField(const char* editName, std::uint32_t& value);

    std::uint32_t bufferStart_ = 0;
    std::uint32_t deviceStart_ = 0;
    std::uint32_t length_ = 0x200;
    int failure_ = 0;
};

} // namespace quarvin
