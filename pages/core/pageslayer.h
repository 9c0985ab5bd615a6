#pragma once

// Included by every header of the pages: a file of a lower layer that
// reaches one of them does not build.
#ifndef TELVIO_LAYER_PAGES
#error "a header of the pages is included from a layer below it"
#endif
