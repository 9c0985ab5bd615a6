#pragma once

#include "pages/core/pageslayer.h"

#include <QByteArray>
#include <QStringList>

#include <array>

namespace telvio {

// The most characters each field of an I/O entry holds (the entry dialog's
// edit limits); longer values from the modem are cut to these.
namespace iolimit {
constexpr int Time = 3;
constexpr int Pulse = 3;
constexpr int Data[6] = {20, 160, 20, 2, 8, 20};
} // namespace iolimit

// One entry as an "AT*WIOL=n?" answer prints it, one "IOn_Key=value" line
// per field. Each value is the text after the first occurrence of its key
// up to the next CR LF (the end of the answer when none follows), cut to
// its field's limit.
struct IoEntryAnswer {
    int service = -1; // position in the service list, -1 when no item begins with the value
    int retry = -1;   // position in the retry list, likewise
    QByteArray time;
    int priority = 0; // "YES" 1, anything else 0
    std::array<QByteArray, 6> data;
};
IoEntryAnswer ParseIoEntryAnswer(const QByteArray &answer, const QStringList &services,
                                 const QStringList &retries);

// The trigger parameters of an "AT*WIOP?" answer: "TMIN=", "TMAX=",
// "TYPE=" and "TRIG=" each up to the next comma, "NORM=" up to the next
// CR; the last three matched by prefix against their lists (a NORM of 3
// selects "3 - DCD").
struct IoParametersAnswer {
    QByteArray tp;
    QByteArray tc;
    int trigType = -1;
    int trigLevel = -1;
    int outputCtrl = -1;
};
IoParametersAnswer ParseIoParametersAnswer(const QByteArray &answer, const QStringList &trigTypes,
                                           const QStringList &trigLevels, const QStringList &outputCtrls);

// "AT*WIOE?": 1 when the value after "WIOE=" begins with "1", else 0.
int ParseIoEnableAnswer(const QByteArray &answer);

// A time typed on the page or in the entry dialog as the record keeps it:
// above 255 "255", 0 or below (or no number) "0", otherwise the text as
// typed.
QByteArray NormaliseIoTime(const QByteArray &text);

} // namespace telvio
