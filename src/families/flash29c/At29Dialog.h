#pragma once
// The AT29C page-write flash dialogs: the 32-pin parts (form class "TP29cx")
// and the AT29C256 (form class "TP29c256"), with the 29EE dialog's form
// (Erase, Protect, Unprot, "Pro time", address fields aligned to the row's
// pages) and the AT29C sequences.
#include <span>

#include "families/flash29c/At29Operations.h"
#include "families/framework/PageWriteDialog.h"

namespace quarvin {

class At29Dialog : public PageWriteDialog<At29Row, At29Job> {
public:
    At29Dialog(DeviceContext& ctx, const char* formClass, const char* caption, std::span<const At29Row> rows);

protected:
    std::string notConnectedText() const override { return "没有连接!"; }
    void afterStart() override;
};

class At29cxDialog : public At29Dialog {
public:
    static constexpr const char* kFormClass = kAt29cxFormClass;
    explicit At29cxDialog(DeviceContext& ctx);
};

// The selection dialog's code read powers a 32-pin part on socket pin 36,
// outside this 28-pin part, so "ID" reads the codes with the part's own supply.
class At29c256Dialog : public At29Dialog {
public:
    static constexpr const char* kFormClass = kAt29c256FormClass;
    explicit At29c256Dialog(DeviceContext& ctx);

protected:
    std::string readCodes() override { return ReadAt29Codes(link(), row()); }
};

} // namespace quarvin
