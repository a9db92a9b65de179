#pragma once
// Who the program is to the desktop: the names that decide where Qt keeps its
// settings and data (~/.config/Tellurin/Tellurin.conf,
// ~/.local/share/Tellurin/Tellurin), the desktop entry the window belongs to and
// the icon of the theme it shows.  The installed files (tellurin.desktop, the
// icons named tellurin) carry the same names.
namespace app_identity {

inline constexpr const char* kApplicationName = "Tellurin";
inline constexpr const char* kOrganizationName = "Tellurin";
// The desktop entry's file name without ".desktop"; also the icon's name.
inline constexpr const char* kDesktopFileName = "tellurin";
inline constexpr const char* kIconName = "tellurin";
// The product's version (the build's project version).
inline constexpr const char* kVersion = TELLURIN_VERSION;

}  // namespace app_identity

// Sets the application and organisation names and the desktop file name; both
// the viewer and tellurin-cli call it before anything asks QStandardPaths.
void SetApplicationIdentity();
