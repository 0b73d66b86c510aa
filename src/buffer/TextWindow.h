#pragma once
// The common part of the hex window and the PLD window: a read-only text of lines
// with a mark per character (edited characters red, rows past the data grey), a
// caret/selection in text positions, and the pop-up menu of the text. Text
// positions count a line break as one character, so line L starts after the
// lengths of the lines before it plus one per line.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "forms/Form.h"

namespace quarvin {

enum class CharMark : std::uint8_t { Normal, Red, Grey };

struct PopupItem {
    std::string caption;
    bool enabled = true;
};

class TextWindow : public Form {
public:
    TextWindow(std::string className, std::string caption, int width, int height);

    // The text as the view shows it.
    const std::vector<std::string>& lines() const { return lines_; }
    const std::vector<std::vector<CharMark>>& marks() const { return marks_; }
    std::string text() const;   // lines joined by '\n'
    int textLength() const;
    // Grows on every change of the text or its marks, so a view knows when to redraw.
    unsigned textRevision() const { return textRevision_; }

    // Caret and selection in text positions; the caret is the selection start.
    int selectionStart() const { return selStart_; }
    int selectionLength() const { return selLength_; }
    int caretLine() const { return caretLine_; }
    int caretColumn() const { return caretColumn_; }
    int positionOf(int line, int column) const;

    // The user moved the caret or the selection (clamped to the text).
    void OnSelectionChange(int start, int length);
    // The model moves the caret itself; the view follows.
    void setSelection(int start, int length);

    // A character typed in the text; runs as a handler, and like every user action
    // is refused while a handler of any window runs.
    void keyPress(char key);

    // Replaces `count` characters at text position `pos` with `with`, marked red.
    // Used by the replace command; positions outside the text change nothing.
    void replaceText(int pos, int count, const std::string& with);

    // Pop-up menu of the text.
    const std::vector<PopupItem>& popupItems() const { return popup_; }
    void popupClick(int index);
    std::function<void()> onFillBuffer;    // item 0
    std::function<void()> onChangeSize;    // item 1
    std::function<void()> onHashes;        // item 2 (hex window)

    virtual bool isHexWindow() const = 0;

protected:
    virtual void OnKeyPress(char key) = 0;
    // Called after every caret move, to update the address field.
    virtual void caretMoved() = 0;

    void clearText();
    void addLine(std::string line, CharMark mark);
    // Overwrites one character (no-op outside the text).
    void putChar(int line, int column, char c, CharMark mark);
    char charAt(int line, int column) const;
    void textChanged();
    void setPopup(std::vector<PopupItem> items) { popup_ = std::move(items); }

    Control& rich_;

private:
    void locateCaret();

    std::vector<std::string> lines_;
    std::vector<std::vector<CharMark>> marks_;
    std::vector<int> lineStart_;
    unsigned textRevision_ = 0;
    int selStart_ = 0;
    int selLength_ = 0;
    int caretLine_ = 0;
    int caretColumn_ = 0;
    std::vector<PopupItem> popup_;
};

} // namespace quarvin
