#include "IcVecCompiler.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <optional>
#include <set>
#include <sstream>

#include "families/logic_ic/IcLibrary.h"
#include "sim/Chip.h"
#include "sim/LineClock.h"

namespace quarvin::icvec {

namespace {

// The socket pins the vectors reach, by the direction register the box writes
// them with; the box writes register 3, then 1, then 0.
enum class Register { R3, R1, R0 };
constexpr int kGroundSocketPin = 20;
constexpr long kMaxIcNumber = 9999; // four digits in the record header's name field
// Socket pins the box can switch Vcc to that a package bit names.
constexpr std::array<int, 4> kSwitchableVccPins{27, 28, 30, 32};

Register RegisterOf(int socketPin) {
    if (socketPin <= 16) return Register::R1;
    if (socketPin <= 25) return Register::R3;
    return Register::R0;
}

// Bit of a socket pin in its register's byte (direction and expected alike).
int BitOf(int socketPin) {
    if (socketPin <= 16) return socketPin - 9;
    if (socketPin <= 19) return socketPin - 17;
    if (socketPin <= 25) return socketPin - 18; // 21..25 in bits 3..7
    return socketPin - 26;                      // 26..32 in bits 0..6
}

// Line cost of the tester's steps in characters: ports and direction registers
// (12 bytes), and for a checked step three port reads, each waiting for its reply.
constexpr double kDriveStepChars = 12;
constexpr double kCheckedStepChars = 12 + 3 * 2;
// Supply switching and settling before and after an IC's vectors.
constexpr double kIcOverheadChars = 260;

struct Row {
    bool checked = false;
    std::string levels; // one character per pin
    int line = 0;
};

struct Item {
    bool isRepeat = false;
    Row row;
    long repeat = 0;
    int line = 0;
};

struct Ic {
    int number = -1;
    std::string name;
    int pins = 0;
    std::string kinds;
    int line = 0;
    std::vector<Item> items;
    std::vector<std::string> notes;
};

class Compiler {
public:
    Compiler(const std::string& fileName, CompileResult& out) : file_(fileName), out_(out) {}

    void error(int line, const std::string& text) {
        out_.errors.push_back(file_ + ":" + std::to_string(line) + ": " + text);
    }

    void parse(const std::string& source);

private:
    void compile(const Ic& ic);
    bool checkPins(const Ic& ic, int& vccSocketPin);
    bool checkRow(const Ic& ic, const Row& row);

