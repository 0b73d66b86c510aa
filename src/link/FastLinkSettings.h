#pragma once
// The read-ahead window a real serial port uses, kept in a small file of its own
// in the program directory (one line, "read-ahead-window=N"); the virtual box
// and pseudo-terminals always read ahead.
#include <string>

#include "link/serial/Transport.h"

namespace quarvin {

inline constexpr const char* FastLinkFileName = "fastlink.cfg";
// The window of the virtual box and pseudo-terminals: half a page, so that a
// USB adapter's packets of 62 replies keep coming while the next ones are asked for.
inline constexpr int DefaultReadAheadWindow = 128;

// The stored window, 1 (off) when the file is missing or says nothing usable.
int LoadSerialReadAheadWindow(const std::string& programDir);
// False when the file could not be written.
bool SaveSerialReadAheadWindow(const std::string& programDir, int window);
// The window a newly connected port starts with.
int ReadAheadWindowFor(LineKind kind, const std::string& programDir);

} // namespace quarvin
