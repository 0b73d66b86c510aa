#pragma once
// The socket check as an operation by name ("check") beside a family's own, for
// the command line; and the plan of a selected row.
#include <functional>
#include <memory>

#include "families/framework/FamilyDialog.h"
#include "families/framework/FamilySession.h"
#include "families/framework/SocketPattern.h"

namespace quarvin {

inline constexpr const char* kCheckOperation = "check";
inline constexpr const char* kCheckOperationHelp = "check the socket's contacts and the chip's seat, nothing powered";

// The pinout of a row's part: dialog class, sub-type, type name. The program
// takes it from the virtual box's chip models, which carry the data sheets' pins.
using PartPinoutLookup = std::function<PartPinout(const std::string&, int, const std::string&)>;

// The check's plan for the selected device of a family.
SocketCheckPlan SocketCheckPlanFor(const FamilyEntry& family, const std::string& dialogClass,
                                   const SelectionState& selection, const PartPinoutLookup& pinouts);

// `inner` with "check" added; every other call goes to it.
class SocketCheckSession : public FamilySession {
public:
    SocketCheckSession(FamilySession& inner, std::function<SocketCheckPlan(const SelectionState&)> planOf)
        : inner_(inner), planOf_(std::move(planOf)) {}
    std::vector<FamilyOperationInfo> operations() const override;
    std::vector<FamilyOptionInfo> options() const override { return inner_.options(); }
    std::string setOption(const std::string& name, const std::string& value) override {
        return inner_.setOption(name, value);
    }
    std::uint32_t lastAddress(int subType) const override { return inner_.lastAddress(subType); }
    std::string unavailable(const std::string& operation, int subType) const override {
        return operation == kCheckOperation ? std::string() : inner_.unavailable(operation, subType);
    }
    std::optional<formats::FuseGeometry> fuseGeometry(int subType) const override { return inner_.fuseGeometry(subType); }
    void start(LinkState& link) override { inner_.start(link); }
    void start(LinkState& link, int subType) override { inner_.start(link, subType); }
    // A good check puts back the supplies the start left on.
    bool leavesPartPowered(const std::string& operation) const override {
        return inner_.leavesPartPowered(operation == kCheckOperation ? std::string("start") : operation);
    }
    void close(LinkState& link) override { inner_.close(link); }
    void setProgramDir(const std::string& dir) override { inner_.setProgramDir(dir); }
    std::string setControl(const SelectionState& selection, const std::string& control, const std::string& item) override {
        return inner_.setControl(selection, control, item);
    }
    std::vector<std::string> resultLines(const std::string& operation) const override {
        return operation == kCheckOperation ? std::vector<std::string>{} : inner_.resultLines(operation);
    }
    OperationResult run(const std::string& operation, const SessionJob& job) override;

private:
    FamilySession& inner_;
    std::function<SocketCheckPlan(const SelectionState&)> planOf_;
};

} // namespace quarvin
