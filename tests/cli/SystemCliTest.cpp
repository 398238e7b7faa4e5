// tamvek-cli system and stats as a user runs them: the report, the cycle log,
// the baseline, and a clear error with a non-zero exit for every bad input.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>

#include "support/Command.h"
#include "support/ScratchFolder.h"

namespace tamvek::test {
namespace {

const std::string spins = std::string(TAMVEK_TEST_DATA) + "/spins";
const std::string paroli = std::string(TAMVEK_SOURCE_DIR) + "/systems/paroli-rot.toml";

CommandRun cli(const std::string& args) {
    return runCommand(std::string(TAMVEK_BIN_DIR) + "/tamvek-cli " + args + " 2>&1");
}

TEST(SystemCli, JsonReportOfEveryFileAndTheTotal) {
    const CommandRun run = cli("system " + paroli + " " + spins + "/wiesbaden-t1-head.txt " +
                               spins + "/genting-118.txt --json");
    ASSERT_EQ(run.status, 0) << run.out;
    const nlohmann::json report = nlohmann::json::parse(run.out);
    EXPECT_EQ(report["system"], "Paroli auf Rot, zweimal reiten");
    EXPECT_EQ(report["kernel"], "table");  // the path that played
    ASSERT_EQ(report["files"].size(), 2u);
    const char* const keys[] = {"file",      "spins",   "cycles",      "takenHome", "lost",
                                "givenBack", "staked",  "saldo",       "highest",   "lowest",
                                "drawdown",  "lostRun", "largestStake"};
    for (const char* key : keys) {
        EXPECT_TRUE(report["files"][0].contains(key)) << key;
        EXPECT_TRUE(report["total"].contains(key)) << key;
    }
    EXPECT_EQ(report["files"][0]["spins"], 4219);
    EXPECT_EQ(report["total"]["spins"], 4219 + 118);
    const auto& f = report["files"][0];
    EXPECT_EQ(f["cycles"],
              f["takenHome"].get<int>() + f["lost"].get<int>() + f["givenBack"].get<int>());
    EXPECT_EQ(report["total"]["saldo"],
              report["files"][0]["saldo"].get<int>() + report["files"][1]["saldo"].get<int>());
}

TEST(SystemCli, VerboseNamesThePathThatPlayedOnStandardError) {
    const CommandRun run = runCommand(std::string(TAMVEK_BIN_DIR) + "/tamvek-cli system " + paroli +
                                      " " + spins + "/genting-118.txt --verbose 2>&1 >/dev/null");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Kern: Tabelle (5 Zustände)\n");
}

TEST(SystemCli, TheCycleLogIsCsvOfTheRealCycles) {
    ScratchFolder folder;
    const std::string log = folder.path() + "/zyklen.csv";
    const CommandRun run =
        cli("system " + paroli + " " + spins + "/genting-118.txt --log " + log + " --json");
    ASSERT_EQ(run.status, 0) << run.out;
    const std::string csv = fileText(log);
    EXPECT_TRUE(csv.starts_with("file,placed,ended,pair,side,stake,outcome,saldo\r\n")) << csv;
    const int cycles = nlohmann::json::parse(run.out)["files"][0]["cycles"];
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), cycles + 1);
    EXPECT_NE(csv.find(",red-black,red,1,"), std::string::npos);
}

TEST(SystemCli, RandomSpinsAndTheBaselineDependOnTheSeedAlone) {
    const std::string args =
        "system " + paroli + " --random 20000 --seed 9 --baseline 30 --json --threads ";
    const CommandRun one = cli(args + "1");
    const CommandRun two = cli(args + "2");
    ASSERT_EQ(one.status, 0) << one.out;
    EXPECT_EQ(one.out, two.out);
    const nlohmann::json report = nlohmann::json::parse(one.out);
    EXPECT_EQ(report["seed"], 9);
    const auto& baseline = report["files"][0]["baseline"];
    EXPECT_EQ(baseline["runs"], 30);
    EXPECT_GE(baseline["percentile"].get<double>(), 0.0);
    EXPECT_LE(baseline["percentile"].get<double>(), 100.0);
    EXPECT_GT(baseline["sd"].get<double>(), 0.0);
    EXPECT_NE(cli("system " + paroli + " --random 20000 --seed 10 --json").out,
              cli("system " + paroli + " --random 20000 --seed 9 --json").out);
}

