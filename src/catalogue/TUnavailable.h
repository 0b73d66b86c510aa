#pragma once
// The one dialog that stands in for every device family this version does not build.
#include "families/framework/FamilyDialog.h"

namespace quarvin {

class TUnavailable : public FamilyDialog {
public:
    static constexpr const char* ClassName = "TUnavailable";
    explicit TUnavailable(DeviceContext& ctx);
    // Resets the socket and names the family that cannot be handled.
    void Start() override;
    void CancelBtnClick();

private:
    Control& Message_;
};

} // namespace quarvin
