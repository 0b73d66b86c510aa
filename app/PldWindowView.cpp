#include "PldWindowView.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>

#include "HexWindowView.h"

namespace quarvin::app {

PldWindowView::PldWindowView(TPldFileW& model, QWidget* parent) : TextWindowView(model, parent) {
    text()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    text()->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    addField(panel(), "Label1", "Edit1");
    addField(panel(), "Label4", "Edit2");
    addField(panel(), "Label5", "Edit3");
    resize(520, 400);
}

} // namespace quarvin::app

namespace quarvin {

QWidget* makePldWindowView(TPldFileW& model, QWidget* parent) { return new app::PldWindowView(model, parent); }

QWidget* makeDocumentView(Form& form) {
    if (auto* hex = dynamic_cast<TFileWin*>(&form)) return makeHexWindowView(*hex, nullptr);
    if (auto* pld = dynamic_cast<TPldFileW*>(&form)) return makePldWindowView(*pld, nullptr);
    return nullptr;
}

} // namespace quarvin
