#pragma once
// Picks a device in the main window's selection strip as a user does (category,
// maker, then a double click on the type), and finds the windows it opens.
#include <gtest/gtest.h>

#include <QtWidgets>

#include "MainWindowView.h"

namespace quarvin::guitest {

inline void Choose(app::MainWindowView* main, const char* category, const char* maker, const char* type) {
    auto* categories = main->findChild<QComboBox*>("ComboBox2");
    const int c = categories->findText(category, Qt::MatchContains);
    ASSERT_GE(c, 0) << category;
    categories->setCurrentIndex(c);
    emit categories->activated(c);
    auto* makers = main->findChild<QComboBox*>("ComboBox1");
    const int m = makers->findText(maker, Qt::MatchContains);
    ASSERT_GE(m, 0) << maker;
    makers->setCurrentIndex(m);
    emit makers->activated(m);
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

} // namespace quarvin::guitest
