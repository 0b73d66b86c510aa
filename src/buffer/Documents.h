#pragma once
// The documents of the program: the main buffer and at most one of its two
// windows, the hex window or the PLD window. The windows are announced to the
// window host when they are created and destroyed, so that the program can make
// their views. A window the user closed counts as gone at once and is deleted at
// the next change of the documents.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "buffer/DocumentHost.h"
#include "buffer/MainBuffer.h"
#include "forms/Form.h"
#include "platform/Platform.h"
#include "forms/Texts.h"

namespace quarvin {

class TFileWin;
class TPldFileW;
class TextWindow;
class TInputHexDlg;
class DifferencesWindow;

// What the buffer holds as a whole: its start-up contents, the bytes of a memory
// image, or a fuse map (one '0'/'1' character per fuse).
enum class BufferContent { StartUp, ByteImage, FuseMap };

class Documents : public DocumentHost, private FormObserver {
public:
    static constexpr const char* kNewFileName = QV_TEXT("noname.bin");
    static constexpr std::int32_t kNewEndAddress = 0xFFFF;

    Documents(MainBuffer& buffer, Platform& platform);
    ~Documents() override;
    Documents(const Documents&) = delete;
    Documents& operator=(const Documents&) = delete;

    MainBuffer& buffer() override { return buffer_; }
    Platform& platform() { return platform_; }

    // Drops a PLD window; creates the hex window (caption "noname.bin", end address
    // 0xFFFF, first page) when there is none and reports the new file name through
    // onFileName; otherwise only brings the hex window to the front.
    void New() override;
    // Told the current file name when New creates the hex window.
    std::function<void(const std::string&)> onFileName;
    // Where the current data file's name comes from (the main window).
    std::function<std::string()> fileNameSource;
    // Where showStatusNote's text goes (the main window's status bar).
    std::function<void(const std::string&)> onStatusNote;
    void showStatusNote(const std::string& text) override {
        if (onStatusNote) onStatusNote(text);
    }
    std::string dataFileName() const override { return fileNameSource ? fileNameSource() : std::string{}; }
    bool loadIncomplete() const override { return loadIncomplete_; }
    void setLoadIncomplete(bool incomplete) override { loadIncomplete_ = incomplete; }

    // nullptr when the window does not exist.
    TFileWin* hexWindow();
    TPldFileW* pldWindow();
    // The open window (hex or PLD), nullptr when none.
    TextWindow* activeWindow();

    // Used by the loads: destroys the other window and creates this one when
    // needed (shown, end address 0xFFFF, first page, refreshed). The caller sets
    // the caption.
    TFileWin& openHexWindow();
    TPldFileW& openPldWindow();
    void destroyHexWindow();
    void destroyPldWindow();

    bool hasHexWindow() const override;
    bool hasPldWindow() const;
    void setEndAddress(std::int32_t end) override;   // no-op without a hex window
    std::int32_t endAddress() const override;        // -1 without a hex window
    void refreshHexWindow() override;                 // no-op without a hex window
    bool hasFuseMap() const override { return hasPldWindow(); }
    bool openFuseMap() override;
    void setFuseGeometry(std::int32_t fusesPerRow, std::int32_t fuseRows) override; // no-op without a PLD window
    void refreshFuseMap() override;                                                  // no-op without a PLD window

    // Before a file of `kind` is loaded: a buffer holding the other kind goes back
    // to its start-up contents (0xFF over the first 1 MiB), so that no fuse
    // characters end up programmed as bytes, nor bytes as fuses. Returns the source
    // of the contents the load lands on ("" when nothing of the same kind).
    std::string prepareLoad(BufferContent kind);
    // A load of `kind` from `source` ended.
    void contentLoaded(BufferContent kind, const std::string& source);
    BufferContent content() const { return content_; }
    // A window's caption for data of `source` loaded over `previous` contents.
    static std::string originCaption(const std::string& source, const std::string& previous);

    // The fill dialog, created (and announced) on first use.
    TInputHexDlg& fillDialog();
    // Edit > Fill Buffer and Edit > Change buffer size: act only with a hex window.
    void FillBuffer();
    void ChangeBufferSize();

    // The "Differences" window, created (and announced) on first use.
    bool listsDifferences() const override { return true; }
    void showDifferences(const DifferenceList& differences) override;
    DifferencesWindow* differencesWindow() { return differences_.get(); }

private:
    void formChanged(Form& form, FormEvent event) override;
    void collectClosed();
    void wirePopup(TextWindow& w);

    MainBuffer& buffer_;
    Platform& platform_;
    std::unique_ptr<TFileWin> hex_;
    std::unique_ptr<TPldFileW> pld_;
    std::unique_ptr<TInputHexDlg> fill_;
    std::unique_ptr<DifferencesWindow> differences_;
    BufferContent content_ = BufferContent::StartUp;
    std::string contentSource_;
    bool hexClosed_ = false;
    bool pldClosed_ = false;
    bool loadIncomplete_ = false;
};

} // namespace quarvin
