#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "QtProgram.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("QUARVIN");
    try {
        quarvin::app::QtProgram program(quarvin::app::QtProgram::CurrentProgramDir());
        program.start();
        return app.exec();
    } catch (const std::exception& e) {
        // A failure while the windows are built ends the program after saying why.
        QMessageBox::critical(nullptr, "QUARVIN", QString::fromStdString(e.what()));
        return 1;
    }
}
