// The generic view forwards the window's activation to its form: the 28C dialog
// then page-aligns "Length" again.
#include <QEvent>
#include <QLineEdit>

#include "FormView.h"
#include "families/FamilyRig.h"
#include "families/eeprom28c/E28Dialog.h"
#include "guitest.h"

using namespace quarvin;

namespace {

TEST(GuiFormView, ActivatingThe28CDialogAlignsItsLengthToThePage) {
    test::DialogRig<E28Dialog> rig(1); // 64-byte pages
    app::FormView view(rig.dlg, nullptr);
    auto* length = qobject_cast<QLineEdit*>(view.widgetFor("Edit3"));
    ASSERT_NE(length, nullptr);
    rig.dlg.control("Edit3").setText("100"); // typed, the field not left
    EXPECT_EQ(length->text(), "100");
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&view, &activate);
    EXPECT_EQ(length->text(), "13f");
    EXPECT_EQ(rig.dlg.fields().length, 0x13Fu);
}

} // namespace
