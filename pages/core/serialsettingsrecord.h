#pragma once

#include "pages/core/pageslayer.h"

#include "link/core/settingsrecord.h"

#include <array>

namespace telvio {

// The fields of the Serial page's 80-byte record, in record order: field n
// is the 32-bit word at offset 4 n and holds the position of the selected
// item of its list (-1: none). The order is the record's, not the page's.
// Words 12 to 19 are reserved: the page never reads or writes them.
enum class SerialField {
    Echo,           // "0 - Echo off", "1 - Echo on"
    StopBits,       // "1", "2"
    ResponseFormat, // V
    Dsr,            // &S
    Dtr,            // &D
    Dcd,            // &C
    DteByDce,       // +IFC, second value
    DceByDte,       // +IFC, first value
    Parity,         // the +ICF parity code: Odd, Even, Mark, Space, None
    DataBits,       // "8", "7"
    DteRate,        // +IPR: "Auto", "300" ... "115200"
    Suppression,    // Q
};
constexpr int kSerialFieldCount = 12;

constexpr std::array<SerialField, kSerialFieldCount> kSerialFields = {
    SerialField::Echo,     SerialField::StopBits, SerialField::ResponseFormat, SerialField::Dsr,
    SerialField::Dtr,      SerialField::Dcd,      SerialField::DteByDce,       SerialField::DceByDte,
    SerialField::Parity,   SerialField::DataBits, SerialField::DteRate,        SerialField::Suppression};

constexpr int SerialFieldOffset(SerialField field)
{
    return int(field) * 4;
}

inline int SerialValue(const SerialSettingsRecord &record, SerialField field)
{
    return record.Int(SerialFieldOffset(field));
}

inline void SetSerialValue(SerialSettingsRecord &record, SerialField field, int position)
{
    record.SetInt(SerialFieldOffset(field), position);
}

} // namespace telvio
