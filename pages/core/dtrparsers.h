#pragma once

#include "pages/core/pageslayer.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace telvio {

// Answers and commands of the DTR event functions, without any I/O.

// "AT+CPBR=1": the number of phonebook entry 1; empty when the entry is
// empty (the modem lists no entry) or holds no number.
QByteArray ParseCpbrAnswer(const QByteArray &answer);

struct StoredSms {
    bool present = false; // the answer lists a message
    QByteArray number;
    QByteArray message;   // line breaks as CR LF, as the dialog's edit shows them
};
// "AT+CMGR=1" in text mode: the stored message's number and text.
StoredSms ParseCmgrAnswer(const QByteArray &answer);

// "AT+WSTR=1": whether the SIM's initialisation has finished (status 2).
bool ParseWstrAnswer(const QByteArray &answer);

// "AT+CPBW=1" (deletes the entry) for an empty number, else the entry
// with the number; nothing when the number could not travel in quotes.
std::optional<QByteArray> FormatCpbwCommand(const QByteArray &number);
std::optional<QByteArray> FormatCmgwCommand(const QByteArray &number);
QByteArray FormatDtrCommand(int event);

// The texts sent at the text prompt for a message whose line breaks are
// single CRs: line by line, each followed by the CR the send adds, so the
// modem stores every line ended by a CR. An empty line ends the lines: the
// rest goes in one piece. Nothing for an empty message.
QList<QByteArray> SmsTextParts(const QByteArray &message);

// Whether the text may go to the text prompt: line breaks (CR, LF) aside,
// a control character would end the message early (Ctrl-Z), abort it (Esc)
// or leave the rest to run as commands.
bool SafeSmsText(const QByteArray &message);

} // namespace telvio
