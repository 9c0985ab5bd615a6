// telvio-sim's command line: argument lists cut from the input at NUL
// bytes and line ends (the first is the program name), including repeated
// and malformed --fault specifications.
#include "sim/simoptions.h"

#include <QByteArray>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

using namespace telvio::sim;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), int(size));
    QStringList arguments{QStringLiteral("telvio-sim")};
    for (const QByteArray &part : input.split('\n'))
        for (const QByteArray &argument : part.split('\0'))
            arguments.append(QString::fromUtf8(argument));
    SimOptions options;
    QString error;
    const bool ok = parseSimOptions(arguments, &options, &error);
    // A refused command line always says why.
    if (!ok && error.isEmpty())
        abort();
    return 0;
}
