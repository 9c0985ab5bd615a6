#pragma once

#include "shell/ui/uilayer.h"

#include "pages/core/gprsrecord.h"

#include <QWidget>

#include <array>

class QLineEdit;

namespace telvio {

// An IP address entry field: four octet boxes of up to three digits, a
// value above 255 taken as 255 as the address control of the platform does.
class AddressField : public QWidget {
    Q_OBJECT
public:
    explicit AddressField(QWidget *parent = nullptr);

    Octets Value() const;
    void SetValue(const Octets &octets);
    // All four boxes empty (a dialog that has nothing to show).
    void Clear();
    QLineEdit *Box(int i) const { return m_boxes[size_t(i)]; }

signals:
    // The user changed an octet.
    void Edited();

private:
    std::array<QLineEdit *, 4> m_boxes{};
    QLineEdit *m_typing = nullptr;
};

} // namespace telvio
