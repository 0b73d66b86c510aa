#include "RunLogPanel.h"

#include <QPlainTextEdit>
#include <QPointer>

#include "shell/RunLog.h"

namespace quarvin::app {

namespace {
constexpr int kLinesShown = 200;
}

RunLogPanel::RunLogPanel(RunLogFile& log, QWidget* parent)
    : QDockWidget("Run log", parent), text_(new QPlainTextEdit(this)) {
    setObjectName("RunLogPanel");
    text_->setObjectName("RunLogText");
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setMaximumBlockCount(kLinesShown);
    text_->setFont(QFont("Courier"));
    for (const std::string& line : LastLines(log.path(), kLinesShown)) text_->appendPlainText(QString::fromStdString(line));
    setWidget(text_);
    // The panel may go before the log (with the main window) or after it.
    log.setObserver([text = QPointer<QPlainTextEdit>(text_)](const std::string& line) {
        if (text) text->appendPlainText(QString::fromStdString(line));
    });
}

} // namespace quarvin::app