    std::string file_;
    CompileResult& out_;
    std::set<int> numbers_;
};

std::optional<long> Number(const std::string& s) {
    long v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return v;
}

std::string Joined(std::istringstream& words) {
    std::string all, w;
    while (words >> w) all += w;
    return all;
}

void Compiler::parse(const std::string& source) {
    std::istringstream in(source);
    std::optional<Ic> ic;
    int lineNo = 0;
    std::vector<std::string> comments; // the comment-only lines just read, for the next "ic"
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        if (const auto first = line.find_first_not_of(" \t\r"); first == std::string::npos) {
            comments.clear();
        } else if (line[first] == '#') {
            std::string text = line.substr(first + 1);
            if (!text.empty() && text.front() == ' ') text.erase(0, 1);
            while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) text.pop_back();
            comments.push_back(text);
            continue;
        }
        if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::string keyword;
        if (!(words >> keyword)) continue;
        if (keyword != "ic") comments.clear();
        if (keyword == "ic") {
            if (ic) {
                error(lineNo, "ic " + ic->name + " (line " + std::to_string(ic->line) + ") has no end");
                ic.reset();
            }
            std::string number, name, pins, extra;
            words >> number >> name >> pins;
            const auto n = Number(number);
            const auto p = Number(pins);
            if (!n || !p || name.empty() || (words >> extra)) {
                error(lineNo, "expected: ic NUMBER NAME PINS");
                ic = Ic{};
                ic->line = lineNo;
                continue;
            }
            ic = Ic{};
            ic->line = lineNo;
            ic->name = name;
            ic->notes = std::move(comments);
            comments.clear();
            const bool numberFits = *n >= 0 && *n <= kMaxIcNumber;
            ic->number = numberFits ? static_cast<int>(*n) : -1;
            ic->pins = static_cast<int>(*p);
            if (!numberFits) error(lineNo, "the number " + number + " is not 0..9999");
            else if (!numbers_.insert(ic->number).second) error(lineNo, "the number " + number + " is already used");
            if (*p < 14 || *p > 24 || *p % 2 != 0)
                error(lineNo, name + ": " + pins + " pins; the tester takes 14..24-pin parts (an even count)");
            continue;
        }
        if (!ic) {
            error(lineNo, "'" + keyword + "' outside an ic ... end block");
            continue;
        }
        if (keyword == "pins") {
            ic->kinds = Joined(words);
            if (static_cast<int>(ic->kinds.size()) != ic->pins)
                error(lineNo, ic->name + ": " + std::to_string(ic->kinds.size()) + " pin letters for " +
                                  std::to_string(ic->pins) + " pins");
            for (char c : ic->kinds)
                if (std::string("IOCTVGN").find(c) == std::string::npos)
                    error(lineNo, ic->name + ": unknown pin letter '" + std::string(1, c) + "' (I O C T V G N)");
        } else if (keyword == "t" || keyword == "s") {
            Item item;
            item.line = lineNo;
            item.row = {keyword == "t", Joined(words), lineNo};
            ic->items.push_back(item);
        } else if (keyword == "repeat") {
            std::string count, extra;
            words >> count;
            const auto n = Number(count);
            if (!n || (words >> extra)) {
                error(lineNo, "expected: repeat COUNT");
                continue;
            }
            if (*n < 1 || *n > kMaxRepeat) {
                error(lineNo, "repeat " + count + ": the count must be 1.." + std::to_string(kMaxRepeat));
                continue;
            }
            Item item;
            item.isRepeat = true;
            item.repeat = *n;
            item.line = lineNo;
            ic->items.push_back(item);
        } else if (keyword == "end") {
            compile(*ic);
            ic.reset();
        } else {
            error(lineNo, "unknown line '" + keyword + "' (ic, pins, t, s, repeat, end)");
        }
    }
    if (ic) error(lineNo, "ic " + ic->name + " (line " + std::to_string(ic->line) + ") has no end");
}

bool Compiler::checkPins(const Ic& ic, int& vccSocketPin) {
    if (ic.pins < 14 || ic.pins > 24 || ic.pins % 2 != 0 || static_cast<int>(ic.kinds.size()) != ic.pins) return false;
    for (char c : ic.kinds)
        if (std::string("IOCTVGN").find(c) == std::string::npos) return false;
    int vcc = 0, ground = 0, vccCount = 0, groundCount = 0;
    for (int k = 1; k <= ic.pins; ++k) {
        if (ic.kinds[k - 1] == 'V') vcc = k, ++vccCount;
        if (ic.kinds[k - 1] == 'G') ground = k, ++groundCount;
    }
    if (vccCount != 1 || groundCount != 1) {
        error(ic.line, ic.name + ": needs one V and one G pin");
        return false;
    }
    if (sim::socketPinOf(ic.pins, ground) != kGroundSocketPin) {
        error(ic.line, ic.name + ": ground on pin " + std::to_string(ground) + " does not reach socket pin 20 (it must be pin " +
                           std::to_string(ic.pins / 2) + ")");
        return false;
    }
    vccSocketPin = sim::socketPinOf(ic.pins, vcc);
    bool switchable = false;
    for (int p : kSwitchableVccPins) switchable = switchable || p == vccSocketPin;
    if (!switchable) {
        error(ic.line, ic.name + ": Vcc on pin " + std::to_string(vcc) + " lands on socket pin " +
                           std::to_string(vccSocketPin) + ", where the box cannot switch Vcc");
        return false;
    }
    return true;
}

