#pragma once
// The platform for benchmarks: questions answered at once, no file dialogs, no
// printer, no windows, a steady clock and no stop requests.
#include <chrono>
#include <optional>
#include <string>

#include "forms/Form.h"
#include "platform/Platform.h"

namespace quarvin::bench {

struct BenchPlatform {
    struct Answers : Prompts {
        bool answer = true;
        void message(const std::string&, const std::string&) override {}
        bool askYesNo(const std::string&, const std::string&) override { return answer; }
        bool askYesCancel(const std::string&, const std::string&) override { return answer; }
        void beep() override {}
    } prompts;
    struct NoFiles : FileDialogs {
        std::optional<std::string> openName(const FileDialogRequest&) override { return std::nullopt; }
        std::optional<std::string> saveName(const FileDialogRequest&) override { return std::nullopt; }
    } files;
    struct NoPrinter : Printer {
        bool print(const std::string&, const std::string&) override { return false; }
    } printer;
    struct SteadyClock : SystemInfo {
        OsVersion osVersion() override { return {}; }
        std::int64_t wallClockMs() override {
            return std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now().time_since_epoch())
                .count();
        }
    } system;
    struct NeverStop : StopRequest {
        bool stopRequested() override { return false; }
        void clear() override {}
    } stop;
    struct NoWindows : WindowHost {
        void formCreated(Form&) override {}
        void formDestroyed(Form&) override {}
        int runModal(Form&) override { return Form::ModalCancel; }
    } windows;
    Platform platform{&prompts, &files, &printer, &system, &stop, &windows};
};

} // namespace quarvin::bench
