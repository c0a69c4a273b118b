#pragma once

// Messages for the user leave the command-line solver in UTF-8, or, for a Windows console, in
// windows-1251: an output stream buffer that encodes what passes through it.

#include <streambuf>
#include <string>

#include "documents/windows1251.h"

namespace kargolo {

class Windows1251StreamBuf : public std::streambuf {
public:
    explicit Windows1251StreamBuf(std::streambuf* target) : m_target(target) {}
    ~Windows1251StreamBuf() override;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    bool Pass(std::string_view utf8);

    std::streambuf* m_target;
    Windows1251Encoder m_encoder;
    std::string m_encoded;
};

}  // namespace kargolo
