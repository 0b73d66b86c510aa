#pragma once
// What a production run prints besides the operations: the running tally of
// --repeat, the result table of a gang, and --json's closing object.
#include <ostream>
#include <string>
#include <vector>

#include "OperationRunner.h"
#include "Options.h"

namespace quarvin::cli {

// Chips done and failed so far; a lost link counts as failed and makes the exit 3.
class Tally {
public:
    void add(ExitCode chip);
    std::string line() const; // "tally: 3 chips, 2 done, 1 failed"
    ExitCode exit() const;

private:
    int done_ = 0, failed_ = 0;
    bool linkLost_ = false;
};

// One box of a gang at the end.
struct BoxRow {
    int box = 0;
    std::string port, serial, result, message;
};

// The table (text) or one object per box (--json).
void PrintGangTable(const std::vector<BoxRow>& rows, bool json, std::ostream& out);
// 0 every box succeeded, 3 a link was lost, 2 a box refused the command line, else 1
// (also for a box that did only part of its range).
ExitCode GangExit(const std::vector<ExitCode>& boxes);

// The run's exit status; with --json also its closing object {"exit":N}.
int FinishRun(const Options& o, std::ostream& out, ExitCode exit);

} // namespace quarvin::cli
