#include "script/CodeCheck.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "script/InstructionDecoder.h"

namespace mascot {
namespace {

constexpr uint16_t kSoundCount = 5;
constexpr uint16_t kRegionSlotCount = 16;
constexpr uint32_t kNoTarget = 0xFFFFFFFF;  // OnClick -1 clears the handler

bool IsInvalidOperand(uint32_t word) {
    if (word == kOperandUnused)
        return true;
    return word >= kVariableFlag && word < kFirstSpecialOperand &&
           (word & kOperandVariableMask) >= kVariableCount;
}

class PatternChecker {
public:
    PatternChecker(std::span<const uint8_t> code, const CodeCheckOptions& options)
        : m_code(code), m_options(options), m_all(DecodeAll(code, options.version)) {
        for (size_t i = 0; i < m_all.size(); ++i)
            m_index[m_all[i].offset] = i;
    }

    std::vector<CodeFinding> Run();

private:
    static constexpr size_t kNone = static_cast<size_t>(-1);

    void CheckName();
    void CheckInstruction(const DecodedInstruction& instruction);
    void CheckLiteral(const DecodedInstruction& instruction, int operand);
    void CheckTarget(const DecodedInstruction& instruction, uint32_t target);
    size_t Lookup(uint32_t target) const;
    std::vector<size_t> Successors(size_t node) const;
    std::vector<size_t> EntryPoints() const;
    void CheckFlow();
    void Report(uint32_t offset, CodeProblem problem, std::string message) {
        m_findings.push_back(CodeFinding{offset, problem, std::move(message)});
    }

