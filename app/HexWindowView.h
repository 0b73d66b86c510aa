#pragma once
// The hex window's view: the dump, the page scroll bar at its right edge and the
// Sum, Cursor and Start fields along the bottom.
#include <QWidget>

#include "TextWindowView.h"
#include "buffer/TFileWin.h"

class QScrollBar;

namespace quarvin::app {

class HexWindowView : public TextWindowView {
public:
    HexWindowView(TFileWin& model, QWidget* parent);
    QScrollBar* scrollBar() const { return scroll_; }
    // The MDI frame sizes itself from this: room for a whole dump line.
    QSize sizeHint() const override { return wanted_; }

protected:
    void syncControl(Control& c) override;
    void takeInput(bool allowed) override;

private:
    void syncScroll();
    void syncStart();

    TFileWin& hex_;
    QScrollBar* scroll_;
    QLineEdit* start_ = nullptr;
    QSize wanted_;
};

} // namespace quarvin::app

namespace quarvin {
// The MDI child content widget of a hex window.
QWidget* makeHexWindowView(TFileWin& model, QWidget* parent);
} // namespace quarvin
