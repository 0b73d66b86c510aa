#pragma once
// The 28C EEPROM dialog (form class "TP28cx"): page writes, software data
// protection on ("Protect") and off ("Unprot"), chip erase, and address fields
// aligned to the row's pages.
#include "families/framework/PageWriteDialog.h"
#include "families/eeprom28c/E28Operations.h"

namespace quarvin {

// The 28C form: its buttons, "Programe time" and the Auto boxes.
MemoryForm E28Form();

class E28Dialog : public PageWriteDialog<E28Row, E28Job> {
public:
    static constexpr const char* kFormClass = "TP28cx";

    explicit E28Dialog(DeviceContext& ctx);

protected:
    std::string notConnectedText() const override { return "No connected"; }
    void afterStart() override;
};

} // namespace quarvin
