#include "SocketPanel.h"

#include "families/framework/FamilyDialog.h"
#include "families/logic_ic/IcTestDialog.h"
#include "families/placement/DevicePicture.h"
#include "sim/PartPinouts.h"
#include "sim/VirtualSocket.h"

namespace quarvin::app {

std::function<PanelDevice()> PanelDeviceOf(Form& form) {
    if (auto* tester = dynamic_cast<IcTestDialog*>(&form)) {
        return [tester] {
            const IcTester& t = tester->tester();
            const std::string type = t.typeName(t.selected());
            return PanelDevice{type, tester->className(), type, tester->selection().subType, {}, t.selectedPlacement()};
        };
    }
    if (auto* family = dynamic_cast<FamilyDialog*>(&form)) {
        return [family] {
            const SelectionState& s = family->selection();
            return PanelDevice{s.description.empty() ? s.typeName : s.description, family->className(), s.typeName,
                               s.subType, {}, {}};
        };
    }
    if (auto* socket = dynamic_cast<sim::VirtualSocket*>(&form)) {
        return [socket] {
            const auto& d = socket->selectedDevice();
            return PanelDevice{d.typeName.empty() ? d.dialogClass : d.typeName, d.dialogClass, d.typeName, d.subType,
                               socket->stressFindings(), {}};
        };
    }
    return {};
}

SocketPicture PanelPicture(const PanelDevice& device) {
    SocketPicture picture =
        device.placement
            ? MakeSocketPicture(device.title, device.typeName, *device.placement, sim::PartPinoutOfType(device.typeName).pins)
            : DevicePicture(device.title, device.dialogClass, device.subType, device.typeName, sim::PartPinoutOf);
    picture.findings = device.findings;
    return picture;
}

} // namespace quarvin::app
