#pragma once
// Form models: every window and dialog of the program is a Form whose controls keep
// the names of the form layout (Edit1, RadioGroup1, Message, ...). A Form holds the
// controls' state and its handlers; the Qt views in app/ render it and forward the
// user's actions back through the Form's event methods. A model announces every
// change to its observers, and asks for an immediate paint during long loops.
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quarvin {

// Thrown by the link when the box is lost; caught at the handler boundary so that a
// running operation ends and the program keeps running (see Form::invoke).
class OperationAborted : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class ControlKind {
    Label,
    Button,
    Edit,        // one-line edit field
    Memo,        // multi-line text
    CheckBox,
    RadioGroup,  // text = group caption, items = buttons, itemIndex = checked button
    GroupBox,    // text = caption; other controls name it as parent
    ProgressBar, // minimum, maximum, position
    ListBox,     // items, itemIndex
    ComboBox,    // items, itemIndex, text
    Panel,
};

enum class Colour { Default, Red, Maroon, Blue, Grey, Black };

enum Key : int {
    KeyEnter = 13,
    KeyEscape = 27,
    KeyPageUp = 33,
    KeyPageDown = 34,
    KeyEnd = 35,
    KeyHome = 36,
    KeyLeft = 37,
    KeyUp = 38,
    KeyRight = 39,
    KeyDown = 40,
};

class Form;

class Control {
public:
    Control(Form& owner, ControlKind kind, std::string name);

    // Declaration: fixed when the form is built.
    ControlKind kind;
    std::string name;
    std::string parent;       // name of the enclosing group box or panel, empty at top level
    int x = 0, y = 0, w = 0, h = 0; // in the form's client area, also inside a group box
    int columns = 1;          // radio groups
    Colour colour = Colour::Default;
    bool readOnly = false;
    bool isDefault = false;   // the button that Enter presses
    bool isCancel = false;    // the button that Esc presses
    bool fixedPitch = false;

    // Handlers, set by the form that owns the control.
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;
    std::function<void()> onExit;       // the field loses focus
    std::function<void()> onChange;     // user changed text, selection or check
    std::function<void(int key)> onKeyDown;

    // State. Setters announce the change to the form's observers.
    const std::string& text() const { return text_; }
    void setText(std::string t);
    const std::vector<std::string>& items() const { return items_; }
    void setItems(std::vector<std::string> items);
    int itemIndex() const { return itemIndex_; }
    void setItemIndex(int i);
    int topIndex() const { return topIndex_; }
    void setTopIndex(int i);
    bool checked() const { return checked_; }
    void setChecked(bool c);
    bool enabled() const { return enabled_; }
    void setEnabled(bool e);
    bool visible() const { return visible_; }
    void setVisible(bool v);
    int minimum() const { return min_; }
    int maximum() const { return max_; }
    int position() const { return pos_; }
    void setRange(int min, int max);
    void setPosition(int p);

    // Paint this control now, in the middle of a long-running handler.
    void repaint();

    Form& form() const { return *owner_; }

private:
    void changed();
    Form* owner_;
    std::string text_;
    std::vector<std::string> items_;
    int itemIndex_ = -1;
    int topIndex_ = 0;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    int min_ = 0, max_ = 100, pos_ = 0;
};

enum class FormEvent { Shown, Hidden, Raised, CaptionChanged, Closed, Layout };

class FormObserver {
public:
    virtual ~FormObserver() = default;
    virtual void controlChanged(Control&) {}
    virtual void paintNow(Control&) {}
    virtual void formChanged(Form&, FormEvent) {}
};

class Form {
public:
    Form(std::string className, std::string caption, int width, int height);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& className() const { return className_; }
    const std::string& caption() const { return caption_; }
    void setCaption(std::string c);
    int width() const { return width_; }
    int height() const { return height_; }
    // A new size for forms whose content changes (views hear FormEvent::Layout).
    void resize(int width, int height);
    bool visible() const { return visible_; }
    void show();
    void hide();
    void bringToFront();

    // Builds a control; the reference stays valid for the life of the form.
    Control& add(ControlKind kind, std::string name, std::string text = {},
                 int x = 0, int y = 0, int w = 0, int h = 0);
    Control* find(const std::string& name);
    Control& control(const std::string& name); // throws std::out_of_range
    const std::deque<Control>& controls() const { return controls_; }

    void addObserver(FormObserver* o);
    void removeObserver(FormObserver* o);

    // User actions, called by views and tests. Each runs the control's handler
    // through invoke(); none does anything while a handler of any form is running
    // (see OperationState), except stop requests, which the platform keeps.
    void click(const std::string& name);
    void doubleClick(const std::string& name);
    void exitField(const std::string& name);
    void keyDown(const std::string& name, int key);
    void userSetText(const std::string& name, std::string text);
    void userSetChecked(const std::string& name, bool checked);
    void userSetIndex(const std::string& name, int index);
    // The close box or Esc: runs onClose, then hides the form.
    void close();
    // The window became the active one: runs onActivate, when the form has one.
    void activate();

    // Runs a handler; an OperationAborted ends it and calls aborted(). Returns false
    // when the form was busy and the handler did not run.
    bool invoke(const std::function<void()>& handler);
    bool busy() const { return busy_; }
    // False while a handler of any form runs: the user's input is refused then.
    static bool takesInput();

    // Modal result for forms run through WindowHost::runModal: 0 while open.
    enum ModalResult { ModalNone = 0, ModalOk = 1, ModalCancel = 2 };
    int modalResult() const { return modalResult_; }
    void setModalResult(int r) { modalResult_ = r; }

    std::function<void()> onClose;
    std::function<void()> onActivate;

protected:
    // Called after a handler ended through OperationAborted (the link was lost).
    virtual void aborted(const OperationAborted&) {}

private:
    friend class Control;
    void notifyControl(Control& c);
    void notifyPaint(Control& c);
    void notifyForm(FormEvent e);

    std::string className_;
    std::string caption_;
    int width_, height_;
    bool visible_ = false;
    bool busy_ = false;
    int modalResult_ = ModalNone;
    std::deque<Control> controls_;
    std::vector<FormObserver*> observers_;
};

} // namespace quarvin
