#pragma once
// The "Pro time" choice of the serial EEPROM dialogs: how many milliseconds the
// program waits after each byte or word it writes, while the part's self-timed
// write cycle runs.
#include <array>
#include <string>
#include "forms/Texts.h"

namespace quarvin {

inline constexpr std::array<int, 6> kWriteWaitMilliseconds{1, 2, 5, 10, 20, 50};
inline constexpr std::array<const char*, 6> kWriteWaitItems{QV_TEXT("1  ms/byte"), QV_TEXT("2  ms/byte"), QV_TEXT("5  ms/byte "),
                                                            QV_TEXT("10 ms/byte"), QV_TEXT("20 ms/byte"), QV_TEXT("50 ms/byte ")};
inline constexpr int kDefaultWriteWaitIndex = 2; // 5 ms

// Milliseconds of a "Pro time" item; the default for an index outside the list.
inline int WriteWaitMilliseconds(int itemIndex) {
    const bool inList = itemIndex >= 0 && itemIndex < static_cast<int>(kWriteWaitMilliseconds.size());
    return kWriteWaitMilliseconds[static_cast<std::size_t>(inList ? itemIndex : kDefaultWriteWaitIndex)];
}

// The command line names the wait by its milliseconds ("pro-time=10"); false
// for a value the list does not have.
inline bool ParseWriteWait(const std::string& text, int& milliseconds) {
    for (int ms : kWriteWaitMilliseconds)
        if (text == std::to_string(ms)) {
            milliseconds = ms;
            return true;
        }
    return false;
}

inline constexpr const char* kWriteWaitValues = "1|2|5|10|20|50";

} // namespace quarvin
