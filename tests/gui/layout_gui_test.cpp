// Every control of every window, in each of the window's languages: it lies
// inside its parent and apart from its siblings, the texts of lists and
// drop-down boxes fit their width, and each caption (label, button, check box,
// radio item, group box) fits the room the style gives it, measured with the
// widget's own font and the fonts the set-up installs, so that nothing is cut
// off at a window's edge.
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
        // The widest item of a drop-down box or a list against the width it is shown in.
        int widest = 0, room = INT_MAX;
        if (auto* box = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < box->count(); ++i) widest = std::max(widest, w->fontMetrics().horizontalAdvance(box->itemText(i)));
            QStyleOptionComboBox opt;
            opt.initFrom(box);
            room = box->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, box).width();
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            for (int i = 0; i < list->count(); ++i) widest = std::max(widest, w->fontMetrics().horizontalAdvance(list->item(i)->text()));
            room = list->viewport()->width() - 2 * list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin);
        }
        if (widest > room) say(w, QString("items need %1 px, it shows %2").arg(widest).arg(room));
    }
    for (const auto& [parent, children] : byParent)
        for (std::size_t i = 0; i < children.size(); ++i)
            for (std::size_t j = i + 1; j < children.size(); ++j)
                if (children[i]->geometry().intersects(children[j]->geometry()))
                    say(children[i], "overlaps " + children[j]->objectName());
    return findings;
}

// The part of a widget in which its caption is painted.
QRect CaptionRoom(QWidget* w, const QString& text) {
    QStyle* style = w->style();
    if (qobject_cast<QPushButton*>(w) || qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(w);
        opt.text = text;
        const QStyle::SubElement contents = qobject_cast<QPushButton*>(w)  ? QStyle::SE_PushButtonContents
                                            : qobject_cast<QCheckBox*>(w) ? QStyle::SE_CheckBoxContents
                                                                           : QStyle::SE_RadioButtonContents;
        QRect room = style->subElementRect(contents, &opt, w);
        if (qobject_cast<QPushButton*>(w)) {
            // The button's own text margins, as it paints them.
            const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, &opt, w) / 2;
            room.adjust(margin, 0, -margin, 0);
        }
        return room;
    }
    if (auto* g = qobject_cast<QGroupBox*>(w)) {
        QStyleOptionGroupBox opt;
        opt.initFrom(g);
        opt.text = text;
        opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        opt.textAlignment = g->alignment();
        // The label is placed where the style puts it; its room ends at the box's edge.
        const QRect label = style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
        return label.intersected(g->rect());
    }
    return w->contentsRect();
}

QString CaptionOf(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w)) return l->pixmap().isNull() ? l->text() : QString();
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
    if (qobject_cast<QToolButton*>(w)) return {}; // tool bar buttons size themselves to their text
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    return {};
}

// "form/control: 'caption' needs WxH, has WxH" for each caption that does not fit.
QStringList ClippedCaptions(QWidget* window, const QString& formName) {
    QStringList clipped;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const QString text = CaptionOf(w);
        // Dialogs owned by the window are windows of their own, measured on their own.
        if (text.trimmed().isEmpty() || !w->isVisibleTo(window) || w->window() != window) continue;
        const QFontMetrics fm(w->font());
        const QSize needs = fm.size(Qt::TextShowMnemonic, text);
        QRect room = CaptionRoom(w, text);
        // A widget that reaches past its parent is cut off there.
        if (QWidget* p = w->parentWidget(); p && p != window)
            room = room.intersected(QRect(-w->pos(), p->size()));
        if (needs.width() > room.width() || needs.height() > room.height())
            clipped << QString("%1/%2: '%3' needs %4x%5, has %6x%7").arg(formName, w->objectName(), text)
                           .arg(needs.width()).arg(needs.height()).arg(room.width()).arg(room.height());
    }
    return clipped;
}

// What breaks a rule in the window, as "form/control: what".
QStringList Findings(QWidget* window, const QString& form) { return LayoutFindings(window, form) + ClippedCaptions(window, form); }

class GuiLayout : public ::testing::TestWithParam<app::Language> {
protected:
    void SetUp() override { ASSERT_TRUE(app::ApplyLanguage(GetParam())); }
    void TearDown() override { app::ApplyLanguage(app::Language::Classic); }
};

TEST_P(GuiLayout, EveryControlOfEveryFormFitsItsParentItsSiblingsAndItsCaption) {
    app::QtProgram program(guitest::ProgramDir("layout", true), nullptr);
    guitest::StartAnsweringYes(program);
    ASSERT_NE(program.virtualSocket(), nullptr);
    guitest::EveryForm every(program);

    QStringList findings;
    findings << every.checkEach(program, Findings);
    // The main window at the size of a small screen, with each category listed and
    // the hex window in it (measured as part of the main window), then the PLD window.
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
        findings << Findings(main, "TMainForm(" + categories->itemText(c).trimmed() + ")");
    }
    core.documents().openPldWindow();
    QApplication::processEvents();
    for (QMdiSubWindow* sub : main->mdiArea()->subWindowList())
        findings << Findings(sub->widget(), sub->widget()->objectName());
    findings.removeDuplicates();
    EXPECT_TRUE(findings.isEmpty()) << findings.join('\n').toStdString();
    main->close();
}

INSTANTIATE_TEST_SUITE_P(Languages, GuiLayout,
                         ::testing::Values(app::Language::Classic, app::Language::English, app::Language::Chinese),
                         [](const auto& info) { return std::string(i18n::CodeOf(info.param)); });

} // namespace
