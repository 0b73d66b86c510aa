// The "Virtual socket" window model: chip choice on selection, contents to and
// from files, UV erase and faults as the EPROM dialog then sees them.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "FamilyRig.h"
#include "sim/VirtualSocket.h"

namespace quarvin::test {
namespace {

std::string TempPath(const char* name) { return std::string(QUARVIN_BINARY_DIR) + "/vsocket_" + name; }

struct SocketRig : DialogRig {
    std::shared_ptr<sim::Box> box = std::make_shared<sim::Box>();
    sim::VirtualSocket window{box, fp.platform};
    SocketRig() : DialogRig(14) { connect(std::make_unique<sim::VirtualBoxTransport>(box)); }
};

TEST(VirtualSocket, EachSelectionInsertsABlankPartOfTheSelectedType) {
    SocketRig rig;
    struct Case {
        const char* family;
        int subType;
        const char* inSocket;
        const char* sum;
    } cases[] = {
        {"P27", 14, "27C512 12.7v", "00ff0000"}, {"P27", 3, "2716 25.0v", "0007f800"},
        {"P27", 19, "27C080 12.7v", "0ff00000"}, {"P27", 0, "(empty)", ""},
        {"P27", 22, "(empty)", ""},              {"P29", 3, "(empty)", ""},
    };
    for (const auto& c : cases) {
        rig.window.deviceSelected(c.family, c.subType);
        EXPECT_EQ(rig.window.control("InSocket").text(), c.inSocket) << c.family << c.subType;
        EXPECT_EQ(rig.window.control("Sum").text(), c.sum) << c.family << c.subType;
        EXPECT_EQ(rig.box->socket().chip() != nullptr, std::string(c.sum) != "");
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
    const std::string in = TempPath("in.bin"), out = TempPath("out.bin");
    {
        std::ofstream f(in, std::ios::binary);
        for (int i = 0; i < 3000; ++i) f.put(static_cast<char>(i & 0x7F));
    }
    rig.fp.files.openNames.push_back(in);
    rig.window.click("Load");
    EXPECT_EQ(rig.window.control("Message").text(), "Loaded the first 2048 of 3000 bytes");
    EXPECT_EQ(rig.window.chip()->cells()[0x7FF], 0x7F);
    std::uint32_t sum = 0;
    for (int i = 0; i < 2048; ++i) sum += static_cast<std::uint32_t>(i & 0x7F);
    char want[16];
    std::snprintf(want, sizeof want, "%08x", sum);
    EXPECT_EQ(rig.window.control("Sum").text(), want);

    rig.fp.files.saveNames.push_back(out);
    rig.window.click("Save");
    std::ifstream back(out, std::ios::binary);
    std::vector<char> saved((std::istreambuf_iterator<char>(back)), std::istreambuf_iterator<char>());
    ASSERT_EQ(saved.size(), 2048u);
    EXPECT_EQ(saved[100], 100);

    rig.fp.files.openNames.push_back(TempPath("missing.bin"));
    rig.window.click("Load");
    EXPECT_EQ(rig.window.control("Message").text(), "Cannot open " + TempPath("missing.bin"));
    EXPECT_EQ(rig.window.chip()->cells()[100], 100); // unchanged

    rig.window.click("Erase");
    EXPECT_EQ(rig.window.control("Sum").text(), "0007f800");
    std::remove(in.c_str());
    std::remove(out.c_str());

    rig.window.click("Remove");
    rig.window.click("Erase");
    EXPECT_EQ(rig.window.control("Message").text(), "No chip in the socket");
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
    EXPECT_EQ(rig.window.control("Message").text(), "Cell 000020 will not program");

    rig.dlg.control("Edit3").setText("ff");
    rig.dlg.exitField("Edit3");
    rig.dlg.click("Blank");
    EXPECT_EQ(rig.dlg.control("Message").text(), "000000: Not blank ");
    rig.docs.buf[0x20] = 0x00;
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x20, 0xFF);
    rig.docs.buf[0x10] = 0x7F;
    rig.dlg.click("Write");
    EXPECT_EQ(rig.dlg.control("Message").text(), "Programe Failured!");
    EXPECT_EQ(rig.dlg.control("Edit6").text(), "000000");

    rig.window.click("ClearFaults");
    rig.dlg.click("Write");
    EXPECT_EQ(rig.dlg.control("Message").text(), "OK!");

    set("StuckMask", "1ff");
    rig.window.click("AddStuck");
    EXPECT_EQ(rig.window.control("Message").text(), "Stuck bits need a hex address, mask and value");
}

} // namespace
} // namespace quarvin::test
