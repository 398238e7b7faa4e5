#pragma once
// Stops a script call that runs too long, at no cost to a call that does not.
// A call only counts itself in and out (two plain stores); one thread, shared
// by every script of the program, looks twenty times a second, and once the
// same call has run past its limit it installs a count hook in that script's
// Lua thread (lua_sethook may be called from another thread). The hook then
// raises the stop (Sandbox.cpp). The thread starts with the first watch and
// sleeps while there is none.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

struct lua_State;
struct lua_Debug;

namespace tamvek::lua {

// What the watchdog watches of one script: its calls, counted in and out by
// the script's own thread.
class Watch {
  public:
    using Hook = void (*)(lua_State*, lua_Debug*);

    Watch(lua_State* thread, Hook hook, std::chrono::milliseconds limit);
    ~Watch();
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;

    // Around every call from C++ into the script; `what` names the call.
    void enter(const char* what) {
        m_what = what;
        m_calls.store(m_calls.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    }
    void leave() {
        m_calls.store(m_calls.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    }
    // Whether the call now running has been stopped for running too long.
    bool overran() const {
        const std::uint64_t calls = m_calls.load(std::memory_order_relaxed);
        return calls % 2 == 1 && m_overran.load(std::memory_order_relaxed) == calls;
    }
    const char* what() const { return m_what; }
    std::chrono::milliseconds limit() const { return m_limit; }

  private:
    friend class Watchdog;
    lua_State* m_thread;
    Hook m_hook;
    std::chrono::milliseconds m_limit;
    const char* m_what = "";
    std::atomic<std::uint64_t> m_calls{0};    // odd while a call runs
    std::atomic<std::uint64_t> m_overran{0};  // the call stopped, as m_calls counted it
    // The watchdog's own: the call it saw last, and since when.
    std::uint64_t m_seen = 0;
    std::chrono::steady_clock::time_point m_since;
};

class Watchdog {
  public:
    static Watchdog& instance();
    void add(Watch* watch);
    // Once this returns, the watchdog no longer touches the watch's Lua thread.
    void remove(Watch* watch);

  private:
    Watchdog() = default;
    void run();
    void look(Watch& watch, std::chrono::steady_clock::time_point now);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<Watch*> m_watches;
    bool m_running = false;
};

}  // namespace tamvek::lua
