#pragma once

#include "shell/ui/propertypage.h"

namespace telvio {

// The SMS page: message centre and SMS settings, test message.
class Csms : public PropertyPage {
    Q_OBJECT
public:
    explicit Csms(const PageContext &context, QWidget *parent = nullptr);
};

} // namespace telvio
