#include "FormView.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "Language.h"
#include "QtPlatform.h"
#include "SocketView.h"

namespace quarvin::app {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QColor ColourOf(Colour c) {
    switch (c) {
    case Colour::Red: return QColor(Qt::red);
    case Colour::Maroon: return QColor(128, 0, 0);
    case Colour::Blue: return QColor(Qt::blue);
    case Colour::Grey: return QColor(Qt::gray);
    case Colour::Black: return QColor(Qt::black);
    case Colour::Default: break;
    }
    return {};
}

} // namespace

int ModelKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return KeyEnter;
    case Qt::Key_Escape: return KeyEscape;
    case Qt::Key_PageUp: return KeyPageUp;
    case Qt::Key_PageDown: return KeyPageDown;
    case Qt::Key_End: return KeyEnd;
    case Qt::Key_Home: return KeyHome;
    case Qt::Key_Left: return KeyLeft;
    case Qt::Key_Up: return KeyUp;
    case Qt::Key_Right: return KeyRight;
    case Qt::Key_Down: return KeyDown;
    default: return 0;
    }
}

FormView::FormView(Form& form, QtStopRequest* stop, QWidget* parent)
    : QDialog(parent), form_(form), stop_(stop) {
    setWindowTitle(Shown(form.caption()));
    setObjectName(Q(form.className()));
    // The forms are laid out in pixels for a small dialog font; keep to it so that
    // captions fit their controls whatever the desktop's default font is.
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    build();
    addSocketPanel();
    setFixedSize(form.width() + panelWidth(), form.height());
    form_.addObserver(this);
    if (form_.visible()) show();
}

FormView::~FormView() { form_.removeObserver(this); }

template <class F> void FormView::act(F&& f) {
    if (syncing_) return;  // a change we made ourselves while showing the model
    // While an operation runs (its loop lets events through to see Stop), no other
    // handler of any window may start.
    if (stop_ && stop_->running()) return;
    RunningOperation running(stop_);
    f();
}

QWidget* FormView::widgetFor(const std::string& name) const {
    auto it = widgets_.find(name);
    return it == widgets_.end() ? nullptr : it->second;
}

void FormView::build() {
    // Controls come in declaration order, so a group box exists before its members.
    for (Control& c : const_cast<std::deque<Control>&>(form_.controls())) {
        // Positions are in form coordinates, also for the members of a group box;
        // the widget of a member sits inside its group's widget.
        QWidget* parent = this;
        int x = c.x, y = c.y;
        if (!c.parent.empty())
            if (QWidget* p = widgetFor(c.parent)) {
                parent = p;
                if (const Control* g = form_.find(c.parent)) {
                    x -= g->x;
                    y -= g->y;
                }
            }
        QWidget* w = makeWidget(c, parent);
        w->setObjectName(Q(c.name));
        if (c.w > 0 && c.h > 0)
            w->setGeometry(x, y, c.w, c.h);
        else {
            w->move(x, y);
            w->resize(w->sizeHint());
        }
        if (c.fixedPitch) w->setFont(QFont("Courier"));
        widgets_[c.name] = w;
        names_[w] = c.name;
        sync(c);
    }
}

