#pragma once
// Every form the program can show, each in the program's own view: the shell's
// windows and dialogs, the Virtual socket window, the hex and PLD windows, the
// stand-in dialog and one dialog of every built family. The family dialogs are
// only looked at, never run.
#include <QtWidgets>
#include <memory>
#include <vector>

#include "QtProgram.h"
#include "buffer/DifferencesWindow.h"
#include "buffer/Documents.h"
#include "buffer/FileCommands.h"
#include "buffer/TInputHexDlg.h"
#include "catalogue/TTypeDlg.h"
#include "catalogue/TUnavailable.h"
#include "families/framework/FamilyDialog.h"
#include "link/TEp3.h"
#include "shell/TFindDialogs.h"
#include "shell/TPicture1.h"
#include "sim/VirtualSocket.h"
#include "support/FakePlatform.h"

namespace quarvin::guitest {

struct EveryForm {
    explicit EveryForm(app::QtProgram& program) : host(program.host()), ctx{program.program().link(), fake.platform,
                                                      program.program().documents(), selection, {}} {
        Program& core = program.program();
        forms = {&splash, &core.linkDialog(), &core.typeDialog(), &core.documents().fillDialog(),
                 &core.fileCommands().formatDialog(), &core.findDialog(), &core.replaceDialog(), &core.serialDialog(),
                 &differences};
        if (program.virtualSocket()) {
            // A logic device in the socket shows the window's every control, its fuse map too.
            program.virtualSocket()->deviceSelected("TGALx", 3);
            forms.push_back(program.virtualSocket());
        }
        families.push_back(std::make_unique<TUnavailable>(ctx));
        for (const auto& [name, make] : BuiltFamilies()) families.push_back(make(ctx));
        for (auto& f : families) forms.push_back(f.get());
        for (Form* f : forms)
            if (!program.host().viewOf(*f)) program.host().formCreated(*f);
    }

    // The views of the forms made here go before the forms, so that the main window
    // never holds a view of a form that is gone.
    ~EveryForm() {
        for (Form* f : std::initializer_list<Form*>{&splash, &differences}) host.formDestroyed(*f);
        for (auto& f : families) host.formDestroyed(*f);
    }

    // Shows each form's view in turn and gathers what `check` says of it, given
    // the view and the form's class name.
    template <typename Check>
    QStringList checkEach(app::QtProgram& program, Check check) {
        QStringList said;
        for (Form* f : forms) {
            QWidget* view = program.host().viewOf(*f);
            if (!view) {
                said << QString::fromStdString(f->className()) + ": no view";
                continue;
            }
            view->show();
            QApplication::processEvents();
            said << check(view, QString::fromStdString(f->className()));
            view->hide();
        }
        return said;
    }

    app::QtWindowHost& host;
    TPicture1 splash;
    DifferencesWindow differences;
    SelectionState selection;
    test::FakePlatform fake;
    DeviceContext ctx;
    std::vector<std::unique_ptr<FamilyDialog>> families;
    std::vector<Form*> forms;
};

} // namespace quarvin::guitest
