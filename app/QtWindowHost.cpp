#include "QtWindowHost.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "FormView.h"
#include "Language.h"
#include "MainWindowView.h"
#include "shell/TMainForm.h"

namespace quarvin::app {

namespace {

bool IsChildWindow(const Form& f) { return f.className() == "TFileWin" || f.className() == "TPldFileW"; }

} // namespace

QtWindowHost::QtWindowHost(QtStopRequest* stop) : stop_(stop) {}

QtWindowHost::~QtWindowHost() {
    for (auto& [form, view] : views_)
        if (view) delete view.data();
}

void QtWindowHost::formCreated(Form& form) {
    if (views_.count(&form)) return;
    if (onFormCreated) onFormCreated(form);
    if (auto* main = dynamic_cast<TMainForm*>(&form)) {
        main_ = new MainWindowView(*main, stop_);
        views_[&form] = main_.data();
        if (onMainWindow) onMainWindow(*main_);
        return;
    }
    if (IsChildWindow(form) && main_) {
        QWidget* inner = childView ? childView(form) : nullptr;
        if (!inner) inner = new FormView(form, stop_);
        QMdiSubWindow* sub = main_->mdiArea()->addSubWindow(inner);
        sub->setAttribute(Qt::WA_DeleteOnClose, false);
        sub->setWindowTitle(Shown(form.caption()));
        if (form.visible()) sub->show();
        views_[&form] = sub;
        return;
    }
    auto* view = new FormView(form, stop_, main_.data());
    if (form.className() == "TPicture1") {
        view->setWindowFlags(Qt::SplashScreen | Qt::WindowStaysOnTopHint);
        view->setStyleSheet("background: silver;");
        if (auto* product = view->findChild<QLabel*>("Label1")) {
            QFont big = product->font();
            big.setPointSize(28);
            big.setBold(true);
            product->setFont(big);
        }
        // The splash paints before the link search blocks the program.
        view->show();
        QCoreApplication::processEvents();
    }
    views_[&form] = view;
}

void QtWindowHost::formDestroyed(Form& form) {
    auto it = views_.find(&form);
    if (it == views_.end()) return;
    QPointer<QWidget> view = it->second;
    views_.erase(it);
    if (view) delete view.data();
}

int QtWindowHost::runModal(Form& form) {
    if (!views_.count(&form)) formCreated(form);
    auto* view = dynamic_cast<FormView*>(viewOf(form));
    if (!view) return Form::ModalCancel;
    return view->runModal();
}

QWidget* QtWindowHost::viewOf(const Form& form) const {
    auto it = views_.find(&form);
    return it == views_.end() ? nullptr : it->second.data();
}

} // namespace quarvin::app
