#pragma once
// The 29EE page-write flash dialog (form class "TP29e"): chip erase, software
// data protection on ("Protect") and off ("Unprot"), page writes with a
// read-back every 4 KiB, and address fields aligned to the row's pages.
#include "families/framework/PageWriteDialog.h"
#include "families/flash29ee/EE29Operations.h"

namespace quarvin {

// The page-write flash form: Erase, Protect and Unprot, "Pro time" and the Auto
// group "Auto pro" (the AT29C dialogs use it too).
MemoryForm EE29Form();

class EE29Dialog : public PageWriteDialog<EE29Row, EE29Job> {
public:
    static constexpr const char* kFormClass = "TP29e";

    explicit EE29Dialog(DeviceContext& ctx);

protected:
    std::string notConnectedText() const override { return "没有连接!"; }
    void afterStart() override;
};

} // namespace quarvin
