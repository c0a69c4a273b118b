#include "tests/support/docx_reader.h"

#include <cctype>
#include <cstdint>
#include <functional>

#include "documents/windows1251.h"

namespace kargolo::testing {
namespace {

std::uint32_t Read16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint8_t>(bytes[at]) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 1])) << 8;
}

std::uint32_t Read32(std::string_view bytes, std::size_t at) {
    return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

// CRC-32 bit by bit, as the definition goes.
std::uint32_t SlowCrc32(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= static_cast<std::uint8_t>(byte);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The entities both XML and the reports use.
std::string Unescape(std::string_view text) {
    static const std::pair<std::string_view, std::uint32_t> kEntities[] = {
        {"amp", '&'},   {"lt", '<'},    {"gt", '>'},      {"quot", '"'},
        {"apos", '\''}, {"nbsp", 0xA0}, {"mdash", 0x2014}, {"ndash", 0x2013},
        {"rarr", 0x2192}, {"Sigma", 0x3A3}, {"middot", 0xB7}, {"le", 0x2264}, {"lambda", 0x3BB},
        {"theta", 0x3B8}, {"times", 0xD7}};
    std::string out;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const std::size_t end = text[k] == '&' ? text.find(';', k) : std::string_view::npos;
        if (end == std::string_view::npos || end - k > 10) {
            out += text[k];
            continue;
        }
        const std::string_view name = text.substr(k + 1, end - k - 1);
        std::uint32_t code = 0;
        if (!name.empty() && name[0] == '#') {
            code = static_cast<std::uint32_t>(std::stoul(std::string(name.substr(1))));
        } else {
            for (const auto& [entity, value] : kEntities) {
                if (entity == name) code = value;
            }
        }
        if (code == 0) {
            out += text[k];
            continue;
        }
        AppendUtf8(code, out);
        k = end;
    }
    return out;
}

std::string TagName(std::string_view tag) {
    std::size_t end = tag.empty() || tag[0] != '/' ? 0 : 1;  // a closing tag keeps its '/'
    while (end < tag.size() && !IsSpace(tag[end]) && tag[end] != '/' && tag[end] != '>') ++end;
    std::string name(tag.substr(0, end));
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

void SplitWords(std::string_view text, std::vector<std::string>& words) {
    std::size_t k = 0;
    while (k < text.size()) {
        while (k < text.size() && IsSpace(text[k])) ++k;
        const std::size_t begin = k;
        while (k < text.size() && !IsSpace(text[k])) ++k;
        if (k > begin) words.emplace_back(text.substr(begin, k - begin));
    }
}

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    return text;
}

// Walks HTML the way a browser shows its text: calls text for text and tag for every tag (its
// name lower-cased, '/' first for a closing one), skipping comments, the title and the style.
void WalkHtml(std::string_view html, const std::function<void(std::string_view)>& text,
              const std::function<void(const std::string&)>& tag) {
    // A '<' opens a tag when a letter, '/' or '!' follows it ("S <=0" is text).
    const auto opensTag = [html](std::size_t at) {
        return html[at] == '<' && at + 1 < html.size() &&
               (std::isalpha(static_cast<unsigned char>(html[at + 1])) != 0 ||
                html[at + 1] == '/' || html[at + 1] == '!');
    };
    std::size_t k = 0;
    while (k < html.size()) {
        if (!opensTag(k)) {
            std::size_t end = k + 1;
            while (end < html.size() && !opensTag(end)) ++end;
            text(Unescape(html.substr(k, end - k)));
            k = end;
            continue;
        }
        if (html.substr(k, 4) == "<!--") {
            k = html.find("-->", k) + 3;
            continue;
        }
        const std::size_t end = html.find('>', k);
        const std::string name = TagName(html.substr(k + 1));
        tag(name);
        k = end + 1;
        if (name == "title" || name == "style") {  // their text is no text of the page
            while (k < html.size() &&
                   !(html[k] == '<' && TagName(html.substr(k + 1)) == "/" + name))
                ++k;
        }
    }
}

bool IsBlockTag(const std::string& name) {
    const std::string bare = name[0] == '/' ? name.substr(1) : name;
    static const char* const kBlocks[] = {"p",   "br", "td", "th", "tr", "table",
                                          "div", "hr", "li", "h1", "h2", "h3"};
    for (const char* block : kBlocks) {
        if (bare == block) return true;
    }
    return false;
}

}  // namespace

std::map<std::string, std::string> ReadZip(std::string_view bytes, std::string& error) {
    std::map<std::string, std::string> entries;
    const std::size_t end =
        bytes.size() >= 22 ? bytes.rfind(std::string_view("PK\5\6", 4)) : std::string_view::npos;
    if (end == std::string_view::npos || end + 22 > bytes.size()) {
        error = "no end of the central directory";
        return entries;
    }
    const std::uint32_t count = Read16(bytes, end + 10);
    std::size_t at = Read32(bytes, end + 16);
    for (std::uint32_t k = 0; k < count; ++k) {
        if (at + 46 > bytes.size() || Read32(bytes, at) != 0x02014B50u) {
            error = "bad directory header";
            return entries;
        }
        const std::uint32_t method = Read16(bytes, at + 10);
        const std::uint32_t crc = Read32(bytes, at + 16);
        const std::uint32_t size = Read32(bytes, at + 20);
        const std::uint32_t nameSize = Read16(bytes, at + 28);
        const std::size_t skip = nameSize + Read16(bytes, at + 30) + Read16(bytes, at + 32);
        const std::size_t local = Read32(bytes, at + 42);
        const std::string name(bytes.substr(at + 46, nameSize));
        at += 46 + skip;
        if (local + 30 > bytes.size() || Read32(bytes, local) != 0x04034B50u || method != 0 ||
            Read32(bytes, local + 14) != crc || Read32(bytes, local + 18) != size ||
            Read32(bytes, local + 22) != size) {
            error = "bad local header of " + name;
            return entries;
        }
        const std::size_t data = local + 30 + Read16(bytes, local + 26) + Read16(bytes, local + 28);
        const std::string_view contents = bytes.substr(data, size);
        if (contents.size() != size || SlowCrc32(contents) != crc) {
            error = "bad contents of " + name;
            return entries;
        }
        entries[name] = std::string(contents);
    }
    return entries;
}

