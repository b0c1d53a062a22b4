// What the mascot window does, told as it happens, for those who watch a character from outside:
// `kqtool run` prints it, tests compare it. Each event names what happened (a pattern became
// current, a frame was drawn, the script timer was armed, ...) with its values in a fixed order.
// The window calls the observer synchronously, in the order things happen; without an observer
// nothing is built and nothing happens.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace mascot {

struct MascotField {
    std::string key;
    // A number, or text as the mascot keeps it (Shift-JIS bytes).
    std::variant<int64_t, std::string> value;
};

struct MascotEvent {
    explicit MascotEvent(std::string name) : ev(std::move(name)) {}

    std::string ev;
    std::vector<MascotField> fields;

    MascotEvent& Int(std::string key, int64_t value) {
        fields.push_back(MascotField{std::move(key), value});
        return *this;
    }
    MascotEvent& Str(std::string key, std::string value) {
        fields.push_back(MascotField{std::move(key), std::move(value)});
        return *this;
    }
    // The field's number, or nothing when the event has no such numeric field.
    std::optional<int64_t> IntField(const std::string& key) const {
        for (const MascotField& field : fields)
            if (field.key == key && std::holds_alternative<int64_t>(field.value))
                return std::get<int64_t>(field.value);
        return std::nullopt;
    }
};

using MascotObserver = std::function<void(const MascotEvent&)>;

}  // namespace mascot
