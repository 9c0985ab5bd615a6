#include "sim/standardset.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace telvio::sim {
namespace {

// The cells the radio hears, one variable each: CELL_0 the serving cell,
// CELL_1..CELL_6 the neighbours, each "<mcc>,<mnc>,<lac>,<ci>,<bsic>,
// <bcch>,<rxlev>" as the neighbour dump lists them. An empty variable is a
// neighbour not heard. The names are fictitious.
const char *const kDefaultCells[7] = {
    "240,01,1a2b,3c4d,35,62,40", "240,01,1a2b,3c4e,21,70,33", "240,01,1a2b,5f01,17,75,27",
    "240,02,2b10,0a11,40,81,22", "240,01,1a2c,0b20,12,90,18", "240,02,2b10,0a17,44,95,14",
    "240,01,1a2c,0b2f,09,99,11",
};

QByteArray cellName(int cell)
{
    return "CELL_" + QByteArray::number(cell);
}

bool driftOn(const ModemState &state)
{
    const QByteArray drift = state.variable("SIGNAL_DRIFT");
    return !drift.isEmpty() && drift != "0";
}

int step(const ModemState &state)
{
    return std::max(0, state.variable("SIGNAL_STEP").toInt());
}

// A triangle wave of -6..+6 over 24 cycles: slow enough that a plot shows
// a fade and a recovery, wide enough to cross the page's thresholds.
int wobble(int x)
{
    return std::abs(x % 24 - 12) - 6;
}

// The cells as heard at the current drift step: levels moved, and every
// other run of 20 cycles the last neighbour fades out of the list.
std::array<QList<QByteArray>, 7> heardCells(const ModemState &state)
{
    std::array<QList<QByteArray>, 7> cells;
    for (int c = 0; c < 7; ++c) {
        const QByteArray text = state.variable(cellName(c));
        if (!text.isEmpty())
            cells[c] = text.split(',');
    }
    if (!driftOn(state))
        return cells;
    const int k = step(state);
    for (int c = 0; c < 7; ++c) {
        if (cells[c].size() < 7)
            continue;
        const int level = std::clamp(cells[c][6].toInt() + wobble(k + 5 * c), 0, 63);
        cells[c][6] = QByteArray::number(level);
    }
    if ((k / 20) % 2 == 1) {
        for (int c = 6; c >= 1; --c) {
            if (!cells[c].isEmpty()) {
                cells[c].clear();
                break;
            }
        }
    }
    return cells;
}

// Each serving-cell dump is one cycle of the drift. +CSQ keeps reading its
// variables; the drift writes them, so a staged CSQ_RSSI holds until the
// drift is switched on.
void advanceDrift(ModemState &state)
{
    if (!driftOn(state))
        return;
    const int k = step(state) + 1;
    state.setVariable("SIGNAL_STEP", QByteArray::number(k));
    const auto cells = heardCells(state);
    if (cells[0].size() >= 7) {
        // RxLev counts from -110 dBm in 1 dB steps, +CSQ's rssi from -113
        // dBm in 2 dB steps.
        const int rssi = std::clamp((cells[0][6].toInt() + 3) / 2, 0, 31);
        state.setVariable("CSQ_RSSI", QByteArray::number(rssi));
    }
    const int ber = (k / 6) % 9;
    state.setVariable("CSQ_BER", ber == 8 ? QByteArray("99") : QByteArray::number(ber));
}

CommandResult cced(ModemState &state, const ParsedCommand &command)
{
    if (command.form == CommandForm::Test)
        return CommandResult::ok({"+CCED: (0-2),(1-15)"});
    if (command.form != CommandForm::Set)
        return CommandResult::error();
    const QList<QByteArray> args = splitArguments(command.argument);
    int mode = -1;
    int dump = -1;
    // Only the one-shot request (mode 0) is simulated; the modem's periodic
    // and unsolicited modes are not used by anyone here.
    if (args.size() != 2 || !parseNumber(args.at(0), &mode) || !parseNumber(args.at(1), &dump) || mode != 0
        || (dump != 1 && dump != 2))
        return CommandResult::cmeFailure(cme::incorrectParameters);
    if (dump == 1)
        advanceDrift(state);
    const auto cells = heardCells(state);
    if (dump == 1) {
        if (cells[0].size() < 7)
            return CommandResult::ok({"+CCED: "});
        // The dump of the serving cell adds the full and sub levels, the
        // three qualities and the idle timeslot.
        const QByteArray level = cells[0][6];
        return CommandResult::ok({"+CCED: " + cells[0].join(',') + ',' + level + ',' + level + ",0,0,0,0"});
    }
    QList<QByteArray> fields;
    for (int c = 1; c < 7; ++c) {
        if (!cells[c].isEmpty())
            fields << cells[c].join(',');
    }
    return CommandResult::ok({"+CCED: " + fields.join(',')});
}

CommandResult wopn(ModemState &state, const ParsedCommand &command)
{
    if (command.form == CommandForm::Test)
        return CommandResult::ok({"+WOPN: (0-1)"});
    if (command.form != CommandForm::Set)
        return CommandResult::error();
    const QList<QByteArray> args = splitArguments(command.argument);
    int format = -1;
    if (args.size() != 2 || !parseNumber(args.at(0), &format) || format != 0)
        return CommandResult::cmeFailure(cme::incorrectParameters);
    const QByteArray name = state.variable("OPERATOR_" + args.at(1));
    if (name.isEmpty())
        return CommandResult::cmeFailure(cme::incorrectParameters);
    return CommandResult::ok({"+WOPN: 0,\"" + name + '"'});
}

} // namespace

void addSignalSet(ModemState &state, CommandTable &table)
{
    for (int c = 0; c < 7; ++c)
        state.setVariable(cellName(c), kDefaultCells[c]);
    state.setVariable("OPERATOR_24001", "Nordvik Mobil");
    state.setVariable("OPERATOR_24002", "Kestnet");
    state.setVariable("SIGNAL_DRIFT", "0");
    state.setVariable("SIGNAL_STEP", "0");
    table.add({"+CCED", cced, {}, {}});
    table.add({"+WOPN", wopn, {}, {}});
}

} // namespace telvio::sim
