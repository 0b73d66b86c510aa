#pragma once
// The configuration file: eleven text lines that carry the last run's device
// selection and data file into the next run. Read at start-up and by "Again",
// written when the main window closes.
#include <optional>
#include <string>

namespace quarvin::shell {

// The values of lines 2..11. A value is empty when its line was missing from a
// truncated file, so the caller restores only the lines the file has.
struct ConfigValues {
    std::optional<int> categoryIndex;      // 2: selected category, 0..6
    std::optional<std::string> family;     // 3
    std::optional<std::string> description;// 4
    std::optional<std::string> fileName;   // 5
    std::optional<int> subType;            // 6
    std::optional<std::string> manufacturer;// 7
    std::optional<std::string> categoryKey;// 8: at most 20 characters
    std::optional<int> manufacturerRow;    // 9
    std::optional<int> typeRow;            // 10
    std::optional<std::string> typeName;   // 11
};

// What the writer puts into lines 2..11; all present.
struct ConfigRecord {
    int categoryIndex = 0;
    std::string family;
    std::string description;
    std::string fileName;
    int subType = 0;
    std::string manufacturer;
    std::string categoryKey;
    int manufacturerRow = 0;
    int typeRow = 0;
    std::string typeName;
};

enum class ConfigStatus {
    Missing,      // no file: nothing restored
    OtherVersion, // line 1 differs in its first 30 characters: nothing restored
    Restored,     // values holds every line the file had
};

struct ConfigRead {
    ConfigStatus status = ConfigStatus::Missing;
    ConfigValues values;
};

// Program directory + file name.
std::string ConfigPath(const std::string& programDir);

// Parses the file's text against the caption of this program.
ConfigRead ParseConfiguration(const std::string& text, const std::string& caption);
ConfigRead ReadConfiguration(const std::string& path, const std::string& caption);

std::string FormatConfiguration(const std::string& caption, const ConfigRecord& r);
// Replaces the file; false when it could not be written.
bool WriteConfiguration(const std::string& path, const std::string& caption, const ConfigRecord& r);

// Decimal reading as the file's numbers are read: leading blanks, optional sign,
// digits up to the first other character; 0 when there are none. Saturates
// instead of overflowing.
int ParseDecimal(const std::string& s);

} // namespace quarvin::shell
