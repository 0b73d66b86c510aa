#pragma once
// The PLD window: the fuse map in the main buffer (one "0"/"1" byte per fuse) as
// lines "L0000 0101...", fuse entry by "0" and "1", the cursor fuse and the fuse
// checksum.
#include <cstdint>

#include "buffer/MainBuffer.h"
#include "buffer/TextWindow.h"

namespace quarvin {

class TPldFileW : public TextWindow {
public:
    static constexpr int kFuseColumn = 6; // first fuse of every line

    explicit TPldFileW(MainBuffer& buffer);

    MainBuffer& buffer() { return buffer_; }
    std::int32_t fusesPerRow() const { return fusesPerRow_; }
    std::int32_t fuseRows() const { return fuseRows_; }
    void setGeometry(std::int32_t fusesPerRow, std::int32_t fuseRows);
    // (fuse rows + 6) x fuses per row, as of the last refresh.
    std::int32_t fuseCount() const { return fuseCount_; }
    std::int32_t cursorFuse() const { return cursorFuse_; }

    // Redraws the map and recomputes the fuse count and the checksum.
    void Refresh();
    // Sum of the fuses 0 .. rows x per row - 1 packed eight to a byte, modulo 65536:
    // the array fuses only.
    std::uint16_t checksum() const;
    // The fuse count of the loaded file's QF field, which its C checksum covers;
    // 0: none loaded, the whole map is covered.
    void setFileFuseCount(std::int64_t count) { fileFuses_ = count; }
    // The JEDEC checksum, as a file's C field states it, and the fuses it covers.
    std::int64_t jedecFuses() const;

    bool isHexWindow() const override { return false; }

protected:
    void OnKeyPress(char key) override;
    void caretMoved() override;

private:
    MainBuffer& buffer_;
    std::int32_t fusesPerRow_ = 32;
    std::int32_t fuseRows_ = 64;
    std::int32_t fuseCount_ = 0;
    std::int32_t cursorFuse_ = 0;
    Control& cursor_;
    Control& sum_;
    Control& jedecSum_;
    std::int64_t fileFuses_ = 0;
};

} // namespace quarvin
