#include "tools/kqtool/RunTrace.h"

#include <utility>
#include <variant>
#include <vector>

#include "platform/Dialog.h"
#include "tools/common/Json.h"

namespace mascot::kqtool {
namespace {

constexpr int64_t kSettingsTemplate = 131;
constexpr int64_t kAboutTemplate = 100;

JsonObject Line(uint64_t t, const char* ev) {
    JsonObject line;
    line.Int("t", static_cast<int64_t>(t)).Utf8("ev", ev);
    return line;
}

std::string ItemsJson(const std::vector<MenuItem>& items) {
    std::vector<std::string> out;
    for (const MenuItem& item : items) {
        JsonObject json;
        switch (item.kind) {
            case MenuItem::Kind::Separator:
                json.Utf8("kind", "separator");
                break;
            case MenuItem::Kind::Submenu:
                json.Utf8("kind", "submenu").Sjis("text", item.text).Raw("items", ItemsJson(item.submenu));
                break;
            case MenuItem::Kind::Command: {
                const std::pair<bool, const char*> flagNames[] = {{item.checked, "checked"},
                                                                  {item.grayed, "grayed"},
                                                                  {item.disabled, "disabled"},
                                                                  {item.menuBarBreak, "break"}};
                std::vector<std::string> flags;
                for (const auto& [set, name] : flagNames)
                    if (set)
                        flags.push_back(JsonUtf8String(name));
                json.Utf8("kind", "command")
                    .Int("id", item.id)
                    .Sjis("text", item.text)
                    .Raw("flags", JsonArray(flags));
                break;
            }
        }
        out.push_back(json.Text());
    }
    return JsonArray(out);
}

std::string DialogResult(int64_t result) {
    if (result == kIdOk)
        return "ok";
    if (result == kIdCancel)
        return "cancel";
    return std::to_string(result);
}

}  // namespace

std::string CoreEventLine(uint64_t t, const MascotEvent& event) {
    JsonObject line;
    line.Int("t", static_cast<int64_t>(t)).Utf8("ev", event.ev);
    for (const MascotField& field : event.fields) {
        if (const auto* number = std::get_if<int64_t>(&field.value))
            line.Int(field.key, *number);
        else
            line.Sjis(field.key, std::get<std::string>(field.value));
    }
    return line.Text();
}

std::optional<std::string> DesktopEventLine(const SimEvent& event) {
    switch (event.kind) {
        case SimEvent::Kind::Move:
            return Line(event.time, "move").Int("x", event.a).Int("y", event.b).Text();
        case SimEvent::Kind::Show:
            return Line(event.time, "show").Int("x", event.a).Int("y", event.b).Text();
        case SimEvent::Kind::Hide:
            return Line(event.time, "hide").Text();
        case SimEvent::Kind::Dialog:
            return Line(event.time, "dialog")
                .Utf8("name", DialogName(event.a))
                .Utf8("result", DialogResult(event.b))
                .Int("id", event.a)
                .Text();
        default:
            return std::nullopt;
    }
}

std::string MenuLine(uint64_t t, const Menu& menu) {
    return Line(t, "menu").Raw("items", ItemsJson(menu.items)).Text();
}

const char* DialogName(int64_t templateId) {
    if (templateId == kSettingsTemplate)
        return "settings";
    if (templateId == kAboutTemplate)
        return "about";
    return "dialog";
}

}  // namespace mascot::kqtool
