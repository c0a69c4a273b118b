#pragma once

// The report leaves the program in windows-1251 as the run writes it: the report buffer hands
// its text to this sink, which encodes it piece by piece and passes the bytes on.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "documents/windows1251.h"
#include "solver/report_buffer.h"

namespace kargolo {

class EncodedReportSink : public ReportSink {
public:
    // Takes the next encoded bytes; false when they could not be written.
    using ByteWriter = std::function<bool(std::string_view bytes)>;

    explicit EncodedReportSink(ByteWriter write) : m_write(std::move(write)) {}

    void Write(std::string_view utf8) override;
    std::uint64_t StoredSize() const override { return m_stored; }
    // Writes what the encoder still holds; false when any write failed.
    bool Finish();
    bool Failed() const { return m_failed; }

private:
    void Pass(const std::string& bytes);

    ByteWriter m_write;
    Windows1251Encoder m_encoder;
    std::string m_encoded;
    std::uint64_t m_stored = 0;
    bool m_failed = false;
};

// Passes the text on to a sink as it is and hands a copy of it (UTF-8) to another reader: the
// report goes to its file and, say, into a Word document at once.
class TeeReportSink : public ReportSink {
public:
    using TextReader = std::function<void(std::string_view utf8)>;

    TeeReportSink(ReportSink& sink, TextReader copy) : m_sink(sink), m_copy(std::move(copy)) {}

    void Write(std::string_view utf8) override {
        m_sink.Write(utf8);
        m_copy(utf8);
    }
    std::uint64_t StoredSize() const override { return m_sink.StoredSize(); }

private:
    ReportSink& m_sink;
    TextReader m_copy;
};

}  // namespace kargolo
