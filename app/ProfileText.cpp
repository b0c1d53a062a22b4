#include "app/ProfileText.h"

#include <vector>

namespace mascot {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    return true;
}

// One line of the file, without its line ending, and where it lies.
struct Line {
    size_t begin = 0;        // first byte of the line
    size_t contentEnd = 0;   // end of the line without its line ending
    size_t end = 0;          // end including the line ending
};

std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t newline = text.find('\n', pos);
        Line line;
        line.begin = pos;
        line.end = newline == std::string_view::npos ? text.size() : newline + 1;
        line.contentEnd = newline == std::string_view::npos ? text.size() : newline;
        if (line.contentEnd > line.begin && text[line.contentEnd - 1] == '\r')
            --line.contentEnd;
        lines.push_back(line);
        pos = line.end;
    }
    return lines;
}

std::string_view Content(std::string_view text, const Line& line) {
    return text.substr(line.begin, line.contentEnd - line.begin);
}

// The section name of a "[name]" line; nothing for other lines. A missing "]" takes the rest of
// the line, as the platform's reader does.
std::optional<std::string_view> SectionName(std::string_view content) {
    content = Trim(content);
    if (content.empty() || content.front() != '[')
        return std::nullopt;
    content.remove_prefix(1);
    const size_t close = content.find(']');
    return Trim(close == std::string_view::npos ? content : content.substr(0, close));
}

// Key and value of an entry line; comment lines (";") and lines without "=" carry no value.
struct Entry {
    std::string_view key;
    std::string_view value;
    size_t keyBegin = 0;    // offsets within the line's content
    size_t valueBegin = 0;
};

std::optional<Entry> ParseEntry(std::string_view content) {
    const std::string_view trimmed = Trim(content);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[')
        return std::nullopt;
    const size_t equals = content.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    Entry entry;
    entry.key = Trim(content.substr(0, equals));
    entry.value = Trim(content.substr(equals + 1));
    entry.keyBegin = static_cast<size_t>(entry.key.data() - content.data());
    entry.valueBegin = equals + 1;
    return entry;
}

// Lines [first, last) of the first section named `section`; nothing when it is missing.
struct SectionSpan {
    size_t header = 0;
    size_t first = 0;
    size_t last = 0;
};

std::optional<SectionSpan> FindSection(std::string_view text, const std::vector<Line>& lines,
                                       std::string_view section) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(Content(text, lines[i]));
        if (!name || !EqualNoCase(*name, section))
            continue;
        size_t last = i + 1;
        while (last < lines.size() && !SectionName(Content(text, lines[last])))
            ++last;
        return SectionSpan{i, i + 1, last};
    }
    return std::nullopt;
}

std::string_view LineEnding(std::string_view text) {
    const size_t newline = text.find('\n');
    if (newline == std::string_view::npos || (newline > 0 && text[newline - 1] == '\r'))
        return "\r\n";
    return "\n";
}

}  // namespace

std::optional<std::string> ProfileLookup(std::string_view text, std::string_view section, std::string_view key) {
    const std::vector<Line> lines = SplitLines(text);
    const auto span = FindSection(text, lines, section);
    if (!span)
        return std::nullopt;
    for (size_t i = span->first; i < span->last; ++i) {
        const auto entry = ParseEntry(Content(text, lines[i]));
        if (!entry || !EqualNoCase(entry->key, key))
            continue;
        std::string_view value = entry->value;
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return std::nullopt;
}

std::string ProfileWrite(const std::optional<std::string>& file, std::string_view section, std::string_view key,
                         std::string_view value) {
    const std::string text = file.value_or(std::string());
    const std::string_view eol = LineEnding(text);
    const std::vector<Line> lines = SplitLines(text);
    const auto span = FindSection(text, lines, section);

    if (!span) {
        std::string out = text;
        if (!out.empty() && out.back() != '\n')
            out += eol;
        out.append("[").append(section).append("]").append(eol);
        out.append(key).append("=").append(value).append(eol);
        return out;
    }

    size_t lastEntryLine = span->header;
    for (size_t i = span->first; i < span->last; ++i) {
        const std::string_view content = Content(text, lines[i]);
        const auto entry = ParseEntry(content);
        if (!Trim(content).empty())
            lastEntryLine = i;
        if (!entry || !EqualNoCase(entry->key, key))
            continue;
        // Keep the key's own spelling and everything up to the "="; replace the value.
        std::string out = text.substr(0, lines[i].begin + entry->valueBegin);
        out.append(value);
        out.append(text, lines[i].contentEnd, std::string::npos);
        return out;
    }

    const Line& after = lines[lastEntryLine];
    std::string out = text.substr(0, after.end);
    // The file's last line may have no line ending; a CR alone (dropped from its content) is none.
    if (text[after.end - 1] != '\n')
        out += eol;
    out.append(key).append("=").append(value).append(eol);
    out.append(text, after.end, std::string::npos);
    return out;
}

int32_t ProfileParseInt(std::string_view value) {
    size_t i = 0;
    while (i < value.size() && (value[i] == ' ' || value[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) {
        negative = value[i] == '-';
        ++i;
    }
    uint32_t magnitude = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
        magnitude = magnitude * 10u + static_cast<uint32_t>(value[i] - '0');
    return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}

}  // namespace mascot
