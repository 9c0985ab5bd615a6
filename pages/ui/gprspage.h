#pragma once

#include "shell/ui/uilayer.h"

#include "shell/ui/propertypage.h"

namespace telvio {

// The GPRS page: GPRS and TCP socket settings and actions.
class Cgprs : public PropertyPage {
    Q_OBJECT
public:
    explicit Cgprs(const PageContext &context, QWidget *parent = nullptr);
};

} // namespace telvio
