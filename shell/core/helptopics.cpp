#include "shell/core/helptopics.h"

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

QString Url(const QString &topic)
{
    return QStringLiteral("qrc:/help/") + topic;
}

} // namespace telvio::HelpTopics
