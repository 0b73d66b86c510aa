// run: device operations without a window, with the families' own code.
#include <unistd.h>

#include <map>

#include "ChangedOnly.h"
#include "Commands.h"
#include "Connection.h"
#include "Console.h"
#include "DataFiles.h"
#include "DeviceChoice.h"
#include "Interrupt.h"
#include "OperationRunner.h"
#include "OutputFile.h"
#include "TraceFile.h"
#include "VirtualChip.h"
#include "buffer/Differences.h"
#include "catalogue/TTypeDlg.h"
#include "forms/HexText.h"
#include "link/commands/LinkOps.h"
#include "sim/ChipImage.h"
#include "sim/VirtualBoxTransport.h"

namespace quarvin::cli {

namespace {

int Exit(ExitCode code) { return static_cast<int>(code); }

int Usage(std::ostream& err, const std::string& text) {
    err << "quarvin-cli: " << text << '\n';
    return Exit(ExitCode::Usage);
}

// One of the dialog's hexadecimal fields; the refusal text when it holds no
// usable number.
std::string ReadField(const char* option, const std::optional<std::string>& text, std::uint32_t& value) {
    if (!text) return {};
    const HexField field = ReadHexField(*text);
    switch (field.status) {
    case HexFieldStatus::Ok: value = field.value; return {};
    case HexFieldStatus::NoNumber: return std::string(option) + " needs a hexadecimal number, not '" + *text + "'";
    case HexFieldStatus::TooManyDigits: return std::string(option) + ": '" + *text + "' has more than 8 hex digits";
    case HexFieldStatus::TooLarge: break;
    }
    return std::string(option) + ": '" + *text + "' is too large";
}

// The link went during the handshake or the socket's reset: the operation line
// says so, as every other end of a run does.
int LostBeforeTheFirstOperation(const Options& o, std::ostream& out) {
    out << o.operations.front() << ": " << kNotConnectedText
        << " (the box stopped answering before the operation began; nothing ran)\n"
        << std::flush;
    return Exit(ExitCode::LinkLost);
}

// A family's session whose operations the virtual box's electrical referee
// follows: it names each one while it runs and checks the socket once it has
// reported (after a lost link the box no longer obeys: nothing to judge).
class RefereedSession : public FamilySession {
public:
    RefereedSession(FamilySession& inner, sim::StressReferee* referee) : inner_(inner), referee_(referee) {}
    std::vector<FamilyOperationInfo> operations() const override { return inner_.operations(); }
    std::vector<FamilyOptionInfo> options() const override { return inner_.options(); }
    std::string setOption(const std::string& name, const std::string& value) override {
        return inner_.setOption(name, value);
    }
    std::uint32_t lastAddress(int subType) const override { return inner_.lastAddress(subType); }
    std::vector<std::string> resultLines(const std::string& operation) const override {
        return inner_.resultLines(operation);
    }
    std::string unavailable(const std::string& operation, int subType) const override {
        return inner_.unavailable(operation, subType);
    }
    std::optional<formats::FuseGeometry> fuseGeometry(int subType) const override {
        return inner_.fuseGeometry(subType);
    }
    bool leavesPartPowered(const std::string& operation) const override {
        return inner_.leavesPartPowered(operation);
    }
    OperationResult run(const std::string& operation, const SessionJob& job) override {
        if (referee_) referee_->setOperation(operation);
        const OperationResult r = inner_.run(operation, job);
        if (referee_ && r.outcome != Outcome::LinkLost) referee_->operationEnded(inner_.leavesPartPowered(operation));
        return r;
    }

private:
    FamilySession& inner_;
    sim::StressReferee* referee_;
};

bool ChipOptionsGiven(const Options& o) { return !o.chip.empty() || !o.chipImage.empty() || !o.faults.empty(); }

// The selection dialog's manufacturer and type code detection, for "id".
class CodeDetection {
public:
    CodeDetection(LinkState& link, Prompts& prompts, SystemInfo& system, MainBuffer& buffer, const std::string& dir,
                  int category)
        : docs_(buffer), category_(category) {
        platform_.prompts = &prompts;
        platform_.system = &system;
        dialog_ = std::make_unique<TTypeDlg>(link, platform_, docs_, dir, nullptr, kNoDialogs);
    }
    std::string operator()() {
        dialog_->setCategoryIndex(category_);
        dialog_->MFRClick();
        return dialog_->control("Edit1").text();
    }

private:
    // The command line opens no family dialogs.
    static inline const std::map<std::string, FamilyFactory> kNoDialogs{};
    BufferOnlyDocuments docs_;
    int category_;
    Platform platform_;
    std::unique_ptr<TTypeDlg> dialog_;
};

// compare: every byte of Buffer Start .. Buffer Start + Length that the chip read
// differs in.
ExitCode ListDifferences(const std::vector<std::uint8_t>& expected, const MainBuffer& read, const AddressFields& fields,
                         std::int64_t maxListed, std::ostream& out) {
    const std::int64_t first = std::min<std::int64_t>(fields.bufferStart, kBufferLast);
    const std::int64_t last = std::min<std::int64_t>(std::int64_t{fields.bufferStart} + fields.length, kBufferLast);
    DifferenceList differences(maxListed);
    differences.compare(first, expected.data() + first, read.data() + first, last - first + 1);
    out << differences.text("buffer", "chip");
    return differences.empty() ? ExitCode::Ok : ExitCode::Failed;
}

} // namespace

int RunCommand(const Options& o, std::ostream& out, std::ostream& err) {
    AddressFields fields{0, 0, 0};
    for (const auto& [option, text, value] :
         {std::tuple{"--buffer-start", &o.bufferStart, &fields.bufferStart},
          std::tuple{"--device-start", &o.deviceStart, &fields.deviceStart}, std::tuple{"--length", &o.length, &fields.length}}) {
        const std::string refusal = ReadField(option, *text, *value);
        if (!refusal.empty()) return Usage(err, refusal);
    }
    if (o.softRun && o.port) return Usage(err, "--soft-run and --port exclude each other");
    const bool virtualPortNamed = o.port && *o.port == sim::VirtualPortName;
    if (ChipOptionsGiven(o) && (o.softRun || (o.port && !virtualPortNamed)))
        return Usage(err, "--chip, --chip-image and --fault need the virtual box (--port VBOX)");

    const TraceFile traceFile = OpenTraceFile(o.trace);
    if (!traceFile.error.empty()) return Usage(err, traceFile.error);
    const auto& trace = traceFile.trace;

    ConsolePrompts prompts(err, o.yes);
    ConsoleSystemInfo system;
    Connection connection;
    LinkState& link = connection.link;
    TraceStep(trace, "connect");
    const ConnectResult connected = Connect(connection, {o.port, o.softRun, o.dir, trace}, prompts, system);
    if (connected == ConnectResult::NoBox) {
        err << "quarvin-cli: no box answered" << (o.port ? " on " + *o.port : std::string()) << '\n';
        return Exit(ExitCode::LinkLost);
    }
    if (ChipOptionsGiven(o) && !connection.onVirtualBox())
        return Usage(err, "--chip, --chip-image and --fault need the virtual box (--port VBOX)");

    std::string listPath;
    try {
        listPath = o.list.value_or(DeviceListPath(o.dir, connected == ConnectResult::Connected ? GetBoardModel(link) : 0));
    } catch (const LinkLost&) {
        return LostBeforeTheFirstOperation(o, out);
    }
    const auto entries = ReadDeviceList(listPath);
    const DeviceChoice choice = ChooseDevice(o, entries, listPath);
    if (!choice.device) return Usage(err, choice.error);
    const ChosenDevice& device = *choice.device;

    const auto session = device.family->makeSession();
    const auto missing = MissingOperations(*session, o.operations);
    if (!missing.empty()) return Usage(err, device.dialogClass + " has no operation " + missing.front() + " (see quarvin-cli ops)");
    for (const std::string& operation : o.operations) {
        const std::string why = session->unavailable(operation, device.selection.subType);
        if (!why.empty()) return Usage(err, device.dialogClass + ": " + why);
    }
    for (const auto& [name, value] : o.familyOptions) {
        const std::string refusal = session->setOption(name, value);
        if (!refusal.empty()) return Usage(err, refusal);
    }
    // compare and --changed-only read the chip from address 0 into the buffer from 0.
    if ((o.command == "compare" || o.changedOnly) && (fields.bufferStart != 0 || fields.deviceStart != 0))
        return Usage(err, "compare and --changed-only need --buffer-start and --device-start 0");
    if (o.changedOnly && !TakesChangedOnly(device.dialogClass))
        return Usage(err, "--changed-only works on the 28C and 29EE families, not " + device.dialogClass);
    // The dialog's start shows the device's last address as Length.
    if (!o.length) fields.length = session->lastAddress(device.selection.subType);

    // JEDEC files of a logic device take its fuse map geometry unless the options give one.
    formats::FuseGeometry geometry{o.fusesPerRow, o.fuseRows};
    if (const auto own = session->fuseGeometry(device.selection.subType); own && !o.fuseGeometryGiven) geometry = *own;

    auto buffer = std::make_unique<MainBuffer>();
    buffer->initialise();
    Loaded loaded;
    if (!o.input.empty()) {
        LoadRequest request = LoadRequestOf(o, o.input);
        request.geometry = geometry;
        loaded = LoadDataFile(*buffer, request);
        if (!loaded.ok) return Usage(err, loaded.failureFor(o.input));
        if (!loaded.note.empty()) err << "quarvin-cli: " << o.input << ": " << loaded.note << '\n';
        if (!loaded.warning.empty()) {
            err << "quarvin-cli: " << o.input << ": " << loaded.warning << '\n';
            // The buffer does not hold what the file should give: no device sees it
            // unless the user says so.
            if (!o.force) return Usage(err, "not run: " + o.input + " did not load cleanly (--force runs anyway)");
        }
    }
    for (const auto& [option, path] : {std::pair{"--out", &o.output}, std::pair{"--chip-image", &o.chipImage}}) {
        if (path->empty()) continue;
        const std::string problem = OutputFileProblem(*path, option == std::string("--out") ? o.input : "", o.force);
        if (!problem.empty()) return Usage(err, std::string(option) + ": " + problem);
    }
    // compare: the chip is read into the buffer and set against what the file put there.
    std::vector<std::uint8_t> expected;
    if (o.command == "compare") expected.assign(buffer->data(), buffer->data() + kBufferSize);

    std::shared_ptr<sim::Chip> chip;
    if (connection.onVirtualBox()) {
        const ChipSetup setup = InsertChip(*connection.box, {o.chip, o.chipImage, o.faults, device.dialogClass,
                                                             device.selection.subType, entries ? &*entries : nullptr});
        if (!setup.error.empty()) return Usage(err, setup.error);
        chip = setup.chip;
    }

    session->setProgramDir(o.dir);
    // On the virtual box the socket's electrical referee judges the whole run.
    sim::StressReferee* referee = connection.onVirtualBox() ? &connection.box->socket().referee() : nullptr;
    if (referee) {
        referee->clearEvents();
        referee->setOperation("start");
    }
    TraceStep(trace, "start");
    try {
        session->start(link, device.selection.subType);
        if (referee) referee->operationEnded(session->leavesPartPowered("start"));
    } catch (const LinkLost&) {
        return LostBeforeTheFirstOperation(o, out);
    }
    for (const auto& [control, item] : o.controls) {
        const std::string refusal = session->setControl(device.selection, control, item);
        if (!refusal.empty()) {
            PowerDownSocket(link);
            return Usage(err, refusal);
        }
    }
    InstallInterruptHandler();
    CodeDetection detection(link, prompts, system, *buffer, o.dir + "/", device.category);
    ProgressDisplay progress(err, ::isatty(STDERR_FILENO) == 1);
    RunnerIo io{out, progress, StopRequested, QuitRequested, [&trace](const std::string& op) { TraceStep(trace, op); }};
    // On the virtual box each operation is charged to the referee by name and
    // checked when it has reported.
    RefereedSession refereed(*session, referee);
    const RunRequest request{refereed, link, *buffer, device.selection, fields, &prompts,
                             [&detection] { return detection(); }, o.allowPartial};
    RunReport report;
    if (o.changedOnly) {
        // Program by changed blocks; every other operation as it is.
        for (const std::string& operation : o.operations) {
            if (operation == "program") TraceStep(trace, operation);
            report = operation == "program" ? RunChangedOnlyProgram(request, io) : RunOperations(request, {operation}, io);
            if (report.exit != ExitCode::Ok) break;
        }
    } else {
        report = RunOperations(request, o.operations, io);
    }
    if (referee) referee->setOperation("close");
    TraceStep(trace, "power down");
    PowerDownSocket(link);

    ExitCode exit = report.exit;
    if (!expected.empty() && exit == ExitCode::Ok) exit = ListDifferences(expected, *buffer, fields, o.maxDifferences, out);
    if (referee && !report.quit) {
        if (exit != ExitCode::LinkLost) referee->dialogClosed();
        for (const sim::StressEvent& e : referee->events()) out << "stress: " << sim::DescribeStress(e) << '\n';
        if (referee->eventCount() > referee->events().size())
            out << "stress: " << referee->eventCount() << " events in all\n";
        out << std::flush;
        if (referee->eventCount() && !o.allowStress && exit == ExitCode::Ok) exit = ExitCode::Failed;
    }
    // Data read before a failure or a lost link is kept; after a second Ctrl+C
    // the run ends at once, but SIGTERM and SIGHUP still keep what was read.
    if (report.quit && Terminated()) err << "quarvin-cli: ended by a signal; the socket is powered down\n";
    if (!o.output.empty() && (!report.quit || Terminated())) {
        const std::int32_t end = o.end.value_or(static_cast<std::int32_t>(
            std::min<std::uint64_t>(std::uint64_t{fields.bufferStart} + fields.length, kBufferSize - 1)));
        const Format format = o.outFormat.value_or(formatFromName(o.output));
        if (!SaveDataFile(*buffer, o.output, format, end, geometry, loaded.srec)) {
            err << "quarvin-cli: Can't write this file: " << o.output << '\n';
            if (exit == ExitCode::Ok) exit = ExitCode::Failed;
        }
    }
    if (chip && !o.chipImage.empty()) {
        const std::string error = sim::SaveChipImage(*chip, o.chipImage);
        if (!error.empty()) {
            err << "quarvin-cli: " << error << '\n';
            if (exit == ExitCode::Ok) exit = ExitCode::Failed;
        }
    }
    return Exit(exit);
}

} // namespace quarvin::cli
