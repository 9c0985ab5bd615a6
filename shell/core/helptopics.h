#pragma once

#include "shell/core/shelllayer.h"

#include "link/core/pageflags.h"

#include <QString>

namespace telvio {

// The help pages shipped with the program, as resource paths. A control
// whose id has a topic of its own opens that one; every other control opens
// the topic of the page it sits on.
namespace HelpTopics {

constexpr int kSignalTopicId = 5001;
constexpr int kDiagnosticTopicId = 5002;

QString Contents();
QString ForControl(int controlId);   // empty when the id has no topic
QString ForPage(PageId page);
QString Terminal();
QString Options();
QString Url(const QString &topic);

} // namespace HelpTopics
} // namespace telvio
