#include "link/core/connectionform.h"

#include "link/core/autoconnect.h"

namespace telvio {

namespace {
QString ItemAt(const QStringList &items, int i)
{
    return i >= 0 && i < items.size() ? items.at(i) : QString();
}
} // namespace

const QStringList &ConnectionForm::BaudItems()
{
    static const QStringList items = BaudRateItems();
    return items;
}

const QStringList &ConnectionForm::ParityItems()
{
    static const QStringList items{QStringLiteral("None"), QStringLiteral("Odd"), QStringLiteral("Even"),
                                   QStringLiteral("Mark"), QStringLiteral("Space")};
    return items;
}

const QStringList &ConnectionForm::DataBitsItems()
{
    static const QStringList items{QStringLiteral("7"), QStringLiteral("8")};
    return items;
}

const QStringList &ConnectionForm::StopBitsItems()
{
    static const QStringList items{QStringLiteral("1"), QStringLiteral("2")};
    return items;
}

QString ConnectionForm::BaudText() const { return ItemAt(BaudItems(), baud); }
QString ConnectionForm::DataBitsText() const { return ItemAt(DataBitsItems(), dataBits); }
QString ConnectionForm::StopBitsText() const { return ItemAt(StopBitsItems(), stopBits); }

QChar ConnectionForm::ParityLetter() const
{
    const QString item = ItemAt(ParityItems(), parity);
    return item.isEmpty() ? QLatin1Char('N') : item.at(0);
}

PortSettings ConnectionForm::Line() const
{
    PortSettings line;
    bool ok = false;
    if (const int baud = BaudText().toInt(&ok); ok)
        line.baud = baud;
    line.parity = ParityLetter().toLatin1();
    if (const int bits = DataBitsText().toInt(&ok); ok)
        line.dataBits = bits;
    if (const int bits = StopBitsText().toInt(&ok); ok)
        line.stopBits = bits;
    return line;
}

void ConnectionForm::SelectBaud(const QString &text)
{
    const int i = BaudItems().indexOf(text);
    if (i >= 0)
        baud = i;
}

void ConnectionForm::SelectParity(QChar letter)
{
    for (int i = 0; i < ParityItems().size(); ++i) {
        if (ParityItems().at(i).at(0) == letter)
            parity = i;
    }
}

void ConnectionForm::SelectDataBits(const QString &text)
{
    const int i = DataBitsItems().indexOf(text);
    if (i >= 0)
        dataBits = i;
}

void ConnectionForm::SelectStopBits(const QString &text)
{
    const int i = StopBitsItems().indexOf(text);
    if (i >= 0)
        stopBits = i;
}

void ConnectionForm::SelectPort(const QString &path)
{
    const int i = portPaths.indexOf(path);
    if (i >= 0)
        port = i;
}

} // namespace telvio
