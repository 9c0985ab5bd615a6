#include "shell/ui/propsheet.h"

#include <QTabBar>

#include "link/core/pagetable.h"
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

template <typename Page>
std::unique_ptr<PropertyPage> Make(const PageContext &context)
{
    return std::make_unique<Page>(context);
}

// The window of each page, in the order the sheet makes them. A new page
// adds its row here.
using PageMaker = std::unique_ptr<PropertyPage> (*)(const PageContext &);
const PageMaker kPageMakers[] = {
    Make<CSCallback>, Make<Cio>,     Make<Cdiagnostic>, Make<Csignal>, Make<Cconfig>,
    Make<Cgprs>,      Make<Cv24v25>, Make<Csms>,        Make<Cserial>,
};

} // namespace

CPropSheet::CPropSheet(const PageContext &context, QWidget *parent)
    : QTabWidget(parent)
{
    for (PageMaker make : kPageMakers)
        m_pages.push_back(make(context));
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
    for (const PageRow &row : kPageTable) {
        PropertyPage *page = Page(row.id);
        page->setParent(this);
        page->hide();
    }
    PropertyPage *connection = Page(PageId::Connection);
    addTab(connection, connection->Title());
    m_front = connection;
    connect(this, &QTabWidget::currentChanged, this, &CPropSheet::OnCurrentChanged);
}

CPropSheet::~CPropSheet()
{
    // The pages die with their unique_ptrs, before QWidget would delete the
    // ones that are tabs; block the tab changes their removal would report.
    blockSignals(true);
    while (!m_pages.empty())
        m_pages.pop_back();
}

PropertyPage *CPropSheet::Page(PageId id) const
{
    for (const auto &page : m_pages) {
        if (page->Id() == id)
            return page.get();
    }
    return nullptr;
}

Cserial *CPropSheet::ConnectionPage() const
{
    return static_cast<Cserial *>(Page(PageId::Connection));
}

Csignal *CPropSheet::SignalPage() const
{
    return static_cast<Csignal *>(Page(PageId::Signal));
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
        if (TabOrderOf(other->Id()) > TabOrderOf(id)) {
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
    PropertyPage *leaving = m_front;
    m_front = index >= 0 ? static_cast<PropertyPage *>(widget(index)) : nullptr;
    if (leaving && leaving != m_front)
        leaving->OnKillActive();
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
