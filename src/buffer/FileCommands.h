#pragma once
// File > Load and File > Save: the file dialog, the format dialog and the loaders
// and writers behind them, plus the reload of the last data file at start-up.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "buffer/TFileFormat.h"
#include "buffer/formats/BinaryFormat.h"
#include "buffer/formats/SRecord.h"
#include "platform/Platform.h"
#include "forms/Texts.h"

namespace quarvin {

class Documents;
enum class BufferContent;

// The main window's data file state; the main window owns it and the file
// commands update it.
struct DataFileState {
    std::string fileName;           // last file chosen for Load or Save
    std::int32_t startAddress = 0;  // "Buffer start address:" of the last OK
    std::int32_t endLimit = -1;     // "Buffer end address:" of the last OK
    formats::SrecListing srec;      // header and start address of the last S-record load, for its save
};

class FileCommands {
public:
    static constexpr const char* kOpenFilter =
        "*.*|*.*|*.bin  二进制格式|*.bin|*.hex  Intel 十六进制|*.hex|*.jed  可编程逻辑器件|*.jed";
    static constexpr const char* kUntitled = " ";
    static constexpr const char* kCantOpenBinary = QV_TEXT("Can't open this file:\n");
    static constexpr const char* kCantOpen = QV_TEXT("Can't open this file!\n");
    static constexpr const char* kCantWrite = QV_TEXT("Can't write this file!\n");
    static constexpr const char* kCantRead = QV_TEXT("Can't read this file!\n");
    static constexpr const char* kBadFormat = QV_TEXT("Bad format");

    // Creates the format dialog and announces it to the window host.
    FileCommands(Documents& documents, Platform& platform, DataFileState& state, std::string programDir);
    ~FileCommands();
    FileCommands(const FileCommands&) = delete;
    FileCommands& operator=(const FileCommands&) = delete;

    TFileFormat& formatDialog() { return *format_; }
    // Told the main window's file label text after a load.
    std::function<void(const std::string&)> onFileLabel;

    void LoadFileClick();
    void SaveBufClick();

    // The loaders, on the current file name. Each returns false when the file
    // could not be read (after its message box).
    bool LoadBinary(int laneMask, int laneSelect, std::int32_t start);
    bool LoadCds();
    bool LoadHex();
    bool LoadJedec();
    bool LoadSrec();
    bool LoadElf();
    // Start-up: loads the named file by its extension (.JED, .HEX, .BIN, an
    // S-record extension or .ELF) when it
    // exists; the file label then reads "<File>" and the name. False when nothing
    // was loaded.
    bool ReloadDataFile(const std::string& fileName);

private:
    void setLabel(const std::string& text);
    std::string prepareLoad(BufferContent kind);
    void showBinaryWindow(std::int32_t endAddress, const char* labelPrefix, const std::string& previous);
    // The message for a file that could not be opened, or the hex window for the loaded bytes.
    bool finishBinaryLoad(const formats::BinaryLoadResult& r, const std::string& previous);
    // The end of a HEX or S-record load: the message for a file that could not be
    // opened or read, else the hex window and the problems the reader found.
    bool finishRecordLoad(bool opened, bool readFailed, std::int64_t highestAddress, const std::string& problem,
                          const std::string& previous);
    int runFormatDialog();
    void saveWith(const std::string& key);
    void cantWrite(const std::string& path);
    // A read error part-way: told, and the bytes stored before it shown. False.
    bool cantRead();

    Documents& documents_;
    Platform& platform_;
    DataFileState& state_;
    std::string programDir_;
    std::unique_ptr<TFileFormat> format_;
};

} // namespace quarvin
