#include "script/AsmLexer.h"

#include <cctype>
#include <cstdio>
#include <limits>

namespace mascot {
namespace {

bool IsIdentifierStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}
bool IsIdentifierChar(char c) {
    return IsIdentifierStart(c) || std::isdigit(static_cast<unsigned char>(c));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class LineLexer {
public:
    explicit LineLexer(std::string_view line) : m_line(line) {}

    std::vector<Token> Run(std::optional<LexError>& error);

private:
    bool Number(Token& token);
    bool CharLiteral(Token& token);
    bool StringLiteral(Token& token);
    bool Escape(StringPiece& raw);
    bool Fail(size_t at, std::string message) {
        m_error = LexError{static_cast<int>(at) + 1, std::move(message)};
        return false;
    }

    std::string_view m_line;
    size_t m_pos = 0;
    std::optional<LexError> m_error;
};

std::vector<Token> LineLexer::Run(std::optional<LexError>& error) {
    std::vector<Token> tokens;
    while (m_pos < m_line.size()) {
        const char c = m_line[m_pos];
        if (c == ';')
            break;
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++m_pos;
            continue;
        }
        Token token;
        token.column = static_cast<int>(m_pos) + 1;
        const size_t start = m_pos;
        bool ok = true;
        if (std::isdigit(static_cast<unsigned char>(c))) {
            ok = Number(token);
        } else if (IsIdentifierStart(c)) {
            token.kind = TokenKind::Identifier;
            while (m_pos < m_line.size() && IsIdentifierChar(m_line[m_pos]))
                ++m_pos;
        } else if (c == '\'') {
            ok = CharLiteral(token);
        } else if (c == '"') {
            ok = StringLiteral(token);
        } else if (std::string_view(",:()!<=>").find(c) != std::string_view::npos) {
            token.kind = TokenKind::Symbol;
            ++m_pos;
        } else {
            ok = Fail(m_pos, std::string("unexpected character '") + c + "'");
        }
        if (!ok) {
            error = m_error;
            return {};
        }
        token.text = m_line.substr(start, m_pos - start);
        tokens.push_back(std::move(token));
    }
    return tokens;
}

bool LineLexer::Number(Token& token) {
    token.kind = TokenKind::Number;
    const size_t start = m_pos;
    int base = 10;
    if (m_line.substr(m_pos, 2) == "0x" || m_line.substr(m_pos, 2) == "0X") {
        base = 16;
        m_pos += 2;
    }
    const size_t digits = m_pos;
    uint64_t value = 0;
    while (m_pos < m_line.size() && IsIdentifierChar(m_line[m_pos])) {
        const int digit = HexDigit(m_line[m_pos]);
        if (digit < 0 || digit >= base)
            return Fail(m_pos, "not a digit in a number");
        if (value > (std::numeric_limits<uint32_t>::max() - digit) / base)
            return Fail(start, "number too large");
        value = value * base + digit;
        ++m_pos;
    }
    if (m_pos == digits)
        return Fail(start, "hexadecimal number without digits");
    token.value = value;
    return true;
}

bool LineLexer::CharLiteral(Token& token) {
    token.kind = TokenKind::Char;
    if (m_pos + 2 >= m_line.size() || m_line[m_pos + 2] != '\'' || m_line[m_pos + 1] < 0x20 ||
        m_line[m_pos + 1] > 0x7E)
        return Fail(m_pos, "a character literal is one printable ASCII character in single quotes");
    token.value = static_cast<unsigned char>(m_line[m_pos + 1]);
    m_pos += 3;
    return true;
}

bool LineLexer::StringLiteral(Token& token) {
    token.kind = TokenKind::String;
    const size_t start = m_pos++;
    while (m_pos < m_line.size() && m_line[m_pos] != '"') {
        const bool raw = m_line[m_pos] == '\\';
        if (token.pieces.empty() || token.pieces.back().raw != raw)
            token.pieces.push_back(StringPiece{raw, {}});
        if (!raw) {
            token.pieces.back().bytes += m_line[m_pos++];
        } else if (!Escape(token.pieces.back())) {
            return false;
        }
    }
    if (m_pos >= m_line.size())
        return Fail(start, "string without its closing quote");
    ++m_pos;
    return true;
}

bool LineLexer::Escape(StringPiece& raw) {
    const size_t at = m_pos++;
    if (m_pos >= m_line.size())
        return Fail(at, "escape at the end of the line");
    const char c = m_line[m_pos++];
    switch (c) {
        case '\\':
        case '"':
            raw.bytes += c;
            return true;
        case 'n':
            raw.bytes += '\n';
            return true;
        case 'r':
            raw.bytes += '\r';
            return true;
        case 't':
            raw.bytes += '\t';
            return true;
        case 'x': {
            const int high = m_pos < m_line.size() ? HexDigit(m_line[m_pos]) : -1;
            const int low = m_pos + 1 < m_line.size() ? HexDigit(m_line[m_pos + 1]) : -1;
            if (high < 0 || low < 0)
                return Fail(at, "\\x takes two hexadecimal digits");
            raw.bytes += static_cast<char>(high * 16 + low);
            m_pos += 2;
            return true;
        }
        default:
            return Fail(at, std::string("unknown escape \\") + c);
    }
}

}  // namespace

std::vector<Token> TokenizeLine(std::string_view line, std::optional<LexError>& error) {
    error.reset();
    return LineLexer(line).Run(error);
}

std::string QuoteRawBytes(std::string_view bytes) {
    std::string out = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte >= 0x20 && byte <= 0x7E) {
            out += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        }
    }
    return out + "\"";
}

}  // namespace mascot
