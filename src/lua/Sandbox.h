#pragma once
// A Lua 5.4 state that a system script cannot leave: only the base, math,
// string, table and utf8 libraries (no files, no operating system, no
// modules; `load` only of text; `print` to standard error); a memory limit
// that holds while the script runs, and a time limit on every call, watched by
// the Watchdog. Neither limit can be caught by the script's `pcall`: once one
// is hit, every later `pcall` passes the stop on, and the call ends with it.
// `math.random` draws from the stream the sandbox is given.
//
// Every error comes back as German text that names the script's file and the
// line, e.g. `labouchere.lua:14: …`. After an error the sandbox takes no more
// calls.

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "formats/System.h"

struct lua_State;
struct lua_Debug;

namespace tamvek::lua {

class Watch;

struct Limits {
    std::size_t memory = std::size_t{64} << 20;  // bytes a script may hold
    std::chrono::milliseconds time{1000};        // that one call may run
};

class Sandbox {
  public:
    // `random` seeds math.random.
    Sandbox(const formats::Script& script, std::array<std::uint64_t, 2> random,
            const Limits& limits = {});
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    // Runs the script's chunk, which defines its functions and globals.
    std::optional<std::string> run();
    // Where calls run: push the function and its arguments here, then call().
    lua_State* thread() const { return m_thread; }
    // Calls what is pushed on thread() with `args` arguments and no results;
    // `what` names the call in a stop ("place", "cycle").
    std::optional<std::string> call(int args, const char* what);
    // Whether the running call is to end: past a limit.
    bool stopped() const;
    const std::string& file() const { return m_file; }
    // The sandbox a state or one of its threads belongs to.
    static Sandbox& of(lua_State* state);

  private:
    struct Memory {
        std::size_t used = 0;
        std::size_t limit = 0;
        bool enforced = false;  // only while the script runs
        bool hit = false;
    };
    static void* allocate(void* memory, void* block, std::size_t oldSize, std::size_t newSize);
    static void hook(lua_State* state, lua_Debug* info);
    std::optional<std::string> resume(int args, const char* what);
    std::string errorText(int status);
    std::string where();
    std::string named(std::string message) const;

    std::string m_file;
    std::string m_text;
    Limits m_limits;
    std::string m_timeText;  // the time limit as a stop says it
    Memory m_memory;
    lua_State* m_state = nullptr;
    lua_State* m_thread = nullptr;
    std::unique_ptr<Watch> m_watch;
    bool m_dead = false;
};

}  // namespace tamvek::lua