QWidget* FormView::makeWidget(Control& c, QWidget* parent) {
    const std::string name = c.name;
    switch (c.kind) {
    case ControlKind::Label: return new QLabel(parent);
    case ControlKind::Button: {
        auto* b = new QPushButton(parent);
        b->setAutoDefault(false);
        b->setDefault(c.isDefault);
        connect(b, &QPushButton::clicked, this, [this, name] { act([&] { form_.click(name); }); });
        return b;
    }
    case ControlKind::Edit: {
        auto* e = new QLineEdit(parent);
        e->installEventFilter(this);
        connect(e, &QLineEdit::textEdited, this,
                [this, name](const QString& t) { act([&] { form_.userSetText(name, t.toStdString()); }); });
        return e;
    }
    case ControlKind::Memo: {
        auto* m = new QPlainTextEdit(parent);
        m->setReadOnly(true);
        // A fixed-pitch memo is a listing whose columns must stay in line.
        if (c.fixedPitch) m->setLineWrapMode(QPlainTextEdit::NoWrap);
        return m;
    }
    case ControlKind::CheckBox: {
        auto* b = new QCheckBox(parent);
        connect(b, &QCheckBox::clicked, this, [this, name](bool on) { act([&] { form_.userSetChecked(name, on); }); });
        return b;
    }
    case ControlKind::RadioGroup: {
        auto* g = new QGroupBox(parent);
        auto* group = new QButtonGroup(g);
        auto* grid = new QGridLayout(g);
        grid->setContentsMargins(6, 2, 2, 2); // small margins, as the form's pixel layout expects
        grid->setSpacing(0);
        connect(group, &QButtonGroup::idClicked, this, [this, name](int id) { act([&] { form_.userSetIndex(name, id); }); });
        return g;
    }
    case ControlKind::GroupBox: return new QGroupBox(parent);
    case ControlKind::ProgressBar: return new QProgressBar(parent);
    case ControlKind::ListBox: {
        auto* l = new QListWidget(parent);
        l->installEventFilter(this);
        connect(l, &QListWidget::currentRowChanged, this, [this, name](int row) { act([&] { form_.userSetIndex(name, row); }); });
        connect(l, &QListWidget::itemClicked, this, [this, name] { act([&] { form_.click(name); }); });
        connect(l, &QListWidget::itemDoubleClicked, this, [this, name] { act([&] { form_.doubleClick(name); }); });
        return l;
    }
    case ControlKind::ComboBox: {
        auto* b = new QComboBox(parent);
        connect(b, &QComboBox::activated, this, [this, name](int i) { act([&] { form_.userSetIndex(name, i); }); });
        return b;
    }
    case ControlKind::Panel: {
        auto* f = new QFrame(parent);
        f->setFrameShape(QFrame::StyledPanel);
        return f;
    }
    }
    return new QWidget(parent);
}

