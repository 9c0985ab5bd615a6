#pragma once

#include "shell/ui/uilayer.h"

#include "link/core/pageflags.h"
#include "shell/ui/pagecontext.h"

#include <QTabWidget>

#include <memory>
#include <vector>

namespace telvio {

class PropertyPage;
class Cserial;
class Csignal;

// The property sheet. It owns all nine pages for the whole run; only the
// Connection page is a tab from the start, the others come and go with the
// link. Tabs always stand in the fixed page order.
class CPropSheet : public QTabWidget {
    Q_OBJECT
public:
    explicit CPropSheet(const PageContext &context, QWidget *parent = nullptr);
    ~CPropSheet() override;

    PropertyPage *Page(PageId id) const;
    Cserial *ConnectionPage() const;
    Csignal *SignalPage() const;

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

    // Every page's window, in the order they are made; destroyed in the
    // reverse order.
    std::vector<std::unique_ptr<PropertyPage>> m_pages;

    PropertyPage *m_activating = nullptr;
    // The page at the front, told when it leaves.
    PropertyPage *m_front = nullptr;
};

} // namespace telvio
