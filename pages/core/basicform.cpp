#include "pages/core/basicform.h"

namespace telvio {

const QStringList &BasicForm::BearerSpeedItems()
{
    // Two items carry two blanks after the dash; the text is what the
    // modem's value is matched against, so it stays as it is.
    static const QStringList items = {
        QStringLiteral("0 - Autobauding"),        QStringLiteral("1 - 300 bps (V.21)"),
        QStringLiteral("2 - 1200 bps (V.22)"),    QStringLiteral("3 - 1200/75 bps (V.23)"),
        QStringLiteral("4 - 2400 bps (V.22bis)"), QStringLiteral("5 - 2400 bps (V.26ter)"),
        QStringLiteral("6 - 4800 bps (V.32)"),    QStringLiteral("7 - 9600 bps (V.32)"),
        QStringLiteral("12 -  9600 bps (V.34)"),  QStringLiteral("14 - 14400 bps (V.34)"),
        QStringLiteral("65 - 300 bps (V.110)"),   QStringLiteral("66 - 1200 bps (V.110)"),
        QStringLiteral("68 - 2400 bps (V.110)"),  QStringLiteral("70 -  4800 bps (V.110)"),
        QStringLiteral("71 - 9600 bps (V.110)"),  QStringLiteral("75 - 14400 bps (V.110)")};
    return items;
}

const QStringList &BasicForm::BearerCeItems()
{
    static const QStringList items = {QStringLiteral("0 - Transparent only"), QStringLiteral("1 - Non transparent only"),
                                      QStringLiteral("2 - Transparent only"),
                                      QStringLiteral("3 - Non transparent preferred")};
    return items;
}

const QStringList &BasicForm::CompressionItems()
{
    static const QStringList items = {QStringLiteral("0 - no compression"), QStringLiteral("2 - V42bis compression")};
    return items;
}

const QStringList &BasicForm::ErrorCorrectionItems()
{
    static const QStringList items = {QStringLiteral("0 - no error correction"),
                                      QStringLiteral("5 - MNP error correction")};
    return items;
}

const QStringList &BasicForm::DtrEventItems()
{
    static const QStringList items = {QStringLiteral("Select DTR Event"), QStringLiteral("On DTR - Dial Number"),
                                      QStringLiteral("On DTR - Send SMS")};
    return items;
}

const QStringList &BasicForm::StatusLedItems()
{
    static const QStringList items = {QStringLiteral("0 - Disabled"), QStringLiteral("1 - Signal strength"),
                                      QStringLiteral("2 - GPRS/TCP status")};
    return items;
}

namespace {

ButtonState Button(const QString &caption, const QString &tooltip = QString())
{
    ButtonState b;
    b.caption = caption;
    b.tooltip = tooltip;
    return b;
}

EditState Edit(int maxLength, bool digitsOnly, const QString &tooltip = QString())
{
    EditState e;
    e.maxLength = maxLength;
    e.digitsOnly = digitsOnly;
    e.tooltip = tooltip;
    return e;
}

ListState List(const QStringList &items, const QString &tooltip = QString())
{
    ListState l;
    l.items = items;
    l.tooltip = tooltip;
    return l;
}

CheckState Check(const QString &caption, const QString &tooltip)
{
    CheckState c;
    c.caption = caption;
    c.tooltip = tooltip;
    return c;
}

GroupState Group(const QString &caption)
{
    GroupState g;
    g.caption = caption;
    return g;
}

} // namespace

BasicForm BasicForm::Initial()
{
    BasicForm f;
    f.enterPin = Button(QStringLiteral("Enter PIN"), QStringLiteral("Enter PIN code (SIM-card)."));
    f.changePin = Button(QStringLiteral("Change PIN"), QStringLiteral("Change PIN code (SIM-card)."));
    f.activatePin = Button(QStringLiteral("Activate PIN"), QStringLiteral("Enables or disables PIN (SIM-card)"));

    f.rings = Edit(3, true,
                   QStringLiteral("Sets the number of ring signals before automatic answer. (0-255) Default: 2"));

    f.autoPinGroup = Group(basictext::kAutoPinGroup);
    f.autoPin = Check(basictext::kEnabled, QStringLiteral("Enables the Kestrava Auto PIN function."));
    f.autoPinCode = Edit(4, false, QStringLiteral("PIN code for Kestrava Auto PIN function."));

    f.reset = Check(basictext::kEnabled, QStringLiteral("Enables the Kestrava reset funktion.\n\rDefault: Enabled"));
    f.resetDelay = Edit(6, false, QStringLiteral("Set the reset timer.\n\rDefault: 024:00"));
    f.resetDelay.enabled = false;
    f.resetNow = Button(QStringLiteral("Reset Now"), QStringLiteral("Reset the modem."));

    f.bearerSpeed = List(BearerSpeedItems(), QStringLiteral("Bearer type selection, connection speed.\n\rDefault: 0 - Autobauding"));
    f.bearerCe = List(BearerCeItems(),
                      QStringLiteral("Bearer type selection, connection element.\n\rDefault: 1 - Non transparent only"));
    f.compression = List(CompressionItems(),
                         QStringLiteral("Enables or disables data compression negotiation.\n\rDefault: 0 - No compression"));
    f.errorCorrection = List(ErrorCorrectionItems(),
                             QStringLiteral("Select data error correction mode.\n\rDefault: 0 - No error correction"));

    f.dtrEvent = List(DtrEventItems(), QStringLiteral("Select on DTR function (Dial or SMS)."));
    f.dtrEvent.current = 0;
    f.dtrActivate = Button(QStringLiteral("Activate"), QStringLiteral("Activates selected DTR function "));
    f.dtrDeactivate = Button(QStringLiteral("Deactivate"), QStringLiteral("Deactivates DTR function (Dial or SMS on DTR)."));
    f.dtrTest = Button(QStringLiteral("Test"), QStringLiteral("Toggles the DTR signal for testing."));
    f.dtrTest.enabled = false;

    f.factory = Button(QStringLiteral("Factory"), QStringLiteral("Restore factory settings from EEPROM to RAM."));
    f.embeddedAppGroup = Group(basictext::kEmbeddedAppGroup);
    f.embeddedApp = Button(basictext::kEnable);
    f.statusLed = List(StatusLedItems());

    f.read = Button(QStringLiteral("Read"), QStringLiteral("Reads configuration from modem."));
    f.write = Button(QStringLiteral("Write"), QStringLiteral("Writes and saves current configuration to modem."));
    return f;
}

} // namespace telvio
