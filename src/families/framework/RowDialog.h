#pragma once
// A memory dialog over a family's table of rows: the selected row (row 0, the
// placeholder, when the selection's index lies outside the table), its last
// address, and the job the family's operations take.
#include <span>
#include <utility>

#include "families/framework/MemoryDialog.h"

namespace quarvin {

template <typename Row, typename Job>
class RowDialog : public MemoryDialog {
public:
    RowDialog(DeviceContext& ctx, const char* formClass, const char* caption, MemoryForm form, std::span<const Row> rows)
        : MemoryDialog(ctx, formClass, caption, std::move(form)), rows_(rows) {}

    const Row& row() const { return rows_[static_cast<std::size_t>(selectedRow(static_cast<int>(rows_.size())))]; }

protected:
    std::uint32_t lastAddress() const override { return row().lastAddress; }
    Job job(const OperationHooks& hooks) { return Job{link(), row(), buffer(), fields(), hooks}; }

private:
    std::span<const Row> rows_;
};

} // namespace quarvin
