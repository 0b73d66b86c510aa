#include "OperationRunner.h"

#include "Interrupt.h"
#include "Language.h"
#include "PlainWords.h"
#include "families/framework/OperationRecord.h"

namespace quarvin::cli {

ExitCode ExitCodeOf(Outcome outcome) {
    switch (outcome) {
    case Outcome::Done: return ExitCode::Ok;
    case Outcome::LinkLost: return ExitCode::LinkLost;
    case Outcome::Failed:
    case Outcome::Stopped:
    case Outcome::Refused: break;
    }
    return ExitCode::Failed;
}

RunReport RunOperations(const RunRequest& request, const std::vector<std::string>& operations, RunnerIo& io) {
    const auto quit = [&io] {
        if (io.quitRequested && io.quitRequested()) throw QuitNow{};
    };
    OperationHooks hooks;
    hooks.status = [&](const std::string& text, bool) { io.progress.status(text); };
    hooks.progress = [&](std::uint32_t address, std::uint32_t last) {
        quit();
        io.progress.show(address, last);
    };
    hooks.stopRequested = [&] {
        quit();
        return io.stopRequested && io.stopRequested();
    };
    const SessionJob job{request.link, request.buffer, request.selection, request.fields,
                         hooks,        request.prompts, request.readIds};

    // Without a box nothing was sent and every reply read 255: a success says so.
    const char* softRunNote = request.link.connected == 0 ? " (soft run: no box, nothing was sent)" : "";
    RunReport report;
    bool partial = false;
    const auto ended = [&](const std::string& operation, const OperationResult& result, bool quit) {
        RecordOperation(request.log, {operation, result, request.link, request.selection, request.buffer,
                                      request.fields, request.serial});
        report.exit = quit ? ExitCode::Failed : ExitCodeOf(result.outcome);
        report.quit = quit;
        report.operation = operation;
        report.last = result;
        return report;
    };
    for (const std::string& operation : operations) {
        if (io.stopRequested && io.stopRequested()) {
            const OperationResult notRun{Outcome::Stopped, "not run, stopped by Ctrl+C", 0, 0, {}, false};
            if (io.textLines) io.out << operation << ": " << notRun.message << "\n" << std::flush;
            return ended(operation, notRun, false);
        }
        if (io.operationStarts) io.operationStarts(operation);
        io.progress.begin(operation);
        try {
            OperationResult result = request.session.run(operation, job);
            io.progress.end();
            // A translated message says it plainly already.
            const std::string shown = Shown(result.message);
            const std::string plain = shown == result.message ? PlainWords(result.message) : "";
            if (io.textLines) {
                io.out << operation << ": " << shown << (plain.empty() ? "" : " (" + plain + ")")
                       << (result.ok() ? softRunNote : "") << '\n';
                for (const std::string& line : request.session.resultLines(operation)) io.out << line << '\n';
                io.out << std::flush;
            }
            if (result.ok()) result.message += softRunNote;
            ended(operation, result, false);
            if (!result.ok()) return report;
            if (!result.note.empty()) partial = true;
        } catch (const QuitNow&) {
            io.progress.end();
            const OperationResult quit{Outcome::Stopped,
                                       Terminated() ? "Stopped by a signal (SIGTERM or SIGHUP)" : "Stopped by a second Ctrl+C",
                                       0, 0, {}, false};
            if (io.textLines) io.out << operation << ": " << quit.message << "\n" << std::flush;
            return ended(operation, quit, true);
        }
    }
    report.exit = partial && !request.allowPartial ? ExitCode::Partial : ExitCode::Ok;
    return report;
}

std::vector<std::string> MissingOperations(const FamilySession& session, const std::vector<std::string>& operations) {
    std::vector<std::string> missing;
    for (const std::string& op : operations)
        if (!session.has(op)) missing.push_back(op);
    return missing;
}

} // namespace quarvin::cli
