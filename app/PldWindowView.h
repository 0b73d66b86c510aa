#pragma once
// The PLD window's view: the fuse map with the cursor fuse and checksum fields.
#include <QWidget>

#include "TextWindowView.h"
#include "buffer/TPldFileW.h"

namespace quarvin::app {

class PldWindowView : public TextWindowView {
public:
    PldWindowView(TPldFileW& model, QWidget* parent);
};

} // namespace quarvin::app

namespace quarvin {
// The MDI child content widget of a PLD window.
QWidget* makePldWindowView(TPldFileW& model, QWidget* parent);
// The view of a hex or PLD window model, nullptr for any other form; suits
// QtWindowHost::childView.
QWidget* makeDocumentView(Form& form);
} // namespace quarvin
