#pragma once

#include "pages/core/pageslayer.h"

#include "link/core/settingsrecord.h"

namespace telvio {

// The fields of the Callback page's 184-byte record, as profile files
// carry it.
namespace callbackfield {
constexpr int EntryCount = 3;
constexpr int Control = 0; // position in the callback control list, 0 to 6
constexpr int Delay = 4;   // delay text, 4 bytes
constexpr int DelayWidth = 4;
constexpr int TextWidth = 24;
// Entry k is 0 to 2.
constexpr int NumberAt(int k) { return 8 + TextWidth * k; }
constexpr int PasswordAt(int k) { return 80 + TextWidth * k; }
} // namespace callbackfield

} // namespace telvio
