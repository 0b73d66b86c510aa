#include "sim/VirtualSocket.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace quarvin::sim {

namespace {

constexpr const char* kEmpty = "(empty)";

std::string Hex(std::uint32_t v, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*x", digits, v);
    return buf;
}

// A hexadecimal field; false when it holds no number.
bool ReadHex(const std::string& text, std::uint32_t& out) {
    try {
        std::size_t used = 0;
        const unsigned long v = std::stoul(text, &used, 16);
        if (used == 0 || v > 0xFFFFFFFFul) return false;
        out = static_cast<std::uint32_t>(v);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

VirtualSocket::VirtualSocket(std::shared_ptr<Box> box, Platform& platform)
    : Form("TVirtualSocket", "Virtual socket", 380, 300), box_(std::move(box)), platform_(platform) {
    std::vector<std::string> items;
    for (const ChipOffer& o : ChipOffers()) items.push_back(o.label);
    add(ControlKind::Label, "Label1", "Chip", 12, 14, 40, 16);
    Control& type = add(ControlKind::ComboBox, "ChipType", "", 56, 10, 150, 21);
    type.setItems(items);
    type.setItemIndex(0);
    add(ControlKind::Button, "Insert", "Insert blank", 214, 8, 75, 25).onClick = [this] { InsertClick(); };
    add(ControlKind::Button, "Remove", "Remove", 294, 8, 75, 25).onClick = [this] { RemoveClick(); };
    add(ControlKind::Label, "Label2", "In socket", 12, 44, 60, 16);
    add(ControlKind::Edit, "InSocket", kEmpty, 80, 40, 126, 21).readOnly = true;
    add(ControlKind::Label, "Label3", "Sum", 214, 44, 30, 16);
    add(ControlKind::Edit, "Sum", "", 248, 40, 120, 21).readOnly = true;
    add(ControlKind::Button, "Load", "Load...", 12, 72, 75, 25).onClick = [this] { LoadClick(); };
    add(ControlKind::Button, "Save", "Save...", 92, 72, 75, 25).onClick = [this] { SaveClick(); };
    add(ControlKind::Button, "Erase", "Erase", 172, 72, 75, 25).onClick = [this] { EraseClick(); };

    add(ControlKind::GroupBox, "Faults", "Faults", 8, 104, 364, 130);
    // One row per fault: its fields, each after its own label, then its button.
    struct Field {
        const char* label;
        const char* name;
        int x, y, labelWidth, editWidth;
    } fields[] = {{"Address", "StuckAddress", 16, 128, 48, 60}, {"Mask", "StuckMask", 132, 128, 34, 32},
                  {"Value", "StuckValue", 204, 128, 36, 32}, {"Address", "NoProgramAddress", 16, 164, 48, 60}};
    for (const Field& f : fields) {
        add(ControlKind::Label, std::string("L") + f.name, f.label, f.x, f.y, f.labelWidth, 16).parent = "Faults";
        add(ControlKind::Edit, f.name, "", f.x + f.labelWidth + 2, f.y - 4, f.editWidth, 21).parent = "Faults";
    }
    Control& stuck = add(ControlKind::Button, "AddStuck", "Stuck bits", 284, 123, 80, 23);
    stuck.onClick = [this] { AddStuckClick(); };
    Control& noProg = add(ControlKind::Button, "AddNoProgram", "Won't program", 132, 159, 100, 23);
    noProg.onClick = [this] { AddNoProgramClick(); };
    Control& clear = add(ControlKind::Button, "ClearFaults", "Clear faults", 284, 200, 80, 23);
    clear.onClick = [this] { ClearFaultsClick(); };
    for (Control* c : {&stuck, &noProg, &clear}) c->parent = "Faults";
    add(ControlKind::Edit, "Message", " ", 8, 244, 364, 21).readOnly = true;
}

void VirtualSocket::say(const std::string& text) { control("Message").setText(text); }

void VirtualSocket::refresh() {
    if (!chip_) {
        control("InSocket").setText(kEmpty);
        control("Sum").setText("");
        return;
    }
    control("InSocket").setText(chip_->label());
    control("Sum").setText(Hex(chip_->checksum(), 8));
    shownChanges_ = chip_->changes();
}

void VirtualSocket::refreshIfChanged() {
    if (chip_ && chip_->changes() != shownChanges_) refresh();
}

void VirtualSocket::insert(const ChipOffer& offer) {
    chip_ = offer.make();
    box_->insert(chip_);
    const auto& offers = ChipOffers();
    for (std::size_t i = 0; i < offers.size(); ++i)
        if (&offers[i] == &offer) control("ChipType").setItemIndex(static_cast<int>(i));
    say("Blank " + offer.label + " inserted");
    refresh();
}

void VirtualSocket::deviceSelected(const std::string& dialogClass, int subType) {
    if (const ChipOffer* offer = OfferForSubType(dialogClass, subType)) {
        insert(*offer);
    } else {
        RemoveClick();
    }
}

void VirtualSocket::InsertClick() {
    const int i = control("ChipType").itemIndex();
    const auto& offers = ChipOffers();
    if (i < 0 || i >= static_cast<int>(offers.size())) return;
    insert(offers[static_cast<std::size_t>(i)]);
}

void VirtualSocket::RemoveClick() {
    chip_.reset();
    box_->remove();
    say("Socket empty");
    refresh();
}

bool VirtualSocket::needChip() {
    if (chip_) return true;
    say("No chip in the socket");
    return false;
}

void VirtualSocket::EraseClick() {
    if (!needChip()) return;
    chip_->erase();
    say("Erased");
    refresh();
}

void VirtualSocket::LoadClick() {
    if (!needChip()) return;
    FileDialogRequest req;
    req.title = "Load chip contents";
    req.filter = "Bin file (*.bin)|*.BIN|All files (*.*)|*.*";
    auto name = platform_.files ? platform_.files->openName(req) : std::nullopt;
    if (!name) return;
    std::ifstream in(*name, std::ios::binary);
    if (!in) {
        say("Cannot open " + *name);
        return;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto& cells = chip_->memory();
    std::fill(cells.begin(), cells.end(), 0xFF);
    const std::size_t n = std::min(bytes.size(), cells.size());
    std::copy(bytes.begin(), bytes.begin() + static_cast<long>(n), cells.begin());
    chip_->markChanged();
    if (bytes.size() > cells.size())
        say("Loaded the first " + std::to_string(n) + " of " + std::to_string(bytes.size()) + " bytes");
    else
        say("Loaded " + std::to_string(n) + " bytes");
    refresh();
}

void VirtualSocket::SaveClick() {
    if (!needChip()) return;
    FileDialogRequest req;
    req.title = "Save chip contents";
    req.filter = "Bin file (*.bin)|*.BIN";
    req.defaultExt = "bin";
    auto name = platform_.files ? platform_.files->saveName(req) : std::nullopt;
    if (!name) return;
    std::ofstream out(*name, std::ios::binary | std::ios::trunc);
    const auto& cells = chip_->memory();
    out.write(reinterpret_cast<const char*>(cells.data()), static_cast<std::streamsize>(cells.size()));
    if (!out) {
        say("Cannot write " + *name);
        return;
    }
    say("Saved " + std::to_string(cells.size()) + " bytes");
}

void VirtualSocket::AddStuckClick() {
    if (!needChip()) return;
    std::uint32_t a = 0, mask = 0, value = 0;
    if (!ReadHex(control("StuckAddress").text(), a) || !ReadHex(control("StuckMask").text(), mask) ||
        !ReadHex(control("StuckValue").text(), value) || mask > 0xFF || value > 0xFF) {
        say("Stuck bits need a hex address, mask and value");
        return;
    }
    chip_->faults().stuck.push_back({a, a, static_cast<std::uint8_t>(mask), static_cast<std::uint8_t>(value)});
    say("Bits " + Hex(mask, 2) + " stuck at " + Hex(a, 6));
}

void VirtualSocket::AddNoProgramClick() {
    if (!needChip()) return;
    std::uint32_t a = 0;
    if (!ReadHex(control("NoProgramAddress").text(), a)) {
        say("Give the cell's hex address");
        return;
    }
    chip_->faults().noProgram.push_back({a, a});
    say("Cell " + Hex(a, 6) + " will not program");
}

void VirtualSocket::ClearFaultsClick() {
    if (!needChip()) return;
    chip_->faults() = ChipFaults{};
    say("Faults cleared");
}

} // namespace quarvin::sim
