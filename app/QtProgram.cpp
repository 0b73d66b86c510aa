#include "QtProgram.h"

#include <QDir>

#include "MainWindowView.h"
#include "PldWindowView.h"
#include "link/serial/PosixSerial.h"
#include "sim/VirtualBoxTransport.h"

namespace quarvin::app {

std::string QtProgram::CurrentProgramDir() {
    std::string dir = QDir::currentPath().toStdString();
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

QtProgram::QtProgram(std::string programDir)
    : host_(&stop_),
      platform_{&prompts_, &files_, &printer_, &system_, &stop_, &host_},
      ports_(std::make_unique<sim::VirtualPortOpener>(std::make_unique<PosixPortOpener>())),
      program_(std::make_unique<Program>(platform_, *ports_, std::move(programDir))) {
    host_.childView = [](Form& form) { return makeDocumentView(form); };
}

QtProgram::~QtProgram() {
    // The models go first and take their views with them.
    program_.reset();
}

void QtProgram::start() {
    program_->start();
    if (MainWindowView* main = mainWindow()) main->showMaximized();
}

} // namespace quarvin::app
