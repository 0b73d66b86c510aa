#include <gtest/gtest.h>

#include "CatalogueFixture.h"
#include "support/Wire.h"

namespace quarvin::test {
namespace {

// The identification read on a link whose register images are fresh.
Wire IdentificationRead() {
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
        .vccLatchA(0xFF).delay(10).vccGndLatch(0x47).delay(10)
        .pinLow(36);                                                         // Vcc pin's driver off
}

TEST_F(CatalogueTest, AutoDetectReadsBothCodesForMemoriesOnlyAndNothingWithoutALink) {
    for (int category : {0, 1}) {
        link = LinkState{};
        link.prompts = &fake.prompts;
        dlg.reset();
        auto log = connect();
        dialog().setCategoryIndex(category);
        log->reply({0x01, 0x0A});
        if (category == 0) dialog().click("MFR");
        EXPECT_EQ(category == 0 ? c("Edit1").text() : dialog().context().readMfg(), "01,0a");
        EXPECT_EQ(describe(log->written), describe(IdentificationRead())) << category;
    }
    auto log = connect();
    dialog().setCategoryIndex(2);
    dialog().click("MFR");
    dialog().IDClick();
    EXPECT_TRUE(log->written.empty());
    EXPECT_EQ(c("Edit1").text(), "");
    EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{"Only for EPROM/EEPROM(27xxx,28xxx,29xxx)!"});

    // In soft run or on a lost link the field stays empty.
    fake.prompts.shown.clear();
    dialog().setCategoryIndex(1);
    log->reply({0x20, 0x8C});
    dialog().IDClick();
    EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{"MFG = 20,    Type = 8c"});
    link.connected = 0;
    log->clear();
    dialog().click("MFR");
    dialog().IDClick();
    EXPECT_TRUE(log->written.empty());
    EXPECT_EQ(c("Edit1").text(), "");
    EXPECT_EQ(fake.prompts.texts().back(), "MFG = 20,    Type = 8c");
    // A box that stops answering ends the read without codes.
    link.connected = 1;
    log->readLimit = 0;
    dialog().click("MFR");
    EXPECT_EQ(c("Edit1").text(), "");
    EXPECT_EQ(link.connected, 0);
    EXPECT_FALSE(dialog().busy());
    // Then there is nothing to detect, and old codes are not shown as an answer.
    dialog().IDClick();
    EXPECT_EQ(fake.prompts.texts().back(), "Communication error!");
}

} // namespace
} // namespace quarvin::test
