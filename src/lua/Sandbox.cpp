#include "lua/Sandbox.h"

#include <lua.hpp>

#include <cstdio>
#include <cstdlib>

#include "lua/ErrorText.h"
#include "lua/Watchdog.h"

namespace tamvek::lua {
namespace {

// The script's chunk is named by a mark no other chunk has; the file's name
// replaces it once a message is out (Lua would cut a long path short).
constexpr char mark = '\x01';
constexpr char chunkName[] = "=\x01";

// The text of the stop when a limit is hit.
std::string seconds(std::chrono::milliseconds time) {
    return time.count() % 1000 == 0 ? std::to_string(time.count() / 1000) + " s"
                                    : std::to_string(time.count()) + " ms";
}

// `load` of text only: crafted bytecode could crash the interpreter.
int loadText(lua_State* state) {
    const int given = lua_gettop(state);
    lua_pushvalue(state, lua_upvalueindex(1));
    lua_pushvalue(state, 1);
    if (given >= 2)
        lua_pushvalue(state, 2);
    else
        lua_pushnil(state);
    lua_pushliteral(state, "t");
    if (given >= 4) lua_pushvalue(state, 4);  // an environment, even nil, only when given
    lua_call(state, given >= 4 ? 4 : 3, LUA_MULTRET);
    return lua_gettop(state) - given;
}

// `print` to standard error: standard output is the report's.
int printToError(lua_State* state) {
    const int n = lua_gettop(state);
    for (int i = 1; i <= n; ++i) {
        std::size_t length = 0;
        const char* text = luaL_tolstring(state, i, &length);
        if (i > 1) std::fputc('\t', stderr);
        std::fwrite(text, 1, length, stderr);
        lua_pop(state, 1);
    }
    std::fputc('\n', stderr);
    return 0;
}

// No finalizers: they would run where no limit watches them (at the end, when
// the state is closed).
int setmetatableWithoutGc(lua_State* state) {
    if (lua_type(state, 2) == LUA_TTABLE) {
        lua_pushliteral(state, "__gc");
        if (lua_rawget(state, 2) != LUA_TNIL)
            return luaL_error(state, "setmetatable: __gc ist in einem System nicht erlaubt");
        lua_pop(state, 1);
    }
    lua_pushvalue(state, lua_upvalueindex(1));
    lua_insert(state, 1);
    lua_call(state, lua_gettop(state) - 1, 1);
    return 1;
}

// `pcall` and `xpcall` catch what they caught before, but pass a stop on.
int pcallUnlessStopped(lua_State* state) {
    luaL_checkany(state, 1);
    const int status = lua_pcall(state, lua_gettop(state) - 1, LUA_MULTRET, 0);
    if (Sandbox::of(state).stopped()) return lua_error(state);
    lua_pushboolean(state, status == LUA_OK);
    lua_insert(state, 1);
    return lua_gettop(state);
}

int xpcallUnlessStopped(lua_State* state) {
    const int n = lua_gettop(state);
    luaL_checktype(state, 2, LUA_TFUNCTION);
    lua_pushvalue(state, 1);
    lua_pushvalue(state, 2);
    lua_replace(state, 1);  // the handler first, then the function and its arguments
    lua_replace(state, 2);
    const int status = lua_pcall(state, n - 2, LUA_MULTRET, 1);
    if (Sandbox::of(state).stopped()) return lua_error(state);
    lua_pushboolean(state, status == LUA_OK);
    lua_replace(state, 1);
    return lua_gettop(state);
}

void wrap(lua_State* state, const char* name, lua_CFunction wrapper) {
    lua_getglobal(state, name);
    lua_pushcclosure(state, wrapper, 1);
    lua_setglobal(state, name);
}

void drop(lua_State* state, const char* table, const char* name) {
    if (table == nullptr) {
        lua_pushnil(state);
        lua_setglobal(state, name);
        return;
    }
    lua_getglobal(state, table);
    lua_pushnil(state);
    lua_setfield(state, -2, name);
    lua_pop(state, 1);
}

void openLibraries(lua_State* state) {
    static const luaL_Reg libraries[] = {{LUA_GNAME, luaopen_base},
                                         {LUA_MATHLIBNAME, luaopen_math},
                                         {LUA_STRLIBNAME, luaopen_string},
                                         {LUA_TABLIBNAME, luaopen_table},
                                         {LUA_UTF8LIBNAME, luaopen_utf8}};
    for (const luaL_Reg& library : libraries) {
        luaL_requiref(state, library.name, library.func, 1);
        lua_pop(state, 1);
    }
    drop(state, nullptr, "dofile");
    drop(state, nullptr, "loadfile");
    drop(state, LUA_STRLIBNAME, "dump");
    wrap(state, "load", loadText);
    wrap(state, "setmetatable", setmetatableWithoutGc);
    lua_register(state, "print", printToError);
    lua_register(state, "pcall", pcallUnlessStopped);
    lua_register(state, "xpcall", xpcallUnlessStopped);
}

// math.random from the run's own stream; the script cannot seed it anew.
void seedRandom(lua_State* state, std::uint64_t random0, std::uint64_t random1) {
    lua_getglobal(state, LUA_MATHLIBNAME);
    lua_getfield(state, -1, "randomseed");
    lua_pushinteger(state, static_cast<lua_Integer>(random0));
    lua_pushinteger(state, static_cast<lua_Integer>(random1));
    lua_call(state, 2, 0);
    lua_pushnil(state);
    lua_setfield(state, -2, "randomseed");
    lua_pop(state, 1);
}

}  // namespace

Sandbox::Sandbox(const formats::Script& script, std::array<std::uint64_t, 2> random,
                 const Limits& limits)
    : m_file(script.file), m_text(script.text), m_limits(limits), m_timeText(seconds(limits.time)) {
    m_memory.limit = limits.memory;
    m_state = lua_newstate(&Sandbox::allocate, &m_memory);
    if (m_state == nullptr) {
        m_dead = true;
        return;
    }
    *static_cast<Sandbox**>(lua_getextraspace(m_state)) = this;  // threads copy it
    openLibraries(m_state);
    seedRandom(m_state, random[0], random[1]);
    m_thread = lua_newthread(m_state);
    luaL_ref(m_state, LUA_REGISTRYINDEX);  // kept for the state's life
    m_watch = std::make_unique<Watch>(m_thread, &Sandbox::hook, limits.time);
}

Sandbox::~Sandbox() {
    m_watch.reset();  // before the thread it watches goes
    if (m_state != nullptr) lua_close(m_state);
}

Sandbox& Sandbox::of(lua_State* state) {
    return **static_cast<Sandbox**>(lua_getextraspace(state));
}

bool Sandbox::stopped() const {
    return m_memory.hit || (m_watch && m_watch->overran());
}

// Counts every byte the state holds; while the script runs, refuses what
// would pass the limit, and once refused, everything more. Lua then raises a
// memory error, which no pcall of the script keeps.
void* Sandbox::allocate(void* memory, void* block, std::size_t oldSize, std::size_t newSize) {
    Memory& m = *static_cast<Memory*>(memory);
    const std::size_t old = block != nullptr ? oldSize : 0;
    if (newSize == 0) {
        std::free(block);
        m.used -= old;
        return nullptr;
    }
    if (newSize > old && m.enforced && (m.hit || m.used - old + newSize > m.limit)) {
        m.hit = true;
        return nullptr;
    }
    void* grown = std::realloc(block, newSize);
    if (grown != nullptr) m.used = m.used - old + newSize;
    return grown;
}

// Put on by the watchdog when a call runs too long: stops it where it is.
void Sandbox::hook(lua_State* state, lua_Debug* info) {
    Sandbox& box = of(state);
    if (!box.stopped()) {
        lua_sethook(state, nullptr, 0, 0);  // put on for a call that has ended since
        return;
    }
    lua_getinfo(state, "Sl", info);
    lua_pushfstring(
        state, "%s:%d: %s läuft länger als %s und wird angehalten (eine Endlosschleife?)",
        info->short_src, info->currentline, box.m_watch->what(), box.m_timeText.c_str());
    lua_error(state);
}

std::optional<std::string> Sandbox::run() {
    if (m_dead) return m_file + ": Lua kann nicht starten (kein Speicher)";
    m_memory.enforced = true;
    const int status = luaL_loadbufferx(m_thread, m_text.data(), m_text.size(), chunkName, "t");
    m_memory.enforced = false;
    if (status != LUA_OK) {
        m_dead = true;
        return errorText(status);
    }
    return call(0, "das Skript");
}

std::optional<std::string> Sandbox::call(int args, const char* what) {
    if (m_dead) return m_file + ": das Skript ist nach einem Fehler angehalten";
    m_memory.enforced = true;
    m_watch->enter(what);
    int results = 0;
    const int status = lua_resume(m_thread, m_state, args, &results);
    const bool overran = m_watch->overran();
    m_watch->leave();
    m_memory.enforced = false;
    if (status == LUA_OK && !m_memory.hit) {
        lua_settop(m_thread, 0);
        return std::nullopt;
    }
    m_dead = true;
    // The stop's own message says where the hook found the call; a memory
    // error it met on the way says more.
    if (overran && !m_memory.hit && lua_type(m_thread, -1) == LUA_TSTRING) {
        const std::string message = lua_tostring(m_thread, -1);
        if (hasPosition(message)) return named(message);
    }
    return errorText(status);
}

// Where a failed call stopped: the innermost line of Lua that is known.
std::string Sandbox::where() {
    lua_Debug info;
    for (int level = 0; lua_getstack(m_thread, level, &info) != 0; ++level) {
        lua_getinfo(m_thread, "Sl", &info);
        if (info.currentline > 0)
            return std::string(info.short_src) + ":" + std::to_string(info.currentline) + ": ";
    }
    return std::string(1, mark) + ": ";
}

std::string Sandbox::errorText(int status) {
    if (m_memory.hit || status == LUA_ERRMEM)
        return named(where() + "das Skript braucht mehr als " +
                     std::to_string(m_limits.memory >> 20) + " MB Speicher");
    const int type = lua_type(m_thread, -1);
    if (type != LUA_TSTRING && type != LUA_TNUMBER)
        return named(where() + "Fehler ohne Text (ein Wert vom Typ " +
                     lua_typename(m_thread, type) + ")");
    std::string message = lua_tostring(m_thread, -1);
    message = status == LUA_ERRSYNTAX ? syntaxInGerman(message) : runtimeInGerman(message);
    if (!hasPosition(message)) message = where() + message;  // error("…", 0)
    return named(message);
}

std::string Sandbox::named(std::string message) const {
    for (std::size_t at = message.find(mark); at != std::string::npos;
         at = message.find(mark, at + m_file.size()))
        message.replace(at, 1, m_file);
    return message;
}

}  // namespace tamvek::lua
