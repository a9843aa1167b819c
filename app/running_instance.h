#pragma once

// Looks for a running copy of the product and asks it to close. Returns when
// the installation may go on; otherwise ends the process with exit code 0.
void CheckRunningInstance();
