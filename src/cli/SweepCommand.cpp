#include <atomic>
#include <iostream>

#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "cli/Output.h"
#include "cli/Progress.h"
#include "cli/SystemOutput.h"
#include "tester/Sweep.h"

namespace tamvek::cli {
namespace {

// KEY=V1,V2,… into a key and its values; an empty value is a bad call.
std::optional<tester::Vary> varyOf(const std::string& text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0) return std::nullopt;
    tester::Vary vary{text.substr(0, equals), {}};
    const std::string list = text.substr(equals + 1);
    for (std::size_t at = 0;;) {
        const std::size_t comma = list.find(',', at);
        vary.values.push_back(list.substr(at, comma - at));
        if (vary.values.back().empty()) return std::nullopt;
        if (comma == std::string::npos) break;
        at = comma + 1;
    }
    return vary;
}

tester::SweepOutcome play(const tester::LoadedSweep& loaded) {
    Progress progress(loaded.work(), loaded.systems.size(), "Varianten");
    std::atomic<bool> stop{interrupt::heard()};
    tester::Hooks hooks = progressHooks(progress, stop);
    return tester::sweep(loaded, hooks);
}

}  // namespace

int runSweep(const SweepOptions& options) {
    if (options.permanences.empty())
        return fail("keine Permanenz angegeben (Dateien, ein Ordner oder -)", exitBadCall);
    if (!(options.split > 0 && options.split < 1))
        return fail("--split braucht einen Anteil zwischen 0 und 1, etwa 0.5", exitBadCall);
    tester::SweepJob job;
    job.systemFile = options.system;
    job.permanences = options.permanences;
    job.split = options.split;
    job.baselineRuns = options.baseline;
    job.seed = options.seed;
    job.threads = threadsFor(options.threads);
    for (const std::string& text : options.vary) {
        std::optional<tester::Vary> vary = varyOf(text);
        if (!vary) return fail("--vary " + text + ": braucht SCHLÜSSEL=WERT1,WERT2,…", exitBadCall);
        job.vary.push_back(std::move(*vary));
    }
    interrupt::listen();
    const Result<tester::LoadedSweep> loaded = tester::loadSweep(job, &interrupt::flag());
    const auto interrupted = [] {
        std::cerr << interrupt::message("kein Bericht") << "\n";
        return interrupt::exitStatus();
    };
    if (interrupt::heard()) return interrupted();
    if (!loaded) return fail(loaded.error().message, exitBadInput);
    const tester::SweepOutcome played = play(*loaded);
    if (played.cancelled) return interrupted();
    if (!played.error.empty()) return fail(played.error, exitBadInput);
    if (options.json)
        writeSweepJson(std::cout, *loaded, played);
    else
        writeSweepText(std::cout, *loaded, played);
    return finishOutput();
}

}  // namespace tamvek::cli
