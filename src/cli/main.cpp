// tamvek-cli: the game without a window. Plays scripts of user actions, tests
// stake systems over permanence archives and reads a permanence's statistics.

#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>
#include <limits>
#include <new>

#include "cli/Commands.h"
#include "cli/Output.h"
#include "core/Numbers.h"

namespace {

using namespace tamvek::cli;

// The program with its help in German.
void germanHelp(CLI::App& app) {
    app.get_formatter()->label("Usage", "Aufruf");
    app.get_formatter()->label("OPTIONS", "OPTIONEN");
    app.get_formatter()->label("Options", "Optionen");
    app.get_formatter()->label("Positionals", "Argumente");
    app.get_formatter()->label("Subcommands", "Befehle");
    app.get_formatter()->label("SUBCOMMAND", "BEFEHL");
    app.get_formatter()->label("REQUIRED", "nötig");
    app.get_formatter()->column_width(24);
    app.option_defaults()->group("Optionen");
    app.set_help_flag("-h,--help", "zeigt diese Hilfe");
    app.footer(
        "Rückgabewert: 0 fertig, 1 eine Datei fehlt oder ist fehlerhaft, 2 falscher Aufruf "
        "oder eine falsche Zeile im Skript, 3 eine Datei oder die Ausgabe kann nicht "
        "geschrieben werden, 130 und 143 abgebrochen (Ctrl-C, SIGTERM).\n");
}

// A whole number from `least` to `most` in decimal digits only: CLI11 alone
// would take a sign, an exponent, hex and a leading 0 as octal.
CLI::Validator whole(std::uint64_t least, std::uint64_t most) {
    return CLI::Validator(
        [least, most](std::string& text) -> std::string {
            const std::optional<std::uint64_t> value = tamvek::parseWhole(text);
            if (!value || *value < least || *value > most)
                return "braucht eine ganze Zahl von " + std::to_string(least) + " bis " +
                       std::to_string(most) + ", nicht '" + text + "'";
            text = std::to_string(*value);  // without leading zeros
            return {};
        },
        "");
}

CLI::App* addPlay(CLI::App& app, PlayOptions& play) {
    CLI::App* command = app.add_subcommand(
        "play",
        "spielt ein Skript von Benutzeraktionen und schreibt jeden dump als eine Zeile "
        "JSON (docs/script-format.md)");
    command
        ->add_option("--seed", play.seed,
                     "Zufallszahlen aus Startwert N (0 bis 4294967295): gleicher Startwert "
                     "und gleiches Skript, gleiche Ausgabe")
        ->type_name("N");
    command->add_option("SCRIPT", play.script, "das Skript, - für die Standardeingabe")
        ->type_name("DATEI")
        ->required();
    return command;
}

void addSeed(CLI::App* command, std::optional<std::uint64_t>& seed) {
    command->add_option("--seed", seed, "Startwert der Zufallszahlen")
        ->type_name("S")
        ->transform(whole(0, std::numeric_limits<std::uint64_t>::max()));
}

void addThreads(CLI::App* command, unsigned& threads) {
    command->add_option("--threads", threads, "Zahl der Threads (0: alle Kerne)")
        ->type_name("T")
        ->transform(whole(0, std::numeric_limits<unsigned>::max()));
}

CLI::App* addSystem(CLI::App& app, SystemOptions& system) {
    CLI::App* command = app.add_subcommand(
        "system", "spielt ein System über Permanenzen oder Zufallszahlen (docs/systems.md)");
    command->add_option("SYSTEM", system.system, "die Systemdatei (TOML)")
        ->type_name("DATEI")
        ->required();
    command
        ->add_option("PERMANENZ", system.permanences,
                     "Permanenzen: Dateien, Ordner (ihre *.txt-Dateien), - für die "
                     "Standardeingabe")
        ->type_name("DATEI");
    command->add_flag("--json", system.json, "gibt den Bericht als JSON aus");
    command->add_option("--log", system.log, "schreibt jeden Zyklus als CSV in DATEI")
        ->type_name("DATEI");
    command->add_flag("--force,--overwrite", system.force,
                      "ersetzt eine DATEI von --log, die es schon gibt");
    command
        ->add_option("--random", system.random,
                     "N zufällige Würfe statt Permanenzen (höchstens 2^40)")
        ->type_name("N")
        ->transform(whole(1, std::uint64_t{1} << 40));
    addSeed(command, system.seed);
    command
        ->add_option(
            "--baseline", system.baseline,
            "K zufällige Permanenzen gleicher Länge je Datei zum Vergleich (höchstens 1000000)")
        ->type_name("K")
        ->transform(whole(1, 1000000));
    addThreads(command, system.threads);
    command->add_flag("--verbose", system.verbose,
                      "nennt auf der Fehlerausgabe, wie gespielt wurde (Tabelle, Automaten je "
                      "Paar oder Regeln Wurf für Wurf)");
    return command;
}

CLI::App* addSweep(CLI::App& app, SweepOptions& sweep) {
    CLI::App* command =
        app.add_subcommand("sweep",
                           "spielt jede Kombination einiger Werte eines Systems, mit Gegenprobe "
                           "(docs/systems.md)");
    command->add_option("SYSTEM", sweep.system, "die Systemdatei (TOML oder Lua)")
        ->type_name("DATEI")
        ->required();
    command
        ->add_option("--vary", sweep.vary,
                     "SCHLÜSSEL=WERT1,WERT2,…: Werte eines Schlüssels (bet1.ride, table_max; "
                     "bei Lua globale Variablen)")
        ->type_name("SCHLÜSSEL=WERTE")
        ->required()
        ->allow_extra_args(false);
    command
        ->add_option("PERMANENZ", sweep.permanences,
                     "Permanenzen: Dateien, Ordner (ihre *.txt-Dateien), - für die "
                     "Standardeingabe")
        ->type_name("DATEI");
    command->add_option("--split", sweep.split, "Anteil jeder Datei für die Entwicklung (0.5)")
        ->type_name("ANTEIL");
    command
        ->add_option("--baseline", sweep.baseline,
                     "K zufällige Permanenzen für das Urteil über die beste Variante "
                     "(höchstens 1000000)")
        ->type_name("K")
        ->transform(whole(1, 1000000));
    command->add_flag("--json", sweep.json, "gibt alle Varianten als JSON aus");
    addSeed(command, sweep.seed);
    addThreads(command, sweep.threads);
    return command;
}

CLI::App* addStats(CLI::App& app, StatsOptions& stats) {
    CLI::App* command =
        app.add_subcommand("stats", "Statistik der Permanenz: Chancen, Ecart, Serien, Absenzen");
    command
        ->add_option("PERMANENZ", stats.permanences,
                     "Permanenzen: Dateien, Ordner (ihre *.txt-Dateien), - für die Standardeingabe")
        ->type_name("DATEI")
        ->required();
    command->add_flag("--json", stats.json, "gibt die Statistik als JSON aus");
    return command;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app("Tamvek ohne Fenster: Spiele nach Skript, Systeme über Permanenzen, Statistik.",
                 "tamvek-cli");
    germanHelp(app);
    app.require_subcommand(1);

    PlayOptions play;
    SystemOptions system;
    StatsOptions stats;
    SweepOptions sweep;
    CLI::App* playCommand = addPlay(app, play);
    CLI::App* systemCommand = addSystem(app, system);
    CLI::App* sweepCommand = addSweep(app, sweep);
    CLI::App* statsCommand = addStats(app, stats);
    for (CLI::App* command : {playCommand, systemCommand, sweepCommand, statsCommand}) {
        command->group("Befehle");
        command->set_help_flag("-h,--help", "zeigt diese Hilfe")->group("Optionen");
        command->get_formatter()->label("Positionals", "Argumente");
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);  // --help
    } catch (const CLI::ParseError& e) {
        std::cerr << "tamvek-cli: " << e.what() << "\n(tamvek-cli --help zeigt den Aufruf)\n";
        return exitBadCall;
    }
    checkStandardOutput();
    // Whatever slips through the commands' own checks still ends in words.
    try {
        if (*playCommand) return runPlay(play, argv[0]);
        if (*systemCommand) return runSystem(system);
        if (*sweepCommand) return runSweep(sweep);
        return runStats(stats);
    } catch (const std::bad_alloc&) {
        return fail("zu wenig Arbeitsspeicher", exitBadInput);
    } catch (const std::exception& e) {
        return fail(std::string("unerwarteter Fehler: ") + e.what(), exitBadInput);
    }
}
