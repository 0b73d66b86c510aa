#include "TextWindowView.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QVBoxLayout>

#include "FormView.h"
#include "Language.h"
#include "forms/OperationState.h"

namespace quarvin::app {

namespace {

QColor MarkColour(CharMark m) {
    switch (m) {
    case CharMark::Red: return QColor(0xFF, 0, 0);
    case CharMark::Grey: return QColor(0x80, 0x80, 0x80);
    case CharMark::Normal: break;
    }
    return QColor(0, 0, 0);
}

} // namespace

TextWindowView::TextWindowView(TextWindow& model, QWidget* parent)
    : QWidget(parent), model_(model), text_(new QPlainTextEdit(this)) {
    setObjectName(QString::fromStdString(model.className()));
    setWindowTitle(Shown(model.caption()));
    text_->setObjectName("RichEdit1");
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setReadOnly(true);
    // Read-only for typing, but the caret is shown and moves with the keyboard.
    text_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    text_->setContextMenuPolicy(Qt::CustomContextMenu);
    text_->installEventFilter(this);
    connect(text_, &QPlainTextEdit::cursorPositionChanged, this, [this] { caretFromWidget(); });
    connect(text_, &QPlainTextEdit::selectionChanged, this, [this] { caretFromWidget(); });
    connect(text_, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) { showPopup(p); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    row_ = new QHBoxLayout;
    row_->setSpacing(0);
    row_->addWidget(text_, 1);
    layout->addLayout(row_, 1);
    panel_ = new QHBoxLayout;
    panel_->setContentsMargins(4, 2, 4, 2);
    layout->addLayout(panel_);

    model_.addObserver(this);
    renderText();
    operationListener_ = OperationState::addListener([this](bool running) { takeInput(!running); });
    takeInput(Form::takesInput());
}

TextWindowView::~TextWindowView() {
    OperationState::removeListener(operationListener_);
    model_.removeObserver(this);
}

void TextWindowView::takeInput(bool allowed) {
    for (auto& [name, field] : fields_)
        if (!model_.control(name).readOnly) field->setEnabled(allowed);
}

QLineEdit* TextWindowView::field(const std::string& name) const {
    auto it = fields_.find(name);
    return it == fields_.end() ? nullptr : it->second;
}

QLineEdit* TextWindowView::addField(QHBoxLayout* panel, const char* label, const char* edit) {
    auto* l = new QLabel(Shown(model_.control(label).text()), this);
    l->setObjectName(label);
    auto* e = new QLineEdit(this);
    e->setObjectName(edit);
    Control& c = model_.control(edit);
    e->setReadOnly(c.readOnly);
    e->setText(QString::fromStdString(c.text()));
    e->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    panel->addWidget(l);
    panel->addWidget(e);
    fields_[edit] = e;
    labels_[label] = l;
    return e;
}

void TextWindowView::renderText() {
    ++syncing_;
    shownRevision_ = model_.textRevision();
    QTextDocument* doc = text_->document();
    doc->clear();
    QTextCursor cur(doc);
    cur.beginEditBlock();
    const auto& lines = model_.lines();
    const auto& marks = model_.marks();
    QTextCharFormat fmt;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) cur.insertText(QStringLiteral("\n"));
        const std::string& line = lines[i];
        std::size_t run = 0;
        // Runs of characters with the same mark share one format.
        while (run < line.size()) {
            std::size_t end = run;
            while (end < line.size() && marks[i][end] == marks[i][run]) ++end;
            fmt.setForeground(MarkColour(marks[i][run]));
            cur.insertText(QString::fromUtf8(line.data() + run, static_cast<qsizetype>(end - run)), fmt);
            run = end;
        }
    }
    cur.endEditBlock();
    --syncing_;
    syncCaret();
}

void TextWindowView::syncCaret() {
    ++syncing_;
    QTextCursor cur = text_->textCursor();
    const int start = model_.selectionStart();
    const int end = start + model_.selectionLength();
    if (cur.selectionStart() != start || cur.selectionEnd() != end || cur.position() != end) {
        const int max = text_->document()->characterCount() - 1;
        cur.setPosition(std::min(start, max));
        cur.setPosition(std::min(end, max), QTextCursor::KeepAnchor);
        text_->setTextCursor(cur);
    }
    --syncing_;
}

