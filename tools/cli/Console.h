#pragma once
// What the core asks of a person, answered on the console: messages and
// questions go to stderr, and a question is answered by --yes or else No, so
// that a script never goes past a warning it did not ask for.
#include <cstdint>
#include <ostream>
#include <string>

#include "buffer/DocumentHost.h"
#include "platform/Platform.h"

namespace quarvin::cli {

class ConsolePrompts : public Prompts {
public:
    ConsolePrompts(std::ostream& err, bool answerYes) : err_(err), yes_(answerYes) {}
    void message(const std::string& text, const std::string& title = {}) override;
    bool askYesNo(const std::string& text, const std::string& title = {}) override;
    bool askYesCancel(const std::string& text, const std::string& title = {}) override;
    void beep() override {}

private:
    bool answer(const std::string& text, const char* no);
    std::ostream& err_;
    bool yes_;
};

class ConsoleSystemInfo : public SystemInfo {
public:
    OsVersion osVersion() override;
    std::int64_t wallClockMs() override;
};


} // namespace quarvin::cli
