#pragma once
// Find, replace and print over the text of the active child window (the hex
// window's page or the PLD window's map). The find and replace dialogs of the
// program call these steps with the texts the user typed; the search state is kept
// here between calls.
#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace quarvin {

class TextWindow;

class FindReplace {
public:
    explicit FindReplace(Prompts& prompts) : prompts_(prompts) {}

    // Find Next of the find dialog, and Again. Searches from the end of the
    // selection (from the top when nothing is selected) and selects the match.
    // Returns the match position or -1 ("Not find!", caret to the top, beep).
    int OnFind(TextWindow* active, const std::string& findText);
    // Find Next of the replace dialog: as OnFind, but "Not find" and the caret stays.
    int OnRePlaceFind(TextWindow* active, const std::string& findText);
    // Replace: the two hexadecimal digits of `replaceText` become the byte under
    // the caret of the hex window. Returns true when a byte was stored.
    bool OnRePlace(TextWindow* active, const std::string& replaceText);
    // Replace All: from the top of the page, every match of `findText` that starts
    // in the hex columns has its byte replaced. Returns the number of bytes stored.
    int OnRePlaceAll(TextWindow* active, const std::string& findText, const std::string& replaceText);
    // Print: the active window's text, with an empty document title.
    void FilePrint(TextWindow* active, Printer& printer);

    std::int32_t searchStart() const { return searchStart_; }
    std::int32_t searchLength() const { return searchLength_; }
    std::int32_t foundPosition() const { return found_; }

    static constexpr const char* kBoxTitle = " ";

private:
    int search(TextWindow& w, const std::string& findText);
    // Checks the replace text; returns the byte or -1 after telling the user.
    int replaceValue(const std::string& replaceText);
    bool replaceAtCaret(TextWindow& w, int value, const std::string& replaceText, bool quiet);

    Prompts& prompts_;
    std::int32_t searchStart_ = 0;
    std::int32_t searchLength_ = 0;
    std::int32_t found_ = -1;
};

} // namespace quarvin
