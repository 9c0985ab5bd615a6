#pragma once

#include "shell/ui/uilayer.h"

#include <QWidget>

class QToolButton;

namespace telvio {

// The up-down arrows beside the command input. Its range runs from 49 at
// the lower end to 0 at the upper end, so the up arrow moves towards 0. A
// click is reported with the position it started from; the owner decides
// whether the move goes ahead (Step) or the position is put back.
class HistorySpin : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLowEnd = 49;

    explicit HistorySpin(QWidget *parent = nullptr);

    int Position() const { return m_position; }
    void SetPosition(int position);
    // Moves by `delta` within the range.
    void Step(int delta);
    QToolButton *UpButton() const { return m_up; }
    QToolButton *DownButton() const { return m_down; }

signals:
    // delta is -1 for the up arrow, +1 for the down arrow.
    void Clicked(int before, int delta);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QToolButton *m_up;
    QToolButton *m_down;
    int m_position = 0;
};

} // namespace telvio
