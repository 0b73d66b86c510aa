#include "DataFiles.h"

#include "buffer/TFileFormat.h"
#include <algorithm>

#include "buffer/formats/BinaryFormat.h"
#include "buffer/formats/ElfImage.h"
#include "buffer/formats/FileSource.h"
#include "buffer/formats/IntelHex.h"
#include "forms/HexText.h"
#include "platform/RegularFile.h"

namespace quarvin::cli {

namespace {

std::uint64_t LargestFile(Format format) {
    return format == Format::Hex || format == Format::Jed ? formats::kMaxTextDataFileBytes : formats::kNoSizeLimit;
}

std::string DroppedText(const formats::BinaryLoadResult& b, std::int32_t start) {
    if (b.bytesDropped <= 0) return {};
    return std::to_string(b.bytesDropped) + " bytes of the file did not fit in the 4 MiB buffer from " +
           quarvin::Format("%X", static_cast<unsigned>(start)) + " and were dropped.";
}

} // namespace

Loaded LoadDataFile(MainBuffer& buffer, const LoadRequest& r) {
    Loaded l;
    const FileCheck check = CheckRegularFile(r.path, LargestFile(r.format));
    if (check.problem == FileProblem::NotRegular || check.problem == FileProblem::TooLarge) {
        l.notAFile = check.text(r.path, LargestFile(r.format));
        return l;
    }
    switch (r.format) {
    case Format::Hex: {
        const auto h = formats::readIntelHexFile(buffer, r.path);
        l.readFailed = h.readFailed;
        l.ok = h.opened && !h.readFailed;
        l.endAddress = h.highestAddress < 0 ? 0 : static_cast<std::int32_t>(h.highestAddress);
        l.warning = h.problemText();
        break;
    }
    case Format::Srec: {
        const auto h = formats::readSrecFile(buffer, r.path);
        l.readFailed = h.readFailed;
        l.ok = h.opened && !h.readFailed;
        l.endAddress = h.highestAddress < 0 ? 0 : static_cast<std::int32_t>(h.highestAddress);
        l.warning = h.problemText();
        l.srec = {h.header, h.startAddress.value_or(0), std::max(h.addressBytes, 2)};
        break;
    }
    case Format::Elf: {
        const auto e = formats::loadElfFile(buffer, r.path);
        l.readFailed = e.readFailed;
        l.refusal = e.opened ? e.refusal : std::string();
        l.ok = e.loaded();
        l.endAddress = static_cast<std::int32_t>(std::max<std::int64_t>(e.highestAddress, 0));
        l.note = e.notLoadedText();
        break;
    }
    case Format::Jed: {
        const auto j = formats::readJedecFile(buffer, r.geometry, r.path);
        l.readFailed = j.readFailed;
        l.ok = j.opened && !j.readFailed;
        l.endAddress = static_cast<std::int32_t>(r.geometry.fuseCount() - 1);
        l.warning = j.problemText();
        break;
    }
    case Format::Cds: {
        const auto c = formats::loadCdsFile(buffer, r.path);
        l.readFailed = c.readFailed;
        l.ok = c.opened && !c.readFailed;
        l.endAddress = c.endAddress;
        l.warning = DroppedText(c, 0);
        break;
    }
    case Format::Bin: {
        // The lane pair of a load mode is the one the format dialog takes from it.
        TFileFormat dialog;
        dialog.userSetIndex("RadioGroup2", r.loadMode);
        const auto b = formats::loadBinaryFile(buffer, r.path, r.start, dialog.laneMask(), dialog.laneSelect());
        l.readFailed = b.readFailed;
        l.ok = b.opened && !b.readFailed;
        l.endAddress = b.endAddress;
        l.warning = DroppedText(b, r.start);
        break;
    }
    }
    return l;
}

bool SaveDataFile(const MainBuffer& buffer, const std::string& path, Format format, std::int32_t end,
                  const formats::FuseGeometry& geometry, const formats::SrecListing& srec) {
    switch (format) {
    case Format::Srec:
        return formats::saveSrecFile(buffer, end, srec, path);
    case Format::Elf:
    case Format::Hex:
        return formats::saveIntelHexFile(buffer, end, path);
    case Format::Jed:
        return formats::saveJedecFile(buffer, geometry, path);
    case Format::Bin:
        return formats::saveBinaryFile(buffer, end, path);
    case Format::Cds:
        break;
    }
    return false;
}

LoadRequest LoadRequestOf(const Options& o, const std::string& path) {
    return {path, o.inFormat.value_or(formatFromName(path)), o.loadMode, o.start, {o.fusesPerRow, o.fuseRows}};
}

} // namespace quarvin::cli
