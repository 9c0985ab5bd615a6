#include "link/core/autoconnect.h"

#include "link/core/identification.h"

namespace telvio {

QStringList BaudRateItems()
{
    return {QStringLiteral("300"),   QStringLiteral("600"),   QStringLiteral("1200"), QStringLiteral("2400"),
            QStringLiteral("4800"),  QStringLiteral("9600"),  QStringLiteral("19200"), QStringLiteral("38400"),
            QStringLiteral("57600"), QStringLiteral("115200")};
}

QList<SearchAttempt> AutoconnectOrder()
{
    QList<SearchAttempt> order;
    const QStringList bauds = BaudRateItems();
    for (int i = bauds.size() - 1; i >= 0; --i)
        order.append({bauds.at(i), QLatin1Char('N'), QStringLiteral("8"), QStringLiteral("1")});
    for (int i = bauds.size() - 1; i >= 0; --i) {
        for (const char *data : {"8", "7"}) {
            for (const char parity : {'N', 'O', 'E'}) {
                for (const char *stop : {"1", "2"}) {
                    const bool twoStop = stop[0] == '2';
                    if (twoStop && parity != 'N')
                        continue;
                    if (data[0] == '8' && parity == 'N' && !twoStop)
                        continue; // tried in the first round
                    order.append({bauds.at(i), QLatin1Char(parity), QLatin1String(data), QLatin1String(stop)});
                }
            }
        }
    }
    return order;
}

QString SearchProgressText(const QString &portLabel, const SearchAttempt &a)
{
    bool numeric = false;
    portLabel.toInt(&numeric);
    const QString port = numeric ? QStringLiteral("Com") + portLabel : portLabel;
    return QStringLiteral("Searching %1 @ %2 bps (%3,%4,%5)").arg(port, a.baud, a.dataBits, QString(a.parity), a.stopBits);
}

int RunAutoconnectSearch(ModemSession &session, const QString &port, const QString &portLabel,
                         const std::function<void(int, const QString &)> &progress,
                         const std::function<bool()> &aborted)
{
    const QList<SearchAttempt> order = AutoconnectOrder();
    for (int n = 0; n < order.size(); ++n) {
        const SearchAttempt &a = order.at(n);
        if (progress)
            progress(n + 1, SearchProgressText(portLabel, a));
        ConnectParams params;
        params.port = port;
        params.line = PortSettings{a.baud.toInt(), char(a.parity.toLatin1()), a.dataBits.toInt(), a.stopBits.toInt()};
        if (session.Connect(params) != 0)
            return 1;
        if (aborted && aborted())
            return -1;
    }
    return 0;
}

bool AdoptModemParity(ModemSession &session)
{
    QByteArray answer = QByteArrayLiteral("AT+ICF?");
    if (session.ExchangeLine(answer, 3, QByteArrayLiteral("OK\r\n"), QByteArrayLiteral("0\r")) != ExSuccess)
        return false;
    PortSettings line = session.Line();
    line.parity = ParityFromIcf(answer).toLatin1();
    session.SetLine(line);
    session.ApplyPortSettings();
    return true;
}

} // namespace telvio
