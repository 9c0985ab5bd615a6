#pragma once

#include "cli/clicontext.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>

namespace telvio::cli {

// profile new|show|edit|save|write|diff: profile files from the command
// line, the way a fleet is provisioned.
QList<Command> ProfileCommands();

// The steps of `profile write` and `profile diff` on a connected modem,
// shared with `provision`.
// The pages "Write Profile to modem" writes: basic, serial, sms, gprs.
QStringList MenuWritePages();
// "--pages basic,serial": false with the reason on a page no profile has.
bool ParseProfilePages(const QString &list, QStringList *pages, QString *error);
// Writes the chosen pages of the profile `bytes` into the connected modem;
// per page "written", "failed" or why not into `pages`. ExitOk when every
// page written (a page the command line cannot write fails only if `named`).
int WriteProfilePages(CliContext &ctx, const QByteArray &bytes, const QStringList &chosen, bool named,
                      QJsonObject *pages);
// Reads the modem's pages (those in `only`, or all) and appends each field
// that differs from the profile; not ExitOk when a page could not be read.
int DiffProfilePages(CliContext &ctx, const QByteArray &bytes, QJsonArray *differences,
                     const QStringList &only = QStringList());

} // namespace telvio::cli