DocxText ReadDocxText(std::string_view docx) {
    DocxText result;
    const std::map<std::string, std::string> entries = ReadZip(docx, result.Error);
    const auto document = entries.find("word/document.xml");
    if (!result.Error.empty() || document == entries.end()) {
        if (result.Error.empty()) result.Error = "no word/document.xml";
        return result;
    }
    const std::string& xml = document->second;
    std::vector<std::string> open;                // the elements open, to check they nest
    std::vector<std::vector<TextBlock>*> blocks;  // where paragraphs and tables go
    std::vector<std::shared_ptr<TextTable>> tables;
    std::string paragraph;
    bool inText = false;
    std::size_t k = xml.find("<w:body>");
    if (k == std::string::npos) {
        result.Error = "no body";
        return result;
    }
    blocks.push_back(&result.Body);
    open.push_back("w:body");
    for (k += 8; k < xml.size();) {
        if (xml[k] != '<') {
            const std::size_t end = std::min(xml.find('<', k), xml.size());
            if (inText) paragraph += Unescape(std::string_view(xml).substr(k, end - k));
            k = end;
            continue;
        }
        const std::size_t end = xml.find('>', k);
        if (end == std::string::npos) break;
        const std::string_view tag = std::string_view(xml).substr(k + 1, end - k - 1);
        k = end + 1;
        const bool closing = tag[0] == '/';
        const bool empty = tag.back() == '/';
        const std::string name = TagName(closing ? tag.substr(1) : tag);
        if (closing) {
            if (open.empty() || open.back() != name) {
                result.Error = "unbalanced </" + name + ">";
                return result;
            }
            open.pop_back();
        } else if (!empty) {
            open.push_back(name);
        }
        if (name == "w:body" && closing) break;
        if (name == "w:t") inText = !closing && !empty;
        if (name == "w:br" || name == "w:cr") paragraph += '\n';
        if (name == "w:tab") paragraph += '\t';
        if (name == "w:p" && (closing || empty)) {
            blocks.back()->push_back({paragraph, nullptr});
            paragraph.clear();
        }
        if (name == "w:tbl" && !closing) {
            tables.push_back(std::make_shared<TextTable>());
            blocks.back()->push_back({"", tables.back()});
        }
        if (name == "w:tbl" && closing) tables.pop_back();
        if (name == "w:tr" && !closing) tables.back()->Rows.emplace_back();
        if (name == "w:tc" && !closing) {
            tables.back()->Rows.back().emplace_back();
            blocks.push_back(&tables.back()->Rows.back().back().Blocks);
        }
        if (name == "w:tc" && closing) blocks.pop_back();
        if (name == "w:vmerge" && !closing) {
            tables.back()->Rows.back().back().Continues =
                tag.find("restart") == std::string_view::npos;
        }
    }
    if (!open.empty()) result.Error = "<" + open.back() + "> left open";
    return result;
}

std::vector<std::string> Words(const std::vector<TextBlock>& blocks) {
    std::vector<std::string> words;
    for (const TextBlock& block : blocks) {
        if (!block.Table) {
            SplitWords(block.Text, words);
            continue;
        }
        for (const auto& row : block.Table->Rows) {
            for (const TextCell& cell : row) {
                const std::vector<std::string> inner = Words(cell.Blocks);
                words.insert(words.end(), inner.begin(), inner.end());
            }
        }
    }
    return words;
}

std::vector<std::string> WordsOfHtml(std::string_view html) {
    std::string text;
    WalkHtml(
        html, [&text](std::string_view piece) { text += piece; },
        [&text](const std::string& name) {
            if (IsBlockTag(name)) text += ' ';
        });
    std::vector<std::string> words;
    SplitWords(text, words);
    return words;
}

std::vector<CellTexts> BodyTableCells(const std::vector<TextBlock>& body) {
    std::vector<CellTexts> tables;
    for (const TextBlock& block : body) {
        if (!block.Table) continue;
        CellTexts& table = tables.emplace_back();
        for (const auto& row : block.Table->Rows) {
            std::vector<std::string>& texts = table.emplace_back();
            for (const TextCell& cell : row) {
                if (!cell.Continues) texts.push_back(Joined(Words(cell.Blocks)));
            }
        }
    }
    return tables;
}

std::vector<CellTexts> HtmlTableCells(std::string_view html) {
    std::vector<CellTexts> tables;
    int depth = 0;
    bool inCell = false;
    std::string cell;
    WalkHtml(
        html,
        [&](std::string_view piece) {
            if (inCell) cell += piece;
        },
        [&](const std::string& name) {
            if (name == "table") {
                if (++depth == 1) tables.emplace_back();
            } else if (name == "/table") {
                --depth;
            } else if (depth == 1 && name == "tr") {
                tables.back().emplace_back();
            } else if (depth == 1 && (name == "td" || name == "th")) {
                inCell = true;
                cell.clear();
            } else if (depth == 1 && (name == "/td" || name == "/th")) {
                inCell = false;
                std::vector<std::string> words;
                SplitWords(cell, words);
                tables.back().back().push_back(Joined(words));
            } else if (inCell && IsBlockTag(name)) {
                cell += ' ';
            }
        });
    return tables;
}

}  // namespace kargolo::testing
