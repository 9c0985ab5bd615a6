#pragma once

#include "shell/ui/uilayer.h"

#include "monitor/core/signallogic.h"
#include "monitor/ui/signalhistorywindow.h"
#include "shell/ui/propertypage.h"

#include <QPointer>

#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace telvio {


// The Signal page: serving and neighbour cell measurements on the main
// window's signal timer. Everything it decides lives in SignalLogic; the
// page shows the cells and hands the list choices back.
class Csignal : public PropertyPage {
    Q_OBJECT
public:
    explicit Csignal(const PageContext &context, QWidget *parent = nullptr);
    ~Csignal() override;

    // One measurement cycle; the main window's signal timer runs it with the
    // busy flag set.
    void RunMeasurement();

    void OnSetActive() override;
    void OnKillActive() override;
    void ResetState() override;

    // The "Signal History" window, made on first use; it stays open over
    // the main window and follows each completed cycle.
    void ShowHistory();
    SignalHistoryWindow *HistoryWindow() const { return m_historyWindow; }

    SignalLogic &Logic() { return *m_logic; }

    // The controls of cell 0 (main) to 6.
    struct CellControls {
        QLabel *operatorName = nullptr;
        QProgressBar *bar = nullptr;
        QLabel *cellId = nullptr;
        QLabel *rxlev = nullptr;
    };
    const CellControls &Cell(int cell) const { return m_cells[cell]; }
    QLabel *BerLabel() const { return m_ber; }
    QComboBox *IntervalList() const { return m_interval; }
    QComboBox *RedList() const { return m_red; }
    QComboBox *GreenList() const { return m_green; }
    QPushButton *HistoryButton() const { return m_history; }

private:
    class Timer;
    void ShowForm();
    void ShowCells();

    std::unique_ptr<Timer> m_timer;
    std::unique_ptr<SignalLogic> m_logic;
    std::array<CellControls, 7> m_cells;
    QLabel *m_ber = nullptr;
    QComboBox *m_interval = nullptr;
    QComboBox *m_red = nullptr;
    QComboBox *m_green = nullptr;
    QPushButton *m_history = nullptr;
    QPointer<SignalHistoryWindow> m_historyWindow;
};

} // namespace telvio
