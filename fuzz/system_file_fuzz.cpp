// Arbitrary bytes as a system file: either a system the engine can play (it is
// then played over a few spins, by the kernel as well, which must agree) or an
// error that names the file.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formats/SystemFile.h"
#include "system/Kernel.h"
#include "system/Player.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tamvek;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Result<system::System> sys = formats::parseSystem(text, "s.toml");
    if (!sys) {
        if (!sys.error().message.starts_with("s.toml")) std::abort();
        return 0;
    }
    if (sys->bets.empty() || sys->bets.size() > system::mostBets) std::abort();
    for (const system::Bet& bet : sys->bets) {
        if (bet.units < 1 || bet.units > largestStake || bet.ride < 0 ||
            bet.after.size() > system::longestTrigger || (bet.limit && *bet.limit < bet.units))
            std::abort();
        for (int side : bet.after)
            if (side < 0 || side > 2) std::abort();  // 0: either side
    }
    std::vector<std::uint8_t> spins;
    for (std::size_t i = 0; i < 200; ++i)
        spins.push_back(static_cast<std::uint8_t>((i * 7 + size) % wheel::classes));
    const system::Report report = system::playSpins(*sys, spins);
    if (report.spins != spins.size() ||
        report.cycles != report.lost + report.takenHome + report.givenBack)
        std::abort();
    system::Kernel kernel(*sys);
    kernel.play(spins.data(), spins.size());
    if (kernel.report() != report) std::abort();
    return 0;
}
