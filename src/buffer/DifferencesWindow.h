#pragma once
// The "Differences" window: after a Verify failed, every address where the chip
// differs from the buffer, with both values, in runs, as `quarvin-cli compare`
// lists them (the same DifferenceList text).
#include "buffer/Differences.h"
#include "forms/Form.h"

namespace quarvin {

class DifferencesWindow : public Form {
public:
    static constexpr const char* kFormClass = "TDifferences";
    DifferencesWindow();

    // Shows the list, replacing the one before, and brings the window to the front.
    void showList(const DifferenceList& differences);
    std::string listing() { return control("Memo1").text(); }
};

} // namespace quarvin
