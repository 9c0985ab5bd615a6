#pragma once

namespace telvio {

// The property sheet's pages. The Connection page is always present.
enum class PageId { Connection, Basic, Serial, Sms, Gprs, Signal, Diagnostic, Io, Callback };

// What the session remembers of each configurable page.
struct PageFlags {
    bool added = false;          // the page is in the page set
    bool mustRead = false;       // read the settings from the modem when next shown
    bool profilePending = false; // a loaded profile waits to be shown in the page
    bool modified = false;       // changed and not yet written
};

// Slots of the session's flag groups, in their fixed order.
enum PageSlot { SlotBasic, SlotSerial, SlotSms, SlotCallback, SlotDiagnostic, SlotIo, SlotSignal, SlotGprs, PageSlotCount };

inline int SlotOf(PageId page)
{
    switch (page) {
    case PageId::Basic: return SlotBasic;
    case PageId::Serial: return SlotSerial;
    case PageId::Sms: return SlotSms;
    case PageId::Callback: return SlotCallback;
    case PageId::Diagnostic: return SlotDiagnostic;
    case PageId::Io: return SlotIo;
    case PageId::Signal: return SlotSignal;
    case PageId::Gprs: return SlotGprs;
    case PageId::Connection: break;
    }
    return -1;
}

} // namespace telvio
