#pragma once
// A window host that holds back the announcements of the forms built through it
// until release(), then passes them and every later call on. Lets a part be built
// early for its services while its window appears in its own place of the
// start-up order.
#include <vector>

#include "platform/Platform.h"

namespace quarvin {

class DeferredWindows : public WindowHost {
public:
    explicit DeferredWindows(WindowHost& target) : target_(target) {}

    void release() {
        held_ = false;
        std::vector<Form*> pending;
        pending.swap(pending_);
        for (Form* f : pending) target_.formCreated(*f);
    }

    void formCreated(Form& form) override {
        if (held_)
            pending_.push_back(&form);
        else
            target_.formCreated(form);
    }
    void formDestroyed(Form& form) override {
        for (auto it = pending_.begin(); it != pending_.end(); ++it)
            if (*it == &form) {
                pending_.erase(it);
                return;  // never announced, so nothing to take back
            }
        target_.formDestroyed(form);
    }
    int runModal(Form& form) override { return target_.runModal(form); }

private:
    WindowHost& target_;
    bool held_ = true;
    std::vector<Form*> pending_;
};

} // namespace quarvin
