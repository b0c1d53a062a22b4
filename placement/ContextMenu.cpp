#include "placement/ContextMenu.h"

#include <algorithm>

#include "app/MainFrame.h"
#include "app/MascotApp.h"
#include "app/Texts.h"
#include "data/MascotData.h"
#include "platform/Platform.h"

namespace mascot {
namespace {

MenuItem Command(uint32_t id, std::string_view text) {
    MenuItem item;
    item.id = id;
    item.text = std::string(text);
    return item;
}

MenuItem Separator() {
    MenuItem item;
    item.kind = MenuItem::Kind::Separator;
    return item;
}

}  // namespace

MenuItem BuildPatternSubmenu(const MascotData& data, int32_t patternChoice) {
    MenuItem submenu;
    submenu.kind = MenuItem::Kind::Submenu;
    submenu.text = std::string(texts::kMenuPatterns);
    std::vector<MenuItem>& items = submenu.submenu;

    const uint16_t columns = data.MenuColumnLength();
    items.push_back(Command(ID_PATTERN_RANDOM, texts::kMenuRandom));
    if (columns == 0)
        items.push_back(Separator());
    const uint16_t count = std::min<uint16_t>(data.PatternCount().value_or(0), kMaxMenuPatterns);
    for (uint16_t i = 0; i < count; ++i) {
        if (columns > 0 && i > 0 && i % columns == 0) {
            MenuItem columnBreak = Command(kColumnBreakId, texts::kMenuColumnBreak);
            columnBreak.menuBarBreak = true;
            columnBreak.disabled = true;
            columnBreak.grayed = true;
            items.push_back(columnBreak);
        }
        // A name that cannot be read (outside the container, or longer than the menu's 255
        // bytes) shows as an empty item rather than as bytes from elsewhere.
        items.push_back(Command(ID_PATTERN_FIRST + i, data.PatternName(i).value_or(std::string())));
    }
    const int64_t checked = int64_t{ID_PATTERN_RANDOM} + patternChoice;
    for (MenuItem& item : items)
        if (item.kind == MenuItem::Kind::Command && item.id != kColumnBreakId && item.id == checked)
            item.checked = true;
    return submenu;
}

Menu BuildContextMenu(const MascotData& data, int32_t patternChoice) {
    Menu menu;
    menu.items.push_back(Command(ID_SETTINGS, texts::kMenuSettings));
    menu.items.push_back(BuildPatternSubmenu(data, patternChoice));
    menu.items.push_back(Command(ID_APP_ABOUT, texts::kMenuAbout));
    menu.items.push_back(Separator());
    menu.items.push_back(Command(ID_APP_EXIT, texts::kMenuExit));
    return menu;
}

void CMainFrame::OnRButtonDown(uint32_t, Point) {
    if (!m_pWnd)
        return;
    m_bTracking = false;
    const Point cursor = m_app.GetPlatform().desktop.CursorPos();
    m_pWnd->TrackPopupMenu(BuildContextMenu(Data(), m_script.m_patternChoice), cursor);
    m_bTracking = true;
}

}  // namespace mascot