TEST(SystemCli, BadInputGetsAClearErrorAndANonZeroExit) {
    ScratchFolder folder;
    const std::string empty = folder.write("leer.txt", "");
    const std::string bad = folder.write("schlecht.txt", "1\n2\n4x\n");
    const std::string typo = folder.write("tippfehler.toml", "[[bet]]\nsied = \"red\"\n");
    const std::string ride = folder.write("ride.toml", "[[bet]]\nside = \"red\"\nride = -1\n");
    const std::string side = folder.write("seite.toml", "[[bet]]\nside = \"grün\"\n");
    struct Case {
        std::string args;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {"system " + paroli + " /no/such/file.txt", 1, "/no/such/file.txt: gibt es nicht"},
        {"system " + paroli + " " + empty, 1, empty + ": die Datei ist leer"},
        {"system " + paroli + " " + bad, 1, bad + ":3: '4x' ist keine ganze Zahl von 0 bis 36"},
        {"system " + typo + " " + spins + "/genting-118.txt", 1,
         typo + ":2: sied: unbekannter Schlüssel eines Einsatzes"},
        {"system " + ride + " " + spins + "/genting-118.txt", 1, ride + ":3: ride: -1 geht nicht"},
        {"system " + side + " " + spins + "/genting-118.txt", 1,
         side + ":2: side: 'grün' gibt es nicht"},
        {"system /no/system.toml " + spins + "/genting-118.txt", 1,
         "/no/system.toml: gibt es nicht"},
        {"system " + paroli, 2, "keine Permanenz angegeben"},
        {"system " + paroli + " --random 5 " + spins + "/genting-118.txt", 2, "nicht beides"},
        {"system " + paroli + " --random 0", 2, "--random"},
        {"sweep " + paroli + " --vary bet1.ride=1,70 " + spins + "/genting-118.txt", 1,
         "--vary bet1.ride=70: ride: 70 geht nicht (erlaubt: 0 bis 64)"},
        {"sweep " + paroli + " --vary bet2.ride=1 " + spins + "/genting-118.txt", 1,
         "--vary bet2.ride=1: kein Einsatz 2 im System (es hat 1)"},
        {"sweep " + paroli + " --vary ride " + spins + "/genting-118.txt", 2,
         "--vary ride: braucht SCHLÜSSEL=WERT1,WERT2,…"},
        {"sweep " + paroli + " --vary bet1.ride=1 --split 1 " + spins + "/genting-118.txt", 2,
         "--split braucht einen Anteil zwischen 0 und 1"},
        {"sweep " + paroli + " --vary bet1.ride=1,2,3,4,5,6,7,8,9,10 --vary bet1.units=" +
             "1,2,3,4,5,6,7,8,9,10 --vary stop_loss=1,2,3,4,5,6,7,8,9,10 --vary " +
             "take_profit=1,2,3,4,5,6,7,8,9,10 --vary capital=1,2,3,4,5,6,7,8,9,10,11 " + spins +
             "/genting-118.txt",
         1, "zu viele Varianten (höchstens 100.000)"},
        {"stats " + bad, 1, bad + ":3: '4x' ist keine ganze Zahl von 0 bis 36"},
        {"stats", 2, "PERMANENZ"},
    };
    for (const Case& c : cases) {
        const CommandRun run = cli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.out;
        EXPECT_NE(run.out.find(c.message), std::string::npos) << c.args << "\n" << run.out;
    }
}

// The JSON's "kernel" names the path that played, which differs by nature.
std::string withoutKernel(std::string out) {
    for (const char* path : {"\"kernel\":\"script\",", "\"kernel\":\"table\",",
                             "\"kernel\":\"automata\",", "\"kernel\":\"engine\","})
        if (const std::size_t at = out.find(path); at != std::string::npos)
            out.erase(at, std::string_view(path).size());
    return out;
}

// The examples in Lua print exactly what their system files print, in every
// form the command line has.
TEST(SystemCli, TheLuaExamplesPrintWhatTheirSystemFilesPrint) {
    ScratchFolder folder;
    const std::string files = spins + "/wiesbaden-t1-head.txt " + spins + "/genting-118.txt " +
                              spins + "/playtech-head.txt";
    const std::string forms[] = {files,
                                 files + " --json",
                                 files + " --baseline 20 --seed 4",
                                 files + " --baseline 20 --seed 4 --json",
                                 "--random 30000 --seed 8",
                                 "--random 30000 --seed 8 --json"};
    for (const char* name : {"paroli-rot", "martingale-nach-serie", "fiktiver-einstieg"}) {
        const std::string system = std::string(TAMVEK_SOURCE_DIR) + "/systems/" + name;
        for (const std::string& form : forms) {
            const CommandRun toml = cli("system " + system + ".toml " + form);
            const CommandRun lua = cli("system " + system + ".lua " + form);
            ASSERT_EQ(toml.status, 0) << toml.out;
            EXPECT_EQ(lua.status, 0) << lua.out;
            EXPECT_EQ(withoutKernel(lua.out), withoutKernel(toml.out)) << name << " " << form;
        }
        const std::string log = " --log " + folder.path() + "/";
        cli("system " + system + ".toml " + files + log + "toml.csv");
        cli("system " + system + ".lua " + files + log + "lua.csv");
        EXPECT_EQ(fileText(folder.path() + "/lua.csv"), fileText(folder.path() + "/toml.csv"));
    }
}

