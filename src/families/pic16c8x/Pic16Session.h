#pragma once
// The PIC16C8x operations by name, for the command line.
#include <optional>
#include <vector>

#include "families/framework/FamilySession.h"
#include "families/framework/NamedAutoSteps.h"
#include "families/pic16c8x/Pic16Profile.h"

namespace quarvin {

class Pic16Session : public FamilySession {
public:
    explicit Pic16Session(const Pic16Profile& profile = kPic16Profile) : profile_(profile) {}
    std::vector<FamilyOperationInfo> operations() const override;
    std::vector<FamilyOptionInfo> options() const override;
    std::string setOption(const std::string& name, const std::string& value) override;
    std::uint32_t lastAddress(int subType) const override;
    OperationResult run(const std::string& operation, const SessionJob& job) override;

private:
    OperationResult runOne(const std::string& operation, const Pic16Job& job);
    Pic16Config config(const Pic16Job& job) const;

    const Pic16Row& rowOf(int subType) const;

    const Pic16Profile& profile_;
    int proTimeIndex_ = 0;
    Pic16EraseMode eraseMode_ = Pic16EraseMode::All;
    std::optional<std::uint16_t> configWord_; // nothing: the buffer's, else the dialog's default
    std::uint16_t id_ = 0xFFFF;
    NamedAutoSteps autoSteps_{{"erase", "blank", "program", "verify", "config"}, {"program", "verify"}};
};

} // namespace quarvin
