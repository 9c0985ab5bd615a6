#pragma once

#include "shell/ui/uilayer.h"

#include <QWidget>

class QTextBrowser;

namespace telvio {

// The help pages, in a window of their own beside the main window.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // `topic` is a page of the help ("signal.html").
    void ShowTopic(const QString &topic);
    QString CurrentTopic() const;
    // The control's section the topic was opened at; empty for its top.
    QString CurrentAnchor() const;
    QTextBrowser *Browser() const { return m_browser; }

private:
    QTextBrowser *m_browser;
};

} // namespace telvio
