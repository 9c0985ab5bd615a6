#pragma once

#include "shell/ui/uilayer.h"

#include "link/core/pageflags.h"
#include "shell/ui/pagecontext.h"

#include <QString>
#include <QWidget>

namespace telvio {

// A page of the property sheet. The sheet calls OnSetActive each time the
// page comes to the front (also when it is brought to the front again while
// already there) and ResetState when it takes the page out of the set.
class PropertyPage : public QWidget {
    Q_OBJECT
public:
    PropertyPage(PageId id, const QString &title, const PageContext &context, QWidget *parent = nullptr);

    PageId Id() const { return m_id; }
    QString Title() const { return m_title; }

    virtual void OnSetActive() {}
    // The page leaves the front: another page came there, or it was taken
    // out of the set while at the front.
    virtual void OnKillActive() {}
    virtual void ResetState() {}
    // The help page F1 opens for a control of this page without a topic of
    // its own.
    virtual QString HelpTopic() const;

protected:
    ModemSession &Session() const { return *m_context.session; }
    Prompter &Prompt() const { return *m_context.prompter; }
    MainWindowHost *Main() const { return m_context.main; }
    const PageContext &Context() const { return m_context; }

private:
    PageId m_id;
    QString m_title;
    PageContext m_context;
};

// Help ids of controls: F1 over a control opens the topic with its id.
void SetHelpId(QWidget *control, int id);
int HelpId(const QWidget *control); // 0 when none

} // namespace telvio
