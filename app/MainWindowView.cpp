#include "MainWindowView.h"

#include <algorithm>

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "FormView.h"
#include "Language.h"
#include "forms/OperationState.h"
#include "forms/Texts.h"
#include "QtPlatform.h"
#include "shell/MainMenu.h"
#include "shell/ShellTexts.h"
#include "shell/TMainForm.h"

namespace quarvin::app {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Tool bar glyphs are not shipped; each button shows a short word instead.
const std::map<std::string, std::string>& ButtonWords() {
    static const std::map<std::string, std::string> words = {
        {"FileOpen", QV_TEXT("Load")},  {"FileSave", QV_TEXT("Save")},    {"FillClick", QV_TEXT("Fill")},
        {"TypeClick", QV_TEXT("Type")}, {"ProgClick", QV_TEXT("Prog")},   {"SystemClick", QV_TEXT("Test")},
        {"IDClick", QV_TEXT("Detect")}, {"PageUpClick", "<<"},
        {"PageDownClick", ">>"}, {"HelpSearch", "?"},
    };
    return words;
}

// An action's text and tip in the window's language; the classic ones are kept on
// the action, so that a change of language can show them again.
void SetClassicTexts(QAction* a, const std::string& text, const std::string& tip) {
    a->setProperty("classicText", Q(text));
    a->setProperty("classicTip", Q(tip));
    a->setText(Shown(text));
    // A tool button's hint is "short|long"; the tip shows the short part.
    a->setToolTip(Shown(tip).section('|', 0, 0));
    a->setStatusTip(a->toolTip());
}

void SetItems(QComboBox* box, const std::vector<std::string>& items) {
    QStringList list;
    for (const auto& s : items) list << Shown(s);
    bool same = box->count() == list.size();
    for (int i = 0; same && i < list.size(); ++i) same = box->itemText(i) == list[i];
    if (!same) {
        box->clear();
        box->addItems(list);
    }
}

} // namespace

MainWindowView::MainWindowView(TMainForm& form, QtStopRequest* stop) : form_(form), stop_(stop) {
    setObjectName("TMainForm");
    setWindowTitle(Shown(form.caption()));
    buildMenus();
    buildToolBar();

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    buildStrip();
    column->addWidget(category_->parentWidget());
    auto* row = new QHBoxLayout;
    typePanel_ = new QWidget(central);
    typePanel_->setObjectName("Panel2");
    auto* panelLayout = new QVBoxLayout(typePanel_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    typeList_ = new QListWidget(typePanel_);
    typeList_->setObjectName("ListBox1");
    typeList_->setFont(QFont("Courier"));
    typeList_->installEventFilter(this);
    panelLayout->addWidget(typeList_);
    row->addWidget(typePanel_);
    mdi_ = new QMdiArea(central);
    mdi_->setBackground(palette().brush(QPalette::Inactive, QPalette::Highlight));
    row->addWidget(mdi_, 1);
    column->addLayout(row, 1);
    setCentralWidget(central);

    connect(typeList_, &QListWidget::currentRowChanged, this, [this](int r) {
        if (!syncing_) form_.typeRowHighlighted(r);
    });
    connect(typeList_, &QListWidget::itemDoubleClicked, this, [this] {
        if (operationRunning()) return;
        RunningOperation running(stop_);
        form_.doubleClick("ListBox1");
    });

    for (int i = 0; i < TMainForm::kStatusPanels; ++i) {
        panels_[i] = new QLabel(this);
        // The link, a spare panel, the manufacturer, then the type, which takes the rest.
        constexpr int kWidths[TMainForm::kStatusPanels] = {150, 50, 130, 0};
        if (kWidths[i] > 0) panels_[i]->setFixedWidth(kWidths[i]);
        else panels_[i]->setMinimumWidth(200);
        panels_[i]->setObjectName(QString("StatusPanel%1").arg(i));
        statusBar()->addWidget(panels_[i], i == TMainForm::kStatusPanels - 1 ? 1 : 0);
    }

    form_.setCommand("WindowTile", [this] { mdi_->tileSubWindows(); });
    form_.setCommand("WindowCascade", [this] { mdi_->cascadeSubWindows(); });
    form_.setCommand("WindowArrange", [this] {
        // The area lines up the minimised children along its bottom edge when asked again.
        for (QMdiSubWindow* w : mdi_->subWindowList())
            if (w->isMinimized()) w->showMinimized();
    });

    syncAll();
    form_.addObserver(this);
}

MainWindowView::~MainWindowView() { form_.removeObserver(this); }

void MainWindowView::buildMenus() {
    std::map<std::string, QMenu*> menus;
    for (const auto& caption : MenuBarCaptions()) {
        menus[caption] = menuBar()->addMenu(Shown(caption));
        SetClassicTexts(menus[caption]->menuAction(), caption, "");
    }
    for (const auto& item : MainMenuItems()) {
        QMenu* menu = menus[item.menu];
        if (item.caption.empty()) {
            menu->addSeparator();
            continue;
        }
        QAction* a = menu->addAction(QString());
        SetClassicTexts(a, item.caption, item.hint);
        if (!item.shortcut.empty()) a->setShortcut(QKeySequence(Q(item.shortcut)));
        const std::string command = item.command;
        connect(a, &QAction::triggered, this, [this, command] { runCommand(command); });
        actions_[item.menu + "/" + item.caption] = a;
        if (item.checkable) {
            a->setCheckable(true);
            checkable_.emplace_back(a, command);
        }
    }
    // Qt turns a check mark over on a click by itself, also when the command is
    // refused (another one running): the marks are set from the form's settings.
    for (auto& entry : menus) connect(entry.second, &QMenu::aboutToShow, this, [this] { syncChecks(); });
    syncChecks();
    buildLanguageMenu(menus["Option"]);
}

void MainWindowView::buildLanguageMenu(QMenu* option) {
    option->addSeparator();
    QMenu* menu = option->addMenu(QString());
    SetClassicTexts(menu->menuAction(), QV_TEXT("Language"), QV_TEXT("The window's language; applies at once"));
    auto* group = new QActionGroup(menu);
    for (Language l : {Language::Classic, Language::English, Language::Chinese}) {
        // Each language is named in its own words, so that it can be found in any of them.
        const char* name = l == Language::Classic ? "Classic" : l == Language::English ? "English" : "中文";
        QAction* a = menu->addAction(QString::fromUtf8(name));
        a->setObjectName(QString("Language_") + i18n::CodeOf(l));
        a->setCheckable(true);
        a->setChecked(l == CurrentLanguage());
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, l] {
            if (languageChosen) languageChosen(l);
            else ApplyLanguage(l);
        });
        languageActions_[static_cast<int>(l)] = a;
    }
}