// A sweep over a script's globals plays as one over the keys of the system
// file that says the same: every variant's figures, the ranking and the best
// one's verdicts, a capital and its ruin included.
TEST(SystemCli, ASweepOfAScriptsGlobalsPlaysAsOneOfTheSystemFilesKeys) {
    ScratchFolder folder;
    const std::string script = folder.write("paroli.lua",
                                            "name = \"Paroli auf Rot, zweimal reiten\"\nride = 2\n"
                                            "function place(g)\n  if g:free(\"red-black\") then\n"
                                            "    g:stake(\"red\", 1, {ride = ride})\n  end\nend\n");
    const std::string files = spins + "/wiesbaden-t1-head.txt " + spins + "/db4000-head.txt";
    const std::string rest = " --vary capital=6,60 " + files + " --baseline 40 --seed 3 --json";
    const CommandRun toml = cli("sweep " + paroli + " --vary bet1.ride=1,2,3" + rest);
    const CommandRun lua = cli("sweep " + script + " --vary ride=1,2,3" + rest);
    ASSERT_EQ(toml.status, 0) << toml.out;
    ASSERT_EQ(lua.status, 0) << lua.out;
    nlohmann::json a = nlohmann::json::parse(toml.out), b = nlohmann::json::parse(lua.out);
    ASSERT_EQ(a["variants"].size(), 6u);
    for (nlohmann::json* j : {&a, &b})
        for (auto& v : (*j)["variants"])
            v.erase("values");
    EXPECT_EQ(a["variants"], b["variants"]);
    EXPECT_EQ(a["best"], b["best"]);
    EXPECT_TRUE(a["best"]["check"].contains("ruin")) << toml.out;
    const CommandRun text =
        cli("sweep " + paroli + " --vary bet1.ride=1,2,3" + rest.substr(0, rest.size() - 7));
    EXPECT_NE(text.out.find("Rang  bet1.ride  capital  Entwicklung  Gegenprobe"), std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("Urteil: "), std::string::npos) << text.out;
}

// The faults of a script, each said with its file and line, and at run time
// with the permanence and the spin; nothing is reported as played, and a
// cycle log begun is taken away again.
TEST(SystemCli, AFaultyScriptGetsAClearErrorAndANonZeroExit) {
    ScratchFolder folder;
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"function place(g)\n  while true do end\nend\n",
         "s.lua:2: place läuft länger als 1 s und wird angehalten"},
        {"local t = {}\nfunction place(g)\n  while true do t[#t + 1] = string.rep('x', 1 << 20) "
         ".. #t end\nend\n",
         "s.lua:3: das Skript braucht mehr als 64 MB Speicher (Datei genting-118.txt, Wurf 1)"},
        {"function place(g)\n  g:stake('red', 1\nend\n", "s.lua:3: Syntaxfehler: "},
        {"function place(g)\n  if g.spin == 5 then return nil + 1 end\nend\n",
         "s.lua:2: mit einem nil-Wert kann nicht gerechnet werden (Datei genting-118.txt, Wurf 5)"},
        {"function place(g)\n  g:stake('red', 1)\nend\n",
         "s.lua:2: stake: Paar red-black ist belegt (Datei genting-118.txt, Wurf 2)"},
        {"function place(g)\n  g:stake('green', 1)\nend\n",
         "s.lua:2: stake: 'green' ist keine Seite"},
        {"function place(g)\n  g:stake('red', 0)\nend\n", "s.lua:2: stake: units 0 geht nicht"},
        {"function place(g)\n  g:stake('red', 2^60)\nend\n",
         "s.lua:2: stake: units 1152921504606846976 geht nicht"},
    };
    const std::string log = folder.path() + "/zyklen.csv";
    for (const Case& c : cases) {
        const std::string script = folder.write("s.lua", c.text);
        const CommandRun run =
            cli("system " + script + " " + spins + "/genting-118.txt --log " + log);
        EXPECT_EQ(run.status, 1) << c.text << "\n" << run.out;
        EXPECT_NE(run.out.find(script.substr(0, script.size() - 5) + c.message), std::string::npos)
            << c.text << "\n"
            << run.out;
        EXPECT_EQ(run.out.find("Würfe"), std::string::npos) << run.out;
        EXPECT_FALSE(std::filesystem::exists(log)) << c.text;
    }
}

TEST(StatsCli, FiguresOfAPermanence) {
    const CommandRun run = cli("stats " + spins + "/genting-118.txt --json");
    ASSERT_EQ(run.status, 0) << run.out;
    const nlohmann::json report = nlohmann::json::parse(run.out);
    ASSERT_EQ(report["files"].size(), 1u);
    EXPECT_EQ(report["files"][0]["spins"], 118);
    EXPECT_EQ(report["files"][0]["numberAbsence"].size(), 37u);
    EXPECT_TRUE(cli("stats " + spins + "/genting-118.txt").out.find("Würfe 118") !=
                std::string::npos);
}

}  // namespace
}  // namespace tamvek::test
