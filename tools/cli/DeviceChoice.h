#pragma once
// Choosing the device of a run as the selection dialog's confirmation does
// (--device), or a family by its dialog class (--dialog, --sub-type), and
// finding the built family that handles it.
#include <optional>
#include <string>
#include <vector>

#include "DeviceList.h"
#include "Options.h"
#include "families/framework/FamilyDialog.h"
#include "families/framework/FamilySession.h"
#include "families/framework/SocketPattern.h"

namespace quarvin::cli {

struct ChosenDevice {
    SelectionState selection;
    std::string dialogClass;
    int category = 0;                // the selection dialog's category, for the code detection
    const FamilyEntry* family = nullptr;
};

struct DeviceChoice {
    std::optional<ChosenDevice> device;
    std::string error;               // no match, several, or a family not built
};

// `entries` is the device list (nothing when it could not be read; then only
// --dialog can choose).
DeviceChoice ChooseDevice(const Options& o, const std::optional<std::vector<DeviceEntry>>& entries,
                          const std::string& listPath);

// The socket check's plan for the chosen row, from the chip models' pinouts.
SocketCheckPlan CheckPlanOf(const ChosenDevice& d);

// What `session` (the chosen device's family) runs, with the socket check added
// when it works on this row; when it does not, only `withRefusedCheck` lists it,
// its help then saying why.
std::vector<FamilyOperationInfo> OperationsOf(const ChosenDevice& d, const FamilySession& session,
                                              bool withRefusedCheck);

} // namespace quarvin::cli
