// gang: the same operations on several boxes at once, one thread each (the work
// is bound by the serial lines, not by the host), and a table of their results.
#include <thread>

#include "BoxRun.h"
#include "Commands.h"
#include "LineStream.h"
#include "ProductionOutput.h"
#include "families/framework/OperationRecord.h"

namespace quarvin::cli {

namespace {

struct GangBox {
    Options options; // the gang's, with this box's port
    std::unique_ptr<LineStream> out, err;
    std::unique_ptr<BoxRun> run;
    std::optional<ExitCode> notReady;
    std::optional<std::uint64_t> serial;
    ChipReport chip;
};

BoxRow RowOf(int number, const GangBox& b) {
    BoxRow row{number, b.options.port.value_or(""), b.chip.serial, {}, {}};
    if (b.notReady) {
        row.result = *b.notReady == ExitCode::LinkLost ? "link lost" : "refused";
        row.message = b.run->failure();
    } else if (!b.chip.refusal.empty()) {
        row.result = "refused";
        row.message = b.chip.refusal;
    } else {
        row.result = b.chip.operationsExit == ExitCode::Partial ? "failed" : OutcomeName(b.chip.last.outcome);
        row.message = b.chip.operation + ": " + b.chip.last.message;
        // Operations that succeeded can still fail the box: the virtual socket's referee, a chip image file.
        if (b.chip.stressEvents) row.message += "; " + std::to_string(b.chip.stressEvents) + " stress events";
        if (b.chip.exit != ExitCode::Ok && b.chip.operationsExit == ExitCode::Ok && !b.chip.stressEvents)
            row.message += "; see above";
    }
    return row;
}

// Runs `work` for every box at once and waits for all of them.
template <typename Work>
void EachBoxAtOnce(std::vector<GangBox>& boxes, Work work) {
    std::vector<std::thread> threads;
    threads.reserve(boxes.size());
    for (GangBox& b : boxes) threads.emplace_back([&b, &work] { work(b); });
    for (std::thread& t : threads) t.join();
}

} // namespace

int GangCommand(const Options& o, std::ostream& out, std::ostream& err) {
    const auto usage = [&err](const std::string& text) {
        err << "quarvin-cli: " << text << '\n';
        return static_cast<int>(ExitCode::Usage);
    };
    if (o.softRun) return usage("gang needs a --port for each box, not --soft-run");
    if (!o.trace.empty()) return usage("--trace records one box: use run");
    if (!o.output.empty()) return usage("--out saves one buffer: use run for each box");
    if (o.command == "compare") return usage("compare works on one box");
    std::mutex lock;
    const SerialSetup serial = OpenSerialCounter(o);
    if (!serial.error.empty()) return usage(serial.error);
    const auto log = OpenRunLog(o, out, err, lock);

    std::vector<GangBox> boxes(o.ports.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        GangBox& b = boxes[i];
        const int number = static_cast<int>(i) + 1;
        b.options = o;
        b.options.port = o.ports[i];
        // Each line names its box; with --json stdout holds only the objects.
        const std::string prefix = o.ports[i] + "#" + std::to_string(number) + ": ";
        b.out = std::make_unique<LineStream>(out, lock, prefix);
        b.err = std::make_unique<LineStream>(err, lock, o.json ? std::string() : prefix);
        b.run = std::make_unique<BoxRun>(b.options,
                                         BoxSetup{o.ports[i], number, log.get(), serial.counter.get(),
                                                  o.json ? ProgressStyle::Json : ProgressStyle::Silent},
                                         *b.out, *b.err);
    }
    EachBoxAtOnce(boxes, [](GangBox& b) { b.notReady = b.run->prepare(); });
    // The numbers go out in the order of the ports, so box 1 has the first.
    if (serial.counter) {
        for (GangBox& b : boxes) {
            if (b.notReady) continue;
            const SerialTake taken = serial.counter->take();
            if (!taken.number) {
                for (GangBox& back : boxes)
                    if (back.serial) serial.counter->giveBack(*back.serial);
                err << "quarvin-cli: " << taken.error << '\n';
                return FinishRun(o, out, ExitCode::Failed);
            }
            b.serial = taken.number;
        }
    }
    EachBoxAtOnce(boxes, [](GangBox& b) {
        if (!b.notReady) b.chip = b.run->runChip({}, b.serial);
    });

    std::vector<BoxRow> rows;
    std::vector<ExitCode> exits;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i].out->flush();
        rows.push_back(RowOf(static_cast<int>(i) + 1, boxes[i]));
        exits.push_back(boxes[i].notReady.value_or(boxes[i].chip.exit));
    }
    {
        const std::lock_guard<std::mutex> hold(lock);
        PrintGangTable(rows, o.json, out);
    }
    return FinishRun(o, out, GangExit(exits));
}

} // namespace quarvin::cli
