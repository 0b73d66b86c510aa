#include "shell/Program.h"

#include "buffer/Documents.h"
#include "buffer/FileCommands.h"
#include "buffer/FindReplace.h"
#include "buffer/TFileWin.h"
#include "catalogue/DispatchTable.h"
#include "catalogue/TTypeDlg.h"
#include "families/framework/FamilyDialog.h"
#include "families/framework/SocketCheck.h"
#include "link/LinkStartup.h"
#include "link/TEp3.h"
#include "shell/BringUpCommands.h"
#include "link/commands/LinkOps.h"
#include "shell/ShellTexts.h"
#include "shell/TFindDialogs.h"
#include "shell/TMainForm.h"
#include "shell/TPicture1.h"
#include "forms/Texts.h"

namespace quarvin {

using namespace shell;

namespace {

constexpr const char* kP93x16Class = "TP93x16";
constexpr const char* kOptocouplerClass = "TTestLedx";
constexpr const char* kOptocouplerCaption = QV_TEXT("测试光电偶合器");

} // namespace

Program::Program(Platform& platform, PortOpener& ports, std::string programDir)
    : platform_(platform),
      ports_(ports),
      dir_(std::move(programDir)),
      formatWindows_(*platform.windows),
      formatPlatform_(platform) {
    runLog_ = std::make_unique<RunLogFile>(dir_ + kRunLogFileName, [this](const std::string& warning) {
        if (platform_.prompts) platform_.prompts->message(warning);
    });
    platform_.operationLog = runLog_.get();
    formatPlatform_.operationLog = runLog_.get();
    serialNumbers_ = std::make_unique<WindowSerialNumbers>(dir_);
    platform_.serialNumbers = serialNumbers_.get();
    formatPlatform_.serialNumbers = serialNumbers_.get();
    formatPlatform_.windows = &formatWindows_;
    socketCheck_ = std::make_unique<WindowSocketCheck>(dir_);
    platform_.socketCheck = socketCheck_.get();
    formatPlatform_.socketCheck = socketCheck_.get();
}

Program::~Program() {
    // Views go before their models; the parts that announce their own windows
    // (documents, dispatcher, file commands) take theirs back as they go.
    WindowHost& host = *platform_.windows;
    // The platform outlives the program; its log does not.
    if (platform_.operationLog == runLog_.get()) platform_.operationLog = nullptr;
    if (platform_.serialNumbers == serialNumbers_.get()) platform_.serialNumbers = nullptr;
    if (platform_.socketCheck == socketCheck_.get()) platform_.socketCheck = nullptr;
    if (serialDialog_) host.formDestroyed(*serialDialog_);
    if (replace_) host.formDestroyed(*replace_);
    if (find_) host.formDestroyed(*find_);
    if (type_) host.formDestroyed(*type_);
    type_.reset();
    files_.reset();
    if (ep3_) host.formDestroyed(*ep3_);
    ep3_.reset();
    docs_.reset();
    if (main_) host.formDestroyed(*main_);
    main_.reset();
    if (splash_) host.formDestroyed(*splash_);
}

LinkState& Program::link() { return ep3_->link(); }

void Program::start() {
    if (started_) return;
    started_ = true;

    splash_ = std::make_unique<TPicture1>();
    platform_.windows->formCreated(*splash_);
    splash_->show();

    createMainWindow();
    createLinkDialog();
    docs_->fillDialog();
    createTypeDialog();
    formatWindows_.release();  // the format dialog's place in the order

    // Created hidden, as it was; the family is not built, so it is the shared
    // stand-in dialog.
    type_->dispatcher().instance(kP93x16Class);

    steps_ = std::make_unique<FindReplace>(*platform_.prompts);
    auto active = [this] { return docs_->activeWindow(); };
    find_ = std::make_unique<TFindDialog>(*steps_, active);
    replace_ = std::make_unique<TReplaceDialog>(*steps_, active);
    platform_.windows->formCreated(*find_);
    platform_.windows->formCreated(*replace_);
    serialDialog_ = std::make_unique<TSerialDlg>(*serialNumbers_, platform_);
    platform_.windows->formCreated(*serialDialog_);
    wireCommands();

    splash_->hide();
    platform_.windows->formDestroyed(*splash_);
    splash_.reset();
}

void Program::createMainWindow() {
    main_ = std::make_unique<TMainForm>(platform_, dir_);
    buffer_.initialise();
    docs_ = std::make_unique<Documents>(buffer_, platform_);
    docs_->onFileName = [this](const std::string& name) { main_->file().fileName = name; };
    docs_->fileNameSource = [this] { return main_->file().fileName; };
    docs_->onStatusNote = [this](const std::string& text) { main_->showProgressNow(text); };
    main_->onClose = [this] { shutDown(); };
    platform_.windows->formCreated(*main_);
    main_->show();
}

void Program::createLinkDialog() {
    ep3_ = std::make_unique<TEp3>(platform_);
    platform_.windows->formCreated(*ep3_);
    ep3_->searchProgress = onPortSearch;
    ep3_->Create(ports_, dir_);
    showLinkStatus();
    if (onLinkReady) onLinkReady();
    ep3_->link().onChange = [this] {
        showLinkStatus();
        if (onLinkChanged) onLinkChanged();
    };
}

void Program::showLinkStatus() {
    const LinkState& link = ep3_->link();
    main_->setLinkStatus(LinkStatusText(link), IsVirtualBoxLink(link));
}

void Program::ReconnectClick() {
    ep3_->invoke([this] { ep3_->ReconnectClick(); });
}

void Program::createTypeDialog() {
    files_ = std::make_unique<FileCommands>(*docs_, formatPlatform_, main_->file(), dir_);
    files_->onFileLabel = [this](const std::string& text) { main_->setFileLabel(text); };

    type_ = std::make_unique<TTypeDlg>(ep3_->link(), platform_, *docs_, dir_, main_.get());
    platform_.windows->formCreated(*type_);
    main_->selection.selectCategory = [this](int i) { type_->SelectCategory(i); };
    main_->selection.selectManufacturer = [this](int row) { type_->SelectManufacturerRow(row); };
    main_->selection.confirmRow = [this](int row) { type_->ConfirmRow(row); };
    main_->selection.autoDetect = [this] { type_->invoke([this] { type_->IDClick(); }); };
    main_->selection.programme = [this] { type_->ProgClick(); };

    readConfiguration();
    files_->ReloadDataFile(main_->file().fileName);
    type_->StartUp();
}

void Program::readConfiguration() {
    ConfigRead r = ReadConfiguration(ConfigPath(dir_), std::string(kMainCaption));
    if (r.status == ConfigStatus::Missing) return;
    if (r.status == ConfigStatus::OtherVersion) {
        platform_.prompts->message(std::string(kWelcomeNewVersion));
        return;
    }
    const ConfigValues& v = r.values;
    SelectionState& s = type_->selection();
    if (v.categoryIndex) type_->setCategoryIndex(*v.categoryIndex);
    if (v.family) s.family = *v.family;
    if (v.description) s.description = *v.description;
    if (v.fileName) main_->file().fileName = *v.fileName;
    if (v.subType) s.subType = *v.subType;
    if (v.manufacturer) type_->selectedManufacturer = *v.manufacturer;
    if (v.categoryKey) type_->categoryKey = *v.categoryKey;
    if (v.manufacturerRow) type_->manufacturerRow = *v.manufacturerRow;
    if (v.typeRow) type_->typeRow = *v.typeRow;
    if (v.typeName) s.typeName = *v.typeName;
}

ConfigRecord Program::configurationRecord() {
    ConfigRecord r;
    const SelectionState& s = type_->selection();
    r.categoryIndex = type_->categoryIndex();
    r.family = s.family;
    r.description = s.description;
    r.fileName = main_->file().fileName;
    r.subType = s.subType;
    r.manufacturer = type_->selectedManufacturer;
    r.categoryKey = type_->categoryKey;
    r.manufacturerRow = type_->manufacturerRow;
    r.typeRow = type_->typeRow;
    r.typeName = s.typeName;
    return r;
}

void Program::shutDown() {
    if (shutDown_) return;
    shutDown_ = true;
    // A file that cannot be written is not reported; the box is powered down all the same.
    // The caption without its link note: the file's version stamp.
    if (type_) WriteConfiguration(ConfigPath(dir_), std::string(kMainCaption), configurationRecord());
    if (!ep3_) return;
    try {
        PowerDown(ep3_->link());
    } catch (const OperationAborted&) {
        // The link is gone; the lost-link message has been shown and there is nothing to switch off.
    }
}

void Program::BeforClick() {
    docs_->New();
    main_->perform("WindowTile");
    readConfiguration();
    type_->ProgClick();
}

void Program::AutoNextChipClick() {
    FamilyDialog* dlg = type_->dispatcher().existing(type_->selection().family);
    if (!dlg || !dlg->visible()) {
        platform_.prompts->message("Open the device's dialog (Programme) first; Auto, next chip runs its Auto.");
        return;
    }
    dlg->bringToFront();
    dlg->autoNextChip();
}

void Program::N6Click() {
    FamilyDialog& dlg = type_->dispatcher().instance(kOptocouplerClass);
    dlg.show();
    dlg.bringToFront();
    dlg.invoke([&dlg] { dlg.Start(); });
    if (BuiltFamilies().count(kOptocouplerClass)) return;
    dlg.setCaption(kOptocouplerCaption);
    if (Control* message = dlg.find("Message"))
        message->setText(std::string(kOptocouplerCaption) + ": this device family is not available in this version.");
}

void Program::SocketCheckClick() {
    const SelectionState& selection = type_->selection();
    // The selection names the device list's family; the plans go by its dialog class.
    const char* dialogClass = DialogClassOf(selection.family);
    const SocketCheckPlan plan = socketCheck_->planFor(dialogClass ? dialogClass : "", selection);
    LinkState& box = link();
    const OperationResult r = RunGuarded(box, [&] { return CheckSocket(box, plan); });
    if (platform_.prompts && r.outcome != Outcome::LinkLost) platform_.prompts->message(r.message);
}

void Program::SocketCheckOptionClick() {
    // The menu item's check mark shows the setting; only a failed write is said.
    const std::string error = socketCheck_->store(!socketCheck_->beforeEachOperation());
    if (!error.empty() && platform_.prompts) platform_.prompts->message(error);
}

void Program::showForm(Form& f) {
    f.show();
    f.bringToFront();
}

void Program::wireCommands() {
    TMainForm& m = *main_;
    m.setCommand("FileNew", [this] { docs_->New(); });
    m.setCommand("FileOpen", [this] { files_->LoadFileClick(); });
    m.setCommand("FileSave", [this] { files_->SaveBufClick(); });
    m.setCommand("FilePrint", [this] { steps_->FilePrint(docs_->activeWindow(), *platform_.printer); });
    m.setCommand("FillClick", [this] { docs_->FillBuffer(); });
    m.setCommand("SizeClick", [this] { docs_->ChangeBufferSize(); });
    m.setCommand("S1Click", [this] { showForm(*find_); });
    m.setCommand("R1Click", [this] { showForm(*replace_); });
    m.setCommand("S2Click", [this] { find_->OnFind(); });
    m.setCommand("BeforClick", [this] { BeforClick(); });
    m.setCommand("TypeClick", [this] {
        showForm(*type_);
        type_->invoke([this] { type_->Radio1OnClick(); });
    });
    m.setCommand("SystemClick", [this] { showForm(*ep3_); });
    m.setCommand("ReconnectClick", [this] { ReconnectClick(); });
    m.setCommand("AutoNextChipClick", [this] { AutoNextChipClick(); });
    m.setCommand("SerialClick", [this] {
        serialDialog_->open();
        serialDialog_->bringToFront();
    });
    m.setCommand("N6Click", [this] { N6Click(); });
    m.setCommand("SocketCheckClick", [this] { SocketCheckClick(); });
    m.setCommand("SocketCheckOptionClick", [this] { SocketCheckOptionClick(); });
    m.setCommandState("SocketCheckOptionClick", [this] { return socketCheck_->beforeEachOperation(); });
    m.setCommand("LoopbackClick", [this] {
        AdapterLoopbackClick(ep3_->link(), ports_, *platform_.prompts, SteadyMicroClock(), platform_.stop,
                             [this](const std::string& step) { main_->showProgressNow(step); });
    });
    m.setCommand("BringUpReportClick", [this] {
        BringUpReportClick(ep3_->link(), platform_, dir_, SteadyMicroClock());
    });
    m.setCommand("PageUpClick", [this] {
        if (TFileWin* w = docs_->hexWindow()) w->PreviousPageButton();
    });
    m.setCommand("PageDownClick", [this] {
        if (TFileWin* w = docs_->hexWindow()) w->NextPageButton();
    });
}

} // namespace quarvin
