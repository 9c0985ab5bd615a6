#pragma once

#include "pages/core/pageslayer.h"

#include "link/core/settingsrecord.h"

#include <array>
#include <cstdint>

namespace telvio {

// The fields of the GPRS page's 544-byte record, as profile files carry it.
namespace gprsfield {
constexpr int UserName = 0; // 52 bytes
constexpr int UserNameWidth = 52;
constexpr int Port = 52; // decimal text, 8 bytes
constexpr int PortWidth = 8;
constexpr int Password = 60; // 52 bytes
constexpr int PasswordWidth = 52;
constexpr int ServerIp = 112; // four octets a, b, c, d; 0.0.0.0 = none
constexpr int TxDelay = 116;  // decimal text, milliseconds, 8 bytes
constexpr int TxDelayWidth = 8;
constexpr int Apn = 124; // 104 bytes
constexpr int ApnWidth = 104;
constexpr int AutoConnect = 228;    // int32, the *WTCPCONNECT value 0..2
constexpr int ConnectionMode = 232; // int32, 0 client, 1 server
constexpr int AttachState = 508;    // int32, the +CGATT state 0..2
constexpr int ClientIp = 512;       // four octets
constexpr int SyncMode = 516;       // signed byte, 0 off, 1 on
constexpr int SyncDelay = 517;      // unsigned byte
constexpr int SyncIdle = 520;       // int32, 0..32767
constexpr int TcpStatus = 524;      // signed byte, the *WTCPI value
} // namespace gprsfield

using Octets = std::array<uint8_t, 4>;

inline Octets RecordOctets(const GprsSettingsRecord &record, int offset)
{
    return {record.Byte(offset), record.Byte(offset + 1), record.Byte(offset + 2), record.Byte(offset + 3)};
}

inline void SetRecordOctets(GprsSettingsRecord &record, int offset, const Octets &octets)
{
    for (int i = 0; i < 4; ++i)
        record.SetByte(offset + i, octets[size_t(i)]);
}

} // namespace telvio
