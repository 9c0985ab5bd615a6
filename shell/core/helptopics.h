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
// The topic of a control of `page`: its section ("basic.html#c1734") when
// the page's help has one for the id, else empty.
QString ForControl(PageId page, int controlId);
QString ForPage(PageId page);
// The anchor of a control's section in its page's help file.
QString Anchor(int controlId);
// Whether the shipped topic (a file name, no anchor) holds that anchor.
bool HasAnchor(const QString &topic, const QString &anchor);
QString Terminal();
QString Options();
QString Url(const QString &topic);

} // namespace HelpTopics
} // namespace telvio
