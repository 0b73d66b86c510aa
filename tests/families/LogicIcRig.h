#pragma once
// The logic IC tester on the virtual box with one logic part in the socket, and
// the checks every library runs against its part models:
//
//   const VecText ttl{SourceText("data/ictest/ttl74.vec")};
//   CheckLibraryAgainstModels(sim::LogicClass::Ttl74, ttl, sim::Ttl74Parts(),
//                             {{"74LS00", {"74xx00", "74xx03", "74xx37"}}});
//   EXPECT_EQ(FlippedVectorsThatStillPass(cls, ttl, part, seed, 8), 0);
//
// Every part of the table must pass "Founction" of its own library entry (its
// number) and a "Search" must list exactly its own type, or, when the part is in
// the equivalents list, exactly the listed types. The library is compiled afresh
// from the source, so a test sees the source as it is now.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "FamilyRig.h"
#include "IcVecCompiler.h"
#include "families/logic_ic/IcTestDialog.h"
#include "sim/ChipFaultText.h"
#include "sim/families/logic_ic/LogicChip.h"
#include "sim/families/logic_ic/LogicPart.h"
#include "support/TappedTransport.h"

namespace quarvin::test {

inline int ClassIndexOf(sim::LogicClass c) { return static_cast<int>(c); }

// A directory of its own holding one class's library, compiled from vector text
// (or given as bytes, for malformed libraries).
class IcLibraryDir {
public:
    explicit IcLibraryDir(const std::string& tag) {
        dir_ = std::filesystem::temp_directory_path() /
               ("quarvin-ic-" + tag + "-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        std::filesystem::create_directories(dir_);
    }
    ~IcLibraryDir() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    IcLibraryDir(const IcLibraryDir&) = delete;
    IcLibraryDir& operator=(const IcLibraryDir&) = delete;

    void writeBytes(int icClass, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream(dir_ / IcClasses()[static_cast<std::size_t>(icClass)].fileName, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    // Compiles vector text into the class's library; the compiler's errors fail the test.
    std::vector<std::uint8_t> compile(int icClass, const std::string& vecText, const std::string& name = "test.vec") const {
        const icvec::CompileResult r = icvec::CompileIcVectors(vecText, name);
        for (const std::string& e : r.errors) ADD_FAILURE() << e;
        writeBytes(icClass, r.library);
        return r.library;
    }
    std::string path() const { return dir_.string(); }

private:
    std::filesystem::path dir_;
};

inline std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
// A file of the source tree: SourceText("data/ictest/ttl74.vec").
inline std::string SourceText(const std::string& relative) {
    return ReadText(std::filesystem::path(QUARVIN_SOURCE_DIR) / relative);
}

// Vector source text given directly rather than by its path.
struct VecText {
    std::string text;
};

// The tester dialog over the virtual box, its libraries from `dir`, started for
// a class, with a part (or nothing) in the socket.
struct LogicIcRig {
    FakePlatform fp;
    LinkState link;
    FakeDocs docs;
    SelectionState selection;
    DeviceContext ctx{link, fp.platform, docs, selection, [] { return std::string(); }};
    std::shared_ptr<sim::Box> box = std::make_shared<sim::Box>();
    std::shared_ptr<sim::LogicChip> chip;
    std::shared_ptr<Tap> tap = std::make_shared<Tap>(); // every byte sent
    std::unique_ptr<IcTestDialog> dlg;

    LogicIcRig(const std::string& dir, int icClass, const sim::LogicPart* part) {
        link.prompts = &fp.prompts;
        link.port = std::make_unique<TappedTransport>(std::make_unique<sim::VirtualBoxTransport>(box), tap);
        link.connected = 1;
        if (part) {
            chip = std::make_shared<sim::LogicChip>(*part);
            box->insert(chip);
        }
        selection.subType = icClass;
        dlg = std::make_unique<IcTestDialog>(ctx, dir);
        dlg->Start();
    }

    std::string msg() { return dlg->control("Message").text(); }
    const std::vector<std::string>& types() { return dlg->control("ListBox1").items(); }
    // Selects a type by its name; false when the library has none of that name.
    bool select(const std::string& type) {
        const auto& items = types();
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i] == type) {
                dlg->userSetIndex("ListBox1", static_cast<int>(i));
                return true;
            }
        return false;
    }
    std::string founction(const std::string& type) {
        if (!select(type)) return "no type " + type + " in the library";
        dlg->click("Test1");
        return msg();
    }
    std::string search() {
        dlg->click("Button1");
        return msg();
    }
    const std::vector<std::string>& found() { return dlg->control("ListBox2").items(); }
};

// The type name a part's library entry has: "74xx138", "4017", "4511".
inline std::string TypeOfPart(const sim::LogicPart& part) {
    return IcTypeName(ClassIndexOf(part.family), part.number);
}

// Parts whose vectors other types' entries also pass: the part, then every type
// a search must list for it (its own included).
struct SearchExpectation {
    std::string part;
    std::vector<std::string> types;
};

// Every part of `parts` passes "Founction" of its entry and is found by "Search"
// with exactly its own type or the listed equivalents. `vecText` is the library's
// vector source.
inline void CheckLibraryAgainstModels(sim::LogicClass cls, const VecText& vec,
                                      const std::vector<sim::LogicPart>& parts,
                                      const std::vector<SearchExpectation>& equivalents) {
    IcLibraryDir dir("models");
    const int c = ClassIndexOf(cls);
    dir.compile(c, vec.text);
    for (const sim::LogicPart& part : parts) {
        SCOPED_TRACE(part.name);
        std::vector<std::string> want{TypeOfPart(part)};
        for (const SearchExpectation& e : equivalents)
            if (sim::SamePartName(e.part, part.name)) want = e.types;
        LogicIcRig rig(dir.path(), c, &part);
        EXPECT_EQ(rig.founction(TypeOfPart(part)), "OK!");
        const std::string result = rig.search();
        const std::vector<std::string> found = rig.found();
        EXPECT_EQ(std::set<std::string>(found.begin(), found.end()), std::set<std::string>(want.begin(), want.end()));
        EXPECT_EQ(result, want.size() == 1 ? std::string("Find 1") : "Find " + std::to_string(want.size()) + " same device");
    }
}

// Flips one expected bit of checked vectors of a part's entry (a seeded sample of
// `samples` vectors, bits on socket pins the part has) and runs "Founction" on
// the part with each such library: every one must give "Bad!!!". Returns the
// number of libraries that still passed (0 is right).
inline int FlippedVectorsThatStillPass(sim::LogicClass cls, const VecText& vec, const sim::LogicPart& part,
                                       unsigned seed, int samples) {
    IcLibraryDir dir("flip");
    const int c = ClassIndexOf(cls);
    const std::vector<std::uint8_t> good = dir.compile(c, vec.text);
    const IcLibrary lib = IcLibrary::Parse(good);
    const IcEntry* entry = nullptr;
    for (const IcEntry& e : lib.entries())
        if (e.number == part.number) entry = &e;
    if (!entry) {
        ADD_FAILURE() << "no entry " << part.number;
        return 0;
    }
    // Checked vectors and their compared socket pins (file layout: byte 6 pins
    // 25..32, byte 7 pins 17..24, byte 8 pins 9..16).
    const int pins = static_cast<int>(std::char_traits<char>::length(part.pinKinds));
    std::vector<std::pair<std::size_t, std::uint8_t>> candidates; // byte offset, bit
    for (std::uint32_t j = 0; j < entry->count; ++j) {
        const std::size_t at = entry->offset + kIcHeaderSize + kIcVectorSize * j;
        if (good[at] & (kIcLoopFlag | kIcDriveOnlyFlag)) continue;
        for (int k = 1; k <= pins; ++k) {
            const int s = sim::socketPinOf(pins, k);
            if (s == 20 || s > 31) continue;
            const std::size_t byte = s >= 25 ? 6 : s >= 17 ? 7 : 8;
            const int bit = s >= 25 ? s - 25 : s >= 17 ? s - 17 : s - 9;
            candidates.emplace_back(at + byte, static_cast<std::uint8_t>(1u << bit));
        }
    }
    if (candidates.empty()) return 0;
    std::uint64_t x = seed * 0x9E3779B97F4A7C15ULL + 1;
    int stillPass = 0;
    for (int i = 0; i < samples; ++i) {
        x ^= x << 13, x ^= x >> 7, x ^= x << 17;
        const auto& [offset, mask] = candidates[x % candidates.size()];
        std::vector<std::uint8_t> bad = good;
        bad[offset] ^= mask;
        dir.writeBytes(c, bad);
        LogicIcRig rig(dir.path(), c, &part);
        if (rig.founction(TypeOfPart(part)) != "Bad!!!") ++stillPass;
    }
    return stillPass;
}

} // namespace quarvin::test
