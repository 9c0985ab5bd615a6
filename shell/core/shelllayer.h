#pragma once

// Included by every header of the shell's core: a file of a lower layer that
// reaches one of them does not build.
#ifndef TELVIO_LAYER_SHELL
#error "a header of the shell's core is included from a layer below it"
#endif
