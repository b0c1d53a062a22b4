#include "tools/kqtool/RunOptions.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <cstdint>
#include <limits>

namespace mascot::kqtool {
namespace {

// Longer runs than this are surely a typing error, and the times must not overflow.
constexpr uint64_t kMaxDurationMs = 1'000'000'000;

// A whole decimal number between `min` and `max`, nothing else around it.
std::optional<int64_t> ParseInt(std::string_view text, int64_t min, int64_t max) {
    int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < min || value > max)
        return std::nullopt;
    return value;
}

std::optional<uint64_t> ParseTime(std::string_view text) {
    const auto value = ParseInt(text, 0, static_cast<int64_t>(kMaxDurationMs));
    return value ? std::optional<uint64_t>(static_cast<uint64_t>(*value)) : std::nullopt;
}

// Seconds with up to three decimals, as milliseconds.
std::optional<uint64_t> ParseSeconds(std::string_view text) {
    const size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    if (fraction.size() > 3 || (dot != std::string_view::npos && fraction.empty()))
        return std::nullopt;
    const auto seconds = ParseInt(whole, 0, static_cast<int64_t>(kMaxDurationMs / 1000));
    auto millis = fraction.empty() ? std::optional<int64_t>(0) : ParseInt(fraction, 0, 999);
    if (!seconds || !millis)
        return std::nullopt;
    for (size_t i = fraction.size(); i < 3; ++i)
        *millis *= 10;
    return static_cast<uint64_t>(*seconds * 1000 + *millis);
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at - start));
        if (at == std::string_view::npos)
            return parts;
        start = at + 1;
    }
}

std::optional<Rect> ParseRect(std::string_view text) {
    const std::vector<std::string_view> parts = Split(text, ',');
    if (parts.size() != 4)
        return std::nullopt;
    int32_t v[4] = {};
    for (size_t i = 0; i < 4; ++i) {
        const auto value = ParseInt(parts[i], std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
        if (!value)
            return std::nullopt;
        v[i] = static_cast<int32_t>(*value);
    }
    return Rect{v[0], v[1], v[2], v[3]};
}

// "MS:VALUE" with VALUE between min and max.
bool ParseTimed(std::string_view text, int64_t min, int64_t max, uint64_t& at, int64_t& value) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return false;
    const auto time = ParseTime(text.substr(0, colon));
    const auto parsed = ParseInt(text.substr(colon + 1), min, max);
    if (!time || !parsed)
        return false;
    at = *time;
    value = *parsed;
    return true;
}

// "MS:pos=TEXT,fixed=N,topmost=N,ok" (any of the settings, in any order; OK or Cancel last, OK
// when neither is given).
std::optional<SettingsAnswer> ParseSettings(std::string_view text) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    SettingsAnswer answer;
    const auto time = ParseTime(text.substr(0, colon));
    if (!time)
        return std::nullopt;
    answer.at = *time;
    const std::vector<std::string_view> items = Split(text.substr(colon + 1), ',');
    bool closed = false;
    for (const std::string_view item : items) {
        if (closed)
            return std::nullopt;  // nothing can follow the button that closes the dialog
        if (item == "ok" || item == "cancel") {
            answer.ok = item == "ok";
            closed = true;
        } else if (item.starts_with("pos=")) {
            answer.position = std::string(item.substr(4));
        } else if (item.starts_with("fixed=")) {
            const auto fixed = ParseInt(item.substr(6), 0, 2);
            if (!fixed)
                return std::nullopt;
            answer.fixed = static_cast<int>(*fixed);
        } else if (item.starts_with("topmost=")) {
            const auto topMost = ParseInt(item.substr(8), 0, 1);
            if (!topMost)
                return std::nullopt;
            answer.topMost = static_cast<int>(*topMost);
        } else if (!(item.empty() && items.size() == 1)) {
            return std::nullopt;
        }
    }
    return answer;
}

