#include "BoxRun.h"

#include <map>

#include "ChangedOnly.h"
#include "Interrupt.h"
#include "OutputFile.h"
#include "VirtualChip.h"
#include "buffer/Differences.h"
#include "catalogue/TTypeDlg.h"
#include "families/framework/ChangedPages.h"
#include "families/framework/SocketCheckSession.h"
#include "forms/HexText.h"
#include "link/commands/LinkOps.h"
#include "shell/RunLog.h"
#include "sim/ChipImage.h"
#include "sim/PartPinouts.h"
#include "sim/VirtualBoxTransport.h"

namespace quarvin::cli {

namespace {

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

// The link went during the handshake or the socket's reset: the operation line
// says so, as every other end of a run does.
void SayLostBeforeTheFirstOperation(const Options& o, std::ostream& out) {
    out << o.operations.front() << ": " << kNotConnectedText
        << " (the box stopped answering before the operation began; nothing ran)\n"
        << std::flush;
}

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

std::string InProgramDir(const std::string& dir, const std::string& name) {
    return dir.empty() || dir.back() == '/' ? dir + name : dir + "/" + name;
}

} // namespace

BoxRun::BoxRun(const Options& o, BoxSetup setup, std::ostream& out, std::ostream& err)
    : o_(o), setup_(std::move(setup)), out_(out), err_(err), prompts_(err, o.yes) {}

BoxRun::~BoxRun() = default;

bool BoxRun::onVirtualBox() const { return connection_.onVirtualBox(); }

bool BoxRun::programs() const {
    for (const std::string& op : o_.operations)
        if (op == "program" || op == "auto") return true;
    return false;
}

std::string BoxRun::chipImagePath() const {
    if (o_.chipImage.empty() || setup_.index == 0) return o_.chipImage;
    const std::string& path = o_.chipImage;
    const std::size_t slash = path.find_last_of('/');
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == slash + 1) dot = path.size();
    return path.substr(0, dot) + "-" + std::to_string(setup_.index) + path.substr(dot);
}

