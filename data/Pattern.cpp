#include "data/Pattern.h"

#include <algorithm>

#include "data/ByteReader.h"
#include "data/ContainerLayout.h"
#include "data/StringChains.h"

namespace mascot {

using namespace layout;

std::optional<Pattern> Pattern::At(std::span<const uint8_t> container, uint64_t start, uint16_t version) {
    auto code = ByteReader(container).TailAt(start);
    if (!code || code->empty())
        return std::nullopt;
    Pattern pattern;
    pattern.m_code = *code;
    pattern.m_start = start;
    pattern.m_version = version;
    return pattern;
}

bool Pattern::StartsWithName() const {
    return m_code[0] == kNameOpcode;
}

std::optional<uint16_t> Pattern::NameLength() const {
    return ByteReader(m_code).U16At(kPatNameLength).ToOptional();
}

std::optional<std::span<const uint8_t>> Pattern::StoredName() const {
    const auto length = NameLength();
    if (!length)
        return std::nullopt;
    return ByteReader(m_code).BytesAt(kPatNameBytes, *length).ToOptional();
}

std::optional<std::string> Pattern::Name() const {
    const auto stored = StoredName();
    if (!stored || stored->size() > kMaxNameLength)
        return std::nullopt;
    std::string name;
    if (StringsScrambled(m_version)) {
        const std::vector<uint8_t> plain = DecodePatternNameChain(*stored);
        name.assign(plain.begin(), plain.end());
    } else {
        name.assign(stored->begin(), stored->end());
    }
    name.erase(std::find(name.begin(), name.end(), '\0'), name.end());
    return name;
}

}  // namespace mascot
