#pragma once
// One box of a run: its link, the chosen device and family session, the buffer
// loaded from --in, and the chips it programs one after the other (--repeat) or
// beside the other boxes of a gang.
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "Connection.h"
#include "Console.h"
#include "DataFiles.h"
#include "DeviceChoice.h"
#include "OperationRunner.h"
#include "Options.h"
#include "Progress.h"
#include "TraceFile.h"
#include "shell/RunLog.h"
#include "shell/SerialCounter.h"

namespace quarvin::cli {

struct BoxSetup {
    std::optional<std::string> port; // this box's port; empty: the port search
    int index = 0;                   // a gang's box number from 1 (its own chip image); 0 for run
    OperationLog* log = nullptr;     // the run log and --json
    SerialCounter* serial = nullptr; // --serial
    ProgressStyle progress = ProgressStyle::Lines;
};

// What became of one chip.
struct ChipReport {
    ExitCode exit = ExitCode::Ok;
    ExitCode operationsExit = ExitCode::Ok; // of the operations alone, before stress and output files
    int stressEvents = 0;       // what the virtual socket's referee saw
    bool quit = false;          // ended by the second Ctrl+C
    std::string serial;         // the number written into it, if any
    std::string operation;      // the last operation run ("" when none ran)
    OperationResult last;       // and its result
    std::string refusal;        // why no operation ran
};

class BoxRun {
public:
    BoxRun(const Options& o, BoxSetup setup, std::ostream& out, std::ostream& err);
    ~BoxRun();
    BoxRun(const BoxRun&) = delete;
    BoxRun& operator=(const BoxRun&) = delete;

    // Connects, chooses the device, sets its options and loads --in. Nothing when
    // the box is ready, else the exit status (the reason is on err).
    std::optional<ExitCode> prepare();
    // Runs the operations on the chip in the socket (on the virtual box: a new
    // chip with --fault and `extraFaults`), with the next serial number or the
    // one reserved for it, which goes back to the counter unless every operation
    // succeeded (the chip then holds it, verified, whatever the virtual socket's
    // referee or a failing output file adds to the exit status).
    ChipReport runChip(const std::vector<std::string>& extraFaults = {},
                       std::optional<std::uint64_t> reserved = std::nullopt);
    bool onVirtualBox() const;
    // Why prepare() gave up, as it said on err.
    const std::string& failure() const { return failure_; }
    // The chip image file of this box: --chip-image, with "-N" before the
    // extension for a gang's box N.
    std::string chipImagePath() const;

private:
    ChipReport refuse(ExitCode exit, const std::string& text);
    bool programs() const; // the operations write the chip
    const ChosenDevice& device() const { return *choice_.device; }

    const Options& o_;
    BoxSetup setup_;
    std::ostream& out_;
    std::ostream& err_;
    AddressFields fields_{0, 0, 0};
    // --changed-only done by the family's own Program (the serial EEPROMs), not by blocks here.
    bool changedInSession_ = false;
    TraceFile traceFile_;
    ConsolePrompts prompts_;
    ConsoleSystemInfo system_;
    Connection connection_;
    std::optional<std::vector<DeviceEntry>> entries_;
    DeviceChoice choice_;
    std::unique_ptr<FamilySession> familySession_; // the family's own operations
    std::unique_ptr<FamilySession> session_;       // with the socket check beside them
    formats::FuseGeometry geometry_{};
    std::unique_ptr<MainBuffer> buffer_;
    Loaded loaded_;
    std::vector<std::uint8_t> expected_; // compare: what --in put into the buffer
    std::optional<SerialSpec> serial_;
    std::string failure_;
};

// The run log of this command line: --log, else quarvin.log in the program
// directory; nothing with --no-log (and no --json). With --json every entry is
// also printed on `out` (under `lock`, shared with the boxes' lines).
std::unique_ptr<RunLogFile> OpenRunLog(const Options& o, std::ostream& out, std::ostream& err, std::mutex& lock);
// The serial counter of --serial (nothing without it); a bad spec is a usage error on err.
struct SerialSetup {
    std::unique_ptr<SerialCounter> counter;
    std::string error;
};
SerialSetup OpenSerialCounter(const Options& o);

} // namespace quarvin::cli
