#pragma once

// Included by every header of the link layer: a file of a lower layer that
// reaches one of them does not build.
#ifndef TELVIO_LAYER_LINK
#error "a header of the link layer is included from a layer below it"
#endif
