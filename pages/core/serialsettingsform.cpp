#include "pages/core/serialsettingsform.h"

namespace telvio {

namespace {

struct FieldText {
    QStringList items;
    const char *label;
    const char *tooltip;
    int controlId;
};

// Indexed by SerialField. The parity items stand in the order of the +ICF
// parity codes, so that a position is the code itself.
const std::array<FieldText, kSerialFieldCount> &Texts()
{
    static const std::array<FieldText, kSerialFieldCount> texts = {{
        {{QStringLiteral("0 - Echo off"), QStringLiteral("1 - Echo on")},
         "Echo [E]",
         "Determines whether the modem echoes characters received by DTE or not\n\rDefault: 1\n\r"
         "0: Characters are not echoed\n\r1: Characters are echoed",
         1576},
        {{QStringLiteral("1"), QStringLiteral("2")},
         "Stop bits",
         "Sets the number of stop bits.\n\rDefault: 1",
         1584},
        {{QStringLiteral("0 - Short"), QStringLiteral("1 - Long(verbose)")},
         "DCE Response Format [V]",
         "Sets the DCE response format.\n\rDefault: 1\n\r0: Short format\n\r1: Long format (verbose)",
         1582},
        {{QStringLiteral("0 - Always on"), QStringLiteral("1 - Mode dependent")},
         "DSR Signal [&&S]",
         "Sets the Data Set Ready (DSR) signal.\n\rDefault: 1\n\r0: DSR always on\n\r"
         "1: DSR off in command mode, DSR on in data mode.",
         1570},
        {{QStringLiteral("0 - Ignore signal"), QStringLiteral("1 - Switch to command"),
          QStringLiteral("2 - Relase call")},
         "DTR Signal [&&D]",
         "Sets the Data Terminal Ready (DTR) signal.\n\rDefault: 2\n\r0: The DTR signal is ignored. \n\r"
         "1: Modem switches from data to command mode when DTR switches from ON to OFF,\n\r"
         "2: Upon DTR switch form ON to OFF, the call is released.",
         1574},
        {{QStringLiteral("0 - Always on"), QStringLiteral("1 - Match remote")},
         "DCD Signal [&&C]",
         "Sets the Data Carrier Detect (DCD) signal.\n\rDefault: 1\n\r0: DCD always on\n\r"
         "1: DCD matches state of the remote modem's data carrier.",
         1566},
        {{QStringLiteral("0 - None"), QStringLiteral("2 - CTS")},
         "DTE by DCE",
         "Sets the flow control, DTE by DCE.\n\rDefault: None",
         1572},
        {{QStringLiteral("0 - None"), QStringLiteral("2 - RTS")},
         "DCE by DTE",
         "Sets the flow control, DCE by DTE.\n\rDefault: None",
         1568},
        {{QStringLiteral("Odd"), QStringLiteral("Even"), QStringLiteral("Mark"), QStringLiteral("Space"),
          QStringLiteral("None")},
         "Parity",
         "Sets parity type.\n\rDefault: None",
         1578},
        {{QStringLiteral("8"), QStringLiteral("7")},
         "Data bits",
         "Sets the number of data bits.\n\rDefault: 8",
         1564},
        {{QStringLiteral("Auto"), QStringLiteral("300"), QStringLiteral("600"), QStringLiteral("1200"),
          QStringLiteral("2400"), QStringLiteral("4800"), QStringLiteral("9600"), QStringLiteral("19200"),
          QStringLiteral("38400"), QStringLiteral("57600"), QStringLiteral("115200")},
         "DTE Rate [+IPR]",
         "Sets the baud rate.\n\rDefault: 115200",
         1138},
        {{QStringLiteral("0 - Off"), QStringLiteral("1 - On")},
         "Result code suppression [Q]",
         "Result code suppression\n\rDefault: 0\n\r0: DCE transmits result codes\n\r"
         "1:Result codes are suppressed and not transmitted\n\r"
         "Changes to Result code suppression will not be activated until closing the Telvio.",
         1591},
    }};
    return texts;
}

const FieldText &TextOf(SerialField field)
{
    return Texts()[size_t(field)];
}

} // namespace

const QStringList &SerialSettingsForm::Items(SerialField field)
{
    return TextOf(field).items;
}

QString SerialSettingsForm::Label(SerialField field)
{
    return QString::fromLatin1(TextOf(field).label);
}

QString SerialSettingsForm::Tooltip(SerialField field)
{
    return QString::fromLatin1(TextOf(field).tooltip);
}

int SerialSettingsForm::ControlId(SerialField field)
{
    return TextOf(field).controlId;
}

SerialSettingsForm SerialSettingsForm::Initial()
{
    SerialSettingsForm form;
    for (SerialField field : kSerialFields) {
        ListState &list = form.List(field);
        list.items = Items(field);
        list.tooltip = Tooltip(field);
        list.current = -1;
    }
    form.read.caption = serialtext::kRead;
    form.read.tooltip = serialtext::kReadTip;
    form.write.caption = serialtext::kWrite;
    form.write.tooltip = serialtext::kWriteTip;
    return form;
}

} // namespace telvio
