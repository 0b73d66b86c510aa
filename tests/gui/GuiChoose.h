#pragma once
// Picks a device in the main window's selection strip as a user does (category,
// maker, then a double click on the type), finds the windows it opens and clicks
// their buttons.
#include <gtest/gtest.h>

#include <QtWidgets>

#include "MainWindowView.h"

namespace quarvin::guitest {

inline void Choose(app::MainWindowView* main, const char* category, const char* maker, const char* type) {
    for (const auto& [boxName, text] : {std::pair{"ComboBox2", category}, std::pair{"ComboBox1", maker}}) {
        auto* box = main->findChild<QComboBox*>(boxName);
        const int i = box->findText(text, Qt::MatchContains);
        ASSERT_GE(i, 0) << text;
        box->setCurrentIndex(i);
        emit box->activated(i);
    }
    const auto found = main->typeList()->findItems(type, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << type;
    main->typeList()->setCurrentItem(found.front());
    emit main->typeList()->itemDoubleClicked(found.front());
    QApplication::processEvents();
}

// The top-level window of that object name (a family dialog is named by its class).
inline QWidget* TopLevel(const char* objectName) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == objectName) return w;
    return nullptr;
}

// Clicks the dialog's button and returns what its message field then says.
inline std::string Click(QWidget* dialog, const char* button, const char* message = "Message") {
    dialog->findChild<QAbstractButton*>(button)->click();
    return dialog->findChild<QLineEdit*>(message)->text().toStdString();
}

} // namespace quarvin::guitest
