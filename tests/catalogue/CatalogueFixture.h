#pragma once
// Shared set-up for the selection dialog tests: a program directory with device
// list files, a recording main window, documents and a family dialog double.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "buffer/DocumentHost.h"
#include "catalogue/SelectionDisplay.h"
#include "catalogue/TTypeDlg.h"
#include "link/commands/LinkState.h"
#include "support/FakePlatform.h"
#include "support/RecordingTransport.h"

namespace quarvin::test {

class FakeDocs : public DocumentHost {
public:
    MainBuffer& buffer() override { return buffer_; }
    void New() override { hex = true; }
    bool hasHexWindow() const override { return hex; }
    void setEndAddress(std::int32_t e) override { end = e; }
    std::int32_t endAddress() const override { return hex ? end : -1; }
    void refreshHexWindow() override {}
    bool hex = false;
    std::int32_t end = 0;

private:
    MainBuffer buffer_;
};

// The main window as the selection dialog sees it.
class RecordingDisplay : public SelectionDisplay {
public:
    int category = -1;
    std::vector<std::string> manufacturers, types;
    std::string manufacturerText, typeLabel, typeName;
    std::map<int, std::string> panels;
    int row = -1;
    int manufacturerListings = 0;

    void setCategoryIndex(int i) override { category = i; }
    void setManufacturerItems(const std::vector<std::string>& items) override {
        manufacturers = items;
        ++manufacturerListings;
    }
    void setManufacturerText(const std::string& t) override { manufacturerText = t; }
    void setTypeItems(const std::vector<std::string>& items) override { types = items; }
    void setTypeRow(int r) override { row = r; }
    int typeRow() const override { return row; }
    void setTypeLabel(const std::string& t) override { typeLabel = t; }
    void setStatusPanel(int p, const std::string& t) override { panels[p] = t; }
    void setCurrentTypeName(const std::string& n) override { typeName = n; }
};

// A family dialog that records what its start operation saw.
class ProbeFamily : public FamilyDialog {
public:
    ProbeFamily(DeviceContext& ctx, std::string cls) : FamilyDialog(ctx, std::move(cls), "probe", 100, 100) {}
    void Start() override {
        ++starts;
        subTypes.push_back(ctx_.selection.subType);
    }
    int starts = 0;
    std::vector<std::int32_t> subTypes;
};

inline FamilyFactory ProbeFactory(const std::string& cls) {
    return [cls](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<ProbeFamily>(ctx, cls); };
}

class CatalogueTest : public ::testing::Test {
protected:
    CatalogueTest() {
        dir = std::filesystem::temp_directory_path() /
              ("quarvin_catalogue_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        link.prompts = &fake.prompts;
    }
    ~CatalogueTest() override { std::filesystem::remove_all(dir); }

    void writeList(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    TTypeDlg& dialog() {
        if (!dlg) dlg = std::make_unique<TTypeDlg>(link, fake.platform, docs, dir.string() + "/", &display, built);
        return *dlg;
    }
    ProbeFamily* probe(const std::string& cls) {
        return dynamic_cast<ProbeFamily*>(dialog().dispatcher().existing(cls));
    }
    // Connects the link to a recording transport (the box is "there").
    std::shared_ptr<TransportLog> connect(const std::string& identification = "pemrav13 from COM1") {
        auto t = std::make_unique<RecordingTransport>();
        auto log = t->log();
        link.port = std::move(t);
        link.connected = 1;
        link.identification = identification;
        return log;
    }

    std::filesystem::path dir;
    FakePlatform fake;
    LinkState link;
    FakeDocs docs;
    RecordingDisplay display;
    std::map<std::string, FamilyFactory> built{
        {"TP29e", ProbeFactory("TP29e")},
        {"TP29fxxx", ProbeFactory("TP29fxxx")},
        {"TDsRAM", ProbeFactory("TDsRAM")},
        {"TP27x", ProbeFactory("TP27x")},
    };
    std::unique_ptr<TTypeDlg> dlg;
};

} // namespace quarvin::test
