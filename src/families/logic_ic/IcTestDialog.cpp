#include "families/logic_ic/IcTestDialog.h"

#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {
constexpr const char* kLinkBad = "Link bad!";
}

IcTestDialog::IcTestDialog(DeviceContext& ctx) : IcTestDialog(ctx, std::string()) {}

IcTestDialog::IcTestDialog(DeviceContext& ctx, std::string libraryDir)
    : FamilyDialog(ctx, kFormClass, "Test  IC (74,40,45)", 420, 300) {
    tester_.setLibraryDir(std::move(libraryDir));
    Control& group = add(ControlKind::RadioGroup, "RadioGroup1", "Class", 12, 8, 110, 90);
    std::vector<std::string> items;
    for (const IcClass& c : IcClasses()) items.push_back(c.item);
    group.setItems(items);
    group.setItemIndex(0);
    group.onChange = [this] { Gr1OnClick(); };
    group.onClick = [this] { Gr1OnClick(); };
    add(ControlKind::Label, "Label1", "Select", 136, 8, 100, 16);
    Control& list1 = add(ControlKind::ListBox, "ListBox1", "", 136, 26, 120, 170);
    list1.onClick = [this] { LBox1OnClick(); };
    list1.onChange = [this] { LBox1OnClick(); };
    add(ControlKind::Label, "Label4", "Found", 270, 8, 100, 16);
    add(ControlKind::ListBox, "ListBox2", "", 270, 26, 136, 170);
    add(ControlKind::Label, "Label2", "Type", 12, 108, 100, 16);
    Control& number = add(ControlKind::Edit, "Number", "74xx00", 12, 126, 110, 21);
    number.readOnly = true;
    add(ControlKind::Label, "Label3", "Report", 12, 206, 100, 16);
    add(ControlKind::Edit, "Message", " ", 12, 224, 394, 21).readOnly = true;
    add(ControlKind::Button, "Test1", "Founction", 12, 160, 110, 30).onClick = [this] { Test1Click(); };
    add(ControlKind::Button, "Button1", "Search", 136, 256, 90, 30).onClick = [this] { Button1Click(); };
    Control& cancel = add(ControlKind::Button, "CancelBtn", "Exit", 316, 256, 90, 30);
    cancel.isCancel = true;
    cancel.onClick = [this] { CancelBtnClick(); };
    onClose = [this] { OnCloseForm(); };
    loadLibrary(0);
}

void IcTestDialog::loadLibrary(int icClass) {
    if (!tester_.loadClass(icClass)) {
        say(kIcNoLibrary);
        return;
    }
    if (tester_.library().damaged()) say(kIcDamagedLibrary);
    control("RadioGroup1").setItemIndex(tester_.icClass());
    Control& list = control("ListBox1");
    list.setItemIndex(-1);
    list.setItems(tester_.typeNames());
    // Founction tests the new class's first type until another is chosen: the
    // fields say so, and the previous class's search result goes.
    Control& found = control("ListBox2");
    found.setItemIndex(-1);
    found.setItems({});
    control("Number").setText(tester_.typeName(tester_.selected()));
}

OperationHooks IcTestDialog::hooks() {
    // A stop asked for before this run is not this run's.
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    OperationHooks h;
    h.status = [this](const std::string& text, bool) {
        Control& m = control("Message");
        m.setText(text);
        m.repaint();
    };
    h.stopRequested = [this] { return ctx_.platform.stop != nullptr && ctx_.platform.stop->stopRequested(); };
    return h;
}

void IcTestDialog::Start() {
    LinkState& link = ctx_.link;
    try {
        ResetSocket(link);
        if (link.connected == 0) {
            say(kLinkBad);
            return;
        }
        say("OK ");
        SetVppLevel(link, 0);
        ShutDownSocket(link);
    } catch (const LinkLost&) {
        say(kLinkBad);
        return;
    }
    loadLibrary(ctx_.selection.subType);
}

void IcTestDialog::Gr1OnClick() { loadLibrary(control("RadioGroup1").itemIndex()); }

void IcTestDialog::LBox1OnClick() {
    const int index = control("ListBox1").itemIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= tester_.typeNames().size()) return;
    tester_.select(static_cast<std::size_t>(index));
    control("Number").setText(tester_.typeName(tester_.selected()));
}

void IcTestDialog::Test1Click() { say(tester_.founction(ctx_.link, hooks()).message); }

void IcTestDialog::Button1Click() {
    Control& found = control("ListBox2");
    found.setItemIndex(-1);
    found.setItems({});
    const OperationResult r = tester_.search(ctx_.link, hooks());
    found.setItems(tester_.found());
    if (!tester_.found().empty()) {
        control("Number").setText(tester_.typeName(tester_.selected()));
        control("ListBox1").setItemIndex(static_cast<int>(tester_.selected()));
    } else if (r.outcome != Outcome::Stopped && r.outcome != Outcome::LinkLost) {
        control("Number").setText(" ");
    }
    say(r.message);
}

void IcTestDialog::OnCloseForm() {
    try {
        ShutDownSocket(ctx_.link);
    } catch (const LinkLost&) {
    }
}

void IcTestDialog::CancelBtnClick() {
    OnCloseForm();
    hide();
}

} // namespace quarvin
