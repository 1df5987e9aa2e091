// The console's first lines on every platform: the game's name and the two credit lines.
#pragma once

inline constexpr const char kBanner[] =
    "Varnelle\n"
    "Made by the Varnelle team, 2026\n"
    "For everyone who loves puzzles: varnelle.example\n";
