#pragma once
// A connected link over a recording transport, with scripted prompts.
#include <gtest/gtest.h>

#include <memory>

#include "link/commands/LinkOps.h"
#include "support/FakePlatform.h"
#include "support/RecordingTransport.h"
#include "support/Wire.h"

namespace quarvin::test {

class LinkTest : public ::testing::Test {
protected:
    LinkTest() { link.prompts = &prompts; }

    // Compares the recorded stream by command names first (readable), then byte-exact.
    void expectWire(const Wire& expected) {
        EXPECT_EQ(describe(log->written), describe(expected.bytes()));
        EXPECT_EQ(log->written, expected.bytes());
    }
    // Runs op on a cleared log and compares what it sent.
    template <class Op> void expectSends(Op op, const Wire& expected) {
        log->clear();
        op();
        expectWire(expected);
    }

    LinkState link;
    FakePrompts prompts;
    std::shared_ptr<TransportLog> log = connectRecording(link);
};

} // namespace quarvin::test
