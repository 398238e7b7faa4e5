#include "form/InputWatch.h"

namespace tamvek::form {

InputWatch::Scope::Scope(InputWatch* watch, const UserInput& input) : m_watch(watch) {
    if (m_watch == nullptr) return;
    m_outermost = m_watch->m_depth++ == 0;
    if (!m_outermost) return;
    for (const Listener& l : m_watch->m_listeners)
        if (l.begin) l.begin(input);
}

InputWatch::Scope::~Scope() {
    if (m_watch == nullptr) return;
    --m_watch->m_depth;
    if (!m_outermost) return;
    for (const Listener& l : m_watch->m_listeners)
        if (l.end) l.end();
}

}  // namespace tamvek::form
