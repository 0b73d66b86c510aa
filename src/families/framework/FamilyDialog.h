#pragma once
// The base of every family dialog and what it is given to work with.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "buffer/DocumentHost.h"
#include "catalogue/SelectionState.h"
#include "families/framework/FamilySession.h"
#include "families/framework/Operation.h"
#include "families/framework/SerialSource.h"
#include "families/placement/SocketPlacement.h"
#include "forms/Form.h"
#include "link/commands/LinkState.h"
#include "platform/Platform.h"

namespace quarvin {

struct DeviceContext {
    LinkState& link;
    Platform& platform;
    DocumentHost& docs;
    SelectionState& selection;
    // "Read MFG": runs the selection dialog's manufacturer/type detection and
    // returns the text it leaves in that dialog's Edit1.
    std::function<std::string()> readMfg;
};

class FamilyDialog : public Form {
public:
    FamilyDialog(DeviceContext& ctx, std::string className, std::string caption, int width, int height)
        : Form(std::move(className), std::move(caption), width, height), ctx_(ctx) {}
    // Called by the dispatch after it has shown the dialog.
    virtual void Start() = 0;
    // Whether the last run left the failure flag clear, for the dialogs with an
    // Auto button ("Button1"); nothing for the others.
    virtual std::optional<bool> lastRunSucceeded() const { return std::nullopt; }
    // "Auto, next chip": runs Auto, shows the tally (done, failed) in the status
    // bar, asks for the next chip and runs again until the answer is No, a stop
    // request (Esc, Stop) or a lost link ends it. Each chip takes the next serial
    // number when the serial number is on.
    void autoNextChip();
    // The device the dialog works on, as the selection dialog last set it.
    const SelectionState& selection() const { return ctx_.selection; }

    // Where a dialog shows an operation's status and progress: its message field,
    // and the progress bar "RdBar" with the address read-out "Edit6".
    struct ProgressDisplay {
        const char* messageField; // "Message" or "Msg"
        const char* addressFormat; // "%06x", "%04x", "%04d"
    };

protected:
    // The start of a (re)opened dialog: the last run's address and progress go, so
    // that nothing of it stands beside the new "OK".
    void clearPreviousRun();
    void showStatus(const ProgressDisplay& display, const std::string& text, bool repaintNow);
    void showProgressAt(const ProgressDisplay& display, std::uint32_t address, std::uint32_t last);
    // Hooks that show status and progress there and ask the platform's stop request.
    OperationHooks operationHooks(const ProgressDisplay& display);
    // Runs a device operation the user started here through RunGuarded, its
    // bytes labelled in a link trace with its name ("read", "verify", ...), as
    // the command line labels the same steps.
    OperationResult runOperation(const std::string& name, const std::function<OperationResult()>& operation);
    // After a Verify failed, where there is a window for it: reads the chip
    // again with readIntoBuffer (the same range Verify covered), lists every byte
    // of buffer offsets first .. first + count - 1 that differs from the buffer
    // in the "Differences" window, and puts the buffer back as it was. A read that
    // does not finish lists nothing.
    void listDifferences(std::uint32_t first, std::uint32_t count, const std::function<OperationResult()>& readIntoBuffer);
    // Runs one operation as runOperation does and records it under its name in the
    // platform's operation log (with the range of the fields, where the dialog has them).
    OperationResult runRecorded(const std::string& operation, std::optional<AddressFields> fields,
                                const std::function<OperationResult()>& run);
    // After a load that left the buffer short of its file, the first device
    // operation asks whether to run on it: nothing when it may run (or the user
    // said Yes, which is not asked again), else the refusal to show.
    std::optional<OperationResult> refuseAfterIncompleteLoad();
    // The serial number of a Programe or of an Auto that programs. When numbering
    // is on and no number is held yet, takes the next one and writes it into the
    // buffer; it must lie within buffer offsets first .. first + count - 1, the
    // range being programmed. Returns the refusal when it cannot (nothing held
    // then); nothing when a number is held or numbering is off.
    std::optional<OperationResult> holdSerial(std::uint32_t first, std::uint32_t count);
    bool holdingSerial() const { return heldSerial_.has_value(); }
    // Ends the hold: the number stays used when the run succeeded, else it goes
    // back to the counter for the next chip.
    void releaseSerial(bool succeeded);

    DeviceContext& ctx_;

private:
    // With Option > "Check the socket before each operation" on: the check's
    // failure as a refusal, nothing when the socket is OK or the family has no check.
    std::optional<OperationResult> checkSocketFirst();
    std::optional<std::uint64_t> heldSerial_;
    SerialSpec heldSpec_;
};

using FamilyFactory = std::function<std::unique_ptr<FamilyDialog>(DeviceContext&)>;

// What the rest of the program needs to know of a sub-type row without knowing
// the family: its name, size, programming voltage, the part the virtual box
// puts in the socket for it and where that part sits in the socket.
struct SubTypeSummary {
    std::string name;
    std::uint32_t size = 0;     // bytes (or words) of the device, 0 for the placeholder
    int vppMillivolts = 0;
    std::string chip;           // virtual box part, empty for none
    SocketPlacement placement;  // not known for the placeholder and rows without data
};

// A built family, registered once under its dialog class name.
struct FamilyEntry {
    FamilyFactory makeDialog;
    std::function<std::vector<SubTypeSummary>()> subTypes; // index = sub-type
    std::function<std::unique_ptr<FamilySession>()> makeSession; // the operations by name
    // The first sub-type that names a device: row 0 is a placeholder in most
    // families; the testers whose sub-type picks a class of parts use it.
    int firstSubType = 1;
    // Why the socket check can learn nothing of this family's parts (the check
    // then refuses with it); empty when it works from each row's part.
    std::string noSocketCheck;
};

// The family dialogs built in this version, by dialog class name ("TP27x", ...).
const std::map<std::string, FamilyEntry>& Families();
// The same, as the dispatch needs it: dialog class name -> factory.
const std::map<std::string, FamilyFactory>& BuiltFamilies();
// Empty when the family has a row for the sub-type; else why the selection cannot
// be used (a row outside the table would run on the family's placeholder row).
std::string SubTypeOutsideTable(const FamilyEntry& family, const std::string& dialogClass, int subType);

} // namespace quarvin
