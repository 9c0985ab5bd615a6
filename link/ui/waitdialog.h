#pragma once

#include "shell/ui/uilayer.h"

#include "link/core/connectionlogic.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace telvio {

// The modal "Wait" dialog of the Autoconnect search: a progress bar, one
// line of text and Abort. It runs the search while it is open and closes
// itself with the search's result. Abort (or Enter) only raises a flag that
// the search reads after the attempt in progress; Esc does nothing.
class WaitDialog : public QDialog, public WaitDialogRunner, public SearchProgress {
    Q_OBJECT
public:
    explicit WaitDialog(QWidget *parent = nullptr);

    int Run(const std::function<int(SearchProgress &)> &search) override;
    void Step(int attempt, const QString &text) override;
    bool Aborted() const override { return m_aborted; }

    QProgressBar *Progress() const { return m_progress; }
    QLabel *TextLine() const { return m_text; }
    QPushButton *AbortButton() const { return m_abort; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override {}

private:
    void Abort();

    QProgressBar *m_progress;
    QLabel *m_text;
    QPushButton *m_abort;
    bool m_aborted = false;
    bool m_running = false;
};

} // namespace telvio
