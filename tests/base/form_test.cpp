#include <gtest/gtest.h>

#include "forms/Form.h"

namespace quarvin {
namespace {

struct Recorder : FormObserver {
    std::vector<std::string> changes, paints;
    void controlChanged(Control& c) override { changes.push_back(c.name + "=" + c.text()); }
    void paintNow(Control& c) override { paints.push_back(c.name); }
};

class AbortingForm : public Form {
public:
    AbortingForm() : Form("TTest", "Test", 100, 100) {
        add(ControlKind::Edit, "Message", " ");
        auto& b = add(ControlKind::Button, "Go", "Go");
        b.onClick = [this] {
            control("Message").setText("Working...");
            throw OperationAborted("lost");
        };
    }
    int abortedCalls = 0;

protected:
    void aborted(const OperationAborted&) override {
        ++abortedCalls;
        control("Message").setText("Failed");
    }
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
    f.click("Go");
    EXPECT_EQ(f.abortedCalls, 1);
    EXPECT_EQ(f.control("Message").text(), "Failed");
    EXPECT_FALSE(f.busy());
    f.click("Go");
    EXPECT_EQ(f.abortedCalls, 2);
}

TEST(Form, HandlersDoNotRunWhileAnotherRunsOrWhenDisabled) {
    Form f("TX", "X", 10, 10);
    int inner = 0, outer = 0;
    auto& a = f.add(ControlKind::Button, "A");
    auto& b = f.add(ControlKind::Button, "B");
    b.onClick = [&] { ++inner; };
    a.onClick = [&] {
        ++outer;
        f.click("B"); // a second click while busy is ignored
    };
    f.click("A");
    EXPECT_EQ(outer, 1);
    EXPECT_EQ(inner, 0);
    b.setEnabled(false);
    f.click("B");
    EXPECT_EQ(inner, 0);
    EXPECT_THROW(f.click("Nope"), std::out_of_range);
}

TEST(Form, CloseRunsOnCloseAndHides) {
    Form f("TX", "X", 10, 10);
    int closes = 0;
    f.onClose = [&] { ++closes; };
    f.show();
    f.close();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(f.visible());
}

} // namespace
} // namespace quarvin
