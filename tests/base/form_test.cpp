#include <gtest/gtest.h>

#include "forms/Form.h"
#include "forms/HexText.h"
#include "forms/OperationState.h"

namespace quarvin {
namespace {

struct Recorder : FormObserver {
    std::vector<std::string> changes, paints;
    void controlChanged(Control& c) override { changes.push_back(c.name + "=" + c.text()); }
    void paintNow(Control& c) override { paints.push_back(c.name); }
};

// A form whose aborted() override says what happened.
struct AbortingForm : Form {
    AbortingForm() : Form("TTest", "Test", 100, 100) {}
    void aborted(const OperationAborted&) override {
        ++abortedCalls;
        control("Message").setText("Failed");
    }
    int abortedCalls = 0;
};

TEST(Form, ObserversSeeChangesOnlyWhenTheValueChangesAndPaintRequests) {
    Form f("TX", "X", 10, 10);
    Recorder r;
    auto& e = f.add(ControlKind::Edit, "Edit1", "a");
    f.addObserver(&r);
    e.setText("a");
    e.setText("b");
    e.repaint();
    f.removeObserver(&r);
    e.setText("c");
    EXPECT_EQ(r.changes, (std::vector<std::string>{"Edit1=b"}));
    EXPECT_EQ(r.paints, (std::vector<std::string>{"Edit1"}));
}

TEST(Form, AbortedHandlerIsCaughtAndTheFormIsUsableAgain) {
    AbortingForm f;
    f.add(ControlKind::Edit, "Message", " ");
    f.add(ControlKind::Button, "Go").onClick = [&] {
        f.control("Message").setText("Working...");
        throw OperationAborted("lost");
    };
    f.click("Go");
    EXPECT_EQ(f.abortedCalls, 1);
    EXPECT_EQ(f.control("Message").text(), "Failed");
    EXPECT_FALSE(f.busy());
    f.click("Go");
    EXPECT_EQ(f.abortedCalls, 2);
}

TEST(Form, UserInputIsRefusedWhileAHandlerOfAnyFormRuns) {
    Form running("TA", "A", 10, 10), other("TB", "B", 10, 10);
    int clicks = 0, edits = 0;
    other.add(ControlKind::Button, "Go").onClick = [&] { ++clicks; };
    auto& field = other.add(ControlKind::Edit, "Edit1", "old");
    field.onChange = [&] { ++edits; };
    std::vector<bool> told;
    const int listener = OperationState::addListener([&](bool on) { told.push_back(on); });
    running.add(ControlKind::Button, "Run").onClick = [&] {
        EXPECT_FALSE(Form::takesInput());
        other.click("Go");
        other.userSetText("Edit1", "new");
        EXPECT_TRUE(other.invoke([&] { ++clicks; })); // the program's own calls still run
        OperationState::Suspension modal;              // a modal dialog takes input again
        other.click("Go");
    };
    running.click("Run");
    OperationState::removeListener(listener);
    other.control("Go").setEnabled(false);
    other.click("Go"); // a disabled button takes no click either
    EXPECT_THROW(other.click("Nope"), std::out_of_range);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(edits, 0);
    EXPECT_EQ(field.text(), "old");
    EXPECT_TRUE(Form::takesInput());
    // Told of the start, of the modal dialog and its inner click, and of the end.
    EXPECT_EQ(told, (std::vector<bool>{true, false, true, false, true, false}));
}

TEST(HexText, FieldsReadWithLimits) {
    const struct { const char* text; std::uint32_t largest; HexFieldStatus status; std::uint32_t value; const char* told; }
    cases[] = {
        {"", 0xFFFFFFFF, HexFieldStatus::NoNumber, 0, ""},
        {"zz", 0xFFFFFFFF, HexFieldStatus::NoNumber, 0, ""},
        {"1ff", 0xFFFFFFFF, HexFieldStatus::Ok, 0x1FF, ""},
        {" 0x10", 0xFFFFFFFF, HexFieldStatus::Ok, 0x10, ""},
        {"1fgh", 0xFFFFFFFF, HexFieldStatus::Ok, 0x1F, ""},
        {"ffffffff", 0xFFFFFFFF, HexFieldStatus::Ok, 0xFFFFFFFF, ""},
        {"000000001ff", 0xFFFFFFFF, HexFieldStatus::Ok, 0x1FF, ""}, // leading zeros do not count
        {"-1", 0xFFFFFFFF, HexFieldStatus::Ok, 0xFFFFFFFF, ""},
        {"-1", 0xFFFF, HexFieldStatus::TooLarge, 0, "Length: -1 is above ffff; kept 1ff"},
        {"100000000", 0xFFFFFFFF, HexFieldStatus::TooManyDigits, 0, "Length: 100000000 has more than 8 hex digits; kept 1ff"},
        {"10000", 0xFFFF, HexFieldStatus::TooLarge, 0, "Length: 10000 is above ffff; kept 1ff"},
        {"ffff", 0xFFFF, HexFieldStatus::Ok, 0xFFFF, ""},
    };
    for (const auto& c : cases) {
        const HexField f = ReadHexField(c.text, c.largest);
        EXPECT_EQ(f.status, c.status) << c.text;
        EXPECT_EQ(f.value, c.value) << c.text;
        EXPECT_EQ(HexFieldRefusal("Length", c.text, f, c.largest, 0x1FF), c.told) << c.text;
    }
}

} // namespace
} // namespace quarvin
