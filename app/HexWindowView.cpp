#include "HexWindowView.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace quarvin::app {

HexWindowView::HexWindowView(TFileWin& model, QWidget* parent)
    : TextWindowView(model, parent), hex_(model), scroll_(new QScrollBar(Qt::Vertical, this)) {
    scroll_->setObjectName("ScrollBar1");
    scroll_->setPageStep(1);
    row()->addWidget(scroll_);
    // Pages are changed by the model's own scroll bar and keys, never by the text's.
    text()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text()->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    addField(panel(), "Label4", "Edit2");
    addField(panel(), "Label1", "Edit1");
    start_ = addField(panel(), "Label3", "Edit3");
    connect(start_, &QLineEdit::editingFinished, this, [this] {
        if (syncing_) return;
        hex_.userSetText("Edit3", start_->text().toStdString());
        hex_.exitField("Edit3");
    });

    connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) {
        if (syncing_) return;
        hex_.ScrollBarChange(v, !scroll_->isSliderDown());
    });
    connect(scroll_, &QScrollBar::sliderReleased, this, [this] {
        if (syncing_) return;
        hex_.ScrollBarChange(scroll_->value(), true);
    });

    syncScroll();
    syncStart();
    const QFontMetrics fm(text()->font());
    // A whole dump line with the frame, margins and scroll bar, within 640 x 400.
    wanted_ = QSize(std::min(640, fm.horizontalAdvance(QString(73, QLatin1Char('0'))) +
                                      2 * text()->frameWidth() +
                                      2 * static_cast<int>(text()->document()->documentMargin()) +
                                      scroll_->sizeHint().width() + 24),
                    std::min(400, fm.lineSpacing() * 17 + 60));
    resize(wanted_);
    setMaximumSize(640, 400);
    takeInput(Form::takesInput());
}

void HexWindowView::takeInput(bool allowed) {
    TextWindowView::takeInput(allowed);
    scroll_->setEnabled(allowed);
}

void HexWindowView::syncScroll() {
    ++syncing_;
    const Control& c = hex_.control("ScrollBar1");
    scroll_->setRange(c.minimum(), c.maximum());
    if (!scroll_->isSliderDown()) scroll_->setValue(c.position());
    --syncing_;
}

void HexWindowView::syncStart() {
    ++syncing_;
    const QString t = QString::fromStdString(hex_.control("Edit3").text());
    if (start_->text() != t) start_->setText(t);
    start_->setStyleSheet(hex_.startFieldYellow() ? "background: yellow;" : "background: white;");
    --syncing_;
}

void HexWindowView::syncControl(Control& c) {
    if (c.name == "ScrollBar1") syncScroll();
    else if (c.name == "Edit3") syncStart();
    else TextWindowView::syncControl(c);
}

} // namespace quarvin::app

namespace quarvin {
QWidget* makeHexWindowView(TFileWin& model, QWidget* parent) { return new app::HexWindowView(model, parent); }
} // namespace quarvin