// An upper-case ASCII word of at most eight characters, as builds name themselves.
bool ValidTag(std::string_view tag) {
    if (tag.empty() || tag.size() > 8)
        return false;
    for (const char c : tag)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

// One option with its value; false with `error` set when the value is wrong.
bool ApplyOption(RunOptions& options, const std::string& name, const std::string& value, std::string& error) {
    constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
    constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();
    uint64_t at = 0;
    int64_t number = 0;
    if (name == "--seconds") {
        const auto ms = ParseSeconds(value);
        if (!ms)
            error = "--seconds takes a number of seconds, such as 10 or 2.5";
        options.durationMs = ms.value_or(0);
    } else if (name == "--seed") {
        const auto seed = ParseInt(value, 0, std::numeric_limits<uint32_t>::max());
        if (!seed)
            error = "--seed takes a number from 0 to 4294967295";
        options.seed = static_cast<uint32_t>(seed.value_or(0));
    } else if (name == "--foreground" || name == "--taskbar") {
        const auto rect = ParseRect(value);
        if (!rect)
            error = name + " takes four integers L,T,R,B";
        else if (name == "--foreground")
            options.foreground = rect;
        else
            options.taskbar = *rect;
    } else if (name == "--tag") {
        if (!ValidTag(value))
            error = "--tag takes an upper-case ASCII word of 1 to 8 letters and digits";
        options.tag = value;
    } else if (name == "--fixed" || name == "--position" || name == "--pattern") {
        const auto setting = ParseInt(value, kInt32Min, kInt32Max);
        if (!setting)
            error = name + " takes an integer";
        const auto v = static_cast<int32_t>(setting.value_or(0));
        (name == "--fixed" ? options.fixed : name == "--position" ? options.position : options.pattern) = v;
    } else if (name == "--click") {
        const auto time = ParseTime(value);
        if (!time)
            error = "--click takes a time in milliseconds";
        options.clicks.push_back(time.value_or(0));
    } else if (name == "--command") {
        if (!ParseTimed(value, 0, 0xFFFF, at, number))
            error = "--command takes MS:ID, with ID from 0 to 65535";
        options.commands.push_back({at, static_cast<uint32_t>(number)});
    } else if (name == "--drag") {
        if (!ParseTimed(value, -100'000, 100'000, at, number))
            error = "--drag takes MS:DX, with DX a number of pixels";
        options.drags.push_back({at, static_cast<int32_t>(number)});
    } else if (name == "--settings") {
        const auto answer = ParseSettings(value);
        if (!answer)
            error = "--settings takes MS:pos=TEXT,fixed=0..2,topmost=0|1,ok|cancel";
        options.settings.push_back(answer.value_or(SettingsAnswer{}));
    } else if (name == "--frames") {
        options.framesDir = value;
    } else if (name == "--dir") {
        options.dir = value;
    } else {
        error = "unknown option '" + name + "'";
    }
    return error.empty();
}

constexpr std::string_view kValueOptions[] = {
    "--seconds", "--seed",    "--foreground", "--taskbar",  "--tag",    "--fixed", "--position",
    "--pattern", "--click",   "--command",    "--drag",     "--settings", "--frames", "--dir",
};

}  // namespace

std::optional<RunOptions> ParseRunOptions(std::span<const std::string> args, std::string& error) {
    RunOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--no-foreground") {
            options.foreground.reset();
            continue;
        }
        if (arg.starts_with("-") && arg.size() > 1) {
            if (std::find(std::begin(kValueOptions), std::end(kValueOptions), arg) == std::end(kValueOptions)) {
                error = "unknown option '" + arg + "'";
                return std::nullopt;
            }
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return std::nullopt;
            }
            if (!ApplyOption(options, arg, args[++i], error))
                return std::nullopt;
            continue;
        }
        if (!options.file.empty()) {
            error = "unexpected argument '" + arg + "'";
            return std::nullopt;
        }
        options.file = arg;
    }
    if (options.file.empty()) {
        error = "no FILE.kq to run";
        return std::nullopt;
    }
    return options;
}

}  // namespace mascot::kqtool
