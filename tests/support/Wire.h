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
    Wire& blankPage() { return raw({129}); }
    Wire& sumPage() { return raw({130}); }
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
    std::string out;
    auto hex = [](int v) {
        static const char* digits = "0123456789abcdef";
        return std::string("0x") + digits[(v >> 4) & 15] + digits[v & 15];
    };
    auto arg = [&](std::size_t i) { return i < s.size() ? hex(s[i]) : std::string("<missing>"); };
    for (std::size_t i = 0; i < s.size();) {
        int o = s[i];
        std::string line;
        std::size_t args = 0;
        if (o == 30) {
            std::size_t n = 0;
            while (i + n < s.size() && s[i + n] == 30) ++n;
            out += "delay(" + std::to_string(n) + ")\n";
            i += n;
            continue;
        }
        if (o == 0) line = "powerOff";
        else if (o >= 1 && o <= 5) line = "readPort(" + std::to_string(o - 1) + ")";
        else if (o == 7) line = "readStatus";
        else if (o >= 8 && o <= 12) { line = "direction(" + std::to_string(o - 8) + ")"; args = 1; }
        else if (o >= 13 && o <= 14) { line = "control(" + std::to_string(o - 13) + ")"; args = 1; }
        else if (o == 15) line = "identify";
        else if (o >= 16 && o <= 20) { line = "port(" + std::to_string(o - 16) + ")"; args = 1; }
        else if (o == 22) { line = "mode"; args = 1; }
        else if (o >= 24 && o <= 27) {
            static const char* names[] = {"vppLatchA", "vppLatchB", "vccLatchA", "vccGndLatch"};
            line = names[o - 24];
            args = 1;
        }
        else if (o >= 31 && o <= 71) line = "pinHigh(" + std::to_string(o - 31) + ")";
        else if (o >= 79 && o <= 119) line = "pinLow(" + std::to_string(o - 79) + ")";
        else if (o == 131 || o == 132 || o == 135 || o == 161) { line = "op" + std::to_string(o); args = 1; }
        else if (o == 133) { line = "op133"; args = 2; }
        else line = "op" + std::to_string(o);
        for (std::size_t a = 1; a <= args; ++a) line += " " + arg(i + a);
        out += line + "\n";
        i += 1 + args;
    }
    return out;
}

} // namespace quarvin::test
