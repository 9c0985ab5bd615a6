#pragma once

#include "pages/core/pageslayer.h"

#include "link/core/settingsrecord.h"

namespace telvio {

// The fields of the SMS page's 264-byte record, as profile files carry it.
namespace smsfield {
constexpr int Number = 0; // destination number, 32 bytes
constexpr int NumberWidth = 32;
constexpr int Message = 32; // message text, line breaks CR LF, 164 bytes
constexpr int MessageWidth = 164;
constexpr int Format = 196;       // position in the format list: 0 PDU, 1 Text
constexpr int ServiceCentre = 200; // 64 bytes
constexpr int ServiceCentreWidth = 64;
} // namespace smsfield

} // namespace telvio