    std::span<const uint8_t> m_code;
    const CodeCheckOptions& m_options;
    std::vector<DecodedInstruction> m_all;
    std::map<uint32_t, size_t> m_index;  // instruction offset -> position in m_all
    std::vector<CodeFinding> m_findings;
};

std::vector<CodeFinding> PatternChecker::Run() {
    CheckName();
    for (const DecodedInstruction& instruction : m_all)
        CheckInstruction(instruction);
    CheckFlow();
    std::stable_sort(m_findings.begin(), m_findings.end(),
                     [](const CodeFinding& a, const CodeFinding& b) { return a.offset < b.offset; });
    return std::move(m_findings);
}

// The pattern menu reads the name at fixed places: opcode 16 first, then a plain length.
void PatternChecker::CheckName() {
    if (m_all.empty() || m_all[0].opcode != static_cast<uint8_t>(Opcode::Name))
        Report(0, CodeProblem::MissingName, "the pattern does not begin with Name");
    else if (m_all[0].status == DecodeStatus::VariableLength)
        Report(0, CodeProblem::MissingName, "the name's length is not a plain number");
}

void PatternChecker::CheckInstruction(const DecodedInstruction& instruction) {
    if (instruction.status == DecodeStatus::Truncated) {
        Report(instruction.offset, CodeProblem::Truncated,
               std::string(instruction.Info().mnemonic) + " runs past the end of the pattern");
        return;
    }
    if (instruction.status == DecodeStatus::VariableLength) {
        Report(instruction.offset, CodeProblem::VariableLength,
               std::string(instruction.Info().mnemonic) +
                   ": string length from a variable; the rest of the pattern is not checked");
        return;
    }
    if (instruction.status != DecodeStatus::Instruction)
        return;
    const InstructionInfo& info = instruction.Info();
    for (int i = 0; i < info.OperandCount(); ++i) {
        const uint32_t value = instruction.values[i];
        const std::string where = std::string(info.mnemonic) + " operand " + std::to_string(i + 1);
        switch (info.operands[i]) {
            case OperandKind::Op:
                if (IsInvalidOperand(value))
                    Report(instruction.offset, CodeProblem::InvalidVariable, where + ": invalid variable");
                else
                    CheckLiteral(instruction, i);
                break;
            case OperandKind::Dest:
                if ((value & kDestVariableMask) >= kVariableCount)
                    Report(instruction.offset, CodeProblem::InvalidVariable, where + ": invalid variable");
                break;
            case OperandKind::Str:
                if (value > kMaxStringLength)
                    Report(instruction.offset, CodeProblem::LongString,
                           where + ": " + std::to_string(value) + " bytes; at most 255 fit");
                break;
            case OperandKind::Target:
                CheckTarget(instruction, value);
                break;
            default:
                break;
        }
    }
}

// Literal numbers that name sounds, images, slots and patterns that do not exist.
void PatternChecker::CheckLiteral(const DecodedInstruction& instruction, int operand) {
    const uint32_t value = instruction.values[operand];
    if (value > kMaxLiteral)
        return;
    const auto opcode = static_cast<Opcode>(instruction.opcode);
    const std::string name(instruction.Info().mnemonic);
    if (opcode == Opcode::PlaySound && value >= kSoundCount) {
        Report(instruction.offset, CodeProblem::SoundIndex,
               name + ": sound " + std::to_string(value) + " does not exist (0 to 4)");
    } else if (opcode == Opcode::SetShape && value >= kRegionSlotCount) {
        Report(instruction.offset, CodeProblem::MissingSlot,
               name + ": slot " + std::to_string(value) + " does not exist (0 to 15)");
    } else if (opcode == Opcode::ChangePattern && m_options.patternCount && value > *m_options.patternCount) {
        // 0 chooses at random; menu command numbers from 32780 on cannot be literals.
        Report(instruction.offset, CodeProblem::MissingPattern,
               name + ": pattern " + std::to_string(value) + " does not exist (" +
                   std::to_string(*m_options.patternCount) + " patterns)");
    } else if (m_options.imageCount && value >= *m_options.imageCount &&
               (opcode == Opcode::Draw || ((opcode == Opcode::MakeShape || opcode == Opcode::Palette) &&
                                           operand == 1 && instruction.values[0] == 'b'))) {
        Report(instruction.offset, CodeProblem::MissingImage,
               name + ": image " + std::to_string(value) + " does not exist (" +
                   std::to_string(*m_options.imageCount) + " images)");
    }
}

void PatternChecker::CheckTarget(const DecodedInstruction& instruction, uint32_t target) {
    if (instruction.opcode == static_cast<uint8_t>(Opcode::OnClick) && target == kNoTarget)
        return;
    const std::string name(instruction.Info().mnemonic);
    if (target >= m_code.size())
        Report(instruction.offset, CodeProblem::TargetOutside,
               name + ": target " + std::to_string(target) + " lies outside the pattern");
    else if (Lookup(target) == kNone)
        Report(instruction.offset, CodeProblem::UnknownTarget,
               name + ": target " + std::to_string(target) + " is not the start of an instruction");
}

// The position of the instruction that starts at `target`, or kNone.
size_t PatternChecker::Lookup(uint32_t target) const {
    const auto found = m_index.find(target);
    return found == m_index.end() ? kNone : found->second;
}

// Where execution can go after a node; m_all.size() stands for the end of the pattern. Nodes
// that end the run have none: the next run starts from an entry point.
std::vector<size_t> PatternChecker::Successors(size_t node) const {
    const DecodedInstruction& instruction = m_all[node];
    if (instruction.status == DecodeStatus::NotAnOpcode)
        return {node + 1};
    if (instruction.status != DecodeStatus::Instruction)
        return {};
    std::vector<size_t> next;
    const InstructionInfo& info = instruction.Info();
    if (info.flow == Flow::Next || info.flow == Flow::Branch)
        next.push_back(node + 1);
    const bool unknownCode =
        instruction.opcode == static_cast<uint8_t>(Opcode::If) &&
        std::string_view("!<=>").find(static_cast<char>(instruction.values[1])) == std::string_view::npos;
    if ((info.flow == Flow::Jump || info.flow == Flow::Branch) && !unknownCode) {
        const int target = instruction.opcode == static_cast<uint8_t>(Opcode::If) ? 3 : 0;
        if (const size_t index = Lookup(instruction.values[target]); index != kNone)
            next.push_back(index);
    }
    return next;
}

// Where runs start: the pattern's beginning, every click handler and the resumption after
// every wait.
std::vector<size_t> PatternChecker::EntryPoints() const {
    std::vector<size_t> entries;
    if (!m_all.empty())
        entries.push_back(0);
    for (size_t i = 0; i < m_all.size(); ++i) {
        const DecodedInstruction& instruction = m_all[i];
        if (instruction.status != DecodeStatus::Instruction)
            continue;
        const auto opcode = static_cast<Opcode>(instruction.opcode);
        if (opcode == Opcode::OnClick && Lookup(instruction.values[0]) != kNone)
            entries.push_back(Lookup(instruction.values[0]));
        if ((opcode == Opcode::Wait || opcode == Opcode::WaitRandom) && i + 1 < m_all.size())
            entries.push_back(i + 1);
    }
    return entries;
}

// A depth-first walk from every entry point: an edge back to a node still on the walk closes a
// loop that no yielding instruction interrupts, since those have no successors.
void PatternChecker::CheckFlow() {
    enum Colour : uint8_t { kUnseen, kOnPath, kDone };
    std::vector<Colour> colour(m_all.size(), kUnseen);
    struct Frame {
        size_t node;
        std::vector<size_t> next;
        size_t visited = 0;
    };
    for (const size_t entry : EntryPoints()) {
        if (colour[entry] != kUnseen)
            continue;
        std::vector<Frame> path{Frame{entry, Successors(entry)}};
        colour[entry] = kOnPath;
        while (!path.empty()) {
            Frame& top = path.back();
            if (top.visited == top.next.size()) {
                colour[top.node] = kDone;
                path.pop_back();
                continue;
            }
            const size_t next = top.next[top.visited++];
            const uint32_t offset = m_all[top.node].offset;
            if (next == m_all.size()) {
                Report(offset, CodeProblem::RunsOffTheEnd, "execution continues past the end of the pattern");
            } else if (colour[next] == kOnPath) {
                Report(offset, CodeProblem::EndlessLoop,
                       "loop back to offset " + std::to_string(m_all[next].offset) +
                           " passes no Wait, WaitRandom, SetPosition or ChangePattern");
            } else if (colour[next] == kUnseen) {
                colour[next] = kOnPath;
                path.push_back(Frame{next, Successors(next)});
            }
        }
    }
}

}  // namespace

const char* CodeProblemName(CodeProblem problem) {
    switch (problem) {
        case CodeProblem::MissingName:
            return "missing-name";
        case CodeProblem::Truncated:
            return "truncated";
        case CodeProblem::VariableLength:
            return "variable-length";
        case CodeProblem::UnknownTarget:
            return "unknown-target";
        case CodeProblem::TargetOutside:
            return "target-outside";
        case CodeProblem::InvalidVariable:
            return "invalid-variable";
        case CodeProblem::SoundIndex:
            return "sound-index";
        case CodeProblem::MissingImage:
            return "missing-image";
        case CodeProblem::MissingSlot:
            return "missing-slot";
        case CodeProblem::MissingPattern:
            return "missing-pattern";
        case CodeProblem::LongString:
            return "long-string";
        case CodeProblem::RunsOffTheEnd:
            return "runs-off-the-end";
        case CodeProblem::EndlessLoop:
            return "endless-loop";
    }
    return "?";
}

std::vector<CodeFinding> CheckPattern(std::span<const uint8_t> code, const CodeCheckOptions& options) {
    return PatternChecker(code, options).Run();
}

}  // namespace mascot
