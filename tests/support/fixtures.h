#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace telvio::test {

// One answer a real device sent, from tests/fixtures/real-answers.json.
struct RealAnswer {
    QByteArray command;
    QByteArray answer;
    bool verbose = true;
    bool echo = false;
    QString source;
};

QList<RealAnswer> LoadRealAnswers();
QByteArray ReadFixture(const QString &name);

} // namespace telvio::test
