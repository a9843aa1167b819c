// Closes running copies of Testanza the way the installer's guard asks them to.
#pragma once

namespace tz {

// Posts the close request to every window with a product title while the
// product mutex exists, and waits for the copies to end. Returns false when a
// copy is still running after the wait.
bool CloseRunningProduct();

}  // namespace tz
