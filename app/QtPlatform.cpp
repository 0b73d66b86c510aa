#include "QtPlatform.h"

#include <sys/utsname.h>

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

#include "Language.h"
#include <cstdio>

namespace quarvin::app {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QWidget* Parent() { return QApplication::activeWindow(); }

} // namespace

void QtPrompts::message(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, title.empty() ? QApplication::applicationName() : Shown(title), Shown(text),
                    QMessageBox::Ok, Parent());
    box.exec();
}

bool QtPrompts::askYesNo(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Question, title.empty() ? QApplication::applicationName() : Shown(title), Shown(text),
                    QMessageBox::Yes | QMessageBox::No, Parent());
    return box.exec() == QMessageBox::Yes;
}

bool QtPrompts::askYesCancel(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Question, title.empty() ? QApplication::applicationName() : Shown(title), Shown(text),
                    QMessageBox::Yes | QMessageBox::Cancel, Parent());
    return box.exec() == QMessageBox::Yes;
}

void QtPrompts::beep() { QApplication::beep(); }

QStringList NameFilters(const std::string& filter) {
    QStringList parts = Q(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            QString t = p.trimmed();
            // "*.*" means every file, also those without a dot in their name.
            if (t == "*.*") t = "*";
            for (const QString& v : {t, t.toLower(), t.toUpper()})
                if (!patterns.contains(v)) patterns << v;
        }
        QString label = parts[i];
        // Qt reads the patterns from the last parentheses of the label.
        int open = label.lastIndexOf('(');
        if (open >= 0) label = label.left(open).trimmed();
        out << label + " (" + patterns.join(' ') + ")";
    }
    if (out.isEmpty()) out << "All files (*)";
    return out;
}

QString DefaultSuffix(const std::string& defaultExt) {
    QString suffix = Q(defaultExt).trimmed();
    if (suffix.startsWith('*')) suffix.remove(0, 1);
    if (suffix.startsWith('.')) suffix.remove(0, 1);
    // A pattern is no suffix: a typed name stays as it was typed.
    if (suffix.contains('*') || suffix.contains('?')) return {};
    return suffix;
}

namespace {

std::optional<std::string> RunFileDialog(const FileDialogRequest& r, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(Parent(), Shown(r.title), Q(r.initialDir));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    QStringList filters = NameFilters(r.filter);
    dialog.setNameFilters(filters);
    if (r.filterIndex >= 1 && r.filterIndex <= filters.size()) dialog.selectNameFilter(filters[r.filterIndex - 1]);
    const QString suffix = DefaultSuffix(r.defaultExt);
    if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
    if (!r.fileName.empty()) dialog.selectFile(Q(r.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

} // namespace

std::optional<std::string> QtFileDialogs::openName(const FileDialogRequest& r) {
    return RunFileDialog(r, QFileDialog::AcceptOpen);
}
std::optional<std::string> QtFileDialogs::saveName(const FileDialogRequest& r) {
    return RunFileDialog(r, QFileDialog::AcceptSave);
}

bool QtPrinter::print(const std::string& title, const std::string& text) {
    QPrinter printer;
    QPrintDialog dialog(&printer, Parent());
    if (dialog.exec() != QDialog::Accepted) return false;
    printer.setDocName(Q(title));
    QTextDocument doc;
    doc.setDefaultFont(QFont("Courier", 10));
    doc.setPlainText(Q(text));
    doc.print(&printer);
    return true;
}

OsVersion PosixSystemInfo::osVersion() {
    OsVersion v;
    struct utsname u {};
    if (uname(&u) == 0) {
        // Shown as "major.minor.build.platform.name": the kernel release numbers, the
        // platform id of the modern desktop systems (2), and the system name.
        v.systemName = u.sysname;
        v.platformId = 2;
        v.extra = u.sysname;
        std::sscanf(u.release, "%d.%d.%d", &v.major, &v.minor, &v.build);
    }
    return v;
}

std::int64_t PosixSystemInfo::wallClockMs() { return QDateTime::currentMSecsSinceEpoch(); }

QtStopRequest::QtStopRequest() { qApp->installEventFilter(this); }

void QtStopRequest::begin() {
    if (running_++ == 0) requested_ = false;
}

void QtStopRequest::end() {
    if (running_ > 0) --running_;
}

bool QtStopRequest::eventFilter(QObject* watched, QEvent* event) {
    if (running_ > 0 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape ||
            (key->key() == Qt::Key_C && (key->modifiers() & Qt::ControlModifier)))
            requested_ = true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quarvin::app
