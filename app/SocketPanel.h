#pragma once
// Which forms show the placement picture beside their controls (every family
// dialog and the Virtual socket window) and the device each one shows.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "families/placement/SocketPicture.h"
#include "forms/Form.h"

namespace quarvin::app {

// Room the picture takes to the right of a form's own controls.
inline constexpr int kSocketPanelWidth = 150;

// The device a form works on; pictures are only rebuilt when it changes.
struct PanelDevice {
    std::string title, dialogClass, typeName;
    int subType = 0;
    std::vector<PinFinding> findings; // marked on the picture
    // The logic IC tester's rows are classes: it gives the placement of the
    // type chosen in the dialog instead of the row's.
    std::optional<SocketPlacement> placement;
    bool operator==(const PanelDevice&) const = default;
};

// Nothing for forms without a picture.
std::function<PanelDevice()> PanelDeviceOf(Form& form);
SocketPicture PanelPicture(const PanelDevice& device);

} // namespace quarvin::app
