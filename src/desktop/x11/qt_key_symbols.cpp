#include "desktop/x11/qt_key_symbols.h"

#include <Qt>
#include <array>
#include <utility>

namespace wendaro::x11 {

namespace {

// Keysyms from the X protocol's keysym list.
constexpr std::uint32_t kKeysymF1 = 0xffbe;

constexpr std::array<std::pair<int, std::uint32_t>, 30> kSpecialKeys{{
    {Qt::Key_Escape, 0xff1b},
    {Qt::Key_Tab, 0xff09},
    {Qt::Key_Backtab, 0xfe20},  // ISO_Left_Tab, what Shift+Tab types
    {Qt::Key_Backspace, 0xff08},
    {Qt::Key_Return, 0xff0d},
    {Qt::Key_Enter, 0xff8d},  // KP_Enter
    {Qt::Key_Insert, 0xff63},
    {Qt::Key_Delete, 0xffff},
    {Qt::Key_Pause, 0xff13},
    {Qt::Key_Print, 0xff61},
    {Qt::Key_SysReq, 0xff15},
    {Qt::Key_Clear, 0xff0b},
    {Qt::Key_Home, 0xff50},
    {Qt::Key_End, 0xff57},
    {Qt::Key_Left, 0xff51},
    {Qt::Key_Up, 0xff52},
    {Qt::Key_Right, 0xff53},
    {Qt::Key_Down, 0xff54},
    {Qt::Key_PageUp, 0xff55},
    {Qt::Key_PageDown, 0xff56},
    {Qt::Key_Menu, 0xff67},
    {Qt::Key_Help, 0xff6a},
    {Qt::Key_Space, 0x0020},
    // The media keys, by their XF86 keysyms.
    {Qt::Key_VolumeDown, 0x1008ff11},
    {Qt::Key_VolumeMute, 0x1008ff12},
    {Qt::Key_VolumeUp, 0x1008ff13},
    {Qt::Key_MediaPlay, 0x1008ff14},
    {Qt::Key_MediaStop, 0x1008ff15},
    {Qt::Key_MediaPrevious, 0x1008ff16},
    {Qt::Key_MediaNext, 0x1008ff17},
}};

}  // namespace

std::optional<std::uint32_t> keysymForQtKey(int qtKey) {
  // Qt names letters by their capitals; X grabs the key by its unshifted
  // symbol, the small letter.
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<std::uint32_t>(qtKey - Qt::Key_A + 'a');
  // The other printable ASCII characters have the same value as Qt keys and
  // as keysyms.
  if (qtKey > Qt::Key_Space && qtKey <= Qt::Key_AsciiTilde) return static_cast<std::uint32_t>(qtKey);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F35) return static_cast<std::uint32_t>(kKeysymF1 + (qtKey - Qt::Key_F1));
  for (const auto& [key, keysym] : kSpecialKeys) {
    if (key == qtKey) return keysym;
  }
  return std::nullopt;
}

}  // namespace wendaro::x11
