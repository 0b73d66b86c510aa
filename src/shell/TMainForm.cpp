#include "shell/TMainForm.h"

#include "shell/About.h"
#include "shell/ShellTexts.h"
#include "forms/Texts.h"

namespace quarvin {

using namespace shell;

const std::vector<std::string>& TMainForm::CategoryItems() {
    static const std::vector<std::string> items = {QV_TEXT("EPROM"), "FLASH&EEPROM  ", QV_TEXT("MPU       "), QV_TEXT("SERIAL EEPROM"),
                                                   QV_TEXT("GAL"), QV_TEXT("TEST RAM"), "TEST TTL/CMOS"};
    return items;
}

TMainForm::TMainForm(Platform& platform, std::string programDir)
    : Form("TMainForm", std::string(kMainCaption), 800, 600), platform_(platform), programDir_(std::move(programDir)) {
    add(ControlKind::Panel, "SpeedBar", "", 0, 0, 800, kSpeedBarHeight);
    add(ControlKind::Panel, "Panel1", "", 0, kSpeedBarHeight, 800, kSelectionStripHeight);

    Control& category = add(ControlKind::ComboBox, "ComboBox2", "", 8, 2, 140, 22);
    category.parent = "Panel1";
    category.setItems(CategoryItems());
    category.setItemIndex(0);
    category.onChange = [this] { ComboBox2Change(); };

    Control& maker = add(ControlKind::ComboBox, "ComboBox1", "", 156, 2, 180, 22);
    maker.parent = "Panel1";
    maker.fixedPitch = true;
    maker.onChange = [this] { ComboBox1Change(); };

    Control& type = add(ControlKind::Label, "Label2", "Type", 344, 5, 260, 18);
    type.parent = "Panel1";
    Control& fileLabel = add(ControlKind::Label, "Label1", QV_TEXT("File:"), 612, 5, 180, 18);
    fileLabel.parent = "Panel1";

    add(ControlKind::Panel, "Panel2", "", 0, kSpeedBarHeight + kSelectionStripHeight, kTypeWindowWidth, 400);
    Control& list = add(ControlKind::ListBox, "ListBox1", "", 0, 0, kTypeWindowWidth, 400);
    list.parent = "Panel2";
    list.fixedPitch = true;
    list.onDoubleClick = [this] { List1OnDbClick(); };
    list.onKeyDown = [this](int key) { List1KeyDown(key); };

    add(ControlKind::Label, "StatusHint");
    Control& status = add(ControlKind::Panel, "StatusLine", "", 0, 580, 800, 20);
    status.setItems(std::vector<std::string>(kStatusPanels));
    status.setEnabled(false);

    setCommand("CloseTypeClick", [this] { CloseTypeClick(); });
    setCommand("OpenTypeClick", [this] { OpenTypeClick(); });
    setCommand("IDClick", [this] { IDClick(); });
    setCommand("ProgClick", [this] { ProgClick(); });
    setCommand("HelpSearch", [this] { HelpSearch(); });
    setCommand("FileExit", [this] { FileExit(); });
    setCommand("HelpAbout", [this] { HelpSearch(); });
}

void TMainForm::setCommand(const std::string& name, std::function<void()> fn) { commands_[name] = std::move(fn); }

bool TMainForm::hasCommand(const std::string& name) const {
    auto it = commands_.find(name);
    return it != commands_.end() && it->second;
}

bool TMainForm::run(const std::string& name) {
    auto it = commands_.find(name);
    if (it == commands_.end() || !it->second) return false;
    // FileExit closes the form, which must not happen inside a busy handler.
    if (name == "FileExit") {
        if (busy()) return false;
        FileExit();
        return true;
    }
    return invoke(it->second);
}

void TMainForm::perform(const std::string& name) {
    auto it = commands_.find(name);
    if (it != commands_.end() && it->second) it->second();
}

void TMainForm::setCategoryIndex(int index) { control("ComboBox2").setItemIndex(index); }

void TMainForm::setManufacturerItems(const std::vector<std::string>& names) {
    control("ComboBox1").setItems(names);
}

void TMainForm::setManufacturerText(const std::string& name) {
    Control& box = control("ComboBox1");
    box.setText(name);
    const auto& items = box.items();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == name) {
            box.setItemIndex(static_cast<int>(i));
            break;
        }
}

