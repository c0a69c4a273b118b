#include "documents/text_lines.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <new>

#include "documents/document_texts.h"
#include "documents/windows1251.h"
#include "solver/report_buffer.h"

namespace kargolo {
namespace {

constexpr std::string_view kNoBreakSpace = "\xC2\xA0";

char DetectSeparator(std::string_view line) {
    for (const char candidate : {';', '\t', ','}) {
        if (line.find(candidate) != std::string_view::npos) return candidate;
    }
    return ';';
}

std::vector<std::string_view> SplitValues(std::string_view line, char separator) {
    std::vector<std::string_view> values;
    for (;;) {
        const std::size_t end = line.find(separator);
        std::string_view value = TrimBlanks(line.substr(0, end));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = TrimBlanks(value.substr(1, value.size() - 2));
        }
        values.push_back(value);
        if (end == std::string_view::npos) return values;
        line.remove_prefix(end + 1);
    }
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    for (;;) {
        if (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
            text.remove_prefix(1);
        } else if (text.starts_with(kNoBreakSpace)) {
            text.remove_prefix(kNoBreakSpace.size());
        } else if (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
            text.remove_suffix(1);
        } else if (text.ends_with(kNoBreakSpace)) {
            text.remove_suffix(kNoBreakSpace.size());
        } else {
            return text;
        }
    }
}

// The text with every line ending as LF, whether it ended as LF, CRLF or CR alone (old Mac).
std::string WithLfLineEnds(std::string_view text) {
    std::string lf;
    lf.reserve(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] != '\r') {
            lf += text[k];
        } else if (k + 1 == text.size() || text[k + 1] != '\n') {
            lf += '\n';
        }
    }
    return lf;
}

// The lines that hold values, with the separator of the first of them.
std::vector<DataLine> SplitLines(std::string_view text) {
    std::vector<DataLine> lines;
    char separator = 0;
    unsigned number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        const std::string_view content = TrimBlanks(line);
        if (content.empty() || content.front() == '#') continue;
        if (separator == 0) separator = DetectSeparator(content);
        lines.push_back({number, SplitValues(line, separator)});
    }
    return lines;
}

std::string ReadTextFile(const std::filesystem::path& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return kOpenErrorText;
    try {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::bad_alloc&) {
        return kOutOfMemoryText;
    }
    if (in.bad()) return kReadErrorText;
    return {};
}

std::string DecodeTextFile(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    return WithLfLineEnds(IsValidUtf8(bytes) ? std::string(bytes) : DecodeWindows1251(bytes));
}

std::string FaultText(const TextFault& fault) {
    return Format(kTextAt, fault.Line, fault.Column, fault.What.c_str());
}

std::string Lowered(std::string_view text) {
    std::string lower;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const auto byte = static_cast<unsigned char>(text[k]);
        const auto next = k + 1 < text.size() ? static_cast<unsigned char>(text[k + 1]) : 0;
        if (byte == 0xD0 && next >= 0x90 && next <= 0x9F) {  // А..П
            lower += '\xD0';
            lower += static_cast<char>(next + 0x20);
            ++k;
        } else if (byte == 0xD0 && next >= 0xA0 && next <= 0xAF) {  // Р..Я
            lower += '\xD1';
            lower += static_cast<char>(next - 0x20);
            ++k;
        } else if (byte == 0xD0 && next == 0x81) {  // Ё
            lower += "\xD1\x91";
            ++k;
        } else {
            lower += static_cast<char>(std::tolower(byte));
        }
    }
    return lower;
}

std::string LineWords(const DataLine& line) {
    std::string text;
    for (const std::string_view value : line.Values) text += Lowered(value) + ' ';
    return text;
}

LineGoal GoalOfLine(const DataLine& line) {
    const std::string text = LineWords(line);
    if (!text.starts_with("цель")) return LineGoal::None;
    if (text.find("максимум") != std::string::npos || text.find("max") != std::string::npos) return LineGoal::Maximise;
    if (text.find("минимум") != std::string::npos || text.find("min") != std::string::npos) return LineGoal::Minimise;
    return LineGoal::Bad;
}

std::optional<TaskKind> KindOfLine(const DataLine& line, bool& kindFault) {
    const std::string text = LineWords(line);
    kindFault = false;
    if (!text.starts_with("вид ")) return std::nullopt;
    if (text.find("врем") != std::string::npos) return TaskKind::Time;
    if (text.find("назначен") != std::string::npos) return TaskKind::Assignment;
    if (text.find("транспорт") != std::string::npos) return TaskKind::Transport;
    kindFault = true;
    return std::nullopt;
}

std::string KindLineText(TaskKind kind) {
    switch (kind) {
        case TaskKind::Time: return "вид;критерий времени\n";
        case TaskKind::Assignment: return "вид;назначения\n";
        case TaskKind::Transport: break;
    }
    return {};
}

unsigned CountLines(std::string_view text) {
    const auto breaks = static_cast<unsigned>(std::count(text.begin(), text.end(), '\n'));
    return text.empty() || text.ends_with('\n') ? breaks : breaks + 1;
}

}  // namespace kargolo
