#include "shell/ui/propsheet.h"

#include <QTabBar>

#include "link/ui/connectionpage.h"
#include "monitor/ui/diagnosticpage.h"
#include "monitor/ui/signalpage.h"
#include "pages/ui/basicpage.h"
#include "pages/ui/callbackpage.h"
#include "pages/ui/gprspage.h"
#include "pages/ui/iopage.h"
#include "pages/ui/smspage.h"
#include "pages/ui/v24v25page.h"

namespace telvio {

namespace {
// Tab order of the pages.
const PageId kTabOrder[] = {PageId::Connection, PageId::Basic, PageId::Serial, PageId::Sms, PageId::Gprs,
                            PageId::Signal, PageId::Diagnostic, PageId::Io, PageId::Callback};

int OrderOf(PageId id)
{
    for (int i = 0; i < int(std::size(kTabOrder)); ++i) {
        if (kTabOrder[i] == id)
            return i;
    }
    return int(std::size(kTabOrder));
}
} // namespace

CPropSheet::CPropSheet(const PageContext &context, QWidget *parent)
    : QTabWidget(parent),
      m_callback(std::make_unique<CSCallback>(context)),
      m_io(std::make_unique<Cio>(context)),
      m_diagnostic(std::make_unique<Cdiagnostic>(context)),
      m_signal(std::make_unique<Csignal>(context)),
      m_basic(std::make_unique<Cconfig>(context)),
      m_gprs(std::make_unique<Cgprs>(context)),
      m_serial(std::make_unique<Cv24v25>(context)),
      m_sms(std::make_unique<Csms>(context)),
      m_connection(std::make_unique<Cserial>(context))
{
    setWindowTitle(QStringLiteral("Property Sheet"));
    setFocusPolicy(Qt::TabFocus);
    // All nine tabs of a Pike-3 fit the sheet's width with slimmer tabs;
    // scrolling them would hide pages from view.
    tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 4px 5px; margin-right: 0px; border: 1px solid palette(mid);"
        " border-bottom: none; border-top-left-radius: 3px; border-top-right-radius: 3px;"
        " background: palette(button); }"
        "QTabBar::tab:selected { background: palette(window); }"
        "QTabBar::tab:!selected { margin-top: 2px; }"));
    for (PageId id : kTabOrder) {
        PropertyPage *page = Page(id);
        page->setParent(this);
        page->hide();
    }
    addTab(m_connection.get(), m_connection->Title());
    connect(this, &QTabWidget::currentChanged, this, &CPropSheet::OnCurrentChanged);
}

CPropSheet::~CPropSheet()
{
    // The pages die with their unique_ptrs, before QWidget would delete the
    // ones that are tabs; block the tab changes their removal would report.
    blockSignals(true);
}

PropertyPage *CPropSheet::Page(PageId id) const
{
    switch (id) {
    case PageId::Connection: return m_connection.get();
    case PageId::Basic: return m_basic.get();
    case PageId::Serial: return m_serial.get();
    case PageId::Sms: return m_sms.get();
    case PageId::Gprs: return m_gprs.get();
    case PageId::Signal: return m_signal.get();
    case PageId::Diagnostic: return m_diagnostic.get();
    case PageId::Io: return m_io.get();
    case PageId::Callback: return m_callback.get();
    }
    return nullptr;
}

bool CPropSheet::HasPage(PageId id) const
{
    return indexOf(Page(id)) >= 0;
}

void CPropSheet::AddPage(PageId id)
{
    PropertyPage *page = Page(id);
    if (!page || indexOf(page) >= 0)
        return;
    int at = count();
    for (int i = 1; i < count(); ++i) {
        auto *other = static_cast<PropertyPage *>(widget(i));
        if (OrderOf(other->Id()) > OrderOf(id)) {
            at = i;
            break;
        }
    }
    insertTab(at, page, page->Title());
}

void CPropSheet::RemovePage(PageId id)
{
    PropertyPage *page = Page(id);
    const int index = indexOf(page);
    if (id == PageId::Connection || index < 0)
        return;
    removeTab(index);
    // removeTab leaves the page parented to the tab stack; keep it with the
    // sheet, hidden, until it is added again.
    page->setParent(this);
    page->hide();
    page->ResetState();
}

void CPropSheet::SetActivePage(PageId id)
{
    PropertyPage *page = Page(id);
    const int index = indexOf(page);
    if (index < 0)
        return;
    if (index == currentIndex())
        Activate(page);
    else
        setCurrentIndex(index);
}

PageId CPropSheet::ActivePageId() const
{
    auto *page = static_cast<PropertyPage *>(currentWidget());
    return page ? page->Id() : PageId::Connection;
}

void CPropSheet::ReactivateActivePage()
{
    if (auto *page = static_cast<PropertyPage *>(currentWidget()))
        Activate(page);
}

void CPropSheet::OnCurrentChanged(int index)
{
    if (index >= 0)
        Activate(static_cast<PropertyPage *>(widget(index)));
}

void CPropSheet::Activate(PropertyPage *page)
{
    // A page's activation may change the page set (the Connection page
    // removes the others when the link is closed); it must not start its own
    // activation a second time meanwhile.
    if (m_activating == page)
        return;
    PropertyPage *outer = m_activating;
    m_activating = page;
    page->OnSetActive();
    m_activating = outer;
}

} // namespace telvio
