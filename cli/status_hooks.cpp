#include "cli/status_hooks.h"

namespace kargolo {

void StreamStatusHooks::AddStatusLine(std::string_view text) {
    Flush();
    m_pending.assign(text);
    m_hasPending = true;
}

void StreamStatusHooks::ReplaceStatusLine(std::string_view text) {
    m_pending.assign(text);
    m_hasPending = true;
}

void StreamStatusHooks::Flush() {
    if (!m_hasPending) return;
    m_out << m_pending << '\n';
    m_hasPending = false;
}

}  // namespace kargolo
