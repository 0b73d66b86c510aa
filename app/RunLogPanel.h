#pragma once
// The dockable "Run log" panel of the main window: the last lines of quarvin.log,
// with each operation's line added as it is written.
#include <QDockWidget>

class QPlainTextEdit;

namespace quarvin {
class RunLogFile;
}

namespace quarvin::app {

class RunLogPanel : public QDockWidget {
public:
    // Shows the log's last lines and follows it; a panel per log.
    RunLogPanel(RunLogFile& log, QWidget* parent);
    QPlainTextEdit* text() const { return text_; }

private:
    QPlainTextEdit* text_;
};

} // namespace quarvin::app
