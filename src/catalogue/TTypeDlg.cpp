#include "catalogue/TTypeDlg.h"
#include "platform/RegularFile.h"

#include <fstream>

#include "catalogue/Categories.h"
#include "catalogue/DeviceListReader.h"
#include "catalogue/ParameterField.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

std::vector<std::string> CategoryItems() {
    std::vector<std::string> items;
    for (const auto& c : Categories) items.emplace_back(c.item);
    return items;
}

bool ValidRow(const Control& list, int row) {
    return row >= 0 && row < static_cast<int>(list.items().size());
}

} // namespace

TTypeDlg::TTypeDlg(LinkState& link, Platform& platform, DocumentHost& docs, std::string programDir,
                   SelectionDisplay* main, const std::map<std::string, FamilyFactory>& built)
    : Form("TTypeDlg", "Select device", 533, 310),
      link_(link),
      platform_(platform),
      programDir_(std::move(programDir)),
      main_(main ? main : &noMain_),
      ctx_{link, platform, docs, selection_, [this] {
               MFRClick();
               return Edit1_.text();
           }},
      dispatcher_(ctx_, built),
      RadioGroup1_(add(ControlKind::RadioGroup, "RadioGroup1", "", 8, 8, 150, 250)),
      ListBox1_(add(ControlKind::ListBox, "ListBox1", "", 170, 28, 160, 226)),
      ListBox2_(add(ControlKind::ListBox, "ListBox2", "", 342, 28, 180, 226)),
      Edit1_(add(ControlKind::Edit, "Edit1", "MFG TYPE", 8, 270, 150, 24)) {
    RadioGroup1_.setItems(CategoryItems());
    RadioGroup1_.setItemIndex(0);
    RadioGroup1_.onClick = [this] { Radio1OnClick(); };
    RadioGroup1_.onChange = [this] { Radio1OnClick(); };
    add(ControlKind::Label, "Label1", "MFG", 170, 8, 60, 16);
    add(ControlKind::Label, "Label2", "TYPE", 342, 8, 60, 16);
    // A mouse release takes the row into the manufacturer box too; keys only browse.
    ListBox1_.onClick = [this] { ListBox1MouseUp(); };
    ListBox1_.onChange = [this] { ListBox1KeyUp(); };
    ListBox1_.onKeyDown = [this](int) { ListBox1KeyUp(); };
    ListBox2_.onDoubleClick = [this] { OKBtnClick(); };
    Control& ok = add(ControlKind::Button, "OKBtn", "OK", 342, 266, 88, 28);
    ok.isDefault = true;
    ok.onClick = [this] { OKBtnClick(); };
    add(ControlKind::Button, "MFR", "Detect MFG/Type", 170, 266, 140, 28).onClick = [this] { MFRClick(); };
}

int TTypeDlg::categoryIndex() const { return RadioGroup1_.itemIndex(); }
void TTypeDlg::setCategoryIndex(int index) { RadioGroup1_.setItemIndex(index); }

std::string TTypeDlg::deviceListPath() { return programDir_ + DeviceListFileName(GetBoardModel(link_)); }

bool TTypeDlg::openList(std::ifstream& in) {
    // A directory, a pipe or a device of that name is no list.
    if (CheckRegularFile(deviceListPath(), kMaxListFileBytes).ok()) in.open(deviceListPath(), std::ios::binary);
    if (!in.is_open() || !in) {
        platform_.prompts->message("No DEVICEx.LST file!");
        return false;
    }
    return true;
}

bool TTypeDlg::listManufacturers() {
    std::ifstream in;
    if (!openList(in)) return false;
    std::vector<std::string> names = ListManufacturers(in, categoryKey);
    in.close();
    ListBox1_.setItemIndex(-1);
    ListBox1_.setItems(names);
    main_->setManufacturerItems(names);
    manufacturerCount = static_cast<int>(names.size());
    if (!names.empty()) ListBox1_.setItemIndex(0);
    return listTypes();
}

bool TTypeDlg::listTypes() {
    std::ifstream in;
    if (!openList(in)) return false;
    std::vector<TypeEntry> entries = ListTypes(in, categoryKey, selectedManufacturer);
    in.close();
    std::vector<std::string> texts;
    parameters.clear();
    for (auto& e : entries) {
        texts.push_back(std::move(e.text));
        parameters.push_back(std::move(e.parameter));
    }
    ListBox2_.setItemIndex(-1);
    ListBox2_.setItems(texts);
    main_->setTypeItems(texts);
    if (!texts.empty()) ListBox2_.setItemIndex(0);
    main_->setTypeRow(ValidRow(ListBox2_, typeRow) ? typeRow : -1);
    return true;
}

