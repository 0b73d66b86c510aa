// The "Virtual socket" window model: chip choice on selection, contents to and
// from files, UV erase and faults as the EPROM dialog then sees them.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "FamilyRig.h"
#include "forms/HexText.h"
#include "sim/VirtualSocket.h"

namespace quarvin::test {
namespace {

std::string TempPath(const char* name) {
    std::string path = QUARVIN_BINARY_DIR;
    return path.append("/vsocket_").append(name);
}

struct SocketRig : DialogRig {
    std::shared_ptr<sim::Box> box = std::make_shared<sim::Box>();
    sim::VirtualSocket window{box, fp.platform};
    SocketRig() : DialogRig(14) { connect(std::make_unique<sim::VirtualBoxTransport>(box)); }
    std::string text(const char* name) { return window.control(name).text(); }
};

TEST(VirtualSocket, EachSelectionInsertsABlankPartOfTheSelectedType) {
    SocketRig rig;
    struct Case {
        const char* family;
        int subType;
        const char *inSocket, *sum;
    } cases[] = {
        {"P27", 14, "27C512 12.7v", "00ff0000"}, {"P27", 3, "2716 25.0v", "0007f800"},
        {"P27", 22, "(empty)", ""},              {"P29", 3, "(empty)", ""},
    };
    for (const auto& c : cases) {
        rig.window.deviceSelected(c.family, c.subType);
        EXPECT_EQ(rig.text("InSocket"), c.inSocket) << c.family << c.subType;
        EXPECT_EQ(rig.text("Sum"), c.sum) << c.family << c.subType;
        EXPECT_EQ(rig.box->socket().chip() != nullptr, *c.sum != '\0');
    }
    // A fresh blank part each time, even for the same type.
    rig.window.deviceSelected("P27", 14);
    rig.window.chip()->cells()[0] = 0;
    rig.window.deviceSelected("P27", 14);
    EXPECT_EQ(rig.window.chip()->cells()[0], 0xFF);
}

TEST(VirtualSocket, LoadSaveAndEraseTheContents) {
    SocketRig rig;
    rig.window.deviceSelected("P27", 1); // 2 KiB
    const std::string in = TempPath("in.bin"), out = TempPath("out.bin"), missing = TempPath("missing.bin");
    std::uint32_t sum = 0;
    {
        std::ofstream f(in, std::ios::binary);
        for (int i = 0; i < 3000; ++i) f.put(static_cast<char>(i & 0x7F));
        for (int i = 0; i < 2048; ++i) sum += static_cast<std::uint32_t>(i & 0x7F);
    }
    rig.fp.files.openNames.push_back(in);
    rig.window.click("Load");
    EXPECT_EQ(rig.text("Message"), "Loaded the first 2048 of 3000 bytes");
    EXPECT_EQ(rig.window.chip()->cells()[0x7FF], 0x7F);
    EXPECT_EQ(rig.text("Sum"), Format("%08x", sum));

    rig.fp.files.saveNames.push_back(out);
    rig.window.click("Save");
    std::ifstream back(out, std::ios::binary);
    std::vector<char> saved((std::istreambuf_iterator<char>(back)), std::istreambuf_iterator<char>());
    ASSERT_EQ(saved.size(), 2048u);
    EXPECT_EQ(saved[100], 100);

    rig.fp.files.openNames.push_back(missing);
    rig.window.click("Load");
    EXPECT_EQ(rig.text("Message"), "Cannot open " + missing);
    EXPECT_EQ(rig.window.chip()->cells()[100], 100); // unchanged

    rig.window.click("Erase");
    EXPECT_EQ(rig.text("Sum"), "0007f800");
    std::remove(in.c_str());
    std::remove(out.c_str());

    rig.window.click("Remove");
    rig.window.click("Erase");
    EXPECT_EQ(rig.text("Message"), "No chip in the socket");
}

TEST(VirtualSocket, InjectedFaultsShowInTheEpromDialog) {
    SocketRig rig;
    rig.window.deviceSelected("P27", 14);
    rig.dlg.Start();
    auto set = [&](const char* name, const char* text) { rig.window.control(name).setText(text); };
    set("StuckAddress", "10");
    set("StuckMask", "80");
    set("StuckValue", "0");
    rig.window.click("AddStuck");
    set("NoProgramAddress", "20");
    rig.window.click("AddNoProgram");
    EXPECT_EQ(rig.text("Message"), "Cell 000020 will not program");

    rig.field("Edit3", "ff");
    rig.dlg.click("Blank"); // bit 7 of 0x10 reads 0
    EXPECT_EQ(rig.msg(), "000000: Not blank ");
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x20, 0xFF);
    rig.docs.buf[0x10] = 0x7F;
    rig.docs.buf[0x20] = 0x00;
    rig.dlg.click("Write");
    EXPECT_EQ(rig.msg(), "Programe Failured!");

    rig.window.click("ClearFaults");
    rig.dlg.click("Write");
    EXPECT_EQ(rig.msg(), "OK!");

    set("StuckMask", "1ff");
    rig.window.click("AddStuck");
    EXPECT_EQ(rig.text("Message"), "Stuck bits need a hex address, mask and value");
}

} // namespace
} // namespace quarvin::test
