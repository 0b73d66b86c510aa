#include <gtest/gtest.h>

#include "CatalogueFixture.h"
#include "support/Wire.h"

namespace quarvin::test {
namespace {

class AutoDetectTest : public CatalogueTest {
protected:
    // The identification read on a link whose register images are fresh.
    static Wire IdentificationRead() {
        return Wire()
            .control(1, 0xFB).mode(0x00)              // SetVppLevel 12000: code 4
            .delay(100)
            .port(0, 0).port(1, 0).port(2, 0).port(3, 0).port(4, 0)
            .pinHigh(5).pinHigh(7).pinHigh(36)
            .pinHigh(36).vccLatchA(0xFF).delay(10).vccGndLatch(0x06).delay(10)   // Vcc on 36
            .pinLow(20).vccGndLatch(0x46).delay(10)                             // ground on 20
            .direction(3, 0xFF)                                                  // data pins read
            .port(2, 0xFF)
            .vppLatchA(0x00).delay(3).vppLatchB(0x88).delay(3)                  // 12 V on pin 30
            .pinLow(16).readPort(2)
            .pinHigh(16).readPort(2)
            .vppLatchA(0x00).delay(3).vppLatchB(0x80).delay(3)
            .vccLatchA(0xFF).delay(10).vccGndLatch(0x47).delay(10);
    }
};

TEST_F(AutoDetectTest, ReadsBothCodesWithTheIdentificationSequence) {
    for (int category : {0, 1}) {
        SCOPED_TRACE(category);
        link = LinkState{};
        link.prompts = &fake.prompts;
        dlg.reset();
        auto log = connect();
        dialog().setCategoryIndex(category);
        log->reply({0x01, 0x0A});
        dialog().click("MFR");
        EXPECT_EQ(describe(log->written), describe(IdentificationRead()));
        EXPECT_EQ(dialog().control("Edit1").text(), "01,0a");
        EXPECT_EQ(dialog().mfgCode, 0x01);
        EXPECT_EQ(dialog().deviceCode, 0x0A);
    }
}

TEST_F(AutoDetectTest, OtherCategoriesDriveNothing) {
    auto log = connect();
    for (int category : {2, 3, 4, 5, 6}) {
        dialog().setCategoryIndex(category);
        dialog().click("MFR");
        EXPECT_TRUE(log->written.empty()) << category;
        EXPECT_EQ(dialog().control("Edit1").text(), "");
    }
    dialog().IDClick();
    EXPECT_TRUE(log->written.empty());
    EXPECT_EQ(fake.prompts.texts(),
              (std::vector<std::string>{"Only for EPROM/EEPROM(27xxx,28xxx,29xxx)!"}));
}

TEST_F(AutoDetectTest, SoftRunClearsTheFieldAndKeepsTheCodes) {
    auto log = connect();
    dialog().setCategoryIndex(1);
    log->reply({0x20, 0x8C});
    dialog().IDClick();
    EXPECT_EQ(fake.prompts.texts(), (std::vector<std::string>{"MFG = 20,    Type = 8c"}));
    link.connected = 0;
    log->clear();
    dialog().click("MFR");
    EXPECT_TRUE(log->written.empty());
    EXPECT_EQ(dialog().control("Edit1").text(), "");
    dialog().IDClick();
    EXPECT_EQ(fake.prompts.texts().back(), "MFG = 20,    Type = 8c");
}

TEST_F(AutoDetectTest, FamilyReadMfgGetsTheFieldText) {
    auto log = connect();
    dialog().setCategoryIndex(0);
    log->reply({0x89, 0x02});
    EXPECT_EQ(dialog().context().readMfg(), "89,02");
    dialog().setCategoryIndex(2);
    EXPECT_EQ(dialog().context().readMfg(), "");
}

TEST_F(AutoDetectTest, LostLinkEndsTheReadWithoutCodes) {
    auto log = connect();
    dialog().setCategoryIndex(0);
    log->readLimit = 0; // the box stops answering
    dialog().click("MFR");
    EXPECT_EQ(dialog().control("Edit1").text(), "");
    EXPECT_EQ(dialog().mfgCode, 0);
    EXPECT_EQ(link.connected, 0);
    EXPECT_FALSE(dialog().busy());
}

} // namespace
} // namespace quarvin::test
