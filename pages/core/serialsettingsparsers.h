#pragma once

#include "pages/core/pageslayer.h"

#include "link/core/settingsrecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace telvio {

// The Serial page's answers and commands, without any I/O. Positions are
// positions in the page's lists (SerialSettingsForm); a position that names no item
// leaves its list without a selection, as a list told to select an item it
// does not have does.

// The profile dump of "at&v" read keyword by keyword. Each keyword is
// looked for from where the previous one stood, so a keyword of the stored
// profile can never stand in for one that the active profile printed
// earlier; the dump lists them in the order they are asked for.
class DumpReader {
public:
    explicit DumpReader(const QByteArray &answer) : m_text(answer) {}

    // The value after `keyword` (which ends with its colon): blanks after
    // the colon skipped, up to the next blank or line end. Nothing when
    // the rest of the dump does not hold the keyword; the next search then
    // starts where this one did.
    std::optional<QByteArray> Value(const QByteArray &keyword);

private:
    QByteArray m_text;
};

// "+ICF: f,p" as list positions. Formats 1 and 4 have two stop bits, 4 to
// 6 seven data bits; 1, 3, 4 and 6 carry no parity bit.
struct IcfPositions {
    int dataBits = 0;              // 0 "8", 1 "7"
    int stopBits = 0;              // 0 "1", 1 "2"
    std::optional<int> parity;     // the parity code; nothing when unreadable
};
std::optional<IcfPositions> ParseIcfValue(const QByteArray &value);

// "+IFC: a,b": 0 "0 - None" for a zero, else 1.
struct IfcPositions {
    std::optional<int> dceByDte;
    std::optional<int> dteByDce;
};
IfcPositions ParseIfcValue(const QByteArray &value);

// What the dump says, field by field; nothing where it says nothing
// readable, and the list keeps its selection.
struct SerialDump {
    std::optional<int> responseFormat;
    std::optional<int> dcd;
    std::optional<int> dtr;
    std::optional<QString> rateText; // "Auto" for a rate of 0
    std::optional<IcfPositions> framing;
    IfcPositions flow;
};
SerialDump ParseSerialDump(const QByteArray &answer);

// The value "+IPR=" takes for a rate item: "Auto" is 0.
QByteArray RateValue(const QString &rateItem);

// The +ICF format code of a framing (data bits position 1 is "7", stop bits
// position 1 is "2"; two stop bits always go without parity).
int IcfFormatCode(int dataBits, int stopBits, bool parityNone);

// "ATV1 &C1 &D2 &S1 E1 +IPR=115200" from the record and the rate value.
QByteArray FormatV24Command(const SerialSettingsRecord &record, const QByteArray &rate);
QByteArray FormatIcfCommand(int format, int parity);
// "AT+IFC=" and the first character of each flow control item.
QByteArray FormatIfcCommand(const QString &dceByDteItem, const QString &dteByDceItem);

} // namespace telvio
