#include "catalogue/DeviceListReader.h"

namespace quarvin {

namespace {
constexpr std::size_t NormalisedPrefix = 50;
}

bool ListPieceReader::next(std::string& piece) {
    piece.clear();
    while (piece.size() < MaxPiece) {
        int c = in_.get();
        if (c == std::char_traits<char>::eof()) break;
        if (c == '\r' && in_.peek() == '\n') c = in_.get();
        piece.push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    return !piece.empty();
}

std::string NormaliseLine(const std::string& piece) {
    std::string text = piece;
    if (!text.empty() && text.back() == '\n') text.pop_back();
    std::size_t end = text.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto b = static_cast<unsigned char>(text[i]);
        if (b == 0 || (i < NormalisedPrefix && (b < 32 || b >= 128))) {
            end = i;
            break;
        }
    }
    text.resize(end);
    return text;
}

bool HeaderManufacturer(const std::string& piece, const std::string& key, std::string& manufacturer) {
    if (piece.empty() || piece[0] != '#') return false;
    std::string text = NormaliseLine(piece);
    if (text.size() < 4 || key.size() < 4 || text.compare(0, 4, key, 0, 4) != 0) return false;
    auto dash = text.find('-');
    if (dash == std::string::npos) return false;
    manufacturer = text.substr(dash + 1);
    return true;
}

std::vector<std::string> ListManufacturers(std::istream& in, const std::string& key) {
    std::vector<std::string> names;
    ListPieceReader reader(in);
    std::string piece, name;
    while (reader.next(piece))
        if (HeaderManufacturer(piece, key, name)) names.push_back(name);
    return names;
}

TypeEntry SplitTypeLine(const std::string& text) {
    auto comma = text.find(',');
    if (comma == std::string::npos) return {text, "---"};
    return {text.substr(0, comma), text.substr(comma + 1)};
}

std::vector<TypeEntry> ListTypes(std::istream& in, const std::string& key, const std::string& manufacturer) {
    std::vector<TypeEntry> types;
    ListPieceReader reader(in);
    std::string piece, name;
    bool found = false;
    while (!found && reader.next(piece))
        found = HeaderManufacturer(piece, key, name) && name == manufacturer;
    if (!found) return types;
    while (reader.next(piece)) {
        if (piece[0] == '#') break;
        if (piece[0] == '/') continue;
        types.push_back(SplitTypeLine(NormaliseLine(piece)));
    }
    return types;
}

} // namespace quarvin
