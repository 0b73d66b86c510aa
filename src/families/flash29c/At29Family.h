#pragma once
// The AT29C page-write flash families as the registry and the command line know them.
#include <optional>
#include <span>
#include <string>

#include "families/flash29c/At29Dialog.h"
#include "families/framework/FamilyDialog.h"
#include "families/framework/MemorySession.h"
#include "families/framework/SpeedOption.h"

namespace quarvin {

class At29Session : public SpeedOptionSession {
public:
    // ownCodeRead: "id" reads the codes with the part's own supply (the AT29C256).
    At29Session(std::span<const At29Row> rows, bool ownCodeRead);
    std::uint32_t lastAddress(int subType) const override;
    void start(LinkState& link) override;

protected:
    OperationResult runStep(MemoryStep step, const SessionJob& job) override;
    std::optional<std::string> readCodes(const SessionJob& job) override;

private:
    const At29Row& rowOf(int subType) const;
    std::span<const At29Row> rows_;
    bool ownCodeRead_;
};

FamilyEntry At29cxFamily();
FamilyEntry At29c256Family();

} // namespace quarvin
