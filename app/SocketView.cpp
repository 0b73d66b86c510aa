#include "SocketView.h"

#include <QDialog>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QVBoxLayout>
#include <cmath>

namespace quarvin::app {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The socket's proportions: rows 6 pitches apart (15.24 mm at 2.54 mm).
const double kRowsInPitches = SocketGeometry::RowSpacing / SocketGeometry::Pitch;
constexpr int kNameRoom = 64;   // px for a pin name beside the numbers (enlarged view)
constexpr int kNumberRoom = 18; // px for a socket pin number
constexpr QSize kEnlarged(440, 600);

} // namespace

SocketView::SocketView(QWidget* parent, bool withNames) : QWidget(parent), withNames_(withNames) {
    setToolTip(withNames ? QString() : QStringLiteral("Double-click to enlarge"));
    setMouseTracking(true);
}

void SocketView::setPicture(SocketPicture picture) {
    picture_ = std::move(picture);
    update();
}

double SocketView::titleHeight() const { return 2 * fontMetrics().height() + 6; }

SocketView::Frame SocketView::frame() const {
    const double side = kNumberRoom + (withNames_ ? kNameRoom : 0);
    const double rowsHeight = height() - titleHeight() - 8;
    // 19 pitches between the first and last row, one more above for the lever, a
    // little below for the socket's edge.
    double pitch = rowsHeight / 21.0;
    pitch = std::min(pitch, (width() - 2 * side) / (kRowsInPitches + 2.0));
    pitch = std::max(pitch, 1.0);
    const double rowSpacing = kRowsInPitches * pitch;
    return {titleHeight() + 1.6 * pitch, (width() - rowSpacing) / 2.0, pitch, rowSpacing};
}

QPointF SocketView::pinCentre(int socketPin) const {
    const Frame f = frame();
    const double scale = f.pitch / SocketGeometry::Pitch;
    return {f.left + SocketGeometry::x(socketPin) * scale, f.top + SocketGeometry::y(socketPin) * scale};
}

int SocketView::pinAt(QPointF point) const {
    const double reach = frame().pitch / 2;
    for (int s = 1; s <= kSocketPins; ++s) {
        const QPointF d = point - pinCentre(s);
        if (std::abs(d.x()) <= reach && std::abs(d.y()) <= reach) return s;
    }
    return 0;
}

void SocketView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const Frame f = frame();
    const QFontMetrics fm = fontMetrics();
    // Two title lines: the device, then the part and its place or "placement not known".
    const QString first = Q(picture_.device);
    QString second;
    if (!picture_.known()) {
        second = kPlacementNotKnown;
    } else {
        // The small view keeps to what to do: where pin 1 goes.
        const std::string where = "pin 1 in socket pin " + std::to_string(picture_.placement.firstSocketPin);
        second = withNames_ ? Q((picture_.part.empty() ? "" : picture_.part + ": ") +
                                std::to_string(picture_.placement.packagePins) + " pins, " + where)
                            : Q(where);
    }
    p.drawText(QRectF(2, 2, width() - 4, fm.height()), Qt::AlignHCenter, fm.elidedText(first, Qt::ElideRight, width() - 4));
    p.setPen(picture_.known() ? palette().color(QPalette::WindowText) : QColor(Qt::red));
    p.drawText(QRectF(2, 2 + fm.height(), width() - 4, fm.height()), Qt::AlignHCenter,
               fm.elidedText(second, Qt::ElideRight, width() - 4));

    const double x0 = f.left - f.pitch, x1 = f.left + f.rowSpacing + f.pitch;
    const double yLast = pinCentre(kSocketRowPins).y();
    // The lever lies along the pin 1 end.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#777777"));
    p.drawRect(QRectF(x0, f.top - 1.5 * f.pitch, x1 - x0, 0.5 * f.pitch));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor("#f2e6c9"));
    p.drawRoundedRect(QRectF(x0, f.top - 0.8 * f.pitch, x1 - x0, yLast - f.top + 1.6 * f.pitch), 3, 3);

    if (picture_.known()) {
        const int first = picture_.placement.firstSocketPin;
        const int last = first + picture_.placement.packagePins / 2 - 1;
        const double px0 = f.left + 0.7 * f.pitch, px1 = f.left + f.rowSpacing - 0.7 * f.pitch;
        const double py0 = pinCentre(first).y() - 0.6 * f.pitch, py1 = pinCentre(last).y() + 0.6 * f.pitch;
        const double mid = (px0 + px1) / 2, notch = 0.5 * f.pitch;
        QPainterPath outline;
        outline.moveTo(px0, py0);
        outline.lineTo(mid - notch, py0);
        outline.arcTo(QRectF(mid - notch, py0 - notch, 2 * notch, 2 * notch), 180, 180);
        outline.lineTo(px1, py0);
        outline.lineTo(px1, py1);
        outline.lineTo(px0, py1);
        outline.closeSubpath();
        p.setBrush(QColor(58, 58, 58, 70));
        p.drawPath(outline);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(px0 + 0.5 * f.pitch, pinCentre(first).y()), 0.15 * f.pitch, 0.15 * f.pitch);
    }

    QFont small = font();
    small.setPixelSize(std::max(6, static_cast<int>(f.pitch * 0.7)));
    p.setFont(small);
    const bool numbers = withNames_ || f.pitch >= 9;
    for (int s = 1; s <= kSocketPins; ++s) {
        const SocketPinPicture& pin = picture_.at(s);
        const QPointF c = pinCentre(s);
        p.setPen(QPen(QColor("#555555"), 1));
        p.setBrush(QColor(RoleColour(pin.role)));
        p.drawEllipse(c, 0.32 * f.pitch, 0.32 * f.pitch);
        if (picture_.hasFinding(s)) {
            // A stress event on this pin: a red ring, its text on hover.
            p.setPen(QPen(Qt::red, std::max(1.5, 0.12 * f.pitch)));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, 0.5 * f.pitch, 0.5 * f.pitch);
        }
        if (!numbers) continue;
        const bool left = s <= kSocketRowPins;
        p.setPen(palette().color(QPalette::WindowText));
        const double gap = 1.1 * f.pitch;
        const QRectF number = left ? QRectF(c.x() - gap - kNumberRoom, c.y() - f.pitch / 2, kNumberRoom, f.pitch)
                                   : QRectF(c.x() + gap, c.y() - f.pitch / 2, kNumberRoom, f.pitch);
        p.drawText(number, (left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, QString::number(s));
        if (withNames_ && !pin.name.empty()) {
            const QRectF name = left ? QRectF(number.left() - kNameRoom, number.top(), kNameRoom - 2, f.pitch)
                                     : QRectF(number.right() + 2, number.top(), kNameRoom - 2, f.pitch);
            p.drawText(name, (left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, Q(pin.name));
        }
    }
}

bool SocketView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (const int s = pinAt(help->pos())) {
            QToolTip::showText(help->globalPos(), Q(PinDescription(picture_, s)), this);
            return true;
        }
    }
    return QWidget::event(event);
}

void SocketView::mouseDoubleClickEvent(QMouseEvent*) {
    if (withNames_) return;
    auto* dialog = new QDialog(window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Socket"));
    auto* big = new SocketView(dialog, true);
    big->setObjectName(QStringLiteral("SocketViewEnlarged"));
    big->setPicture(picture_);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(big);
    dialog->resize(kEnlarged);
    dialog->show();
}

} // namespace quarvin::app
