#include "tester/Verdict.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Figures.h"

namespace tamvek::tester {
namespace {

// z of the 95 % interval.
constexpr double z95 = 1.959963984540054;

Share wilson(std::size_t hits, std::size_t n) {
    const double p = static_cast<double>(hits) / static_cast<double>(n);
    const double size = static_cast<double>(n);
    const double zz = z95 * z95;
    const double centre = (p + zz / (2 * size)) / (1 + zz / size);
    const double half =
        z95 / (1 + zz / size) * std::sqrt(p * (1 - p) / size + zz / (4 * size * size));
    return {100 * p, 100 * std::max(0.0, centre - half), 100 * std::min(1.0, centre + half)};
}

// The lowest Saldo that `level` % of the runs stayed at or above, as a capital.
Amount capitalFor(const std::vector<Amount>& depths, int level) {
    const auto rank = static_cast<std::size_t>(
        std::ceil(static_cast<double>(level) * static_cast<double>(depths.size()) / 100.0));
    return depths[std::clamp<std::size_t>(rank, 1, depths.size()) - 1];
}

std::optional<std::uint64_t> spinsNeededOf(const system::Baseline& b, std::uint64_t spins) {
    if (spins == 0 || b.mean >= 0) return std::nullopt;
    const double mean = b.mean / static_cast<double>(spins);
    const double variance = b.sd * b.sd / static_cast<double>(spins);
    return std::max<std::uint64_t>(
        1, static_cast<std::uint64_t>(std::ceil(4 * variance / (mean * mean))));
}

std::string betterText(const Verdict& v) {
    return (v.betterBelow ? "weniger als " : "") + percentText(v.better);
}

std::string luckText(std::size_t files, double luck) {
    return "bei " + figures::whole(files) + " getesteten Dateien ist das mit " + percentText(luck) +
           " Wahrscheinlichkeit Glück";
}

// The verdict in words; a file among several says how likely its luck is.
std::string sentenceOf(const Verdict& v) {
    if (v.better <= verdictTail)
        return "Auffällig gut: " + std::string(v.betterBelow ? "" : "nur ") + betterText(v) +
               " der Zufallspermanenzen waren besser" +
               (v.luck ? " – " + luckText(v.files, *v.luck) : "") + ".";
    if (v.worse == 0)  // as with `better`: never zero with finitely many runs
        return "Auffällig schlecht: weniger als " + percentText(100 / static_cast<double>(v.runs)) +
               " der Zufallspermanenzen waren schlechter.";
    if (v.worse <= verdictTail)
        return "Auffällig schlecht: nur " + percentText(v.worse) +
               " der Zufallspermanenzen waren schlechter.";
    return "Im Rahmen des Zufalls: " + betterText(v) + " der Zufallspermanenzen waren besser.";
}

}  // namespace

std::string percentText(double percent) {
    if (percent > 99.999 && percent < 100) return "über 99,999 %";
    if (percent > 0 && percent < 0.001) return "unter 0,001 %";
    // Enough places that a share is never shown as 0 % or 100 % unless it is.
    const int digits = percent == 0 || percent == 100 ? 0
                       : percent >= 99.995            ? 3
                       : percent >= 99.95             ? 2
                       : percent >= 90                ? 1
                       : percent >= 10                ? 0
                       : percent >= 0.1               ? 1
                       : percent >= 0.01              ? 2
                                                      : 3;
    return figures::decimal(percent, digits) + " %";
}

Verdict verdictOf(const system::Baseline& b, Amount saldo, std::uint64_t spins, std::size_t files,
                  bool capital) {
    Verdict v;
    v.runs = b.runs;
    v.files = files;
    v.expected = b.mean;
    if (b.sd > 0) v.z = (static_cast<double>(saldo) - b.mean) / b.sd;
    const double runs = static_cast<double>(b.runs);
    const auto atLeast = static_cast<double>(
        std::count_if(b.saldos.begin(), b.saldos.end(), [&](Amount s) { return s >= saldo; }));
    const auto atMost = static_cast<double>(
        std::count_if(b.saldos.begin(), b.saldos.end(), [&](Amount s) { return s <= saldo; }));
    v.betterBelow = atLeast == 0;
    v.better = 100 * std::max(atLeast, 1.0) / runs;
    v.worse = 100 * atMost / runs;
    if (files > 1) v.luck = 100 * (1 - std::pow(1 - v.better / 100, static_cast<double>(files)));
    v.spinsNeeded = spinsNeededOf(b, spins);
    std::vector<Amount> depths;
    for (const Amount lowest : b.lowests)
        depths.push_back(-lowest);
    std::sort(depths.begin(), depths.end());
    if (!depths.empty())
        for (std::size_t k = 0; k < capitalLevels.size(); ++k)
            v.capitalNeeded[k] = capitalFor(depths, capitalLevels[k]);
    if (capital)
        v.ruin = wilson(static_cast<std::size_t>(std::count(b.ruined.begin(), b.ruined.end(), 1)),
                        b.runs);
    v.sentence = sentenceOf(v);
    return v;
}

void addBestFile(Verdict& total, std::size_t files, double bestBetter, bool bestBelow) {
    if (files < 2) return;
    total.files = files;
    total.luck = 100 * (1 - std::pow(1 - bestBetter / 100, static_cast<double>(total.files)));
    total.sentence += " Beste Datei: " + std::string(bestBelow ? "weniger als " : "") +
                      percentText(bestBetter) + " besser – bei " + figures::whole(files) +
                      " getesteten Dateien sieht mit " + percentText(*total.luck) +
                      " Wahrscheinlichkeit mindestens eine so gut aus.";
}

}  // namespace tamvek::tester
