#include "tester/Job.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <random>

#include "formats/SystemFile.h"
#include "lua/ScriptPlayer.h"

namespace tamvek::tester {

bool isScript(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".lua";
}

Result<std::vector<formats::SpinFile>> readPermanences(const std::vector<std::string>& names,
                                                       const std::atomic<bool>* cancel) {
    std::vector<formats::SpinFile> files;
    // A name at a time, so that a cancel need not wait for the whole list.
    for (const std::string& name : names) {
        if (cancel && cancel->load()) break;
        Result<std::vector<formats::SpinFile>> read = formats::readSpinFiles({name});
        if (!read) return read.error();
        for (formats::SpinFile& file : *read)
            files.push_back(std::move(file));
    }
    return files;
}

// A script is run once here, so that its faults (and its name) are known
// before anything is played.
Result<system::System> loadSystem(const std::string& path) {
    if (!isScript(path)) return formats::readSystemFile(path);
    Result<system::System> system = formats::readScriptFile(path);
    if (!system) return system;
    const lua::ScriptPlayer check(*system->script, {});
    if (check.failed()) return Error{check.error()};
    if (check.name()) system->name = *check.name();
    // The script plays them itself; the report shows their columns.
    system->tableMax = check.tableMax();
    system->capital = check.capital();
    return system;
}

Result<LoadedJob> load(const Job& job, const std::atomic<bool>* cancel) {
    Result<system::System> system = loadSystem(job.systemFile);
    if (!system) return system.error();
    LoadedJob loaded{std::move(*system), {}, {}};
    Options& options = loaded.options;
    options.randomSpins = job.randomSpins;
    options.baselineRuns = job.baselineRuns;
    // Files alone play the same every time, a script's math.random too.
    const bool drawn = job.randomSpins > 0 || job.baselineRuns > 0;
    options.seed = job.seed ? *job.seed : drawn ? std::random_device{}() : 0;
    options.threads = job.threads;
    options.curves = job.curves;
    // Random spins are drawn as they are played, a block at a time; they are
    // never held all at once.
    if (loaded.random()) {
        loaded.files.push_back(randomFile(options.randomSpins, options.seed));
        return loaded;
    }
    Result<std::vector<formats::SpinFile>> files = readPermanences(job.permanences, cancel);
    if (!files) return files.error();
    loaded.files = std::move(*files);
    return loaded;
}

Outcome play(const LoadedJob& job, const Hooks& hooks) {
    return play(job.system, job.files, job.options, hooks);
}

}  // namespace tamvek::tester
