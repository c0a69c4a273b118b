#include "cli/console_encoding.h"

namespace kargolo {

Windows1251StreamBuf::~Windows1251StreamBuf() {
    m_encoded.clear();
    m_encoder.Finish(m_encoded);
    m_target->sputn(m_encoded.data(), static_cast<std::streamsize>(m_encoded.size()));
    m_target->pubsync();
}

bool Windows1251StreamBuf::Pass(std::string_view utf8) {
    m_encoded.clear();
    m_encoder.Encode(utf8, m_encoded);
    const auto size = static_cast<std::streamsize>(m_encoded.size());
    return m_target->sputn(m_encoded.data(), size) == size;
}

Windows1251StreamBuf::int_type Windows1251StreamBuf::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char letter = traits_type::to_char_type(c);
    return Pass(std::string_view(&letter, 1)) ? c : traits_type::eof();
}

std::streamsize Windows1251StreamBuf::xsputn(const char* text, std::streamsize count) {
    return Pass(std::string_view(text, static_cast<std::size_t>(count))) ? count : 0;
}

int Windows1251StreamBuf::sync() { return m_target->pubsync(); }

}  // namespace kargolo
