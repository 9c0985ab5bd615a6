// The SMS page's settings: parsers, read and write on the in-memory line,
// and its lifecycle on the shared page kit.
#include "link/core/modemsession.h"
#include "pages/core/smslogic.h"
#include "pages/core/smsparsers.h"
#include "pages/core/smsrecord.h"
#include "pages/pagehost.h"
#include "support/fakemodem.h"
#include "support/memoryport.h"
#include "support/scriptedprompter.h"
#include "support/scriptedpump.h"

#include <gtest/gtest.h>

using namespace telvio;
using namespace telvio::test;

namespace {

struct CscaCase {
    const char *name;
    QByteArray answer;
    QByteArray address;
};

void PrintTo(const CscaCase &c, std::ostream *os)
{
    *os << c.name;
}

class CscaAnswers : public ::testing::TestWithParam<CscaCase> {};

TEST_P(CscaAnswers, AddressBetweenTheQuotes)
{
    EXPECT_EQ(ParseCscaAnswer(GetParam().answer), GetParam().address);
}

INSTANTIATE_TEST_SUITE_P(
    Sms, CscaAnswers,
    ::testing::Values(CscaCase{"verbose with type", "\r\n+CSCA: \"+46708251018\",145\r\n\r\nOK\r\n", "+46708251018"},
                      CscaCase{"echo first", "AT+CSCA?\r\r\n+CSCA: \"0708251018\",129\r\n\r\nOK\r\n", "0708251018"},
                      CscaCase{"no blank after the colon", "\r\n+CSCA:\"123\"\r\n\r\nOK\r\n", "123"},
                      CscaCase{"empty address", "\r\n+CSCA: \"\",129\r\n\r\nOK\r\n", ""},
                      CscaCase{"no keyword", "\r\nOK\r\n", ""},
                      CscaCase{"unclosed quote", "\r\n+CSCA: \"123", ""},
                      CscaCase{"empty address, more quotes on its line", "\r\n+CSCA: \"\",\"x\"\r\n\r\nOK\r\n", ""},
                      CscaCase{"closing quote on a later line", "\r\n+CSCA: \"12\r\n\"\r\nOK\r\n", ""}),
    [](const ::testing::TestParamInfo<CscaCase> &info) {
        std::string name = info.param.name;
        for (char &c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(SmsParsers, FormatIsTextUnlessTheModemSaysZero)
{
    EXPECT_EQ(ParseCmgfAnswer("\r\n+CMGF: 0\r\n\r\nOK\r\n"), 0);
    EXPECT_EQ(ParseCmgfAnswer("\r\n+CMGF: 1\r\n\r\nOK\r\n"), 1);
    EXPECT_EQ(ParseCmgfAnswer("\r\n+CMGF:"), 1);
    EXPECT_EQ(ParseCmgfAnswer(""), 1);
}

// The SMS page's logic on a session connected at 9600 8N1 over the
// in-memory port.
class SmsPage : public ::testing::Test {
protected:
    SmsPage()
    {
        pump.Attach(&session);
        port.SetSettings(QStringLiteral("9600,N,8,1"));
        port.SetPortOpen(true);
        session.SetConnected(true);
        session.SetPollUnit(9600);
        session.SetPrompter(&prompts);
        session.SetDefaults();
    }

    void AnswerVerbose()
    {
        modem.Answer("AT", "\r\nOK\r\n");
        modem.Answer("AT+CSCA?", "\r\n+CSCA: \"+46708251018\",145\r\n\r\nOK\r\n");
        modem.Answer("AT+CMGF?", "\r\n+CMGF: 0\r\n\r\nOK\r\n");
    }
    QList<QByteArray> Sent() const { return port.CommandLines(); }
    PageFlags &Flags() { return session.Flags(PageId::Sms); }
    QByteArray Centre() const
    {
        return session.smsRecord.Text(smsfield::ServiceCentre, smsfield::ServiceCentreWidth);
    }

    MemoryPort port;
    ScriptedPump pump;
    PageHost host;
    ScriptedPrompter prompts;
    ModemSession session{&port, &host, &pump};
    FakeModem modem{&port, &pump};
    SmsLogic logic{session, prompts};
};

TEST_F(SmsPage, FirstShowingReadsBothSettingsIntoFormAndRecord)
{
    AnswerVerbose();
    logic.Activate();
    EXPECT_EQ(Sent(), (QList<QByteArray>{"AT", "AT+CSCA?", "AT+CMGF?"}));
    EXPECT_EQ(logic.form.serviceCentre.text, "+46708251018");
    EXPECT_EQ(logic.form.format.CurrentText(), "0 - PDU");
    EXPECT_EQ(Centre(), "+46708251018");
    EXPECT_EQ(session.smsRecord.Int(smsfield::Format), 0);
    EXPECT_TRUE(logic.unreadFields.isEmpty());
    EXPECT_FALSE(Flags().mustRead);
    EXPECT_FALSE(Flags().modified);
    EXPECT_TRUE(prompts.Texts().isEmpty());
    EXPECT_FALSE(session.Busy());
    EXPECT_EQ(host.openWindows, 0);
}

TEST_F(SmsPage, NumericModemIsReadVerboseAndRestored)
{
    modem.Answer("AT", "0\r");
    modem.Answer("ATV1", "\r\nOK\r\n");
    modem.Answer("AT+CSCA?", "\r\n+CSCA: \"123\",129\r\n\r\nOK\r\n");
    modem.Answer("AT+CMGF?", "\r\n+CMGF: 1\r\n\r\nOK\r\n");
    modem.Answer("ATV0", "0\r");
    logic.Create();
    ASSERT_TRUE(logic.ReadButton());
    EXPECT_EQ(Sent(), (QList<QByteArray>{"AT", "ATV1", "AT+CSCA?", "AT+CMGF?", "AT", "ATV0"}));
    EXPECT_EQ(logic.form.format.CurrentText(), "1 - Text");
}

TEST_F(SmsPage, RefusedServiceCentreKeepsTheFieldAndReadsOn)
{
    modem.Answer("AT", "\r\nOK\r\n");
    modem.Answer("AT+CSCA?", "\r\n+CME ERROR: 10\r\nERROR\r\n");
    modem.Answer("AT+CMGF?", "\r\n+CMGF: 1\r\n\r\nOK\r\n");
    logic.Create();
    logic.form.serviceCentre.text = "555";
    EXPECT_TRUE(logic.ReadButton());
    EXPECT_EQ(logic.form.serviceCentre.text, "555");
    EXPECT_EQ(logic.form.format.current, 1);
    // The page keeps its field, but the read does not pass "555" off as
    // the modem's.
    EXPECT_EQ(logic.unreadFields, QStringList{"serviceCentre"});
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST_F(SmsPage, SilentModemFailsTheReadAndEditsStopCounting)
{
    modem.Answer("AT", "\r\nOK\r\n");
    modem.Answer("AT+CSCA?", "\r\n+CSCA: \"123\",129\r\n\r\nOK\r\n");
    logic.Create();
    EXPECT_FALSE(logic.ReadButton());
    EXPECT_EQ(prompts.Texts(), QStringList{"SIM-card not ready!"});
    EXPECT_FALSE(logic.form.write.enabled);
    EXPECT_FALSE(logic.form.serviceCentre.enabled);
    EXPECT_TRUE(logic.form.read.enabled);
    Flags().mustRead = false;
    logic.form.serviceCentre.text = "999";
    logic.Command(SmsCommand::Edited);
    EXPECT_FALSE(Flags().modified);
    EXPECT_FALSE(session.Busy());
}

TEST_F(SmsPage, WriteSendsTheSettingsInOrderAndTakesTheSnapshot)
{
    AnswerVerbose();
    logic.Activate();
    logic.form.serviceCentre.text = "+4670";
    logic.form.format.Select(1);
    logic.Command(SmsCommand::Edited);
    EXPECT_TRUE(Flags().modified);
    for (const char *c : {"AT+CSCA=\"+4670\"", "AT+CSAS", "AT+CMGF=1", "AT&W"})
        modem.Answer(c, "\r\nOK\r\n");
    const int from = int(Sent().size());
    ASSERT_TRUE(logic.Command(SmsCommand::Write));
    EXPECT_EQ(Sent().mid(from), (QList<QByteArray>{"AT", "AT+CSCA=\"+4670\"", "AT+CSAS", "AT+CMGF=1", "AT&W"}));
    EXPECT_FALSE(Flags().modified);
    EXPECT_EQ(logic.Snapshot(), session.smsRecord);
}

TEST_F(SmsPage, WriteStopsAtTheFirstRefusal)
{
    AnswerVerbose();
    logic.Activate();
    modem.Answer("AT+CSCA=\"+46708251018\"", "\r\nOK\r\n");
    modem.Answer("AT+CSAS", "\r\nERROR\r\n");
    const int from = int(Sent().size());
    EXPECT_FALSE(logic.Command(SmsCommand::Write));
    EXPECT_EQ(Sent().mid(from), (QList<QByteArray>{"AT", "AT+CSCA=\"+46708251018\"", "AT+CSAS"}));
    EXPECT_EQ(prompts.Texts(), QStringList{"Unable to save settings..."});
}

TEST_F(SmsPage, NumericModemIsLeftNumericAndStoredSoAfterAWrite)
{
    modem.Answer("AT", "0\r");
    modem.Answer("ATV1", "\r\nOK\r\n");
    for (const char *c : {"AT+CSCA=\"\"", "AT+CSAS", "AT+CMGF=1", "AT&W"})
        modem.Answer(c, "\r\nOK\r\n");
    modem.Answer("ATV0", "0\r");
    logic.Create();
    Flags().mustRead = false;
    ASSERT_TRUE(logic.WriteToModem());
    const QList<QByteArray> sent = Sent();
    ASSERT_GE(sent.size(), 2);
    EXPECT_EQ(sent.mid(sent.size() - 2), (QList<QByteArray>{"ATV0", "AT&W"}));
}

TEST_F(SmsPage, AddressThatWouldBreakOutOfItsQuotesIsNotSent)
{
    modem.Answer("AT", "\r\nOK\r\n");
    logic.Create();
    Flags().mustRead = false;
    logic.form.serviceCentre.text = "1\";+CFUN=0;\"";
    logic.Command(SmsCommand::Edited);
    EXPECT_FALSE(logic.Command(SmsCommand::Write));
    for (const QByteArray &c : Sent())
        EXPECT_FALSE(c.startsWith("AT+CSCA=")) << c.constData();
}

TEST_F(SmsPage, ProfileIsShownAndCountsAsModifiedAtTheNextEdit)
{
    logic.Create();
    session.smsRecord.SetText(smsfield::ServiceCentre, smsfield::ServiceCentreWidth, "777");
    session.smsRecord.SetInt(smsfield::Format, 1);
    Flags().profilePending = true;
    Flags().modified = true;
    logic.Activate();
    EXPECT_EQ(logic.form.serviceCentre.text, "777");
    EXPECT_FALSE(Flags().modified);
    EXPECT_FALSE(Flags().mustRead);
    EXPECT_TRUE(Sent().isEmpty());
    logic.Command(SmsCommand::Edited);
    EXPECT_TRUE(Flags().modified);
}

// --- Send -------------------------------------------------------------------

struct PiecesCase {
    const char *name;
    QByteArray message;
    QList<QByteArray> pieces;
};

void PrintTo(const PiecesCase &c, std::ostream *os)
{
    *os << c.name;
}

class SmsSendPieces : public ::testing::TestWithParam<PiecesCase> {};

TEST_P(SmsSendPieces, LinesUpToTheFirstEmptyOneThenTheRest)
{
    EXPECT_EQ(telvio::SmsSendPieces(GetParam().message), GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(
    Sms, SmsSendPieces,
    ::testing::Values(PiecesCase{"one line", "Hello", {"Hello"}},
                      PiecesCase{"two lines", "Hello\r\nWorld", {"Hello", "\nWorld"}},
                      PiecesCase{"three lines", "a\r\nb\r\nc", {"a", "\nb", "\nc"}},
                      // The break of an empty line is a line of its own ("\n").
                      PiecesCase{"empty line inside", "a\r\n\r\nb", {"a", "\n", "\nb"}},
                      PiecesCase{"break at the end", "a\r\n", {"a", "\n"}},
                      PiecesCase{"break first", "\r\na", {"\na"}},
                      PiecesCase{"a lone CR is dropped", "a\rb", {"a", "b"}}),
    [](const ::testing::TestParamInfo<PiecesCase> &info) {
        std::string name = info.param.name;
        for (char &c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

class SmsSend : public SmsPage {
protected:
    void ReadPage()
    {
        AnswerVerbose();
        logic.Activate();
        m_from = int(SmsPage::Sent().size());
    }
    // What went out since the page was read.
    QList<QByteArray> Sent() const { return SmsPage::Sent().mid(m_from); }
    int m_from = 0;
    void Type(const QString &number, const QString &message)
    {
        logic.form.number.text = number;
        logic.Command(SmsCommand::Edited);
        logic.form.message.text = message;
        logic.Command(SmsCommand::Edited);
    }
    void AnswerSend()
    {
        modem.Answer("AT+CMGF=1", "\r\nOK\r\n");
        modem.Answer("AT+CMGS=\"+4912345\"", "\r\n> ");
        modem.Answer("Hello", "\r\n> ");
        modem.Answer("\nWorld", "\r\n> ");
        modem.Answer("\x1A", "\r\n+CMGS: 7\r\n\r\nOK\r\n", 3);
    }
};

TEST_F(SmsSend, TwoLinesGoOutPieceByPieceThenCtrlZ)
{
    ReadPage();
    AnswerSend();
    Type("+4912345", "Hello\r\nWorld");
    EXPECT_TRUE(Flags().modified);
    EXPECT_EQ(logic.form.length.text, "12");
    EXPECT_EQ(logic.Send(), 1);
    EXPECT_EQ(Sent(), (QList<QByteArray>{"AT+CMGF=1", "AT+CMGS=\"+4912345\"", "Hello", "\nWorld", "\x1A"}));
    EXPECT_TRUE(host.terminal.isEmpty());
    EXPECT_TRUE(prompts.Texts().isEmpty());
    EXPECT_EQ(host.windows.last(), "Sending Message...");
    EXPECT_EQ(host.openWindows, 0);
    EXPECT_FALSE(session.Busy());
    // What was typed to send is no unsaved setting; the format is.
    EXPECT_FALSE(Flags().modified);
    EXPECT_EQ(logic.form.number.text, "+4912345");
    logic.form.format.Select(1);
    logic.Command(SmsCommand::FormatChosen);
    EXPECT_TRUE(Flags().modified);
}

TEST_F(SmsSend, EmptyNumberSendsNothingAndTheTerminalSaysTimeout)
{
    ReadPage();
    AnswerSend();
    Type("", "Hello");
    EXPECT_EQ(logic.Send(), 0);
    EXPECT_TRUE(Sent().isEmpty());
    EXPECT_EQ(host.terminal, "\r\nTelvio: Timeout\r\n");
    EXPECT_TRUE(prompts.Texts().isEmpty());
    EXPECT_FALSE(Flags().modified);
}

TEST_F(SmsSend, BusyLinkSendsNothing)
{
    ReadPage();
    AnswerSend();
    Type("+4912345", "Hello");
    session.SetBusy(true);
    EXPECT_EQ(logic.Send(), 0);
    EXPECT_TRUE(Sent().isEmpty());
    EXPECT_EQ(host.terminal, "\r\nTelvio: Timeout\r\n");
    EXPECT_TRUE(session.Busy());
}

TEST_F(SmsSend, RefusedFormatEndsTheSendAsATimeout)
{
    ReadPage();
    AnswerSend();
    modem.Answer("AT+CMGF=1", "\r\nERROR\r\n");
    Type("+4912345", "Hello");
    EXPECT_EQ(logic.Send(), 0);
    EXPECT_EQ(Sent(), QList<QByteArray>{"AT+CMGF=1"});
    EXPECT_EQ(host.terminal, "\r\nTelvio: Timeout\r\n");
}

TEST_F(SmsSend, FailedLineStillEndsWithCtrlZAndTheRefusalIsTold)
{
    ReadPage();
    AnswerSend();
    modem.Answer("Hello", "\r\nERROR\r\n");
    modem.Answer("\x1A", "\r\n+CMS ERROR: 500\r\n");
    Type("+4912345", "Hello\r\nWorld");
    EXPECT_EQ(logic.Send(), 2);
    EXPECT_EQ(Sent(), (QList<QByteArray>{"AT+CMGF=1", "AT+CMGS=\"+4912345\"", "Hello", "\x1A"}));
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: Unable to send message!"});
    EXPECT_TRUE(host.terminal.isEmpty());
}

TEST_F(SmsSend, TextsThatWouldLeaveTheirQuotesOrPromptAreNotSent)
{
    ReadPage();
    AnswerSend();
    Type("1\";+CFUN=0;\"", "Hello");
    EXPECT_EQ(logic.Send(), 2);
    Type("+4912345", QStringLiteral("Hi\x1A") + "AT+CFUN=0");
    EXPECT_EQ(logic.Send(), 2);
    EXPECT_TRUE(Sent().isEmpty());
}

} // namespace
