#pragma once

#include "shell/ui/uilayer.h"

#include "shell/ui/propertypage.h"

namespace telvio {

// The Diagnostic page: identity and status, and the HTML report.
class Cdiagnostic : public PropertyPage {
    Q_OBJECT
public:
    explicit Cdiagnostic(const PageContext &context, QWidget *parent = nullptr);
};

} // namespace telvio
