#pragma once

#include "shell/core/shelllayer.h"

#include <QString>

#include <array>

namespace telvio {

// The lines typed into the terminal's command input. Fifty slots; after a
// send `Count()` is at most 49. Once full, each new line is written to slot
// 49 and the slots shift down by one, so slot 49 keeps a copy of the newest
// line (Down from the newest line shows it again).
class TerminalHistory {
public:
    static constexpr int kSlots = 50;
    static constexpr int kLast = kSlots - 1;

    // Stores a sent line and points the walk just past it.
    void Store(const QString &line);
    void Up();
    void Down();
    // The history spin was clicked while it stood at `before`. A position
    // past the stored lines is refused (false); otherwise the walk moves
    // there. The click itself moves the spin afterwards.
    bool SpinClick(int before);

    int Count() const { return m_count; }
    int Pos() const { return m_pos; }
    QString Current() const { return m_slots[size_t(m_pos)]; }
    QString Slot(int index) const { return m_slots[size_t(index)]; }

private:
    std::array<QString, kSlots> m_slots;
    int m_count = 0;
    int m_pos = 0;
};

} // namespace telvio
