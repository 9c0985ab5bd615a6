#pragma once

#include "pages/basicfixture.h"
#include "sim/simmodem.h"
#include "support/linerate.h"
#include "support/simlink.h"

#include <QTest>

#include <vector>

namespace telvio::test {

// The Basic page's logic against the simulator, through the real serial
// control on a pseudo-terminal: connect and identify first, as the page
// only ever runs on an identified modem.
class BasicFlow {
public:
    explicit BasicFlow(const sim::SimConfig &config) : link(config)
    {
        link.session.SetPrompter(&prompts);
        link.session.SetTraceSink([this](TraceDirection dir, const QByteArray &bytes) {
            if (dir == TraceDirection::Sent)
                sent += bytes;
        });
        line = config.line;
    }

    bool Connect()
    {
        ConnectParams p;
        p.port = link.path;
        p.line.baud = line.baud;
        p.line.stopBits = line.stopBits;
        return link.session.Connect(p) == 1;
    }

    QByteArray Setting(const QByteArray &name, sim::ProfileSlot slot = sim::ProfileSlot::Active)
    {
        QByteArray value;
        link.modem.withModem([&](sim::SimModem &m) { value = m.state().value(name, slot); });
        return value;
    }
    QByteArray Variable(const QByteArray &name)
    {
        QByteArray value;
        link.modem.withModem([&](sim::SimModem &m) { value = m.state().variable(name); });
        return value;
    }
    void SetVariable(const QByteArray &name, const QByteArray &value)
    {
        link.modem.withModem([&](sim::SimModem &m) { m.state().setVariable(name, value); });
    }
    sim::SimCardState Card()
    {
        sim::SimCardState card;
        link.modem.withModem([&](sim::SimModem &m) { card = m.state().sim(); });
        return card;
    }
    bool Restarting()
    {
        bool restarting = false;
        link.modem.withModem([&](sim::SimModem &m) { restarting = m.restarting(); });
        return restarting;
    }

    // The command lines sent since the last call, without their CRs.
    QList<QByteArray> TakeSent()
    {
        QList<QByteArray> lines;
        for (const QByteArray &l : sent.split('\r')) {
            if (!l.isEmpty())
                lines << l;
        }
        sent.clear();
        return lines;
    }

    SimLink link;
    sim::LineSettings line;
    QByteArray sent;
    ScriptedPrompter prompts;
    ScriptedBasicDialogs dialogs;
    BasicLogic logic{link.session, prompts, dialogs, dialogs, dialogs};
};

struct ModeCase {
    const char *name;
    bool verbose;
    bool echo;
};

inline void PrintTo(const ModeCase &c, std::ostream *os)
{
    *os << c.name;
}

inline std::vector<ModeCase> AllModes()
{
    return {{"verbose", true, false},
            {"verbose with echo", true, true},
            {"numeric", false, false},
            {"numeric with echo", false, true}};
}

inline sim::SimConfig ConfigFor(const ModeCase &mode, sim::Model model = sim::Model::Pike3)
{
    sim::SimConfig c;
    c.model = model;
    c.verbose = mode.verbose;
    c.echo = mode.echo;
    return c;
}

inline sim::SimConfig ConfigFor(const ModeCase &mode, LineRate rate, sim::Model model = sim::Model::Pike3)
{
    return AtRate(ConfigFor(mode, model), rate);
}

// A flow in each result-code mode, at both line rates.
class FlowInEveryMode : public ::testing::TestWithParam<CaseAtRate<ModeCase>> {
protected:
    const ModeCase &Mode() const { return std::get<0>(GetParam()); }
    LineRate Rate() const { return std::get<1>(GetParam()); }
    sim::SimConfig Config(sim::Model model = sim::Model::Pike3) const { return ConfigFor(Mode(), Rate(), model); }
};

} // namespace telvio::test
