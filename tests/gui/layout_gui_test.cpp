// Every control of every window lies inside its parent, no two sibling controls
// overlap, and the texts of lists and drop-down boxes fit their width, with the
// fonts the set-up installs, so that nothing is cut off at a window's edge.
#include "EveryForm.h"
#include "Language.h"
#include "MainWindowView.h"
#include "QtProgram.h"
#include "buffer/Documents.h"
#include "guitest.h"
#include "shell/Program.h"

using namespace quarvin;

namespace {

// The widgets a view made for the model's controls carry the controls' names;
// Qt's own inner widgets have none or a "qt_" one.
bool IsControl(QWidget* w, QWidget* window) {
    const QString name = w->objectName();
    return !name.isEmpty() && !name.startsWith("qt_") && w->isVisibleTo(window) && w->window() == window->window();
}

int WidestText(const QFontMetrics& fm, const QStringList& texts) {
    int widest = 0;
    for (const QString& t : texts) widest = std::max(widest, fm.horizontalAdvance(t));
    return widest;
}

// "form/control: what" for every control that breaks a rule.
QStringList LayoutFindings(QWidget* window, const QString& form) {
    QStringList findings;
    const auto say = [&](QWidget* w, const QString& what) { findings << form + "/" + w->objectName() + ": " + what; };
    std::map<QWidget*, std::vector<QWidget*>> byParent;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!IsControl(w, window)) continue;
        QWidget* parent = w->parentWidget();
        if (parent && !QRect(QPoint(0, 0), parent->size()).contains(w->geometry()))
            say(w, QString("at %1,%2 %3x%4 reaches past its parent's %5x%6")
                       .arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height())
                       .arg(parent->width()).arg(parent->height()));
        byParent[parent].push_back(w);
        if (auto* box = qobject_cast<QComboBox*>(w)) {
            QStringList items;
            for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
            QStyleOptionComboBox opt;
            opt.initFrom(box);
            const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, box);
            if (const int needs = WidestText(box->fontMetrics(), items); needs > field.width())
                say(w, QString("items need %1 px, the box shows %2").arg(needs).arg(field.width()));
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            QStringList items;
            for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
            const int room = list->viewport()->width() - 2 * list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin);
            if (const int needs = WidestText(list->fontMetrics(), items); needs > room)
                say(w, QString("rows need %1 px, the list shows %2").arg(needs).arg(room));
        }
    }
    for (const auto& [parent, children] : byParent)
        for (std::size_t i = 0; i < children.size(); ++i)
            for (std::size_t j = i + 1; j < children.size(); ++j)
                if (children[i]->geometry().intersects(children[j]->geometry()))
                    say(children[i], "overlaps " + children[j]->objectName());
    return findings;
}

// In each of the window's languages.
class GuiLayout : public ::testing::TestWithParam<app::Language> {
protected:
    void SetUp() override { ASSERT_TRUE(app::ApplyLanguage(GetParam())); }
    void TearDown() override { app::ApplyLanguage(app::Language::Classic); }
};

TEST_P(GuiLayout, EveryControlOfEveryFormLiesInsideItsParentAndApartFromItsSiblings) {
    app::QtProgram program(guitest::ProgramDir("layout", true), nullptr);
    guitest::StartAnsweringYes(program);
    ASSERT_NE(program.virtualSocket(), nullptr);
    guitest::EveryForm every(program);

    QStringList findings;
    findings << every.checkEach(program, LayoutFindings);
    // The main window at the size of a small screen, with each category listed,
    // and the two document windows in it.
    app::MainWindowView* main = program.mainWindow();
    main->showNormal();
    main->resize(1024, 700);
    Program& core = program.program();
    core.documents().New();
    QApplication::processEvents();
    auto* categories = main->findChild<QComboBox*>("ComboBox2");
    for (int c = 0; c < categories->count(); ++c) {
        categories->setCurrentIndex(c);
        emit categories->activated(c);
        QApplication::processEvents();
        findings << LayoutFindings(main, "TMainForm(" + categories->itemText(c).trimmed() + ")");
    }
    for (QMdiSubWindow* sub : main->mdiArea()->subWindowList())
        findings << LayoutFindings(sub->widget(), sub->widget()->objectName());
    core.documents().openPldWindow();
    QApplication::processEvents();
    for (QMdiSubWindow* sub : main->mdiArea()->subWindowList())
        findings << LayoutFindings(sub->widget(), sub->widget()->objectName());
    findings.removeDuplicates();
    EXPECT_TRUE(findings.isEmpty()) << findings.join('\n').toStdString();
    main->close();
}

INSTANTIATE_TEST_SUITE_P(Languages, GuiLayout,
                         ::testing::Values(app::Language::Classic, app::Language::English, app::Language::Chinese),
                         [](const auto& info) { return std::string(i18n::CodeOf(info.param)); });

} // namespace
