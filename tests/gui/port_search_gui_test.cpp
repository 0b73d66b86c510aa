// The start-up's port search in the window: after "Yes" a window names the port
// being tried, and its Cancel ends the search in soft-run mode at once, even while
// a silent port is awaited.
#include <thread>

#include "MainWindowView.h"
#include "QtProgram.h"
#include "guitest.h"
#include "link/LinkStartup.h"
#include "link/TEp3.h"
#include "shell/Program.h"

using namespace quarvin;

namespace {

// A serial port that opens and never answers; each read waits a little, as a real
// one waits for its time-out.
class SilentPort : public Transport {
public:
    bool write(const std::uint8_t*, std::size_t) override { return true; }
    int readByte(int timeoutMs) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(timeoutMs, 5)));
        return -1;
    }
    void close() override {}
};

struct SilentPorts : PortOpener {
    std::vector<std::string>* attempts;
    explicit SilentPorts(std::vector<std::string>* a) : attempts(a) {}
    OpenedPort open(const std::string& name) override {
        attempts->push_back(name);
        return {OpenStatus::Opened, std::make_unique<SilentPort>()};
    }
};

TEST(GuiPortSearch, TheSearchWindowNamesThePortAndCancelEndsInSoftRun) {
    std::vector<std::string> attempts;
    app::QtProgram program(guitest::ProgramDir("port_search", true), std::make_unique<SilentPorts>(&attempts));
    guitest::AnswerBox(QMessageBox::YesRole);
    QString shown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QProgressDialog* search = program.portSearchWindow();
        // Cancelled while COM1's silent wait runs.
        if (!search || !search->isVisible() || attempts.empty()) return;
        shown = search->labelText();
        search->findChild<QPushButton*>()->click();
        poll.stop();
    });
    poll.start(20);
    QElapsedTimer took;
    took.start();
    program.start();
    QApplication::processEvents();
    EXPECT_EQ(shown, "Looking for the box on COM1 ...");
    EXPECT_LT(took.elapsed(), 5000); // a silent port's time-out is 10 s
    EXPECT_EQ(attempts, std::vector<std::string>{"COM1"});
    EXPECT_EQ(program.program().link().connected, 0);
    EXPECT_EQ(program.program().linkDialog().control("Edit4").text(), SearchCancelledStatus);
    EXPECT_EQ(program.portSearchWindow(), nullptr);
    EXPECT_EQ(program.mainWindow()->findChild<QLabel*>("StatusPanel0")->text(), "soft run");
    program.mainWindow()->close();
}

} // namespace
