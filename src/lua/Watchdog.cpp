#include "lua/Watchdog.h"

#include <lua.hpp>

#include <algorithm>

namespace tamvek::lua {
namespace {

constexpr std::chrono::milliseconds interval{50};

}  // namespace

Watch::Watch(lua_State* thread, Hook hook, std::chrono::milliseconds limit)
    : m_thread(thread), m_hook(hook), m_limit(limit) {
    Watchdog::instance().add(this);
}

Watch::~Watch() {
    Watchdog::instance().remove(this);
}

// Never destroyed: its thread may still sleep when the program ends.
Watchdog& Watchdog::instance() {
    static Watchdog* watchdog = new Watchdog;
    return *watchdog;
}

void Watchdog::add(Watch* watch) {
    const std::lock_guard lock(m_mutex);
    m_watches.push_back(watch);
    if (!m_running) {
        m_running = true;
        std::thread([this] { run(); }).detach();
    }
    m_wake.notify_one();
}

void Watchdog::remove(Watch* watch) {
    const std::lock_guard lock(m_mutex);
    m_watches.erase(std::remove(m_watches.begin(), m_watches.end(), watch), m_watches.end());
}

void Watchdog::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (m_watches.empty())
            m_wake.wait(lock, [this] { return !m_watches.empty(); });
        else
            m_wake.wait_for(lock, interval);
        const auto now = std::chrono::steady_clock::now();
        for (Watch* watch : m_watches)
            look(*watch, now);
    }
}

// A call seen running since longer than its limit gets the hook, at every
// look until it ends: the script's thread may take a hook off that the watchdog
// put on for the call before.
void Watchdog::look(Watch& watch, std::chrono::steady_clock::time_point now) {
    const std::uint64_t calls = watch.m_calls.load(std::memory_order_relaxed);
    if (calls % 2 == 0 || calls != watch.m_seen) {
        watch.m_seen = calls;
        watch.m_since = now;
        return;
    }
    if (now - watch.m_since < watch.m_limit) return;
    watch.m_overran.store(calls, std::memory_order_relaxed);
    lua_sethook(watch.m_thread, watch.m_hook, LUA_MASKCOUNT, 1000);
}

}  // namespace tamvek::lua
