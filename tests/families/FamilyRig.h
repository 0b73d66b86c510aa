#pragma once
// A family dialog wired to scripted documents and platform, over either a
// recording transport (wire-exact tests) or the in-process virtual box with the
// part the selected row stands for. A family's tests instantiate it with their
// dialog class: WireRig<UvEpromDialog>, SimRig<UvEpromDialog>.
#include <algorithm>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "buffer/DocumentHost.h"
#include "families/framework/FamilyDialog.h"
#include "forms/HexText.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "sim/Box.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"
#include "support/FakePlatform.h"
#include "support/RecordingTransport.h"

namespace quarvin::test {

// A reproducible image of random bytes: the data the family tests program.
inline std::vector<std::uint8_t> RandomImage(std::size_t size, unsigned seed) {
    std::mt19937 gen(seed);
    std::vector<std::uint8_t> image(size);
    for (auto& b : image) b = static_cast<std::uint8_t>(gen());
    return image;
}

// The same bytes from buffer address 0 on.
inline void FillRandomBytes(MainBuffer& buf, std::uint32_t count, unsigned seed) {
    const auto image = RandomImage(count, seed);
    std::copy(image.begin(), image.end(), buf.data());
}

// A bare link to the virtual box with the part in its socket, reset as the
// selection dialog finds it.
inline void ConnectToBoxWith(LinkState& l, std::shared_ptr<sim::Chip> part) {
    auto box = std::make_shared<sim::Box>();
    box->insert(std::move(part));
    l.connected = 1;
    l.port = std::make_unique<sim::VirtualBoxTransport>(box);
    ResetSocket(l);
}

struct DetectedCodes {
    std::uint8_t maker, device;
};

// The selection dialog's code detection on the 32-pin wiring: 12 V on A9
// (socket pin 30) with the supply on vccPin, then the data port read with A0
// (pin 16) low for the maker's code and high for the device code. A0 is left high.
inline DetectedCodes DetectCodes(LinkState& l, int vccPin = 36) {
    SetVppLevel(l, 12000);
    WriteAllPorts(l, 0);
    for (int pin : {5, 7, 36}) PinHigh(l, pin);
    ConnectVcc(l, vccPin);
    ConnectGround(l, 20);
    SetDataWidth(l, 12);
    WritePort(l, 2, 0xFF);
    ConnectVpp(l, 30);
    PinLow(l, 16);
    const std::uint8_t maker = ReadPort(l, 2);
    PinHigh(l, 16);
    return {maker, ReadPort(l, 2)};
}

class FakeDocs : public DocumentHost {
public:
    MainBuffer buf;
    bool hex = true;
    std::int32_t end = -1;
    int news = 0, refreshes = 0;

    MainBuffer& buffer() override { return buf; }
    void New() override {
        ++news;
        hex = true;
    }
    bool hasHexWindow() const override { return hex; }
    void setEndAddress(std::int32_t e) override { end = e; }
    std::int32_t endAddress() const override { return end; }
    void refreshHexWindow() override { ++refreshes; }
    std::string statusNote;
    void showStatusNote(const std::string& text) override { statusNote = text; }
    std::string fileName;
    std::string dataFileName() const override { return fileName; }
    bool incomplete = false; // the last load had problems
    bool loadIncomplete() const override { return incomplete; }
    void setLoadIncomplete(bool v) override { incomplete = v; }

    // The PLD window of the logic device dialogs.
    bool pld = false;
    std::int32_t fusesPerRow = 0, fuseRows = 0;
    int pldRefreshes = 0;
    bool hasFuseMap() const override { return pld; }
    bool openFuseMap() override {
        hex = false;
        const bool created = !pld;
        pld = true;
        return created;
    }
    void setFuseGeometry(std::int32_t perRow, std::int32_t rows) override {
        if (!pld) return;
        fusesPerRow = perRow;
        fuseRows = rows;
    }
    void refreshFuseMap() override {
        if (pld) ++pldRefreshes;
    }
};

template <class Dialog>
struct DialogRig {
    FakePlatform fp;
    LinkState link;
    FakeDocs docs;
    SelectionState selection;
    DeviceContext ctx{link, fp.platform, docs, selection, [] { return std::string("20,3d"); }};
    Dialog dlg{ctx};

