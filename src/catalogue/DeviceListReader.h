#pragma once
// Reading the device list files: the line pieces, their normalising, and the two
// listings (manufacturers of a category, types of a manufacturer).
#include <istream>
#include <string>
#include <vector>

namespace quarvin {

// Splits a device list into the pieces the reader handles as lines: at most 99
// characters each, a line end ending a piece. "\r\n" counts as one line end, as a
// text-mode read would see it.
class ListPieceReader {
public:
    static constexpr std::size_t MaxPiece = 99;
    explicit ListPieceReader(std::istream& in) : in_(in) {}
    // The next piece with its line end (if it had one), or false at the end of the file.
    bool next(std::string& piece);

private:
    std::istream& in_;
};

// The text of a piece: the line end is removed, and the text ends at the first byte
// below 32 or of 128 and above within the first 50 bytes (or at a NUL anywhere).
std::string NormaliseLine(const std::string& piece);

// The manufacturer of a header whose key matches, or false when the piece is not a
// header of that category or has no "-".
bool HeaderManufacturer(const std::string& piece, const std::string& key, std::string& manufacturer);

struct TypeEntry {
    std::string text;       // shown in the type list
    std::string parameter;  // after the first ",", "---" when there is none
};

// Manufacturers of the category, in file order, duplicates included.
std::vector<std::string> ListManufacturers(std::istream& in, const std::string& key);

// Types of the first section of the category whose manufacturer equals the given
// name; empty when there is none.
std::vector<TypeEntry> ListTypes(std::istream& in, const std::string& key, const std::string& manufacturer);

// Splits a normalised type line at its first ",".
TypeEntry SplitTypeLine(const std::string& text);

} // namespace quarvin
