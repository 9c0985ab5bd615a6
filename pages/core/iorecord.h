#pragma once

#include "pages/core/pageslayer.h"

#include "link/core/settingsrecord.h"

namespace telvio {

// The fields of the I/O page's 2736-byte record, as profile files carry it.
// The ten entries lie column by column: entry k uses element k of each
// array.
namespace iofield {
constexpr int EntryCount = 10;
constexpr int Tp = 0;  // minimum trigger pulse, decimal text, 4 bytes
constexpr int Tc = 4;  // maximum trigger pulse, decimal text, 4 bytes
constexpr int NumberWidth = 4;
constexpr int TrigType = 8;    // position in the trig type list
constexpr int TrigLevel = 12;  // position in the trig level list
constexpr int OutputCtrl = 16; // position in the output ctrl list
constexpr int Enable = 20;     // 0 disabled, 1 enabled
constexpr int Time = 24;       // 10 x 4: timeout text
constexpr int Service = 64;    // 10 x 4: position in the service list
constexpr int Retry = 104;     // 10 x 4: position in the retry list
constexpr int Priority = 144;  // 10 x 4: 0 or 1
constexpr int DataCount = 6;

struct DataColumn {
    int offset;
    int width; // bytes per entry, NUL included
};
// data1 to data6.
constexpr DataColumn kData[DataCount] = {{184, 24}, {424, 164}, {2064, 24}, {2304, 4}, {2344, 12}, {2464, 24}};

constexpr int TimeAt(int k) { return Time + 4 * k; }
constexpr int ServiceAt(int k) { return Service + 4 * k; }
constexpr int RetryAt(int k) { return Retry + 4 * k; }
constexpr int PriorityAt(int k) { return Priority + 4 * k; }
// Data field d (0 to 5) of entry k.
constexpr int DataAt(int d, int k) { return kData[d].offset + kData[d].width * k; }
} // namespace iofield

} // namespace telvio
