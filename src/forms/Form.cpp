#include "forms/Form.h"

#include <algorithm>

#include "forms/OperationState.h"

namespace quarvin {

Control::Control(Form& owner, ControlKind k, std::string n) : kind(k), name(std::move(n)), owner_(&owner) {}

void Control::changed() { owner_->notifyControl(*this); }

void Control::setText(std::string t) {
    if (t == text_) return;
    text_ = std::move(t);
    changed();
}
void Control::setItems(std::vector<std::string> items) {
    items_ = std::move(items);
    if (itemIndex_ >= static_cast<int>(items_.size())) itemIndex_ = -1;
    changed();
}
void Control::setItemIndex(int i) {
    if (i == itemIndex_) return;
    itemIndex_ = i;
    changed();
}
void Control::setTopIndex(int i) {
    if (i == topIndex_) return;
    topIndex_ = i;
    changed();
}
void Control::setChecked(bool c) {
    if (c == checked_) return;
    checked_ = c;
    changed();
}
void Control::setEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    changed();
}
void Control::setVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    changed();
}
void Control::setRange(int min, int max) {
    if (min == min_ && max == max_) return;
    min_ = min;
    max_ = max;
    changed();
}
void Control::setPosition(int p) {
    if (p == pos_) return;
    pos_ = p;
    changed();
}
void Control::repaint() { owner_->notifyPaint(*this); }

Form::Form(std::string className, std::string caption, int width, int height)
    : className_(std::move(className)), caption_(std::move(caption)), width_(width), height_(height) {}

Form::~Form() = default;

void Form::resize(int width, int height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    notifyForm(FormEvent::Layout);
}

void Form::setCaption(std::string c) {
    if (c == caption_) return;
    caption_ = std::move(c);
    notifyForm(FormEvent::CaptionChanged);
}
void Form::show() {
    visible_ = true;
    notifyForm(FormEvent::Shown);
}
void Form::hide() {
    if (!visible_) return;
    visible_ = false;
    notifyForm(FormEvent::Hidden);
}
void Form::bringToFront() {
    visible_ = true;
    notifyForm(FormEvent::Raised);
}

Control& Form::add(ControlKind kind, std::string name, std::string text, int x, int y, int w, int h) {
    Control& c = controls_.emplace_back(*this, kind, std::move(name));
    c.x = x;
    c.y = y;
    c.w = w;
    c.h = h;
    c.setText(std::move(text));
    return c;
}

Control* Form::find(const std::string& name) {
    for (auto& c : controls_)
        if (c.name == name) return &c;
    return nullptr;
}

Control& Form::control(const std::string& name) {
    if (Control* c = find(name)) return *c;
    throw std::out_of_range("no control " + name + " on " + className_);
}

void Form::addObserver(FormObserver* o) {
    if (std::find(observers_.begin(), observers_.end(), o) == observers_.end()) observers_.push_back(o);
}
void Form::removeObserver(FormObserver* o) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
}

bool Form::invoke(const std::function<void()>& handler) {
    if (busy_ || !handler) return false;
    busy_ = true;
    OperationState::Scope running;
    try {
        handler();
    } catch (const OperationAborted& e) {
        busy_ = false;
        aborted(e);
        return true;
    } catch (...) {
        busy_ = false;
        throw;
    }
    busy_ = false;
    return true;
}

bool Form::takesInput() { return !OperationState::running(); }

void Form::click(const std::string& name) {
    Control& c = control(name);
    if (c.enabled() && takesInput()) invoke(c.onClick);
}
void Form::doubleClick(const std::string& name) {
    Control& c = control(name);
    if (c.enabled() && takesInput()) invoke(c.onDoubleClick);
}
void Form::exitField(const std::string& name) {
    Control& c = control(name);
    if (takesInput()) invoke(c.onExit);
}
void Form::keyDown(const std::string& name, int key) {
    Control& c = control(name);
    if (c.onKeyDown && takesInput()) invoke([&] { c.onKeyDown(key); });
}
void Form::userSetText(const std::string& name, std::string text) {
    Control& c = control(name);
    if (!takesInput()) return;
    c.setText(std::move(text));
    invoke(c.onChange);
}
void Form::userSetChecked(const std::string& name, bool checked) {
    Control& c = control(name);
    if (!takesInput()) return;
    c.setChecked(checked);
    invoke(c.onChange);
}
void Form::userSetIndex(const std::string& name, int index) {
    Control& c = control(name);
    if (!takesInput()) return;
    c.setItemIndex(index);
    invoke(c.onChange);
}
void Form::activate() {
    if (onActivate && takesInput()) invoke(onActivate);
}
void Form::close() {
    if (busy_ || !takesInput()) return;
    if (onClose) invoke(onClose);
    hide();
    notifyForm(FormEvent::Closed);
}

void Form::notifyControl(Control& c) {
    for (auto* o : std::vector<FormObserver*>(observers_)) o->controlChanged(c);
}
void Form::notifyPaint(Control& c) {
    for (auto* o : std::vector<FormObserver*>(observers_)) o->paintNow(c);
}
void Form::notifyForm(FormEvent e) {
    for (auto* o : std::vector<FormObserver*>(observers_)) o->formChanged(*this, e);
}

} // namespace quarvin
