// Shell links of the product: on the desktop or in its Start-menu group.
#pragma once

#include "platform/framework.h"

// Deletes the link file linkName.lnk from the desktop or the program group;
// a link that is missing or cannot be deleted is no error. Creates nothing.
void RemoveShortcut(CString linkName, bool onDesktop);