bool Compiler::checkRow(const Ic& ic, const Row& row) {
    if (static_cast<int>(row.levels.size()) != ic.pins) {
        error(row.line, ic.name + ": " + std::to_string(row.levels.size()) + " characters for " +
                            std::to_string(ic.pins) + " pins");
        return false;
    }
    for (int k = 1; k <= ic.pins; ++k) {
        const char kind = ic.kinds[k - 1];
        const char c = row.levels[k - 1];
        std::string allowed;
        switch (kind) {
        case 'I': allowed = "01"; break;
        case 'O':
        case 'C': allowed = "LHX"; break;
        case 'T': allowed = "LHZX"; break;
        default: allowed = "-"; break;
        }
        if (allowed.find(c) == std::string::npos) {
            error(row.line, ic.name + ": pin " + std::to_string(k) + " (" + std::string(1, kind) + ") takes " + allowed +
                                ", not '" + std::string(1, c) + "'");
            return false;
        }
        if (c == 'X' && row.checked) {
            error(row.line, ic.name + ": pin " + std::to_string(k) + " is undefined (X) on a checked row");
            return false;
        }
    }
    return true;
}

// A vector in register form: direction and expected bytes for registers 3, 1, 0.
struct RegisterVector {
    std::array<std::uint8_t, 3> direction{0xFF, 0xFF, 0xFF};
    std::array<std::uint8_t, 3> expected{0xFF, 0xFF, 0xFF};

    void set(int socketPin, bool released, bool high) {
        const auto r = static_cast<std::size_t>(RegisterOf(socketPin));
        const auto bit = static_cast<std::uint8_t>(1u << BitOf(socketPin));
        if (!released) direction[r] &= static_cast<std::uint8_t>(~bit);
        if (!high) expected[r] &= static_cast<std::uint8_t>(~bit);
    }

    std::array<std::uint8_t, 9> fileBytes(std::uint8_t flags) const {
        std::array<std::uint8_t, 9> v{};
        v[kIcFlags] = flags;
        std::uint8_t d3 = direction[2], d2 = direction[0];
        IcToFileLayout(d3, d2);
        std::uint8_t e3 = expected[2], e2 = expected[0];
        IcToFileLayout(e3, e2);
        v[kIcDrive3] = d3;
        v[kIcDrive2] = d2;
        v[kIcDrive1] = direction[1];
        v[kIcExpect3] = e3;
        v[kIcExpect2] = e2;
        v[kIcExpect1] = expected[1];
        return v;
    }
};

RegisterVector VectorOf(const Ic& ic, const std::string& levels) {
    RegisterVector v;
    for (int k = 1; k <= ic.pins; ++k) {
        const int socketPin = sim::socketPinOf(ic.pins, k);
        if (socketPin == kGroundSocketPin) continue;
        const char c = levels[k - 1];
        const bool drivenLow = ic.kinds[k - 1] == 'I' && c == '0';
        v.set(socketPin, !drivenLow, !(drivenLow || c == 'L'));
    }
    return v;
}

// "pin 3" or "pins 3, 5, 9".
std::string PinList(const std::vector<int>& pins) {
    std::string text = pins.size() == 1 ? "pin " : "pins ";
    for (std::size_t i = 0; i < pins.size(); ++i) text += (i ? ", " : "") + std::to_string(pins[i]);
    return text;
}

// What the rows never look at: outputs no checked row expects low, high or off,
// and inputs no row pulls low.
std::vector<std::string> Unchecked(const Ic& ic) {
    std::vector<int> neverLow, neverHigh, neverOff, alwaysHigh;
    for (int k = 1; k <= ic.pins; ++k) {
        const char kind = ic.kinds[static_cast<std::size_t>(k - 1)];
        bool low = false, high = false, off = false, pulled = false;
        for (const Item& item : ic.items) {
            if (item.isRepeat) continue;
            const char c = item.row.levels[static_cast<std::size_t>(k - 1)];
            pulled = pulled || c == '0';
            if (!item.row.checked) continue;
            low = low || c == 'L';
            high = high || c == 'H';
            off = off || c == 'Z';
        }
        if (kind == 'O' || kind == 'C' || kind == 'T') {
            if (!low) neverLow.push_back(k);
            if (!high) neverHigh.push_back(k);
            if (kind == 'T' && !off) neverOff.push_back(k);
        } else if (kind == 'I' && !pulled) {
            alwaysHigh.push_back(k);
        }
    }
    std::vector<std::string> unchecked;
    if (!neverLow.empty()) unchecked.push_back(PinList(neverLow) + " never checked low");
    if (!neverHigh.empty()) unchecked.push_back(PinList(neverHigh) + " never checked high");
    if (!neverOff.empty()) unchecked.push_back(PinList(neverOff) + " never checked off");
    if (!alwaysHigh.empty()) unchecked.push_back("input " + PinList(alwaysHigh) + " never pulled low");
    return unchecked;
}

