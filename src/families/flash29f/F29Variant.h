#pragma once
// A flash family that reads, programs and verifies as the 29F parts do (same
// 32-pin pinout, unlock codes and DATA polling) but lists parts of its own:
// the AT49F and MX29F. Its form is the 29F form without "Unprot" (neither
// family's protection is lifted by 12 V on A9 alone); its Erase is the chip
// erase polled on the toggle bit for the family's longest erase time, and its
// Blank asks for the codes when every byte read FF.
#include <cstdint>
#include <span>

#include "families/flash29f/F29Family.h"
#include "families/framework/RowDialog.h"

namespace quarvin {

struct F29Variant {
    const char* formClass;
    const char* caption;
    const char* familyName; // how the command line's refusals name it
    std::span<const F29Row> rows;
    std::uint32_t chipEraseMs; // the data sheet's longest chip erase
};

class F29VariantDialog : public RowDialog<F29Row, F29Job> {
public:
    F29VariantDialog(DeviceContext& ctx, const F29Variant& variant);

    void EraseClick() { StepClick(MemoryStep::Erase); }

protected:
    void afterStart() override;
    OperationResult readDevice(const OperationHooks& hooks) override;
    OperationResult blankCheck(const OperationHooks& hooks) override;
    OperationResult program(const OperationHooks& hooks) override;
    OperationResult verify(const OperationHooks& hooks) override;
    OperationResult sum(const OperationHooks& hooks) override;
    OperationResult erase(const OperationHooks& hooks) override;

private:
    const F29Variant& variant_;
};

class F29VariantSession : public F29Session {
public:
    explicit F29VariantSession(const F29Variant& variant);
    std::uint32_t lastAddress(int subType) const override;

protected:
    OperationResult runStep(MemoryStep step, const SessionJob& job) override;

private:
    const F29Variant& variant_;
};

// The variant must outlive the entry (a constant of the family).
FamilyEntry F29VariantFamily(const F29Variant& variant);

} // namespace quarvin
