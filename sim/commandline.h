#pragma once

#include <QByteArray>
#include <QList>

namespace telvio::sim {

// How a command is written (V.250 section 5.3/5.4).
enum class CommandSyntax {
    Basic,      // a letter, or &, % or \ and a letter, with an optional number: E1, &W, %C0, \N3
    SParameter, // S<n>? and S<n>=<v>
    Extended,   // +, #, * (or % with a multi-letter name) and a name: +CGSN, #VVERSION
    Dial,       // D and the rest of the line
};

enum class CommandForm {
    Action, // E1, +CGSN
    Read,   // S0?, +CPIN?
    Set,    // S0=2, +CMEE=1
    Test,   // +CMEE=?
};

struct ParsedCommand {
    CommandSyntax syntax = CommandSyntax::Basic;
    QByteArray name;     // upper case: "E", "&W", "S7", "+CGSN", "D"
    CommandForm form = CommandForm::Action;
    QByteArray argument; // the number of a basic command, the value of a set, the dial string

    // The command as a modem manual would write it: "E1", "S0?", "+CMEE=1", "+CMEE=?".
    QByteArray text() const;
};

// The commands of one line, in order. A syntax error stops the parse: the
// commands before it still run, as on a real modem, and the line then ends in ERROR.
struct CommandLine {
    QList<ParsedCommand> commands;
    bool syntaxError = false;
};

// Splits the body of a command line (the text after "AT", without the ending CR).
// Blanks between commands are ignored; an extended command ends at ';', at the
// end of the line, or at a blank that is followed by the start of another command
// ("AT+CMEE=1 E0"), which real modems accept.
CommandLine parseCommandLine(const QByteArray &body);

// The fields of a set argument: split at commas outside double quotes, blanks
// around fields dropped, enclosing quotes removed.
QList<QByteArray> splitArguments(const QByteArray &argument);

// A decimal number without sign; false for empty text or any other character.
bool parseNumber(const QByteArray &text, int *value);

} // namespace telvio::sim
