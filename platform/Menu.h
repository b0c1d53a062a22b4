// A popup menu as the core builds it; a backend only shows it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mascot {

struct MenuItem {
    enum class Kind { Command, Separator, Submenu };

    Kind kind = Kind::Command;
    uint32_t id = 0;            // the command posted when the item is chosen
    std::string text;           // Shift-JIS bytes; "&" marks the access key, "\t" starts the shortcut text
    bool grayed = false;        // drawn grayed
    bool disabled = false;      // cannot be chosen
    bool checked = false;       // carries a check mark
    bool menuBarBreak = false;  // starts a new column, with a dividing line
    std::vector<MenuItem> submenu;  // the items of a Submenu

    friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

struct Menu {
    std::vector<MenuItem> items;
    friend bool operator==(const Menu&, const Menu&) = default;
};

}  // namespace mascot
