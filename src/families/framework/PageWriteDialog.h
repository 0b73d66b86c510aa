#pragma once
// The dialog of a page-write memory family: the memory buttons with Erase,
// Protect and Unprot beside them, the sum on "Button2", the selected type's
// name in Edit7, and the address fields aligned to the row's pages, again each
// time the dialog becomes active. The family brings its rows, its form and its
// operations.
#include <span>
#include <utility>

#include "families/framework/PageWriteFamily.h"
#include "families/framework/RowDialog.h"

namespace quarvin {

template <typename Row, typename Job>
class PageWriteDialog : public RowDialog<Row, Job> {
public:
    PageWriteDialog(DeviceContext& ctx, const char* formClass, const char* caption, MemoryForm form,
                    std::span<const Row> rows, const PageWriteOperations<Job>& operations)
        : RowDialog<Row, Job>(ctx, formClass, caption, std::move(form), rows), operations_(operations) {
        // Whenever the dialog becomes active, "Length" is read and page-aligned again,
        // so a value typed without leaving the field still ends on a page boundary.
        this->onActivate = [this] { this->OnExit3(); };
    }

    void EraseClick() { this->StepClick(MemoryStep::Erase); }
    void ProtectClick() { this->StepClick(MemoryStep::Protect); }
    void UnprotectClick() { this->StepClick(MemoryStep::Unprotect); }
    void Button2Click() { this->CheckSumClick(); }

protected:
    std::string deviceText() const override { return this->ctx_.selection.typeName; }
    void alignFields(AddressFields& fields) const override { AlignFieldsToPages(this->row().pageMask(), fields); }
    OperationResult readDevice(const OperationHooks& hooks) override { return operations_.read(this->job(hooks)); }
    OperationResult blankCheck(const OperationHooks& hooks) override { return operations_.blankCheck(this->job(hooks)); }
    OperationResult program(const OperationHooks& hooks) override {
        return operations_.program(this->job(hooks), this->control("Speed").itemIndex());
    }
    OperationResult verify(const OperationHooks& hooks) override { return operations_.verify(this->job(hooks)); }
    OperationResult sum(const OperationHooks& hooks) override { return operations_.sum(this->job(hooks)); }
    OperationResult erase(const OperationHooks& hooks) override { return operations_.erase(this->job(hooks)); }
    OperationResult protect(const OperationHooks& hooks) override { return operations_.protect(this->job(hooks)); }
    OperationResult unprotect(const OperationHooks& hooks) override { return operations_.unprotect(this->job(hooks)); }

private:
    PageWriteOperations<Job> operations_;
};

} // namespace quarvin
