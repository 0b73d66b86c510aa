#include "families/logic_ic/IcFamily.h"

#include <charconv>

#include "families/logic_ic/IcTestDialog.h"
#include "families/logic_ic/IcTester.h"
#include "forms/Texts.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

// The item of a list: its index, or the item whose text it is.
std::optional<std::size_t> ItemOf(const std::vector<std::string>& items, const std::string& text) {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == text) return i;
    std::size_t index = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), index);
    if (ec == std::errc() && end == text.data() + text.size() && index < items.size()) return index;
    return std::nullopt;
}

std::string Join(const std::vector<std::string>& items) {
    std::string s;
    for (const std::string& item : items) s += (s.empty() ? "" : ", ") + item;
    return s;
}

class IcSession : public FamilySession {
public:
    std::vector<FamilyOperationInfo> operations() const override {
        return {{"test", "run the selected type's vectors on the IC in the socket (\"Founction\")"},
                {"identify", "run every type's vectors and list the types the IC passes (\"Search\")"}};
    }
    std::vector<FamilyOptionInfo> options() const override { return {}; }
    std::string setOption(const std::string& name, const std::string&) override { return "unknown option " + name; }
    std::uint32_t lastAddress(int) const override { return 0; }
    void setProgramDir(const std::string& dir) override { tester_.setLibraryDir(dir); }
    void start(LinkState& link) override {
        ResetSocket(link);
        if (!link.connected) return;
        SetVppLevel(link, 0);
        ShutDownSocket(link);
    }
    std::string setControl(const SelectionState& selection, const std::string& control,
                           const std::string& item) override {
        ensureLoaded(selection);
        if (control == "RadioGroup1") {
            std::vector<std::string> classes;
            for (const IcClass& c : IcClasses()) classes.push_back(c.item);
            const auto index = ItemOf(classes, item);
            if (!index) return "RadioGroup1 has no item " + item + " (" + Join(classes) + ")";
            if (!tester_.loadClass(static_cast<int>(*index))) return std::string(kIcNoLibrary) + " " + IcClasses()[*index].fileName;
            return {};
        }
        if (control == "ListBox1") {
            if (!loaded_) return kIcNoLibrary;
            const auto index = ItemOf(tester_.typeNames(), item);
            if (!index) return "ListBox1 has no item " + item;
            tester_.select(*index);
            return {};
        }
        return "the logic IC tester has no list control " + control + " (RadioGroup1, ListBox1)";
    }
    OperationResult run(const std::string& operation, const SessionJob& job) override {
        ensureLoaded(job.selection);
        // Without a sound library "No find!" or "No device in socket!" would blame the part.
        const int icClass = loaded_ ? tester_.icClass() : IcClassOfSubType(job.selection.subType);
        const std::string library = IcClasses()[static_cast<std::size_t>(icClass)].fileName;
        if (!loaded_) return OperationResult::refused(std::string(kIcNoLibrary) + " " + library + " (not found or unreadable)");
        if (tester_.library().damaged()) return OperationResult::refused(library + ": " + kIcDamagedLibrary);
        if (operation == "test") return tester_.founction(job.link, job.hooks);
        if (operation == "identify") return tester_.search(job.link, job.hooks);
        return OperationResult::refused("the logic IC tester has no operation " + operation);
    }
    std::vector<std::string> resultLines(const std::string& operation) const override {
        return operation == "identify" ? tester_.found() : std::vector<std::string>{};
    }

private:
    // The class of the selection's sub-type, loaded once, before anything
    // else chooses another.
    void ensureLoaded(const SelectionState& selection) {
        if (tried_) return;
        tried_ = true;
        loaded_ = tester_.loadClass(selection.subType);
    }

    IcTester tester_;
    bool tried_ = false;
    bool loaded_ = false;
};

} // namespace

FamilyEntry IcFamily() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<IcTestDialog>(ctx); };
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        // A class stands for parts of several packages: no one placement.
        for (const IcClass& c : IcClasses()) rows.push_back({c.item, 0, 0, "", SocketPlacement{}});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<IcSession>(); };
    e.firstSubType = 0; // the class: 74xxx, 40xxx, 45xxx
    // A class stands for parts of several packages, and the bipolar 74 parts do
    // not clamp their pins to Vcc (LogicChip::unpoweredClamps); the tester's own
    // vectors find a part that does not answer.
    e.noSocketCheck = QV_TEXT("a class of logic parts has no one pinout, and bipolar TTL pins do not clamp to Vcc");
    return e;
}

} // namespace quarvin
