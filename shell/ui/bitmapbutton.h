#pragma once

#include "shell/ui/uilayer.h"

#include <QPushButton>

namespace telvio {

// A push button with a small bitmap beside its caption. The bitmaps are
// drawn on magenta, which is their transparent colour; a disabled button
// shows its bitmap greyed.
class BitmapButton : public QPushButton {
    Q_OBJECT
public:
    // Bitmap ids of the resources.
    enum Bitmap { Autoconnect = 175, Disconnect = 176, Connect = 177, Open = 178, Read = 180, Write = 182 };

    BitmapButton(int bitmap, const QString &caption, QWidget *parent = nullptr);

    // The 21 x 16 image of a bitmap id with its magenta made transparent.
    static QPixmap Image(int bitmap);
};

} // namespace telvio
