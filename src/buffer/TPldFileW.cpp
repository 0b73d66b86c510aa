#include "buffer/TPldFileW.h"

#include "buffer/formats/Jedec.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include "forms/Texts.h"

namespace quarvin {

namespace {
constexpr int kExtraRows = 6; // rows beyond the device's fuse rows held by the map
}

TPldFileW::TPldFileW(MainBuffer& buffer)
    : TextWindow("TPldFileW", QV_TEXT("PLD缓冲区窗口"), 400, 400),
      buffer_(buffer),
      cursor_(add(ControlKind::Edit, "Edit1")),
      sum_(add(ControlKind::Edit, "Edit2")),
      jedecSum_(add(ControlKind::Edit, "Edit3")) {
    add(ControlKind::Label, "Label1", QV_TEXT("光标地址:"));
    add(ControlKind::Label, "Label4", QV_TEXT("检查和："));
    // Beside the array sum, the checksum a JEDEC file's C field carries, with the
    // fuses it covers, so that a loaded file and the chip can be matched on screen.
    add(ControlKind::Label, "Label5", QV_TEXT("C:"));
    cursor_.readOnly = true;
    sum_.readOnly = true;
    jedecSum_.readOnly = true;
    setPopup({{QV_TEXT("填充数据"), false}, {QV_TEXT("扩展或缩小文件缓冲区"), false}});
}

void TPldFileW::setGeometry(std::int32_t fusesPerRow, std::int32_t fuseRows) {
    fusesPerRow_ = fusesPerRow;
    fuseRows_ = fuseRows;
}

void TPldFileW::Refresh() {
    clearText();
    fuseCount_ = 0;
    // A geometry that does not fit the buffer shows no map at all rather than
    // reading past it.
    const std::int64_t perRow = fusesPerRow_;
    const std::int64_t count = (static_cast<std::int64_t>(fuseRows_) + kExtraRows) * perRow;
    if (perRow > 0 && fuseRows_ >= 0 && count <= static_cast<std::int64_t>(kBufferSize)) {
        fuseCount_ = static_cast<std::int32_t>(count);
        for (std::int64_t r = 0; (r + 1) * perRow < count; ++r) {
            char head[16];
            std::snprintf(head, sizeof head, "L%04d ", static_cast<int>(r * perRow));
            std::string line = head;
            for (std::int64_t f = r * perRow; f < (r + 1) * perRow; ++f)
                line += (buffer_[static_cast<std::uint32_t>(f)] & 1) ? '1' : '0';
            addLine(std::move(line), CharMark::Normal);
        }
    }
    char sum[8];
    std::snprintf(sum, sizeof sum, "%04x", static_cast<unsigned>(checksum()));
    sum_.setText(sum);
    const std::int64_t covered = jedecFuses();
    control("Label5").setText("C (QF" + std::to_string(covered) + "):");
    std::snprintf(sum, sizeof sum, "%04X", static_cast<unsigned>(formats::jedecChecksum(buffer_, covered)));
    jedecSum_.setText(sum);
    textChanged();
    setSelection(kFuseColumn, 0);
}

std::uint16_t TPldFileW::checksum() const {
    const std::int64_t fuses = std::min<std::int64_t>(
        std::max<std::int64_t>(0, static_cast<std::int64_t>(fuseRows_) * fusesPerRow_), kBufferSize);
    std::uint16_t sum = 0;
    for (std::int64_t g = 0; g < fuses; g += 8) {
        unsigned byte = 0;
        for (std::int64_t k = 0; k < 8 && g + k < fuses; ++k)
            byte |= (buffer_[static_cast<std::uint32_t>(g + k)] & 1u) << k;
        sum = static_cast<std::uint16_t>(sum + byte);
    }
    return sum;
}

std::int64_t TPldFileW::jedecFuses() const {
    return std::clamp<std::int64_t>(fileFuses_ > 0 ? fileFuses_ : fuseCount_, 0, kBufferSize);
}

void TPldFileW::caretMoved() {
    const int c = caretColumn();
    std::int64_t f = static_cast<std::int64_t>(caretLine()) * fusesPerRow_;
    if (c >= kFuseColumn && c < fusesPerRow_ + kFuseColumn) f += c - kFuseColumn;
    cursorFuse_ = static_cast<std::int32_t>(f);
    cursor_.setText(std::to_string(cursorFuse_) + " ");
}

void TPldFileW::OnKeyPress(char key) {
    const char k = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    const int c = caretColumn();
    // Only the fuse columns take a fuse; the "L0000 " prefix is left alone.
    if ((k == '0' || k == '1') && c >= kFuseColumn && c < fusesPerRow_ + kFuseColumn &&
        c < static_cast<int>(lines().empty() ? 0 : lines()[static_cast<std::size_t>(caretLine())].size())) {
        if (MainBuffer::contains(cursorFuse_)) buffer_[static_cast<std::uint32_t>(cursorFuse_)] = static_cast<std::uint8_t>(k);
        putChar(caretLine(), c, k, CharMark::Red);
        textChanged();
        setSelection(positionOf(caretLine(), c + 1), 0);
        return;
    }
    setSelection(selectionStart(), 0);
}

} // namespace quarvin
