// A script that misbehaves gets a clear German error naming its file, its
// line, the permanence and the spin, and stops; the sandbox holds whatever it
// tries; every run starts from a fresh state with its own random stream.

#include <gtest/gtest.h>

#include "lua/ScriptPlayer.h"

namespace tamvek::lua {
namespace {

const std::vector<std::uint8_t> spins{1, 2, 0, 19, 20, 37, 3, 4, 5, 6};

const Limits quick{std::size_t{8} << 20, std::chrono::milliseconds(300)};

std::string errorOf(const std::string& text, const Limits& limits = quick) {
    ScriptPlayer player({"s.lua", text}, {"Datei t.txt"}, limits);
    player.play(spins.data(), spins.size());
    return player.failed() ? player.error() : "(kein Fehler)";
}

TEST(ScriptPlayer, EveryFaultNamesFileLineRunAndSpin) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"function place(g)\n  while true do end\nend\n",
         "s.lua:2: place läuft länger als 300 ms und wird angehalten (eine Endlosschleife?) "
         "(Datei t.txt, Wurf 1)"},
        // Caught by pcall, the stop goes on all the same.
        {"function place(g)\n  while true do pcall(function() while true do end end) end\nend\n",
         "s.lua:2: place läuft länger als 300 ms und wird angehalten (eine Endlosschleife?) "
         "(Datei t.txt, Wurf 1)"},
        {"local t = {}\nfunction place(g)\n  while true do\n    pcall(function() t[#t + 1] = "
         "string.rep('x', 1 << 20) .. #t end)\n  end\nend\n",
         "s.lua:4: das Skript braucht mehr als 8 MB Speicher (Datei t.txt, Wurf 1)"},
        {"function place(g)\n  g:stake('red', 1)\nend\n",
         "s.lua:2: stake: Paar red-black ist belegt (Datei t.txt, Wurf 2)"},
        {"function place(g)\n  g:stake('green', 1)\nend\n",
         "s.lua:2: stake: 'green' ist keine Seite (red, black, low, high, even, odd) "
         "(Datei t.txt, Wurf 1)"},
        {"function place(g)\n  g:stake('red', 0)\nend\n",
         "s.lua:2: stake: units 0 geht nicht (erlaubt: 1 bis 1125899906842624) (Datei t.txt, "
         "Wurf 1)"},
        {"function place(g)\n  g:stake('red', 2^60)\nend\n",
         "s.lua:2: stake: units 1152921504606846976 geht nicht (erlaubt: 1 bis "
         "1125899906842624) (Datei t.txt, Wurf 1)"},
        {"function place(g)\n  g:stake('red', 1.5)\nend\n",
         "s.lua:2: stake: units 1.5 ist keine ganze Zahl (Datei t.txt, Wurf 1)"},
        {"function place(g)\n  g:stake('red', 1, {rid = 2})\nend\n",
         "s.lua:2: stake: unbekannter Schlüssel 'rid' (erlaubt: ride, virtual) (Datei t.txt, "
         "Wurf 1)"},
        {"function place(g)\n  g.stake('red', 1)\nend\n",
         "s.lua:2: stake: mit Doppelpunkt aufrufen: g:stake(…) (Datei t.txt, Wurf 1)"},
        {"function place(g)\n  if g.spin == 4 then g:home('red-black') end\n  if "
         "g:free('red-black') then g:stake('red', 1) end\nend\n",
         "s.lua:2: home: der Einsatz auf red-black ist von einer Null gehalten (Datei t.txt, "
         "Wurf 4)"},
        {"function place(g)\n  local x\n  if g.spin > 5 then return x.y end\nend\n",
         "s.lua:3: ein nil-Wert hat keine Felder (lokale Variable 'x') (Datei t.txt, Wurf 6)"},
        {"function place(g)\n  plase(g)\nend\n",
         "s.lua:2: nil-Wert kann nicht aufgerufen werden (globale Variable 'plase') "
         "(Datei t.txt, Wurf 1)"},
        {"function place(g)\n  error('zu viel', 0)\nend\n",
         "s.lua:2: zu viel (Datei t.txt, Wurf 1)"},
        {"function place(g) end\nfunction cycle(c) end\nfunction place(g)\n  g.spin = 3\nend\n",
         "s.lua:4: g.spin kann nur gelesen werden (Datei t.txt, Wurf 1)"},
        {"function place(g)\n  if g:free('red-black') then\n    g:stake('red', 1\n  end\nend\n",
         "s.lua:4: Syntaxfehler: ')' fehlt (um '(' aus Zeile 3 zu schließen) bei 'end' (Datei "
         "t.txt, vor dem ersten Wurf)"},
        {"function plaec(g) end\n",
         "s.lua: place fehlt: ein System setzt in einer Funktion place(g) (Datei t.txt, vor dem "
         "ersten Wurf)"},
        {"setmetatable({}, {__gc = function() end})\nfunction place(g) end\n",
         "s.lua:1: setmetatable: __gc ist in einem System nicht erlaubt (Datei t.txt, vor dem "
         "ersten Wurf)"},
        {"function place(g) return io.write('x') end\n",
         "s.lua:1: ein nil-Wert hat keine Felder (globale Variable 'io') (Datei t.txt, Wurf 1)"},
        {"function place(g) return load(string.char(27) .. 'Lua')() end\n",
         "s.lua:1: nil-Wert kann nicht aufgerufen werden (Datei t.txt, Wurf 1)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorOf(c.text), c.message) << c.text;
}

// A script that misbehaves stops, and one that behaves plays as if nothing
// had gone before: each player has a state of its own.
TEST(ScriptPlayer, EveryRunStartsFromAFreshStateWithItsOwnRandomStream) {
    const formats::Script counts{"s.lua",
                                 "n = n or 0\nfunction place(g)\n  n = n + 1\n  if n % 3 == 0 "
                                 "and g:free('even-odd') then g:stake('odd', math.random(1, 9)) "
                                 "end\nend\n"};
    const auto play = [&](const lua::Run& run) {
        ScriptPlayer player(counts, run);
        player.play(spins.data(), spins.size());
        return player.report();
    };
    EXPECT_EQ(errorOf("function place(g) while true do end end"),
              "s.lua:1: place läuft länger als 300 ms und wird angehalten (eine Endlosschleife?) "
              "(Datei t.txt, Wurf 1)");
    const system::Report first = play({"", 7, 0, 0});
    EXPECT_EQ(play({"", 7, 0, 0}), first);
    EXPECT_GT(first.cycles, 0u);
    bool differs = false;
    for (std::uint64_t index = 1; index < 20 && !differs; ++index)
        differs = !(play({"", 7, 0, index}) == first);
    EXPECT_TRUE(differs) << "every run has a stream of its own";
}

}  // namespace
}  // namespace tamvek::lua
