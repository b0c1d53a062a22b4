#include "script/Instructions.h"

#include <algorithm>
#include <cctype>

namespace mascot {

const InstructionInfo* FindInstruction(std::string_view mnemonic) {
    const auto equalIgnoringCase = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    for (const InstructionInfo& info : kInstructions) {
        if (!info.mnemonic.empty() && info.mnemonic.size() == mnemonic.size() &&
            std::equal(mnemonic.begin(), mnemonic.end(), info.mnemonic.begin(), equalIgnoringCase))
            return &info;
    }
    return nullptr;
}

}  // namespace mascot
