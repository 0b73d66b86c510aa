#pragma once
// A family's operations driven by name, without a window: what the command line
// runs. It calls the same operation functions as the family's dialog; the names
// and options are the family's own ("read", "program", "pro-time=2").
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "buffer/formats/Jedec.h"
#include "catalogue/SelectionState.h"
#include "families/framework/Operation.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

class Prompts;

struct FamilyOperationInfo {
    std::string name; // "read", "blank", "program", "verify", "erase", "sum", "id", "lock", "auto", "test", "identify"
    std::string help;
};

struct FamilyOptionInfo {
    std::string name;         // "pro-time"
    std::string values;       // "1..5"
    std::string defaultValue; // "1"
    std::string help;
};

// What one run of an operation works with.
struct SessionJob {
    LinkState& link;
    MainBuffer& buffer;
    const SelectionState& selection;
    AddressFields fields;
    const OperationHooks& hooks;
    Prompts* prompts = nullptr;               // questions the family asks (signature, empty socket)
    std::function<std::string()> readIds;     // the selection dialog's manufacturer/type detection
};

class FamilySession {
public:
    virtual ~FamilySession() = default;
    virtual std::vector<FamilyOperationInfo> operations() const = 0;
    virtual std::vector<FamilyOptionInfo> options() const = 0;
    // Sets an option by its readable name; the error text, empty when accepted.
    virtual std::string setOption(const std::string& name, const std::string& value) = 0;
    // The last device address of a sub-type (the dialog's default Length).
    virtual std::uint32_t lastAddress(int subType) const = 0;
    // Why an operation the family has cannot run on a sub-type (a button its
    // dialog disables for that row); empty when it can.
    virtual std::string unavailable(const std::string& /*operation*/, int /*subType*/) const { return {}; }
    // The fuse map geometry of a logic device's sub-type, for its JEDEC files;
    // nothing for the families that work on bytes.
    virtual std::optional<formats::FuseGeometry> fuseGeometry(int /*subType*/) const { return std::nullopt; }
    // What the family's dialog does when the selection opens it, before any
    // operation: every family starts from a reset socket. A lost link throws.
    virtual void start(LinkState& link) { ResetSocket(link); }
    // The same for a selected sub-type: families whose start sets up the row's
    // voltages (the logic devices) override this one.
    virtual void start(LinkState& link, int /*subType*/) { start(link); }
    // Operations (and "start") that leave the part powered on purpose, for
    // the next step; the socket is checked when the dialog closes instead.
    virtual bool leavesPartPowered(const std::string& /*operation*/) const { return false; }
    // What the family's dialog does to the socket when it closes: the shut-down
    // every family shares, and whatever a family whose part stays powered adds.
    virtual void close(LinkState& link) { ShutDownSocket(link); }
    // Where the family finds its data files (the program directory, "" for the
    // working directory).
    virtual void setProgramDir(const std::string& /*dir*/) {}
    // Selects an item of one of the dialog's list or group controls, by index or
    // by its text, and runs that control's handler as a click would; the error
    // text, empty when done. Families without such controls refuse.
    virtual std::string setControl(const SelectionState& /*selection*/, const std::string& control,
                                   const std::string& /*item*/) {
        return "this family has no control " + control;
    }
    // Lines shown after an operation's result (the types a search found).
    virtual std::vector<std::string> resultLines(const std::string& /*operation*/) const { return {}; }
    // Runs one operation; an unknown name is refused.
    virtual OperationResult run(const std::string& operation, const SessionJob& job) = 0;

    bool has(const std::string& operation) const {
        for (const auto& op : operations())
            if (op.name == operation) return true;
        return false;
    }
};

} // namespace quarvin
