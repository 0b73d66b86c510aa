#pragma once
// Golden wire files of the families built on the pattern form: the message a
// dialog ends with and every byte it sent, compared with
// tests/families/golden/<name>.wire (see GoldenWire.h).
#include "GoldenWire.h"

namespace quarvin::test {

// Passes bytes to the virtual box and keeps a copy of everything written.
class TappedVirtualBox : public Transport {
public:
    TappedVirtualBox(std::shared_ptr<sim::Box> box, std::shared_ptr<std::vector<std::uint8_t>> tap)
        : inner_(std::move(box)), tap_(std::move(tap)) {}
    bool write(const std::uint8_t* data, std::size_t n) override {
        tap_->insert(tap_->end(), data, data + n);
        return inner_.write(data, n);
    }
    int readByte(int timeoutMs) override { return inner_.readByte(timeoutMs); }
    void purge() override { inner_.purge(); }
    void close() override { inner_.close(); }

private:
    sim::VirtualBoxTransport inner_;
    std::shared_ptr<std::vector<std::uint8_t>> tap_;
};

inline testing::AssertionResult MatchesGolden(const std::string& name, const std::string& message,
                                              const std::vector<std::uint8_t>& bytes) {
    return MatchesGolden(name, Recording{bytes, message});
}

} // namespace quarvin::test
