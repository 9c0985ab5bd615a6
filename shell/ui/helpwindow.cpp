#include "shell/ui/helpwindow.h"

#include "shell/core/helptopics.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

namespace telvio {

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
{
    setWindowTitle(QStringLiteral("Telvio Help"));
    resize(640, 560);
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({QStringLiteral(":/help")});

    auto *contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto *back = new QPushButton(QStringLiteral("&Back"), this);
    auto *forward = new QPushButton(QStringLiteral("&Forward"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, [this] { ShowTopic(HelpTopics::Contents()); });
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

    auto *bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser);
}

void HelpWindow::ShowTopic(const QString &topic)
{
    const QUrl url(HelpTopics::Url(topic));
    m_browser->setSource(url);
    show();
    raise();
    activateWindow();
    // A browser not yet laid out (the window's first showing) cannot scroll:
    // go to the control's section again once it has its size.
    if (url.hasFragment()) {
        m_browser->scrollToAnchor(url.fragment());
        QTimer::singleShot(0, m_browser, [browser = m_browser, anchor = url.fragment()] {
            browser->scrollToAnchor(anchor);
        });
    }
}

QString HelpWindow::CurrentTopic() const
{
    return m_browser->source().fileName();
}

QString HelpWindow::CurrentAnchor() const
{
    return m_browser->source().fragment();
}

} // namespace telvio
