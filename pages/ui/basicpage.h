#pragma once

#include "shell/ui/propertypage.h"

namespace telvio {

// The Basic page: the modem's general settings.
class Cconfig : public PropertyPage {
    Q_OBJECT
public:
    explicit Cconfig(const PageContext &context, QWidget *parent = nullptr);
};

} // namespace telvio