void TMainForm::setTypeItems(const std::vector<std::string>& rows) { control("ListBox1").setItems(rows); }

void TMainForm::setTypeRow(int row) {
    Control& list = control("ListBox1");
    list.setItemIndex(row >= 0 && row < static_cast<int>(list.items().size()) ? row : -1);
}

int TMainForm::typeRow() const {
    for (const auto& c : controls())
        if (c.name == "ListBox1") return c.itemIndex();
    return -1;
}

void TMainForm::setTypeLabel(const std::string& text) { control("Label2").setText(text); }
void TMainForm::setFileLabel(const std::string& text) { control("Label1").setText(text); }

void TMainForm::setStatusPanel(int panel, const std::string& text) {
    if (panel < 0 || panel >= kStatusPanels) return;
    Control& status = control("StatusLine");
    std::vector<std::string> panels = status.items();
    panels.resize(kStatusPanels);
    panels[static_cast<std::size_t>(panel)] = text;
    status.setItems(std::move(panels));
}

void TMainForm::setLinkStatus(const std::string& text, bool virtualBox) {
    setStatusPanel(kLinkPanel, text);
    setCaption(std::string(kMainCaption) + (virtualBox ? std::string(kVirtualBoxCaption) : std::string()));
}

void TMainForm::showProgressNow(const std::string& text) {
    Control& hint = control("StatusHint");
    hint.setText(text);
    hint.repaint();
}

void TMainForm::ComboBox2Change() {
    Control& box = control("ComboBox2");
    if (box.itemIndex() < 0) box.setItemIndex(0);
    if (selection.selectCategory) selection.selectCategory(box.itemIndex());
}

void TMainForm::ComboBox1Change() {
    Control& box = control("ComboBox1");
    if (box.itemIndex() < 0 && !box.items().empty()) box.setItemIndex(0);
    if (!selection.selectManufacturer || box.itemIndex() < 0) return;
    int row = box.itemIndex();
    box.setText(box.items()[static_cast<std::size_t>(row)]);
    selection.selectManufacturer(row);
}

void TMainForm::setCurrentTypeName(const std::string& name) {
    currentTypeName_ = name;
    showTypeHint();
}

void TMainForm::typeRowHighlighted(int row) {
    setTypeRow(row);
    showTypeHint();
}

void TMainForm::showTypeHint() {
    const Control& list = control("ListBox1");
    const int row = list.itemIndex();
    std::string hint;
    if (row >= 0 && row < static_cast<int>(list.items().size())) {
        const std::string& text = list.items()[static_cast<std::size_t>(row)];
        // Separator rows cannot be chosen at all.
        if (!text.empty() && text[0] != '-' && text != currentTypeName_)
            hint = "Double-click " + text + " or press Enter to select it; a single click only highlights it";
    }
    control("StatusHint").setText(hint);
}

void TMainForm::List1OnDbClick() {
    int row = control("ListBox1").itemIndex();
    if (row < 0 || !selection.confirmRow) return;
    selection.confirmRow(row);
}

void TMainForm::List1KeyDown(int key) {
    // Arrow keys only move the highlight, which the list does by itself.
    if (key == KeyEnter) List1OnDbClick();
}

void TMainForm::IDClick() {
    if (selection.autoDetect) selection.autoDetect();
}

void TMainForm::ProgClick() {
    if (selection.programme) selection.programme();
}

void TMainForm::HelpSearch() {
    // No help file is shipped: "?" and Help > About show what the program is,
    // its version and the greeting.
    platform_.prompts->message(AboutText());
}

void TMainForm::CloseTypeClick() {
    Control& panel = control("Panel2");
    panel.w = 0;
    panel.setVisible(false);
}

void TMainForm::OpenTypeClick() {
    Control& panel = control("Panel2");
    panel.w = kTypeWindowWidth;
    panel.setVisible(true);
}

int TMainForm::typeWindowWidth() const {
    for (const auto& c : controls())
        if (c.name == "Panel2") return c.visible() ? c.w : 0;
    return 0;
}

void TMainForm::FileExit() { close(); }

} // namespace quarvin
