#pragma once
// The seven device categories of the selection dialog and the device list file that
// belongs to each board model.
#include <array>
#include <string>
#include "forms/Texts.h"

namespace quarvin {

struct Category {
    const char* item;  // RadioGroup1 caption
    const char* key;   // first four characters of the section headers of the category
};

inline constexpr std::array<Category, 7> Categories{{
    {"EPROM", "#EPR"},
    {QV_TEXT("FLASH/EEPROM"), "#EEP"},
    {"MPU       ", "#MPU"},
    {"SERIAL EEPROM", "#Ser"},
    {"GAL", "#PLD"},
    {"TEST RAM", "#RAM"},
    {QV_TEXT("TEST TTL/COMS"), "#TES"},
}};

// The category key of a RadioGroup1 index; index 0's key when out of range.
std::string CategoryKey(int index);

// Device list file name of a board model letter ('a', 'b', 'c' from GetBoardModel).
std::string DeviceListFileName(char boardModel);

} // namespace quarvin
