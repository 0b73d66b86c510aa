#pragma once
// Whether a handler of any window is running. Every device operation runs its whole
// loop inside a button handler and lets events through while it repaints, so while
// this is set no window takes the user's input; only the stop request is heard.
#include <functional>

namespace quarvin {

class OperationState {
public:
    static bool running() { return depth_ > 0; }

    // Told true when the first handler starts and false when the last one ends.
    using Listener = std::function<void(bool running)>;
    static int addListener(Listener listener);
    static void removeListener(int id);

    // Marks a handler as running for the length of a scope.
    class Scope {
    public:
        Scope();
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };

    // A modal dialog opened by a running handler takes the user's input again until
    // it closes; the handlers around it count again afterwards.
    class Suspension {
    public:
        Suspension();
        ~Suspension();
        Suspension(const Suspension&) = delete;
        Suspension& operator=(const Suspension&) = delete;

    private:
        int outer_;
    };

private:
    static void setDepth(int depth);
    static int depth_;
};

} // namespace quarvin
