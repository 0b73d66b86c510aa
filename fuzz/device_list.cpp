// Feeds arbitrary bytes to the device list reader as a list file and checks what
// the selection dialog relies on: pieces of at most 99 characters that together
// are the file (a "\r\n" read as one line end), normalised lines without control
// bytes in their first 50 characters, every listed manufacturer's types found,
// and each type's parameter field parsed without harm.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "catalogue/DeviceListReader.h"
#include "catalogue/ParameterField.h"

using namespace quarvin;

namespace {

std::string TextModeRead(const std::string& bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) out += bytes[i];
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    std::istringstream in(bytes);
    ListPieceReader reader(in);
    std::string piece, joined;
    while (reader.next(piece)) {
        if (piece.size() > ListPieceReader::MaxPiece) std::abort();
        const std::string line = NormaliseLine(piece);
        for (std::size_t i = 0; i < line.size(); ++i) {
            const auto b = static_cast<unsigned char>(line[i]);
            if (b == 0 || (i < 50 && (b < 32 || b >= 128))) std::abort();
        }
        joined += piece;
    }
    if (joined != TextModeRead(bytes)) std::abort();

    const std::string key = bytes.size() >= 4 && bytes[0] == '#' ? bytes.substr(0, 4) : "#EPR";
    std::istringstream makers(bytes);
    for (const std::string& maker : ListManufacturers(makers, key)) {
        std::istringstream types(bytes);
        for (const TypeEntry& type : ListTypes(types, key, maker)) {
            if (type.text.find(',') != std::string::npos) std::abort();
            const ParameterField field = ParseParameterField(type.parameter);
            if (!field.family.empty() && field.family.find(' ') != std::string::npos) std::abort();
        }
    }
    return 0;
}
