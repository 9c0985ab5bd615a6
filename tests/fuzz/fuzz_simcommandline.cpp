// The simulator's command line parser on arbitrary line bodies (the text
// after "AT"), and the argument splitter and number reader its command
// sets use on what it hands them.
#include "sim/commandline.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

using namespace telvio::sim;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), int(size));
    const CommandLine line = parseCommandLine(body);
    for (const ParsedCommand &command : line.commands) {
        if (command.name.isEmpty() || command.name != command.name.toUpper())
            abort();
        // A command as a manual writes it reads back as itself: the
        // interpreter's traces and fault keys ("+CGSN", "ATI9") rely on it.
        const CommandLine again = parseCommandLine(command.text());
        if (again.syntaxError || again.commands.size() != 1 || again.commands.first().name != command.name
            || again.commands.first().form != command.form)
            abort();
        for (const QByteArray &field : splitArguments(command.argument)) {
            int value = -1;
            if (parseNumber(field, &value) && value < 0)
                abort();
        }
    }
    return 0;
}
