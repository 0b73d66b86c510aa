#pragma once
// Every byte that differs between two images, grouped into runs of adjacent
// addresses: the first ones kept with both values, all of them counted.
#include <cstdint>
#include <string>
#include <vector>

namespace quarvin {

struct DifferingByte {
    std::int64_t address;
    std::uint8_t first;  // the value in the first image (the buffer, or FILE1)
    std::uint8_t second; // the value in the second (the chip, or FILE2)
};

class DifferenceList {
public:
    static constexpr std::int64_t kDefaultMax = 100;
    explicit DifferenceList(std::int64_t maxListed = kDefaultMax) : maxListed_(maxListed < 0 ? 0 : maxListed) {}

    // Addresses must come in increasing order.
    void add(std::int64_t address, std::uint8_t first, std::uint8_t second);
    // Compares count bytes that stand at `address` onwards in both images.
    void compare(std::int64_t address, const std::uint8_t* first, const std::uint8_t* second, std::int64_t count);

    std::int64_t total() const { return total_; }
    std::int64_t runs() const { return runs_; }
    const std::vector<DifferingByte>& listed() const { return listed_; }
    bool empty() const { return total_ == 0; }

    // One block per run of the listed bytes ("000120-000122, 3 bytes" and a line
    // "  000120  1F  20" per address), then the totals.
    std::string text(const std::string& firstName, const std::string& secondName) const;

private:
    std::int64_t maxListed_;
    std::int64_t total_ = 0;
    std::int64_t runs_ = 0;
    std::int64_t lastAddress_ = -2;
    std::vector<DifferingByte> listed_;
};

} // namespace quarvin
