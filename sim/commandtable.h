#pragma once

#include "sim/commandline.h"
#include "sim/modemstate.h"
#include "sim/resultcodes.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>

#include <functional>

namespace telvio::sim {

using CommandHandler = std::function<CommandResult(ModemState &state, const ParsedCommand &command)>;

struct CommandDef {
    QByteArray name; // as ParsedCommand::name: "+CGSN", "I", "&V", "#VVERSION"
    CommandHandler handler;
    QList<Firmware> firmwares; // empty: every firmware has it
    QList<Model> models;       // empty: every model has it
    // Commands that talk to the SIM answer +CME ERROR 10, 11 or 12 until it is ready.
    bool needsSim = false;
};

// The commands a modem knows. Settings of the state need no entry: a command
// whose name is a setting runs the generic setting handler.
class CommandTable {
public:
    // Replaces a command of the same name.
    void add(const CommandDef &def);
    // A command answered from templates, one per form, with ${VARIABLES} of the
    // state; '\n' separates lines; an empty template answers just OK. Forms
    // without a template answer ERROR.
    void addCanned(const QByteArray &name, const QMap<CommandForm, QByteArray> &answers,
                   const QList<Firmware> &firmwares = {});
    void remove(const QByteArray &name);

    // The entry for a name if this modem's model and firmware have it.
    const CommandDef *find(const QByteArray &name, const ModemState &state) const;

    // Runs one command: a table entry, else a setting, else ERROR.
    CommandResult execute(ModemState &state, const ParsedCommand &command) const;

private:
    QHash<QByteArray, CommandDef> m_commands;
};

// The generic handler of a setting: read, test and set forms by its kind.
CommandResult runSettingCommand(ModemState &state, const SettingDef &def, const ParsedCommand &command);

// A template expanded with the state's variables and split into lines.
QList<QByteArray> expandLines(const ModemState &state, const QByteArray &text);

} // namespace telvio::sim
