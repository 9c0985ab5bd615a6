// The simulator's answers set against answers captured from real modems: for
// each command it knows, its answer in a mode must equal one that a real modem
// gave in that mode (echo, verbose or numeric), byte for byte.

#include "sim/simmodem.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace telvio::sim;

namespace {

struct Captured {
    QByteArray command;
    QByteArray answer;
    bool verbose;
    bool echo;
};

const QList<Captured> &captured()
{
    static const QList<Captured> answers = [] {
        QList<Captured> list;
        QFile file(QStringLiteral(TELVIO_SIM_FIXTURES_DIR "/real-answers.json"));
        if (!file.open(QIODevice::ReadOnly))
            return list;
        for (const QJsonValue &value : QJsonDocument::fromJson(file.readAll()).array()) {
            const QJsonObject entry = value.toObject();
            list.append({entry.value("command").toString().toLatin1(), entry.value("answer").toString().toLatin1(),
                         entry.value("mode").toString() == QLatin1String("verbose"), entry.value("echo").toBool()});
        }
        return list;
    }();
    return answers;
}

struct ShapeCase {
    const char *name;
    QByteArray command;
    bool verbose; // the mode the capture was made in
    bool echo;
    SimConfig config;
};

void PrintTo(const ShapeCase &c, std::ostream *os)
{
    *os << c.name;
}

SimConfig config(bool echo, bool verbose = true, int baud = 9600, const QByteArray &imei = {})
{
    SimConfig c;
    c.echo = echo;
    c.verbose = verbose;
    c.line.baud = baud;
    c.imei = imei;
    return c;
}

class SimRealAnswers : public testing::TestWithParam<ShapeCase> {};

TEST_P(SimRealAnswers, AnswerEqualsARealCapture)
{
    const ShapeCase &c = GetParam();
    QList<QByteArray> real;
    for (const Captured &entry : captured()) {
        if (entry.command == c.command && entry.verbose == c.verbose && entry.echo == c.echo)
            real.append(entry.answer);
    }
    ASSERT_FALSE(real.isEmpty()) << "no capture of " << c.command.constData() << " in this mode";
    SimModem modem(c.config);
    const QByteArray answer = modem.feed(c.command + "\r");
    EXPECT_TRUE(real.contains(answer)) << "simulator: " << answer.toHex(' ').constData() << "\nfirst capture: "
                                       << real.first().toHex(' ').constData();
}

INSTANTIATE_TEST_SUITE_P(
    Captures, SimRealAnswers,
    testing::Values(ShapeCase{"at_echo", "AT", true, true, config(true)},
                    ShapeCase{"at", "AT", true, false, config(false)},
                    ShapeCase{"ate1_not_echoed", "ATE1", true, false, config(false)},
                    ShapeCase{"atq0", "ATQ0", true, false, config(false)},
                    ShapeCase{"cgsn", "AT+CGSN", true, false, config(false, true, 9600, "358021081917381")},
                    ShapeCase{"cpin_echo", "AT+CPIN?", true, true, config(true)},
                    ShapeCase{"cpin", "AT+CPIN?", true, false, config(false)},
                    ShapeCase{"cpin_entry_when_ready", "AT+CPIN=\"0000\"", true, true, config(true)},
                    ShapeCase{"ipr_echo", "AT+IPR?", true, true, config(true, true, 115200)},
                    ShapeCase{"atv0_echo", "ATV0", false, true, config(true)},
                    ShapeCase{"atv0", "ATV0", false, false, config(false)},
                    ShapeCase{"ipr_set_numeric_echo", "AT+IPR=115200", false, true, config(true, false)},
                    ShapeCase{"csq_echo", "AT+CSQ", true, true, config(true)},
                    ShapeCase{"cgatt_test_echo", "AT+CGATT=?", true, true, config(true)}),
    [](const testing::TestParamInfo<ShapeCase> &info) { return std::string(info.param.name); });

} // namespace
