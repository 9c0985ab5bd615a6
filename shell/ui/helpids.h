#pragma once

#include "shell/ui/uilayer.h"

namespace telvio::helpids {

// Help ids of the controls whose dialogs gave them none: F1 finds a
// control's topic by its id (the anchor "c<id>" in its page's help file),
// so every control a technician may ask about carries one. They sit above
// the dialogs' own ids so that the two can never meet.

// Connection page
constexpr int kPort = 1701, kBaud = 1702, kParity = 1703, kDataBits = 1704, kStopBits = 1705;
constexpr int kAutoconnect = 1711, kConnect = 1712, kDisconnect = 1713, kOpen = 1714;

// Serial page (its lists have ids of their own)
constexpr int kSerialRead = 1721, kSerialWrite = 1722;

// Basic page
constexpr int kEnterPin = 1731, kChangePin = 1732, kActivatePin = 1733;
constexpr int kRings = 1734;
constexpr int kAutoPin = 1735, kAutoPinCode = 1736;
constexpr int kReset = 1737, kResetDelay = 1738, kTimeToReset = 1739, kResetNow = 1740;
constexpr int kBearerSpeed = 1741, kBearerCe = 1742, kCompression = 1743, kErrorCorrection = 1744;
constexpr int kDtrEvent = 1745, kDtrActivate = 1746, kDtrDeactivate = 1747, kDtrTest = 1748;
constexpr int kFactory = 1749, kEmbeddedApp = 1750, kStatusLed = 1751;
constexpr int kBasicRead = 1752, kBasicWrite = 1753;

// GPRS page (the access point name, user name, password, server IP, delay
// and port fields have ids of their own)
constexpr int kApn = 1164, kUserName = 1224, kPassword = 1200, kServerIp = 1196, kGprsDelay = 1186, kGprsPort = 1218;
constexpr int kAutoConnect = 1761, kConnectionMode = 1762, kClientIp = 1763, kTcpStatus = 1764;
constexpr int kSyncMode = 1765, kSyncDelay = 1766, kSyncIdle = 1767;
constexpr int kActivate = 1768, kContextMode = 1769, kContextConnect = 1770;
constexpr int kAttachState = 1771, kChange = 1772, kGprsConnect = 1773, kPing = 1774, kStart = 1775, kStop = 1776;
constexpr int kGprsRead = 1777, kGprsWrite = 1778;

// Callback page: the entry rows count up from their first id.
constexpr int kCallbackControl = 1781, kSaveControl = 1782, kCallbackDelay = 1783, kSaveDelay = 1784;
constexpr int kCallbackNumber = 1785, kCallbackPassword = 1788, kCallbackClear = 1791, kCallbackSave = 1794;
constexpr int kCallbackRead = 1797, kSaveAll = 1798;

} // namespace telvio::helpids
