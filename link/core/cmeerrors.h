#pragma once

#include <QByteArray>
#include <QString>

namespace telvio {

// What the codes of "+CME ERROR: n" (mobile equipment errors, 27.007) and
// "+CMS ERROR: n" (message service errors, 27.005) mean, in the standards'
// own words. Empty for a code the standard leaves undefined (or to the
// maker).
QString CmeErrorMeaning(int code);
QString CmsErrorMeaning(int code);

// The final result with which a modem refused a command, taken from its
// answer: "ERROR", "+CME ERROR: 10 (SIM not inserted)", or the text as the
// modem gave it when it reports errors in words (+CMEE=2). Only a line of
// its own counts, so "ERROR" inside an information text is not one. Empty
// when the answer holds no refusal.
QString DescribeRefusal(const QByteArray &answer);

} // namespace telvio
