// What the Saldo curve window costs with the longest run a user can ask for:
// a ledger of 9999 spins, redrawn and rendered into an image as the screen
// would show it, with a few fictitious stretches, with every second spin
// switched (the worst a run can do), and with the pairs' lines; and the
// refresh() after an input that changed nothing.

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "engine/SpinLedger.h"
#include "qt/SaldoCurveWindow.h"

using namespace tamvek;

namespace {

constexpr std::uint32_t spins = 9999;

// A wandering Saldo; `switchEvery` spins the play turns fictitious or back.
void fill(engine::SpinLedger& ledger, std::uint32_t switchEvery) {
    ledger.clear();
    double saldo = 0;
    std::uint32_t state = 12345;
    for (std::uint32_t spin = 1; spin <= spins; ++spin) {
        state = state * 1103515245u + 12345u;
        const double step = static_cast<double>((state >> 16) % 21) - 10;
        saldo += step;
        ledger.book(static_cast<int>(spin % 3), step);
        ledger.spinPlayed(spin, saldo, (spin / switchEvery) % 2 == 1);
    }
}

void redrawAndRender(benchmark::State& state, std::uint32_t switchEvery, bool pairs) {
    engine::SpinLedger ledger;
    qt::SaldoCurveWindow window(ledger);
    window.findChild<QCheckBox*>("showPairs")->setChecked(pairs);
    window.show();
    QApplication::processEvents();
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        state.PauseTiming();
        fill(ledger, switchEvery);
        state.ResumeTiming();
        window.refresh();
        QPainter painter(&image);
        window.render(&painter);
    }
}

void fewStretches(benchmark::State& state) {
    redrawAndRender(state, 2000, false);
}
BENCHMARK(fewStretches)->Unit(benchmark::kMillisecond);

void everySecondSpinSwitched(benchmark::State& state) {
    redrawAndRender(state, 2, false);
}
BENCHMARK(everySecondSpinSwitched)->Unit(benchmark::kMillisecond);

void withThePairs(benchmark::State& state) {
    redrawAndRender(state, 2000, true);
}
BENCHMARK(withThePairs)->Unit(benchmark::kMillisecond);

// Called after every click and keystroke: nothing to do when no spin was played.
void refreshUnchanged(benchmark::State& state) {
    engine::SpinLedger ledger;
    fill(ledger, 2000);
    qt::SaldoCurveWindow window(ledger);
    for (auto _ : state)
        window.refresh();
}
BENCHMARK(refreshUnchanged);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
