#include "tools/kqtool/RunOptions.h"

#include <charconv>
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
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
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
        const auto value =
            ParseInt(parts[i], std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
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

// An option that takes a value: how it changes the options (false when the value is wrong), and
// what it takes, for the message.
struct ValueOption {
    std::string_view name;
    bool (*apply)(RunOptions& options, std::string_view value);
    const char* takes;
};

// Stores a parsed value; false, leaving `to` alone, when there is none.
template <typename T, typename U>
bool Store(const std::optional<T>& value, U& to) {
    if (!value)
        return false;
    to = static_cast<U>(*value);
    return true;
}

// Appends a parsed value; false when there is none.
template <typename T>
bool Append(const std::optional<T>& value, std::vector<T>& to) {
    if (!value)
        return false;
    to.push_back(*value);
    return true;
}

std::optional<RunOptions::CommandAt> ParseCommand(std::string_view text) {
    uint64_t at = 0;
    int64_t id = 0;
    if (!ParseTimed(text, 0, 0xFFFF, at, id))
        return std::nullopt;
    return RunOptions::CommandAt{at, static_cast<uint32_t>(id)};
}

std::optional<RunOptions::DragAt> ParseDrag(std::string_view text) {
    uint64_t at = 0;
    int64_t dx = 0;
    if (!ParseTimed(text, -100'000, 100'000, at, dx))
        return std::nullopt;
    return RunOptions::DragAt{at, static_cast<int32_t>(dx)};
}

std::optional<std::string> ParseTag(std::string_view text) {
    return ValidTag(text) ? std::optional<std::string>(text) : std::nullopt;
}

std::optional<std::string> ParseDirectory(std::string_view text) {
    return text.empty() ? std::nullopt : std::optional<std::string>(text);
}

std::optional<int32_t> ParseSetting(std::string_view text) {
    const auto value =
        ParseInt(text, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
    return value ? std::optional<int32_t>(static_cast<int32_t>(*value)) : std::nullopt;
}

std::optional<uint32_t> ParseSeed(std::string_view text) {
    const auto value = ParseInt(text, 0, std::numeric_limits<uint32_t>::max());
    return value ? std::optional<uint32_t>(static_cast<uint32_t>(*value)) : std::nullopt;
}

using Options = RunOptions;
using Text = std::string_view;

const ValueOption kValueOptions[] = {
    {"--seconds", [](Options& o, Text v) { return Store(ParseSeconds(v), o.durationMs); },
     "a number of seconds, such as 10 or 2.5"},
    {"--seed", [](Options& o, Text v) { return Store(ParseSeed(v), o.seed); },
     "a number from 0 to 4294967295"},
    {"--foreground", [](Options& o, Text v) { return Store(ParseRect(v), o.foreground); },
     "four integers L,T,R,B"},
    {"--taskbar", [](Options& o, Text v) { return Store(ParseRect(v), o.taskbar); }, "four integers L,T,R,B"},
    {"--tag", [](Options& o, Text v) { return Store(ParseTag(v), o.tag); },
     "an upper-case ASCII word of 1 to 8 letters and digits"},
    {"--fixed", [](Options& o, Text v) { return Store(ParseSetting(v), o.fixed); }, "an integer"},
    {"--position", [](Options& o, Text v) { return Store(ParseSetting(v), o.position); }, "an integer"},
    {"--pattern", [](Options& o, Text v) { return Store(ParseSetting(v), o.pattern); }, "an integer"},
    {"--click", [](Options& o, Text v) { return Append(ParseTime(v), o.clicks); }, "a time in milliseconds"},
    {"--command", [](Options& o, Text v) { return Append(ParseCommand(v), o.commands); },
     "MS:ID, with ID from 0 to 65535"},
    {"--drag", [](Options& o, Text v) { return Append(ParseDrag(v), o.drags); },
     "MS:DX, with DX a number of pixels"},
    {"--settings", [](Options& o, Text v) { return Append(ParseSettings(v), o.settings); },
     "MS:pos=TEXT,fixed=0..2,topmost=0|1,ok|cancel"},
    {"--frames", [](Options& o, Text v) { return Store(ParseDirectory(v), o.framesDir); }, "a directory"},
    {"--dir", [](Options& o, Text v) { return Store(ParseDirectory(v), o.dir); }, "a directory"},
};

const ValueOption* FindOption(std::string_view name) {
    for (const ValueOption& option : kValueOptions)
        if (option.name == name)
            return &option;
    return nullptr;
}

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
            const ValueOption* option = FindOption(arg);
            if (!option) {
                error = "unknown option '" + arg + "'";
                return std::nullopt;
            }
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return std::nullopt;
            }
            if (!option->apply(options, args[++i])) {
                error = arg + " takes " + option->takes;
                return std::nullopt;
            }
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
