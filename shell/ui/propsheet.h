#pragma once

#include "link/core/pageflags.h"
#include "shell/ui/pagecontext.h"

#include <QTabWidget>

#include <memory>

namespace telvio {

class PropertyPage;
class Cserial;
class Cconfig;
class Cv24v25;
class Csms;
class Cgprs;
class Csignal;
class Cdiagnostic;
class Cio;
class CSCallback;

// The property sheet. It owns all nine pages for the whole run; only the
// Connection page is a tab from the start, the others come and go with the
// link. Tabs always stand in the fixed page order.
class CPropSheet : public QTabWidget {
    Q_OBJECT
public:
    explicit CPropSheet(const PageContext &context, QWidget *parent = nullptr);
    ~CPropSheet() override;

    PropertyPage *Page(PageId id) const;
    Cserial *ConnectionPage() const { return m_connection.get(); }
    Csignal *SignalPage() const { return m_signal.get(); }

    bool HasPage(PageId id) const;
    int PageCount() const { return count(); }
    void AddPage(PageId id);
    // Takes the page out of the set and lets it reset itself.
    void RemovePage(PageId id);
    // Brings the page to the front; a page already there runs its
    // activation again.
    void SetActivePage(PageId id);
    PageId ActivePageId() const;
    void ReactivateActivePage();

private:
    void OnCurrentChanged(int index);
    void Activate(PropertyPage *page);

    // Constructed in this order, destroyed in the reverse.
    std::unique_ptr<CSCallback> m_callback;
    std::unique_ptr<Cio> m_io;
    std::unique_ptr<Cdiagnostic> m_diagnostic;
    std::unique_ptr<Csignal> m_signal;
    std::unique_ptr<Cconfig> m_basic;
    std::unique_ptr<Cgprs> m_gprs;
    std::unique_ptr<Cv24v25> m_serial;
    std::unique_ptr<Csms> m_sms;
    std::unique_ptr<Cserial> m_connection;

    PropertyPage *m_activating = nullptr;
};

} // namespace telvio
