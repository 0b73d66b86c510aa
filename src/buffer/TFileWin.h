#pragma once
// The hex window: one page of 256 bytes of the main buffer as a 16-row dump,
// byte entry by hex digits, the page commands, and the Sum, Cursor and Start
// fields. It owns the end address of the buffer.
#include <cstdint>
#include <string>

#include "buffer/MainBuffer.h"
#include "buffer/TextWindow.h"
#include "platform/Platform.h"

namespace quarvin {

class TFileWin : public TextWindow {
public:
    static constexpr int kRows = 16;
    static constexpr int kPageSize = 256;
    static constexpr int kLineLength = 73;
    static constexpr int kHexColumn = 9;     // first hex digit of a line
    static constexpr int kCharColumn = 57;   // first character of the character part
    static constexpr std::int32_t kLastPageStart = kBufferSize - kPageSize;

    // Refused Start field values are told through `prompts` (none: kept silently).
    explicit TFileWin(MainBuffer& buffer, Prompts* prompts = nullptr);

    MainBuffer& buffer() { return buffer_; }
    std::int32_t endAddress() const { return endAddress_; }
    void setEndAddress(std::int32_t end) { endAddress_ = end; }
    std::int32_t viewStartAddress() const { return viewStart_; }
    // Kept on a row boundary inside the buffer; shown by the next refresh.
    void setViewStartAddress(std::int32_t start) { setStart(start); }
    std::int32_t cursorAddress() const { return cursorAddress_; }
    // The Start field is yellow while the scroll bar is being dragged.
    bool startFieldYellow() const { return startYellow_; }

    // Redraws the page and the three fields.
    void Refresh();

    // Page commands; each ends with a refresh.
    void Home();
    void End();
    void PageDown();
    void PageUp();
    void NextPageButton();
    void PreviousPageButton();
    // The Start field (Edit3) confirmed by Enter or by leaving it.
    void StartFieldExit();
    // The scroll bar moved to `position`; the page is redrawn when the scroll ends.
    void ScrollBarChange(int position, bool ended);
    // The CRC-32, SHA-1 and SHA-256 of 0..end address, as ROM lists give them,
    // in a message (pop-up item "ROM hashes").
    void ShowRomHashes();
    // Home, End, Page Up and Page Down in the dump.
    void OnKeyDown(int key);

    bool isHexWindow() const override { return true; }

    // The 73-character dump line of the 16 bytes at `address`.
    static std::string dumpLine(const MainBuffer& buffer, std::int32_t address);
    static char shownChar(std::uint8_t b);

protected:
    void OnKeyPress(char key) override;
    void caretMoved() override;

private:
    void setStart(std::int64_t start);

    MainBuffer& buffer_;
    Prompts* prompts_;
    std::int32_t endAddress_ = 0xFFFF;
    std::int32_t viewStart_ = 0;
    std::int32_t cursorAddress_ = 0;
    bool startYellow_ = false;
    Control& sum_;
    Control& cursor_;
    Control& start_;
    Control& scroll_;
};

} // namespace quarvin
