// telvio-cli's `write PAGE --from FILE.json`: the input is the file. Every
// value read from it is then chosen in one of the Basic page's lists, as a
// write does for list fields, and the pages that take lists make fields of
// them.
#include "cli/pagecommands.h"
#include "pages/core/basicform.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace telvio;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("from.json"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }

    cli::FieldValues values;
    QString error;
    const bool ok = cli::ParseFieldValues({QStringLiteral("--from"), path, QStringLiteral("--set"),
                                           QStringLiteral("rings=5")},
                                          &values, &error);
    if (!ok) {
        if (error.isEmpty())
            abort();
        return 0;
    }
    // The --set value comes after everything from the file.
    if (values.isEmpty())
        abort();
    for (const auto &value : values) {
        ListState list;
        list.items = BasicForm::CompressionItems();
        QString chooseError;
        if (cli::ChooseInList(list, value.second, &chooseError)) {
            if (list.current < 0 || list.current >= list.items.size())
                abort();
        } else if (chooseError.isEmpty()) {
            abort();
        }
    }
    // Pages that take lists (the I/O entries, the callback numbers) make
    // single fields of them, which are then checked like any others.
    for (const cli::CliPage &page : cli::CliPages()) {
        if (!page.expand)
            continue;
        QString checkError;
        if (!cli::CheckFieldValues(page, page.expand(values), &checkError) && checkError.isEmpty())
            abort();
    }
    return 0;
}
