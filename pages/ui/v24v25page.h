#pragma once

#include "shell/ui/propertypage.h"

namespace telvio {

// The Serial page: the modem's V.24/V.25 interface settings.
class Cv24v25 : public PropertyPage {
    Q_OBJECT
public:
    explicit Cv24v25(const PageContext &context, QWidget *parent = nullptr);
};

} // namespace telvio
