#include <iostream>

#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "cli/Output.h"
#include "cli/StatsOutput.h"

namespace tamvek::cli {

int runStats(const StatsOptions& options) {
    interrupt::listen();
    const int status =
        runStats(options.permanences, options.json, std::cout, std::cerr, &interrupt::flag());
    if (status == statsCancelled) {
        std::cerr << interrupt::message("keine Statistik") << "\n";
        return interrupt::exitStatus();
    }
    if (status != statsOk) return status;
    return finishOutput();
}

}  // namespace tamvek::cli
