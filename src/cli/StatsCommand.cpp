#include <iostream>

#include "cli/Commands.h"

namespace tamvek::cli {

int runStats(const StatsOptions& options) {
    (void)options;
    std::cerr << "tamvek-cli: stats: noch nicht da\n";
    return exitBadCall;
}

}  // namespace tamvek::cli
