#include "buffer/TFileWin.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "buffer/RomHash.h"
#include "forms/HexFieldInput.h"
#include "forms/HexText.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

std::string hexText(const char* format, std::uint32_t v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

} // namespace

TFileWin::TFileWin(MainBuffer& buffer, Prompts* prompts)
    : TextWindow("TFileWin", "", 640, 400),
      buffer_(buffer),
      prompts_(prompts),
      sum_(add(ControlKind::Edit, "Edit2")),
      cursor_(add(ControlKind::Edit, "Edit1")),
      start_(add(ControlKind::Edit, "Edit3")),
      scroll_(add(ControlKind::Panel, "ScrollBar1")) {
    add(ControlKind::Label, "Label4", QV_TEXT("Sum"));
    add(ControlKind::Label, "Label1", QV_TEXT("Cursor"));
    add(ControlKind::Label, "Label3", QV_TEXT("Start"));
    sum_.readOnly = true;
    cursor_.readOnly = true;
    start_.onExit = [this] { StartFieldExit(); };
    start_.onKeyDown = [this](int key) {
        if (key == KeyEnter) StartFieldExit();
    };
    rich_.onKeyDown = [this](int key) { OnKeyDown(key); };
    setPopup({{"Fill buffer", true}, {"Change buffer size ", true}, {"ROM hashes", true}});
    onHashes = [this] { ShowRomHashes(); };
}

char TFileWin::shownChar(std::uint8_t b) {
    // 0x7F is shown as "." as well: it has no glyph and would break the columns.
    return b >= 0x21 && b < 0x7F ? static_cast<char>(b) : '.';
}

std::string TFileWin::dumpLine(const MainBuffer& buffer, std::int32_t address) {
    std::string line = hexText("%6x:  ", static_cast<std::uint32_t>(address));
    line.resize(kLineLength, ' ');
    for (int i = 0; i < 16; ++i) {
        const std::int64_t a = static_cast<std::int64_t>(address) + i;
        const std::uint8_t b = MainBuffer::contains(a) ? buffer[static_cast<std::uint32_t>(a)] : 0;
        line[static_cast<std::size_t>(kHexColumn + 3 * i)] = kHexDigits[b >> 4];
        line[static_cast<std::size_t>(kHexColumn + 3 * i + 1)] = kHexDigits[b & 15];
        line[static_cast<std::size_t>(kCharColumn + i)] = shownChar(b);
    }
    return line;
}

void TFileWin::ShowRomHashes() {
    if (!prompts_) return;
    std::string text = "0.." + hexText("%x", static_cast<std::uint32_t>(std::max(endAddress_, 0))) + ":";
    if (endAddress_ < 0) text = "No bytes:";
    for (RomHashKind kind : {RomHashKind::Crc32, RomHashKind::Sha1, RomHashKind::Sha256})
        text += std::string("\n") + romHashName(kind) + " " + romHash(kind, buffer_, 0, endAddress_);
    prompts_->message(text, "ROM hashes");
}

void TFileWin::Refresh() {
    setStart(viewStart_);

    scroll_.setRange(0, std::max(0, endAddress_ / kPageSize));
    scroll_.setPosition(viewStart_ / kPageSize);
    startYellow_ = false;
    start_.setText(hexText("%x", static_cast<std::uint32_t>(viewStart_)));
    start_.repaint();
    sum_.setText(hexText("%8x", buffer_.checksum(endAddress_)));

    clearText();
    bool grey = false;
    for (int k = 0; k < kRows; ++k) {
        const std::int32_t a = viewStart_ + 16 * k;
        // A row is grey when none of its bytes is in use.
        if (a > endAddress_) grey = true;
        addLine(dumpLine(buffer_, a), grey ? CharMark::Grey : CharMark::Normal);
    }
    textChanged();
    setSelection(kHexColumn, 0);
}

