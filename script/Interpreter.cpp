#include "script/Interpreter.h"

#include <optional>

#include "app/Random.h"
#include "script/Instructions.h"
#include "script/ScriptReader.h"

namespace mascot {
namespace {

// An instruction's operands as the table decodes them: bytes, dwords and words widened, and for
// a string operand its length (the text itself stays in the reader).
struct Operands {
    uint32_t v[kMaxOperands] = {};
    uint16_t U16(int i) const { return static_cast<uint16_t>(v[i]); }
    uint8_t U8(int i) const { return static_cast<uint8_t>(v[i]); }
};

bool Compare(uint16_t a, uint8_t code, uint16_t b) {
    switch (code) {
        case kCmpNotEqual:
            return a != b;
        case kCmpLess:
            return a < b;
        case kCmpEqual:
            return a == b;
        case kCmpGreater:
            return a > b;
        default:
            return false;  // an unknown code never jumps
    }
}

// One run of the current pattern.
class Run {
public:
    Run(ScriptState& state, ScriptHost& host) : m_state(state), m_host(host), m_reader(state, host) {}

    RunEnd Execute(uint32_t budget);

private:
    bool Decode(const InstructionInfo& info, Operands& ops);
    std::optional<RunEnd> Step(Opcode opcode, const Operands& ops);
    std::optional<RunEnd> JumpTo(uint32_t target);
    RunEnd Wait(uint32_t ms);
    void Calculate(Opcode opcode, uint16_t dest, uint16_t value);

