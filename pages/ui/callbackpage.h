#pragma once

#include "shell/ui/uilayer.h"

#include "shell/ui/propertypage.h"

namespace telvio {

// The Callback page: the Pike-3's secure callback settings.
class CSCallback : public PropertyPage {
    Q_OBJECT
public:
    explicit CSCallback(const PageContext &context, QWidget *parent = nullptr);
};

} // namespace telvio
