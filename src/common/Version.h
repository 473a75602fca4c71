#pragma once

// What --version prints, for the program and fortavo-cli alike.
inline constexpr const char *FortavoVersionText = "Fortavo 0.9 beta";
