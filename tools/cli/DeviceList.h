#pragma once
// The device list as the command line sees it: every selectable type of every
// category and manufacturer, read with the selection dialog's own reader, and
// the selection state that confirming one of them gives.
#include <optional>
#include <string>
#include <vector>

#include "catalogue/SelectionState.h"

namespace quarvin::cli {

struct DeviceEntry {
    int category = 0;       // index of Categories
    std::string maker;
    std::string type;       // as the type list shows it
    std::string parameter;  // the text after the first ","
};

// Every entry in category, manufacturer and file order; separators and empty
// lines are left out. Nothing when the file cannot be read.
std::optional<std::vector<DeviceEntry>> ReadDeviceList(const std::string& path);

// The category's caption without its padding ("MPU").
std::string CategoryName(int index);

struct DeviceFilter {
    std::string category; // caption, any case; empty for all
    std::string maker;    // part of the manufacturer, any case
    std::string type;     // part of the type, any case
};
bool Matches(const DeviceEntry& entry, const DeviceFilter& filter);

// The entries "TYPE" or "MAKER/TYPE" names: the type exactly as listed, or,
// when none is, without regard to case; the manufacturer without regard to case.
std::vector<DeviceEntry> FindDevice(const std::vector<DeviceEntry>& entries, const std::string& name);

// What confirming the entry in the selection dialog puts into the selection state.
SelectionState SelectionOf(const DeviceEntry& entry);

// The device list file of the program directory: the board model's file when it
// is there (board model 0: no box), else "device.lst".
std::string DeviceListPath(const std::string& dir, char boardModel);

} // namespace quarvin::cli
