#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <cstdio>
#include <cstring>
#include <exception>

#include "Language.h"
#include "QtProgram.h"
#include "shell/ProgramDirectory.h"
#include "shell/Version.h"
#include "sim/VirtualBoxTransport.h"

namespace {

const char* Usage =
    "usage: quarvin [options]\n"
    "Starts the QUARVIN device programmer window. The program directory (device lists,\n"
    "port file, configuration) is the working directory when it holds a device list,\n"
    "else ~/.local/share/quarvin.\n"
    "  -h, --help     this text\n"
    "      --version  the program's version\n";

} // namespace

int main(int argc, char** argv) {
    // Answered before the toolkit starts, so they work without a display.
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--version")) {
            std::printf("%s\n", quarvin::VersionLine("quarvin").c_str());
            return 0;
        }
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(Usage, stdout);
            return 0;
        }
    }
    QApplication app(argc, argv);
    app.setApplicationName("QUARVIN");
    app.setApplicationVersion(QString::fromStdString(quarvin::ProgramVersion()));
    // The installed menu entry and icon (share/applications, share/icons).
    app.setDesktopFileName("quarvin");
    app.setWindowIcon(QIcon::fromTheme("quarvin"));
    try {
        quarvin::ProgramDirRequest request = quarvin::CurrentProgramDirRequest();
        request.firstStartPort = quarvin::sim::VirtualPortName;
        const quarvin::ProgramDirChoice dir = quarvin::ChooseProgramDir(request);
        if (!dir.warnings.empty()) {
            QString text;
            for (const std::string& w : dir.warnings) text += QString::fromStdString(w) + "\n";
            QMessageBox::information(nullptr, "QUARVIN", text.trimmed());
        }
        // The saved choice of Option > Language, else the system's locale.
        quarvin::app::ApplyLanguage(quarvin::app::SavedLanguage(dir.dir));
        quarvin::app::QtProgram program(dir.dir);
        program.start();
        return app.exec();
    } catch (const std::exception& e) {
        // A failure while the windows are built ends the program after saying why.
        QMessageBox::critical(nullptr, "QUARVIN", QString::fromStdString(e.what()));
        return 1;
    }
}
