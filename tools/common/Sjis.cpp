#include "tools/common/Sjis.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

namespace mascot {
namespace {

std::optional<std::string> Convert(const char* to, const char* from, const std::string& input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out(input.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1) || inLeft != 0)
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

std::optional<std::string> TrySjisToUtf8(const std::string& sjis) { return Convert("UTF-8", "CP932", sjis); }

std::optional<std::string> TryUtf8ToSjis(const std::string& utf8) { return Convert("CP932", "UTF-8", utf8); }

std::string SjisToUtf8Lossy(const std::string& sjis) {
    if (auto whole = TrySjisToUtf8(sjis))
        return *whole;
    // Convert character by character: a lead byte with its trail byte, or a single byte.
    std::string out;
    for (size_t i = 0; i < sjis.size();) {
        const auto lead = static_cast<unsigned char>(sjis[i]);
        const bool twoBytes = ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) && i + 1 < sjis.size();
        const size_t length = twoBytes ? 2 : 1;
        if (auto piece = TrySjisToUtf8(sjis.substr(i, length))) {
            out += *piece;
            i += length;
            continue;
        }
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", lead);
        out += escaped;
        ++i;
    }
    return out;
}

}  // namespace mascot
