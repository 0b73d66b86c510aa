#pragma once
// The main window: menus, tool bar, device selection strip, type list, status bar
// and the area of the child windows, all rendered from the main window model.
#include <QMainWindow>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Language.h"
#include "forms/Form.h"

class QComboBox;
class QLabel;
class QListWidget;
class QMdiArea;
class QToolBar;
class QAction;
class QMenu;

namespace quarvin {
class TMainForm;
}

namespace quarvin::app {

class QtStopRequest;

class MainWindowView : public QMainWindow, private FormObserver {
public:
    MainWindowView(TMainForm& form, QtStopRequest* stop);
    ~MainWindowView() override;

    QMdiArea* mdiArea() const { return mdi_; }
    QListWidget* typeList() const { return typeList_; }
    QWidget* typePanel() const { return typePanel_; }
    QAction* action(const std::string& menu, const std::string& caption) const;
    QToolBar* toolBar() const { return toolBar_; }
    // Runs a menu or tool bar command as the user would.
    void runCommand(const std::string& command);
    // Option > Language: the program applies and keeps the choice.
    std::function<void(Language)> languageChosen;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool operationRunning() const;
    void buildMenus();
    void buildToolBar();
    void buildStrip();
    void buildLanguageMenu(QMenu* option);
    // The check marks of the menu's settings, as the form has them.
    void syncChecks();
    // Every text again in the window's language.
    void retranslate();
    void syncAll();
    void fitTypePanel();
    void controlChanged(Control& c) override;
    void paintNow(Control& c) override;
    void formChanged(Form& f, FormEvent e) override;

    TMainForm& form_;
    QtStopRequest* stop_;
    QMdiArea* mdi_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QComboBox* category_ = nullptr;
    QComboBox* maker_ = nullptr;
    QLabel* typeLabel_ = nullptr;
    QLabel* fileLabel_ = nullptr;
    QWidget* typePanel_ = nullptr;
    QListWidget* typeList_ = nullptr;
    QLabel* panels_[4] = {};
    std::map<std::string, QAction*> actions_;
    std::vector<std::pair<QAction*, std::string>> checkable_; // with their commands
    QAction* languageActions_[3] = {};
    int typePanelWidth_ = 0;
    int syncing_ = 0;
    bool closing_ = false;
};

} // namespace quarvin::app
