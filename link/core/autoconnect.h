#pragma once

#include "link/core/linklayer.h"

#include "link/core/modemsession.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace telvio {

// The baud rates the Connection page offers, in list order.
QStringList BaudRateItems();

// One try of the Autoconnect search.
struct SearchAttempt {
    QString baud;
    QChar parity;
    QString dataBits;
    QString stopBits;
};

// The order in which the search tries the line settings: first 8N1 at every
// rate from the fastest down, then at every rate the seven other common
// framings (8N2, 8O1, 8E1, 7N1, 7N2, 7O1, 7E1). 80 attempts in all.
QList<SearchAttempt> AutoconnectOrder();

// "Searching Com<port> @ <baud> bps (<data>,<parity>,<stop>)". A port
// that is not a numbered COM port shows its name in place of "Com" + number.
QString SearchProgressText(const QString &portLabel, const SearchAttempt &attempt);

// Runs the search on one port. Before each attempt `progress` is told the
// attempt's number (1-based) and text; after each attempt `aborted` is
// asked. Result: 1 an attempt returned non-zero (found, or the port could
// not be opened), 0 nothing found, -1 aborted.
int RunAutoconnectSearch(ModemSession &session, const QString &port, const QString &portLabel,
                         const std::function<void(int, const QString &)> &progress,
                         const std::function<bool()> &aborted);

// After a search found the modem: asks "AT+ICF?" for the parity the modem
// really uses (the search cannot tell parities apart on every line) and
// puts the port on it. False when the modem did not answer.
bool AdoptModemParity(ModemSession &session);

} // namespace telvio
