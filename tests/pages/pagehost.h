#pragma once

#include "link/core/sessionhost.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace telvio::test {

// Remembers what the page showed around it: the message window, the status
// panel and bar, the terminal.
class PageHost : public SessionHost {
public:
    void RefreshStatusPanel() override { ++panelRefreshes; }
    void UpdateStatusBar() override { ++barUpdates; }
    void AppendTerminal(const QByteArray &text) override { terminal += text; }
    void ShowMessageWindow(const QString &text) override
    {
        windows << text;
        ++openWindows;
    }
    void CloseMessageWindow() override
    {
        if (openWindows > 0)
            --openWindows;
    }
    void SetActivePage(PageId page) override { active << page; }
    void ShowPortSettings(const QString &baud, QChar parity, const QString &dataBits, const QString &stopBits) override
    {
        portShown = QStringLiteral("%1,%2,%3,%4").arg(baud, QString(parity), dataBits, stopBits);
    }

    int panelRefreshes = 0;
    int barUpdates = 0;
    QByteArray terminal;
    QStringList windows;
    int openWindows = 0;
    QList<PageId> active;
    QString portShown;
};

} // namespace telvio::test
