#pragma once

namespace vestrix::app {

// Makes the window's font families available: the free Tahoma-compatible
// font of the wine fonts is not indexed by fontconfig, so it is loaded from
// its files when the family is missing. Call after the application object
// exists.
void LoadApplicationFonts();

}  // namespace vestrix::app
