// Operations started from the window's family dialogs label their bytes in a
// link trace with the operation's name, from the dialog's start to its close,
// as the command line labels its steps.
#include <gtest/gtest.h>

#include <sstream>

#include "catalogue/Dispatcher.h"
#include "families/FamilyRig.h"
#include "link/trace/TraceSummary.h"
#include "link/trace/TracingTransport.h"

namespace quarvin::test {
namespace {

struct LabelRow {
    const char* family;
    const char* dialogClass;
    std::vector<std::string> buttons; // clicked in this order after the start
    std::vector<std::string> labels;  // every operation the trace must name, in order
};

// One dialog of each shared anatomy: memory, serial memory, logic device, micro-controller.
const LabelRow kRows[] = {
    {"P27", "TP27x", {"ReadButton", "Verify"}, {"start", "read", "verify", "power down"}},
    {"P24", "TP24c0x", {"ReadButton", "Verify"}, {"start", "read", "verify", "power down"}},
    {"GAL3M", "TGALx", {"Read1", "Verify"}, {"start", "read", "verify", "power down"}},
    {"P16C84", "TP16c8x", {"ReadToFile", "Verify"}, {"start", "read", "verify", "power down"}},
};

int FirstSubTypeWithPart(const std::string& dialogClass) {
    const auto rows = Families().at(dialogClass).subTypes();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (!rows[i].chip.empty()) return static_cast<int>(i);
    return -1;
}

TEST(TraceLabels, DialogOperationsNameThemselvesInTheTrace) {
    for (const LabelRow& row : kRows) {
        SCOPED_TRACE(row.dialogClass);
        const int subType = FirstSubTypeWithPart(row.dialogClass);
        ASSERT_GT(subType, 0);
        auto box = std::make_shared<sim::Box>();
        box->insert(sim::OfferForSubType(row.dialogClass, subType)->make());

        auto sink = std::make_unique<MemoryTraceSink>();
        MemoryTraceSink& lines = *sink;
        auto trace = std::make_shared<LinkTrace>(std::move(sink), SteadyMicroClock());
        FakePlatform fp;
        FakeDocs docs;
        SelectionState selection;
        selection.subType = subType;
        LinkState link;
        link.connected = 1;
        link.port = std::make_unique<TracingTransport>(std::make_unique<sim::VirtualBoxTransport>(box), trace);
        DeviceContext ctx{link, fp.platform, docs, selection, [] { return std::string(); }};
        Dispatcher dispatcher(ctx);
        ASSERT_TRUE(dispatcher.dispatch(row.family));
        FamilyDialog& dialog = *dispatcher.existing(row.dialogClass);
        for (const std::string& button : row.buttons) dialog.click(button);
        dialog.close();
        trace->stop();

        std::stringstream text;
        text << TraceHeader << '\n';
        for (const std::string& line : lines.lines()) text << line << '\n';
        const TraceSummary s = ReadTrace(text);
        EXPECT_EQ(s.badLines, 0);
        EXPECT_EQ(s.operations, row.labels);
        // No byte went unlabelled: each run line ends with its operation.
        for (const std::string& line : lines.lines()) {
            if (line.find(" > ") != std::string::npos || line.find(" < ") != std::string::npos) {
                EXPECT_NE(line.find(" @"), std::string::npos) << line;
            }
        }
    }
}

} // namespace
} // namespace quarvin::test
