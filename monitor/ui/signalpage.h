#pragma once

#include "shell/ui/uilayer.h"

#include "shell/ui/propertypage.h"

namespace telvio {

// The Signal page: serving and neighbour cell measurements on a timer.
class Csignal : public PropertyPage {
    Q_OBJECT
public:
    explicit Csignal(const PageContext &context, QWidget *parent = nullptr);

    // One measurement cycle; the main window's signal timer runs it with the
    // busy flag set.
    void RunMeasurement();
};

} // namespace telvio
