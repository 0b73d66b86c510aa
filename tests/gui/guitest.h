#pragma once
// Helpers of the GUI tests: a program directory with the shipped device lists,
// and an answer to the next message box.
#include <gtest/gtest.h>

#include <QtWidgets>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>

#include "catalogue/DeviceListSource.h"

namespace quarvin::guitest {

// A fresh program directory under the build tree with the device lists built from
// data/devices.src; with `virtualBox`, its port file names the virtual box only,
// so that no real serial port is probed. Returned with a trailing '/'.
// The directory is named after the running test as well, because the test runner
// starts the instances of a parameterised test side by side, and one instance
// clearing a shared directory under another makes that one fail or wait forever
// on a message box.
inline std::string ProgramDir(const std::string& name, bool virtualBox) {
    std::string test = name;
    if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info())
        test += std::string("-") + info->test_suite_name() + "-" + info->name();
    for (char& c : test)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') c = '_';
    const auto dir = std::filesystem::path(QUARVIN_BINARY_DIR) / "gui-program" / test;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::ifstream src(std::filesystem::path(QUARVIN_SOURCE_DIR) / "data" / "devices.src");
    for (auto& [file, text] : GenerateDeviceLists(src).files) std::ofstream(dir / file, std::ios::binary) << text;
    if (virtualBox) std::ofstream(dir / "zomexnt.con", std::ios::binary) << "VBOX";
    return dir.string() + "/";
}

// Answers the next message box with its button of `role`, waiting until one
// appears, and keeps the box's text in `seen`.
inline void AnswerBox(QMessageBox::ButtonRole role, QString* seen = nullptr) {
    QTimer::singleShot(10, [role, seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return AnswerBox(role, seen);
        if (seen) *seen = box->text();
        for (QAbstractButton* b : box->buttons())
            if (box->buttonRole(b) == role) return b->click();
        role == QMessageBox::YesRole ? box->accept() : box->reject();
    });
}

// Starts the program, answering the start question with Yes, and lets its
// windows come up.
template <class Program> void StartAnsweringYes(Program& program) {
    AnswerBox(QMessageBox::YesRole);
    program.start();
    QApplication::processEvents();
}

// Saves a picture under build/test/screenshots/ as `file`, for a person to look at
// (the README shows some of them); an unwritable picture, or one smaller than a
// drawn window gives, fails the test.
inline void SaveScreenshot(const QPixmap& picture, const std::string& file, std::uintmax_t leastBytes = 1000) {
    const auto path = std::filesystem::path(QUARVIN_BINARY_DIR) / "screenshots" / file;
    std::filesystem::create_directories(path.parent_path());
    std::filesystem::remove(path);
    ASSERT_TRUE(picture.save(QString::fromStdString(path.string()))) << path;
    EXPECT_GT(std::filesystem::file_size(path), leastBytes) << path;
}

// The characters of `text` that `font`, with the fallback fonts Qt picks for it,
// paints as the missing-glyph box.
inline QString MissingGlyphs(const QString& text, const QFont& font) {
    QString missing;
    for (const QChar c : text) {
        if (c.isSpace()) continue;
        // Each character laid out alone, so that a missing glyph names its character.
        QTextLayout layout(QString(c), font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun& run : layout.glyphRuns())
            if (run.glyphIndexes().contains(0)) missing += c;
    }
    return missing;
}

} // namespace quarvin::guitest
