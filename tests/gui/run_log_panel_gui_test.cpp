// The run log's panel: the log's last lines at start, each new operation's line
// as it is written, and Window > Run log to show it.
#include <QPlainTextEdit>
#include <fstream>

#include "MainWindowView.h"
#include "QtProgram.h"
#include "RunLogPanel.h"
#include "guitest.h"
#include "shell/Program.h"

using namespace quarvin;

namespace {

TEST(GuiRunLog, PanelShowsTheLastLinesAndFollowsTheLog) {
    const std::string dir = guitest::ProgramDir("run_log_panel", true);
    {
        std::ofstream log(dir + "quarvin.log");
        for (int i = 0; i < 250; ++i) log << "{\"op\":\"read\",\"row\":" << i << "}\n";
    }
    app::QtProgram program(dir, nullptr);
    guitest::StartAnsweringYes(program);
    app::RunLogPanel* panel = program.runLogPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->isVisible());
    app::MainWindowView* main = program.mainWindow();
    ASSERT_NE(main, nullptr);
    QAction* show = nullptr;
    for (QAction* menu : main->menuBar()->actions())
        if (menu->text() == "&Window" && menu->menu())
            for (QAction* item : menu->menu()->actions())
                if (item->text() == "Run log") show = item;
    ASSERT_NE(show, nullptr);
    show->trigger();
    EXPECT_TRUE(panel->isVisible());

    // The newest 200 lines, oldest first.
    const QStringList shown = panel->text()->toPlainText().split('\n');
    ASSERT_EQ(shown.size(), 200);
    EXPECT_EQ(shown.front(), "{\"op\":\"read\",\"row\":50}");
    EXPECT_EQ(shown.back(), "{\"op\":\"read\",\"row\":249}");

    OperationEntry entry;
    entry.operation = "program";
    entry.result = "ok";
    program.program().runLog().record(entry);
    const QString last = panel->text()->toPlainText().split('\n').back();
    EXPECT_TRUE(last.contains("\"op\":\"program\",\"result\":\"ok\"")) << last.toStdString();
    std::ifstream log(dir + "quarvin.log");
    std::string line, fileLast;
    while (std::getline(log, line)) fileLast = line;
    EXPECT_EQ(last.toStdString(), fileLast);
}

} // namespace
