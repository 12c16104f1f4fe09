// Numeric command identifiers of the menu, the toolbar and the accelerators.
// They stay numeric because plug-in commands are routed by id as well.
#pragma once

namespace brimvale {

inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;  // the framework's standard open (Ctrl+O)
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_VIEW_TOOLBAR = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;

inline constexpr int ID_BENCHMARK = 32790;
inline constexpr int ID_OPEN_MQO = 32791;
inline constexpr int ID_TOGGLE_TRANSPARENCY = 32792;
inline constexpr int ID_TOGGLE_VERTICES = 32793;
inline constexpr int ID_TOGGLE_EDGES = 32794;
inline constexpr int ID_TOGGLE_FACES = 32795;
inline constexpr int ID_TOGGLE_SMOOTH = 32796;
inline constexpr int ID_TOGGLE_AXES = 32797;
inline constexpr int ID_TOGGLE_GRID = 32798;
inline constexpr int ID_TOGGLE_SIMPLE = 32799;
inline constexpr int ID_EXPORT_POV = 32800;
inline constexpr int ID_TOGGLE_DOUBLE_SIDED = 32802;
inline constexpr int ID_TIME_MEASUREMENT = 32803;
inline constexpr int ID_VIEW_FIT = 32804;  // fit the camera to the whole model
inline constexpr int ID_EXPORT_GLTF = 32805;
// Commands of the daily viewer (no plug-in sees them).
inline constexpr int ID_FILE_RELOAD = 32806;
inline constexpr int ID_FILE_SAVE_PICTURE = 32807;
inline constexpr int ID_HELP_SHORTCUTS = 32808;
inline constexpr int ID_EDIT_UNDO = 32809;
inline constexpr int ID_EDIT_REDO = 32810;

// Control identifier of the side panel's dialog bar.
inline constexpr int ID_SIDE_PANEL = 103;

}  // namespace brimvale
