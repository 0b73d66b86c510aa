#include "QtProgram.h"

#include <QApplication>
#include <QDir>
#include <QMenuBar>
#include <QProgressDialog>

#include "Language.h"
#include "MainWindowView.h"
#include "PldWindowView.h"
#include "RunLogPanel.h"
#include "link/serial/PosixSerial.h"
#include "catalogue/DispatchTable.h"
#include "catalogue/TTypeDlg.h"
#include "families/framework/FamilyDialog.h"
#include "forms/OperationState.h"
#include "link/TEp3.h"
#include "sim/PartPinouts.h"
#include "sim/VirtualBoxTransport.h"
#include "sim/VirtualSocket.h"

namespace quarvin::app {

std::string QtProgram::CurrentProgramDir() {
    std::string dir = QDir::currentPath().toStdString();
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

std::unique_ptr<PortOpener> QtProgram::DefaultPortOpener() { return std::make_unique<PosixPortOpener>(); }

QtProgram::QtProgram(std::string programDir, std::unique_ptr<PortOpener> realPorts)
    : host_(&stop_),
      platform_{&prompts_, &files_, &printer_, &system_, &stop_, &host_},
      ports_(std::make_unique<sim::VirtualPortOpener>(std::move(realPorts))),
      program_(std::make_unique<Program>(platform_, *ports_, std::move(programDir))) {
    host_.childView = [](Form& form) { return makeDocumentView(form); };
    // Option > Language applies the choice at once and keeps it for the next start.
    host_.onMainWindow = [this](MainWindowView& main) {
        main.languageChosen = [this](Language language) {
            ApplyLanguage(language);
            SaveLanguage(program_->programDir(), language);
        };
    };
    host_.onFormCreated = [this](Form& form) {
        if (dynamic_cast<FamilyDialog*>(&form)) form.addObserver(this);
    };
    program_->onPortSearch = [this](const std::string& text) { return portSearchProgress(text); };
    // The socket check expects the pins of the chip models, which carry the data sheets' pinouts.
    program_->socketCheck().setPinouts(sim::PartPinoutOf);
    program_->onLinkReady = [this] { linkReady(); };
    // A Reconnect that lands on the virtual box opens its window too.
    program_->onLinkChanged = [this] { linkReady(); };
    // After every operation the socket window shows what it did to the chip.
    operationListener_ = OperationState::addListener([this](bool running) {
        if (!running && socket_) socket_->operationEnded();
    });
}

QtProgram::~QtProgram() {
    OperationState::removeListener(operationListener_);
    // The models go first and take their views with them.
    program_.reset();
    if (socket_) host_.formDestroyed(*socket_);
}

bool QtProgram::portSearchProgress(const std::string& text) {
    if (!search_) {
        search_ = std::make_unique<QProgressDialog>();
        search_->setObjectName("PortSearch");
        search_->setWindowTitle("QUARVIN");
        search_->setRange(0, 0); // busy: how long a port takes is not known
        search_->setMinimumDuration(0);
        search_->setWindowModality(Qt::ApplicationModal);
        search_->show();
    }
    const QString shown = Shown(text);
    if (search_->labelText() != shown) search_->setLabelText(shown);
    QApplication::processEvents();
    return !search_->wasCanceled();
}

void QtProgram::endPortSearch() { search_.reset(); }

void QtProgram::linkReady() {
    endPortSearch();
    const LinkState& link = program_->link();
    if (link.connected != 1 || link.savedPortName != sim::VirtualPortName) return;
    if (socket_) {
        socket_->show();
        return;
    }
    socket_ = std::make_unique<sim::VirtualSocket>(ports_->box(), platform_);
    host_.formCreated(*socket_);
    socket_->show();
}

void QtProgram::formChanged(Form&, FormEvent event) {
    if (!socket_ || event != FormEvent::Shown) return;
    // The dispatch shows the dialog before it starts it, so the part is in place
    // for the start; reopening the same device keeps the part and its contents.
    const SelectionState& s = program_->typeDialog().selection();
    if (s.family == socketFamily_ && s.subType == socketSubType_ && s.typeName == socketType_) return;
    socketFamily_ = s.family;
    socketSubType_ = s.subType;
    socketType_ = s.typeName;
    const char* dialogClass = DialogClassOf(s.family);
    socket_->deviceSelected(dialogClass ? dialogClass : "", s.subType, s.typeName);
}

void QtProgram::start() {
    program_->start();
    if (MainWindowView* main = mainWindow()) {
        // The run log's panel starts hidden; Window > Run log shows it.
        logPanel_ = new RunLogPanel(program_->runLog(), main);
        main->addDockWidget(Qt::BottomDockWidgetArea, logPanel_);
        logPanel_->hide();
        for (QAction* menu : main->menuBar()->actions())
            if (menu->text() == "&Window" && menu->menu()) menu->menu()->addAction(logPanel_->toggleViewAction());
        main->showMaximized();
    }
}

} // namespace quarvin::app