void TFileWin::caretMoved() {
    const int c = caretColumn();
    std::int32_t a = viewStart_ + 16 * caretLine();
    if (c > kHexColumn && c < kCharColumn) a += (c - kHexColumn) / 3;
    else if (c >= kCharColumn && c < kLineLength) a += c - kCharColumn;
    cursorAddress_ = a;
    cursor_.setText(hexText("%x ", static_cast<std::uint32_t>(a)));
}

void TFileWin::OnKeyPress(char key) {
    const char k = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    const bool digit = (k >= '0' && k <= '9') || (k >= 'A' && k <= 'F');
    int c = caretColumn();
    const int line = caretLine();
    if (digit && c >= kHexColumn && c < kCharColumn - 1) {
        // On the blank between two bytes the digit goes to the next byte.
        if (charAt(line, c) == ' ') {
            ++c;
            setSelection(positionOf(line, c), 0);
        }
        putChar(line, c, k, CharMark::Red);
        const int group = kHexColumn + 3 * ((c - kHexColumn) / 3);
        const int value = hexValue(charAt(line, group)) * 16 + hexValue(charAt(line, group + 1));
        const std::int32_t a = cursorAddress_;
        if (MainBuffer::contains(a)) {
            buffer_[static_cast<std::uint32_t>(a)] = static_cast<std::uint8_t>(value);
            putChar(line, kCharColumn + a % 16, shownChar(static_cast<std::uint8_t>(value)), CharMark::Red);
        }
        textChanged();
        setSelection(positionOf(line, c + 1), 0);
        return;
    }
    setSelection(selectionStart(), 0);
}

void TFileWin::setStart(std::int64_t start) {
    // The page always starts on a row boundary and lies inside the buffer.
    if (start < 0) start = 0;
    if (start > kLastPageStart) start = kLastPageStart;
    viewStart_ = static_cast<std::int32_t>(start - start % 16);
}

void TFileWin::Home() {
    viewStart_ = 0;
    Refresh();
}

void TFileWin::End() {
    setStart(static_cast<std::int64_t>(endAddress_) - (kPageSize - 1));
    Refresh();
}

void TFileWin::PageDown() {
    setStart(static_cast<std::int64_t>(viewStart_) + kPageSize);
    Refresh();
}

void TFileWin::PageUp() {
    if (viewStart_ >= kPageSize - 1) setStart(static_cast<std::int64_t>(viewStart_) - kPageSize);
    Refresh();
}

void TFileWin::NextPageButton() {
    if (static_cast<std::int64_t>(viewStart_) + kPageSize < endAddress_)
        setStart(static_cast<std::int64_t>(viewStart_) + kPageSize);
    Refresh();
}

void TFileWin::PreviousPageButton() { PageUp(); }

void TFileWin::StartFieldExit() {
    // Text that is not hexadecimal, or an address beyond the buffer, keeps the page
    // where it is.
    std::int32_t start = viewStart_;
    std::string refusal;
    TakeHexField(start_, "Start", kBufferLast, start, refusal);
    setStart(start);
    Refresh();
    if (!refusal.empty() && prompts_) prompts_->message(refusal);
}

void TFileWin::ScrollBarChange(int position, bool ended) {
    if (!takesInput()) {
        scroll_.repaint(); // the view puts its bar back where the page is
        return;
    }
    if (position < 0) position = 0;
    if (position > kLastPageStart / kPageSize) position = kLastPageStart / kPageSize;
    viewStart_ = position * kPageSize;
    scroll_.setPosition(position);
    if (ended) {
        Refresh();
        return;
    }
    startYellow_ = true;
    start_.setText(hexText("%x", static_cast<std::uint32_t>(viewStart_)));
    start_.repaint();
}

void TFileWin::OnKeyDown(int key) {
    switch (key) {
    case KeyHome: Home(); break;
    case KeyEnd: End(); break;
    case KeyPageUp: PageUp(); break;
    case KeyPageDown: PageDown(); break;
    default: break;
    }
}

} // namespace quarvin
