// Putting an announcement on the system clipboard.
#pragma once

#include <string_view>

// Replaces the clipboard's contents with text as CF_TEXT (the ANSI code page, GBK
// here). A clipboard held open by another program is left alone: nothing is copied.
void copyTextToClipboard(std::string_view text);
