#pragma once
// Shared set-up for the selection dialog tests: a program directory with device
// list files, a recording main window and a family dialog double.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "buffer/Documents.h"
#include "catalogue/SelectionDisplay.h"
#include "catalogue/TTypeDlg.h"
#include "link/commands/LinkState.h"
#include "support/FakePlatform.h"
#include "support/RecordingTransport.h"
#include "support/ScratchDir.h"

namespace quarvin::test {

// The main window as the selection dialog sees it.
struct RecordingDisplay : SelectionDisplay {
    std::string manufacturerText, typeLabel;
    std::map<int, std::string> panels;
    int row = -1;
    void setManufacturerText(const std::string& t) override { manufacturerText = t; }
    void setTypeRow(int r) override { row = r; }
    int typeRow() const override { return row; }
    void setTypeLabel(const std::string& t) override { typeLabel = t; }
    void setStatusPanel(int p, const std::string& t) override { panels[p] = t; }
};

// A family dialog that records the sub-type each start saw.
class ProbeFamily : public FamilyDialog {
public:
    ProbeFamily(DeviceContext& ctx, std::string cls) : FamilyDialog(ctx, std::move(cls), "probe", 100, 100) {}
    void Start() override { subTypes.push_back(ctx_.selection.subType); }
    std::vector<std::int32_t> subTypes;
};

class CatalogueTest : public ::testing::Test {
protected:
    CatalogueTest() {
        link.prompts = &fake.prompts;
        for (const char* cls : {"TP29e", "TP29fxxx", "TDsRAM", "TP27x"})
            built[cls] = [cls](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<ProbeFamily>(ctx, cls); };
    }

    void writeList(const std::string& name, const std::string& text) { std::ofstream(dir / name, std::ios::binary) << text; }
    TTypeDlg& dialog() {
        if (!dlg) dlg = std::make_unique<TTypeDlg>(link, fake.platform, docs, dir.string() + "/", &display, built);
        return *dlg;
    }
    Control& c(const char* name) { return dialog().control(name); }
    ProbeFamily* probe(const std::string& cls) { return dynamic_cast<ProbeFamily*>(dialog().dispatcher().existing(cls)); }
    void choose(int category) { dialog().userSetIndex("RadioGroup1", category); }
    void confirm(int row) {
        c("ListBox2").setItemIndex(row);
        dialog().click("OKBtn");
    }
    // Connects the link to a recording transport (the box is "there").
    std::shared_ptr<TransportLog> connect(const std::string& identification = "pemrav13 from COM1") {
        link.identification = identification;
        return connectRecording(link);
    }

    ScratchDir scratch{"quarvin_catalogue"};
    std::filesystem::path dir = scratch.path();
    FakePlatform fake;
    LinkState link;
    MainBuffer buffer;
    Documents docs{buffer, fake.platform};
    RecordingDisplay display;
    std::map<std::string, FamilyFactory> built;
    std::unique_ptr<TTypeDlg> dlg;
};

} // namespace quarvin::test
