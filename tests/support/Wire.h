#pragma once
// Expected byte streams written by command name, e.g.
//   Wire().pinLow(20).vccGndLatch(0x47).delay(10)
// Each method appends the raw command bytes as the box sees them; nothing here
// calls the link operations, so a test states the stream independently.
// describe() turns a stream back into command names for readable failures.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace quarvin::test {

class Wire {
public:
    Wire& raw(std::initializer_list<int> bytes) {
        for (int b : bytes) push(b);
        return *this;
    }
    Wire& append(const Wire& other) {
        bytes_.insert(bytes_.end(), other.bytes_.begin(), other.bytes_.end());
        return *this;
    }
    Wire& repeat(int times, const Wire& other) {
        for (int i = 0; i < times; ++i) append(other);
        return *this;
    }

    Wire& powerOff() { return raw({0}); }
    Wire& readPort(int n) { return raw({1 + n}); }
    Wire& readStatus() { return raw({7}); }
    Wire& direction(int n, int v) { return raw({8 + n, v}); }
    Wire& control(int n, int v) { return raw({13 + n, v}); }
    Wire& identify() { return raw({15}); }
    Wire& port(int n, int v) { return raw({16 + n, v}); }
    Wire& mode(int v) { return raw({22, v}); }
    Wire& vppLatchA(int v) { return raw({24, v}); }
    Wire& vppLatchB(int v) { return raw({25, v}); }
    Wire& vccLatchA(int v) { return raw({26, v}); }
    Wire& vccGndLatch(int v) { return raw({27, v}); }
    Wire& delay(int ticks) {
        for (int i = 0; i < ticks; ++i) push(30);
        return *this;
    }
    Wire& pinHigh(int p) { return raw({31 + p}); }
    Wire& pinLow(int p) { return raw({79 + p}); }
    Wire& readNext() { return raw({128}); }
    Wire& busMode(int v) { return raw({135, v}); }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    operator const std::vector<std::uint8_t>&() const { return bytes_; }

private:
    void push(int b) { bytes_.push_back(static_cast<std::uint8_t>(b)); }
    std::vector<std::uint8_t> bytes_;
};

// Command names for a byte stream of the core command set, one per line; runs of
// delay ticks are folded. Unknown opcodes appear as "op<n>".
inline std::string describe(const std::vector<std::uint8_t>& s) {
    // Opcodes first..last: the name (none: "op<n>"), numbered from first, and argument bytes.
    struct Op { int first, last; const char* name; bool numbered; std::size_t args; };
    static const Op ops[] = {
        {0, 0, "powerOff", false, 0},     {1, 5, "readPort", true, 0},       {7, 7, "readStatus", false, 0},
        {8, 12, "direction", true, 1},    {13, 14, "control", true, 1},      {15, 15, "identify", false, 0},
        {16, 20, "port", true, 1},        {22, 22, "mode", false, 1},        {24, 24, "vppLatchA", false, 1},
        {25, 25, "vppLatchB", false, 1},  {26, 26, "vccLatchA", false, 1},   {27, 27, "vccGndLatch", false, 1},
        {31, 71, "pinHigh", true, 0},     {79, 119, "pinLow", true, 0},      {131, 132, nullptr, false, 1},
        {133, 133, nullptr, false, 2},    {135, 135, nullptr, false, 1},     {161, 161, nullptr, false, 1},
    };
    auto hex = [](int v) {
        static const char* digits = "0123456789abcdef";
        return std::string("0x") + digits[(v >> 4) & 15] + digits[v & 15];
    };
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        const int o = s[i];
        if (o == 30) {
            std::size_t n = 0;
            while (i + n < s.size() && s[i + n] == 30) ++n;
            out += "delay(" + std::to_string(n) + ")\n";
            i += n;
            continue;
        }
        const Op* op = nullptr;
        for (const Op& c : ops) if (o >= c.first && o <= c.last) op = &c;
        std::string line = op && op->name ? op->name : "op" + std::to_string(o);
        if (op && op->numbered) line += "(" + std::to_string(o - op->first) + ")";
        const std::size_t args = op ? op->args : 0;
        for (std::size_t a = 1; a <= args; ++a) line += " " + (i + a < s.size() ? hex(s[i + a]) : std::string("<missing>"));
        out += line + "\n";
        i += 1 + args;
    }
    return out;
}

} // namespace quarvin::test
