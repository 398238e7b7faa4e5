#include "tester/Sweep.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <random>

#include "core/Figures.h"
#include "formats/SystemFile.h"
#include "lua/ScriptPlayer.h"
#include "system/Kernel.h"
#include "tester/Job.h"

namespace tamvek::tester {
namespace {

// A script's math.random in a sweep has streams of its own.
constexpr std::uint64_t sweepStream = std::uint64_t{3} << 61;
// As in a system test: a cancel is heard within a millisecond or so.
constexpr std::size_t block = 1 << 16;

bool cancelled(const Hooks& hooks) {
    return hooks.cancel && hooks.cancel->load();
}

bool isName(const std::string& key) {
    if (key.empty() || std::isdigit(static_cast<unsigned char>(key.front()))) return false;
    return std::all_of(key.begin(), key.end(),
                       [](unsigned char c) { return std::isalnum(c) || c == '_'; });
}

// How many variants the values make, or an error past mostVariants.
Result<std::uint64_t> countVariants(const std::vector<Vary>& vary) {
    std::uint64_t count = 1;
    for (std::size_t k = 0; k < vary.size(); ++k) {
        if (vary[k].key.empty() || vary[k].values.empty())
            return Error{"--vary " + vary[k].key + ": braucht SCHLÜSSEL=WERT1,WERT2,…"};
        for (std::size_t j = 0; j < k; ++j)
            if (vary[j].key == vary[k].key)
                return Error{"--vary " + vary[k].key + ": steht zweimal da"};
        count *= vary[k].values.size();
        if (count > mostVariants)
            return Error{"zu viele Varianten (höchstens " + figures::whole(mostVariants) +
                         "): weniger Werte je Schlüssel"};
    }
    return count;
}

// Variant `index`'s values: the last key changes fastest.
std::vector<std::string> valuesOf(const std::vector<Vary>& vary, std::uint64_t index) {
    std::vector<std::string> values(vary.size());
    for (std::size_t k = vary.size(); k-- > 0;) {
        values[k] = vary[k].values[index % vary[k].values.size()];
        index /= vary[k].values.size();
    }
    return values;
}

// A script's variant: its globals set after the chunk ran, checked by running
// it once, as a system test does.
Result<system::System> scriptVariant(const system::System& base,
                                     const std::vector<std::string>& keys,
                                     const std::vector<std::string>& values) {
    system::System variant = base;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (!isName(keys[k]))
            return Error{"--vary " + keys[k] + ": kein Name einer globalen Variablen des Skripts"};
        variant.script->globals.emplace_back(keys[k], values[k]);
    }
    const lua::ScriptPlayer check(*variant.script, {});
    if (check.failed()) return Error{check.error()};
    if (check.name()) variant.name = *check.name();
    variant.tableMax = check.tableMax();
    variant.capital = check.capital();
    return variant;
}

Result<system::System> variantOf(const SweepJob& job, const system::System& base,
                                 const std::vector<std::string>& keys,
                                 const std::vector<std::string>& values) {
    if (base.script) return scriptVariant(base, keys, values);
    std::vector<formats::Setting> settings;
    for (std::size_t k = 0; k < keys.size(); ++k)
        settings.push_back({keys[k], values[k]});
    return formats::readSystemFile(job.systemFile, settings);
}

// Plays spins [from, to) of `file` on `player`, a block at a time.
template <class P>
bool playPart(P& player, const formats::SpinFile& file, std::size_t from, std::size_t to,
              const Hooks& hooks) {
    for (std::size_t at = from; at < to; at += block) {
        if (cancelled(hooks)) return false;
        const std::size_t n = std::min(block, to - at);
        player.play(file.classes.data() + at, n);
        if constexpr (requires { player.failed(); }) {
            if (player.failed()) return false;
        }
        if (hooks.progress) hooks.progress(n);
    }
    return true;
}

struct Played {
    Variant variant;
    std::string error;
};

// One variant over the Entwicklung and the Gegenprobe of every file.
void playVariant(const LoadedSweep& sweep, std::size_t v, const Hooks& hooks, Played& out) {
    const system::System& system = sweep.systems[v];
    out.variant.index = v;
    out.variant.values = sweep.values[v];
    std::optional<system::Kernel> kernel;
    if (!system.script) kernel.emplace(system::compile(system));
    for (std::size_t f = 0; f < sweep.files.size(); ++f) {
        const formats::SpinFile& file = sweep.files[f];
        const std::size_t cut = sweep.splitAt(f);
        for (const bool check : {false, true}) {
            system::Report& total = check ? out.variant.check : out.variant.development;
            const std::size_t from = check ? cut : 0, to = check ? file.classes.size() : cut;
            if (kernel) {
                kernel->startFile();
                if (!playPart(*kernel, file, from, to, hooks)) return;
                system::addFile(total, kernel->report());
                continue;
            }
            const lua::Run run{"Variante " + figures::whole(v + 1) + ", Datei " + file.name,
                               sweep.seed, sweepStream + v, 2 * f + (check ? 1 : 0)};
            lua::ScriptPlayer player(*system.script, run);
            if (!player.failed() && !playPart(player, file, from, to, hooks) && !player.failed())
                return;
            if (player.failed()) {
                out.error = player.error();
                return;
            }
            system::addFile(total, player.report());
        }
    }
}

// The best variant's random runs over every file's Entwicklung (`check`
// false) or Gegenprobe, one after another, against its Saldo there.
std::optional<Verdict> judgeBest(const LoadedSweep& sweep, const Variant& best, bool check,
                                 const Hooks& hooks, std::string& error) {
    const system::System& system = sweep.systems[best.index];
    std::shared_ptr<const system::Compiled> compiled;
    if (!system.script) compiled = system::compile(system);
    const Options options{0, sweep.baselineRuns, sweep.seed, sweep.threads, false};
    std::vector<system::Baseline> baselines;
    for (std::size_t f = 0; f < sweep.files.size(); ++f) {
        const std::size_t cut = sweep.splitAt(f);
        const std::size_t spins = check ? sweep.files[f].classes.size() - cut : cut;
        const system::BaselineJob job{spins, sweep.baselineRuns, sweep.seed,
                                      2 * f + (check ? 1 : 0), 0};
        baselines.push_back(
            randomRuns(system, compiled, job, sweep.files[f].name, options, hooks, error));
        if (!error.empty() || cancelled(hooks)) return std::nullopt;
    }
    std::vector<const system::Baseline*> all;
    for (const system::Baseline& b : baselines)
        all.push_back(&b);
    const system::Report& report = check ? best.check : best.development;
    return verdictOf(system::joined(all, report.saldo), report.saldo, report.spins, 1,
                     system.capital.has_value());
}

}  // namespace