void MainWindowView::retranslate() {
    setWindowTitle(Shown(form_.caption()));
    for (QAction* a : findChildren<QAction*>())
        if (a->property("classicText").isValid())
            SetClassicTexts(a, a->property("classicText").toString().toStdString(),
                            a->property("classicTip").toString().toStdString());
    for (QAction* a : languageActions_)
        if (a) a->setChecked(a->objectName() == QString("Language_") + i18n::CodeOf(CurrentLanguage()));
    syncAll();
}

void MainWindowView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) retranslate();
    QMainWindow::changeEvent(event);
}

void MainWindowView::buildToolBar() {
    toolBar_ = addToolBar("SpeedBar");
    toolBar_->setObjectName("SpeedBar");
    toolBar_->setMovable(false);
    toolBar_->setFixedHeight(kSpeedBarHeight);
    for (const auto& b : ToolBarButtons()) {
        QAction* a = toolBar_->addAction(QString());
        a->setObjectName(Q(b.name));
        SetClassicTexts(a, ButtonWords().at(b.command), b.hint);
        const std::string command = b.command;
        connect(a, &QAction::triggered, this, [this, command] { runCommand(command); });
    }
    toolBar_->addSeparator();
    QAction* stop = toolBar_->addAction(QString());
    stop->setObjectName("StopButton");
    SetClassicTexts(stop, QV_TEXT("Stop"), QV_TEXT("Stop the running operation"));
    connect(stop, &QAction::triggered, this, [this] {
        if (stop_ && stop_->running()) stop_->request();
    });
    // Stop has something to stop only while a handler runs.
    stop->setEnabled(OperationState::running());
    const int stopListener = OperationState::addListener([stop](bool running) { stop->setEnabled(running); });
    connect(stop, &QObject::destroyed, [stopListener] { OperationState::removeListener(stopListener); });
}

void MainWindowView::buildStrip() {
    auto* strip = new QWidget(this);
    strip->setObjectName("Panel1");
    strip->setFixedHeight(kSelectionStripHeight);
    QFont bold = strip->font();
    bold.setBold(true);
    strip->setFont(bold);
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(4, 1, 4, 1);
    category_ = new QComboBox(strip);
    category_->setObjectName("ComboBox2");
    maker_ = new QComboBox(strip);
    maker_->setObjectName("ComboBox1");
    maker_->setMaxVisibleItems(16);
    // The boxes grow with their longest entry: a maker or category is never cut short.
    maker_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    category_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    maker_->setFont(QFont("Courier"));
    typeLabel_ = new QLabel(strip);
    typeLabel_->setObjectName("Label2");
    fileLabel_ = new QLabel(strip);
    fileLabel_->setObjectName("Label1");
    layout->addWidget(category_);
    layout->addWidget(maker_);
    layout->addWidget(typeLabel_, 1);
    layout->addWidget(fileLabel_, 1);
    connect(category_, &QComboBox::activated, this, [this](int i) {
        if (operationRunning()) return;
        RunningOperation running(stop_);
        form_.userSetIndex("ComboBox2", i);
    });
    connect(maker_, &QComboBox::activated, this, [this](int i) {
        if (operationRunning()) return;
        RunningOperation running(stop_);
        form_.userSetIndex("ComboBox1", i);
    });
}

