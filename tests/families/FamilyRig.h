#pragma once
// A TP27x dialog wired to scripted documents and platform, over either a
// recording transport (wire-exact tests) or the in-process virtual box.
#include <algorithm>
#include <memory>
#include <string>

#include "buffer/DocumentHost.h"
#include "families/memory/TP27x.h"
#include "link/commands/LinkOps.h"
#include "sim/Box.h"
#include "sim/VirtualBoxTransport.h"
#include "sim/chips/Eprom.h"
#include "support/FakePlatform.h"
#include "support/RecordingTransport.h"

namespace quarvin::test {

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
};

struct DialogRig {
    FakePlatform fp;
    LinkState link;
    FakeDocs docs;
    SelectionState selection;
    DeviceContext ctx{link, fp.platform, docs, selection, [] { return std::string("20,3d"); }};
    TP27x dlg{ctx};

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
};

// Over a recording transport; the log survives a lost link.
// Started, unless asked not to, with the start sequence taken off the log.
struct WireRig : DialogRig {
    std::shared_ptr<TransportLog> log = std::make_shared<TransportLog>();
    explicit WireRig(int subType, bool start = true) : DialogRig(subType) {
        connect(std::make_unique<RecordingTransport>(log));
        if (start) dlg.Start();
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
    bool endOf(const std::vector<std::uint8_t>& w) const {
        return w.size() >= bytes().size() && std::equal(bytes().rbegin(), bytes().rend(), w.rbegin());
    }
};

// Over the virtual box with a chip of the row's type in the socket.
struct SimRig : DialogRig {
    std::shared_ptr<sim::Box> box = std::make_shared<sim::Box>();
    std::shared_ptr<sim::EpromChip> chip;
    SimRig(int subType, const char* type, int vppMillivolts) : DialogRig(subType) {
        connect(std::make_unique<sim::VirtualBoxTransport>(box));
        chip = std::make_shared<sim::EpromChip>(*sim::FindEpromType(type), vppMillivolts);
        box->insert(chip);
        dlg.Start();
    }
};

} // namespace quarvin::test
