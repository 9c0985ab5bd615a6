#include "sim/commandline.h"

namespace telvio::sim {
namespace {

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

// V.250 5.4.1: the characters an extended command name may use after its prefix.
bool isNameChar(char c)
{
    return isLetter(c) || isDigit(c) || c == '!' || c == '%' || c == '-' || c == '.' || c == '/'
        || c == ':' || c == '_';
}

bool startsCommand(char c)
{
    return isLetter(c) || c == '&' || c == '+' || c == '#' || c == '*' || c == '%' || c == '\\';
}

class Parser {
public:
    explicit Parser(const QByteArray &body) : m_text(body) {}

    CommandLine run()
    {
        CommandLine line;
        while (true) {
            skipBlanks();
            if (atEnd())
                break;
            const char c = peek();
            if (c == ';') {
                ++m_pos;
                continue;
            }
            ParsedCommand command;
            bool ok = false;
            if (c == '+' || c == '#' || c == '*' || (c == '%' && extendedPercent()))
                ok = parseExtended(&command);
            else if (upper(c) == 'S' && m_pos + 1 < m_text.size() && isDigitAfterBlanks(m_pos + 1))
                ok = parseSParameter(&command);
            else if (upper(c) == 'D')
                ok = parseDial(&command);
            else if (isLetter(c) || c == '&' || c == '%' || c == '\\')
                ok = parseBasic(&command);
            if (!ok) {
                line.syntaxError = true;
                break;
            }
            line.commands.append(command);
        }
        return line;
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return m_text.at(m_pos); }

    void skipBlanks()
    {
        while (!atEnd() && peek() == ' ')
            ++m_pos;
    }

    bool isDigitAfterBlanks(int pos) const
    {
        while (pos < m_text.size() && m_text.at(pos) == ' ')
            ++pos;
        return pos < m_text.size() && isDigit(m_text.at(pos));
    }

    // "%C0" is the basic command %C; "%CGEREP" would be an extended one.
    bool extendedPercent() const
    {
        return m_pos + 2 < m_text.size() && isLetter(m_text.at(m_pos + 1))
            && isLetter(m_text.at(m_pos + 2));
    }

    QByteArray readDigits()
    {
        skipBlanks();
        QByteArray digits;
        while (!atEnd() && isDigit(peek()))
            digits += m_text.at(m_pos++);
        return digits;
    }

    bool parseBasic(ParsedCommand *command)
    {
        command->syntax = CommandSyntax::Basic;
        const char c = m_text.at(m_pos++);
        if (c == '&' || c == '%' || c == '\\') {
            skipBlanks();
            if (atEnd() || !isLetter(peek()))
                return false;
            command->name = QByteArray(1, c) + upper(m_text.at(m_pos++));
        } else {
            command->name = QByteArray(1, upper(c));
        }
        command->argument = readDigits();
        skipBlanks();
        if (command->argument.isEmpty() && !atEnd() && peek() == '?') {
            ++m_pos;
            command->form = CommandForm::Read;
        }
        return true;
    }

    bool parseSParameter(ParsedCommand *command)
    {
        command->syntax = CommandSyntax::SParameter;
        ++m_pos;
        command->name = "S" + QByteArray::number(readDigits().toInt());
        skipBlanks();
        if (atEnd() || peek() != '=' ) {
            if (!atEnd() && peek() == '?') {
                ++m_pos;
                command->form = CommandForm::Read;
            }
            return true;
        }
        ++m_pos;
        skipBlanks();
        if (!atEnd() && peek() == '?') {
            ++m_pos;
            command->form = CommandForm::Test;
            return true;
        }
        command->form = CommandForm::Set;
        command->argument = readDigits(); // V.250: a missing value means 0
        return true;
    }

    bool parseDial(ParsedCommand *command)
    {
        command->syntax = CommandSyntax::Dial;
        command->name = "D";
        ++m_pos;
        command->argument = m_text.mid(m_pos).trimmed();
        m_pos = m_text.size();
        return true;
    }

    bool parseExtended(ParsedCommand *command)
    {
        command->syntax = CommandSyntax::Extended;
        command->name = QByteArray(1, m_text.at(m_pos++));
        while (!atEnd() && isNameChar(peek()))
            command->name += upper(m_text.at(m_pos++));
        if (command->name.size() < 2)
            return false;
        const int afterName = m_pos;
        skipBlanks();
        if (!atEnd() && peek() == '?') {
            ++m_pos;
            command->form = CommandForm::Read;
        } else if (!atEnd() && peek() == '=') {
            ++m_pos;
            skipBlanks();
            if (!atEnd() && peek() == '?') {
                ++m_pos;
                command->form = CommandForm::Test;
            } else {
                command->form = CommandForm::Set;
                if (!readExtendedArgument(&command->argument))
                    return false;
            }
        } else {
            m_pos = afterName; // an action: the blanks may be what ends it
        }
        return endOfExtended();
    }

    // Blanks outside quotes are dropped (V.250 ignores them); a blank followed by
    // the start of another command ends the argument, as modems accept.
    bool readExtendedArgument(QByteArray *argument)
    {
        bool quoted = false;
        while (!atEnd()) {
            const char c = peek();
            if (quoted) {
                *argument += c;
                ++m_pos;
                quoted = c != '"';
                continue;
            }
            if (c == ';')
                break;
            if (c == ' ') {
                const int blank = m_pos;
                skipBlanks();
                if (atEnd() || startsCommand(peek())) {
                    m_pos = blank; // the blank ends the command
                    break;
                }
                continue;
            }
            if (c == '"')
                quoted = true;
            *argument += c;
            ++m_pos;
        }
        return !quoted; // an unterminated string is a syntax error
    }

    bool endOfExtended()
    {
        const int before = m_pos;
        skipBlanks();
        if (atEnd())
            return true;
        if (peek() == ';') {
            ++m_pos;
            return true;
        }
        // "+CGSN E0": a blank ended the command. "+CMEE?1" has no such blank.
        return m_pos > before && startsCommand(peek());
    }

    const QByteArray &m_text;
    int m_pos = 0;
};

} // namespace

QByteArray ParsedCommand::text() const
{
    switch (form) {
    case CommandForm::Action: return name + argument;
    case CommandForm::Read: return name + '?';
    case CommandForm::Set: return name + '=' + argument;
    case CommandForm::Test: return name + "=?";
    }
    return name;
}

CommandLine parseCommandLine(const QByteArray &body)
{
    return Parser(body).run();
}

QList<QByteArray> splitArguments(const QByteArray &argument)
{
    QList<QByteArray> fields;
    if (argument.trimmed().isEmpty())
        return fields;
    QByteArray field;
    bool quoted = false;
    bool wasQuoted = false;
    auto finish = [&]() {
        fields.append(wasQuoted ? field : field.trimmed());
        field.clear();
        wasQuoted = false;
    };
    for (char c : argument) {
        if (c == '"') {
            quoted = !quoted;
            if (quoted) {
                field.clear(); // blanks before the opening quote are not part of the text
                wasQuoted = true;
            }
            continue;
        }
        if (!quoted && c == ',') {
            finish();
            continue;
        }
        if (!quoted && wasQuoted)
            continue; // blanks after the closing quote
        field += c;
    }
    finish();
    return fields;
}

bool parseNumber(const QByteArray &text, int *value)
{
    if (text.isEmpty() || text.size() > 9)
        return false;
    int result = 0;
    for (char c : text) {
        if (!isDigit(c))
            return false;
        result = result * 10 + (c - '0');
    }
    *value = result;
    return true;
}

} // namespace telvio::sim