QAction* MainWindowView::action(const std::string& menu, const std::string& caption) const {
    auto it = actions_.find(menu + "/" + caption);
    return it == actions_.end() ? nullptr : it->second;
}

bool MainWindowView::operationRunning() const { return stop_ && stop_->running(); }

void MainWindowView::runCommand(const std::string& command) {
    // Only a setting's command is followed by its check mark: another (Exit) may
    // have closed this window.
    const bool setting = std::any_of(checkable_.begin(), checkable_.end(), [&](const auto& c) { return c.second == command; });
    if (!operationRunning()) {
        RunningOperation running(stop_);
        form_.run(command);
    }
    if (setting) syncChecks();
}

void MainWindowView::syncChecks() {
    for (auto& [a, command] : checkable_) a->setChecked(form_.commandOn(command));
}

void MainWindowView::syncAll() {
    for (Control& c : const_cast<std::deque<Control>&>(form_.controls())) controlChanged(c);
}

void MainWindowView::controlChanged(Control& c) {
    ++syncing_;
    if (c.name == "ComboBox2") {
        SetItems(category_, c.items());
        category_->setCurrentIndex(c.itemIndex());
    } else if (c.name == "ComboBox1") {
        SetItems(maker_, c.items());
        maker_->setCurrentIndex(c.itemIndex());
        if (c.itemIndex() < 0 && !c.text().empty()) maker_->setCurrentText(Q(c.text()));
    } else if (c.name == "Label2") {
        typeLabel_->setText(Shown(c.text()));
    } else if (c.name == "Label1") {
        fileLabel_->setText(Shown(c.text()));
    } else if (c.name == "ListBox1") {
        QStringList items;
        for (const auto& s : c.items()) items << Q(s);
        bool same = typeList_->count() == items.size();
        for (int i = 0; same && i < items.size(); ++i) same = typeList_->item(i)->text() == items[i];
        if (!same) {
            typeList_->clear();
            typeList_->addItems(items);
            fitTypePanel();
        }
        typeList_->setCurrentRow(c.itemIndex());
    } else if (c.name == "Panel2") {
        typePanelWidth_ = c.visible() ? c.w : 0;
        fitTypePanel();
    } else if (c.name == "StatusHint") {
        if (c.text().empty()) statusBar()->clearMessage();
        else statusBar()->showMessage(Shown(c.text()));
    } else if (c.name == "StatusLine") {
        for (int i = 0; i < TMainForm::kStatusPanels; ++i)
            panels_[i]->setText(i < static_cast<int>(c.items().size()) ? Shown(c.items()[static_cast<std::size_t>(i)]) : QString());
        statusBar()->setEnabled(c.enabled());
    }
    --syncing_;
}

void MainWindowView::fitTypePanel() {
    // The form's width, or more when a row (a maker's separator row) needs it:
    // no row needs a horizontal scroll bar.
    int width = typePanelWidth_;
    if (width > 0) {
        int widest = 0;
        for (int i = 0; i < typeList_->count(); ++i)
            widest = std::max(widest, typeList_->fontMetrics().horizontalAdvance(typeList_->item(i)->text()));
        const int chrome = 2 * typeList_->frameWidth() + typeList_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                           2 * typeList_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 4;
        width = std::max(width, widest + chrome);
    }
    typePanel_->setFixedWidth(width);
    typePanel_->setVisible(width > 0);
}

void MainWindowView::paintNow(Control& c) {
    controlChanged(c);
    repaint();
    QCoreApplication::processEvents();
}

void MainWindowView::formChanged(Form& f, FormEvent e) {
    switch (e) {
    case FormEvent::Shown:
    case FormEvent::Raised: show(); break;
    case FormEvent::Hidden:
        if (!closing_) {
            closing_ = true;
            close();
        }
        break;
    case FormEvent::CaptionChanged: setWindowTitle(Shown(f.caption())); break;
    case FormEvent::Closed:
    case FormEvent::Layout: break;
    }
}

void MainWindowView::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        // Closing powers the box down; never in the middle of a running operation.
        if (form_.busy() || operationRunning()) {
            event->ignore();
            return;
        }
        closing_ = true;
        form_.FileExit();
    }
    // File > Exit has shut the model down already, from inside its own menu
    // command; the window goes now, although that command has not returned yet.
    event->accept();
    // The program ends with its main window, whatever dialogs are still open.
    QCoreApplication::quit();
}

bool MainWindowView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == typeList_ && event->type() == QEvent::KeyPress) {
        int key = ModelKey(static_cast<QKeyEvent*>(event)->key());
        if (key == KeyEnter) {
            if (operationRunning()) return true;
            RunningOperation running(stop_);
            form_.keyDown("ListBox1", key);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace quarvin::app
