#pragma once
// Test doubles for the platform interfaces: scripted answers, recorded texts.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "forms/Form.h"
#include "platform/Platform.h"

namespace quarvin::test {

struct PromptRecord {
    std::string kind; // "message", "yesno", "yescancel"
    std::string text;
    std::string title;
};

class FakePrompts : public Prompts {
public:
    std::vector<PromptRecord> shown;
    std::deque<bool> answers;   // answers for questions, in order; Yes when none is left
    int beeps = 0;

    void message(const std::string& text, const std::string& title) override {
        shown.push_back({"message", text, title});
    }
    bool askYesNo(const std::string& text, const std::string& title) override {
        shown.push_back({"yesno", text, title});
        return next();
    }
    bool askYesCancel(const std::string& text, const std::string& title) override {
        shown.push_back({"yescancel", text, title});
        return next();
    }
    void beep() override { ++beeps; }

    // Texts of all boxes shown, in order.
    std::vector<std::string> texts() const {
        std::vector<std::string> t;
        for (auto& r : shown) t.push_back(r.text);
        return t;
    }

private:
    bool next() {
        if (answers.empty()) return true;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

class FakeFileDialogs : public FileDialogs {
public:
    std::deque<std::optional<std::string>> openNames, saveNames;
    std::vector<FileDialogRequest> requests;
    std::optional<std::string> openName(const FileDialogRequest& r) override { return take(openNames, r); }
    std::optional<std::string> saveName(const FileDialogRequest& r) override { return take(saveNames, r); }

private:
    std::optional<std::string> take(std::deque<std::optional<std::string>>& q, const FileDialogRequest& r) {
        requests.push_back(r);
        if (q.empty()) return std::nullopt;
        auto n = q.front();
        q.pop_front();
        return n;
    }
};

class FakePrinter : public Printer {
public:
    std::vector<std::pair<std::string, std::string>> printed;
    bool print(const std::string& title, const std::string& text) override {
        printed.emplace_back(title, text);
        return true;
    }
};

class FakeSystemInfo : public SystemInfo {
public:
    OsVersion version{6, 1, 0, 0, "testhost", "Linux"};
    std::int64_t now = 0;
    std::int64_t step = 1; // each clock read advances the clock by this many ms
    OsVersion osVersion() override { return version; }
    std::int64_t wallClockMs() override {
        std::int64_t t = now;
        now += step;
        return t;
    }
};

class FakeStop : public StopRequest {
public:
    bool requested = false;
    int polls = 0;
    int stopAfterPolls = -1; // request a stop at the n-th poll
    bool stopRequested() override {
        ++polls;
        if (stopAfterPolls >= 0 && polls >= stopAfterPolls) requested = true;
        return requested;
    }
    void clear() override { requested = false; }
};

class FakeWindows : public WindowHost {
public:
    std::vector<std::string> created;   // class names in creation order
    std::vector<std::string> destroyed;
    // Modal forms are answered by a script per class name; without one they are cancelled.
    std::map<std::string, std::function<int(Form&)>> modalScripts;
    void formCreated(Form& f) override { created.push_back(f.className()); }
    void formDestroyed(Form& f) override { destroyed.push_back(f.className()); }
    int runModal(Form& f) override {
        auto it = modalScripts.find(f.className());
        if (it == modalScripts.end()) return Form::ModalCancel;
        return it->second(f);
    }
};

// All fakes together, with a Platform pointing at them.
struct FakePlatform {
    FakePrompts prompts;
    FakeFileDialogs files;
    FakePrinter printer;
    FakeSystemInfo system;
    FakeStop stop;
    FakeWindows windows;
    Platform platform{&prompts, &files, &printer, &system, &stop, &windows};
};

} // namespace quarvin::test