void FormView::sync(Control& c) {
    QWidget* w = widgetFor(c.name);
    if (!w) return;
    ++syncing_;
    w->setEnabled(c.enabled());
    w->setVisible(c.visible());
    if (c.colour != Colour::Default) {
        QPalette p = w->palette();
        p.setColor(QPalette::WindowText, ColourOf(c.colour));
        p.setColor(QPalette::Text, ColourOf(c.colour));
        w->setPalette(p);
    }
    // Captions and messages in the window's language; what the user types and the
    // program's listings (fixed-pitch memos) as they are.
    const bool data = (c.kind == ControlKind::Edit && !c.readOnly) || (c.kind == ControlKind::Memo && c.fixedPitch);
    const QString text = data ? Q(c.text()) : Shown(c.text());
    switch (c.kind) {
    case ControlKind::Label: static_cast<QLabel*>(w)->setText(text); break;
    case ControlKind::Button: static_cast<QPushButton*>(w)->setText(text); break;
    case ControlKind::Edit: {
        auto* e = static_cast<QLineEdit*>(w);
        if (e->text() != text) e->setText(text);
        e->setReadOnly(c.readOnly);
        break;
    }
    case ControlKind::Memo: {
        auto* m = static_cast<QPlainTextEdit*>(w);
        if (m->toPlainText() != text) m->setPlainText(text);
        break;
    }
    case ControlKind::CheckBox: {
        auto* b = static_cast<QCheckBox*>(w);
        b->setText(text);
        b->setChecked(c.checked());
        break;
    }
    case ControlKind::RadioGroup: {
        auto* g = static_cast<QGroupBox*>(w);
        g->setTitle(text);
        auto* group = g->findChild<QButtonGroup*>();
        auto* grid = static_cast<QGridLayout*>(g->layout());
        const auto& items = c.items();
        if (group->buttons().size() != static_cast<int>(items.size())) {
            for (QAbstractButton* b : group->buttons()) {
                group->removeButton(b);
                delete b;
            }
            const int columns = c.columns > 0 ? c.columns : 1;
            const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
            for (int i = 0; i < static_cast<int>(items.size()); ++i) {
                auto* r = new QRadioButton(g);
                r->setObjectName(QString("%1.Item%2").arg(Q(c.name)).arg(i));
                group->addButton(r, i);
                grid->addWidget(r, rows ? i % rows : 0, rows ? i / rows : 0);
            }
        }
        for (int i = 0; i < static_cast<int>(items.size()); ++i) {
            QAbstractButton* b = group->button(i);
            b->setText(Shown(items[static_cast<std::size_t>(i)]));
            b->setChecked(i == c.itemIndex());
        }
        break;
    }
    case ControlKind::GroupBox: static_cast<QGroupBox*>(w)->setTitle(text); break;
    case ControlKind::ProgressBar: {
        auto* p = static_cast<QProgressBar*>(w);
        p->setRange(c.minimum(), c.maximum());
        p->setValue(c.position());
        break;
    }
    case ControlKind::ListBox: {
        auto* l = static_cast<QListWidget*>(w);
        QStringList items;
        for (const auto& s : c.items()) items << Q(s);
        bool same = l->count() == items.size();
        for (int i = 0; same && i < items.size(); ++i) same = l->item(i)->text() == items[i];
        if (!same) {
            l->clear();
            l->addItems(items);
        }
        l->setCurrentRow(c.itemIndex());
        break;
    }
    case ControlKind::ComboBox: {
        auto* b = static_cast<QComboBox*>(w);
        QStringList items;
        for (const auto& s : c.items()) items << Shown(s);
        bool same = b->count() == items.size();
        for (int i = 0; same && i < items.size(); ++i) same = b->itemText(i) == items[i];
        if (!same) {
            b->clear();
            b->addItems(items);
        }
        b->setCurrentIndex(c.itemIndex());
        break;
    }
    case ControlKind::Panel: break;
    }
    --syncing_;
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
    auto it = names_.find(watched);
    if (it != names_.end()) {
        const std::string name = it->second;
        if (event->type() == QEvent::FocusOut) {
            act([&] { form_.exitField(name); });
        } else if (event->type() == QEvent::KeyPress) {
            int key = ModelKey(static_cast<QKeyEvent*>(event)->key());
            Control* c = form_.find(name);
            if (key && c && c->onKeyDown) {
                act([&] { form_.keyDown(name, key); });
                // Enter belongs to the field's handler, not to the dialog's default button.
                if (key == KeyEnter) return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FormView::addSocketPanel() {
    panelDevice_ = PanelDeviceOf(form_);
    if (!panelDevice_) return;
    socketView_ = new SocketView(this);
    socketView_->setObjectName(QStringLiteral("SocketView"));
    placeSocketPanel();
    refreshSocketPanel();
}

void FormView::placeSocketPanel() {
    constexpr int kMargin = 6;
    if (socketView_)
        socketView_->setGeometry(form_.width() + kMargin, kMargin, kSocketPanelWidth - 2 * kMargin,
                                 form_.height() - 2 * kMargin);
}

void FormView::refreshSocketPanel() {
    if (!socketView_) return;
    const PanelDevice device = panelDevice_();
    if (shownDevice_ == device) return;
    shownDevice_ = device;
    socketView_->setPicture(PanelPicture(device));
}

void FormView::controlChanged(Control& c) {
    sync(c);
    refreshSocketPanel();
}

void FormView::paintNow(Control& c) {
    sync(c);
    if (QWidget* w = widgetFor(c.name)) w->repaint();
    // Let the stop keys and the Stop button be seen while the handler keeps running;
    // the busy form ignores every other button.
    QCoreApplication::processEvents();
}

void FormView::formChanged(Form& f, FormEvent e) {
    switch (e) {
    case FormEvent::Shown:
        refreshSocketPanel();
        if (!modal_) show();  // a modal run shows the dialog through exec()
        break;
    case FormEvent::Hidden:
        if (modal_)
            done(form_.modalResult());
        else
            hide();
        break;
    case FormEvent::Raised:
        show();
        raise();
        activateWindow();
        break;
    case FormEvent::CaptionChanged: setWindowTitle(Shown(f.caption())); break;
    case FormEvent::Layout:
        setFixedSize(f.width() + panelWidth(), f.height());
        placeSocketPanel();
        break;
    case FormEvent::Closed: break;
    }
}

int FormView::runModal() {
    form_.setModalResult(Form::ModalNone);
    modal_ = true;
    setModal(true);
    int outer = stop_ ? stop_->suspend() : 0;
    form_.show();
    exec();
    if (stop_) stop_->resume(outer);
    setModal(false);
    modal_ = false;
    return form_.modalResult() != Form::ModalNone ? form_.modalResult() : Form::ModalCancel;
}

bool FormView::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) act([&] { form_.activate(); });
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(Shown(form_.caption()));
        for (Control& c : const_cast<std::deque<Control>&>(form_.controls())) sync(c);
    }
    return QDialog::event(event);
}

void FormView::closeEvent(QCloseEvent* event) {
    if (form_.busy() || (stop_ && stop_->running() && !modal_)) {
        event->ignore();
        return;
    }
    event->accept();
    if (form_.visible()) form_.close();
}

void FormView::reject() {
    if (form_.busy()) {
        if (stop_) stop_->request();
        return;
    }
    if (form_.visible())
        form_.close();
    else
        QDialog::reject();
}

} // namespace quarvin::app
