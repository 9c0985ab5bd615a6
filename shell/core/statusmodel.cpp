#include "shell/core/statusmodel.h"

#include "link/core/modemsession.h"
#include "link/core/portlist.h"
#include "shell/core/product.h"

namespace telvio {

namespace {
const QString kDash = QStringLiteral("-");

QString PortLabel(const QString &path)
{
    if (path.isEmpty())
        return kDash;
    return PortEntry{path}.Label();
}
} // namespace

QString ParityName(QChar letter)
{
    switch (letter.toUpper().unicode()) {
    case 'E': return QStringLiteral("Even");
    case 'M': return QStringLiteral("Mark");
    case 'N': return QStringLiteral("None");
    case 'O': return QStringLiteral("Odd");
    case 'S': return QStringLiteral("Space");
    default: return kDash;
    }
}

QString SimStateText(int simStatus)
{
    switch (simStatus) {
    case 1: return QStringLiteral("Ok");
    case 2: return QStringLiteral("PIN code required...");
    case 3: return QStringLiteral("Locked");
    default: return kDash;
    }
}

PanelFields ComputePanelFields(const ModemSession &s)
{
    PanelFields f;
    if (s.Connected()) {
        f.mode = PanelFields::Mode::Connected;
        f.status = s.StatusText();
        f.port = PortLabel(s.PortName());
        f.baud = s.BaudText();
        f.parity = ParityName(s.Parity());
        f.dataBits = s.DataBitsText();
        f.stopBits = s.StopBitsText();
        f.sim = SimStateText(s.SimStatus());
        const bool locked = s.UpdateRunning() || s.Connecting();
        f.inputEnabled = !locked;
        f.outputTypable = !locked && s.options.terminal == 1;
        f.spinEnabled = true;
        f.modem = s.ModelName().isEmpty() ? kDash : s.ModelName();
    } else if (s.Offline()) {
        f.mode = PanelFields::Mode::Offline;
        f.status = QStringLiteral("Offline");
        f.modem = s.ModelName().isEmpty() ? kDash : s.ModelName();
    } else {
        f.mode = PanelFields::Mode::Closed;
        f.status = f.port = f.baud = f.parity = f.dataBits = f.stopBits = f.sim = f.modem = kDash;
    }
    return f;
}

StatusBarModel::StatusBarModel() : text(ProductLine()) {}

void StatusBarModel::Update(ModemSession &s)
{
    static const struct {
        PageId page;
        const char *tag;
    } kPages[] = {
        {PageId::Basic, "[Basic] "},
        {PageId::Serial, "[Serial] "},
        {PageId::Sms, "[SMS] "},
        {PageId::Gprs, "[GPRS] "},
    };

    text.clear();
    if (connected) {
        if (s.Sim() == SimState::PinRequired)
            text = QStringLiteral("PIN CODE REQUIRED. ");
        else if (s.Sim() == SimState::PukRequired)
            text = QStringLiteral("THE SIM CARD IS LOCKED. ");
        else
            text = QStringLiteral("Connected... ");
        bool any = false;
        for (const auto &p : kPages) {
            if (s.Flags(p.page).modified) {
                text += QLatin1String(p.tag);
                any = true;
            }
        }
        if (any)
            text += QStringLiteral("configuration changed but not saved");
    } else if (showVersion) {
        text = ProductLine();
        showVersion = false;
    } else {
        for (const auto &p : kPages)
            s.Flags(p.page).modified = false;
        text = QStringLiteral("Not Connected... ");
    }
}

} // namespace telvio
