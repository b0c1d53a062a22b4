// The layouts of the program's two dialogs, written once as data: every backend builds its real
// dialog from these templates, and the dialog models exchange their fields with the controls
// named here.
#pragma once

#include <string_view>

#include "platform/Dialog.h"

namespace mascot {

// Dialog template ids.
inline constexpr int kIddAbout = 100;
inline constexpr int kIddSettings = 131;

// The application's icon, shown in the About box.
inline constexpr int kIdiApplication = 128;

// Controls of the settings dialog.
inline constexpr int kIdcPositionSlider = 1001;  // trackbar, 0..100
inline constexpr int kIdcPositionEdit = 1002;    // the same percentage as a number
inline constexpr int kIdcAutoAnimation = 1003;   // hidden, disabled: carries its value through
inline constexpr int kIdcFront = 1006;
inline constexpr int kIdcFollowAll = 1007;  // first of the tracking-mode radio group
inline constexpr int kIdcFollowTaskbar = 1008;
inline constexpr int kIdcFollowOthers = 1009;
inline constexpr int kIdcRandomStart = 1010;  // hidden, disabled: carries its value through
inline constexpr int kIdcSound = 1011;        // hidden, disabled: carries its value through

// The About box's static that shows the mascot data's about text.
inline constexpr int kIdcAboutText = 1000;

// The About box's fixed lines: the product with its version, and the rights notice. Plain ASCII,
// so the bytes read the same in every code page.
inline constexpr std::string_view kAboutTitleLine = "Desktop Mascot Version 1.0";
inline constexpr std::string_view kAboutRightsLine = "Copyright (C) 2026 the Desktop Mascot authors";

const DialogTemplate& SettingsDialogTemplate();
const DialogTemplate& AboutDialogTemplate();

}  // namespace mascot