    explicit DialogRig(int subType) {
        selection.subType = subType;
        selection.description = "ANY: 27C512";
        link.prompts = &fp.prompts;
    }
    void connect(std::unique_ptr<Transport> t) {
        link.port = std::move(t);
        link.connected = 1;
    }
    // Types into an address field and leaves it.
    void field(const char* edit, const std::string& text) {
        dlg.control(edit).setText(text);
        dlg.exitField(edit);
    }
    void fields(const std::string& bufferStart, const std::string& deviceStart, const std::string& length) {
        field("Edit1", bufferStart);
        field("Edit2", deviceStart);
        field("Edit3", length);
    }
    std::string msg() { return dlg.control("Message").text(); }
    // Sets the three fields from one text: "bufferStart deviceStart length".
    void fieldsOf(const std::string& text) {
        std::istringstream in(text);
        std::string b, d, len;
        in >> b >> d >> len;
        fields(b, d, len);
    }
    void load(const std::vector<std::uint8_t>& image) { std::copy(image.begin(), image.end(), docs.buf.data()); }
};

// How a rig's buffer starts: zeroed, or as the program has it at start-up (0xFF).
enum class StartBuffer { Zeroed, AsAtStartUp };

// Over a recording transport; the log survives a lost link. Started, unless asked
// not to, with the start sequence taken off the log.
template <class Dialog>
struct WireRig : DialogRig<Dialog> {
    std::shared_ptr<TransportLog> log = std::make_shared<TransportLog>();
    explicit WireRig(int subType, bool start = true, StartBuffer buffer = StartBuffer::Zeroed)
        : DialogRig<Dialog>(subType) {
        if (buffer == StartBuffer::AsAtStartUp) this->docs.buf.initialise();
        this->connect(std::make_unique<RecordingTransport>(log));
        if (start) this->dlg.Start();
        log->clear();
    }
};

// The expected stream of a sequence of link operations, recorded from a second
// link that starts with the same register images.
struct Expect {
    LinkState link;
    std::shared_ptr<TransportLog> log = std::make_shared<TransportLog>();
    explicit Expect(const LinkState& from) {
        link.images = from.images;
        link.connected = 1;
        link.port = std::make_unique<RecordingTransport>(log);
    }
    const std::vector<std::uint8_t>& bytes() const { return log->written; }
    // A guarded operation that sent bytes after its last reply ends with one
    // read of input port 0 that proves the box took them.
    void confirmed() {
        log->written.push_back(static_cast<std::uint8_t>(op::ReadPortBase + ConfirmPort));
    }
    bool endOf(const std::vector<std::uint8_t>& w) const {
        return w.size() >= bytes().size() && std::equal(bytes().rbegin(), bytes().rend(), w.rbegin());
    }
};

// Over the virtual box with a blank part of the selected row in the socket.
template <class Dialog, class Part = sim::Chip>
struct SimRig : DialogRig<Dialog> {
    std::shared_ptr<sim::Box> box = std::make_shared<sim::Box>();
    std::shared_ptr<Part> chip;
    explicit SimRig(int subType, StartBuffer buffer = StartBuffer::Zeroed) : DialogRig<Dialog>(subType) {
        if (buffer == StartBuffer::AsAtStartUp) this->docs.buf.initialise();
        this->connect(std::make_unique<sim::VirtualBoxTransport>(box));
        chip = std::dynamic_pointer_cast<Part>(sim::OfferForSubType(Dialog::kFormClass, subType)->make());
        box->insert(chip);
        this->dlg.Start();
    }
};

// What a button says on an empty socket and on a blank part.
struct EmptyOrBlank {
    const char* button;
    const char* onEmpty;
    const char* onBlank;
};

// Rows first..last, each with its socket empty and with a blank part, the
// buffer FF over the fields 0 0 `length`: every button says its case's text,
// fails only on the empty socket and leaves the socket unpowered. `prepare`
// sets the dialog's options first.
template <class Rig>
void ExpectEmptyFailsWhereBlankPasses(int first, int last, std::uint32_t length, const std::vector<EmptyOrBlank>& cases,
                                      void (*prepare)(Rig&) = nullptr) {
    for (int row = first; row <= last; ++row) {
        for (bool present : {false, true}) {
            SCOPED_TRACE(Format("row %d ", row) + (present ? "blank" : "empty"));
            Rig rig(row);
            if (!present) rig.box->remove();
            rig.fields("0", "0", Format("%x", length));
            std::fill(rig.docs.buf.data(), rig.docs.buf.data() + length + 1, 0xFF);
            if (prepare) prepare(rig);
            for (const EmptyOrBlank& c : cases) {
                rig.dlg.click(c.button);
                EXPECT_EQ(rig.msg(), present ? c.onBlank : c.onEmpty) << c.button;
                EXPECT_EQ(rig.dlg.failure(), !present) << c.button;
                EXPECT_EQ(rig.box->socket().vccPins() | rig.box->socket().vppPins(), 0u) << c.button;
            }
        }
    }
}

} // namespace quarvin::test
