#include "buffer/FileCommands.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "buffer/Documents.h"
#include "buffer/TFileWin.h"
#include "buffer/TPldFileW.h"
#include "buffer/formats/BinaryFormat.h"
#include "buffer/formats/ElfImage.h"
#include "buffer/formats/FileNames.h"
#include "buffer/formats/IntelHex.h"
#include "buffer/formats/Jedec.h"
#include "buffer/formats/FileSource.h"
#include "forms/OperationState.h"
#include "forms/Texts.h"
#include "platform/RegularFile.h"

namespace quarvin {

namespace {
constexpr const char* kBinaryLabel = "File ";
constexpr const char* kHexLabel = QV_TEXT("Fiel: ");
constexpr const char* kReloadLabel = QV_TEXT("<File>");

enum class FileAccess { Missing, Unreadable, Readable };

FileAccess accessOf(const std::string& path) {
    // A pipe would block the open and a folder opens but cannot be read: what is
    // there but no regular file is unreadable, told without opening it.
    const FileProblem problem = CheckRegularFile(path, formats::kNoSizeLimit).problem;
    if (problem == FileProblem::Missing) return FileAccess::Missing;
    if (problem == FileProblem::NotRegular) return FileAccess::Unreadable;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return FileAccess::Missing;
    std::fclose(f);
    return FileAccess::Readable;
}

bool fileExists(const std::string& path) { return accessOf(path) != FileAccess::Missing; }

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

formats::FuseGeometry geometryOf(const TPldFileW& w) { return {w.fusesPerRow(), w.fuseRows()}; }
} // namespace

FileCommands::FileCommands(Documents& documents, Platform& platform, DataFileState& state, std::string programDir)
    : documents_(documents), platform_(platform), state_(state), programDir_(std::move(programDir)),
      format_(std::make_unique<TFileFormat>(platform.prompts)) {
    platform_.windows->formCreated(*format_);
}

FileCommands::~FileCommands() { platform_.windows->formDestroyed(*format_); }

void FileCommands::setLabel(const std::string& text) {
    if (onFileLabel) onFileLabel(text);
}

std::string FileCommands::prepareLoad(BufferContent kind) {
    // A file that cannot be opened or read changes nothing: the load only reports
    // it, and the buffer keeps what an earlier load of the other kind brought.
    return accessOf(state_.fileName) == FileAccess::Readable ? documents_.prepareLoad(kind) : std::string{};
}

void FileCommands::LoadFileClick() {
    FileDialogRequest request;
    request.initialDir = programDir_;
    request.filter = kOpenFilter;
    auto name = platform_.files->openName(request);
    if (!name) return;
    state_.fileName = *name;

    TFileFormat& dialog = *format_;
    dialog.prepare(state_.fileName);
    dialog.control("Edit2").setText("ffffff");
    const int result = runFormatDialog();
    const std::string key = dialog.selectedKey();
    if (result != Form::ModalOk || key.empty()) return;
    state_.startAddress = dialog.startAddress();
    state_.endLimit = dialog.endLimit();

    if (key == ".HEX")
        LoadHex();
    else if (key == ".JED")
        LoadJedec();
    else if (key == ".CDS")
        LoadCds();
    else if (key == ".S19")
        LoadSrec();
    else if (key == ".ELF")
        LoadElf();
    else
        LoadBinary(dialog.laneMask(), dialog.laneSelect(), state_.startAddress);
}

void FileCommands::SaveBufClick() {
    if (!documents_.hasHexWindow() && !documents_.hasPldWindow()) return;
    FileDialogRequest request;
    request.initialDir = programDir_;
    auto name = platform_.files->saveName(request);
    if (!name) return;
    state_.fileName = *name;

    TFileFormat& dialog = *format_;
    dialog.prepare(state_.fileName);
    dialog.disableLoadFields();
    const int result = runFormatDialog();
    const std::string key = dialog.selectedKey();
    if (result != Form::ModalOk || key.empty()) return;
    saveWith(key);
}

int FileCommands::runFormatDialog() {
    // Load and Save run inside a menu handler; the dialog must take the user's input.
    OperationState::Suspension modal;
    return platform_.windows->runModal(*format_);
}

void FileCommands::saveWith(const std::string& key) {
    // Bytes are saved from the hex window's range and fuses from the PLD window's
    // map; without the matching window there is nothing sound to write.
    const std::string& path = state_.fileName;
    if (key == ".JED") {
        TPldFileW* pld = documents_.pldWindow();
        if (!pld) {
            platform_.prompts->message(kBadFormat);
            return;
        }
        const std::string target = formats::jedecSaveName(path);
        if (!formats::saveJedecFile(documents_.buffer(), geometryOf(*pld), target)) cantWrite(target);
        return;
    }
    if ((key != ".HEX" && key != ".BIN" && key != ".S19") || !documents_.hasHexWindow()) {
        platform_.prompts->message(kBadFormat);
        return;
    }
    const std::int32_t end = documents_.endAddress();
    bool ok = false;
    if (key == ".S19") {
        ok = formats::saveSrecFile(documents_.buffer(), end, state_.srec, path);
    } else {
        ok = key == ".HEX" ? formats::saveIntelHexFile(documents_.buffer(), end, path)
                           : formats::saveBinaryFile(documents_.buffer(), end, path);
    }
    if (!ok) cantWrite(path);
}

void FileCommands::cantWrite(const std::string& path) { platform_.prompts->message(kCantWrite + path, kUntitled); }

bool FileCommands::cantRead() {
    documents_.refreshHexWindow();
    platform_.prompts->message(kCantRead + state_.fileName, kUntitled);
    return false;
}

void FileCommands::showBinaryWindow(std::int32_t endAddress, const char* labelPrefix, const std::string& previous) {
    TFileWin& w = documents_.openHexWindow();
    // The caption says when the file's bytes landed on an earlier file's bytes.
    w.setCaption(Documents::originCaption(state_.fileName, previous));
    documents_.contentLoaded(BufferContent::ByteImage, state_.fileName);
    w.setEndAddress(endAddress);
    w.setViewStartAddress(0);
    setLabel(labelPrefix + state_.fileName);
    w.Refresh();
}

bool FileCommands::LoadBinary(int laneMask, int laneSelect, std::int32_t start) {
    const std::string previous = prepareLoad(BufferContent::ByteImage);
    return finishBinaryLoad(
        formats::loadBinaryFile(documents_.buffer(), state_.fileName, start, laneMask, laneSelect), previous);
}

bool FileCommands::LoadCds() {
    const std::string previous = prepareLoad(BufferContent::ByteImage);
    return finishBinaryLoad(formats::loadCdsFile(documents_.buffer(), state_.fileName), previous);
}

bool FileCommands::finishBinaryLoad(const formats::BinaryLoadResult& r, const std::string& previous) {
    if (!r.opened) {
        platform_.prompts->message(kCantOpenBinary, kUntitled);
        return false;
    }
    if (r.readFailed) return cantRead();
    documents_.setLoadIncomplete(r.bytesDropped > 0);
    showBinaryWindow(r.endAddress, kBinaryLabel, previous);
    return true;
}

bool FileCommands::finishRecordLoad(bool opened, bool readFailed, std::int64_t highestAddress,
                                    const std::string& problem, const std::string& previous) {
    if (!opened) {
        platform_.prompts->message(kCantOpen + state_.fileName, kUntitled);
        return false;
    }
    if (readFailed) return cantRead();
    showBinaryWindow(highestAddress < 0 ? 0 : static_cast<std::int32_t>(highestAddress), kHexLabel, previous);
    documents_.setLoadIncomplete(!problem.empty());
    if (!problem.empty()) platform_.prompts->message(problem + "\n" + state_.fileName, kUntitled);
    return true;
}

bool FileCommands::LoadHex() {
    const std::string previous = prepareLoad(BufferContent::ByteImage);
    const auto r = formats::readIntelHexFile(documents_.buffer(), state_.fileName);
    return finishRecordLoad(r.opened, r.readFailed, r.highestAddress, r.problemText(), previous);
}

bool FileCommands::LoadSrec() {
    const std::string previous = prepareLoad(BufferContent::ByteImage);
    const auto r = formats::readSrecFile(documents_.buffer(), state_.fileName);
    state_.srec = {r.header, r.startAddress.value_or(0), std::max(r.addressBytes, 2)};
    return finishRecordLoad(r.opened, r.readFailed, r.highestAddress, r.problemText(), previous);
}

bool FileCommands::LoadElf() {
    const std::string previous = prepareLoad(BufferContent::ByteImage);
    const auto r = formats::loadElfFile(documents_.buffer(), state_.fileName);
    if (!r.opened) {
        platform_.prompts->message(kCantOpen + state_.fileName, kUntitled);
        return false;
    }
    if (!r.loaded()) {
        // Refused whole: the buffer and the windows stay as they were.
        platform_.prompts->message(r.refusal + "\n" + state_.fileName, kUntitled);
        return false;
    }
    showBinaryWindow(static_cast<std::int32_t>(r.highestAddress), kHexLabel, previous);
    const std::string areas = r.notLoadedText();
    if (!areas.empty()) platform_.prompts->message(areas + "\n" + state_.fileName, kUntitled);
    return true;
}

bool FileCommands::LoadJedec() {
    // Checked first, so that a missing or unreadable file leaves the windows, the
    // map and the bytes of an earlier load alone.
    switch (accessOf(state_.fileName)) {
    case FileAccess::Missing:
        platform_.prompts->message(kCantOpen + state_.fileName, kUntitled);
        return false;
    case FileAccess::Unreadable:
        return cantRead();
    case FileAccess::Readable:
        break;
    }
    const std::string previous = prepareLoad(BufferContent::FuseMap);
    TPldFileW& w = documents_.openPldWindow();
    w.setCaption(Documents::originCaption(state_.fileName, previous));
    documents_.contentLoaded(BufferContent::FuseMap, state_.fileName);
    const auto r = formats::readJedecFile(documents_.buffer(), geometryOf(w), state_.fileName);
    w.setFileFuseCount(r.declaredFuses > 0 ? r.declaredFuses : 0);
    w.Refresh();
    if (!r.opened) {
        platform_.prompts->message(kCantOpen + state_.fileName, kUntitled);
        return false;
    }
    if (r.readFailed) return cantRead();
    const std::string problem = r.problemText();
    documents_.setLoadIncomplete(!problem.empty());
    if (!problem.empty()) platform_.prompts->message(problem + "\n" + state_.fileName, kUntitled);
    return true;
}

bool FileCommands::ReloadDataFile(const std::string& fileName) {
    if (fileName.empty() || !fileExists(fileName)) return false;
    // Names are matched in any case: files chosen on this system keep the case the
    // user gave them.
    const std::string ext = upper(formats::extensionOf(fileName));
    state_.fileName = fileName;
    bool loaded = false;
    if (ext == ".JED")
        loaded = LoadJedec();
    else if (ext == ".HEX")
        loaded = LoadHex();
    else if (ext == ".BIN")
        loaded = LoadBinary(format_->laneMask(), format_->laneSelect(), state_.startAddress);
    else if (formats::formatKeyOfName(fileName) == ".S19")
        loaded = LoadSrec();
    else if (ext == ".ELF")
        loaded = LoadElf();
    if (loaded) setLabel(kReloadLabel + fileName);
    return loaded;
}

} // namespace quarvin
