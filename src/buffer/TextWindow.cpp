#include "buffer/TextWindow.h"

#include <algorithm>

namespace quarvin {

TextWindow::TextWindow(std::string className, std::string caption, int width, int height)
    : Form(std::move(className), std::move(caption), width, height),
      rich_(add(ControlKind::Memo, "RichEdit1")) {
    rich_.readOnly = true;
    rich_.fixedPitch = true;
}

std::string TextWindow::text() const {
    std::string t;
    t.reserve(static_cast<std::size_t>(textLength()));
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i) t += '\n';
        t += lines_[i];
    }
    return t;
}

int TextWindow::textLength() const {
    if (lines_.empty()) return 0;
    return lineStart_.back() + static_cast<int>(lines_.back().size());
}

int TextWindow::positionOf(int line, int column) const {
    if (lines_.empty() || line < 0) return 0;
    if (line >= static_cast<int>(lines_.size())) return textLength();
    return lineStart_[static_cast<std::size_t>(line)] + column;
}

void TextWindow::locateCaret() {
    // The line holding the caret is the last one that starts at or before it.
    auto it = std::upper_bound(lineStart_.begin(), lineStart_.end(), selStart_);
    caretLine_ = it == lineStart_.begin() ? 0 : static_cast<int>(it - lineStart_.begin()) - 1;
    caretColumn_ = lineStart_.empty() ? selStart_ : selStart_ - lineStart_[static_cast<std::size_t>(caretLine_)];
}

void TextWindow::OnSelectionChange(int start, int length) {
    const int len = textLength();
    selStart_ = std::clamp(start, 0, len);
    selLength_ = std::clamp(length, 0, len - selStart_);
    locateCaret();
    caretMoved();
}

void TextWindow::setSelection(int start, int length) {
    OnSelectionChange(start, length);
    rich_.repaint();
}

void TextWindow::keyPress(char key) {
    if (takesInput()) invoke([&] { OnKeyPress(key); });
}

void TextWindow::replaceText(int pos, int count, const std::string& with) {
    if (pos < 0 || count < 0 || pos + count > textLength()) return;
    int at = pos;
    // Replacement keeps the line layout: characters are overwritten in place, and
    // the count and the new text are expected to match.
    for (char c : with) {
        auto it = std::upper_bound(lineStart_.begin(), lineStart_.end(), at);
        const int line = static_cast<int>(it - lineStart_.begin()) - 1;
        putChar(line, at - lineStart_[static_cast<std::size_t>(line)], c, CharMark::Red);
        ++at;
    }
    textChanged();
}

void TextWindow::popupClick(int index) {
    if (index < 0 || index >= static_cast<int>(popup_.size())) return;
    if (!popup_[static_cast<std::size_t>(index)].enabled || !takesInput()) return;
    invoke(index == 0 ? onFillBuffer : index == 1 ? onChangeSize : onHashes);
}

void TextWindow::clearText() {
    lines_.clear();
    marks_.clear();
    lineStart_.clear();
    selStart_ = selLength_ = caretLine_ = caretColumn_ = 0;
}

void TextWindow::addLine(std::string line, CharMark mark) {
    lineStart_.push_back(lines_.empty() ? 0 : textLength() + 1);
    marks_.emplace_back(line.size(), mark);
    lines_.push_back(std::move(line));
}

void TextWindow::putChar(int line, int column, char c, CharMark mark) {
    if (line < 0 || line >= static_cast<int>(lines_.size())) return;
    auto& l = lines_[static_cast<std::size_t>(line)];
    if (column < 0 || column >= static_cast<int>(l.size())) return;
    l[static_cast<std::size_t>(column)] = c;
    marks_[static_cast<std::size_t>(line)][static_cast<std::size_t>(column)] = mark;
}

char TextWindow::charAt(int line, int column) const {
    if (line < 0 || line >= static_cast<int>(lines_.size())) return '\0';
    const auto& l = lines_[static_cast<std::size_t>(line)];
    if (column < 0 || column >= static_cast<int>(l.size())) return '\0';
    return l[static_cast<std::size_t>(column)];
}

void TextWindow::textChanged() {
    ++textRevision_;
    rich_.repaint();
}

} // namespace quarvin
