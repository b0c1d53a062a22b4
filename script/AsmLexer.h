// Splits one line of a pattern's text form into tokens.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mascot {

enum class TokenKind : uint8_t {
    Identifier,  // letters, digits, '_' and '.', not starting with a digit: mnemonics, labels,
                 // variables (v5), special operands (time.ms), directives (.byte)
    Number,      // decimal, or hexadecimal after 0x
    Char,        // 'c': one printable ASCII character, its code as the value
    String,      // "...": text and escapes
    Symbol,      // one of , : ( ) ! < = >
};

// Part of a string literal: text as written (UTF-8), or bytes given by escapes, which are
// stored exactly as they are.
struct StringPiece {
    bool raw = false;
    std::string bytes;
};

struct Token {
    TokenKind kind = TokenKind::Symbol;
    int column = 0;                   // 1-based
    std::string_view text;            // the token as written
    uint64_t value = 0;               // Number and Char
    std::vector<StringPiece> pieces;  // String
};

struct LexError {
    int column = 0;
    std::string message;
};

// Tokens of `line` up to its end or a ';' comment outside a string; nothing and an error when
// the line cannot be split.
std::vector<Token> TokenizeLine(std::string_view line, std::optional<LexError>& error);

// The text form of a string literal for bytes written as they are: printable ASCII stays,
// '"' and '\' are escaped, every other byte becomes \xNN.
std::string QuoteRawBytes(std::string_view bytes);

}  // namespace mascot
