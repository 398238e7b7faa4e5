// The desktop program: one window over a session of the game.
//
//   tamvek [--seed N] [--script FILE] [--screenshot FILE.png [--force]] [--print-to FILE.pdf]
//
// --script plays a file of user actions (the format of tamvek-cli, "-" for
// standard input) on the window before it shows. Without any display the program cannot open its
// window; rather than letting Qt abort, it plays a demo game off screen and saves a picture of it
// beside the program. --print-to sends every printout ("Druck", "Copy") into that PDF file (and
// its numbered variants) instead of a printer. --screenshot never writes over a
// file unless --force says so.

#include <CLI/CLI.hpp>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QSaveFile>
#include <QStyleFactory>
#include <algorithm>
#include <cstdint>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "formats/ScriptLines.h"
#include "qt/German.h"
#include "qt/MainWindow.h"
#include "qt/QtPlatform.h"
#include "qt/QtPrinter.h"
#include "script/Demo.h"
#include "script/ScriptSource.h"
#include "script/ScriptedSession.h"

namespace {

using tamvek::script::ScriptedSession;
using tamvek::script::ScriptSource;

struct Options {
    std::optional<std::uint32_t> seed;
    std::optional<std::string> script;
    std::optional<std::string> screenshot;
    std::optional<std::string> printTo;
    bool force = false;            // the screenshot may replace a file
    bool qtPlatformGiven = false;  // -platform on the command line
};

const char* const usage =
    "usage: tamvek [--seed N] [--script FILE] [--screenshot FILE.png "
    "[--force]] [--print-to FILE.pdf]\n";

// A file option's value: empty when it was not given; missing (and said so)
// when it was given without a file name.
bool takeFile(const CLI::Option& option, const std::string& value,
              std::optional<std::string>& file) {
    if (option.count() == 0) return true;
    if (value.empty()) {
        std::cerr << "tamvek: " << option.get_name() << " needs a file name\n";
        return false;
    }
    file = value;
    return true;
}

// Our own options; everything else is left for Qt (-platform, -style, ...).
// Nothing when the program ends here, with `status`.
std::optional<Options> readOptions(int argc, char** argv, int& status) {
    CLI::App cli("", "tamvek");
    cli.allow_extras();
    cli.set_help_flag("-h,--help");
    // An option given twice counts once, the last time; a value may be missing,
    // which the checks below say in our own words.
    cli.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    std::string seed, script, screenshot, printTo;
    const CLI::Option* seedOption = cli.add_option("--seed", seed)->expected(0, 1);
    const CLI::Option* scriptOption = cli.add_option("--script", script)->expected(0, 1);
    const CLI::Option* screenshotOption =
        cli.add_option("--screenshot", screenshot)->expected(0, 1);
    const CLI::Option* printToOption = cli.add_option("--print-to", printTo)->expected(0, 1);
    bool force = false;
    cli.add_flag("--force,--overwrite", force);
    status = 2;
    try {
        cli.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << usage;
        status = 0;
        return std::nullopt;
    } catch (const CLI::ParseError& e) {
        std::cerr << "tamvek: " << e.what() << "\n" << usage;
        return std::nullopt;
    }
    Options o;
    o.force = force;
    if (seedOption->count() > 0) {
        o.seed = tamvek::script::parseSeed(seed);
        if (!o.seed) std::cerr << "tamvek: --seed needs a whole number from 0 to 4294967295\n";
    }
    if ((seedOption->count() > 0 && !o.seed) || !takeFile(*scriptOption, script, o.script) ||
        !takeFile(*screenshotOption, screenshot, o.screenshot) ||
        !takeFile(*printToOption, printTo, o.printTo)) {
        std::cerr << usage;
        return std::nullopt;
    }
    const std::vector<std::string> forQt = cli.remaining();
    o.qtPlatformGiven = std::any_of(forQt.begin(), forQt.end(), [](const std::string& arg) {
        return arg == "-platform" || arg == "--platform";
    });
    return o;
}

bool hasDisplay(const Options& o) {
    return o.qtPlatformGiven || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// The program's name, version and style, the printer's target and Qt's own
// texts in German.
void setUpApplication(QApplication& app, const Options& options) {
    if (options.printTo) tamvek::qt::setPrintTarget(QString::fromStdString(*options.printTo));
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

// Plays the script on the window; then the user answers. The program's exit
// status when it ends here: after a bad line, or when the script ended it.
std::optional<int> playScript(ScriptedSession& scripted, std::istream& actions,
                              const std::string& shownName) {
    // Every keystroke redraws the box: a sane length keeps that quick.
    scripted.player().setLongestTypedText(100'000);
    const tamvek::script::ScriptResult result = scripted.play(actions);
    scripted.handOver();
    std::cout.flush();
    if (!result.ok) {
        std::cerr << "tamvek: "
                  << tamvek::formats::scriptPlace(shownName, result.line, result.message) << "\n";
        return 2;
    }
    if (scripted.recorder().quitRequested()) return 0;
    return std::nullopt;
}

// Renders the window without putting it on the screen into `file`, whole or
// not at all (beside it first, then moved over it); an existing file only when
// `replace` says so. Why it failed, or nothing.
std::optional<QString> saveScreenshot(tamvek::qt::MainWindow& window, const QString& file,
                                      bool replace) {
    const QFileInfo target(file);
    if (target.exists() && !target.isFile()) return QStringLiteral("it is not a plain file");
    if (target.exists() && !replace)
        return QStringLiteral("it exists already (--force replaces it)");
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return out.errorString();
    if (!window.grab().save(&out, "PNG")) {
        const QString reason = out.errorString();
        out.cancelWriting();
        return reason;
    }
    if (!out.commit()) return out.errorString();
    return std::nullopt;
}

// The picture of the window instead of the window: the one asked for, or the
// demo's where there is no display, and what to do to see the real window.
int savePicture(tamvek::qt::MainWindow& window, const Options& options, bool demo) {
    const QString file =
        options.screenshot ? QString::fromStdString(*options.screenshot) : demoPicture();
    // The demo's picture is the program's own: the next demo replaces it.
    if (const auto failure = saveScreenshot(window, file, options.force || !options.screenshot)) {
        std::cerr << "tamvek: cannot write " << file.toStdString() << ": " << failure->toStdString()
                  << '\n';
        return 1;
    }
    if (!demo) {
        std::cout << file.toStdString() << std::endl;
        return 0;
    }
    std::cout << "tamvek: there is no display to open the window on, so "
              << (options.script ? "the script" : "a demo game")
              << " was played off screen; its picture is "
              << QFileInfo(file).absoluteFilePath().toStdString() << "\n"
              << "tamvek: to see the real window, start the program in a desktop session, or "
                 "run \"xvfb-run -a "
              << QCoreApplication::applicationFilePath().toStdString()
              << " --screenshot window.png\" and open window.png in an image viewer" << std::endl;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int status = 0;
    const std::optional<Options> options = readOptions(argc, argv, status);
    if (!options) return status;
    const bool demo = !hasDisplay(*options);
    if (demo) qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    setUpApplication(app, *options);

    std::optional<tamvek::Result<ScriptSource>> script;
    if (options->script) {
        script.emplace(ScriptSource::open(*options->script));
        if (!*script) {
            std::cerr << "tamvek: cannot open " << script->error().message << "\n";
            return 1;
        }
    }
    tamvek::qt::QtPlatform platform;
    // A script names its folders from the current one, as in tamvek-cli.
    platform.startInCurrentFolder(script.has_value());
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
    ScriptedSession scripted(platform, options->seed, std::cout);
    tamvek::qt::MainWindow window(scripted.session());
    window.setMenu(scripted.menu());
    platform.setWindow(&window);
    if (actions == nullptr)
        scripted.handOver();
    else if (const std::optional<int> end = playScript(scripted, *actions, shownName))
        return *end;

    if (options->screenshot || demo) return savePicture(window, *options, demo);
    window.show();
    return QApplication::exec();
}
