// Every caption of every window fits the room its widget gives it: the text of
// each label, button, check box, radio item and group box, measured with the
// widget's own font against the widget's contents rectangle as the style lays it out.
#include "EveryForm.h"
#include "FormView.h"
#include "Language.h"
#include "MainWindowView.h"
#include "QtProgram.h"
#include "guitest.h"
#include "link/LinkStartup.h"

using namespace quarvin;

namespace {

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

// In each of the window's languages.
class GuiCaptionsIn : public ::testing::TestWithParam<app::Language> {
protected:
    void SetUp() override { ASSERT_TRUE(app::ApplyLanguage(GetParam())); }
    void TearDown() override { app::ApplyLanguage(app::Language::Classic); }
};

TEST_P(GuiCaptionsIn, EveryCaptionOfEveryFormFitsItsWidget) {
    app::QtProgram program(guitest::ProgramDir("captions", true), nullptr);
    guitest::StartAnsweringYes(program);
    ASSERT_NE(program.virtualSocket(), nullptr);
    guitest::EveryForm every(program);

    QStringList clipped;
    clipped << every.checkEach(program, ClippedCaptions);
    program.mainWindow()->show();
    QApplication::processEvents();
    clipped << ClippedCaptions(program.mainWindow(), "TMainForm");
    EXPECT_TRUE(clipped.isEmpty()) << clipped.join('\n').toStdString();
    program.mainWindow()->close();
}

INSTANTIATE_TEST_SUITE_P(Languages, GuiCaptionsIn,
                         ::testing::Values(app::Language::Classic, app::Language::English, app::Language::Chinese),
                         [](const auto& info) { return std::string(i18n::CodeOf(info.param)); });

TEST(GuiCaptions, ChineseTextAndFullWidthPunctuationHaveGlyphs) {
    // The start question as the program's message box shows it.
    QMessageBox box(QMessageBox::Question, "QUARVIN", QString::fromUtf8(StartQuestion), QMessageBox::Yes | QMessageBox::No);
    auto* label = box.findChild<QLabel*>("qt_msgbox_label");
    ASSERT_NE(label, nullptr);
    for (const char* text : {StartQuestion, "测试光电偶合器", "检查和：", "PLD缓冲区窗口"})
        EXPECT_EQ(guitest::MissingGlyphs(QString::fromUtf8(text), label->font()).toStdString(), "") << text;
}

} // namespace
