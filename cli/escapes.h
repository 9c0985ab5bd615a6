#pragma once

#include <QByteArray>
#include <QString>

namespace telvio::cli {

// Turns the escapes a user can type on a command line into bytes:
// \r \n \t \\ \" and \xHH (so \x1a is Ctrl-Z). Other characters are kept as
// single bytes. Returns false on a broken escape such as a trailing "\".
bool Unescape(const QString &text, QByteArray *out);

} // namespace telvio::cli
