#include "documents/report_stream.h"

namespace kargolo {

void EncodedReportSink::Pass(const std::string& bytes) {
    m_stored += bytes.size();
    // After a failed write nothing more is tried: the run goes on, its report is lost.
    if (!m_failed && !bytes.empty() && !m_write(bytes)) m_failed = true;
}

void EncodedReportSink::Write(std::string_view utf8) {
    m_encoded.clear();
    m_encoder.Encode(utf8, m_encoded);
    Pass(m_encoded);
}

bool EncodedReportSink::Finish() {
    m_encoded.clear();
    m_encoder.Finish(m_encoded);
    Pass(m_encoded);
    return !m_failed;
}

}  // namespace kargolo
