#pragma once

#include "pages/core/pageslayer.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace telvio {

// Answers and commands of the Basic page, without any I/O. List values are
// positions in the page's lists (BasicForm), -1 when the modem's value
// matches no item.

// Parsers that take `found` set it to whether the answer held the value at
// all; what they return is the same either way.

// "ATS0?": rings before auto-answer, from the value line ("002" gives 2).
int ParseS0Answer(const QByteArray &answer, bool *found = nullptr);
// "AT%C?": position in the compression list.
int ParseCompressionAnswer(const QByteArray &answer);
// "AT\N?": position in the error correction list (by the value's first
// character).
int ParseErrorCorrectionAnswer(const QByteArray &answer);
// "AT+CLCK?": whether the SIM's PIN lock ("SC") is on.
bool ParseClckAnswer(const QByteArray &answer, bool *found = nullptr);

struct WpinValue {
    int enabled = 0;
    QByteArray code; // at most 4 characters, without quotes
    bool found = false; // the answer held a "WPIN:" line
};
// "AT*WPIN?": the Auto PIN flag and code.
WpinValue ParseWpinAnswer(const QByteArray &answer);

// "AT*WSTATLED?": the status LED mode.
int ParseWstatledAnswer(const QByteArray &answer, bool *found = nullptr);

struct WrstValue {
    int enabled = 0;
    QByteArray delay;       // "hhh:mm", empty when off
    QByteArray timeToReset; // "hhh:mm", empty when off or not reported
    bool found = false;     // the answer held a "WRST:" line
};
// "AT+WRST?": the reset timer, its delay and the time left.
WrstValue ParseWrstAnswer(const QByteArray &answer);

struct CbstValue {
    int speed = -1; // position in the bearer speed list
    int ce = -1;    // position in the connection element list
};
// "AT+CBST?": speed and connection element.
CbstValue ParseCbstAnswer(const QByteArray &answer);

QByteArray FormatS0Command(int rings);
// Nothing when the code could not travel inside quotes.
std::optional<QByteArray> FormatWpinCommand(int enabled, const QByteArray &code);
QByteArray FormatWstatledCommand(int statusLed);
std::optional<QByteArray> FormatWrstCommand(int enabled, const QByteArray &delay);
// From the selected items' texts: "AT+CBST=71,0,1".
QByteArray FormatCbstCommand(const QString &speedItem, const QString &ceItem);
// "AT\N" and the first character of the selected item.
QByteArray FormatErrorCorrectionCommand(const QString &item);
// "AT%C" and the first character of the selected item.
QByteArray FormatCompressionCommand(const QString &item);

// The reset delay as the page accepts it: at least 6 characters and a
// colon; before the first colon at least 3 digits (below 1000), after it at
// least 2 digits (below 100). "024:00" and "999:99" pass; "24:00",
// "024:0" and "1000:0" do not.
bool ResetDelayValid(const QString &text);

} // namespace telvio
