#include "tester/Job.h"

#include <random>

#include "formats/SystemFile.h"

namespace tamvek::tester {

Result<system::System> loadSystem(const std::string& path) {
    return formats::readSystemFile(path);
}

Result<LoadedJob> load(const Job& job, const std::atomic<bool>* cancel) {
    Result<system::System> system = loadSystem(job.systemFile);
    if (!system) return system.error();
    LoadedJob loaded{std::move(*system), {}, {}};
    Options& options = loaded.options;
    options.randomSpins = job.randomSpins;
    options.baselineRuns = job.baselineRuns;
    options.seed = job.seed ? *job.seed : std::random_device{}();
    options.threads = job.threads;
    options.curves = job.curves;
    // Random spins are drawn as they are played, a block at a time; they are
    // never held all at once.
    if (loaded.random()) {
        loaded.files.push_back(randomFile(options.randomSpins, options.seed));
        return loaded;
    }
    // A name at a time, so that a cancel need not wait for the whole list.
    for (const std::string& name : job.permanences) {
        if (cancel && cancel->load()) break;
        Result<std::vector<formats::SpinFile>> read = formats::readSpinFiles({name});
        if (!read) return read.error();
        for (formats::SpinFile& file : *read)
            loaded.files.push_back(std::move(file));
    }
    return loaded;
}

Outcome play(const LoadedJob& job, const Hooks& hooks) {
    return play(job.system, job.files, job.options, hooks);
}

}  // namespace tamvek::tester
