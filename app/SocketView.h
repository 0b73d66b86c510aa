#pragma once
// The placement picture painted to the socket's proportions: the lever end, the
// part's outline with its notch and pin 1, every pin in its role's colour; a
// pin's name and role show on hover. Double-click opens it enlarged, with names.
#include <QWidget>

#include "families/placement/SocketPicture.h"

namespace quarvin::app {

class SocketView : public QWidget {
public:
    explicit SocketView(QWidget* parent = nullptr, bool withNames = false);

    void setPicture(SocketPicture picture);
    const SocketPicture& picture() const { return picture_; }
    // The centre of a socket pin in widget coordinates, and the pin at a point (0: none).
    QPointF pinCentre(int socketPin) const;
    int pinAt(QPointF point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    struct Frame {
        double top, left, pitch, rowSpacing;
    };
    Frame frame() const;
    double titleHeight() const;

    SocketPicture picture_;
    bool withNames_;
};

} // namespace quarvin::app
