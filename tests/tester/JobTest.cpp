// A job on the runner's thread gives what it gives played in place, and a
// fault or a cancel hands over nothing but that.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/ScratchFolder.h"
#include "tester/Job.h"
#include "tester/ReportTable.h"
#include "tester/Runner.h"

namespace tamvek::tester {
namespace {

const std::string spins = TAMVEK_TEST_DATA "/spins";

Job twoFiles() {
    Job job;
    job.systemFile = TAMVEK_SOURCE_DIR "/systems/martingale-nach-serie.toml";
    job.permanences = {spins + "/wiesbaden-t1-head.txt", spins + "/genting-118.txt"};
    job.seed = 5;
    job.baselineRuns = 20;
    job.curves = true;
    return job;
}

Runner::Finished waitFor(Runner& runner) {
    while (!runner.finished())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return runner.take();
}

TEST(Job, TheRunnerGivesWhatAPlayInPlaceGives) {
    const Result<LoadedJob> loaded = load(twoFiles());
    ASSERT_TRUE(loaded) << loaded.error().message;
    const Outcome here = play(*loaded);
    const ReportTable table = reportTable(*loaded, here);

    Runner runner(twoFiles());
    const Runner::Finished there = waitFor(runner);
    ASSERT_TRUE(there.error.empty()) << there.error;
    ASSERT_FALSE(there.cancelled);
    EXPECT_EQ(there.options.seed, 5u);
    EXPECT_EQ(there.systemName, loaded->system.name);
    ASSERT_EQ(there.outcome.files.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(there.outcome.files[i].report, here.files[i].report);
        EXPECT_EQ(there.outcome.files[i].curve, here.files[i].curve);
        EXPECT_EQ(there.outcome.files[i].baseline->saldos, here.files[i].baseline->saldos);
        EXPECT_EQ(there.table.files[i].cells, table.files[i].cells);
    }
    EXPECT_EQ(there.table.total.cells, table.total.cells);
    EXPECT_EQ(there.table.headings.size(), table.headings.size());
    const Runner::Progress done = runner.progress();
    EXPECT_FALSE(done.reading);
    EXPECT_EQ(done.done, loaded->work());
    EXPECT_EQ(done.total, loaded->work());
}

TEST(Job, AFaultOrACancelHandsOverNothingElse) {
    test::ScratchFolder folder;
    Job bad = twoFiles();
    bad.systemFile = folder.write("s.toml", "name = \"x\"\n[[bet]]\nsied = \"red\"\n");
    Runner faulty(bad);
    const Runner::Finished fault = waitFor(faulty);
    EXPECT_EQ(fault.error.rfind(bad.systemFile + ":3: sied: ", 0), 0u) << fault.error;
    EXPECT_TRUE(fault.outcome.files.empty());

    Job endless = twoFiles();
    endless.permanences.clear();
    endless.randomSpins = 1'000'000'000;
    Runner cancelled(endless);
    while (cancelled.progress().done == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    cancelled.cancel();
    const Runner::Finished stopped = waitFor(cancelled);
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_TRUE(stopped.error.empty());
    EXPECT_TRUE(stopped.outcome.files.empty());
    EXPECT_TRUE(stopped.table.files.empty());

    // Going away mid-run stops the run and waits for it.
    Runner abandoned(endless);
}

}  // namespace
}  // namespace tamvek::tester
