#include <iostream>

#include "cli/Commands.h"
#include "cli/StatsOutput.h"

namespace tamvek::cli {

int runStats(const StatsOptions& options) {
    return runStats(options.permanences, options.json, std::cout, std::cerr);
}

}  // namespace tamvek::cli
