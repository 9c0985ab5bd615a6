#pragma once

#include "sim/linesettings.h"
#include "sim/resultcodes.h"
#include "sim/simconfig.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>

#include <functional>
#include <optional>

namespace telvio::sim {

class ModemState;

enum class SettingKind {
    Basic,      // E1, &D2: the number follows the name, no read form
    SParameter, // S0=2, S0? answers "000"
    Extended,   // +CMEE=1, +CMEE? answers "+CMEE: 1", +CMEE=? answers "+CMEE: (0-2)"
};

// One numeric field of a setting.
struct SettingField {
    QList<QPair<int, int>> allowed; // inclusive ranges
    int whenOmitted = -1;           // value of a field left out of a set; -1: required

    bool allows(int value) const;
    static SettingField range(int low, int high, int whenOmitted = -1);
    static SettingField values(const QList<int> &values, int whenOmitted = -1);
};

// A setting of the modem's profile. Adding one to the state is all it takes to
// make its commands work: the generic handler answers its read, test and set
// forms, &W/&F/Z keep it, and &V shows it on `dumpLine`.
struct SettingDef {
    QByteArray name; // "E", "&D", "S0", "+CMEE"
    SettingKind kind = SettingKind::Extended;
    QByteArray factory; // value text, fields joined by commas: "1", "3,4"
    QList<SettingField> fields;
    QByteArray testText; // the =? answer after "<name>: ", e.g. "(0-2)"
    // Runs after the fields are in range; may adjust them or refuse the combination.
    std::function<bool(QList<int> &fields)> check;
    // For values that are not lists of numbers (quoted texts): turns a set
    // argument into the stored value text, or refuses it. Replaces `fields`.
    std::function<std::optional<QByteArray>(const QByteArray &argument)> parseText;
    // Runs after a set command has put the new value in place, for commands
    // whose whole job beyond the value is a side effect (+CFUN=1 restarts,
    // +CGATT=1 needs the SIM and a network). Its result is the command's; a
    // failure puts the previous value back. Values set from outside (--set,
    // power-up) do not run it: they are the state the modem is in, not a command.
    std::function<CommandResult(ModemState &state, const QList<int> &fields)> onSet;
    bool portSetting = false; // +IPR, +ICF, +IFC: kept by AT&F on modems that keep their port setup
    bool stored = true;       // part of the profile that &W stores and Z restores
    int dumpLine = -1;        // line of the AT&V dump it shows on; -1: not shown
};

enum class ProfileSlot { Active, Stored, Factory };

// The SIM card and its codes.
struct SimCardState {
    SimCard card = SimCard::Ready;
    QByteArray pin = "0000";
    QByteArray puk = "12345678";
    int pinAttemptsLeft = 3;
    int pukAttemptsLeft = 10;
    bool lockOn = false; // the PIN is asked at power-up (+CLCK "SC")
};

// Everything the modem remembers: identity, the active, stored and factory
// profiles of its settings, the variables of canned answers and the SIM card.
class ModemState {
public:
    explicit ModemState(const SimConfig &config);

    Model model() const { return m_model; }
    Firmware firmware() const { return m_firmware; }

    // Variables of canned answers (${IMEI} ...); a setting name gives its active value.
    QByteArray variable(const QByteArray &name) const;
    void setVariable(const QByteArray &name, const QByteArray &value);
    // Replaces each ${NAME} of a template.
    QByteArray expand(const QByteArray &text) const;

    void addSetting(const SettingDef &def);
    const SettingDef *setting(const QByteArray &name) const;
    QList<QByteArray> settingNames() const { return m_order; }

    QByteArray value(const QByteArray &name, ProfileSlot slot = ProfileSlot::Active) const;
    // The first field of the active value as a number (0 for unknown settings).
    int number(const QByteArray &name) const;
    // Sets the active value from a set argument ("3,4", "" for a basic command
    // without number); false leaves it unchanged.
    bool set(const QByteArray &name, const QByteArray &argument);
    // Sets active and stored value: the state the modem powered up with.
    bool setAtPowerUp(const QByteArray &name, const QByteArray &argument);
    // Puts an active value text back as it was, unchecked (a refused onSet).
    void putActive(const QByteArray &name, const QByteArray &text) { m_active.insert(name, text); }

    void storeProfile();   // &W
    void restoreStored();  // Z
    void restoreFactory(); // &F
    // The AT&V lines of a profile: "NAME:VALUE" items, two blanks between.
    QList<QByteArray> profileDump(ProfileSlot slot) const;

    ResponseFormat responseFormat() const;
    bool echo() const { return number("E") != 0; }
    bool quiet() const { return number("Q") != 0; }
    char lineTerminator() const { return char(number("S3")); }
    char backspace() const { return char(number("S5")); }

    // Rate from +IPR (0 while autobauding) and character format from +ICF.
    LineSettings portSettings() const;

    SimCardState &sim() { return m_sim; }
    const SimCardState &sim() const { return m_sim; }

    // Text typed after a "> " prompt (+CMGW). While an entry is open the
    // interpreter hands it every received character instead of reading
    // command lines; it returns what the modem sends back (echo, the next
    // prompt, the final result) and sets `done` when the text has ended.
    using TextEntry = std::function<QByteArray(ModemState &state, char c, bool *done)>;
    void beginTextEntry(TextEntry entry, const QByteArray &prompt);
    bool inTextEntry() const { return bool(m_textEntry); }
    QByteArray feedTextEntry(char c);
    // The prompt a command just opened an entry with, sent after its line.
    QByteArray takeTextPrompt();
    // The entry's next reply comes only after this pause (the network
    // taking a sent message).
    void pauseBeforeReply(int ms) { m_replyPauseMs = ms; }
    int takeReplyPause()
    {
        const int ms = m_replyPauseMs;
        m_replyPauseMs = 0;
        return ms;
    }

    // Output the modem sends on its own after the answer of the command
    // that caused it (ping results): each text an unsolicited result code,
    // `afterMs` after the one before it.
    void sendLater(int afterMs, const QByteArray &text) { m_later.append({afterMs, text}); }
    QList<QPair<int, QByteArray>> takeLater()
    {
        QList<QPair<int, QByteArray>> later;
        later.swap(m_later);
        return later;
    }

    // A command that restarts the modem (+CFUN=1, +WOPEN) asks for it; the
    // interpreter restarts once the answer is out: the stored profile comes
    // back, the restart hooks run, and the modem hears nothing for the
    // variable RESTART_MS milliseconds (none when unset) while it boots.
    void requestRestart() { m_restartRequested = true; }
    bool takeRestartRequest();
    void addRestartHook(std::function<void(ModemState &)> hook) { m_restartHooks.append(std::move(hook)); }
    void restart();
    int restartMs() const;

private:
    std::optional<QByteArray> parseValue(const SettingDef &def, const QByteArray &argument) const;

    Model m_model;
    Firmware m_firmware;
    QHash<QByteArray, SettingDef> m_defs;
    QList<QByteArray> m_order;
    QHash<QByteArray, QByteArray> m_active;
    QHash<QByteArray, QByteArray> m_stored;
    QHash<QByteArray, QByteArray> m_factory;
    QHash<QByteArray, QByteArray> m_variables;
    SimCardState m_sim;
    TextEntry m_textEntry;
    QByteArray m_textPrompt;
    int m_replyPauseMs = 0;
    QList<QPair<int, QByteArray>> m_later;
    bool m_restartRequested = false;
    QList<std::function<void(ModemState &)>> m_restartHooks;
};

} // namespace telvio::sim
