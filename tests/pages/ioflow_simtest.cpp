// The I/O and Callback pages against the simulated Pike-3 through the real
// serial path on a pseudo-terminal, at full speed and at the line's rate.
#include "pages/basicflow.h"
#include "pages/core/callbacklogic.h"
#include "pages/core/iologic.h"
#include "pages/core/iorecord.h"
#include "pages/pagehost.h"

using namespace telvio;
using namespace telvio::test;

namespace {

class IoPagesOverTheLine : public AtBothRates {
protected:
    sim::SimConfig Pike3()
    {
        sim::SimConfig c;
        c.model = sim::Model::Pike3;
        return Paced(c);
    }
};

TEST_P(IoPagesOverTheLine, IoEntriesWrittenAreReadBackIntoEveryRow)
{
    sim::SimConfig config = Pike3();
    config.assignments = {{"WIOL_7_SERVICE", "TRANS"}, {"WIOL_7_DATA1", "+4670777"}, {"WIOP_TYPE", "2"}};
    BasicFlow f(config);
    ASSERT_TRUE(f.Connect());
    PageHost host;
    f.link.session.SetHost(&host);
    IoLogic io(f.link.session, f.prompts);
    io.Activate();
    ASSERT_TRUE(f.prompts.Texts().isEmpty()) << f.prompts.Texts().join(' ').toStdString();
    EXPECT_EQ(io.form.rows[6].service.CurrentText(), "TRANS");
    EXPECT_EQ(io.form.trigType.CurrentText(), "2 - PULSE");
    EXPECT_EQ(f.link.session.ioRecord.Text(iofield::DataAt(0, 6), 24), "+4670777");

    // Row 3 becomes an SMS with a text the modem must get whole.
    io.form.rows[2].service.Select(2);
    io.form.rows[2].retry.Select(2);
    io.form.rows[2].time.text = "300";
    io.Command(IoCommand::Edited);
    f.link.session.ioRecord.SetText(iofield::DataAt(1, 2), 164, "Door open, now; check");
    io.form.outputCtrl.Select(2);
    io.form.enable.Select(1);
    io.Command(IoCommand::Edited);
    ASSERT_TRUE(io.Command(IoCommand::Write)) << f.prompts.Texts().join(' ').toStdString();
    EXPECT_EQ(f.Variable("WIOL_3_DATA2"), "Door open, now; check");
    EXPECT_EQ(f.Variable("WIOL_3_TIMEOUT"), "255");
    EXPECT_EQ(f.Variable("WIOP_NORM"), "3");

    IoLogic again(f.link.session, f.prompts);
    f.link.session.ioRecord.Clear();
    again.Create();
    ASSERT_TRUE(again.Command(IoCommand::Read));
    EXPECT_EQ(again.form.rows[2].service.CurrentText(), "SMS");
    EXPECT_EQ(again.form.rows[2].retry.CurrentText(), "RETRY_3");
    EXPECT_EQ(again.form.rows[6].service.CurrentText(), "TRANS");
    EXPECT_EQ(again.form.outputCtrl.CurrentText(), "3 - DCD");
    EXPECT_EQ(again.form.enable.CurrentText(), "1 - Enable");
    EXPECT_EQ(f.link.session.ioRecord.Text(iofield::DataAt(1, 2), 164), "Door open, now; check");
    EXPECT_FALSE(f.link.session.Busy());
    EXPECT_EQ(host.openWindows, 0);
}

TEST_P(IoPagesOverTheLine, CallbackTableIsReadAndSavedWhole)
{
    sim::SimConfig config = Pike3();
    config.assignments = {{"WCB", "1"}, {"WCBTAB_2", "+4670222"}, {"WCBPWD_2", "pw2"}};
    BasicFlow f(config);
    ASSERT_TRUE(f.Connect());
    PageHost host;
    f.link.session.SetHost(&host);
    CallbackLogic callback(f.link.session, f.prompts);
    callback.Activate();
    ASSERT_TRUE(f.prompts.Texts().isEmpty()) << f.prompts.Texts().join(' ').toStdString();
    EXPECT_EQ(callback.form.control.current, 1);
    EXPECT_EQ(callback.form.entries[1].number.text, "+4670222");
    EXPECT_EQ(callback.form.entries[1].password.text, "pw2");

    callback.form.entries[2].number.text = "+4670333";
    callback.form.entries[2].password.text = "pass word";
    callback.form.delay.text = "20";
    callback.Command(CallbackCommand::Edited);
    callback.Command(CallbackCommand::ClearEntry, 1);
    ASSERT_TRUE(callback.Command(CallbackCommand::SaveAll)) << f.prompts.Texts().join(' ').toStdString();
    EXPECT_EQ(f.Variable("WCBTAB_2"), "");
    EXPECT_EQ(f.Variable("WCBPWD_3"), "pass word");
    EXPECT_EQ(f.Variable("WCBTIME"), "20");
    EXPECT_EQ(f.Variable("WCB"), "1");
}

TELVIO_AT_BOTH_RATES(IoPagesOverTheLine);

} // namespace
