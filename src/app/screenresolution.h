#pragma once

// Gives the font layer the horizontal resolution of the primary screen, so
// point sizes turn into the pixel heights the screen really shows (export
// widths already follow the grid's real resolution). Call once at start-up,
// before any window exists; returns the pixels per inch given.
int giveFontsScreenResolution();
