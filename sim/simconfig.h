#pragma once

#include "sim/faults.h"
#include "sim/linesettings.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace telvio::sim {

enum class Model { Orca1, Orca1Us, Pike2, Pike3 };

// Plain: the base AT firmware. Maker: the firmware with the embedded application
// framework (+WOPEN, id 6200 in ATI9). IpStack: the firmware with the TCP/IP
// stack commands (#VVERSION).
enum class Firmware { Plain, Maker, IpStack };

enum class SimCard { Absent, Ready, PinRequired, PukRequired };

struct ModelInfo {
    Model model;
    const char *key;        // command-line name: "pike3"
    const char *name;       // "Pike-3"
    const char *imeiPrefix; // the type allocation code and serial start of the range
    Firmware defaultFirmware;
    // Pike modems return to 9600 8N1 on AT&F; the Orca modems keep their port settings.
    bool factoryResetsPort;
};

const ModelInfo &modelInfo(Model model);
const QList<Model> &allModels();
std::optional<Model> modelFromKey(const QString &key);

const char *firmwareKey(Firmware firmware);
std::optional<Firmware> firmwareFromKey(const QString &key);

const char *simCardKey(SimCard card);
std::optional<SimCard> simCardFromKey(const QString &key);

// A 15-digit IMEI in the model's range with a valid check digit.
QByteArray defaultImei(Model model);
// The Luhn check digit of the first 14 digits of an IMEI.
char imeiCheckDigit(const QByteArray &fourteenDigits);

// One value set on the modem from outside before it serves (--set NAME=VALUE,
// an entry of a --state file): a setting (S0, +CMEE), a state variable
// (CSQ_RSSI, CPBR_1) or one of SIM, PIN, PUK. See staging.h.
struct SimAssignment {
    QByteArray name;
    QByteArray value;

    bool operator==(const SimAssignment &other) const { return name == other.name && value == other.value; }
};

// Everything a simulated modem starts with.
struct SimConfig {
    Model model = Model::Pike3;
    std::optional<Firmware> firmware; // unset: the model's usual firmware
    LineSettings line;                // baud 0: the modem autobauds (+IPR=0)
    SimCard sim = SimCard::Ready;
    QByteArray pin = "0000";
    QByteArray puk = "12345678";
    bool echo = true;    // E
    bool verbose = true; // V
    bool quiet = false;  // Q
    int cmee = 1;        // +CMEE
    QByteArray imei;     // empty: defaultImei(model)
    QByteArray wopenVersion = "3.10";
    bool realRate = false; // pace output at the line's byte rate
    bool log = false;      // trace the traffic on stderr
    quint32 noiseSeed = 0x2545F491u;
    QList<Fault> faults;
    // Applied in order once the modem has powered up with the fields above;
    // later ones win. A bad one leaves SimModem::setupError() set.
    QList<SimAssignment> assignments;

    Firmware effectiveFirmware() const;
    QByteArray effectiveImei() const;
};

} // namespace telvio::sim
