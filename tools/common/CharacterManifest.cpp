#include "tools/common/CharacterManifest.h"

#include <charconv>
#include <sstream>

namespace mascot {
namespace {

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> Words(std::string_view text) {
    std::istringstream in{std::string(text)};
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

std::optional<uint16_t> Number(std::string_view text, uint16_t max) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value > max)
        return std::nullopt;
    return static_cast<uint16_t>(value);
}

// \n, \t and \\; any other backslash stays as it is.
std::string Unescape(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[i + 1];
        if (next == 'n' || next == 't' || next == '\\') {
            out += next == 'n' ? '\n' : next == 't' ? '\t' : '\\';
            ++i;
        } else {
            out += '\\';
        }
    }
    return out;
}

std::optional<ImageKind> KindNamed(std::string_view name) {
    for (const ImageKind kind :
         {ImageKind::Colour8, ImageKind::Colour24, ImageKind::Mask, ImageKind::PackedMask})
        if (name == ImageKindName(kind))
            return kind;
    if (name == "color8")
        return ImageKind::Colour8;
    if (name == "color24")
        return ImageKind::Colour24;
    return std::nullopt;
}

class ManifestParser {
public:
    ManifestParser(const std::string& fileName, std::vector<ManifestError>& errors)
        : m_fileName(fileName), m_errors(errors) {}

    void Line(std::string_view key, std::string_view value, int line);
    void Finish();
    CharacterManifest& Result() { return m_manifest; }

private:
    void Error(int line, std::string message) { m_errors.push_back({m_fileName, line, std::move(message)}); }
    // Reads one number per pointer in `out` from the words of `value`, each at most `max`.
    bool Numbers(std::string_view key, std::string_view value, int line, std::vector<uint16_t*> out,
                 uint16_t max = 0xFFFF);
    void Image(std::string_view value, int line);

    const std::string& m_fileName;
    std::vector<ManifestError>& m_errors;
    CharacterManifest m_manifest;
    bool m_hasFrame = false;
};

bool ManifestParser::Numbers(std::string_view key, std::string_view value, int line,
                             std::vector<uint16_t*> out, uint16_t max) {
    std::vector<std::string> words = Words(value);
    if (key == "frame" && words.size() == 3 && (words[1] == "x" || words[1] == "X"))
        words.erase(words.begin() + 1);
    std::vector<uint16_t> numbers;
    for (const std::string& word : words)
        if (const auto number = Number(word, max))
            numbers.push_back(*number);
    if (words.size() != out.size() || numbers.size() != out.size()) {
        Error(line, std::string(key) + " takes " + std::to_string(out.size()) + " number(s) from 0 to " +
                        std::to_string(max));
        return false;
    }
    for (size_t i = 0; i < out.size(); ++i)
        *out[i] = numbers[i];
    return true;
}

void ManifestParser::Image(std::string_view value, int line) {
    const std::vector<std::string> words = Words(value);
    ManifestImage image;
    image.line = line;
    const auto x = words.size() == 4 ? Number(words[1], 0xFFFF) : std::nullopt;
    const auto y = words.size() == 4 ? Number(words[2], 0xFFFF) : std::nullopt;
    const auto kind = words.size() == 4 ? KindNamed(words[3]) : std::nullopt;
    if (!x || !y || !kind) {
        Error(line, "image takes FILE X Y KIND, KIND one of colour8, colour24, mask, packed-mask");
        return;
    }
    m_manifest.images.push_back(ManifestImage{words[0], *x, *y, *kind, line});
}

void ManifestParser::Line(std::string_view key, std::string_view value, int line) {
    CharacterManifest& m = m_manifest;
    if (key == "title") {
        m.title = Unescape(value);
    } else if (key == "about") {
        m.about = Unescape(value);
    } else if (key == "version") {
        Numbers(key, value, line, {&m.version}, 303);
    } else if (key == "frame") {
        if (!Numbers(key, value, line, {&m.frameWidth, &m.frameHeight}))
            return;
        m_hasFrame = m.frameWidth > 0 && m.frameHeight > 0;
        if (!m_hasFrame)
            Error(line, "frame takes WIDTH x HEIGHT, both above 0");
    } else if (key == "defaults") {
        Numbers(key, value, line, {&m.defaultPattern, &m.defaultPosition});
    } else if (key == "menu") {
        Numbers(key, value, line, {&m.menuColumnLength, &m.columnGate});
    } else if (key == "image") {
        Image(value, line);
    } else if (key == "pattern") {
        if (Words(value).size() == 1)
            m.patterns.push_back(ManifestPattern{std::string(value), line});
        else
            Error(line, "pattern takes one FILE");
    } else {
        Error(line, "unknown key '" + std::string(key) + "'");
    }
}

void ManifestParser::Finish() {
    if (!m_hasFrame)
        Error(0, "no frame size (frame = WIDTH x HEIGHT)");
    if (m_manifest.images.empty())
        Error(0, "no image: the palette comes from image 0");
    if (m_manifest.patterns.empty())
        Error(0, "no pattern");
    if (m_manifest.patterns.size() > 16)
        Error(m_manifest.patterns[16].line, "more than 16 patterns: the menu has commands for 16");
    if (!m_manifest.patterns.empty() && m_manifest.defaultPattern > m_manifest.patterns.size())
        Error(0, "default pattern " + std::to_string(m_manifest.defaultPattern) + " does not exist");
    if (m_manifest.defaultPosition > 100)
        Error(0, "default position " + std::to_string(m_manifest.defaultPosition) + " is above 100");
}

}  // namespace

std::string ManifestError::ToString() const {
    return line > 0 ? file + ":" + std::to_string(line) + ": " + message : file + ": " + message;
}

const char* ImageKindName(ImageKind kind) {
    switch (kind) {
        case ImageKind::Colour8:
            return "colour8";
        case ImageKind::Colour24:
            return "colour24";
        case ImageKind::Mask:
            return "mask";
        case ImageKind::PackedMask:
            return "packed-mask";
    }
    return "?";
}

CharacterManifest ParseManifest(std::string_view text, const std::string& fileName,
                                std::vector<ManifestError>& errors) {
    ManifestParser parser(fileName, errors);
    int line = 0;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view content = Trim(text.substr(start, end - start));
        ++line;
        start = end + 1;
        if (content.empty() || content[0] == '#')
            continue;
        const size_t equals = content.find('=');
        if (equals == std::string_view::npos) {
            errors.push_back({fileName, line, "expected KEY = VALUE"});
            continue;
        }
        parser.Line(Trim(content.substr(0, equals)), Trim(content.substr(equals + 1)), line);
    }
    parser.Finish();
    return std::move(parser.Result());
}

}  // namespace mascot
