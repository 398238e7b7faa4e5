#include "lua/ScriptPlayer.h"

#include <lua.hpp>

#include <cmath>
#include <cstring>
#include <string_view>

#include "core/Figures.h"
#include "system/Random.h"
#include "system/Tally.h"
#include "wheel/Names.h"

// The methods of g raise their errors through Lua, which jumps back over C
// frames: no C++ object that needs destroying may be alive in them when they
// call a function of Lua that can raise one.

namespace tamvek::lua {
namespace {

using system::End;

constexpr const char* outcomeNames[] = {"home", "lost", "back"};  // in the order of End
constexpr int cycleFields = 8;

std::array<std::uint64_t, 2> seedsOf(const Run& run) {
    system::Random random(run.seed, run.stream, run.index);
    const std::uint64_t first = random.next();
    return {first, random.next()};
}

// The value of a global as the chunk left it, without running any of its code.
int rawGlobal(lua_State* state, const char* name) {
    lua_rawgeti(state, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    lua_pushstring(state, name);
    const int type = lua_rawget(state, -2);
    lua_remove(state, -2);
    return type;
}

// Lua keeps one copy of every short string, so a name the script passes is
// found by its address among the names interned when g was built (each kept
// alive in g's own fields); the text is compared only when that fails.
int findName(const char* name, std::size_t length, const char* const* interned,
             const std::string_view* names, int count) {
    for (int i = 0; i < count; ++i)
        if (interned[i] == name) return i;
    for (int i = 0; i < count; ++i)
        if (names[i] == std::string_view(name, length)) return i;
    return -1;
}

int pairArg(lua_State* state, int index, const char* method, const char* const* interned) {
    std::size_t length = 0;
    const char* name =
        lua_type(state, index) == LUA_TSTRING ? lua_tolstring(state, index, &length) : nullptr;
    if (name == nullptr)
        return luaL_error(state, "%s: das Paar muss ein Name sein (red-black, low-high, even-odd)",
                          method);
    const int pair = findName(name, length, interned, wheel::pairKeys.data(), wheel::pairs);
    if (pair < 0)
        return luaL_error(state, "%s: '%s' ist kein Paar (red-black, low-high, even-odd)", method,
                          name);
    return pair;
}

int chanceArg(lua_State* state, int index, const char* method, const char* const* interned) {
    std::size_t length = 0;
    const char* name =
        lua_type(state, index) == LUA_TSTRING ? lua_tolstring(state, index, &length) : nullptr;
    if (name == nullptr)
        return luaL_error(
            state, "%s: die Seite muss ein Name sein (red, black, low, high, even, odd)", method);
    const int chance = findName(name, length, interned, wheel::chanceKeys.data(), wheel::chances);
    if (chance < 0)
        return luaL_error(state, "%s: '%s' ist keine Seite (red, black, low, high, even, odd)",
                          method, name);
    return chance;
}

// A whole number from `least` to `most`: an integer, or a float with a whole value.
lua_Integer wholeArg(lua_State* state, int index, const char* method, const char* what,
                     lua_Integer least, lua_Integer most) {
    if (lua_type(state, index) != LUA_TNUMBER)
        return luaL_error(state, "%s: %s muss eine ganze Zahl sein, nicht %s", method, what,
                          luaL_typename(state, index));
    int isWhole = 0;
    const lua_Integer value = lua_tointegerx(state, index, &isWhole);
    if (!isWhole) {
        const lua_Number n = lua_tonumber(state, index);
        if (n != std::floor(n))
            return luaL_error(state, "%s: %s %f ist keine ganze Zahl", method, what, n);
        return luaL_error(state, "%s: %s %f geht nicht (erlaubt: %I bis %I)", method, what, n,
                          least, most);
    }
    if (value < least || value > most)
        return luaL_error(state, "%s: %s %I geht nicht (erlaubt: %I bis %I)", method, what, value,
                          least, most);
    return value;
}

struct StakeOptions {
    int ride = 0;
    bool fictitious = false;
};

// {ride = n, virtual = true}, each optional.
StakeOptions optionsArg(lua_State* state, int index, const char* const* interned) {
    static constexpr std::string_view keys[] = {"ride", "virtual"};
    StakeOptions options;
    if (lua_isnoneornil(state, index)) return options;
    if (!lua_istable(state, index))
        luaL_error(state,
                   "stake: die Angaben müssen eine Tabelle sein, etwa {ride = 2, virtual = true}");
    lua_pushnil(state);
    while (lua_next(state, index) != 0) {
        std::size_t length = 0;
        const char* key =
            lua_type(state, -2) == LUA_TSTRING ? lua_tolstring(state, -2, &length) : "?";
        const int which = findName(key, length, interned, keys, 2);
        if (which == 0) {
            options.ride =
                static_cast<int>(wholeArg(state, lua_gettop(state), "stake", "ride", 0, 64));
        } else if (which == 1) {
            if (!lua_isboolean(state, -1))
                luaL_error(state, "stake: virtual muss true oder false sein");
            options.fictitious = lua_toboolean(state, -1) != 0;
        } else {
            luaL_error(state, "stake: unbekannter Schlüssel '%s' (erlaubt: ride, virtual)", key);
        }
        lua_pop(state, 1);
    }
    return options;
}

// k for g:last and g:numbers.
std::size_t countArg(lua_State* state, int index, const char* method) {
    return static_cast<std::size_t>(
        wholeArg(state, index, method, "k", 0, static_cast<lua_Integer>(ScriptPlayer::memory)));
}

}  // namespace

ScriptPlayer::ScriptPlayer(const formats::Script& script, const Run& run, const Limits& limits)
    : m_box(script, seedsOf(run), limits), m_runName(run.name) {
    start(script);
}

// Sets a global to `value` as Lua reads a literal: a number, true or false,
// else a text.
static void setGlobal(lua_State* t, const std::string& name, const std::string& value) {
    lua_rawgeti(t, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    lua_pushstring(t, name.c_str());
    if (value == "true" || value == "false")
        lua_pushboolean(t, value == "true");
    else if (lua_stringtonumber(t, value.c_str()) == 0)
        lua_pushstring(t, value.c_str());
    lua_rawset(t, -3);
    lua_pop(t, 1);
}

// The globals table_max and capital as the chunk left them: whole numbers
// from 1 to the largest stake, or nil.
bool ScriptPlayer::readTable() {
    lua_State* t = m_box.thread();
    for (const char* key : {"table_max", "capital"}) {
        const int type = rawGlobal(t, key);
        int isWhole = 0;
        const lua_Integer value = lua_tointegerx(t, -1, &isWhole);
        lua_pop(t, 1);
        if (type == LUA_TNIL) continue;
        if (type != LUA_TNUMBER || !isWhole || value < 1 || value > largestStake) {
            fail(m_box.file() + ": " + key + " muss eine ganze Zahl von 1 bis " +
                     std::to_string(largestStake) + " sein",
                 std::nullopt);
            return false;
        }
        if (std::string_view(key) == "capital")
            m_capital = value;
        else
            m_most = value;
    }
    return true;
}

std::optional<Amount> ScriptPlayer::tableMax() const {
    if (m_most == largestStake) return std::nullopt;
    return m_most;
}

// Runs the chunk, sets the globals of a variant, then takes what it defined:
// place, cycle, name, table_max and capital.
void ScriptPlayer::start(const formats::Script& script) {
    if (const std::optional<std::string> error = m_box.run()) return fail(*error, std::nullopt);
    lua_State* t = m_box.thread();
    for (const auto& [global, value] : script.globals)
        setGlobal(t, global, value);
    if (!readTable()) return;
    const int name = rawGlobal(t, "name");
    if (name == LUA_TSTRING) m_name = lua_tostring(t, -1);
    lua_pop(t, 1);
    if (name != LUA_TSTRING && name != LUA_TNIL)
        return fail(m_box.file() + ": name muss ein Text sein", std::nullopt);
    if (rawGlobal(t, "place") != LUA_TFUNCTION) {
        lua_pop(t, 1);
        return fail(m_box.file() + ": place fehlt: ein System setzt in einer Funktion place(g)",
                    std::nullopt);
    }
    m_place = luaL_ref(t, LUA_REGISTRYINDEX);
    const int cycle = rawGlobal(t, "cycle");
    if (cycle == LUA_TFUNCTION) {
        // c is built by Lua's own table constructor: far faster than field by field.
        static constexpr char caller[] =
            "local cycle = ...\n"
            "return function(pair, side, units, stake, outcome, virtual, placed, ended)\n"
            "  return cycle({pair = pair, side = side, units = units, stake = stake,\n"
            "                outcome = outcome, virtual = virtual, placed = placed,\n"
            "                ended = ended})\n"
            "end\n";
        luaL_loadbufferx(t, caller, sizeof caller - 1, "=cycle", "t");
        lua_insert(t, -2);
        lua_call(t, 1, 1);
        m_cycle = luaL_ref(t, LUA_REGISTRYINDEX);
    } else {
        lua_pop(t, 1);
        if (cycle != LUA_TNIL)
            return fail(m_box.file() + ": cycle muss eine Funktion sein", std::nullopt);
    }
    buildG();
}

void ScriptPlayer::buildG() {
    static const luaL_Reg methods[] = {
        {"stake", &ScriptPlayer::stake},     {"home", &ScriptPlayer::home},
        {"free", &ScriptPlayer::isFree},     {"last", &ScriptPlayer::last},
        {"numbers", &ScriptPlayer::numbers}, {"stop", &ScriptPlayer::stop}};
    lua_State* t = m_box.thread();
    lua_createtable(t, 0, 8);
    for (const luaL_Reg& method : methods) {
        lua_pushlightuserdata(t, this);
        lua_pushcclosure(t, method.func, 1);
        lua_setfield(t, -2, method.name);
    }
    // The names g's methods take, kept in a list of g's own so that they live.
    lua_createtable(t, wheel::pairs + wheel::chances + 2, 0);
    int n = 0;
    const auto intern = [&](std::string_view name) {
        const char* kept = lua_pushlstring(t, name.data(), name.size());
        lua_rawseti(t, -2, ++n);
        return kept;
    };
    for (std::size_t p = 0; p < wheel::pairs; ++p)
        m_pairNames[p] = intern(wheel::pairKeys[p]);
    for (std::size_t c = 0; c < wheel::chances; ++c)
        m_chanceNames[c] = intern(wheel::chanceKeys[c]);
    m_optionNames = {intern("ride"), intern("virtual")};
    lua_setfield(t, -2, "names");
    // g.spin and g.saldo are read when the script reads them, not written
    // before every call.
    lua_createtable(t, 0, 2);
    lua_pushlightuserdata(t, this);
    lua_pushcclosure(t, &ScriptPlayer::field, 1);
    lua_setfield(t, -2, "__index");
    lua_pushcfunction(t, &ScriptPlayer::setField);
    lua_setfield(t, -2, "__newindex");
    lua_setmetatable(t, -2);
    m_g = luaL_ref(t, LUA_REGISTRYINDEX);
}

void ScriptPlayer::fail(const std::string& message, std::optional<std::uint64_t> spin) {
    std::string text = message;
    if (!m_runName.empty())
        text += " (" + m_runName +
                (spin ? ", Wurf " + figures::whole(*spin) : std::string(", vor dem ersten Wurf")) +
                ")";
    m_error = std::move(text);
}

void ScriptPlayer::play(const std::uint8_t* classes, std::size_t count) {
    for (std::size_t i = 0; i < count && !failed(); ++i)
        playSpin(classes[i]);
}

// Placing, the number, the Saldo: the order of the engine's spin. From a stop
// on nothing is placed or settled.
void ScriptPlayer::playSpin(std::uint8_t cls) {
    const std::uint64_t spin = ++m_report.spins;
    if (!m_stopped && !callPlace(spin)) return;
    if (m_stopped) {
        if (m_saldo != nullptr) m_saldo->push_back(m_report.saldo);
        return;
    }
    const std::size_t cyclesBefore = m_cycles != nullptr ? m_cycles->size() : 0;
    if (settleNumber(cls, spin)) closeSpin(cyclesBefore);
}

bool ScriptPlayer::callPlace(std::uint64_t spin) {
    lua_State* t = m_box.thread();
    lua_rawgeti(t, LUA_REGISTRYINDEX, m_place);
    lua_rawgeti(t, LUA_REGISTRYINDEX, m_g);
    m_inPlace = true;
    const std::optional<std::string> error = m_box.call(1, "place");
    m_inPlace = false;
    if (error) fail(*error, spin);
    return !error;
}

// The number, pair by pair in the order red/black, low/high, even/odd, as the
// engine settles it; each cycle that ends is told to the script as it ends.
bool ScriptPlayer::settleNumber(std::uint8_t cls, std::uint64_t spin) {
    m_numbers.add(cls);
    for (int p = 0; p < wheel::pairs; ++p) {
        const auto pair = static_cast<wheel::Pair>(p);
        if (const std::uint8_t up = wheel::sideUp(pair, cls))
            m_sides[static_cast<std::size_t>(p)].add(up);
        Seat& seat = m_table[static_cast<std::size_t>(p)];
        const Seat before = seat;
        const wheel::Settled settled = wheel::settle(seat.stake, pair, cls, m_most);
        const bool real = !before.fictitious;
        if (real && settled.outcome != wheel::Outcome::Untouched)
            m_report.largestStake = std::max(m_report.largestStake, before.stake.units);
        std::optional<End> how;
        switch (settled.outcome) {
            case wheel::Outcome::Lost:
                if (real) m_onTable -= settled.units;
                how = End::Lost;
                break;
            case wheel::Outcome::GivenBack:
                if (real) m_onTable -= settled.units;
                if (real) m_balance = system::add(m_balance, settled.units);
                how = End::GivenBack;
                break;
            case wheel::Outcome::Rides:
            case wheel::Outcome::Home:
                if (real) m_onTable += settled.units / 2;  // the win
                if (settled.outcome == wheel::Outcome::Rides) break;
                if (real) m_onTable -= settled.units;
                if (real) m_balance = system::add(m_balance, settled.units);
                how = End::TakenHome;
                break;
            case wheel::Outcome::Untouched:
            case wheel::Outcome::Held:
                break;
        }
        if (how && !callCycle(endCycle(before, p, *how, settled.units, spin), spin)) return false;
    }
    return true;
}

ScriptPlayer::Ended ScriptPlayer::endCycle(const Seat& seat, int pair, End how, Amount value,
                                           std::uint64_t ended) {
    const system::Cycle cycle{seat.placed,     ended,          static_cast<wheel::Pair>(pair),
                              seat.stake.side, seat.first,     how,
                              m_report.saldo,  seat.fictitious};
    if (m_cycles != nullptr) m_cycles->push_back(cycle);
    if (!seat.fictitious) system::tallyEnd(m_report, m_lostInARow, how);
    return {cycle, value};
}

bool ScriptPlayer::callCycle(const Ended& ended, std::uint64_t spin) {
    if (m_cycle == 0) return true;
    lua_State* t = m_box.thread();
    lua_rawgeti(t, LUA_REGISTRYINDEX, m_cycle);
    pushCycle(t, ended);
    const std::optional<std::string> error = m_box.call(cycleFields, "cycle");
    if (error) fail(*error, spin);
    return !error;
}

// The fields of c, in the order the caller of cycle() takes them.
void ScriptPlayer::pushCycle(lua_State* state, const Ended& ended) const {
    const system::Cycle& c = ended.cycle;
    const auto chance = static_cast<std::size_t>(wheel::chanceOf(c.pair, c.side));
    lua_pushstring(state, wheel::pairKeys[static_cast<std::size_t>(c.pair)].data());
    lua_pushstring(state, wheel::chanceKeys[chance].data());
    lua_pushinteger(state, c.stake);
    lua_pushinteger(state, ended.value);
    lua_pushstring(state, outcomeNames[static_cast<int>(c.end)]);
    lua_pushboolean(state, c.fictitious);
    lua_pushinteger(state, static_cast<lua_Integer>(c.placed));
    lua_pushinteger(state, static_cast<lua_Integer>(c.ended));
}

void ScriptPlayer::closeSpin(std::size_t cyclesBefore) {
    const Amount saldo = system::add(m_balance, m_onTable);
    system::tallySaldo(m_report, m_peak, saldo);
    if (m_cycles != nullptr)
        for (std::size_t k = cyclesBefore; k < m_cycles->size(); ++k)
            (*m_cycles)[k].saldo = saldo;
    if (m_saldo != nullptr) m_saldo->push_back(saldo);
}

ScriptPlayer& ScriptPlayer::self(lua_State* state, const char* method) {
    if (lua_type(state, 1) != LUA_TTABLE)
        luaL_error(state, "%s: mit Doppelpunkt aufrufen: g:%s(…)", method, method);
    return *static_cast<ScriptPlayer*>(lua_touserdata(state, lua_upvalueindex(1)));
}

// g.spin (the spin about to be played) and g.saldo (after the last one).
int ScriptPlayer::field(lua_State* state) {
    const auto& p = *static_cast<const ScriptPlayer*>(lua_touserdata(state, lua_upvalueindex(1)));
    std::size_t length = 0;
    const char* key =
        lua_type(state, 2) == LUA_TSTRING ? lua_tolstring(state, 2, &length) : nullptr;
    const std::string_view name = key != nullptr ? std::string_view(key, length) : "";
    if (name == "spin")
        lua_pushinteger(state, static_cast<lua_Integer>(p.m_report.spins));
    else if (name == "saldo")
        lua_pushinteger(state, p.m_report.saldo);
    else
        lua_pushnil(state);
    return 1;
}

// Anything but g.spin and g.saldo, which only the player sets.
int ScriptPlayer::setField(lua_State* state) {
    if (lua_type(state, 2) == LUA_TSTRING) {
        const std::string_view name = lua_tostring(state, 2);
        if (name == "spin" || name == "saldo")
            return luaL_error(state, "g.%s kann nur gelesen werden", lua_tostring(state, 2));
    }
    lua_rawset(state, 1);
    return 0;
}

// g:stake(side, units [, {ride = n, virtual = true}])
int ScriptPlayer::stake(lua_State* state) {
    ScriptPlayer& p = self(state, "stake");
    const int chance = chanceArg(state, 2, "stake", p.m_chanceNames.data());
    const lua_Integer units = wholeArg(state, 3, "stake", "units", 1, largestStake);
    const StakeOptions options = optionsArg(state, 4, p.m_optionNames.data());
    if (!p.m_inPlace) return luaL_error(state, "stake: nur in place(g)");
    if (p.m_report.ruined != 0) return 0;  // ruined in this very place(): nothing more goes on
    if (p.m_stopped) return luaL_error(state, "stake: nach g:stop() wird nichts mehr gesetzt");
    const int pair = chance / 2;
    Seat& seat = p.m_table[static_cast<std::size_t>(pair)];
    if (seat.stake.on())
        return luaL_error(state, "stake: Paar %s ist belegt",
                          wheel::pairKeys[static_cast<std::size_t>(pair)].data());
    const Amount placed = p.placeAtMost(units, options.fictitious);
    if (placed == 0) return 0;
    seat.stake = wheel::place(static_cast<std::uint8_t>(chance % 2 + 1), placed,
                              static_cast<std::uint32_t>(options.ride));
    seat.fictitious = options.fictitious;
    seat.first = placed;
    seat.placed = p.m_report.spins;
    if (!seat.fictitious) {
        p.m_balance = system::sub(p.m_balance, placed);
        p.m_onTable += placed;
        p.m_report.staked = system::add(p.m_report.staked, placed);
    }
    return 0;
}

// A stake of `units` as the table takes it: cut to the table's maximum (a
// real one counted), or 0 when the free capital cannot cover a real one,
// which ruins the file.
Amount ScriptPlayer::placeAtMost(Amount units, bool fictitious) {
    if (units > m_most) {
        units = m_most;
        if (!fictitious) ++m_report.atMaximum;
    }
    if (!fictitious && m_capital && units > system::add(*m_capital, m_balance)) {
        m_stopped = true;
        m_report.ruinedAt = m_report.spins;
        m_report.ruined = 1;
        return 0;
    }
    return units;
}

// g:home(pair): the riding stake goes home before the spin, as it stands. It
// ended with the spin before; the Saldo does not move.
int ScriptPlayer::home(lua_State* state) {
    ScriptPlayer& p = self(state, "home");
    const int pair = pairArg(state, 2, "home", p.m_pairNames.data());
    const char* name = wheel::pairKeys[static_cast<std::size_t>(pair)].data();
    if (!p.m_inPlace) return luaL_error(state, "home: nur in place(g)");
    if (p.m_stopped) return luaL_error(state, "home: nach g:stop() wird nichts mehr heimgenommen");
    Seat& seat = p.m_table[static_cast<std::size_t>(pair)];
    if (!seat.stake.on()) return luaL_error(state, "home: auf %s liegt kein Einsatz", name);
    if (!wheel::canTakeHome(seat.stake))
        return luaL_error(state, "home: der Einsatz auf %s ist von einer Null gehalten", name);
    if (seat.placed == p.m_report.spins)
        return luaL_error(state, "home: der Einsatz auf %s ist noch nicht gespielt", name);
    const Amount value = seat.stake.units;
    if (!seat.fictitious) {
        p.m_onTable -= value;
        p.m_balance = system::add(p.m_balance, value);
    }
    const Ended ended = p.endCycle(seat, pair, End::TakenHome, value, p.m_report.spins - 1);
    seat = {};
    if (p.m_cycle != 0) {
        lua_rawgeti(state, LUA_REGISTRYINDEX, p.m_cycle);
        p.pushCycle(state, ended);
        lua_call(state, cycleFields, 0);
    }
    return 0;
}

// g:free(pair)
int ScriptPlayer::isFree(lua_State* state) {
    const ScriptPlayer& p = self(state, "free");
    const int pair = pairArg(state, 2, "free", p.m_pairNames.data());
    lua_pushboolean(state, !p.m_table[static_cast<std::size_t>(pair)].stake.on());
    return 1;
}

// g:last(pair, k): the pair's last k decided sides, oldest first.
int ScriptPlayer::last(lua_State* state) {
    const ScriptPlayer& p = self(state, "last");
    const int pair = pairArg(state, 2, "last", p.m_pairNames.data());
    const Recent& sides = p.m_sides[static_cast<std::size_t>(pair)];
    const std::size_t k = std::min<std::uint64_t>(countArg(state, 3, "last"), sides.count);
    lua_createtable(state, static_cast<int>(k), 0);
    for (std::size_t i = 0; i < k; ++i) {
        const int side = sides.back(k - 1 - i);
        lua_pushstring(state, wheel::chanceKeys[static_cast<std::size_t>(wheel::chanceOf(
                                                    static_cast<wheel::Pair>(pair), side))]
                                  .data());
        lua_rawseti(state, -2, static_cast<lua_Integer>(i + 1));
    }
    return 1;
}

// g:numbers(k): the last k numbers, oldest first; a number off the wheel as
// 37 (high, odd), 38 (high, even), -1 (low, odd) or -2 (low, even).
int ScriptPlayer::numbers(lua_State* state) {
    static constexpr lua_Integer offTheWheel[] = {37, 38, -1, -2};
    const ScriptPlayer& p = self(state, "numbers");
    const std::size_t k = std::min<std::uint64_t>(countArg(state, 2, "numbers"), p.m_numbers.count);
    lua_createtable(state, static_cast<int>(k), 0);
    for (std::size_t i = 0; i < k; ++i) {
        const std::uint8_t cls = p.m_numbers.back(k - 1 - i);
        lua_pushinteger(state, cls <= 36 ? cls : offTheWheel[cls - 37]);
        lua_rawseti(state, -2, static_cast<lua_Integer>(i + 1));
    }
    return 1;
}

// g:stop(): nothing more is placed or settled in this file.
int ScriptPlayer::stop(lua_State* state) {
    ScriptPlayer& p = self(state, "stop");
    if (!p.m_inPlace) return luaL_error(state, "stop: nur in place(g)");
    p.m_stopped = true;
    return 0;
}

}  // namespace tamvek::lua