std::optional<ExitCode> BoxRun::prepare() {
    const auto usage = [this](const std::string& text) {
        failure_ = text;
        err_ << "quarvin-cli: " << text << '\n' << std::flush;
        return ExitCode::Usage;
    };
    for (const auto& [option, text, value] :
         {std::tuple{"--buffer-start", &o_.bufferStart, &fields_.bufferStart},
          std::tuple{"--device-start", &o_.deviceStart, &fields_.deviceStart},
          std::tuple{"--length", &o_.length, &fields_.length}}) {
        const std::string refusal = ReadField(option, *text, *value);
        if (!refusal.empty()) return usage(refusal);
    }
    if (o_.softRun && setup_.port) return usage("--soft-run and --port exclude each other");
    const bool virtualPortNamed = setup_.port && *setup_.port == sim::VirtualPortName;
    if (ChipOptionsGiven(o_) && (o_.softRun || (setup_.port && !virtualPortNamed)))
        return usage("--chip, --chip-image and --fault need the virtual box (--port VBOX)");

    traceFile_ = OpenTraceFile(o_.trace);
    if (!traceFile_.error.empty()) return usage(traceFile_.error);
    const auto& trace = traceFile_.trace;

    LinkState& link = connection_.link;
    TraceStep(trace, "connect");
    const ConnectResult connected = Connect(connection_, {setup_.port, o_.softRun, o_.dir, trace}, prompts_, system_);
    if (connected == ConnectResult::NoBox) {
        failure_ = "no box answered";
        err_ << "quarvin-cli: no box answered" << (setup_.port ? " on " + *setup_.port : std::string()) << '\n'
             << std::flush;
        return ExitCode::LinkLost;
    }
    if (ChipOptionsGiven(o_) && !connection_.onVirtualBox())
        return usage("--chip, --chip-image and --fault need the virtual box (--port VBOX)");

    std::string listPath;
    try {
        listPath = o_.list.value_or(DeviceListPath(o_.dir, connected == ConnectResult::Connected ? GetBoardModel(link) : 0));
    } catch (const LinkLost&) {
        failure_ = kNotConnectedText;
        SayLostBeforeTheFirstOperation(o_, out_);
        return ExitCode::LinkLost;
    }
    entries_ = ReadDeviceList(listPath);
    choice_ = ChooseDevice(o_, entries_, listPath);
    if (!choice_.device) return usage(choice_.error);

    familySession_ = device().family->makeSession();
    // Every family takes "check", the socket check, beside its own operations.
    session_ = std::make_unique<SocketCheckSession>(*familySession_, [this](const SelectionState& selection) {
        ChosenDevice row = device();
        row.selection = selection;
        return CheckPlanOf(row);
    });
    const auto missing = MissingOperations(*session_, o_.operations);
    if (!missing.empty())
        return usage(device().dialogClass + " has no operation " + missing.front() + " (see quarvin-cli ops)");
    for (const std::string& operation : o_.operations) {
        const std::string why = session_->unavailable(operation, device().selection.subType);
        if (!why.empty()) return usage(device().dialogClass + ": " + why);
    }
    for (const auto& [name, value] : o_.familyOptions) {
        const std::string refusal = session_->setOption(name, value);
        if (!refusal.empty()) return usage(refusal);
    }
    // compare and --changed-only read the chip from address 0 into the buffer from 0.
    if ((o_.command == "compare" || o_.changedOnly) && (fields_.bufferStart != 0 || fields_.deviceStart != 0))
        return usage("compare and --changed-only need --buffer-start and --device-start 0");
    // The serial EEPROMs' Program does it itself (their session option); the
    // 28C and 29EE run theirs by blocks here.
    changedInSession_ = o_.changedOnly && session_->setOption(kChangedOnlyOption, "on").empty();
    if (o_.changedOnly && !changedInSession_ && !TakesChangedOnly(device().dialogClass))
        return usage("--changed-only works on the 28C, 29EE, 24Cxx and 93Cxx families, not " + device().dialogClass);
    // The dialog's start shows the device's last address as Length.
    if (!o_.length) fields_.length = session_->lastAddress(device().selection.subType);

    if (setup_.serial) {
        serial_ = setup_.serial->spec();
        if (!programs()) return usage("--serial needs an operation that programs the chip (program or auto)");
        const std::uint64_t first = fields_.bufferStart;
        const std::uint64_t last = first + fields_.length;
        if (serial_->address < first || serial_->address + std::uint64_t{serial_->format.byteCount()} - 1 > last)
            return usage(quarvin::Format("--serial: %u bytes at %x lie outside the programmed buffer range %x..%x",
                                serial_->format.byteCount(), serial_->address, static_cast<unsigned>(first),
                                static_cast<unsigned>(std::min<std::uint64_t>(last, kBufferLast))));
    }

    // JEDEC files of a logic device take its fuse map geometry unless the options give one.
    geometry_ = {o_.fusesPerRow, o_.fuseRows};
    if (const auto own = session_->fuseGeometry(device().selection.subType); own && !o_.fuseGeometryGiven)
        geometry_ = *own;

    buffer_ = std::make_unique<MainBuffer>();
    buffer_->initialise();
    if (!o_.input.empty()) {
        LoadRequest request = LoadRequestOf(o_, o_.input);
        request.geometry = geometry_;
        loaded_ = LoadDataFile(*buffer_, request);
        if (!loaded_.ok) return usage(loaded_.failureFor(o_.input));
        if (!loaded_.note.empty()) err_ << "quarvin-cli: " << o_.input << ": " << loaded_.note << '\n';
        if (!loaded_.warning.empty()) {
            err_ << "quarvin-cli: " << o_.input << ": " << loaded_.warning << '\n';
            // The buffer does not hold what the file should give: no device sees it
            // unless the user says so.
            if (!o_.force) return usage("not run: " + o_.input + " did not load cleanly (--force runs anyway)");
        }
    }
    for (const auto& [option, path] : {std::pair{"--out", o_.output}, std::pair{"--chip-image", chipImagePath()}}) {
        if (path.empty()) continue;
        const std::string problem = OutputFileProblem(path, option == std::string("--out") ? o_.input : "", o_.force);
        if (!problem.empty()) return usage(std::string(option) + ": " + problem);
    }
    // compare: the chip is read into the buffer and set against what the file put there.
    if (o_.command == "compare") expected_.assign(buffer_->data(), buffer_->data() + kBufferSize);
    session_->setProgramDir(o_.dir);
    return std::nullopt;
}

