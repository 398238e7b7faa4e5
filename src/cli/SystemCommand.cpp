#include <algorithm>
#include <atomic>
#include <iostream>
#include <optional>
#include <thread>

#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "cli/Output.h"
#include "cli/Progress.h"
#include "cli/SystemOutput.h"
#include "core/Figures.h"
#include "platform/OutputFile.h"
#include "system/Player.h"
#include "tester/Job.h"
#include "tester/ReportTable.h"

namespace tamvek::cli {
namespace {

using platform::OutputFile;

// Either permanences or random spins; a log with a name.
int checkCall(const SystemOptions& options) {
    if (options.random > 0 && !options.permanences.empty())
        return fail("entweder Permanenzen oder --random, nicht beides", exitBadCall);
    if (options.random == 0 && options.permanences.empty())
        return fail("keine Permanenz angegeben (Dateien, ein Ordner, - oder --random N)",
                    exitBadCall);
    if (options.log && options.log->empty())
        return fail("--log braucht einen Dateinamen", exitBadCall);
    return exitOk;
}

// The cycle log: opened before anything is played, so that a target it must
// not write is refused before the work; written a block at a time into a
// temporary file, which takes the target's place only once the run is played
// to its end (platform/OutputFile.h).
class CycleLog {
  public:
    static std::optional<CycleLog> open(const SystemOptions& options, int& status);

    // Whether a name of this run's input leads to the log's target.
    bool isInput(const std::string& name) const {
        return name != "-" && platform::sameFile(m_file.path(), name);
    }
    void add(const std::string& file, const std::vector<system::Cycle>& cycles) {
        if (!m_error) m_error = m_file.write(cycleLogRecords(file, cycles));
    }
    const std::optional<Error>& error() const { return m_error; }
    std::optional<Error> commit() { return m_error ? m_error : m_file.commit(); }
    void discard() { m_file.discard(); }
    const std::string& path() const { return m_file.path(); }

  private:
    explicit CycleLog(OutputFile file) : m_file(std::move(file)) {}
    OutputFile m_file;
    std::optional<Error> m_error;
};

std::optional<CycleLog> CycleLog::open(const SystemOptions& options, int& status) {
    const std::string& path = *options.log;
    if (!options.force && platform::plainFileExists(path)) {
        status = fail(path + ": gibt es schon (--force ersetzt die Datei)", exitCannotWrite);
        return std::nullopt;
    }
    Result<OutputFile> file = OutputFile::create(
        path, options.force ? platform::Overwrite::Yes : platform::Overwrite::No);
    if (!file) {
        status = fail(file.error().message, exitCannotWrite);
        return std::nullopt;
    }
    CycleLog log(std::move(*file));
    log.m_error = log.m_file.write(cycleLogHeader());
    return log;
}

// The first input of the job that is the log's target: a log over its own
// input would destroy what it reads, --force or not.
std::optional<std::string> inputUnderLog(const CycleLog& log, const SystemOptions& options,
                                         const tester::LoadedJob* loaded) {
    std::vector<std::string> names = options.permanences;
    names.push_back(options.system);
    if (loaded != nullptr)
        for (const formats::SpinFile& file : loaded->files)
            names.push_back(file.name);
    for (const std::string& name : names)
        if (log.isInput(name)) return name;
    return std::nullopt;
}

int refuseInput(const std::string& input) {
    return fail(input + ": ist eine Eingabe dieses Laufs und wird nicht überschrieben",
                exitCannotWrite);
}

// Plays `job` with a progress line on a terminal, and the cycles into `log`
// when there is one. Ctrl-C, SIGTERM or a log that cannot be written stop it.
tester::Outcome play(const tester::LoadedJob& job, CycleLog* log) {
    Progress progress(job.work(), job.files.size());
    std::atomic<bool> stop{interrupt::heard()};
    tester::Hooks hooks = progressHooks(progress, stop);
    if (log)
        hooks.cycles = [&](const std::string& file, const std::vector<system::Cycle>& cycles) {
            log->add(file, cycles);
            if (log->error()) stop = true;
        };
    return tester::play(job, hooks);
}

// What was left undone when a signal ended the run.
int interrupted(CycleLog* log) {
    if (log) log->discard();
    std::cerr << interrupt::message(log ? log->path() + " nicht geschrieben, kein Bericht"
                                        : "kein Bericht")
              << "\n";
    return interrupt::exitStatus();
}

// Which path of the kernel played, for --verbose.
std::string kernelLine(const tester::Outcome& played) {
    const auto name = [&](system::Path path) -> std::string {
        switch (path) {
            case system::Path::Table:
                return "Tabelle (" + figures::whole(played.states) + " Zustände)";
            case system::Path::Automata:
                return "Automaten je Paar (" + figures::whole(played.states) + " Zustände)";
            case system::Path::Script:
                return "Lua-Skript Wurf für Wurf";
            case system::Path::Engine:
                break;
        }
        return "Regeln Wurf für Wurf";
    };
    std::string line = "Kern: " + name(played.compiled);
    if (played.played != played.compiled) line += ", dann " + name(played.played);
    return line;
}

tester::Job jobOf(const SystemOptions& options) {
    tester::Job job;
    job.systemFile = options.system;
    job.permanences = options.permanences;
    job.randomSpins = options.random;
    job.seed = options.seed;
    job.baselineRuns = options.baseline;
    job.threads = threadsFor(options.threads);
    return job;
}

}  // namespace

// More threads than the machine has cores would only wait for each other.
unsigned threadsFor(unsigned asked) {
    const unsigned cores = std::thread::hardware_concurrency();
    if (cores == 0 || asked <= cores) return asked;
    std::cerr << "tamvek-cli: --threads " << asked << ": dieser Rechner hat " << cores
              << (cores == 1 ? " Kern" : " Kerne") << ", es rechnen " << cores << "\n";
    return cores;
}

int runSystem(const SystemOptions& options) {
    if (const int status = checkCall(options); status != exitOk) return status;
    interrupt::listen();
    std::optional<CycleLog> log;
    if (options.log) {
        int status = exitOk;
        log = CycleLog::open(options, status);
        if (!log) return status;
        if (const auto input = inputUnderLog(*log, options, nullptr)) return refuseInput(*input);
    }
    const Result<tester::LoadedJob> loaded = tester::load(jobOf(options), &interrupt::flag());
    if (interrupt::heard()) return interrupted(log ? &*log : nullptr);
    if (!loaded) return fail(loaded.error().message, exitBadInput);
    if (log)
        if (const auto input = inputUnderLog(*log, options, &*loaded)) return refuseInput(*input);

    const tester::Outcome played = play(*loaded, log ? &*log : nullptr);
    if (log && log->error()) return fail(log->error()->message, exitCannotWrite);
    if (played.cancelled) return interrupted(log ? &*log : nullptr);
    if (!played.error.empty()) {
        // A run that a script stopped keeps nothing, not even its cycles so far.
        if (log) log->discard();
        return fail(played.error, exitBadInput);
    }
    if (log)
        if (const auto error = log->commit()) return fail(error->message, exitCannotWrite);
    const tester::ReportTable table = tester::reportTable(*loaded, played);
    if (options.verbose) std::cerr << kernelLine(played) << "\n";
    if (options.json)
        writeSystemJson(std::cout, *loaded, played, table);
    else
        writeSystemText(std::cout, *loaded, played, table);
    return finishOutput();
}

}  // namespace tamvek::cli
