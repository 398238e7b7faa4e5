// The desktop program: one window over a session of the game.
//
//   tamvek [--seed N] [--script FILE] [--screenshot FILE.png] [--print-to FILE.pdf]
//
// --script plays a file of user actions (the format of tamvek-cli, "-" for
// standard input) on the window before it shows. Without any display the program cannot open its
// window; rather than letting Qt abort, it plays a demo game off screen and saves a picture of it
// beside the program. --print-to sends every printout ("Druck", "Copy") into that PDF file (and
// its numbered variants) instead of a printer.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QStyleFactory>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "qt/German.h"
#include "qt/MainWindow.h"
#include "qt/QtPlatform.h"
#include "qt/QtPrinter.h"
#include "script/Demo.h"
#include "script/ScriptSource.h"
#include "script/ScriptedSession.h"

namespace {

struct Options {
    std::optional<std::uint32_t> seed;
    std::optional<std::string> script;
    std::optional<std::string> screenshot;
    std::optional<std::string> printTo;
    bool qtPlatformGiven = false;  // -platform on the command line
};

const char* const usage =
    "usage: tamvek [--seed N] [--script FILE] [--screenshot FILE.png] [--print-to FILE.pdf]\n";

// Our own options; everything else is left for Qt (-platform, -style, ...).
std::optional<Options> parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= argc) return std::nullopt;
            return std::string(argv[++i]);
        };
        if (arg == "--seed") {
            const auto v = value();
            o.seed = v ? tamvek::script::parseSeed(*v) : std::nullopt;
            if (!o.seed) {
                std::cerr << "tamvek: --seed needs a whole number from 0 to 4294967295\n";
                return std::nullopt;
            }
        } else if (arg == "--script" || arg == "--screenshot" || arg == "--print-to") {
            const auto v = value();
            if (!v || v->empty()) {
                std::cerr << "tamvek: " << arg << " needs a file name\n";
                return std::nullopt;
            }
            (arg == "--script" ? o.script : arg == "--screenshot" ? o.screenshot : o.printTo) = *v;
        } else if (arg == "--help" || arg == "-h") {
            std::cout << usage;
            std::exit(0);
        } else if (arg == "-platform" || arg == "--platform") {
            o.qtPlatformGiven = true;
        }
    }
    return o;
}

bool hasDisplay(const Options& o) {
    return o.qtPlatformGiven || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// Where the demo's picture goes: beside the program, in the build folder,
// never in the folder the program was started from; the temporary folder when
// the program's folder cannot be written.
QString demoPicture() {
    const QString folder = QCoreApplication::applicationDirPath();
    const QFileInfo info(folder);
    return QDir(info.isDir() && info.isWritable() ? folder : QDir::tempPath())
        .filePath(QStringLiteral("tamvek-demo.png"));
}

// An install unpacked into some folder (not under a prefix the desktop
// searches) brings its icon theme along: the data folder's sibling icons/.
void findIconsBesideTheData(const std::string& programFolder) {
    const QString binary = QCoreApplication::applicationDirPath();
    const QString data = QString::fromStdString(programFolder);
    if (QDir(data) == QDir(binary)) return;
    const QString icons = QDir::cleanPath(data + QStringLiteral("/../icons"));
    if (QFileInfo(icons).isDir() && !QIcon::themeSearchPaths().contains(icons))
        QIcon::setThemeSearchPaths(QIcon::themeSearchPaths() << icons);
}

// Renders the window without putting it on the screen.
bool saveScreenshot(tamvek::qt::MainWindow& window, const QString& file) {
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    return window.grab().save(file, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::cerr << usage;
        return 2;
    }
    const bool demo = !hasDisplay(*options);
    if (demo) qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    if (options->printTo) tamvek::qt::setPrintTarget(QString::fromStdString(*options->printTo));
    QApplication::setApplicationName(QStringLiteral("Tamvek"));
    QApplication::setApplicationVersion(QStringLiteral(TAMVEK_VERSION));
    // Wayland and the task bars match the window with its desktop file by this.
    QGuiApplication::setDesktopFileName(tamvek::qt::MainWindow::appId());
    if (!tamvek::qt::speakGerman(app))
        std::cerr << "tamvek: Qt's German translations are not installed "
                     "(qt6-translations-l10n); its own dialogs stay English\n";
    // One style everywhere, so the window's colours look the same on every desktop.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);

    std::optional<tamvek::Result<tamvek::script::ScriptSource>> script;
    if (options->script) {
        script.emplace(tamvek::script::ScriptSource::open(*options->script));
        if (!*script) {
            std::cerr << "tamvek: cannot open " << script->error().message << "\n";
            return 1;
        }
    }
    tamvek::qt::QtPlatform platform;
    findIconsBesideTheData(platform.programFolder());
    // The demo is a script too, importing one of the samples in the program's folder.
    std::istringstream demoActions;
    if (demo && !script)
        demoActions.str(tamvek::script::demoScript(platform.programFolder() + "/samples"));
    std::istream* actions = script ? &(*script)->stream() : demo ? &demoActions : nullptr;
    const std::string shownName = script ? (*script)->shownName() : std::string("the demo");

    // A scripted session answers questions from the script, and its dumps show
    // what was played and asked; without a script the user answers from the
    // start and nothing is noted. Everything the user does is written down,
    // for "Sitzung speichern".
    tamvek::script::ScriptedSession scripted(platform, options->seed, std::cout);
    tamvek::qt::MainWindow window(scripted.session());
    window.setMenu(scripted.menu());
    platform.setWindow(&window);

    if (actions == nullptr) scripted.handOver();
    if (actions != nullptr) {
        // Every keystroke redraws the box: a sane length keeps that quick.
        scripted.player().setLongestTypedText(100'000);
        const tamvek::script::ScriptResult result = scripted.play(*actions);
        // Afterwards the user answers.
        scripted.handOver();
        std::cout.flush();
        if (!result.ok) {
            std::cerr << "tamvek: " << shownName << ":" << result.line << ": " << result.message
                      << "\n";
            return 2;
        }
        if (scripted.recorder().quitRequested()) return 0;
    }

    if (options->screenshot || demo) {
        const QString file =
            options->screenshot ? QString::fromStdString(*options->screenshot) : demoPicture();
        if (!saveScreenshot(window, file)) {
            std::cerr << "tamvek: cannot write " << file.toStdString() << '\n';
            return 1;
        }
        if (!demo) {
            std::cout << file.toStdString() << std::endl;
            return 0;
        }
        std::cout << "tamvek: there is no display to open the window on, so "
                  << (script ? "the script" : "a demo game")
                  << " was played off screen; its picture is "
                  << QFileInfo(file).absoluteFilePath().toStdString() << "\n"
                  << "tamvek: to see the real window, start the program in a desktop session, or "
                     "run \"xvfb-run -a "
                  << QCoreApplication::applicationFilePath().toStdString()
                  << " --screenshot window.png\" and open window.png in an image viewer"
                  << std::endl;
        return 0;
    }

    window.show();
    return QApplication::exec();
}