ChipReport BoxRun::refuse(ExitCode exit, const std::string& text) {
    err_ << "quarvin-cli: " << text << '\n' << std::flush;
    ChipReport r;
    r.exit = exit;
    r.refusal = text;
    return r;
}

ChipReport BoxRun::runChip(const std::vector<std::string>& extraFaults, std::optional<std::uint64_t> reserved) {
    const auto& trace = traceFile_.trace;
    LinkState& link = connection_.link;
    std::shared_ptr<sim::Chip> chip;
    const std::string imagePath = chipImagePath();
    if (connection_.onVirtualBox()) {
        std::vector<std::string> faults = o_.faults;
        faults.insert(faults.end(), extraFaults.begin(), extraFaults.end());
        const ChipSetup setup = InsertChip(*connection_.box, {o_.chip, imagePath, faults, device().dialogClass,
                                                              device().selection.subType, entries_ ? &*entries_ : nullptr});
        if (!setup.error.empty()) return refuse(ExitCode::Usage, setup.error);
        chip = setup.chip;
    }

    // The serial number goes into the buffer before the chip's first operation.
    std::optional<std::uint64_t> number = reserved;
    if (serial_ && !number) {
        const SerialTake taken = setup_.serial->take();
        if (!taken.number) return refuse(ExitCode::Failed, taken.error);
        number = taken.number;
    }
    ChipReport chipReport;
    if (number) {
        const std::string refusal = WriteSerialNumber(*buffer_, *serial_, *number);
        if (!refusal.empty()) {
            setup_.serial->giveBack(*number);
            return refuse(ExitCode::Failed, refusal);
        }
        chipReport.serial = serial_->text(*number);
    }

    // On the virtual box the socket's electrical referee judges the whole run.
    sim::StressReferee* referee = connection_.onVirtualBox() ? &connection_.box->socket().referee() : nullptr;
    if (referee) {
        referee->clearEvents();
        referee->setOperation("start");
    }
    const auto giveBack = [&] {
        if (!number) return;
        const std::string error = setup_.serial->giveBack(*number);
        if (!error.empty()) err_ << "quarvin-cli: " << error << '\n' << std::flush;
    };
    TraceStep(trace, "start");
    try {
        session_->start(link, device().selection.subType);
        if (referee) referee->operationEnded(session_->leavesPartPowered("start"));
    } catch (const LinkLost&) {
        giveBack();
        SayLostBeforeTheFirstOperation(o_, out_);
        chipReport.exit = ExitCode::LinkLost;
        chipReport.last = {Outcome::LinkLost, kNotConnectedText, 0, 0, {}, false};
        return chipReport;
    }
    for (const auto& [control, item] : o_.controls) {
        const std::string refusal = session_->setControl(device().selection, control, item);
        if (!refusal.empty()) {
            PowerDownSocket(link, *session_);
            giveBack();
            return refuse(ExitCode::Usage, refusal);
        }
    }
    InstallInterruptHandler();
    CodeDetection detection(link, prompts_, system_, *buffer_, o_.dir + "/", device().category);
    ProgressDisplay progress(err_, setup_.progress, setup_.index ? setup_.port.value_or("") : "");
    // With --json, stdout holds only the objects; other lines go to stderr.
    std::ostream& text = o_.json ? err_ : out_;
    RunnerIo io{out_, progress, StopRequested, QuitRequested, [&trace](const std::string& op) { TraceStep(trace, op); }};
    io.textLines = !o_.json;
    // On the virtual box each operation is charged to the referee by name and
    // checked when it has reported.
    RefereedSession refereed(*session_, referee);
    const RunRequest request{refereed,  link, *buffer_, device().selection, fields_, &prompts_,
                             [&detection] { return detection(); }, o_.allowPartial, setup_.log,
                             chipReport.serial};
    RunReport report;
    if (o_.changedOnly && !changedInSession_) {
        // Program by changed blocks; every other operation as it is.
        for (const std::string& operation : o_.operations) {
            if (operation == "program") TraceStep(trace, operation);
            report = operation == "program" ? RunChangedOnlyProgram(request, io) : RunOperations(request, {operation}, io);
            if (report.exit != ExitCode::Ok) break;
        }
    } else {
        report = RunOperations(request, o_.operations, io);
    }
    if (referee) referee->setOperation("close");
    TraceStep(trace, "power down");
    PowerDownSocket(link, *session_);

    ExitCode exit = report.exit;
    if (!expected_.empty() && exit == ExitCode::Ok)
        exit = ListDifferences(expected_, *buffer_, fields_, o_.maxDifferences, text);
    if (referee && !report.quit) {
        if (exit != ExitCode::LinkLost) referee->dialogClosed();
        for (const sim::StressEvent& e : referee->events()) text << "stress: " << sim::DescribeStress(e) << '\n';
        if (referee->eventCount() > referee->events().size())
            text << "stress: " << referee->eventCount() << " events in all\n";
        text << std::flush;
        if (referee->eventCount() && !o_.allowStress && exit == ExitCode::Ok) exit = ExitCode::Failed;
        chipReport.stressEvents = static_cast<int>(referee->eventCount());
    }
    // Data read before a failure or a lost link is kept; after a second Ctrl+C
    // the run ends at once, but SIGTERM and SIGHUP still keep what was read.
    if (report.quit && Terminated()) err_ << "quarvin-cli: ended by a signal; the socket is powered down\n";
    if (!o_.output.empty() && (!report.quit || Terminated())) {
        const std::int32_t end = o_.end.value_or(static_cast<std::int32_t>(
            std::min<std::uint64_t>(std::uint64_t{fields_.bufferStart} + fields_.length, kBufferSize - 1)));
        const Format format = o_.outFormat.value_or(formatFromName(o_.output));
        if (!SaveDataFile(*buffer_, o_.output, format, end, geometry_, loaded_.srec)) {
            err_ << "quarvin-cli: Can't write this file: " << o_.output << '\n';
            if (exit == ExitCode::Ok) exit = ExitCode::Failed;
        }
    }
    if (chip && !imagePath.empty()) {
        const std::string error = sim::SaveChipImage(*chip, imagePath);
        if (!error.empty()) {
            err_ << "quarvin-cli: " << error << '\n';
            if (exit == ExitCode::Ok) exit = ExitCode::Failed;
        }
    }
    // The number is this chip's when every operation succeeded.
    if (report.exit != ExitCode::Ok) giveBack();
    chipReport.exit = exit;
    chipReport.operationsExit = report.exit;
    chipReport.quit = report.quit;
    chipReport.operation = report.operation;
    chipReport.last = report.last;
    err_ << std::flush;
    return chipReport;
}