void TextWindowView::caretFromWidget() {
    if (syncing_) return;
    const QTextCursor cur = text_->textCursor();
    const int start = cur.selectionStart();
    const int length = cur.selectionEnd() - start;
    if (start == model_.selectionStart() && length == model_.selectionLength()) return;
    model_.OnSelectionChange(start, length);
}

bool TextWindowView::event(QEvent* e) {
    // The MDI area gives the view its frame after construction; watch the frame's
    // close box.
    if (e->type() == QEvent::ParentChange && parentWidget()) parentWidget()->installEventFilter(this);
    if (e->type() == QEvent::LanguageChange) {
        setWindowTitle(Shown(model_.caption()));
        if (parentWidget()) parentWidget()->setWindowTitle(Shown(model_.caption()));
        for (auto& [name, label] : labels_) label->setText(Shown(model_.control(name).text()));
    }
    return QWidget::event(e);
}

bool TextWindowView::eventFilter(QObject* watched, QEvent* event) {
    // While a handler runs, keys and the close box do nothing here (the stop keys
    // are seen by the application before this view).
    if (!Form::takesInput() && ((watched == text_ && event->type() == QEvent::KeyPress) ||
                                (watched == parentWidget() && event->type() == QEvent::Close))) {
        event->ignore();
        return true;
    }
    if (watched == text_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (key->modifiers() & ~Qt::KeypadModifier) break;
            model_.keyDown("RichEdit1", ModelKey(key->key()));
            return true;
        default: break;
        }
        const QString t = key->text();
        if (t.size() == 1 && t[0].unicode() >= 0x20 && t[0].unicode() < 0x7F &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            model_.keyPress(static_cast<char>(t[0].unicode()));
            return true;
        }
    }
    if (parentWidget() && watched == parentWidget() && event->type() == QEvent::Close) {
        // The user closed the MDI child: the model counts as closed.
        if (model_.visible()) model_.close();
    }
    return QWidget::eventFilter(watched, event);
}

void TextWindowView::showPopup(const QPoint& at) {
    QMenu menu(this);
    const auto& items = model_.popupItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        QAction* a = menu.addAction(Shown(items[i].caption));
        a->setEnabled(items[i].enabled);
        a->setData(static_cast<int>(i));
    }
    if (QAction* chosen = menu.exec(text_->mapToGlobal(at))) model_.popupClick(chosen->data().toInt());
}

void TextWindowView::controlChanged(Control& c) {
    if (c.name == "RichEdit1") return;
    syncControl(c);
}

void TextWindowView::paintNow(Control& c) {
    if (c.name != "RichEdit1") {
        syncControl(c);
        return;
    }
    if (model_.textRevision() != shownRevision_) renderText();
    else syncCaret();
}

void TextWindowView::syncControl(Control& c) {
    if (QLineEdit* e = field(c.name)) {
        const QString t = QString::fromStdString(c.text());
        if (e->text() != t) e->setText(t);
    } else if (auto it = labels_.find(c.name); it != labels_.end()) {
        it->second->setText(Shown(c.text()));
    }
}

void TextWindowView::formChanged(Form& f, FormEvent e) {
    QWidget* frame = parentWidget() ? parentWidget() : this;
    switch (e) {
    case FormEvent::CaptionChanged:
        setWindowTitle(Shown(f.caption()));
        frame->setWindowTitle(Shown(f.caption()));
        break;
    case FormEvent::Shown: frame->show(); break;
    case FormEvent::Raised:
        frame->show();
        frame->raise();
        if (auto* sub = qobject_cast<QMdiSubWindow*>(frame))
            if (QMdiArea* area = sub->mdiArea()) area->setActiveSubWindow(sub);
        break;
    case FormEvent::Hidden: frame->hide(); break;
    default: break;
    }
}

} // namespace quarvin::app
