#pragma once

#include "link/core/linklayer.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace telvio {

struct PortEntry;

// The ports offered for connecting. Ports named on the command line come
// first and always. With `askSystem` the serial devices the system reports
// follow, at most `count` of them; without it the fixed candidates
// /dev/ttyS0 .. /dev/ttyS<count-1>, whether they exist or not.
QList<PortEntry> CandidatePorts(bool askSystem, int count, const QStringList &extra, QString *osDescription);

// True for a pseudo-terminal's slave side (UNIX 98 ptys).
bool IsPseudoTerminal(const QString &path);

} // namespace telvio
