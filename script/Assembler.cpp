#include "script/Assembler.h"

#include <algorithm>
#include <span>

#include "script/AsmLexer.h"
#include "script/Instructions.h"
#include "data/StringChains.h"

namespace mascot {
namespace {

using Tokens = std::span<const Token>;

bool IsSymbol(const Token& token, char symbol) {
    return token.kind == TokenKind::Symbol && token.text.size() == 1 && token.text[0] == symbol;
}

// "v" and up to five digits: the variable number (checked by the caller); nothing for any other
// identifier.
std::optional<uint16_t> VariableNumber(std::string_view name) {
    if (name.size() < 2 || name.size() > 6 || name[0] != 'v')
        return std::nullopt;
    uint32_t number = 0;
    for (const char c : name.substr(1)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return static_cast<uint16_t>(std::min<uint32_t>(number, 0xFFFF));
}

std::optional<uint16_t> SpecialOperandWord(std::string_view name) {
    for (const SpecialOperand& special : kSpecialOperands) {
        if (special.name == name)
            return special.word;
    }
    return std::nullopt;
}

struct Fixup {
    uint32_t at = 0;
    std::string label;
    int line = 0;
    int column = 0;
};

class PatternAssembler {
public:
    explicit PatternAssembler(const AsmOptions& options) : m_options(options) {}

    AsmOutput Run(std::string_view source);

private:
    void Line(std::string_view text);
    void Statement(Tokens tokens);
    void ByteDirective(const Token& directive, Tokens operands);
    void Instruction(const InstructionInfo& info, const Token& mnemonic, Tokens operands);
    bool Operand(OperandKind kind, Tokens tokens, int column, bool isName);
    bool ByteValue(OperandKind kind, Tokens tokens, int column);
    bool OperandWord(Tokens tokens, int column);
    bool DestWord(Tokens tokens, int column);
    bool TargetValue(Tokens tokens, int column);
    std::optional<uint16_t> RawWord(Tokens tokens, int column);
    bool StringValue(Tokens tokens, int column, bool isName);
    std::optional<std::string> StringBytes(const Token& token);
    void ResolveFixups();

    bool Error(int column, std::string message) {
        m_out.errors.push_back(AsmError{m_options.fileName, m_line, column, std::move(message)});
        return false;
    }
    void Emit8(uint32_t value) { m_code.push_back(static_cast<uint8_t>(value)); }
    void Emit16(uint32_t value) {
        Emit8(value);
        Emit8(value >> 8);
    }
    void Emit32(uint32_t value) {
        Emit16(value);
        Emit16(value >> 16);
    }

    const AsmOptions& m_options;
    AsmOutput m_out;
    std::vector<uint8_t> m_code;  // the statement being assembled
    std::vector<Fixup> m_fixups;
    int m_line = 0;
    bool m_sawStatement = false;
};

AsmOutput PatternAssembler::Run(std::string_view source) {
    while (!source.empty() || m_line == 0) {
        const size_t end = std::min(source.find('\n'), source.size());
        std::string_view text = source.substr(0, end);
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        ++m_line;
        Line(text);
        source.remove_prefix(std::min(end + 1, source.size()));
    }
    if (!m_sawStatement)
        Error(1, "empty pattern: a pattern begins with its Name instruction");
    ResolveFixups();
    return std::move(m_out);
}

void PatternAssembler::Line(std::string_view text) {
    std::optional<LexError> lexError;
    std::vector<Token> tokens = TokenizeLine(text, lexError);
    if (lexError) {
        Error(lexError->column, lexError->message);
        return;
    }
    Tokens rest(tokens);
    if (rest.size() >= 2 && rest[0].kind == TokenKind::Identifier && IsSymbol(rest[1], ':')) {
        const std::string name(rest[0].text);
        if (m_out.LabelOffset(name))
            Error(rest[0].column, "label '" + name + "' is already defined");
        else
            m_out.labels.push_back(AsmLabel{name, static_cast<uint32_t>(m_out.code.size())});
        rest = rest.subspan(2);
    }
    if (!rest.empty())
        Statement(rest);
}

void PatternAssembler::Statement(Tokens tokens) {
    const Token& head = tokens[0];
    if (head.kind != TokenKind::Identifier) {
        Error(head.column, "expected an instruction name or a label");
        return;
    }
    m_code.clear();
    const auto offset = static_cast<uint32_t>(m_out.code.size());
    const bool first = !m_sawStatement;
    m_sawStatement = true;
    if (head.text == ".byte") {
        ByteDirective(head, tokens.subspan(1));
    } else if (const InstructionInfo* info = FindInstruction(head.text)) {
        if (first && info->opcode != static_cast<uint8_t>(Opcode::Name))
            Error(head.column, "a pattern begins with its Name instruction");
        Instruction(*info, head, tokens.subspan(1));
    } else {
        Error(head.column, "unknown instruction '" + std::string(head.text) + "'");
        return;
    }
    m_out.lines.push_back(AsmLine{offset, m_line});
    m_out.code.insert(m_out.code.end(), m_code.begin(), m_code.end());
}

void PatternAssembler::ByteDirective(const Token& directive, Tokens operands) {
    for (size_t i = 0; i < operands.size(); i += 2) {
        const Token& token = operands[i];
        if (token.kind != TokenKind::Number || token.value > 0xFF) {
            Error(token.column, ".byte takes numbers from 0 to 255");
            return;
        }
        Emit8(static_cast<uint32_t>(token.value));
        if (i + 1 < operands.size() && !IsSymbol(operands[i + 1], ',')) {
            Error(operands[i + 1].column, "expected ',' between bytes");
            return;
        }
    }
    if (operands.empty() || IsSymbol(operands.back(), ','))
        Error(directive.column, ".byte needs at least one byte and no trailing ','");
}

void PatternAssembler::Instruction(const InstructionInfo& info, const Token& mnemonic, Tokens operands) {
    Emit8(info.opcode);
    // Split the operands at the commas.
    std::vector<Tokens> groups;
    size_t start = 0;
    for (size_t i = 0; i <= operands.size(); ++i) {
        if (i == operands.size() || IsSymbol(operands[i], ',')) {
            if (i > start || i < operands.size())
                groups.push_back(operands.subspan(start, i - start));
            start = i + 1;
        }
    }
    const int expected = info.OperandCount();
    if (static_cast<int>(groups.size()) != expected) {
        Error(mnemonic.column, std::string(info.mnemonic) + " takes " + std::to_string(expected) +
                                   " operand" + (expected == 1 ? "" : "s") + ", not " +
                                   std::to_string(groups.size()));
        return;
    }
    const bool isName = info.opcode == static_cast<uint8_t>(Opcode::Name);
    for (int i = 0; i < expected; ++i) {
        const int column = groups[i].empty() ? mnemonic.column : groups[i][0].column;
        if (groups[i].empty()) {
            Error(column, "missing operand");
            return;
        }
        if (!Operand(info.operands[i], groups[i], column, isName))
            return;
    }
}

bool PatternAssembler::Operand(OperandKind kind, Tokens tokens, int column, bool isName) {
    switch (kind) {
        case OperandKind::Byte:
        case OperandKind::Cmp:
            return ByteValue(kind, tokens, column);
        case OperandKind::Dword:
            if (tokens.size() != 1 || tokens[0].kind != TokenKind::Number)
                return Error(column, "expected a number");
            Emit32(static_cast<uint32_t>(tokens[0].value));
            return true;
        case OperandKind::Target:
            return TargetValue(tokens, column);
        case OperandKind::Op:
            return OperandWord(tokens, column);
        case OperandKind::Dest:
            return DestWord(tokens, column);
        case OperandKind::Str:
            return StringValue(tokens, column, isName);
        case OperandKind::None:
            break;
    }
    return Error(column, "unexpected operand");
}

bool PatternAssembler::ByteValue(OperandKind kind, Tokens tokens, int column) {
    if (tokens.size() == 1 && (tokens[0].kind == TokenKind::Number || tokens[0].kind == TokenKind::Char) &&
        tokens[0].value <= 0xFF) {
        Emit8(static_cast<uint32_t>(tokens[0].value));
        return true;
    }
    if (kind == OperandKind::Cmp && tokens.size() == 1 && tokens[0].kind == TokenKind::Symbol &&
        std::string_view("!<=>").find(tokens[0].text[0]) != std::string_view::npos) {
        Emit8(static_cast<uint8_t>(tokens[0].text[0]));
        return true;
    }
    if (kind == OperandKind::Cmp)
        return Error(column, "expected a comparison: !, <, =, > or a byte number");
    return Error(column, "expected a byte: a number from 0 to 255 or a character such as 'b'");
}

bool PatternAssembler::OperandWord(Tokens tokens, int column) {
    const Token& token = tokens[0];
    if (tokens.size() == 1 && token.kind == TokenKind::Number) {
        if (token.value > kMaxLiteral)
            return Error(column, "a literal is at most 32767; larger values need a variable");
        Emit16(static_cast<uint32_t>(token.value));
        return true;
    }
    if (tokens.size() == 1 && token.kind == TokenKind::Identifier) {
        if (const auto number = VariableNumber(token.text)) {
            if (*number >= 100)
                return Error(column, "variables are v0 to v99");
            Emit16(kVariableFlag | *number);
            return true;
        }
        if (const auto word = SpecialOperandWord(token.text)) {
            Emit16(*word);
            return true;
        }
    }
    if (const auto raw = RawWord(tokens, column)) {
        Emit16(*raw);
        return true;
    }
    return Error(column,
                 "expected an operand: a number, v0 to v99, a special operand such as time.ms, "
                 "or raw(word)");
}

bool PatternAssembler::DestWord(Tokens tokens, int column) {
    if (tokens.size() == 1 && tokens[0].kind == TokenKind::Identifier) {
        if (const auto number = VariableNumber(tokens[0].text)) {
            if (*number >= 100)
                return Error(column, "variables are v0 to v99");
            Emit16(kVariableFlag | *number);
            return true;
        }
    }
    if (const auto raw = RawWord(tokens, column)) {
        Emit16(*raw);
        return true;
    }
    return Error(column, "expected a variable v0 to v99, or raw(word)");
}

// raw(N): the stored 16-bit word N as it is.
std::optional<uint16_t> PatternAssembler::RawWord(Tokens tokens, int column) {
    if (tokens.size() != 4 || tokens[0].kind != TokenKind::Identifier || tokens[0].text != "raw")
        return std::nullopt;
    if (!IsSymbol(tokens[1], '(') || tokens[2].kind != TokenKind::Number || !IsSymbol(tokens[3], ')'))
        return std::nullopt;
    if (tokens[2].value > 0xFFFF) {
        Error(column, "raw() takes a 16-bit word");
        return std::nullopt;
    }
    return static_cast<uint16_t>(tokens[2].value);
}

bool PatternAssembler::TargetValue(Tokens tokens, int column) {
    if (tokens.size() != 1 ||
        (tokens[0].kind != TokenKind::Number && tokens[0].kind != TokenKind::Identifier))
        return Error(column, "expected a label or a byte offset");
    if (tokens[0].kind == TokenKind::Number) {
        Emit32(static_cast<uint32_t>(tokens[0].value));
        return true;
    }
    // The statement's own bytes are appended after the code assembled so far.
    const auto at = static_cast<uint32_t>(m_out.code.size() + m_code.size());
    m_fixups.push_back(Fixup{at, std::string(tokens[0].text), m_line, column});
    Emit32(0);
    return true;
}

bool PatternAssembler::StringValue(Tokens tokens, int column, bool isName) {
    if (tokens.size() != 1 || tokens[0].kind != TokenKind::String)
        return Error(column, "expected a string in double quotes");
    const std::optional<std::string> text = StringBytes(tokens[0]);
    if (!text)
        return false;
    if (text->size() > kMaxStringLength)
        return Error(column, "string of " + std::to_string(text->size()) + " bytes; at most 255 fit");
    const auto length = static_cast<uint16_t>(text->size());
    Emit16(length);
    const std::span<const uint8_t> plain(reinterpret_cast<const uint8_t*>(text->data()), text->size());
    if (m_options.version < kFirstScrambledVersion) {
        m_code.insert(m_code.end(), plain.begin(), plain.end());
        return true;
    }
    // Scrambled strings take one stored byte even when empty: the interpreter reads it.
    std::vector<uint8_t> stored(std::max<size_t>(plain.size(), 1), 0);
    const auto key = static_cast<uint8_t>(length & 0xFF);
    if (isName)
        EncodeNameChain(plain, key, stored);
    else
        EncodeScriptChain(plain, key, stored);
    m_code.insert(m_code.end(), stored.begin(), stored.end());
    return true;
}

std::optional<std::string> PatternAssembler::StringBytes(const Token& token) {
    std::string bytes;
    for (const StringPiece& piece : token.pieces) {
        if (piece.raw || !m_options.encode) {
            bytes += piece.bytes;
            continue;
        }
        const std::optional<std::string> encoded = m_options.encode(piece.bytes);
        if (!encoded) {
            Error(token.column, "the string has a character that Shift-JIS cannot store");
            return std::nullopt;
        }
        bytes += *encoded;
    }
    return bytes;
}

void PatternAssembler::ResolveFixups() {
    for (const Fixup& fixup : m_fixups) {
        const std::optional<uint32_t> offset = m_out.LabelOffset(fixup.label);
        if (!offset) {
            m_out.errors.push_back(AsmError{m_options.fileName, fixup.line, fixup.column,
                                            "unknown label '" + fixup.label + "'"});
            continue;
        }
        for (int i = 0; i < 4; ++i)
            m_out.code[fixup.at + i] = static_cast<uint8_t>(*offset >> (8 * i));
    }
    std::sort(m_out.errors.begin(), m_out.errors.end(), [](const AsmError& a, const AsmError& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
}

}  // namespace

std::string AsmError::ToString() const {
    return file + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + message;
}

std::optional<uint32_t> AsmOutput::LabelOffset(std::string_view name) const {
    for (const AsmLabel& label : labels) {
        if (label.name == name)
            return label.offset;
    }
    return std::nullopt;
}

int AsmOutput::LineOf(uint32_t offset) const {
    int line = 0;
    for (const AsmLine& mark : lines) {
        if (mark.offset > offset)
            break;
        line = mark.line;
    }
    return line;
}

AsmOutput Assemble(std::string_view source, const AsmOptions& options) {
    return PatternAssembler(options).Run(source);
}

}  // namespace mascot
