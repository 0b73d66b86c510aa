#include "families/opto/OptoFamily.h"
#include "families/placement/SocketPlacement.h"

#include "families/opto/OptoDialog.h"
#include "families/opto/OptoTest.h"
#include "forms/Texts.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

class OptoSession : public FamilySession {
public:
    std::vector<FamilyOperationInfo> operations() const override {
        return {{"test", "light and darken each channel's LED and read its collector (\"Founction\")"}};
    }
    std::vector<FamilyOptionInfo> options() const override { return {}; }
    std::string setOption(const std::string& name, const std::string&) override { return "unknown option " + name; }
    std::uint32_t lastAddress(int) const override { return 0; }
    void start(LinkState& link) override {
        ResetSocket(link);
        if (!link.connected) return;
        SetVppLevel(link, 0);
        ShutDownSocket(link);
    }
    OperationResult run(const std::string& operation, const SessionJob& job) override {
        if (operation != "test") return OperationResult::refused("the optocoupler tester has no operation " + operation);
        // Sub-type n >= 1 is the n-th package; the dialog's own start selects 0,
        // which tests the first.
        const int sub = job.selection.subType;
        const OptoPackage& package = OptoPackages()[static_cast<std::size_t>(sub >= 1 && sub <= 4 ? sub - 1 : 0)];
        return RunGuarded(job.link, [&] { return TestOptocoupler(job.link, package); });
    }
};

} // namespace

FamilyEntry OptoFamily() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<OptoDialog>(ctx); };
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows{{"???", 0, 0, "", SocketPlacement{}}};
        // No supply: the tester drives the LEDs and reads the transistors.
        for (const OptoPackage& p : OptoPackages()) rows.push_back({p.text, 0, 0, p.chip, BottomAligned(p.pins, {}, {})});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<OptoSession>(); };
    // An LED conducts from about 1.1 V, close to the box's input threshold, and a
    // phototransistor in the dark conducts not at all: an optocoupler has no
    // supply pin to hold low, and neither side reads reliably through a pull-up.
    e.noSocketCheck = QV_TEXT("an optocoupler has no supply pin, and its LEDs and transistors cannot be read unpowered");
    return e;
}

} // namespace quarvin
