#pragma once
// The optocoupler tester (form class "TTestLedx", caption "测试光电偶合器"):
// the package, "Founction" to test, and the good-part counter with its buttons.
#include <cstdint>

#include "families/framework/FamilyDialog.h"

namespace quarvin {

class OptoDialog : public FamilyDialog {
public:
    static constexpr const char* kFormClass = "TTestLedx";

    explicit OptoDialog(DeviceContext& ctx);
    void Start() override;

    void Test2Click();   // "Founction"
    void Button1Click(); // "Reset Counter"
    void Button2Click(); // "+"
    void Button3Click(); // "-"
    void CancelBtnClick();
    void OnCloseForm();

    // The good-part counter, kept for the whole run (every dialog shares it).
    static std::int32_t& counter();

private:
    void showCounter();
};

} // namespace quarvin
