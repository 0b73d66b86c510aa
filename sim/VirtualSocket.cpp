#include "sim/VirtualSocket.h"
#include "platform/RegularFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "sim/ChipFaultText.h"
#include "sim/ChipImage.h"
#include "sim/FuseMapFile.h"
#include "forms/Texts.h"

namespace quarvin::sim {

namespace {

constexpr const char* kEmpty = "(empty)";
// The window's size without and with the fuse map below the faults.
// The stress log's rows sit between the message and the fuse map.
constexpr int kStressHeight = 112;
constexpr int kWidth = 380, kHeight = 300 + kStressHeight;
constexpr int kFuseMapWidth = 460, kFuseMapHeight = 560 + kStressHeight;
// Every file is listed first: a dialog must not hide a file the user means.
constexpr const char* kJedecFilter = "All files (*.*)|*.*|JEDEC file (*.jed)|*.JED";
constexpr const char* kBinaryFilter = "All files (*.*)|*.*|Bin file (*.bin)|*.BIN";

// One line per fuse row of the part, as the PLD window lists a map: "L", the
// line's first fuse as four digits, a blank, the fuses as "0"/"1".
std::string FuseListing(const std::vector<std::uint8_t>& fuses, int perLine) {
    std::string text;
    const std::size_t width = static_cast<std::size_t>(std::max(perLine, 1));
    text.reserve(fuses.size() + fuses.size() / width * 8);
    for (std::size_t first = 0; first < fuses.size(); first += width) {
        char prefix[32];
        std::snprintf(prefix, sizeof prefix, "%sL%04zu ", first ? "\n" : "", first);
        text += prefix;
        for (std::size_t n = first; n < std::min(first + width, fuses.size()); ++n)
            text += static_cast<char>('0' + (fuses[n] & 1));
    }
    return text;
}

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
    : Form("TVirtualSocket", QV_TEXT("Virtual socket"), kWidth, kHeight), box_(std::move(box)), platform_(platform) {
    std::vector<std::string> items;
    for (const ChipOffer& o : ChipOffers()) items.push_back(o.label);
    add(ControlKind::Label, "Label1", QV_TEXT("Chip"), 12, 14, 40, 16);
    Control& type = add(ControlKind::ComboBox, "ChipType", "", 56, 10, 150, 21);
    type.setItems(items);
    type.setItemIndex(0);
    add(ControlKind::Button, "Insert", QV_TEXT("Insert blank"), 214, 8, 75, 25).onClick = [this] { InsertClick(); };
    add(ControlKind::Button, "Remove", QV_TEXT("Remove"), 294, 8, 75, 25).onClick = [this] { RemoveClick(); };
    add(ControlKind::Label, "Label2", QV_TEXT("In socket"), 12, 44, 60, 16);
    add(ControlKind::Edit, "InSocket", kEmpty, 80, 40, 126, 21).readOnly = true;
    add(ControlKind::Label, "Label3", "Sum", 214, 44, 30, 16);
    add(ControlKind::Edit, "Sum", "", 248, 40, 120, 21).readOnly = true;
    add(ControlKind::Button, "Load", QV_TEXT("Load..."), 12, 72, 75, 25).onClick = [this] { LoadClick(); };
    add(ControlKind::Button, "Save", QV_TEXT("Save..."), 92, 72, 75, 25).onClick = [this] { SaveClick(); };
    add(ControlKind::Button, "Erase", "Erase", 172, 72, 75, 25).onClick = [this] { EraseClick(); };

    add(ControlKind::GroupBox, "Faults", QV_TEXT("Faults"), 8, 104, 364, 130);
    // One row per fault: its fields, each after its own label, then its button.
    struct Field {
        const char* label;
        const char* name;
        int x, y, labelWidth, editWidth;
    } fields[] = {{QV_TEXT("Address"), "StuckAddress", 16, 128, 48, 60}, {QV_TEXT("Mask"), "StuckMask", 132, 128, 34, 32},
                  {QV_TEXT("Value"), "StuckValue", 204, 128, 36, 32}, {"Address", "NoProgramAddress", 16, 164, 48, 60}};
    for (const Field& f : fields) {
        add(ControlKind::Label, std::string("L") + f.name, f.label, f.x, f.y, f.labelWidth, 16).parent = "Faults";
        add(ControlKind::Edit, f.name, "", f.x + f.labelWidth + 2, f.y - 4, f.editWidth, 21).parent = "Faults";
    }
    Control& stuck = add(ControlKind::Button, "AddStuck", QV_TEXT("Stuck bits"), 284, 123, 80, 23);
    stuck.onClick = [this] { AddStuckClick(); };
    Control& noProg = add(ControlKind::Button, "AddNoProgram", QV_TEXT("Won't program"), 132, 159, 100, 23);
    noProg.onClick = [this] { AddNoProgramClick(); };
    // Any fault the command lines take, the seating ones included
    // ("nocontact:22", "reversed", "offset:2").
    add(ControlKind::Label, "LFaultText", QV_TEXT("Fault"), 16, 204, 34, 16).parent = "Faults";
    add(ControlKind::Edit, "FaultText", "", 52, 200, 130, 21).parent = "Faults";
    Control& addFault = add(ControlKind::Button, "AddFault", QV_TEXT("Add fault"), 188, 199, 80, 23);
    addFault.onClick = [this] { AddFaultClick(); };
    Control& clear = add(ControlKind::Button, "ClearFaults", QV_TEXT("Clear faults"), 284, 200, 80, 23);
    clear.onClick = [this] { ClearFaultsClick(); };
    for (Control* c : {&stuck, &noProg, &addFault, &clear}) c->parent = "Faults";
    add(ControlKind::Edit, "Message", " ", 8, 244, 364, 21).readOnly = true;

    add(ControlKind::Label, "LStress", QV_TEXT("Stress events"), 8, 276, 80, 16);
    add(ControlKind::Edit, "StressCount", "0", 92, 272, 60, 21).readOnly = true;
    Control& log = add(ControlKind::Memo, "StressLog", "", 8, 298, 364, 80);
    log.readOnly = true;
    log.fixedPitch = true;

    constexpr int y = kStressHeight;
    add(ControlKind::GroupBox, "Fuses", QV_TEXT("Fuse map"), 8, y + 272, 444, 280);
    add(ControlKind::Label, "LSecurity", QV_TEXT("Security"), 16, y + 296, 56, 16).parent = "Fuses";
    Control& security = add(ControlKind::Edit, "Security", "", 74, y + 292, 300, 21);
    Control& map = add(ControlKind::Memo, "FuseMap", "", 16, y + 320, 428, 224);
    map.fixedPitch = true;
    for (Control* c : {&security, &map}) {
        c->readOnly = true;
        c->parent = "Fuses";
    }
    showFuseMap();
}

FuseMapPart* VirtualSocket::fuseMapPart() const { return dynamic_cast<FuseMapPart*>(chip_.get()); }

void VirtualSocket::showFuseMap() {
    const FuseMapPart* part = fuseMapPart();
    control("Fuses").setVisible(part != nullptr);
    if (!part) {
        resize(kWidth, kHeight);
        control("Security").setText("");
        control("FuseMap").setText("");
        return;
    }
    resize(kFuseMapWidth, kFuseMapHeight);
    control("Security").setText(part->secured() ? "on (G1): array and architecture read as 1"
                                                : "off (G0)");
    control("FuseMap").setText(FuseListing(chip_->memory(), part->fusesPerLine()));
}

void VirtualSocket::say(const std::string& text) { control("Message").setText(text); }

void VirtualSocket::refresh() {
    if (!chip_) {
        control("InSocket").setText(kEmpty);
        control("Sum").setText("");
        showFuseMap();
        return;
    }
    control("InSocket").setText(chip_->label());
    // A logic device's sum is the JEDEC fuse checksum its files carry.
    if (fuseMapPart()) {
        char sum[8];
        std::snprintf(sum, sizeof sum, "%04X", FuseMapChecksum(*chip_));
        control("Sum").setText(std::string(sum) + " (JEDEC C)");
    } else {
        control("Sum").setText(Hex(chip_->checksum(), 8));
    }
    showFuseMap();
    shownChanges_ = chip_->changes();
}

void VirtualSocket::refreshIfChanged() {
    if (chip_ && chip_->changes() != shownChanges_) refresh();
    if (box_->socket().referee().eventCount() != shownStress_) showStress();
}

void VirtualSocket::operationEnded() {
    box_->socket().referee().operationEnded();
    refreshIfChanged();
}

void VirtualSocket::showStress() {
    const StressReferee& referee = box_->socket().referee();
    shownStress_ = referee.eventCount();
    control("StressCount").setText(std::to_string(shownStress_));
    std::string lines;
    for (const StressEvent& e : referee.events()) lines += DescribeStress(e) + "\n";
    control("StressLog").setText(lines);
}

std::vector<quarvin::PinFinding> VirtualSocket::stressFindings() const {
    // The picture marks the latest events; the log beside it keeps them all.
    constexpr std::size_t kShown = 16;
    const auto& events = box_->socket().referee().events();
    std::vector<quarvin::PinFinding> findings;
    for (std::size_t i = events.size() > kShown ? events.size() - kShown : 0; i < events.size(); ++i)
        findings.push_back({events[i].socketPin, DescribeStress(events[i])});
    return findings;
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

void VirtualSocket::deviceSelected(const std::string& dialogClass, int subType, const std::string& typeName) {
    selected_ = {dialogClass, subType, typeName};
    const ChipOffer* offer = OfferForDevice(dialogClass, subType, typeName);
    if (!offer) {
        RemoveClick();
        return;
    }
    insert(*offer);
    if (!typeName.empty() && !NamesPart(offer->label, typeName))
        say("Blank " + offer->label + " inserted: the closest model of " + typeName);
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
    say(fuseMapPart() ? "Bulk erased: every fuse 1, security off" : "Erased");
    refresh();
}

void VirtualSocket::LoadClick() {
    if (!needChip()) return;
    if (FuseMapPart* part = fuseMapPart())
        loadFuseFile(*part);
    else
        loadBinary();
    refresh();
}

void VirtualSocket::SaveClick() {
    if (!needChip()) return;
    if (fuseMapPart())
        saveFuseFile();
    else
        saveBinary();
}

void VirtualSocket::loadFuseFile(FuseMapPart& part) {
    FileDialogRequest req;
    req.title = "Load a JEDEC file into the chip";
    req.filter = kJedecFilter;
    auto name = platform_.files ? platform_.files->openName(req) : std::nullopt;
    if (!name) return;
    const std::string file = std::filesystem::path(*name).filename().string();
    const FuseMapLoad load = LoadFuseMapFile(*chip_, part, *name, FuseFile::Design, file);
    if (!load.loaded) {
        say(load.error);
        return;
    }
    std::string text = "Loaded " + file + ": " + std::to_string(chip_->memory().size()) + " fuses, security " +
                       (part.secured() ? "on" : "off");
    if (!load.warning.empty()) text += " (" + load.warning + ")";
    say(text);
}

void VirtualSocket::saveFuseFile() {
    FileDialogRequest req;
    req.title = "Save the chip as a JEDEC file";
    req.filter = kJedecFilter;
    req.defaultExt = "jed";
    auto name = platform_.files ? platform_.files->saveName(req) : std::nullopt;
    if (!name) return;
    const std::string error = SaveChipImage(*chip_, *name);
    say(error.empty() ? "Saved " + std::to_string(chip_->memory().size()) + " fuses as a JEDEC file" : error);
}

void VirtualSocket::loadBinary() {
    FileDialogRequest req;
    req.title = "Load chip contents";
    req.filter = kBinaryFilter;
    auto name = platform_.files ? platform_.files->openName(req) : std::nullopt;
    if (!name) return;
    if (!CheckRegularFile(*name, kMaxChipImageBytes).ok()) {
        say("Cannot open " + *name);
        return;
    }
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
}

void VirtualSocket::saveBinary() {
    FileDialogRequest req;
    req.title = "Save chip contents";
    req.filter = kBinaryFilter;
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

void VirtualSocket::AddFaultClick() {
    if (!needChip()) return;
    const std::string text = control("FaultText").text();
    ChipFaults faults = chip_->faults();
    std::string error = AddChipFault(faults, text);
    if (error.empty()) {
        const ChipFaults kept = chip_->faults();
        chip_->faults() = faults;
        error = FaultOutsideChip(*chip_);
        if (!error.empty()) chip_->faults() = kept;
    }
    say(error.empty() ? "Fault " + text + " added" : error);
}

void VirtualSocket::ClearFaultsClick() {
    if (!needChip()) return;
    chip_->faults() = ChipFaults{};
    say("Faults cleared");
}

} // namespace quarvin::sim