// Input pins whose level differs between two rows.
std::vector<int> Changed(const Ic& ic, const std::string& a, const std::string& b) {
    std::vector<int> pins;
    for (int k = 1; k <= ic.pins; ++k)
        if (ic.kinds[k - 1] == 'I' && a[k - 1] != b[k - 1]) pins.push_back(k);
    return pins;
}

void Compiler::compile(const Ic& ic) {
    // A number its "ic" line was refused for (already reported) would not fit the
    // record header's five characters; nothing of this IC is compiled.
    if (ic.number < 0) return;
    const std::size_t errorsBefore = out_.errors.size();
    int vccSocketPin = 0;
    if (!checkPins(ic, vccSocketPin)) return;
    bool rowsOk = true;
    for (const Item& item : ic.items)
        if (!item.isRepeat) rowsOk = checkRow(ic, item.row) && rowsOk;
    if (!rowsOk) return;

    // Rows only, to look one row ahead for pulses.
    std::vector<const Row*> rows;
    for (const Item& item : ic.items)
        if (!item.isRepeat) rows.push_back(&item.row);

    std::vector<std::array<std::uint8_t, 9>> vectors;
    bool expectsReleasedLow = false;
    std::size_t rowIndex = 0;
    for (std::size_t i = 0; i < ic.items.size(); ++i) {
        const Item& item = ic.items[i];
        if (item.isRepeat) {
            // The loop replays the two vectors before it: two rows of this IC,
            // each one vector.
            const bool twoRows = i >= 2 && !ic.items[i - 1].isRepeat && !ic.items[i - 2].isRepeat;
            if (!twoRows) {
                error(item.line, ic.name + ": repeat needs two rows (t or s) right before it");
                continue;
            }
            std::array<std::uint8_t, 9> loop{};
            loop[kIcFlags] = kIcLoopFlag;
            loop[kIcLoopCountHigh] = static_cast<std::uint8_t>(item.repeat >> 8);
            loop[kIcLoopCountLow] = static_cast<std::uint8_t>(item.repeat & 0xFF);
            vectors.push_back(loop);
            continue;
        }
        const Row& row = item.row;
        const std::size_t r = rowIndex++;
        // A pulse (clock, strobe, load) changes in this row and in the row next to
        // it, before or after; data changes and stays.
        // When it changes together with other inputs of another direction register,
        // those go first in a drive-only vector, so the edge sees the new data
        // whatever order the box writes its registers in.
        if (r > 0) {
            const std::string& before = rows[r - 1]->levels;
            const std::vector<int> changed = Changed(ic, before, row.levels);
            std::vector<int> pulses, data;
            for (int k : changed) {
                const bool back = (r + 1 < rows.size() && rows[r + 1]->levels[k - 1] != row.levels[k - 1]) ||
                                  (r >= 2 && rows[r - 2]->levels[k - 1] != before[k - 1]);
                (back ? pulses : data).push_back(k);
            }
            bool split = false;
            for (int p : pulses)
                for (int d : data)
                    split = split || RegisterOf(sim::socketPinOf(ic.pins, p)) != RegisterOf(sim::socketPinOf(ic.pins, d));
            if (split) {
                const bool replayed = (i + 1 < ic.items.size() && ic.items[i + 1].isRepeat) ||
                                      (i + 2 < ic.items.size() && ic.items[i + 2].isRepeat);
                if (replayed) {
                    error(row.line, ic.name + ": this row changes a pulse and data in different direction registers "
                                              "and is replayed by repeat; set the data in a row of its own first");
                    continue;
                }
                std::string setup = before;
                for (int d : data) setup[d - 1] = row.levels[d - 1];
                vectors.push_back(VectorOf(ic, setup).fileBytes(kIcDriveOnlyFlag));
            }
        }
        vectors.push_back(VectorOf(ic, row.levels).fileBytes(row.checked ? 0 : kIcDriveOnlyFlag));
        if (row.checked)
            for (int k = 1; k <= ic.pins; ++k) {
                const char kind = ic.kinds[k - 1];
                if ((kind == 'O' || kind == 'C' || kind == 'T') && row.levels[k - 1] == 'L') expectsReleasedLow = true;
            }
    }
    if (out_.errors.size() != errorsBefore) return;
    if (vectors.empty()) {
        error(ic.line, ic.name + ": has no rows");
        return;
    }
    if (!expectsReleasedLow) {
        error(ic.line, ic.name + ": no checked row expects an output low; an empty socket would pass");
        return;
    }
    if (static_cast<int>(vectors.size()) > kMaxVectors) {
        error(ic.line, ic.name + ": " + std::to_string(vectors.size()) + " vectors, more than " +
                           std::to_string(kMaxVectors));
        return;
    }
    for (const IcPackageBit& bit : IcPackageBits())
        if (bit.vccPin == vccSocketPin) {
            vectors.front()[static_cast<std::size_t>(bit.byte)] |= bit.mask;
            break;
        }
    std::vector<std::uint8_t> bytes;
    for (const auto& v : vectors) bytes.insert(bytes.end(), v.begin(), v.end());
    const double seconds = EstimateLineSeconds(bytes);
    if (seconds > kMaxLineSeconds) {
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", seconds);
        error(ic.line, ic.name + ": its test takes about " + std::string(text) + " s on the line, more than 2 s");
        return;
    }

    std::array<std::uint8_t, kIcHeaderSize> header{' ', ' ', ' ', ' ', ' ', 0, 0};
    const std::string digits = std::to_string(ic.number);
    for (std::size_t i = 0; i < digits.size(); ++i) header[i] = static_cast<std::uint8_t>(digits[i]);
    header[5] = static_cast<std::uint8_t>(vectors.size());
    out_.library.insert(out_.library.end(), header.begin(), header.end());
    out_.library.insert(out_.library.end(), bytes.begin(), bytes.end());
    out_.ics.push_back({ic.number, ic.name, ic.pins, static_cast<int>(vectors.size()), seconds, ic.notes, Unchecked(ic)});
}

} // namespace

