// tamvek-cli: the game without a window. Plays scripts of user actions, tests
// stake systems over permanence archives and reads a permanence's statistics.

#include <CLI/CLI.hpp>

#include <iostream>

#include "cli/Commands.h"

int main(int argc, char** argv) {
    using namespace tamvek::cli;
    CLI::App app("Tamvek ohne Fenster: Spiele nach Skript, Systeme über Permanenzen, Statistik.",
                 "tamvek-cli");
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
    app.require_subcommand(1);
    app.footer(
        "Rückgabewert: 0 fertig, 1 eine Datei fehlt oder ist fehlerhaft, 2 falscher Aufruf "
        "oder eine falsche Zeile im Skript.\n");

    PlayOptions play;
    CLI::App* playCommand = app.add_subcommand(
        "play",
        "spielt ein Skript von Benutzeraktionen und schreibt jeden dump als eine Zeile "
        "JSON (docs/script-format.md)");
    playCommand
        ->add_option("--seed", play.seed,
                     "Zufallszahlen aus Startwert N (0 bis 4294967295): gleicher Startwert "
                     "und gleiches Skript, gleiche Ausgabe")
        ->type_name("N");
    playCommand->add_option("SCRIPT", play.script, "das Skript, - für die Standardeingabe")
        ->type_name("DATEI")
        ->required();

    SystemOptions system;
    CLI::App* systemCommand = app.add_subcommand(
        "system", "spielt ein System über Permanenzen oder Zufallszahlen (docs/systems.md)");
    systemCommand->add_option("SYSTEM", system.system, "die Systemdatei (TOML)")
        ->type_name("DATEI")
        ->required();
    systemCommand
        ->add_option("PERMANENZ", system.permanences,
                     "Permanenzen: Dateien, Ordner (ihre *.txt-Dateien), - für die "
                     "Standardeingabe")
        ->type_name("DATEI");
    systemCommand->add_flag("--json", system.json, "gibt den Bericht als JSON aus");
    systemCommand->add_option("--log", system.log, "schreibt jeden Zyklus als CSV in DATEI")
        ->type_name("DATEI");
    systemCommand
        ->add_option("--random", system.random,
                     "N zufällige Würfe statt Permanenzen (höchstens 2^40)")
        ->type_name("N")
        ->check(CLI::Range(std::uint64_t{1}, std::uint64_t{1} << 40).description(""));
    systemCommand->add_option("--seed", system.seed, "Startwert der Zufallszahlen")->type_name("S");
    systemCommand
        ->add_option(
            "--baseline", system.baseline,
            "K zufällige Permanenzen gleicher Länge je Datei zum Vergleich (höchstens 1000000)")
        ->type_name("K")
        ->check(CLI::Range(std::size_t{1}, std::size_t{1000000}).description(""));
    systemCommand->add_option("--threads", system.threads, "Zahl der Threads (0: alle Kerne)")
        ->type_name("T");

    StatsOptions stats;
    CLI::App* statsCommand =
        app.add_subcommand("stats", "Statistik der Permanenz: Chancen, Ecart, Serien, Absenzen");
    statsCommand
        ->add_option("PERMANENZ", stats.permanences,
                     "Permanenzen: Dateien, Ordner (ihre *.txt-Dateien), - für die Standardeingabe")
        ->type_name("DATEI")
        ->required();
    statsCommand->add_flag("--json", stats.json, "gibt die Statistik als JSON aus");

    for (CLI::App* command : {playCommand, systemCommand, statsCommand}) {
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
    if (*playCommand) return runPlay(play, argv[0]);
    if (*systemCommand) return runSystem(system);
    return runStats(stats);
}
