#pragma once
// The view shared by the hex window and the PLD window: the model's text in the
// system's fixed-pitch font with its red and grey marks, the caret kept in step
// with the model both ways, typed characters and page keys forwarded to the
// model, the pop-up menu, and a bottom panel of the model's labels and fields.
#include <QWidget>
#include <map>
#include <string>

#include "buffer/TextWindow.h"

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace quarvin::app {

class TextWindowView : public QWidget, protected FormObserver {
public:
    TextWindowView(TextWindow& model, QWidget* parent);
    ~TextWindowView() override;

    TextWindow& model() { return model_; }
    QPlainTextEdit* text() const { return text_; }
    // The panel field of a model control (Edit1, Edit2, ...), nullptr if none.
    QLineEdit* field(const std::string& name) const;

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void controlChanged(Control& c) override;
    void paintNow(Control& c) override;
    void formChanged(Form& f, FormEvent e) override;

    // Adds a label and its field to the bottom panel.
    QLineEdit* addField(QHBoxLayout* panel, const char* label, const char* edit);
    // Called for changes of controls other than the text.
    virtual void syncControl(Control& c);
    // A handler of some window started (false) or the last one ended (true): the
    // fields take no input meanwhile.
    virtual void takeInput(bool allowed);
    QHBoxLayout* panel() const { return panel_; }
    QHBoxLayout* row() const { return row_; }
    int syncing_ = 0;

private:
    void renderText();
    void syncCaret();
    void caretFromWidget();
    void showPopup(const QPoint& at);

    TextWindow& model_;
    QPlainTextEdit* text_;
    QHBoxLayout* row_;
    QHBoxLayout* panel_;
    std::map<std::string, QLineEdit*> fields_;
    std::map<std::string, QLabel*> labels_;
    unsigned shownRevision_ = ~0u;
    int operationListener_ = 0;
};

} // namespace quarvin::app