    ScriptState& m_state;
    ScriptHost& m_host;
    ScriptReader m_reader;
};

RunEnd Run::Execute(uint32_t budget) {
    for (uint32_t fetched = 0; fetched < budget; ++fetched) {
        const size_t start = m_reader.Pc();
        const uint8_t opcode = m_reader.FetchByte();
        if (!IsInstruction(opcode)) {
            if (m_reader.Failed()) {
                m_state.m_pc = static_cast<int32_t>(start);
                return RunEnd::OutOfPattern;
            }
            continue;  // bytes that are no opcode are skipped one at a time
        }
        Operands ops;
        if (!Decode(kInstructions[opcode], ops)) {
            m_state.m_pc = static_cast<int32_t>(start);
            return RunEnd::OutOfPattern;
        }
        if (const std::optional<RunEnd> end = Step(static_cast<Opcode>(opcode), ops)) {
            if (IsFault(*end))
                m_state.m_pc = static_cast<int32_t>(start);
            else if (*end != RunEnd::ChangePattern)  // SelectPattern has set the new pattern's start
                m_state.m_pc = static_cast<int32_t>(m_reader.Pc());
            return *end;
        }
    }
    m_state.m_pc = static_cast<int32_t>(m_reader.Pc());
    return RunEnd::Budget;
}

// Reads the operands left to right, as the table lists them, so that operand -12 refreshes the
// clock for the operands after it and each -4 draws a new number.
bool Run::Decode(const InstructionInfo& info, Operands& ops) {
    for (int i = 0; i < kMaxOperands; ++i) {
        switch (info.operands[i]) {
            case OperandKind::None:
                return !m_reader.Failed();
            case OperandKind::Byte:
            case OperandKind::Cmp:
                ops.v[i] = m_reader.FetchByte();
                break;
            case OperandKind::Dword:
            case OperandKind::Target:
                ops.v[i] = m_reader.FetchDword();
                break;
            case OperandKind::Op:
                ops.v[i] = m_reader.ReadOperand();
                break;
            case OperandKind::Dest:
                ops.v[i] = m_reader.FetchWord() & kDestVariableMask;
                break;
            case OperandKind::Str:
                ops.v[i] = m_reader.ReadString();
                break;
        }
    }
    return !m_reader.Failed();
}

std::optional<RunEnd> Run::Step(Opcode opcode, const Operands& ops) {
    switch (opcode) {
        case Opcode::MakeShape:
            m_reader.SetVariable(0, m_host.MakeShape(ops.U8(0), ops.U16(1)));
            break;
        case Opcode::SetShape:
            m_host.SetShape(ops.U16(0));
            break;
        case Opcode::Remark:
        case Opcode::Name:
        case Opcode::AltTarget:
        case Opcode::ClearAltTarget:
            break;
        case Opcode::Let:
        case Opcode::Add:
        case Opcode::Sub:
        case Opcode::And:
        case Opcode::Or:
        case Opcode::Mod:
            Calculate(opcode, ops.U16(0), ops.U16(1));
            break;
        case Opcode::Draw:
            m_host.Draw(ops.U16(0));
            break;
        case Opcode::Wait:
            return Wait(ops.U16(0));
        case Opcode::WaitRandom:
            // b = 0 would divide by zero: wait a alone.
            return Wait(ops.U16(1) == 0 ? ops.U16(0)
                                        : static_cast<uint16_t>(ops.U16(0) + Rand() % ops.U16(1)));
        case Opcode::PlayFile:
            m_host.PlayFile(m_reader.String());
            break;
        case Opcode::PlaySound:
            m_host.PlaySound(ops.U16(0));
            break;
        case Opcode::If:
            if (Compare(ops.U16(0), ops.U8(1), ops.U16(2)))
                return JumpTo(ops.v[3]);
            break;
        case Opcode::Goto:
            return JumpTo(ops.v[0]);
        case Opcode::SetPosition:
            m_host.SetPosition(ops.U16(0));
            return RunEnd::SetPosition;
        case Opcode::ChangePattern:
            SelectPattern(m_state, m_host, ops.U16(0));
            return RunEnd::ChangePattern;
        case Opcode::SetHeight:
            m_host.SetHeight(ops.U16(0));
            break;
        case Opcode::IfAutoOff:
            if (!m_host.AutoAnimation())
                return JumpTo(ops.v[0]);
            break;
        case Opcode::ClearClick:
            m_state.m_clickTarget = kNoClickHandler;
            break;
        case Opcode::OnClick:
            // Kept as it is; a handler outside the pattern halts when a click runs it.
            m_state.m_clickTarget = static_cast<int32_t>(ops.v[0]);
            break;
        case Opcode::Launch:
            m_host.Launch(m_reader.String());
            break;
        case Opcode::Text:
            m_host.Text(ops.U16(0), ops.U16(1), m_reader.String());
            break;
        case Opcode::Font:
            m_state.m_pFont.reset();
            m_state.m_pFont = m_host.CreateScriptFont(ops.U16(0), m_reader.String());
            break;
        case Opcode::ReadSetting:
            m_reader.SetVariable(ops.U16(1), m_host.ReadSetting(m_reader.String(), ops.U16(2)));
            break;
        case Opcode::WriteProfile:
            m_host.WriteProfile(m_reader.String(), ops.U16(1));
            break;
        case Opcode::Palette:
            m_host.Palette(ops.U8(0), ops.U16(1));
            break;
    }
    return std::nullopt;
}

std::optional<RunEnd> Run::JumpTo(uint32_t target) {
    if (!m_reader.Contains(target))
        return RunEnd::BadJump;
    m_reader.Jump(target);
    return std::nullopt;
}

RunEnd Run::Wait(uint32_t ms) {
    m_host.SetTimer(kTimerScript, ms);
    m_state.m_bTimerArmed = true;
    return RunEnd::Wait;
}

// Arithmetic on unsigned 16-bit variables, keeping the low 16 bits of each result.
void Run::Calculate(Opcode opcode, uint16_t dest, uint16_t value) {
    const uint16_t current = m_reader.Variable(dest);
    uint16_t result = value;
    switch (opcode) {
        case Opcode::Add:
            result = static_cast<uint16_t>(current + value);
            break;
        case Opcode::Sub:
            result = static_cast<uint16_t>(current - value);
            break;
        case Opcode::And:
            result = current & value;
            break;
        case Opcode::Or:
            result = current | value;
            break;
        case Opcode::Mod:
            result = value == 0 ? current : current % value;  // by 0: the variable stays
            break;
        default:  // Let
            break;
    }
    m_reader.SetVariable(dest, result);
}

// Clamps a pattern choice to 0 (random) .. count.
int32_t ClampChoice(int32_t n, uint16_t count) {
    if (n < 0)
        return 0;
    return n > count ? count : n;
}

// Makes the chosen pattern current at its first byte: pattern n, or a random one for n = 0.
void MakeCurrent(ScriptState& state, const ScriptHost& host, int32_t choice) {
    const uint16_t count = host.PatternCount();
    state.m_pc = 0;
    state.m_patternIndex = kNoPattern;
    state.m_pCode = {};
    if (count == 0)
        return;
    const int32_t index = choice != 0 ? choice - 1 : Rand() % count;
    if (const auto code = host.PatternCode(static_cast<uint16_t>(index))) {
        state.m_patternIndex = index;
        state.m_pCode = *code;
    }
}

}  // namespace

const char* RunEndName(RunEnd end) {
    switch (end) {
        case RunEnd::Wait:
            return "wait";
        case RunEnd::SetPosition:
            return "halted after SetPosition";
        case RunEnd::ChangePattern:
            return "pattern changed";
        case RunEnd::NoPattern:
            return "no pattern";
        case RunEnd::OutOfPattern:
            return "left the pattern's bytes";
        case RunEnd::BadJump:
            return "jump outside the pattern";
        case RunEnd::Budget:
            return "ran too long without waiting";
    }
    return "?";
}

RunEnd RunScript(ScriptState& state, ScriptHost& host, uint32_t budget) {
    if (state.m_pCode.empty())
        return RunEnd::NoPattern;
    if (state.m_pc < 0 || static_cast<size_t>(state.m_pc) >= state.m_pCode.size())
        return RunEnd::OutOfPattern;
    return Run(state, host).Execute(budget);
}

void SelectPattern(ScriptState& state, ScriptHost& host, int32_t n) {
    if (n >= kPatternCommandBase)
        n -= kPatternCommandBase;
    state.m_patternChoice = ClampChoice(n, host.PatternCount());
    MakeCurrent(state, host, state.m_patternChoice);
    host.FreeRegionSlots();
    state.m_pFont.reset();
    host.KillTimer(kTimerScript);
    host.SetTimer(kTimerScript, kPatternStartDelay);
    state.m_bTimerArmed = true;
    host.PatternSelected(state.m_patternIndex, state.m_patternChoice);
}

void SelectInitialPattern(ScriptState& state, ScriptHost& host, int32_t setting) {
    state.m_patternChoice = ClampChoice(setting, host.PatternCount());
    MakeCurrent(state, host, state.m_patternChoice);
    host.PatternSelected(state.m_patternIndex, state.m_patternChoice);
}

}  // namespace mascot
