#pragma once

#include "shell/ui/uilayer.h"

#include "shell/ui/propertypage.h"

namespace telvio {

// The I/O page: the Pike-3's inputs and outputs.
class Cio : public PropertyPage {
    Q_OBJECT
public:
    explicit Cio(const PageContext &context, QWidget *parent = nullptr);
};

} // namespace telvio
