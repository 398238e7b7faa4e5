#include "tester/SystemRun.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <mutex>
#include <optional>

#include "core/Figures.h"
#include "lua/ScriptPlayer.h"
#include "system/Kernel.h"
#include "system/Random.h"

namespace tamvek::tester {
namespace {

// Random spins are a stream of their own, apart from the baseline's; a
// script's math.random has streams of its own too.
constexpr std::uint64_t randomFileStream = ~std::uint64_t{0};
constexpr std::uint64_t scriptFileStream = ~std::uint64_t{1};
constexpr std::uint64_t scriptBaselineStream = std::uint64_t{1} << 62;
// Small enough that a cancel is heard within a millisecond or so, large
// enough that listening costs nothing.
constexpr std::size_t block = 1 << 16;

std::uint64_t spinsOf(const formats::SpinFile& file, const Options& options) {
    return options.randomSpins > 0 ? options.randomSpins : file.classes.size();
}

bool cancelled(const Hooks& hooks) {
    return hooks.cancel && hooks.cancel->load();
}

bool failed(const system::Kernel&) {
    return false;
}

bool failed(const lua::ScriptPlayer& player) {
    return player.failed();
}

enum class Ended { Done, Cancelled, Failed };

// Plays a file's spins (or its random spins) on `player`, a block at a time.
template <class P>
Ended playSpins(P& player, const formats::SpinFile& file, const Options& options,
                const Hooks& hooks, FileResult& played) {
    const std::uint64_t spins = spinsOf(file, options);
    std::vector<Amount> saldo;
    std::vector<system::Cycle> cycles;
    std::vector<std::uint8_t> drawn(options.randomSpins > 0 ? block : 0);
    if (options.curves) player.recordSaldo(&saldo);
    if (hooks.cycles) player.recordCycles(&cycles);
    SaldoCurve curve(options.curves ? spins : 0);
    system::Random random(options.seed, randomFileStream, 0);
    for (std::uint64_t at = 0; at < spins; at += block) {
        if (cancelled(hooks)) return Ended::Cancelled;
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(block, spins - at));
        const std::uint8_t* next = file.classes.data() + at;
        if (options.randomSpins > 0) {
            random.fill(drawn.data(), n);
            next = drawn.data();
        }
        player.play(next, n);
        if (failed(player)) return Ended::Failed;
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
    played.report = player.report();
    if (options.curves) played.curve = curve.points();
    return Ended::Done;
}

std::string shortName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// How a script's error names a file, and its math.random stream.
lua::Run scriptRun(const formats::SpinFile& file, std::size_t index, const Options& options) {
    return {options.randomSpins > 0 ? file.name : "Datei " + shortName(file.name), options.seed,
            scriptFileStream, index};
}

// `kernel` plays a system file: compiled once, for all files and their
// baselines. A script has none.
Ended playFile(const system::System& system, system::Kernel* kernel, std::size_t index,
               const formats::SpinFile& file, const Options& options, const Hooks& hooks,
               FileResult& played, std::string& error) {
    if (kernel != nullptr) {
        kernel->startFile();
        return playSpins(*kernel, file, options, hooks, played);
    }
    lua::ScriptPlayer player(*system.script, scriptRun(file, index, options));
    const Ended ended =
        player.failed() ? Ended::Failed : playSpins(player, file, options, hooks, played);
    if (ended == Ended::Failed) error = player.error();
    return ended;
}

// A script's baseline: every run on a fresh player of its own. After an error
// only the runs before the failed one play on, so the error told is that of
// the first run that has one, however many threads play.
system::Baseline scriptBaseline(const formats::Script& script, const system::BaselineJob& job,
                                const std::string& fileName, const Options& options,
                                const Hooks& hooks, std::string& error) {
    std::mutex mutex;
    std::uint64_t failedRun = ~std::uint64_t{0};
    const auto after = [&](std::uint64_t run) {
        const std::lock_guard lock(mutex);
        return run > failedRun;
    };
    const system::RunPlay playRun = [&](std::uint64_t run) -> system::RunEnd {
        if (after(run)) return {};
        const lua::Run named{
            "Zufallsvergleich zu " + fileName + ", Lauf " + figures::whole(run + 1), options.seed,
            scriptBaselineStream + job.file, run};
        lua::ScriptPlayer player(script, named);
        if (!player.failed()) system::playRandomRun(player, job, run, hooks.progress, hooks.cancel);
        if (player.failed()) {
            const std::lock_guard lock(mutex);
            if (run < failedRun) {
                failedRun = run;
                error = player.error();
            }
        }
        const system::Report& r = player.report();
        return {r.saldo, r.lowest, r.ruined != 0};
    };
    return system::baseline(playRun, job, options.threads, hooks.cancel);
}

// How lucky was the file: the same system over random permanences of its length.
Ended compareWithChance(const system::System& system, const system::Kernel* kernel,
                        std::size_t index, const formats::SpinFile& file, const Options& options,
                        const Hooks& hooks, FileResult& played, std::string& error) {
    const system::BaselineJob job{spinsOf(file, options), options.baselineRuns, options.seed, index,
                                  played.report.saldo};
    played.baseline = randomRuns(system, kernel ? kernel->compiled() : nullptr, job,
                                 shortName(file.name), options, hooks, error);
    if (!error.empty()) return Ended::Failed;
    return cancelled(hooks) ? Ended::Cancelled : Ended::Done;
}

// Amounts are kept at the 64-bit limit rather than wrap around; a figure
// that reached it is no result but an overflow, said in words.
std::optional<std::string> overflowIn(const system::Report& file, const system::Report& total) {
    constexpr Amount most = std::numeric_limits<Amount>::max();
    constexpr Amount least = std::numeric_limits<Amount>::min();
    for (const system::Report* r : {&file, &total})
        for (const Amount a : {r->staked, r->saldo, r->highest, r->lowest, r->drawdown})
            if (a == most || a == least)
                return "Die Beträge übersteigen den Zahlenbereich (mehr als " +
                       figures::whole(static_cast<std::uint64_t>(most)) +
                       " Stücke): Überlauf, kein Ergebnis. Kleinere Einsätze oder kürzere "
                       "Permanenzen spielen.";
    return std::nullopt;
}

Outcome cancelledOutcome() {
    Outcome out;
    out.cancelled = true;
    return out;
}

Outcome failedOutcome(std::string error) {
    Outcome out;
    out.error = std::move(error);
    return out;
}

// The verdicts of every file and of the total, from their baselines.
void judge(const system::System& system, Outcome& out) {
    if (out.files.empty() || !out.files.front().baseline) return;
    const bool capital = system.capital.has_value();
    std::vector<const system::Baseline*> baselines;
    const FileResult* best = nullptr;
    for (FileResult& f : out.files) {
        f.verdict =
            verdictOf(*f.baseline, f.report.saldo, f.report.spins, out.files.size(), capital);
        baselines.push_back(&*f.baseline);
        if (!best || f.verdict->better < best->verdict->better) best = &f;
    }
    out.totalBaseline = system::joined(baselines, out.total.saldo);
    out.totalVerdict = verdictOf(*out.totalBaseline, out.total.saldo, out.total.spins, 1, capital);
    addBestFile(*out.totalVerdict, out.files.size(), best->verdict->better,
                best->verdict->betterBelow);
}

}  // namespace

system::Baseline randomRuns(const system::System& system,
                            const std::shared_ptr<const system::Compiled>& compiled,
                            const system::BaselineJob& job, const std::string& name,
                            const Options& options, const Hooks& hooks, std::string& error) {
    if (system.script) return scriptBaseline(*system.script, job, name, options, hooks, error);
    return system::baseline(compiled, job, options.threads, hooks.progress, hooks.cancel);
}

formats::SpinFile randomFile(std::uint64_t spins, std::uint64_t seed) {
    return {"zufällig (" + figures::whole(spins) + (spins == 1 ? " Wurf" : " Würfe") +
                ", Startwert " + std::to_string(seed) + ")",
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
    Outcome out;
    std::optional<system::Kernel> kernel;
    if (!system.script) kernel.emplace(system::compile(system));
    system::Kernel* player = kernel ? &*kernel : nullptr;
    for (std::size_t index = 0; index < files.size(); ++index) {
        if (hooks.phase) hooks.phase(index, false);
        FileResult played{files[index].name, {}, {}, std::nullopt, std::nullopt};
        Ended ended =
            playFile(system, player, index, files[index], options, hooks, played, out.error);
        if (ended == Ended::Done && options.baselineRuns > 0) {
            if (hooks.phase) hooks.phase(index, true);
            ended = compareWithChance(system, player, index, files[index], options, hooks, played,
                                      out.error);
        }
        if (ended == Ended::Cancelled) return cancelledOutcome();
        if (ended == Ended::Failed) return failedOutcome(std::move(out.error));
        system::addFile(out.total, played.report);
        if (const std::optional<std::string> over = overflowIn(played.report, out.total))
            return failedOutcome(shortName(files[index].name) + ": " + *over);
        if (options.curves) SaldoCurve::append(out.totalCurve, played.curve);
        out.files.push_back(std::move(played));
        if (hooks.fileDone) hooks.fileDone(index);
    }
    judge(system, out);
    if (player != nullptr) {
        out.compiled = player->path();
        out.played = player->played();
        out.states = player->states();
    } else {
        out.compiled = out.played = system::Path::Script;
    }
    return out;
}

}  // namespace tamvek::tester
