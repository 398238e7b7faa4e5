// How the window copes with the longest run a user can ask for: 9999 spins in
// halt-at mode, typed and clicked through the real widgets on the offscreen
// platform, compared with the same run on the bare form model.

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

#include "engine/RandomSource.h"
#include "qt/MainWindow.h"
#include "qt/QtPlatform.h"
#include "session/Session.h"

using namespace tamvek;

namespace {

struct Window {
    engine::Mt19937Random random{1};
    qt::QtPlatform platform;
    session::Session session{platform, random};
    qt::MainWindow window{session};

    Window() {
        platform.setWindow(&window);
        window.show();
    }
    template <typename W>
    W* widget(const char* name) {
        return window.findChild<W*>(QString::fromLatin1(name));
    }
    // Digits typed as key presses and releases, as the keyboard sends them.
    void type(const char* name, const QString& digits) {
        QWidget* box = widget<QLineEdit>(name);
        for (QChar ch : digits) {
            const int key = Qt::Key_0 + ch.digitValue();
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(box, &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(box, &release);
        }
    }
    void prepareHaltAtRun() {
        type("textanzahl", QStringLiteral("9999"));
        widget<QRadioButton>("Option1(2)")->click();
    }
};

void haltAtRunInWindow(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        {
            auto w = std::make_unique<Window>();
            w->prepareHaltAtRun();
            QApplication::processEvents();
            state.ResumeTiming();
            w->widget<QPushButton>("okstart")->click();
            state.PauseTiming();
            if (w->widget<QLabel>("lakut")->text() != QStringLiteral("9999"))
                state.SkipWithError("the run did not reach spin 9999");
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 9999);
}
BENCHMARK(haltAtRunInWindow)->Unit(benchmark::kMillisecond);

// The same run without any widgets: what the view adds is the difference.
void haltAtRunOnModel(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        {
            engine::Mt19937Random random{1};
            qt::QtPlatform platform;
            session::Session session{platform, random};
            session.form().textanzahl.type("9999");
            session.form().Option1.click(2);
            state.ResumeTiming();
            session.form().okstart.click();
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 9999);
}
BENCHMARK(haltAtRunOnModel)->Unit(benchmark::kMillisecond);

void openWindow(benchmark::State& state) {
    for (auto _ : state) {
        Window w;
        QApplication::processEvents();
        benchmark::DoNotOptimize(&w);
    }
}
BENCHMARK(openWindow)->Unit(benchmark::kMillisecond);

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
