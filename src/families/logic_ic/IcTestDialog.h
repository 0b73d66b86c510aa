#pragma once
// The logic IC tester (form class "TICTestx", caption "Test  IC (74,40,45)"):
// the class, the library's types, "Founction" on the selected type and
// "Search" for the types whose vectors the IC in the socket passes.
#include "families/framework/FamilyDialog.h"
#include "families/logic_ic/IcTester.h"

namespace quarvin {

class IcTestDialog : public FamilyDialog {
public:
    static constexpr const char* kFormClass = "TICTestx";

    // Loads the first class's library from the working directory.
    explicit IcTestDialog(DeviceContext& ctx);
    // The same, from another directory (tests, the program directory).
    IcTestDialog(DeviceContext& ctx, std::string libraryDir);
    void Start() override;

    void Gr1OnClick();    // class change: load the class's library
    void LBox1OnClick();  // select an entry
    void Test1Click();    // "Founction"
    void Button1Click();  // "Search"
    void CancelBtnClick();
    void OnCloseForm();

    const IcTester& tester() const { return tester_; }

private:
    void loadLibrary(int icClass);
    OperationHooks hooks();
    void say(const std::string& text) { control("Message").setText(text); }

    IcTester tester_;
};

} // namespace quarvin