std::unique_ptr<RunLogFile> OpenRunLog(const Options& o, std::ostream& out, std::ostream& err, std::mutex& lock) {
    if (o.noLog && !o.json) return nullptr;
    const std::string path = o.noLog ? std::string() : o.log.empty() ? InProgramDir(o.dir, kRunLogFileName) : o.log;
    auto log = std::make_unique<RunLogFile>(path, [&err, &lock](const std::string& warning) {
        const std::lock_guard<std::mutex> hold(lock);
        err << "quarvin-cli: " << warning << '\n' << std::flush;
    });
    if (o.json)
        log->setObserver([&out, &lock](const std::string& line) {
            const std::lock_guard<std::mutex> hold(lock);
            out << line << '\n' << std::flush;
        });
    return log;
}

SerialSetup OpenSerialCounter(const Options& o) {
    SerialSetup s;
    if (o.serial.empty()) return s;
    const SerialSpecParse parsed = ParseSerialSpec(o.serial);
    if (!parsed.spec) {
        s.error = parsed.error;
        return s;
    }
    const std::string path = o.serialFile.empty() ? InProgramDir(o.dir, kSerialCounterFileName) : o.serialFile;
    s.counter = std::make_unique<SerialCounter>(path, *parsed.spec);
    return s;
}

} // namespace quarvin::cli
