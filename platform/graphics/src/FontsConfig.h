#pragma once
// The fontconfig configuration of resources/fonts.conf, embedded at build time.

extern const char* const GraphicsFontsConfig;
