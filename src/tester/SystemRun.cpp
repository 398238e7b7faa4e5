#include "tester/SystemRun.h"

#include <algorithm>

#include "system/Random.h"

namespace tamvek::tester {
namespace {

// Random spins are a stream of their own, apart from the baseline's.
constexpr std::uint64_t randomFileStream = ~std::uint64_t{0};
// Small enough that a cancel is heard within a millisecond or so, large
// enough that listening costs nothing.
constexpr std::size_t block = 1 << 16;

std::uint64_t spinsOf(const formats::SpinFile& file, const Options& options) {
    return options.randomSpins > 0 ? options.randomSpins : file.classes.size();
}

}  // namespace

formats::SpinFile randomFile(std::uint64_t spins, std::uint64_t seed) {
    return {
        "zufällig (" + std::to_string(spins) + " Würfe, Startwert " + std::to_string(seed) + ")",
        {}};
}

std::uint64_t workOf(const std::vector<formats::SpinFile>& files, const Options& options) {
    std::uint64_t work = 0;
    for (const formats::SpinFile& f : files)
        work += spinsOf(f, options) * (1 + options.baselineRuns);
    return work;
}

Outcome play(const system::System& system, const std::vector<formats::SpinFile>& files,
             const Options& options, const Hooks& hooks) {
    const auto cancelled = [&] { return hooks.cancel && hooks.cancel->load(); };
    Outcome out;
    std::vector<Amount> saldo;
    std::vector<system::Cycle> cycles;
    std::vector<std::uint8_t> drawn(options.randomSpins > 0 ? block : 0);
    system::Kernel player(system::compile(system));
    if (options.curves) player.recordSaldo(&saldo);
    if (hooks.cycles) player.recordCycles(&cycles);
    for (std::size_t index = 0; index < files.size(); ++index) {
        if (hooks.phase) hooks.phase(index, false);
        const formats::SpinFile& file = files[index];
        const std::uint64_t spins = spinsOf(file, options);
        player.startFile();
        SaldoCurve curve(options.curves ? spins : 0);
        system::Random random(options.seed, randomFileStream, 0);
        for (std::uint64_t at = 0; at < spins; at += block) {
            if (cancelled()) return {true, {}, {}, {}};
            const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(block, spins - at));
            const std::uint8_t* next = file.classes.data() + at;
            if (options.randomSpins > 0) {
                random.fill(drawn.data(), n);
                next = drawn.data();
            }
            player.play(next, n);
            if (options.curves) {
                curve.add(saldo.data(), saldo.size());
                saldo.clear();
            }
            if (hooks.cycles) {
                hooks.cycles(file.name, cycles);
                cycles.clear();
            }
            if (hooks.progress) hooks.progress(n);
        }
        FileResult played{file.name, player.report(), {}, std::nullopt};
        if (options.curves) played.curve = curve.points();
        if (options.baselineRuns > 0) {
            if (hooks.phase) hooks.phase(index, true);
            const system::BaselineJob job{spins, options.baselineRuns, options.seed, index,
                                          played.report.saldo};
            played.baseline = system::baseline(player.compiled(), job, options.threads,
                                               hooks.progress, hooks.cancel);
            if (cancelled()) return {true, {}, {}, {}};
        }
        system::addFile(out.total, played.report);
        if (options.curves) SaldoCurve::append(out.totalCurve, played.curve);
        out.files.push_back(std::move(played));
        if (hooks.fileDone) hooks.fileDone(index);
    }
    out.compiled = player.path();
    out.played = player.played();
    out.states = player.states();
    return out;
}

}  // namespace tamvek::tester
