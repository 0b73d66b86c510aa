// The electrical referee's matrix (every operation of every family on every
// part, stopped at three points and cut by a silent box at two byte counts):
// its time on the virtual box's clock, the wall time it takes here, and the
// stress events it found. Prints "name value unit" lines.
#include <chrono>

#include "../tests/families/StressMatrix.h"
#include "BenchMeasure.h"

int main() {
    using namespace quarvin;
    double modelSeconds = 0;
    std::uint64_t events = 0;
    int runs = 0;
    const auto wallStart = std::chrono::steady_clock::now();
    for (const auto& [dialogClass, family] : Families()) {
        if (!family.makeSession || test::OffersOf(dialogClass).empty()) continue;
        const auto familyStart = std::chrono::steady_clock::now();
        double familyModel = 0;
        runs += test::ForEachMatrixRun(dialogClass, [&](const sim::ChipOffer&, const std::string&, const std::string&,
                                                        const test::StressRun& run) {
            familyModel += static_cast<double>(run.modelPs) * 1e-12;
            events += run.events.size();
        });
        const std::chrono::duration<double> familyWall = std::chrono::steady_clock::now() - familyStart;
        bench::Print("stress_matrix_" + dialogClass + "_model_time", familyModel, "s");
        bench::Print("stress_matrix_" + dialogClass + "_wall_time", familyWall.count(), "s");
        modelSeconds += familyModel;
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallStart;
    bench::Print("stress_matrix_runs", runs, "runs");
    bench::Print("stress_matrix_events", static_cast<double>(events), "events");
    bench::Print("stress_matrix_model_time", modelSeconds, "s");
    bench::Print("stress_matrix_wall_time", wall.count(), "s");
    return 0;
}
