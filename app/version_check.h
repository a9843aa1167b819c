#pragma once

// Ends the process with an error box when the version-install library, which
// expands the payload, cannot be loaded. The library then stays loaded.
void CheckVersionLibrary();
