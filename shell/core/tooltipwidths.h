#pragma once

#include "shell/core/shelllayer.h"

#include "link/core/pageflags.h"

namespace telvio {

// The widest a page's tooltip window grows, in pixels, before its text
// wraps. Every page and the dialogs it opens take the width from here, so
// a page cannot be left with tips that run past the window's edge.
constexpr int TooltipWidth(PageId page)
{
    switch (page) {
    case PageId::Connection: return 200;
    case PageId::Serial: return 450;
    case PageId::Sms:
    case PageId::Io:
    case PageId::Callback: return 400;
    case PageId::Basic:
    case PageId::Gprs:
    case PageId::Signal:
    case PageId::Diagnostic: return 300;
    }
    return 300;
}

} // namespace telvio
