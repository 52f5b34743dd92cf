#pragma once
// Mesa unloads its driver when the last GL window goes. What the driver's own
// globals held then reads as leaked to LeakSanitizer, which can no longer
// name the library to tell it from ours. In builds with AddressSanitizer this
// keeps the loaded driver mapped until the process ends; in every other build
// it does nothing. Internal to the back end.

// Called once a GL window or context exists, when the driver is loaded.
void PinGLDriver();