std::size_t LoadedSweep::splitAt(std::size_t f) const {
    const auto spins = static_cast<double>(files[f].classes.size());
    return std::min(files[f].classes.size(), static_cast<std::size_t>(std::floor(spins * split)));
}

std::uint64_t LoadedSweep::work() const {
    std::uint64_t spins = 0;
    for (const formats::SpinFile& f : files)
        spins += f.classes.size();
    return spins * (systems.size() + baselineRuns);
}

Result<LoadedSweep> loadSweep(const SweepJob& job, const std::atomic<bool>* cancel) {
    const Result<std::uint64_t> count = countVariants(job.vary);
    if (!count) return count.error();
    Result<system::System> base = loadSystem(job.systemFile);
    if (!base) return base.error();
    LoadedSweep loaded;
    loaded.name = base->name;
    for (const Vary& v : job.vary)
        loaded.keys.push_back(v.key);
    for (std::uint64_t i = 0; i < *count; ++i) {
        if (cancel && cancel->load()) return loaded;
        std::vector<std::string> values = valuesOf(job.vary, i);
        Result<system::System> variant = variantOf(job, *base, loaded.keys, values);
        if (!variant) return variant.error();
        loaded.systems.push_back(std::move(*variant));
        loaded.values.push_back(std::move(values));
    }
    Result<std::vector<formats::SpinFile>> files = readPermanences(job.permanences, cancel);
    if (!files) return files.error();
    loaded.files = std::move(*files);
    loaded.split = job.split;
    loaded.baselineRuns = job.baselineRuns;
    loaded.seed = job.seed ? *job.seed : job.baselineRuns > 0 ? std::random_device{}() : 0;
    loaded.threads = job.threads;
    return loaded;
}

SweepOutcome sweep(const LoadedSweep& sweep, const Hooks& hooks) {
    std::vector<Played> played(sweep.systems.size());
    system::forEach(played.size(), sweep.threads, [&](std::size_t v) {
        if (cancelled(hooks)) return;
        playVariant(sweep, v, hooks, played[v]);
        if (hooks.fileDone) hooks.fileDone(v);
    });
    SweepOutcome out;
    if (cancelled(hooks)) {
        out.cancelled = true;
        return out;
    }
    // The first error in the order of the variants, however many threads played.
    for (Played& p : played) {
        if (!p.error.empty()) {
            out.error = std::move(p.error);
            return out;
        }
        out.variants.push_back(std::move(p.variant));
    }
    std::stable_sort(out.variants.begin(), out.variants.end(),
                     [](const Variant& a, const Variant& b) {
                         return a.development.saldo > b.development.saldo;
                     });
    if (sweep.baselineRuns == 0 || out.variants.empty()) return out;
    const Variant& best = out.variants.front();
    out.developmentVerdict = judgeBest(sweep, best, false, hooks, out.error);
    if (out.developmentVerdict) out.checkVerdict = judgeBest(sweep, best, true, hooks, out.error);
    if (cancelled(hooks) || !out.error.empty()) {
        SweepOutcome ended;  // nothing else is kept
        ended.cancelled = out.error.empty();
        ended.error = std::move(out.error);
        return ended;
    }
    const double p = out.developmentVerdict->better / 100;
    out.luck = 100 * (1 - std::pow(1 - p, static_cast<double>(out.variants.size())));
    return out;
}

}  // namespace tamvek::tester
