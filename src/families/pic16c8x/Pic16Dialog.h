#pragma once
// The PIC16C8x serial programming dialog ("P16c8x"): the operation buttons, the
// configuration controls ("Osc Mode", "WTD", "PWRT3", "Sec", the user ID in
// Edit1), "Erase Mode", "Pro time" and the Auto chain. The configuration
// controls are kept in the ".CON" file beside the data file.
#include <optional>

#include "families/framework/McuDialog.h"
#include "families/pic16c8x/Pic16Profile.h"
#include "families/pic16c8x/Pic16Settings.h"

namespace quarvin {

class Pic16Dialog : public McuDialog {
public:
    static constexpr const char* kFormClass = "TP16c8x";
    explicit Pic16Dialog(DeviceContext& ctx, const Pic16Profile& profile = kPic16Profile);

    void RdConfigClick() { IDClick(); }
    void WtConfigClick() { SecrityClick(); }
    // A file was loaded into the buffer: a configuration word it carries sets
    // the controls (also run when the dialog becomes active again).
    void fileLoaded();

protected:
    std::uint32_t rowLastAddress() const override { return row().lastByteAddress; }
    OperationResult run(McuStep step, const OperationHooks& hooks) override;
    std::optional<OperationResult> beforeChain() override { return std::nullopt; }
    void afterStart() override;
    bool keepsFlag(McuStep step, const OperationResult& result) const override;

private:
    const Pic16Row& row() const;
    const Pic16Profile& profile_;
    Pic16Settings settingsFromControls();
    void showSettings(const Pic16Settings& s);
    void readSettingsFile();
    void writeSettingsFile();
    Pic16Config configFromControls();
    void takeConfigFromBuffer();

    std::uint16_t userId_ = 0xFFFF;
    // The configuration word a loaded file carries, while the controls show it.
    std::optional<std::uint16_t> fileConfig_;
    // The buffer's word at 0x2007 when the dialog last looked.
    std::optional<std::uint16_t> seenConfig_;
};

} // namespace quarvin
