#pragma once
// The map is drawn in DejaVu Sans wherever it runs.  Linux has it from the
// system; the Windows folder carries it in fonts/ beside the executable, and
// the interface is then set in it too, so that both look alike.
inline constexpr const char* kMapFontFamily = "DejaVu Sans";

// Registers the fonts of <executable folder>/fonts, if there is one; true when
// any was registered.
bool UseBundledFonts();