void TTypeDlg::Radio1OnClick() {
    int index = RadioGroup1_.itemIndex();
    if (index < 0 || index >= static_cast<int>(Categories.size())) {
        index = 0;
        RadioGroup1_.setItemIndex(0);
    }
    categoryKey = CategoryKey(index);
    main_->setCategoryIndex(index);
    // One "No DEVICEx.LST file!" per click is enough: the lists stay as they were.
    if (!listManufacturers()) return;
    const auto& names = ListBox1_.items();
    int row = 0;
    for (int i = 0; i < manufacturerCount && i < static_cast<int>(names.size()); ++i)
        if (names[static_cast<std::size_t>(i)] == selectedManufacturer) row = i;
    // A category without manufacturers keeps the selected manufacturer.
    if (!names.empty()) {
        ListBox1_.setItemIndex(row);
        selectedManufacturer = names[static_cast<std::size_t>(row)];
    }
    if (!listTypes()) return;
    ListBox2_.setItemIndex(ValidRow(ListBox2_, typeRow) ? typeRow : -1);
    main_->setManufacturerText(selectedManufacturer);
}

void TTypeDlg::ListBox1MouseUp() {
    if (!ValidRow(ListBox1_, ListBox1_.itemIndex())) return;
    selectedManufacturer = ListBox1_.items()[static_cast<std::size_t>(ListBox1_.itemIndex())];
    main_->setManufacturerText(selectedManufacturer);
    listTypes();
}

void TTypeDlg::ListBox1KeyUp() {
    if (!ValidRow(ListBox1_, ListBox1_.itemIndex())) return;
    selectedManufacturer = ListBox1_.items()[static_cast<std::size_t>(ListBox1_.itemIndex())];
    listTypes();
}

void TTypeDlg::SelectCategory(int index) {
    RadioGroup1_.setItemIndex(index);
    invoke([this] { Radio1OnClick(); });
}

void TTypeDlg::SelectManufacturerRow(int row) {
    if (!ValidRow(ListBox1_, row)) return;
    ListBox1_.setItemIndex(row);
    selectedManufacturer = ListBox1_.items()[static_cast<std::size_t>(row)];
    invoke([this] { listTypes(); });
}

void TTypeDlg::ConfirmRow(int row) {
    ListBox2_.setItemIndex(ValidRow(ListBox2_, row) ? row : -1);
    invoke([this] { OKBtnClick(); });
}

void TTypeDlg::OKBtnClick() {
    int row = ListBox2_.itemIndex();
    // No selected row (empty list, or a remembered row past its end): nothing to confirm.
    if (!ValidRow(ListBox2_, row)) return;
    const std::string text = ListBox2_.items()[static_cast<std::size_t>(row)];
    if (!text.empty() && text[0] == '-') return;

    selection_.description = selectedManufacturer + ": " + text;
    main_->setTypeLabel("Type:  " + selection_.description);
    main_->setStatusPanel(2, selectedManufacturer);
    main_->setStatusPanel(3, text);
    main_->setCurrentTypeName(text);

    manufacturerRow = ListBox1_.itemIndex();
    typeRow = row;
    main_->setTypeRow(row);

    ParameterField p = ParseParameterField(
        static_cast<std::size_t>(row) < parameters.size() ? parameters[static_cast<std::size_t>(row)] : "---");
    selection_.subType = p.subType;
    selection_.typeName = text;
    selection_.family = p.family;
    selection_.expectedSignature = p.signature;

    Dispatch();
    hide();
}

void TTypeDlg::Dispatch() { dispatcher_.dispatch(selection_.family); }

void TTypeDlg::ProgClick() {
    if (main_->typeRow() != ListBox2_.itemIndex()) {
        platform_.prompts->message("Plesse double click mouse left button");
        main_->setTypeRow(ListBox2_.itemIndex());
    }
    Dispatch();
}

void TTypeDlg::StartUp() {
    invoke([this] {
        Radio1OnClick();
        OKBtnClick();
    });
    main_->setTypeLabel("<Device>" + selection_.description);
}

} // namespace quarvin