double EstimateLineSeconds(const std::vector<std::uint8_t>& vectors) {
    const std::size_t count = vectors.size() / kIcVectorSize;
    // A step costs its writes, and its reads when the vector is checked (also
    // when a loop replays it: the reads go out, their result is ignored).
    const auto stepChars = [&](std::size_t j) {
        const std::uint8_t flags = vectors[j * kIcVectorSize + kIcFlags];
        if (flags & kIcLoopFlag) return kDriveStepChars;
        return (flags & kIcDriveOnlyFlag) ? kDriveStepChars : kCheckedStepChars;
    };
    double chars = kIcOverheadChars;
    for (std::size_t j = 0; j < count; ++j) {
        const std::uint8_t* v = vectors.data() + j * kIcVectorSize;
        if (!(v[kIcFlags] & kIcLoopFlag)) {
            chars += stepChars(j);
            continue;
        }
        double replayed = 0;
        for (std::size_t back = 1; back <= 2 && back <= j; ++back) replayed += stepChars(j - back);
        chars += replayed * ((v[kIcLoopCountHigh] << 8) | v[kIcLoopCountLow]);
    }
    return chars * static_cast<double>(sim::LineClock::CharPs) * 1e-12;
}

CompileResult CompileIcVectors(const std::string& source, const std::string& fileName) {
    CompileResult out;
    Compiler(fileName, out).parse(source);
    out.library.push_back(kIcEndMark);
    if (!out.ok()) out.library.clear();
    return out;
}

} // namespace quarvin::icvec
