// System files: what they say, and the faults a user makes in them.

#include "formats/SystemFile.h"

#include <gtest/gtest.h>

namespace tamvek::formats {
namespace {

TEST(SystemFile, ReadsEveryKey) {
    const Result<System> s = parseSystem(R"(
name = "Paroli"
stop_loss = 100
take_profit = 50
[[bet]]
side = "red"
units = 2
ride = 2
after = ["black", "black"]
progression = "martingale"
limit = 64
virtual = 1
[[bet]]
side = "opposite"
pair = "even-odd"
progression = "dalembert"
[[bet]]
side = "low"
after = ["high", "any", "low"]
progression = "labouchere"
sequence = [1, 2, 3]
)",
                                         "s.toml");
    ASSERT_TRUE(s.ok()) << s.error().message;
    EXPECT_EQ(s->name, "Paroli");
    EXPECT_EQ(s->stopLoss, 100);
    EXPECT_EQ(s->takeProfit, 50);
    ASSERT_EQ(s->bets.size(), 3u);
    const Bet& a = s->bets[0];
    EXPECT_EQ(a.pair, wheel::RedBlack);
    EXPECT_EQ(a.rule, SideRule::Fixed);
    EXPECT_EQ(a.side, 1);
    EXPECT_EQ(a.units, 2);
    EXPECT_EQ(a.ride, 2);
    EXPECT_EQ(a.after, (std::vector<int>{2, 2}));
    EXPECT_EQ(a.progression, Progression::Martingale);
    EXPECT_EQ(a.limit, 64);
    EXPECT_EQ(a.virtualLosses, 1);
    const Bet& b = s->bets[1];
    EXPECT_EQ(b.pair, wheel::EvenOdd);
    EXPECT_EQ(b.rule, SideRule::Opposite);
    EXPECT_EQ(b.units, 1);
    EXPECT_EQ(b.ride, 0);
    EXPECT_EQ(b.progression, Progression::Dalembert);
    EXPECT_EQ(s->bets[2].after, (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(s->bets[2].progression, Progression::Labouchere);
    EXPECT_EQ(s->bets[2].sequence, (std::vector<Amount>{1, 2, 3}));
    // Without a name the file names the system.
    EXPECT_EQ(parseSystem("[[bet]]\nside = \"odd\"\n", "odd.toml")->name, "odd.toml");
}

TEST(SystemFile, EveryFaultNamesTheFileTheLineAndTheKey) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"[[bet]]\nsied = \"red\"\n",
         "s.toml:2: sied: unbekannter Schlüssel eines Einsatzes (erlaubt: side, pair, units, "
         "ride, after, progression, sequence, limit, virtual)"},
        {"nmae = \"x\"\n[[bet]]\nside = \"red\"\n",
         "s.toml:1: nmae: unbekannter Schlüssel eines Systems (erlaubt: name, bet, stop_loss, "
         "take_profit, table_max, capital)"},
        {"capital = 0\n[[bet]]\nside = \"red\"\n",
         "s.toml:1: capital: 0 geht nicht (erlaubt: 1 bis 1125899906842624)"},
        {"[[bet]]\nside = \"red\"\nride = -1\n",
         "s.toml:3: ride: -1 geht nicht (erlaubt: 0 bis 64)"},
        {"[[bet]]\nside = \"rot\"\n",
         "s.toml:2: side: 'rot' gibt es nicht (red, black, low, high, even, odd, follow, "
         "opposite)"},
        {"[[bet]]\nside = \"red\"\nunits = \"1\"\n", "s.toml:3: units: muss eine ganze Zahl sein"},
        {"[[bet]]\nside = \"red\"\nunits = 0\n",
         "s.toml:3: units: 0 geht nicht (erlaubt: 1 bis 1125899906842624)"},
        {"[[bet]]\nunits = 1\n", "s.toml:1: side: fehlt"},
        {"[[bet]]\nside = \"follow\"\n", "s.toml:2: pair: fehlt: \"follow\" braucht ein Paar"},
        {"[[bet]]\nside = \"red\"\npair = \"low-high\"\n",
         "s.toml:3: pair: low-high passt nicht zu \"red\""},
        {"[[bet]]\nside = \"red\"\nafter = [\"high\"]\n",
         "s.toml:3: after: 'high' ist keine Seite von red-black"},
        {"[[bet]]\nside = \"red\"\nprogression = \"paroli\"\n",
         "s.toml:3: progression: 'paroli' gibt es nicht (flat, martingale, dalembert, "
         "fibonacci, labouchere, oscar)"},
        {"[[bet]]\nside = \"red\"\nprogression = \"labouchere\"\n",
         "s.toml:3: sequence: fehlt: \"labouchere\" braucht eine Folge, etwa [1, 2, 3]"},
        {"[[bet]]\nside = \"red\"\nsequence = [1]\n",
         "s.toml:3: sequence: gilt nur für progression = \"labouchere\""},
        {"[[bet]]\nside = \"red\"\nprogression = \"labouchere\"\nsequence = [1, 0]\n",
         "s.toml:4: sequence: 0 geht nicht (erlaubt: 1 bis 1125899906842624)"},
        {"[[bet]]\nside = \"red\"\nunits = 2\nprogression = \"labouchere\"\n"
         "sequence = [1, 2, 3]\nlimit = 7\n",
         "s.toml:6: limit: 7 geht nicht (erlaubt: 8 bis 1125899906842624)"},
        {"[[bet]]\nside = \"red\"\nunits = 5\nlimit = 4\n",
         "s.toml:4: limit: 4 geht nicht (erlaubt: 5 bis 1125899906842624)"},
        {"name = \"x\"\n", "s.toml: bet: kein Einsatz ([[bet]]) im System"},
        {"bet = 3\n", "s.toml:1: bet: muss eine Folge von [[bet]]-Abschnitten sein"},
        {"stop_loss = 1.5\n[[bet]]\nside = \"red\"\n",
         "s.toml:1: stop_loss: muss eine ganze Zahl sein"},
    };
    for (const Case& c : cases) {
        const Result<System> s = parseSystem(c.text, "s.toml");
        ASSERT_FALSE(s.ok()) << c.text;
        EXPECT_EQ(s.error().message, c.message);
    }
    // A variant's setting is named as it was given.
    const std::string two = "[[bet]]\nside = \"red\"\n[[bet]]\nside = \"low\"\n";
    const std::pair<formats::Setting, const char*> settings[] = {
        {{"bet2.ride", "70"}, "--vary bet2.ride=70: ride: 70 geht nicht (erlaubt: 0 bis 64)"},
        {{"bet3.ride", "1"}, "--vary bet3.ride=1: kein Einsatz 3 im System (es hat 2)"},
        {{"table_max", "viel"}, "--vary table_max=viel: table_max: muss eine ganze Zahl sein"},
        {{"bet1.side", "rot"},
         "--vary bet1.side=rot: side: 'rot' gibt es nicht (red, black, low, high, even, odd, "
         "follow, opposite)"},
    };
    for (const auto& [setting, message] : settings) {
        const Result<System> s = parseSystem(two, "s.toml", {setting});
        ASSERT_FALSE(s.ok()) << setting.key;
        EXPECT_EQ(s.error().message, message);
    }
    const Result<System> varied =
        parseSystem(two, "s.toml", {{"bet2.ride", "3"}, {"bet1.side", "black"}, {"capital", "50"}});
    ASSERT_TRUE(varied.ok()) << varied.error().message;
    EXPECT_EQ(varied->bets[1].ride, 3);
    EXPECT_EQ(varied->bets[0].side, 2);
    EXPECT_EQ(varied->capital, 50);
    const Result<System> syntax = parseSystem("[[bet]]\nside = = 1\n", "s.toml");
    ASSERT_FALSE(syntax.ok());
    EXPECT_TRUE(syntax.error().message.starts_with("s.toml:2: kein gültiges TOML: "))
        << syntax.error().message;
    EXPECT_EQ(readSystemFile("/no/such.toml").error().message, "/no/such.toml: gibt es nicht");
}

