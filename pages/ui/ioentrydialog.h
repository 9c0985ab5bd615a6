#pragma once

#include "shell/ui/uilayer.h"

#include "pages/core/ioentrylogic.h"

#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace telvio {

// The I/O Entry dialog: one entry of the I/O record, with data fields
// named and enabled by the chosen service. OK stores the entry in the
// record; Cancel or closing stores nothing.
class IoEntryDialog : public QDialog {
    Q_OBJECT
public:
    IoEntryDialog(IoRecord &record, int k, bool tooltips, QWidget *parent = nullptr);
    ~IoEntryDialog() override;

    IoEntryLogic &Logic() { return m_logic; }
    QGroupBox *Group() const { return m_group; }
    QComboBox *Service() const { return m_service; }
    QComboBox *Retry() const { return m_retry; }
    QLineEdit *Time() const { return m_time; }
    QComboBox *Priority() const { return m_priority; }
    QLabel *DataLabel(int d) const { return m_dataLabels[size_t(d)]; }
    QLineEdit *Data(int d) const { return m_data[size_t(d)]; }
    QPushButton *OkButton() const { return m_ok; }
    QPushButton *CancelButton() const { return m_cancel; }

private:
    // Every notification: the captions for the service first, then the form
    // shown.
    void Notified();
    void ShowForm();

    IoEntryLogic m_logic;
    QGroupBox *m_group = nullptr;
    QComboBox *m_service = nullptr;
    QComboBox *m_retry = nullptr;
    QLineEdit *m_time = nullptr;
    QComboBox *m_priority = nullptr;
    std::array<QLabel *, 6> m_dataLabels{};
    std::array<QLineEdit *, 6> m_data{};
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace telvio
