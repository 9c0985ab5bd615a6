// The simulator's interpreter fed arbitrary bytes. Input: a byte choosing
// the settings it starts with (echo, verbose, quiet, model), a byte giving
// the size of the pieces the rest arrives in, then the bytes received.
#include "sim/simmodem.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

using namespace telvio::sim;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    SimConfig config;
    config.echo = data[0] & 1;
    config.verbose = data[0] & 2;
    config.quiet = data[0] & 4;
    static const Model models[] = {Model::Orca1, Model::Orca1Us, Model::Pike2, Model::Pike3};
    config.model = models[(data[0] >> 3) & 3];
    config.sim = (data[0] & 32) ? SimCard::PinRequired : SimCard::Ready;
    const int piece = 1 + data[1] % 16;

    SimModem modem(config);
    const char *bytes = reinterpret_cast<const char *>(data + 2);
    const int count = int(size) - 2;
    for (int at = 0; at < count && !modem.hungUp(); at += piece) {
        const Output out = modem.receive(QByteArray(bytes + at, qMin(piece, count - at)));
        for (const OutputItem &item : out) {
            if (item.kind == OutputItem::Kind::Pause && item.pauseMs < 0)
                abort();
        }
    }
    return 0;
}