// Nesting ten thousand levels deep overflowed the TOML reader's stack; such a
// file is refused before the reader sees it, with the line where it gets too deep.
TEST(SystemFile, RefusesNestingTooDeepForTheReader) {
    std::string keys = "[[bet]]\nside = \"red\"\n";
    std::string dotted = keys + "a", header = keys + "[a", lists = keys + "x = ";
    for (int i = 0; i < 20'000; ++i) {
        dotted += ".a";
        header += ".a";
        lists += "[";
    }
    for (const std::string& text : {dotted + " = 1", header + "]", lists}) {
        const Result<System> s = parseSystem(text, "tief.toml");
        ASSERT_FALSE(s.ok());
        EXPECT_TRUE(s.error().message.starts_with("tief.toml:3: ")) << s.error().message;
        EXPECT_NE(s.error().message.find("zu tief verschachtelt"), std::string::npos);
    }
    // Dots in strings, numbers and comments are no levels.
    const std::string fine =
        "name = \"a.b.c.d.e.f.g.h.i.j.k.l.m.n.o.p.q.r.s.t.u.v.w.x.y.z.a.b.c.d.e\" "
        "# [[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[\n"
        "stop_loss = 1_000\n[[bet]]\nside = \"red\"\n";
    EXPECT_TRUE(parseSystem(fine, "fein.toml").ok());
}

}  // namespace
}  // namespace tamvek::formats
