#pragma once
// The one generic dialog view: builds its widgets from the controls a form model
// declares, keeps them in step with the model and forwards the user's actions to
// the model's event methods. Every dialog without a view of its own uses it.
#include <QDialog>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "SocketPanel.h"

#include "forms/Form.h"

namespace quarvin::app {

class QtStopRequest;
class SocketView;

// Windows virtual key code of a Qt key, 0 for keys the models do not handle.
int ModelKey(int qtKey);

class FormView : public QDialog, private FormObserver {
public:
    FormView(Form& form, QtStopRequest* stop, QWidget* parent = nullptr);
    ~FormView() override;

    Form& form() { return form_; }
    // The widget of a control, nullptr for an unknown name.
    QWidget* widgetFor(const std::string& name) const;
    // Runs the form modally; returns its modal result (cancel when closed without one).
    int runModal();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    QWidget* makeWidget(Control& c, QWidget* parent);
    void sync(Control& c);
    // The placement picture beside the controls of family dialogs and the Virtual
    // socket window, drawn again when the form's device changes.
    void addSocketPanel();
    void refreshSocketPanel();
    void placeSocketPanel(); // to the right of the form's controls
    int panelWidth() const { return socketView_ ? kSocketPanelWidth : 0; }
    // Runs a user action on the model as a running operation (for stop requests).
    template <class F> void act(F&& f);

    void controlChanged(Control& c) override;
    void paintNow(Control& c) override;
    void formChanged(Form& f, FormEvent e) override;

    Form& form_;
    QtStopRequest* stop_;
    std::map<std::string, QWidget*> widgets_;
    std::map<QObject*, std::string> names_;
    std::function<PanelDevice()> panelDevice_;
    std::optional<PanelDevice> shownDevice_;
    SocketView* socketView_ = nullptr;
    bool modal_ = false;
    int syncing_ = 0;
};

} // namespace quarvin::app
