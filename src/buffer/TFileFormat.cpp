#include "buffer/TFileFormat.h"

#include <cctype>

#include "buffer/formats/FileNames.h"
#include "buffer/MainBuffer.h"
#include "forms/HexFieldInput.h"
#include "forms/HexText.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

struct LoadMode {
    const char* caption;
    int laneMask;
    int laneSelect;
};

// RadioGroup2 items and the file bytes each keeps: offset i is kept when
// (i & lane mask) == lane select.
constexpr LoadMode kLoadModes[] = {
    {QV_TEXT("All"), 0, 0},
    {QV_TEXT("Defualt"), 0, 0},
    {QV_TEXT("1th char of word16"), 1, 0},
    {QV_TEXT("2th char of word16"), 1, 1},
    {QV_TEXT("1th char of word32"), 3, 0},
    {QV_TEXT("2th char of word32"), 3, 1},
    {QV_TEXT("3th char of word32"), 3, 2},
    {QV_TEXT("4th char of word32"), 3, 3},
};

// The S-record and ELF items below the first four formats.
constexpr int kExtraFormatsHeight = 48;

std::vector<std::string> loadModeCaptions() {
    std::vector<std::string> items;
    for (const auto& m : kLoadModes) items.emplace_back(m.caption);
    return items;
}

} // namespace

TFileFormat::TFileFormat(Prompts* prompts)
    : Form("TFileFormat", "", 345, 300 + kExtraFormatsHeight),
      prompts_(prompts),
      format_(add(ControlKind::RadioGroup, "RadioGroup1", QV_TEXT("File format"), 8, 8, 320, 105 + kExtraFormatsHeight)),
      mode_(add(ControlKind::RadioGroup, "RadioGroup2", QV_TEXT("Load mode"), 8, 118 + kExtraFormatsHeight, 320, 95)),
      start_(labelledEdit("Label1", QV_TEXT("Buffer start address:"), "Edit1", "0", 220 + kExtraFormatsHeight)),
      end_(labelledEdit("Label2", QV_TEXT("Buffer end address:"), "Edit2", "ffffff", 246 + kExtraFormatsHeight)) {
    format_.setItems({QV_TEXT(".BIN   Binarry"), QV_TEXT(".HEX   Intel HEX"), QV_TEXT(".JED   PLD format(jeced) "), QV_TEXT(".CDS   EMC format"),
                      QV_TEXT(".S19   Motorola S-record"), QV_TEXT(".ELF   ELF executable")});
    format_.setItemIndex(FormatBin);
    format_.onChange = [this] { OnRadioClick(); };
    mode_.columns = 2;
    mode_.setItems(loadModeCaptions());
    mode_.setItemIndex(0);
    mode_.onChange = [this] { OnClick2(); };

    auto& ok = add(ControlKind::Button, "OKBtn", QV_TEXT("Yes"), 255, 220 + kExtraFormatsHeight, 75, 25);
    ok.isDefault = true;
    ok.onClick = [this] { OKBtnClick(); };
    auto& cancel = add(ControlKind::Button, "CancelBtn", "Cancel", 255, 250 + kExtraFormatsHeight, 75, 25);
    cancel.isCancel = true;
    cancel.onClick = [this] { CancelBtnClick(); };
    // The close box counts as Cancel, so a closed dialog never loads or saves.
    onClose = [this] {
        if (modalResult() != ModalOk) CancelBtnClick();
    };
}

Control& TFileFormat::labelledEdit(const char* label, const char* caption, const char* edit, const char* text,
                                   int y) {
    add(ControlKind::Label, label, caption, 8, y + 4, 130, 16);
    return add(ControlKind::Edit, edit, text, 150, y, 90, 21);
}

std::string TFileFormat::formatKey(std::string_view item) {
    std::string key(item.substr(0, 4));
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

std::optional<std::int32_t> TFileFormat::scanHex(std::string_view text) {
    if (auto v = ParseHexField(text)) return static_cast<std::int32_t>(*v);
    return std::nullopt;
}

void TFileFormat::prepare(const std::string& fileName) {
    setCaption(fileName);
    setModalResult(ModalNone);
    const std::string key = formats::formatKeyOfName(fileName);
    int item = FormatBin;
    for (std::size_t k = 0; k < format_.items().size(); ++k) {
        if (formatKey(format_.items()[k]) == key) {
            item = static_cast<int>(k);
            break;
        }
    }
    format_.setItemIndex(item);
    OnRadioClick();
}

void TFileFormat::disableLoadFields() {
    mode_.setEnabled(false);
    start_.setEnabled(false);
    end_.setEnabled(false);
}

std::string TFileFormat::selectedKey() const {
    const int i = format_.itemIndex();
    if (i < 0 || i >= static_cast<int>(format_.items().size())) return {};
    return formatKey(format_.items()[static_cast<std::size_t>(i)]);
}

void TFileFormat::OKBtnClick() {
    // A refused field keeps the dialog open with the kept value shown.
    std::string refusal;
    TakeHexField(start_, "Buffer start address", kBufferLast, startAddress_, refusal);
    TakeHexField(end_, "Buffer end address", kLargestEndLimit, endLimit_, refusal);
    if (!refusal.empty()) {
        if (prompts_) prompts_->message(refusal);
        return;
    }
    if (endLimit_ <= 0) endLimit_ = kNoEndLimit;
    setModalResult(ModalOk);
    hide();
}

void TFileFormat::CancelBtnClick() {
    format_.setItemIndex(-1);
    setModalResult(ModalCancel);
    hide();
}

void TFileFormat::OnRadioClick() {
    // Only a binary load uses the load mode and the start and end fields.
    const bool binary = format_.itemIndex() == FormatBin;
    start_.setEnabled(binary);
    end_.setEnabled(binary);
    mode_.setEnabled(binary);
}

void TFileFormat::OnClick2() {
    const int i = mode_.itemIndex();
    if (i < 0 || i >= static_cast<int>(std::size(kLoadModes))) return;
    laneMask_ = kLoadModes[i].laneMask;
    laneSelect_ = kLoadModes[i].laneSelect;
}

} // namespace quarvin
