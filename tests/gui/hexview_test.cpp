// The hex and PLD window views driven through their widgets.
#include <memory>

#include "HexWindowView.h"
#include "PldWindowView.h"
#include "buffer/Documents.h"
#include "guitest.h"
#include "support/FakePlatform.h"

namespace quarvin::test {
namespace {

class DocumentViews : public ::testing::Test {
protected:
    DocumentViews() { buf.initialise(); }

    app::TextWindowView& viewOf(TextWindow& w) {
        widget.reset(makeDocumentView(w));
        widget->show();
        return *static_cast<app::TextWindowView*>(widget.get());
    }
    // A cursor at a line and column of the view's text.
    static QTextCursor at(app::TextWindowView& v, int line, int column) {
        QTextCursor c(v.text()->document());
        c.setPosition(v.text()->document()->findBlockByNumber(line).position() + column);
        return c;
    }
    static void key(app::TextWindowView& v, int qtKey, const QString& text = {}) {
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
        QApplication::sendEvent(v.text(), &press);
    }
    static QString line(app::TextWindowView& v, int n, int length) {
        return v.text()->document()->findBlockByNumber(n).text().left(length);
    }
    // Colour of the character at a line and column as painted.
    static QColor colourAt(app::TextWindowView& v, int line, int column) {
        return at(v, line, column + 1).charFormat().foreground().color();
    }

    MainBuffer buf;
    FakePlatform fake;
    Documents docs{buf, fake.platform};
    std::unique_ptr<QWidget> widget;
};

TEST_F(DocumentViews, TypingAHexDigitStoresAndPaintsItRed) {
    buf[0x105] = 0x3C;
    docs.New();
    TFileWin& w = *docs.hexWindow();
    w.setViewStartAddress(0x100);
    w.setEndAddress(0x11F);
    w.Refresh();
    auto& v = viewOf(w);
    EXPECT_EQ(line(v, 0, 27), QString("   100:  ff ff ff ff ff 3c "));
    v.text()->setTextCursor(at(v, 0, 24));
    EXPECT_EQ(v.field("Edit1")->text(), QString("105 "));
    key(v, Qt::Key_A, "a");
    EXPECT_EQ(buf[0x105], 0xAC);
    EXPECT_EQ(line(v, 0, 27).mid(24), QString("Ac "));
    EXPECT_EQ(colourAt(v, 0, 24), QColor(Qt::red));
    EXPECT_EQ(colourAt(v, 0, 25), QColor(Qt::black));
    EXPECT_EQ(colourAt(v, 0, 62), QColor(Qt::red));  // the character column too
    EXPECT_EQ(v.text()->textCursor().position(), 25);
    key(v, Qt::Key_G, "g");  // not a hex digit: nothing changes
    EXPECT_EQ(buf[0x105], 0xAC);
    EXPECT_EQ(colourAt(v, 1, 10), QColor(Qt::black));
    EXPECT_EQ(colourAt(v, 2, 10), QColor(0x80, 0x80, 0x80));  // rows past the end address are grey
}

TEST_F(DocumentViews, PageKeysScrollBarAndAddressField) {
    docs.New();
    TFileWin& w = *docs.hexWindow();
    auto& v = viewOf(w);
    auto* bar = static_cast<app::HexWindowView*>(&v)->scrollBar();
    EXPECT_EQ(bar->maximum(), 0xFF);
    key(v, Qt::Key_End);
    EXPECT_EQ(line(v, 15, 6), QString("  fff0"));
    EXPECT_EQ(bar->value(), 0xFF);
    key(v, Qt::Key_PageUp);
    EXPECT_EQ(line(v, 0, 6), QString("  fe00"));
    key(v, Qt::Key_PageDown);
    EXPECT_EQ(line(v, 0, 6), QString("  ff00"));
    key(v, Qt::Key_Home);
    EXPECT_EQ(w.viewStartAddress(), 0);
    v.field("Edit3")->setText("123");
    emit v.field("Edit3")->editingFinished();
    EXPECT_EQ(line(v, 0, 6), QString("   120"));
    bar->setValue(5);
    EXPECT_EQ(line(v, 0, 6), QString("   500"));
}

TEST_F(DocumentViews, PldLinePrefixTakesNoFuse) {
    std::fill(buf.data(), buf.data() + 6000, '0');
    TPldFileW& p = docs.openPldWindow();
    p.Refresh();
    auto& v = viewOf(p);
    const QString before = v.text()->toPlainText();
    v.text()->setTextCursor(at(v, 1, 3));
    key(v, Qt::Key_1, "1");
    EXPECT_EQ(v.text()->toPlainText(), before);
    v.text()->setTextCursor(at(v, 1, 7));
    key(v, Qt::Key_1, "1");
    EXPECT_EQ(buf[33], '1');
    EXPECT_EQ(line(v, 1, 8), QString("L0032 01"));
}

TEST_F(DocumentViews, ClosingTheMdiChildClosesTheWindowModel) {
    QMdiArea area;
    area.show();
    docs.New();
    QMdiSubWindow* sub = area.addSubWindow(makeDocumentView(*docs.hexWindow()));
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->show();
    sub->close();
    EXPECT_FALSE(docs.hasHexWindow());
    delete sub;  // the program deletes the view when the model is announced gone
}

} // namespace
} // namespace quarvin::test
