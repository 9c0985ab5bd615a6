#pragma once

#include "link/core/modemtraits.h"
#include "link/core/pageflags.h"

#include <array>

namespace telvio {

// Which modems a page is offered for when the link is made.
enum class PageOffer {
    Never,      // not part of the connected page set (the Connection page)
    Always,     // every supported modem
    WithSim,    // only when the SIM answered "AT+CPIN?"
    WithIoPages // only on a modem whose traits have the I/O and Callback pages
};

// One row per page of the property sheet, in the sheet's tab order: what
// the session and the sheet know of a page without its window. A new page
// is a row here, its window in the sheet's factory list, and its command
// in the command line's page list.
struct PageRow {
    PageId id;
    const char *title;      // the tab's caption
    PageOffer offer;        // when a connect adds it
    bool mustReadWhenAdded; // it reads the modem when first shown after a connect
    bool offline;           // offline profile editing shows it
    bool autoLoad;          // with the AutoLoad option it reads at once after a connect
};

inline constexpr std::array<PageRow, 9> kPageTable = {{
    {PageId::Connection, "Connection", PageOffer::Never, false, false, false},
    {PageId::Basic, "Basic", PageOffer::Always, true, true, true},
    {PageId::Serial, "Serial", PageOffer::Always, true, true, true},
    {PageId::Sms, "SMS", PageOffer::WithSim, true, true, true},
    {PageId::Gprs, "GPRS", PageOffer::Always, true, true, true},
    {PageId::Signal, "Signal", PageOffer::Always, false, false, false},
    {PageId::Diagnostic, "Diagnostic", PageOffer::Always, false, false, false},
    {PageId::Io, "I/O", PageOffer::WithIoPages, true, false, false},
    {PageId::Callback, "Callback", PageOffer::WithIoPages, true, false, false},
}};

inline const PageRow &RowOf(PageId id)
{
    for (const PageRow &row : kPageTable) {
        if (row.id == id)
            return row;
    }
    return kPageTable[0];
}

// Position of the page in the tab order.
inline int TabOrderOf(PageId id)
{
    for (size_t i = 0; i < kPageTable.size(); ++i) {
        if (kPageTable[i].id == id)
            return int(i);
    }
    return int(kPageTable.size());
}

inline bool Offered(const PageRow &row, const ModemTraits &traits, SimState sim)
{
    switch (row.offer) {
    case PageOffer::Never: return false;
    case PageOffer::Always: return true;
    case PageOffer::WithSim: return sim != SimState::Unknown;
    case PageOffer::WithIoPages: return traits.ioPages;
    }
    return false;
}

} // namespace telvio
