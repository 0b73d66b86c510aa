#pragma once
// Runs a family's operations one after the other, as their buttons would, and
// turns each result into a line "OPERATION: MESSAGE" and the exit status.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "Progress.h"
#include "families/framework/FamilySession.h"
#include "platform/OperationLog.h"

namespace quarvin::cli {

enum class ExitCode : int {
    Ok = 0,       // every operation succeeded
    Failed = 1,   // one failed, was stopped or refused; the later ones did not run
    Usage = 2,    // the command line asked for something that cannot be done
    LinkLost = 3, // the box stopped answering, or none answered
    Partial = 4,  // every operation ran, but one did only part of the requested range
};

ExitCode ExitCodeOf(Outcome outcome);

struct RunRequest {
    FamilySession& session;
    LinkState& link;
    MainBuffer& buffer;
    const SelectionState& selection;
    AddressFields fields;
    Prompts* prompts = nullptr;
    std::function<std::string()> readIds;
    bool allowPartial = false; // a run cut short by the buffer's or the device's end still exits 0
    OperationLog* log = nullptr; // the run log and --json: every operation's entry
    std::string serial;          // the serial number written into the buffer, if any
};

struct RunnerIo {
    std::ostream& out;
    ProgressDisplay& progress;
    std::function<bool()> stopRequested; // Ctrl+C once
    std::function<bool()> quitRequested; // Ctrl+C twice
    std::function<void(const std::string&)> operationStarts = {}; // the link trace's label
    bool textLines = true; // "OPERATION: MESSAGE" on out (--json prints the log's objects instead)
};

struct RunReport {
    ExitCode exit = ExitCode::Ok;
    bool quit = false; // ended by the second Ctrl+C
    // The last operation run: what a gang's table shows of the box.
    std::string operation;
    OperationResult last;
};

RunReport RunOperations(const RunRequest& request, const std::vector<std::string>& operations, RunnerIo& io);

// The operations of the list that the session does not have.
std::vector<std::string> MissingOperations(const FamilySession& session, const std::vector<std::string>& operations);

} // namespace quarvin::cli
