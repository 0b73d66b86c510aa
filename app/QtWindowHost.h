#pragma once
// Makes a view for every form model the core announces: the main window view for
// TMainForm, MDI children for the hex and PLD windows, and the generic dialog
// view for every other form.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

#include "MainWindowView.h"
#include "platform/Platform.h"

namespace quarvin::app {

class QtStopRequest;

class QtWindowHost : public WindowHost {
public:
    explicit QtWindowHost(QtStopRequest* stop);
    ~QtWindowHost() override;

    // Builds the view of a hex or PLD window; without it they get the generic view.
    std::function<QWidget*(Form&)> childView;
    // Told when the main window view exists (e.g. to open side windows).
    std::function<void(MainWindowView&)> onMainWindow;
    // Told about every form before its view is made.
    std::function<void(Form&)> onFormCreated;

    void formCreated(Form& form) override;
    void formDestroyed(Form& form) override;
    int runModal(Form& form) override;

    QWidget* viewOf(const Form& form) const;
    MainWindowView* mainWindow() const { return main_; }

private:
    QtStopRequest* stop_;
    QPointer<MainWindowView> main_;
    std::map<const Form*, QPointer<QWidget>> views_;
};

} // namespace quarvin::app
