#include "buffer/formats/ElfImage.h"

#include <gelf.h>
#include <libelf.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "buffer/formats/FileSource.h"

namespace quarvin::formats {

namespace {

constexpr std::int64_t kMaxElfFileBytes = std::int64_t{256} << 20;

// The AVR toolchain puts the areas that are not flash at these load addresses.
struct AvrArea {
    std::uint64_t first;
    std::uint64_t size;
    const char* name;
};
constexpr AvrArea kAvrAreas[] = {
    {0x810000, 0x10000, "EEPROM"},
    {0x820000, 0x10000, "fuses"},
    {0x830000, 0x10000, "lock bits"},
    {0x840000, 0x10000, "signature"},
    {0x850000, 0x10000, "user signatures"},
};

const char* avrAreaOf(std::uint64_t address) {
    for (const auto& a : kAvrAreas)
        if (address >= a.first && address - a.first < a.size) return a.name;
    return nullptr;
}

std::string machineName(unsigned machine) {
    switch (machine) {
    case EM_AVR: return "AVR";
    case EM_ARM: return "ARM";
    case EM_AARCH64: return "AArch64";
    case EM_386: return "x86";
    case EM_X86_64: return "x86-64";
    case EM_MIPS: return "MIPS";
    case EM_RISCV: return "RISC-V";
    case EM_PPC: return "PowerPC";
    case EM_68K: return "68000";
    default: return "machine " + std::to_string(machine);
    }
}

std::string hex(std::uint64_t v) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(v));
    return text;
}

struct ElfCloser {
    void operator()(Elf* e) const { elf_end(e); }
};

} // namespace

bool looksLikeElf(std::string_view start) { return start.size() >= 4 && start.substr(0, 4) == "\x7F" "ELF"; }

std::string ElfLoadResult::notLoadedText() const {
    std::string text;
    for (const auto& s : segments) {
        if (s.area.empty()) continue;
        if (!text.empty()) text += "\n";
        text += "AVR " + s.area + " data: " + std::to_string(s.bytes) + " bytes at " + hex(s.address) +
                ", not loaded into the buffer.";
    }
    return text;
}

ElfLoadResult loadElf(MainBuffer& buffer, std::string_view file) {
    ElfLoadResult r;
    r.opened = true;
    if (!looksLikeElf(file)) {
        r.refusal = "This is not an ELF file.";
        return r;
    }
    if (elf_version(EV_CURRENT) == EV_NONE) {
        r.refusal = "The ELF library cannot be used.";
        return r;
    }
    // libelf reads the image in place; it only needs write access for updates, which
    // are never asked for, but its interface takes a mutable pointer.
    std::string image(file);
    std::unique_ptr<Elf, ElfCloser> elf(elf_memory(image.data(), image.size()));
    GElf_Ehdr header;
    if (!elf || elf_kind(elf.get()) != ELF_K_ELF || !gelf_getehdr(elf.get(), &header)) {
        r.refusal = std::string("This ELF file is damaged: ") + elf_errmsg(-1) + ".";
        return r;
    }
    r.bits = gelf_getclass(elf.get()) == ELFCLASS64 ? 64 : 32;
    r.bigEndian = header.e_ident[EI_DATA] == ELFDATA2MSB;
    r.machine = machineName(header.e_machine);
    const bool avr = header.e_machine == EM_AVR;

    std::size_t count = 0;
    if (elf_getphdrnum(elf.get(), &count) != 0) {
        r.refusal = std::string("The program headers of this ELF file cannot be read: ") + elf_errmsg(-1) + ".";
        return r;
    }
    struct Piece {
        std::uint64_t address, offset, bytes;
    };
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < count; ++i) {
        GElf_Phdr ph;
        if (!gelf_getphdr(elf.get(), static_cast<int>(i), &ph)) {
            r.refusal = "Program header " + std::to_string(i) + " of this ELF file is damaged.";
            return r;
        }
        if (ph.p_type != PT_LOAD || ph.p_filesz == 0) continue;
        if (ph.p_offset > image.size() || ph.p_filesz > image.size() - ph.p_offset) {
            r.refusal = "Segment " + std::to_string(i) + " reaches beyond the end of this ELF file.";
            return r;
        }
        ElfSegment s{ph.p_paddr, ph.p_filesz, {}};
        if (const char* area = avr ? avrAreaOf(ph.p_paddr) : nullptr) {
            s.area = area;
        } else if (ph.p_paddr > kBufferLast || ph.p_filesz > kBufferSize - ph.p_paddr) {
            r.refusal = "Segment " + std::to_string(i) + " (" + std::to_string(ph.p_filesz) + " bytes at " +
                        hex(ph.p_paddr) + ") lies beyond the 4 MiB buffer.";
            r.segments.push_back(s);
            return r;
        } else {
            pieces.push_back({ph.p_paddr, ph.p_offset, ph.p_filesz});
        }
        r.segments.push_back(s);
    }
    if (pieces.empty()) {
        r.refusal = "This ELF file has no loadable segment for the buffer.";
        return r;
    }
    for (const Piece& p : pieces) {
        std::memcpy(buffer.data() + p.address, image.data() + p.offset, p.bytes);
        r.bytesStored += static_cast<std::int64_t>(p.bytes);
        r.highestAddress = std::max<std::int64_t>(r.highestAddress, static_cast<std::int64_t>(p.address + p.bytes - 1));
    }
    return r;
}

ElfLoadResult loadElfFile(MainBuffer& buffer, const std::string& path) {
    std::string file;
    bool tooLarge = false;
    const ReadOutcome outcome = readFileInPieces(path, [&](std::string_view piece) {
        if (static_cast<std::int64_t>(file.size() + piece.size()) > kMaxElfFileBytes) {
            tooLarge = true;
            return false;
        }
        file.append(piece);
        return true;
    });
    if (outcome == ReadOutcome::NotOpened) return {};
    ElfLoadResult r;
    r.opened = true;
    if (outcome == ReadOutcome::Failed) {
        r.readFailed = true;
        r.refusal = "The file could not be read to its end.";
        return r;
    }
    if (tooLarge) {
        r.refusal = "This file is larger than 256 MiB; no ELF file for a device is.";
        return r;
    }
    return loadElf(buffer, file);
}

} // namespace quarvin::formats
