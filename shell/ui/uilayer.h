#pragma once

// Included by every header of the widgets: a file of a lower layer that
// reaches one of them does not build.
#ifndef TELVIO_LAYER_UI
#error "a header of the widgets is included from a layer below it"
#endif
