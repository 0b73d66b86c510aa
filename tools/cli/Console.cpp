#include "Console.h"

#include <sys/utsname.h>

#include <chrono>
#include <cstdio>

#include "PlainWords.h"

namespace quarvin::cli {

void ConsolePrompts::message(const std::string& text, const std::string&) {
    const std::string plain = PlainWords(text);
    err_ << text << (plain.empty() ? "" : "\n(" + plain + ")") << '\n' << std::flush;
}

bool ConsolePrompts::answer(const std::string& text, const char* no) {
    err_ << text << "\n-> " << (yes_ ? "Yes (--yes)" : no) << '\n' << std::flush;
    return yes_;
}

bool ConsolePrompts::askYesNo(const std::string& text, const std::string&) {
    return answer(text, "No (give --yes to answer Yes)");
}

bool ConsolePrompts::askYesCancel(const std::string& text, const std::string&) {
    return answer(text, "Cancel (give --yes to answer Yes)");
}

OsVersion ConsoleSystemInfo::osVersion() {
    OsVersion v;
    struct utsname u {};
    if (::uname(&u) == 0) {
        v.systemName = u.sysname;
        v.extra = u.nodename;
        std::sscanf(u.release, "%d.%d.%d", &v.major, &v.minor, &v.build);
    }
    return v;
}

std::int64_t ConsoleSystemInfo::wallClockMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace quarvin::cli
