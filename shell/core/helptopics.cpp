#include "shell/core/helptopics.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace telvio::HelpTopics {

QString Contents() { return QStringLiteral("index.html"); }
QString Terminal() { return QStringLiteral("terminal.html"); }
QString Options() { return QStringLiteral("options.html"); }

QString ForControl(int controlId)
{
    switch (controlId) {
    case kSignalTopicId: return QStringLiteral("signal.html");
    case kDiagnosticTopicId: return QStringLiteral("diagnostic.html");
    default: return QString();
    }
}

QString ForPage(PageId page)
{
    switch (page) {
    case PageId::Connection: return QStringLiteral("connection.html");
    case PageId::Basic: return QStringLiteral("basic.html");
    case PageId::Serial: return QStringLiteral("serial.html");
    case PageId::Sms: return QStringLiteral("sms.html");
    case PageId::Gprs: return QStringLiteral("gprs.html");
    case PageId::Signal: return QStringLiteral("signal.html");
    case PageId::Diagnostic: return QStringLiteral("diagnostic.html");
    case PageId::Io: return QStringLiteral("io.html");
    case PageId::Callback: return QStringLiteral("callback.html");
    }
    return Contents();
}

QString Anchor(int controlId)
{
    return QStringLiteral("c%1").arg(controlId);
}

bool HasAnchor(const QString &topic, const QString &anchor)
{
    // The help files do not change while the program runs: read each once.
    static QHash<QString, QSet<QString>> anchors;
    auto found = anchors.find(topic);
    if (found == anchors.end()) {
        QSet<QString> names;
        QFile file(QStringLiteral(":/help/") + topic);
        if (file.open(QIODevice::ReadOnly)) {
            static const QRegularExpression name(QStringLiteral("<a name=\"([^\"]+)\""));
            const QString html = QString::fromUtf8(file.readAll());
            for (auto m = name.globalMatch(html); m.hasNext();)
                names.insert(m.next().captured(1));
        }
        found = anchors.insert(topic, names);
    }
    return found->contains(anchor);
}

QString ForControl(PageId page, int controlId)
{
    if (controlId == 0)
        return QString();
    const QString topic = ForPage(page);
    const QString anchor = Anchor(controlId);
    return HasAnchor(topic, anchor) ? topic + QLatin1Char('#') + anchor : QString();
}

QString Url(const QString &topic)
{
    return QStringLiteral("qrc:/help/") + topic;
}

} // namespace telvio::HelpTopics
