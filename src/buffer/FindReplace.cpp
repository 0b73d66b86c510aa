#include "buffer/FindReplace.h"

#include <cctype>

#include "buffer/TFileWin.h"
#include "buffer/TextWindow.h"
#include "forms/HexText.h"
#include "forms/Texts.h"

namespace quarvin {

int FindReplace::search(TextWindow& w, const std::string& findText) {
    const std::string text = w.text();
    searchStart_ = w.selectionLength() > 0 ? w.selectionStart() + w.selectionLength() : 0;
    searchLength_ = static_cast<std::int32_t>(text.size()) - searchStart_;
    found_ = -1;
    if (!findText.empty() && searchStart_ <= static_cast<std::int32_t>(text.size())) {
        const auto at = text.find(findText, static_cast<std::size_t>(searchStart_));
        if (at != std::string::npos) found_ = static_cast<std::int32_t>(at);
    }
    if (found_ >= 0) w.setSelection(found_, static_cast<int>(findText.size()));
    return found_;
}

int FindReplace::OnFind(TextWindow* active, const std::string& findText) {
    if (!active) return -1;
    const int at = search(*active, findText);
    if (at < 0) {
        prompts_.message(QV_TEXT("Not find!"), kBoxTitle);
        active->setSelection(0, 0);
        prompts_.beep();
    }
    return at;
}

int FindReplace::OnRePlaceFind(TextWindow* active, const std::string& findText) {
    if (!active) return -1;
    const int at = search(*active, findText);
    if (at < 0) {
        prompts_.message(QV_TEXT("Not find"), kBoxTitle);
        prompts_.beep();
    }
    return at;
}

int FindReplace::replaceValue(const std::string& replaceText) {
    // The two characters are read as hexadecimal, like the dump they replace.
    if (replaceText.size() == 2) {
        const int hi = HexDigitValue(replaceText[0]);
        const int lo = HexDigitValue(replaceText[1]);
        if (hi >= 0 && lo >= 0) return hi * 16 + lo;
    }
    prompts_.message(QV_TEXT("Must be two BCD"), kBoxTitle);
    return -1;
}

bool FindReplace::replaceAtCaret(TextWindow& w, int value, const std::string& replaceText, bool quiet) {
    auto* hex = dynamic_cast<TFileWin*>(&w);
    const int c = w.caretColumn();
    if (!hex || c < TFileWin::kHexColumn || c >= TFileWin::kCharColumn) {
        if (!quiet) prompts_.message(QV_TEXT("Bad input"), kBoxTitle);
        return false;
    }
    const std::int32_t a = hex->cursorAddress();
    if (!MainBuffer::contains(a)) return false;
    const int p = w.selectionStart();
    hex->buffer()[static_cast<std::uint32_t>(a)] = static_cast<std::uint8_t>(value);
    // The byte's two digits and its character are overwritten, so the page keeps
    // its layout and shows what the buffer now holds.
    const int line = w.caretLine();
    const int group = TFileWin::kHexColumn + 3 * ((c - TFileWin::kHexColumn) / 3);
    w.replaceText(w.positionOf(line, group), 2, replaceText);
    w.replaceText(w.positionOf(line, TFileWin::kCharColumn + a % 16), 1,
                  std::string(1, TFileWin::shownChar(static_cast<std::uint8_t>(value))));
    w.setSelection(p, 0);
    return true;
}

bool FindReplace::OnRePlace(TextWindow* active, const std::string& replaceText) {
    if (!active) return false;
    const int value = replaceValue(replaceText);
    if (value < 0) return false;
    return replaceAtCaret(*active, value, replaceText, false);
}

int FindReplace::OnRePlaceAll(TextWindow* active, const std::string& findText, const std::string& replaceText) {
    if (!active) return 0;
    const int value = replaceValue(replaceText);
    if (value < 0) return 0;
    if (!active->isHexWindow()) {
        prompts_.message("Bad input", kBoxTitle);
        return 0;
    }
    active->setSelection(0, 0);
    int stored = 0;
    bool any = false;
    while (!findText.empty() && search(*active, findText) >= 0) {
        any = true;
        const int len = active->selectionLength();
        const int at = active->selectionStart();
        active->setSelection(at, 0);
        if (replaceAtCaret(*active, value, replaceText, true)) ++stored;
        // Continue after the match; matches in the address and character columns
        // are passed over.
        active->setSelection(at, len);
    }
    if (!any) {
        prompts_.message("Not find", kBoxTitle);
        prompts_.beep();
    }
    active->setSelection(0, 0);
    return stored;
}

void FindReplace::FilePrint(TextWindow* active, Printer& printer) {
    if (!active) return;
    printer.print("", active->text());
}

} // namespace quarvin
